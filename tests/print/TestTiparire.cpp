// Printing the certificate page to a PDF through QPrinter and reading the texts back with pdftotext:
// every text lies where its millimetres put it, shifted, offset, turned for mirror printing, shrunk to fit.

#include "UFormularTest.h"

#include "platform/UEroare.h"
#include "print/UParticularizari.h"
#include "print/UTextZona.h"
#include "testsupport/UPdfText.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {
struct TTiparire
{
    bool oglinda = false;
    double stanga = 0;
    double sus = 0;
    int dpi = 1200;
};

// Prints the page on an A4 landscape sheet whose printer keeps unequal unprintable margins.
QStringList Tipareste(TFormularDePrintat* pagina, const QString& pdf, const TTiparire& t)
{
    QPrinter imprimanta(QPrinter::HighResolution);
    imprimanta.setOutputFormat(QPrinter::PdfFormat);
    imprimanta.setOutputFileName(pdf);
    imprimanta.setResolution(t.dpi);
    imprimanta.setPageSize(QPageSize(QPageSize::A4));
    imprimanta.setPageOrientation(QPageLayout::Landscape);
    imprimanta.setPageMargins(QMarginsF(6.35, 4.2, 5, 7), QPageLayout::Millimeter);
    QPainter painter(&imprimanta);
    const QStringList taiate = pagina->PrintTextAreas(painter, t.oglinda, t.stanga, t.sus);
    painter.end();
    return taiate;
}

} // namespace

class TestTiparire : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void effectiveValues_data();
    void effectiveValues();
    void textsLieAtTheirMillimetres_data();
    void textsLieAtTheirMillimetres();
    void halfMillimetreShifts_data();
    void halfMillimetreShifts();
    void mirroredPrintIsPointSymmetric();
    void emptyTextsPrintABlankPage();
    void overLongTextShrinksToFit();
    void textThatCannotFitIsReported();
    void fontTallerThanItsAreaStartsAtTheAreaHeight();
    void redefinedText_data();
    void redefinedText();
    void textWithoutFontIsAnError();
    void filledCertificateRendersWithEveryValueInItsBox();
    void removedAreaLeavesThePage();

private:
    std::unique_ptr<QTemporaryDir> m_dosar;
};

void TestTiparire::init()
{
    m_dosar = std::make_unique<QTemporaryDir>();
    ReseteazaParticularizari(m_dosar->filePath("licenta.lic"));
}

void TestTiparire::cleanup()
{
    ReseteazaParticularizari(m_dosar->filePath("licenta.lic"));
}

void TestTiparire::effectiveValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<TParticularizareTextArea>("inreg");
    QTest::addColumn<QString>("textEfectiv");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("italicEfectiv");
    QTest::addColumn<QString>("face");
    QTest::addColumn<TAlignment>("aliniere");

    const TParticularizareTextArea gol;
    QTest::newRow("no corrections") << "ION" << true << false << gol << "ION" << 700 << false << "Arial" << taCenter;
    TParticularizareTextArea r = gol;
    r.Bold = 2;
    r.Italic = 1;
    r.FontSistem = "DejaVu Serif";
    r.Aliniere = 3;
    QTest::newRow("upright bold font forced to 400 and italic, other face, right")
        << "ION" << true << false << r << "ION" << 400 << true << "DejaVu Serif" << taRightJustify;
    r = gol;
    r.Bold = 1;
    r.Italic = 2;
    r.Aliniere = 1;
    QTest::newRow("forced 700 and upright, left")
        << "ION" << false << true << r << "ION" << 700 << false << "Arial" << taLeftJustify;
    r = gol;
    r.Aliniere = 4;
    r.Italic = 7;
    QTest::newRow("unknown codes keep the area's own")
        << "ION" << false << true << r << "ION" << 400 << true << "Arial" << taCenter;
    r = gol;
    r.TextRedefinit = "Altceva";
    QTest::newRow("redefined text replaces a whole value")
        << "ION" << false << false << r << "Altceva" << 400 << false << "Arial" << taCenter;
    QTest::newRow("redefined text fills an empty area")
        << "" << false << false << r << "Altceva" << 400 << false << "Arial" << taCenter;
    QTest::newRow("a digit box keeps its digit")
        << "7" << false << false << r << "7" << 400 << false << "Arial" << taCenter;
}

void TestTiparire::effectiveValues()
{
    QFETCH(QString, text);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(TParticularizareTextArea, inreg);
    TFontFormular font;
    font.SetBold(bold);
    font.SetItalic(italic);
    const TAspectText a = AspectEfectiv(text, taCenter, &font, &inreg);
    QTEST(a.Text, "textEfectiv");
    QTEST(a.Weight, "weight");
    QTEST(a.Italic, "italicEfectiv");
    QTEST(a.FaceName, "face");
    QTEST(a.Aliniere, "aliniere");
    QCOMPARE(a.Font, &font);
}

void TestTiparire::textsLieAtTheirMillimetres_data()
{
    QTest::addColumn<TTiparire>("tiparire");
    QTest::addColumn<QPointF>("deltaPagina");
    QTest::newRow("no margins, 1200 dpi") << TTiparire{} << QPointF();
    QTest::newRow("margins 2.5 / 1.5 mm") << TTiparire{false, 2.5, 1.5} << QPointF();
    QTest::newRow("negative margins, 600 dpi") << TTiparire{false, -1.75, -2.25, 600} << QPointF();
    QTest::newRow("page offsets added to the margins") << TTiparire{false, 1, 1} << QPointF(0.8, -0.6);
}

void TestTiparire::textsLieAtTheirMillimetres()
{
    QFETCH(TTiparire, tiparire);
    QFETCH(QPointF, deltaPagina);
    TFormularTest f;
    f.Completeaza(TextFaraSpatii);
    f.Pagina->SetDeltaStanga(deltaPagina.x());
    f.Pagina->SetDeltaSus(deltaPagina.y());
    const QString pdf = m_dosar->filePath("pozitii.pdf");
    QCOMPARE(Tipareste(f.Pagina, pdf, tiparire), QStringList());

    const TDocumentPdf doc = CitestePdf(pdf);
    QCOMPARE(doc.Pagini.size(), 1);
    QCOMPARE(doc.Cuvinte.size(), 70);
    const QList<TAsteptat> asteptate =
        Asteptate(f.Pagina, tiparire.stanga + deltaPagina.x(), tiparire.sus + deltaPagina.y());
    VerificaLocuri(asteptate, Potriveste(asteptate, doc.Cuvinte));
}

void TestTiparire::halfMillimetreShifts_data()
{
    QTest::addColumn<int>("orizontal");
    QTest::addColumn<int>("vertical");
    QTest::newRow("0,5 mm to the right") << 1 << 0;
    QTest::newRow("0,5 mm to the left") << -1 << 0;
    QTest::newRow("0,5 mm higher") << 0 << -1;
    QTest::newRow("0,5 mm lower and to the right") << 1 << 1;
}

void TestTiparire::halfMillimetreShifts()
{
    QFETCH(int, orizontal);
    QFETCH(int, vertical);
    TFormularTest f;
    f.Completeaza(TextFaraSpatii);
    const QStringList mutate = {"FormularTextArea36", "FormularTextArea84", "FormularTextArea11"};
    TFormularTextArea* nume = f.Zona("FormularTextArea36");
    const QRect ecranInainte = nume->geometry();
    const TTextPlasat previzualizareInainte = PlaseazaPeEcran(
        AspectEfectiv(nume->Text(), nume->Alignment(), nume->Font(), nullptr), nume->size(), nume->p_dpi(), nume);
    for (const QString& z : mutate) {
        TParticularizareTextArea* r = f.Zona(z)->FindAdjustment(true);
        r->DeplasareOrizontala = orizontal;
        r->DeplasareVerticala = vertical;
    }

    const QString pdf = m_dosar->filePath("mutat.pdf");
    Tipareste(f.Pagina, pdf, TTiparire{false, 2, 3});
    const QList<TAsteptat> asteptate = Asteptate(f.Pagina, 2, 3, [&](const TFormularTextArea* z) {
        return mutate.contains(z->objectName()) ? QPointF(0.5 * orizontal, 0.5 * vertical) : QPointF();
    });
    VerificaLocuri(asteptate, Potriveste(asteptate, CitestePdf(pdf).Cuvinte));

    // The preview does not move.
    QCOMPARE(nume->geometry(), ecranInainte);
    const TTextPlasat previzualizare =
        PlaseazaPeEcran(AspectEfectiv(nume->Text(), nume->Alignment(), nume->Font(), nume->FindAdjustment(false)),
                        nume->size(), nume->p_dpi(), nume);
    QCOMPARE(previzualizare.Origine, previzualizareInainte.Origine);
}

void TestTiparire::mirroredPrintIsPointSymmetric()
{
    TFormularTest f;
    f.Completeaza(TextFaraSpatii);
    const QString drept = m_dosar->filePath("drept.pdf");
    const QString rotit = m_dosar->filePath("rotit.pdf");
    Tipareste(f.Pagina, drept, TTiparire{false, 2.5, 1.5});
    Tipareste(f.Pagina, rotit, TTiparire{true, 2.5, 1.5});
    const QList<TAsteptat> asteptate = Asteptate(f.Pagina, 2.5, 1.5);
    const QHash<QString, QRectF> inainte = Potriveste(asteptate, CitestePdf(drept).Cuvinte);
    VerificaLocuri(asteptate, inainte);

    const TDocumentPdf doc = CitestePdf(rotit);
    QCOMPARE(doc.Cuvinte.size(), 70);
    const QSizeF hartie = doc.Pagini.first();
    // Each word must appear turned about the centre of the paper: its box is the reflection of the upright one.
    QList<TCuvantPdf> cuvinte = doc.Cuvinte;
    for (const TAsteptat& a : asteptate) {
        const QRectF r = inainte.value(a.zona);
        const QRectF reflectat(QPointF(hartie.width() - r.right(), hartie.height() - r.bottom()),
                               QPointF(hartie.width() - r.left(), hartie.height() - r.top()));
        int ales = -1;
        double distanta = 1e9;
        for (int i = 0; i < cuvinte.size(); ++i) {
            const double d = (cuvinte[i].Mm.center() - reflectat.center()).manhattanLength();
            if (cuvinte[i].Text == a.text && d < distanta) {
                distanta = d;
                ales = i;
            }
        }
        QVERIFY2(ales >= 0, qPrintable(a.zona));
        const QRectF g = cuvinte.takeAt(ales).Mm;
        QVERIFY2(qAbs(g.left() - reflectat.left()) <= kToleranta && qAbs(g.right() - reflectat.right()) <= kToleranta &&
                     qAbs(g.top() - reflectat.top()) <= kToleranta &&
                     qAbs(g.bottom() - reflectat.bottom()) <= kToleranta,
                 qPrintable(QStringLiteral("%1: turned box off by %2 mm").arg(a.zona).arg(distanta)));
    }
    // The stub's first name line, near the paper's top-left, now lies near its bottom-right.
    QVERIFY(!cuvinte.size());
}

void TestTiparire::emptyTextsPrintABlankPage()
{
    TFormularTest f;
    f.Completeaza([](const TFormularTextArea*) { return QString(); });
    const QString pdf = m_dosar->filePath("gol.pdf");
    Tipareste(f.Pagina, pdf, TTiparire{});
    const TDocumentPdf doc = CitestePdf(pdf);
    QCOMPARE(doc.Pagini.size(), 1);
    QCOMPARE(doc.Cuvinte.size(), 0);
}

void TestTiparire::removedAreaLeavesThePage()
{
    // An area taken off the page is no longer printed, and every other area still shows and prints its own.
    TFormularTest f;
    f.Completeaza([](const TFormularTextArea* z) { return z->objectName(); });
    const int inainte = int(f.Pagina->Zone().size());
    delete f.Zona("FormularTextArea12");
    QCOMPARE(int(f.Pagina->Model().Zone.size()), inainte - 1);
    f.Zona("FormularTextArea13")->SetText("TREISPREZECE");
    QCOMPARE(f.Zona("FormularTextArea11")->Text(), QString("FormularTextArea11"));
    const QString pdf = m_dosar->filePath("fara12.pdf");
    Tipareste(f.Pagina, pdf, TTiparire{});
    QStringList cuvinte;
    for (const TCuvantPdf& c : CitestePdf(pdf).Cuvinte)
        cuvinte << c.Text;
    QVERIFY(!cuvinte.contains("FormularTextArea12"));
    QVERIFY(cuvinte.contains("TREISPREZECE") && !cuvinte.contains("FormularTextArea13"));
    QVERIFY(cuvinte.contains("FormularTextArea11") && cuvinte.contains("FormularTextArea14"));
}

void TestTiparire::overLongTextShrinksToFit()
{
    TFormularTest f;
    f.Completeaza(TextFaraSpatii);
    TFormularTextArea* judet = f.Zona("FormularTextArea6"); // 21.8 mm wide
    const QString lung = QStringLiteral("CARAŞ-SEVERIN-ŞI-HUNEDOARA");
    judet->SetText(lung);

    const QString pdf = m_dosar->filePath("lung.pdf");
    QCOMPARE(Tipareste(f.Pagina, pdf, TTiparire{}), QStringList());
    const TDocumentPdf doc = CitestePdf(pdf);
    const auto it =
        std::find_if(doc.Cuvinte.begin(), doc.Cuvinte.end(), [&](const TCuvantPdf& c) { return c.Text == lung; });
    QVERIFY(it != doc.Cuvinte.end());
    const QRectF zona(judet->LeftMm(), judet->TopMm(), judet->WidthMm(), judet->HeightMm());
    QVERIFY2(it->Mm.left() >= zona.left() - 0.05 && it->Mm.right() <= zona.right() + 0.05,
             qPrintable(QStringLiteral("%1..%2 outside %3..%4")
                            .arg(it->Mm.left())
                            .arg(it->Mm.right())
                            .arg(zona.left())
                            .arg(zona.right())));
    QVERIFY(qAbs(it->Mm.bottom() - zona.bottom()) <= kToleranta);
    // Only as much smaller as needed: one pixel taller would not fit.
    QVERIFY(it->Mm.height() < 0.8 * zona.height());

    // On screen: the same loop in screen pixels.
    const TAspectText a = AspectEfectiv(lung, judet->Alignment(), judet->Font(), nullptr);
    const TTextPlasat t = PlaseazaPeEcran(a, judet->size(), judet->p_dpi(), judet);
    QVERIFY(t.Font.Incape);
    QVERIFY(t.Font.LatimeText <= judet->width());
    QVERIFY(t.Font.InaltimeCeruta < InaltimeStartEcran(judet->p_dpi(), judet->Font()->Size(), judet->height()));
    const TFontPotrivit maiMare = PotrivesteFont(a, t.Font.InaltimeCeruta + 1, judet->width(), judet);
    QVERIFY(maiMare.InaltimeCeruta < t.Font.InaltimeCeruta + 1);
}

void TestTiparire::textThatCannotFitIsReported()
{
    TFormularTest f;
    f.Completeaza([](const TFormularTextArea*) { return QString(); });
    f.Zona("FormularTextArea11")->SetText(QString(400, 'W'));
    const QString pdf = m_dosar->filePath("taiat.pdf");
    QCOMPARE(Tipareste(f.Pagina, pdf, TTiparire{}), QStringList{"FormularTextArea11"});

    TFormularTextArea* z = f.Zona("FormularTextArea11");
    const TTextPlasat t =
        PlaseazaPeEcran(AspectEfectiv(z->Text(), z->Alignment(), z->Font(), nullptr), z->size(), z->p_dpi(), z);
    QVERIFY(!t.Font.Incape);
    QCOMPARE(t.Font.InaltimeCeruta, 2);
}

void TestTiparire::fontTallerThanItsAreaStartsAtTheAreaHeight()
{
    TFormularTest f;
    f.Completeaza([](const TFormularTextArea*) { return QString(); });
    TFormularTextArea* z = f.Zona("FormularTextArea29"); // 4.53 mm high
    z->SetText(QStringLiteral("POP"));
    TParticularizareTextArea* r = z->FindAdjustment(true);
    r->NumeFont = QStringLiteral("FontFormular6"); // 8 mm
    const QString pdf = m_dosar->filePath("inalt.pdf");
    Tipareste(f.Pagina, pdf, TTiparire{});
    const TDocumentPdf doc = CitestePdf(pdf);
    QCOMPARE(doc.Cuvinte.size(), 1);
    QVERIFY2(qAbs(doc.Cuvinte.first().Mm.height() - z->HeightMm()) <= kToleranta,
             qPrintable(QString::number(doc.Cuvinte.first().Mm.height())));
}

void TestTiparire::redefinedText_data()
{
    QTest::addColumn<QString>("zona");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tiparit");
    QTest::newRow("whole value replaced") << "FormularTextArea5"
                                          << "CLUJ"
                                          << "ALBA-IULIA";
    QTest::newRow("empty area shows it") << "FormularTextArea5"
                                         << ""
                                         << "ALBA-IULIA";
    QTest::newRow("digit box ignores it") << "FormularTextArea11"
                                          << "5"
                                          << "5";
}

void TestTiparire::redefinedText()
{
    QFETCH(QString, zona);
    QFETCH(QString, text);
    TFormularTest f;
    f.Completeaza([](const TFormularTextArea*) { return QString(); });
    f.Zona(zona)->SetText(text);
    f.Zona(zona)->FindAdjustment(true)->TextRedefinit = QStringLiteral("ALBA-IULIA");
    const QString pdf = m_dosar->filePath("redefinit.pdf");
    Tipareste(f.Pagina, pdf, TTiparire{});
    const TDocumentPdf doc = CitestePdf(pdf);
    QCOMPARE(doc.Cuvinte.size(), 1);
    QTEST(doc.Cuvinte.first().Text, "tiparit");
}

void TestTiparire::textWithoutFontIsAnError()
{
    TFormularTest f;
    f.Completeaza([](const TFormularTextArea*) { return QString(); });
    f.Zona("FormularTextArea1")->SetText("ION");
    f.Zona("FormularTextArea1")->SetFont(nullptr);
    QString eroare;
    try {
        Tipareste(f.Pagina, m_dosar->filePath("farafont.pdf"), TTiparire{});
    } catch (const EEroare& e) {
        eroare = e.Mesaj();
    }
    QCOMPARE(eroare, QStringLiteral("Campul FormularTextArea1 nu are font si nu poate fi tiparit."));
}

void TestTiparire::filledCertificateRendersWithEveryValueInItsBox()
{
    // The layout's own sample texts, blanks included.
    TFormularTest f;
    const QString pdf = m_dosar->filePath("certificat.pdf");
    QCOMPARE(Tipareste(f.Pagina, pdf, TTiparire{}), QStringList());
    const TDocumentPdf doc = CitestePdf(pdf);

    int cuvinteAsteptate = 0;
    for (const TFormularTextArea* z : f.Pagina->Zone())
        cuvinteAsteptate += z->Text().split(' ', Qt::SkipEmptyParts).size();
    QCOMPARE(doc.Cuvinte.size(), cuvinteAsteptate);
    for (const TCuvantPdf& c : doc.Cuvinte) {
        bool inCasuta = false;
        for (const TFormularTextArea* z : f.Pagina->Zone()) {
            const QRectF zona =
                QRectF(z->LeftMm(), z->TopMm(), z->WidthMm(), z->HeightMm()).adjusted(-0.1, -0.1, 0.1, 0.1);
            inCasuta = inCasuta || (zona.contains(c.Mm) && z->Text().contains(c.Text));
        }
        QVERIFY2(inCasuta, qPrintable(c.Text));
    }

    const QString png = RandeazaPdfLaPng(pdf, m_dosar->filePath("certificat"), 150);
    QVERIFY(!png.isEmpty());
    QImage imagine(png);
    QVERIFY(qAbs(imagine.width() - 1754) <= 1 && qAbs(imagine.height() - 1240) <= 1);
}

QTEST_MAIN(TestTiparire)
#include "TestTiparire.moc"
