#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

class QPainter;

// How a printer misplaces what it prints, in millimetres of the paper: a point meant at p comes out at
// Scala × p + Deplasare, on each axis. The identity changes nothing.
struct TCorectieImprimanta
{
    double DeplasareX = 0;
    double DeplasareY = 0;
    double ScalaX = 1;
    double ScalaY = 1;
    bool EsteIdentitate() const { return DeplasareX == 0 && DeplasareY == 0 && ScalaX == 1 && ScalaY == 1; }
};

// The calibration page's marks: crosses centred at these millimetres from the paper's top-left corner.
constexpr double CruceStanga = 20, CruceDreapta = 277, CruceSus = 20, CruceJos = 190;

// The correction from what the user measured on the printed calibration page: the distances from the
// paper's left and top edges to the top-left cross, and optionally the distance between the two top crosses
// and between the two left ones (without them the scale is 1). Throws EEroare, in Romanian, for a scale
// outside 0.95..1.05 or a displacement beyond 10 mm.
TCorectieImprimanta CalculeazaCorectie(double stangaCruce, double susCruce, std::optional<double> intreCruciSus,
                                       std::optional<double> intreCruciStanga);

// Where to ask for a rectangle (paper millimetres) so that the printer puts it at `dorit`; with `oglinda`
// the page is turned about the centre of a `hartie`-sized sheet before the printer places it.
QRectF AplicaCorectie(const TCorectieImprimanta& c, const QRectF& dorit, bool oglinda, const QSizeF& hartie);

// The stored correction of a printer; the identity when none is stored or it cannot be read.
TCorectieImprimanta CorectieImprimanta(const QString& imprimanta);
// Stores a printer's correction in the registry (the identity removes it); throws ERegistru on failure.
void SalveazaCorectieImprimanta(const QString& imprimanta, const TCorectieImprimanta& c);

// Draws the calibration page on a landscape A4 sheet: the four crosses and a millimetre ruler between the
// top ones, each labelled.
void DeseneazaPaginaCalibrare(QPainter& painter);
