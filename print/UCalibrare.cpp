#include "print/UCalibrare.h"

#include "platform/UEroare.h"
#include "platform/URegistru.h"
#include "print/UGeometriePrint.h"
#include "print/USetariImprimare.h"

#include <QFont>
#include <QPainter>

#include <cmath>

namespace {
QString CheieCalibrare()
{
    return TAllStuffReg::Cheie() + QStringLiteral("\\Calibrare");
}

QString Numar(double v)
{
    return QString::number(v, 'g', 15);
}
} // namespace

TCorectieImprimanta CalculeazaCorectie(double stangaCruce, double susCruce, std::optional<double> intreCruciSus,
                                       std::optional<double> intreCruciStanga)
{
    TCorectieImprimanta c;
    if (intreCruciSus)
        c.ScalaX = *intreCruciSus / (CruceDreapta - CruceStanga);
    if (intreCruciStanga)
        c.ScalaY = *intreCruciStanga / (CruceJos - CruceSus);
    for (const double s : {c.ScalaX, c.ScalaY}) {
        if (!std::isfinite(s) || s < 0.95 || s > 1.05)
            throw EEroare(QStringLiteral("Distantele masurate inseamna ca imprimanta mareste sau micsoreaza cu %1%. "
                                         "Verificati masuratorile: o imprimanta buna nu depaseste 5%.")
                              .arg(QString::number((s - 1) * 100, 'f', 1)));
    }
    c.DeplasareX = stangaCruce - c.ScalaX * CruceStanga;
    c.DeplasareY = susCruce - c.ScalaY * CruceSus;
    for (const double d : {c.DeplasareX, c.DeplasareY}) {
        if (!std::isfinite(d) || std::abs(d) > 10)
            throw EEroare(QStringLiteral("Distantele masurate inseamna ca imprimanta muta pagina cu %1 mm. "
                                         "Verificati masuratorile: corectia nu poate depasi 10 mm.")
                              .arg(QString::number(d, 'f', 1)));
    }
    // Measured to a tenth of a millimetre at best: what is below that is noise.
    c.DeplasareX = std::round(c.DeplasareX * 1000) / 1000;
    c.DeplasareY = std::round(c.DeplasareY * 1000) / 1000;
    return c;
}

QRectF AplicaCorectie(const TCorectieImprimanta& c, const QRectF& dorit, bool oglinda, const QSizeF& hartie)
{
    if (c.EsteIdentitate())
        return dorit;
    const double w = dorit.width() / c.ScalaX;
    const double h = dorit.height() / c.ScalaY;
    if (!oglinda)
        return QRectF((dorit.left() - c.DeplasareX) / c.ScalaX, (dorit.top() - c.DeplasareY) / c.ScalaY, w, h);
    // Turned, the rectangle reaches the printer at hartie - dorit; it is corrected there and turned back.
    const double dreaptaRotita = (hartie.width() - dorit.left() - c.DeplasareX) / c.ScalaX;
    const double josRotit = (hartie.height() - dorit.top() - c.DeplasareY) / c.ScalaY;
    return QRectF(hartie.width() - dreaptaRotita, hartie.height() - josRotit, w, h);
}

TCorectieImprimanta CorectieImprimanta(const QString& imprimanta)
{
    TRegistru reg;
    if (imprimanta.isEmpty() || !reg.DeschideCheie(CheieCalibrare(), false) || !reg.ExistaValoare(imprimanta) ||
        reg.TipValoare(imprimanta) != TTipValoareRegistru::Text)
        return {};
    const QStringList p = reg.CitesteText(imprimanta).split(QLatin1Char(';'));
    if (p.size() != 4)
        return {};
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = p[i].toDouble(&ok);
        if (!ok || !std::isfinite(v[i]))
            return {};
    }
    const TCorectieImprimanta c{v[0], v[1], v[2], v[3]};
    // A stored value outside what the calibration accepts is not applied.
    if (std::abs(c.DeplasareX) > 10 || std::abs(c.DeplasareY) > 10 || c.ScalaX < 0.95 || c.ScalaX > 1.05 ||
        c.ScalaY < 0.95 || c.ScalaY > 1.05)
        return {};
    return c;
}

void SalveazaCorectieImprimanta(const QString& imprimanta, const TCorectieImprimanta& c)
{
    TRegistru reg;
    reg.DeschideCheie(CheieCalibrare(), true);
    if (c.EsteIdentitate()) {
        reg.StergeValoare(imprimanta);
        return;
    }
    reg.ScrieText(
        imprimanta,
        QStringList{Numar(c.DeplasareX), Numar(c.DeplasareY), Numar(c.ScalaX), Numar(c.ScalaY)}.join(QLatin1Char(';')));
}

void DeseneazaPaginaCalibrare(QPainter& painter)
{
    const TCapabilitati cap = CapabilitatiDispozitiv(*painter.device());
    const double kx = cap.HorzRes / cap.HorzSize;
    const double ky = cap.VertRes / cap.VertSize;
    auto punct = [&](double xMm, double yMm) {
        return QPointF(xMm * kx - cap.PhysicalOffsetX, yMm * ky - cap.PhysicalOffsetY);
    };
    painter.save();
    painter.resetTransform();
    QPen creion(Qt::black, std::max(1.0, 0.2 * kx));
    painter.setPen(creion);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(int(3 * ky));
    painter.setFont(font);
    const double brat = 6;
    const QList<QPointF> cruci = {
        {CruceStanga, CruceSus}, {CruceDreapta, CruceSus}, {CruceStanga, CruceJos}, {CruceDreapta, CruceJos}};
    const char* nume[] = {"A", "B", "C", "D"};
    for (int i = 0; i < 4; ++i) {
        const QPointF c = cruci[i];
        painter.drawLine(punct(c.x() - brat, c.y()), punct(c.x() + brat, c.y()));
        painter.drawLine(punct(c.x(), c.y() - brat), punct(c.x(), c.y() + brat));
        painter.drawText(punct(c.x() + 1.5, c.y() - 1.5), QString::fromLatin1(nume[i]));
    }
    // A ruler between A and B, a tick per millimetre, longer every 5 and 10, numbered every 10.
    for (int mm = 0; mm <= int(CruceDreapta - CruceStanga); ++mm) {
        const double x = CruceStanga + mm;
        const double lungime = mm % 10 == 0 ? 4 : mm % 5 == 0 ? 3 : 1.5;
        painter.drawLine(punct(x, CruceSus + 10), punct(x, CruceSus + 10 + lungime));
        if (mm % 10 == 0 && mm > 0)
            painter.drawText(punct(x - 1.5, CruceSus + 18), QString::number(mm));
    }
    painter.drawText(punct(CruceStanga, CruceSus + 30),
                     QStringLiteral("Masurati cu rigla: de la marginea stanga si de la marginea de sus a foii pana la "
                                    "centrul crucii A, apoi distanta A-B si distanta A-C."));
    painter.restore();
}
