#include "profile/UProfil.h"

#include "platform/UEroare.h"
#include "store/UDataModule.h"

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
    TDM& dm = ModululDeDate();
    TGardaTranzactie garda(dm.Tr);
    ScrieTabeleInregistrate(dm, lista->Linii());
    garda.Commit();
}

void ActualizeazaProfil()
{
    const TClasaProfil* clasa = ProfilInregistrat();
    if (!clasa)
        throw EEroare(QStringLiteral("Nu ai inclus nici o \"lista profil\""));
    const std::unique_ptr<TListaLiniiProfilDiploma> lista = clasa->Creeaza();
    TDM& dm = ModululDeDate();
    TGardaTranzactie garda(dm.Tr);
    RescrieProfil(dm, lista->Linii());
    garda.Commit();
}
