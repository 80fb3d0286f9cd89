#include "print/UMachetaFormular.h"

#include "platform/UEroare.h"
#include "print/UFontFormular.h"
#include "store/URezolvare.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>

namespace {

[[noreturn]] void Deteriorata(const QString& ce)
{
    throw EEroare(QStringLiteral("Macheta formularului este deteriorata: %1").arg(ce));
}

QJsonValue Cere(const QJsonObject& o, const char* cheie, QJsonValue::Type tip, const QString& unde)
{
    const QJsonValue v = o.value(QLatin1String(cheie));
    if (v.type() != tip)
        Deteriorata(QStringLiteral("%1: \"%2\" lipseste sau are alt tip").arg(unde, QLatin1String(cheie)));
    return v;
}

QString Text(const QJsonObject& o, const char* cheie, const QString& implicit = {})
{
    return o.value(QLatin1String(cheie)).toString(implicit);
}

TAlignment Aliniere(const QString& s, const QString& unde)
{
    if (s == QLatin1String("taLeftJustify"))
        return taLeftJustify;
    if (s == QLatin1String("taRightJustify"))
        return taRightJustify;
    if (s == QLatin1String("taCenter"))
        return taCenter;
    Deteriorata(QStringLiteral("%1: aliniere necunoscuta \"%2\"").arg(unde, s));
}

TMachetaZona CitesteZona(const QJsonObject& o)
{
    TMachetaZona z;
    z.Name = Cere(o, "Name", QJsonValue::String, QStringLiteral("zona")).toString();
    z.ZoomLock = o.value(QLatin1String("ZoomLock")).toDouble(0);
    if (o.contains(QLatin1String("Mm"))) {
        const QJsonArray mm = Cere(o, "Mm", QJsonValue::Array, z.Name).toArray();
        if (mm.size() != 4 || !std::all_of(mm.begin(), mm.end(), [](const QJsonValue& v) { return v.isDouble(); }))
            Deteriorata(QStringLiteral("%1: dreptunghiul trebuie dat prin patru numere de milimetri").arg(z.Name));
        z.Left = mm.at(0).toDouble();
        z.Top = mm.at(1).toDouble();
        z.Width = mm.at(2).toDouble();
        z.Height = mm.at(3).toDouble();
        if (z.ZoomLock <= 0)
            z.ZoomLock = 100;
    } else {
        const QJsonArray px = Cere(o, "Pixels", QJsonValue::Array, z.Name).toArray();
        if (px.size() != 4 || z.ZoomLock <= 0 ||
            !std::all_of(px.begin(), px.end(), [](const QJsonValue& v) { return v.isDouble(); }))
            Deteriorata(QStringLiteral("%1: dreptunghiul trebuie dat prin patru numere de pixeli la un zoom pozitiv")
                            .arg(z.Name));
        // The pixel counts at the design zoom are the master copy; the millimetres follow from them exactly.
        const double dpi = ScreenDpi(z.ZoomLock);
        z.Left = PixelsToMm(px.at(0).toInt(), dpi);
        z.Top = PixelsToMm(px.at(1).toInt(), dpi);
        z.Width = PixelsToMm(px.at(2).toInt(), dpi);
        z.Height = PixelsToMm(px.at(3).toInt(), dpi);
    }
    z.Text = Text(o, "Text");
    z.Font = Text(o, "Font");
    z.Alignment = Aliniere(Text(o, "Alignment", QStringLiteral("taLeftJustify")), z.Name);
    z.Denumire1 = Text(o, "Denumire1");
    z.Denumire2 = Text(o, "Denumire2");
    z.Denumire3 = Text(o, "Denumire3");
    for (const QJsonValue& linie : o.value(QLatin1String("SursaText")).toArray())
        z.SursaText << linie.toString();
    return z;
}

TMachetaFont CitesteFont(const QJsonObject& o)
{
    TMachetaFont f;
    f.Name = Cere(o, "Name", QJsonValue::String, QStringLiteral("font")).toString();
    f.FontName = Text(o, "FontName", f.FontName);
    f.CodePage = o.value(QLatin1String("CodePage")).toInt(f.CodePage);
    f.CharSet = o.value(QLatin1String("CharSet")).toInt(f.CharSet);
    f.Size = o.value(QLatin1String("Size")).toDouble(f.Size);
    f.Bold = o.value(QLatin1String("Bold")).toBool(f.Bold);
    f.Italic = o.value(QLatin1String("Italic")).toBool(f.Italic);
    f.DescrierePentruEditor = Text(o, "DescrierePentruEditor");
    return f;
}

TMachetaPagina CitestePagina(const QJsonObject& o)
{
    TMachetaPagina p;
    p.Name = Cere(o, "Name", QJsonValue::String, QStringLiteral("pagina")).toString();
    p.Latime = Cere(o, "Latime", QJsonValue::Double, p.Name).toDouble();
    p.Inaltime = Cere(o, "Inaltime", QJsonValue::Double, p.Name).toDouble();
    p.Zoom = o.value(QLatin1String("Zoom")).toDouble(p.Zoom);
    p.TextAreaTopLine1_delta = o.value(QLatin1String("TextAreaTopLine1_delta")).toDouble(p.TextAreaTopLine1_delta);
    p.TextAreaBaseLine2_delta = o.value(QLatin1String("TextAreaBaseLine2_delta")).toDouble(p.TextAreaBaseLine2_delta);
    p.BkImage = Text(o, "BkImage");
    for (const QJsonValue& z : Cere(o, "Zone", QJsonValue::Array, p.Name).toArray())
        p.Zone << CitesteZona(z.toObject());
    return p;
}

} // namespace

void IncarcaResursePrint()
{
    // The resources of a static library are registered only when asked for, and once is enough.
    static const bool inregistrate = [] {
        Q_INIT_RESOURCE(print);
        return true;
    }();
    Q_UNUSED(inregistrate);
}

TMachetaFormular CitesteMacheta(const QByteArray& json)
{
    // Layout data names its pictures by their resource paths.
    IncarcaResursePrint();
    QJsonParseError eroare;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &eroare);
    if (!doc.isObject())
        Deteriorata(eroare.errorString());
    const QJsonObject o = doc.object();
    TMachetaFormular m;
    m.Name = Cere(o, "Name", QJsonValue::String, QStringLiteral("formular")).toString();
    for (const QJsonValue& f : o.value(QLatin1String("Fonturi")).toArray())
        m.Fonturi << CitesteFont(f.toObject());
    for (const QJsonValue& p : Cere(o, "Pagini", QJsonValue::Array, m.Name).toArray())
        m.Pagini << CitestePagina(p.toObject());
    return m;
}

const TMachetaFormular& MachetaCertificatInitiala()
{
    static const TMachetaFormular macheta = [] {
        IncarcaResursePrint();
        QFile f(QStringLiteral(":/tessaluna/certificat_fata.json"));
        if (!f.open(QIODevice::ReadOnly))
            Deteriorata(f.errorString());
        return CitesteMacheta(f.readAll());
    }();
    return macheta;
}

TFontFormular* CreeazaFontFormular(const TMachetaFont& m, QObject* proprietar)
{
    auto* font = new TFontFormular(proprietar);
    font->setObjectName(m.Name);
    font->SetFontName(m.FontName);
    font->SetCodePage(m.CodePage);
    font->SetCharSet(m.CharSet);
    font->SetSize(m.Size);
    font->SetBold(m.Bold);
    font->SetItalic(m.Italic);
    font->SetDescrierePentruEditor(m.DescrierePentruEditor);
    return font;
}

namespace {
// Own values from the texts given, every other field filled; remembers the last field found empty.
class TSursaTexte : public TSursaValori
{
public:
    TSursaTexte(const QHash<QString, TProfilCamp>& profil, const QHash<QString, QString>& valori)
        : m_profil(profil), m_valori(valori)
    {
    }
    bool Profil(const TCheieCamp& cheie, TProfilCamp& profil) override
    {
        const auto i = m_profil.constFind(UnesteCheie(cheie));
        if (i == m_profil.constEnd())
            return false;
        profil = *i;
        return true;
    }
    QString ValoareProprie(const TCheieCamp& cheie, const QString&, qint64) override
    {
        const QString k = UnesteCheie(cheie);
        const auto i = m_valori.constFind(k);
        if (i == m_valori.constEnd())
            return QStringLiteral("*");
        if (i->trimmed().isEmpty())
            Gol = k;
        return *i;
    }
    QString Gol;

private:
    const QHash<QString, TProfilCamp>& m_profil;
    const QHash<QString, QString>& m_valori;
};
} // namespace

QStringList CampuriGoaleTiparite(const TMachetaFormular& macheta, const QHash<QString, TProfilCamp>& profil,
                                 const QHash<QString, QString>& valori)
{
    QStringList goale;
    QSet<QString> vazute;
    TSursaTexte sursa(profil, valori);
    for (const TMachetaPagina& pagina : macheta.Pagini) {
        for (const TMachetaZona& z : pagina.Zone) {
            const TCheieCamp cheie = DesparteCheie(z.Denumire1);
            if (z.Denumire1.trimmed().isEmpty() || cheie.Camp.endsWith(QLatin1String("_L2")))
                continue;
            const QString k = UnesteCheie(cheie);
            if (vazute.contains(k))
                continue;
            vazute.insert(k);
            sursa.Gol.clear();
            if (RezolvaValoare(sursa, cheie, 0).trimmed().isEmpty() && !sursa.Gol.isEmpty() &&
                !goale.contains(sursa.Gol))
                goale << sursa.Gol;
        }
    }
    return goale;
}
