#pragma once

#include <QString>
#include <QStringList>

// The start-up's care of the program's own files, before the register is opened.

// For the local register at `caleBaza` (empty or a server name: none): finishes what an interrupted restore
// left and removes what interrupted backups and restores left; then removes the temporary folders of killed
// spreadsheet readings. Files of a copy of the program that still runs are kept. Returns what the user is to
// be told, once the main window shows.
QStringList IngrijesteFisiereleLaPornire(const QString& caleBaza);

// A program folder the user cannot write (`dosarExecutabil`) may hold a register the user cannot write either,
// while this start keeps its register in `dosarProgram`, the user's data folder. When that folder has none yet,
// the user is asked whether to copy the one beside the program there (a copy: the original stays as it is).
// Returns what the user is to be told of the two registers, empty when there was nothing to offer.
QString OferaRegistrulDeLangaProgram(const QString& dosarExecutabil, const QString& dosarProgram,
                                     const QString& numeBaza);
