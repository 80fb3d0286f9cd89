#include "controls/UKivGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

// ---------------------------------------------------------------- the in-cell editor

TKivInPlaceNumEdit::TKivInPlaceNumEdit(TKivCustomGrid* grila, QWidget* parent) : TKivNumEdit(parent), m_grila(grila)
{
    setObjectName(QStringLiteral("InPlaceNumEdit"));
    setFont(grila->font());
}

// Editing is always allowed, up to the fixed limit of 10 characters.
bool TKivInPlaceNumEdit::AcceptaText(QString& text)
{
    return text.size() <= 10 && TKivNumEdit::AcceptaText(text);
}

void TKivInPlaceNumEdit::keyPressEvent(QKeyEvent* e)
{
    const Qt::KeyboardModifiers m = e->modifiers();
    const bool ctrl = m & Qt::ControlModifier;
    const bool shift = m & Qt::ShiftModifier;
    const bool alt = m & Qt::AltModifier;
    // Keys that navigate go to the grid; caret keys only when they would leave the text (or with Ctrl), and
    // only while the editor is always shown: otherwise they move the caret.
    const bool mereu = m_grila->Options() & ogEditorMereu;
    const bool laInceput = PozitieCursor() == 1 && LungimeSelectie() == 0;
    const bool laSfarsit = PozitieCursor() == Text().size() + 1 && LungimeSelectie() == 0;
    bool laGrila = false;
    switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        laGrila = !alt;
        break;
    case Qt::Key_Escape:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
        laGrila = true;
        break;
    case Qt::Key_Home:
    case Qt::Key_Left:
        laGrila = mereu && (laInceput || ctrl);
        break;
    case Qt::Key_End:
    case Qt::Key_Right:
        laGrila = mereu && (laSfarsit || ctrl);
        break;
    case Qt::Key_Insert:
        if (m == Qt::NoModifier) {
            laGrila = true;
        } else if (shift && !m_grila->PoateModificaEditor()) {
            e->accept();
            return;
        }
        break;
    case Qt::Key_Delete:
        if (ctrl) {
            laGrila = true;
        } else if (!m_grila->PoateModificaEditor()) {
            e->accept();
            return;
        }
        break;
    case Qt::Key_F2:
        SetLungimeSelectie(0);
        e->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (LungimeSelectie() != 0 && std::abs(LungimeSelectie()) == Text().size()) {
            SetLungimeSelectie(0);
        } else {
            SetPozitieCursor(1);
            SetLungimeSelectie(Text().size());
        }
        e->accept();
        return;
    default:
        break;
    }
    if (laGrila) {
        m_grila->TrateazaTasta(e);
        e->accept();
        return;
    }
    if (!e->text().isEmpty() && e->text().at(0).isPrint() && !ctrl && !m_grila->PoateModificaEditor()) {
        QApplication::beep();
        e->accept();
        return;
    }
    TKivNumEdit::keyPressEvent(e);
}

void TKivInPlaceNumEdit::keyReleaseEvent(QKeyEvent* e)
{
    QCoreApplication::sendEvent(m_grila, e);
}

void TKivInPlaceNumEdit::wheelEvent(QWheelEvent* e)
{
    m_grila->TrateazaRotita(e->angleDelta().y());
    e->accept();
}

// The grid hides and shows the editor between two presses, so Qt would never see the second as a double
// click: it is counted here by the system double-click time.
void TKivInPlaceNumEdit::mousePressEvent(QMouseEvent* e)
{
    if (m_ultimaApasare.isValid() && m_ultimaApasare.elapsed() < QApplication::doubleClickInterval()) {
        m_ultimaApasare.invalidate();
        m_grila->TrateazaDubluClic();
        e->accept();
        return;
    }
    m_ultimaApasare.start();
    TKivNumEdit::mousePressEvent(e);
}

void TKivInPlaceNumEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    m_grila->TrateazaDubluClic();
    e->accept();
}

TKivInplaceEdit::TKivInplaceEdit(TKivCustomGrid* grila)
    : QObject(grila), m_grila(grila), m_edit(new TKivInPlaceNumEdit(grila, grila->viewport()))
{
    m_edit->hide();
}

void TKivInplaceEdit::Pozitioneaza(const QRect& dreptunghi)
{
    if (dreptunghi.isEmpty()) {
        const bool aveaFocus = m_edit->hasFocus();
        m_edit->hide();
        if (aveaFocus)
            m_grila->setFocus();
        return;
    }
    m_edit->setGeometry(dreptunghi);
    m_edit->show();
}

bool TKivInplaceEdit::Afisat() const
{
    return m_edit->isVisibleTo(m_grila);
}

void TKivInplaceEdit::SelecteazaTot()
{
    m_edit->SetPozitieCursor(1);
    m_edit->SetLungimeSelectie(m_edit->Text().size());
}
