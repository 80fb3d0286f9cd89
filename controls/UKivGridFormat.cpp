#include "controls/UKivGridFormat.h"

#include "platform/UEroare.h"
#include "settings/UCulori.h"
#include "settings/UTextRomanesc.h"

#include <algorithm>

qint64 TKivValoareDate::AsCurrency() const
{
    Verifica(atCurrency);
    return m_valoare.toLongLong();
}

qint64 TKivValoareDate::AsInteger() const
{
    Verifica(atInteger);
    return m_valoare.toLongLong();
}

qint64 TKivValoareDate::AsIntegerDouaZecimale() const
{
    Verifica(atIntegerDouaZecimale);
    return m_valoare.toLongLong();
}

QString TKivValoareDate::AsString() const
{
    Verifica(atString);
    return m_valoare.toString();
}

QDate TKivValoareDate::AsDataScurtFaraAn() const
{
    Verifica(atDataScurtFaraAn);
    return m_valoare.toDate();
}

QDate TKivValoareDate::AsDataScurtCuAn() const
{
    Verifica(atDataScurtCuAn);
    return m_valoare.toDate();
}

QDate TKivValoareDate::AsDataLung() const
{
    Verifica(atDataLung);
    return m_valoare.toDate();
}

void TKivValoareDate::Seteaza(const QVariant& valoare, TKivTipDeDateColoana tip)
{
    m_valoare = valoare;
    m_tip = tip;
}

void TKivValoareDate::Verifica(TKivTipDeDateColoana tip) const
{
    if (m_tip != tip)
        throw EEroare(QStringLiteral("Tip incorect"));
}

QString TextValoare(const TKivValoareDate& valoare)
{
    switch (valoare.Tip()) {
    case atCurrency:
        return FormatFix(2, valoare.AsCurrency());
    case atInteger:
        return QString::number(valoare.AsInteger());
    case atIntegerDouaZecimale: {
        const qint64 n = valoare.AsIntegerDouaZecimale();
        // The magnitude in unsigned arithmetic: the smallest qint64 has no positive counterpart.
        const quint64 marime = n < 0 ? 0 - quint64(n) : quint64(n);
        const QString text =
            QStringLiteral("%1,%2").arg(marime / 100).arg(qulonglong(marime % 100), 2, 10, QLatin1Char('0'));
        return n < 0 ? '-' + text : text;
    }
    case atString:
        return valoare.AsString();
    case atDataScurtFaraAn:
        return DataZiLuna(valoare.AsDataScurtFaraAn());
    case atDataScurtCuAn:
        return DataScurta(valoare.AsDataScurtCuAn());
    case atDataLung:
        return DataInLitere(valoare.AsDataLung());
    case atAuto:
    case atAsk:
        break;
    }
    throw EEroare(QStringLiteral("Bug! Nu stiu citi tipul de date!"));
}

QString TextDeProba(TKivTipDeDateColoana tip)
{
    switch (tip) {
    case atCurrency:
        return QStringLiteral("123.456.789,01");
    case atInteger:
        return QStringLiteral("421");
    case atIntegerDouaZecimale:
        return QStringLiteral("421,89");
    case atString:
    case atAsk:
        return QStringLiteral("Text");
    default:
        return QStringLiteral("??");
    }
}

QString TextUmbrelaAfisat(const QString& umbrela)
{
    const qsizetype bara = umbrela.indexOf('|');
    return bara < 0 ? umbrela : umbrela.mid(bara + 1);
}

std::pair<int, int> GrupUmbrela(const QStringList& umbrele, int coloana)
{
    if (coloana < 0 || coloana >= umbrele.size() || umbrele[coloana].isEmpty())
        return {coloana, coloana};
    int prima = coloana;
    while (prima > 0 && umbrele[prima - 1] == umbrele[coloana])
        --prima;
    int ultima = coloana;
    while (ultima + 1 < umbrele.size() && umbrele[ultima + 1] == umbrele[coloana])
        ++ultima;
    return {prima, ultima};
}

QStringList RanduriCaptiune(const QString& text, int latimeMaxima, const std::function<int(const QString&)>& latime)
{
    QStringList randuri;
    QString rand;
    for (const QString& cuvant : text.split(' ', Qt::SkipEmptyParts)) {
        const QString incercare = rand.isEmpty() ? cuvant : rand + ' ' + cuvant;
        if (rand.isEmpty() || latime(incercare.trimmed()) <= latimeMaxima) {
            rand = incercare;
            continue;
        }
        randuri << rand.trimmed();
        rand = cuvant;
    }
    if (!rand.isEmpty())
        randuri << rand.trimmed();
    return randuri;
}

int AlegeStil(int stilLinie, const std::array<bool, 10>& activ)
{
    for (int s = std::min(stilLinie, 10); s >= 2; --s) {
        if (activ[s - 1])
            return s;
    }
    return 1;
}

QFont AplicaFormatFont(QFont font, quint8 biti)
{
    if (biti & 0x01)
        font.setBold(true);
    if (biti & 0x02)
        font.setBold(false);
    if (biti & 0x04)
        font.setItalic(true);
    if (biti & 0x08)
        font.setItalic(false);
    const int marimi[4] = {6, 8, 10, 11};
    for (int i = 0; i < 4; ++i) {
        if (biti & (0x10 << i))
            font.setPointSize(marimi[i]);
    }
    return font;
}

QList<QColor> RampaHover(const QColor& fundal)
{
    // Hue, saturation and value each mixed linearly between the background and its shade, as numbers: a grey
    // reads as hue 0, so a white background passes through faint warm and green tints toward its blue shade.
    const THSV b = CuloareInHSV(fundal);
    const THSV t = CuloareInHSV(DeplaseazaCanale(fundal, -20, -20, 0));
    QList<QColor> culori;
    culori << fundal;
    for (int k = 1; k < 10; ++k) {
        const double wb = (10 - k) / 10.0;
        const double wt = k / 10.0;
        culori << HSVInCuloare({wb * b.h + wt * t.h, wb * b.s + wt * t.s, wb * b.v + wt * t.v});
    }
    return culori;
}

QColor CuloareHover(const QColor& fundal, int intensitate)
{
    if (intensitate < 2)
        return fundal;
    return RampaHover(fundal).at(std::min(intensitate, 10) - 1);
}

QList<QColor> GradientUmbra(const QColor& de, const QColor& la, int pasi)
{
    QList<QColor> culori;
    for (int i = 0; i < pasi; ++i) {
        const double t = pasi > 1 ? double(i) / (pasi - 1) : 0.0;
        culori << QColor(int(de.red() + (la.red() - de.red()) * t), int(de.green() + (la.green() - de.green()) * t),
                         int(de.blue() + (la.blue() - de.blue()) * t));
    }
    return culori;
}

TKivDimensiuniGrila DimensiuniGrila(int nrColoane, int nrLinii, int nrColoaneFixe)
{
    TKivDimensiuniGrila d;
    d.coloane = std::max(nrColoane, 1);
    d.randuri = nrLinii + 1;
    d.randuriFixe = d.randuri > 1 ? 1 : 0;
    if (nrColoaneFixe < d.coloane)
        d.coloaneFixe = std::max(nrColoaneFixe, 0);
    else
        d.coloaneFixe = d.coloane >= 2 ? 1 : 0;
    return d;
}

int CodVirtualTasta(int tastaQt, Qt::KeyboardModifiers modificatori)
{
    const bool tastatura = modificatori & Qt::KeypadModifier;
    if (tastaQt >= Qt::Key_0 && tastaQt <= Qt::Key_9)
        return tastatura ? 96 + (tastaQt - Qt::Key_0) : 48 + (tastaQt - Qt::Key_0);
    if (tastaQt >= Qt::Key_A && tastaQt <= Qt::Key_Z)
        return 65 + (tastaQt - Qt::Key_A);
    if (tastaQt >= Qt::Key_F1 && tastaQt <= Qt::Key_F24)
        return 112 + (tastaQt - Qt::Key_F1);
    if (tastaQt == Qt::Key_Return || tastaQt == Qt::Key_Enter)
        return 13;
    if (tastatura) {
        switch (tastaQt) {
        case Qt::Key_Asterisk:
            return 106;
        case Qt::Key_Plus:
            return 107;
        case Qt::Key_Comma:
            return 108;
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Period:
            return 110;
        case Qt::Key_Slash:
            return 111;
        default:
            break;
        }
    }
    return 0;
}

bool EsteTastaDeDeschidere(int codVirtual)
{
    return (codVirtual >= 48 && codVirtual <= 57) || (codVirtual >= 65 && codVirtual <= 90) ||
           (codVirtual >= 96 && codVirtual <= 122);
}

QString TextDeStart(int codVirtual, const QString& textTasta)
{
    if (codVirtual >= 96 && codVirtual <= 105)
        return QString::number(codVirtual - 96);
    return textTasta;
}
