#include "excel/UCititorFoi.h"
#include "excel/UImportExcel.h"
#include "store/UInregistrari.h"
#include "testsupport/UBazaTest.h"
#include "testsupport/UTestSupport.h"

#include <QHash>
#include <QTest>

namespace {
// A sheet held as texts by A1 address.
class TFoaieTest
{
public:
    void Pune(const QString& adresa, const QString& text) { m_celule.insert(adresa, text); }
    TCitireCelula Citire() const
    {
        return [this](const QString& a) { return m_celule.value(a); };
    }

private:
    QHash<QString, QString> m_celule;
};

QStringList Nume(const TListaColoaneExcel& l)
{
    QStringList n;
    for (const TColoanaExcel& c : l)
        n << c.Nume;
    return n;
}

TMapareCamp Mapare(const QString& camp, int mod, const QString& coloana = {})
{
    TMapareCamp m;
    m.Cheie = QStringLiteral("Tessaluna.FATA.") + camp;
    m.Formular = QStringLiteral("Tessaluna");
    m.Mod = mod;
    m.Coloana = coloana;
    return m;
}

const QString CnpA = QStringLiteral("1900101123457");
const QString CnpB = QStringLiteral("6050505123451");

} // namespace

class TestImportExcel : public QObject
{
    Q_OBJECT

private slots:
    void NumeleColoanelor()
    {
        QCOMPARE(NumeColoana(1), QStringLiteral("A"));
        QCOMPARE(NumeColoana(26), QStringLiteral("Z"));
        QCOMPARE(NumeColoana(27), QStringLiteral("AA"));
        QCOMPARE(NumeColoana(52), QStringLiteral("AZ"));
        QCOMPARE(NumeColoana(53), QStringLiteral("BA"));
        QCOMPARE(NumeColoana(702), QStringLiteral("ZZ"));
    }

    // Only spaces and no-break spaces around a text are blanks to the import; a tab or a line break is data.
    void BlancurileTaiate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("taiat");
        QTest::addColumn<QString>("prima");
        QTest::addColumn<QString>("aDoua");
        QTest::newRow("spaces") << "  Pop Ion  "
                                << "Pop Ion"
                                << "Pop"
                                << "Ion";
        QTest::newRow("no-break spaces") << QString::fromUtf8("\u00a0Pop  Ion Vasile\u00a0 ") << "Pop  Ion Vasile"
                                         << "Pop"
                                         << "Ion Vasile";
        QTest::newRow("tab stays") << "\tPop "
                                   << "\tPop"
                                   << "\tPop"
                                   << "";
        QTest::newRow("line break stays") << "Pop Ion\n"
                                          << "Pop Ion\n"
                                          << "Pop"
                                          << "Ion\n";
        QTest::newRow("only blanks") << QString::fromUtf8(" \u00a0 ") << ""
                                     << ""
                                     << "";
    }
    void BlancurileTaiate()
    {
        QFETCH(QString, text);
        QFETCH(QString, taiat);
        QFETCH(QString, prima);
        QFETCH(QString, aDoua);
        QCOMPARE(TaieBlancuri(text), taiat);
        QCOMPARE(ParteNume(text), qMakePair(prima, aDoua));
    }

    // Headings and rows without 13 digits go; a column filled only in odd rows ends the walk; the rows end
    // after 19 empty rows in columns A to H.
    void RandurileSiColoaneleCitite()
    {
        TFoaieTest f;
        f.Pune("A1", "CNP");
        f.Pune("B1", "Nume");
        f.Pune("A2", CnpA);
        f.Pune("B2", "  Popescu Ion  ");
        f.Pune("A3", "total");
        f.Pune("A4", CnpB);
        f.Pune("C4", "x");
        f.Pune("D3", "doar pe rand impar");
        f.Pune("E4", "dupa coloana goala");
        f.Pune("A24", CnpA); // 19 empty rows after row 4: the scan stopped at row 23
        TListaColoaneExcel l = CitesteFoaia(f.Citire());
        QCOMPARE(Nume(l), (QStringList{"A", "B", "C"}));
        QCOMPARE(l.NumarRanduri(), 2);
        QCOMPARE(l.at(0).Texte, (QStringList{CnpA, CnpB}));
        QCOMPARE(l.at(1).Texte, (QStringList{"Popescu Ion", ""}));

        f.Pune("A23", "x"); // now row 24 is within reach
        l = CitesteFoaia(f.Citire());
        QCOMPARE(l.NumarRanduri(), 3);
        QCOMPARE(l.at(0).Texte.last(), CnpA);

        TFoaieTest dincolo; // data only beyond column H: the rows are found through A to H only
        dincolo.Pune("I2", CnpA);
        dincolo.Pune("I1", CnpB);
        l = CitesteFoaia(dincolo.Citire());
        QCOMPARE(l.size(), 1); // "A" is not filled: only "A" is read
        QCOMPARE(l.NumarRanduri(), 0);

        // The rows after the 19 empty ones are not read, and the sheet's reader says they hold data.
        TFoaieTest oprita;
        oprita.Pune("A2", CnpA);
        oprita.Pune("A30", CnpB);
        l = CitesteFoaia(oprita.Citire(), 30);
        QCOMPARE(l.NumarRanduri(), 1);
        QCOMPARE(l.UltimulRandCitit, 2);
        QCOMPARE(l.RandDateNecitite, 30);

        TFoaieTest lunga; // past row 999, up to row 65536
        for (int r = 1; r <= 65540; ++r)
            lunga.Pune(QStringLiteral("A%1").arg(r), QString::number(1000000000000LL + r));
        l = CitesteFoaia(lunga.Citire(), 65540);
        QCOMPARE(l.NumarRanduri(), 65536);
        QCOMPARE(l.RandFoaie(1200), 1201);
        QCOMPARE(l.RandDateNecitite, 65540);
    }

    void ValorileCampurilor()
    {
        TListaColoaneExcel l;
        l << TColoanaExcel{"A", {CnpA, CnpB}} << TColoanaExcel{"B", {"Ion Vasile  Popescu", "Maria"}};
        QCOMPARE(*ValoareMapare(Mapare("X", mpPrimaParte, "B"), l, 0, CnpA), QStringLiteral("Ion"));
        QCOMPARE(*ValoareMapare(Mapare("X", mpADouaParte, "B"), l, 0, CnpA), QStringLiteral("Vasile  Popescu"));
        QCOMPARE(*ValoareMapare(Mapare("X", mpADouaParte, "B"), l, 1, CnpB), QString());
        QCOMPARE(*ValoareMapare(Mapare("X", mpDinColoana, "Q"), l, 0, CnpA), QString());
        TMapareCamp sex = Mapare("X", mpDinCnp);
        sex.TextBaieti = "M";
        sex.TextFete = "F";
        // Every first digit of a CNP: odd ones men, even ones women, 9 (a foreign citizen) and 0 nothing.
        const QStringList asteptate{"", "M", "F", "M", "F", "M", "F", "M", "F", ""};
        for (int cifra = 0; cifra <= 9; ++cifra)
            QCOMPARE(*ValoareMapare(sex, l, 0, QString::number(cifra) + CnpA.mid(1)), asteptate.at(cifra));
        QCOMPARE(*ValoareMapare(sex, l, 1, QString()), QString());
        sex.NuImport = true;
        QVERIFY(!ValoareMapare(sex, l, 0, CnpA));

        QVERIFY_THROWS_EXCEPTION(EEroare, VerificaMapare(Mapare("X", mpPrimaParte)));
        VerificaMapare(Mapare("X", mpConstanta));
        QCOMPARE(EtichetaFaraParanteze("[Candidat]Nume linia 1{cotor}"), QStringLiteral("Nume linia 1"));
        QCOMPARE(EtichetaFaraParanteze("[a[b]c]CNP{x}"), QStringLiteral("CNP"));
    }

    // One student per kept row, tied to the school when created; the same CNP twice updates the first;
    // an empty CNP cell creates a student with an empty CNP; an unticked page writes nothing.
    void ImportulScrieElevii()
    {
        TBazaTest b;
        b.Porneste();
        TDM& dm = b.Dm();
        qint32 scoala = -1;
        {
            TGardaTranzactie g(dm.Tr);
            scoala = CreeazaInregistrare(dm, "SCOALA");
            g.Commit();
        }
        b.ScrieValoare("SCOALA", scoala, "C_UNITATEA_L1", "Liceul Nr. 1");
        const qint64 existent = b.AdaugaElev({{"C_CNP", CnpB}, {"C_NUME_L1", "Vechi"}, {"C_FILIERA", "pastrata"}});
        b.Executa(QStringLiteral("update \"DATE\" set VALOARE_NUM = 7 where ID_ELEVI = %1").arg(existent));

        TListaColoaneExcel l;
        l << TColoanaExcel{"A", {CnpA, CnpB, CnpA, ""}}
          << TColoanaExcel{"B", {"Ion Pop", "Ana Ban", "Ion Popa", "Fara"}}
          << TColoanaExcel{"C", {CnpA, CnpB, CnpA, "1111111111111"}};
        TMapareCamp filiera = Mapare("C_FILIERA", mpConstanta);
        filiera.Constanta = "teoretica";
        filiera.NuImport = true;
        const QList<TMapareCamp> mapari{Mapare("C_NUME_L1", mpADouaParte, "B"), Mapare("C_NUME_L2", mpPrimaParte, "B"),
                                        filiera};
        TImportElevi import(dm, l, mapari, "A", {{"SCOALA", scoala}});
        import.ImportaTot();

        QCOMPARE(b.Scalar("select count(*) as C from ELEVI"), QStringLiteral("3"));
        auto valoare = [&](const QString& cnp, const QString& camp) {
            return b.Scalar(QStringLiteral("select d.VALOARE_TEXT as C from \"DATE\" d where d.COD_CAMP = '%1' and "
                                           "d.ID_ELEVI = (select min(c.ID_ELEVI) from \"DATE\" c where "
                                           "c.COD_CAMP = 'C_CNP' and c.VALOARE_TEXT = '%2')")
                                .arg(camp, cnp));
        };
        QCOMPARE(valoare(CnpA, "C_NUME_L1"), QStringLiteral("Popa"));
        QCOMPARE(valoare(CnpA, "C_NUME_L2"), QStringLiteral("Ion"));
        QCOMPARE(valoare(CnpB, "C_NUME_L1"), QStringLiteral("Ban"));
        QCOMPARE(valoare(CnpB, "C_FILIERA"), QStringLiteral("pastrata"));
        QCOMPARE(valoare("", "C_NUME_L2"), QStringLiteral("Fara"));
        // Only texts are written: the existing student's numbers stay.
        QCOMPARE(
            b.Scalar(QStringLiteral("select min(VALOARE_NUM) as C from \"DATE\" where ID_ELEVI = %1").arg(existent)),
            QStringLiteral("7"));
        // The new students are tied to the school, the existing one is left as he was.
        const QString legati =
            QStringLiteral("select count(distinct ID_ELEVI) as C from \"DATE\" where IDF_SCOALA = %1").arg(scoala);
        QCOMPARE(b.Scalar(legati), QStringLiteral("2"));
        QCOMPARE(dm.ValoareCamp("Tessaluna", "FATA", "C_UNITATEA_L1",
                                b.Scalar("select max(ID_ELEVI) as C from ELEVI").toLongLong()),
                 QStringLiteral("Liceul Nr. 1"));
        // Mirrored fields follow the imported ones.
        QCOMPARE(dm.ValoareCamp(
                     "Tessaluna", "FATA", "A_CNP",
                     b.Scalar("select min(ID_ELEVI) as C from ELEVI where ID_ELEVI <> " + QString::number(existent))
                         .toLongLong()),
                 CnpA);
    }

    // A row that cannot be written rolls back whole; the rows before it stay; the errors of the run. A value
    // longer than its field holds is cut to it.
    void ErorileImportului()
    {
        TBazaTest b;
        b.Porneste();
        TDM& dm = b.Dm();
        TListaColoaneExcel l;
        l << TColoanaExcel{"A", {CnpA, CnpB}} << TColoanaExcel{"B", {"Bun", QString(300, u'x')}};
        TMapareCamp taiat = Mapare("C_NUME_L1", mpDinColoana, "B");
        taiat.Limita = 64;
        TImportElevi cuTaiere(dm, l, {taiat}, "A");
        cuTaiere.ImportaTot();
        QCOMPARE(b.Scalar("select max(char_length(VALOARE_TEXT)) as C from \"DATE\" where COD_CAMP = 'C_NUME_L1'"),
                 QStringLiteral("64"));
        b.Executa("delete from ELEVI");

        // A mapping that lets through more than a value holds: the store refuses the row.
        TMapareCamp prea = Mapare("C_NUME_L1", mpDinColoana, "B");
        prea.Limita = 1000;
        TImportElevi import(dm, l, {prea}, "A");
        QVERIFY_THROWS_EXCEPTION(EEroare, import.ImportaTot());
        QVERIFY(!dm.Tr.InTransaction());
        QCOMPARE(b.Scalar("select count(*) as C from ELEVI"), QStringLiteral("1"));
        QCOMPARE(b.Scalar("select count(*) as C from \"DATE\" where VALOARE_TEXT = '" + CnpB + "'"),
                 QStringLiteral("0"));

        TImportElevi faraColoana(dm, l, {}, "Z");
        try {
            faraColoana.ImportaTot();
            QFAIL("no error");
        } catch (const EEroare& e) {
            QCOMPARE(e.Mesaj(), QStringLiteral("UPS: nu pot identifica CNP-ul"));
        }
        b.Executa("update PROFIL_DIPLOMA set TIP_DE_DATE = 'TEXT' where TIP_DE_DATE = 'CNP'");
        try {
            TImportElevi(dm, l, {}, "A").ImportaTot();
            QFAIL("no error");
        } catch (const EEroare& e) {
            QCOMPARE(e.Mesaj(), QStringLiteral("NU exista CNP in profil diploma!"));
        }
    }

    // The report before writing: the rows that create a student, those that update one, those skipped with
    // their reason, the headings, the values cut and the CNPs that give no sex for a field derived from them.
    void RaportulInainteDeScriere()
    {
        TBazaTest b;
        b.Porneste();
        const QString cnpExistent = CnpCuCifraDeControl("605050512345");
        const qint64 existent = b.AdaugaElev({{"C_CNP", cnpExistent}});
        const QString strain = CnpCuCifraDeControl("900010112345");
        TFoaieTest f;
        const QList<QPair<QString, QString>> randuri{{"CNP", "Nume"},
                                                     {CnpA, "Ion Pop"},
                                                     {CnpA.left(12), "Doisprezece"},
                                                     {"1900101 123457", "Cu blanc"},
                                                     {"1900101123458", "Control gresit"},
                                                     {CnpA, "Dublura"},
                                                     {cnpExistent, "Existent"},
                                                     {"6,05E+12", "Exponent"},
                                                     {strain, "Strain"},
                                                     {"", "Fara CNP"},
                                                     {CnpCuCifraDeControl("501020312345"), QString(300, u'x')}};
        for (int r = 0; r < randuri.size(); ++r) {
            f.Pune(QStringLiteral("A%1").arg(r + 1), randuri[r].first);
            f.Pune(QStringLiteral("B%1").arg(r + 1), randuri[r].second);
        }
        f.Pune("A40", CnpA); // after 19 empty rows: not read, but said
        const TListaColoaneExcel l = CitesteFoaia(f.Citire(), 40);
        TMapareCamp nume = Mapare("C_NUME_L1", mpDinColoana, "B");
        nume.Limita = 64;
        TMapareCamp abreviere = Mapare("C_ABREVIERE", mpDinCnp);
        abreviere.TextBaieti = "l";
        abreviere.TextFete = "na";
        TImportElevi import(b.Dm(), l, {nume, abreviere}, "A");
        import.Pregateste();
        const TRaportImport r = import.Raport();
        QVERIFY(!b.Dm().Tr.InTransaction());

        auto randurileFoii = [](const auto& lista) {
            QList<int> n;
            for (const auto& x : lista)
                n << x.RandFoaie;
            return n;
        };
        QCOMPARE(randurileFoii(r.DeCreat), (QList<int>{2, 9, 11}));
        QCOMPARE(randurileFoii(r.DeActualizat), QList<int>{7});
        QCOMPARE(r.DeActualizat.first().IdElev, qint32(existent));
        QCOMPARE(randurileFoii(r.Sarite), (QList<int>{3, 4, 5, 6, 8, 10}));
        QStringList motive;
        for (const auto& x : r.Sarite)
            motive << x.Motiv;
        QCOMPARE(motive, (QStringList{"CNP-ul nu are exact 13 cifre", "CNP-ul are spatii intre cifre",
                                      "CNP cu cifra de control gresita", "CNP-ul apare si pe randul 2",
                                      "CNP-ul apare ca numar cu exponent; formatati coloana ca text si salvati "
                                      "din nou",
                                      "fara CNP"}));
        QCOMPARE(randurileFoii(r.FaraCnp), QList<int>{1});
        QCOMPARE(r.Taieri.size(), 1);
        QCOMPARE(r.Taieri.first().RandFoaie, 11);
        QCOMPARE(r.Taieri.first().Coloana, QStringLiteral("B"));
        QCOMPARE(r.Taieri.first().Lungime, 300);
        QCOMPARE(
            r.Observatii,
            (QStringList{"Randul 9: CNP-ul " + strain + " nu arata sexul (prima cifra 9); raman goale: C_ABREVIERE",
                         "Foaia mai are date pana la randul 40, dupa randul 11, unde citirea s-a oprit; ele nu au "
                         "fost citite."}));
        QCOMPARE(r.RanduriDeImportat(), (QList<int>{0, 3, 4, 5}));
        const QString text = TextRaport(r);
        QVERIFY2(text.contains("randul 11, coloana B, campul C_NUME_L1: 300 caractere, se pastreaza 64"),
                 qPrintable(text));
        QVERIFY2(text.contains("randul 7: CNP " + cnpExistent), qPrintable(text));
    }

    void CampurileDinProfil()
    {
        TBazaTest b;
        b.Porneste();
        const QList<TCampImport> campuri = CampuriDeImport(b.Dm());
        QStringList chei;
        for (const TCampImport& c : campuri)
            chei << c.Cheie.section(u'.', 2);
        QCOMPARE(chei, (QStringList{"C_ABREVIERE", "C_NUME_L1", "C_NUME_L2", "C_AN_ABSOLVIRE", "C_FILIERA",
                                    "C_PROFILUL", "C_SPECIALIZAREA", "A_NUME"}));
        QCOMPARE(campuri.at(1).Eticheta, QStringLiteral("Nume linia 1"));
        QCOMPARE(FormulareOferite(campuri), QStringList{"Tessaluna"});
        QVERIFY(!b.Dm().Tr.InTransaction());
    }
};

QTEST_GUILESS_MAIN(TestImportExcel)
#include "TestImportExcel.moc"
