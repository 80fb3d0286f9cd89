// The edit controls' arithmetic that needs no widget: number text rules and values, colour variations,
// word and mouse positions of the caret.
#include "controls/UKivCulori.h"
#include "controls/UKivNumar.h"
#include "controls/UKivPozitii.h"
#include "platform/UEroare.h"

#include <QTest>

class TestKivValori : public QObject
{
    Q_OBJECT
private slots:
    void RegulileNumarului_data();
    void RegulileNumarului();
    void CitireAsCurrency_data();
    void CitireAsCurrency();
    void CitireNuEsteNumar_data();
    void CitireNuEsteNumar();
    void CitireCuZecimale_data();
    void CitireCuZecimale();
    void CitireFaraZecimale_data();
    void CitireFaraZecimale();
    void ScriereAsCurrency_data();
    void ScriereAsCurrency();
    void ScriereZecimale_data();
    void ScriereZecimale();
    void Variatii_data();
    void Variatii();
    void VariatieNecunoscuta();
    void CuvantStanga_data();
    void CuvantStanga();
    void CuvantDreapta_data();
    void CuvantDreapta();
    void PozitiaMouse_data();
    void PozitiaMouse();
};

void TestKivValori::RegulileNumarului_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cifre");
    QTest::addColumn<bool>("acceptat");
    QTest::addColumn<QString>("rezultat");
    QTest::newRow("empty") << "" << 2 << true << "";
    QTest::newRow("lone minus") << "-" << 2 << true << "-";
    QTest::newRow("point becomes comma") << "1.5" << 2 << true << "1,5";
    QTest::newRow("two decimals") << "-12,25" << 2 << true << "-12,25";
    QTest::newRow("third decimal") << "1,255" << 2 << false << "";
    QTest::newRow("four decimals allowed") << "1,2555" << 4 << true << "1,2555";
    QTest::newRow("comma with no decimals allowed") << "7," << 0 << true << "7,";
    QTest::newRow("one decimal over zero") << "7,1" << 0 << false << "";
    QTest::newRow("minus after digit") << "1-" << 2 << false << "";
    QTest::newRow("second minus") << "--1" << 2 << false << "";
    QTest::newRow("second separator") << "1,2.3" << 4 << false << "";
    QTest::newRow("letter") << "1a" << 2 << false << "";
    QTest::newRow("blank") << "1 2" << 2 << false << "";
    QTest::newRow("17 characters") << "1234567890123456,7" << 2 << true << "1234567890123456,7";
    QTest::newRow("18 characters without separator") << "123456789012345678" << 2 << false << "";
    QTest::newRow("minus counts in length") << "-1234567890123456,7" << 2 << false << "";
    QTest::newRow("17 with minus") << "-1234567890123456" << 2 << true << "-1234567890123456";
}

void TestKivValori::RegulileNumarului()
{
    QFETCH(QString, text);
    QFETCH(int, cifre);
    QFETCH(bool, acceptat);
    QFETCH(QString, rezultat);
    const QString original = text;
    QCOMPARE(NormalizeazaNumar(text, cifre), acceptat);
    QCOMPARE(text, acceptat ? rezultat : original);
}

void TestKivValori::CitireAsCurrency_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("valoare");
    QTest::newRow("negative half") << "-0,5" << qint64(-5000);
    QTest::newRow("integer") << "12" << qint64(120000);
    QTest::newRow("fraction cut not rounded") << "1,23456" << qint64(12345);
    QTest::newRow("comma only") << "," << qint64(0);
    QTest::newRow("no integer digits") << ",75" << qint64(7500);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("lone minus") << "-" << qint64(0);
    QTest::newRow("trailing comma") << "10," << qint64(100000);
    QTest::newRow("largest integer part") << "922337203685476,99" << qint64(9223372036854769900);
}

void TestKivValori::CitireAsCurrency()
{
    QFETCH(QString, text);
    QFETCH(qint64, valoare);
    QCOMPARE(CitesteAsCurrency(text), valoare);
}

void TestKivValori::CitireNuEsteNumar_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("zecimale");
    QTest::newRow("currency too large") << "99999999999999999" << 0;
    QTest::newRow("currency letters") << "1x" << 0;
    QTest::newRow("hundredths too large") << "99999999999999999" << 2;
    QTest::newRow("ten-thousandths too large") << "9999999999999999" << 4;
    QTest::newRow("hundredths letters") << "a" << 2;
}

void TestKivValori::CitireNuEsteNumar()
{
    QFETCH(QString, text);
    QFETCH(int, zecimale);
    try {
        if (zecimale == 0)
            CitesteAsCurrency(text);
        else
            CitesteCuZecimale(text, zecimale);
        QFAIL("a text that is not a number was read");
    } catch (const EEroare& e) {
        QVERIFY2(e.Mesaj().contains(text), qPrintable(e.Mesaj()));
    }
}

void TestKivValori::CitireCuZecimale_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("zecimale");
    QTest::addColumn<qint64>("valoare");
    QTest::newRow("12,3 in hundredths") << "12,3" << 2 << qint64(1230);
    QTest::newRow("third digit dropped") << "1,239" << 2 << qint64(123);
    QTest::newRow("negative") << "-9,5" << 2 << qint64(-950);
    QTest::newRow("integer") << "7" << 2 << qint64(700);
    QTest::newRow("empty") << "" << 2 << qint64(0);
    QTest::newRow("lone minus") << "-" << 2 << qint64(0);
    QTest::newRow("negative without integer digits") << "-,5" << 2 << qint64(-50);
    QTest::newRow("point separator") << "3.25" << 2 << qint64(325);
    QTest::newRow("four decimals") << "1,2345" << 4 << qint64(12345);
    QTest::newRow("four decimals padded") << "-0,5" << 4 << qint64(-5000);
}

void TestKivValori::CitireCuZecimale()
{
    QFETCH(QString, text);
    QFETCH(int, zecimale);
    QFETCH(qint64, valoare);
    QCOMPARE(CitesteCuZecimale(text, zecimale), valoare);
}

void TestKivValori::CitireFaraZecimale_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("valoare");
    QTest::newRow("12,3") << "12,3" << qint64(12);
    QTest::newRow("negative") << "-12,9" << qint64(-12);
    QTest::newRow("point") << "8.9" << qint64(8);
    QTest::newRow("lone minus") << "-" << qint64(0);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("no integer digits") << ",5" << qint64(0);
    QTest::newRow("too large") << "99999999999999999999" << qint64(0);
}

void TestKivValori::CitireFaraZecimale()
{
    QFETCH(QString, text);
    QFETCH(qint64, valoare);
    QCOMPARE(CitesteFaraZecimale(text), valoare);
}

void TestKivValori::ScriereAsCurrency_data()
{
    QTest::addColumn<qint64>("valoare");
    QTest::addColumn<QString>("text");
    QTest::newRow("9.5") << qint64(95000) << "9,50";
    QTest::newRow("10") << qint64(100000) << "10,00";
    QTest::newRow("-0.5") << qint64(-5000) << "-0,50";
    QTest::newRow("cut not rounded") << qint64(12399) << "1,23";
    QTest::newRow("small fraction left-padded") << qint64(500) << "0,05";
    QTest::newRow("zero") << qint64(0) << "0,00";
    QTest::newRow("lowest value") << std::numeric_limits<qint64>::min() << "-922337203685477,58";
}

void TestKivValori::ScriereAsCurrency()
{
    QFETCH(qint64, valoare);
    QFETCH(QString, text);
    QCOMPARE(TextDinAsCurrency(valoare), text);
}

void TestKivValori::ScriereZecimale_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<int>("zecimale");
    QTest::addColumn<QString>("text");
    QTest::newRow("-950") << qint64(-950) << 2 << "-9,50";
    QTest::newRow("900 whole") << qint64(900) << 2 << "9";
    QTest::newRow("-5") << qint64(-5) << 2 << "-0,05";
    QTest::newRow("1230") << qint64(1230) << 2 << "12,30";
    QTest::newRow("four decimals") << qint64(12345) << 4 << "1,2345";
    QTest::newRow("four decimals padded") << qint64(-7) << 4 << "-0,0007";
    QTest::newRow("four decimals whole") << qint64(30000) << 4 << "3";
}

void TestKivValori::ScriereZecimale()
{
    QFETCH(qint64, n);
    QFETCH(int, zecimale);
    QFETCH(QString, text);
    QCOMPARE(TextDinZecimale(n, zecimale), text);
}

void TestKivValori::Variatii_data()
{
    QTest::addColumn<QColor>("baza");
    QTest::addColumn<int>("variatie");
    QTest::addColumn<QColor>("rezultat");
    const QColor alb(255, 255, 255);
    const QColor negru(0, 0, 0);
    QTest::newRow("lite on white stays white") << alb << int(cvLite) << alb;
    QTest::newRow("lite blue on white") << alb << int(cvLiteBlue) << QColor(235, 235, 255);
    QTest::newRow("lite green on white") << alb << int(cvLiteGreen) << QColor(235, 255, 235);
    QTest::newRow("lite red on white") << alb << int(cvLiteRed) << QColor(255, 235, 235);
    QTest::newRow("lite lite blue on white") << alb << int(cvLiteLiteBlue) << QColor(245, 245, 255);
    QTest::newRow("lite lite green on white") << alb << int(cvLiteLiteGreen) << QColor(245, 255, 245);
    QTest::newRow("lite lite red on white") << alb << int(cvLiteLiteRed) << QColor(255, 245, 245);
    QTest::newRow("lite blue on black clamps at 0") << negru << int(cvLiteBlue) << negru;
    QTest::newRow("lite on black") << negru << int(cvLite) << QColor(20, 20, 20);
    QTest::newRow("lite lite near the top") << QColor(250, 5, 246) << int(cvLiteLite) << QColor(255, 15, 255);
    QTest::newRow("lite red partly clamped") << QColor(10, 15, 25) << int(cvLiteRed) << QColor(10, 0, 5);
    QTest::newRow("no variation") << QColor(1, 2, 3) << int(cvNoVariation) << QColor(1, 2, 3);
}

void TestKivValori::Variatii()
{
    QFETCH(QColor, baza);
    QFETCH(int, variatie);
    QFETCH(QColor, rezultat);
    QCOMPARE(AplicaVariatia(baza, TKivColorVariationEnum(variatie)), rezultat);
}

void TestKivValori::VariatieNecunoscuta()
{
    try {
        AplicaVariatia(Qt::white, TKivColorVariationEnum(42));
        QFAIL("an unknown variation was applied");
    } catch (const EEroare& e) {
        QCOMPARE(e.Mesaj(), QStringLiteral("Don't know variation"));
    }
}

void TestKivValori::CuvantStanga_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("rezultat");
    QTest::newRow("from the end to the last word") << "abc  def" << 9 << 6;
    QTest::newRow("passes the blanks before the caret") << "abc  def" << 6 << 1;
    QTest::newRow("inside a word") << "abc def" << 7 << 5;
    QTest::newRow("full stop separates") << "a,b.cd" << 7 << 5;
    QTest::newRow("comma separates") << "a,b.cd" << 5 << 3;
    QTest::newRow("at the start stays") << "abc" << 1 << 1;
    QTest::newRow("empty") << "" << 1 << 1;
}

void TestKivValori::CuvantStanga()
{
    QFETCH(QString, text);
    QFETCH(int, p);
    QFETCH(int, rezultat);
    QCOMPARE(PozitieCuvantStanga(text, p), rezultat);
}

void TestKivValori::CuvantDreapta_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("rezultat");
    QTest::newRow("to the end of the first word") << "abc def" << 1 << 4;
    QTest::newRow("from before a blank to the end") << "abc def" << 4 << 8;
    QTest::newRow("tab separates") << "ab\tcd ef" << 3 << 6;
    QTest::newRow("at the end stays") << "abc" << 4 << 4;
    QTest::newRow("before the last character") << "abc" << 3 << 4;
    QTest::newRow("empty") << "" << 1 << 1;
}

void TestKivValori::CuvantDreapta()
{
    QFETCH(QString, text);
    QFETCH(int, p);
    QFETCH(int, rezultat);
    QCOMPARE(PozitieCuvantDreapta(text, p), rezultat);
}

void TestKivValori::PozitiaMouse_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("rezultat");
    // Three characters 10, 6 and 10 pixels wide: boundaries at 0, 10, 16, 26.
    QTest::newRow("left of the text") << -3 << 1;
    QTest::newRow("near the start") << 4 << 1;
    QTest::newRow("tie goes right") << 5 << 2;
    QTest::newRow("on a boundary") << 10 << 2;
    QTest::newRow("narrow character, nearer its end") << 14 << 3;
    QTest::newRow("narrow character, tie") << 13 << 3;
    QTest::newRow("right of the text") << 40 << 4;
}

void TestKivValori::PozitiaMouse()
{
    QFETCH(int, x);
    QFETCH(int, rezultat);
    const int prefix[] = {0, 10, 16, 26};
    QCOMPARE(PozitieLaX(x, 3, [&](int i) { return prefix[i]; }), rezultat);
}

QTEST_GUILESS_MAIN(TestKivValori)
#include "TestKivValori.moc"
