#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "print/UFormularTextArea.h"

#include <memory>

class QPainter;
class TFormularRandat;
struct TPaginaRandata;
struct TParametriTiparire;

// The page of a pre-printed form, measured in millimetres: a view of one page of a form's model, shown at a
// zoom over a picture of the blank form, with a view (a child widget) for each of its text areas. It prints
// the model's areas, and nothing else, on a printer page. A page made on its own holds a model of its own.
class TFormularDePrintat : public QWidget, public TGazdaZone
{
    Q_OBJECT
public:
    explicit TFormularDePrintat(QWidget* parinte = nullptr);
    ~TFormularDePrintat() override;

    // Makes the page a view of page `index` of `formular`, before any area view is made on it.
    void LeagaDeModel(std::shared_ptr<TFormularRandat> formular, int index);
    // The page's model, with the form's name and fonts as the form window now has them.
    TPaginaRandata& Model();
    // Every area view shows the model as it now is (after a filling).
    void UrmeazaModelul();

    double Zoom() const { return m_zoom; }
    // Stores the zoom (percent), resizes the page and every area; setting the same value does nothing.
    void SetZoom(double zoom);
    double Latime() const;
    void SetLatime(double mm);
    double Inaltime() const;
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
    const QImage& BkImage() const;
    void SetBkImage(const QImage& imagine);

    QString DenumireFormular() const { return m_denumireFormular; }
    void SetDenumireFormular(const QString& v) { m_denumireFormular = v; }
    // Millimetres added to every area's position when printing.
    double DeltaStanga() const;
    void SetDeltaStanga(double v);
    double DeltaSus() const;
    void SetDeltaSus(double v);

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

    // A copy of the page's model, with its areas' texts as they are now, its fonts and its background.
    TPaginaRandata PaginaRandata() const;

    TPaginaRandata& ModelPagina() override { return Model(); }
    void SeteazaZoomPagina(double zoom) override { SetZoom(zoom); }
    QObject* ProprietarFormular() const override { return Proprietar(); }
    TOptiuniVedere OptiuniPagina() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void childEvent(QChildEvent* e) override;

private:
    void SeteazaSiRedeseneaza(bool& camp, bool v);
    // Hands the zoom and drawing options down to every area view.
    void TransmiteOptiuni();
    void SincronizeazaFormular() const;

    std::shared_ptr<TFormularRandat> m_formular; // keeps the model alive while the page shows it
    std::unique_ptr<TPaginaRandata> m_propriu;   // the model of a page made on its own
    TPaginaRandata* m_model = nullptr;
    bool m_seDistruge = false;

    double m_zoom = 100;
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
    QString m_denumireFormular;
    QPointer<QObject> m_proprietar;
    QPixmap m_fundal; // the background at the page's pixel size
};
