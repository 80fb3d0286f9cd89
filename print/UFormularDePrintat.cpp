#include "print/UFormularDePrintat.h"

#include "print/UFormularTextArea.h"
#include "print/UFontFormular.h"
#include "print/UGeometriePrint.h"
#include "print/UPaginaRandata.h"

#include <QChildEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

TFormularDePrintat::TFormularDePrintat(QWidget* parinte)
    : QWidget(parinte), m_propriu(std::make_unique<TPaginaRandata>()), m_model(m_propriu.get())
{
    m_model->Latime = 10;
    m_model->Inaltime = 10;
    setAutoFillBackground(false);
    UpdatePageSize();
}

TFormularDePrintat::~TFormularDePrintat()
{
    // The area views go first, while the model they show is still there.
    m_seDistruge = true;
    qDeleteAll(Zone());
}

void TFormularDePrintat::LeagaDeModel(std::shared_ptr<TFormularRandat> formular, int index)
{
    m_formular = std::move(formular);
    m_model = &m_formular->Pagini[index];
    m_propriu.reset();
    m_fundal = QPixmap();
    UpdatePageSize();
    update();
}

void TFormularDePrintat::SincronizeazaFormular() const
{
    const QObject* proprietar = Proprietar();
    m_model->NumeFormular = proprietar ? proprietar->objectName() : QString();
    m_model->Fonturi.clear();
    if (proprietar) {
        for (const TFontFormular* f : proprietar->findChildren<TFontFormular*>(QString(), Qt::FindDirectChildrenOnly))
            m_model->Fonturi << f;
    }
}

TPaginaRandata& TFormularDePrintat::Model()
{
    SincronizeazaFormular();
    return *m_model;
}

void TFormularDePrintat::UrmeazaModelul()
{
    for (TFormularTextArea* zona : Zone())
        zona->UrmeazaModelul();
}

TOptiuniVedere TFormularDePrintat::OptiuniPagina() const
{
    TOptiuniVedere o;
    o.PePagina = true;
    o.Zoom = m_zoom;
    o.Dpi = ScreenDpi();
    o.Transparent = m_transparent;
    o.Border = m_border;
    o.BaseLine1 = m_baseLine1;
    o.BaseLine2 = m_baseLine2;
    o.BaseLine1Color = m_baseLine1Color;
    o.BaseLine2Color = m_baseLine2Color;
    o.TopLine1Delta = m_topLine1Delta;
    return o;
}

void TFormularDePrintat::TransmiteOptiuni()
{
    const TOptiuniVedere o = OptiuniPagina();
    for (TFormularTextArea* zona : Zone())
        zona->SetOptiuni(o);
}

void TFormularDePrintat::childEvent(QChildEvent* e)
{
    QWidget::childEvent(e);
    // An area view removed while the page lives takes its area out of the model.
    if (e->type() != QEvent::ChildRemoved || m_seDistruge)
        return;
    const QList<TFormularTextArea*> zone = Zone();
    if (zone.size() == m_model->Zone.size())
        return;
    QList<TZonaRandata> ramase;
    ramase.reserve(zone.size());
    for (TFormularTextArea* zona : zone)
        ramase << zona->ZonaRandata();
    m_model->Zone = ramase;
    for (int i = 0; i < zone.size(); ++i)
        zone[i]->Releaga(i);
}

double TFormularDePrintat::Latime() const
{
    return m_model->Latime;
}

double TFormularDePrintat::Inaltime() const
{
    return m_model->Inaltime;
}

const QImage& TFormularDePrintat::BkImage() const
{
    return m_model->Fundal;
}

double TFormularDePrintat::DeltaStanga() const
{
    return m_model->DeltaStanga;
}

void TFormularDePrintat::SetDeltaStanga(double v)
{
    m_model->DeltaStanga = v;
}

double TFormularDePrintat::DeltaSus() const
{
    return m_model->DeltaSus;
}

void TFormularDePrintat::SetDeltaSus(double v)
{
    m_model->DeltaSus = v;
}

double TFormularDePrintat::ScreenDpi() const
{
    return ::ScreenDpi(m_zoom);
}

void TFormularDePrintat::UpdatePageSize()
{
    const double dpi = ScreenDpi();
    setFixedSize(MmToPixels(dpi, m_model->Latime), MmToPixels(dpi, m_model->Inaltime));
}

void TFormularDePrintat::SetZoom(double zoom)
{
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    UpdatePageSize();
    const TOptiuniVedere o = OptiuniPagina();
    for (TFormularTextArea* zona : Zone()) {
        zona->SetOptiuni(o);
        zona->ZoomChanged();
    }
    update();
}

void TFormularDePrintat::SetLatime(double mm)
{
    m_model->Latime = mm;
    UpdatePageSize();
}

void TFormularDePrintat::SetInaltime(double mm)
{
    m_model->Inaltime = mm;
    UpdatePageSize();
}

void TFormularDePrintat::SeteazaSiRedeseneaza(bool& camp, bool v)
{
    camp = v;
    TransmiteOptiuni();
    update();
}

void TFormularDePrintat::SetTextAreaTransparent(bool v)
{
    SeteazaSiRedeseneaza(m_transparent, v);
}

void TFormularDePrintat::SetTextAreaWithBorder(bool v)
{
    SeteazaSiRedeseneaza(m_border, v);
}

void TFormularDePrintat::SetTextAreaBaseLine1(bool v)
{
    SeteazaSiRedeseneaza(m_baseLine1, v);
}

void TFormularDePrintat::SetTextAreaBaseLine2(bool v)
{
    SeteazaSiRedeseneaza(m_baseLine2, v);
}

void TFormularDePrintat::SetTextAreaTopLine1(bool v)
{
    SeteazaSiRedeseneaza(m_topLine1, v);
}

void TFormularDePrintat::SetTextAreaTopLine2(bool v)
{
    SeteazaSiRedeseneaza(m_topLine2, v);
}

void TFormularDePrintat::SetTextAreaBaseLine1_color(const QColor& v)
{
    m_baseLine1Color = v;
    TransmiteOptiuni();
    update();
}

void TFormularDePrintat::SetTextAreaBaseLine2_color(const QColor& v)
{
    m_baseLine2Color = v;
    TransmiteOptiuni();
    update();
}

void TFormularDePrintat::SetTextAreaTopLine1_color(const QColor& v)
{
    m_topLine1Color = v;
    TransmiteOptiuni();
    update();
}

void TFormularDePrintat::SetTextAreaTopLine2_color(const QColor& v)
{
    m_topLine2Color = v;
    TransmiteOptiuni();
    update();
}

void TFormularDePrintat::SetTextAreaBaseLine2_delta(double v)
{
    m_baseLine2Delta = v;
    TransmiteOptiuni();
    update();
}

void TFormularDePrintat::SetTextAreaTopLine1_delta(double v)
{
    m_topLine1Delta = v;
    TransmiteOptiuni();
    update();
}

void TFormularDePrintat::SetBkImage(const QImage& imagine)
{
    m_fundal = QPixmap();
    m_model->Fundal = imagine;
    update();
}

QObject* TFormularDePrintat::Proprietar() const
{
    if (m_proprietar)
        return m_proprietar;
    return window();
}

QList<TFormularTextArea*> TFormularDePrintat::Zone() const
{
    QList<TFormularTextArea*> zone;
    for (QObject* copil : children()) {
        if (auto* zona = qobject_cast<TFormularTextArea*>(copil))
            zone << zona;
    }
    return zone;
}

TFormularTextArea* TFormularDePrintat::Zona(const QString& nume) const
{
    return findChild<TFormularTextArea*>(nume, Qt::FindDirectChildrenOnly);
}

QStringList TFormularDePrintat::PrintTextAreas(QPainter& painter, bool oglinda, double margineStanga, double margineSus)
{
    return PrintTextAreas(painter, TParametriTiparire{margineStanga, margineSus, oglinda, {}});
}

QStringList TFormularDePrintat::PrintTextAreas(QPainter& painter, const TParametriTiparire& parametri)
{
    return TiparestePagina(painter, Model(), parametri);
}

TPaginaRandata TFormularDePrintat::PaginaRandata() const
{
    SincronizeazaFormular();
    return *m_model;
}

void TFormularDePrintat::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    const QImage& fundal = m_model->Fundal;
    if (fundal.isNull()) {
        p.fillRect(rect(), palette().window());
        return;
    }
    if (m_fundal.size() != size()) {
        m_fundal = QPixmap(size());
        m_fundal.fill(Qt::white);
        QPainter f(&m_fundal);
        f.setRenderHint(QPainter::SmoothPixmapTransform);
        f.drawImage(QRect(0, 0, width() - 1, height() - 1), fundal);
    }
    p.drawPixmap(e->rect(), m_fundal, e->rect());
}

void TFormularDePrintat::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    UpdatePageSize();
}

void TFormularDePrintat::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    // After the first paint: a message box from inside showing would stop the window half drawn.
    QTimer::singleShot(0, this, [this] { RaporteazaEroareParticularizari(this); });
}
