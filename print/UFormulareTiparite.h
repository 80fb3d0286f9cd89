#pragma once

#include <QList>
#include <QString>

class QWidget;
struct TElevDeTiparit;
struct TRezultatInserare;
struct TTiparire;

// Before the insert-paper step of a print job that gives each student one blank. When the school keeps the
// account of its blanks: a job larger than the free stock, or one with a student who holds an issued blank
// still, is refused with a message (false); otherwise the insert-paper dialog will ask for the first blank in the
// tray, proposing the next free one, and check it. Without the account it does nothing and returns true.
bool PregatesteFormulare(QWidget* parinte, const QList<TElevDeTiparit>& elevi);

// Records the sheets a job sent, and the blanks they took when the insert-paper step asked for them (`ins`),
// in one transaction. `formulare` receives the blanks in words ("seria AB nr. 1-30"), empty when none. Should the
// blanks no longer be there (another desk took the last ones meanwhile), the sheets are recorded alone and a
// warning says so. Returns the job's number.
qint64 InregistreazaLucrarea(QWidget* parinte, const QList<TTiparire>& tipariri, const TRezultatInserare& ins,
                             QString* formulare = nullptr);
