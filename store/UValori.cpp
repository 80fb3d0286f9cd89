#include "store/UDataModule.h"

#include "store/UEroareBD.h"
#include "store/URezolvare.h"

namespace {
const QString SqlProfil = QStringLiteral("SELECT * FROM PROFIL_DIPLOMA WHERE (COD_FORMULAR=:COD_FORMULAR) AND "
                                         "(COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP)");
const QString SqlValoareElev = QStringLiteral("SELECT * FROM \"DATE\" WHERE (COD_FORMULAR=:COD_FORMULAR) AND "
                                              "(COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP) AND (ID_ELEVI=:ID)");

void SeteazaCheie(TQuery& q, const TCheieCamp& cheie)
{
    q.ParamByName(QStringLiteral("COD_FORMULAR")).SetAsString(cheie.Formular);
    q.ParamByName(QStringLiteral("COD_PAGINA")).SetAsString(cheie.Pagina);
    q.ParamByName(QStringLiteral("COD_CAMP")).SetAsString(cheie.Camp);
}

// One lookup per question: Q1 for the profile row (closed before a mirror is followed), Q2 for the
// student's row, Q3 for the linked row.
class TSursaBazaDeDate : public TSursaValori
{
public:
    // `tabel` is the table of the record resolved: ELEVI, or a table from the registered list.
    TSursaBazaDeDate(TDM& dm, const QString& tabel) : m_dm(dm), m_tabel(tabel) {}

    bool Profil(const TCheieCamp& cheie, TProfilCamp& profil) override
    {
        if (CheiePreaLunga(cheie))
            return false;
        TQuery& q = m_dm.Q1;
        const TGardaCursor cursor(q);
        q.SetSQL(SqlProfil);
        SeteazaCheie(q, cheie);
        q.Open();
        const bool gasit = !q.Eof();
        if (gasit) {
            profil.OnorezSimilar = q.FieldByName(QStringLiteral("ONOREZ_SIMILAR")).AsString();
            profil.SimilarCu = q.FieldByName(QStringLiteral("SIMILAR_CU")).AsString();
            profil.AsociatCu = q.FieldByName(QStringLiteral("ASOCIAT_CU")).AsString();
        }
        return gasit;
    }

    QString ValoareProprie(const TCheieCamp& cheie, const QString& asociatCu, qint64 id) override
    {
        if (m_tabel != u"ELEVI")
            return ValoareInregistrare(cheie, asociatCu, id);
        TCamp legatura;
        {
            TQuery& q2 = m_dm.Q2;
            const TGardaCursor cursor(q2);
            q2.SetSQL(SqlValoareElev);
            SeteazaCheie(q2, cheie);
            q2.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
            q2.Open();
            if (q2.Eof())
                return {};
            if (asociatCu == u"ELEVI")
                return q2.FieldByName(QStringLiteral("VALOARE_TEXT")).AsString();
            // A field of another table: the student's row links (IDF_<table>) to the record that owns the value.
            // A table that "DATE" has no columns for resolves to an empty text like any missing link.
            try {
                legatura = q2.FieldByName(QStringLiteral("IDF_") + asociatCu);
            } catch (const EEroareBD&) {
                return {};
            }
        }
        if (legatura.IsNull())
            return {};
        TQuery& q3 = m_dm.Q3;
        const TGardaCursor cursor(q3);
        q3.SetSQL(
            QStringLiteral("SELECT * FROM \"DATE\" WHERE (COD_FORMULAR=:COD_FORMULAR) AND (COD_PAGINA=:COD_PAGINA) "
                           "AND (COD_CAMP=:COD_CAMP) AND (ID_") +
            asociatCu + QStringLiteral("=:ID)"));
        SeteazaCheie(q3, cheie);
        q3.ParamByName(QStringLiteral("ID")).SetAsInteger(legatura.AsInteger());
        q3.Open();
        return q3.Eof() ? QString() : q3.FieldByName(QStringLiteral("VALOARE_TEXT")).AsString();
    }

private:
    // A record of another table (a school row) owns the values of its table's fields and links to nothing.
    QString ValoareInregistrare(const TCheieCamp& cheie, const QString& asociatCu, qint64 id)
    {
        if (asociatCu != m_tabel)
            return {};
        TQuery& q2 = m_dm.Q2;
        const TGardaCursor cursor(q2);
        q2.SetSQL(
            QStringLiteral("SELECT * FROM \"DATE\" WHERE (COD_FORMULAR=:COD_FORMULAR) AND (COD_PAGINA=:COD_PAGINA) "
                           "AND (COD_CAMP=:COD_CAMP) AND (ID_") +
            m_tabel + QStringLiteral("=:ID)"));
        SeteazaCheie(q2, cheie);
        q2.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
        q2.Open();
        return q2.Eof() ? QString() : q2.FieldByName(QStringLiteral("VALOARE_TEXT")).AsString();
    }

    TDM& m_dm;
    QString m_tabel;
};
} // namespace

QHash<QString, TProfilCamp> ProfilulCampurilor(TDM& dm)
{
    QHash<QString, TProfilCamp> profil;
    TQuery& q = dm.Q1;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("SELECT COD_FORMULAR, COD_PAGINA, COD_CAMP, ONOREZ_SIMILAR, SIMILAR_CU, ASOCIAT_CU FROM "
                            "PROFIL_DIPLOMA"));
    for (q.Open(); !q.Eof(); q.Next()) {
        const QString cheie = UnesteCheie({q.FieldByName(QStringLiteral("COD_FORMULAR")).AsString(),
                                           q.FieldByName(QStringLiteral("COD_PAGINA")).AsString(),
                                           q.FieldByName(QStringLiteral("COD_CAMP")).AsString()});
        profil.insert(cheie, TProfilCamp{q.FieldByName(QStringLiteral("ONOREZ_SIMILAR")).AsString(),
                                         q.FieldByName(QStringLiteral("SIMILAR_CU")).AsString(),
                                         q.FieldByName(QStringLiteral("ASOCIAT_CU")).AsString()});
    }
    return profil;
}

QString TDM::ValoareCamp(const QString& formular, const QString& pagina, const QString& camp, qint64 id)
{
    return ValoareCampInregistrare(QStringLiteral("ELEVI"), formular, pagina, camp, id);
}

QString TDM::ValoareCampInregistrare(const QString& tabel, const QString& formular, const QString& pagina,
                                     const QString& camp, qint64 id)
{
    // Q1 to Q3 belong to the resolution: a caller iterating on one of them would lose its rows here.
    Q_ASSERT_X(!Q1.Active() && !Q2.Active() && !Q3.Active(), "ValoareCamp",
               "the caller keeps a result set open on Q1, Q2 or Q3");
    const TGardaCitire citire(Tr, TGardaCitire::FolosesteDeschisa);
    TSursaBazaDeDate sursa(*this, tabel);
    return RezolvaValoare(sursa, TCheieCamp{formular, pagina, camp}, id);
}
