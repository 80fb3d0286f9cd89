#pragma once

#include "print/UFontFormular.h"
#include "print/UGeometriePrint.h"

#include <QRect>
#include <QStringList>
#include <QWidget>

class QPainter;
class TFormularDePrintat;
struct TParticularizareTextArea;
struct TZonaRandata;

// One rectangle of a pre-printed form into which one value is written. Its millimetres are the master copy;
// its pixel rectangle on the page follows them at the page's zoom. Clicking it opens its corrections editor.
class TFormularTextArea : public QWidget, public TUtilizatorFont
{
    Q_OBJECT
public:
    explicit TFormularTextArea(QWidget* parinte = nullptr);
    ~TFormularTextArea() override;

    // The area's _Top, _Left, _Width and _Height: millimetres from the page's top-left corner. A write is
    // ignored while the millimetres are being taken from the pixel rectangle; it does not move the widget
    // (follow it with ZoomChanged).
    double TopMm() const { return m_top; }
    void SetTopMm(double mm);
    double LeftMm() const { return m_left; }
    void SetLeftMm(double mm);
    double WidthMm() const { return m_width; }
    void SetWidthMm(double mm);
    double HeightMm() const { return m_height; }
    void SetHeightMm(double mm);

    const QString& Text() const { return m_text; }
    void SetText(const QString& text);
    TFontFormular* Font() const { return m_font; }
    // Detaches from the previous font, attaches to the new one, repaints. The area does not own its font.
    void SetFont(TFontFormular* font);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment v) { m_alignment = v; }
    double ZoomLock() const { return m_zoomLock; }
    void SetZoomLock(double v) { m_zoomLock = v; }
    // Field key of the value, character position, count or grade kind (read by the filling).
    const QString& Denumire1() const { return m_denumire1; }
    void SetDenumire1(const QString& v) { m_denumire1 = v; }
    const QString& Denumire2() const { return m_denumire2; }
    void SetDenumire2(const QString& v) { m_denumire2 = v; }
    const QString& Denumire3() const { return m_denumire3; }
    void SetDenumire3(const QString& v) { m_denumire3 = v; }
    // Where the value comes from, shown in the corrections editor.
    const QStringList& SursaText() const { return m_sursaText; }
    void SetSursaText(const QStringList& v) { m_sursaText = v; }

    // The page's zoom and screen density; 100 and 96 when the parent is not a page.
    double p_zoom() const;
    void SetP_zoom(double zoom);
    double p_dpi() const;

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
    double TopProiectat() const { return m_designSalvat ? m_topProiectat : m_top; }

    void FontChanged() override;
    void FontDestroyed() override;
    // The area as data, for the page renderer.
    TZonaRandata ZonaRandata() const;
    // ApplyMillimetres, then repaint.
    virtual void ZoomChanged();
    // Prints the area's text on the painter's device, `susMm` / `stangaMm` from the paper's corner (margins
    // and page offsets), turned about the paper's centre when `oglinda`. Returns false when the text did not
    // fit even at the smallest size and was clipped. Throws EEroare when a text has no font to print with.
    virtual bool PrintArea(QPainter& painter, bool oglinda, double susMm, double stangaMm);

    // The page holding the area, or nullptr.
    TFormularDePrintat* Pagina() const;
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
    void Resize();
    void SeteazaMm(double& camp, double mm);

    double m_top = 0;
    double m_left = 0;
    double m_width = 0;
    double m_height = 0;
    QString m_text;
    TFontFormular* m_font = nullptr;
    double m_zoomLock = 0;
    TAlignment m_alignment = taLeftJustify;
    QString m_denumire1;
    QString m_denumire2;
    QString m_denumire3;
    QStringList m_sursaText;
    bool m_zooming = false; // the pixel rectangle is being set from the millimetres
    bool m_sizing = false;  // the millimetres are being set from the pixel rectangle
    bool m_incarcare = false;
    bool m_hover = false;
    bool m_semnalata = false;
    bool m_designSalvat = false;
    double m_topProiectat = 0;
};

// Shows, once per program run, why the adjustments file could not be read.
void RaporteazaEroareParticularizari(QWidget* parinte);
