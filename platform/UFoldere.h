#pragma once

#include <QString>

// Folders of the program. Headless: usable before the application object exists only where noted.

// Folder of the running executable (needs the application object).
QString DosarExecutabil();

// Folder for the program's own files (DB/, licenta.lic, LargeFonts.txt): the executable's folder when it
// is writable, otherwise the per-user data folder. Created when missing.
QString DosarProgram();

// True when a file can be created in the folder.
bool DosarInscriptibil(const QString& dosar);

// The system temporary folder, created when missing; returns its path.
QString DosarTemporar();

// Points the embedded database engine's lock folder at a folder the user owns. Call before the first
// client call; keeps a FIREBIRD_LOCK that is already set.
void PregatesteBlocareFirebird();
