#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The one way the program writes its own files: whole or not at all.

// Writes `octeti` to `cale` through a temporary file beside it: every write checked, the data synced to
// disk, then renamed over the old file. On any error the temporary file is removed, the old file stays as it
// was and false is returned with `motiv`, the cause in the user's words ("nu mai este loc pe disc").
bool ScrieFisierSigur(const QString& cale, const QByteArray& octeti, QString& motiv);

// Copies `sursa` to `destinatie` the same careful way, but only as a new file: an existing `destinatie` is never
// replaced (false, with `motiv`), not even by a copy that another program makes at the same moment.
bool CopiazaInFisierNou(const QString& sursa, const QString& destinatie, QString& motiv);

// The cause of a failed write in `dosar`, from the system's error number. An error number that says nothing
// useful (0 included) is replaced by what a test write in the folder meets now.
QString MotivEroareScriere(int eroareSistem, const QString& dosar);

// Removes the temporary copies of `fisier` that an interrupted ScrieFisierSigur left beside it (the file's
// name, a dot and six letters or digits), when they were last changed before `inainte`. Returns how many.
int StergeCopiiTemporare(const QString& fisier, const QDateTime& inainte);

// When the running process started.
QDateTime PornireaProcesului();
