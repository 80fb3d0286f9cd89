#include "entry/UValidare.h"
#include "settings/UTextRomanesc.h"

#include <QTest>

class TestValidare : public QObject
{
    Q_OBJECT

private slots:
    void cnpValid_data();
    void cnpValid();
    void sexDinCnp_data();
    void sexDinCnp();
    void valoareNota_data();
    void valoareNota();
    void latimiLinie_data();
    void latimiLinie();
};

void TestValidare::cnpValid_data()
{
    QTest::addColumn<QString>("cnp");
    QTest::addColumn<bool>("valid");
    QTest::newRow("valid") << "1900101123457" << true;
    QTest::newRow("femeie 1995 31 decembrie") << "2951231040017" << true;
    QTest::newRow("29 februarie 2000: YY 00 este in 2000") << "6000229123455" << true;
    QTest::newRow("29 februarie 2003 nu exista") << "5030229123458" << false;
    QTest::newRow("rest 10 cere cifra 1") << "1900101123491" << true;
    QTest::newRow("rest 10 cu cifra 0") << "1900101123490" << false;
    QTest::newRow("ultima cifra schimbata") << "1900101123458" << false;
    QTest::newRow("gol") << "" << false;
    QTest::newRow("spatiu inainte") << " 1900101123457" << false;
    QTest::newRow("spatiu dupa") << "1900101123457 " << false;
    QTest::newRow("12 cifre") << "190010112345" << false;
    QTest::newRow("litera") << "19001011234a7" << false;
    QTest::newRow("prima cifra 3") << "3900101123457" << false;
    QTest::newRow("prima cifra 0") << "0900101123457" << false;
    QTest::newRow("luna 00") << "1900001123451" << false;
    QTest::newRow("luna 13") << "1901301123451" << false;
    QTest::newRow("ziua 00") << "1900100123451" << false;
    QTest::newRow("31 aprilie") << "1900431123451" << false;
    QTest::newRow("cifre arabe late") << QString::fromUtf8("١٩٠٠١٠١١٢٣٤٥٧") << false;
}

void TestValidare::sexDinCnp_data()
{
    QTest::addColumn<QString>("cnp");
    QTest::addColumn<int>("sex");
    QTest::newRow("1 barbat nascut 1900-1999") << "1900101123457" << int(scBarbat);
    QTest::newRow("2 femeie nascuta 1900-1999") << "2951231040017" << int(scFemeie);
    QTest::newRow("3 barbat nascut 1800-1899") << "3900101123457" << int(scBarbat);
    QTest::newRow("4 femeie nascuta 1800-1899") << "4900101123457" << int(scFemeie);
    QTest::newRow("5 barbat nascut dupa 2000") << "5080517123453" << int(scBarbat);
    QTest::newRow("6 femeie nascuta dupa 2000") << "6000229123455" << int(scFemeie);
    QTest::newRow("7 barbat rezident") << "7900101123457" << int(scBarbat);
    QTest::newRow("8 femeie rezidenta") << "8900101123457" << int(scFemeie);
    QTest::newRow("9 cetatean strain") << "9900101123457" << int(scNecunoscut);
    QTest::newRow("0") << "0900101123457" << int(scNecunoscut);
    QTest::newRow("gol") << "" << int(scNecunoscut);
    QTest::newRow("litera") << "a" << int(scNecunoscut);
}

void TestValidare::sexDinCnp()
{
    QFETCH(QString, cnp);
    QFETCH(int, sex);
    QCOMPARE(int(SexDinCnp(cnp)), sex);
}

void TestValidare::cnpValid()
{
    QFETCH(QString, cnp);
    QFETCH(bool, valid);
    QCOMPARE(CnpValid(cnp), valid);
}

void TestValidare::valoareNota_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("zeciMiimi");
    QTest::newRow("punct") << "9.5" << qint64(95000);
    QTest::newRow("virgula") << "9,5" << qint64(95000);
    QTest::newRow("fara rotunjire") << "7,257" << qint64(72500);
    QTest::newRow("doar zecimale") << ",5" << qint64(5000);
    QTest::newRow("intreg") << "10" << qint64(100000);
    QTest::newRow("minus ignorat") << "-8,25" << qint64(82500);
    QTest::newRow("dupa al doilea separator") << "8,2,9" << qint64(82000);
    QTest::newRow("litere printre cifre") << "n9o,t5a" << qint64(95000);
    QTest::newRow("fara cifre") << "abc" << qint64(0);
    QTest::newRow("gol") << "" << qint64(0);
    QTest::newRow("peste 32 de biti") << "99999999999,50" << qint64(5000);
}

void TestValidare::valoareNota()
{
    QFETCH(QString, text);
    QFETCH(qint64, zeciMiimi);
    QCOMPARE(ValoareNota(text), zeciMiimi);
}

void TestValidare::latimiLinie_data()
{
    QTest::addColumn<int>("latime");
    QTest::addColumn<QList<int>>("ponderi");
    QTest::addColumn<QList<int>>("latimi");
    QTest::newRow("30 si 10") << 400 << QList<int>{30, 10} << QList<int>{300, 100};
    QTest::newRow("1 si 100, minim 16") << 400 << QList<int>{1, 100} << QList<int>{16, 396};
    QTest::newRow("trunchiere") << 100 << QList<int>{1, 1, 1} << QList<int>{33, 33, 33};
    QTest::newRow("toate zero: parti egale") << 400 << QList<int>{0, 0} << QList<int>{200, 200};
    QTest::newRow("suma zero cu ponderi negative") << 300 << QList<int>{5, -5} << QList<int>{150, 150};
    QTest::newRow("linie ingusta") << 20 << QList<int>{1, 1} << QList<int>{16, 16};
}

void TestValidare::latimiLinie()
{
    QFETCH(int, latime);
    QFETCH(QList<int>, ponderi);
    QFETCH(QList<int>, latimi);
    QCOMPARE(LatimiLinie(latime, ponderi), latimi);
}

QTEST_GUILESS_MAIN(TestValidare)
#include "TestValidare.moc"
