#include "print/USetariImprimare.h"

#include "platform/UEroare.h"
#include "platform/URegistru.h"

#include <QLocale>

#include <cmath>

namespace {
bool g_allRaportat = false;

const QString NumeAll = QStringLiteral("all");
const QString NumeOglindaFata = QStringLiteral("OglindescFata");
const QString NumeOglindaVerso = QStringLiteral("OglindescVerso");

bool NecesitaGhilimele(const QString& s)
{
    for (QChar c : s) {
        if (c.unicode() <= 0x20 || c == QLatin1Char(',') || c == QLatin1Char('"'))
            return true;
    }
    return false;
}

QLocale LocaleNumere()
{
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return l;
}

int CitesteIntreg(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        throw EEroare(QStringLiteral("\"%1\" nu este un numar intreg valid").arg(text));
    return v;
}
} // namespace

QString TextCuVirgule(const QStringList& elemente)
{
    QStringList iesire;
    iesire.reserve(elemente.size());
    for (const QString& e : elemente) {
        if (NecesitaGhilimele(e))
            iesire << QLatin1Char('"') + QString(e).replace(QLatin1String("\""), QLatin1String("\"\"")) +
                          QLatin1Char('"');
        else
            iesire << e;
    }
    return iesire.join(QLatin1Char(','));
}

QStringList DesparteTextCuVirgule(const QString& text)
{
    QStringList elemente;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto blanc = [&](qsizetype k) { return k < n && text[k].unicode() >= 1 && text[k].unicode() <= 0x20; };
    while (blanc(i))
        ++i;
    while (i < n) {
        QString s;
        if (text[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        s += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                s += text[i++];
            }
        } else {
            const qsizetype inceput = i;
            // U+0000 is no blank: it stays in the element, where CitesteAll refuses it.
            while (i < n && (text[i].unicode() > 0x20 || text[i].isNull()) && text[i] != QLatin1Char(','))
                ++i;
            s = text.mid(inceput, i - inceput);
        }
        elemente << s;
        while (blanc(i))
            ++i;
        if (i < n && text[i] == QLatin1Char(',')) {
            if (i + 1 == n)
                elemente << QString();
            do
                ++i;
            while (blanc(i));
        }
    }
    return elemente;
}

QString FormatNumarGeneral(double valoare)
{
    QString s = QString::number(valoare, 'g', 15);
    return s.replace(QLatin1Char('.'), LocaleNumere().decimalPoint());
}

double CitesteNumarGeneral(const QString& text)
{
    bool ok = false;
    const double v = LocaleNumere().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        throw EEroare(QStringLiteral("\"%1\" nu este un numar valid (separatorul zecimal este \"%2\")")
                          .arg(text, LocaleNumere().decimalPoint()));
    return v;
}

double CitesteMilimetri(const QString& text)
{
    QString t = text.trimmed();
    // One decimal separator, either sign; a group separator would make "1.250" mean a thousand times more.
    if (t.count(u',') + t.count(u'.') <= 1)
        t.replace(u',', u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (t.isEmpty() || !ok || !std::isfinite(v))
        throw EEroare(QStringLiteral("\"%1\" nu este un numar de milimetri. Scrieti, de exemplu, 2,5 sau 2.5.")
                          .arg(text.trimmed()));
    return v;
}

QString TextMilimetri(double valoare)
{
    return QString::number(valoare, 'g', 15).replace(u'.', u',');
}

TAllStuffReg::TAllStuffReg()
{
    Citeste();
}

TAllStuffReg::~TAllStuffReg()
{
    try {
        Scrie();
    } catch (const std::exception& e) {
        AvertizeazaRegistru(TextEroare(e));
    }
}

TSetariImprimare TSetariImprimare::Citite()
{
    TSetariImprimare s;
    s.Citeste();
    return s;
}

QString TSetariImprimare::Cheie()
{
    return QStringLiteral("SOFTWARE\\Zorvik SOFT\\Pravelo\\") + QStringLiteral("2006") + QLatin1Char('\\') +
           QStringLiteral("Tessaluna");
}

QString TSetariImprimare::TextAll() const
{
    auto b = [](bool v) { return v ? QStringLiteral("1") : QStringLiteral("0"); };
    return TextCuVirgule({QStringLiteral("0"), b(Configurata), b(ParteOpusa), b(OglindaOrizontala), b(OglindaVerticala),
                          QString::number(ModAlimentare), FormatNumarGeneral(MargineStangaFata),
                          FormatNumarGeneral(MargineSusFata), FormatNumarGeneral(MargineStangaVerso),
                          FormatNumarGeneral(MargineSusVerso), NumeImprimanta, QString::number(IndexImprimanta)});
}

void TSetariImprimare::CitesteAll(const QString& text)
{
    if (text.contains(QChar(0)))
        throw EEroare(QStringLiteral("contine caracterul NUL (U+0000)"));
    const QStringList e = DesparteTextCuVirgule(text);
    if (e.size() < 12)
        throw EEroare(QStringLiteral("are %1 elemente in loc de 12").arg(e.size()));
    // Everything is converted before anything is assigned: a damaged text changes no field.
    const int mod = CitesteIntreg(e[5]);
    const double sf = CitesteNumarGeneral(e[6]);
    const double suf = CitesteNumarGeneral(e[7]);
    const double sv = CitesteNumarGeneral(e[8]);
    const double suv = CitesteNumarGeneral(e[9]);
    const int index = CitesteIntreg(e[11]);
    Configurata = e[1] == u"1";
    ParteOpusa = e[2] == u"1";
    OglindaOrizontala = e[3] == u"1";
    OglindaVerticala = e[4] == u"1";
    ModAlimentare = mod;
    MargineStangaFata = sf;
    MargineSusFata = suf;
    MargineStangaVerso = sv;
    MargineSusVerso = suv;
    NumeImprimanta = e[10];
    IndexImprimanta = index;
}

void TSetariImprimare::Citeste()
{
    TRegistru reg;
    m_allDeteriorat = false;
    // Reading never creates the key: a reader that finds nothing stored writes nothing either.
    if (!reg.DeschideCheie(Cheie(), false)) {
        OglindaFata = OglindaVerso = QStringLiteral("*");
        m_allLaIncarcare = TextAll();
        return;
    }
    if (reg.ExistaValoare(NumeAll)) {
        QString text;
        try {
            text = reg.CitesteText(NumeAll);
            CitesteAll(text);
        } catch (const std::exception& e) {
            m_allDeteriorat = true;
            if (!g_allRaportat) {
                g_allRaportat = true;
                AvertizeazaRegistru(QStringLiteral("Setarile imprimantei din registru (valoarea \"all\" din cheia "
                                                   "\"%1\") nu pot fi citite: %2.\nPana la o noua configurare "
                                                   "se folosesc setarile implicite; rulati \"Configurare "
                                                   "imprimanta\".")
                                        .arg(Cheie(), TextEroare(e)));
            }
        }
    }
    auto oglinda = [&reg](const QString& nume) {
        // A value of the other type counts as no choice made; it is replaced at the next write.
        if (reg.ExistaValoare(nume) && reg.TipValoare(nume) == TTipValoareRegistru::Text)
            return reg.CitesteText(nume);
        return QStringLiteral("*");
    };
    OglindaFata = oglinda(NumeOglindaFata);
    OglindaVerso = oglinda(NumeOglindaVerso);
    m_allLaIncarcare = TextAll();
}

void TSetariImprimare::Scrie()
{
    TRegistru reg;
    reg.DeschideCheie(Cheie(), true);
    QList<TValoareRegistru> valori;
    const QString all = TextAll();
    // A damaged "all" is overwritten only by values that are more than the defaults put in its place.
    if (!m_allDeteriorat || all != m_allLaIncarcare)
        valori << TValoareRegistru::Text(NumeAll, all);
    valori << TValoareRegistru::Text(NumeOglindaFata, OglindaFata)
           << TValoareRegistru::Text(NumeOglindaVerso, OglindaVerso);
    reg.ScrieValori(valori);
    if (!valori.isEmpty() && valori.first().nume == NumeAll) {
        m_allDeteriorat = false;
        m_allLaIncarcare = all;
    }
}

QString TSetariImprimare::Oglinda(int parte) const
{
    if (parte == 0)
        return OglindaFata;
    if (parte == 1)
        return OglindaVerso;
    return QStringLiteral("*");
}

void TSetariImprimare::SeteazaOglinda(int parte, const QString& text)
{
    if (parte == 0)
        OglindaFata = text;
    else if (parte == 1)
        OglindaVerso = text;
}
