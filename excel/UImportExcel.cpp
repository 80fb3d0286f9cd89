#include "excel/UImportExcel.h"

#include "excel/UCititorFoi.h"
#include "platform/UEroare.h"
#include "store/UInregistrari.h"

#include <QHash>

namespace {
// Even rows among the first twenty decide whether a column holds data.
constexpr int UltimulRandVerificat = 20;
// The row scan ends after this many rows without data in columns A to H.
constexpr int RanduriGoaleLaSfarsit = 20;
constexpr int ColoaneCuRanduri = 8; // A to H

QString Adresa(int coloana, int rand)
{
    return NumeColoana(coloana + 1) + QString::number(rand);
}
} // namespace

bool EsteTextCnp(const QString& text)
{
    if (text.size() != 13)
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

const TColoanaExcel* TListaColoaneExcel::Cauta(const QString& nume) const
{
    for (const TColoanaExcel& c : *this)
        if (c.Nume == nume)
            return &c;
    return nullptr;
}

TListaColoaneExcel CitesteFoaia(const TCitireCelula& celula)
{
    auto text = [&](int coloana, int rand) { return celula(Adresa(coloana, rand)).trimmed(); };
    auto plina = [&](int coloana) {
        for (int r = 2; r <= UltimulRandVerificat; r += 2)
            if (!text(coloana, r).isEmpty())
                return true;
        return false;
    };
    int ultimaColoana = 0;
    for (int c = 0; c < ColoaneCitite && plina(c); ++c)
        ultimaColoana = c;

    int ultimulRand = 1;
    for (int r = 1; r - ultimulRand < RanduriGoaleLaSfarsit && r <= RanduriCitite; ++r) {
        for (int c = 0; c < ColoaneCuRanduri; ++c) {
            if (!text(c, r).isEmpty()) {
                ultimulRand = r;
                break;
            }
        }
    }

    TListaColoaneExcel coloane;
    for (int c = 0; c <= ultimaColoana; ++c) {
        TColoanaExcel coloana;
        coloana.Nume = NumeColoana(c + 1);
        for (int r = 1; r <= ultimulRand; ++r)
            coloana.Texte << text(c, r);
        coloane << coloana;
    }
    for (int i = 0; i < coloane.NumarRanduri();) {
        bool cuCnp = false;
        for (const TColoanaExcel& c : std::as_const(coloane))
            cuCnp = cuCnp || EsteTextCnp(c.Texte.at(i));
        if (cuCnp) {
            ++i;
            continue;
        }
        for (TColoanaExcel& c : coloane)
            c.Texte.removeAt(i);
    }
    return coloane;
}

QString EtichetaFaraParanteze(const QString& eticheta)
{
    QString rezultat;
    int adancime = 1;
    for (const QChar c : eticheta) {
        if (c == u'[' || c == u'{')
            ++adancime;
        else if (c == u']' || c == u'}')
            --adancime;
        else if (adancime == 1)
            rezultat += c;
    }
    return rezultat;
}

const QStringList& TexteModPreluare()
{
    static const QStringList texte{QStringLiteral("Preiau direct dintr-o coloana Excel"),
                                   QStringLiteral("Valoare constanta pentru toate diplomele"),
                                   QStringLiteral("Valoare derivata din CNP-ul elevului"),
                                   QStringLiteral("Preiau prima parte a numelui din coloana Excel"),
                                   QStringLiteral("Preiau a doua parte a numelui din coloana Excel")};
    return texte;
}

namespace {
bool ModCuColoana(int mod)
{
    return mod == mpDinColoana || mod == mpPrimaParte || mod == mpADouaParte;
}
} // namespace

void VerificaMapare(const TMapareCamp& mapare)
{
    if (!mapare.NuImport && ModCuColoana(mapare.Mod) && mapare.Coloana.isEmpty())
        throw EEroare(QStringLiteral("Va rog selectati coloana din care voi prelua datele"));
}

QPair<QString, QString> ParteNume(const QString& text)
{
    const QString t = text.trimmed();
    const qsizetype blanc = t.indexOf(u' ');
    if (blanc < 0)
        return {t, QString()};
    return {t.left(blanc).trimmed(), t.mid(blanc + 1).trimmed()};
}

std::optional<QString> ValoareMapare(const TMapareCamp& mapare, const TListaColoaneExcel& coloane, int rand,
                                     const QString& cnp)
{
    if (mapare.NuImport)
        return std::nullopt;
    QString text;
    if (ModCuColoana(mapare.Mod)) {
        const TColoanaExcel* c = coloane.Cauta(mapare.Coloana);
        if (c && rand >= 0 && rand < c->Texte.size())
            text = c->Texte.at(rand);
    }
    switch (mapare.Mod) {
    case mpDinColoana:
        return text;
    case mpConstanta:
        return mapare.Constanta;
    case mpDinCnp:
        return cnp.startsWith(u'1') ? mapare.TextBaieti : mapare.TextFete;
    case mpPrimaParte:
        return ParteNume(text).first;
    case mpADouaParte:
        return ParteNume(text).second;
    default:
        return QString();
    }
}

QList<TCampImport> CampuriDeImport(TDM& dm)
{
    QList<TCampImport> campuri;
    TGardaTranzactie garda(dm.Tr);
    TQuery& q = dm.Q1;
    q.SetSQL(QStringLiteral("SELECT * FROM PROFIL_DIPLOMA WHERE (ASOCIAT_CU = 'ELEVI') AND "
                            "(COALESCE(SIMILAR_CU, '') = '') ORDER BY ORDINE"));
    q.Open();
    while (!q.Eof()) {
        if (q.FieldByName(QStringLiteral("TIP_DE_DATE")).AsString() != QStringLiteral("CNP")) {
            TCampImport camp;
            camp.Formular = q.FieldByName(QStringLiteral("COD_FORMULAR")).AsString().trimmed();
            camp.Cheie = UnesteCheie({camp.Formular, q.FieldByName(QStringLiteral("COD_PAGINA")).AsString(),
                                      q.FieldByName(QStringLiteral("COD_CAMP")).AsString()});
            camp.Eticheta = EtichetaFaraParanteze(q.FieldByName(QStringLiteral("ETICHETA_EDITOR")).AsString());
            campuri << camp;
        }
        q.Next();
    }
    q.Close();
    garda.Rollback();
    return campuri;
}

QStringList FormulareOferite(const QList<TCampImport>& campuri)
{
    QStringList formulare;
    for (const TCampImport& c : campuri)
        if (!formulare.contains(c.Formular))
            formulare << c.Formular;
    return formulare;
}

TImportElevi::TImportElevi(TDM& dm, const TListaColoaneExcel& coloane, QList<TMapareCamp> mapari, QString coloanaCnp,
                           QList<QPair<QString, qint32>> legaturi)
    : m_dm(dm), m_coloane(coloane), m_mapari(std::move(mapari)), m_numeColoanaCnp(std::move(coloanaCnp)),
      m_legaturi(std::move(legaturi))
{
    for (const TMapareCamp& m : std::as_const(m_mapari))
        m_chei << DesparteCheie(m.Cheie);
}

void TImportElevi::Pregateste()
{
    {
        TGardaTranzactie garda(m_dm.Tr);
        TQuery& q = m_dm.Q1;
        q.SetSQL(QStringLiteral("SELECT * FROM PROFIL_DIPLOMA WHERE TIP_DE_DATE = 'CNP'"));
        q.Open();
        if (q.Eof()) {
            q.Close();
            throw EEroare(QStringLiteral("NU exista CNP in profil diploma!"));
        }
        m_campCnp = {q.FieldByName(QStringLiteral("COD_FORMULAR")).AsString(),
                     q.FieldByName(QStringLiteral("COD_PAGINA")).AsString(),
                     q.FieldByName(QStringLiteral("COD_CAMP")).AsString()};
        q.Close();
        m_cheieCnp = UnesteCheie(m_campCnp);
        m_campuriElev = CampuriElev(m_dm);
        garda.Rollback();
    }
    m_coloanaCnp = m_coloane.Cauta(m_numeColoanaCnp);
    if (!m_coloanaCnp)
        throw EEroare(QStringLiteral("UPS: nu pot identifica CNP-ul"));
}

qint32 TImportElevi::ImportaRand(int rand)
{
    const QString cnp = m_coloanaCnp->Texte.at(rand);
    TGardaTranzactie garda(m_dm.Tr);
    QHash<QString, QString> valori;
    for (const TMapareCamp& m : std::as_const(m_mapari))
        if (const std::optional<QString> valoare = ValoareMapare(m, m_coloane, rand, cnp))
            valori.insert(m.Cheie, *valoare);
    qint32 id = CautaElevDupaCnp(m_dm, m_campCnp, cnp);
    if (id < 0) {
        // A new student gets every value row at once, the CNP and the imported texts in place.
        valori.insert(m_cheieCnp, cnp);
        id = CreeazaElevCuValori(m_dm, m_campuriElev, valori);
        for (const auto& [tabel, inregistrare] : std::as_const(m_legaturi))
            LeagaElev(m_dm, id, tabel, inregistrare);
    } else {
        for (qsizetype i = 0; i < m_mapari.size(); ++i)
            if (valori.contains(m_mapari.at(i).Cheie))
                ScrieTextElev(m_dm, id, m_chei.at(i), valori.value(m_mapari.at(i).Cheie));
    }
    garda.Commit();
    return id;
}

void TImportElevi::ImportaTot()
{
    Pregateste();
    for (int i = 0; i < NumarRanduri(); ++i)
        ImportaRand(i);
}
