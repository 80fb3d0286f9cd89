#include "controls/UKivNumar.h"

#include "platform/UEroare.h"

#include <limits>
#include <optional>

namespace {
constexpr int LungimeMaximaNumar = 18;

bool EsteSeparator(QChar c)
{
    return c == u',' || c == u'.';
}

// Unsigned decimal digits only, at least one; nothing when they do not fit below `limita`.
std::optional<quint64> CitesteCifre(QStringView cifre, quint64 limita)
{
    if (cifre.isEmpty())
        return std::nullopt;
    quint64 valoare = 0;
    for (QChar c : cifre) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const quint64 cifra = quint64(c.unicode() - u'0');
        if (valoare > (limita - cifra) / 10)
            return std::nullopt;
        valoare = valoare * 10 + cifra;
    }
    return valoare;
}

// An optional "-" followed by digits, within the range of a signed 64-bit integer.
std::optional<qint64> CitesteIntreg(QStringView text)
{
    const bool negativ = text.startsWith(u'-');
    const QStringView cifre = negativ ? text.mid(1) : text;
    const quint64 limita = quint64(std::numeric_limits<qint64>::max()) + (negativ ? 1 : 0);
    const auto valoare = CitesteCifre(cifre, limita);
    if (!valoare)
        return std::nullopt;
    if (negativ)
        return qint64(0 - *valoare);
    return qint64(*valoare);
}

[[noreturn]] void NuEsteNumar(const QString& text)
{
    throw EEroare(QStringLiteral("'%1' nu este un numar valid").arg(text));
}

quint64 Modul(qint64 n)
{
    return n < 0 ? 0 - quint64(n) : quint64(n);
}

int PrimulSeparator(const QString& text)
{
    for (int i = 0; i < text.length(); ++i)
        if (EsteSeparator(text[i]))
            return i;
    return -1;
}
} // namespace

bool NormalizeazaNumar(QString& text, int nrCifreDupaVirgula)
{
    int separator = -1;
    for (int i = 0; i < text.length(); ++i) {
        const QChar c = text[i];
        if (c == u'-') {
            if (i != 0)
                return false;
        } else if (EsteSeparator(c)) {
            if (separator >= 0)
                return false;
            separator = i;
        } else if (c < u'0' || c > u'9') {
            return false;
        }
    }
    const int inainte = separator < 0 ? int(text.length()) : separator;
    const int dupa = separator < 0 ? 0 : int(text.length()) - separator - 1;
    if (dupa > nrCifreDupaVirgula || inainte + dupa >= LungimeMaximaNumar)
        return false;
    text.replace(u'.', u',');
    return true;
}

qint64 CitesteAsCurrency(const QString& text)
{
    const bool negativ = text.contains(u'-');
    const QString fara = negativ ? text.mid(1) : text;
    const int virgula = int(fara.indexOf(u','));
    QString intreg = virgula < 0 ? fara : fara.left(virgula);
    if (intreg.isEmpty())
        intreg = QStringLiteral("0");
    const QString fractie = (virgula < 0 ? QString() : fara.mid(virgula + 1) + QStringLiteral("0000")).left(4);
    const quint64 limita = quint64(std::numeric_limits<qint64>::max());
    const auto parteIntreaga = CitesteCifre(intreg, (limita - 9999) / 10000);
    const auto parteFractionara = fractie.isEmpty() ? std::optional<quint64>(0) : CitesteCifre(fractie, 9999);
    if (!parteIntreaga || !parteFractionara)
        NuEsteNumar(text);
    const qint64 valoare = qint64(*parteIntreaga * 10000 + *parteFractionara);
    return negativ ? -valoare : valoare;
}

qint64 CitesteCuZecimale(const QString& text, int zecimale)
{
    if (text.isEmpty())
        return 0;
    const int separator = PrimulSeparator(text);
    const QString intreg = separator < 0 ? text : text.left(separator);
    const QString fractie = separator < 0 ? QString() : text.mid(separator + 1);
    const QString cifre = intreg + (fractie + QString(zecimale, u'0')).left(zecimale);
    const auto valoare = CitesteIntreg(cifre);
    if (!valoare)
        NuEsteNumar(text);
    return *valoare;
}

qint64 CitesteFaraZecimale(const QString& text)
{
    const int separator = PrimulSeparator(text);
    return CitesteIntreg(separator < 0 ? QStringView(text) : QStringView(text).left(separator)).value_or(0);
}

QString TextDinAsCurrency(qint64 valoare)
{
    const quint64 modul = Modul(valoare);
    QString text = QString::number(modul / 10000) + u',' +
                   QStringLiteral("%1").arg(modul % 10000, 4, 10, QLatin1Char('0')).left(2);
    if (valoare < 0)
        text.prepend(u'-');
    return text;
}

QString TextDinZecimale(qint64 n, int zecimale)
{
    quint64 impartitor = 1;
    for (int i = 0; i < zecimale; ++i)
        impartitor *= 10;
    const quint64 modul = Modul(n);
    QString text = QString::number(modul / impartitor);
    if (modul % impartitor != 0)
        text += u',' + QStringLiteral("%1").arg(modul % impartitor, zecimale, 10, QLatin1Char('0'));
    if (n < 0)
        text.prepend(u'-');
    return text;
}
