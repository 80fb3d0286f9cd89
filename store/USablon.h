#pragma once

#include <QString>

// Creates a new database file at `cale` (UTF8 by default, the program's user) and runs on it each statement of
// `script`, separated by ';', each in a transaction of its own. Comments ("--" to the end of a line) are dropped.
// Raises the engine's error; a file begun is left for the caller to remove.
void CreeazaBazaDinScript(const QString& cale, const QString& script);
