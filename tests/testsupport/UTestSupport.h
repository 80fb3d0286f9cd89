#pragma once

#include <QString>

// Folder of the test data files (tests/data).
QString DosarDateTest();
// Folder holding the built program and its blank database template.
QString DosarBinar();
