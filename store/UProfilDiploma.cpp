#include "store/UProfilDiploma.h"

#include <QSet>

namespace {
void SeteazaCheie(TQuery& q, const TCheieCamp& cheie)
{
    q.ParamByName(QStringLiteral("COD_FORMULAR")).SetAsString(cheie.Formular);
    q.ParamByName(QStringLiteral("COD_PAGINA")).SetAsString(cheie.Pagina);
    q.ParamByName(QStringLiteral("COD_CAMP")).SetAsString(cheie.Camp);
}

QString Text(const TQuery& q, const QString& coloana)
{
    return q.FieldByName(coloana).AsString();
}

TCheieCamp CheieRand(const TQuery& q)
{
    return {q.FieldByName(QStringLiteral("COD_FORMULAR")).AsString(),
            q.FieldByName(QStringLiteral("COD_PAGINA")).AsString(),
            q.FieldByName(QStringLiteral("COD_CAMP")).AsString()};
}

void CitesteCheia(const TQuery& q, TRandProfil& r)
{
    const TCheieCamp c = CheieRand(q);
    r.COD_FORMULAR = c.Formular;
    r.COD_PAGINA = c.Pagina;
    r.COD_CAMP = c.Camp;
}

// The columns every full reading takes; the caller's statement names them.
void CitesteColoanele(const TQuery& q, TRandProfil& r)
{
    CitesteCheia(q, r);
    const TCamp similar = q.FieldByName(QStringLiteral("SIMILAR_CU"));
    const TCamp onorez = q.FieldByName(QStringLiteral("ONOREZ_SIMILAR"));
    r.SIMILAR_CU = similar.AsString();
    r.SimilarCuNul = similar.IsNull();
    r.ONOREZ_SIMILAR = onorez.AsString();
    r.OnorezSimilarNul = onorez.IsNull();
    r.ETICHETA_EDITOR = Text(q, QStringLiteral("ETICHETA_EDITOR"));
    r.FORMULA = Text(q, QStringLiteral("FORMULA"));
    r.VIZIBIL = Text(q, QStringLiteral("VIZIBIL"));
    r.TIP_DE_DATE = Text(q, QStringLiteral("TIP_DE_DATE"));
    r.ASOCIAT_CU = Text(q, QStringLiteral("ASOCIAT_CU"));
    r.GRUP = Text(q, QStringLiteral("GRUP"));
    r.LATIME_SUGERATA = int(q.FieldByName(QStringLiteral("LATIME_SUGERATA")).AsInteger());
    r.COD_LINIE = Text(q, QStringLiteral("COD_LINIE"));
}
} // namespace

void ScrieTabeleInregistrate(TDM& dm, const QList<TLinieTabel>& tabele)
{
    TQuery& q = dm.Q1;
    const TGardaCursor cursor(q);
    for (const TLinieTabel& t : tabele) {
        q.SetSQL(QStringLiteral("select    * from    TABELE where    (NUME_TABEL = :NUME_TABEL)"));
        q.ParamByName(QStringLiteral("NUME_TABEL")).SetAsString(t.NUME_TABEL);
        q.Open();
        const bool exista = !q.Eof();
        q.SetSQL(exista ? QStringLiteral("update    TABELE set    NUME_TABEL = :NUME_TABEL, EXP_DENUMIRE = "
                                         ":EXP_DENUMIRE where    (NUME_TABEL = :NUME_TABEL)")
                        : QStringLiteral("insert into    TABELE    (NUME_TABEL, EXP_DENUMIRE) values    "
                                         "(:NUME_TABEL, :EXP_DENUMIRE)"));
        q.ParamByName(QStringLiteral("NUME_TABEL")).SetAsString(t.NUME_TABEL);
        q.ParamByName(QStringLiteral("EXP_DENUMIRE")).SetAsString(t.EXP_DENUMIRE);
        q.ExecSQL();
    }
}

void RescrieProfil(TDM& dm, const QList<TLinieProfilDiploma>& linii)
{
    TQuery& q = dm.Q1;
    const TGardaCursor cursor(q);
    auto cheie = [](const QString& f, const QString& p, const QString& c) { return f + u'\x1f' + p + u'\x1f' + c; };
    QSet<QString> chei;
    for (const TLinieProfilDiploma& l : linii) {
        chei.insert(cheie(l.COD_FORMULAR, l.COD_PAGINA, l.COD_CAMP));
        q.SetSQL(QStringLiteral("select    * from    PROFIL_DIPLOMA where    (COD_FORMULAR = :COD_FORMULAR) and "
                                "(COD_PAGINA = :COD_PAGINA) and (COD_CAMP = :COD_CAMP)"));
        SeteazaCheie(q, {l.COD_FORMULAR, l.COD_PAGINA, l.COD_CAMP});
        q.Open();
        const bool exista = !q.Eof();
        if (!exista)
            q.SetSQL(QStringLiteral(
                "insert into    PROFIL_DIPLOMA    (COD_FORMULAR, COD_PAGINA, COD_CAMP, SIMILAR_CU, ONOREZ_SIMILAR,  "
                "  ETICHETA_EDITOR, FORMULA, VIZIBIL, TIP_DE_DATE, ASOCIAT_CU, GRUP, LATIME_SUGERATA, COD_LINIE, "
                "ORDINE) values    (:COD_FORMULAR, :COD_PAGINA, :COD_CAMP, :SIMILAR_CU, 'DA',    :ETICHETA_EDITOR, "
                ":FORMULA, :VIZIBIL, :TIP_DE_DATE, :ASOCIAT_CU, :GRUP, :LATIME_SUGERATA, :COD_LINIE, :ORDINE)"));
        else
            q.SetSQL(QStringLiteral(
                "update    PROFIL_DIPLOMA set    SIMILAR_CU = :SIMILAR_CU, ETICHETA_EDITOR = :ETICHETA_EDITOR,    "
                "FORMULA = :FORMULA, VIZIBIL = :VIZIBIL, TIP_DE_DATE = :TIP_DE_DATE,    ASOCIAT_CU = :ASOCIAT_CU, "
                "GRUP = :GRUP, LATIME_SUGERATA=:LATIME_SUGERATA, COD_LINIE=:COD_LINIE, ORDINE=:ORDINE where    "
                "(COD_FORMULAR = :COD_FORMULAR) and (COD_PAGINA = :COD_PAGINA) and (COD_CAMP = :COD_CAMP)"));
        SeteazaCheie(q, {l.COD_FORMULAR, l.COD_PAGINA, l.COD_CAMP});
        q.ParamByName(QStringLiteral("SIMILAR_CU")).SetAsString(l.SIMILAR_CU);
        q.ParamByName(QStringLiteral("ETICHETA_EDITOR")).SetAsString(l.ETICHETA_EDITOR);
        q.ParamByName(QStringLiteral("FORMULA")).SetAsString(l.FORMULA);
        q.ParamByName(QStringLiteral("VIZIBIL")).SetAsString(l.VIZIBIL);
        q.ParamByName(QStringLiteral("TIP_DE_DATE")).SetAsString(l.TIP_DE_DATE);
        q.ParamByName(QStringLiteral("ASOCIAT_CU")).SetAsString(l.ASOCIAT_CU);
        q.ParamByName(QStringLiteral("GRUP")).SetAsString(l.GRUP);
        q.ParamByName(QStringLiteral("LATIME_SUGERATA")).SetAsInteger(l.LATIME_SUGERATA);
        q.ParamByName(QStringLiteral("COD_LINIE")).SetAsString(l.COD_LINIE);
        q.ParamByName(QStringLiteral("ORDINE")).SetAsInteger(l.ORDINE);
        q.ExecSQL();
    }

    q.SetSQL(QStringLiteral("select COD_FORMULAR, COD_PAGINA, COD_CAMP from PROFIL_DIPLOMA"));
    q.Open();
    TQuery& sterge = dm.Q2;
    sterge.SetSQL(QStringLiteral("delete from PROFIL_DIPLOMA where (COD_FORMULAR = :COD_FORMULAR) and (COD_PAGINA = "
                                 ":COD_PAGINA) and (COD_CAMP = :COD_CAMP)"));
    while (!q.Eof()) {
        const TCheieCamp c = CheieRand(q);
        if (!chei.contains(cheie(c.Formular, c.Pagina, c.Camp))) {
            SeteazaCheie(sterge, c);
            sterge.ExecSQL();
        }
        q.Next();
    }
}

QList<TRandProfil> RanduriProfil(TDM& dm)
{
    QList<TRandProfil> randuri;
    TQuery& q = dm.Q1;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select    COD_FORMULAR, COD_PAGINA, COD_CAMP, ASOCIAT_CU, ONOREZ_SIMILAR, "
                            "ETICHETA_EDITOR from    PROFIL_DIPLOMA "));
    q.Open();
    for (; !q.Eof(); q.Next()) {
        TRandProfil r;
        CitesteCheia(q, r);
        r.ETICHETA_EDITOR = Text(q, QStringLiteral("ETICHETA_EDITOR"));
        r.ONOREZ_SIMILAR = Text(q, QStringLiteral("ONOREZ_SIMILAR"));
        r.ASOCIAT_CU = Text(q, QStringLiteral("ASOCIAT_CU"));
        randuri << r;
    }
    return randuri;
}

QList<TRandProfil> RanduriProfilTabel(TDM& dm, const QString& asociatCu)
{
    QList<TRandProfil> randuri;
    TQuery& q = dm.Q6;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select    COD_FORMULAR, COD_PAGINA, COD_CAMP, SIMILAR_CU, ONOREZ_SIMILAR,    "
                            "ETICHETA_EDITOR, FORMULA, VIZIBIL, TIP_DE_DATE, ASOCIAT_CU, GRUP, LATIME_SUGERATA, "
                            "COD_LINIE from    PROFIL_DIPLOMA where    ASOCIAT_CU = :ASOCIAT_CU"));
    q.ParamByName(QStringLiteral("ASOCIAT_CU")).SetAsString(asociatCu);
    q.Open();
    for (; !q.Eof(); q.Next()) {
        TRandProfil r;
        CitesteColoanele(q, r);
        randuri << r;
    }
    return randuri;
}

bool CitesteRandProfil(TDM& dm, const TCheieCamp& cheie, TRandProfil& rand)
{
    TQuery& q = dm.Q1;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("select    ONOREZ_SIMILAR, ASOCIAT_CU from    PROFIL_DIPLOMA where    (COD_FORMULAR = "
                            ":COD_FORMULAR) and (COD_PAGINA = :COD_PAGINA) and (COD_CAMP = :COD_CAMP)"));
    SeteazaCheie(q, cheie);
    q.Open();
    if (q.Eof())
        return false;
    rand.COD_FORMULAR = cheie.Formular;
    rand.COD_PAGINA = cheie.Pagina;
    rand.COD_CAMP = cheie.Camp;
    rand.ONOREZ_SIMILAR = Text(q, QStringLiteral("ONOREZ_SIMILAR"));
    rand.ASOCIAT_CU = Text(q, QStringLiteral("ASOCIAT_CU"));
    return true;
}

void ModificaRandProfil(TDM& dm, const TCheieCamp& cheie, const QString& onorezSimilar, const QString& asociatCu)
{
    TQuery& q = dm.Q1;
    q.SetSQL(QStringLiteral("update    PROFIL_DIPLOMA set    ONOREZ_SIMILAR = :ONOREZ_SIMILAR, ASOCIAT_CU = "
                            ":ASOCIAT_CU where    (COD_FORMULAR = :COD_FORMULAR)    and    (COD_PAGINA = "
                            ":COD_PAGINA)    and    (COD_CAMP = :COD_CAMP)"));
    q.ParamByName(QStringLiteral("ONOREZ_SIMILAR")).SetAsString(onorezSimilar);
    q.ParamByName(QStringLiteral("ASOCIAT_CU")).SetAsString(asociatCu);
    SeteazaCheie(q, cheie);
    q.ExecSQL();
}

QList<TRandProfil> RanduriProfilDeImport(TDM& dm)
{
    QList<TRandProfil> randuri;
    TQuery& q = dm.Q1;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("SELECT * FROM PROFIL_DIPLOMA WHERE (ASOCIAT_CU = 'ELEVI') AND "
                            "(COALESCE(SIMILAR_CU, '') = '') ORDER BY ORDINE"));
    q.Open();
    for (; !q.Eof(); q.Next()) {
        TRandProfil r;
        CitesteColoanele(q, r);
        r.ORDINE = int(q.FieldByName(QStringLiteral("ORDINE")).AsInteger());
        randuri << r;
    }
    return randuri;
}

bool CampCnpDinProfil(TDM& dm, TCheieCamp& cheie)
{
    TQuery& q = dm.Q1;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("SELECT * FROM PROFIL_DIPLOMA WHERE TIP_DE_DATE = 'CNP'"));
    q.Open();
    if (q.Eof())
        return false;
    cheie = CheieRand(q);
    return true;
}

bool TipDeDateCamp(TDM& dm, const TCheieCamp& cheie, QString& tip)
{
    TQuery& q = dm.Q4;
    const TGardaCursor cursor(q);
    q.SetSQL(QStringLiteral("SELECT TIP_DE_DATE FROM PROFIL_DIPLOMA WHERE (COD_FORMULAR=:COD_FORMULAR) AND "
                            "(COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP)"));
    SeteazaCheie(q, cheie);
    q.Open();
    if (q.Eof())
        return false;
    tip = q.FieldByName(QStringLiteral("TIP_DE_DATE")).AsString();
    return true;
}
