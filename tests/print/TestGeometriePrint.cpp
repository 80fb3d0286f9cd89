// Millimetre geometry of the page and its areas on screen, and the device arithmetic of printing.

#include "UFormularTest.h"

#include "print/UGeometriePrint.h"
#include "print/UMachetaFormular.h"
#include "print/UParticularizari.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace {
// The certificate's areas in child order: name, key, character position, left, top, width and height in
// millimetres (three decimals), pixels at zoom 200, font, alignment (c centre, l left).
const char* const kTabelCertificat =
    "FormularTextArea1 C_NUME_L1 - 39.760 77.130 48.065 3.397 316 613 382 27 Stanga_nume_mic c\n"
    "FormularTextArea2 C_NUME_L2 - 17.993 81.156 69.832 3.775 143 645 555 30 VERSO_1_BOLD c\n"
    "FormularTextArea3 C_UNITATEA_L1 - 21.768 90.090 66.058 3.523 173 716 525 28 Stanga c\n"
    "FormularTextArea4 C_UNITATEA_L2 - 17.615 94.368 68.951 3.397 140 750 548 27 Stanga_mic c\n"
    "FormularTextArea5 C_LOCALITATEA - 33.847 107.454 53.853 3.397 269 854 428 27 Stanga_mic c\n"
    "FormularTextArea6 C_JUDETUL - 29.569 111.606 21.768 3.397 235 887 173 27 Stanga_mic c\n"
    "FormularTextArea11 C_CNP 1 27.430 125.195 4.530 6.794 218 995 36 54 Stanga c\n"
    "FormularTextArea12 C_CNP 2 32.085 125.195 4.530 6.794 255 995 36 54 Stanga c\n"
    "FormularTextArea13 C_CNP 3 36.615 125.195 4.530 6.794 291 995 36 54 Stanga c\n"
    "FormularTextArea14 C_CNP 4 41.396 125.195 4.530 6.794 329 995 36 54 Stanga c\n"
    "FormularTextArea15 C_CNP 5 46.052 125.195 4.530 6.794 366 995 36 54 Stanga c\n"
    "FormularTextArea16 C_CNP 6 50.581 125.195 4.530 6.794 402 995 36 54 Stanga c\n"
    "FormularTextArea17 C_CNP 7 55.362 125.195 4.530 6.794 440 995 36 54 Stanga c\n"
    "FormularTextArea18 C_CNP 8 59.892 125.195 4.530 6.794 476 995 36 54 Stanga c\n"
    "FormularTextArea19 C_CNP 9 64.548 125.195 4.530 6.794 513 995 36 54 Stanga c\n"
    "FormularTextArea20 C_CNP 10 69.329 125.195 4.530 6.794 551 995 36 54 Stanga c\n"
    "FormularTextArea21 C_CNP 11 73.984 125.195 4.530 6.794 588 995 36 54 Stanga c\n"
    "FormularTextArea22 C_CNP 12 78.766 125.195 4.530 6.794 626 995 36 54 Stanga c\n"
    "FormularTextArea23 C_CNP 13 83.170 125.195 4.530 6.794 661 995 36 54 Stanga c\n"
    "FormularTextArea28 A_LOCALITATEA_L2 - 120.917 105.189 56.369 4.278 961 836 448 34 DREAPTA_BOLD c\n"
    "FormularTextArea29 C_DIRECTOR - 23.026 165.081 37.495 4.530 183 1312 298 36 DREAPTA_BOLD c\n"
    "FormularTextArea31 A_SPECIALIZAREA - 148.724 119.658 117.394 4.404 1182 951 933 35 DREAPTA_BOLD c\n"
    "FormularTextArea32 A_UNITATEA_L2 - 120.288 91.222 146.459 4.530 956 725 1164 36 DREAPTA_BOLD c\n"
    "FormularTextArea37 A_CNP 1 136.141 125.069 4.026 6.543 1082 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea38 A_CNP 2 140.923 125.069 4.026 6.543 1120 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea39 A_CNP 3 145.704 125.069 4.026 6.543 1158 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea40 A_CNP 4 150.234 125.069 4.026 6.543 1194 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea41 A_CNP 5 155.015 125.069 4.026 6.543 1232 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea42 A_CNP 6 159.670 125.069 4.026 6.543 1269 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea43 A_CNP 7 164.452 125.069 4.026 6.543 1307 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea44 A_CNP 8 168.856 125.069 4.026 6.543 1342 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea45 A_CNP 9 173.385 125.069 4.026 6.543 1378 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea46 A_CNP 10 178.041 125.069 4.026 6.543 1415 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea47 A_CNP 11 182.822 125.069 4.026 6.543 1453 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea48 A_CNP 12 187.226 125.069 4.026 6.543 1488 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea49 A_CNP 13 191.881 125.069 4.026 6.543 1525 994 32 52 DREAPTA_BOLD c\n"
    "FormularTextArea51 A_AN_ABSOLVIRE 4 224.847 85.434 2.516 4.278 1787 679 20 34 DREAPTA_BOLD l\n"
    "FormularTextArea55 A_DIRECTOR - 134.128 161.558 58.005 5.788 1066 1284 461 46 DREAPTA_BOLD c\n"
    "FormularTextArea36 A_NUME - 143.942 75.620 122.804 6.291 1144 601 976 50 dreapta_nume c\n"
    "FormularTextArea26 C_COD_SIRUES 1 33.595 98.143 5.788 6.794 267 780 46 54 Stanga c\n"
    "FormularTextArea27 C_COD_SIRUES 2 39.760 98.143 5.536 6.794 316 780 44 54 Stanga c\n"
    "FormularTextArea30 C_COD_SIRUES 3 45.674 98.143 5.536 6.794 363 780 44 54 Stanga c\n"
    "FormularTextArea33 C_COD_SIRUES 5 57.879 98.143 5.536 6.794 460 780 44 54 Stanga c\n"
    "FormularTextArea50 C_COD_SIRUES 4 51.714 98.143 5.536 6.794 411 780 44 54 Stanga c\n"
    "FormularTextArea52 C_COD_SIRUES 6 64.170 98.143 5.536 6.794 510 780 44 54 Stanga c\n"
    "FormularTextArea53 C_COD_SIRUES 7 69.832 98.143 5.536 6.794 555 780 44 54 Stanga c\n"
    "FormularTextArea54 C_COD_SIRUES 8 75.872 98.143 5.536 6.794 603 780 44 54 Stanga c\n"
    "FormularTextArea60 C_COD_SIRUES 9 82.037 98.143 5.536 6.794 652 780 44 54 Stanga c\n"
    "FormularTextArea63 A_COD_SIRUES 1 146.207 96.129 5.914 6.543 1162 764 47 52 DREAPTA_BOLD c\n"
    "FormularTextArea64 A_COD_SIRUES 2 152.876 96.129 5.914 6.543 1215 764 47 52 DREAPTA_BOLD c\n"
    "FormularTextArea66 A_COD_SIRUES 3 159.545 96.129 5.914 6.543 1268 764 47 52 DREAPTA_BOLD c\n"
    "FormularTextArea69 A_COD_SIRUES 4 166.087 96.129 5.914 6.543 1320 764 47 52 DREAPTA_BOLD c\n"
    "FormularTextArea78 A_COD_SIRUES 5 172.630 96.129 5.914 6.543 1372 764 47 52 DREAPTA_BOLD c\n"
    "FormularTextArea79 A_COD_SIRUES 6 179.551 96.129 5.914 6.543 1427 764 47 52 DREAPTA_BOLD c\n"
    "FormularTextArea80 A_COD_SIRUES 7 186.219 96.129 5.914 6.543 1480 764 47 52 DREAPTA_BOLD c\n"
    "FormularTextArea81 A_COD_SIRUES 8 193.140 96.129 5.914 6.543 1535 764 47 52 DREAPTA_BOLD c\n"
    "FormularTextArea82 A_COD_SIRUES 9 199.934 96.129 5.914 6.543 1589 764 47 52 DREAPTA_BOLD c\n"
    "FormularTextArea84 C_ABREVIERE - 23.781 76.627 13.086 4.026 189 609 104 32 VERSO_1_BOLD l\n"
    "FormularTextArea85 A_ABREVIERE - 128.089 77.507 13.212 4.404 1018 616 105 35 VERSO_1_BOLD l\n"
    "FormularTextArea62 C_FILIERA - 66.183 111.606 21.138 3.397 526 887 168 27 VERSO_1_BOLD c\n"
    "FormularTextArea86 C_AN_ABSOLVIRE 4 86.315 86.189 2.642 3.523 686 685 21 28 LimbaMaterna l\n"
    "FormularTextArea94 C_PROFILUL - 30.575 115.884 56.747 3.523 243 921 451 28 Stanga_mic c\n"
    "FormularTextArea97 C_SPECIALIZAREA - 39.257 120.288 48.191 3.523 312 956 383 28 Stanga_mic c\n"
    "FormularTextArea98 C_SECRETAR - 60.395 171.624 32.211 3.775 480 1364 256 30 Stanga_mic c\n"
    "FormularTextArea103 A_JUDETUL - 197.040 105.315 69.581 4.278 1566 837 553 34 DREAPTA_BOLD c\n"
    "FormularTextArea112 A_FILIERA - 134.254 112.235 49.071 4.530 1067 892 390 36 DREAPTA_BOLD c\n"
    "FormularTextArea113 A_PROFILUL - 201.947 112.486 64.673 4.152 1605 894 514 33 DREAPTA_BOLD c\n"
    "FormularTextArea118 A_SECRETAR - 217.298 166.717 45.171 5.033 1727 1325 359 40 DREAPTA_BOLD c\n"
    "FormularTextArea76 A_UNITATEA_L1 - 234.536 84.302 32.085 4.655 1864 670 255 37 DREAPTA_BOLD c\n"
    "FormularTextArea7 A_LOCALITATEA_L1 - 232.774 97.891 33.847 4.278 1850 778 269 34 DREAPTA_BOLD c\n";

struct TZonaTabel
{
    QString nume, cheie, pozitie, font;
    double mm[4];
    int px200[4];
    TAlignment aliniere;
};

QList<TZonaTabel> TabelCertificat()
{
    QList<TZonaTabel> tabel;
    for (const QString& linie : QString::fromLatin1(kTabelCertificat).split('\n', Qt::SkipEmptyParts)) {
        const QStringList c = linie.split(' ');
        TZonaTabel z{c[0], c[1], c[2] == "-" ? QString() : c[2],         c[11],
                     {},   {},   c[12] == "c" ? taCenter : taLeftJustify};
        for (int i = 0; i < 4; ++i) {
            z.mm[i] = c[3 + i].toDouble();
            z.px200[i] = c[7 + i].toInt();
        }
        tabel << z;
    }
    return tabel;
}

// Counts the zoom notifications the page sends to an area.
class TZonaNumarata : public TFormularTextArea
{
public:
    using TFormularTextArea::TFormularTextArea;
    void ZoomChanged() override
    {
        ++apeluri;
        TFormularTextArea::ZoomChanged();
    }
    int apeluri = 0;
};
} // namespace

class TestGeometriePrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void screenDpi_data();
    void screenDpi();
    void mmToPixels_data();
    void mmToPixels();
    void pageSize_data();
    void pageSize();
    void layoutMatchesTheCertificateTable();
    void areaRectanglesAtZoom_data();
    void areaRectanglesAtZoom();
    void firstStubCnpBoxAtZoom100();
    void zoomKeepsMillimetres();
    void settingTheSameZoomDoesNotRelayout();
    void pageKeepsItsPixelSize();
    void resizeByHand_data();
    void resizeByHand();
    void areaOutsideAPage();
    void deviceRectangle_data();
    void deviceRectangle();
    void mirrorIsAPointReflection();
    void printerCapabilities_data();
    void printerCapabilities();
    void printerFontStartsNoTallerThanTheArea();

private:
    QTemporaryDir m_dosar;
};

void TestGeometriePrint::initTestCase()
{
    QVERIFY(m_dosar.isValid());
    ReseteazaParticularizari(m_dosar.filePath("licenta.lic"));
}

void TestGeometriePrint::screenDpi_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("dpi");
    QTest::newRow("100 %") << 100.0 << 100.934783616;
    QTest::newRow("200 %") << 200.0 << 201.869567232;
    QTest::newRow("110 %") << 110.0 << 105.6 * 1.051403996;
}

void TestGeometriePrint::screenDpi()
{
    QFETCH(double, zoom);
    QFETCH(double, dpi);
    QVERIFY(qAbs(ScreenDpi(zoom) - dpi) < 1e-9);
}

void TestGeometriePrint::mmToPixels_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<double>("mm");
    QTest::addColumn<int>("pixeli");
    QTest::newRow("truncated, not rounded") << 254.0 << 1.09 << 10;
    QTest::newRow("exact inch") << 96.0 << 25.4 << 96;
    QTest::newRow("negative toward zero") << 254.0 << -1.09 << -10;
    QTest::newRow("645 px back from its mm at zoom 200") << ScreenDpi(200) << PixelsToMm(645, ScreenDpi(200)) << 645;
    QTest::newRow("548 px back from its mm at zoom 200") << ScreenDpi(200) << PixelsToMm(548, ScreenDpi(200)) << 548;
    QTest::newRow("half of 548 at zoom 100") << ScreenDpi(100) << PixelsToMm(548, ScreenDpi(200)) << 274;
}

void TestGeometriePrint::mmToPixels()
{
    QFETCH(double, dpi);
    QFETCH(double, mm);
    QFETCH(int, pixeli);
    QCOMPARE(MmToPixels(dpi, mm), pixeli);
}

void TestGeometriePrint::pageSize_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QSize>("marime");
    QTest::newRow("100 %") << 100.0 << QSize(1163, 823);
    QTest::newRow("110 %") << 110.0 << QSize(1279, 905);
    QTest::newRow("200 %") << 200.0 << QSize(2326, 1646);
}

void TestGeometriePrint::pageSize()
{
    QFETCH(double, zoom);
    QFETCH(QSize, marime);
    TFormularTest f;
    QCOMPARE(f.Pagina->size(), QSize(1163, 823));
    f.Pagina->SetZoom(zoom);
    QCOMPARE(f.Pagina->size(), marime);
}

void TestGeometriePrint::layoutMatchesTheCertificateTable()
{
    TFormularTest f;
    const QList<TFormularTextArea*> zone = f.Pagina->Zone();
    const QList<TZonaTabel> tabel = TabelCertificat();
    QCOMPARE(zone.size(), 70);
    QCOMPARE(tabel.size(), 70);
    QCOMPARE(f.Pagina->objectName(), QStringLiteral("FormularDePrintat1"));
    QCOMPARE(f.Fereastra->objectName(), QStringLiteral("PrintTessalunaForm"));
    QCOMPARE(f.Pagina->Latime(), 292.777);
    QCOMPARE(f.Pagina->Inaltime(), 207.179);
    QVERIFY(!f.Pagina->BkImage().isNull());
    QCOMPARE(f.Fereastra->findChildren<TFontFormular*>(QString(), Qt::FindDirectChildrenOnly).size(), 22);

    QHash<QString, int> folosire;
    for (int i = 0; i < 70; ++i) {
        const TFormularTextArea* z = zone[i];
        const TZonaTabel& t = tabel[i];
        QCOMPARE(z->objectName(), t.nume);
        QCOMPARE(z->Denumire1(), "Tessaluna.FATA." + t.cheie);
        QCOMPARE(z->Denumire2(), t.pozitie);
        QCOMPARE(z->Denumire3(), QString());
        QCOMPARE(z->Font()->objectName(), t.font);
        QCOMPARE(z->Alignment(), t.aliniere);
        QCOMPARE(z->ZoomLock(), 200.0);
        QCOMPARE(z->SursaText().size(), 2);
        const double mm[4] = {z->LeftMm(), z->TopMm(), z->WidthMm(), z->HeightMm()};
        for (int k = 0; k < 4; ++k) {
            QVERIFY2(qAbs(mm[k] - t.mm[k]) < 0.0005, qPrintable(t.nume));
            QVERIFY2(qAbs(mm[k] - PixelsToMm(t.px200[k], ScreenDpi(200))) < 1e-9, qPrintable(t.nume));
        }
        ++folosire[t.font];
    }
    QCOMPARE(folosire.value("DREAPTA_BOLD"), 34);
    QCOMPARE(folosire.value("Stanga"), 23);
    QCOMPARE(folosire.value("Stanga_mic"), 6);
    QCOMPARE(folosire.value("VERSO_1_BOLD"), 4);
}

void TestGeometriePrint::areaRectanglesAtZoom_data()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("100 % (the preview)") << 100.0;
    QTest::newRow("200 % (the design zoom)") << 200.0;
}

void TestGeometriePrint::areaRectanglesAtZoom()
{
    QFETCH(double, zoom);
    TFormularTest f;
    f.Pagina->SetZoom(zoom);
    const int impartitor = zoom == 100 ? 2 : 1;
    for (const TZonaTabel& t : TabelCertificat()) {
        const QRect asteptat(t.px200[0] / impartitor, t.px200[1] / impartitor, t.px200[2] / impartitor,
                             t.px200[3] / impartitor);
        QCOMPARE(f.Zona(t.nume)->geometry(), asteptat);
    }
}

void TestGeometriePrint::firstStubCnpBoxAtZoom100()
{
    TFormularTest f;
    QCOMPARE(f.Zona("FormularTextArea11")->geometry(), QRect(109, 497, 18, 27));
}

void TestGeometriePrint::zoomKeepsMillimetres()
{
    TFormularTest f;
    TFormularTextArea* z = f.Zona("FormularTextArea36");
    const QRectF mm(z->LeftMm(), z->TopMm(), z->WidthMm(), z->HeightMm());
    double zoom = 100;
    for (int pas = 0; pas < 5; ++pas) {
        zoom *= 1.1;
        f.Pagina->SetZoom(zoom);
        QCOMPARE(QRectF(z->LeftMm(), z->TopMm(), z->WidthMm(), z->HeightMm()), mm);
        const double dpi = ScreenDpi(zoom);
        QCOMPARE(z->geometry(), QRect(MmToPixels(dpi, mm.left()), MmToPixels(dpi, mm.top()),
                                      MmToPixels(dpi, mm.width()), MmToPixels(dpi, mm.height())));
    }
    f.Pagina->SetZoom(100);
    QCOMPARE(z->geometry(), QRect(572, 300, 488, 25));
}

void TestGeometriePrint::settingTheSameZoomDoesNotRelayout()
{
    TFormularDePrintat pagina;
    pagina.SetLatime(100);
    pagina.SetInaltime(50);
    auto* a = new TZonaNumarata(&pagina);
    auto* b = new TZonaNumarata(&pagina);
    pagina.SetZoom(100);
    QCOMPARE(a->apeluri, 0);
    pagina.SetZoom(120);
    QCOMPARE(a->apeluri, 1);
    QCOMPARE(b->apeluri, 1);
    pagina.SetZoom(120);
    QCOMPARE(a->apeluri, 1);
}

void TestGeometriePrint::pageKeepsItsPixelSize()
{
    TFormularTest f;
    f.Pagina->resize(500, 400);
    QCOMPARE(f.Pagina->size(), QSize(1163, 823));

    // A layout stretching it inside a larger window.
    QWidget gazda;
    auto* l = new QVBoxLayout(&gazda);
    f.Pagina->setParent(&gazda);
    l->addWidget(f.Pagina);
    gazda.resize(1600, 1200);
    gazda.show();
    QVERIFY(QTest::qWaitForWindowExposed(&gazda));
    QCOMPARE(f.Pagina->size(), QSize(1163, 823));
    f.Pagina->setParent(f.Fereastra.get());
}

void TestGeometriePrint::resizeByHand_data()
{
    QTest::addColumn<double>("zoomLock");
    QTest::addColumn<bool>("miscatDeMana");
    QTest::newRow("at the zoom it was placed at: a designer's move") << 100.0 << true;
    QTest::newRow("never placed: a designer's move") << 0.0 << true;
    QTest::newRow("placed at another zoom: restored from millimetres") << 200.0 << false;
}

void TestGeometriePrint::resizeByHand()
{
    QFETCH(double, zoomLock);
    QFETCH(bool, miscatDeMana);
    TFormularDePrintat pagina;
    pagina.SetLatime(200);
    pagina.SetInaltime(100);
    auto* z = new TFormularTextArea(&pagina);
    z->SetLeftMm(10);
    z->SetTopMm(20);
    z->SetWidthMm(30);
    z->SetHeightMm(5);
    z->SetZoomLock(zoomLock);
    z->ZoomChanged();
    const QRect dinMm = z->geometry();
    // Hidden widgets get their move and resize notifications only when shown.
    pagina.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pagina));
    QCOMPARE(z->LeftMm(), 10.0);

    z->setGeometry(100, 110, 60, 30);
    const double dpi = ScreenDpi(100);
    if (miscatDeMana) {
        QCOMPARE(z->LeftMm(), PixelsToMm(100, dpi));
        QCOMPARE(z->TopMm(), PixelsToMm(110, dpi));
        QCOMPARE(z->WidthMm(), PixelsToMm(60, dpi));
        QCOMPARE(z->HeightMm(), PixelsToMm(30, dpi));
        QCOMPARE(z->ZoomLock(), 100.0);
        QCOMPARE(z->geometry(), QRect(100, 110, 60, 30));
    } else {
        QCOMPARE(z->LeftMm(), 10.0);
        QCOMPARE(z->HeightMm(), 5.0);
        QCOMPARE(z->geometry(), dinMm);
    }
}

void TestGeometriePrint::areaOutsideAPage()
{
    QWidget parinte;
    auto* z = new TFormularTextArea(&parinte);
    QCOMPARE(z->p_zoom(), 100.0);
    QCOMPARE(z->p_dpi(), 96.0);
    z->SetLeftMm(25.4);
    z->SetWidthMm(12.7);
    z->SetHeightMm(2.54);
    z->ZoomChanged();
    QCOMPARE(z->geometry(), QRect(96, 0, 48, 9));
}

void TestGeometriePrint::deviceRectangle_data()
{
    QTest::addColumn<TCapabilitati>("cap");
    QTest::addColumn<QRectF>("mm");
    QTest::addColumn<QRect>("ltrb");
    TCapabilitati unu{1000, 1000, 1000, 1000, 1000, 1000, 0, 0};
    QTest::newRow("ties round to even (2.5 -> 2, 3.5 -> 4)")
        << unu << QRectF(2.5, 3.5, 10.5, 11.5) << QRect(QPoint(2, 4), QPoint(12, 16));
    TCapabilitati cuMargini{900, 800, 450, 400, 1000, 900, 30, 40};
    QTest::newRow("2 units per mm, relative to the printable corner")
        << cuMargini << QRectF(10, 20, 5, 3) << QRect(QPoint(20 - 30, 40 - 40), QPoint(-10 + 10, 0 + 6));
}

void TestGeometriePrint::deviceRectangle()
{
    QFETCH(TCapabilitati, cap);
    QFETCH(QRectF, mm);
    QFETCH(QRect, ltrb);
    const TDreptunghiDispozitiv r = DreptunghiPeDispozitiv(cap, mm.left(), mm.top(), mm.width(), mm.height());
    QCOMPARE(QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)), ltrb);
    QCOMPARE(r.W(), ltrb.width());
}

void TestGeometriePrint::mirrorIsAPointReflection()
{
    // Paper 1000 x 700 with unequal unprintable margins: the centre of the paper in printable-area
    // coordinates is (500 - 30, 350 - 20).
    const TCapabilitati cap{900, 600, 0, 0, 1000, 700, 30, 20};
    const QPoint p(100, 50);
    const QPoint q = RotestePunct(cap, p);
    QCOMPARE((p + q) / 2, QPoint(470, 330));
    QCOMPARE(RotestePunct(cap, q), p);

    const TDreptunghiDispozitiv r{100, 50, 180, 70};
    const TDreptunghiDispozitiv t = RotesteDreptunghi(cap, r);
    QCOMPARE(t.W(), r.W());
    QCOMPARE(t.H(), r.H());
    QCOMPARE(t.Left + r.Right, 2 * 470);
    QCOMPARE(t.Top + r.Bottom, 2 * 330);
    QCOMPARE(RotesteDreptunghi(cap, t), r);
}

void TestGeometriePrint::printerCapabilities_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("1200 dpi") << 1200;
    QTest::newRow("600 dpi") << 600;
}

void TestGeometriePrint::printerCapabilities()
{
    QFETCH(int, dpi);
    QPrinter imprimanta(QPrinter::HighResolution);
    imprimanta.setOutputFormat(QPrinter::PdfFormat);
    imprimanta.setResolution(dpi);
    imprimanta.setPageSize(QPageSize(QPageSize::A4));
    imprimanta.setPageOrientation(QPageLayout::Landscape);
    imprimanta.setPageMargins(QMarginsF(6.35, 4.2, 5, 7), QPageLayout::Millimeter);
    const TCapabilitati cap = CapabilitatiDispozitiv(imprimanta);
    const QRect pagina = imprimanta.pageRect(QPrinter::DevicePixel).toRect();
    const QRect hartie = imprimanta.paperRect(QPrinter::DevicePixel).toRect();
    QCOMPARE(cap.HorzRes, pagina.width());
    QCOMPARE(cap.VertRes, pagina.height());
    QCOMPARE(cap.PhysicalWidth, hartie.width());
    QCOMPARE(cap.PhysicalHeight, hartie.height());
    QCOMPARE(cap.PhysicalOffsetX, pagina.left());
    QCOMPARE(cap.PhysicalOffsetY, pagina.top());
    // The density is the device's own: a millimetre is dpi / 25.4 units across the whole page.
    QVERIFY(qAbs(cap.HorzRes / cap.HorzSize - dpi / 25.4) < 1e-9);
    QVERIFY(qAbs(cap.VertRes / cap.VertSize - dpi / 25.4) < 1e-9);
    QVERIFY(qAbs(DpiFontImprimanta(cap) - dpi) < 0.1 * dpi / 100);
}

void TestGeometriePrint::printerFontStartsNoTallerThanTheArea()
{
    const TCapabilitati cap{13000, 9000, 0, 0, 14033, 9921, 0, 0};
    QCOMPARE(InaltimeStartImprimanta(cap, 4.0, 6.794), MmToPixels(DpiFontImprimanta(cap), 4.0));
    QCOMPARE(InaltimeStartImprimanta(cap, 8.0, 4.53), MmToPixels(DpiFontImprimanta(cap), 4.53));
    QCOMPARE(InaltimeStartEcran(ScreenDpi(100), 0.1, 13), 1);
    QCOMPARE(InaltimeStartEcran(ScreenDpi(100), 2.5, 13), 9);
    QCOMPARE(InaltimeStartEcran(ScreenDpi(100), 4.0, 13), 13);
}

QTEST_MAIN(TestGeometriePrint)
#include "TestGeometriePrint.moc"
