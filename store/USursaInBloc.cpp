#include "store/USursaInBloc.h"

#include "store/UDataModule.h"
#include "store/UEroareBD.h"
#include "store/UInregistrari.h"

bool TSursaInBloc::Profil(const TCheieCamp& cheie, TProfilCamp& profil)
{
    if (CheiePreaLunga(cheie))
        return false;
    if (!m_profilCitit)
        CitesteProfil();
    const auto gasit = m_profil.constFind(Cheie(cheie.Formular, cheie.Pagina, cheie.Camp));
    if (gasit == m_profil.constEnd())
        return false;
    profil = *gasit;
    return true;
}

QString TSursaInBloc::ValoareProprie(const TCheieCamp& cheie, const QString& asociatCu, qint64 id)
{
    if (id != m_idCitit)
        CitesteElev(id);
    const TCheie k = Cheie(cheie.Formular, cheie.Pagina, cheie.Camp);
    const auto rand = m_randuri.constFind(k);
    if (rand == m_randuri.constEnd())
        return {};
    if (asociatCu == u"ELEVI")
        return rand->Valoare;
    // A field of another table: the student's row links (IDF_<table>) to the record that owns the value.
    const auto legatura = rand->Legaturi.constFind(asociatCu);
    if (legatura == rand->Legaturi.constEnd())
        return {};
    return ValoriInregistrare(asociatCu, *legatura).value(k);
}

std::optional<bool> TSursaInBloc::LegatDe(const QString& tabel, qint64 id)
{
    if (id != m_idCitit)
        CitesteElev(id);
    if (!m_coloaneCitite || !m_coloane.contains(tabel))
        return std::nullopt;
    for (const TRand& rand : std::as_const(m_randuri)) {
        if (rand.Legaturi.contains(tabel))
            return true;
    }
    return false;
}

TSursaInBloc::TCheie TSursaInBloc::Cheie(const QString& f, const QString& p, const QString& c)
{
    return TCheie{FaraSpatiiFinale(f), FaraSpatiiFinale(p), FaraSpatiiFinale(c)};
}

TSursaInBloc::TCheie TSursaInBloc::CheieRand(const TQuery& q)
{
    return Cheie(q.FieldByName(QStringLiteral("COD_FORMULAR")).AsString(),
                 q.FieldByName(QStringLiteral("COD_PAGINA")).AsString(),
                 q.FieldByName(QStringLiteral("COD_CAMP")).AsString());
}

void TSursaInBloc::CitesteProfil()
{
    TQuery& q = m_dm.Q1;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("SELECT COD_FORMULAR, COD_PAGINA, COD_CAMP, ONOREZ_SIMILAR, SIMILAR_CU, ASOCIAT_CU "
                            "FROM PROFIL_DIPLOMA"));
    q.Open();
    for (; !q.Eof(); q.Next()) {
        const TCheie cheie = CheieRand(q);
        if (m_profil.contains(cheie))
            continue;
        m_profil.insert(cheie, TProfilCamp{q.FieldByName(QStringLiteral("ONOREZ_SIMILAR")).AsString(),
                                           q.FieldByName(QStringLiteral("SIMILAR_CU")).AsString(),
                                           q.FieldByName(QStringLiteral("ASOCIAT_CU")).AsString()});
    }
    m_tabele = TabeleLegate(m_dm);
    m_profilCitit = true;
}

void TSursaInBloc::CitesteElev(qint64 id)
{
    if (!m_profilCitit)
        CitesteProfil();
    m_randuri.clear();
    m_idCitit = -1;
    TQuery& q = m_dm.Q2;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("SELECT * FROM \"DATE\" WHERE ID_ELEVI=:ID"));
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    q.Open();
    // A table that "DATE" has no link column for resolves to an empty text like any missing link.
    if (!m_coloaneCitite && !q.Eof()) {
        for (const QString& tabel : m_tabele) {
            try {
                q.FieldByName(QStringLiteral("IDF_") + tabel);
                m_coloane << tabel;
            } catch (const EEroareBD&) {
            }
        }
        m_coloaneCitite = true;
    }
    for (; !q.Eof(); q.Next()) {
        const TCheie cheie = CheieRand(q);
        if (m_randuri.contains(cheie))
            continue;
        TRand rand;
        rand.Valoare = q.FieldByName(QStringLiteral("VALOARE_TEXT")).AsString();
        for (const QString& tabel : std::as_const(m_coloane)) {
            const TCamp legatura = q.FieldByName(QStringLiteral("IDF_") + tabel);
            if (!legatura.IsNull())
                rand.Legaturi.insert(tabel, legatura.AsInteger());
        }
        m_randuri.insert(cheie, rand);
    }
    m_idCitit = id;
}

const QHash<TSursaInBloc::TCheie, QString>& TSursaInBloc::ValoriInregistrare(const QString& tabel, qint64 id)
{
    const QString cheieInregistrare = tabel + QLatin1Char('\n') + QString::number(id);
    const auto gasit = m_inregistrari.constFind(cheieInregistrare);
    if (gasit != m_inregistrari.constEnd())
        return *gasit;
    QHash<TCheie, QString> valori;
    TQuery& q = m_dm.Q3;
    const TGardaCursor cursor(q);
    // `tabel` comes from the profile's ASOCIAT_CU, checked against the registered tables.
    q.SetSQL(QStringLiteral("SELECT COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT FROM \"DATE\" WHERE ID_") + tabel +
             QStringLiteral("=:ID"));
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    q.Open();
    for (; !q.Eof(); q.Next()) {
        const TCheie cheie = CheieRand(q);
        if (!valori.contains(cheie))
            valori.insert(cheie, q.FieldByName(QStringLiteral("VALOARE_TEXT")).AsString());
    }
    return *m_inregistrari.insert(cheieInregistrare, valori);
}
