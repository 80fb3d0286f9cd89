#include "entry/UValidare.h"

#include <QDate>

#include <limits>

bool CnpValid(const QString& text)
{
    if (text.size() != 13)
        return false;
    int d[13];
    for (int i = 0; i < 13; ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            return false;
        d[i] = c.unicode() - u'0';
    }
    if (d[0] != 1 && d[0] != 2 && d[0] != 5 && d[0] != 6)
        return false;
    const int yy = d[1] * 10 + d[2];
    const int mm = d[3] * 10 + d[4];
    const int dd = d[5] * 10 + d[6];
    if (mm == 0)
        return false;
    const int an = yy >= 5 ? 1900 + yy : 2000 + yy;
    if (!QDate::isValid(an, mm, dd))
        return false;
    return CifraControlCnp(text);
}

bool CifraControlCnp(const QString& text)
{
    if (text.size() != 13)
        return false;
    static const int ponderi[12] = {2, 7, 9, 1, 4, 6, 3, 5, 8, 2, 7, 9};
    int suma = 0;
    for (int i = 0; i < 13; ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            return false;
        if (i < 12)
            suma += (c.unicode() - u'0') * ponderi[i];
    }
    int rest = suma % 11;
    if (rest == 10)
        rest = 1;
    return rest == text[12].unicode() - u'0';
}

TSexCnp SexDinCnp(const QString& cnp)
{
    if (cnp.isEmpty() || cnp[0] < u'1' || cnp[0] > u'8')
        return scNecunoscut;
    return (cnp[0].unicode() - u'0') % 2 == 1 ? scBarbat : scFemeie;
}

QList<int> LatimiLinie(int latimeLinie, const QList<int>& ponderi)
{
    qint64 suma = 0;
    for (int p : ponderi)
        suma += p;
    QList<int> latimi;
    for (int p : ponderi) {
        qint64 w = suma != 0 ? qint64(latimeLinie) * p / suma : latimeLinie / qMax(1, int(ponderi.size()));
        latimi << int(qMax<qint64>(w, 16));
    }
    return latimi;
}
