#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

class TDM;

// One sheet sent to a printer.
struct TTiparire
{
    qint64 IdElev = 0;
    QString Elev;       // the student's name as the list showed it when printed
    QDateTime DataOra;  // to the second
    QString Imprimanta; // the printer's name, or the PDF file written
    qint64 Lucrare = 0; // the job's number (a class job sends many sheets); drawn when recorded
    int Pagina = 0;     // 1-based sheet of the job
    QString Titlu;      // the job's title
    // How the sheet was placed: the margins (millimetres) and the mirror confirmed for the job. Sheets
    // recorded before these were kept have none.
    bool AreAsezare = false;
    double MargineStanga = 0;
    double MargineSus = 0;
    bool Oglinda = false;
};

// The print register: the table TIPARIRI and its generators, created when missing (every start). A
// database where it cannot be created keeps working without a register.
void CreeazaRegistruTipariri(TDM& dm);
bool ExistaRegistruTipariri(TDM& dm);

// Records the sheets of one job in one transaction, all or none (Tr must be idle), under a new job number
// drawn in the same transaction (the rows' Lucrare is ignored). Returns that number; 0, and nothing done,
// without a register or without sheets. `inAceeasiTranzactie(lucrare)` runs after the rows, before the commit:
// what it writes is recorded with them, and an error it raises records nothing.
qint64 InregistreazaTipariri(TDM& dm, const QList<TTiparire>& tipariri,
                             const std::function<void(qint64 lucrare)>& inAceeasiTranzactie = {});
// A student's printings, newest first.
QList<TTiparire> TipaririElev(TDM& dm, qint64 idElev);
