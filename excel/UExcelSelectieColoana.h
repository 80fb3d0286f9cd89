#pragma once

#include "controls/UKivVirtualGrid.h"
#include "excel/UImportExcel.h"

#include <QDialog>

class QLabel;

// A line of the picker's grid: the kept row of the sheet it shows.
class TLinieGrid : public TKivVirtualGridLine
{
public:
    explicit TLinieGrid(int rand) : Rand(rand) {}
    int Rand;
};

// The column widths of the picker: each column's widest text in Arial at 15 pixels, at most 300, plus 12.
QList<int> LatimiColoaneSelectie(const TListaColoaneExcel& coloane);

// Shows the rows read from the sheet and lets the user pick a column by clicking it or moving to it.
class TExcelSelectieColoana : public QDialog
{
    Q_OBJECT
public:
    TExcelSelectieColoana(QWidget* parinte, const TListaColoaneExcel& coloane);

    // The picked column's letters; empty until the first pick, kept from one showing to the next.
    QString ColoanaAleasa() const { return m_aleasa; }
    TKivVirtualGrid* Grid;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obiect, QEvent* e) override;

private:
    void Ok();
    void Umple();
    void Alege(int coloana);

    const TListaColoaneExcel& m_coloane;
    QString m_aleasa;
    QLabel* m_banda;
};
