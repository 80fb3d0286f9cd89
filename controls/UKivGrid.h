#pragma once

#include "controls/UKivEditors.h"
#include "controls/UKivStareGrila.h"
#include "platform/UEroare.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QFlags>
#include <QRect>
#include <QTimer>

#include <functional>
#include <vector>

class TKivCustomGrid;

// Errors of the grid's index checks; the operation that raises one leaves the grid as it was.
class KivEInvalidGridOperation : public EEroare
{
public:
    using EEroare::EEroare;
};

// How a cell is painted: inside the selection, the current cell of the active grid, a fixed cell.
enum TKivStareCelula
{
    scSelectata = 0x1,
    scFocus = 0x2,
    scFixa = 0x4
};
Q_DECLARE_FLAGS(TKivStariCelula, TKivStareCelula)
Q_DECLARE_OPERATORS_FOR_FLAGS(TKivStariCelula)

// What a mouse position may resize: nothing, the border after column `index`, or after row `index`.
struct TKivRedimensionare
{
    enum Tip
    {
        Nimic,
        Coloana,
        Rand
    } tip = Nimic;
    int index = -1;
    int inceput = 0; // left (top) edge of the column (row) being resized, viewport coordinates
};

// The number edit living inside the grid: keys the grid handles go to the grid. While it holds the focus
// the grid counts as its window's active control (EsteControlActiv).
class TKivInPlaceNumEdit : public TKivNumEdit
{
    Q_OBJECT
public:
    TKivInPlaceNumEdit(TKivCustomGrid* grila, QWidget* parent);

    // At most 10 characters.
    bool AcceptaText(QString& text) override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    TKivCustomGrid* m_grila;
    QElapsedTimer m_ultimaApasare;
};

// The grid's in-cell editor: forwards to its number edit, created with the grid as owner and parent.
class TKivInplaceEdit : public QObject
{
    Q_OBJECT
public:
    explicit TKivInplaceEdit(TKivCustomGrid* grila);

    TKivInPlaceNumEdit* Edit() const { return m_edit; }
    QString Text() const { return m_edit->Text(); }
    void SetText(const QString& text) { m_edit->SetText(text); }
    // Over the rectangle (viewport coordinates); an empty rectangle hides it and gives the focus back.
    void Pozitioneaza(const QRect& dreptunghi);
    bool Afisat() const;
    void SelecteazaTot();

private:
    TKivCustomGrid* m_grila;
    TKivInPlaceNumEdit* m_edit;
};

// The program's general grid: cells of individual widths and heights, leading fixed rows and columns, a
// current cell, range or row selection, mouse resizing and moving, keyboard navigation and an in-cell
// editor. A derived class paints the cells. Columns and rows count from 0; sizes are pixels.
class TKivCustomGrid : public QAbstractScrollArea
{
    Q_OBJECT
public:
    static constexpr int MaximDimensiune = 134217725;

    explicit TKivCustomGrid(QWidget* parent = nullptr);
    ~TKivCustomGrid() override;

    int ColCount() const { return int(m_stare.Latimi.size()); }
    void SetColCount(int n);
    int RowCount() const { return int(m_stare.Inaltimi.size()); }
    void SetRowCount(int n);
    int ColWidths(int coloana) const;
    void SetColWidths(int coloana, int latime);
    int RowHeights(int rand) const;
    void SetRowHeights(int rand, int inaltime);
    int DefaultColWidth() const { return m_stare.LatimeImplicita; }
    // Every column takes the new width.
    void SetDefaultColWidth(int latime);
    int DefaultRowHeight() const { return m_stare.InaltimeImplicita; }
    void SetDefaultRowHeight(int inaltime);
    int FixedCols() const { return m_stare.ColoaneFixe; }
    // 0 ... ColCount() - 1; other values throw "Grid index out of range".
    void SetFixedCols(int n);
    int FixedRows() const { return m_stare.RanduriFixe; }
    void SetFixedRows(int n);
    int GridLineWidth() const { return m_stare.LatimeLinie; }
    void SetGridLineWidth(int latime);
    TKivOptiuniGrila Options() const;
    void SetOptions(TKivOptiuniGrila optiuni);
    bool TabStops(int coloana) const;
    void SetTabStops(int coloana, bool oprire);
    // True while a form is being designed (resizing always on, no editor).
    bool InProiectare() const { return m_inProiectare; }
    void SetInProiectare(bool proiectare);

    int Col() const { return m_stare.Curent.x(); }
    int Row() const { return m_stare.Curent.y(); }
    // The current cell by its Romanian names, as the grid's owners read it.
    int Coloana() const { return Col(); }
    int Rand() const { return Row(); }
    void SetCol(int coloana) { MutaCelulaCurenta(coloana, Row(), true, true); }
    void SetRow(int rand) { MutaCelulaCurenta(Col(), rand, true, true); }
    QPoint Ancora() const { return m_stare.Ancora; }
    int LeftCol() const { return m_stare.StangaSus.x(); }
    int TopRow() const { return m_stare.StangaSus.y(); }
    void SetLeftCol(int coloana);
    void SetTopRow(int rand);
    // The selected cells (left, top, right, bottom inclusive).
    QRect Selection() const;
    // Rows of scrolling cells fully in view from TopRow, at least 1.
    int RanduriVizibile() const;
    int ColoaneVizibile() const;

    // Rectangle of a cell in the viewport; empty when the cell is not in view.
    QRect CellRect(int coloana, int rand) const;
    // The cell at a viewport position, (-1, -1) outside the cells.
    QPoint MouseCoord(const QPoint& pozitie) const;
    void InvalidateCell(int coloana, int rand);
    void InvalidateCells(const QRect& celule);
    // Repaints the whole grid.
    void Repaint();

    void DeleteColumn(int coloana);
    void DeleteRow(int rand);
    void MoveColumn(int de, int la);
    void MoveRow(int de, int la);

    // Makes a cell current (see the class comment of the rules): throws "Grid index out of range" outside
    // the grid, stops when SelecteazaCelula refuses.
    virtual void MutaCelulaCurenta(int coloana, int rand, bool mutaAncora, bool arata);

    TKivInplaceEdit* Editor() const { return m_editor; }
    bool EditorAfisat() const { return m_editor && m_editorAfisat; }
    // Shows the editor over the current cell when PoateArataEditor allows; loads the cell's edit text.
    void ArataEditor();
    // Hides the editor, passing its text to SeteazaTextEditare first.
    void AscundeEditor();

    // The grid's keyboard rules; true when the key was handled. The in-cell editor sends keys here too.
    bool TrateazaTasta(QKeyEvent* e);
    // One wheel step: down for a negative delta.
    void TrateazaRotita(int delta);
    void TrateazaDubluClic();
    // Whether the editor's text may change (always, in this grid).
    virtual bool PoateModificaEditor() const { return true; }

    std::function<void()> OnDblClick;

protected:
    virtual void DeseneazaGrila(QPainter& p, const QRect& zona);
    virtual TKivRedimensionare CalculeazaRedimensionare(const QPoint& pozitie) const;
    virtual TKivInplaceEdit* CreeazaEditor();
    virtual bool PoateArataEditor() const;
    virtual void DeseneazaCelula(QPainter& p, int coloana, int rand, const QRect& dreptunghi,
                                 TKivStariCelula stare) = 0;
    virtual bool SelecteazaCelula(int coloana, int rand);
    virtual void ColoanaStearsa(int coloana) { Q_UNUSED(coloana) }
    virtual void RandSters(int rand) { Q_UNUSED(rand) }
    virtual void ColoanaMutata(int de, int la)
    {
        Q_UNUSED(de)
        Q_UNUSED(la)
    }
    virtual void RandMutat(int de, int la)
    {
        Q_UNUSED(de)
        Q_UNUSED(la)
    }
    virtual void StangaSusSchimbat() {}
    virtual QString TextEditare(int coloana, int rand) const;
    virtual void SeteazaTextEditare(int coloana, int rand, const QString& text);
    virtual void LatimeColoanaSchimbata(int coloana) { Q_UNUSED(coloana) }

    // Every width and height at once, then the fixed counts (kept below the totals): one rebuild of the
    // position and scroll bars instead of one per size. Throws "Grid too large for operation" for more than
    // MaximDimensiune columns or rows and "Too many rows or columns deleted" for none.
    void SeteazaDimensiuni(std::vector<int> latimi, std::vector<int> inaltimi, int coloaneFixe, int randuriFixe);

    // Whether the grid or its editor holds the focus of its window.
    bool EsteControlActiv() const;
    // Cells (not selected, selected, focused) filled with the palette's colours before DeseneazaCelula.
    bool m_desenareImplicita = true;

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    enum class TActiune
    {
        Nimic,
        Selectie,
        Redimensionare,
        MutareColoana,
        MutareRand
    };

    // The state's arithmetic (TKivStareGrila) over the viewport's size.
    int MarimeFixa(bool coloane) const;
    int PrimulCare(bool coloane, int ultimul) const;
    int Vizibile(bool coloane) const;
    // Where a cell in view starts in the viewport; -1 past its end. The cell must not be scrolled out.
    int Pozitie(bool coloane, int index) const;
    int LatimeFixa() const;
    int InaltimeFixa() const;
    int UltimaColoanaStanga() const;
    int UltimulRandSus() const;
    void VerificaCelula(int coloana, int rand) const;
    void LimiteazaPozitia();
    void ActualizeazaBare();
    void ArataCelula(int coloana, int rand);
    void SeteazaStangaSus(int coloana, int rand);
    void MutaLa(int coloana, int rand, bool shift);
    void TimerTragere();
    QPoint CelulaLimitata(const QPoint& pozitie) const;

    // Sizes, fixed counts, options, current cell, anchor and top-left cell: what the view's arithmetic needs.
    TKivStareGrila m_stare;
    bool m_inProiectare = false;

    TKivInplaceEdit* m_editor = nullptr;
    QPoint m_celulaEditor{-1, -1};
    bool m_editorAfisat = false;

    TActiune m_actiune = TActiune::Nimic;
    TKivRedimensionare m_redimensionare;
    int m_deMutat = -1;
    QPoint m_ultimMouse;
    QTimer m_timerTragere;
    bool m_actualizezBare = false;
};

// The grid that paints through events and reports moves, top-left changes and edited texts.
class TKivCustomDrawGrid : public TKivCustomGrid
{
    Q_OBJECT
public:
    explicit TKivCustomDrawGrid(QWidget* parent = nullptr);

    // Painting one cell (rectangle already mirrored for a right-to-left layout).
    std::function<void(QPainter& p, int coloana, int rand, const QRect& dreptunghi, TKivStariCelula stare)> OnDrawCell;
    // Whether a cell may become current (default yes); rand 0 is the header.
    std::function<void(int coloana, int rand, bool& poate)> OnSelectCell;
    std::function<void(int de, int la)> OnColumnMoved;
    std::function<void(int de, int la)> OnRowMoved;
    std::function<void()> OnTopLeftChanged;
    std::function<void(int coloana, int rand, const QString& text)> OnSetEditText;
    std::function<void(int coloana, int rand, QString& text)> OnGetEditText;
    std::function<void(int coloana, int rand, QString& masca)> OnGetEditMask;

    // The cell at a viewport position, as column and row (-1 outside).
    void MouseToCell(const QPoint& pozitie, int& coloana, int& rand) const;
    QString EditMask(int coloana, int rand) const;

protected:
    void DeseneazaCelula(QPainter& p, int coloana, int rand, const QRect& dreptunghi, TKivStariCelula stare) override;
    bool SelecteazaCelula(int coloana, int rand) override;
    void ColoanaMutata(int de, int la) override;
    void RandMutat(int de, int la) override;
    void StangaSusSchimbat() override;
    QString TextEditare(int coloana, int rand) const override;
    void SeteazaTextEditare(int coloana, int rand, const QString& text) override;
};
