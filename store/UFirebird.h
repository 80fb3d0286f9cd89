#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <type_traits>

// A small query layer over the Firebird client library: one connection, transactions, and query objects
// that take SQL text with named parameters (":NAME", names such as ":RDB$RELATION_NAME" included).
// Firebird's own headers stay inside this folder's .cpp files.

class TConexiune;
class TQuery;
class TTranzactie;

// Value of one column of the current row.
class TCamp
{
public:
    bool IsNull() const { return m_nul; }
    // NULL reads as an empty text; CHAR columns lose their trailing padding.
    QString AsString() const;
    // NULL reads as 0; a text that is not a whole number raises a conversion error.
    qint64 AsInteger() const;
    double AsFloat() const;

private:
    friend class TQuery;
    bool m_nul = true;
    bool m_numeric = false;
    QString m_text;
    qint64 m_intreg = 0;
    int m_scara = 0;
    double m_real = 0;
    bool m_esteReal = false;
    QString m_numeCamp;
};

// A named parameter of a query; unset parameters travel as NULL.
class TParametru
{
public:
    void SetAsString(const QString& valoare);
    void SetAsInteger(qint64 valoare);
    void Clear();

private:
    friend class TQuery;
    enum TTip
    {
        Nul,
        Text,
        Intreg
    };
    QString m_nume;
    TTip m_tip = Nul;
    QString m_text;
    QByteArray m_utf8;
    qint64 m_intreg = 0;
};

class TConexiune
{
public:
    TConexiune();
    ~TConexiune();
    TConexiune(const TConexiune&) = delete;
    TConexiune& operator=(const TConexiune&) = delete;

    // The database file (or "host:path"); parameters are lines "NAME=value" (USER_NAME, password, and
    // WireCrypt with Required, Enabled or Disabled: the client's wire encryption for this connection;
    // connect_timeout: the seconds a server has to answer).
    void SetDatabaseName(const QString& cale) { m_cale = cale; }
    QString DatabaseName() const { return m_cale; }
    QStringList& Params() { return m_parametri; }

    void Open();
    void Close();
    bool Connected() const;

    // Creates a new, empty database file with UTF8 as its default character set.
    static void CreeazaBazaDeDate(const QString& cale, const QString& utilizator, const QString& parola);

private:
    friend class TTranzactie;
    friend class TQuery;
    struct TImpl;
    std::unique_ptr<TImpl> d;
    QString m_cale;
    QStringList m_parametri;
    QList<TQuery*> m_interogari;
};

// Why an operation is refused while another one holds the transaction.
QString TextOperatieNeincheiata();

class TTranzactie
{
public:
    explicit TTranzactie(TConexiune& conexiune);
    ~TTranzactie();
    TTranzactie(const TTranzactie&) = delete;
    TTranzactie& operator=(const TTranzactie&) = delete;

    void StartTransaction();
    // Both close every open result set of the connection first.
    void Commit();
    // Does nothing when no transaction is active.
    void Rollback();
    bool InTransaction() const;

private:
    friend class TQuery;
    struct TImpl;
    std::unique_ptr<TImpl> d;
    TConexiune& m_conexiune;
};

// Starts a transaction and rolls it back when it leaves scope uncommitted (an error, an early return).
// The destructor never throws: a rollback that fails there (a broken connection) is dropped, since the
// error that is already travelling is the one to show.
// Refused with TextOperatieNeincheiata while another operation holds the transaction, whose work stays as it is.
class TGardaTranzactie
{
public:
    explicit TGardaTranzactie(TTranzactie& tranzactie);
    ~TGardaTranzactie();
    TGardaTranzactie(const TGardaTranzactie&) = delete;
    TGardaTranzactie& operator=(const TGardaTranzactie&) = delete;

    void Commit();
    // Ends a read-only transaction now; the destructor then has nothing left to do.
    void Rollback();
    // Leaves the transaction open for its owner, who ends it later (a lock held for a while).
    void Pastreaza() { m_incheiata = true; }

private:
    TTranzactie& m_tranzactie;
    bool m_incheiata = false;
};

// Runs `pas` as one operation in a transaction of its own, committed when it returns and rolled back when it
// throws (refused as above while another operation holds the transaction).
template <typename F> auto InTranzactie(TTranzactie& tranzactie, F pas)
{
    TGardaTranzactie garda(tranzactie);
    if constexpr (std::is_void_v<decltype(pas())>) {
        pas();
        garda.Commit();
    } else {
        auto r = pas();
        garda.Commit();
        return r;
    }
}

// The guard of an operation that only reads: starts the transaction (refused as above while another operation
// holds it) and rolls it back when it leaves scope. A routine that reads for its caller (the value resolution)
// passes FolosesteDeschisa: it then reads in the caller's transaction when there is one and leaves it as it is.
class TGardaCitire
{
public:
    enum TMod
    {
        Proprie,
        FolosesteDeschisa
    };
    explicit TGardaCitire(TTranzactie& tranzactie, TMod mod = Proprie);
    ~TGardaCitire();
    TGardaCitire(const TGardaCitire&) = delete;
    TGardaCitire& operator=(const TGardaCitire&) = delete;

private:
    TTranzactie& m_tranzactie;
    bool m_pornita = false;
};

class TQuery
{
public:
    TQuery(TConexiune& conexiune, TTranzactie& tranzactie);
    ~TQuery();
    TQuery(const TQuery&) = delete;
    TQuery& operator=(const TQuery&) = delete;

    // Setting a different text closes the query and forgets the parameter values. A text used before keeps
    // its prepared statement, so running it again costs no new prepare.
    void SetSQL(const QString& text);
    const QString& SQL() const { return m_sql; }
    // Case-insensitive, as parameter names are in SQL.
    TParametru& ParamByName(const QString& nume);

    void Open();
    bool Eof() const { return m_eof; }
    void Next();
    void Close();
    bool Active() const { return m_deschis; }
    // Runs a statement that returns no rows.
    void ExecSQL();

    TCamp FieldByName(const QString& nume) const;
    int FieldCount() const;
    // For reading many rows: a column's position in the open query, once, then its value by position.
    int IndexColoana(const QString& nume) const;
    TCamp Camp(int index) const;
    // A text column's bytes as the engine holds them (UTF-8, without a CHAR's padding), valid until the next
    // row; empty for NULL.
    QByteArrayView TextBrut(int index) const;

    // Forgets every prepared statement (called before structure changes, which prepared statements block).
    void ElibereazaPregatite();

private:
    struct TPregatit;
    TPregatit* Pregateste();
    void LeagaParametri(TPregatit& p);
    void Citeste();

    TConexiune& m_conexiune;
    TTranzactie& m_tranzactie;
    QString m_sql;
    QList<TParametru> m_parametri;
    TPregatit* m_curent = nullptr;
    QList<TPregatit*> m_pregatite;
    void* m_cursor = nullptr;
    bool m_deschis = false;
    bool m_eof = true;
};

// Closes a query's result set when it leaves scope, whichever way (the end of a reading, a return, an error), so
// that the next user of the query object never finds it open. Made before Open.
class TGardaCursor
{
public:
    explicit TGardaCursor(TQuery& q) : m_q(q) {}
    ~TGardaCursor();
    TGardaCursor(const TGardaCursor&) = delete;
    TGardaCursor& operator=(const TGardaCursor&) = delete;

private:
    TQuery& m_q;
};
