#include "print/UFormularTextArea.h"

#include "platform/UActiune.h"
#include "platform/UEroare.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "print/UEditorTextFormular.h"
#include "print/UParticularizari.h"
#include "print/UTextZona.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>

TFormularTextArea::TFormularTextArea(QWidget* parinte, int indexModel) : QWidget(parinte)
{
    setCursor(Qt::PointingHandCursor);
    m_gazda = dynamic_cast<TGazdaZone*>(parinte);
    if (m_gazda) {
        m_model = &m_gazda->ModelPagina();
        m_optiuni = m_gazda->OptiuniPagina();
        if (indexModel >= 0 && indexModel < m_model->Zone.size()) {
            m_index = indexModel;
            setObjectName(Z().Name);
            if (Font())
                Font()->AttachArea(this);
        } else {
            m_model->Zone << m_propriu;
            m_index = int(m_model->Zone.size() - 1);
        }
    }
    connect(this, &QObject::objectNameChanged, this, [this](const QString& nume) { Z().Name = nume; });
}

TFormularTextArea::~TFormularTextArea()
{
    if (Font())
        Font()->DetachArea(this);
}

void TFormularTextArea::SetTopMm(double mm)
{
    if (m_sizing)
        return;
    Z().Mm.moveTop(mm);
    if (!m_designSalvat)
        Z().TopProiectat = mm;
}

void TFormularTextArea::SetLeftMm(double mm)
{
    if (!m_sizing)
        Z().Mm.moveLeft(mm);
}

void TFormularTextArea::SetWidthMm(double mm)
{
    if (!m_sizing)
        Z().Mm.setWidth(mm);
}

void TFormularTextArea::SetHeightMm(double mm)
{
    if (!m_sizing)
        Z().Mm.setHeight(mm);
}

void TFormularTextArea::SetText(const QString& text)
{
    Z().Text = text;
    update();
}

void TFormularTextArea::SetFont(TFontFormular* font)
{
    if (Font())
        Font()->DetachArea(this);
    Z().Font = font;
    if (font)
        font->AttachArea(this);
    update();
}

QObject* TFormularTextArea::Proprietar() const
{
    if (m_gazda)
        return m_gazda->ProprietarFormular();
    return parentWidget() ? parentWidget()->window() : nullptr;
}

void TFormularTextArea::SetP_zoom(double zoom)
{
    if (m_gazda)
        m_gazda->SeteazaZoomPagina(zoom);
}

void TFormularTextArea::SetOptiuni(const TOptiuniVedere& optiuni)
{
    m_optiuni = optiuni;
    update();
}

QRect TFormularTextArea::DreptunghiDinMilimetri() const
{
    const double dpi = p_dpi();
    const QRectF& mm = Z().Mm;
    return QRect(MmToPixels(dpi, mm.left()), MmToPixels(dpi, mm.top()), MmToPixels(dpi, mm.width()),
                 MmToPixels(dpi, mm.height()));
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

void TFormularTextArea::UrmeazaModelul()
{
    if (geometry() != DreptunghiDinMilimetri())
        ApplyMillimetres();
    setVisible(!Z().Ascunsa);
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
            Z().Mm =
                QRectF(PixelsToMm(x(), dpi), PixelsToMm(y(), dpi), PixelsToMm(width(), dpi), PixelsToMm(height(), dpi));
            if (!m_designSalvat)
                Z().TopProiectat = Z().Mm.top();
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
    // TopProiectat follows the top until now.
    m_designSalvat = true;
}

void TFormularTextArea::SetAscunsa(bool v)
{
    Z().Ascunsa = v;
    setVisible(!v);
}

void TFormularTextArea::FontChanged()
{
    update();
}

void TFormularTextArea::FontDestroyed()
{
    Z().Font = nullptr;
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
    if (!m_optiuni.PePagina || !m_optiuni.Transparent)
        p.fillRect(rect(), palette().window());
    if (m_hover)
        p.fillRect(rect(), palette().highlight());

    const TZonaRandata& z = Z();
    const TAspectText aspect = AspectEfectiv(z.Text, z.Aliniere, z.Font, FindAdjustment(false));
    int descent = 0;
    if (aspect.Font) {
        const TTextPlasat t = PlaseazaPeEcran(aspect, size(), p_dpi(), this);
        descent = t.Font.Descent;
        DeseneazaText(p, t, aspect.Text, m_hover ? palette().highlightedText().color() : QColor(Qt::black));
    }
    if (!m_optiuni.PePagina)
        return;
    if (m_semnalata) {
        p.setPen(QPen(Qt::red, 2));
        p.drawRect(1, 1, width() - 2, height() - 2);
    }
    if (m_optiuni.Border) {
        p.setPen(Qt::black);
        p.drawRect(0, 0, width() - 1, height() - 1);
    }
    const int linieDeBaza = height() - descent;
    if (m_optiuni.BaseLine1) {
        p.setPen(m_optiuni.BaseLine1Color);
        p.drawLine(0, linieDeBaza, width() - 1, linieDeBaza);
    }
    if (m_optiuni.BaseLine2) {
        const int y = linieDeBaza + MmToPixels(m_optiuni.Dpi, m_optiuni.TopLine1Delta);
        p.setPen(m_optiuni.BaseLine2Color);
        p.drawLine(0, y, width() - 1, y);
    }
}

bool TFormularTextArea::PrintArea(QPainter& painter, bool oglinda, double susMm, double stangaMm)
{
    return TiparesteZona(painter, Z(), FindAdjustment(false), oglinda, susMm, stangaMm);
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
    editor.Incarca(*inreg, Z().SursaText, fonturi, inreg->Font ? inreg->Font.data() : Font());
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
