#include "controls/UKivLargeFonts.h"

#include "platform/UFoldere.h"
#include "platform/UScriereSigura.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

int NumarSau8(const QString& parte)
{
    bool ok = false;
    const int n = parte.toInt(&ok);
    return ok ? n : 8;
}

TKivRaportFonturi RaportFontMesaj(int inaltime)
{
    if (inaltime == 0)
        return {1, 1};
    if (inaltime < 0)
        return {-inaltime, 11};
    return {inaltime, 8};
}

// The message font's height as the system gives it: a character height, so negative.
int InaltimeFontMesaj()
{
    const QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (font.pixelSize() > 0)
        return -font.pixelSize();
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const double dpi = ecran ? ecran->logicalDotsPerInchY() : 96.0;
    return -int(std::lround(font.pointSizeF() * dpi / 72.0));
}

TKivRaportFonturi g_raport{0, 0};

} // namespace

TKivRaportFonturi CitesteLiniaRaport(const QString& linie)
{
    QString pastrat;
    for (const QChar ch : linie.trimmed()) {
        if ((ch >= '0' && ch <= '9') || ch == ':')
            pastrat += ch;
    }
    const qsizetype doua = pastrat.indexOf(':');
    TKivRaportFonturi r;
    if (doua < 0) {
        r.N = r.D = NumarSau8(pastrat);
    } else {
        r.N = NumarSau8(pastrat.left(doua));
        r.D = NumarSau8(pastrat.mid(doua + 1));
    }
    // Nothing can be scaled by a zero denominator.
    if (r.D == 0)
        return {1, 1};
    return r;
}

TKivRaportFonturi RaportDinFisier(const QString& cale, int inaltimeFontMesaj)
{
    QFile fisier(cale);
    if (!fisier.exists()) {
        QString motiv;
        const QString dosar = QFileInfo(cale).absolutePath();
        if (!QDir().mkpath(dosar) || !ScrieFisierSigur(cale, QByteArrayLiteral("1:1\n"), motiv))
            return RaportFontMesaj(inaltimeFontMesaj);
    }
    if (!fisier.open(QIODevice::ReadOnly | QIODevice::Text))
        return RaportFontMesaj(inaltimeFontMesaj);
    const QByteArray primaLinie = fisier.readLine();
    if (primaLinie.isEmpty() && fisier.atEnd())
        return CitesteLiniaRaport(QStringLiteral("1:1"));
    return CitesteLiniaRaport(QString::fromLocal8Bit(primaLinie));
}

int ScaleazaMarime(int marime, const TKivRaportFonturi& raport, int dpi)
{
    const qint64 proportional = qint64(marime) * raport.N / raport.D;
    return int(proportional * dpi / 96);
}

TKivRaportFonturi RaportFonturiMari()
{
    if (g_raport.D == 0) {
        const QString nume = QStringLiteral("LargeFonts.txt");
        g_raport = RaportDinFisier(QDir(DosarPentruFisier(nume)).filePath(nume), InaltimeFontMesaj());
    }
    return g_raport;
}

int KivScaleaza(int marime)
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const int dpi = ecran ? int(std::lround(ecran->logicalDotsPerInchY())) : 96;
    return ScaleazaMarime(marime, RaportFonturiMari(), dpi);
}
