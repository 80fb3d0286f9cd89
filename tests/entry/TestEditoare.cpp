#include "controls/UKivEditors.h"
#include "entry/UEditoareCamp.h"
#include "entry/UEditorGenericComplex.h"
#include "platform/UMesaje.h"
#include "print/UMachetaProprie.h"
#include "testsupport/UBazaTest.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QCompleter>
#include <QTest>

namespace {
// Runs one editor's save in its own transaction, as the dialogs do.
void Salveaza(TDM& dm, TEditorGeneric& e, qint32 idElev, qint32 idInregistrare, const QString& tabel)
{
    dm.Tr.StartTransaction();
    e.Salveaza(idElev, idInregistrare, tabel);
    dm.Tr.Commit();
}

void Incarca(TDM& dm, TEditorGeneric& e, const QString& camp, const QString& tabel, qint32 idElev,
             qint32 idInregistrare)
{
    dm.Tr.StartTransaction();
    e.Incarca("Tessaluna", "FATA", camp, tabel, idElev, idInregistrare);
    dm.Tr.Rollback();
}

QStringList Etichete(QWidget* w)
{
    QStringList r;
    for (auto* e : w->findChildren<TEditorGeneric*>())
        r << e->RzLabel1->text();
    return r;
}
} // namespace

class TestEditoare : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void primaSalvareInsereazaApoiActualizeaza();
    void taiereSiSpatii_data();
    void taiereSiSpatii();
    void valoareNulaSiIdMinusUnu();
    void altaTabelaFolosesteIdInregistrare();
    void sugestiiText();
    void cnpCerereConfirmare();
    void anulPeFormularAvertizeaza();
    void notaIncarcare_data();
    void notaIncarcare();
    void notaLimite_data();
    void notaLimite();
    void editorulDeBazaRefuza();
    void grupatDinProfil();
    void grupatOglindaApareLaNu();
    void grupatLiniiDeEditoare();
    void grupatTipNecunoscut();
    void grupatTabelaFaraCampuri();
    void grupatSalvareFaraTranzactie();
    void grupatPrimulRefuzOpreste();

private:
    std::unique_ptr<TBazaTest> b;
};

void TestEditoare::init()
{
    TMesaje::Goleste();
    TMesaje::SetFaraFerestre(true);
    b = std::make_unique<TBazaTest>();
    b->Porneste();
}

void TestEditoare::cleanup()
{
    b.reset();
}

void TestEditoare::primaSalvareInsereazaApoiActualizeaza()
{
    TDM& dm = b->Dm();
    const qint64 id = b->AdaugaElev({});
    TEditorCampCF e;
    Incarca(dm, e, "C_ABREVIERE", "ELEVI", qint32(id), -1);
    QCOMPARE(e.objectName(), QString("C_ABREVIERE"));
    QCOMPARE(e.IdCurent, qint32(id));
    QCOMPARE(e.Caseta()->text(), QString());
    e.Caseta()->setText("Ş.T.");
    Salveaza(dm, e, qint32(id), -1, "ELEVI");
    e.Caseta()->setText("Ţ.Ă.");
    Salveaza(dm, e, qint32(id), -1, "ELEVI");
    QCOMPARE(b->Coloana("select VALOARE_TEXT || '|' || cast(VALOARE_NUM as integer) as C from \"DATE\" where COD_CAMP "
                        "= 'C_ABREVIERE'"),
             QStringList{QString::fromUtf8("Ţ.Ă.|0")});

    // An update leaves the row owned by the edited record alone.
    b->Executa("insert into SCOALA (ID_SCOALA) values (3)");
    b->Executa("update \"DATE\" set ID_SCOALA = 3 where COD_CAMP = 'C_ABREVIERE'");
    e.Caseta()->setText("");
    Salveaza(dm, e, qint32(id), -1, "ELEVI");
    QCOMPARE(b->Scalar("select '[' || VALOARE_TEXT || ']' || coalesce(ID_SCOALA, -1) as C from \"DATE\" "
                       "where COD_CAMP = 'C_ABREVIERE'"),
             QString("[]-1"));
}

void TestEditoare::taiereSiSpatii_data()
{
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("intrare");
    QTest::addColumn<QString>("stocat");
    QTest::newRow("spatii la capete") << "CF"
                                      << "  cuvant  "
                                      << "cuvant";
    QTest::newRow("doar spatii") << "SIRUES"
                                 << "    "
                                 << "";
    QTest::newRow("SIRUES de 80 pastreaza 64") << "SIRUES" << QString(80, u'7') << QString(64, u'7');
    QTest::newRow("CNP de 70 pastreaza 64") << "CNP" << QString(70, u'1') << QString(64, u'1');
    QTest::newRow("TEXT de 300 pastreaza 256") << "TEXT" << QString(300, u'ş') << QString(256, u'ş');
    QTest::newRow("calificativ cu cifre") << "CALIFICATIV"
                                          << " 10 FB "
                                          << "10 FB";
    QTest::newRow("nota sau calificativ") << "NOTA sau CALIFICATIV"
                                          << "Admis"
                                          << "Admis";
}

void TestEditoare::taiereSiSpatii()
{
    QFETCH(QString, tip);
    QFETCH(QString, intrare);
    QFETCH(QString, stocat);
    TDM& dm = b->Dm();
    const qint64 id = b->AdaugaElev({});
    std::unique_ptr<TEditorGeneric> e(CreeazaEditor(tip, nullptr));
    QVERIFY(e);
    Incarca(dm, *e, "C_NUME_L1", "ELEVI", qint32(id), -1);
    if (auto* t = qobject_cast<TEditorCampText*>(e.get()))
        t->Lista()->setEditText(intrare);
    else
        static_cast<TEditorCuCasetaText*>(e.get())->Caseta()->setText(intrare);
    Salveaza(dm, *e, qint32(id), -1, "ELEVI");
    QCOMPARE(b->Scalar("select VALOARE_TEXT as C from \"DATE\" where COD_CAMP = 'C_NUME_L1'"), stocat);
}

void TestEditoare::valoareNulaSiIdMinusUnu()
{
    TDM& dm = b->Dm();
    const qint64 id = b->AdaugaElev({});
    b->Executa(QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, ID_ELEVI) values "
                              "('Tessaluna', 'FATA', 'C_NUME_L1', %1)")
                   .arg(id));
    TEditorCampText t;
    Incarca(dm, t, "C_NUME_L1", "ELEVI", qint32(id), -1);
    QCOMPARE(t.Lista()->currentText(), QString());
    t.Lista()->setEditText("Ion");
    Salveaza(dm, t, qint32(id), -1, "ELEVI");
    QCOMPARE(b->Coloana("select VALOARE_TEXT as C from \"DATE\" where COD_CAMP = 'C_NUME_L1'"), QStringList{"Ion"});

    TEditorCampCF nou;
    Incarca(dm, nou, "C_NUME_L1", "ELEVI", -1, -1);
    QCOMPARE(nou.Caseta()->text(), QString());
}

void TestEditoare::altaTabelaFolosesteIdInregistrare()
{
    TDM& dm = b->Dm();
    const qint64 elev = b->AdaugaElev({{"C_UNITATEA_L1", "a elevului"}});
    b->Executa("insert into SCOALA (ID_SCOALA) values (4)");
    b->ScrieValoare("SCOALA", 4, "C_UNITATEA_L1", "Liceul nr. 4");
    TEditorCampText t;
    Incarca(dm, t, "C_UNITATEA_L1", "SCOALA", qint32(elev), 4);
    QCOMPARE(t.IdCurent, 4);
    QCOMPARE(t.Lista()->currentText(), QString("Liceul nr. 4"));
    t.Lista()->setEditText("Colegiul");
    Salveaza(dm, t, qint32(elev), 4, "SCOALA");
    QCOMPARE(b->Coloana("select VALOARE_TEXT || '/' || coalesce(ID_ELEVI, -1) || '/' || coalesce(ID_SCOALA, -1) as C "
                        "from \"DATE\" where COD_CAMP = 'C_UNITATEA_L1' order by 1"),
             QStringList({"Colegiul/-1/4", QString("a elevului/%1/-1").arg(elev)}));
}

void TestEditoare::sugestiiText()
{
    TDM& dm = b->Dm();
    TEditorCampText gol;
    Incarca(dm, gol, "C_FILIERA", "ELEVI", -1, -1);
    QCOMPARE(gol.Lista()->count(), 0);

    b->AdaugaElev({{"C_FILIERA", "Teoretica"}});
    b->AdaugaElev({{"C_FILIERA", "Teoretica"}});
    b->AdaugaElev({{"C_FILIERA", ""}});
    const qint64 id = b->AdaugaElev({{"C_FILIERA", "Vocationala"}});
    b->Executa("insert into SCOALA (ID_SCOALA) values (1)");
    b->ScrieValoare("SCOALA", 1, "C_FILIERA", "a scolii");
    TEditorCampText t;
    Incarca(dm, t, "C_FILIERA", "ELEVI", qint32(id), -1);
    QStringList sugestii;
    for (int i = 0; i < t.Lista()->count(); ++i)
        sugestii << t.Lista()->itemText(i);
    sugestii.sort();
    QCOMPARE(sugestii, QStringList({"", "Teoretica", "Vocationala", "a scolii"}));
    QCOMPARE(t.Lista()->currentText(), QString("Vocationala"));
    QCOMPARE(t.Lista()->lineEdit()->cursorPosition(), 11);
    QVERIFY(!t.Lista()->lineEdit()->hasSelectedText());

    // What is typed stays as typed when the field is left; matches are only offered.
    QWidget fereastra;
    auto* l = new QVBoxLayout(&fereastra);
    TEditorCampText nou;
    nou.setParent(&fereastra);
    l->addWidget(&nou);
    auto* altul = new QLineEdit(&fereastra);
    l->addWidget(altul);
    Incarca(dm, nou, "C_FILIERA", "ELEVI", -1, -1);
    fereastra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fereastra));
    nou.Lista()->lineEdit()->setFocus();
    QTest::keyClicks(nou.Lista()->lineEdit(), "teo");
    QCOMPARE(nou.Lista()->completer()->completionCount(), 1);
    QCOMPARE(nou.Lista()->completer()->currentCompletion(), QString("Teoretica"));
    altul->setFocus();
    QTRY_VERIFY(!nou.Lista()->lineEdit()->hasFocus());
    QCOMPARE(nou.Lista()->currentText(), QString("teo"));
    nou.setParent(nullptr);
}

void TestEditoare::cnpCerereConfirmare()
{
    TDM& dm = b->Dm();
    TEditorCampCNP e;
    Incarca(dm, e, "C_CNP", "ELEVI", -1, -1);
    e.Caseta()->setText("1900101123457");
    QVERIFY(e.PotSalva());
    QVERIFY(TMesaje::MesajeAfisate().isEmpty());

    e.Caseta()->setText(" 1900101123457");
    TMesaje::SetRaspunsUrmator(QMessageBox::No);
    QVERIFY(!e.PotSalva());
    QCOMPARE(TMesaje::UltimulMesaj(), QString("Codul numeric personal este eronat! Sigur doriti sa ontinuati?"));
    QCOMPARE(TMesaje::UltimulTip(), TMesaje::Intrebare);
    TMesaje::SetRaspunsUrmator(QMessageBox::Yes);
    QVERIFY(e.PotSalva());
    const qint64 id = b->AdaugaElev({});
    Salveaza(dm, e, qint32(id), -1, "ELEVI");
    QCOMPARE(b->Scalar("select VALOARE_TEXT as C from \"DATE\" where COD_CAMP = 'C_CNP'"), QString("1900101123457"));
}

void TestEditoare::anulPeFormularAvertizeaza()
{
    TDM& dm = b->Dm();
    TEditorCampText e;
    Incarca(dm, e, "C_AN_ABSOLVIRE", "ELEVI", -1, -1);
    e.Lista()->setEditText("2009");
    QVERIFY(e.PotSalva());
    QVERIFY(TMesaje::MesajeAfisate().isEmpty());
    // A year the blank cannot hold is kept; the warning says what will print.
    e.Lista()->setEditText("2024");
    QVERIFY(e.PotSalva());
    QCOMPARE(TMesaje::UltimulMesaj(),
             QString("Anul 2024 nu se poate scrie dupa 200 tiparit pe formular; se va tipari numai ultima cifra."));
    QCOMPARE(TMesaje::UltimulTip(), TMesaje::Avertisment);
    TMesaje::Goleste();
    TEditorCampText altul;
    Incarca(dm, altul, "C_SPECIALIZAREA", "ELEVI", -1, -1);
    altul.Lista()->setEditText("2024");
    QVERIFY(altul.PotSalva());
    QVERIFY(TMesaje::MesajeAfisate().isEmpty());

    // A layout file that cannot be read never stops a student from being saved.
    QVERIFY(QDir().mkpath(QFileInfo(CaleMachetaProprie()).path()));
    QFile f(CaleMachetaProprie());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("{");
    f.close();
    const auto sterge = qScopeGuard([] {
        QFile::remove(CaleMachetaProprie());
        UitaMachetaCitita();
    });
    UitaMachetaCitita();
    QVERIFY(e.PotSalva());
    QVERIFY(TMesaje::MesajeAfisate().isEmpty());
}

void TestEditoare::notaIncarcare_data()
{
    QTest::addColumn<QString>("stocat");
    QTest::addColumn<QString>("afisat");
    QTest::newRow("9,5") << "9,5"
                         << "9,50";
    QTest::newRow("10") << "10"
                        << "10,00";
    QTest::newRow("7.25") << "7.25"
                          << "7,25";
    QTest::newRow("0") << "0"
                       << "";
    QTest::newRow("0,00") << "0,00"
                          << "";
    QTest::newRow("fara cifre") << "absent"
                                << "";
}

void TestEditoare::notaIncarcare()
{
    QFETCH(QString, stocat);
    QFETCH(QString, afisat);
    TDM& dm = b->Dm();
    const qint64 id = b->AdaugaElev({{"C_NUME_L1", stocat}});
    TEditorCampNota e;
    e.resize(200, 36);
    Incarca(dm, e, "C_NUME_L1", "ELEVI", qint32(id), -1);
    QCOMPARE(e.Nota()->Text(), afisat);
    // What was loaded is saved in the form it is shown in.
    if (!afisat.isEmpty()) {
        Salveaza(dm, e, qint32(id), -1, "ELEVI");
        QCOMPARE(b->Scalar("select VALOARE_TEXT as C from \"DATE\" where COD_CAMP = 'C_NUME_L1'"), afisat);
    }
}

void TestEditoare::notaLimite_data()
{
    QTest::addColumn<QString>("tastat");
    QTest::addColumn<bool>("acceptat");
    QTest::addColumn<QString>("mesaj");
    QTest::newRow("gol") << "" << true << "";
    QTest::newRow("4,99") << "4,99" << false << "Nota este prea mica";
    QTest::newRow("5") << "5" << true << "";
    QTest::newRow("punct devine virgula") << "9.5" << true << "";
    QTest::newRow("10") << "10" << true << "";
    QTest::newRow("10,01") << "10,01" << false << "Nota este prea mare";
    QTest::newRow("minus singur") << "-" << false << "Nota este prea mica";
    QTest::newRow("17 cifre, peste ce poate citi") << "99999999999999999" << false << "Nota este prea mare";
    QTest::newRow("17 caractere negative") << "-9999999999999999" << false << "Nota este prea mica";
}

void TestEditoare::notaLimite()
{
    QFETCH(QString, tastat);
    QFETCH(bool, acceptat);
    QFETCH(QString, mesaj);
    TDM& dm = b->Dm();
    TEditorCampNota e;
    e.resize(200, 36);
    Incarca(dm, e, "C_NUME_L1", "ELEVI", -1, -1);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    e.Nota()->setFocus();
    QTest::keyClicks(e.Nota(), tastat);
    QCOMPARE(e.PotSalva(), acceptat);
    QCOMPARE(TMesaje::UltimulMesaj(), mesaj);
    if (acceptat && !tastat.isEmpty()) {
        const qint64 id = b->AdaugaElev({});
        Salveaza(dm, e, qint32(id), -1, "ELEVI");
        QCOMPARE(b->Scalar("select VALOARE_TEXT as C from \"DATE\" where COD_CAMP = 'C_NUME_L1'"),
                 QString(tastat).replace('.', ','));
    }
}

void TestEditoare::editorulDeBazaRefuza()
{
    TEditorGeneric e;
    QVERIFY(!e.PotSalva());
    QCOMPARE(TMesaje::UltimulMesaj(), QString("Functioa \"PotSalva\" nu este implementata pentru TEditorGeneric"));
}

void TestEditoare::grupatDinProfil()
{
    const qint64 id = b->AdaugaElev({{"C_JUDETUL", "nu e al elevului"}, {"C_NUME_L1", "Ion"}});
    TEditorGenericComplex g;
    g.resize(600, 800);
    g.Construieste(qint32(id), -1, "ELEVI");
    QVERIFY(!b->Dm().Tr.InTransaction());
    QCOMPARE(g.Editori.size(), 9);
    QCOMPARE(g.PC->count(), 1);
    QCOMPARE(g.PC->tabText(0), QString(" Tessaluna"));
    g.show();
    QVERIFY(!g.PC->tabBar()->isVisible());

    QStringList grupuri;
    for (auto* f : g.findChildren<TFrmGrup*>())
        grupuri << f->NumeGrup;
    QCOMPARE(grupuri, QStringList({"Candidat", "Scoala"}));
    auto* candidat = g.findChildren<TFrmGrup*>().first();
    QCOMPARE(Etichete(candidat),
             QStringList({"Abreviere", "Nume linia 1", "Nume linia 2", "Anul absolvirii ciclului", "CNP", "Nume"}));
    QCOMPARE(candidat->EtichetaGrup->text(), QString("Candidat"));
    QCOMPARE(candidat->height(), 6 * 36 + candidat->EtichetaGrup->height() + 16);
    QCOMPARE(Etichete(g.findChildren<TFrmGrup*>().last()), QStringList({"Filiera", "Profilul", "Specializarea"}));

    auto* nume = g.findChild<TEditorCampText*>("C_NUME_L1");
    QVERIFY(nume);
    QCOMPARE(nume->Lista()->currentText(), QString("Ion"));
    QVERIFY(g.findChild<TEditorCampCNP*>("C_CNP"));
    QVERIFY(!g.findChild<TEditorGeneric*>("A_CNP"));
    QVERIFY(!g.findChild<TEditorGeneric*>("C_JUDETUL"));

    TEditorGenericComplex s;
    s.Construieste(-1, 1, "SCOALA");
    QCOMPARE(s.Editori.size(), 9);
    QStringList grupuriScoala;
    for (auto* f : s.findChildren<TFrmGrup*>())
        grupuriScoala << f->NumeGrup;
    QCOMPARE(grupuriScoala, QStringList({"Scoala", "Conducerea"}));
}

void TestEditoare::grupatOglindaApareLaNu()
{
    b->Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = 'NU' where COD_CAMP = 'A_CNP'");
    b->Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = 'SELECTIV' where COD_CAMP = 'A_FILIERA'");
    b->Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = NULL where COD_CAMP = 'A_ABREVIERE'");
    TEditorGenericComplex g;
    g.Construieste(-1, -1, "ELEVI");
    QCOMPARE(g.Editori.size(), 12);
    QVERIFY(g.findChild<TEditorCampCNP*>("A_CNP"));
    QVERIFY(g.findChild<TEditorCampText*>("A_FILIERA"));
    QVERIFY(g.findChild<TEditorCampText*>("A_ABREVIERE"));
    QVERIFY(!g.findChild<TEditorGeneric*>("A_PROFILUL"));
}

void TestEditoare::grupatLiniiDeEditoare()
{
    b->Executa("update PROFIL_DIPLOMA set COD_LINIE = 'nume', LATIME_SUGERATA = 30 where COD_CAMP = 'C_NUME_L1'");
    b->Executa("update PROFIL_DIPLOMA set COD_LINIE = 'NUME', LATIME_SUGERATA = 10 where COD_CAMP = 'C_NUME_L2'");
    b->Executa("update PROFIL_DIPLOMA set COD_LINIE = 'x', LATIME_SUGERATA = 1 where COD_CAMP = 'C_FILIERA'");
    b->Executa("update PROFIL_DIPLOMA set COD_LINIE = 'x', LATIME_SUGERATA = 100 where COD_CAMP = 'C_PROFILUL'");
    b->Executa("update PROFIL_DIPLOMA set COD_LINIE = 'z', LATIME_SUGERATA = null where COD_CAMP in "
               "('C_CNP', 'A_NUME')");
    TEditorGenericComplex g;
    g.Construieste(-1, -1, "ELEVI");
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    const QList<TLinieGrupare*> linii = g.findChildren<TLinieGrupare*>();
    QCOMPARE(linii.size(), 3);
    for (TLinieGrupare* l : linii)
        l->resize(400, 36);
    auto latimi = [](TLinieGrupare* l) {
        QList<int> r;
        for (TEditorGeneric* e : l->Editori())
            r << e->width();
        return r;
    };
    QCOMPARE(latimi(linii[0]), QList<int>({300, 100}));
    QCOMPARE(linii[0]->Editori()[1]->x(), 300);
    QCOMPARE(latimi(linii[1]), QList<int>({200, 200}));
    QCOMPARE(latimi(linii[2]), QList<int>({16, 396}));
    // Lines sit inside their group's frame.
    QVERIFY(qobject_cast<TFrmGrup*>(linii[2]->parentWidget()->parentWidget()));
}

void TestEditoare::grupatTipNecunoscut()
{
    b->Executa("update PROFIL_DIPLOMA set TIP_DE_DATE = 'LISTA' where COD_CAMP = 'C_NUME_L2'");
    TEditorGenericComplex g;
    try {
        g.Construieste(-1, -1, "ELEVI");
        QFAIL("an unknown data type was built");
    } catch (const EEroare& e) {
        QCOMPARE(e.Mesaj(), QString("Nu stiu afisa tipul de date LISTA"));
    }
    QVERIFY(!b->Dm().Tr.InTransaction());
    QVERIFY(!b->Dm().Q6.Active());
}

void TestEditoare::grupatTabelaFaraCampuri()
{
    TEditorGenericComplex g;
    g.Construieste(-1, -1, "CLASE");
    QCOMPARE(g.PC->count(), 0);
    QVERIFY(g.PotSalvaToate());
    b->Dm().Tr.StartTransaction();
    g.SalveazaToate(-1, -1, "CLASE");
    b->Dm().Tr.Rollback();
}

void TestEditoare::grupatSalvareFaraTranzactie()
{
    TEditorGenericComplex g;
    g.Construieste(-1, -1, "ELEVI");
    try {
        g.SalveazaToate(1, -1, "ELEVI");
        QFAIL("saved without a transaction");
    } catch (const EEroare& e) {
        QCOMPARE(e.Mesaj(), QString("Tranzactia trebuie sa fie DESCHISA in momentul in care salvez"));
    }
    QCOMPARE(b->Scalar("select count(*) as C from \"DATE\""), QString("0"));
}

void TestEditoare::grupatPrimulRefuzOpreste()
{
    b->Executa("insert into PROFIL_DIPLOMA (COD_FORMULAR, COD_PAGINA, COD_CAMP, SIMILAR_CU, ONOREZ_SIMILAR, "
               "ETICHETA_EDITOR, TIP_DE_DATE, ASOCIAT_CU) values ('Tessaluna', 'FATA', 'C_MEDIA', '', 'DA', "
               "'[Note]Media', 'NOTA', 'ELEVI')");
    TEditorGenericComplex g;
    g.resize(500, 900);
    g.Construieste(-1, -1, "ELEVI");
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    auto* media = g.findChild<TEditorCampNota*>("C_MEDIA");
    QVERIFY(media);
    // The CNP (before the grade) is invalid and confirmed; the grade refuses; nothing after it is asked.
    TMesaje::SetRaspunsUrmator(QMessageBox::Yes);
    media->Nota()->setFocus();
    QTest::keyClicks(media->Nota(), "3");
    QVERIFY(!g.PotSalvaToate());
    QCOMPARE(TMesaje::MesajeAfisate(),
             QStringList({"Codul numeric personal este eronat! Sigur doriti sa ontinuati?", "Nota este prea mica"}));
}

QTEST_MAIN(TestEditoare)
#include "TestEditoare.moc"
