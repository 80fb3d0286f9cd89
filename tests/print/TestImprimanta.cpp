// The print settings kept in the registry, the insert-paper dialog and the printer calibration wizard, driven
// through their windows; the wizard's test pages are printed to the PDF printer and measured.

#include "platform/UMesaje.h"
#include "platform/URegistru.h"
#include "platform/UEroare.h"
#include "print/UCalibrare.h"
#include "print/UImprimanta.h"
#include "print/UInsertPaper.h"
#include "print/UCalibrareForm.h"
#include "print/UPrintTessaluna.h"
#include "print/UPrintWiz.h"
#include "print/UTiparireClasa.h"
#include "print/USetariImprimare.h"
#include "testsupport/UModal.h"
#include "testsupport/UPdfText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QPrinter>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QTreeWidget>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString ValoareRegistru(const QString& nume)
{
    TRegistru reg;
    if (!reg.DeschideCheie(TAllStuffReg::Cheie(), false) || !reg.ExistaValoare(nume))
        return QStringLiteral("<missing>");
    return reg.CitesteText(nume);
}

void ScrieRegistru(const QString& nume, const QString& valoare)
{
    TRegistru reg;
    reg.DeschideCheie(TAllStuffReg::Cheie(), true);
    reg.ScrieText(nume, valoare);
}

// The visible insertion picture, 1 to 4, and feed picture, 5 or 6, of the dialog; 0 when none or several.
int ImagineVizibila(const TInsertPaperForm& d, int de, int la)
{
    int vizibila = 0;
    for (int i = de; i <= la; ++i) {
        if (!d.Imagini[i - 1]->isHidden())
            vizibila = vizibila ? -1 : i;
    }
    return qMax(vizibila, 0);
}
} // namespace

class TestImprimanta : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void allUnderADecimalComma();
    void damagedAllIsReportedOnceAndKept();
    void insertPaperDialog_data();
    void insertPaperDialog();
    void wizardPaths_data();
    void wizardPaths();
    void wizardCancelledStoresNothing();
    void testPageLinesLieWhereTheReferenceSheetPutsThem();
    void calibrationFromMeasuredDistances_data();
    void calibrationFromMeasuredDistances();
    void calibrationStoredPerPrinter();
    void readingTheSettingsWritesNothing();
    void pdfKeepsTheOlderFileUntilItIsWhole();
    void calibrationTextShowsWhole();
    void wizardByKeyboard();

private:
    QStringList m_avertizari;
    std::unique_ptr<QTemporaryDir> m_dosar;
};

void TestImprimanta::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
    SeteazaAvertizareRegistru([this](const QString& m) { m_avertizari << m; });
}

void TestImprimanta::init()
{
    TMesaje::Goleste();
    TMesaje::SetFaraFerestre(true);
    QFile::remove(FisierRegistruUtilizator());
    m_avertizari.clear();
    m_dosar = std::make_unique<QTemporaryDir>();
    SeteazaImprimantaCurenta(NumeImprimantaPdf);
}

void TestImprimanta::allUnderADecimalComma()
{
    {
        TAllStuffReg s;
        s.Configurata = true;
        s.ParteOpusa = true;
        s.OglindaVerticala = true;
        s.ModAlimentare = 3;
        s.MargineStangaFata = 2.5;
        s.MargineStangaVerso = 10.25;
        s.MargineSusVerso = 1;
        s.NumeImprimanta = "Sala \"A\" HP";
        s.IndexImprimanta = 2;
        s.SeteazaOglinda(1, "D");
        s.SeteazaOglinda(7, "N");
    }
    QCOMPARE(ValoareRegistru("all"), QString("0,1,1,0,1,3,\"2,5\",0,\"10,25\",1,\"Sala \"\"A\"\" HP\",2"));
    QCOMPARE(ValoareRegistru("OglindescFata"), QString("*"));
    QCOMPARE(ValoareRegistru("OglindescVerso"), QString("D"));
    const TAllStuffReg citit;
    QCOMPARE(citit.MargineStangaFata, 2.5);
    QCOMPARE(citit.MargineStangaVerso, 10.25);
    QCOMPARE(citit.NumeImprimanta, QString("Sala \"A\" HP"));
    QCOMPARE(citit.IndexImprimanta, 2);
    QVERIFY(citit.Configurata && citit.ParteOpusa && !citit.OglindaOrizontala && citit.OglindaVerticala);
    QCOMPARE(citit.Oglinda(1), QString("D"));
    QCOMPARE(citit.Oglinda(2), QString("*"));
}

void TestImprimanta::damagedAllIsReportedOnceAndKept()
{
    // Too few items, an integer that is not one, a decimal point where the settings use a comma.
    // A NUL character, alone or inside a printer's name (once read without end, growing memory).
    const QChar nul(0);
    const QStringList deteriorate = {"0,1,0", "0,1,0,0,0,x,0,0,0,0,,0", "0,1,0,0,0,1,2.5,0,0,0,HP,0", QString(nul),
                                     "0,1,0,0,0,1,0,0,0,0,H" + QString(nul) + "P,0"};
    for (const QString& text : deteriorate) {
        ScrieRegistru("all", text);
        ScrieRegistru("OglindescFata", "D");
        {
            const TAllStuffReg s;
            QVERIFY(s.AllDeteriorat());
            QVERIFY(!s.Configurata);
            QCOMPARE(s.MargineStangaFata, 0.0);
            QCOMPARE(s.NumeImprimanta, QString());
            QCOMPARE(s.OglindaFata, QString("D"));
        }
        QCOMPARE(ValoareRegistru("all"), text);
    }
    QCOMPARE(m_avertizari.size(), 1);
    QVERIFY2(m_avertizari.first().contains("\"all\""), qPrintable(m_avertizari.first()));
    {
        TAllStuffReg s;
        s.Configurata = true;
    }
    QCOMPARE(ValoareRegistru("all"), QString("0,1,0,0,0,0,0,0,0,0,,0"));
    QVERIFY(!TAllStuffReg().AllDeteriorat());
}

void TestImprimanta::insertPaperDialog_data()
{
    QTest::addColumn<int>("parte");
    QTest::addColumn<bool>("parteOpusa");
    QTest::addColumn<int>("mod");
    QTest::addColumn<QString>("oglinda");
    QTest::addColumn<QString>("titlu");
    QTest::addColumn<bool>("bifat");
    QTest::addColumn<int>("imagine");
    QTest::addColumn<int>("alimentare");
    QTest::newRow("front, front tray") << 0 << false << 2 << "*"
                                       << "(1)" << false << 3 << 6;
    QTest::newRow("front, top feed") << 0 << false << 1 << "*"
                                     << "(1)" << true << 1 << 5;
    QTest::newRow("front, opposite side, cassette turned") << 0 << true << 3 << "*"
                                                           << "(2)" << true << 4 << 5;
    QTest::newRow("back, cassette normal") << 1 << false << 4 << "*"
                                           << "(3)" << true << 4 << 6;
    QTest::newRow("back, opposite side, top feed") << 1 << true << 1 << "*"
                                                   << "(4)" << false << 1 << 5;
    QTest::newRow("front, top feed, earlier choice no") << 0 << false << 1 << "N"
                                                        << "(1)" << false << 3 << 5;
}

void TestImprimanta::insertPaperDialog()
{
    QFETCH(int, parte);
    QFETCH(bool, parteOpusa);
    QFETCH(int, mod);
    QFETCH(QString, oglinda);
    QFETCH(QString, titlu);
    QFETCH(bool, bifat);
    QFETCH(int, imagine);
    QFETCH(int, alimentare);
    TAllStuffReg setari;
    setari.ParteOpusa = parteOpusa;
    setari.ModAlimentare = mod;
    setari.SeteazaOglinda(parte, oglinda);
    (parte == 0 ? setari.MargineStangaFata : setari.MargineStangaVerso) = 1.5;
    (parte == 0 ? setari.MargineSusFata : setari.MargineSusVerso) = 0;
    TInsertPaperForm& d = InsertPaperForm();
    bool vazut = false;
    LaUrmatorulModal([&](QDialog*) {
        vazut = true;
        QCOMPARE(d.windowTitle(), titlu);
        QCOMPARE(d.Oglinda->isChecked(), bifat);
        QCOMPARE(ImagineVizibila(d, 1, 4), imagine);
        QCOMPARE(ImagineVizibila(d, 5, 6), alimentare);
        QCOMPARE(d.MargineStanga->text(), QString("1,5"));
        QVERIFY(!d.Oglinda->toolTip().isEmpty());
        // The other picture of the side follows the box.
        d.Oglinda->toggle();
        QVERIFY(ImagineVizibila(d, 1, 4) != imagine && ImagineVizibila(d, 1, 4) != 0);
        d.Oglinda->toggle();
        d.MargineSus->setText("4,75");
        QTest::mouseClick(d.Ok, Qt::LeftButton);
    });
    const TRezultatInserare r = CereFoaia(setari, parte);
    QVERIFY(vazut);
    QVERIFY(r.Ok);
    QCOMPARE(r.Oglinda, bifat);
    QCOMPARE(r.Stanga, 1.5);
    QCOMPARE(r.Sus, 4.75);
    QCOMPARE(setari.Oglinda(parte), QString(bifat ? "D" : "N"));
}

void TestImprimanta::wizardPaths_data()
{
    QTest::addColumn<int>("alimentare"); // page 1 choice, 0 none
    QTest::addColumn<int>("pozitie");    // page 4 choice, 0 none
    QTest::addColumn<int>("parte");      // page 7
    QTest::addColumn<int>("rezultat");   // page 9
    QTest::addColumn<QList<int>>("pagini");
    QTest::addColumn<int>("mod");
    QTest::addColumn<bool>("opusa");
    QTest::addColumn<bool>("orizontala");
    QTest::addColumn<bool>("verticala");
    QTest::newRow("top feed") << 1 << 0 << 1 << 1 << QList<int>{0, 1, 5, 6, 7, 8, 9, 13} << 1 << false << false
                              << false;
    QTest::newRow("front tray, lines bottom right")
        << 2 << 0 << 2 << 3 << QList<int>{0, 1, 2, 5, 6, 7, 8, 9, 13} << 2 << true << true << true;
    QTest::newRow("cassette, paper normal, lines top right")
        << 3 << 1 << 1 << 2 << QList<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, 13} << 4 << false << true << false;
    QTest::newRow("no choices") << 0 << 0 << 2 << 4 << QList<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, 13} << 3 << true << false
                                << true;
}

void TestImprimanta::wizardPaths()
{
    QFETCH(int, alimentare);
    QFETCH(int, pozitie);
    QFETCH(int, parte);
    QFETCH(int, rezultat);
    QFETCH(QList<int>, pagini);
    QFETCH(int, mod);
    QFETCH(bool, opusa);
    QFETCH(bool, orizontala);
    QFETCH(bool, verticala);
    {
        // What earlier print jobs stored stays.
        TAllStuffReg s;
        s.MargineStangaFata = 3.5;
        s.SeteazaOglinda(0, "D");
    }
    for (int trecere = 0; trecere < 2; ++trecere) {
        for (int i = 0; i < 3; ++i)
            TMesaje::SetFisierUrmator(m_dosar->filePath(QStringLiteral("test%1_%2.pdf").arg(trecere).arg(i)));
        TPrintWiz w;
        QList<int> vazute;
        LaUrmatorulModal([&](QDialog*) {
            auto alege = [](QButtonGroup* g, int id) {
                if (id)
                    g->button(id)->click();
            };
            while (w.isVisible() && vazute.size() < 20) {
                const int p = w.PaginaCurenta();
                vazute << p;
                if (p == 1)
                    alege(w.Alimentare, alimentare);
                if (p == 4)
                    alege(w.PozitieHartie, pozitie);
                if (p == 5 && trecere == 0) {
                    // Back leads to whichever page led here, and forward again.
                    w.ButonInapoi->click();
                    QCOMPARE(w.PaginaCurenta(), vazute[vazute.size() - 2]);
                    w.ButonInainte->click();
                    QCOMPARE(w.PaginaCurenta(), 5);
                }
                if (p == 7)
                    alege(w.Parte, parte);
                if (p == 9)
                    alege(w.Rezultat, rezultat);
                w.ButonInainte->click();
            }
        });
        QVERIFY(w.Arata());
        QCOMPARE(vazute, pagini);
        QVERIFY(QFile::exists(m_dosar->filePath(QStringLiteral("test%1_2.pdf").arg(trecere))));
        const TAllStuffReg s;
        QVERIFY(s.Configurata);
        QCOMPARE(s.ModAlimentare, mod);
        QCOMPARE(s.ParteOpusa, opusa);
        QCOMPARE(s.OglindaOrizontala, orizontala);
        QCOMPARE(s.OglindaVerticala, verticala);
        QCOMPARE(s.NumeImprimanta, NumeImprimantaPdf);
        QCOMPARE(s.IndexImprimanta, int(ListaImprimante().indexOf(NumeImprimantaPdf)));
        QCOMPARE(s.MargineStangaFata, 3.5);
        QCOMPARE(s.OglindaFata, QString("D"));
    }
}

void TestImprimanta::wizardCancelledStoresNothing()
{
    TPrintWiz w;
    QCOMPARE(w.ListaImprimante->currentItem()->text(0), ImprimantaCurenta());
    LaUrmatorulModal([&](QDialog*) {
        w.ButonInainte->click();
        w.Alimentare->button(1)->click();
        QTest::mouseClick(w.ButonRenunt, Qt::LeftButton);
    });
    QVERIFY(!w.Arata());
    QCOMPARE(ValoareRegistru("all"), QString("<missing>"));
}

void TestImprimanta::testPageLinesLieWhereTheReferenceSheetPutsThem()
{
    for (int i = 0; i < 3; ++i)
        TMesaje::SetFisierUrmator(m_dosar->filePath(QStringLiteral("pagina%1.pdf").arg(i)));
    TPrintWiz w;
    LaUrmatorulModal([&](QDialog*) {
        w.ButonInainte->click();
        w.Alimentare->button(1)->click();
        for (int i = 0; i < 5; ++i)
            w.ButonInainte->click();
        QCOMPARE(w.PaginaCurenta(), 9);
    });
    w.Arata();
    // The lines: 452 × 736 units of a 677 × 1073 sheet, centred by whole units, on an A4 portrait PDF.
    const QString png = RandeazaPdfLaPng(m_dosar->filePath("pagina2.pdf"), m_dosar->filePath("linii"), 200);
    QVERIFY(!png.isEmpty());
    const QImage img = QImage(png).convertToFormat(QImage::Format_Grayscale8);
    QRect cerneala;
    for (int y = 0; y < img.height(); ++y) {
        const uchar* rand = img.constScanLine(y);
        for (int x = 0; x < img.width(); ++x) {
            if (rand[x] < 128)
                cerneala |= QRect(x, y, 1, 1);
        }
    }
    const double mmPePixel = 25.4 / 200;
    const double x = 210.0 * 112 / 677, y = 297.0 * 168 / 1073;
    const QRectF asteptat(x, y, 210.0 * 452 / 677, 297.0 * 736 / 1073);
    const QRectF gasit(cerneala.left() * mmPePixel, cerneala.top() * mmPePixel, cerneala.width() * mmPePixel,
                       cerneala.height() * mmPePixel);
    for (double d : {gasit.left() - asteptat.left(), gasit.top() - asteptat.top(), gasit.right() - asteptat.right(),
                     gasit.bottom() - asteptat.bottom()})
        QVERIFY2(qAbs(d) < 0.3, qPrintable(QStringLiteral("lines off by %1 mm").arg(d)));
    // The horizontal bar starts 157 units in; the vertical one 196 units down.
    const int yBara = int((y + 297.0 * 12 / 1073) / mmPePixel);
    int stangaBara = -1;
    for (int xx = 0; xx < img.width() && stangaBara < 0; ++xx)
        if (img.constScanLine(yBara)[xx] < 128)
            stangaBara = xx;
    QVERIFY(qAbs(stangaBara * mmPePixel - (x + 210.0 * 157 / 677)) < 0.3);
}

void TestImprimanta::calibrationFromMeasuredDistances_data()
{
    QTest::addColumn<QList<double>>("masurat");  // A from the left, A from the top, A-B, A-C; -1 = not measured
    QTest::addColumn<QList<double>>("corectie"); // displacement x, y, scale x, y; empty = refused
    QTest::addColumn<QString>("mesaj");
    QTest::newRow("exact printer") << QList<double>{20, 20, 257, 170} << QList<double>{0, 0, 1, 1} << "";
    QTest::newRow("offsets only") << QList<double>{21.5, 19.2, -1, -1} << QList<double>{1.5, -0.8, 1, 1} << "";
    QTest::newRow("scaled and offset") << QList<double>{21.4, 20.4, 262.14, 166.6}
                                       << QList<double>{1.0, 0.8, 1.02, 0.98} << "";
    QTest::newRow("scale beyond 5%") << QList<double>{20, 20, 280, 170} << QList<double>{} << "5%";
    QTest::newRow("offset beyond 10 mm") << QList<double>{32.5, 20, -1, -1} << QList<double>{} << "10 mm";
}

void TestImprimanta::calibrationFromMeasuredDistances()
{
    QFETCH(QList<double>, masurat);
    QFETCH(QList<double>, corectie);
    QFETCH(QString, mesaj);
    auto optional = [](double v) { return v < 0 ? std::nullopt : std::optional<double>(v); };
    try {
        const TCorectieImprimanta c =
            CalculeazaCorectie(masurat[0], masurat[1], optional(masurat[2]), optional(masurat[3]));
        QVERIFY2(mesaj.isEmpty(), "measurements out of range were accepted");
        QVERIFY(qAbs(c.DeplasareX - corectie[0]) < 1e-9 && qAbs(c.DeplasareY - corectie[1]) < 1e-9);
        QVERIFY(qAbs(c.ScalaX - corectie[2]) < 1e-9 && qAbs(c.ScalaY - corectie[3]) < 1e-9);
        // Asked for where the correction says, the printer puts a box exactly where it was meant to go.
        const QRectF dorit(100, 50, 40, 6);
        for (const bool oglinda : {false, true}) {
            const QSizeF hartie(297, 210);
            const QRectF cerut = AplicaCorectie(c, dorit, oglinda, hartie);
            QRectF tiparit = oglinda ? QRectF(hartie.width() - cerut.right(), hartie.height() - cerut.bottom(),
                                              cerut.width(), cerut.height())
                                     : cerut;
            tiparit = QRectF(c.ScalaX * tiparit.left() + c.DeplasareX, c.ScalaY * tiparit.top() + c.DeplasareY,
                             c.ScalaX * tiparit.width(), c.ScalaY * tiparit.height());
            const QRectF asteptat = oglinda ? QRectF(hartie.width() - dorit.right(), hartie.height() - dorit.bottom(),
                                                     dorit.width(), dorit.height())
                                            : dorit;
            QVERIFY2(qAbs(tiparit.left() - asteptat.left()) < 1e-9 && qAbs(tiparit.bottom() - asteptat.bottom()) < 1e-9,
                     qPrintable(QStringLiteral("mirror %1").arg(oglinda)));
        }
    } catch (const EEroare& e) {
        QVERIFY2(!mesaj.isEmpty() && e.Mesaj().contains(mesaj), qPrintable(e.Mesaj()));
    }
}

void TestImprimanta::calibrationStoredPerPrinter()
{
    const TCorectieImprimanta c{1.25, -0.5, 1.01, 0.99};
    SalveazaCorectieImprimanta("HP LaserJet 1020", c);
    const TCorectieImprimanta citita = CorectieImprimanta("HP LaserJet 1020");
    QCOMPARE(citita.DeplasareX, 1.25);
    QCOMPARE(citita.ScalaY, 0.99);
    QVERIFY(CorectieImprimanta(NumeImprimantaPdf).EsteIdentitate());
    // Completing the wizard or a print job keeps the calibration beside the print settings.
    {
        TAllStuffReg s;
        s.Configurata = true;
    }
    QCOMPARE(CorectieImprimanta("HP LaserJet 1020").ScalaX, 1.01);
    SalveazaCorectieImprimanta("HP LaserJet 1020", TCorectieImprimanta{});
    QVERIFY(CorectieImprimanta("HP LaserJet 1020").EsteIdentitate());
}

void TestImprimanta::readingTheSettingsWritesNothing()
{
    auto octeti = [] {
        QFile f(FisierRegistruUtilizator());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(lipsa)");
    };
    auto doarCitesc = [this] {
        TPrintTessalunaForm f;
        f.RuleazaTiparirea();
        QCOMPARE(TMesaje::UltimulMesaj(), QString("Configureaza imprimanta"));
        TMesaje::Goleste();
        QCOMPARE(TiparesteClasa(nullptr, {TElevDeTiparit{1, "Ion"}}).Tiparite, 0);
        QCOMPARE(TMesaje::UltimulMesaj(), QString("Configureaza imprimanta"));
        QVERIFY(!ImprimantaConfigurata(nullptr));
        TCalibrareForm calibrare;
        calibrare.reject();
        QVERIFY(!TSetariImprimare::Citite().Configurata);
    };
    // Nothing stored yet: the registry file is not even made.
    doarCitesc();
    QCOMPARE(octeti(), QByteArray("(lipsa)"));
    // Settings stored by an earlier run, a mirror choice of the other type among them.
    ScrieRegistru("all", "0,0,1,0,0,2,\"2,5\",1,0,0,HP,0");
    TRegistru reg;
    reg.DeschideCheie(TAllStuffReg::Cheie(), true);
    reg.ScrieIntreg("OglindescVerso", 3);
    const QByteArray inainte = octeti();
    doarCitesc();
    QCOMPARE(octeti(), inainte);
}

void TestImprimanta::calibrationTextShowsWhole()
{
    TCalibrareForm f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const int inainte = f.height();
    f.StangaCruce->setText("21,5");
    f.SusCruce->setText("19.25");
    f.IntreCruciSus->setText("251,3");
    f.IntreCruciStanga->setText("171,2");
    QTest::mouseClick(f.ButonCalculeaza, Qt::LeftButton);
    QVERIFY(f.Corectia->text().contains("mm spre dreapta"));
    // The wrapped sentence gets every line it needs: the window grows, the text is not cut.
    QTRY_VERIFY(f.Corectia->height() >= f.Corectia->heightForWidth(f.Corectia->width()));
    QVERIFY(f.height() > inainte);
    QVERIFY(f.Corectia->geometry().bottom() < f.Ok->geometry().top());
    f.reject();
}

void TestImprimanta::wizardByKeyboard()
{
    TPrintWiz w;
    bool ajuns = false;
    LaUrmatorulModal([&](QDialog*) {
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.ListaImprimante->setFocus(Qt::TabFocusReason);
        // Enter goes on, and the caret goes to the new page's first choice: arrows choose, Enter goes on again.
        QTest::keyClick(w.ListaImprimante, Qt::Key_Return);
        QCOMPARE(w.PaginaCurenta(), 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Alimentare->button(1)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(w.Alimentare->checkedId(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w.PaginaCurenta(), 2);
        // On a focused button Enter presses that button, not the default one.
        w.ButonInapoi->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w.ButonInapoi, Qt::Key_Return);
        QCOMPARE(w.PaginaCurenta(), 1);
        ajuns = true;
        w.reject();
    });
    QVERIFY(!w.Arata());
    QVERIFY(ajuns);
}

QTEST_MAIN(TestImprimanta)
#include "TestImprimanta.moc"

void TestImprimanta::pdfKeepsTheOlderFileUntilItIsWhole()
{
    const QByteArray tintaUcisa = qgetenv("TESSALUNA_PDF_UCIS");
    if (!tintaUcisa.isEmpty()) {
        // The child: a job killed after many pages, with nothing after it run.
        PregatesteImprimanta(false);
        TMesaje::SetFisierUrmator(QString::fromUtf8(tintaUcisa));
        TDocumentTiparit document(nullptr, QStringLiteral("Diplome"));
        for (int pagina = 0; pagina < 30; ++pagina) {
            for (int rand = 0; rand < 80; ++rand)
                document.Painter().drawText(100, 100 + rand * 60,
                                            QStringLiteral("Elevul %1 / %2").arg(pagina).arg(rand));
            ImprimantaProgram().newPage();
        }
        ::kill(::getpid(), SIGKILL);
    }

    const QString tinta = m_dosar->filePath("Diplome.pdf");
    QFile vechi(tinta);
    QVERIFY(vechi.open(QIODevice::WriteOnly));
    vechi.write("diplomele de ieri");
    vechi.close();
    const auto continut = [&tinta] {
        QFile f(tinta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };

    QProcess copil;
    QProcessEnvironment mediu = QProcessEnvironment::systemEnvironment();
    mediu.insert("TESSALUNA_PDF_UCIS", tinta);
    copil.setProcessEnvironment(mediu);
    copil.start(QCoreApplication::applicationFilePath(), {"pdfKeepsTheOlderFileUntilItIsWhole"});
    QVERIFY(copil.waitForFinished(60000));
    QCOMPARE(copil.exitStatus(), QProcess::CrashExit);
    QCOMPARE(continut(), QByteArray("diplomele de ieri"));
    // What the killed job wrote lies beside it under its temporary name.
    const QStringList fisiere = QDir(m_dosar->path()).entryList(QDir::Files);
    QCOMPARE(fisiere.size(), 2);

    // An error in flight ends the document without giving it the name.
    try {
        PregatesteImprimanta(false);
        TMesaje::SetFisierUrmator(tinta);
        TDocumentTiparit document(nullptr, QStringLiteral("Diplome"));
        document.Painter().drawText(100, 100, QStringLiteral("Ana"));
        throw EEroare(QStringLiteral("oprit"));
    } catch (const EEroare&) {
    }
    QCOMPARE(continut(), QByteArray("diplomele de ieri"));
    QCOMPARE(QDir(m_dosar->path()).entryList(QDir::Files), fisiere);

    // A whole job replaces the older file; under umask 022 the new one gives other users nothing.
    const mode_t masca = ::umask(022);
    const auto reface = qScopeGuard([masca] { ::umask(masca); });
    QVERIFY(QFile::setPermissions(tinta, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    {
        PregatesteImprimanta(false);
        TMesaje::SetFisierUrmator(tinta);
        TDocumentTiparit document(nullptr, QStringLiteral("Diplome"));
        QVERIFY(document.Inceput());
        document.Painter().drawText(100, 100, QStringLiteral("Ana"));
    }
    QVERIFY(continut().startsWith("%PDF"));
    QCOMPARE(QFile::permissions(tinta) & (QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
             QFile::Permissions());
    QVERIFY(QFile::permissions(tinta) & QFile::ReadGroup); // the group kept what it had
    QCOMPARE(QDir(m_dosar->path()).entryList(QDir::Files), fisiere);
}
