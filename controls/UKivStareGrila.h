#pragma once

#include <QFlags>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

// Options of the grid, in their stored order.
enum TKivOptiuneGrila
{
    ogLiniiFixeVerticale = 0x0001,
    ogLiniiFixeOrizontale = 0x0002,
    ogLiniiVerticale = 0x0004,
    ogLiniiOrizontale = 0x0008,
    ogSelectieInterval = 0x0010,
    ogSelectatSiCuFocus = 0x0020,
    ogRedimRanduri = 0x0040,
    ogRedimColoane = 0x0080,
    ogMutaRanduri = 0x0100,
    ogMutaColoane = 0x0200,
    ogEditare = 0x0400,
    ogTab = 0x0800,
    ogSelectieRand = 0x1000,
    ogEditorMereu = 0x2000,
    ogUrmaresteBara = 0x4000
};
Q_DECLARE_FLAGS(TKivOptiuniGrila, TKivOptiuneGrila)
Q_DECLARE_OPERATORS_FOR_FLAGS(TKivOptiuniGrila)

// What a grid knows without its window: the sizes of its cells, its fixed rows and columns, the current cell, the
// anchor of the selection and the top-left scrolling cell, and the arithmetic that places cells in a view of a
// given size (pixels, the view's own coordinates). The grid widget keeps one and asks it.
struct TKivStareGrila
{
    std::vector<int> Latimi = std::vector<int>(5, 64);
    std::vector<int> Inaltimi = std::vector<int>(5, 24);
    std::vector<bool> Opriri = std::vector<bool>(5, true);
    int LatimeImplicita = 64;
    int InaltimeImplicita = 24;
    int ColoaneFixe = 1;
    int RanduriFixe = 1;
    int LatimeLinie = 1;
    TKivOptiuniGrila Optiuni =
        ogLiniiFixeVerticale | ogLiniiFixeOrizontale | ogLiniiVerticale | ogLiniiOrizontale | ogSelectieInterval;
    QPoint Curent{1, 1};
    QPoint Ancora{1, 1};
    QPoint StangaSus{1, 1};

    int Coloane() const { return int(Latimi.size()); }
    int Randuri() const { return int(Inaltimi.size()); }
    // The selected cells (left, top, right, bottom inclusive); whole rows span the scrolling columns.
    QRect Selectie() const;
    // The line after a cell takes space only when the option for its region (fixed or scrolling) is on.
    int LatimeLinieVerticala(int coloana) const;
    int LatimeLinieOrizontala(int rand) const;
    // Along one axis, columns (true) or rows (false): a cell's size with its line (0 when hidden), the size of
    // the fixed cells, the first scrolling cell from which `ultimul` still fits whole in `vedere`, and how many
    // scrolling cells fit whole from the first one in view (at least 1).
    int Extindere(bool coloane, int i) const;
    int MarimeFixa(bool coloane) const;
    int PrimulCare(bool coloane, int ultimul, QSize vedere) const;
    int Vizibile(bool coloane, QSize vedere) const;
    // Where a cell in view starts; -1 past the view's end. The cell must not be scrolled out.
    int Pozitie(bool coloane, int index, QSize vedere) const;
    // Rectangle of a cell in the view; empty when the cell is not in view or hidden.
    QRect DreptunghiCelula(int coloana, int rand, QSize vedere) const;
    // The cell at a position of the view, (-1, -1) outside the cells.
    QPoint CelulaLa(const QPoint& pozitie) const;
};
