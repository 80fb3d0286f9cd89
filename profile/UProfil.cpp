#include "profile/UProfil.h"

#include "platform/UEroare.h"
#include "store/UDataModule.h"

#include <QSet>

namespace {
const TClasaProfil* g_profil = nullptr;
const TClasaTabele* g_tabele = nullptr;
const QString MesajDejaInregistrat = QStringLiteral("Am inregistrat deja un profil de diploma: ");
} // namespace

void TListaLiniiProfilDiploma::AdaugaLinie(const QString& codFormular, const QString& codPagina, const QString& codCamp,
                                           const QString& etichetaEditor, const QString& formula,
                                           const QString& vizibil, const QString& tipDeDate, const QString& asociatCu,
                                           const QString& similarCu, int latimeSugerata, const QString& codLinie)
{
    TLinieProfilDiploma l;
    l.COD_FORMULAR = codFormular;
    l.COD_PAGINA = codPagina;
    l.COD_CAMP = codCamp;
    l.ETICHETA_EDITOR = etichetaEditor;
    l.FORMULA = formula;
    l.VIZIBIL = vizibil;
    l.TIP_DE_DATE = tipDeDate;
    l.ASOCIAT_CU = asociatCu;
    l.SIMILAR_CU = similarCu;
    l.LATIME_SUGERATA = latimeSugerata;
    l.COD_LINIE = codLinie;
    m_linii << l;
    m_linii.last().ORDINE = int(m_linii.size());
}

QString TClasaProfil::ListaCampuriElev() const
{
    throw EEroare(QStringLiteral("Nu ai definit %1.ListaCampuriElev; Lista trebuie sa fie de tipul "
                                 "\"{FORMULAR.PAG.CAMP} {FORMULAR.PAG.CAMP}\"")
                      .arg(Nume()));
}

QString TClasaProfil::ListaCampuriGeneric() const
{
    throw EEroare(QStringLiteral("Nu ai definit %1.ListaCampuriGeneric; Lisra trebuie sa fie de tipul "
                                 "\"{FORMULAR.PAG.CAMP} {FORMULAR.PAG.CAMP}\"")
                      .arg(Nume()));
}

void TListaLiniiTabel::AdaugaTabel(const QString& numeTabel, const QString& expDenumire)
{
    m_linii << TLinieTabel{numeTabel, expDenumire};
}

void InregistreazaProfil(const TClasaProfil* clasa)
{
    if (g_profil)
        throw EEroare(MesajDejaInregistrat + g_profil->Nume());
    g_profil = clasa;
}

void InregistreazaTabele(const TClasaTabele* clasa)
{
    if (g_tabele)
        throw EEroare(MesajDejaInregistrat + g_tabele->Nume());
    g_tabele = clasa;
}

const TClasaProfil* ProfilInregistrat()
{
    return g_profil;
}

const TClasaTabele* TabeleInregistrate()
{
    return g_tabele;
}

void UitaInregistrarile()
{
    g_profil = nullptr;
    g_tabele = nullptr;
}

TEticheta CitesteEticheta(const QString& etichetaEditor)
{
    enum
    {
        Eticheta,
        Grup,
        Parte,
        Gata
    } stare = Eticheta;
    TEticheta r;
    for (const QChar c : etichetaEditor) {
        switch (stare) {
        case Eticheta:
            if (c == u'[')
                stare = Grup;
            else if (c == u'{')
                stare = Parte;
            else
                r.Eticheta += c;
            break;
        case Grup:
            if (c == u']')
                stare = Eticheta;
            else
                r.Grup += c;
            break;
        case Parte:
            if (c == u'}')
                stare = Gata;
            else
                r.Parte += c;
            break;
        case Gata:
            break;
        }
    }
    return r;
}

QString SeparaCuvinte(const QString& text)
{
    QString r;
    r.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (c >= u'A' && c <= u'Z')
            r += u' ';
        r += c;
    }
    return r;
}

void ActualizeazaListaTabele()
{
    const TClasaTabele* clasa = TabeleInregistrate();
    if (!clasa)
        throw EEroare(QStringLiteral("Nu ai inclus nici o \"lista tabel\""));
    const std::unique_ptr<TListaLiniiTabel> lista = clasa->Creeaza();
    TQuery& q = DM->Q1;
    TGardaTranzactie garda(DM->Tr);
    const TGardaCursor cursor(q);
    for (const TLinieTabel& t : lista->Linii()) {
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
    garda.Commit();
}

void ActualizeazaProfil()
{
    const TClasaProfil* clasa = ProfilInregistrat();
    if (!clasa)
        throw EEroare(QStringLiteral("Nu ai inclus nici o \"lista profil\""));
    const std::unique_ptr<TListaLiniiProfilDiploma> lista = clasa->Creeaza();
    TQuery& q = DM->Q1;
    auto cheie = [](const QString& f, const QString& p, const QString& c) { return f + u'\x1f' + p + u'\x1f' + c; };
    QSet<QString> chei;
    TGardaTranzactie garda(DM->Tr);
    const TGardaCursor cursor(q);
    for (const TLinieProfilDiploma& l : lista->Linii()) {
        chei.insert(cheie(l.COD_FORMULAR, l.COD_PAGINA, l.COD_CAMP));
        q.SetSQL(QStringLiteral("select    * from    PROFIL_DIPLOMA where    (COD_FORMULAR = :COD_FORMULAR) and "
                                "(COD_PAGINA = :COD_PAGINA) and (COD_CAMP = :COD_CAMP)"));
        q.ParamByName(QStringLiteral("COD_FORMULAR")).SetAsString(l.COD_FORMULAR);
        q.ParamByName(QStringLiteral("COD_PAGINA")).SetAsString(l.COD_PAGINA);
        q.ParamByName(QStringLiteral("COD_CAMP")).SetAsString(l.COD_CAMP);
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
        q.ParamByName(QStringLiteral("COD_FORMULAR")).SetAsString(l.COD_FORMULAR);
        q.ParamByName(QStringLiteral("COD_PAGINA")).SetAsString(l.COD_PAGINA);
        q.ParamByName(QStringLiteral("COD_CAMP")).SetAsString(l.COD_CAMP);
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
    TQuery& sterge = DM->Q2;
    sterge.SetSQL(QStringLiteral("delete from PROFIL_DIPLOMA where (COD_FORMULAR = :COD_FORMULAR) and (COD_PAGINA = "
                                 ":COD_PAGINA) and (COD_CAMP = :COD_CAMP)"));
    while (!q.Eof()) {
        const QString f = q.FieldByName(QStringLiteral("COD_FORMULAR")).AsString();
        const QString p = q.FieldByName(QStringLiteral("COD_PAGINA")).AsString();
        const QString c = q.FieldByName(QStringLiteral("COD_CAMP")).AsString();
        if (!chei.contains(cheie(f, p, c))) {
            sterge.ParamByName(QStringLiteral("COD_FORMULAR")).SetAsString(f);
            sterge.ParamByName(QStringLiteral("COD_PAGINA")).SetAsString(p);
            sterge.ParamByName(QStringLiteral("COD_CAMP")).SetAsString(c);
            sterge.ExecSQL();
        }
        q.Next();
    }
    garda.Commit();
}
