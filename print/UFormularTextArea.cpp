#include "print/UFormularTextArea.h"

#include "platform/UActiune.h"
#include "platform/UEroare.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "print/UEditorTextFormular.h"
#include "print/UFormularDePrintat.h"
#include "print/UPaginaRandata.h"
#include "print/UParticularizari.h"
#include "print/UTextZona.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>

TFormularTextArea::TFormularTextArea(QWidget* parinte) : QWidget(parinte)
{
    setCursor(Qt::PointingHandCursor);
}

TFormularTextArea::~TFormularTextArea()
{
    if (m_font)
        m_font->DetachArea(this);
}

void TFormularTextArea::SeteazaMm(double& camp, double mm)
{
    if (!m_sizing)
        camp = mm;
}

void TFormularTextArea::SetTopMm(double mm)
{
    SeteazaMm(m_top, mm);
}

void TFormularTextArea::SetLeftMm(double mm)
{
    SeteazaMm(m_left, mm);
}

void TFormularTextArea::SetWidthMm(double mm)
{
    SeteazaMm(m_width, mm);
}

void TFormularTextArea::SetHeightMm(double mm)
{
    SeteazaMm(m_height, mm);
}

void TFormularTextArea::SetText(const QString& text)
{
    m_text = text;
    update();
}

void TFormularTextArea::SetFont(TFontFormular* font)
{
    if (m_font)
        m_font->DetachArea(this);
    m_font = font;
    if (m_font)
        m_font->AttachArea(this);
    update();
}

TFormularDePrintat* TFormularTextArea::Pagina() const
{
    return qobject_cast<TFormularDePrintat*>(parentWidget());
}

QObject* TFormularTextArea::Proprietar() const
{
    if (TFormularDePrintat* pagina = Pagina())
        return pagina->Proprietar();
    return parentWidget() ? parentWidget()->window() : nullptr;
}

double TFormularTextArea::p_zoom() const
{
    const TFormularDePrintat* pagina = Pagina();
    return pagina ? pagina->Zoom() : 100;
}

void TFormularTextArea::SetP_zoom(double zoom)
{
    if (TFormularDePrintat* pagina = Pagina())
        pagina->SetZoom(zoom);
}

double TFormularTextArea::p_dpi() const
{
    const TFormularDePrintat* pagina = Pagina();
    return pagina ? pagina->ScreenDpi() : 96;
}

QRect TFormularTextArea::DreptunghiDinMilimetri() const
{
    const double dpi = p_dpi();
    return QRect(MmToPixels(dpi, m_left), MmToPixels(dpi, m_top), MmToPixels(dpi, m_width), MmToPixels(dpi, m_height));
}

void TFormularTextArea::ApplyMillimetres()
{
    m_zooming = true;
    const auto gata = qScopeGuard([this] { m_zooming = false; });
    setGeometry(DreptunghiDinMilimetri());
}

void TFormularTextArea::ZoomChanged()
{
    ApplyMillimetres();
    update();
}

void TFormularTextArea::Resize()
{
    // Qt delivers the move and resize events of a hidden widget later, when it is shown; a rectangle that
    // still equals the millimetres' is one of those and changes nothing.
    if (!m_zooming && !m_incarcare && geometry() != DreptunghiDinMilimetri()) {
        if (p_zoom() != m_zoomLock && m_zoomLock != 0) {
            ApplyMillimetres();
        } else {
            // A move made by hand, as in a designer: the new rectangle becomes the millimetres.
            m_sizing = true;
            const double dpi = p_dpi();
            m_top = PixelsToMm(y(), dpi);
            m_left = PixelsToMm(x(), dpi);
            m_width = PixelsToMm(width(), dpi);
            m_height = PixelsToMm(height(), dpi);
            m_sizing = false;
            m_zoomLock = p_zoom();
        }
    }
    update();
}

void TFormularTextArea::resizeEvent(QResizeEvent* e)
{
    Resize();
    QWidget::resizeEvent(e);
}

void TFormularTextArea::moveEvent(QMoveEvent* e)
{
    Resize();
    QWidget::moveEvent(e);
}

void TFormularTextArea::SaveDesignGeometry()
{
    if (m_designSalvat)
        return;
    m_topProiectat = m_top;
    m_designSalvat = true;
}

void TFormularTextArea::FontChanged()
{
    update();
}

void TFormularTextArea::FontDestroyed()
{
    m_font = nullptr;
    update();
}

TParticularizareTextArea* TFormularTextArea::FindAdjustment(bool creeaza) const
{
    const QObject* proprietar = Proprietar();
    TParticularizareTextArea* inreg =
        Particularizari().Cauta(proprietar ? proprietar->objectName() : QString(), objectName(), creeaza);
    if (inreg) {
        inreg->Font = nullptr;
        if (!inreg->NumeFont.isEmpty() && proprietar)
            inreg->Font = proprietar->findChild<TFontFormular*>(inreg->NumeFont, Qt::FindDirectChildrenOnly);
    }
    return inreg;
}

void TFormularTextArea::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const TFormularDePrintat* pagina = Pagina();
    if (!pagina || !pagina->TextAreaTransparent())
        p.fillRect(rect(), palette().window());
    if (m_hover)
        p.fillRect(rect(), palette().highlight());

    const TAspectText aspect = AspectEfectiv(m_text, m_alignment, m_font, FindAdjustment(false));
    int descent = 0;
    if (aspect.Font) {
        const TTextPlasat t = PlaseazaPeEcran(aspect, size(), p_dpi(), this);
        descent = t.Font.Descent;
        DeseneazaText(p, t, aspect.Text, m_hover ? palette().highlightedText().color() : QColor(Qt::black));
    }
    if (!pagina)
        return;
    if (m_semnalata) {
        p.setPen(QPen(Qt::red, 2));
        p.drawRect(1, 1, width() - 2, height() - 2);
    }
    if (pagina->TextAreaWithBorder()) {
        p.setPen(Qt::black);
        p.drawRect(0, 0, width() - 1, height() - 1);
    }
    const int linieDeBaza = height() - descent;
    if (pagina->TextAreaBaseLine1()) {
        p.setPen(pagina->TextAreaBaseLine1_color());
        p.drawLine(0, linieDeBaza, width() - 1, linieDeBaza);
    }
    if (pagina->TextAreaBaseLine2()) {
        const int y = linieDeBaza + MmToPixels(pagina->ScreenDpi(), pagina->TextAreaTopLine1_delta());
        p.setPen(pagina->TextAreaBaseLine2_color());
        p.drawLine(0, y, width() - 1, y);
    }
}

TZonaRandata TFormularTextArea::ZonaRandata() const
{
    TZonaRandata z;
    z.Name = objectName();
    z.Denumire1 = m_denumire1;
    z.Denumire2 = m_denumire2;
    z.Denumire3 = m_denumire3;
    z.Mm = QRectF(m_left, m_top, m_width, m_height);
    z.TopProiectat = TopProiectat();
    z.Text = m_text;
    z.Aliniere = m_alignment;
    z.Font = m_font;
    return z;
}

bool TFormularTextArea::PrintArea(QPainter& painter, bool oglinda, double susMm, double stangaMm)
{
    return TiparesteZona(painter, ZonaRandata(), FindAdjustment(false), oglinda, susMm, stangaMm);
}

void TFormularTextArea::SetSemnalata(bool v)
{
    m_semnalata = v;
    update();
}

void TFormularTextArea::enterEvent(QEnterEvent* e)
{
    m_hover = true;
    update();
    QWidget::enterEvent(e);
}

void TFormularTextArea::leaveEvent(QEvent* e)
{
    m_hover = false;
    update();
    QWidget::leaveEvent(e);
}

void TFormularTextArea::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        RuleazaActiune(this, [this] { Click(); });
    QWidget::mouseReleaseEvent(e);
}

void TFormularTextArea::Click()
{
    RaporteazaEroareParticularizari(this);
    TParticularizareTextArea* inreg = FindAdjustment(true);
    const QObject* proprietar = Proprietar();
    const QList<TFontFormular*> fonturi =
        proprietar ? proprietar->findChildren<TFontFormular*>(QString(), Qt::FindDirectChildrenOnly)
                   : QList<TFontFormular*>();

    TEditorTextFormular editor(this);
    editor.Incarca(*inreg, m_sursaText, fonturi, inreg->Font ? inreg->Font.data() : m_font);
    CentreazaForma(&editor);
    m_hover = false;
    update();
    if (editor.exec() == QDialog::Accepted) {
        editor.Salveaza(*inreg);
        update();
        Particularizari().SalveazaCorectura();
    } else {
        Particularizari().SalveazaLista();
    }
}

void RaporteazaEroareParticularizari(QWidget* parinte)
{
    TListaParticularizareTextArea& lista = Particularizari();
    if (lista.EroareIncarcare().isEmpty() || lista.EroareRaportata())
        return;
    lista.MarcheazaEroareRaportata();
    TMesaje::Avertizeaza(parinte, QStringLiteral("Corecturile de tiparire din fisierul \"%1\" nu pot fi citite: %2\n"
                                                 "Fisierul ramane neschimbat, iar campurile se afiseaza si se "
                                                 "tiparesc fara corecturi pana la prima corectura noua.")
                                      .arg(lista.Cale(), lista.EroareIncarcare()));
}
