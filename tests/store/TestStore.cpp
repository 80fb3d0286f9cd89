#include "platform/UFoldere.h"
#include "profile/UPornireDate.h"
#include "profile/UProfil.h"
#include "store/UDataModule.h"
#include "store/UEroareBD.h"
#include "store/UEvaluatorExpresie.h"
#include "store/UInregistrari.h"
#include "store/ULiniiElevi.h"
#include "store/UProfilDiploma.h"
#include "testsupport/UBazaTest.h"
#include "testsupport/UTestSupport.h"

#include <QCollator>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {
const QString P = QStringLiteral("Tessaluna.FATA.");

// Everything of the database that a start-up may touch except PROFIL_DIPLOMA: structure, generators, rows.
QStringList Instantaneu(TBazaTest& b)
{
    QStringList r;
    r << b.Coloana("select trim(RDB$RELATION_NAME) || '.' || trim(RDB$FIELD_NAME) || ':' || RDB$FIELD_POSITION "
                   "as C from RDB$RELATION_FIELDS where coalesce(RDB$SYSTEM_FLAG,0)=0 order by 1");
    r << b.Coloana("select trim(RDB$CONSTRAINT_NAME) || ':' || trim(RDB$CONSTRAINT_TYPE) || ':' || "
                   "trim(RDB$RELATION_NAME) as C from RDB$RELATION_CONSTRAINTS where RDB$CONSTRAINT_NAME not "
                   "starting 'INTEG_' order by 1");
    r << b.Coloana("select trim(RDB$INDEX_NAME) as C from RDB$INDICES where coalesce(RDB$SYSTEM_FLAG,0)=0 order by 1");
    for (const QString& g : b.Coloana("select trim(RDB$GENERATOR_NAME) as C from RDB$GENERATORS where "
                                      "coalesce(RDB$SYSTEM_FLAG,0)=0 order by 1"))
        r << g + "=" + b.Scalar(QStringLiteral("select GEN_ID(%1, 0) as C from RDB$DATABASE").arg(g));
    r << b.Coloana("select VERSIUNE as C from CONFID_DB");
    r << b.Coloana("select NUME_TABEL || '|' || coalesce(EXP_DENUMIRE, '<null>') as C from TABELE order by 1");
    r << b.Coloana("select TIP_DE_DATE as C from TIPURI_DE_DATE order by 1");
    r << b.Coloana("select COD_CAMP || '|' || coalesce(VALOARE_TEXT,'') || '|' || coalesce(ID_ELEVI,-1) || '|' || "
                   "coalesce(IDF_SCOALA,-1) || '|' || coalesce(ID_SCOALA,-1) as C from \"DATE\" order by 1");
    r << b.Coloana("select ID_ELEVI as C from ELEVI order by 1");
    return r;
}

QStringList Profil(TBazaTest& b)
{
    return b.Coloana("select ORDINE || '|' || COD_FORMULAR || '.' || COD_PAGINA || '.' || COD_CAMP || '|' || "
                     "coalesce(SIMILAR_CU,'') || '|' || ONOREZ_SIMILAR || '|' || ETICHETA_EDITOR || '|' || "
                     "coalesce(FORMULA,'') || '|' || VIZIBIL || '|' || TIP_DE_DATE || '|' || ASOCIAT_CU || '|' || "
                     "coalesce(GRUP,'') || '|' || LATIME_SUGERATA || '|' || coalesce(COD_LINIE,'') as C "
                     "from PROFIL_DIPLOMA order by ORDINE");
}

QStringList CampuriProfil(TBazaTest& b)
{
    return b.Coloana("select trim(RDB$FIELD_NAME) as C from RDB$RELATION_FIELDS where RDB$RELATION_NAME = "
                     "'PROFIL_DIPLOMA' order by RDB$FIELD_POSITION");
}

QByteArray Amprenta(const QString& cale)
{
    QFile f(cale);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}
} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void primaPornireDinSablon();
    void aDouaPornireRescrieDoarProfilul();
    void profilulPastreazaAlegereaUtilizatorului();
    void upgradeDupaVersiune_data();
    void upgradeDupaVersiune();
    void obiecteleLipsaSuntCreateExact();
    void stergereaElevuluiStergeValorileSiLegaturile();
    void valoareCamp_data();
    void valoareCamp();
    void valoareCampPrinLegatura();
    void valoareCampTranzactie();
    void oglinziInBucla();
    void parseExp_data();
    void parseExp();
    void parseExpFaraTranzactie();
    void evaluatorulInMemorieDaCaParseExp();
    void listaSortataDaCaParseExp();
    void literelRomanestiSePastreaza();
    void interogari();
    void fisierDeteriorat();
    void paginaDeteriorataNecititaLaPornire_data();
    void paginaDeteriorataNecititaLaPornire();
    void inregistrareaVerificarii();
    void bazaFolositaDeAltaCopie();
    void confidDbGresit_data();
    void confidDbGresit();
    void faraBazaSiFaraSablon();
    void gardaTranzactiei();
    void cursorInchisLaEroare();
    void aDouaOperatieRefuzata();
    void profilulPrinStore();
    void cautareaValoriiPrinStore();
    void elevLegatDeScoala();
    void legareaNuAtingeValorileElevului();
};

void TestStore::primaPornireDinSablon()
{
    TBazaTest b;
    const QByteArray sablon = Amprenta(DosarBinar() + "/BLANK.FDB");
    QVERIFY(!QFile::exists(b.CaleBaza()));
    b.Porneste();
    QVERIFY(QFile::exists(b.CaleBaza()));
    QCOMPARE(Amprenta(DosarBinar() + "/BLANK.FDB"), sablon);

    QCOMPARE(b.Scalar("select VERSIUNE as C from CONFID_DB"), QString("3"));
    QCOMPARE(CampuriProfil(b), QStringList({"COD_FORMULAR", "COD_PAGINA", "COD_CAMP", "SIMILAR_CU", "ONOREZ_SIMILAR",
                                            "ETICHETA_EDITOR", "FORMULA", "VIZIBIL", "TIP_DE_DATE", "ASOCIAT_CU",
                                            "GRUP", "LATIME_SUGERATA", "COD_LINIE", "ORDINE"}));
    QCOMPARE(b.Coloana("select trim(RDB$RELATION_NAME) as C from RDB$RELATIONS where coalesce(RDB$SYSTEM_FLAG,0)=0 "
                       "order by 1"),
             QStringList({"CONFID_DB", "DATE", "ELEVI", "FORMULARE_FOLOSITE", "LOTURI_FORMULARE", "PROFIL_DIPLOMA",
                          "SCOALA", "TABELE", "TIPARIRI", "TIPURI_DE_DATE"}));
    QCOMPARE(b.Coloana("select trim(RDB$CONSTRAINT_NAME) || ' ' || trim(RDB$CONSTRAINT_TYPE) as C from "
                       "RDB$RELATION_CONSTRAINTS where RDB$CONSTRAINT_NAME starting with 'PK_E' or RDB$CONSTRAINT_NAME "
                       "starting with 'PK_S' or RDB$CONSTRAINT_NAME starting with 'FK_' order by 1"),
             QStringList({"FK_ELEVI_1 FOREIGN KEY", "FK_ELEVI_2 FOREIGN KEY", "FK_SCOALA_1 FOREIGN KEY",
                          "FK_SCOALA_2 FOREIGN KEY", "PK_ELEVI PRIMARY KEY", "PK_SCOALA PRIMARY KEY"}));
    QCOMPARE(b.Coloana("select trim(RDB$FIELD_NAME) as C from RDB$RELATION_FIELDS where RDB$RELATION_NAME = 'DATE' "
                       "order by RDB$FIELD_POSITION"),
             QStringList({"COD_FORMULAR", "COD_PAGINA", "COD_CAMP", "VALOARE_TEXT", "VALOARE_NUM", "ID_ELEVI",
                          "IDF_ELEVI", "ID_SCOALA", "IDF_SCOALA"}));
    QCOMPARE(b.Scalar("select GEN_ID(G_ID_ELEVI, 0) || '/' || GEN_ID(G_ID_SCOALA, 0) as C from RDB$DATABASE"),
             QString("0/0"));
    QCOMPARE(b.Coloana("select TIP_DE_DATE as C from TIPURI_DE_DATE"), TDM::TipuriDeDate());
    QCOMPARE(b.Coloana("select NUME_TABEL || '|' || coalesce(EXP_DENUMIRE, '<null>') as C from TABELE order by 1"),
             QStringList({"ELEVI|", "SCOALA|"}));

    const QStringList profil = Profil(b);
    QCOMPARE(profil.size(), 30);
    QCOMPARE(profil.first(), QString("1|Tessaluna.FATA.C_ABREVIERE||DA|[Candidat]Abreviere{cotor}||DA|TEXT|ELEVI||0|"));
    QCOMPARE(profil[27], QString("28|Tessaluna.FATA.A_CNP|Tessaluna.FATA.C_CNP|DA|[Candidat]CNP{certificat}||DA|CNP|"
                                 "ELEVI||0|"));
    QCOMPARE(profil.last(), QString("30|Tessaluna.FATA.A_SECRETAR|Tessaluna.FATA.C_SECRETAR|DA|[Conducerea]Secretar{"
                                    "cotor}||DA|TEXT|SCOALA||0|"));
    QCOMPARE(b.Scalar("select count(*) as C from \"DATE\""), QString("0"));
}

void TestStore::aDouaPornireRescrieDoarProfilul()
{
    TBazaTest b;
    b.Porneste();
    b.AdaugaElev({{"C_NUME_L1", "Popescu"}, {"C_CNP", "1900101123456"}});
    const QStringList inainte = Instantaneu(b);
    const QStringList profilInainte = Profil(b);
    const QByteArray baza = Amprenta(DosarBinar() + "/BLANK.FDB");

    b.Reporneste();
    QCOMPARE(Instantaneu(b), inainte);
    QCOMPARE(Profil(b), profilInainte);
    QCOMPARE(Amprenta(DosarBinar() + "/BLANK.FDB"), baza);
}

void TestStore::profilulPastreazaAlegereaUtilizatorului()
{
    TBazaTest b;
    b.Porneste();
    b.Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = 'NU', ASOCIAT_CU = 'SCOALA' where COD_CAMP = 'A_CNP'");
    b.Executa("update PROFIL_DIPLOMA set ETICHETA_EDITOR = 'schimbat', ORDINE = 99 where COD_CAMP = 'C_CNP'");
    b.Executa("insert into PROFIL_DIPLOMA (COD_FORMULAR, COD_PAGINA, COD_CAMP, ONOREZ_SIMILAR) values ('AltFormular', "
              "'FATA', 'X', 'DA')");
    b.Executa("delete from PROFIL_DIPLOMA where COD_CAMP = 'A_NUME'");

    b.Reporneste();
    QCOMPARE(b.Scalar("select ONOREZ_SIMILAR || '|' || ASOCIAT_CU as C from PROFIL_DIPLOMA where COD_CAMP = 'A_CNP'"),
             QString("NU|ELEVI"));
    QCOMPARE(b.Scalar("select ETICHETA_EDITOR || '|' || ORDINE as C from PROFIL_DIPLOMA where COD_CAMP = 'C_CNP'"),
             QString("[Candidat]CNP{cotor}|13"));
    QCOMPARE(b.Scalar("select count(*) as C from PROFIL_DIPLOMA where COD_FORMULAR = 'AltFormular'"), QString("0"));
    QCOMPARE(b.Scalar("select ONOREZ_SIMILAR || '|' || ORDINE as C from PROFIL_DIPLOMA where COD_CAMP = 'A_NUME'"),
             QString("DA|17"));
    QCOMPARE(b.Scalar("select count(*) as C from PROFIL_DIPLOMA"), QString("30"));
}

void TestStore::upgradeDupaVersiune_data()
{
    QTest::addColumn<QStringList>("pregatire");
    QTest::addColumn<QStringList>("campuri");
    const QStringList fixe = {"COD_FORMULAR",   "COD_PAGINA",      "COD_CAMP", "SIMILAR_CU",
                              "ONOREZ_SIMILAR", "ETICHETA_EDITOR", "FORMULA",  "VIZIBIL",
                              "TIP_DE_DATE",    "ASOCIAT_CU",      "GRUP"};
    // Version 2 already has the first two columns: running the first step again would fail on them.
    QTest::newRow("versiunea 2 primeste doar ORDINE")
        << QStringList{"ALTER TABLE PROFIL_DIPLOMA ADD LATIME_SUGERATA INTEGER, ADD COD_LINIE VARCHAR(32)",
                       "UPDATE CONFID_DB SET VERSIUNE=2"}
        << (fixe + QStringList{"LATIME_SUGERATA", "COD_LINIE", "ORDINE"});
    QTest::newRow("versiunea 3 nu primeste nimic")
        << QStringList{"ALTER TABLE PROFIL_DIPLOMA ADD ORDINE INTEGER, ADD LATIME_SUGERATA INTEGER, ADD COD_LINIE "
                       "VARCHAR(32)",
                       "UPDATE CONFID_DB SET VERSIUNE=3"}
        << (fixe + QStringList{"ORDINE", "LATIME_SUGERATA", "COD_LINIE"});
    QTest::newRow("versiunea 7 nu primeste nimic")
        << QStringList{"ALTER TABLE PROFIL_DIPLOMA ADD ORDINE INTEGER, ADD COD_LINIE VARCHAR(32), ADD "
                       "LATIME_SUGERATA INTEGER",
                       "UPDATE CONFID_DB SET VERSIUNE=7"}
        << (fixe + QStringList{"ORDINE", "COD_LINIE", "LATIME_SUGERATA"});
}

void TestStore::upgradeDupaVersiune()
{
    QFETCH(QStringList, pregatire);
    QFETCH(QStringList, campuri);
    TBazaTest b;
    b.PregatesteDinSablon();
    b.DeschideDoar();
    for (const QString& sql : pregatire)
        b.Executa(sql);
    const QString versiune = b.Scalar("select VERSIUNE as C from CONFID_DB");
    b.Inchide();

    b.Porneste();
    QCOMPARE(CampuriProfil(b), campuri);
    QCOMPARE(b.Scalar("select VERSIUNE as C from CONFID_DB"), versiune.toInt() < 3 ? QString("3") : versiune);
    QCOMPARE(b.Scalar("select count(*) as C from PROFIL_DIPLOMA where ORDINE between 1 and 30"), QString("30"));
}

void TestStore::obiecteleLipsaSuntCreateExact()
{
    TBazaTest b;
    b.PregatesteDinSablon();
    b.DeschideDoar();
    b.Executa("create table ELEVI (ID_ELEVI INTEGER NOT NULL)");
    b.Executa("ALTER TABLE ELEVI ADD CONSTRAINT PK_ELEVI PRIMARY KEY (ID_ELEVI)");
    b.Executa("CREATE GENERATOR G_ID_ELEVI");
    b.Executa("SET GENERATOR G_ID_ELEVI TO 7");
    b.Executa("ALTER TABLE \"DATE\" ADD IDF_SCOALA INTEGER");
    b.Inchide();

    b.Porneste();
    // The generator that existed keeps its value; the one created starts at 0.
    QCOMPARE(b.Scalar("select GEN_ID(G_ID_ELEVI, 0) || '/' || GEN_ID(G_ID_SCOALA, 0) as C from RDB$DATABASE"),
             QString("7/0"));
    QCOMPARE(b.Coloana("select trim(RDB$FIELD_NAME) as C from RDB$RELATION_FIELDS where RDB$RELATION_NAME = 'DATE' "
                       "order by RDB$FIELD_POSITION"),
             QStringList({"COD_FORMULAR", "COD_PAGINA", "COD_CAMP", "VALOARE_TEXT", "VALOARE_NUM", "IDF_SCOALA",
                          "ID_ELEVI", "IDF_ELEVI", "ID_SCOALA"}));
    QCOMPARE(b.Scalar("select count(*) as C from RDB$RELATION_CONSTRAINTS where RDB$CONSTRAINT_NAME in ('PK_ELEVI', "
                      "'PK_SCOALA', 'FK_ELEVI_1', 'FK_ELEVI_2', 'FK_SCOALA_1', 'FK_SCOALA_2')"),
             QString("6"));
    QCOMPARE(b.AdaugaElev({}), qint64(8));
}

void TestStore::stergereaElevuluiStergeValorileSiLegaturile()
{
    TBazaTest b;
    b.Porneste();
    const qint64 e1 = b.AdaugaElev({{"C_NUME_L1", "Ion"}, {"C_CNP", "1"}});
    const qint64 e2 = b.AdaugaElev({{"C_NUME_L1", "Ana"}});
    b.Executa("insert into SCOALA (ID_SCOALA) values (1)");
    b.Executa(QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, ID_ELEVI, IDF_SCOALA) values "
                             "('Tessaluna', 'FATA', 'C_UNITATEA_L1', %1, 1)")
                  .arg(e1));
    // A row of the second student that links to the first one.
    b.Executa(QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, ID_ELEVI, IDF_ELEVI) values "
                             "('Tessaluna', 'FATA', 'X', %1, %2)")
                  .arg(e2)
                  .arg(e1));
    QCOMPARE(b.Scalar("select count(*) as C from \"DATE\""), QString("5"));

    b.Executa(QStringLiteral("delete from ELEVI where ID_ELEVI = %1").arg(e1));
    QCOMPARE(b.Coloana("select COD_CAMP || '/' || ID_ELEVI as C from \"DATE\""), QStringList({"C_NUME_L1/2"}));
    QCOMPARE(b.Scalar("select count(*) as C from SCOALA"), QString("1"));
}

void TestStore::valoareCamp_data()
{
    QTest::addColumn<QString>("onorez");
    QTest::addColumn<bool>("arePropriu");
    QTest::addColumn<QString>("asteptat");
    // A_CNP mirrors C_CNP ("1900101") and may have its own value ("2850505").
    QTest::newRow("DA ia oglinda, oricare ar fi valoarea proprie") << "DA" << true << "1900101";
    QTest::newRow("SELECTIV cu valoare proprie o tipareste") << "SELECTIV" << true << "2850505";
    QTest::newRow("SELECTIV fara valoare proprie ia oglinda") << "SELECTIV" << false << "1900101";
    QTest::newRow("alt mod nenul ca DA") << "ORICE" << true << "1900101";
    QTest::newRow("NU ia valoarea proprie") << "NU" << true << "2850505";
    QTest::newRow("nu cu litere mici") << "nu" << true << "2850505";
    QTest::newRow("NU fara valoare proprie e gol") << "Nu" << false << "";
    QTest::newRow("gol ia valoarea proprie") << "" << true << "2850505";
    QTest::newRow("OPTIONAL cu valoare proprie") << "OPTIONAL" << true << "2850505";
    QTest::newRow("OPTIONAL fara valoare proprie") << "OPTIONAL" << false << "1900101";
    QTest::newRow("optional cu litere mici e oglinda") << "optional" << true << "1900101";
}

void TestStore::valoareCamp()
{
    QFETCH(QString, onorez);
    QFETCH(bool, arePropriu);
    QFETCH(QString, asteptat);
    static TBazaTest* b = nullptr;
    if (!b) {
        b = new TBazaTest;
        b->Porneste();
    }
    b->Executa(QStringLiteral("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = '%1' where COD_CAMP = 'A_CNP'").arg(onorez));
    const qint64 id = b->AdaugaElev({{"C_CNP", "1900101"}});
    b->AdaugaElev({{"C_CNP", "altul"}, {"A_CNP", "altul"}});
    if (arePropriu) {
        b->Executa("insert into SCOALA (ID_SCOALA) values (" + QString::number(id) + ")");
        b->ScrieValoare("ELEVI", id, "A_CNP", "2850505");
        // A value of the same field owned by a school record of the same number must not be taken.
        b->ScrieValoare("SCOALA", id, "A_CNP", "scoala");
    }
    QCOMPARE(b->Dm().ValoareCamp("Tessaluna", "FATA", "A_CNP", id), asteptat);
    QCOMPARE(b->Dm().ValoareCamp("Tessaluna", "FATA", "C_CNP", id), QString("1900101"));
    QCOMPARE(b->Dm().ValoareCamp("Tessaluna", "FATA", "NU_EXISTA", id), QString());
    QCOMPARE(b->Dm().ValoareCamp("Tessaluna", "FATA", "C_NUME_L1", id), QString());
}

void TestStore::valoareCampPrinLegatura()
{
    TBazaTest b;
    b.Porneste();
    const qint64 elev = b.AdaugaElev({{"C_NUME_L1", "Ion"}});
    const qint64 faraLegatura = b.AdaugaElev({{"C_NUME_L1", "Ana"}});
    b.Executa("insert into SCOALA (ID_SCOALA) values (5)");
    b.ScrieValoare("SCOALA", 5, "C_UNITATEA_L1", "Liceul Teoretic");
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "C_UNITATEA_L1", elev), QString());

    b.Executa(QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, ID_ELEVI, IDF_SCOALA) values "
                             "('Tessaluna', 'FATA', 'C_UNITATEA_L1', %1, 5)")
                  .arg(elev));
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "C_UNITATEA_L1", elev), QString("Liceul Teoretic"));
    // The certificate's field mirrors the counterfoil's and follows the same link.
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "A_UNITATEA_L1", elev), QString("Liceul Teoretic"));
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "C_UNITATEA_L1", faraLegatura), QString());

    // A link row whose IDF_SCOALA is NULL, and a table name "DATE" has no columns for, both give nothing.
    b.Executa(QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, ID_ELEVI) values "
                             "('Tessaluna', 'FATA', 'C_JUDETUL', %1)")
                  .arg(elev));
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "C_JUDETUL", elev), QString());
    b.Executa("update PROFIL_DIPLOMA set ASOCIAT_CU = 'CLASE' where COD_CAMP = 'C_NUME_L1'");
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "C_NUME_L1", elev), QString());
}

void TestStore::valoareCampTranzactie()
{
    TBazaTest b;
    b.Porneste();
    const qint64 id = b.AdaugaElev({{"C_NUME_L1", "Ion"}});
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "C_NUME_L1", id), QString("Ion"));
    QVERIFY(!b.Dm().Tr.InTransaction());

    b.Dm().Tr.StartTransaction();
    b.ScrieValoare("ELEVI", id, "C_NUME_L2", "Vasile");
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "C_NUME_L2", id), QString("Vasile"));
    QVERIFY(b.Dm().Tr.InTransaction());
    b.Dm().Tr.Rollback();
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "C_NUME_L2", id), QString());
}

void TestStore::oglinziInBucla()
{
    TBazaTest b;
    b.Porneste();
    const qint64 id = b.AdaugaElev({{"C_CNP", "1"}, {"A_CNP", "2"}});
    b.Executa("update PROFIL_DIPLOMA set SIMILAR_CU = 'Tessaluna.FATA.A_CNP' where COD_CAMP = 'C_CNP'");
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "A_CNP", id), QString());
    QVERIFY(!b.Dm().Tr.InTransaction());
    // A chain of two mirrors is followed to its end.
    b.Executa("update PROFIL_DIPLOMA set SIMILAR_CU = 'Tessaluna.FATA.C_NUME_L1' where COD_CAMP = 'C_CNP'");
    b.ScrieValoare("ELEVI", id, "C_NUME_L1", "capat");
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "A_CNP", id), QString("capat"));
}

void TestStore::parseExp_data()
{
    QTest::addColumn<QString>("expresie");
    QTest::addColumn<QString>("asteptat");
    QTest::newRow("fara acolade") << "Nume si prenume"
                                  << "Nume si prenume";
    QTest::newRow("acolade goale") << "a{}b"
                                   << "ab";
    QTest::newRow("acolada nedeschisa") << "inainte {" + P + "C_NUME_L1"
                                        << "inainte ";
    QTest::newRow("acolada inchisa in text") << "a}b"
                                             << "a}b";
    QTest::newRow("de doua ori") << "<{" + P + "C_NUME_L1}-{" + P + "C_NUME_L1}>"
                                 << "<Ion-Ion>";
    QTest::newRow("acolada in cheie") << "{{" + P + "C_NUME_L1}"
                                      << "";
    QTest::newRow("spatii in cheie nu se taie") << "{ " + P + "C_NUME_L1}"
                                                << "";
    QTest::newRow("cheie cu patru parti") << "{" + P + "C_NUME_L1.X}"
                                          << "Ion";
    QTest::newRow("expresia elevului cu CNP gol")
        << "{Tessaluna.FATA.C_NUME_L1} {Tessaluna.FATA.C_NUME_L2} / {Tessaluna.FATA.C_NUME_L1} "
           "{Tessaluna.FATA.C_NUME_L2} ({Tessaluna.FATA.C_CNP})"
        << "Ion Popescu / Ion Popescu ()";
}

void TestStore::parseExp()
{
    QFETCH(QString, expresie);
    QFETCH(QString, asteptat);
    TBazaTest b;
    b.Porneste();
    const qint64 id = b.AdaugaElev({{"C_NUME_L1", "Ion"}, {"C_NUME_L2", "Popescu"}});
    b.Dm().Tr.StartTransaction();
    QCOMPARE(b.Dm().ParseExp(expresie, id), asteptat);
    b.Dm().Tr.Rollback();
}

void TestStore::parseExpFaraTranzactie()
{
    TBazaTest b;
    b.Porneste();
    try {
        b.Dm().ParseExp("text", 1);
        QFAIL("ParseExp ran outside a transaction");
    } catch (const EEroare& e) {
        QCOMPARE(e.Mesaj(), QString("Tranzactia trebuie sa fie activa in momentul apelarii procedurii ParseExp"));
    }
}

void TestStore::evaluatorulInMemorieDaCaParseExp()
{
    TBazaTest b;
    b.Porneste();
    // Every mirror mode, a mirror chain, a loop, tables reached through links, odd table names.
    const QStringList moduri = {"DA", "NU", "SELECTIV", "OPTIONAL", "", "nu", "ORICE"};
    const QStringList campuriA = b.Coloana("select COD_CAMP as C from PROFIL_DIPLOMA where SIMILAR_CU <> '' "
                                           "order by ORDINE");
    for (int i = 0; i < campuriA.size(); ++i)
        b.Executa(QStringLiteral("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = '%1' where COD_CAMP = '%2'")
                      .arg(moduri[i % moduri.size()], campuriA[i]));
    b.Executa("update PROFIL_DIPLOMA set SIMILAR_CU = 'Tessaluna.FATA.A_NUME', ONOREZ_SIMILAR = 'OPTIONAL' "
              "where COD_CAMP = 'C_NUME_L2'");
    b.Executa("update PROFIL_DIPLOMA set SIMILAR_CU = 'Tessaluna.FATA.A_CNP', ONOREZ_SIMILAR = 'DA' "
              "where COD_CAMP = 'C_CNP'");
    b.Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = 'DA' where COD_CAMP = 'A_CNP'");
    b.Executa("update PROFIL_DIPLOMA set ASOCIAT_CU = 'elevi' where COD_CAMP = 'C_FILIERA'");
    b.Executa("update PROFIL_DIPLOMA set ASOCIAT_CU = 'CLASE' where COD_CAMP = 'C_PROFILUL'");
    b.Executa("update PROFIL_DIPLOMA set ASOCIAT_CU = NULL where COD_CAMP = 'C_ABREVIERE'");

    QStringList chei;
    for (const QString& c : b.Coloana("select COD_CAMP as C from PROFIL_DIPLOMA order by ORDINE"))
        chei << c;
    b.Executa("insert into SCOALA (ID_SCOALA) values (1)");
    b.Executa("insert into SCOALA (ID_SCOALA) values (2)");
    QList<qint64> elevi;
    for (int e = 0; e < 12; ++e) {
        QList<QPair<QString, QString>> valori;
        for (int c = 0; c < chei.size(); ++c) {
            if ((c + e) % 3 != 0)
                valori << qMakePair(chei[c], QStringLiteral("%1-%2").arg(chei[c]).arg(e));
        }
        elevi << b.AdaugaElev(valori);
    }
    for (int c = 0; c < chei.size(); ++c) {
        b.ScrieValoare("SCOALA", 1 + c % 2, chei[c], "scoala-" + chei[c]);
        // Link rows for some students and fields, some without a target.
        b.Executa(QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, ID_ELEVI, IDF_SCOALA, "
                                 "IDF_ELEVI) values ('Tessaluna', 'FATA', '%1', %2, %3, %4)")
                      .arg(chei[c])
                      .arg(elevi[(c * 5) % elevi.size()])
                      .arg(c % 4 == 1 ? QString("null") : QString::number(1 + c % 2))
                      .arg(elevi[(c * 7) % elevi.size()]));
    }

    const QStringList expresii = {
        ProfilInregistrat()->ListaCampuriElev(),
        ProfilInregistrat()->ListaCampuriGeneric(),
        "{Tessaluna.FATA." + chei.join("}|{Tessaluna.FATA.") + "}",
        "a{}b}{Tessaluna.FATA.C_NUME_L1 }{ Tessaluna.FATA.C_NUME_L1}{Tessaluna.FATA.NU_EXISTA}{Tessaluna.FATA.A_CNP",
        "fara chei",
        // Codes longer than the key columns name no field, whatever their bytes.
        "<{Tessaluna.FATA." + QString(65, u'X') + "}>{Tessaluna.FATA." + QString(65, u'ă') + "}",
    };
    TDM& dm = b.Dm();
    QString toate;
    for (const QString& expresie : expresii) {
        dm.Tr.StartTransaction();
        TEvaluatorExpresie evaluator(dm, expresie);
        evaluator.Pregateste();
        for (qint64 id : elevi + QList<qint64>{999, -1}) {
            const QString asteptat = dm.ParseExp(expresie, id);
            QCOMPARE(evaluator.Evalueaza(id), asteptat);
            toate += asteptat;
        }
        dm.Tr.Rollback();
    }
    // The comparison covers values reached through links, mirrors and own values alike.
    QVERIFY(toate.contains("scoala-C_UNITATEA_L1"));
    QVERIFY(toate.contains("A_NUME-"));
    QVERIFY(toate.contains("C_NUME_L1-"));
}

void TestStore::listaSortataDaCaParseExp()
{
    TBazaTest b;
    b.Porneste();
    // The first student has one field before the others are written and the rest after them, so that the
    // reading meets his rows apart. The value rows of the list's fields are more than one batch of the reading.
    const qint64 primul = b.AdaugaElev({{"C_NUME_L1", "Zamfir"}});
    b.CresteCuElevi(1400);
    b.AdaugaElev({});
    // Read last: a row of the first student, a second row of a field of another student (the first row read
    // stays the value), and one more of the first student, which comes after he was last met.
    b.ScrieValoare("ELEVI", primul, "C_NUME_L2", "Ana");
    b.Executa(QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, ID_ELEVI, VALOARE_TEXT) "
                             "values ('Tessaluna', 'FATA', 'C_NUME_L1', %1, 'Altul')")
                  .arg(primul + 1));
    b.ScrieValoare("ELEVI", primul, "C_CNP", "6080517123456");
    // Ties and diacritics for the order. A record changed keeps its place, so this comes after the inserts:
    // the space its old versions leave could take a row inserted later.
    b.Executa("update \"DATE\" set VALOARE_TEXT = 'Ștefan' where COD_CAMP = 'C_NUME_L1' and mod(ID_ELEVI, 7) = 0");
    b.Executa("update \"DATE\" set VALOARE_TEXT = 'stefan' where COD_CAMP = 'C_NUME_L1' and mod(ID_ELEVI, 7) = 1");
    b.Executa("update \"DATE\" set VALOARE_TEXT = 'Ţuţea' where COD_CAMP = 'C_NUME_L2' and mod(ID_ELEVI, 5) = 0");
    const QStringList ordine =
        b.Coloana("select ID_ELEVI || ' ' || COD_CAMP as C from \"DATE\" where COD_CAMP in ('C_NUME_L1', "
                  "'C_NUME_L2', 'C_CNP')");
    QCOMPARE(ordine.mid(ordine.size() - 3),
             QStringList({QStringLiteral("%1 C_NUME_L2").arg(primul), QStringLiteral("%1 C_NUME_L1").arg(primul + 1),
                          QStringLiteral("%1 C_CNP").arg(primul)}));

    TDM& dm = b.Dm();
    const QStringList iduri = b.Coloana("select ID_ELEVI as C from ELEVI");
    const QCollator colatie{QLocale(QStringLiteral("ro_RO"))};
    // The list's own expression, and one that reaches the school through links.
    for (const QString& expresie : {ProfilInregistrat()->ListaCampuriElev(),
                                    QStringLiteral("{Tessaluna.FATA.C_NUME_L1} {Tessaluna.FATA.C_UNITATEA_L1}!")}) {
        const TListaLiniiElevi linii = CitesteLiniiSortate(dm, expresie);
        TListaLiniiElevi asteptate;
        dm.Tr.StartTransaction();
        for (const QString& id : iduri) {
            asteptate.push_back(std::make_unique<TLinieElev>());
            asteptate.back()->Id = id.toInt();
            asteptate.back()->Denumire = dm.ParseExp(expresie, id.toInt());
        }
        dm.Tr.Rollback();
        SorteazaDupaNume(asteptate);
        QCOMPARE(linii.size(), asteptate.size());
        for (size_t i = 0; i < linii.size(); ++i) {
            QCOMPARE(linii[i]->Id, asteptate[i]->Id);
            QCOMPARE(linii[i]->Denumire, asteptate[i]->Denumire);
            if (i > 0)
                QVERIFY(colatie.compare(linii[i - 1]->Denumire, linii[i]->Denumire) <= 0);
        }
    }
}

void TestStore::literelRomanestiSePastreaza()
{
    TBazaTest b;
    b.Porneste();
    const QString nume = QString::fromUtf8("Ştefănescu Ţuţea ăâîșț ĂÂÎȘȚ şţ");
    const qint64 id = b.AdaugaElev({{"C_NUME_L1", nume}});
    b.Reporneste();
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "C_NUME_L1", id), nume);
}

void TestStore::interogari()
{
    TBazaTest b;
    b.Porneste();
    TDM& dm = b.Dm();
    dm.Tr.StartTransaction();
    // The same name twice binds one value to both places; a text reused keeps its statement.
    for (const QString& t : {QString("ELEVI"), QString("SCOALA")}) {
        dm.Q4.SetSQL("select count(*) as N from TABELE where NUME_TABEL = :T or EXP_DENUMIRE = :T");
        dm.Q4.ParamByName("t").SetAsString(t);
        dm.Q4.Open();
        QCOMPARE(dm.Q4.FieldByName("n").AsInteger(), qint64(1));
        dm.Q4.Close();
    }
    dm.Q4.SetSQL("select ':NU_E_PARAMETRU' as T from RDB$DATABASE");
    dm.Q4.Open();
    QCOMPARE(dm.Q4.FieldByName("T").AsString(), QString(":NU_E_PARAMETRU"));
    QVERIFY_THROWS_EXCEPTION(EEroareBD, dm.Q4.ParamByName("NU_E_PARAMETRU"));

    // Unset parameters are NULL; NULL reads as empty text and 0.
    dm.Q4.SetSQL("select cast(:V as varchar(10)) as V, cast(:I as integer) as I from RDB$DATABASE");
    dm.Q4.Open();
    QVERIFY(dm.Q4.FieldByName("V").IsNull());
    QCOMPARE(dm.Q4.FieldByName("V").AsString(), QString());
    QCOMPARE(dm.Q4.FieldByName("I").AsInteger(), qint64(0));
    dm.Tr.Rollback();

    // A duplicate key and an over-long value are reported, never stored cut.
    dm.Tr.StartTransaction();
    dm.Q1.SetSQL("insert into TABELE (NUME_TABEL) values (:N)");
    dm.Q1.ParamByName("N").SetAsString("ELEVI");
    try {
        dm.Q1.ExecSQL();
        QFAIL("duplicate accepted");
    } catch (const EEroareBD& e) {
        QCOMPARE(e.Categorie(), EEroareBD::CheieDuplicata);
        QVERIFY(e.Mesaj().contains("PK_TABELE"));
    }
    dm.Q1.ParamByName("N").SetAsString(QString(65, u'ă'));
    QVERIFY_THROWS_EXCEPTION(EEroareBD, dm.Q1.ExecSQL());
    dm.Tr.Rollback();
    QCOMPARE(b.Scalar("select count(*) as C from TABELE"), QString("2"));
}

void TestStore::fisierDeteriorat()
{
    TBazaTest b;
    b.PregatesteDinSablon();
    QFile f(b.CaleBaza());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(20000, 'x'));
    f.close();
    const QByteArray inainte = Amprenta(b.CaleBaza());
    try {
        b.Porneste();
        QFAIL("a damaged file was opened");
    } catch (const EEroareBD& e) {
        QCOMPARE(e.Categorie(), EEroareBD::FisierDeteriorat);
        QVERIFY2(e.Mesaj().contains("deteriorat"), qPrintable(e.Mesaj()));
    }
    QCOMPARE(Amprenta(b.CaleBaza()), inainte);
}

void TestStore::paginaDeteriorataNecititaLaPornire_data()
{
    QTest::addColumn<int>("tipPagina");
    QTest::addColumn<int>("pozitieTabel");
    QTest::addColumn<QString>("cum");
    // Page types of the file format: 5 a data page (its table's id at byte 20), 7 an index page (at byte 28).
    QTest::newRow("pagina de date a valorilor, stearsa") << 5 << 20 << "zero";
    QTest::newRow("pagina de index a valorilor, peste ea alta pagina") << 7 << 28 << "copie";
    // The page's flag byte with the bit of an encrypted page: the engine asks for a crypt plugin.
    QTest::newRow("pagina de date, marcata ca cifrata") << 5 << 20 << "cifrata";
    // The file cut just before the page: the pages after it are missing.
    QTest::newRow("fisier taiat inaintea paginii de date") << 5 << 20 << "taiat";
}

// A page overwritten where no maintenance step of the start-up reads before it writes: the start-up must
// find it first, say so in the program's words and write nothing more.
void TestStore::paginaDeteriorataNecititaLaPornire()
{
    QFETCH(int, tipPagina);
    QFETCH(int, pozitieTabel);
    QFETCH(QString, cum);
    TBazaTest b;
    b.Porneste();
    b.CresteCuElevi(70);
    const int idTabel =
        b.Scalar("select RDB$RELATION_ID as C from RDB$RELATIONS where RDB$RELATION_NAME = 'DATE'").toInt();
    // A profile row the start-up would rewrite from the built-in profile.
    b.Executa("update PROFIL_DIPLOMA set ETICHETA_EDITOR = 'schimbat de test' where ORDINE = 1");
    b.Inchide();
    // Left clean by the program, as its close records it: the damage below must still be found before any write.
    InregistreazaVerificarea(b.CaleBaza());
    QVERIFY(VerificareLaZi(b.CaleBaza()));

    QFile f(b.CaleBaza());
    QVERIFY(f.open(QIODevice::ReadWrite));
    QByteArray octeti = f.readAll();
    constexpr int kPagina = 8192;
    int tinta = -1, alta = -1;
    for (int p = 1; p < octeti.size() / kPagina; ++p) {
        const char* pagina = octeti.constData() + qsizetype(p) * kPagina;
        const int tabel = quint8(pagina[pozitieTabel]) | quint8(pagina[pozitieTabel + 1]) << 8;
        if (pagina[0] == tipPagina && tabel == idTabel && tinta < 0)
            tinta = p;
        else if (pagina[0] == 5 && tabel != idTabel)
            alta = p;
    }
    QVERIFY(tinta > 0 && alta > 0);
    QByteArray pagina = octeti.mid(qsizetype(tinta) * kPagina, kPagina);
    if (cum == "zero")
        pagina.fill(0);
    else if (cum == "copie")
        pagina = octeti.mid(qsizetype(alta) * kPagina, kPagina);
    else
        pagina[1] = char(pagina[1] | 0x80);
    octeti.replace(qsizetype(tinta) * kPagina, kPagina, pagina);
    if (cum == "taiat")
        octeti.truncate(qsizetype(tinta) * kPagina);
    QVERIFY(f.resize(0));
    QCOMPARE(f.write(octeti), octeti.size());
    f.close();

    try {
        b.Reporneste();
        QFAIL("a start-up on a damaged file went on");
    } catch (const EEroareBD& e) {
        QCOMPARE(e.Categorie(), EEroareBD::FisierDeteriorat);
        QVERIFY2(e.Mesaj().startsWith(QStringLiteral("Fisierul %1 este deteriorat").arg(b.CaleBaza())),
                 qPrintable(e.Mesaj()));
        QVERIFY(!e.Detalii().isEmpty() && !e.Mesaj().contains(e.Detalii()));
    }
    // The connection is closed: nothing the user does afterwards writes to the file either.
    QVERIFY(!b.Dm().Db.Connected());
    QVERIFY(!VerificareLaZi(b.CaleBaza()));
    // The daily check, on a connection of its own, finds the same damage.
    try {
        VerificaCitireaSeparat(b.CaleBaza(), b.Dm().Db.Params());
        QFAIL("the daily check passed a damaged file");
    } catch (const EEroareBD& e) {
        QCOMPARE(e.Categorie(), EEroareBD::FisierDeteriorat);
    }
    b.DeschideDoar();
    QCOMPARE(b.Scalar("select ETICHETA_EDITOR as C from PROFIL_DIPLOMA where ORDINE = 1"), QString("schimbat de test"));
}

// The record of the last clean check holds only while nothing but the program touched the file.
void TestStore::inregistrareaVerificarii()
{
    TBazaTest b;
    b.Porneste();
    b.Inchide();
    const QString cale = b.CaleBaza();
    QVERIFY(!VerificareLaZi(cale));
    InregistreazaVerificarea(cale);
    QVERIFY(VerificareLaZi(cale));
    VerificaCitireaSeparat(cale, b.Dm().Db.Params());

    QFile f(cale);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const QByteArray octeti = f.readAll();
    const QDateTime modificat = QFileInfo(cale).lastModified();
    // The same bytes written again in place, the modification time set back: still not the file that was recorded.
    QVERIFY(f.seek(8192));
    f.write(octeti.mid(8192, 8192));
    f.close();
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(modificat, QFileDevice::FileModificationTime));
    f.close();
    QCOMPARE(QFileInfo(cale).size(), qint64(octeti.size()));
    QVERIFY(!VerificareLaZi(cale));

    // Another file put in its place (a copy from elsewhere), of the same size.
    InregistreazaVerificarea(cale);
    QVERIFY(QFile::copy(cale, cale + ".alt"));
    QVERIFY(QFile::remove(cale));
    QVERIFY(QFile::rename(cale + ".alt", cale));
    QVERIFY(!VerificareLaZi(cale));

    // The start-up reads it whole and records it; a damaged record of the check counts as none.
    b.Porneste();
    b.Inchide();
    InregistreazaVerificarea(cale);
    QVERIFY(VerificareLaZi(cale));
    QFile inregistrare(FisierVerificare(cale));
    QVERIFY(inregistrare.open(QIODevice::WriteOnly | QIODevice::Truncate));
    inregistrare.write("x");
    inregistrare.close();
    QVERIFY(!VerificareLaZi(cale));
}

void TestStore::bazaFolositaDeAltaCopie()
{
    TBazaTest b;
    b.Porneste();
    b.Inchide();
    QProcess alta;
    alta.start(TINEBAZA, {b.CaleBaza()});
    QVERIFY(alta.waitForReadyRead(20000));
    QCOMPARE(alta.readAllStandardOutput().trimmed(), QByteArray("deschis"));
    try {
        b.Porneste();
        QFAIL("a database held by another process was opened");
    } catch (const EEroareBD& e) {
        QCOMPARE(e.Categorie(), EEroareBD::BazaDeDateOcupata);
        QVERIFY2(e.Mesaj().contains("alta copie a programului"), qPrintable(e.Mesaj()));
        // The engine's English ("lock", "I/O error") is kept for "Detalii", not put in the sentence.
        QVERIFY2(!e.Mesaj().contains("lock") && !e.Mesaj().contains("error"), qPrintable(e.Mesaj()));
        QVERIFY2(e.Detalii().contains("lock"), qPrintable(e.Detalii()));
    }
    alta.closeWriteChannel();
    QVERIFY(alta.waitForFinished(20000));
    b.Porneste();
    QCOMPARE(b.Scalar("select VERSIUNE as C from CONFID_DB"), QString("3"));
}

void TestStore::confidDbGresit_data()
{
    QTest::addColumn<QStringList>("pregatire");
    QTest::addColumn<QString>("mesaj");
    QTest::newRow("fara linie") << QStringList{"delete from CONFID_DB"} << "nu contine nicio linie";
    QTest::newRow("versiune nula") << QStringList{"update CONFID_DB set VERSIUNE = null"} << "lipseste";
    QTest::newRow("versiune nenumerica") << QStringList{"alter table CONFID_DB alter VERSIUNE type varchar(20)",
                                                        "update CONFID_DB set VERSIUNE = 'doi'"}
                                         << "nu este un numar";
}

void TestStore::confidDbGresit()
{
    QFETCH(QStringList, pregatire);
    QFETCH(QString, mesaj);
    TBazaTest b;
    b.PregatesteDinSablon();
    b.DeschideDoar();
    for (const QString& sql : pregatire)
        b.Executa(sql);
    b.Inchide();
    try {
        b.Porneste();
        QFAIL("start-up went on with a broken CONFID_DB");
    } catch (const EEroare& e) {
        QVERIFY2(e.Mesaj().contains(mesaj), qPrintable(e.Mesaj()));
    }
    b.Inchide();
    b.DeschideDoar();
    QCOMPARE(b.Scalar("select count(*) as C from RDB$RELATIONS where RDB$RELATION_NAME = 'ELEVI'"), QString("0"));
    QCOMPARE(b.Scalar("select count(*) as C from PROFIL_DIPLOMA"), QString("0"));
}

void TestStore::faraBazaSiFaraSablon()
{
    PregatesteBlocareFirebird();
    QTemporaryDir program, sablon;
    TDM dm;
    try {
        PornesteModululDeDate(dm, program.path(), sablon.path());
        QFAIL("no error without a template");
    } catch (const EFaraBazaDeDate& e) {
        QVERIFY(e.Mesaj().startsWith("Nu exista baza de date curenta si nu gasesc baza de date \"BLANK\" pentru "
                                     "initializare.\nDB Curent:"));
        QVERIFY(e.Mesaj().contains("\nDB Blank:" + sablon.path() + "/BLANK.FDB"));
    }
    QVERIFY(!QFile::exists(program.path() + "/DB/Tessaluna2006.FDB"));
}

void TestStore::gardaTranzactiei()
{
    TBazaTest b;
    b.Porneste();
    TDM& dm = b.Dm();
    try {
        TGardaTranzactie garda(dm.Tr);
        CreeazaInregistrare(dm, "SCOALA");
        throw EEroare("oprit");
    } catch (const EEroare&) {
    }
    QVERIFY(!dm.Tr.InTransaction());
    QCOMPARE(b.Scalar("select count(*) as C from SCOALA"), QString("0"));
    {
        TGardaTranzactie garda(dm.Tr);
        QCOMPARE(CreeazaInregistrare(dm, "SCOALA"), 2);
        garda.Commit();
    }
    QCOMPARE(b.Scalar("select ID_SCOALA as C from SCOALA"), QString("2"));
    // The record operations refuse to run outside a transaction.
    QVERIFY_THROWS_EXCEPTION(EEroare, CreeazaInregistrare(dm, "SCOALA"));
    QCOMPARE(b.Scalar("select count(*) as C from SCOALA"), QString("1"));
}

void TestStore::cursorInchisLaEroare()
{
    TBazaTest b;
    b.Porneste();
    TDM& dm = b.Dm();
    const qint64 elev = b.AdaugaElev({{"C_NUME_L1", "Ion"}});
    TGardaTranzactie garda(dm.Tr);
    int citite = 0;
    try {
        const TGardaCursor cursor(dm.Q1);
        dm.Q1.SetSQL("select COD_CAMP from PROFIL_DIPLOMA");
        dm.Q1.Open();
        for (; !dm.Q1.Eof(); dm.Q1.Next()) {
            if (++citite == 2)
                throw EEroare("oprit");
        }
    } catch (const EEroare&) {
    }
    QCOMPARE(citite, 2);
    // Closed by the guard, while the caller's transaction goes on: the value resolution may take Q1.
    QVERIFY(!dm.Q1.Active());
    QVERIFY(dm.Tr.InTransaction());
    QCOMPARE(dm.ValoareCamp("Tessaluna", "FATA", "C_NUME_L1", elev), QString("Ion"));
    QVERIFY(!dm.Q1.Active() && !dm.Q2.Active() && !dm.Q3.Active());
    QVERIFY(dm.Tr.InTransaction());
}

void TestStore::aDouaOperatieRefuzata()
{
    TBazaTest b;
    b.Porneste();
    TDM& dm = b.Dm();
    const QString refuz("O operatie anterioara asupra bazei de date nu s-a incheiat.");
    qint32 id = -1;
    {
        TGardaTranzactie prima(dm.Tr);
        id = CreeazaInregistrare(dm, "SCOALA");
        try {
            TGardaTranzactie aDoua(dm.Tr);
            QFAIL("a second save started inside the first");
        } catch (const EEroare& e) {
            QCOMPARE(e.Mesaj(), refuz);
        }
        try {
            const TGardaCitire citire(dm.Tr);
            QFAIL("a reading operation started inside a save");
        } catch (const EEroare& e) {
            QCOMPARE(e.Mesaj(), refuz);
        }
        // The refusals leave the first operation whole: it goes on and commits its record.
        QVERIFY(dm.Tr.InTransaction());
        ScrieValoareCamp(dm, {"Tessaluna", "FATA", "C_UNITATEA_L1"}, "SCOALA", id, "Liceul A", 256);
        prima.Commit();
    }
    QCOMPARE(b.Scalar("select ID_SCOALA as C from SCOALA"), QString::number(id));
    QCOMPARE(dm.ValoareCampInregistrare("SCOALA", "Tessaluna", "FATA", "C_UNITATEA_L1", id), QString("Liceul A"));
    {
        const TGardaCitire citire(dm.Tr);
        QVERIFY(dm.Tr.InTransaction());
    }
    QVERIFY(!dm.Tr.InTransaction());
}

void TestStore::profilulPrinStore()
{
    TBazaTest b;
    b.Porneste();
    TDM& dm = b.Dm();
    const TCheieCamp cnp{"Tessaluna", "FATA", "C_CNP"};
    QList<TLinieProfilDiploma> linii;
    {
        const TGardaCitire citire(dm.Tr);
        for (const TRandProfil& r : RanduriProfilTabel(dm, "ELEVI"))
            linii << r;
        // A mirrored line has SIMILAR_CU set and ONOREZ_SIMILAR 'DA'; a line of its own a NULL SIMILAR_CU.
        const TRandProfil& primul = RanduriProfilTabel(dm, "ELEVI").first();
        QCOMPARE(primul.OnorezSimilarNul, false);
        TRandProfil rand;
        QVERIFY(CitesteRandProfil(dm, cnp, rand));
        QCOMPARE(rand.ASOCIAT_CU, QString("ELEVI"));
    }
    QVERIFY(linii.size() > 10);
    {
        TGardaTranzactie garda(dm.Tr);
        ModificaRandProfil(dm, cnp, "NU", "SCOALA");
        garda.Commit();
    }
    // The profile rewritten with one line fewer and a changed label: the user's mirror mode stays, the table and
    // the label come from the profile, the line dropped is deleted.
    const TLinieProfilDiploma scos = linii.takeLast();
    for (TLinieProfilDiploma& l : linii) {
        if (l.COD_CAMP == "C_CNP")
            l.ETICHETA_EDITOR = "[Candidat]Cod numeric personal";
    }
    {
        TGardaTranzactie garda(dm.Tr);
        RescrieProfil(dm, linii);
        garda.Commit();
    }
    const TGardaCitire citire(dm.Tr);
    TRandProfil rand;
    QVERIFY(CitesteRandProfil(dm, cnp, rand));
    QCOMPARE(rand.ONOREZ_SIMILAR, QString("NU"));
    QCOMPARE(rand.ASOCIAT_CU, QString("ELEVI"));
    QVERIFY(!CitesteRandProfil(dm, {scos.COD_FORMULAR, scos.COD_PAGINA, scos.COD_CAMP}, rand));
    QStringList etichete;
    for (const TRandProfil& r : RanduriProfil(dm))
        etichete << r.ETICHETA_EDITOR;
    QVERIFY(etichete.contains("[Candidat]Cod numeric personal"));
    QCOMPARE(etichete.size(), linii.size() + int(RanduriProfilTabel(dm, "SCOALA").size()));
    QString tip;
    QVERIFY(TipDeDateCamp(dm, cnp, tip));
    QCOMPARE(tip, QString("CNP"));
    TCheieCamp campCnp;
    QVERIFY(CampCnpDinProfil(dm, campCnp));
    QVERIFY(TipDeDateCamp(dm, campCnp, tip));
    QCOMPARE(tip, QString("CNP"));
}

void TestStore::cautareaValoriiPrinStore()
{
    TBazaTest b;
    b.Porneste();
    TDM& dm = b.Dm();
    const qint64 ion = b.AdaugaElev({{"C_NUME_L1", "Ion"}, {"C_PRENUME_L1", QString::fromUtf8("Ştefan")}});
    const qint64 ana = b.AdaugaElev({{"C_NUME_L1", "Ana"}});
    const TCheieCamp nume{"Tessaluna", "FATA", "C_NUME_L1"};
    const TCheieCamp unitate{"Tessaluna", "FATA", "C_UNITATEA_L1"};
    qint32 scoala = -1;
    {
        TGardaTranzactie garda(dm.Tr);
        scoala = CreeazaInregistrare(dm, "SCOALA");
        ScrieValoareCamp(dm, unitate, "SCOALA", scoala, "Liceul A", 256);
        LeagaElev(dm, qint32(ion), "SCOALA", scoala);
        garda.Commit();
    }
    const TGardaCitire citire(dm.Tr);
    QCOMPARE(TextValoareProprie(dm, nume, "ELEVI", qint32(ion)), QString("Ion"));
    QCOMPARE(TextValoareProprie(dm, {"Tessaluna", "FATA", "C_PRENUME_L1"}, "ELEVI", qint32(ion)),
             QString::fromUtf8("Ştefan"));
    // The school's field: its own row under the school, a link row (NULL text) under the student, none for Ana.
    QCOMPARE(TextValoareProprie(dm, unitate, "SCOALA", scoala), QString("Liceul A"));
    QVERIFY(TextValoareProprie(dm, unitate, "ELEVI", qint32(ion)).isNull());
    QVERIFY(TextValoareProprie(dm, unitate, "ELEVI", qint32(ana)).isNull());
    QVERIFY(TextValoareProprie(dm, nume, "ELEVI", 999).isNull());
    QStringList texte = TexteFolosite(dm, nume);
    texte.sort();
    QCOMPARE(texte, (QStringList{"Ana", "Ion"}));
    QVERIFY(ElevLegatDe(dm, ion, "SCOALA"));
    QVERIFY(!ElevLegatDe(dm, ana, "SCOALA"));
    QCOMPARE(IdElevi(dm), (QList<qint32>{qint32(ion), qint32(ana)}));
}

void TestStore::elevLegatDeScoala()
{
    TBazaTest b;
    b.Porneste();
    TDM& dm = b.Dm();
    const qint64 elev = b.AdaugaElev({{"C_NUME_L1", "Ion"}});
    const qint64 altul = b.AdaugaElev({{"C_NUME_L1", "Ana"}});
    qint32 s1 = -1, s2 = -1;
    {
        TGardaTranzactie garda(dm.Tr);
        QCOMPARE(TabeleLegate(dm), QStringList{"SCOALA"});
        s1 = CreeazaInregistrare(dm, "SCOALA");
        s2 = CreeazaInregistrare(dm, "SCOALA");
        for (auto [id, nume] : {std::pair{s1, QString("Liceul A")}, std::pair{s2, QString("Liceul B")}}) {
            ScrieValoareCamp(dm, {"Tessaluna", "FATA", "C_UNITATEA_L1"}, "SCOALA", id, nume, 256);
            ScrieValoareCamp(dm, {"Tessaluna", "FATA", "C_UNITATEA_L2"}, "SCOALA", id, "Arad", 256);
        }
        QCOMPARE(InregistrareLegata(dm, qint32(elev), "SCOALA"), -1);
        LeagaElev(dm, qint32(elev), "SCOALA", s1);
        garda.Commit();
    }
    const QString expresie = "{" + P + "C_UNITATEA_L1}|{" + P + "A_UNITATEA_L1}|{" + P + "C_UNITATEA_L2}";
    auto verifica = [&](qint64 id, const QString& asteptat) {
        QCOMPARE(dm.ParseExp(expresie, id), asteptat);
        TEvaluatorExpresie evaluator(dm, expresie);
        evaluator.Pregateste();
        QCOMPARE(evaluator.Evalueaza(id), asteptat);
    };
    dm.Tr.StartTransaction();
    verifica(elev, "Liceul A|Liceul A|Arad");
    verifica(altul, "||");
    // A school row is named from its own values, not through a student.
    QCOMPARE(dm.ParseExpInregistrare(ProfilInregistrat()->ListaCampuriGeneric(), "SCOALA", s2),
             QString("Liceul B Arad / Liceul B Arad"));
    dm.Tr.Rollback();
    // One link row per field of the school, mirrored fields included.
    const QString legaturi = b.Scalar("select count(*) as C from PROFIL_DIPLOMA where ASOCIAT_CU = 'SCOALA'");
    QCOMPARE(b.Scalar(QStringLiteral("select count(*) as C from \"DATE\" where ID_ELEVI = %1 and IDF_SCOALA = %2")
                          .arg(elev)
                          .arg(s1)),
             legaturi);

    // Moved: every link follows, none is added.
    {
        TGardaTranzactie garda(dm.Tr);
        LeagaElev(dm, qint32(elev), "SCOALA", s2);
        // The other student, tied to none, gets the only record offered; the first keeps his.
        LeagaEleviNelegati(dm, "SCOALA", s1);
        QCOMPARE(InregistrareLegata(dm, qint32(elev), "SCOALA"), s2);
        QCOMPARE(InregistrareLegata(dm, qint32(altul), "SCOALA"), s1);
        garda.Commit();
    }
    dm.Tr.StartTransaction();
    verifica(elev, "Liceul B|Liceul B|Arad");
    verifica(altul, "Liceul A|Liceul A|Arad");
    dm.Tr.Rollback();
    QCOMPARE(b.Scalar(QStringLiteral("select count(*) as C from \"DATE\" where ID_ELEVI = %1 and IDF_SCOALA is not "
                                     "null")
                          .arg(elev)),
             legaturi);
}

void TestStore::legareaNuAtingeValorileElevului()
{
    // A student field moved to the school by a profile change keeps the student's own row: tying him must
    // not turn it into a link that a deleted school would take away.
    TBazaTest b;
    b.Porneste();
    TDM& dm = b.Dm();
    const qint64 elev = b.AdaugaElev({{"C_FILIERA", "Real"}});
    b.Executa("update PROFIL_DIPLOMA set ASOCIAT_CU = 'SCOALA' where COD_CAMP = 'C_FILIERA'");
    {
        TGardaTranzactie garda(dm.Tr);
        const qint32 scoala = CreeazaInregistrare(dm, "SCOALA");
        LeagaElev(dm, qint32(elev), "SCOALA", scoala);
        StergeInregistrare(dm, "SCOALA", scoala);
        garda.Commit();
    }
    b.Reporneste();
    QCOMPARE(b.Dm().ValoareCamp("Tessaluna", "FATA", "C_FILIERA", elev), QString("Real"));
}

QTEST_GUILESS_MAIN(TestStore)
#include "TestStore.moc"
