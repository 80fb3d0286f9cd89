#pragma once

#include "controls/UKivCulori.h"
#include "controls/UKivGrid.h"
#include "controls/UKivGridFormat.h"

#include <QFont>
#include <QPalette>
#include <QMutex>
#include <QReadWriteLock>
#include <QThread>
#include <QWaitCondition>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TKivVirtualGrid;
class TKivVirtualGridColumn;
class TKivVirtualGridColumns;
class TKivVirtualGridList;

// Event types the virtual grid posts to itself: the column collection's second rebuild and the hover tick.
inline constexpr int KivMesajReconstruieste = 1031;
inline constexpr int KivMesajTickTack = 1066;

// Options of the virtual grid.
enum TKivGridOption
{
    goSelectezLinia = 0x1,
    goNuAfisezLiniiVerticale = 0x2,
    goNuAfisezLiniiOrizontale = 0x4
};
Q_DECLARE_FLAGS(TKivGridOptions, TKivGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TKivGridOptions)

// A font of a style or a column, with its colour; every change is reported to the owner. It is stored
// with a form only when it differs from its default.
class TFontKivCuloriColoana
{
public:
    TFontKivCuloriColoana(const QFont& font, const TKivCuloare& culoare);

    const QFont& Font() const { return m_font; }
    void SetFont(const QFont& font);
    const TKivCuloare& Culoare() const { return m_culoare; }
    void SetCuloare(const TKivCuloare& culoare);
    // Character set of the font as stored with forms (Central European).
    int CharSet() const { return 238; }
    // True when name, size, style, colour and pitch are all the defaults.
    bool EsteImplicit() const;

    void SetLaSchimbare(std::function<void()> laSchimbare) { m_laSchimbare = std::move(laSchimbare); }

private:
    QFont m_font;
    TKivCuloare m_culoare;
    QFont m_fontImplicit;
    TKivCuloare m_culoareImplicita;
    std::function<void()> m_laSchimbare;
};

// One colour style of a column. Setting any property repaints the column's grid.
class TKivCuloriColoana
{
public:
    explicit TKivCuloriColoana(TKivVirtualGridColumn* coloana);
    TKivCuloriColoana(const TKivCuloriColoana&) = delete;
    TKivCuloriColoana& operator=(const TKivCuloriColoana&) = delete;

    const TKivCuloare& CuloareBackgroundNormal() const { return m_fundalNormal; }
    void SetCuloareBackgroundNormal(const TKivCuloare& culoare);
    const TKivCuloare& CuloareBackgroundSelectat() const { return m_fundalSelectat; }
    void SetCuloareBackgroundSelectat(const TKivCuloare& culoare);
    TFontKivCuloriColoana& FontNormal() { return m_fontNormal; }
    const TFontKivCuloriColoana& FontNormal() const { return m_fontNormal; }
    TFontKivCuloriColoana& FontSelectat() { return m_fontSelectat; }
    const TFontKivCuloriColoana& FontSelectat() const { return m_fontSelectat; }
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    int Indent() const { return m_indent; }
    void SetIndent(int indent);
    Qt::Alignment Aliniere() const { return m_aliniere; }
    void SetAliniere(Qt::Alignment aliniere);
    bool Activ() const { return m_activ; }
    void SetActiv(bool activ);

private:
    void Schimbat();

    TKivVirtualGridColumn* m_coloana;
    TKivCuloare m_fundalNormal = TKivCuloare::Fereastra();
    TKivCuloare m_fundalSelectat = TKivCuloare::Evidentiere();
    TFontKivCuloriColoana m_fontNormal;
    TFontKivCuloriColoana m_fontSelectat;
    int m_imageIndex = -1;
    int m_indent = -1;
    Qt::Alignment m_aliniere = Qt::AlignLeft;
    bool m_activ = false;
};

// One line below the header. Owners derive their own lines from it. Colours left invalid mean
// "no colour" (the value 536870911 of stored forms).
class TKivVirtualGridLine
{
public:
    TKivVirtualGridLine() = default;
    virtual ~TKivVirtualGridLine() = default;
    TKivVirtualGridLine(const TKivVirtualGridLine&) = delete;
    TKivVirtualGridLine& operator=(const TKivVirtualGridLine&) = delete;

    TKivVirtualGridList* Lista() const { return m_lista; }
    int Stil() const { return m_stil; }
    // 1 ... 10; other values throw EEroare("Stil trebuie sa fie de la 1 la 10"), changing nothing.
    void SetStil(int stil);
    QColor CuloareFundal;
    QColor CuloareFont;
    // Bit 0 adds bold, 1 removes it, 2 adds italic, 3 removes it, 4-7 set size 6, 8, 10, 11.
    quint8 FormatFont = 0;
    // Row height in design pixels; 0 for the grid's default row height.
    quint8 InaltimeLinie = 0;

private:
    friend class TKivVirtualGridList;
    TKivVirtualGridList* m_lista = nullptr;
    int m_stil = 1;
};

// The sample lines shown while a form is being designed.
class TKivDTVirtualGridLine : public TKivVirtualGridLine
{
};

// The grid's lines; owns them. Adding a line and clearing rebuild the grid unless a BeginUpdate holds it.
class TKivVirtualGridList
{
public:
    explicit TKivVirtualGridList(TKivVirtualGrid* grila) : m_grila(grila) {}

    TKivVirtualGrid* Grila() const { return m_grila; }
    // Takes ownership of the line.
    void Adauga(TKivVirtualGridLine* linie);
    void Goleste();
    int Count() const { return int(m_linii.size()); }
    TKivVirtualGridLine* Item(int i) const { return m_linii.at(i).get(); }

private:
    TKivVirtualGrid* m_grila;
    std::vector<std::unique_ptr<TKivVirtualGridLine>> m_linii;
};

// One column: caption, data type, width and the ten colour styles.
class TKivVirtualGridColumn
{
public:
    explicit TKivVirtualGridColumn(TKivVirtualGridColumns* colectie);
    TKivVirtualGridColumn(const TKivVirtualGridColumn&) = delete;
    TKivVirtualGridColumn& operator=(const TKivVirtualGridColumn&) = delete;

    TKivVirtualGridColumns* Colectie() const { return m_colectie; }
    int Index() const;
    // "[index] name", or "[index] <fara nume>".
    QString DisplayName() const;

    TKivTipDeDateColoana TipDeDate() const { return m_tip; }
    void SetTipDeDate(TKivTipDeDateColoana tip);
    const QString& NumeColoana() const { return m_nume; }
    void SetNumeColoana(const QString& nume);
    // Design pixels; setting it rebuilds the grid.
    int Width() const { return m_latime; }
    void SetWidth(int latime);
    const QString& Umbrela1() const { return m_umbrela1; }
    void SetUmbrela1(const QString& umbrela);
    const QString& Umbrela2() const { return m_umbrela2; }
    void SetUmbrela2(const QString& umbrela);
    TFontKivCuloriColoana& FontUmbrela1() { return m_fontUmbrela1; }
    TFontKivCuloriColoana& FontUmbrela2() { return m_fontUmbrela2; }
    // Invalid: no colour, the band is not filled.
    const QColor& CuloareUmbrela1() const { return m_culoareUmbrela1; }
    void SetCuloareUmbrela1(const QColor& culoare);
    const QColor& CuloareUmbrela2() const { return m_culoareUmbrela2; }
    void SetCuloareUmbrela2(const QColor& culoare);
    const QColor& CuloareHeader() const { return m_culoareHeader; }
    void SetCuloareHeader(const QColor& culoare);
    Qt::Alignment AliniereTextInHeader() const { return m_aliniereHeader; }
    void SetAliniereTextInHeader(Qt::Alignment aliniere);
    bool AllowMultiLineGridPrint() const { return m_multiLinie; }
    void SetAllowMultiLineGridPrint(bool multiLinie) { m_multiLinie = multiLinie; }

    TKivCuloriColoana& Stil1() { return *m_stiluri[0]; }
    // Style 1 ... 10; other numbers throw EEroare("Sunt definite stiluri de la 1 la 10").
    TKivCuloriColoana& Stil(int numar);
    const TKivCuloriColoana& Stil(int numar) const;

    // The cell text given directly, instead of asking the grid's OnGetCellValue.
    std::function<void(TKivVirtualGridLine* linie, QString& text)> OnGetText;
    // Stored only; the grid never calls it.
    std::function<void(TKivVirtualGridLine* linie, TKivTipDeDateColoana& tip)> OnGetTipDeDate;
    // Whether the pop-up editor is used for a cell of this column (it starts as false).
    std::function<void(TKivVirtualGridLine* linie, bool& editorStandard)> OnApeleazaEditor;

    // Repaints the grid the column belongs to.
    void Schimbat();

private:
    TKivVirtualGridColumns* m_colectie;
    TKivTipDeDateColoana m_tip = atString;
    QString m_nume;
    int m_latime = 128;
    QString m_umbrela1;
    QString m_umbrela2;
    TFontKivCuloriColoana m_fontUmbrela1;
    TFontKivCuloriColoana m_fontUmbrela2;
    QColor m_culoareUmbrela1;
    QColor m_culoareUmbrela2;
    QColor m_culoareHeader{243, 250, 220};
    Qt::Alignment m_aliniereHeader = Qt::AlignHCenter;
    bool m_multiLinie = false;
    std::array<std::unique_ptr<TKivCuloriColoana>, 10> m_stiluri;
};

// The grid's columns; owns them. Adding or removing a column rebuilds the grid at once and once more
// when the event loop reaches the posted KivMesajReconstruieste.
class TKivVirtualGridColumns
{
public:
    explicit TKivVirtualGridColumns(TKivVirtualGrid* grila) : m_grila(grila) {}

    TKivVirtualGrid* Grila() const { return m_grila; }
    TKivVirtualGridColumn* Adauga();
    // Throws KivEInvalidGridOperation("Grid index out of range") for an index outside the columns.
    void Sterge(int index);
    void Goleste();
    int Count() const { return int(m_coloane.size()); }
    TKivVirtualGridColumn* Item(int i) const { return m_coloane.at(i).get(); }
    int IndexOf(const TKivVirtualGridColumn* coloana) const;

private:
    void Schimbat();

    TKivVirtualGrid* m_grila;
    std::vector<std::unique_ptr<TKivVirtualGridColumn>> m_coloane;
};

// A cell under the hover effect.
struct TKivCelulaGrid
{
    int Coloana = 0;
    int Linie = 0;
    int Intensitate = 10;
};

// The cells under the hover effect, in the order they were marked.
class TKivListaCeluleGrid
{
public:
    int Count() const { return int(m_celule.size()); }
    TKivCelulaGrid* Item(int i) const { return m_celule.at(i).get(); }
    TKivCelulaGrid* Gaseste(int coloana, int linie) const;
    TKivCelulaGrid* Adauga(int coloana, int linie);
    void Sterge(int i) { m_celule.erase(m_celule.begin() + i); }
    void Goleste() { m_celule.clear(); }

private:
    std::vector<std::unique_ptr<TKivCelulaGrid>> m_celule;
};

// The hover ticker: while Pornit, posts a KivMesajTickTack event to its grid every 100 ms. It touches
// nothing else of the grid; the grid tells it to end and waits for it before going.
class TKivTickTackThread : public QThread
{
    Q_OBJECT
public:
    explicit TKivTickTackThread(QObject* grila);
    ~TKivTickTackThread() override;

    bool Pornit() const;
    void SetPornit(bool pornit);
    // Asks the loop to end and wakes it from its sleep; the caller then waits for the thread.
    void Termina();

protected:
    void run() override;

private:
    QObject* m_grila;
    mutable QReadWriteLock m_blocare;
    bool m_pornit = false;
    QMutex m_somn;
    QWaitCondition m_trezire;
    bool m_termina = false;
};

// The read-mostly table that stores no cell contents: every cell value is asked from the owner when the
// cell is painted or edited. Rows: 0 is the header, row r shows line r - 1.
class TKivVirtualGrid : public TKivCustomDrawGrid
{
    Q_OBJECT
public:
    explicit TKivVirtualGrid(QWidget* parent = nullptr);
    ~TKivVirtualGrid() override;

    TKivVirtualGridColumns& Coloane() { return m_coloane; }
    TKivVirtualGridList& Linii() { return m_linii; }

    // Height of row 0; -1 without rows or columns.
    int HeaderHeight() const;
    void SetHeaderHeight(int inaltime);
    int NrColoaneFixe() const { return m_nrColoaneFixe; }
    void SetNrColoaneFixe(int n);
    TKivGridOptions Optiuni() const { return m_optiuni; }
    void SetOptiuni(TKivGridOptions optiuni);

    // Nestable; the EndUpdate that brings the counter to 0 rebuilds. EndUpdate without BeginUpdate throws
    // EEroare("EndUpdate fara BeginUpdate").
    void BeginUpdate();
    void EndUpdate();
    // Dimensions of the base grid from the columns and lines, sizes scaled for large fonts.
    void Reconstruieste();

    // The value of a cell asked from the owner; false without a handler or when the value is atAsk.
    bool ValoareCelula(int coloana, TKivVirtualGridLine* linie, TKivValoareDate& valoare) const;
    // The text a data cell shows (see the rules of the class): throws the mismatch and type messages.
    QString TextCelula(int coloana, int linie) const;
    // Edits one cell in the pop-up editor; on OK stores the value and raises OnSetCellValue.
    void EditeazaCelula(int coloana, int rand, const QString& textStart, TKivVirtualGridLine* linie,
                        TKivValoareDate& valoare);
    // The pop-up editor while it is open (for tests and callers that watch it), else null.
    class TKivVGridEditorForm* EditorDeschis() const { return m_editorDeschis; }

    void MutaCelulaCurenta(int coloana, int rand, bool mutaAncora, bool arata) override;

    const TKivListaCeluleGrid& ListaHover() const { return m_hover; }
    TKivTickTackThread* Ticker() const { return m_ticker.get(); }

    QString TitluMare() const { return m_titluMare; }
    void SetTitluMare(const QString& t) { m_titluMare = t; }
    QString TitluMic() const { return m_titluMic; }
    void SetTitluMic(const QString& t) { m_titluMic = t; }
    QString TitluDreaptaSus() const { return m_titluDreaptaSus; }
    void SetTitluDreaptaSus(const QString& t) { m_titluDreaptaSus = t; }
    QString AntetLinia1() const { return m_antet[0]; }
    void SetAntetLinia1(const QString& t) { m_antet[0] = t; }
    QString AntetLinia2() const { return m_antet[1]; }
    void SetAntetLinia2(const QString& t) { m_antet[1] = t; }
    QString AntetLinia3() const { return m_antet[2]; }
    void SetAntetLinia3(const QString& t) { m_antet[2] = t; }
    QString InfoSemnaturi() const { return m_infoSemnaturi; }
    void SetInfoSemnaturi(const QString& t) { m_infoSemnaturi = t; }
    // Signatures 1 ... 3: function and name.
    QString InfoSemnaturiFunc(int i) const { return m_semnaturiFunc.at(i - 1); }
    void SetInfoSemnaturiFunc(int i, const QString& t) { m_semnaturiFunc.at(i - 1) = t; }
    QString InfoSemnaturiNume(int i) const { return m_semnaturiNume.at(i - 1); }
    void SetInfoSemnaturiNume(int i, const QString& t) { m_semnaturiNume.at(i - 1) = t; }
    bool PrintPortrait() const { return m_printPortrait; }
    void SetPrintPortrait(bool portret) { m_printPortrait = portret; }
    QString _BuildVersion() const { return QStringLiteral("#1"); }
    void Set_BuildVersion(const QString&) {}

    std::function<void(TKivVirtualGridLine* linie, int coloana, TKivValoareDate& valoare)> OnGetCellValue;
    std::function<void(TKivVirtualGridLine* linie, int coloana, TKivValoareDate& valoare)> OnSetCellValue;
    std::function<void(TKivVirtualGridLine* linie, int coloana, bool& poate)> OnPotEdita;
    // The font's colour travels beside it: a QFont has none.
    std::function<void(TKivVirtualGridLine* linie, int coloana, QColor& fundal, QFont& font, QColor& culoareFont)>
        OnFormatCell;
    std::function<void(TKivVirtualGridLine* linie, const TKivValoareDate& valoare, int coloana, QString& text)>
        OnCustomText;

protected:
    void DeseneazaCelula(QPainter& p, int coloana, int rand, const QRect& dreptunghi, TKivStariCelula stare) override;
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QColor Culoare(const TKivCuloare& culoare) const;
    void DeseneazaAntet(QPainter& p, int coloana, const QRect& dreptunghi);
    void DeseneazaDate(QPainter& p, int coloana, int rand, const QRect& dreptunghi, TKivStariCelula stare);
    // Draws one group band at `y`; returns its height.
    int DeseneazaBanda(QPainter& p, int coloana, const QRect& dreptunghi, int y, int banda, const QColor& margine);
    void Umbra(QPainter& p, const QRect& d, bool verticala, const QColor& de, const QColor& la);
    void Margini(QPainter& p, const QRect& d, const QColor& culoare, bool sus, bool dreapta, bool jos);
    void EditareDinTastatura(const QString& textStart);
    void MarcheazaHover(int coloana, int rand);
    void TickTack();
    void PornesteTicker();
    void OpresteTicker();

    TKivVirtualGridColumns m_coloane{this};
    TKivVirtualGridList m_linii{this};
    int m_nrColoaneFixe = 1;
    TKivGridOptions m_optiuni;
    int m_nrActualizari = 0;
    bool m_seDistruge = false;
    TKivListaCeluleGrid m_hover;
    std::unique_ptr<TKivTickTackThread> m_ticker;
    class TKivVGridEditorForm* m_editorDeschis = nullptr;
    QPalette m_paleta;

    QString m_titluMare = QStringLiteral("TITLUL MARE");
    QString m_titluMic = QStringLiteral("TITLUL MIC");
    QString m_titluDreaptaSus;
    std::array<QString, 3> m_antet{QStringLiteral("Linia #1 din antet"), QStringLiteral("Linia #2 din antet"),
                                   QStringLiteral("Linia #3 din antet")};
    QString m_infoSemnaturi;
    std::array<QString, 3> m_semnaturiFunc;
    std::array<QString, 3> m_semnaturiNume;
    bool m_printPortrait = false;
};
