#include "print/UMachetaProprie.h"

#include "platform/UEroare.h"
#include "platform/UScriereSigura.h"
#include "profile/UProfil.h"
#include "profile/UProfilTessaluna.h"

#include <QDateTime>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <QStandardPaths>

namespace {

// Millimetres compared with room for the rounding of a value typed or moved in tenths.
constexpr double kEpsMm = 1e-6;

TMachetaFormular& Activa()
{
    static TMachetaFormular activa;
    return activa;
}

bool& Citita()
{
    static bool citita = false;
    return citita;
}

bool& Proprie()
{
    static bool proprie = false;
    return proprie;
}

QString NumeAliniere(TAlignment a)
{
    switch (a) {
    case taRightJustify:
        return QStringLiteral("taRightJustify");
    case taCenter:
        return QStringLiteral("taCenter");
    default:
        return QStringLiteral("taLeftJustify");
    }
}

QJsonArray Linii(const QStringList& l)
{
    QJsonArray a;
    for (const QString& s : l)
        a.append(s);
    return a;
}

// A positive whole number written as text, or -1.
int NumarPozitiv(const QString& s)
{
    bool ok = false;
    const int n = s.trimmed().toInt(&ok);
    return ok && n >= 1 ? n : -1;
}

QByteArray CitesteFisier(const QString& cale)
{
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly))
        throw EEroare(
            QStringLiteral("Fisierul %1 nu poate fi citit: %2").arg(QDir::toNativeSeparators(cale), f.errorString()));
    // A layout is a few tens of kilobytes; anything far larger is not one.
    if (f.size() > 16 * 1024 * 1024)
        throw EEroare(QStringLiteral("Fisierul %1 nu este o macheta").arg(QDir::toNativeSeparators(cale)));
    return f.readAll();
}

void ScrieFisier(const QString& cale, const QByteArray& text)
{
    QString motiv;
    const QString dosar = QFileInfo(cale).absolutePath();
    if (!QDir().mkpath(dosar) || !ScrieFisierSigur(cale, text, motiv))
        throw EEroare(QStringLiteral("Macheta nu a putut fi scrisa in %1: %2")
                          .arg(QDir::toNativeSeparators(cale), motiv.isEmpty() ? QStringLiteral("dosarul nu poate "
                                                                                                "fi creat")
                                                                               : motiv));
}

} // namespace

QString CaleMachetaProprie()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/macheta_certificat.json");
}

QByteArray ScrieTextMacheta(const TMachetaFormular& m)
{
    QJsonArray fonturi;
    for (const TMachetaFont& f : m.Fonturi) {
        QJsonObject o{{"Name", f.Name}, {"FontName", f.FontName}, {"CodePage", f.CodePage}, {"CharSet", f.CharSet},
                      {"Size", f.Size}, {"Bold", f.Bold},         {"Italic", f.Italic}};
        if (!f.DescrierePentruEditor.isEmpty())
            o.insert(QStringLiteral("DescrierePentruEditor"), f.DescrierePentruEditor);
        fonturi.append(o);
    }
    QJsonArray pagini;
    for (const TMachetaPagina& p : m.Pagini) {
        QJsonArray zone;
        for (const TMachetaZona& z : p.Zone) {
            zone.append(QJsonObject{{"Name", z.Name},
                                    {"Mm", QJsonArray{z.Left, z.Top, z.Width, z.Height}},
                                    {"ZoomLock", z.ZoomLock},
                                    {"Text", z.Text},
                                    {"Font", z.Font},
                                    {"Alignment", NumeAliniere(z.Alignment)},
                                    {"Denumire1", z.Denumire1},
                                    {"Denumire2", z.Denumire2},
                                    {"Denumire3", z.Denumire3},
                                    {"SursaText", Linii(z.SursaText)}});
        }
        pagini.append(QJsonObject{{"Name", p.Name},
                                  {"Latime", p.Latime},
                                  {"Inaltime", p.Inaltime},
                                  {"Zoom", p.Zoom},
                                  {"TextAreaTopLine1_delta", p.TextAreaTopLine1_delta},
                                  {"TextAreaBaseLine2_delta", p.TextAreaBaseLine2_delta},
                                  {"BkImage", p.BkImage},
                                  {"Zone", zone}});
    }
    const QJsonObject o{{"Versiune", VersiuneMacheta}, {"Name", m.Name}, {"Fonturi", fonturi}, {"Pagini", pagini}};
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

TMachetaFormular CitesteTextMacheta(const QByteArray& text, const QList<TLinieProfilDiploma>& profil)
{
    QJsonParseError eroare;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &eroare);
    if (!doc.isObject())
        throw EEroare(QStringLiteral("Fisierul nu este o macheta sau este deteriorat: %1").arg(eroare.errorString()));
    const QJsonValue versiune = doc.object().value(QLatin1String("Versiune"));
    if (!versiune.isDouble())
        throw EEroare(QStringLiteral("Fisierul nu este o macheta: nu are numar de versiune"));
    const double v = versiune.toDouble();
    if (v > VersiuneMacheta)
        throw EEroare(QStringLiteral("Macheta a fost scrisa de o versiune mai noua a programului (versiunea %1); "
                                     "aceasta versiune citeste doar macheta versiunea %2")
                          .arg(v)
                          .arg(VersiuneMacheta));
    if (v != VersiuneMacheta)
        throw EEroare(QStringLiteral("Macheta are o versiune necunoscuta (%1)").arg(v));
    const TMachetaFormular m = CitesteMacheta(text);
    const QStringList probleme = ProblemeMacheta(m, profil);
    if (!probleme.isEmpty())
        throw EEroare(QStringLiteral("Macheta nu este corecta:\n") + probleme.join(u'\n'));
    return m;
}

QStringList ProblemeMacheta(const TMachetaFormular& m, const QList<TLinieProfilDiploma>& profil)
{
    QStringList p;
    const TMachetaFormular& initiala = MachetaCertificatInitiala();
    // The corrections of licenta.lic and the preview find the form and its pages by these names.
    if (m.Name != initiala.Name)
        p << QStringLiteral("Macheta este a formularului \"%1\", nu a formularului \"%2\"").arg(m.Name, initiala.Name);
    QStringList paginiCerute, paginiDate;
    for (const TMachetaPagina& pg : initiala.Pagini)
        paginiCerute << pg.Name;
    for (const TMachetaPagina& pg : m.Pagini)
        paginiDate << pg.Name;
    if (paginiDate != paginiCerute)
        p << QStringLiteral("Macheta are paginile \"%1\" in loc de \"%2\"")
                 .arg(paginiDate.join(QStringLiteral(", ")), paginiCerute.join(QStringLiteral(", ")));

    QSet<QString> fonturi;
    for (const TMachetaFont& f : m.Fonturi) {
        if (f.Name.isEmpty() || fonturi.contains(f.Name))
            p << QStringLiteral("Fontul \"%1\" lipseste de nume sau apare de doua ori").arg(f.Name);
        if (!(f.Size > 0))
            p << QStringLiteral("Fontul %1 are marimea %2 mm").arg(f.Name).arg(f.Size);
        fonturi.insert(f.Name);
    }
    QHash<QString, QString> tipCamp;
    for (const TLinieProfilDiploma& l : profil)
        tipCamp.insert(l.COD_FORMULAR + u'.' + l.COD_PAGINA + u'.' + l.COD_CAMP, l.TIP_DE_DATE);

    for (const TMachetaPagina& pg : m.Pagini) {
        if (!(pg.Latime > 0) || !(pg.Inaltime > 0))
            p << QStringLiteral("Pagina %1 are dimensiunea zero").arg(pg.Name);
        QSet<QString> nume;
        for (const TMachetaZona& z : pg.Zone) {
            if (z.Name.isEmpty() || nume.contains(z.Name))
                p << QStringLiteral("Zona \"%1\" lipseste de nume sau apare de doua ori").arg(z.Name);
            nume.insert(z.Name);
            if (!(z.Width > kEpsMm) || !(z.Height > kEpsMm))
                p << QStringLiteral("Zona %1 are latimea sau inaltimea zero").arg(z.Name);
            else if (z.Left < -kEpsMm || z.Top < -kEpsMm || z.Left + z.Width > pg.Latime + kEpsMm ||
                     z.Top + z.Height > pg.Inaltime + kEpsMm)
                p << QStringLiteral("Zona %1 iese din pagina (%2 x %3 mm)")
                         .arg(z.Name)
                         .arg(pg.Latime, 0, 'f', 3)
                         .arg(pg.Inaltime, 0, 'f', 3);
            if (!z.Font.isEmpty() && !fonturi.contains(z.Font))
                p << QStringLiteral("Zona %1 foloseste fontul %2, pe care formularul nu il are").arg(z.Name, z.Font);
            if (z.Denumire1.isEmpty())
                continue;
            if (!tipCamp.contains(z.Denumire1)) {
                p << QStringLiteral("Zona %1 tipareste campul %2, pe care profilul nu il are").arg(z.Name, z.Denumire1);
                continue;
            }
            if (!z.Denumire2.isEmpty() && NumarPozitiv(z.Denumire2) < 0)
                p << QStringLiteral("Zona %1: pozitia primului caracter \"%2\" nu este un numar pozitiv")
                         .arg(z.Name, z.Denumire2);
            if (tipCamp.value(z.Denumire1) == QLatin1String("NOTA"))
                continue; // Denumire3 names the kind of grade; the filling checks it
            if (!z.Denumire3.isEmpty() && NumarPozitiv(z.Denumire3) < 0)
                p << QStringLiteral("Zona %1: numarul de caractere \"%2\" nu este un numar pozitiv")
                         .arg(z.Name, z.Denumire3);
            else if (!z.Denumire3.isEmpty() && z.Denumire2.isEmpty())
                p << QStringLiteral("Zona %1: numarul de caractere cere si pozitia primului caracter").arg(z.Name);
        }
    }
    return p;
}

QList<TLinieProfilDiploma> ProfilPentruMacheta()
{
    if (const TClasaProfil* clasa = ProfilInregistrat())
        return clasa->Creeaza()->Linii();
    return TListaLiniiProfilTessaluna().Linii();
}

QString ProblemaMachetaProprie()
{
    if (Citita())
        return {};
    const QString cale = CaleMachetaProprie();
    if (!QFileInfo::exists(cale)) {
        Activa() = MachetaCertificatInitiala();
        Proprie() = false;
        Citita() = true;
        return {};
    }
    // Not kept when it fails: every use reports it again until the file is mended or replaced.
    try {
        Activa() = CitesteTextMacheta(CitesteFisier(cale), ProfilPentruMacheta());
    } catch (const EEroare& e) {
        return QStringLiteral("Macheta scolii (%1) nu poate fi folosita.\n%2")
            .arg(QDir::toNativeSeparators(cale), e.Mesaj());
    }
    Proprie() = true;
    Citita() = true;
    return {};
}

const TMachetaFormular& MachetaCertificat()
{
    const QString problema = ProblemaMachetaProprie();
    if (!problema.isEmpty())
        throw EEroare(problema + QStringLiteral("\nDeschideti vizualizarea unui certificat: acolo puteti reveni la "
                                                "macheta initiala sau importa alta macheta."));
    return Activa();
}

bool MachetaProprieFolosita()
{
    MachetaCertificat();
    return Proprie();
}

void SalveazaMachetaProprie(const TMachetaFormular& macheta)
{
    const QStringList probleme = ProblemeMacheta(macheta, ProfilPentruMacheta());
    if (!probleme.isEmpty())
        throw EEroare(QStringLiteral("Macheta nu poate fi salvata:\n") + probleme.join(u'\n'));
    ScrieFisier(CaleMachetaProprie(), ScrieTextMacheta(macheta));
    Activa() = macheta;
    Proprie() = true;
    Citita() = true;
}

void RevinoLaMachetaInitiala()
{
    const QString cale = CaleMachetaProprie();
    if (QFileInfo::exists(cale)) {
        const QString anterioara = cale + QStringLiteral(".anterioara");
        QFile::remove(anterioara);
        if (!QFile::rename(cale, anterioara))
            throw EEroare(
                QStringLiteral("Macheta scolii (%1) nu a putut fi pusa deoparte").arg(QDir::toNativeSeparators(cale)));
    }
    Activa() = MachetaCertificatInitiala();
    Proprie() = false;
    Citita() = true;
}

void ExportaMacheta(const QString& cale)
{
    ScrieFisier(cale, ScrieTextMacheta(MachetaCertificat()));
}

QString InlocuiesteMachetaNefolosibila(const QString& importata)
{
    TMachetaFormular noua;
    if (!importata.isEmpty()) {
        try {
            noua = CitesteTextMacheta(CitesteFisier(importata), ProfilPentruMacheta());
        } catch (const EEroare& e) {
            throw EEroare(QStringLiteral("Macheta din %1 nu a fost importata.\n%2")
                              .arg(QDir::toNativeSeparators(importata), e.Mesaj()));
        }
    }
    const QString cale = CaleMachetaProprie();
    QString pastrata;
    if (QFileInfo::exists(cale)) {
        const QString baza = cale + QStringLiteral(".nefolosita-") +
                             QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        pastrata = baza;
        for (int n = 2; QFileInfo::exists(pastrata); ++n)
            pastrata = baza + QStringLiteral("-%1").arg(n);
        if (!QFile::rename(cale, pastrata))
            throw EEroare(QStringLiteral("Macheta scolii (%1) nu a putut fi pusa deoparte; nu s-a schimbat nimic.")
                              .arg(QDir::toNativeSeparators(cale)));
    }
    if (importata.isEmpty()) {
        Activa() = MachetaCertificatInitiala();
        Proprie() = false;
        Citita() = true;
        return pastrata;
    }
    try {
        SalveazaMachetaProprie(noua);
    } catch (const EEroare&) {
        if (!pastrata.isEmpty())
            QFile::rename(pastrata, cale);
        throw;
    }
    return pastrata;
}

void ImportaMacheta(const QString& cale)
{
    TMachetaFormular m;
    try {
        m = CitesteTextMacheta(CitesteFisier(cale), ProfilPentruMacheta());
    } catch (const EEroare& e) {
        throw EEroare(
            QStringLiteral("Macheta din %1 nu a fost importata.\n%2").arg(QDir::toNativeSeparators(cale), e.Mesaj()));
    }
    SalveazaMachetaProprie(m);
}

namespace {
// Pixels per millimetre of a PDF background: the density of the preview at zoom 200.
constexpr double kPixeliPeMmPdf = 201.86956723199998 / 25.4;

bool EstePdf(const QString& cale)
{
    return cale.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}
} // namespace

QString PastreazaFundal(const QString& sursa)
{
    const QByteArray octeti = CitesteFisier(sursa);
    const QString nume = QDir::toNativeSeparators(sursa);
    QString extensie = QStringLiteral("png");
    if (octeti.startsWith("%PDF")) {
        QPdfDocument pdf;
        const QPdfDocument::Error eroare = pdf.load(sursa);
        if (eroare == QPdfDocument::Error::IncorrectPassword ||
            eroare == QPdfDocument::Error::UnsupportedSecurityScheme)
            throw EEroare(QStringLiteral("Documentul PDF %1 este protejat cu parola").arg(nume));
        if (eroare != QPdfDocument::Error::None)
            throw EEroare(QStringLiteral("Documentul PDF %1 este deteriorat si nu poate fi citit").arg(nume));
        if (pdf.pageCount() < 1)
            throw EEroare(QStringLiteral("Documentul PDF %1 nu are nicio pagina").arg(nume));
        extensie = QStringLiteral("pdf");
    } else if (QImage::fromData(octeti, "PNG").isNull()) {
        throw EEroare(QStringLiteral("Fisierul %1 nu este o imagine PNG sau un document PDF").arg(nume));
    }
    // A name of its own for each picture: a picture once shown is kept in memory by its path.
    const QString cale =
        QFileInfo(CaleMachetaProprie()).absolutePath() +
        QStringLiteral("/fundal-%1.%2")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")), extensie);
    ScrieFisier(cale, octeti);
    return cale;
}

QImage ImagineFundal(const QString& cale, double latimeMm, double inaltimeMm)
{
    if (!EstePdf(cale))
        return QImage(cale);
    QPdfDocument pdf;
    if (pdf.load(cale) != QPdfDocument::Error::None || pdf.pageCount() < 1 || !(latimeMm > 0) || !(inaltimeMm > 0))
        return {};
    const QSizeF puncte = pdf.pagePointSize(0);
    const QSize pagina(qRound(puncte.width() * 25.4 / 72 * kPixeliPeMmPdf),
                       qRound(puncte.height() * 25.4 / 72 * kPixeliPeMmPdf));
    const QImage desen = pdf.render(0, pagina);
    if (desen.isNull())
        return {};
    QImage imagine(qRound(latimeMm * kPixeliPeMmPdf), qRound(inaltimeMm * kPixeliPeMmPdf), QImage::Format_RGB32);
    imagine.fill(Qt::white);
    QPainter p(&imagine);
    p.drawImage(0, 0, desen);
    return imagine;
}

void UitaMachetaCitita()
{
    Citita() = false;
}
