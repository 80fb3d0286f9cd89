#pragma once

#include "print/UCalibrare.h"
#include "print/UGeometriePrint.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>

class QPainter;
class TFontFormular;
struct TMachetaFormular;
struct TParticularizareTextArea;

// One text area of a page as data: what printing it needs.
struct TZonaRandata
{
    QString Name;
    QString Denumire1;
    QString Denumire2;
    QString Denumire3;
    QRectF Mm;               // left, top, width and height in millimetres from the page's corner
    double TopProiectat = 0; // the top the layout gives (a grade written on one line moves the area)
    QString Text;
    TAlignment Aliniere = taLeftJustify;
    const TFontFormular* Font = nullptr;
    QStringList SursaText; // where the value comes from, for the corrections editor
    bool Ascunsa = false;  // the lower area of a grade written on one line: not shown on screen
};

// A page of a printable form as data, for printing without any widget.
struct TPaginaRandata
{
    QString NumeFormular;                // the key of its areas' corrections
    QList<const TFontFormular*> Fonturi; // the form's fonts, which a correction may name
    QList<TZonaRandata> Zone;            // in child order
    double Latime = 0;                   // millimetres
    double Inaltime = 0;
    double DeltaStanga = 0;
    double DeltaSus = 0;
    QImage Fundal; // the blank form's picture; never printed, drawn only into archive copies
};

// The correction record of an area, its font resolved among the page's fonts; null without one.
TParticularizareTextArea* CorecturaZonei(const TPaginaRandata& pagina, const QString& numeZona);

// How a page is put on the paper: the margins the user confirmed (millimetres), the page turned by 180 degrees
// or not, and the correction measured for the printer (the identity on a PDF copy or an uncalibrated printer).
struct TParametriTiparire
{
    double StangaMm = 0;
    double SusMm = 0;
    bool Oglinda = false;
    TCorectieImprimanta Corectie;
};

// Prints one area's text on the painter's device, `susMm` / `stangaMm` from the paper's corner, turned about
// the paper's centre when `oglinda`, through the printer's `corectie`. False when the text did not fit even at
// the smallest size. Throws EEroare when a text has no font.
bool TiparesteZona(QPainter& painter, const TZonaRandata& zona, const TParticularizareTextArea* corectura, bool oglinda,
                   double susMm, double stangaMm, const TCorectieImprimanta& corectie = {});

// The one printing of a page, for every road (a single certificate, a class, a reprint, a PDF copy): every
// area on a document the caller has begun, offset by the margins plus the page's deltas. Returns the names of
// the areas whose text was clipped.
QStringList TiparestePagina(QPainter& painter, const TPaginaRandata& pagina, const TParametriTiparire& parametri);

// Draws the blank form's picture at the page's millimetre size, `stangaMm` / `susMm` from the paper's corner.
void DeseneazaFundal(QPainter& painter, const TPaginaRandata& pagina, double stangaMm, double susMm);

// A form built from its layout data: its fonts and its pages, the one holder of the page that the screen
// shows, the printer prints and the filling fills. The preview's page and area widgets are views of it.
class TFormularRandat
{
public:
    // The fonts are owned by `proprietarFonturi` (the form window, where the corrections editor finds them)
    // when given, else by the form itself.
    explicit TFormularRandat(const TMachetaFormular& macheta, QObject* proprietarFonturi = nullptr);
    ~TFormularRandat();
    TFormularRandat(const TFormularRandat&) = delete;
    TFormularRandat& operator=(const TFormularRandat&) = delete;

    QList<TPaginaRandata> Pagini;

private:
    std::unique_ptr<QObject> m_fonturi; // owns the TFontFormular objects when no owner was given
};
