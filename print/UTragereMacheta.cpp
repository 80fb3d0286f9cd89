#include "print/UTragereMacheta.h"

#include "print/UEditorMacheta.h"
#include "print/UFormularDePrintat.h"
#include "print/UFormularTextArea.h"

#include <QLabel>
#include <QMouseEvent>

namespace {
// Pixels a press must travel before it is a drag: a click's own tremor moves nothing.
constexpr int kPragTragere = 3;

Qt::CursorShape CursorManer(int maner)
{
    const bool orizontal = maner & (ManerStanga | ManerDreapta), vertical = maner & (ManerSus | ManerJos);
    if (orizontal && vertical)
        return bool(maner & ManerStanga) == bool(maner & ManerSus) ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    if (orizontal)
        return Qt::SizeHorCursor;
    if (vertical)
        return Qt::SizeVerCursor;
    return Qt::SizeAllCursor;
}
} // namespace

TTragereMacheta::TTragereMacheta(QWidget* parinteCota, std::function<void()> dupaEditare)
    : m_cota(new QLabel(parinteCota)), m_dupaEditare(std::move(dupaEditare))
{
    m_cota->setObjectName(QStringLiteral("CotaTragere"));
    m_cota->setStyleSheet(QStringLiteral("background: #ffffe1; color: black; border: 1px solid #767676; "
                                         "padding: 1px 3px;"));
    m_cota->hide();
}

void TTragereMacheta::Pregateste(TFormularDePrintat& pagina, bool activ)
{
    for (TFormularTextArea* z : pagina.Zone()) {
        z->setMouseTracking(activ);
        z->unsetCursor();
    }
    m_apasat = m_trage = false;
    m_cota->hide();
}

void TTragereMacheta::ArataCota(const TEditorMacheta& editor, const QPointF& global)
{
    QWidget* parinte = m_cota->parentWidget();
    m_cota->setText(editor.CotaTragere(m_index));
    m_cota->adjustSize();
    QPoint p = parinte->mapFromGlobal(global.toPoint()) + QPoint(14, 18);
    p.setX(qBound(0, p.x(), qMax(0, parinte->width() - m_cota->width())));
    p.setY(qBound(0, p.y(), qMax(0, parinte->height() - m_cota->height())));
    m_cota->move(p);
    m_cota->show();
    m_cota->raise();
}

bool TTragereMacheta::Trateaza(TEditorMacheta& editor, TFormularDePrintat& pagina, TFormularTextArea* zona, QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() != Qt::LeftButton)
            return true;
        m_index = int(pagina.Zone().indexOf(zona));
        const bool ctrl = m->modifiers() & Qt::ControlModifier;
        const bool selectata = editor.Selectie().contains(m_index);
        // Handles belong to a selected area: a press on another one selects it and drags it whole.
        m_maner = selectata && !ctrl ? ManerLa(zona->width(), zona->height(), m->position().x(), m->position().y())
                                     : int(ManerMutare);
        if (ctrl || !selectata)
            editor.Selecteaza(m_index, ctrl);
        m_doarAceasta = selectata && !ctrl;
        m_apasat = editor.Selectie().contains(m_index);
        m_trage = false;
        m_apasare = m->globalPosition();
        m_dupaEditare();
        return true;
    }
    case QEvent::MouseMove: {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (!m_apasat) {
            const int index = int(pagina.Zone().indexOf(zona));
            if (editor.Selectie().contains(index))
                zona->setCursor(
                    CursorManer(ManerLa(zona->width(), zona->height(), m->position().x(), m->position().y())));
            else
                zona->unsetCursor();
            return false;
        }
        const QPointF d = m->globalPosition() - m_apasare;
        if (!m_trage) {
            if (d.manhattanLength() < kPragTragere)
                return true;
            m_trage = true;
            editor.IncepeTragere(m_maner);
        }
        const double dpi = pagina.ScreenDpi();
        editor.Trage(MmDinPixeli(d.x(), dpi), MmDinPixeli(d.y(), dpi));
        m_dupaEditare();
        ArataCota(editor, m->globalPosition());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() != Qt::LeftButton)
            return true;
        if (m_trage) {
            editor.TerminaTragere();
            m_dupaEditare();
        } else if (m_apasat && m_doarAceasta && editor.Selectie().size() > 1) {
            editor.Selecteaza(m_index);
            m_dupaEditare();
        }
        m_apasat = m_trage = false;
        m_cota->hide();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        return true;
    default:
        return false;
    }
}
