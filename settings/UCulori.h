#pragma once

#include <QColor>
#include <QList>

// Colour arithmetic of the program's controls and grids. Colours are taken as red, green and blue; a
// palette (system) colour is already resolved when it reaches here.

// Adds the amounts to the three channels, each result limited to 0 ... 255. Keeps the alpha.
QColor DeplaseazaCanale(const QColor& culoare, int rosu, int verde, int albastru);

// Hue, saturation and value, each 0 ... 1 (hue 0 for a grey).
struct THSV
{
    double h = 0;
    double s = 0;
    double v = 0;
};

THSV CuloareInHSV(const QColor& culoare);
QColor HSVInCuloare(const THSV& hsv);

// k + 1 colours from `a` toward `b`, mixed in hue, saturation and value; colour j is
// ((k + 1 - j) a + j b) / (k + 1), so the last one stops a step short of `b`. Empty for a negative k.
QList<QColor> RampaCulori(const QColor& a, const QColor& b, int k);
