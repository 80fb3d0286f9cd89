#include "store/UDataModule.h"

#include "store/UEroareBD.h"

namespace {
// Mirror chains longer than this are taken as a loop in the stored profile and resolve to an empty text.
const int AdancimeMaximaOglinzi = 16;

const QString SqlProfil = QStringLiteral("SELECT * FROM PROFIL_DIPLOMA WHERE (COD_FORMULAR=:COD_FORMULAR) AND "
                                         "(COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP)");
const QString SqlValoareElev = QStringLiteral("SELECT * FROM \"DATE\" WHERE (COD_FORMULAR=:COD_FORMULAR) AND "
                                              "(COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP) AND (ID_ELEVI=:ID)");

void SeteazaCheie(TQuery& q, const QString& formular, const QString& pagina, const QString& camp)
{
    q.ParamByName(QStringLiteral("COD_FORMULAR")).SetAsString(formular);
    q.ParamByName(QStringLiteral("COD_PAGINA")).SetAsString(pagina);
    q.ParamByName(QStringLiteral("COD_CAMP")).SetAsString(camp);
}
} // namespace

QString TDM::ValoareCamp(const QString& formular, const QString& pagina, const QString& camp, qint64 id)
{
    const bool pornitAici = !Tr.InTransaction();
    if (pornitAici)
        Tr.StartTransaction();
    try {
        QString rezultat;
        Q1.SetSQL(SqlProfil);
        SeteazaCheie(Q1, formular, pagina, camp);
        Q1.Open();
        if (!Q1.Eof()) {
            const QString onorez = Q1.FieldByName(QStringLiteral("ONOREZ_SIMILAR")).AsString();
            const QString similar = Q1.FieldByName(QStringLiteral("SIMILAR_CU")).AsString();
            const QString asociat = Q1.FieldByName(QStringLiteral("ASOCIAT_CU")).AsString();
            // The nested resolution of a mirror reuses Q1.
            Q1.Close();
            const bool propriu = onorez.toUpper() == u"NU" || onorez.isEmpty() || similar.trimmed().isEmpty();
            if (propriu) {
                rezultat = ValoareProprie(formular, pagina, camp, asociat, id);
            } else {
                if (onorez == u"OPTIONAL")
                    rezultat = ValoareProprie(formular, pagina, camp, asociat, id);
                if (rezultat.isEmpty() && m_adancime < AdancimeMaximaOglinzi) {
                    const TCheieCamp oglinda = DesparteCheie(similar);
                    ++m_adancime;
                    try {
                        rezultat = ValoareCamp(oglinda.Formular, oglinda.Pagina, oglinda.Camp, id);
                    } catch (...) {
                        --m_adancime;
                        throw;
                    }
                    --m_adancime;
                }
            }
        }
        Q1.Close();
        if (pornitAici)
            Tr.Rollback();
        return rezultat;
    } catch (...) {
        if (pornitAici)
            Tr.Rollback();
        throw;
    }
}

QString TDM::ValoareProprie(const QString& formular, const QString& pagina, const QString& camp,
                            const QString& asociatCu, qint64 id)
{
    Q2.SetSQL(SqlValoareElev);
    SeteazaCheie(Q2, formular, pagina, camp);
    Q2.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    Q2.Open();
    if (Q2.Eof()) {
        Q2.Close();
        return {};
    }
    if (asociatCu == u"ELEVI") {
        const QString valoare = Q2.FieldByName(QStringLiteral("VALOARE_TEXT")).AsString();
        Q2.Close();
        return valoare;
    }
    // A field of another table: the student's row links (IDF_<table>) to the record that owns the value.
    // A table name that "DATE" has no columns for resolves to an empty text like any missing link.
    const QString coloanaLegatura = QStringLiteral("IDF_") + asociatCu;
    TCamp legatura;
    try {
        legatura = Q2.FieldByName(coloanaLegatura);
    } catch (const EEroareBD&) {
        Q2.Close();
        return {};
    }
    Q2.Close();
    if (legatura.IsNull())
        return {};
    Q3.SetSQL(QStringLiteral("SELECT * FROM \"DATE\" WHERE (COD_FORMULAR=:COD_FORMULAR) AND (COD_PAGINA=:COD_PAGINA) "
                             "AND (COD_CAMP=:COD_CAMP) AND (ID_") +
              asociatCu + QStringLiteral("=:ID)"));
    SeteazaCheie(Q3, formular, pagina, camp);
    Q3.ParamByName(QStringLiteral("ID")).SetAsInteger(legatura.AsInteger());
    Q3.Open();
    const QString valoare = Q3.Eof() ? QString() : Q3.FieldByName(QStringLiteral("VALOARE_TEXT")).AsString();
    Q3.Close();
    return valoare;
}
