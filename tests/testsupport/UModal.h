#pragma once

#include <functional>

class QDialog;

// Acts on the next modal dialog as soon as it is shown, from the event loop of its exec(), however long it takes
// to appear; the wait ends with the test function (and data row) that queued it. Whatever the action does, a
// dialog still open afterwards is rejected, so a failed check never leaves a test hanging.
void LaUrmatorulModal(std::function<void(QDialog*)> actiune);
