#include "controls/UKivEditors.h"
#include "entry/UEditoareCamp.h"
#include "entry/UEditorGenericComplex.h"
#include "entry/UListaElevi.h"
#include "entry/UListaGenerica.h"
#include "entry/UTiparireClasaForm.h"
#include "platform/UMesaje.h"
#include "store/UEvaluatorExpresie.h"
#include "store/UInregistrari.h"
#include "testsupport/UBazaTest.h"
#include "testsupport/UModal.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {
const QString Cnp = QStringLiteral("1900101123457");

void Scrie(QDialog* d, const QString& camp, const QString& text)
{
    auto* e = d->findChild<TEditorGeneric*>(camp);
    QVERIFY2(e, qPrintable(camp));
    if (auto* t = qobject_cast<TEditorCampText*>(e))
        t->Lista()->setEditText(text);
    else if (auto* n = qobject_cast<TEditorCampNota*>(e))
        n->Nota()->SetText(text);
    else
        static_cast<TEditorCuCasetaText*>(e)->Caseta()->setText(text);
}

void Apasa(QDialog* d, const QString& buton)
{
    auto* b = d->findChild<QPushButton*>(buton);
    QVERIFY2(b, qPrintable(buton));
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList Randuri(const TListaGenerica& l)
{
    QStringList r;
    for (int i = 0; i < l.Lista->topLevelItemCount(); ++i)
        r << l.Lista->topLevelItem(i)->text(0);
    return r;
}

void Selecteaza(TListaGenerica& l, const QString& inceput)
{
    for (int i = 0; i < l.Lista->topLevelItemCount(); ++i) {
        if (l.Lista->topLevelItem(i)->text(0).startsWith(inceput)) {
            l.Lista->setCurrentItem(l.Lista->topLevelItem(i));
            return;
        }
    }
    QFAIL(qPrintable("no row " + inceput));
}

// The names of the widgets Tab visits from the one the window focuses when it opens: a field editor by its
// field code.
QStringList OrdineaTab(QDialog& d, int pasi)
{
    d.show();
    d.activateWindow();
    if (!QTest::qWaitForWindowActive(&d))
        return {"fereastra inactiva"};
    QStringList r;
    for (int i = 0; i < pasi; ++i) {
        QWidget* w = QApplication::focusWidget();
        QString nume = w ? w->objectName() : QString("<nimic>");
        for (QWidget* p = w; p; p = p->parentWidget()) {
            if (auto* e = qobject_cast<TEditorGeneric*>(p)) {
                nume = e->CodCamp;
                break;
            }
        }
        r << nume;
        QTest::keyClick(w, Qt::Key_Tab);
    }
    return r;
}

qint32 Scoala(TBazaTest& b, const QString& nume)
{
    TDM& dm = b.Dm();
    TGardaTranzactie garda(dm.Tr);
    const qint32 id = CreeazaInregistrare(dm, "SCOALA");
    ScrieValoareCamp(dm, {"Tessaluna", "FATA", "C_UNITATEA_L1"}, "SCOALA", id, nume, 256);
    garda.Commit();
    return id;
}
} // namespace

class TestListaGenerica : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void randurileScolii();
    void scoalaAleasaSiMutata();
    void ordineaTab();
    void listeleDinTastatura();

private:
    QString Generator() { return b->Scalar("select GEN_ID(G_ID_SCOALA, 0) as C from RDB$DATABASE"); }
    QString Scoala(qint64 elev) { return b->Dm().ValoareCamp("Tessaluna", "FATA", "A_UNITATEA_L1", elev); }
    std::unique_ptr<TBazaTest> b;
};

void TestListaGenerica::init()
{
    TMesaje::Goleste();
    TMesaje::SetFaraFerestre(true);
    b = std::make_unique<TBazaTest>();
    b->Porneste();
}

void TestListaGenerica::cleanup()
{
    b.reset();
}

void TestListaGenerica::randurileScolii()
{
    // A grade field of the school, so that an editor can refuse its content.
    b->Executa("insert into PROFIL_DIPLOMA (COD_FORMULAR, COD_PAGINA, COD_CAMP, SIMILAR_CU, ONOREZ_SIMILAR, "
               "ETICHETA_EDITOR, TIP_DE_DATE, ASOCIAT_CU) values ('Tessaluna', 'FATA', 'C_MEDIA_SCOLII', '', 'DA', "
               "'[Scoala]Media', 'NOTA', 'SCOALA')");
    // Entered before the school existed: tied to it once it is saved.
    const qint64 elev = b->AdaugaElev({{"C_NUME_L1", "Ion"}});
    TListaGenerica l;
    l.Tabel = "SCOALA";
    l.Incarca();
    QVERIFY(Randuri(l).isEmpty());
    l.Modifica();
    QCOMPARE(TMesaje::UltimulMesaj(), QString("Va rog selectati o linie!"));
    TMesaje::Goleste();
    l.Sterge();
    QCOMPARE(TMesaje::MesajeAfisate(), QStringList{"Va rog selectati o linie!"});

    LaUrmatorulModal([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Editeaza"));
        Scrie(d, "C_UNITATEA_L1", "Renuntat");
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes);
        Apasa(d, "Renunt");
        QCOMPARE(TMesaje::UltimulMesaj(), QString("Renuntati la datele scrise?"));
    });
    l.Adauga();
    LaUrmatorulModal([&](QDialog* d) {
        Scrie(d, "C_UNITATEA_L1", QString::fromUtf8("Liceul Ştefan"));
        Scrie(d, "C_MEDIA_SCOLII", "4,00");
        Apasa(d, "Ok");
        QVERIFY(d->isVisible());
        QCOMPARE(TMesaje::UltimulMesaj(), QString("Nota este prea mica"));
        QCOMPARE(Generator(), QString("0"));
        QCOMPARE(b->Scalar("select count(*) as C from \"DATE\" where ID_SCOALA is not null"), QString("0"));
        // What was typed is kept; corrected, it saves.
        Scrie(d, "C_MEDIA_SCOLII", "9,00");
        Scrie(d, "C_UNITATEA_L2", "Arad");
        Apasa(d, "Ok");
        QVERIFY(!d->isVisible());
    });
    l.Adauga();
    QCOMPARE(Generator(), QString("1"));
    QCOMPARE(Randuri(l), QStringList{QString::fromUtf8("Liceul Ştefan Arad / Liceul Ştefan Arad")});
    QCOMPARE(Scoala(elev), QString::fromUtf8("Liceul Ştefan"));

    Selecteaza(l, "Liceul");
    LaUrmatorulModal([&](QDialog* d) {
        auto* e = d->findChild<TEditorCampText*>("C_UNITATEA_L1");
        QCOMPARE(e->Lista()->currentText(), QString::fromUtf8("Liceul Ştefan"));
        Scrie(d, "C_UNITATEA_L1", "Colegiul");
        Apasa(d, "Ok");
    });
    l.Modifica();
    QCOMPARE(Randuri(l), QStringList{"Colegiul Arad / Colegiul Arad"});
    QCOMPARE(Generator(), QString("1"));
    QCOMPARE(Scoala(elev), QString("Colegiul"));

    Selecteaza(l, "Colegiul");
    TMesaje::SetRaspunsUrmator(QMessageBox::No);
    l.Sterge();
    QCOMPARE(TMesaje::UltimulMesaj(), QString("Doriti sa stergeti linia: "));
    QCOMPARE(Randuri(l).size(), 1);
    TMesaje::SetRaspunsUrmator(QMessageBox::Yes);
    l.Sterge();
    QVERIFY(Randuri(l).isEmpty());
    QCOMPARE(b->Scalar("select count(*) as C from \"DATE\" where ID_SCOALA is not null or IDF_SCOALA is not null"),
             QString("0"));
    QCOMPARE(Scoala(elev), QString());
    QCOMPARE(b->Dm().ValoareCamp("Tessaluna", "FATA", "C_NUME_L1", elev), QString("Ion"));
    QVERIFY(!b->Dm().Tr.InTransaction());
}

void TestListaGenerica::scoalaAleasaSiMutata()
{
    const qint32 a = ::Scoala(*b, "Liceul A");
    const qint32 bb = ::Scoala(*b, "Liceul B");
    ::Scoala(*b, "Liceul C");
    auto alege = [](QDialog* d, const QString& nume) {
        auto* c = d->findChild<QComboBox*>("Legatura_SCOALA");
        QVERIFY(c);
        c->setCurrentIndex(c->findText(nume, Qt::MatchStartsWith));
        QVERIFY(c->currentIndex() >= 0);
    };
    LaUrmatorulModal([&](QDialog* d) {
        auto* c = d->findChild<QComboBox*>("Legatura_SCOALA");
        QVERIFY(c);
        QCOMPARE(c->count(), 3);
        QCOMPARE(c->currentIndex(), -1);
        Scrie(d, "C_NUME_L1", "Ana");
        Scrie(d, "C_CNP", Cnp);
        Apasa(d, "Ok");
        // No school chosen: asked for, nothing saved, no identifier drawn.
        QVERIFY(d->isVisible());
        QCOMPARE(TMesaje::UltimulMesaj(), QString("Va rog alegeti scoala elevului!"));
        QCOMPARE(b->Scalar("select GEN_ID(G_ID_ELEVI, 0) as C from RDB$DATABASE"), QString("0"));
        alege(d, "Liceul B");
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes); // "Salvez oricum?" for the fields left empty
        Apasa(d, "Ok");
        QVERIFY(!d->isVisible());
    });
    TListaElevi elevi;
    elevi.Adauga();
    const qint64 elev = b->Scalar("select ID_ELEVI as C from ELEVI").toLongLong();
    QCOMPARE(Scoala(elev), QString("Liceul B"));
    {
        // The student list's evaluator resolves the school through the same links.
        TGardaTranzactie garda(b->Dm().Tr);
        TEvaluatorExpresie evaluator(b->Dm(), "{Tessaluna.FATA.C_UNITATEA_L1}/{Tessaluna.FATA.A_UNITATEA_L1}");
        evaluator.Pregateste();
        QCOMPARE(evaluator.Evalueaza(elev), QString("Liceul B/Liceul B"));
    }

    elevi.SelecteazaRand(0);
    LaUrmatorulModal([&](QDialog* d) {
        auto* c = d->findChild<QComboBox*>("Legatura_SCOALA");
        QCOMPARE(c->currentText(), QString("Liceul B  / Liceul B "));
        alege(d, "Liceul A");
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes); // "Salvez oricum?" for the fields left empty
        Apasa(d, "Ok");
    });
    elevi.Modifica();
    QCOMPARE(Scoala(elev), QString("Liceul A"));
    QCOMPARE(b->Scalar(QStringLiteral("select count(*) as C from \"DATE\" where IDF_SCOALA = %1").arg(bb)),
             QString("0"));

    // The school deleted: the student is untied and asked again at his next change.
    TListaGenerica l;
    l.Tabel = "SCOALA";
    l.Incarca();
    Selecteaza(l, "Liceul A");
    TMesaje::SetRaspunsUrmator(QMessageBox::Yes);
    l.Sterge();
    QCOMPARE(Scoala(elev), QString());
    QCOMPARE(b->Scalar(QStringLiteral("select count(*) as C from \"DATE\" where IDF_SCOALA = %1").arg(a)),
             QString("0"));
    elevi.SelecteazaRand(0);
    LaUrmatorulModal([&](QDialog* d) {
        auto* c = d->findChild<QComboBox*>("Legatura_SCOALA");
        QCOMPARE(c->count(), 2);
        QCOMPARE(c->currentIndex(), -1);
        Apasa(d, "Ok");
        QCOMPARE(TMesaje::UltimulMesaj(), QString("Va rog alegeti scoala elevului!"));
        alege(d, "Liceul C");
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes); // "Salvez oricum?" for the fields left empty
        Apasa(d, "Ok");
    });
    elevi.Modifica();
    QCOMPARE(Scoala(elev), QString("Liceul C"));
}

void TestListaGenerica::ordineaTab()
{
    ::Scoala(*b, "Liceul A");
    ::Scoala(*b, "Liceul B");
    TAdaugaElev elev;
    elev.ElevNou();
    QComboBox* scoala = elev.findChild<QComboBox*>("Legatura_SCOALA");
    QVERIFY(scoala);
    QCOMPARE(OrdineaTab(elev, 13),
             QStringList({"Legatura_SCOALA", "C_ABREVIERE", "C_NUME_L1", "C_NUME_L2", "C_AN_ABSOLVIRE", "C_CNP",
                          "A_NUME", "C_FILIERA", "C_PROFILUL", "C_SPECIALIZAREA", "Ok", "Renunt", "Legatura_SCOALA"}));
    elev.reject();

    TEditeaza rand("SCOALA");
    rand.PregatesteRandNou();
    QCOMPARE(OrdineaTab(rand, 12), QStringList({"C_UNITATEA_L1", "C_UNITATEA_L2", "C_COD_SIRUES", "C_LOCALITATEA",
                                                "C_JUDETUL", "A_LOCALITATEA_L1", "A_LOCALITATEA_L2", "C_DIRECTOR",
                                                "C_SECRETAR", "Ok", "Renunt", "C_UNITATEA_L1"}));
}

// Every list window: Tab leaves the list, Enter on a row opens it as a double click does, and Enter on a
// focused button presses that button, not the window's default one.
void TestListaGenerica::listeleDinTastatura()
{
    ::Scoala(*b, "Liceul A");
    const qint64 elev = b->AdaugaElev({{"C_NUME_L1", "Ana"}});
    auto arata = [](QWidget& w) {
        w.show();
        w.activateWindow();
        return QTest::qWaitForWindowActive(&w);
    };
    // The window that Enter opened, by its caption and what it shows of its record.
    QString deschis;
    auto retine = [&](const QString& camp) {
        LaUrmatorulModal([&deschis, camp](QDialog* d) {
            auto* e = d->findChild<TEditorCampText*>(camp);
            deschis = d->windowTitle() + ": " + (e ? e->Lista()->currentText() : QString());
        });
    };

    TListaGenerica scoli;
    scoli.Tabel = "SCOALA";
    scoli.Incarca();
    QVERIFY(arata(scoli));
    scoli.Lista->setFocus(Qt::TabFocusReason);
    QTest::keyClick(scoli.Lista, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("Adauga"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), scoli.Lista);
    // The row Tab entered on is current, not yet selected: Enter selects and opens it.
    retine("C_UNITATEA_L1");
    QTest::keyClick(scoli.Lista, Qt::Key_Return);
    QCOMPARE(deschis, QString("Editeaza: Liceul A"));
    auto* sterge = scoli.findChild<QPushButton*>("Sterge");
    QVERIFY(scoli.findChild<QPushButton*>("Modifica")->isDefault());
    sterge->setFocus(Qt::TabFocusReason);
    TMesaje::Goleste();
    TMesaje::SetRaspunsUrmator(QMessageBox::No);
    QTest::keyClick(sterge, Qt::Key_Return);
    QCOMPARE(TMesaje::UltimulMesaj(), QString("Doriti sa stergeti linia: "));
    scoli.close();

    TListaElevi elevi;
    elevi.Reincarca();
    QVERIFY(arata(elevi));
    elevi.Arbore->setFocus(Qt::TabFocusReason);
    deschis.clear();
    retine("C_NUME_L1");
    QTest::keyClick(elevi.Arbore, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(deschis, QString("Adauga elev: Ana"));
    // Outside a dialog too, Enter presses the focused button.
    auto* adauga = elevi.findChild<QPushButton*>("Adauga");
    adauga->setFocus(Qt::TabFocusReason);
    deschis.clear();
    retine("C_NUME_L1");
    QTest::keyClick(adauga, Qt::Key_Return);
    QCOMPARE(deschis, QString("Adauga elev: "));
    elevi.close();

    TVerificareForm verificare({TProblemaElev{{elev, "Ana"}, "C_CNP: camp gol"}});
    QVERIFY(arata(verificare));
    verificare.Lista->setFocus(Qt::TabFocusReason);
    QTest::keyClick(verificare.Lista, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(verificare.TiparesteOricum));
    QTest::keyClick(verificare.TiparesteOricum, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(verificare.Lista));
    deschis.clear();
    retine("C_NUME_L1");
    QTest::keyClick(verificare.Lista, Qt::Key_Return);
    QCOMPARE(deschis, QString("Adauga elev: Ana"));
}

QTEST_MAIN(TestListaGenerica)
#include "TestListaGenerica.moc"
