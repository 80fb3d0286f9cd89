#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

class TDM;
struct TTiparire;

// The school's account of its numbered certificate blanks: the batches received (LOTURI_FORMULARE) and every
// blank that left the cupboard, issued to a student or annulled (FORMULARE_FOLOSITE). A blank of a batch
// without a row there is free. The rows keep the student's name and CNP as printed, not a link that a
// deleted student would break.

// A batch of blanks received: series, first and last number, the day and the document it came with.
struct TLotFormulare
{
    qint64 Id = 0;
    QString Serie;
    qint64 DeLa = 0;
    qint64 PanaLa = 0;
    QDate Primit;
    QString Document;
};

// One series of the stock: how many blanks its batches hold and how many of them are in each state.
struct TStocSerie
{
    QString Serie;
    qint64 Total = 0;
    qint64 Libere = 0;
    qint64 Eliberate = 0;
    qint64 Anulate = 0;
};

// A blank that left the cupboard.
struct TFormularFolosit
{
    QString Serie;
    qint64 Numar = 0;
    bool Anulat = false;
    qint64 IdElev = 0; // 0: annulled from the cupboard, never printed
    QString Elev;
    QString Cnp;
    qint64 Lucrare = 0; // the print job and its sheet (TIPARIRI)
    int Pagina = 0;
    QDateTime DataOra;     // when it was recorded
    qint64 NrRegistru = 0; // 0 once annulled
    QDate DataEliberarii;
    QDate DataPrimirii;
    QString Motiv;
    QDate DataAnularii;
};

// A sheet of a print job that takes a blank.
struct TFoaieFormular
{
    qint64 IdElev = 0;
    QString Elev;
    qint64 Lucrare = 0;
    int Pagina = 0;
    QDateTime DataOra;
};

// "SERIA" in the form the account keeps it: trimmed, upper case.
QString NormalizeazaSerie(const QString& serie);
// A blank's number as typed ("0001234" included); 0 when the text is no number of a blank.
qint64 CitesteNumarFormular(const QString& text);

// Blanks of one series in words, runs of numbers joined: "seria AB nr. 1-29, 31". Empty for no number.
QString DescriereFormulare(const QString& serie, const QList<qint64>& numere);

// Creates the two tables, their generator and the register's index when missing (a maintenance step of every
// start, each change in its own transaction). A database without them keeps printing without the account.
void CreeazaEvidentaFormulare(TDM& dm);
// True when the tables exist and at least one batch is recorded: only then do print jobs take blanks. Tr must
// be idle.
bool EvidentaFormulareActiva(TDM& dm);

// Records a batch in its own transaction and returns its id. Raises EEroare, and records nothing, for a series
// or numbers that make no batch and for a batch overlapping another of the same series (the message names it).
qint64 AdaugaLot(TDM& dm, const TLotFormulare& lot);
// Every batch, by series and first number.
QList<TLotFormulare> Loturi(TDM& dm);
// The stock per series, by series.
QList<TStocSerie> StocFormulare(TDM& dm);

// The blank a print job is offered first: the lowest free one after the last blank used of the series used
// last, else the lowest free one of that series, else of the first series with any free. Empty series: none.
struct TFormularPropus
{
    QString Serie;
    qint64 Numar = 0;
};
TFormularPropus FormularPropus(TDM& dm);

// Why `sheets` blanks cannot be taken starting at (serie, numar): an unknown series, a number outside the
// series' batches, a blank already issued or annulled, too few free ones from there on. Empty when they can.
// Reads in its own transaction (Tr idle).
QString VerificaFormulareDeLuat(TDM& dm, const QString& serie, qint64 numar, int foi);
// The free blanks of every series together. Tr idle.
qint64 FormulareLibere(TDM& dm);
// Of `idElevi`, those holding an issued blank (not annulled). Tr idle.
QSet<qint64> EleviCuFormularEliberat(TDM& dm, const QList<qint64>& idElevi);

// Inside the caller's transaction: gives each sheet, in order, the next free blank of the series from `numar`
// on, with today as the date of issue and the next register number (a student reprinted after an annulment gets
// the number of the annulled blank back, when no other blank took it), and returns the numbers. A blank that
// another desk records at the same moment makes the insert wait and then fail (a duplicate key): the caller
// rolls back and runs the whole recording again. Raises EEroare when the series has too few free blanks.
QList<qint64> IaFormulare(TDM& dm, const QString& serie, qint64 numar, const QList<TFoaieFormular>& foi);

// Annuls a blank in its own transaction: an issued one keeps its student and gives up its register number (kept
// in NR_REGISTRU_ANULAT for the student's next blank); a free
// one of a batch is recorded annulled without a student. Raises EEroare (nothing changed) for an empty reason,
// an unknown series, a number outside the batches, a blank already annulled.
void AnuleazaFormular(TDM& dm, const QString& serie, qint64 numar, const QString& motiv, const QDate& data);

// Changes the register number and the dates of an issued blank in its own transaction. Raises EEroare for a
// number of register under 1 or held by another issued blank, and for a blank that is not issued.
void SchimbaRegistrul(TDM& dm, const QString& serie, qint64 numar, qint64 nrRegistru, const QDate& dataEliberarii,
                      const QDate& dataPrimirii);

// The blanks of one student, newest first. Tr idle.
QList<TFormularFolosit> FormulareElev(TDM& dm, qint64 idElev);
// The issued blanks in register order. Runs in the transaction the caller has open, or in its own.
QList<TFormularFolosit> FormulareEliberate(TDM& dm);
// The blanks annulled from `de` to `pana` (both included), by date, series and number. Same transaction rule.
QList<TFormularFolosit> FormulareAnulate(TDM& dm, const QDate& de, const QDate& pana);

// Records the sheets of one print job (InregistreazaTipariri) and, in the same transaction, gives each sheet the
// next free blank of `serie` from `numar` on (IaFormulare); `numere` receives the blanks taken. A meeting with
// another desk recording at the same moment rolls the whole back and runs it again on what that desk committed,
// round after round for up to two minutes.
// With an empty series it records the sheets alone. Returns the job's number. Tr must be idle.
qint64 InregistreazaTipaririCuFormulare(TDM& dm, const QList<TTiparire>& tipariri, const QString& serie, qint64 numar,
                                        QList<qint64>* numere = nullptr);
