#pragma once

#include "controls/UKivCulori.h"

#include <QFont>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>

class QPainter;

// Event type of the notice a mouse watcher posts when the mouse has left a control.
inline constexpr int KivNoticaMouseAPlecat = 1124;

// Display states (Stare): a read-only and an editable group, each normal, under the mouse and focused.
namespace KivStare {
inline constexpr quint8 CitireNormal = 0;
inline constexpr quint8 CitireMouse = 1;
inline constexpr quint8 CitireFocus = 2;
inline constexpr quint8 Normal = 3;
inline constexpr quint8 Mouse = 4;
inline constexpr quint8 Focus = 5;
} // namespace KivStare

// A base colour and a variation of it; every change is reported to the owner.
class TKivColorVariation
{
public:
    TKivColorVariation() = default;
    TKivColorVariation(const TKivColorVariation&) = delete;
    TKivColorVariation& operator=(const TKivColorVariation&) = delete;

    const TKivCuloare& BaseColor() const { return m_baseColor; }
    void SetBaseColor(const TKivCuloare& culoare);
    TKivColorVariationEnum Variation() const { return m_variation; }
    // Throws EEroare("Don't know variation") for a value outside the enumeration, changing nothing.
    void SetVariation(TKivColorVariationEnum variatie);
    // Copies the base colour and the variation.
    void Assign(const TKivColorVariation& alta);
    // The base colour resolved to red, green and blue, with the variation applied.
    QColor CuloareEfectiva() const;

    void SetLaSchimbare(std::function<void()> laSchimbare) { m_laSchimbare = std::move(laSchimbare); }

private:
    void Schimbat();

    TKivCuloare m_baseColor = TKivCuloare::Fereastra();
    TKivColorVariationEnum m_variation = cvNoVariation;
    std::function<void()> m_laSchimbare;
};

// Colours, border and font of one display state.
class TKivTextEditStyle
{
public:
    TKivTextEditStyle();
    TKivTextEditStyle(const TKivTextEditStyle&) = delete;
    TKivTextEditStyle& operator=(const TKivTextEditStyle&) = delete;

    TKivColorVariation& BkColor() { return m_bkColor; }
    const TKivColorVariation& BkColor() const { return m_bkColor; }
    TKivColorVariation& FontColor() { return m_fontColor; }
    const TKivColorVariation& FontColor() const { return m_fontColor; }
    TKivColorVariation& BorderColor() { return m_borderColor; }
    const TKivColorVariation& BorderColor() const { return m_borderColor; }
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int latime);
    const QFont& Font() const { return m_font; }
    void SetFont(const QFont& font);

    // Copies the font, the border width and the three colour variations.
    void Assign(const TKivTextEditStyle& alt);
    // The painter's font becomes the style's font, its text and line colour the font colour, and its
    // fill transparent.
    void Aplica(QPainter& p) const;

    void SetLaSchimbare(std::function<void()> laSchimbare) { m_laSchimbare = std::move(laSchimbare); }

private:
    void Schimbat();

    TKivColorVariation m_bkColor;
    TKivColorVariation m_fontColor;
    TKivColorVariation m_borderColor;
    int m_borderWidth = 1;
    QFont m_font;
    std::function<void()> m_laSchimbare;
};

// The six styles of the display states. Changing a style does not repaint controls already shown.
class TKivTextEditStyleRepository : public QObject
{
    Q_OBJECT
public:
    // A repository with the default styles.
    explicit TKivTextEditStyleRepository(QObject* parent = nullptr);

    TKivTextEditStyle& Cold() { return m_cold; }
    TKivTextEditStyle& Hot() { return m_hot; }
    TKivTextEditStyle& Hover() { return m_hover; }
    TKivTextEditStyle& ReadOnlyCold() { return m_readOnlyCold; }
    TKivTextEditStyle& ReadOnlyHot() { return m_readOnlyHot; }
    TKivTextEditStyle& ReadOnlyHover() { return m_readOnlyHover; }
    void SetCold(const TKivTextEditStyle& stil) { m_cold.Assign(stil); }
    void SetHot(const TKivTextEditStyle& stil) { m_hot.Assign(stil); }
    void SetHover(const TKivTextEditStyle& stil) { m_hover.Assign(stil); }
    void SetReadOnlyCold(const TKivTextEditStyle& stil) { m_readOnlyCold.Assign(stil); }
    void SetReadOnlyHot(const TKivTextEditStyle& stil) { m_readOnlyHot.Assign(stil); }
    void SetReadOnlyHover(const TKivTextEditStyle& stil) { m_readOnlyHover.Assign(stil); }

    // The process-wide repository every control uses: created on first use, freed with the application.
    static TKivTextEditStyleRepository& Implicit();

private:
    void StilSchimbat() {}

    TKivTextEditStyle m_cold;
    TKivTextEditStyle m_hot;
    TKivTextEditStyle m_hover;
    TKivTextEditStyle m_readOnlyCold;
    TKivTextEditStyle m_readOnlyHot;
    TKivTextEditStyle m_readOnlyHover;
};

// Base of the program's custom-drawn controls.
class TKivBaseControl : public QWidget
{
    Q_OBJECT
public:
    explicit TKivBaseControl(QWidget* parent = nullptr);

    QString Version() const;
    // The control's own colour (the system window colour unless set).
    const TKivCuloare& Color() const { return m_color; }
    void SetColor(const TKivCuloare& culoare);

    // Moves the focus like Tab to the next control of the parent's tab sequence that can take it, but
    // never wraps around to an earlier one.
    virtual void TreciLaUrmatorul();

private:
    TKivCuloare m_color = TKivCuloare::Fereastra();
};

// A control with the six display states; its state follows focus and hover, and picks its style.
class TKivFieldBasedControl : public TKivBaseControl
{
    Q_OBJECT
public:
    explicit TKivFieldBasedControl(QWidget* parent = nullptr);

    quint8 Stare() const { return m_stare; }
    // Sets the state and repaints; a hover state (1 or 4) starts a mouse watcher. Throws
    // EEroare("Don't know state") for a value above 5, changing nothing.
    virtual void SeteazaStare(quint8 stare);
    // Fills the client area with the state's background and frames it with its border.
    virtual void DeseneazaFundal(QPainter& p, quint8 stare);
    // The repository's style for a state; throws EEroare("Don't know state") for a value above 5.
    virtual TKivTextEditStyle& StilPentruStare(quint8 stare) const;
    virtual TKivTextEditStyleRepository& DepozitStiluri() const;

    // The state's style applied to a painter (font, text colour, no fill).
    void AplicaStil(QPainter& p, quint8 stare) const;

protected:
    bool event(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

    static bool EsteStareFocus(quint8 stare) { return stare == KivStare::CitireFocus || stare == KivStare::Focus; }
    static bool EsteCitire(quint8 stare) { return stare <= KivStare::CitireFocus; }

private:
    quint8 m_stare = KivStare::Normal;
};

// Single-line text edit with its own caret, signed selection, keys, mouse and clipboard. Positions are
// 1-based: PozitieCursor p stands before character p (1 ... length + 1).
class TKivCustomTextEdit : public TKivFieldBasedControl
{
    Q_OBJECT
public:
    explicit TKivCustomTextEdit(QWidget* parent = nullptr);

    QString Text() const { return m_text; }
    // Passes the text through AcceptaText; an accepted, different text puts the caret at its end,
    // clears the selection and raises OnChange. A refused text leaves the old one.
    void SetText(const QString& text);

    int PozitieCursor() const { return m_pozitieCursor; }
    // Caret to p (limited to 1 ... length + 1) keeping the selection's far end in place (the selection
    // does not turn to the left).
    void SetPozitieCursor(int p);
    // Signed, from the caret: positive to the right, negative to the left.
    int LungimeSelectie() const { return m_lungimeSelectie; }
    // Limited to the text: between the start and the end of the text as seen from the caret.
    void SetLungimeSelectie(int n);
    QString TextSelectat() const;

    bool KeepSelection() const { return m_keepSelection; }
    void SetKeepSelection(bool pastreaza);
    bool RightAlignNonEdit() const { return m_rightAlignNonEdit; }
    void SetRightAlignNonEdit(bool dreapta);
    bool AutoSelectOnEnter() const { return m_autoSelectOnEnter; }
    void SetAutoSelectOnEnter(bool selecteaza) { m_autoSelectOnEnter = selecteaza; }

    // Whether a text may become the content; may normalise it. Here: it must fit in the control.
    virtual bool AcceptaText(QString& text);

    void Copiaza();
    void Taie();
    void Lipeste();

    // Where the caret stands (client coordinates), and whether it is shown (focused).
    QRect DreptunghiCaret() const;
    bool CaretAfisat() const { return m_caretAfisat; }

    QSize sizeHint() const override { return QSize(100, 24); }

signals:
    void OnChange(TKivCustomTextEdit* sender);
    void OnLeft(TKivCustomTextEdit* sender);
    void OnRight(TKivCustomTextEdit* sender);
    void OnUp(TKivCustomTextEdit* sender);
    void OnDown(TKivCustomTextEdit* sender);
    // A key pressed without Shift and Ctrl that the control's own rules do not handle (Enter, Escape,
    // function keys, the keys of typed characters); raised before the key is acted on.
    void OnKeyDown(TKivCustomTextEdit* sender, QKeyEvent* e);

protected:
    // Draws the text in three parts: before, inside and after the selection.
    virtual void DeseneazaText(QPainter& p, quint8 stare);
    // Called before each part of the text is drawn.
    virtual void PregatesteFont(QPainter& p, quint8 stare, bool inAfaraSelectiei);

    // Replaces the selection by s (typing, pasting, cutting).
    void InsereazaText(const QString& s);
    // Width of a text in the font of the current state's style.
    int LatimeText(const QString& text) const;
    // Where the text starts in the state (right-aligned while not focused with RightAlignNonEdit).
    int XText(quint8 stare) const;
    int LinieDeBaza(quint8 stare) const;

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    bool EsteTastaListata(int tasta, bool shift, bool ctrl) const;
    void TrateazaTasta(int tasta, bool shift, bool ctrl);
    void TastaStanga(bool susNuStanga);
    void TastaDreapta(bool josNuDreapta);
    void StergeInapoi();
    void StergeInainte();
    // Stores an accepted text, clears the selection, puts the caret at `pozitie` and raises OnChange.
    void SchimbaText(const QString& text, int pozitie);
    void Reafiseaza();
    int PozitieLaMouse(int x) const;

    QString m_text;
    int m_pozitieCursor = 1;
    int m_lungimeSelectie = 0;
    bool m_keepSelection = false;
    bool m_rightAlignNonEdit = false;
    bool m_autoSelectOnEnter = true;
    bool m_caretAfisat = false;
    bool m_caretAprins = false;
    bool m_focusDinApasare = false;
    QTimer m_clipire;
};

// The text edit with its properties published; adds nothing.
class TKivTextEdit : public TKivCustomTextEdit
{
    Q_OBJECT
public:
    explicit TKivTextEdit(QWidget* parent = nullptr);
};

// Decimal number edit with a comma. Values are read from and written to the text; writing goes through
// SetText, so a value whose text is refused leaves the old text.
class TKivNumEdit : public TKivTextEdit
{
    Q_OBJECT
public:
    explicit TKivNumEdit(QWidget* parent = nullptr);

    bool NoDots() const { return m_noDots; }
    void SetNoDots(bool faraPuncte);
    int NrCifreDupaVirgula() const { return m_nrCifreDupaVirgula; }
    void SetNrCifreDupaVirgula(int nr) { m_nrCifreDupaVirgula = nr; }

    // The number in ten-thousandths (a fixed-point decimal with four places). Reading throws EEroare
    // when the text is not a number.
    qint64 AsCurrency() const;
    // Shows the integer part and exactly two decimals, cut, not rounded: 95000 shows 9,50.
    void SetAsCurrency(qint64 zeciMiimi);
    // The number in hundredths; reading throws EEroare when the text is not a number.
    qint64 CuDouaZecimale() const;
    void SetCuDouaZecimale(qint64 sutimi);
    qint64 CuPatruZecimale() const;
    void SetCuPatruZecimale(qint64 zeciMiimi);
    // Ten-thousandths of which only two decimals count.
    qint64 CuDoiPatruZecimale() const;
    void SetCuDoiPatruZecimale(qint64 zeciMiimi);
    // The integer part; 0 when it is not a number.
    qint64 FaraZecimale() const;
    void SetFaraZecimale(qint64 intreg);

    bool AcceptaText(QString& text) override;

protected:
    void DeseneazaText(QPainter& p, quint8 stare) override;
    void PregatesteFont(QPainter& p, quint8 stare, bool inAfaraSelectiei) override;

private:
    bool m_noDots = false;
    int m_nrCifreDupaVirgula = 2;
};
