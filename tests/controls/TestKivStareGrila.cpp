#include "controls/UKivStareGrila.h"

#include <QTest>

namespace {
// Ten columns of 50 pixels and ten rows of 20, one fixed of each, lines of 1 pixel everywhere.
TKivStareGrila Grila()
{
    TKivStareGrila g;
    g.Latimi.assign(10, 50);
    g.Inaltimi.assign(10, 20);
    g.Opriri.assign(10, true);
    return g;
}
} // namespace

class TestKivStareGrila : public QObject
{
    Q_OBJECT
private slots:
    void coloaneInVedere();
    void celuleAscunseSiDerulate();
    void celulaLaPozitie();
    void selectia();
};

void TestKivStareGrila::coloaneInVedere()
{
    TKivStareGrila g = Grila();
    const QSize vedere(200, 100);
    QCOMPARE(g.MarimeFixa(true), 51);
    // 149 pixels after the fixed column: two scrolling columns of 51 fit whole, a third does not.
    QCOMPARE(g.Vizibile(true, vedere), 2);
    QCOMPARE(g.PrimulCare(true, 9, vedere), 8);
    QCOMPARE(g.Pozitie(true, 0, vedere), 0);
    QCOMPARE(g.Pozitie(true, 3, vedere), 153);
    QCOMPARE(g.Pozitie(true, 5, vedere), -1);
    // Without the lines of the scrolling cells only the fixed column keeps its line.
    g.Optiuni &= ~TKivOptiuniGrila(ogLiniiVerticale);
    QCOMPARE(g.Extindere(true, 0), 51);
    QCOMPARE(g.Extindere(true, 1), 50);
    QCOMPARE(g.Vizibile(true, vedere), 2);
    QCOMPARE(g.PrimulCare(true, 9, QSize(201, 100)), 7);
    // A view narrower than one cell still counts one in view.
    QCOMPARE(g.Vizibile(true, QSize(60, 100)), 1);
    QCOMPARE(g.Vizibile(false, vedere), 3);
}

void TestKivStareGrila::celuleAscunseSiDerulate()
{
    TKivStareGrila g = Grila();
    const QSize vedere(400, 200);
    g.Latimi[2] = 0;
    QCOMPARE(g.Extindere(true, 2), 0);
    QCOMPARE(g.DreptunghiCelula(3, 1, vedere), QRect(102, 21, 50, 20));
    QVERIFY(g.DreptunghiCelula(2, 1, vedere).isEmpty());
    QVERIFY(g.DreptunghiCelula(10, 1, vedere).isEmpty());
    QVERIFY(g.DreptunghiCelula(-1, 1, vedere).isEmpty());
    // Scrolled to column 4: columns 1 to 3 are out of view, the fixed one stays at the left.
    g.StangaSus = QPoint(4, 1);
    QVERIFY(g.DreptunghiCelula(3, 1, vedere).isEmpty());
    QCOMPARE(g.DreptunghiCelula(0, 1, vedere), QRect(0, 21, 50, 20));
    QCOMPARE(g.DreptunghiCelula(4, 2, vedere), QRect(51, 42, 50, 20));
    // A cell starting past the view's end is not in view.
    QVERIFY(g.DreptunghiCelula(4, 9, QSize(400, 100)).isEmpty());
}

void TestKivStareGrila::celulaLaPozitie()
{
    TKivStareGrila g = Grila();
    // The line after a cell belongs to the cell.
    QCOMPARE(g.CelulaLa(QPoint(50, 20)), QPoint(0, 0));
    QCOMPARE(g.CelulaLa(QPoint(51, 21)), QPoint(1, 1));
    g.StangaSus = QPoint(3, 5);
    QCOMPARE(g.CelulaLa(QPoint(51, 21)), QPoint(3, 5));
    QCOMPARE(g.CelulaLa(QPoint(10, 43)), QPoint(0, 6));
    // Past the last column, and before the view.
    QCOMPARE(g.CelulaLa(QPoint(51 * 8 + 1, 21)), QPoint(-1, -1));
    QCOMPARE(g.CelulaLa(QPoint(-1, 21)), QPoint(-1, -1));
    g.Latimi[3] = 0;
    QCOMPARE(g.CelulaLa(QPoint(51, 21)), QPoint(4, 5));
}

void TestKivStareGrila::selectia()
{
    TKivStareGrila g = Grila();
    g.Ancora = QPoint(5, 6);
    g.Curent = QPoint(2, 3);
    QCOMPARE(g.Selectie(), QRect(QPoint(2, 3), QPoint(5, 6)));
    g.Optiuni |= ogSelectieRand;
    QCOMPARE(g.Selectie(), QRect(QPoint(1, 3), QPoint(9, 6)));
    g.Optiuni &= ~TKivOptiuniGrila(ogSelectieRand | ogSelectieInterval);
    QCOMPARE(g.Selectie(), QRect(QPoint(2, 3), QPoint(2, 3)));
}

QTEST_GUILESS_MAIN(TestKivStareGrila)
#include "TestKivStareGrila.moc"
