#include "controls/UKivGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

// ---------------------------------------------------------------- the grid with events

TKivCustomDrawGrid::TKivCustomDrawGrid(QWidget* parent) : TKivCustomGrid(parent) {}

void TKivCustomDrawGrid::MouseToCell(const QPoint& pozitie, int& coloana, int& rand) const
{
    const QPoint celula = MouseCoord(pozitie);
    coloana = celula.x();
    rand = celula.y();
}

QString TKivCustomDrawGrid::EditMask(int coloana, int rand) const
{
    QString masca;
    if (OnGetEditMask)
        OnGetEditMask(coloana, rand, masca);
    return masca;
}

void TKivCustomDrawGrid::DeseneazaCelula(QPainter& p, int coloana, int rand, const QRect& dreptunghi,
                                         TKivStariCelula stare)
{
    if (OnDrawCell)
        OnDrawCell(p, coloana, rand, dreptunghi, stare);
}

bool TKivCustomDrawGrid::SelecteazaCelula(int coloana, int rand)
{
    bool poate = true;
    if (OnSelectCell)
        OnSelectCell(coloana, rand, poate);
    return poate;
}

void TKivCustomDrawGrid::ColoanaMutata(int de, int la)
{
    if (OnColumnMoved)
        OnColumnMoved(de, la);
}

void TKivCustomDrawGrid::RandMutat(int de, int la)
{
    if (OnRowMoved)
        OnRowMoved(de, la);
}

void TKivCustomDrawGrid::StangaSusSchimbat()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged();
}

QString TKivCustomDrawGrid::TextEditare(int coloana, int rand) const
{
    QString text;
    if (OnGetEditText)
        OnGetEditText(coloana, rand, text);
    return text;
}

void TKivCustomDrawGrid::SeteazaTextEditare(int coloana, int rand, const QString& text)
{
    if (OnSetEditText)
        OnSetEditText(coloana, rand, text);
}
