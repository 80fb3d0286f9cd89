#pragma once

#include <QString>
#include <QStringList>

// The start-up's care of the program's own files, before the register is opened.

// For the local register at `caleBaza` (empty or a server name: none): finishes what an interrupted restore
// left and removes what interrupted backups and restores left; then removes the temporary folders of killed
// spreadsheet readings. Files of a copy of the program that still runs are kept. Returns what the user is to
// be told, once the main window shows.
QStringList IngrijesteFisiereleLaPornire(const QString& caleBaza);
