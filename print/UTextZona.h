#pragma once

#include "print/UGeometriePrint.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QString>

class QPaintDevice;
class QPainter;
class TFontFormular;
struct TCorectieImprimanta;
struct TParticularizareTextArea;

// How an area's text is drawn once its adjustment record is applied.
struct TAspectText
{
    QString Text;
    const TFontFormular* Font = nullptr; // none: nothing is drawn
    TAlignment Aliniere = taLeftJustify;
    int Weight = 400;
    bool Italic = false;
    QString FaceName;
    double DeplasareXMm = 0; // printing only: the half-millimetre shifts
    double DeplasareYMm = 0;
};

// The effective values of an area from its own text, alignment and font and its adjustment record (may be
// null). A one-character area (a digit box) never takes the redefined text.
TAspectText AspectEfectiv(const QString& text, TAlignment aliniere, const TFontFormular* fontZona,
                          const TParticularizareTextArea* inregistrare);

// Result of the shrink-to-fit loop.
struct TFontPotrivit
{
    QFont Font;
    int InaltimeCeruta = 0; // cell height the font was made for
    int LatimeText = 0;     // cx
    int InaltimeText = 0;   // cy, the cell height the font really has
    int Ascent = 0;
    int Descent = 0;
    bool Incape = false; // false: the text is wider than the box even at height 2 and will be clipped
};

// Starting at `inaltimeStart` pixels of cell height (ascent + descent: the em size follows from the face's
// proportions), lowers the cell height one pixel at a time until the text is no wider
// than `latime`, down to 2 pixels. Measures on `dispozitiv`, the device drawn on.
TFontPotrivit PotrivesteFont(const TAspectText& aspect, int inaltimeStart, int latime, const QPaintDevice* dispozitiv);

// A text ready to be drawn: its font, the top-left corner of its cell, the clip rectangle, all in the
// painter's device pixels.
struct TTextPlasat
{
    TFontPotrivit Font;
    QPoint Origine;
    QRect Clip;
    bool Rotit = false; // drawn turned by 180 degrees about the origin
};

// Placement in an area of `marime` screen pixels shown at `dpi`.
TTextPlasat PlaseazaPeEcran(const TAspectText& aspect, QSize marime, double dpi, const QPaintDevice* dispozitiv);

// Placement on a printer page: the area `zonaMm` (millimetres from the page's corner) is moved by the
// offsets and the record's shifts, then by the inverse of the printer's `corectie`; with `oglinda` the result
// is turned about the centre of the paper.
TTextPlasat PlaseazaPeImprimanta(const TAspectText& aspect, const QRectF& zonaMm, double stangaMm, double susMm,
                                 bool oglinda, const TCorectieImprimanta& corectie, const QPaintDevice& dispozitiv);
// The same with the device's capabilities already read (once per page).
TTextPlasat PlaseazaPeImprimanta(const TAspectText& aspect, const QRectF& zonaMm, double stangaMm, double susMm,
                                 bool oglinda, const TCorectieImprimanta& corectie, const QPaintDevice& dispozitiv,
                                 const TCapabilitati& cap);

// Draws the text without background, clipped. The painter must draw in device pixels.
void DeseneazaText(QPainter& painter, const TTextPlasat& t, const QString& text, const QColor& culoare);
