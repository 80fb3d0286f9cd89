#include "print/UFormularDePrintat.h"

#include "print/UFormularTextArea.h"
#include "print/UFontFormular.h"
#include "print/UGeometriePrint.h"
#include "print/UPaginaRandata.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

TFormularDePrintat::TFormularDePrintat(QWidget* parinte) : QWidget(parinte)
{
    setAutoFillBackground(false);
    UpdatePageSize();
}

double TFormularDePrintat::ScreenDpi() const
{
    return ::ScreenDpi(m_zoom);
}

void TFormularDePrintat::UpdatePageSize()
{
    const double dpi = ScreenDpi();
    setFixedSize(MmToPixels(dpi, m_latime), MmToPixels(dpi, m_inaltime));
}

void TFormularDePrintat::SetZoom(double zoom)
{
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    UpdatePageSize();
    for (TFormularTextArea* zona : Zone())
        zona->ZoomChanged();
    update();
}

void TFormularDePrintat::SetLatime(double mm)
{
    m_latime = mm;
    UpdatePageSize();
}

void TFormularDePrintat::SetInaltime(double mm)
{
    m_inaltime = mm;
    UpdatePageSize();
}

void TFormularDePrintat::SeteazaSiRedeseneaza(bool& camp, bool v)
{
    camp = v;
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
    update();
}

void TFormularDePrintat::SetTextAreaBaseLine2_color(const QColor& v)
{
    m_baseLine2Color = v;
    update();
}

void TFormularDePrintat::SetTextAreaTopLine1_color(const QColor& v)
{
    m_topLine1Color = v;
    update();
}

void TFormularDePrintat::SetTextAreaTopLine2_color(const QColor& v)
{
    m_topLine2Color = v;
    update();
}

void TFormularDePrintat::SetTextAreaBaseLine2_delta(double v)
{
    m_baseLine2Delta = v;
    update();
}

void TFormularDePrintat::SetTextAreaTopLine1_delta(double v)
{
    m_topLine1Delta = v;
    update();
}

void TFormularDePrintat::SetBkImage(const QImage& imagine)
{
    m_fundal = QPixmap();
    m_bkImage = imagine;
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
    return TiparestePagina(painter, PaginaRandata(), parametri);
}

TPaginaRandata TFormularDePrintat::PaginaRandata() const
{
    TPaginaRandata p;
    const QObject* proprietar = Proprietar();
    p.NumeFormular = proprietar ? proprietar->objectName() : QString();
    if (proprietar) {
        for (const TFontFormular* f : proprietar->findChildren<TFontFormular*>(QString(), Qt::FindDirectChildrenOnly))
            p.Fonturi << f;
    }
    for (const TFormularTextArea* z : Zone())
        p.Zone << z->ZonaRandata();
    p.Latime = m_latime;
    p.Inaltime = m_inaltime;
    p.DeltaStanga = m_deltaStanga;
    p.DeltaSus = m_deltaSus;
    p.Fundal = m_bkImage;
    return p;
}

void TFormularDePrintat::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    if (m_bkImage.isNull()) {
        p.fillRect(rect(), palette().window());
        return;
    }
    if (m_fundal.size() != size()) {
        m_fundal = QPixmap(size());
        m_fundal.fill(Qt::white);
        QPainter f(&m_fundal);
        f.setRenderHint(QPainter::SmoothPixmapTransform);
        f.drawImage(QRect(0, 0, width() - 1, height() - 1), m_bkImage);
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
