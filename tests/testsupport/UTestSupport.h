#pragma once

#include <QString>

// Folder of the test data files (tests/data).
QString DosarDateTest();
// Folder holding the built program and its blank database template.
QString DosarBinar();
// Twelve digits of a personal numeric code followed by their control digit: an oracle of its own for the tests,
// apart from the program's validation.
QString CnpCuCifraDeControl(const QString& douasprezece);
