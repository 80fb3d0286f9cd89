#pragma once

#include "print/UFontFormular.h"
#include "print/UGeometriePrint.h"
#include "print/UPaginaRandata.h"

#include <QColor>
#include <QRect>
#include <QStringList>
#include <QWidget>

class QPainter;
struct TParticularizareTextArea;

// What a page hands down to its area views: the zoom and the screen drawing options. An area outside a page
// keeps the defaults: 96 pixels per inch, zoom 100, never transparent, no border, no guide lines.
struct TOptiuniVedere
{
    bool PePagina = false;
    double Zoom = 100;
    double Dpi = 96;
    bool Transparent = true;
    bool Border = false;
    bool BaseLine1 = false;
    bool BaseLine2 = false;
    QColor BaseLine1Color = Qt::red;
    QColor BaseLine2Color = Qt::blue;
    double TopLine1Delta = 1.0; // millimetres between the two guide lines
};

// What an area view needs of the page it lies on, without knowing the page: the page's model, which holds the
// area, the zoom it may set, and the form window whose name and fonts its corrections use.
class TGazdaZone
{
public:
    virtual TPaginaRandata& ModelPagina() = 0;
    virtual void SeteazaZoomPagina(double zoom) = 0;
    virtual QObject* ProprietarFormular() const = 0;
    virtual TOptiuniVedere OptiuniPagina() const = 0;

protected:
    ~TGazdaZone() = default;
};

// One rectangle of a pre-printed form into which one value is written, shown over its page: a view of one area
// of the page's model (TZonaRandata), which holds its millimetres, keys, font and text. Its pixel rectangle
// follows the millimetres at the zoom the page hands down. Clicking it opens its corrections editor. An area
// made outside a page holds an area of its own.
class TFormularTextArea : public QWidget, public TUtilizatorFont
{
    Q_OBJECT
public:
    // On a page (a TGazdaZone), the area views the page model's area `indexModel`, or, with -1, a new area
    // appended to the model.
    explicit TFormularTextArea(QWidget* parinte = nullptr, int indexModel = -1);
    ~TFormularTextArea() override;

    // The area's _Top, _Left, _Width and _Height: millimetres from the page's top-left corner. A write is
    // ignored while the millimetres are being taken from the pixel rectangle; it does not move the widget
    // (follow it with ZoomChanged).
    double TopMm() const { return Z().Mm.top(); }
    void SetTopMm(double mm);
    double LeftMm() const { return Z().Mm.left(); }
    void SetLeftMm(double mm);
    double WidthMm() const { return Z().Mm.width(); }
    void SetWidthMm(double mm);
    double HeightMm() const { return Z().Mm.height(); }
    void SetHeightMm(double mm);

    const QString& Text() const { return Z().Text; }
    void SetText(const QString& text);
    TFontFormular* Font() const { return const_cast<TFontFormular*>(Z().Font); }
    // Detaches from the previous font, attaches to the new one, repaints. The area does not own its font.
    void SetFont(TFontFormular* font);
    TAlignment Alignment() const { return Z().Aliniere; }
    void SetAlignment(TAlignment v) { Z().Aliniere = v; }
    double ZoomLock() const { return m_zoomLock; }
    void SetZoomLock(double v) { m_zoomLock = v; }
    // Field key of the value, character position, count or grade kind (read by the filling).
    const QString& Denumire1() const { return Z().Denumire1; }
    void SetDenumire1(const QString& v) { Z().Denumire1 = v; }
    const QString& Denumire2() const { return Z().Denumire2; }
    void SetDenumire2(const QString& v) { Z().Denumire2 = v; }
    const QString& Denumire3() const { return Z().Denumire3; }
    void SetDenumire3(const QString& v) { Z().Denumire3 = v; }
    // Where the value comes from, shown in the corrections editor.
    const QStringList& SursaText() const { return Z().SursaText; }
    void SetSursaText(const QStringList& v) { Z().SursaText = v; }

    // The page's zoom and screen density; 100 and 96 when the parent is not a page.
    double p_zoom() const { return m_optiuni.Zoom; }
    void SetP_zoom(double zoom);
    double p_dpi() const { return m_optiuni.Dpi; }
    // The page's drawing options, handed down by the page whenever one changes.
    const TOptiuniVedere& Optiuni() const { return m_optiuni; }
    void SetOptiuni(const TOptiuniVedere& optiuni);

    // The pixel rectangle that the millimetres give at the current zoom.
    QRect DreptunghiDinMilimetri() const;
    // Sets the pixel rectangle from the millimetres.
    void ApplyMillimetres();
    // While true (layout data being loaded) geometry changes never touch the millimetres.
    void SetIncarcare(bool v) { m_incarcare = v; }

    // The top given by the layout, kept the first time a grade is written into the area so that later
    // fillings start again from it.
    void SaveDesignGeometry();
    bool DesignSalvat() const { return m_designSalvat; }
    double TopProiectat() const { return Z().TopProiectat; }
    // A lower grade area left empty by a grade written on one line: hidden on screen.
    void SetAscunsa(bool v);

    void FontChanged() override;
    void FontDestroyed() override;
    // The area as the model holds it.
    const TZonaRandata& ZonaRandata() const { return Z(); }
    // Shows the model's area as it now is: its rectangle, whether it is hidden, its text.
    void UrmeazaModelul();
    // The page rebuilt its model: the area is now at `index`.
    void Releaga(int index) { m_index = index; }
    // ApplyMillimetres, then repaint.
    virtual void ZoomChanged();
    // Prints the area's text on the painter's device, `susMm` / `stangaMm` from the paper's corner (margins
    // and page offsets), turned about the paper's centre when `oglinda`. Returns false when the text did not
    // fit even at the smallest size and was clipped. Throws EEroare when a text has no font to print with.
    virtual bool PrintArea(QPainter& painter, bool oglinda, double susMm, double stangaMm);

    // The form window owning the area (the page's), or nullptr.
    QObject* Proprietar() const;
    // The area's record in the adjustments store, its Font resolved among the form's fonts; with `creeaza`
    // a missing one is created and the store written.
    TParticularizareTextArea* FindAdjustment(bool creeaza) const;

    // Opens the corrections editor "Informatii camp" for the area; what the user confirms is stored.
    void Click();
    bool Hover() const { return m_hover; }
    // Outlined in red on screen (never on paper): the check before printing found a problem here.
    bool Semnalata() const { return m_semnalata; }
    void SetSemnalata(bool v);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TZonaRandata& Z() { return m_model ? m_model->Zone[m_index] : m_propriu; }
    const TZonaRandata& Z() const { return m_model ? m_model->Zone[m_index] : m_propriu; }
    void Resize();

    TGazdaZone* m_gazda = nullptr;
    TPaginaRandata* m_model = nullptr; // the page's model, which holds the area at m_index
    int m_index = -1;
    TZonaRandata m_propriu; // the area of an area made outside a page
    TOptiuniVedere m_optiuni;
    double m_zoomLock = 0;
    bool m_zooming = false; // the pixel rectangle is being set from the millimetres
    bool m_sizing = false;  // the millimetres are being set from the pixel rectangle
    bool m_incarcare = false;
    bool m_hover = false;
    bool m_semnalata = false;
    bool m_designSalvat = false;
};

// Shows, once per program run, why the adjustments file could not be read.
void RaporteazaEroareParticularizari(QWidget* parinte);
