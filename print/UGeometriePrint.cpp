#include "print/UGeometriePrint.h"

#include <QPageLayout>
#include <QPagedPaintDevice>

#include <algorithm>
#include <cmath>

double ScreenDpi(double zoom)
{
    const double dpi = 96.0 * zoom / 100.0;
    return dpi * 1.051403996;
}

int MmToPixels(double density, double mm)
{
    // Millimetres derived from whole pixels (the layout data) come back a few ulps short of that pixel
    // count; without the tolerance 645 px at zoom 200 would return as 644.
    constexpr double zgomot = 1e-9;
    const double pixeli = mm * density / 25.4;
    return static_cast<int>(std::trunc(pixeli + (pixeli >= 0 ? zgomot : -zgomot)));
}

double PixelsToMm(int pixels, double density)
{
    return pixels * 25.4 / density;
}

int StangaText(TAlignment aliniere, int latime, int latimeText)
{
    switch (aliniere) {
    case taRightJustify:
        return latime - latimeText;
    case taCenter:
        return (latime - latimeText) / 2;
    case taLeftJustify:
        break;
    }
    return 0;
}

TCapabilitati CapabilitatiDispozitiv(const QPaintDevice& dispozitiv)
{
    TCapabilitati cap;
    if (auto* paginat = dynamic_cast<const QPagedPaintDevice*>(&dispozitiv)) {
        const int dpi = dispozitiv.logicalDpiY();
        const QPageLayout layout = paginat->pageLayout();
        const QRect printabil = layout.paintRectPixels(dpi);
        const QRect hartie = layout.fullRectPixels(dpi);
        cap.HorzRes = printabil.width();
        cap.VertRes = printabil.height();
        // The millimetres are those of the pixel rectangle the painter really covers: Qt rounds margins to
        // whole points there, and the layout's own millimetre rectangle would skew the density by up to
        // 0.1 mm across the page.
        cap.HorzSize = printabil.width() * 25.4 / dispozitiv.logicalDpiX();
        cap.VertSize = printabil.height() * 25.4 / dpi;
        cap.PhysicalWidth = hartie.width();
        cap.PhysicalHeight = hartie.height();
        cap.PhysicalOffsetX = printabil.left();
        cap.PhysicalOffsetY = printabil.top();
        return cap;
    }
    cap.HorzRes = cap.PhysicalWidth = dispozitiv.width();
    cap.VertRes = cap.PhysicalHeight = dispozitiv.height();
    cap.HorzSize = dispozitiv.width() * 25.4 / dispozitiv.logicalDpiX();
    cap.VertSize = dispozitiv.height() * 25.4 / dispozitiv.logicalDpiY();
    return cap;
}

namespace {
// Nearest integer, ties to even (the default rounding mode).
int Cel(double v)
{
    return static_cast<int>(std::nearbyint(v));
}
} // namespace

TDreptunghiDispozitiv DreptunghiPeDispozitiv(const TCapabilitati& cap, double xMm, double yMm, double latimeMm,
                                             double inaltimeMm)
{
    const double kx = cap.HorzRes / cap.HorzSize;
    const double ky = cap.VertRes / cap.VertSize;
    TDreptunghiDispozitiv r;
    r.Left = Cel(xMm * kx) - cap.PhysicalOffsetX;
    r.Top = Cel(yMm * ky) - cap.PhysicalOffsetY;
    r.Right = r.Left + Cel(latimeMm * kx);
    r.Bottom = r.Top + Cel(inaltimeMm * ky);
    return r;
}

double DpiFontImprimanta(const TCapabilitati& cap)
{
    return cap.PhysicalHeight / 8.26771653543307;
}

int InaltimeStartImprimanta(const TCapabilitati& cap, double sizeMm, double inaltimeZonaMm)
{
    const double dpi = DpiFontImprimanta(cap);
    return std::min(std::max(1, MmToPixels(dpi, sizeMm)), MmToPixels(dpi, inaltimeZonaMm));
}

int InaltimeStartEcran(double dpi, double sizeMm, int inaltimeZona)
{
    return std::min(std::max(1, MmToPixels(dpi, sizeMm)), inaltimeZona);
}

QPoint OriginePeDispozitiv(const TDreptunghiDispozitiv& r, TAlignment aliniere, int cx, int cy)
{
    return QPoint(r.Left + StangaText(aliniere, r.W(), cx), r.Top + r.H() - cy);
}

QPoint RotestePunct(const TCapabilitati& cap, QPoint p)
{
    return QPoint(cap.PhysicalWidth - p.x() - 2 * cap.PhysicalOffsetX,
                  cap.PhysicalHeight - p.y() - 2 * cap.PhysicalOffsetY);
}

TDreptunghiDispozitiv RotesteDreptunghi(const TCapabilitati& cap, const TDreptunghiDispozitiv& r)
{
    TDreptunghiDispozitiv t;
    t.Left = cap.PhysicalWidth - r.Right - 2 * cap.PhysicalOffsetX;
    t.Right = cap.PhysicalWidth - r.Left - 2 * cap.PhysicalOffsetX;
    t.Top = cap.PhysicalHeight - r.Bottom - 2 * cap.PhysicalOffsetY;
    t.Bottom = cap.PhysicalHeight - r.Top - 2 * cap.PhysicalOffsetY;
    return t;
}

QRect DreptunghiImagineTest(int pw, int ph, int latime, int inaltime)
{
    const double x = double(pw) * ((677 - latime) / 2) / 677;
    const double y = double(ph) * ((1073 - inaltime) / 2) / 1073;
    const int stanga = int(x);
    const int sus = int(y);
    const int dreapta = int(x + double(pw) * latime / 677);
    const int jos = int(y + double(ph) * inaltime / 1073);
    return QRect(QPoint(stanga, sus), QPoint(dreapta - 1, jos - 1));
}
