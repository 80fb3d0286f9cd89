// The grid base and the virtual grid driven as a user drives them: keys, mouse, selection, the three index
// errors, rebuilding, cell texts, styles and colours as painted, the pop-up editor and the hover fade with
// its ticker thread.
#include "controls/UKivGrid.h"
#include "controls/UKivVGridEditor.h"
#include "controls/UKivVirtualGrid.h"
#include "platform/UEroare.h"

#include <QApplication>
#include <QCursor>
#include <QDateEdit>
#include <QLineEdit>
#include <QPointer>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

struct TLinie : TKivVirtualGridLine
{
    explicit TLinie(int numar) : n(numar) {}
    int n;
};

int Numar(TKivVirtualGridLine* l)
{
    return static_cast<TLinie*>(l)->n;
}

// A base grid of 6 columns (2 fixed) and 20 rows (1 fixed), shown.
std::unique_ptr<TKivCustomDrawGrid> GrilaBaza(TKivOptiuniGrila optiuni)
{
    auto g = std::make_unique<TKivCustomDrawGrid>();
    g->SetColCount(6);
    g->SetRowCount(20);
    g->SetFixedCols(2);
    g->SetOptions(optiuni);
    g->resize(330, 250);
    g->show();
    return g;
}

// A virtual grid of integer columns 100 pixels wide; cell (c, line n) holds n * 100 + c.
std::unique_ptr<TKivVirtualGrid> GrilaVirtuala(int coloane, int linii)
{
    auto g = std::make_unique<TKivVirtualGrid>();
    g->BeginUpdate();
    for (int c = 0; c < coloane; ++c) {
        TKivVirtualGridColumn* col = g->Coloane().Adauga();
        col->SetNumeColoana(QStringLiteral("C%1").arg(c));
        col->SetWidth(100);
        col->SetTipDeDate(atInteger);
    }
    for (int i = 0; i < linii; ++i)
        g->Linii().Adauga(new TLinie(i));
    g->EndUpdate();
    g->OnGetCellValue = [](TKivVirtualGridLine* l, int c, TKivValoareDate& v) { v.SetAsInteger(Numar(l) * 100 + c); };
    g->resize(520, 300);
    g->show();
    return g;
}

QString Eroare(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EEroare& e) {
        return e.Mesaj();
    }
    return QString();
}

// What the test saw in the pop-up editor.
struct TEditorVazut
{
    bool deschis = false;
    QString vizibil; // objectName of the editor shown
    QString text;
    int inaltime = 0;
    int latime = 0;
    int dreaptaButon2 = 0;
};

// Presses a key on the grid; `actiune` runs on the pop-up editor once it is open, and the editor is
// closed with cancel afterwards if the action left it open, so a failed check never hangs the test.
TEditorVazut ApasaSiEditeaza(TKivVirtualGrid* g, int tasta, Qt::KeyboardModifiers m,
                             const std::function<void(TKivVGridEditorForm*)>& actiune)
{
    TEditorVazut vazut;
    QTimer::singleShot(0, g, [&] {
        TKivVGridEditorForm* f = g->EditorDeschis();
        if (!f)
            return;
        vazut.deschis = true;
        for (QWidget* w :
             {static_cast<QWidget*>(f->Num()), static_cast<QWidget*>(f->Ed()), static_cast<QWidget*>(f->Date())}) {
            if (w->isVisibleTo(f))
                vazut.vizibil = w->objectName();
        }
        vazut.text = f->Num()->isVisibleTo(f) ? f->Num()->Text() : f->Ed()->text();
        vazut.inaltime = f->height();
        vazut.latime = f->width();
        vazut.dreaptaButon2 = f->SpeedButton2()->geometry().right();
        if (actiune)
            actiune(f);
        if (f->isVisible())
            f->reject();
    });
    QTest::keyClick(g, Qt::Key(tasta), m);
    QCoreApplication::processEvents();
    return vazut;
}

QColor Pixel(QWidget* g, const QRect& celula)
{
    const QImage imagine = g->grab().toImage();
    // Away from the text (left) and the borders (top, right, bottom).
    const QPoint p =
        static_cast<QAbstractScrollArea*>(g)->viewport()->mapTo(g, QPoint(celula.right() - 8, celula.top() + 3));
    return imagine.pixelColor(p * imagine.devicePixelRatio());
}

} // namespace

class TestKivGrila : public QObject
{
    Q_OBJECT
private slots:
    void Navigare_data();
    void Navigare();
    void SelectieRandDeruleaza();
    void RefuzSelectCell();
    void EroriLasaGrilaNeschimbata_data();
    void EroriLasaGrilaNeschimbata();
    void Mouse();
    void TragereDeruleaza();
    void MutareColoana();
    void EditorInCelula();
    void Reconstruire();
    void ReconstruireaPostata();
    void TextCelula_data();
    void TextCelula();
    void MesajeColoanaSiLinie();
    void CulorileDesenate();
    void UmbrelaDesenataPesteGrup_data();
    void UmbrelaDesenataPesteGrup();
    void IntreabaDoarCeluleleVizibile();
    void EditorPopup_data();
    void EditorPopup();
    void EditorPopupNuSeDeschide_data();
    void EditorPopupNuSeDeschide();
    void HoverSeStingeInCinciBatai();
    void NiciunFirDupaGrila();
};

void TestKivGrila::Navigare_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<int>("tasta");
    QTest::addColumn<int>("modificatori");
    QTest::addColumn<QPoint>("curent");
    QTest::addColumn<QRect>("selectie");
    const int nimic = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    QTest::newRow("stanga nu intra in coloanele fixe")
        << QPoint(2, 1) << int(Qt::Key_Left) << nimic << QPoint(2, 1) << QRect(QPoint(2, 1), QPoint(2, 1));
    QTest::newRow("sus nu intra in randul fix")
        << QPoint(3, 1) << int(Qt::Key_Up) << nimic << QPoint(3, 1) << QRect(QPoint(3, 1), QPoint(3, 1));
    QTest::newRow("Home la prima coloana mobila")
        << QPoint(5, 4) << int(Qt::Key_Home) << nimic << QPoint(2, 4) << QRect(QPoint(2, 4), QPoint(2, 4));
    QTest::newRow("End la ultima coloana")
        << QPoint(2, 4) << int(Qt::Key_End) << nimic << QPoint(5, 4) << QRect(QPoint(5, 4), QPoint(5, 4));
    QTest::newRow("Ctrl+End la ultima celula")
        << QPoint(2, 4) << int(Qt::Key_End) << ctrl << QPoint(5, 19) << QRect(QPoint(5, 19), QPoint(5, 19));
    QTest::newRow("Ctrl+Home la prima celula mobila")
        << QPoint(4, 9) << int(Qt::Key_Home) << ctrl << QPoint(2, 1) << QRect(QPoint(2, 1), QPoint(2, 1));
    QTest::newRow("Tab trece pe randul urmator")
        << QPoint(5, 3) << int(Qt::Key_Tab) << nimic << QPoint(2, 4) << QRect(QPoint(2, 4), QPoint(2, 4));
    QTest::newRow("Tab de la capat la inceput")
        << QPoint(5, 19) << int(Qt::Key_Tab) << nimic << QPoint(2, 1) << QRect(QPoint(2, 1), QPoint(2, 1));
    QTest::newRow("Shift+Tab de la inceput la capat")
        << QPoint(2, 1) << int(Qt::Key_Backtab) << shift << QPoint(5, 19) << QRect(QPoint(5, 19), QPoint(5, 19));
    QTest::newRow("Tab sare coloana fara oprire")
        << QPoint(2, 3) << int(Qt::Key_Tab) << nimic << QPoint(4, 3) << QRect(QPoint(4, 3), QPoint(4, 3));
    QTest::newRow("Shift+jos extinde selectia")
        << QPoint(3, 2) << int(Qt::Key_Down) << shift << QPoint(3, 3) << QRect(QPoint(3, 2), QPoint(3, 3));
    QTest::newRow("Shift+End extinde pe rand")
        << QPoint(3, 2) << int(Qt::Key_End) << shift << QPoint(5, 2) << QRect(QPoint(3, 2), QPoint(5, 2));
    QTest::newRow("PageDown cu o pagina")
        << QPoint(2, 1) << int(Qt::Key_PageDown) << nimic << QPoint(2, 1 + 8) << QRect(QPoint(2, 9), QPoint(2, 9));
}

void TestKivGrila::Navigare()
{
    QFETCH(QPoint, start);
    QFETCH(int, tasta);
    QFETCH(int, modificatori);
    QFETCH(QPoint, curent);
    QFETCH(QRect, selectie);
    auto g = GrilaBaza(ogLiniiVerticale | ogLiniiOrizontale | ogSelectieInterval | ogTab);
    g->SetTabStops(3, false);
    // 250 - 2 (frame) - the horizontal scroll bar leaves 8 whole rows of 25 pixels below the fixed one.
    QCOMPARE(g->RanduriVizibile(), 8);
    g->MutaCelulaCurenta(start.x(), start.y(), true, true);
    QTest::keyClick(g.get(), Qt::Key(tasta), Qt::KeyboardModifiers(modificatori));
    QCOMPARE(QPoint(g->Col(), g->Row()), curent);
    QCOMPARE(g->Selection(), selectie);
    // The current cell is always in view.
    QVERIFY(!g->CellRect(g->Col(), g->Row()).isEmpty());
}

void TestKivGrila::SelectieRandDeruleaza()
{
    auto g = GrilaBaza(ogSelectieRand);
    g->SetColCount(12);
    QCOMPARE(g->Col(), 2);
    QTest::keyClick(g.get(), Qt::Key_Right);
    QCOMPARE(g->LeftCol(), 3);
    QCOMPARE(g->Col(), 2);
    QTest::keyClick(g.get(), Qt::Key_Left);
    QCOMPARE(g->LeftCol(), 2);
    QTest::keyClick(g.get(), Qt::Key_End);
    QCOMPARE(g->Row(), 19);
    QCOMPARE(g->Selection(), QRect(QPoint(2, 19), QPoint(11, 19)));
}

void TestKivGrila::RefuzSelectCell()
{
    auto g = GrilaBaza(ogLiniiVerticale);
    QList<QPoint> intrebate;
    g->OnSelectCell = [&](int c, int r, bool& poate) {
        intrebate << QPoint(c, r);
        poate = r != 5;
    };
    g->MutaCelulaCurenta(3, 4, true, true);
    QTest::keyClick(g.get(), Qt::Key_Down);
    QCOMPARE(QPoint(g->Col(), g->Row()), QPoint(3, 4));
    QCOMPARE(intrebate, (QList<QPoint>{QPoint(3, 4), QPoint(3, 5)}));
}

void TestKivGrila::EroriLasaGrilaNeschimbata_data()
{
    QTest::addColumn<int>("caz");
    QTest::addColumn<QString>("mesaj");
    QTest::newRow("celula in afara") << 0 << "Grid index out of range";
    QTest::newRow("celula fixa") << 1 << "Grid index out of range";
    QTest::newRow("prea multe coloane") << 2 << "Grid too large for operation";
    QTest::newRow("prea multe randuri") << 3 << "Grid too large for operation";
    QTest::newRow("sterse prea multe") << 4 << "Too many rows or columns deleted";
    QTest::newRow("latime in afara") << 5 << "Grid index out of range";
}

void TestKivGrila::EroriLasaGrilaNeschimbata()
{
    QFETCH(int, caz);
    QFETCH(QString, mesaj);
    auto g = GrilaBaza(ogLiniiVerticale | ogSelectieInterval);
    g->SetColCount(3);
    g->MutaCelulaCurenta(2, 6, true, true);
    QTest::keyClick(g.get(), Qt::Key_Down, Qt::ShiftModifier);
    const auto stare = [&] {
        return QList<int>{g->ColCount(), g->RowCount(),   g->FixedCols(),  g->FixedRows(), g->Col(),
                          g->Row(),      g->Ancora().x(), g->Ancora().y(), g->TopRow(),    g->ColWidths(2)};
    };
    const QList<int> inainte = stare();
    const std::function<void()> operatii[] = {[&] { g->MutaCelulaCurenta(3, 1, true, true); },
                                              [&] { g->MutaCelulaCurenta(1, 3, true, true); },
                                              [&] { g->SetColCount(134217726); },
                                              [&] { g->SetRowCount(134217726); },
                                              [&] { g->DeleteColumn(2); },
                                              [&] { g->SetColWidths(3, 10); }};
    try {
        operatii[caz]();
        QFAIL("operatia a trecut");
    } catch (const KivEInvalidGridOperation& e) {
        QCOMPARE(e.Mesaj(), mesaj);
    }
    QCOMPARE(stare(), inainte);
}

void TestKivGrila::Mouse()
{
    auto g = GrilaBaza(ogLiniiVerticale | ogLiniiOrizontale | ogSelectieInterval);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    QWidget* v = g->viewport();
    QTest::mouseClick(v, Qt::LeftButton, {}, g->CellRect(3, 2).center());
    QCOMPARE(QPoint(g->Col(), g->Row()), QPoint(3, 2));
    QTest::mouseClick(v, Qt::LeftButton, Qt::ShiftModifier, g->CellRect(4, 5).center());
    QCOMPARE(g->Selection(), QRect(QPoint(3, 2), QPoint(4, 5)));
    // A click on a fixed cell does not move the current cell.
    QTest::mouseClick(v, Qt::LeftButton, {}, g->CellRect(0, 3).center());
    QCOMPARE(QPoint(g->Col(), g->Row()), QPoint(4, 5));
    QWheelEvent jos(QPointF(50, 50), v->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, -120), Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(v, &jos);
    QCOMPARE(g->Row(), 6);
    QCOMPARE(g->Selection(), QRect(QPoint(4, 6), QPoint(4, 6)));

    // Dragging the border after the first column in view, in the fixed row, resizes it.
    g->SetOptions(g->Options() | ogRedimColoane);
    const int coloana = g->LeftCol();
    const QRect antet = g->CellRect(coloana, 0);
    const QPoint margine(antet.right() + 1, antet.center().y());
    QTest::mousePress(v, Qt::LeftButton, {}, margine);
    QMouseEvent mutare(QEvent::MouseMove, QPointF(margine + QPoint(30, 0)),
                       v->mapToGlobal(QPointF(margine + QPoint(30, 0))), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(v, &mutare);
    QTest::mouseRelease(v, Qt::LeftButton, {}, margine + QPoint(30, 0));
    QCOMPARE(g->ColWidths(coloana), 64 + 30);
    QCOMPARE(g->Row(), 6);
}

void TestKivGrila::TragereDeruleaza()
{
    auto g = GrilaBaza(ogLiniiVerticale | ogSelectieInterval);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    QWidget* v = g->viewport();
    QTest::mousePress(v, Qt::LeftButton, {}, g->CellRect(3, 2).center());
    // Held below the grid, the selection scrolls on by itself, one row per tick of the timer.
    const QPoint jos(g->CellRect(3, 2).center().x(), v->height() + 20);
    QMouseEvent mutare(QEvent::MouseMove, QPointF(jos), QPointF(v->mapToGlobal(jos)), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(v, &mutare);
    QTRY_VERIFY(g->TopRow() >= 4);
    QTest::mouseRelease(v, Qt::LeftButton, {}, jos);
    const int sus = g->TopRow();
    QCOMPARE(g->Ancora(), QPoint(3, 2));
    QCOMPARE(g->Row(), sus + g->RanduriVizibile() - 1);
}

void TestKivGrila::MutareColoana()
{
    auto g = GrilaBaza(ogLiniiVerticale | ogMutaColoane);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    g->SetColWidths(2, 50);
    QList<QPoint> mutate;
    g->OnColumnMoved = [&](int de, int la) { mutate << QPoint(de, la); };
    QWidget* v = g->viewport();
    QTest::mousePress(v, Qt::LeftButton, {}, g->CellRect(2, 0).center());
    QTest::mouseRelease(v, Qt::LeftButton, {}, g->CellRect(3, 0).center());
    QCOMPARE(mutate, QList<QPoint>{QPoint(2, 3)});
    QCOMPARE(g->ColWidths(3), 50);
    QCOMPARE(g->ColWidths(2), 64);
}

void TestKivGrila::EditorInCelula()
{
    auto g = GrilaBaza(ogLiniiVerticale | ogEditare);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    g->setFocus();
    QList<QPair<QPoint, QString>> scrise;
    g->OnGetEditText = [](int c, int r, QString& text) { text = QString::number(c * 100 + r); };
    g->OnSetEditText = [&](int c, int r, const QString& text) { scrise << qMakePair(QPoint(c, r), text); };
    g->MutaCelulaCurenta(3, 2, true, true);
    QTest::keyClick(g.get(), Qt::Key_F2);
    QVERIFY(g->EditorAfisat());
    TKivInPlaceNumEdit* e = g->Editor()->Edit();
    QCOMPARE(e->Text(), QStringLiteral("302"));
    QCOMPARE(e->geometry(), g->CellRect(3, 2));
    QCOMPARE(e->PozitieCursor(), 4);
    QTest::keyClicks(e, "5");
    // Down goes to the grid: the editor closes passing its text on, and the row moves.
    QTest::keyClick(e, Qt::Key_Down);
    QVERIFY(!g->EditorAfisat());
    QCOMPARE(g->Row(), 3);
    QCOMPARE(scrise, (QList<QPair<QPoint, QString>>{qMakePair(QPoint(3, 2), QStringLiteral("3025"))}));
    // Escape drops what was typed.
    QTest::keyClick(g.get(), Qt::Key_F2);
    QTest::keyClicks(g->Editor()->Edit(), "9");
    QTest::keyClick(g->Editor()->Edit(), Qt::Key_Escape);
    QVERIFY(!g->EditorAfisat());
    QCOMPARE(scrise.size(), 1);

    // Always shown, the editor follows the current cell: the text it was loaded for goes to the owner, and
    // it is loaded again for the new cell with everything selected.
    g->SetOptions(g->Options() | ogEditorMereu);
    QVERIFY(g->EditorAfisat());
    e = g->Editor()->Edit();
    QCOMPARE(e->Text(), QStringLiteral("303"));
    QTest::keyClicks(e, "1");
    QTest::keyClick(e, Qt::Key_Down);
    QVERIFY(g->EditorAfisat());
    QCOMPARE(scrise.last(), qMakePair(QPoint(3, 3), QStringLiteral("1")));
    QCOMPARE(e->Text(), QStringLiteral("304"));
    QCOMPARE(e->LungimeSelectie(), 3);
    QCOMPARE(e->geometry(), g->CellRect(3, 4));
}

void TestKivGrila::Reconstruire()
{
    TKivVirtualGrid g;
    QCOMPARE(g.ColCount(), 1);
    QCOMPARE(g.RowCount(), 1);
    QCOMPARE(g.HeaderHeight(), 48);
    QCOMPARE(g.FixedRows(), 0);
    auto* c0 = g.Coloane().Adauga();
    g.Coloane().Adauga()->SetWidth(212);
    QCOMPARE(g.ColCount(), 2);
    QCOMPARE(g.FixedCols(), 1);
    g.SetNrColoaneFixe(5);
    QCOMPARE(g.FixedCols(), 1);
    g.SetNrColoaneFixe(0);
    QCOMPARE(g.FixedCols(), 0);

    // Nested updates rebuild once, at the last EndUpdate.
    g.BeginUpdate();
    g.BeginUpdate();
    g.Linii().Adauga(new TLinie(0));
    auto* inalta = new TLinie(1);
    inalta->InaltimeLinie = 40;
    g.Linii().Adauga(inalta);
    g.EndUpdate();
    QCOMPARE(g.RowCount(), 1);
    g.EndUpdate();
    QCOMPARE(g.RowCount(), 3);
    QCOMPARE(g.FixedRows(), 1);
    QCOMPARE(inalta->Lista(), &g.Linii());
    QCOMPARE(g.HeaderHeight(), 48);
    QVERIFY(g.RowHeights(2) > g.RowHeights(1));
    QCOMPARE(Eroare([&] { g.EndUpdate(); }), QStringLiteral("EndUpdate fara BeginUpdate"));

    // A width dragged by the user lasts until the next rebuild.
    const int latime = g.ColWidths(1);
    g.SetColWidths(1, 30);
    g.Linii().Adauga(new TLinie(2));
    QCOMPARE(g.ColWidths(1), latime);
    QVERIFY(g.ColWidths(1) > g.ColWidths(0));
    QCOMPARE(c0->Width(), 128);

    g.SetHeaderHeight(30);
    g.Linii().Goleste();
    QCOMPARE(g.RowCount(), 1);
    QCOMPARE(g.HeaderHeight(), 30);
}

void TestKivGrila::ReconstruireaPostata()
{
    auto g = GrilaVirtuala(3, 4);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    g->Coloane().Adauga();
    QCOMPARE(g->ColCount(), 4);
    const int latime = g->ColWidths(3);
    g->SetColWidths(3, 7);
    // The column collection's posted event rebuilds once more when the event loop reaches it.
    QTRY_COMPARE(g->ColWidths(3), latime);
}

void TestKivGrila::TextCelula_data()
{
    QTest::addColumn<int>("tipColoana");
    QTest::addColumn<int>("caz");
    QTest::addColumn<QString>("text");
    QTest::newRow("fara handler") << int(atInteger) << 0 << "!NoData!";
    QTest::newRow("fara date") << int(atInteger) << 1 << "!NoData!";
    QTest::newRow("valoare lasata neatinsa, coloana text")
        << int(atString) << 2 << "Nepotrivire de date cand citesc coloana Nume";
    QTest::newRow("valoare lasata neatinsa, coloana auto") << int(atAuto) << 2 << "Bug! Nu stiu citi tipul de date!";
    QTest::newRow("coloana auto ia tipul valorii") << int(atAuto) << 3 << "1.234.567,89";
    QTest::newRow("nepotrivire de tip") << int(atInteger) << 3 << "Nepotrivire de date cand citesc coloana Nume";
    QTest::newRow("OnGetText da textul") << int(atInteger) << 4 << "direct";
    QTest::newRow("OnCustomText schimba textul") << int(atCurrency) << 5 << "1.234.567,89 lei";
    QTest::newRow("proiectare") << int(atIntegerDouaZecimale) << 6 << "421,89";
}

void TestKivGrila::TextCelula()
{
    QFETCH(int, tipColoana);
    QFETCH(int, caz);
    QFETCH(QString, text);
    TKivVirtualGrid g;
    auto* col = g.Coloane().Adauga();
    col->SetNumeColoana("Nume");
    col->SetTipDeDate(TKivTipDeDateColoana(tipColoana));
    g.Linii().Adauga(new TLinie(0));
    auto bani = [](TKivVirtualGridLine*, int, TKivValoareDate& v) { v.SetAsCurrency(12345678910); };
    switch (caz) {
    case 1:
        g.OnGetCellValue = [](TKivVirtualGridLine*, int, TKivValoareDate& v) { v.Seteaza(QVariant(), atAsk); };
        break;
    case 2:
        g.OnGetCellValue = [](TKivVirtualGridLine*, int, TKivValoareDate&) {};
        break;
    case 3:
        g.OnGetCellValue = bani;
        break;
    case 4:
        g.OnGetCellValue = bani;
        col->OnGetText = [](TKivVirtualGridLine*, QString& t) { t = "direct"; };
        break;
    case 5:
        g.OnGetCellValue = bani;
        g.OnCustomText = [](TKivVirtualGridLine*, const TKivValoareDate& v, int, QString& t) {
            if (v.Tip() == atCurrency)
                t += " lei";
        };
        break;
    case 6:
        g.SetInProiectare(true);
        break;
    default:
        break;
    }
    QString rezultat;
    const QString eroare = Eroare([&] { rezultat = g.TextCelula(0, 0); });
    QCOMPARE(eroare.isEmpty() ? rezultat : eroare, text);
}

void TestKivGrila::MesajeColoanaSiLinie()
{
    TKivVirtualGrid g;
    auto* a = g.Coloane().Adauga();
    auto* b = g.Coloane().Adauga();
    b->SetNumeColoana("Media");
    QCOMPARE(a->DisplayName(), QStringLiteral("[0] <fara nume>"));
    QCOMPARE(b->DisplayName(), QStringLiteral("[1] Media"));
    QVERIFY(a->Stil(1).Activ());
    QVERIFY(!a->Stil(2).Activ());
    QCOMPARE(Eroare([&] { a->Stil(11); }), QStringLiteral("Sunt definite stiluri de la 1 la 10"));
    QCOMPARE(Eroare([&] { a->Stil(0); }), QStringLiteral("Sunt definite stiluri de la 1 la 10"));
    TLinie l(0);
    l.SetStil(10);
    QCOMPARE(Eroare([&] { l.SetStil(11); }), QStringLiteral("Stil trebuie sa fie de la 1 la 10"));
    QCOMPARE(l.Stil(), 10);
    QVERIFY(a->Stil(1).FontNormal().EsteImplicit());
    QFont f = a->Stil(1).FontNormal().Font();
    f.setBold(true);
    a->Stil(1).FontNormal().SetFont(f);
    QVERIFY(!a->Stil(1).FontNormal().EsteImplicit());
    QCOMPARE(g._BuildVersion(), QStringLiteral("#1"));
    QCOMPARE(g.TitluMare(), QStringLiteral("TITLUL MARE"));
    QCOMPARE(g.AntetLinia3(), QStringLiteral("Linia #3 din antet"));
}

void TestKivGrila::CulorileDesenate()
{
    auto g = GrilaVirtuala(4, 6);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    TKivVirtualGridColumn* col = g->Coloane().Item(2);
    col->Stil(1).SetCuloareBackgroundNormal(QColor(255, 255, 255));
    col->Stil(3).SetActiv(true);
    col->Stil(3).SetCuloareBackgroundNormal(QColor(200, 0, 0));
    col->Stil(5).SetCuloareBackgroundNormal(QColor(0, 200, 0)); // inactive: never used
    g->Linii().Item(2)->SetStil(5);
    g->Linii().Item(3)->SetStil(2);
    g->Linii().Item(4)->CuloareFundal = QColor(0, 0, 200);
    g->OnFormatCell = [](TKivVirtualGridLine* l, int c, QColor& fundal, QFont&, QColor&) {
        if (c == 2 && Numar(l) == 5)
            fundal = QColor(10, 20, 30);
    };
    g->Repaint();
    QCOMPARE(Pixel(g.get(), g->CellRect(2, 3)), QColor(200, 0, 0));     // style 5 falls back to 3
    QCOMPARE(Pixel(g.get(), g->CellRect(2, 4)), QColor(255, 255, 255)); // style 2 falls back to 1
    QCOMPARE(Pixel(g.get(), g->CellRect(2, 5)), QColor(0, 0, 200));     // the line's own background
    QCOMPARE(Pixel(g.get(), g->CellRect(2, 6)), QColor(10, 20, 30));    // the format event
    // The current cell paints as selected, overrides and all.
    g->MutaCelulaCurenta(2, 5, true, true);
    QCOMPARE(Pixel(g.get(), g->CellRect(2, 5)), col->Stil(1).CuloareBackgroundSelectat().Rgb());
    // With whole-row selection the current row takes the selection colour in every column.
    g->SetOptiuni(goSelectezLinia);
    QCOMPARE(Pixel(g.get(), g->CellRect(3, 5)), g->Coloane().Item(3)->Stil(1).CuloareBackgroundSelectat().Rgb());
    QCOMPARE(Pixel(g.get(), g->CellRect(3, 4)), g->Coloane().Item(3)->Stil(1).CuloareBackgroundNormal().Rgb());
}

void TestKivGrila::UmbrelaDesenataPesteGrup_data()
{
    QTest::addColumn<QStringList>("umbrele");
    QTest::addColumn<QList<int>>("centre"); // x of the centre of each caption's ink, in columns of 100
    QTest::newRow("un grup peste coloanele 1 si 2") << QStringList{"", "G", "G", ""} << QList<int>{200};
    QTest::newRow("o coloana intre doua egale desparte grupul")
        << QStringList{"", "G", "|G", "G"} << QList<int>{150, 250, 350};
}

void TestKivGrila::UmbrelaDesenataPesteGrup()
{
    QFETCH(QStringList, umbrele);
    QFETCH(QList<int>, centre);
    auto g = GrilaVirtuala(4, 2);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    g->SetNrColoaneFixe(0);
    for (int c = 0; c < 4; ++c) {
        g->Coloane().Item(c)->SetUmbrela1(umbrele[c]);
        g->Coloane().Item(c)->FontUmbrela1().SetCuloare(QColor(255, 0, 0));
    }
    const QImage imagine = g->grab().toImage();
    const QPoint origine = g->viewport()->mapTo(g.get(), QPoint(0, 0));
    const int inaltimeBanda = QFontMetrics(g->Coloane().Item(1)->FontUmbrela1().Font()).height();
    // Runs of red ink along the band, each one caption.
    QList<int> gasite;
    int inceput = -1;
    int capat = -1;
    for (int x = 0; x <= 400; ++x) {
        bool cerneala = false;
        for (int y = 1; y < inaltimeBanda && x < 400; ++y) {
            const QColor c = imagine.pixelColor(origine + QPoint(x, y));
            cerneala = cerneala || (c.red() > 150 && c.green() < 120 && c.blue() < 120);
        }
        if (cerneala) {
            if (inceput < 0)
                inceput = x;
            capat = x;
        } else if (inceput >= 0 && x - capat > 10) {
            gasite << (inceput + capat) / 2;
            inceput = -1;
        }
    }
    QCOMPARE(gasite.size(), centre.size());
    for (int i = 0; i < centre.size(); ++i)
        QVERIFY2(std::abs(gasite[i] - centre[i]) <= 2,
                 qPrintable(QStringLiteral("%1 in loc de %2").arg(gasite[i]).arg(centre[i])));
}

void TestKivGrila::IntreabaDoarCeluleleVizibile()
{
    auto g = GrilaVirtuala(50, 10000);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    g->SetTopRow(5000);
    QSet<QPoint> intrebate;
    int intrebari = 0;
    g->OnGetCellValue = [&](TKivVirtualGridLine* l, int c, TKivValoareDate& v) {
        ++intrebari;
        intrebate.insert(QPoint(c, Numar(l) + 1));
        v.SetAsInteger(c);
    };
    g->grab();
    QVERIFY(intrebari > 0);
    QCOMPARE(intrebari, int(intrebate.size()));
    for (const QPoint& celula : intrebate)
        QVERIFY2(!g->CellRect(celula.x(), celula.y()).isEmpty(), "o celula din afara vederii");
    // A column whose values do not match its type paints its message instead of failing.
    g->Coloane().Item(3)->SetTipDeDate(atString);
    g->grab();
}

void TestKivGrila::EditorPopup_data()
{
    QTest::addColumn<int>("tip");
    QTest::addColumn<int>("tasta");
    QTest::addColumn<int>("modificatori");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("textInitial");
    QTest::addColumn<QString>("tastat");
    QTest::addColumn<int>("inchidere");
    QTest::addColumn<QString>("stocat"); // empty: OnSetCellValue not called
    const int ok = Qt::Key_Return;
    const int renunt = Qt::Key_Escape;
    QTest::newRow("Enter, intreg, Enter") << int(atInteger) << int(Qt::Key_Return) << 0 << "Num"
                                          << "201"
                                          << "" << ok << "1:201";
    QTest::newRow("cifra porneste textul") << int(atInteger) << int(Qt::Key_7) << 0 << "Num"
                                           << "7"
                                           << "5" << ok << "1:75";
    QTest::newRow("tastatura numerica 0") << int(atInteger) << int(Qt::Key_0) << int(Qt::KeypadModifier) << "Num"
                                          << "0"
                                          << "" << ok << "1:0";
    QTest::newRow("Escape nu schimba nimic") << int(atInteger) << int(Qt::Key_Return) << 0 << "Num"
                                             << "201"
                                             << "9" << renunt << "";
    QTest::newRow("F5 cu valoarea incarcata") << int(atInteger) << int(Qt::Key_F5) << 0 << "Num"
                                              << "201"
                                              << "" << ok << "1:201";
    QTest::newRow("sutimi") << int(atIntegerDouaZecimale) << int(Qt::Key_3) << 0 << "Num"
                            << "3"
                            << "" << ok << "2:300";
    QTest::newRow("litera in text") << int(atString) << int(Qt::Key_X) << 0 << "Ed"
                                    << "x"
                                    << "yz" << ok << "3:xyz";
    QTest::newRow("data") << int(atDataLung) << int(Qt::Key_Return) << 0 << "Date"
                          << ""
                          << "" << ok << "6:2006-03-05";
}

void TestKivGrila::EditorPopup()
{
    QFETCH(int, tip);
    QFETCH(int, tasta);
    QFETCH(int, modificatori);
    QFETCH(QString, editor);
    QFETCH(QString, textInitial);
    QFETCH(QString, tastat);
    QFETCH(int, inchidere);
    QFETCH(QString, stocat);
    auto g = GrilaVirtuala(3, 5);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    g->Coloane().Item(1)->SetWidth(212);
    g->OnGetCellValue = [tip](TKivVirtualGridLine* l, int c, TKivValoareDate& v) {
        const int n = Numar(l) * 100 + c;
        if (tip == atString)
            v.SetAsString(QString::number(n));
        else if (tip == atDataLung)
            v.SetAsDataLung(QDate(2006, 3, 5));
        else
            v.Seteaza(n, TKivTipDeDateColoana(tip));
    };
    QString primit;
    g->OnSetCellValue = [&](TKivVirtualGridLine* l, int c, TKivValoareDate& v) {
        QCOMPARE(Numar(l), 2);
        QCOMPARE(c, 1);
        primit = QStringLiteral("%1:%2").arg(int(v.Tip())).arg(v.Valoare().toString());
    };
    g->MutaCelulaCurenta(1, 3, true, true);
    const TEditorVazut vazut =
        ApasaSiEditeaza(g.get(), tasta, Qt::KeyboardModifiers(modificatori), [&](TKivVGridEditorForm* f) {
            QWidget* tinta = f->Num()->isVisibleTo(f) ? static_cast<QWidget*>(f->Num()) : f->Ed();
            if (f->Date()->isVisibleTo(f))
                tinta = f->Date();
            QTest::keyClicks(tinta, tastat);
            QTest::keyClick(tinta, Qt::Key(inchidere));
        });
    QVERIFY(vazut.deschis);
    QCOMPARE(vazut.vizibil, editor);
    if (editor != "Date")
        QCOMPARE(vazut.text, textInitial);
    QCOMPARE(vazut.inaltime, g->RowHeights(3) + 1);
    // Wider column than the window: the window takes its width, the buttons stand at its right end.
    QCOMPARE(vazut.latime, g->ColWidths(1));
    QCOMPARE(vazut.dreaptaButon2, vazut.latime - 1);
    QCOMPARE(primit, stocat);
    QVERIFY(!g->EditorDeschis());
}

void TestKivGrila::EditorPopupNuSeDeschide_data()
{
    QTest::addColumn<int>("caz");
    QTest::newRow("valoare fara date") << 0;
    QTest::newRow("valoare fara tip") << 1;
    QTest::newRow("OnPotEdita refuza") << 2;
    QTest::newRow("OnApeleazaEditor nu cere editorul") << 3;
    QTest::newRow("tasta F12") << 4;
}

void TestKivGrila::EditorPopupNuSeDeschide()
{
    QFETCH(int, caz);
    auto g = GrilaVirtuala(3, 5);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    if (caz == 0)
        g->OnGetCellValue = [](TKivVirtualGridLine*, int, TKivValoareDate& v) { v.Seteaza(QVariant(), atAsk); };
    if (caz == 1)
        g->OnGetCellValue = [](TKivVirtualGridLine*, int, TKivValoareDate&) {};
    if (caz == 2)
        g->OnPotEdita = [](TKivVirtualGridLine*, int, bool& poate) { poate = false; };
    bool intrebat = false;
    if (caz == 3)
        g->Coloane().Item(1)->OnApeleazaEditor = [&](TKivVirtualGridLine*, bool& standard) {
            intrebat = true;
            QVERIFY(!standard);
        };
    g->MutaCelulaCurenta(1, 2, true, true);
    const TEditorVazut vazut = ApasaSiEditeaza(g.get(), caz == 4 ? Qt::Key_F12 : Qt::Key_Return, {}, nullptr);
    QVERIFY(!vazut.deschis);
    QCOMPARE(intrebat, caz == 3);
}

void TestKivGrila::HoverSeStingeInCinciBatai()
{
    auto g = GrilaVirtuala(4, 6);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    QVERIFY(g->Ticker() && g->Ticker()->isRunning());
    QWidget* v = g->viewport();
    const QPoint celula = g->CellRect(2, 3).center();
    QCursor::setPos(v->mapToGlobal(celula));
    QMouseEvent mutare(QEvent::MouseMove, QPointF(celula), QPointF(v->mapToGlobal(celula)), Qt::NoButton, Qt::NoButton,
                       {});
    QCoreApplication::sendEvent(v, &mutare);
    QCOMPARE(g->ListaHover().Count(), 1);
    QCOMPARE(g->ListaHover().Item(0)->Coloana, 2);
    QCOMPARE(g->ListaHover().Item(0)->Linie, 3);
    QCOMPARE(g->ListaHover().Item(0)->Intensitate, 10);
    QVERIFY(g->Ticker()->Pornit());

    // The intensity each tick finds, seen just before the grid handles it.
    QList<int> intensitati;
    struct TFiltru : QObject
    {
        std::function<void()> laBataie;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Type(KivMesajTickTack))
                laBataie();
            return false;
        }
    } filtru;
    int batai = 0;
    filtru.laBataie = [&] {
        ++batai;
        if (g->ListaHover().Count())
            intensitati << g->ListaHover().Item(0)->Intensitate;
    };
    g->installEventFilter(&filtru);
    // While the pointer stays on it, the cell keeps its full intensity.
    QTRY_VERIFY(batai >= 3);
    QCOMPARE(g->ListaHover().Item(0)->Intensitate, 10);
    intensitati.clear();
    QCursor::setPos(v->mapToGlobal(QPoint(-50, -50)));
    QTRY_COMPARE(g->ListaHover().Count(), 0);
    // Five ticks after the pointer left: 10, 8, 6, 4 and 2 found, the fifth removes the cell.
    QCOMPARE(intensitati, (QList<int>{10, 8, 6, 4, 2}));
    g->removeEventFilter(&filtru);
}

void TestKivGrila::NiciunFirDupaGrila()
{
    auto g = GrilaVirtuala(2, 3);
    QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    QPointer<TKivTickTackThread> fir = g->Ticker();
    QVERIFY(fir && fir->isRunning());
    fir->SetPornit(true);
    QSignalSpy terminat(fir.data(), &QThread::finished);
    g.reset();
    QCOMPARE(terminat.count(), 1);
    QVERIFY(fir.isNull());
    // Events the ticker posted before the grid went are gone with it.
    QCoreApplication::processEvents();
}

QTEST_MAIN(TestKivGrila)
#include "TestKivGrila.moc"
