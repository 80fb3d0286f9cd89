#include "settings/UCulori.h"

#include <algorithm>
#include <cmath>

namespace {

bool Egale(double a, double b)
{
    return std::abs(a - b) < 0.001;
}

// A component 0 ... 1 to 0 ... 255, truncated.
int Canal(double x)
{
    return std::clamp(int(x * 255), 0, 255);
}

} // namespace

QColor DeplaseazaCanale(const QColor& culoare, int rosu, int verde, int albastru)
{
    return QColor(std::clamp(culoare.red() + rosu, 0, 255), std::clamp(culoare.green() + verde, 0, 255),
                  std::clamp(culoare.blue() + albastru, 0, 255), culoare.alpha());
}

THSV CuloareInHSV(const QColor& culoare)
{
    const double r = culoare.red() / 255.0;
    const double g = culoare.green() / 255.0;
    const double b = culoare.blue() / 255.0;
    const double maxim = std::max({r, g, b});
    const double minim = std::min({r, g, b});
    THSV hsv;
    hsv.v = maxim;
    if (Egale(maxim, minim))
        return hsv;
    const double delta = maxim - minim;
    hsv.s = delta / maxim;
    if (Egale(r, maxim))
        hsv.h = (g - b) / delta;
    else if (Egale(g, maxim))
        hsv.h = 2 + (b - r) / delta;
    else
        hsv.h = 4 + (r - g) / delta;
    hsv.h /= 6;
    if (hsv.h < 0)
        hsv.h += 1;
    return hsv;
}

QColor HSVInCuloare(const THSV& hsv)
{
    const double s = std::clamp(hsv.s, 0.0, 1.0);
    const double v = std::clamp(hsv.v, 0.0, 1.0);
    if (s <= 0)
        return QColor(Canal(v), Canal(v), Canal(v));
    double h = std::fmod(hsv.h, 1.0);
    if (h < 0)
        h += 1;
    const double h6 = h * 6;
    const int sector = std::min(int(h6), 5);
    const double f = h6 - sector;
    const double p = v * (1 - s);
    const double q = v * (1 - s * f);
    const double t = v * (1 - s * (1 - f));
    switch (sector) {
    case 0:
        return QColor(Canal(v), Canal(t), Canal(p));
    case 1:
        return QColor(Canal(q), Canal(v), Canal(p));
    case 2:
        return QColor(Canal(p), Canal(v), Canal(t));
    case 3:
        return QColor(Canal(p), Canal(q), Canal(v));
    case 4:
        return QColor(Canal(t), Canal(p), Canal(v));
    default:
        return QColor(Canal(v), Canal(p), Canal(q));
    }
}

QList<QColor> RampaCulori(const QColor& a, const QColor& b, int k)
{
    QList<QColor> culori;
    if (k < 0)
        return culori;
    const THSV ha = CuloareInHSV(a);
    const THSV hb = CuloareInHSV(b);
    const double pasi = k + 1;
    for (int j = 0; j <= k; ++j) {
        const double wa = (k + 1 - j) / pasi;
        const double wb = j / pasi;
        culori << HSVInCuloare({wa * ha.h + wb * hb.h, wa * ha.s + wb * hb.s, wa * ha.v + wb * hb.v});
    }
    return culori;
}
