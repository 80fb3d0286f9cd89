#include "excel/UCititorFoi.h"

QString NumeColoana(int coloana)
{
    if (coloana < 1 || coloana > ColoaneCitite)
        return {};
    if (coloana <= 26)
        return QString(QChar(u'A' + coloana - 1));
    const int n = coloana - 27;
    return QString(QChar(u'A' + n / 26)) + QChar(u'A' + n % 26);
}

int IndexColoana(const QString& litere)
{
    if (litere.isEmpty() || litere.size() > 2)
        return 0;
    int index = 0;
    for (const QChar c : litere) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            return 0;
        index = index * 26 + (u - u'A' + 1);
    }
    return index;
}

QString TFoaieCalcul::Text(const QString& adresaA1) const
{
    int litere = 0;
    while (litere < adresaA1.size() && adresaA1[litere].isLetter())
        ++litere;
    const int coloana = IndexColoana(adresaA1.left(litere));
    const QStringView cifre = QStringView(adresaA1).mid(litere);
    if (coloana == 0 || cifre.isEmpty() || cifre.size() > 5)
        return {};
    for (const QChar c : cifre) {
        if (c < u'0' || c > u'9')
            return {};
    }
    return Text(cifre.toInt(), coloana);
}

QString TFoaieCalcul::Text(int rand, int coloana) const
{
    if (rand < 1 || rand > Randuri.size() || coloana < 1)
        return {};
    const QStringList& celule = Randuri[rand - 1];
    return coloana <= celule.size() ? celule[coloana - 1] : QString();
}

QList<QStringList> CelulePentruCsv(const QString& text)
{
    QList<QStringList> randuri;
    QStringList rand;
    QString celula;
    bool inGhilimele = false;
    bool citita = false; // something of the current row was met, so a row ends here
    const auto inchideCelula = [&] {
        if (rand.size() < ColoaneCitite)
            rand.append(celula);
        celula.clear();
    };
    const auto inchideRand = [&] {
        inchideCelula();
        while (!rand.isEmpty() && rand.last().isEmpty())
            rand.removeLast();
        randuri.append(rand);
        rand.clear();
        citita = false;
    };
    for (qsizetype i = 0; i < text.size() && randuri.size() < RanduriCitite; ++i) {
        const QChar c = text[i];
        if (inGhilimele) {
            if (c != u'"')
                celula += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                celula += text[++i];
            else
                inGhilimele = false;
            continue;
        }
        citita = true;
        if (c == u'"') {
            inGhilimele = true;
        } else if (c == u',') {
            inchideCelula();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            inchideRand();
        } else {
            celula += c;
        }
    }
    if (citita && randuri.size() < RanduriCitite)
        inchideRand();
    while (!randuri.isEmpty() && randuri.last().isEmpty())
        randuri.removeLast();
    return randuri;
}

TCititorFoi::~TCititorFoi() = default;

QString TCititorFoi::Text(int foaie, const QString& adresaA1) const
{
    return Foaie(foaie).Text(adresaA1);
}

std::unique_ptr<TCititorFoi> CreeazaCititorFoi()
{
    return std::make_unique<TCititorCalc>();
}
