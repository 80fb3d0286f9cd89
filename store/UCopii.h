#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

class TDM;

// Backups of the register in the engine's own backup format (.fbk, as gbak writes it), made and restored
// through the engine's services, which the embedded engine offers too.

// One line of the engine's progress output. Called on the thread that runs the backup or restore.
using TProgresCopie = std::function<void(const QString& linie)>;

// True for a database name that names a server ("host:path", "host/port:path").
bool EsteNumeServer(const QString& baza);

// Backs up the database file `baza` into `fisier` (a server's register is refused: its backups are the
// server administrator's). The engine writes beside it under a temporary
// name, which becomes `fisier` only when the backup has ended well; on any error the partial file is
// removed, nothing else is touched and EEroareBD is raised with a Romanian message. An existing `fisier`
// is never replaced. Safe to call from a worker thread.
void FaCopieDeSiguranta(const QString& baza, const QString& fisier, const TProgresCopie& progres = {});

// Restores the backup `fisier` into the new database file `tinta`, which must not exist. On any error
// whatever was written of `tinta` is removed and EEroareBD is raised. Safe to call from a worker thread.
void RestaureazaCopie(const QString& fisier, const QString& tinta, const TProgresCopie& progres = {});

// The folder of the automatic copies: "copii" beside the database file.
QString DosarCopii(const QString& caleBaza);
// How many automatic copies are kept.
constexpr int CopiiPastrate = 7;
// The automatic copies in DosarCopii, oldest first: only files named "<database name>-automata-YYYYMMDD-HHMMSS
// [-sufix].fbk", a name the user's own copies are never given. Every other file there is left alone.
QStringList CopiiAutomate(const QString& caleBaza);
// The name proposed for a copy the user makes (a desk's backup, a zip archive): "<database name>-YYYYMMDD-HHMMSS.zip"
// in DosarCopii.
QString NumeCopieManuala(const QString& caleBaza, const QDateTime& moment);
// True when `fisier` would be taken for an automatic copy (and so be removed by the rotation one day).
bool EsteNumeCopieAutomata(const QString& caleBaza, const QString& fisier);
// True when an automatic copy carries the date `zi`.
bool ExistaCopieDin(const QString& caleBaza, const QDate& zi);
// Makes an automatic copy into DosarCopii (created when missing), then removes the oldest automatic copies
// beyond CopiiPastrate. A failed copy raises and removes nothing. Returns the new copy's path.
QString FaCopieAutomata(const QString& caleBaza, const QDateTime& moment, const QString& sufix = {},
                        const TProgresCopie& progres = {});

// Number of students of the database open in `dm` (0 when it has no student table). Uses Q1 in its own
// transaction; Tr must be idle.
qint64 NumarEleviCurenti(TDM& dm);

// What a restore found, for the question put to the user before the swap.
struct TVerificareCopie
{
    QString CaleRestaurata;
    qint64 EleviInCopie = 0;
    qint64 EleviCurenti = 0;
};

// The three steps of a restore over the open register of `dm` (a local file only):
// 1. PregatesteRestaurarea restores the backup into a new file beside the database and checks it (it opens,
//    holds the fixed tables and a known schema version); a bad backup raises with a clear message and
//    leaves nothing behind. 2. The caller asks the user. 3. InlocuiesteCuRestaurata closes the connection,
//    keeps the current file as "<name>-inlocuita-YYYYMMDD-HHMMSS.FDB" beside it, puts the restored one in
//    its place and reconnects; AbandoneazaRestaurata removes the restored file instead.
// `ruleaza` runs the engine's restore (given to it), for example on a worker thread with a progress window;
// without it the restore runs here. The checks and counts always run on the calling thread, which owns `dm`.
using TRuleazaRestaurarea = std::function<void(const std::function<void(const TProgresCopie&)>& restaurare)>;
// `afisat` names the backup in messages when it is not `fisierCopie` itself (one taken out of an archive).
TVerificareCopie PregatesteRestaurarea(TDM& dm, const QString& fisierCopie, const TRuleazaRestaurarea& ruleaza = {},
                                       const QString& afisat = {});
// Returns the path under which the replaced database is kept. The register's name never names anything but a
// whole register: the current file gets its second name first, then the restored one takes the register's
// name in one rename.
QString InlocuiesteCuRestaurata(TDM& dm, const TVerificareCopie& verificare, const QDateTime& moment);
// Test seam: runs inside InlocuiesteCuRestaurata between keeping the current file and the rename.
extern std::function<void()> LaMijloculInlocuirii;
// At start-up, before the register is opened: finishes what an interrupted swap left at `caleBaza` (a local
// file) and returns what the user is told about it, empty when there was nothing.
QString IncheieInlocuireaIntrerupta(const QString& caleBaza);
void AbandoneazaRestaurata(const TVerificareCopie& verificare);

// At start-up: removes what interrupted backups (their ".part" files in DosarCopii) and restores (the
// "-restaurata-" and ".part" files beside the register) left, unless the process that wrote one still runs. Returns how
// many files went.
int StergeResturi(const QString& caleBaza);
