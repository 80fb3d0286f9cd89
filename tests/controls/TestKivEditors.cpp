// The edit controls driven as a user drives them: keys, characters, clipboard, mouse, focus and hover,
// with their display states and styles.
#include "controls/UKivEditors.h"
#include "controls/UKivWinWatchThread.h"
#include "platform/UEroare.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QTestEventList>

#include <memory>

namespace {
// A window that records the keys its children pass on.
class TFereastraTest : public QWidget
{
public:
    QList<int> tastePrimite;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        // The test library presses the modifier keys too; only the keys proper count here.
        if (e->key() != Qt::Key_Shift && e->key() != Qt::Key_Control && e->key() != Qt::Key_Alt)
            tastePrimite.append(e->key());
    }
};

// Records the notifications of an edit in order.
struct TJurnal
{
    QStringList evenimente;
    void Conecteaza(TKivCustomTextEdit* e)
    {
        QObject::connect(e, &TKivCustomTextEdit::OnChange, e, [this] { evenimente << "change"; });
        QObject::connect(e, &TKivCustomTextEdit::OnLeft, e, [this] { evenimente << "left"; });
        QObject::connect(e, &TKivCustomTextEdit::OnRight, e, [this] { evenimente << "right"; });
        QObject::connect(e, &TKivCustomTextEdit::OnUp, e, [this] { evenimente << "up"; });
        QObject::connect(e, &TKivCustomTextEdit::OnDown, e, [this] { evenimente << "down"; });
    }
};

int LatimeText(const TKivCustomTextEdit& e, const QString& text)
{
    return QFontMetrics(e.StilPentruStare(e.Stare()).Font(), &e).horizontalAdvance(text);
}

// Caret at p with the given selection, whatever the control held before.
void Pozitioneaza(TKivCustomTextEdit& e, int p, int selectie)
{
    e.SetPozitieCursor(p);
    e.SetLungimeSelectie(0);
    e.SetLungimeSelectie(selectie);
}

int PixeliRosii(const QImage& imagine)
{
    int numar = 0;
    for (int y = 0; y < imagine.height(); ++y)
        for (int x = 0; x < imagine.width(); ++x) {
            const QColor c = imagine.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 80 && c.blue() < 80)
                ++numar;
        }
    return numar;
}
} // namespace

class TestKivEditors : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void Creare();
    void Taste_data();
    void Taste();
    void TasteNelistate();
    void EnterTreceLaUrmatorul();
    void NumarTastat_data();
    void NumarTastat();
    void TextPreaLat();
    void ScriereValori_data();
    void ScriereValori();
    void CitireValori();
    void Clipboard();
    void Mouse();
    void Focus_data();
    void Focus();
    void Hover_data();
    void Hover();
    void FocusRamaneLaPlecareaMouseului();
    void MutareRaportataInAfara();
    void ControlDistrusInTimpCeEsteUrmarit();
    void Pozitionare_data();
    void Pozitionare();
    void StiluriImplicite();
    void StareNecunoscuta();
    void DesenStari_data();
    void DesenStari();
    void SelectiePastrata_data();
    void SelectiePastrata();
    void MinusRosuSiSemne();

private:
    std::unique_ptr<TFereastraTest> m_fereastra;
    TKivTextEdit* m_text = nullptr;
    TKivNumEdit* m_numar = nullptr;
    QWidget* m_alt = nullptr;
};

void TestKivEditors::init()
{
    QGuiApplication::clipboard()->clear();
    m_fereastra = std::make_unique<TFereastraTest>();
    m_fereastra->setGeometry(100, 100, 400, 200);
    m_text = new TKivTextEdit(m_fereastra.get());
    m_text->setObjectName("text");
    m_text->setGeometry(10, 10, 200, 24);
    m_numar = new TKivNumEdit(m_fereastra.get());
    m_numar->setObjectName("numar");
    m_numar->move(10, 50);
    m_alt = new QLabel("alt", m_fereastra.get());
    m_alt->setObjectName("alt");
    m_alt->setFocusPolicy(Qt::StrongFocus);
    m_alt->setGeometry(10, 120, 300, 60);
    m_fereastra->show();
    QApplication::setActiveWindow(m_fereastra.get());
    QVERIFY(QTest::qWaitForWindowActive(m_fereastra.get()));
    m_alt->setFocus();
    QVERIFY(m_alt->hasFocus());
    QCOMPARE(m_text->Stare(), KivStare::Normal);
    QCursor::setPos(m_alt->mapToGlobal(QPoint(150, 30)));
}

void TestKivEditors::cleanup()
{
    m_fereastra.reset();
    QTRY_COMPARE(TKivMouseInWindowThread::NumarActive(), 0);
}

void TestKivEditors::Creare()
{
    TKivNumEdit numar;
    TKivTextEdit text;
    for (TKivCustomTextEdit* e : {static_cast<TKivCustomTextEdit*>(&numar), static_cast<TKivCustomTextEdit*>(&text)}) {
        QCOMPARE(e->Stare(), KivStare::Normal);
        QCOMPARE(e->Text(), QString());
        QCOMPARE(e->PozitieCursor(), 1);
        QCOMPARE(e->LungimeSelectie(), 0);
        QCOMPARE(e->size(), QSize(100, 24));
        QCOMPARE(e->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
        QCOMPARE(e->cursor().shape(), Qt::IBeamCursor);
        QVERIFY(e->AutoSelectOnEnter());
        QVERIFY(!e->KeepSelection());
    }
    QVERIFY(numar.RightAlignNonEdit());
    QVERIFY(!text.RightAlignNonEdit());
    QVERIFY(!numar.NoDots());
    QCOMPARE(numar.NrCifreDupaVirgula(), 2);
}

void TestKivEditors::Taste_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("selectie");
    QTest::addColumn<QTestEventList>("taste");
    QTest::addColumn<QString>("textFinal");
    QTest::addColumn<int>("pFinal");
    QTest::addColumn<int>("selectieFinala");
    QTest::addColumn<QStringList>("evenimente");

    auto taste = [](std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> lista) {
        QTestEventList l;
        for (const auto& [tasta, modificatori] : lista)
            l.addKeyClick(tasta, modificatori);
        return l;
    };
    const Qt::KeyboardModifiers nimic = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const QStringList niciunul;

    QTest::newRow("shift left grows the selection leftwards")
        << "abcd" << 3 << 0 << taste({{Qt::Key_Left, shift}, {Qt::Key_Left, shift}}) << "abcd" << 3 << -2 << niciunul;
    QTest::newRow("shift left stops at the start")
        << "abcd" << 2 << 0 << taste({{Qt::Key_Left, shift}, {Qt::Key_Left, shift}}) << "abcd" << 2 << -1 << niciunul;
    QTest::newRow("shift right stops at the end")
        << "abcd" << 4 << 0 << taste({{Qt::Key_Right, shift}, {Qt::Key_Right, shift}}) << "abcd" << 4 << 1 << niciunul;
    QTest::newRow("shift right shrinks a left selection")
        << "abcd" << 4 << -2 << taste({{Qt::Key_Right, shift}}) << "abcd" << 4 << -1 << niciunul;
    QTest::newRow("shift home selects to the start")
        << "abcd" << 3 << 1 << taste({{Qt::Key_Home, shift}}) << "abcd" << 3 << -2 << niciunul;
    QTest::newRow("shift end selects to the end")
        << "abcd" << 2 << -1 << taste({{Qt::Key_End, shift}}) << "abcd" << 2 << 3 << niciunul;
    QTest::newRow("ctrl left to the word start")
        << "abc  def" << 9 << 0 << taste({{Qt::Key_Left, ctrl}}) << "abc  def" << 6 << 0 << niciunul;
    QTest::newRow("ctrl left twice passes the blanks")
        << "abc  def" << 9 << -2 << taste({{Qt::Key_Left, ctrl}, {Qt::Key_Left, ctrl}}) << "abc  def" << 1 << 0
        << niciunul;
    QTest::newRow("ctrl right to the word end, selection cleared")
        << "abc def" << 1 << 2 << taste({{Qt::Key_Right, ctrl}}) << "abc def" << 4 << 0 << niciunul;
    QTest::newRow("ctrl right to the text end")
        << "abc def" << 4 << 0 << taste({{Qt::Key_Right, ctrl}}) << "abc def" << 8 << 0 << niciunul;
    QTest::newRow("ctrl shift left moves the far end by a word")
        << "abc def" << 8 << 0 << taste({{Qt::Key_Left, ctrlShift}}) << "abc def" << 8 << -3 << niciunul;
    QTest::newRow("ctrl shift right moves the far end by a word")
        << "abc def" << 1 << 0 << taste({{Qt::Key_Right, ctrlShift}, {Qt::Key_Right, ctrlShift}}) << "abc def" << 1 << 7
        << niciunul;
    QTest::newRow("backspace in the middle")
        << "abcd" << 3 << 0 << taste({{Qt::Key_Backspace, nimic}}) << "acd" << 2 << 0 << QStringList{"change"};
    QTest::newRow("backspace at the start changes nothing")
        << "abcd" << 1 << 0 << taste({{Qt::Key_Backspace, nimic}}) << "abcd" << 1 << 0 << niciunul;
    QTest::newRow("backspace deletes the selection")
        << "abcd" << 2 << 2 << taste({{Qt::Key_Backspace, nimic}}) << "ad" << 2 << 0 << QStringList{"change"};
    QTest::newRow("delete in the middle keeps the caret")
        << "abcd" << 2 << 0 << taste({{Qt::Key_Delete, nimic}}) << "acd" << 2 << 0 << QStringList{"change"};
    QTest::newRow("delete at the end changes nothing")
        << "abcd" << 5 << 0 << taste({{Qt::Key_Delete, nimic}}) << "abcd" << 5 << 0 << niciunul;
    QTest::newRow("delete removes a leftward selection")
        << "abcd" << 4 << -2 << taste({{Qt::Key_Delete, nimic}}) << "ad" << 2 << 0 << QStringList{"change"};
    QTest::newRow("home and end clear the selection")
        << "abcd" << 2 << 2 << taste({{Qt::Key_End, nimic}}) << "abcd" << 5 << 0 << niciunul;
    QTest::newRow("home") << "abcd" << 3 << -1 << taste({{Qt::Key_Home, nimic}}) << "abcd" << 1 << 0 << niciunul;
    QTest::newRow("left with a selection only clears it")
        << "abcd" << 2 << 2 << taste({{Qt::Key_Left, nimic}}) << "abcd" << 2 << 0 << niciunul;
    QTest::newRow("right with a selection only clears it")
        << "abcd" << 4 << -2 << taste({{Qt::Key_Right, nimic}}) << "abcd" << 4 << 0 << niciunul;
    QTest::newRow("left moves one character")
        << "abcd" << 3 << 0 << taste({{Qt::Key_Left, nimic}}) << "abcd" << 2 << 0 << niciunul;
    QTest::newRow("left at the start raises OnLeft and stays")
        << "abcd" << 1 << 0 << taste({{Qt::Key_Left, nimic}}) << "abcd" << 1 << 0 << QStringList{"left"};
    QTest::newRow("right at the end raises OnRight and stays")
        << "abcd" << 5 << 0 << taste({{Qt::Key_Right, nimic}}) << "abcd" << 5 << 0 << QStringList{"right"};
    QTest::newRow("up raises OnUp and moves left")
        << "abcd" << 3 << 0 << taste({{Qt::Key_Up, nimic}}) << "abcd" << 2 << 0 << QStringList{"up"};
    QTest::newRow("up at the start raises only OnUp")
        << "abcd" << 1 << 0 << taste({{Qt::Key_Up, nimic}}) << "abcd" << 1 << 0 << QStringList{"up"};
    QTest::newRow("down with a selection raises OnDown and clears it")
        << "abcd" << 2 << 1 << taste({{Qt::Key_Down, nimic}}) << "abcd" << 2 << 0 << QStringList{"down"};
    QTest::newRow("down at the end raises only OnDown")
        << "abcd" << 5 << 0 << taste({{Qt::Key_Down, nimic}}) << "abcd" << 5 << 0 << QStringList{"down"};
    QTest::newRow("shift up does nothing")
        << "abcd" << 3 << 0 << taste({{Qt::Key_Up, shift}}) << "abcd" << 3 << 0 << niciunul;
    QTest::newRow("ctrl backspace does nothing")
        << "abcd" << 3 << 0 << taste({{Qt::Key_Backspace, ctrl}}) << "abcd" << 3 << 0 << niciunul;
    QTest::newRow("ctrl A types nothing")
        << "abcd" << 3 << 0 << taste({{Qt::Key_A, ctrl}}) << "abcd" << 3 << 0 << niciunul;

    QTestEventList tastat;
    tastat.addKeyClicks("XY");
    QTest::newRow("typing replaces the selection")
        << "abcd" << 2 << 2 << tastat << "aXYd" << 4 << 0 << QStringList{"change", "change"};
    QTestEventList tastatStanga;
    tastatStanga.addKeyClicks("Z");
    QTest::newRow("typing replaces a leftward selection")
        << "abcd" << 4 << -2 << tastatStanga << "aZd" << 3 << 0 << QStringList{"change"};
    QTestEventList acelasi;
    acelasi.addKeyClicks("b");
    QTest::newRow("typing the selected text again changes nothing")
        << "abcd" << 2 << 1 << acelasi << "abcd" << 2 << 1 << niciunul;
}

void TestKivEditors::Taste()
{
    QFETCH(QString, text);
    QFETCH(int, p);
    QFETCH(int, selectie);
    QFETCH(QTestEventList, taste);
    QFETCH(QString, textFinal);
    QFETCH(int, pFinal);
    QFETCH(int, selectieFinala);
    QFETCH(QStringList, evenimente);

    m_text->setFocus();
    m_text->SetText(text);
    Pozitioneaza(*m_text, p, selectie);
    QCOMPARE(m_text->PozitieCursor(), p);
    QCOMPARE(m_text->LungimeSelectie(), selectie);
    TJurnal jurnal;
    jurnal.Conecteaza(m_text);
    taste.simulate(m_text);
    QCOMPARE(m_text->Text(), textFinal);
    QCOMPARE(m_text->PozitieCursor(), pFinal);
    QCOMPARE(m_text->LungimeSelectie(), selectieFinala);
    QCOMPARE(jurnal.evenimente, evenimente);
    // The caret stands at the selection's far end.
    QCOMPARE(m_text->DreptunghiCaret().x(), 4 + LatimeText(*m_text, textFinal.left(pFinal + selectieFinala - 1)));
}

void TestKivEditors::TasteNelistate()
{
    m_text->setFocus();
    m_text->SetText("ab");
    QList<int> tasteRaportate;
    connect(m_text, &TKivCustomTextEdit::OnKeyDown, this, [&](TKivCustomTextEdit*, QKeyEvent* e) {
        if (e->key() != Qt::Key_Alt)
            tasteRaportate.append(e->key());
    });
    QTest::keyClick(m_text, Qt::Key_Escape);
    QTest::keyClick(m_text, Qt::Key_F5);
    QTest::keyClick(m_text, Qt::Key_F5, Qt::ShiftModifier);
    QTest::keyClick(m_text, Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(m_text, Qt::Key_Left);
    QTest::keyClick(m_text, 'A', Qt::ShiftModifier);
    QTest::keyClick(m_text, 'x', Qt::AltModifier);
    QTest::keyClick(m_text, 'y', Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(m_text, 'c');
    // Keys the control does not handle go on to the window only without Shift and Ctrl.
    QCOMPARE(m_fereastra->tastePrimite, (QList<int>{Qt::Key_Escape, Qt::Key_F5, Qt::Key_X}));
    QCOMPARE(tasteRaportate, (QList<int>{Qt::Key_Escape, Qt::Key_F5, Qt::Key_X, Qt::Key_C}));
    // Alt alone types nothing; Ctrl with Alt does.
    QCOMPARE(m_text->Text(), QStringLiteral("aAycb"));
}

void TestKivEditors::EnterTreceLaUrmatorul()
{
    QWidget parinte(m_fereastra.get());
    parinte.setGeometry(0, 0, 400, 200);
    auto* primul = new TKivTextEdit(&parinte);
    auto* dezactivat = new TKivTextEdit(&parinte);
    dezactivat->setEnabled(false);
    auto* faraTab = new TKivTextEdit(&parinte);
    faraTab->setFocusPolicy(Qt::ClickFocus);
    auto* alDoilea = new TKivNumEdit(&parinte);
    parinte.show();
    primul->setFocus();
    QVERIFY(primul->hasFocus());

    QTest::keyClick(primul, Qt::Key_Return);
    QVERIFY(alDoilea->hasFocus());
    QCOMPARE(alDoilea->Stare(), KivStare::Focus);
    QCOMPARE(primul->Stare(), KivStare::Normal);
    // The last control keeps the focus: Enter never wraps around to an earlier one.
    QTest::keyClick(alDoilea, Qt::Key_Enter);
    QVERIFY(alDoilea->hasFocus());
    // Enter is not passed on to the window (its default button would fire).
    QVERIFY(m_fereastra->tastePrimite.isEmpty());
}

void TestKivEditors::NumarTastat_data()
{
    QTest::addColumn<QString>("tastat");
    QTest::addColumn<int>("cifre");
    QTest::addColumn<QString>("text");
    QTest::newRow("point becomes comma") << "1.5" << 2 << "1,5";
    QTest::newRow("third decimal refused") << "1,555" << 2 << "1,55";
    QTest::newRow("four decimals allowed") << "1,5555" << 4 << "1,5555";
    QTest::newRow("minus after a digit refused") << "5-" << 2 << "5";
    QTest::newRow("leading minus") << "-5" << 2 << "-5";
    QTest::newRow("second separator refused") << "1,2.3" << 2 << "1,23";
    QTest::newRow("letters refused") << "1a2b" << 2 << "12";
}

void TestKivEditors::NumarTastat()
{
    QFETCH(QString, tastat);
    QFETCH(int, cifre);
    QFETCH(QString, text);
    m_numar->SetNrCifreDupaVirgula(cifre);
    m_numar->setFocus();
    QTest::keyClicks(m_numar, tastat);
    QCOMPARE(m_numar->Text(), text);
    QCOMPARE(m_numar->PozitieCursor(), text.length() + 1);
}

void TestKivEditors::TextPreaLat()
{
    m_text->resize(60, 24);
    m_text->setFocus();
    m_text->SetText("ab");
    TJurnal jurnal;
    jurnal.Conecteaza(m_text);
    m_text->SetText(QString(40, u'W'));
    QCOMPARE(m_text->Text(), QStringLiteral("ab"));
    QVERIFY(jurnal.evenimente.isEmpty());

    // Typing stops once the next character would no longer fit with 8 pixels to spare.
    QTest::keyClicks(m_text, QString(40, u'm'));
    const QString tinut = m_text->Text();
    QVERIFY(tinut.length() < 40);
    QVERIFY(LatimeText(*m_text, tinut) + 8 < m_text->width());
    QVERIFY(LatimeText(*m_text, tinut + u'm') + 8 >= m_text->width());

    // In a wide number edit the length rule refuses the 18th character.
    m_numar->resize(400, 24);
    m_numar->setFocus();
    QTest::keyClicks(m_numar, "123456789012345678");
    QCOMPARE(m_numar->Text(), QStringLiteral("12345678901234567"));
    m_numar->resize(100, 24);
    m_numar->SetText("1");
    m_numar->SetText("12345678901234567");
    QCOMPARE(m_numar->Text(), QStringLiteral("1"));
}

void TestKivEditors::ScriereValori_data()
{
    QTest::addColumn<QString>("proprietate");
    QTest::addColumn<qint64>("valoare");
    QTest::addColumn<int>("cifre");
    QTest::addColumn<QString>("text");
    QTest::newRow("currency -0.5") << "AsCurrency" << qint64(-5000) << 2 << "-0,50";
    QTest::newRow("currency 9.5") << "AsCurrency" << qint64(95000) << 2 << "9,50";
    QTest::newRow("currency 10") << "AsCurrency" << qint64(100000) << 2 << "10,00";
    QTest::newRow("hundredths -950") << "CuDouaZecimale" << qint64(-950) << 2 << "-9,50";
    QTest::newRow("hundredths 900") << "CuDouaZecimale" << qint64(900) << 2 << "9";
    QTest::newRow("ten-thousandths refused with two decimals") << "CuPatruZecimale" << qint64(12345) << 2 << "7";
    QTest::newRow("ten-thousandths whole with two decimals") << "CuPatruZecimale" << qint64(30000) << 2 << "3";
    QTest::newRow("ten-thousandths with four decimals") << "CuPatruZecimale" << qint64(12345) << 4 << "1,2345";
    QTest::newRow("two of four decimals truncated") << "CuDoiPatruZecimale" << qint64(95099) << 2 << "9,50";
    QTest::newRow("integer") << "FaraZecimale" << qint64(-12) << 2 << "-12";
    QTest::newRow("value too wide for the control") << "FaraZecimale" << qint64(1234567890123456) << 2 << "7";
}

void TestKivEditors::ScriereValori()
{
    QFETCH(QString, proprietate);
    QFETCH(qint64, valoare);
    QFETCH(int, cifre);
    QFETCH(QString, text);
    m_numar->SetNrCifreDupaVirgula(cifre);
    m_numar->SetText("7");
    TJurnal jurnal;
    jurnal.Conecteaza(m_numar);
    if (proprietate == "AsCurrency")
        m_numar->SetAsCurrency(valoare);
    else if (proprietate == "CuDouaZecimale")
        m_numar->SetCuDouaZecimale(valoare);
    else if (proprietate == "CuPatruZecimale")
        m_numar->SetCuPatruZecimale(valoare);
    else if (proprietate == "CuDoiPatruZecimale")
        m_numar->SetCuDoiPatruZecimale(valoare);
    else
        m_numar->SetFaraZecimale(valoare);
    QCOMPARE(m_numar->Text(), text);
    QCOMPARE(jurnal.evenimente.size(), text == "7" ? 0 : 1);
    QCOMPARE(m_numar->PozitieCursor(), text.length() + 1);
}

void TestKivEditors::CitireValori()
{
    m_numar->SetText("12,3");
    QCOMPARE(m_numar->AsCurrency(), qint64(123000));
    QCOMPARE(m_numar->CuDouaZecimale(), qint64(1230));
    QCOMPARE(m_numar->CuPatruZecimale(), qint64(123000));
    QCOMPARE(m_numar->CuDoiPatruZecimale(), qint64(123000));
    QCOMPARE(m_numar->FaraZecimale(), qint64(12));

    m_numar->resize(400, 24);
    m_numar->SetText("99999999999999999");
    QVERIFY_THROWS_EXCEPTION(EEroare, m_numar->AsCurrency());
    QVERIFY_THROWS_EXCEPTION(EEroare, m_numar->CuDoiPatruZecimale());
}

void TestKivEditors::Clipboard()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    m_text->setFocus();
    m_text->SetText("abcd");
    Pozitioneaza(*m_text, 2, 2);
    QTest::keyClick(m_text, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("bc"));
    QCOMPARE(m_text->Text(), QStringLiteral("abcd"));

    clipboard->clear();
    QTest::keyClick(m_text, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QString());
    QTest::keyClick(m_text, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("bc"));
    QCOMPARE(m_text->Text(), QStringLiteral("abcd"));

    QTest::keyClick(m_text, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(m_text->Text(), QStringLiteral("ad"));
    QCOMPARE(m_text->PozitieCursor(), 2);
    QTest::keyClick(m_text, Qt::Key_End);
    QTest::keyClick(m_text, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_text->Text(), QStringLiteral("adbc"));
    QCOMPARE(m_text->PozitieCursor(), 5);

    // Shift+Delete cuts, Shift+Insert pastes.
    Pozitioneaza(*m_text, 1, 1);
    QTest::keyClick(m_text, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("a"));
    QCOMPARE(m_text->Text(), QStringLiteral("dbc"));
    QTest::keyClick(m_text, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(m_text->Text(), QStringLiteral("adbc"));
    QCOMPARE(m_text->PozitieCursor(), 2);

    // Copying with nothing selected leaves the clipboard alone.
    QTest::keyClick(m_text, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("a"));

    // A paste the number rules refuse changes nothing; an accepted one is normalised.
    m_numar->setFocus();
    m_numar->SetText("12");
    clipboard->setText("x1");
    QTest::keyClick(m_numar, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_numar->Text(), QStringLiteral("12"));
    clipboard->setText(".5");
    QTest::keyClick(m_numar, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_numar->Text(), QStringLiteral("12,5"));
}

void TestKivEditors::Mouse()
{
    m_text->SetText("abcdef");
    const int y = m_text->height() / 2;
    // The press that gives the focus only gives it: the whole text stays selected.
    QTest::mouseClick(m_text, Qt::LeftButton, {}, QPoint(4 + LatimeText(*m_text, "ab"), y));
    QVERIFY(m_text->hasFocus());
    QCOMPARE(m_text->PozitieCursor(), 1);
    QCOMPARE(m_text->LungimeSelectie(), 6);

    // On the focused control a press puts the caret at the nearest boundary.
    const int dupaAb = 4 + LatimeText(*m_text, "ab");
    QTest::mouseClick(m_text, Qt::LeftButton, {}, QPoint(dupaAb + 1, y));
    QCOMPARE(m_text->PozitieCursor(), 3);
    QCOMPARE(m_text->LungimeSelectie(), 0);
    QTest::mouseClick(m_text, Qt::LeftButton, {}, QPoint(dupaAb - 1, y));
    QCOMPARE(m_text->PozitieCursor(), 3);
    QTest::mouseClick(m_text, Qt::LeftButton, {}, QPoint(190, y));
    QCOMPARE(m_text->PozitieCursor(), 7);
    QTest::mouseClick(m_text, Qt::LeftButton, {}, QPoint(1, y));
    QCOMPARE(m_text->PozitieCursor(), 1);

    // Dragging with the left button selects from the caret to the boundary under the mouse.
    QTest::mousePress(m_text, Qt::LeftButton, {}, QPoint(dupaAb, y));
    QMouseEvent miscare(QEvent::MouseMove, QPointF(4 + LatimeText(*m_text, "abcde"), y),
                        m_text->mapToGlobal(QPointF(4 + LatimeText(*m_text, "abcde"), y)), Qt::NoButton, Qt::LeftButton,
                        Qt::NoModifier);
    QApplication::sendEvent(m_text, &miscare);
    QTest::mouseRelease(m_text, Qt::LeftButton, {}, QPoint(4 + LatimeText(*m_text, "abcde"), y));
    QCOMPARE(m_text->PozitieCursor(), 3);
    QCOMPARE(m_text->LungimeSelectie(), 3);
    QCOMPARE(m_text->TextSelectat(), QStringLiteral("cde"));
}

void TestKivEditors::Focus_data()
{
    QTest::addColumn<bool>("citire");
    QTest::addColumn<bool>("autoSelectie");
    QTest::addColumn<int>("stareFocus");
    QTest::addColumn<int>("stareDupa");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("selectie");
    QTest::newRow("editable, auto select") << false << true << int(KivStare::Focus) << int(KivStare::Normal) << 1 << 4;
    QTest::newRow("editable, caret to the end")
        << false << false << int(KivStare::Focus) << int(KivStare::Normal) << 5 << 0;
    QTest::newRow("read-only never auto selects")
        << true << true << int(KivStare::CitireFocus) << int(KivStare::CitireNormal) << 5 << 0;
}

void TestKivEditors::Focus()
{
    QFETCH(bool, citire);
    QFETCH(bool, autoSelectie);
    QFETCH(int, stareFocus);
    QFETCH(int, stareDupa);
    QFETCH(int, p);
    QFETCH(int, selectie);
    m_text->SetText("abcd");
    m_text->SetAutoSelectOnEnter(autoSelectie);
    if (citire)
        m_text->SeteazaStare(KivStare::CitireNormal);
    QVERIFY(!m_text->CaretAfisat());

    m_text->setFocus(Qt::TabFocusReason);
    QCOMPARE(int(m_text->Stare()), stareFocus);
    QCOMPARE(m_text->PozitieCursor(), p);
    QCOMPARE(m_text->LungimeSelectie(), selectie);
    QVERIFY(m_text->CaretAfisat());
    const QRect caret = m_text->DreptunghiCaret();
    QCOMPARE(caret.size(), QSize(2, m_text->height() - 6));
    QCOMPARE(caret.y(), 3);
    QCOMPARE(caret.x(), 4 + LatimeText(*m_text, "abcd"));

    m_numar->setFocus(Qt::TabFocusReason);
    QCOMPARE(int(m_text->Stare()), stareDupa);
    QVERIFY(!m_text->CaretAfisat());
    QCOMPARE(m_numar->Stare(), KivStare::Focus);
}

void TestKivEditors::Hover_data()
{
    QTest::addColumn<int>("stareInitiala");
    QTest::addColumn<int>("stareHover");
    QTest::newRow("editable") << int(KivStare::Normal) << int(KivStare::Mouse);
    QTest::newRow("read-only") << int(KivStare::CitireNormal) << int(KivStare::CitireMouse);
}

void TestKivEditors::Hover()
{
    QFETCH(int, stareInitiala);
    QFETCH(int, stareHover);
    m_text->SeteazaStare(quint8(stareInitiala));
    QTest::mouseMove(m_text, QPoint(20, 12));
    QCOMPARE(int(m_text->Stare()), stareHover);
    QCOMPARE(TKivMouseInWindowThread::NumarActive(), 1);
    // While the mouse stays over the control the state stays.
    QTest::qWait(250);
    QCOMPARE(int(m_text->Stare()), stareHover);
    // The right and bottom edges still count as inside.
    QCursor::setPos(m_text->mapToGlobal(QPoint(m_text->width(), m_text->height())));
    QTest::qWait(250);
    QCOMPARE(int(m_text->Stare()), stareHover);

    // The mouse goes to another control: no mouse move reaches this one, the watcher notices.
    QTest::mouseMove(m_alt, QPoint(20, 20));
    QTRY_COMPARE(int(m_text->Stare()), stareInitiala);
    QTRY_COMPARE(TKivMouseInWindowThread::NumarActive(), 0);
}

void TestKivEditors::FocusRamaneLaPlecareaMouseului()
{
    QTest::mouseMove(m_text, QPoint(20, 12));
    QCOMPARE(m_text->Stare(), KivStare::Mouse);
    m_text->setFocus();
    QCOMPARE(m_text->Stare(), KivStare::Focus);
    QTest::mouseMove(m_alt, QPoint(20, 20));
    QTRY_COMPARE(TKivMouseInWindowThread::NumarActive(), 0);
    QCOMPARE(m_text->Stare(), KivStare::Focus);
    // Moving in again does not leave the focused state either.
    QTest::mouseMove(m_text, QPoint(30, 12));
    QCOMPARE(m_text->Stare(), KivStare::Focus);
}

void TestKivEditors::MutareRaportataInAfara()
{
    QTest::mouseMove(m_text, QPoint(20, 12));
    QCOMPARE(m_text->Stare(), KivStare::Mouse);
    QMouseEvent afara(QEvent::MouseMove, QPointF(-5, 12), m_text->mapToGlobal(QPointF(-5, 12)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(m_text, &afara);
    QCOMPARE(m_text->Stare(), KivStare::Normal);
}

void TestKivEditors::ControlDistrusInTimpCeEsteUrmarit()
{
    auto* trecator = new TKivNumEdit(m_fereastra.get());
    trecator->setGeometry(250, 10, 100, 24);
    trecator->show();
    QTest::mouseMove(trecator, QPoint(20, 12));
    QCOMPARE(trecator->Stare(), KivStare::Mouse);
    QCOMPARE(TKivMouseInWindowThread::NumarActive(), 1);
    delete trecator;
    QCOMPARE(TKivMouseInWindowThread::NumarActive(), 0);
    QCursor::setPos(m_alt->mapToGlobal(QPoint(5, 5)));
    QTRY_COMPARE(m_text->Stare(), KivStare::Normal);
}

void TestKivEditors::Pozitionare_data()
{
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("selectie");
    QTest::addColumn<QString>("operatie");
    QTest::addColumn<int>("argument");
    QTest::addColumn<int>("pFinal");
    QTest::addColumn<int>("selectieFinala");
    // Text "abcdef".
    QTest::newRow("selection limited to the end") << 3 << 0 << "selectie" << 100 << 3 << 4;
    QTest::newRow("selection of zero") << 3 << 2 << "selectie" << 0 << 3 << 0;
    QTest::newRow("leftward selection limited to the start") << 3 << 0 << "selectie" << -9 << 3 << -2;
    QTest::newRow("caret keeps the far end") << 2 << 3 << "cursor" << 4 << 4 << 1;
    QTest::newRow("caret past the far end drops the selection") << 2 << 3 << "cursor" << 6 << 6 << 0;
    QTest::newRow("caret left of a leftward selection") << 5 << -2 << "cursor" << 1 << 1 << 2;
    QTest::newRow("caret limited to the text") << 7 << 0 << "cursor" << 0 << 1 << 6;
    QTest::newRow("caret beyond the end") << 2 << 0 << "cursor" << 50 << 7 << 0;
    QTest::newRow("same caret keeps the selection") << 3 << 2 << "cursor" << 3 << 3 << 2;
}

void TestKivEditors::Pozitionare()
{
    QFETCH(int, p);
    QFETCH(int, selectie);
    QFETCH(QString, operatie);
    QFETCH(int, argument);
    QFETCH(int, pFinal);
    QFETCH(int, selectieFinala);
    m_text->SetText("abcdef");
    Pozitioneaza(*m_text, p, selectie);
    if (operatie == "selectie")
        m_text->SetLungimeSelectie(argument);
    else
        m_text->SetPozitieCursor(argument);
    QCOMPARE(m_text->PozitieCursor(), pFinal);
    QCOMPARE(m_text->LungimeSelectie(), selectieFinala);
}

void TestKivEditors::StiluriImplicite()
{
    TKivTextEditStyleRepository& depozit = TKivTextEditStyleRepository::Implicit();
    QCOMPARE(&m_text->DepozitStiluri(), &depozit);
    QCOMPARE(&m_text->StilPentruStare(0), &depozit.ReadOnlyCold());
    QCOMPARE(&m_text->StilPentruStare(1), &depozit.ReadOnlyHover());
    QCOMPARE(&m_text->StilPentruStare(2), &depozit.ReadOnlyHot());
    QCOMPARE(&m_text->StilPentruStare(3), &depozit.Cold());
    QCOMPARE(&m_text->StilPentruStare(4), &depozit.Hover());
    QCOMPARE(&m_text->StilPentruStare(5), &depozit.Hot());

    const QPalette paleta = QGuiApplication::palette();
    const QColor fereastra = paleta.color(QPalette::Base);
    const QColor fataButon = paleta.color(QPalette::Button);
    const QColor umbra = paleta.color(QPalette::Dark);
    QCOMPARE(depozit.Cold().BkColor().CuloareEfectiva(),
             QColor(fereastra.red(), fereastra.green(), std::max(0, fereastra.blue() - 5)));
    QCOMPARE(depozit.Hot().BkColor().CuloareEfectiva(), AplicaVariatia(fereastra, cvLiteLiteBlue));
    QCOMPARE(depozit.Hot().BorderColor().CuloareEfectiva(), QColor(Qt::black));
    QCOMPARE(depozit.Hot().BorderWidth(), 2);
    QCOMPARE(depozit.Hover().BkColor().CuloareEfectiva(), AplicaVariatia(fereastra, cvLiteGreen));
    QCOMPARE(depozit.Hover().BorderColor().CuloareEfectiva(), AplicaVariatia(umbra, cvLiteGreen));
    QCOMPARE(depozit.ReadOnlyCold().BkColor().CuloareEfectiva(), AplicaVariatia(fataButon, cvLite));
    QCOMPARE(depozit.ReadOnlyHot().BkColor().CuloareEfectiva(), AplicaVariatia(fataButon, cvLiteLiteRed));
    QCOMPARE(depozit.ReadOnlyHover().BkColor().CuloareEfectiva(), AplicaVariatia(fataButon, cvLiteRed));
    for (TKivTextEditStyle* s : {&depozit.Cold(), &depozit.Hover(), &depozit.ReadOnlyCold(), &depozit.ReadOnlyHot(),
                                 &depozit.ReadOnlyHover()}) {
        QCOMPARE(s->BorderWidth(), 1);
        QCOMPARE(s->Font().pointSize(), 9);
        QCOMPARE(s->Font().family(), QStringLiteral("Arial"));
        QCOMPARE(s->FontColor().CuloareEfectiva(), paleta.color(QPalette::Text));
    }
    for (TKivTextEditStyle* s :
         {&depozit.Cold(), &depozit.ReadOnlyCold(), &depozit.ReadOnlyHot(), &depozit.ReadOnlyHover()})
        QCOMPARE(s->BorderColor().CuloareEfectiva(), umbra);

    // Assigning copies the values; the copy does not follow later changes of the original.
    TKivTextEditStyle copie;
    copie.Assign(depozit.Hot());
    QCOMPARE(copie.BorderWidth(), 2);
    QCOMPARE(copie.BkColor().Variation(), cvLiteLiteBlue);
    int schimbari = 0;
    copie.SetLaSchimbare([&] { ++schimbari; });
    copie.BkColor().SetVariation(cvLite);
    copie.BorderColor().SetBaseColor(QColor(Qt::red));
    QCOMPARE(schimbari, 2);
    QCOMPARE(depozit.Hot().BkColor().Variation(), cvLiteLiteBlue);
    QVERIFY_THROWS_EXCEPTION(EEroare, copie.BkColor().SetVariation(TKivColorVariationEnum(9)));
    QCOMPARE(copie.BkColor().Variation(), cvLite);
}

void TestKivEditors::StareNecunoscuta()
{
    try {
        m_text->StilPentruStare(6);
        QFAIL("a style was given for state 6");
    } catch (const EEroare& e) {
        QCOMPARE(e.Mesaj(), QStringLiteral("Don't know state"));
    }
    QVERIFY_THROWS_EXCEPTION(EEroare, m_text->SeteazaStare(6));
    QCOMPARE(m_text->Stare(), KivStare::Normal);
}

void TestKivEditors::DesenStari_data()
{
    QTest::addColumn<int>("stare");
    for (int s = 0; s <= 5; ++s)
        QTest::newRow(qPrintable(QStringLiteral("state %1").arg(s))) << s;
}

void TestKivEditors::DesenStari()
{
    QFETCH(int, stare);
    m_text->SetText("Țară");
    m_numar->SetText("-1234567,89");
    for (TKivCustomTextEdit* e :
         {static_cast<TKivCustomTextEdit*>(m_text), static_cast<TKivCustomTextEdit*>(m_numar)}) {
        e->SeteazaStare(quint8(stare));
        const QImage imagine = e->grab().toImage();
        const TKivTextEditStyle& stil = e->StilPentruStare(quint8(stare));
        const int b = stil.BorderWidth();
        const QRgb margine = stil.BorderColor().CuloareEfectiva().rgb();
        const QRgb fond = stil.BkColor().CuloareEfectiva().rgb();
        QCOMPARE(imagine.pixel(0, 0), margine);
        QCOMPARE(imagine.pixel(b - 1, e->height() / 2), margine);
        QCOMPARE(imagine.pixel(e->width() - b, e->height() - b), margine);
        QCOMPARE(imagine.pixel(b, b), fond);
        QCOMPARE(imagine.pixel(e->width() - b - 1, b), fond);
        // The number is right-aligned while not focused, the text edit never.
        const bool dreapta = e->RightAlignNonEdit() && stare != 2 && stare != 5;
        int primaCerneala = -1;
        for (int x = b; x < e->width() - b && primaCerneala < 0; ++x)
            for (int y = b; y < e->height() - b; ++y)
                if (imagine.pixel(x, y) != fond) {
                    primaCerneala = x;
                    break;
                }
        QVERIFY(primaCerneala >= 0);
        if (dreapta)
            QVERIFY2(primaCerneala > 20, qPrintable(QString::number(primaCerneala)));
        else
            QVERIFY2(primaCerneala >= 4 && primaCerneala <= 6, qPrintable(QString::number(primaCerneala)));
    }
    m_text->SeteazaStare(KivStare::Normal);
    m_numar->SeteazaStare(KivStare::Normal);
}

void TestKivEditors::SelectiePastrata_data()
{
    QTest::addColumn<bool>("focus");
    QTest::addColumn<bool>("pastreaza");
    QTest::addColumn<bool>("evidentiereActiva");
    QTest::addColumn<bool>("evidentiereInactiva");
    QTest::newRow("focused") << true << false << true << false;
    QTest::newRow("not focused") << false << false << false << false;
    QTest::newRow("not focused, kept") << false << true << false << true;
}

void TestKivEditors::SelectiePastrata()
{
    QFETCH(bool, focus);
    QFETCH(bool, pastreaza);
    QFETCH(bool, evidentiereActiva);
    QFETCH(bool, evidentiereInactiva);
    m_text->SetText("abcdef");
    m_text->SetKeepSelection(pastreaza);
    m_text->setFocus();
    Pozitioneaza(*m_text, 2, 3);
    if (!focus)
        m_alt->setFocus();
    const QImage imagine = m_text->grab().toImage();
    const QRgb activ = QGuiApplication::palette().color(QPalette::Highlight).rgb();
    const QRgb inactiv = AplicaVariatia(QGuiApplication::palette().color(QPalette::Highlight), cvLiteBlue).rgb();
    bool gasitActiv = false;
    bool gasitInactiv = false;
    for (int y = 0; y < imagine.height(); ++y)
        for (int x = 0; x < imagine.width(); ++x) {
            gasitActiv = gasitActiv || imagine.pixel(x, y) == activ;
            gasitInactiv = gasitInactiv || imagine.pixel(x, y) == inactiv;
        }
    QCOMPARE(gasitActiv, evidentiereActiva);
    QCOMPARE(gasitInactiv, evidentiereInactiva);
    QCOMPARE(m_text->LungimeSelectie(), 3);
}

void TestKivEditors::MinusRosuSiSemne()
{
    m_numar->SetNoDots(true);
    m_numar->SetText("12");
    QCOMPARE(PixeliRosii(m_numar->grab().toImage()), 0);
    m_numar->SetText("-12");
    QVERIFY(PixeliRosii(m_numar->grab().toImage()) > 10);
    // The selected part is not red while the selection is shown.
    m_numar->setFocus();
    Pozitioneaza(*m_numar, 1, 3);
    QCOMPARE(PixeliRosii(m_numar->grab().toImage()), 0);
    m_alt->setFocus();

    // Without NoDots the comma gets its red mark.
    m_numar->SetText("12,5");
    QCOMPARE(PixeliRosii(m_numar->grab().toImage()), 0);
    m_numar->SetNoDots(false);
    QVERIFY(PixeliRosii(m_numar->grab().toImage()) > 0);

    // Screenshot of both edits in the six states, for looking at.
    const QString dosar = qEnvironmentVariable("KIV_CAPTURI");
    if (dosar.isEmpty())
        return;
    QWidget panou;
    panou.setPalette(QGuiApplication::palette());
    panou.setAutoFillBackground(true);
    auto* grila = new QGridLayout(&panou);
    const char* nume[] = {"0 ReadOnlyCold", "1 ReadOnlyHover", "2 ReadOnlyHot", "3 Cold", "4 Hover", "5 Hot"};
    for (int s = 0; s <= 5; ++s) {
        grila->addWidget(new QLabel(nume[s]), s, 0);
        auto* t = new TKivTextEdit;
        t->setFixedSize(160, 24);
        t->SetText("Școală, țară");
        auto* n = new TKivNumEdit;
        n->setFixedSize(130, 24);
        n->SetText(s % 2 ? "-1234567,89" : "1234567,5");
        if (s == 2 || s == 5) {
            n->SetPozitieCursor(1);
            n->SetLungimeSelectie(0);
            n->SetLungimeSelectie(4);
        }
        grila->addWidget(t, s, 1);
        grila->addWidget(n, s, 2);
        t->SeteazaStare(quint8(s));
        n->SeteazaStare(quint8(s));
    }
    panou.adjustSize();
    const QImage imagine = panou.grab().toImage();
    QVERIFY(imagine.save(dosar + "/kiv_stari.png"));
    QVERIFY(imagine.scaled(imagine.size() * 3).save(dosar + "/kiv_stari_3x.png"));
}

QTEST_MAIN(TestKivEditors)
#include "TestKivEditors.moc"
