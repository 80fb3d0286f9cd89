#pragma once

#include <QString>

// Folders of the program. Headless: usable before the application object exists only where noted.

// Folder of the running executable (needs the application object).
QString DosarExecutabil();

// Folder for the program's own files (DB/, licenta.lic, LargeFonts.txt): the executable's folder when it
// is writable and not an installed program's, otherwise the per-user data folder. Created when missing.
QString DosarProgram();
QString DosarProgramPentru(const QString& dosarExecutabil);

// Folder for one of the program's own files, `relativ` to that folder ("DB/Tessaluna2006.FDB",
// "licenta.lic"): the executable's folder when the file is there and can be written, even when the folder
// itself cannot; otherwise DosarProgram(). An installed program keeps its files in the per-user folder.
QString DosarPentruFisier(const QString& relativ);
QString DosarPentruFisierIn(const QString& dosarExecutabil, const QString& relativ);

// Folder of the blank template BLANK.FDB: the executable's folder when the template is there, else the
// installed share folder (../share/tessaluna) when it holds one, else the executable's folder (so that the
// message about a missing template names the place where it is looked for first).
QString DosarSablon();
QString DosarSablonPentru(const QString& dosarExecutabil);

// True for an installed program: no template beside the executable, one in ../share/tessaluna.
bool ProgramInstalat(const QString& dosarExecutabil);

// True when a file can be created in the folder.
bool DosarInscriptibil(const QString& dosar);

// The system temporary folder, created when missing; returns its path.
QString DosarTemporar();

// Points the embedded database engine's lock folder at a folder the user owns. Call before the first
// client call; keeps a FIREBIRD_LOCK that is already set.
void PregatesteBlocareFirebird();
