#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class TDM;

// One sheet sent to a printer.
struct TTiparire
{
    qint64 IdElev = 0;
    QString Elev;       // the student's name as the list showed it when printed
    QDateTime DataOra;  // to the second
    QString Imprimanta; // the printer's name, or the PDF file written
    qint64 Lucrare = 0; // the job's number: a class job sends many sheets
    int Pagina = 0;     // 1-based sheet of the job
    QString Titlu;      // the job's title
};

// The print register: the table TIPARIRI and its generators, created when missing (every start). A
// database where it cannot be created keeps working without a register.
void CreeazaRegistruTipariri(TDM& dm);
bool ExistaRegistruTipariri(TDM& dm);

// A new job number; 0 without a register. Runs its own transaction (Tr must be idle).
qint64 LucrareNoua(TDM& dm);
// Records the sheets in one transaction, all or none (Tr must be idle). Does nothing without a register.
void InregistreazaTipariri(TDM& dm, const QList<TTiparire>& tipariri);
// A student's printings, newest first.
QList<TTiparire> TipaririElev(TDM& dm, qint64 idElev);
