// The virtual grid's rules that need no widget: display formats of the cell types, the grouped header's
// captions and word wrap, the style a line paints with, the font bits, the hover ramp, the dimensions after
// a rebuild, the keys that open the editor and the large-font scaler with its file.
#include "controls/UKivGridFormat.h"
#include "controls/UKivLargeFonts.h"
#include "platform/UEroare.h"
#include "settings/UCulori.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(TKivValoareDate)

class TestKivGrilaFormat : public QObject
{
    Q_OBJECT
private slots:
    void Formate_data();
    void Formate();
    void TipIncorect();
    void Grupuri_data();
    void Grupuri();
    void Randuri_data();
    void Randuri();
    void Stiluri_data();
    void Stiluri();
    void FormatFont_data();
    void FormatFont();
    void RampaHover();
    void Dimensiuni_data();
    void Dimensiuni();
    void TasteDeDeschidere_data();
    void TasteDeDeschidere();
    void FisierFonturi_data();
    void FisierFonturi();
    void FisierFonturiLipsa();
    void DosarNeinscriptibil();
    void Scalare_data();
    void Scalare();
};

namespace {
TKivValoareDate Valoare(const QVariant& v, TKivTipDeDateColoana tip)
{
    TKivValoareDate d;
    d.Seteaza(v, tip);
    return d;
}
} // namespace

void TestKivGrilaFormat::Formate_data()
{
    QTest::addColumn<TKivValoareDate>("valoare");
    QTest::addColumn<QString>("text");
    TKivValoareDate bani;
    bani.SetAsCurrency(12345678910); // 1234567.891
    QTest::newRow("bani cu mii, zecimale taiate") << bani << "1.234.567,89";
    bani.SetAsCurrency(-19999);
    QTest::newRow("bani negativi, taiati nu rotunjiti") << bani << "-1,99";
    bani.SetAsCurrency(0);
    QTest::newRow("bani zero") << bani << "0,00";
    TKivValoareDate intreg;
    intreg.SetAsInteger(-421);
    QTest::newRow("intreg") << intreg << "-421";
    QTest::newRow("sutimi negative sub unu") << Valoare(-5, atIntegerDouaZecimale) << "-0,05";
    QTest::newRow("sutimi fara separator de mii") << Valoare(123456789, atIntegerDouaZecimale) << "1234567,89";
    QTest::newRow("sutimi rotunde") << Valoare(700, atIntegerDouaZecimale) << "7,00";
    TKivValoareDate text;
    text.SetAsString(QStringLiteral("Şcoală"));
    QTest::newRow("text") << text << QStringLiteral("Şcoală");
    TKivValoareDate data;
    data.SetAsDataScurtFaraAn(QDate(2006, 3, 5));
    QTest::newRow("zi si luna") << data << "05/03";
    data.SetAsDataScurtCuAn(QDate(2006, 3, 5));
    QTest::newRow("zi, luna, an scurt") << data << "05/03/06";
    data.SetAsDataScurtCuAn(QDate(123, 12, 1));
    QTest::newRow("an sub 1000") << data << "01/12/3?";
    data.SetAsDataLung(QDate(2006, 3, 5));
    QTest::newRow("data lunga") << data << "5 martie 2006";
    data.SetAsDataLung(QDate(1999, 12, 31));
    QTest::newRow("data lunga decembrie") << data << "31 decembrie 1999";
}

void TestKivGrilaFormat::Formate()
{
    QFETCH(TKivValoareDate, valoare);
    QFETCH(QString, text);
    QCOMPARE(TextValoare(valoare), text);
}

void TestKivGrilaFormat::TipIncorect()
{
    TKivValoareDate v;
    QCOMPARE(v.Tip(), atAuto);
    v.SetAsInteger(5);
    QCOMPARE(v.Tip(), atInteger);
    try {
        v.AsCurrency();
        QFAIL("un getter de alt tip a citit valoarea");
    } catch (const EEroare& e) {
        QCOMPARE(e.Mesaj(), QStringLiteral("Tip incorect"));
    }
    QCOMPARE(v.AsInteger(), 5);
    try {
        TextValoare(TKivValoareDate());
        QFAIL("o valoare fara tip a fost afisata");
    } catch (const EEroare& e) {
        QCOMPARE(e.Mesaj(), QStringLiteral("Bug! Nu stiu citi tipul de date!"));
    }
}

void TestKivGrilaFormat::Grupuri_data()
{
    QTest::addColumn<QStringList>("umbrele");
    QTest::addColumn<int>("coloana");
    QTest::addColumn<int>("prima");
    QTest::addColumn<int>("ultima");
    const QStringList despartit = {"Note", "Note", "Medii", "Note"};
    QTest::newRow("grup la inceput") << despartit << 1 << 0 << 1;
    QTest::newRow("o coloana intre doua egale desparte grupul") << despartit << 3 << 3 << 3;
    QTest::newRow("coloana din mijloc singura") << despartit << 2 << 2 << 2;
    const QStringList bare = {"a|Sem", "a|Sem", "b|Sem", "b|Sem"};
    QTest::newRow("partea dinainte de bara decide grupul") << bare << 1 << 0 << 1;
    QTest::newRow("acelasi text afisat, alt grup") << bare << 2 << 2 << 3;
    QTest::newRow("fara umbrela") << QStringList{"", "", "X"} << 1 << 1 << 1;
}

void TestKivGrilaFormat::Grupuri()
{
    QFETCH(QStringList, umbrele);
    QFETCH(int, coloana);
    QFETCH(int, prima);
    QFETCH(int, ultima);
    QCOMPARE(GrupUmbrela(umbrele, coloana), std::make_pair(prima, ultima));
    QCOMPARE(TextUmbrelaAfisat("a|Sem|II"), QStringLiteral("Sem|II"));
    QCOMPARE(TextUmbrelaAfisat("Sem"), QStringLiteral("Sem"));
}

void TestKivGrilaFormat::Randuri_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("latime");
    QTest::addColumn<QStringList>("randuri");
    // Ten pixels a character below.
    QTest::newRow("un cuvant pe rand") << "Media generala anuala" << 70 << QStringList{"Media", "generala", "anuala"};
    QTest::newRow("doua cuvinte incap") << "Media generala anuala" << 140 << QStringList{"Media generala", "anuala"};
    QTest::newRow("exact latimea") << "ab cd" << 50 << QStringList{"ab cd"};
    QTest::newRow("cuvant prea lat singur")
        << "a foarteLungCuvant b c" << 50 << QStringList{"a", "foarteLungCuvant", "b c"};
    QTest::newRow("blancuri multiple") << "  Nr   crt  " << 200 << QStringList{"Nr crt"};
    QTest::newRow("gol") << "" << 50 << QStringList{};
}

void TestKivGrilaFormat::Randuri()
{
    QFETCH(QString, text);
    QFETCH(int, latime);
    QFETCH(QStringList, randuri);
    QCOMPARE(RanduriCaptiune(text, latime, [](const QString& s) { return int(s.size()) * 10; }), randuri);
}

void TestKivGrilaFormat::Stiluri_data()
{
    QTest::addColumn<int>("stilLinie");
    QTest::addColumn<QList<int>>("active");
    QTest::addColumn<int>("stil");
    QTest::newRow("5 si 4 inactive, 3 activ") << 5 << QList<int>{1, 3} << 3;
    QTest::newRow("niciunul din 2-5 activ") << 5 << QList<int>{1, 6, 7} << 1;
    QTest::newRow("stilul liniei activ") << 5 << QList<int>{1, 3, 5} << 5;
    QTest::newRow("stilul 1 chiar inactiv") << 4 << QList<int>{} << 1;
    QTest::newRow("stilul 10") << 10 << QList<int>{1, 10} << 10;
}

void TestKivGrilaFormat::Stiluri()
{
    QFETCH(int, stilLinie);
    QFETCH(QList<int>, active);
    QFETCH(int, stil);
    std::array<bool, 10> activ{};
    for (int s : active)
        activ[s - 1] = true;
    QCOMPARE(AlegeStil(stilLinie, activ), stil);
}

void TestKivGrilaFormat::FormatFont_data()
{
    QTest::addColumn<int>("biti");
    QTest::addColumn<bool>("aldin");
    QTest::addColumn<bool>("cursiv");
    QTest::addColumn<int>("marime");
    QTest::newRow("nimic") << 0 << true << false << 9;
    QTest::newRow("scoate aldin") << 0x02 << false << false << 9;
    QTest::newRow("pune si scoate aldin: ultimul castiga") << 0x03 << false << false << 9;
    QTest::newRow("cursiv, marimea 6") << 0x14 << true << true << 6;
    QTest::newRow("cursiv pus si scos") << 0x0C << true << false << 9;
    QTest::newRow("marimile 8 si 11: 11 castiga") << 0xA0 << true << false << 11;
}

void TestKivGrilaFormat::FormatFont()
{
    QFETCH(int, biti);
    QFETCH(bool, aldin);
    QFETCH(bool, cursiv);
    QFETCH(int, marime);
    QFont f(QStringLiteral("Arial"), 9);
    f.setBold(true);
    const QFont r = AplicaFormatFont(f, quint8(biti));
    QCOMPARE(r.bold(), aldin);
    QCOMPARE(r.italic(), cursiv);
    QCOMPARE(r.pointSize(), marime);
}

void TestKivGrilaFormat::RampaHover()
{
    // Every grey and a lattice of colours: colour 0 is the background exactly, and the intensities map onto
    // the ramp's colours.
    QList<QColor> fonduri;
    for (int g = 0; g < 256; ++g)
        fonduri << QColor(g, g, g);
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15)
                fonduri << QColor(r, g, b);
    for (const QColor& fundal : fonduri) {
        const QList<QColor> rampa = ::RampaHover(fundal);
        QCOMPARE(rampa.size(), 10);
        QCOMPARE(rampa.first(), fundal);
        QCOMPARE(CuloareHover(fundal, 1), fundal);
        QCOMPARE(CuloareHover(fundal, 2), rampa[1]);
        QCOMPARE(CuloareHover(fundal, 10), rampa[9]);
    }

    // Hue, saturation and value mix linearly as numbers. A grey reads as hue 0: white toward its blue shade
    // (hue 2/3) passes hue 1/3 halfway, a green tint.
    const QList<QColor> alb = ::RampaHover(Qt::white);
    QVERIFY2(alb[5].green() > alb[5].red() && alb[5].green() > alb[5].blue(), qPrintable(alb[5].name()));
    // A pink at hue 0.03 whose shade lies at 0.96 crosses the whole circle: halfway is a cyan tint.
    const QList<QColor> roz = ::RampaHover(QColor(255, 210, 200));
    QVERIFY2(roz[5].red() < roz[5].green() && roz[5].red() < roz[5].blue(), qPrintable(roz[5].name()));
    // A colour whose shade keeps its hue ends one tenth short of the shade.
    const QList<QColor> albastru = ::RampaHover(QColor(100, 150, 250));
    const QColor umbra = DeplaseazaCanale(QColor(100, 150, 250), -20, -20, 0);
    QVERIFY2(std::abs(albastru[9].red() - umbra.red()) <= 3 && std::abs(albastru[9].green() - umbra.green()) <= 3 &&
                 albastru[9].blue() == 250,
             qPrintable(albastru[9].name()));
}

void TestKivGrilaFormat::Dimensiuni_data()
{
    QTest::addColumn<int>("coloane");
    QTest::addColumn<int>("linii");
    QTest::addColumn<int>("fixe");
    QTest::addColumn<QList<int>>("rezultat"); // columns, rows, fixed columns, fixed rows
    QTest::newRow("fara coloane si linii") << 0 << 0 << 1 << QList<int>{1, 1, 0, 0};
    QTest::newRow("obisnuit") << 4 << 10 << 1 << QList<int>{4, 11, 1, 1};
    QTest::newRow("fixe egale cu coloanele") << 3 << 2 << 3 << QList<int>{3, 3, 1, 1};
    QTest::newRow("fixe peste coloane") << 3 << 2 << 7 << QList<int>{3, 3, 1, 1};
    QTest::newRow("o coloana, fixe 1") << 1 << 2 << 1 << QList<int>{1, 3, 0, 1};
    QTest::newRow("fara fixe") << 3 << 2 << 0 << QList<int>{3, 3, 0, 1};
    QTest::newRow("fara linii") << 5 << 0 << 2 << QList<int>{5, 1, 2, 0};
}

void TestKivGrilaFormat::Dimensiuni()
{
    QFETCH(int, coloane);
    QFETCH(int, linii);
    QFETCH(int, fixe);
    QFETCH(QList<int>, rezultat);
    const TKivDimensiuniGrila d = DimensiuniGrila(coloane, linii, fixe);
    QCOMPARE((QList<int>{d.coloane, d.randuri, d.coloaneFixe, d.randuriFixe}), rezultat);
}

void TestKivGrilaFormat::TasteDeDeschidere_data()
{
    QTest::addColumn<int>("tasta");
    QTest::addColumn<bool>("tastatura");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("deschide");
    QTest::addColumn<QString>("start");
    QTest::newRow("cifra") << int(Qt::Key_7) << false << "7" << true << "7";
    QTest::newRow("litera") << int(Qt::Key_A) << false << "a" << true << "a";
    QTest::newRow("tastatura numerica 0") << int(Qt::Key_0) << true << "" << true << "0";
    QTest::newRow("tastatura numerica *") << int(Qt::Key_Asterisk) << true << "*" << true << "*";
    QTest::newRow("F1 fara text") << int(Qt::Key_F1) << false << "" << true << "";
    QTest::newRow("F11 deschide") << int(Qt::Key_F11) << false << "" << true << "";
    QTest::newRow("F12 nu") << int(Qt::Key_F12) << false << "" << false << "";
    QTest::newRow("punct obisnuit nu") << int(Qt::Key_Period) << false << "." << false << "";
    QTest::newRow("Enter nu (are regula lui)") << int(Qt::Key_Return) << false << "\r" << false << "";
}

void TestKivGrilaFormat::TasteDeDeschidere()
{
    QFETCH(int, tasta);
    QFETCH(bool, tastatura);
    QFETCH(QString, text);
    QFETCH(bool, deschide);
    QFETCH(QString, start);
    const int cod = CodVirtualTasta(tasta, tastatura ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(EsteTastaDeDeschidere(cod), deschide);
    if (deschide)
        QCOMPARE(TextDeStart(cod, text), start);
}

void TestKivGrilaFormat::FisierFonturi_data()
{
    QTest::addColumn<QByteArray>("continut");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("d");
    QTest::newRow("1:1") << QByteArray("1:1\n") << 1 << 1;
    QTest::newRow("5:4") << QByteArray("5:4\r\n2:1\n") << 5 << 4;
    QTest::newRow("abc") << QByteArray("abc") << 8 << 8;
    QTest::newRow("3") << QByteArray("3") << 3 << 3;
    QTest::newRow("3:") << QByteArray("3:") << 3 << 8;
    QTest::newRow("1 : 2") << QByteArray("  1 : 2  ") << 1 << 2;
    QTest::newRow("litere in numar") << QByteArray("1x2:3") << 12 << 3;
    QTest::newRow("numitor 0") << QByteArray("5:0") << 1 << 1;
    QTest::newRow("0 singur") << QByteArray("0") << 1 << 1;
    QTest::newRow("fisier gol") << QByteArray() << 1 << 1;
}

void TestKivGrilaFormat::FisierFonturi()
{
    QFETCH(QByteArray, continut);
    QFETCH(int, n);
    QFETCH(int, d);
    QTemporaryDir dosar;
    const QString cale = dosar.filePath("LargeFonts.txt");
    QFile f(cale);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(continut);
    f.close();
    const TKivRaportFonturi r = RaportDinFisier(cale, -12);
    QCOMPARE(r.N, n);
    QCOMPARE(r.D, d);
    QFile citit(cale);
    QVERIFY(citit.open(QIODevice::ReadOnly));
    QCOMPARE(citit.readAll(), continut);
}

void TestKivGrilaFormat::FisierFonturiLipsa()
{
    QTemporaryDir dosar;
    const QString cale = dosar.filePath("LargeFonts.txt");
    const TKivRaportFonturi r = RaportDinFisier(cale, -12);
    QCOMPARE(r.N, 1);
    QCOMPARE(r.D, 1);
    QFile f(cale);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().trimmed(), QByteArray("1:1"));
    QCOMPARE(QDir(dosar.path()).entryList(QDir::Files), QStringList{"LargeFonts.txt"});
}

void TestKivGrilaFormat::DosarNeinscriptibil()
{
    // A folder that cannot exist: its parent is a file (root may write anywhere else).
    QTemporaryDir dosar;
    QFile fisier(dosar.filePath("fisier"));
    QVERIFY(fisier.open(QIODevice::WriteOnly));
    fisier.close();
    const QString cale = dosar.filePath("fisier/LargeFonts.txt");
    TKivRaportFonturi r = RaportDinFisier(cale, -12);
    QCOMPARE(r.N, 12);
    QCOMPARE(r.D, 11);
    r = RaportDinFisier(cale, 16);
    QCOMPARE(r.N, 16);
    QCOMPARE(r.D, 8);
    QVERIFY(!QFile::exists(cale));
}

void TestKivGrilaFormat::Scalare_data()
{
    QTest::addColumn<int>("marime");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("rezultat");
    QTest::newRow("1:1 la 96") << 128 << 1 << 1 << 96 << 128;
    QTest::newRow("5:4 la 96") << 128 << 5 << 4 << 96 << 160;
    QTest::newRow("1:1 la 120") << 128 << 1 << 1 << 120 << 160;
    QTest::newRow("trunchiere la ambii pasi") << 100 << 2 << 3 << 120 << 82;
    QTest::newRow("font de mesaj 12:11") << 24 << 12 << 11 << 96 << 26;
}

void TestKivGrilaFormat::Scalare()
{
    QFETCH(int, marime);
    QFETCH(int, n);
    QFETCH(int, d);
    QFETCH(int, dpi);
    QFETCH(int, rezultat);
    QCOMPARE(ScaleazaMarime(marime, {n, d}, dpi), rezultat);
}

QTEST_MAIN(TestKivGrilaFormat)
#include "TestKivGrilaFormat.moc"
