#include "controls/UKivEditors.h"

#include "controls/UKivNumar.h"
#include "controls/UKivPozitii.h"
#include "controls/UKivWinWatchThread.h"
#include "platform/UEroare.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <limits>

namespace {
const QString MesajStare = QStringLiteral("Don't know state");

// Typed characters are code 32 upward except 127; the rest are control characters and are dropped.
QString CaractereTiparibile(const QString& text)
{
    QString rezultat;
    for (QChar c : text)
        if (c.unicode() >= 32 && c.unicode() != 127)
            rezultat += c;
    return rezultat;
}
} // namespace

QString TKivBaseControl::Version() const
{
    return QStringLiteral("1.0");
}

void TKivBaseControl::SetColor(const TKivCuloare& culoare)
{
    m_color = culoare;
    update();
}

void TKivBaseControl::TreciLaUrmatorul()
{
    QWidget* parinte = parentWidget();
    if (!parinte)
        return;
    // The parent's tab sequence: its descendants in the window's focus chain, starting after the parent.
    QList<QWidget*> ordine;
    for (QWidget* w = parinte->nextInFocusChain(); w && w != parinte; w = w->nextInFocusChain()) {
        if (parinte->isAncestorOf(w))
            ordine.append(w);
        if (ordine.size() > 100000)
            break;
    }
    const qsizetype eu = ordine.indexOf(this);
    if (eu < 0)
        return;
    // A candidate found only after wrapping around would stand before this control: it is never taken.
    for (qsizetype i = eu + 1; i < ordine.size(); ++i) {
        QWidget* w = ordine[i];
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

TKivFieldBasedControl::TKivFieldBasedControl(QWidget* parent) : TKivBaseControl(parent) {}

void TKivFieldBasedControl::SeteazaStare(quint8 stare)
{
    if (stare > KivStare::Focus)
        throw EEroare(MesajStare);
    m_stare = stare;
    update();
    if (stare == KivStare::CitireMouse || stare == KivStare::Mouse)
        new TKivMouseInWindowThread(this, KivNoticaMouseAPlecat);
}

TKivTextEditStyle& TKivFieldBasedControl::StilPentruStare(quint8 stare) const
{
    TKivTextEditStyleRepository& depozit = DepozitStiluri();
    switch (stare) {
    case KivStare::CitireNormal:
        return depozit.ReadOnlyCold();
    case KivStare::CitireMouse:
        return depozit.ReadOnlyHover();
    case KivStare::CitireFocus:
        return depozit.ReadOnlyHot();
    case KivStare::Normal:
        return depozit.Cold();
    case KivStare::Mouse:
        return depozit.Hover();
    case KivStare::Focus:
        return depozit.Hot();
    }
    throw EEroare(MesajStare);
}

TKivTextEditStyleRepository& TKivFieldBasedControl::DepozitStiluri() const
{
    return TKivTextEditStyleRepository::Implicit();
}

void TKivFieldBasedControl::AplicaStil(QPainter& p, quint8 stare) const
{
    StilPentruStare(stare).Aplica(p);
}

void TKivFieldBasedControl::DeseneazaFundal(QPainter& p, quint8 stare)
{
    const TKivTextEditStyle& stil = StilPentruStare(stare);
    QColor fond = stil.BkColor().CuloareEfectiva();
    if (!isEnabled() && Color() == TKivCuloare::FataButon())
        fond = Color().Rgb();
    p.fillRect(rect(), fond);
    const int b = std::min({stil.BorderWidth(), width() / 2, height() / 2});
    if (b <= 0)
        return;
    const QColor margine = stil.BorderColor().CuloareEfectiva();
    p.fillRect(0, 0, width(), b, margine);
    p.fillRect(0, height() - b, width(), b, margine);
    p.fillRect(0, 0, b, height(), margine);
    p.fillRect(width() - b, 0, b, height(), margine);
}

bool TKivFieldBasedControl::event(QEvent* e)
{
    if (e->type() == QEvent::Type(KivNoticaMouseAPlecat)) {
        if (m_stare == KivStare::CitireMouse)
            SeteazaStare(KivStare::CitireNormal);
        else if (m_stare == KivStare::Mouse)
            SeteazaStare(KivStare::Normal);
        return true;
    }
    if (e->type() == QEvent::GrabMouse || e->type() == QEvent::UngrabMouse) {
        if (EsteCitire(m_stare))
            SeteazaStare(hasFocus() ? KivStare::CitireFocus : KivStare::CitireNormal);
        else
            SeteazaStare(hasFocus() ? KivStare::Focus : KivStare::Normal);
    }
    return TKivBaseControl::event(e);
}

void TKivFieldBasedControl::focusInEvent(QFocusEvent* e)
{
    SeteazaStare(EsteCitire(m_stare) ? KivStare::CitireFocus : KivStare::Focus);
    TKivBaseControl::focusInEvent(e);
}

void TKivFieldBasedControl::focusOutEvent(QFocusEvent* e)
{
    SeteazaStare(EsteCitire(m_stare) ? KivStare::CitireNormal : KivStare::Normal);
    TKivBaseControl::focusOutEvent(e);
}

void TKivFieldBasedControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    DeseneazaFundal(p, m_stare);
}

TKivCustomTextEdit::TKivCustomTextEdit(QWidget* parent) : TKivFieldBasedControl(parent)
{
    resize(100, 24);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_InputMethodEnabled);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const int clipire = QApplication::cursorFlashTime();
    if (clipire > 0) {
        m_clipire.setInterval(clipire / 2);
        connect(&m_clipire, &QTimer::timeout, this, [this] {
            m_caretAprins = !m_caretAprins;
            update(DreptunghiCaret());
        });
    }
}

void TKivCustomTextEdit::SetText(const QString& text)
{
    QString nou = text;
    if (!AcceptaText(nou) || nou == m_text)
        return;
    SchimbaText(nou, int(nou.length()) + 1);
}

void TKivCustomTextEdit::SetPozitieCursor(int p)
{
    const int nou = std::clamp(p, 1, int(m_text.length()) + 1);
    if (nou == m_pozitieCursor)
        return;
    m_lungimeSelectie = std::max(0, m_pozitieCursor + m_lungimeSelectie - nou);
    m_pozitieCursor = nou;
    Reafiseaza();
}

void TKivCustomTextEdit::SetLungimeSelectie(int n)
{
    m_lungimeSelectie = std::clamp(n, 1 - m_pozitieCursor, int(m_text.length()) - m_pozitieCursor + 1);
    Reafiseaza();
}

QString TKivCustomTextEdit::TextSelectat() const
{
    const int inceput = m_pozitieCursor + std::min(m_lungimeSelectie, 0);
    return m_text.mid(inceput - 1, std::abs(m_lungimeSelectie));
}

void TKivCustomTextEdit::SetKeepSelection(bool pastreaza)
{
    m_keepSelection = pastreaza;
    update();
}

void TKivCustomTextEdit::SetRightAlignNonEdit(bool dreapta)
{
    m_rightAlignNonEdit = dreapta;
    update();
}

bool TKivCustomTextEdit::AcceptaText(QString& text)
{
    // The control never scrolls: the whole text must fit.
    return LatimeText(text) + 8 < width();
}

void TKivCustomTextEdit::Copiaza()
{
    if (m_lungimeSelectie != 0)
        QGuiApplication::clipboard()->setText(TextSelectat());
}

void TKivCustomTextEdit::Taie()
{
    Copiaza();
    InsereazaText(QString());
}

void TKivCustomTextEdit::Lipeste()
{
    const QMimeData* date = QGuiApplication::clipboard()->mimeData();
    if (date && date->hasText())
        InsereazaText(date->text());
}

QRect TKivCustomTextEdit::DreptunghiCaret() const
{
    const int capatSelectie = m_pozitieCursor + m_lungimeSelectie;
    return QRect(4 + LatimeText(m_text.left(capatSelectie - 1)), 3, 2, height() - 6);
}

void TKivCustomTextEdit::InsereazaText(const QString& s)
{
    const int inceput = m_pozitieCursor + std::min(m_lungimeSelectie, 0) - 1;
    const QString inainte = m_text.left(inceput);
    QString nou = inainte + s + m_text.mid(inceput + std::abs(m_lungimeSelectie));
    if (!AcceptaText(nou) || nou == m_text)
        return;
    SchimbaText(nou, int(inainte.length() + s.length()) + 1);
}

void TKivCustomTextEdit::SchimbaText(const QString& text, int pozitie)
{
    m_text = text;
    m_lungimeSelectie = 0;
    m_pozitieCursor = std::clamp(pozitie, 1, int(m_text.length()) + 1);
    Reafiseaza();
    emit OnChange(this);
}

void TKivCustomTextEdit::Reafiseaza()
{
    m_caretAprins = true;
    if (m_clipire.isActive())
        m_clipire.start();
    update();
    updateMicroFocus();
}

int TKivCustomTextEdit::LatimeText(const QString& text) const
{
    return QFontMetrics(StilPentruStare(Stare()).Font(), this).horizontalAdvance(text);
}

int TKivCustomTextEdit::XText(quint8 stare) const
{
    if (m_rightAlignNonEdit && !EsteStareFocus(stare))
        return width() - 4 - QFontMetrics(StilPentruStare(stare).Font(), this).horizontalAdvance(m_text);
    return 4;
}

int TKivCustomTextEdit::LinieDeBaza(quint8 stare) const
{
    const QFontMetrics fm(StilPentruStare(stare).Font(), this);
    return (height() - fm.height()) / 2 + fm.ascent();
}

int TKivCustomTextEdit::PozitieLaMouse(int x) const
{
    return PozitieLaX(x - 4, int(m_text.length()), [this](int i) { return LatimeText(m_text.left(i)); });
}

bool TKivCustomTextEdit::EsteTastaListata(int tasta, bool shift, bool ctrl) const
{
    if (shift && !ctrl)
        return tasta == Qt::Key_Left || tasta == Qt::Key_Right || tasta == Qt::Key_Home || tasta == Qt::Key_End ||
               tasta == Qt::Key_Insert || tasta == Qt::Key_Delete;
    if (ctrl && !shift)
        return tasta == Qt::Key_Left || tasta == Qt::Key_Right || tasta == Qt::Key_C || tasta == Qt::Key_Delete ||
               tasta == Qt::Key_V || tasta == Qt::Key_X;
    if (ctrl && shift)
        return tasta == Qt::Key_Left || tasta == Qt::Key_Right;
    return tasta == Qt::Key_Backspace || tasta == Qt::Key_Delete || tasta == Qt::Key_Home || tasta == Qt::Key_End ||
           tasta == Qt::Key_Left || tasta == Qt::Key_Up || tasta == Qt::Key_Right || tasta == Qt::Key_Down;
}

void TKivCustomTextEdit::TrateazaTasta(int tasta, bool shift, bool ctrl)
{
    const int lungime = int(m_text.length());
    if (shift && !ctrl) {
        switch (tasta) {
        case Qt::Key_Left:
            if (m_pozitieCursor + m_lungimeSelectie >= 2)
                --m_lungimeSelectie;
            break;
        case Qt::Key_Right:
            if (m_pozitieCursor + m_lungimeSelectie <= lungime)
                ++m_lungimeSelectie;
            break;
        case Qt::Key_Home:
            m_lungimeSelectie = 1 - m_pozitieCursor;
            break;
        case Qt::Key_End:
            m_lungimeSelectie = lungime - m_pozitieCursor + 1;
            break;
        case Qt::Key_Insert:
            Lipeste();
            return;
        case Qt::Key_Delete:
            Taie();
            return;
        }
    } else if (ctrl && !shift) {
        switch (tasta) {
        case Qt::Key_Left:
            m_pozitieCursor = PozitieCuvantStanga(m_text, m_pozitieCursor);
            m_lungimeSelectie = 0;
            break;
        case Qt::Key_Right:
            m_pozitieCursor = PozitieCuvantDreapta(m_text, m_pozitieCursor);
            m_lungimeSelectie = 0;
            break;
        case Qt::Key_C:
        case Qt::Key_Delete:
            Copiaza();
            return;
        case Qt::Key_V:
            Lipeste();
            return;
        case Qt::Key_X:
            Taie();
            return;
        }
    } else if (ctrl && shift) {
        const int capat = m_pozitieCursor + m_lungimeSelectie;
        if (tasta == Qt::Key_Left)
            m_lungimeSelectie = PozitieCuvantStanga(m_text, capat) - m_pozitieCursor;
        else
            m_lungimeSelectie = PozitieCuvantDreapta(m_text, capat) - m_pozitieCursor;
    } else {
        switch (tasta) {
        case Qt::Key_Backspace:
            StergeInapoi();
            return;
        case Qt::Key_Delete:
            StergeInainte();
            return;
        case Qt::Key_Home:
            m_pozitieCursor = 1;
            m_lungimeSelectie = 0;
            break;
        case Qt::Key_End:
            m_pozitieCursor = lungime + 1;
            m_lungimeSelectie = 0;
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            TastaStanga(tasta == Qt::Key_Up);
            return;
        case Qt::Key_Right:
        case Qt::Key_Down:
            TastaDreapta(tasta == Qt::Key_Down);
            return;
        }
    }
    Reafiseaza();
}

void TKivCustomTextEdit::TastaStanga(bool susNuStanga)
{
    // A handler may delete or reload the control; nothing is touched after that.
    QPointer<TKivCustomTextEdit> eu(this);
    if (susNuStanga) {
        emit OnUp(this);
        if (!eu)
            return;
    }
    if (m_lungimeSelectie != 0) {
        m_lungimeSelectie = 0;
    } else {
        if (!susNuStanga && m_pozitieCursor == 1) {
            emit OnLeft(this);
            if (!eu)
                return;
        }
        m_pozitieCursor = std::max(1, m_pozitieCursor - 1);
    }
    Reafiseaza();
}

void TKivCustomTextEdit::TastaDreapta(bool josNuDreapta)
{
    QPointer<TKivCustomTextEdit> eu(this);
    if (josNuDreapta) {
        emit OnDown(this);
        if (!eu)
            return;
    }
    if (m_lungimeSelectie != 0) {
        m_lungimeSelectie = 0;
    } else {
        const int sfarsit = int(m_text.length()) + 1;
        if (!josNuDreapta && m_pozitieCursor == sfarsit) {
            emit OnRight(this);
            if (!eu)
                return;
        }
        m_pozitieCursor = std::min(int(m_text.length()) + 1, m_pozitieCursor + 1);
    }
    Reafiseaza();
}

void TKivCustomTextEdit::StergeInapoi()
{
    if (m_lungimeSelectie != 0) {
        InsereazaText(QString());
        return;
    }
    if (m_pozitieCursor <= 1)
        return;
    QString nou = m_text;
    nou.remove(m_pozitieCursor - 2, 1);
    if (AcceptaText(nou))
        SchimbaText(nou, m_pozitieCursor - 1);
}

void TKivCustomTextEdit::StergeInainte()
{
    if (m_lungimeSelectie != 0) {
        InsereazaText(QString());
        return;
    }
    if (m_pozitieCursor > m_text.length())
        return;
    QString nou = m_text;
    nou.remove(m_pozitieCursor - 1, 1);
    if (AcceptaText(nou))
        SchimbaText(nou, m_pozitieCursor);
}

bool TKivCustomTextEdit::event(QEvent* e)
{
    // Keys this control handles must reach it even when a window shortcut uses them.
    if (e->type() == QEvent::ShortcutOverride) {
        const auto* ke = static_cast<QKeyEvent*>(e);
        const bool shift = ke->modifiers() & Qt::ShiftModifier;
        const bool ctrl = ke->modifiers() & Qt::ControlModifier;
        const bool alt = ke->modifiers() & Qt::AltModifier;
        const bool enter = (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) && !ctrl;
        if (EsteTastaListata(ke->key(), shift, ctrl) || enter ||
            (ctrl == alt && !CaractereTiparibile(ke->text()).isEmpty())) {
            e->accept();
            return true;
        }
    }
    return TKivFieldBasedControl::event(e);
}

void TKivCustomTextEdit::keyPressEvent(QKeyEvent* e)
{
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const bool alt = e->modifiers() & Qt::AltModifier;
    const int tasta = e->key();
    e->accept();
    if (EsteTastaListata(tasta, shift, ctrl)) {
        TrateazaTasta(tasta, shift, ctrl);
        return;
    }
    if (!shift && !ctrl) {
        QPointer<TKivCustomTextEdit> eu(this);
        emit OnKeyDown(this, e);
        if (!eu)
            return;
    }
    if (tasta == Qt::Key_Return || tasta == Qt::Key_Enter) {
        // Ctrl+Enter is the window's (a record dialog saves with it).
        if (!ctrl)
            TreciLaUrmatorul();
        else
            e->ignore();
        return;
    }
    // Ctrl alone and Alt alone (menu mnemonics) type nothing; Ctrl with Alt is how some keyboards type
    // letters.
    const QString caractere = ctrl == alt ? CaractereTiparibile(e->text()) : QString();
    if (!caractere.isEmpty()) {
        InsereazaText(caractere);
        return;
    }
    // With Shift or Ctrl a key not handled above does nothing; other keys go to the parent.
    if (!shift && !ctrl)
        TKivFieldBasedControl::keyPressEvent(e);
}

void TKivCustomTextEdit::inputMethodEvent(QInputMethodEvent* e)
{
    const QString caractere = CaractereTiparibile(e->commitString());
    if (!caractere.isEmpty())
        InsereazaText(caractere);
    e->accept();
}

QVariant TKivCustomTextEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return DreptunghiCaret();
    case Qt::ImFont:
        return StilPentruStare(Stare()).Font();
    case Qt::ImSurroundingText:
        return m_text;
    case Qt::ImCursorPosition:
        return m_pozitieCursor - 1;
    default:
        return TKivFieldBasedControl::inputMethodQuery(query);
    }
}

void TKivCustomTextEdit::mousePressEvent(QMouseEvent* e)
{
    // The press that brought the focus only brings the focus.
    const bool doarFocus = m_focusDinApasare;
    m_focusDinApasare = false;
    if (e->button() != Qt::LeftButton || doarFocus || !hasFocus())
        return;
    m_lungimeSelectie = 0;
    m_pozitieCursor = PozitieLaMouse(e->position().toPoint().x());
    Reafiseaza();
}

void TKivCustomTextEdit::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint punct = e->position().toPoint();
    const bool inauntru = rect().contains(punct);
    const quint8 stare = Stare();
    if (inauntru) {
        if (stare == KivStare::CitireNormal)
            SeteazaStare(KivStare::CitireMouse);
        else if (stare == KivStare::Normal)
            SeteazaStare(KivStare::Mouse);
    } else {
        if (stare == KivStare::CitireMouse)
            SeteazaStare(KivStare::CitireNormal);
        else if (stare == KivStare::Mouse)
            SeteazaStare(KivStare::Normal);
    }
    if ((e->buttons() & Qt::LeftButton) && hasFocus() && inauntru) {
        m_lungimeSelectie = PozitieLaMouse(punct.x()) - m_pozitieCursor;
        Reafiseaza();
    }
}

void TKivCustomTextEdit::focusInEvent(QFocusEvent* e)
{
    TKivFieldBasedControl::focusInEvent(e);
    if (Stare() == KivStare::Focus && m_autoSelectOnEnter) {
        m_pozitieCursor = 1;
        m_lungimeSelectie = int(m_text.length());
    } else {
        m_pozitieCursor = int(m_text.length()) + 1;
        m_lungimeSelectie = 0;
    }
    m_focusDinApasare = e->reason() == Qt::MouseFocusReason;
    m_caretAfisat = true;
    if (m_clipire.interval() > 0)
        m_clipire.start();
    Reafiseaza();
}

void TKivCustomTextEdit::focusOutEvent(QFocusEvent* e)
{
    TKivFieldBasedControl::focusOutEvent(e);
    m_caretAfisat = false;
    m_focusDinApasare = false;
    m_clipire.stop();
    update();
}

void TKivCustomTextEdit::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const quint8 stare = Stare();
    DeseneazaFundal(p, stare);
    if (!m_text.isEmpty())
        DeseneazaText(p, stare);
    if (m_caretAfisat && m_caretAprins)
        p.fillRect(DreptunghiCaret(), StilPentruStare(stare).FontColor().CuloareEfectiva());
}

void TKivCustomTextEdit::DeseneazaText(QPainter& p, quint8 stare)
{
    AplicaStil(p, stare);
    const QFontMetrics fm(p.font(), this);
    const QColor culoareText = StilPentruStare(stare).FontColor().CuloareEfectiva();
    const bool focus = EsteStareFocus(stare);
    const bool selectieVizibila = m_lungimeSelectie != 0 && (focus || m_keepSelection);
    const QColor evidentiere = TKivCuloare::Evidentiere().Rgb();
    const QColor fondSelectie = focus ? evidentiere : AplicaVariatia(evidentiere, cvLiteBlue);

    const int inceput = m_pozitieCursor + std::min(m_lungimeSelectie, 0) - 1;
    const int lungime = std::abs(m_lungimeSelectie);
    const QString parti[3] = {m_text.left(inceput), m_text.mid(inceput, lungime), m_text.mid(inceput + lungime)};
    const int sus = (height() - fm.height()) / 2;
    const int baza = LinieDeBaza(stare);
    int x = XText(stare);
    for (int i = 0; i < 3; ++i) {
        if (parti[i].isEmpty())
            continue;
        const int latime = fm.horizontalAdvance(parti[i]);
        // While the selection is not shown its text is drawn as the rest of the text.
        const bool inSelectie = i == 1 && selectieVizibila;
        if (inSelectie) {
            p.fillRect(x, sus, latime, fm.height(), fondSelectie);
            p.setPen(TKivCuloare::TextEvidentiat().Rgb());
        } else {
            p.setPen(culoareText);
        }
        PregatesteFont(p, stare, !inSelectie);
        p.drawText(x, baza, parti[i]);
        x += latime;
    }
}

void TKivCustomTextEdit::PregatesteFont(QPainter&, quint8, bool) {}

TKivTextEdit::TKivTextEdit(QWidget* parent) : TKivCustomTextEdit(parent) {}
