#include "settings/UTextRomanesc.h"

#include "platform/UEroare.h"

#include <array>
#include <limits>

namespace {

// Integer part and unit words, 1 to 10.
const std::array<QString, 11> kUnitati = {
    QString(),
    QStringLiteral("UNU"),
    QStringLiteral("DOI"),
    QStringLiteral("TREI"),
    QStringLiteral("PATRU"),
    QStringLiteral("CINCI"),
    QStringLiteral("ŞASE"),
    QStringLiteral("ŞAPTE"),
    QStringLiteral("OPT"),
    QStringLiteral("NOUĂ"),
    QStringLiteral("ZECE"),
};

// Decimal part words, 1 to 19. "ŞAISPREZECET" is the form the certificates have always carried.
const std::array<QString, 20> kZecimale = {
    QString(),
    QStringLiteral("ZEROUNU"),
    QStringLiteral("ZERODOI"),
    QStringLiteral("ZEROTREI"),
    QStringLiteral("ZEROPATRU"),
    QStringLiteral("ZEROCINCI"),
    QStringLiteral("ZEROŞASE"),
    QStringLiteral("ZEROŞAPTE"),
    QStringLiteral("ZEROOPT"),
    QStringLiteral("ZERONOUĂ"),
    QStringLiteral("ZECE"),
    QStringLiteral("UNSPREZECE"),
    QStringLiteral("DOISPREZECE"),
    QStringLiteral("TREISPREZECE"),
    QStringLiteral("PAISPREZECE"),
    QStringLiteral("CINCISPREZECE"),
    QStringLiteral("ŞAISPREZECET"),
    QStringLiteral("ŞAPTESPREZECE"),
    QStringLiteral("OPTSPREZECE"),
    QStringLiteral("NOUĂSPREZECE"),
};

const std::array<QString, 10> kZeci = {
    QString(),
    QString(),
    QStringLiteral("DOUĂZECI"),
    QStringLiteral("TREIZECI"),
    QStringLiteral("PATRUZECI"),
    QStringLiteral("CINCIZECI"),
    QStringLiteral("ŞAIZECI"),
    QStringLiteral("ŞAPTEZECI"),
    QStringLiteral("OPTZECI"),
    QStringLiteral("NOUĂZECI"),
};

const std::array<QString, 10> kZeciSi = {
    QString(),
    QString(),
    QStringLiteral("DOUĂZECIŞI"),
    QStringLiteral("TREIZECIŞI"),
    QStringLiteral("PATRUZECIŞI"),
    QStringLiteral("CINCIZECIŞI"),
    QStringLiteral("ŞAIZECIŞI"),
    QStringLiteral("ŞAPTEZECIŞI"),
    QStringLiteral("OPTZECIŞI"),
    QStringLiteral("NOUĂZECIŞI"),
};

const std::array<QString, 12> kLuni = {
    QStringLiteral("ianuarie"),   QStringLiteral("februarie"), QStringLiteral("martie"),    QStringLiteral("aprilie"),
    QStringLiteral("mai"),        QStringLiteral("iunie"),     QStringLiteral("iulie"),     QStringLiteral("august"),
    QStringLiteral("septembrie"), QStringLiteral("octombrie"), QStringLiteral("noiembrie"), QStringLiteral("decembrie"),
};

QString DouaCifre(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

struct TPereche
{
    QChar mare;
    QChar mica;
};

// The three letter pairs of the case routines, in the "@" notation.
const std::array<TPereche, 3>& PerechiRomanesti()
{
    static const std::array<TPereche, 3> perechi = {
        TPereche{DecodeazaDiacritice(QStringLiteral("@S"))[0], DecodeazaDiacritice(QStringLiteral("@s"))[0]},
        TPereche{DecodeazaDiacritice(QStringLiteral("@T"))[0], DecodeazaDiacritice(QStringLiteral("@t"))[0]},
        TPereche{DecodeazaDiacritice(QStringLiteral("@A"))[0], DecodeazaDiacritice(QStringLiteral("@a"))[0]},
    };
    return perechi;
}

} // namespace

QString NotaInLitere(int valoare, int mod)
{
    if (valoare < 0)
        throw EEroare(QStringLiteral("Nota %1 nu poate fi scrisa in litere").arg(FormatFix(2, qint64(valoare) * 100)));
    const int intreg = valoare / 100;
    const int zecimale = valoare % 100;
    const int zeci = zecimale / 10;
    const int unitati = zecimale % 10;
    const QString cuvant = intreg >= 1 && intreg <= 10 ? kUnitati[intreg] : QString();
    // 10 has no decimals, whatever the value says.
    const bool cuZecimale = intreg != 10 && zecimale != 0;
    QString cifre = cuvant;
    QString litere = cuvant;
    if (cuZecimale) {
        cifre += QStringLiteral(", ") + QString::number(zeci) + QString::number(unitati);
        litere += QStringLiteral(", ");
        if (zecimale < 20)
            litere += kZecimale[zecimale];
        else if (unitati == 0)
            litere += kZeci[zeci];
        else
            litere += kZeciSi[zeci] + kUnitati[unitati];
    }
    switch (mod) {
    case mnLitere:
        return '(' + litere + ')';
    case mnCifre:
        return '(' + cifre + ')';
    case mnProcent:
        return cuZecimale ? '(' + cifre + QStringLiteral("%)") : '(' + cifre + ')';
    default:
        return QString();
    }
}

QString FormatFix(int zecimale, qint64 valoare)
{
    // The magnitude in unsigned arithmetic: the smallest qint64 has no positive counterpart.
    const quint64 marime = valoare < 0 ? 0 - quint64(valoare) : quint64(valoare);
    const QString cifre = QString::number(marime / 10000);
    QString rezultat;
    for (qsizetype i = 0; i < cifre.size(); ++i) {
        if (i > 0 && (cifre.size() - i) % 3 == 0)
            rezultat += '.';
        rezultat += cifre[i];
    }
    if (zecimale > 0) {
        const QString fractie = QStringLiteral("%1").arg(marime % 10000, 4, 10, QLatin1Char('0'));
        rezultat += ',' + fractie.left(zecimale);
    }
    return valoare < 0 ? '-' + rezultat : rezultat;
}

QString DataInLitere(const QDate& data)
{
    if (!data.isValid())
        return QString();
    return QStringLiteral("%1 %2 %3").arg(data.day()).arg(kLuni[data.month() - 1]).arg(data.year());
}

QString DataZiLuna(const QDate& data)
{
    if (!data.isValid())
        return QString();
    return DouaCifre(data.day()) + '/' + DouaCifre(data.month());
}

QString DataScurta(const QDate& data)
{
    if (!data.isValid())
        return QString();
    const QString an = QString::number(data.year()).leftJustified(4, QLatin1Char('?'));
    return DataZiLuna(data) + '/' + an.mid(2, 2);
}

QString MiciRomanesti(const QString& text)
{
    QString rezultat = text;
    for (QChar& ch : rezultat) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = QChar(ch.unicode() + ('a' - 'A'));
            continue;
        }
        for (const TPereche& p : PerechiRomanesti()) {
            if (ch == p.mare)
                ch = p.mica;
        }
    }
    return rezultat;
}

QString MariRomanesti(const QString& text)
{
    QString rezultat = text;
    for (QChar& ch : rezultat) {
        if (ch >= 'a' && ch <= 'z') {
            ch = QChar(ch.unicode() - ('a' - 'A'));
            continue;
        }
        for (const TPereche& p : PerechiRomanesti()) {
            if (ch == p.mica)
                ch = p.mare;
        }
    }
    return rezultat;
}

QString DecodeazaDiacritice(const QString& text)
{
    QString rezultat;
    rezultat.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '@') {
            rezultat += text[i];
            continue;
        }
        if (++i >= text.size())
            break;
        switch (text[i].unicode()) {
        case 'a':
            rezultat += QChar(0x0103);
            break;
        case 's':
            rezultat += QChar(0x015F);
            break;
        case 't':
            rezultat += QChar(0x0163);
            break;
        case 'h':
            rezultat += QChar(0x00E2);
            break;
        case 'i':
            rezultat += QChar(0x00EE);
            break;
        case 'A':
            rezultat += QChar(0x0102);
            break;
        case 'S':
            rezultat += QChar(0x015E);
            break;
        case 'T':
            rezultat += QChar(0x0162);
            break;
        case 'H':
            rezultat += QChar(0x00C2);
            break;
        case 'I':
            rezultat += QChar(0x00CE);
            break;
        case '@':
            rezultat += '@';
            break;
        default:
            break;
        }
    }
    return rezultat;
}

qint64 ValoareNota(const QString& text)
{
    int parte = 1;
    QString intregi;
    QString zecimale;
    for (const QChar c : text) {
        if (c == u',' || c == u'.')
            ++parte;
        else if (c >= u'0' && c <= u'9') {
            if (parte == 1)
                intregi += c;
            else if (parte == 2)
                zecimale += c;
        }
    }
    bool ok = false;
    qint64 intreg = intregi.toLongLong(&ok);
    if (!ok || intreg > std::numeric_limits<qint32>::max())
        intreg = 0;
    qint64 sutimi = 0;
    if (!zecimale.isEmpty())
        sutimi = (zecimale[0].unicode() - u'0') * 10 + (zecimale.size() > 1 ? zecimale[1].unicode() - u'0' : 0);
    return intreg * 10000 + sutimi * 100;
}

namespace {
QChar LiteraDeCautareCalculata(QChar c)
{
    // A letter with a mark (ă, â, î, ş, ș, ţ, ț, é ...) is its base letter followed by the mark.
    const QString descompus = c.decomposition();
    const QChar baza = c.decompositionTag() == QChar::Canonical && !descompus.isEmpty() ? descompus.at(0) : c;
    return baza.toLower();
}

// The search form of one UTF-16 code unit.
QChar LiteraDeCautare(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= u'A' && u <= u'Z' ? QChar(u + (u'a' - u'A')) : c;
    // The Latin letters with marks come back in name after name: each is worked out once.
    constexpr char16_t SfarsitLatine = 0x250;
    static const auto latine = [] {
        std::array<char16_t, SfarsitLatine - 0x80> forme{};
        for (char16_t v = 0x80; v < SfarsitLatine; ++v)
            forme[v - 0x80] = LiteraDeCautareCalculata(QChar(v)).unicode();
        return forme;
    }();
    return u < SfarsitLatine ? QChar(latine[u - 0x80]) : LiteraDeCautareCalculata(c);
}
} // namespace

QString FormaDeCautare(const QString& text)
{
    QString rezultat(text.size(), Qt::Uninitialized);
    QChar* litera = rezultat.data();
    for (const QChar c : text)
        *litera++ = LiteraDeCautare(c);
    return rezultat;
}

void AdaugaFormaDeCautare(QByteArray& tinta, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = LiteraDeCautare(text[i]).unicode();
        if (u < 0x80) {
            tinta += char(u);
        } else if (u < 0x800) {
            tinta += char(0xC0 | (u >> 6));
            tinta += char(0x80 | (u & 0x3F));
        } else if (!QChar::isSurrogate(u)) {
            tinta += char(0xE0 | (u >> 12));
            tinta += char(0x80 | ((u >> 6) & 0x3F));
            tinta += char(0x80 | (u & 0x3F));
        } else {
            // Pairs, and halves without their pair, are encoded as QString encodes them.
            tinta += FormaDeCautare(text.mid(i)).toUtf8();
            return;
        }
    }
}

bool AreSedile(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0x015E || u == 0x015F || u == 0x0162 || u == 0x0163)
            return true;
    }
    return false;
}

QString CuVirgulaDedesubt(const QString& text)
{
    QString rezultat = text;
    for (QChar& c : rezultat) {
        switch (c.unicode()) {
        case 0x015E: // Ş
            c = QChar(0x0218);
            break;
        case 0x015F: // ş
            c = QChar(0x0219);
            break;
        case 0x0162: // Ţ
            c = QChar(0x021A);
            break;
        case 0x0163: // ţ
            c = QChar(0x021B);
            break;
        default:
            break;
        }
    }
    return rezultat;
}

bool ZonaAnDupa200(const QString& cheie, const QString& pozitie)
{
    return cheie.section(u'.', -1).endsWith(QLatin1String("AN_ABSOLVIRE")) && pozitie.trimmed() == u'4';
}

QString ProblemaAnPeFormular(const QString& an)
{
    const QString t = an.trimmed();
    if (t.isEmpty() || (t.size() == 4 && t.startsWith(QLatin1String("200")) && t[3].isDigit()))
        return {};
    return QStringLiteral("Anul %1 nu se poate scrie dupa 200 tiparit pe formular").arg(t);
}

QString CuNumar(qint64 numar, const QString& singular, const QString& plural)
{
    const qint64 absolut = numar < 0 ? -numar : numar;
    if (absolut == 1)
        return QStringLiteral("%1 %2").arg(numar).arg(singular);
    // From twenty on, a number whose last two digits are 00 or 20-99 takes "de".
    const qint64 rest = absolut % 100;
    if (absolut >= 20 && (rest == 0 || rest >= 20))
        return QStringLiteral("%1 de %2").arg(numar).arg(plural);
    return QStringLiteral("%1 %2").arg(numar).arg(plural);
}
