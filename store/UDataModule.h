#pragma once

#include "platform/UEroare.h"
#include "store/UEroareBD.h"
#include "store/UFirebird.h"

#include <QString>
#include <QStringList>

#include <functional>

// The three codes of a field key ("Tessaluna.FATA.C_CNP").
struct TCheieCamp
{
    QString Formular;
    QString Pagina;
    QString Camp;
};

// Splits a key at its dots: form, page and field codes; missing parts are empty, a fourth part is dropped.
TCheieCamp DesparteCheie(const QString& cheie);
// The key of three codes, each trimmed, joined by dots: the inverse of DesparteCheie.
QString UnesteCheie(const TCheieCamp& cheie);

// The expression of the index of CNPs on "DATE": a value's text when it has a CNP's 13 characters, else null.
// A lookup that names it (with a 13-character text) reads the index instead of every value.
QString ExpresieIndexCnp();
constexpr int LungimeCnp = 13;

// Raised when neither the database nor its blank template exists; start-up ends the process on it.
class EFaraBazaDeDate : public EEroare
{
public:
    EFaraBazaDeDate(const QString& caleCurenta, const QString& caleSablon);
    QString CaleCurenta;
    QString CaleSablon;
};

// The program's one message for a database file damaged inside, with the engine's own text after it.
EEroareBD EroareBazaDeteriorata(const QString& cale, const QString& textMotor);

// Reads every record of every table and walks every index once, through `tr` (idle on entry) and `q`; damage
// inside the file raises the engine's error.
void VerificaCitireaBazei(TTranzactie& tr, TQuery& q);

// VerificaCitireaBazei on a connection of its own to `cale` with `parametri`, so that it may run on a worker thread
// beside the program's connection. Damage inside the file raises EroareBazaDeteriorata; other errors as the
// engine gives them.
void VerificaCitireaSeparat(const QString& cale, const QStringList& parametri);

// The record of the last clean read check of a local register file: the file's size and modification time,
// kept beside it in "<file>.verificat". Written after a clean check and when the program closes the register
// cleanly; a file changed since by anything else (a copy, a kill in the middle of a write, a disk fault) no
// longer matches, and the next start checks it whole.
QString FisierVerificare(const QString& caleBaza);
// True when the register file is as the record says.
bool VerificareLaZi(const QString& caleBaza);
// Records the file as it is now; does nothing when it cannot (the next start then checks).
void InregistreazaVerificarea(const QString& caleBaza);
// Removes the record: the next start checks the file whole.
void UitaVerificarea(const QString& caleBaza);

// The data module: the program's one connection, its one transaction and six query objects, plus the
// maintenance steps run at every start and the value resolution. All database work goes through here.
class TDM
{
public:
    // AlProgramului: the program's data module, which ModululDeDate returns while it lives (the last one made).
    // Separat: a connection of its own beside it (a copy checked, a template made), never returned there.
    enum TRol
    {
        AlProgramului,
        Separat
    };
    explicit TDM(TRol rol = AlProgramului);
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    TConexiune Db;
    TTranzactie Tr{Db};
    TQuery Q1{Db, Tr};
    TQuery Q2{Db, Tr};
    TQuery Q3{Db, Tr};
    TQuery Q4{Db, Tr};
    TQuery Q5{Db, Tr};
    TQuery Q6{Db, Tr};

    static const QStringList& TipuriDeDate();
    // dosarProgram/DB/<name>.FDB, as the platform writes paths.
    static QString CaleBazaDeDate(const QString& numeBazaDeDate, const QString& dosarProgram);

    // True when the last Deschide copied the blank template: such a database holds nothing to back up.
    bool CopiataDinSablon = false;
    // True once this start found the file clean (read whole, or unchanged since the program left it clean);
    // false again when damage shows. Only then is the file recorded when the program closes it.
    bool CitireVerificata = false;

    // Finds the database file in dosarProgram/DB or copies it from dosarSablon/BLANK.FDB (never over an
    // existing file), then connects with the program's user name and password. Returns the database path.
    QString Deschide(const QString& numeBazaDeDate, const QString& dosarProgram, const QString& dosarSablon);
    // VerificaCitireaBazei on this connection, so that damage inside the file shows before a maintenance step
    // writes to it.
    void VerificaCitirea();
    // A short text that changes whenever a table, column, index, constraint or generator is added or changed. Read
    // only system tables. Tr must be idle.
    QString AmprentaStructurii();
    // Raises the schema version of the fixed tables one step at a time up to 3.
    void ActualizeazaSchema();
    // Creates, for every table named in TABELE, whatever of its table, key, generator, "DATE" columns and
    // foreign keys is missing, and the index of the values' texts.
    void CreeazaStructuriTabele();
    void InregistreazaTipuriDeDate();
    // Recomputes the selectivity of every index, so that lookups keep their plan as the tables grow.
    void ActualizeazaStatistici();

    // The value of a field for a record, following mirrored fields. Starts and rolls back Tr when it is
    // idle; uses Q1 to Q3.
    QString ValoareCamp(const QString& formular, const QString& pagina, const QString& camp, qint64 id);
    // The same for a record of another table (a school row, `tabel` from the registered tables): the fields of
    // that table are read from the record's own value rows, those of any other table are empty.
    QString ValoareCampInregistrare(const QString& tabel, const QString& formular, const QString& pagina,
                                    const QString& camp, qint64 id);
    // Replaces each "{FORMULAR.PAGINA.CAMP}" by the student's value. Tr must be active.
    QString ParseExp(const QString& expresie, qint64 id);
    // The same for a record of `tabel`, by ValoareCampInregistrare.
    QString ParseExpInregistrare(const QString& expresie, const QString& tabel, qint64 id);

    // Asks for the server's user and password when they are missing or refused, with the reason; returns false
    // when the user gives none. It checks them by connecting and keeps them (UBazaServer) before it returns
    // true. Unset (a program without windows): a missing or refused password is an error.
    std::function<bool(const QString& motiv)> CereAccesServer;

    // Drops the connection, which may be dead (a server stopped and started again), and opens it again with
    // the same name, user and password. An active transaction is lost. Raises the connection's error.
    void Reconecteaza();

    // True when the query, with these text parameters, finds a row. Uses Q1, in the caller's transaction.
    bool Exista(const QString& sql, const QList<QPair<QString, QString>>& parametri);
    // One maintenance step by an existence test: in a transaction of its own, the statements run only when
    // the test query finds nothing.
    void PasStructura(const QString& sqlTest, const QList<QPair<QString, QString>>& parametri,
                      const QStringList& instructiuni);
    // What the system tables name: a table, an index or a generator.
    enum class TObiectStructura
    {
        Tabela,
        Index,
        Generator
    };
    // True when the database holds the object. Uses Q1, in the caller's transaction.
    bool ExistaObiect(TObiectStructura obiect, const QString& nume);
    // PasStructura whose test is the object's name: `instructiune` runs only when the object is missing.
    void CreeazaDacaLipseste(TObiectStructura obiect, const QString& nume, const QString& instructiune);

private:
    QString Conecteaza(const QString& cale, const QStringList& parametri, const QString& motivCopie = {});
    // The register named in the settings, with its own user and the password of the secret store.
    QString ConecteazaServer();
    // An automatic backup into copii/ before the structure changes; raises (and nothing changes) when it fails.
    void CopieInainteDeActualizare(qint64 versiune);
};

// Opens and closes one connection to a server register with this user and password; raises the error the
// start-up would show (a refused password, a server that will not encrypt, one that cannot be reached).
void VerificaAccesServer(const QString& nume, const QString& utilizator, const QString& parola);
// What the "Baza de date" dialog stores. An empty name returns to the file beside the program. Otherwise the
// user and the password (an empty one: the one kept already) are checked by connecting; only then are the
// name and the user written to the registry and the password kept in memory and in the secret store. Returns
// empty, or why the secret store did not keep the password (it then lives in memory only). Raises EEroare
// with a Romanian message, and stores nothing, on a wrong name, a missing user or password, or a refusal.
QString SalveazaAccesServer(const QString& nume, const QString& utilizator, const QString& parola);

// Runs one maintenance step again (up to five times in all) when it meets a lock conflict: each step tests before
// it changes and rolls back its own transaction on an error, so a new round sees what the other desk committed.
void RepetaLaConflict(const std::function<void()>& pas);

// Held while one desk runs the maintenance steps that rewrite shared rows and structures: a desk that starts at
// the same moment waits in the constructor until this one is destroyed. The lock is the version row of
// CONFID_DB, taken in a transaction of its own that never writes; the schema upgrade must come before it.
class TBlocarePornire
{
public:
    explicit TBlocarePornire(TDM& dm);
    ~TBlocarePornire();
    TBlocarePornire(const TBlocarePornire&) = delete;
    TBlocarePornire& operator=(const TBlocarePornire&) = delete;

private:
    TTranzactie m_tranzactie;
    TQuery m_interogare;
};

// The one way to the program's data module: it, or an error when the program runs without one.
TDM& ModululDeDate();
// True while the program has a data module.
bool AreModulDeDate();
