#include "excel/UImportExcel.h"

#include "entry/UValidare.h"
#include "excel/UCititorFoi.h"
#include "platform/UEroare.h"
#include "platform/URegistru.h"
#include "store/UInregistrari.h"
#include "store/UProfilDiploma.h"

#include <QCryptographicHash>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <limits>

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

TListaColoaneExcel CitesteFoaia(const TCitireCelula& celula, int ultimulRandCuDate)
{
    auto text = [&](int coloana, int rand) { return TaieBlancuri(celula(Adresa(coloana, rand))); };
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
    coloane.UltimulRandCitit = ultimulRand;
    if (ultimulRandCuDate > ultimulRand)
        coloane.RandDateNecitite = ultimulRandCuDate;
    for (int c = 0; c <= ultimaColoana; ++c) {
        TColoanaExcel coloana;
        coloana.Nume = NumeColoana(c + 1);
        coloana.Texte.reserve(ultimulRand);
        for (int r = 1; r <= ultimulRand; ++r)
            coloana.Texte << text(c, r);
        coloane << coloana;
    }
    // Rows are kept or dropped in one pass: removing them one by one costs a move of the rest each time.
    TListaColoaneExcel pastrate;
    pastrate.UltimulRandCitit = coloane.UltimulRandCitit;
    pastrate.RandDateNecitite = coloane.RandDateNecitite;
    for (const TColoanaExcel& c : std::as_const(coloane))
        pastrate << TColoanaExcel{c.Nume, {}};
    for (int i = 0; i < ultimulRand; ++i) {
        bool cuCnp = false;
        for (const TColoanaExcel& c : std::as_const(coloane))
            cuCnp = cuCnp || EsteTextCnp(c.Texte.at(i));
        if (cuCnp) {
            for (qsizetype c = 0; c < coloane.size(); ++c)
                pastrate[c].Texte << coloane.at(c).Texte.at(i);
            pastrate.RanduriFoaie << i + 1;
            continue;
        }
        bool cuDate = false;
        for (int c = 0; c < ColoaneCuRanduri && !cuDate; ++c)
            cuDate = !text(c, i + 1).isEmpty();
        if (!cuDate)
            continue;
        TRandIgnorat ignorat{i + 1, {}};
        for (const TColoanaExcel& c : std::as_const(coloane))
            ignorat.Texte << c.Texte.at(i);
        pastrate.Ignorate << ignorat;
    }
    return pastrate;
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

int LimitaTipDeDate(const QString& tipDeDate)
{
    return tipDeDate == QStringLiteral("TEXT") ? LungimeValoareText : 64;
}

QString TaieBlancuri(const QString& text)
{
    const auto blanc = [](QChar c) { return c == u' ' || c == QChar(0x00A0); };
    qsizetype inceput = 0, sfarsit = text.size();
    while (inceput < sfarsit && blanc(text.at(inceput)))
        ++inceput;
    while (sfarsit > inceput && blanc(text.at(sfarsit - 1)))
        --sfarsit;
    return text.mid(inceput, sfarsit - inceput);
}

QPair<QString, QString> ParteNume(const QString& text)
{
    const QString t = TaieBlancuri(text);
    const qsizetype blanc = t.indexOf(u' ');
    if (blanc < 0)
        return {t, QString()};
    return {TaieBlancuri(t.left(blanc)), TaieBlancuri(t.mid(blanc + 1))};
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
        switch (SexDinCnp(cnp)) {
        case scBarbat:
            return mapare.TextBaieti;
        case scFemeie:
            return mapare.TextFete;
        case scNecunoscut:
            break;
        }
        return QString();
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
    const TGardaCitire citire(dm.Tr);
    for (const TRandProfil& r : RanduriProfilDeImport(dm)) {
        if (r.TIP_DE_DATE != QStringLiteral("CNP")) {
            TCampImport camp;
            camp.Formular = r.COD_FORMULAR.trimmed();
            camp.Cheie = UnesteCheie({camp.Formular, r.COD_PAGINA, r.COD_CAMP});
            camp.Eticheta = EtichetaFaraParanteze(r.ETICHETA_EDITOR);
            camp.TipDeDate = r.TIP_DE_DATE.trimmed();
            campuri << camp;
        }
    }
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
        const TGardaCitire citire(m_dm.Tr);
        if (!CampCnpDinProfil(m_dm, m_campCnp))
            throw EEroare(QStringLiteral("NU exista CNP in profil diploma!"));
        m_cheieCnp = UnesteCheie(m_campCnp);
        m_campuriElev = CampuriElev(m_dm);
    }
    m_coloanaCnp = m_coloane.Cauta(m_numeColoanaCnp);
    if (!m_coloanaCnp)
        throw EEroare(QStringLiteral("UPS: nu pot identifica CNP-ul"));
}

QHash<QString, QString> TImportElevi::Valori(int rand, const QString& cnp) const
{
    QHash<QString, QString> valori;
    for (const TMapareCamp& m : std::as_const(m_mapari))
        if (const std::optional<QString> valoare = ValoareMapare(m, m_coloane, rand, cnp))
            valori.insert(m.Cheie, valoare->left(m.Limita));
    return valori;
}

qint32 TImportElevi::ImportaRand(int rand, bool* creat)
{
    const QString cnp = m_coloanaCnp->Texte.at(rand);
    TGardaTranzactie garda(m_dm.Tr);
    QHash<QString, QString> valori = Valori(rand, cnp);
    qint32 id = CautaElevDupaCnp(m_dm, m_campCnp, cnp);
    if (creat)
        *creat = id < 0;
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

namespace {
bool AreCifre(const QString& text)
{
    for (const QChar c : text)
        if (c.isDigit())
            return true;
    return false;
}

QString MotivCnpGresit(const QString& cnp)
{
    if (cnp.isEmpty())
        return QStringLiteral("fara CNP");
    if (EsteTextCnp(cnp))
        return QStringLiteral("CNP cu cifra de control gresita");
    // Calc shows a long number in a narrow or General column as "6,05E+12": the digits are not in the text.
    if (cnp.contains(u'E') && (cnp.contains(u'+') || cnp.contains(u',')))
        return QStringLiteral("CNP-ul apare ca numar cu exponent; formatati coloana ca text si salvati din nou");
    if (EsteTextCnp(QString(cnp).remove(u' ')))
        return QStringLiteral("CNP-ul are spatii intre cifre");
    return QStringLiteral("CNP-ul nu are exact 13 cifre");
}
} // namespace

TRaportImport TImportElevi::Raport()
{
    TRaportImport raport;
    const int indexCnp = int(m_coloanaCnp - m_coloane.constData());
    for (const TRandIgnorat& r : m_coloane.Ignorate) {
        const QString cnp = indexCnp < r.Texte.size() ? r.Texte.at(indexCnp) : QString();
        if (!cnp.isEmpty() && !AreCifre(cnp))
            raport.FaraCnp << TRaportImport::TRandSarit{r.RandFoaie, cnp, QStringLiteral("nu contine un CNP")};
        else
            raport.Sarite << TRaportImport::TRandSarit{r.RandFoaie, cnp, MotivCnpGresit(cnp)};
    }
    QList<TMapareCamp> dinCnp;
    for (const TMapareCamp& m : std::as_const(m_mapari))
        if (!m.NuImport && m.Mod == mpDinCnp)
            dinCnp << m;
    QHash<QString, int> primulRand;
    const TGardaCitire citire(m_dm.Tr);
    for (int i = 0; i < NumarRanduri(); ++i) {
        const QString cnp = m_coloanaCnp->Texte.at(i);
        const int rand = m_coloane.RandFoaie(i);
        if (!EsteTextCnp(cnp) || !CifraControlCnp(cnp)) {
            raport.Sarite << TRaportImport::TRandSarit{rand, cnp, MotivCnpGresit(cnp)};
            continue;
        }
        if (primulRand.contains(cnp)) {
            raport.Sarite << TRaportImport::TRandSarit{
                rand, cnp, QStringLiteral("CNP-ul apare si pe randul %1").arg(primulRand.value(cnp))};
            continue;
        }
        primulRand.insert(cnp, rand);
        const qint32 id = CautaElevDupaCnp(m_dm, m_campCnp, cnp);
        (id < 0 ? raport.DeCreat : raport.DeActualizat) << TRaportImport::TRand{i, rand, cnp, id};
        for (const TMapareCamp& m : std::as_const(m_mapari)) {
            const std::optional<QString> valoare = ValoareMapare(m, m_coloane, i, cnp);
            if (valoare && valoare->size() > m.Limita)
                raport.Taieri << TRaportImport::TTaiere{rand, m.Mod == mpConstanta ? QString() : m.Coloana,
                                                        DesparteCheie(m.Cheie).Camp, int(valoare->size()), m.Limita};
        }
        if (!dinCnp.isEmpty() && SexDinCnp(cnp) == scNecunoscut) {
            QStringList campuri;
            for (const TMapareCamp& m : std::as_const(dinCnp))
                campuri << DesparteCheie(m.Cheie).Camp;
            raport.Observatii << QStringLiteral("Randul %1: CNP-ul %2 nu arata sexul (prima cifra %3); raman goale: %4")
                                     .arg(rand)
                                     .arg(cnp, cnp.left(1), campuri.join(QStringLiteral(", ")));
        }
    }
    std::sort(raport.Sarite.begin(), raport.Sarite.end(),
              [](const auto& a, const auto& b) { return a.RandFoaie < b.RandFoaie; });
    if (m_coloane.RandDateNecitite > 0)
        raport.Observatii << QStringLiteral("Foaia mai are date pana la randul %1, dupa randul %2, unde citirea s-a "
                                            "oprit; ele nu au fost citite.")
                                 .arg(m_coloane.RandDateNecitite)
                                 .arg(m_coloane.UltimulRandCitit);
    return raport;
}

QList<int> TRaportImport::RanduriDeImportat() const
{
    QList<int> randuri;
    for (const TRand& r : DeCreat)
        randuri << r.Index;
    for (const TRand& r : DeActualizat)
        randuri << r.Index;
    std::sort(randuri.begin(), randuri.end());
    return randuri;
}

QString TextRaport(const TRaportImport& raport)
{
    QStringList t;
    t << QStringLiteral("Elevi noi: %1").arg(raport.DeCreat.size());
    t << QStringLiteral("Elevi existenti care se actualizeaza: %1").arg(raport.DeActualizat.size());
    for (const TRaportImport::TRand& r : raport.DeActualizat)
        t << QStringLiteral("    randul %1: CNP %2").arg(r.RandFoaie).arg(r.Cnp);
    t << QStringLiteral("Randuri sarite: %1").arg(raport.Sarite.size());
    for (const TRaportImport::TRandSarit& r : raport.Sarite)
        t << QStringLiteral("    randul %1: %2 (\"%3\")").arg(r.RandFoaie).arg(r.Motiv, r.Cnp);
    if (!raport.Taieri.isEmpty()) {
        t << QStringLiteral("Texte taiate la cat tine campul: %1").arg(raport.Taieri.size());
        for (const TRaportImport::TTaiere& r : raport.Taieri)
            t << QStringLiteral("    randul %1, %2, campul %3: %4 caractere, se pastreaza %5")
                     .arg(r.RandFoaie)
                     .arg(r.Coloana.isEmpty() ? QStringLiteral("valoarea constanta")
                                              : QStringLiteral("coloana ") + r.Coloana,
                          r.Camp)
                     .arg(r.Lungime)
                     .arg(r.Limita);
    }
    for (const QString& o : raport.Observatii)
        t << o;
    if (!raport.FaraCnp.isEmpty()) {
        t << QStringLiteral("Randuri fara CNP (antete, titluri), care nu se preiau:");
        for (const TRaportImport::TRandSarit& r : raport.FaraCnp)
            t << QStringLiteral("    randul %1: \"%2\"").arg(r.RandFoaie).arg(r.Cnp);
    }
    return t.join(u'\n');
}

QStringList AnteteFoaie(const TListaColoaneExcel& coloane)
{
    const int primul = coloane.NumarRanduri() > 0 ? coloane.RandFoaie(0) : std::numeric_limits<int>::max();
    QStringList antete;
    for (const TRandIgnorat& r : coloane.Ignorate)
        if (r.RandFoaie < primul)
            antete = r.Texte;
    while (!antete.isEmpty() && antete.last().isEmpty())
        antete.removeLast();
    return antete;
}

namespace {
QString CheieMapare(const QStringList& antete)
{
    const QByteArray rezumat =
        QCryptographicHash::hash(antete.join(u'\t').toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("Software\\Zorvik SOFT\\Pravelo\\2006\\Tessaluna\\ImportExcel\\") +
           QString::fromLatin1(rezumat);
}

const QString ValoareAntete = QStringLiteral("Antete");
const QString ValoareColoanaCnp = QStringLiteral("ColoanaCnp");
const QString PrefixCamp = QStringLiteral("Camp ");
} // namespace

void RetineMaparea(const QStringList& antete, const TMapareRetinuta& mapare)
{
    if (antete.isEmpty())
        return;
    QList<TValoareRegistru> valori{TValoareRegistru::Text(ValoareAntete, antete.join(u'\t')),
                                   TValoareRegistru::Text(ValoareColoanaCnp, mapare.ColoanaCnp)};
    for (const TMapareCamp& m : mapare.Mapari) {
        const QJsonObject o{{"NuImport", m.NuImport},   {"Mod", m.Mod},           {"Coloana", m.Coloana},
                            {"Constanta", m.Constanta}, {"TextFete", m.TextFete}, {"TextBaieti", m.TextBaieti}};
        valori << TValoareRegistru::Text(PrefixCamp + m.Cheie,
                                         QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
    }
    TRegistru registru;
    registru.DeschideCheie(CheieMapare(antete), true);
    registru.ScrieValori(valori);
}

std::optional<TMapareRetinuta> MapareRetinuta(const QStringList& antete)
{
    if (antete.isEmpty())
        return std::nullopt;
    TRegistru registru;
    if (!registru.DeschideCheie(CheieMapare(antete), false))
        return std::nullopt;
    TMapareRetinuta mapare;
    bool aceleasiAntete = false;
    for (const TValoareRegistru& v : registru.Valori()) {
        if (v.tip != TTipValoareRegistru::Text)
            return std::nullopt;
        if (v.nume.compare(ValoareAntete, Qt::CaseInsensitive) == 0) {
            // Two sets of headings with one digest are told apart here.
            aceleasiAntete = v.text == antete.join(u'\t');
        } else if (v.nume.compare(ValoareColoanaCnp, Qt::CaseInsensitive) == 0) {
            mapare.ColoanaCnp = v.text;
        } else if (v.nume.startsWith(PrefixCamp, Qt::CaseInsensitive)) {
            const QJsonObject o = QJsonDocument::fromJson(v.text.toUtf8()).object();
            TMapareCamp m;
            m.Cheie = v.nume.mid(PrefixCamp.size());
            m.NuImport = o.value(QStringLiteral("NuImport")).toBool();
            m.Mod = o.value(QStringLiteral("Mod")).toInt(-1);
            if (m.Mod < mpDinColoana || m.Mod > mpADouaParte)
                return std::nullopt;
            m.Coloana = o.value(QStringLiteral("Coloana")).toString();
            m.Constanta = o.value(QStringLiteral("Constanta")).toString();
            m.TextFete = o.value(QStringLiteral("TextFete")).toString();
            m.TextBaieti = o.value(QStringLiteral("TextBaieti")).toString();
            mapare.Mapari << m;
        }
    }
    if (!aceleasiAntete)
        return std::nullopt;
    return mapare;
}
