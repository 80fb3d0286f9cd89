#include "controls/UKivGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

// ---------------------------------------------------------------- keyboard and mouse

void TKivCustomGrid::MutaLa(int coloana, int rand, bool shift)
{
    coloana = std::clamp(coloana, m_stare.ColoaneFixe, ColCount() - 1);
    rand = std::clamp(rand, m_stare.RanduriFixe, RowCount() - 1);
    MutaCelulaCurenta(coloana, rand, !shift, true);
}

bool TKivCustomGrid::TrateazaTasta(QKeyEvent* e)
{
    const Qt::KeyboardModifiers m = e->modifiers();
    const bool ctrl = m & Qt::ControlModifier;
    const bool shift = m & Qt::ShiftModifier;
    const bool randIntreg = m_stare.Optiuni & ogSelectieRand;
    // With whole-row selection the current column is the first scrolling one: the anchor's row is the range.
    int c = Col();
    int r = Row();
    switch (e->key()) {
    case Qt::Key_Up:
        if (ctrl) {
            SetTopRow(TopRow() - 1);
            return true;
        }
        --r;
        break;
    case Qt::Key_Down:
        if (ctrl) {
            SetTopRow(TopRow() + 1);
            return true;
        }
        ++r;
        break;
    case Qt::Key_Left:
        if (randIntreg) {
            SetLeftCol(LeftCol() - 1);
            return true;
        }
        --c;
        break;
    case Qt::Key_Right:
        if (randIntreg) {
            SetLeftCol(LeftCol() + 1);
            return true;
        }
        ++c;
        break;
    case Qt::Key_PageUp:
        r = ctrl ? TopRow() : r - RanduriVizibile();
        break;
    case Qt::Key_PageDown:
        r = ctrl ? TopRow() + RanduriVizibile() - 1 : r + RanduriVizibile();
        break;
    case Qt::Key_Home:
        if (ctrl) {
            c = m_stare.ColoaneFixe;
            r = m_stare.RanduriFixe;
        } else if (randIntreg) {
            r = m_stare.RanduriFixe;
        } else {
            c = m_stare.ColoaneFixe;
        }
        break;
    case Qt::Key_End:
        if (ctrl) {
            c = ColCount() - 1;
            r = RowCount() - 1;
        } else if (randIntreg) {
            r = RowCount() - 1;
        } else {
            c = ColCount() - 1;
        }
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        if (!(m_stare.Optiuni & ogTab) || (m & Qt::AltModifier))
            return false;
        const bool inapoi = e->key() == Qt::Key_Backtab || shift;
        const QPoint start(c, r);
        do {
            if (inapoi) {
                if (--c < m_stare.ColoaneFixe) {
                    c = ColCount() - 1;
                    if (--r < m_stare.RanduriFixe)
                        r = RowCount() - 1;
                }
            } else if (++c >= ColCount()) {
                c = m_stare.ColoaneFixe;
                if (++r >= RowCount())
                    r = m_stare.RanduriFixe;
            }
        } while (!m_stare.Opriri[c] && QPoint(c, r) != start);
        MutaLa(c, r, false);
        return true;
    }
    case Qt::Key_F2:
        ArataEditor();
        if (EditorAfisat()) {
            m_editor->Edit()->SetPozitieCursor(m_editor->Text().size() + 1);
            m_editor->Edit()->SetLungimeSelectie(0);
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_stare.Optiuni & ogEditorMereu)
            return false;
        if (EditorAfisat())
            AscundeEditor();
        else
            ArataEditor();
        return true;
    case Qt::Key_Escape:
        if (!EditorAfisat() || (m_stare.Optiuni & ogEditorMereu))
            return false;
        // Escape drops what was typed: the cell keeps its text.
        m_editorAfisat = false;
        m_editor->Pozitioneaza(QRect());
        return true;
    default:
        return false;
    }
    MutaLa(c, r, shift && (m_stare.Optiuni & ogSelectieInterval));
    return true;
}

void TKivCustomGrid::keyPressEvent(QKeyEvent* e)
{
    if (TrateazaTasta(e))
        e->accept();
    else
        e->ignore();
}

void TKivCustomGrid::TrateazaRotita(int delta)
{
    if (delta == 0)
        return;
    MutaLa(Col(), Row() + (delta < 0 ? 1 : -1), false);
}

void TKivCustomGrid::TrateazaDubluClic()
{
    if (OnDblClick)
        OnDblClick();
}

void TKivCustomGrid::wheelEvent(QWheelEvent* e)
{
    TrateazaRotita(e->angleDelta().y());
    e->accept();
}

// A press first closes the editor (its text goes to SeteazaTextEditare) and takes the focus.
void TKivCustomGrid::mousePressEvent(QMouseEvent* e)
{
    if (EditorAfisat())
        AscundeEditor();
    setFocus(Qt::MouseFocusReason);
    if (!EsteControlActiv() || e->button() != Qt::LeftButton)
        return;
    const QPoint pozitie = e->position().toPoint();
    m_ultimMouse = pozitie;
    const TKivRedimensionare redimensionare = CalculeazaRedimensionare(pozitie);
    if (redimensionare.tip != TKivRedimensionare::Nimic) {
        m_redimensionare = redimensionare;
        m_actiune = TActiune::Redimensionare;
        return;
    }
    const QPoint celula = MouseCoord(pozitie);
    if (celula.x() < 0)
        return;
    if (celula.x() < m_stare.ColoaneFixe || celula.y() < m_stare.RanduriFixe) {
        if (celula.y() < m_stare.RanduriFixe && celula.x() >= m_stare.ColoaneFixe &&
            (m_stare.Optiuni & ogMutaColoane)) {
            m_actiune = TActiune::MutareColoana;
            m_deMutat = celula.x();
        } else if (celula.x() < m_stare.ColoaneFixe && celula.y() >= m_stare.RanduriFixe &&
                   (m_stare.Optiuni & ogMutaRanduri)) {
            m_actiune = TActiune::MutareRand;
            m_deMutat = celula.y();
        }
        return;
    }
    if (m_stare.Optiuni & ogEditare) {
        if (celula == m_stare.Curent)
            ArataEditor();
        else
            MutaCelulaCurenta(celula.x(), celula.y(), true, true);
        return;
    }
    const bool extinde = (e->modifiers() & Qt::ShiftModifier) && (m_stare.Optiuni & ogSelectieInterval);
    MutaCelulaCurenta(celula.x(), celula.y(), !extinde, true);
    m_actiune = TActiune::Selectie;
    m_timerTragere.start();
}

QPoint TKivCustomGrid::CelulaLimitata(const QPoint& pozitie) const
{
    const QPoint limitat(std::clamp(pozitie.x(), LatimeFixa(), std::max(viewport()->width() - 1, LatimeFixa())),
                         std::clamp(pozitie.y(), InaltimeFixa(), std::max(viewport()->height() - 1, InaltimeFixa())));
    QPoint celula = MouseCoord(limitat);
    if (celula.x() < 0)
        celula.setX(std::min(LeftCol() + ColoaneVizibile() - 1, ColCount() - 1));
    if (celula.y() < 0)
        celula.setY(std::min(TopRow() + RanduriVizibile() - 1, RowCount() - 1));
    return QPoint(std::clamp(celula.x(), m_stare.ColoaneFixe, ColCount() - 1),
                  std::clamp(celula.y(), m_stare.RanduriFixe, RowCount() - 1));
}

void TKivCustomGrid::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pozitie = e->position().toPoint();
    m_ultimMouse = pozitie;
    switch (m_actiune) {
    case TActiune::Redimensionare:
        if (m_redimensionare.tip == TKivRedimensionare::Coloana) {
            SetColWidths(m_redimensionare.index, std::max(pozitie.x() - m_redimensionare.inceput, 0));
            LatimeColoanaSchimbata(m_redimensionare.index);
        } else {
            SetRowHeights(m_redimensionare.index, std::max(pozitie.y() - m_redimensionare.inceput, 0));
        }
        return;
    case TActiune::Selectie:
        if (e->buttons() & Qt::LeftButton) {
            const QPoint celula = CelulaLimitata(pozitie);
            if (celula != m_stare.Curent)
                MutaCelulaCurenta(celula.x(), celula.y(), false, true);
        }
        return;
    default:
        break;
    }
    const TKivRedimensionare r = CalculeazaRedimensionare(pozitie);
    if (r.tip == TKivRedimensionare::Coloana)
        viewport()->setCursor(Qt::SplitHCursor);
    else if (r.tip == TKivRedimensionare::Rand)
        viewport()->setCursor(Qt::SplitVCursor);
    else
        viewport()->unsetCursor();
}

void TKivCustomGrid::TimerTragere()
{
    if (m_actiune != TActiune::Selectie || !(QApplication::mouseButtons() & Qt::LeftButton)) {
        m_timerTragere.stop();
        return;
    }
    // The pointer left the cells: scroll one row or column toward it and extend to the edge of the view.
    const QPoint p = m_ultimMouse;
    if (p.y() >= viewport()->height())
        SetTopRow(TopRow() + 1);
    else if (p.y() < InaltimeFixa())
        SetTopRow(TopRow() - 1);
    if (p.x() >= viewport()->width())
        SetLeftCol(LeftCol() + 1);
    else if (p.x() < LatimeFixa())
        SetLeftCol(LeftCol() - 1);
    QPoint celula = CelulaLimitata(p);
    if (p.y() < InaltimeFixa())
        celula.setY(TopRow());
    else if (p.y() >= viewport()->height())
        celula.setY(std::min(TopRow() + RanduriVizibile() - 1, RowCount() - 1));
    if (p.x() < LatimeFixa())
        celula.setX(LeftCol());
    else if (p.x() >= viewport()->width())
        celula.setX(std::min(LeftCol() + ColoaneVizibile() - 1, ColCount() - 1));
    if (celula != m_stare.Curent)
        MutaCelulaCurenta(celula.x(), celula.y(), false, false);
}

// A fixed cell dragged onto another scrolling cell moves its column or row there.
void TKivCustomGrid::mouseReleaseEvent(QMouseEvent* e)
{
    const TActiune actiune = m_actiune;
    m_actiune = TActiune::Nimic;
    m_timerTragere.stop();
    const QPoint celula = MouseCoord(e->position().toPoint());
    if (actiune == TActiune::MutareColoana && celula.x() >= m_stare.ColoaneFixe && celula.x() != m_deMutat)
        MoveColumn(m_deMutat, celula.x());
    else if (actiune == TActiune::MutareRand && celula.y() >= m_stare.RanduriFixe && celula.y() != m_deMutat)
        MoveRow(m_deMutat, celula.y());
}

void TKivCustomGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        TrateazaDubluClic();
}
