#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QPainter;
class TFormularTextArea;
struct TPaginaRandata;
struct TParametriTiparire;

// The page of a pre-printed form, measured in millimetres: shown at a zoom over a picture of the blank form,
// it holds the form's text areas as child widgets and prints them, and nothing else, on a printer page.
class TFormularDePrintat : public QWidget
{
    Q_OBJECT
public:
    explicit TFormularDePrintat(QWidget* parinte = nullptr);

    double Zoom() const { return m_zoom; }
    // Stores the zoom (percent), resizes the page and every area; setting the same value does nothing.
    void SetZoom(double zoom);
    double Latime() const { return m_latime; }
    void SetLatime(double mm);
    double Inaltime() const { return m_inaltime; }
    void SetInaltime(double mm);

    // Screen pixels per inch at the current zoom.
    double ScreenDpi() const;
    // Gives the page its pixel size from its millimetres at the current zoom; no layout can change it.
    void UpdatePageSize();

    // Read by the areas while they paint; each setter repaints the page.
    bool TextAreaTransparent() const { return m_transparent; }
    void SetTextAreaTransparent(bool v);
    bool TextAreaWithBorder() const { return m_border; }
    void SetTextAreaWithBorder(bool v);
    bool TextAreaBaseLine1() const { return m_baseLine1; }
    void SetTextAreaBaseLine1(bool v);
    bool TextAreaBaseLine2() const { return m_baseLine2; }
    void SetTextAreaBaseLine2(bool v);
    bool TextAreaTopLine1() const { return m_topLine1; }
    void SetTextAreaTopLine1(bool v);
    bool TextAreaTopLine2() const { return m_topLine2; }
    void SetTextAreaTopLine2(bool v);
    QColor TextAreaBaseLine1_color() const { return m_baseLine1Color; }
    void SetTextAreaBaseLine1_color(const QColor& v);
    QColor TextAreaBaseLine2_color() const { return m_baseLine2Color; }
    void SetTextAreaBaseLine2_color(const QColor& v);
    QColor TextAreaTopLine1_color() const { return m_topLine1Color; }
    void SetTextAreaTopLine1_color(const QColor& v);
    QColor TextAreaTopLine2_color() const { return m_topLine2Color; }
    void SetTextAreaTopLine2_color(const QColor& v);
    double TextAreaBaseLine2_delta() const { return m_baseLine2Delta; }
    void SetTextAreaBaseLine2_delta(double v);
    // Millimetres between the first and the second guide line.
    double TextAreaTopLine1_delta() const { return m_topLine1Delta; }
    void SetTextAreaTopLine1_delta(double v);

    // Background picture, shown on screen only. The page keeps its own copy.
    const QImage& BkImage() const { return m_bkImage; }
    void SetBkImage(const QImage& imagine);

    QString DenumireFormular() const { return m_denumireFormular; }
    void SetDenumireFormular(const QString& v) { m_denumireFormular = v; }
    // Millimetres added to every area's position when printing.
    double DeltaStanga() const { return m_deltaStanga; }
    void SetDeltaStanga(double v) { m_deltaStanga = v; }
    double DeltaSus() const { return m_deltaSus; }
    void SetDeltaSus(double v) { m_deltaSus = v; }

    // The form window the page belongs to: its name keys the adjustments store, its fonts are the form's.
    // Without one set, the page's own top-level window.
    QObject* Proprietar() const;
    void SetProprietar(QObject* fereastra) { m_proprietar = fereastra; }

    // The text areas among the children, in child order.
    QList<TFormularTextArea*> Zone() const;
    TFormularTextArea* Zona(const QString& nume) const;

    // Prints every area on the painter's device (a printer whose document the caller has begun), turned by
    // 180 degrees when `oglinda`, offset by the margins plus DeltaStanga / DeltaSus (millimetres). Returns
    // the names of the areas whose text was too wide for its area even at the smallest size and was clipped.
    QStringList PrintTextAreas(QPainter& painter, bool oglinda, double margineStanga, double margineSus);
    // The same with the whole placement, the printer's correction included.
    QStringList PrintTextAreas(QPainter& painter, const TParametriTiparire& parametri);

    // The page as data, with its areas' texts as they are now, its fonts and its background.
    TPaginaRandata PaginaRandata() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void SeteazaSiRedeseneaza(bool& camp, bool v);

    double m_zoom = 100;
    double m_latime = 10;
    double m_inaltime = 10;
    bool m_transparent = true;
    bool m_border = false;
    bool m_baseLine1 = false;
    bool m_baseLine2 = false;
    bool m_topLine1 = false;
    bool m_topLine2 = false;
    QColor m_baseLine1Color = Qt::red;
    QColor m_baseLine2Color = Qt::blue;
    QColor m_topLine1Color = Qt::red;
    QColor m_topLine2Color = Qt::blue;
    double m_baseLine2Delta = 1.0;
    double m_topLine1Delta = 1.0;
    QImage m_bkImage;
    QString m_denumireFormular;
    double m_deltaStanga = 0;
    double m_deltaSus = 0;
    QPointer<QObject> m_proprietar;
    QPixmap m_fundal; // the background at the page's pixel size
};
