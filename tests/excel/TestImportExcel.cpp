#include "excel/UCititorFoi.h"
#include "excel/UImportExcel.h"
#include "store/UInregistrari.h"
#include "testsupport/UBazaTest.h"

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

        TFoaieTest lunga; // never past row 999
        for (int r = 1; r <= 1005; ++r)
            lunga.Pune(QStringLiteral("A%1").arg(r), QString::number(1000000000000LL + r));
        QCOMPARE(CitesteFoaia(lunga.Citire()).NumarRanduri(), 999);
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
        QCOMPARE(*ValoareMapare(sex, l, 0, CnpA), QStringLiteral("M"));
        QCOMPARE(*ValoareMapare(sex, l, 1, CnpB), QStringLiteral("F")); // 6: a girl born after 2000
        QCOMPARE(*ValoareMapare(sex, l, 1, QString()), QStringLiteral("F"));
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

    // A row that cannot be written rolls back whole; the rows before it stay; the errors of the run.
    void ErorileImportului()
    {
        TBazaTest b;
        b.Porneste();
        TDM& dm = b.Dm();
        TListaColoaneExcel l;
        l << TColoanaExcel{"A", {CnpA, CnpB}} << TColoanaExcel{"B", {"Bun", QString(300, u'x')}};
        TImportElevi import(dm, l, {Mapare("C_NUME_L1", mpDinColoana, "B")}, "A");
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
