#include "entry/UEditoareCamp.h"
#include "entry/UEditorGenericComplex.h"
#include "entry/UListaElevi.h"
#include "entry/UListaGenerica.h"
#include "platform/UMesaje.h"
#include "print/UCompletare.h"
#include "profile/UConfigurareDiploma.h"
#include "store/UInregistrari.h"
#include "testsupport/UBazaTest.h"
#include "testsupport/UModal.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace {
int Rand(const TConfigurareDiploma& c, const QString& camp)
{
    for (int r = 0; r < int(c.Linii().size()); ++r) {
        if (c.Linii()[size_t(r)]->COD_CAMP == camp)
            return r;
    }
    return -1;
}

// Opens the line window of `camp`, sets its two settings and presses `buton`.
void Modifica(TConfigurareDiploma& c, const QString& camp, const QString& onorez, const QString& asociat,
              const QString& buton = "Ok")
{
    const int rand = Rand(c, camp);
    QVERIFY2(rand >= 0, qPrintable(camp));
    c.Lista->selectRow(rand);
    bool aratata = false;
    LaUrmatorulModal([&](QDialog* d) {
        aratata = true;
        auto* f = qobject_cast<TModificaLinieProfil*>(d);
        QVERIFY(f);
        f->OnorezSimilar->setCurrentText(onorez);
        QCOMPARE(f->OnorezSimilar->currentText(), onorez);
        f->AsociatCu->setText(asociat);
        QTest::mouseClick(d->findChild<QPushButton*>(buton), Qt::LeftButton);
        QVERIFY(!d->isVisible());
    });
    c.ModificaLinia();
    QVERIFY(aratata);
}

// What the certificate's area of a field prints for a student.
QString Tiparit(TDM& dm, qint64 elev, const QString& camp)
{
    TGardaTranzactie garda(dm.Tr);
    TCompletareFormular completare(dm, elev);
    return completare.Zona({TZonaDeCompletat{camp, "Tessaluna.FATA." + camp, "", "", 0}}, 0).Text;
}
} // namespace

class TestConfigurareDiploma : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listaSiFereastraLiniei();
    void selectivTiparesteCeSaScris();
    void nuDaEditorSiRezistaLaRepornire();
    void liniaDisparutaIntreFerestre();
    void doarDinTastatura();

private:
    QString Profil(const QString& camp)
    {
        return b->Scalar("select ONOREZ_SIMILAR || '|' || ASOCIAT_CU as C from PROFIL_DIPLOMA where COD_CAMP = '" +
                         camp + "'");
    }
    std::unique_ptr<TBazaTest> b;
};

void TestConfigurareDiploma::init()
{
    TMesaje::Goleste();
    TMesaje::SetFaraFerestre(true);
    b = std::make_unique<TBazaTest>();
    b->Porneste();
}

void TestConfigurareDiploma::cleanup()
{
    b.reset();
}

void TestConfigurareDiploma::listaSiFereastraLiniei()
{
    b->Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = 'OPTIONAL' where COD_CAMP = 'A_JUDETUL'");
    TConfigurareDiploma c;
    QCOMPARE(c.windowTitle(), QString("Configurare Diploma"));
    QCOMPARE(c.Lista->rowCount(), 30);
    const int rand = Rand(c, "A_COD_SIRUES");
    QCOMPARE(c.Lista->item(rand, 0)->text(), QString("[Scoala]Cod SIRUES{certificat}"));
    QCOMPARE(c.Lista->item(rand, 1)->text(), QString("DA"));
    QCOMPARE(c.Lista->item(rand, 2)->text(), QString("SCOALA"));

    c.ModificaLinia();
    QCOMPARE(TMesaje::UltimulMesaj(), QString("Va rog selectati o linie pentru a o modifica!"));

    // The window shows the stored choice; "OPTIONAL", which it does not offer, reads as "NU".
    c.Lista->selectRow(Rand(c, "A_JUDETUL"));
    LaUrmatorulModal([&](QDialog* d) {
        auto* f = qobject_cast<TModificaLinieProfil*>(d);
        QCOMPARE(d->windowTitle(), QString("Modifica linie profil"));
        QCOMPARE(f->Cheie->text(), QString("Tessaluna.FATA.A_JUDETUL"));
        QStringList alegeri;
        for (int i = 0; i < f->OnorezSimilar->count(); ++i)
            alegeri << f->OnorezSimilar->itemText(i);
        QCOMPARE(alegeri, QStringList({"DA", "SELECTIV", "NU"}));
        QVERIFY(!f->OnorezSimilar->isEditable());
        QCOMPARE(f->OnorezSimilar->currentText(), QString("NU"));
        QCOMPARE(f->AsociatCu->text(), QString("SCOALA"));
        f->OnorezSimilar->setCurrentText("DA");
        QTest::mouseClick(d->findChild<QPushButton*>("Renunt"), Qt::LeftButton);
    });
    c.ModificaLinia();
    QCOMPARE(Profil("A_JUDETUL"), QString("OPTIONAL|SCOALA"));

    // Written as typed, not trimmed; the list shows it after its reload.
    Modifica(c, "A_JUDETUL", "SELECTIV", "scoala ");
    QCOMPARE(Profil("A_JUDETUL"), QString("SELECTIV|scoala "));
    QCOMPARE(c.Lista->item(Rand(c, "A_JUDETUL"), 1)->text(), QString("SELECTIV"));
    QVERIFY(!b->Dm().Tr.InTransaction());
}

void TestConfigurareDiploma::selectivTiparesteCeSaScris()
{
    const qint64 elev = b->AdaugaElev({{"C_NUME_L1", "Ion"}});
    TConfigurareDiploma c;
    Modifica(c, "A_UNITATEA_L1", "SELECTIV", "SCOALA");
    // The school row editor now offers the certificate's own school name.
    LaUrmatorulModal([&](QDialog* d) {
        auto* editor = d->findChild<TEditorCampText*>("A_UNITATEA_L1");
        QVERIFY(editor);
        editor->Lista()->setEditText("Liceul Teoretic nr. 1");
        d->findChild<TEditorCampText*>("C_UNITATEA_L1")->Lista()->setEditText("Lic. Teoretic 1");
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    TListaGenerica scoli;
    scoli.Tabel = "SCOALA";
    scoli.Adauga();
    QCOMPARE(Tiparit(b->Dm(), elev, "A_UNITATEA_L1"), QString("Liceul Teoretic nr. 1"));
    QCOMPARE(Tiparit(b->Dm(), elev, "C_UNITATEA_L1"), QString("Lic. Teoretic 1"));

    // Left empty, the certificate prints the counterfoil's name.
    scoli.Lista->setCurrentItem(scoli.Lista->topLevelItem(0));
    LaUrmatorulModal([&](QDialog* d) {
        d->findChild<TEditorCampText*>("A_UNITATEA_L1")->Lista()->setEditText("  ");
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    scoli.Modifica();
    QCOMPARE(Tiparit(b->Dm(), elev, "A_UNITATEA_L1"), QString("Lic. Teoretic 1"));
}

void TestConfigurareDiploma::nuDaEditorSiRezistaLaRepornire()
{
    {
        TAdaugaElev d;
        d.ElevNou();
        QVERIFY(!d.findChild<TEditorGeneric*>("A_CNP"));
    }
    {
        TConfigurareDiploma c;
        Modifica(c, "A_CNP", "NU", "elevi");
        QCOMPARE(Profil("A_CNP"), QString("NU|elevi"));
        Modifica(c, "A_CNP", "NU", "ELEVI");
    }
    LaUrmatorulModal([&](QDialog* d) {
        auto* a = d->findChild<TEditorCampCNP*>("A_CNP");
        QVERIFY(a);
        a->Caseta()->setText("2850505123459");
        d->findChild<TEditorCampText*>("C_NUME_L1")->Lista()->setEditText("Ana");
        d->findChild<TEditorCampCNP*>("C_CNP")->Caseta()->setText("1900101123457");
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes); // "Salvez oricum?" for the fields left empty
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
        QVERIFY(!d->isVisible());
    });
    TListaElevi lista;
    lista.Adauga();
    const qint64 elev = b->Scalar("select ID_ELEVI as C from ELEVI").toLongLong();
    QCOMPARE(b->Dm().ValoareCamp("Tessaluna", "FATA", "A_CNP", elev), QString("2850505123459"));

    TConfigurareDiploma c;
    Modifica(c, "A_CNP", "NU", "SCOALA");
    b->Reporneste();
    QCOMPARE(Profil("A_CNP"), QString("NU|ELEVI"));
    QCOMPARE(b->Dm().ValoareCamp("Tessaluna", "FATA", "A_CNP", elev), QString("2850505123459"));
    TAdaugaElev d;
    d.EditeazaElev(qint32(elev));
    QVERIFY(d.findChild<TEditorCampCNP*>("A_CNP"));
}

void TestConfigurareDiploma::liniaDisparutaIntreFerestre()
{
    TConfigurareDiploma c;
    c.Lista->selectRow(Rand(c, "A_SECRETAR"));
    b->Executa("delete from PROFIL_DIPLOMA where COD_CAMP = 'A_SECRETAR'");
    bool inchisOk = false;
    LaUrmatorulModal([&](QDialog* d) {
        auto* f = qobject_cast<TModificaLinieProfil*>(d);
        QCOMPARE(f->OnorezSimilar->currentText(), QString("NU"));
        QCOMPARE(f->AsociatCu->text(), QString());
        QTest::mouseClick(f->Ok, Qt::LeftButton);
        inchisOk = d->result() == QDialog::Accepted;
    });
    c.ModificaLinia();
    QVERIFY(inchisOk);
    QCOMPARE(c.Lista->rowCount(), 29);
    QCOMPARE(b->Scalar("select count(*) as C from PROFIL_DIPLOMA"), QString("29"));
}

void TestConfigurareDiploma::doarDinTastatura()
{
    TConfigurareDiploma c;
    c.show();
    c.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&c));
    c.Lista->setFocus(Qt::TabFocusReason);
    // Tab leaves the table for "Modifica", the default button; Shift+Tab comes back.
    QTest::keyClick(c.Lista, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), c.Modifica);
    QVERIFY(c.Modifica->isDefault());
    QTest::keyClick(c.Modifica, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), c.Lista);

    // Arrows reach the row; Enter opens it, and in the line window the choice, Tab, the text and Enter save.
    const int rand = Rand(c, "A_JUDETUL");
    QVERIFY(rand > 0);
    c.Lista->setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
    for (int i = 0; i < rand; ++i)
        QTest::keyClick(c.Lista, Qt::Key_Down);
    bool deschisa = false;
    LaUrmatorulModal([&](QDialog* d) {
        auto* f = qobject_cast<TModificaLinieProfil*>(d);
        QVERIFY(f);
        deschisa = true;
        QCOMPARE(f->Cheie->text(), QString("Tessaluna.FATA.A_JUDETUL"));
        f->OnorezSimilar->setFocus();
        QTest::keyClick(f->OnorezSimilar, Qt::Key_Down);
        QCOMPARE(f->OnorezSimilar->currentText(), QString("SELECTIV"));
        QTest::keyClick(f->OnorezSimilar, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->AsociatCu);
        f->AsociatCu->selectAll();
        QTest::keyClicks(f->AsociatCu, "ELEVI");
        QTest::keyClick(f->AsociatCu, Qt::Key_Return);
        QCOMPARE(d->result(), int(QDialog::Accepted));
    });
    QTest::keyClick(c.Lista, Qt::Key_Return);
    QVERIFY(deschisa);
    QCOMPARE(Profil("A_JUDETUL"), QString("SELECTIV|ELEVI"));

    // Enter on the focused "Modifica" opens the selected row too; Esc in the line window writes nothing.
    deschisa = false;
    LaUrmatorulModal([&](QDialog* d) {
        deschisa = true;
        QCOMPARE(qobject_cast<TModificaLinieProfil*>(d)->Cheie->text(), QString("Tessaluna.FATA.A_JUDETUL"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    });
    QTest::keyClick(c.Lista, Qt::Key_Tab);
    QTest::keyClick(c.Modifica, Qt::Key_Return);
    QVERIFY(deschisa);
    QCOMPARE(Profil("A_JUDETUL"), QString("SELECTIV|ELEVI"));
}

QTEST_MAIN(TestConfigurareDiploma)
#include "TestConfigurareDiploma.moc"
