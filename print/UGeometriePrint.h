#pragma once

#include <QPoint>
#include <QRect>

class QPaintDevice;

// Horizontal placement of a text in its area.
enum TAlignment
{
    taLeftJustify,
    taRightJustify,
    taCenter
};

// Screen pixels per inch of a page shown at `zoom` percent (100.934783616 at 100 %).
double ScreenDpi(double zoom);

// Whole pixels covered by `mm` millimetres at `density` pixels per inch, truncated toward zero.
int MmToPixels(double density, double mm);

// Millimetres covered by `pixels` at `density` pixels per inch.
double PixelsToMm(int pixels, double density);

// Left edge of a text of width `latimeText` inside a box of width `latime`: 0, flush right, or centred with
// the half truncated toward zero (a text wider than its box starts left of it).
int StangaText(TAlignment aliniere, int latime, int latimeText);

// What a printer reports about its page, in device units unless named in millimetres.
struct TCapabilitati
{
    int HorzRes = 0;         // printable width
    int VertRes = 0;         // printable height
    double HorzSize = 0;     // printable width, mm
    double VertSize = 0;     // printable height, mm
    int PhysicalWidth = 0;   // paper width
    int PhysicalHeight = 0;  // paper height
    int PhysicalOffsetX = 0; // unprintable left margin
    int PhysicalOffsetY = 0; // unprintable top margin
};

// Reads the capabilities of a paged device (printer, PDF writer) or of an image (the whole image is the
// page, at its own density). The painter's origin on such a device is the printable area's corner.
TCapabilitati CapabilitatiDispozitiv(const QPaintDevice& dispozitiv);

// A device rectangle in GDI terms: Right and Bottom lie one unit past the last one covered by the
// area's millimetres, W and H count both ends.
struct TDreptunghiDispozitiv
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int W() const { return Right - Left + 1; }
    int H() const { return Bottom - Top + 1; }
    // The clipping rectangle, right and bottom exclusive.
    QRect Clip() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    bool operator==(const TDreptunghiDispozitiv&) const = default;
};

// Device rectangle, relative to the printable area, of a box whose top-left corner lies `xMm`, `yMm` from the
// paper's top-left corner.
TDreptunghiDispozitiv DreptunghiPeDispozitiv(const TCapabilitati& cap, double xMm, double yMm, double latimeMm,
                                             double inaltimeMm);

// Device pixels per inch used to size printed fonts: the paper's height read as the 210 mm of an A4 sheet
// in landscape.
double DpiFontImprimanta(const TCapabilitati& cap);

// First cell height, in device pixels, of the printed shrink-to-fit loop: the font's size, but never taller
// than the area and never below 1.
int InaltimeStartImprimanta(const TCapabilitati& cap, double sizeMm, double inaltimeZonaMm);

// First cell height on screen at `dpi` in an area `inaltimeZona` pixels high: as on the printer, never
// taller than the area, so that the preview does not clip what the printer prints whole.
int InaltimeStartEcran(double dpi, double sizeMm, int inaltimeZona);

// Top-left corner of the text cell of size `cx` × `cy` inside `r`, its bottom on the rectangle's bottom.
QPoint OriginePeDispozitiv(const TDreptunghiDispozitiv& r, TAlignment aliniere, int cx, int cy);

// Turns a point and a rectangle by 180 degrees about the centre of the paper (printable-area coordinates).
QPoint RotestePunct(const TCapabilitati& cap, QPoint p);
TDreptunghiDispozitiv RotesteDreptunghi(const TCapabilitati& cap, const TDreptunghiDispozitiv& r);

// Where a test picture of `latime` × `inaltime` units of a 677 × 1073 reference sheet goes on a printable
// area of `pw` × `ph` device units: centred as on the reference sheet, in proportion, corners truncated.
QRect DreptunghiImagineTest(int pw, int ph, int latime, int inaltime);
