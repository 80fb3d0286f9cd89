#include "platform/UEroare.h"
#include "settings/UCulori.h"
#include "settings/UTextRomanesc.h"

#include <QtTest>

class TTestTextRomanesc : public QObject
{
    Q_OBJECT

private slots:
    void formaDeCautare_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("forma");
        QTest::newRow("majuscule") << "POPESCU Ion"
                                   << "popescu ion";
        QTest::newRow("s cu virgula") << "Ștefan"
                                      << "stefan";
        QTest::newRow("s cu sedila") << "Ştefan"
                                     << "stefan";
        QTest::newRow("t cu virgula si sedila") << "ȚUȚEA Ţuţea"
                                                << "tutea tutea";
        QTest::newRow("a i") << "Ăâî ÂÎ"
                             << "aai ai";
        QTest::newRow("cifre si semne") << "(5080517) / x"
                                        << "(5080517) / x";
        QTest::newRow("alte alfabete") << QString::fromUtf8("ÉLÈVE Ωμέγα ПЕТРОВ Ǆ")
                                       << QString::fromUtf8("eleve ωμεγα петров ǆ");
        // A letter outside the first plane, then a half of a pair alone.
        QTest::newRow("perechi UTF-16") << QString::fromUtf8("Ana 𝐀") + QChar(0xD835) + "B"
                                        << QString::fromUtf8("ana 𝐀") + QChar(0xD835) + "b";
    }
    void formaDeCautare()
    {
        QFETCH(QString, text);
        QFETCH(QString, forma);
        QCOMPARE(FormaDeCautare(text), forma);
        // The list's search text is built in UTF-8 directly, after what is already there.
        QByteArray tinta("x");
        AdaugaFormaDeCautare(tinta, text);
        QCOMPARE(tinta, "x" + forma.toUtf8());
    }

    void anPeFormular_data()
    {
        QTest::addColumn<QString>("an");
        QTest::addColumn<QString>("problema");
        const QString nu = QStringLiteral("Anul %1 nu se poate scrie dupa 200 tiparit pe formular");
        QTest::newRow("2006") << "2006"
                              << "";
        QTest::newRow("gol") << ""
                             << "";
        QTest::newRow("2024") << "2024" << nu.arg("2024");
        QTest::newRow("2026") << " 2026 " << nu.arg("2026");
        QTest::newRow("1999") << "1999" << nu.arg("1999");
        QTest::newRow("doua cifre") << "06" << nu.arg("06");
    }
    void anPeFormular()
    {
        QFETCH(QString, an);
        QFETCH(QString, problema);
        QCOMPARE(ProblemaAnPeFormular(an), problema);
        QVERIFY(ZonaAnDupa200("Tessaluna.FATA.C_AN_ABSOLVIRE", "4"));
        QVERIFY(!ZonaAnDupa200("Tessaluna.FATA.C_AN_ABSOLVIRE", ""));
        QVERIFY(!ZonaAnDupa200("Tessaluna.FATA.C_CNP", "4"));
    }

    void sedile()
    {
        QVERIFY(AreSedile("Ştefan"));
        QVERIFY(AreSedile("Brăneşti ŢARA"));
        QVERIFY(!AreSedile("Ștefan Țara ăîâ"));
        QCOMPARE(CuVirgulaDedesubt("Ştefan Ţuţea ŞŢ ăîâ"), QStringLiteral("Ștefan Țuțea ȘȚ ăîâ"));
    }

    void notaInLitere_data()
    {
        QTest::addColumn<int>("valoare");
        QTest::addColumn<QString>("litere");
        QTest::addColumn<QString>("cifre");
        QTest::addColumn<QString>("procent");
        QTest::newRow("unitate fara zecimale") << 900 << "(NOUĂ)"
                                               << "(NOUĂ)"
                                               << "(NOUĂ)";
        QTest::newRow("unu") << 100 << "(UNU)"
                             << "(UNU)"
                             << "(UNU)";
        QTest::newRow("zece") << 1000 << "(ZECE)"
                              << "(ZECE)"
                              << "(ZECE)";
        QTest::newRow("zece cu zecimale") << 1016 << "(ZECE)"
                                          << "(ZECE)"
                                          << "(ZECE)";
        QTest::newRow("zecimala sub zece") << 905 << "(NOUĂ, ZEROCINCI)"
                                           << "(NOUĂ, 05)"
                                           << "(NOUĂ, 05%)";
        QTest::newRow("zecimala zece") << 810 << "(OPT, ZECE)"
                                       << "(OPT, 10)"
                                       << "(OPT, 10%)";
        QTest::newRow("unsprezece") << 511 << "(CINCI, UNSPREZECE)"
                                    << "(CINCI, 11)"
                                    << "(CINCI, 11%)";
        QTest::newRow("saisprezece") << 916 << "(NOUĂ, ŞAISPREZECET)"
                                     << "(NOUĂ, 16)"
                                     << "(NOUĂ, 16%)";
        QTest::newRow("nouasprezece") << 619 << "(ŞASE, NOUĂSPREZECE)"
                                      << "(ŞASE, 19)"
                                      << "(ŞASE, 19%)";
        QTest::newRow("zeci exacte") << 960 << "(NOUĂ, ŞAIZECI)"
                                     << "(NOUĂ, 60)"
                                     << "(NOUĂ, 60%)";
        QTest::newRow("douazeci") << 220 << "(DOI, DOUĂZECI)"
                                  << "(DOI, 20)"
                                  << "(DOI, 20%)";
        QTest::newRow("zeci cu unitati") << 963 << "(NOUĂ, ŞAIZECIŞITREI)"
                                         << "(NOUĂ, 63)"
                                         << "(NOUĂ, 63%)";
        QTest::newRow("douazecisiunu") << 721 << "(ŞAPTE, DOUĂZECIŞIUNU)"
                                       << "(ŞAPTE, 21)"
                                       << "(ŞAPTE, 21%)";
        QTest::newRow("cel mai mare") << 999 << "(NOUĂ, NOUĂZECIŞINOUĂ)"
                                      << "(NOUĂ, 99)"
                                      << "(NOUĂ, 99%)";
        QTest::newRow("sub 1") << 50 << "(, CINCIZECI)"
                               << "(, 50)"
                               << "(, 50%)";
        QTest::newRow("zero") << 0 << "()"
                              << "()"
                              << "()";
        QTest::newRow("peste 10") << 1163 << "(, ŞAIZECIŞITREI)"
                                  << "(, 63)"
                                  << "(, 63%)";
    }

    void notaInLitere()
    {
        QFETCH(int, valoare);
        QFETCH(QString, litere);
        QFETCH(QString, cifre);
        QFETCH(QString, procent);
        QCOMPARE(NotaInLitere(valoare, mnLitere), litere);
        QCOMPARE(NotaInLitere(valoare, mnCifre), cifre);
        QCOMPARE(NotaInLitere(valoare, mnProcent), procent);
    }

    void notaInLitereCuIntrareGresita()
    {
        QCOMPARE(NotaInLitere(963, 0), QString());
        QCOMPARE(NotaInLitere(963, 4), QString());
        QVERIFY_THROWS_EXCEPTION(EEroare, NotaInLitere(-50, mnLitere));
    }

    void cuNumar_data()
    {
        QTest::addColumn<qint64>("numar");
        QTest::addColumn<QString>("text");
        QTest::newRow("one") << qint64(1) << "1 diploma";
        QTest::newRow("two") << qint64(2) << "2 diplome";
        QTest::newRow("nineteen") << qint64(19) << "19 diplome";
        QTest::newRow("twenty takes de") << qint64(20) << "20 de diplome";
        QTest::newRow("hundred takes de") << qint64(100) << "100 de diplome";
        QTest::newRow("hundred and one") << qint64(101) << "101 diplome";
        QTest::newRow("hundred and twenty") << qint64(120) << "120 de diplome";
        QTest::newRow("zero") << qint64(0) << "0 diplome";
    }
    void cuNumar()
    {
        QFETCH(qint64, numar);
        QFETCH(QString, text);
        QCOMPARE(CuNumar(numar, QStringLiteral("diploma"), QStringLiteral("diplome")), text);
    }

    void formatFix_data()
    {
        QTest::addColumn<int>("zecimale");
        QTest::addColumn<qint64>("valoare");
        QTest::addColumn<QString>("text");
        QTest::newRow("nota") << 2 << qint64(96300) << "9,63";
        QTest::newRow("zece") << 2 << qint64(100000) << "10,00";
        QTest::newRow("taie fara rotunjire") << 2 << qint64(99999) << "9,99";
        QTest::newRow("fara zecimale") << 0 << qint64(99999) << "9";
        QTest::newRow("grupa de mii") << 2 << qint64(12345000) << "1.234,50";
        QTest::newRow("trei cifre fara punct") << 1 << qint64(1230000) << "123,0";
        QTest::newRow("milioane") << 0 << qint64(1234567890000) << "123.456.789";
        QTest::newRow("zerouri in fata fractiei") << 4 << qint64(5) << "0,0005";
        QTest::newRow("mai mult de patru zecimale") << 6 << qint64(5) << "0,0005";
        QTest::newRow("negativ") << 2 << qint64(-12345000) << "-1.234,50";
        QTest::newRow("negativ sub o zecime de miime") << 2 << qint64(-5) << "-0,00";
        QTest::newRow("cel mai mic int64") << 4 << std::numeric_limits<qint64>::min() << "-922.337.203.685.477,5808";
        QTest::newRow("zecimale negative") << -1 << qint64(96300) << "9";
    }

    void formatFix()
    {
        QFETCH(int, zecimale);
        QFETCH(qint64, valoare);
        QFETCH(QString, text);
        QCOMPARE(FormatFix(zecimale, valoare), text);
    }

    void date_data()
    {
        QTest::addColumn<QDate>("data");
        QTest::addColumn<QString>("inLitere");
        QTest::addColumn<QString>("ziLuna");
        QTest::addColumn<QString>("scurta");
        QTest::newRow("zi dintr-o cifra") << QDate(2006, 3, 5) << "5 martie 2006"
                                          << "05/03"
                                          << "05/03/06";
        QTest::newRow("sfarsit de an") << QDate(1999, 12, 31) << "31 decembrie 1999"
                                       << "31/12"
                                       << "31/12/99";
        QTest::newRow("anul 2000") << QDate(2000, 10, 10) << "10 octombrie 2000"
                                   << "10/10"
                                   << "10/10/00";
        QTest::newRow("an sub 1000") << QDate(123, 3, 5) << "5 martie 123"
                                     << "05/03"
                                     << "05/03/3?";
        QTest::newRow("an dintr-o cifra") << QDate(5, 1, 2) << "2 ianuarie 5"
                                          << "02/01"
                                          << "02/01/??";
        QTest::newRow("data invalida") << QDate() << ""
                                       << ""
                                       << "";
    }

    void date()
    {
        QFETCH(QDate, data);
        QFETCH(QString, inLitere);
        QFETCH(QString, ziLuna);
        QFETCH(QString, scurta);
        QCOMPARE(DataInLitere(data), inLitere);
        QCOMPARE(DataZiLuna(data), ziLuna);
        QCOMPARE(DataScurta(data), scurta);
    }

    void numeleLunilor()
    {
        QStringList luni;
        for (int luna = 1; luna <= 12; ++luna)
            luni << DataInLitere(QDate(2006, luna, 1)).section(' ', 1, 1);
        QCOMPARE(luni, (QStringList{"ianuarie", "februarie", "martie", "aprilie", "mai", "iunie", "iulie", "august",
                                    "septembrie", "octombrie", "noiembrie", "decembrie"}));
    }

    void literaMareSiMica_data()
    {
        QTest::addColumn<QString>("mari");
        QTest::addColumn<QString>("mici");
        QTest::newRow("nota cu procent") << "9,63 (NOUĂ, 63%)"
                                         << "9,63 (nouă, 63%)";
        QTest::newRow("s si t cu sedila") << "(NOUĂ, ŞAIZECIŞITREI) ŢARĂ"
                                          << "(nouă, şaizecişitrei) ţară";
        QTest::newRow("fara litere") << "123,-/()"
                                     << "123,-/()";
    }

    void literaMareSiMica()
    {
        QFETCH(QString, mari);
        QFETCH(QString, mici);
        QCOMPARE(MiciRomanesti(mari), mici);
        QCOMPARE(MariRomanesti(mici), mari);
    }

    void literaCareNuSeSchimba_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("a si i cu caciula") << "ÂÎâî";
        QTest::newRow("s si t cu virgula") << "ȘȚșț";
        QTest::newRow("alte litere accentuate") << "ÉéÖö";
    }

    void literaCareNuSeSchimba()
    {
        QFETCH(QString, text);
        QCOMPARE(MiciRomanesti(text), text);
        QCOMPARE(MariRomanesti(text), text);
    }

    void decodeazaDiacritice_data()
    {
        QTest::addColumn<QString>("codat");
        QTest::addColumn<QString>("text");
        QTest::newRow("mici") << "@a@s@t@h@i"
                              << "ăşţâî";
        QTest::newRow("mari") << "@A@S@T@H@I"
                              << "ĂŞŢÂÎ";
        QTest::newRow("in cuvant") << "NOU@A, @SAIZECI"
                                   << "NOUĂ, ŞAIZECI";
        QTest::newRow("arond dublu si necunoscut") << "a@@b@x"
                                                   << "a@b";
        QTest::newRow("arond la sfarsit") << "ab@"
                                          << "ab";
        QTest::newRow("trei arond") << "@@@"
                                    << "@";
        QTest::newRow("fara arond") << "abc"
                                    << "abc";
    }

    void decodeazaDiacritice()
    {
        QFETCH(QString, codat);
        QFETCH(QString, text);
        QCOMPARE(DecodeazaDiacritice(codat), text);
    }

    void deplasareaCanalelorSeOpresteLaMargini_data()
    {
        QTest::addColumn<QColor>("culoare");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::addColumn<QColor>("rezultat");
        QTest::newRow("albastru deschis") << QColor(200, 200, 200) << -20 << -20 << 0 << QColor(180, 180, 200);
        QTest::newRow("sub zero") << QColor(10, 5, 0) << -20 << -20 << 0 << QColor(0, 0, 0);
        QTest::newRow("peste 255") << QColor(250, 240, 100) << 20 << 20 << 20 << QColor(255, 255, 120);
    }

    void deplasareaCanalelorSeOpresteLaMargini()
    {
        QFETCH(QColor, culoare);
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QFETCH(QColor, rezultat);
        QCOMPARE(DeplaseazaCanale(culoare, r, g, b), rezultat);
    }

    void hsv_data()
    {
        QTest::addColumn<QColor>("culoare");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("s");
        QTest::addColumn<double>("v");
        QTest::newRow("rosu") << QColor(255, 0, 0) << 0.0 << 1.0 << 1.0;
        QTest::newRow("verde") << QColor(0, 255, 0) << 1.0 / 3 << 1.0 << 1.0;
        QTest::newRow("albastru") << QColor(0, 0, 255) << 2.0 / 3 << 1.0 << 1.0;
        QTest::newRow("magenta") << QColor(255, 0, 255) << 5.0 / 6 << 1.0 << 1.0;
        QTest::newRow("rosu spre magenta") << QColor(255, 0, 1) << 1 - 1.0 / (6 * 255) << 1.0 << 1.0;
        QTest::newRow("gri") << QColor(128, 128, 128) << 0.0 << 0.0 << 128 / 255.0;
        QTest::newRow("negru") << QColor(0, 0, 0) << 0.0 << 0.0 << 0.0;
        QTest::newRow("portocaliu inchis") << QColor(200, 100, 0) << 1.0 / 12 << 1.0 << 200 / 255.0;
    }

    void hsv()
    {
        QFETCH(QColor, culoare);
        QFETCH(double, h);
        QFETCH(double, s);
        QFETCH(double, v);
        const THSV hsv = CuloareInHSV(culoare);
        QVERIFY2(qAbs(hsv.h - h) < 1e-9, qPrintable(QString::number(hsv.h)));
        QVERIFY(qAbs(hsv.s - s) < 1e-9);
        QVERIFY(qAbs(hsv.v - v) < 1e-9);
        // Back to the colour, each component truncated: blue 1/255 comes back a hair below 1, so 0.
        const QColor inapoi = QTest::currentDataTag() == QByteArray("rosu spre magenta") ? QColor(255, 0, 0) : culoare;
        QCOMPARE(HSVInCuloare(hsv), inapoi);
    }

    void hsvDusIntorsPierdeCelMultOUnitate()
    {
        // Components are truncated on the way back: a channel may come back one lower, never higher.
        int pierdute = 0;
        for (int r = 0; r < 256; r += 5) {
            for (int g = 0; g < 256; g += 5) {
                for (int b = 0; b < 256; b += 5) {
                    const QColor c(r, g, b);
                    const QColor inapoi = HSVInCuloare(CuloareInHSV(c));
                    const int dr = r - inapoi.red(), dg = g - inapoi.green(), db = b - inapoi.blue();
                    if (dr < 0 || dr > 1 || dg < 0 || dg > 1 || db < 0 || db > 1)
                        QFAIL(qPrintable(QStringLiteral("%1,%2,%3 -> %4").arg(r).arg(g).arg(b).arg(inapoi.name())));
                    pierdute += dr + dg + db;
                }
            }
        }
        // No rounding is added before the truncation.
        QVERIFY(pierdute > 0);
    }

    void rampa()
    {
        const QList<QColor> gri = RampaCulori(Qt::black, Qt::white, 2);
        QCOMPARE(gri, (QList<QColor>{QColor(0, 0, 0), QColor(85, 85, 85), QColor(170, 170, 170)}));
        // Hues mix as numbers: halfway from red (0) to blue (2/3) is green (1/3), not magenta.
        const QList<QColor> nuante = RampaCulori(QColor(255, 0, 0), QColor(0, 0, 255), 1);
        QCOMPARE(nuante, (QList<QColor>{QColor(255, 0, 0), QColor(0, 255, 0)}));
        QCOMPARE(RampaCulori(Qt::red, Qt::blue, 0), QList<QColor>{QColor(255, 0, 0)});
        QVERIFY(RampaCulori(Qt::red, Qt::blue, -1).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TTestTextRomanesc)
#include "tst_textromanesc.moc"
