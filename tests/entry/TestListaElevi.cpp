#include "controls/UKivEditors.h"
#include "entry/UEditoareCamp.h"
#include "entry/UEditorGenericComplex.h"
#include "entry/UButonFormular.h"
#include "entry/UDialogInregistrare.h"
#include "print/UHandlere.h"
#include "entry/UListaElevi.h"
#include "platform/UMesaje.h"
#include "testsupport/UBazaTest.h"
#include "testsupport/UModal.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <algorithm>

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

QStringList Afisate(const TListaElevi& l)
{
    QStringList r;
    for (int i = 0; i < l.Arbore->model()->rowCount(); ++i)
        r << l.Arbore->model()->index(i, 0).data().toString();
    return r;
}

void Selecteaza(TListaElevi& l, const QString& inceput)
{
    const QList<const TLinieElev*> linii = l.LiniiAfisate();
    for (int i = 0; i < linii.size(); ++i) {
        if (linii[i]->Denumire.startsWith(inceput)) {
            l.SelecteazaRand(i);
            return;
        }
    }
}

// A handler whose preview window records how often it was shown.
class THandlerTest : public THandlerFormularDePrintat
{
public:
    THandlerTest() { Titlu = QStringLiteral("Proba"); }
    QDialog* CreeazaFormular(QWidget* proprietar) override
    {
        ++Create;
        return new QDialog(proprietar);
    }
    int Create = 0;
};
} // namespace

class TestListaElevi : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void adaugaModificaSterge();
    void notaRefuzataApoiCorectata();
    void renuntNuScrieNimic();
    void enterTreceMaiDeparteCtrlEnterSalveaza();
    void salvareEsuataRevineIntegral();
    void campGolTiparitIntreaba();
    void listaGoalaCereSelectie();
    void cautare_data();
    void cautare();
    void ordineRomaneasca();
    void adaugareCuCautarePastreazaFiltrul();
    void butoaneDeTiparire();
    void grupurileDialoguluiAfisat();

private:
    std::unique_ptr<TBazaTest> b;
    std::unique_ptr<TListaElevi> lista;
};

void TestListaElevi::init()
{
    TMesaje::Goleste();
    TMesaje::SetFaraFerestre(true);
    b = std::make_unique<TBazaTest>();
    b->Porneste();
    lista = std::make_unique<TListaElevi>();
    lista->resize(800, 600);
    lista->Reincarca();
}

void TestListaElevi::cleanup()
{
    lista.reset();
    b.reset();
    ListaHandlere().Goleste();
}

void TestListaElevi::adaugaModificaSterge()
{
    const QString nume = QString::fromUtf8("Ştefănescu");
    LaUrmatorulModal([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QString("Adauga elev"));
        Scrie(d, "C_NUME_L1", nume);
        Scrie(d, "C_NUME_L2", QString::fromUtf8("Ţuţea Mihaela"));
        Scrie(d, "C_CNP", Cnp);
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes); // "Salvez oricum?" for the fields left empty
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    lista->Adauga();
    const QString denumire =
        nume + QString::fromUtf8(" Ţuţea Mihaela / ") + nume + QString::fromUtf8(" Ţuţea Mihaela (") + Cnp + ")";
    QCOMPARE(Afisate(*lista), QStringList{denumire});
    // Every field of the dialog is stored, the empty ones as empty texts.
    QCOMPARE(b->Scalar("select count(*) as C from \"DATE\""), QString("9"));
    QCOMPARE(b->Scalar("select count(*) as C from \"DATE\" where VALOARE_TEXT = ''"), QString("6"));

    Selecteaza(*lista, nume);
    LaUrmatorulModal([&](QDialog* d) {
        auto* e = d->findChild<TEditorCampText*>("C_NUME_L1");
        QCOMPARE(e->Lista()->currentText(), nume);
        Scrie(d, "C_NUME_L1", "Ionescu");
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes); // "Salvez oricum?" for the fields left empty
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    lista->Modifica();
    QCOMPARE(Afisate(*lista).value(0),
             QString::fromUtf8("Ionescu Ţuţea Mihaela / Ionescu Ţuţea Mihaela (") + Cnp + ")");
    QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("1"));

    Selecteaza(*lista, "Ionescu");
    TMesaje::SetRaspunsUrmator(QMessageBox::No);
    lista->Sterge();
    // The question names the student it would delete.
    QCOMPARE(TMesaje::UltimulMesaj(), "Doriti sa stergeti elevul: " + Afisate(*lista).value(0));
    QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("1"));
    TMesaje::SetRaspunsUrmator(QMessageBox::Yes);
    lista->Sterge();
    QVERIFY(Afisate(*lista).isEmpty());
    QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("0"));
    QCOMPARE(b->Scalar("select count(*) as C from \"DATE\""), QString("0"));
}

void TestListaElevi::notaRefuzataApoiCorectata()
{
    b->Executa("insert into PROFIL_DIPLOMA (COD_FORMULAR, COD_PAGINA, COD_CAMP, SIMILAR_CU, ONOREZ_SIMILAR, "
               "ETICHETA_EDITOR, TIP_DE_DATE, ASOCIAT_CU) values ('Tessaluna', 'FATA', 'C_MEDIA', '', 'DA', "
               "'[Note]Media', 'NOTA', 'ELEVI')");
    LaUrmatorulModal([&](QDialog* d) {
        Scrie(d, "C_NUME_L1", "Ana");
        Scrie(d, "C_CNP", Cnp);
        Scrie(d, "C_MEDIA", "4,50");
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
        QVERIFY(d->isVisible());
        QCOMPARE(TMesaje::UltimulMesaj(), QString("Nota este prea mica"));
        QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("0"));
        QCOMPARE(b->Scalar("select GEN_ID(G_ID_ELEVI, 0) as C from RDB$DATABASE"), QString("0"));
        Scrie(d, "C_MEDIA", "9,50");
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes); // "Salvez oricum?" for the fields left empty
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
        QVERIFY(!d->isVisible());
    });
    lista->Adauga();
    QCOMPARE(b->Coloana("select COD_CAMP || '=' || VALOARE_TEXT as C from \"DATE\" where VALOARE_TEXT <> '' "
                        "order by 1"),
             QStringList({"C_CNP=" + Cnp, "C_MEDIA=9,50", "C_NUME_L1=Ana"}));
    QCOMPARE(b->Scalar("select ID_ELEVI as C from ELEVI"), QString("1"));
}

void TestListaElevi::renuntNuScrieNimic()
{
    LaUrmatorulModal([&](QDialog* d) {
        // Nothing typed: Esc closes at once, without a question.
        TMesaje::Goleste();
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
        QVERIFY(TMesaje::MesajeAfisate().isEmpty());
    });
    lista->Adauga();
    LaUrmatorulModal([&](QDialog* d) {
        Scrie(d, "C_NUME_L1", "Renunt");
        // Typed work is dropped only on "Da": "Nu" keeps the window and what was typed.
        TMesaje::SetRaspunsUrmator(QMessageBox::No);
        QTest::mouseClick(d->findChild<QPushButton*>("Renunt"), Qt::LeftButton);
        QCOMPARE(TMesaje::UltimulMesaj(), QStringLiteral("Renuntati la datele scrise?"));
        QVERIFY(d->isVisible());
        TMesaje::SetRaspunsUrmator(QMessageBox::No);
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(d->isVisible());
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes);
        d->close();
        QVERIFY(!d->isVisible());
    });
    lista->Adauga();
    QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("0"));
    QCOMPARE(b->Scalar("select GEN_ID(G_ID_ELEVI, 0) as C from RDB$DATABASE"), QString("0"));
    QVERIFY(!b->Dm().Tr.InTransaction());
}

void TestListaElevi::enterTreceMaiDeparteCtrlEnterSalveaza()
{
    LaUrmatorulModal([&](QDialog* d) {
        auto* dialog = qobject_cast<TDialogInregistrare*>(d);
        QVERIFY(dialog);
        const QList<QWidget*> intrari = dialog->Editor->IntrariInOrdine();
        QVERIFY(intrari.size() > 2);
        // Enter in an entry moves on as Tab does, whatever control the entry is; it never saves.
        for (int i = 0; i < 2; ++i) {
            intrari[i]->setFocus();
            QTest::keyClick(d->focusWidget(), Qt::Key_Return);
            QCOMPARE(d->focusWidget(), intrari[i + 1]);
        }
        QVERIFY(d->isVisible());
        QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("0"));
        Scrie(d, "C_NUME_L1", "Ana");
        Scrie(d, "C_CNP", Cnp);
        // Ctrl+Enter saves from any entry.
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes); // "Salvez oricum?" for the fields left empty
        QTest::keyClick(d->focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(!d->isVisible());
    });
    lista->Adauga();
    QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("1"));
}

void TestListaElevi::campGolTiparitIntreaba()
{
    // Every printed student field but the certificate's name: the question names its editor's label.
    const QList<QPair<QString, QString>> plin = {{"C_ABREVIERE", "Dl."},   {"C_NUME_L1", "Ana"},
                                                 {"C_AN_ABSOLVIRE", "2004"}, {"C_CNP", Cnp},
                                                 {"C_FILIERA", "Teoretica"}, {"C_PROFILUL", "Real"},
                                                 {"C_SPECIALIZAREA", "Matematica"}};
    LaUrmatorulModal([&](QDialog* d) {
        for (const auto& [camp, text] : plin)
            Scrie(d, camp, text);
        TMesaje::Goleste();
        TMesaje::SetRaspunsUrmator(QMessageBox::No);
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
        // The second name line may stay empty; "Nu" keeps the window, with the caret in the empty entry.
        QCOMPARE(TMesaje::MesajeAfisate(), QStringList{"Campul \"Nume\" este gol. Salvez oricum?"});
        QVERIFY(d->isVisible());
        QVERIFY(d->findChild<TEditorGeneric*>("A_NUME")->isAncestorOf(d->focusWidget()));
        QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("0"));
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes);
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
        QVERIFY(!d->isVisible());
    });
    lista->Adauga();
    QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("1"));

    // A certificate field given its own editor: "SELECTIV" prints the counterfoil's value when left empty, "NU"
    // prints it empty. Several empty fields are named in one question.
    for (const QString& mod : {QString("SELECTIV"), QString("NU")}) {
        b->Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = '" + mod + "' where COD_CAMP = 'A_FILIERA'");
        LaUrmatorulModal([&](QDialog* d) {
            QVERIFY(d->findChild<TEditorGeneric*>("A_FILIERA"));
            for (const auto& [camp, text] : plin)
                Scrie(d, camp, camp == "C_PROFILUL" ? QString() : text);
            Scrie(d, "A_NUME", "Ana");
            TMesaje::Goleste();
            TMesaje::SetRaspunsUrmator(QMessageBox::No);
            QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
            QCOMPARE(TMesaje::UltimulMesaj(),
                     mod == "NU" ? QString("Campurile \"Profilul\" si \"Filiera\" sunt goale. Salvez oricum?")
                                 : QString("Campul \"Profilul\" este gol. Salvez oricum?"));
        });
        lista->Adauga();
    }
    QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("1"));
}

void TestListaElevi::salvareEsuataRevineIntegral()
{
    b->Executa("create exception E_PROBA 'valoare refuzata'");
    b->Executa("create trigger T_PROBA for \"DATE\" before insert or update as begin if (new.VALOARE_TEXT = "
               "'EROARE') then exception E_PROBA; end");
    LaUrmatorulModal([&](QDialog* d) {
        Scrie(d, "C_NUME_L1", "Bun");
        Scrie(d, "C_CNP", Cnp);
        Scrie(d, "A_NUME", "EROARE");
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes); // "Salvez oricum?" for the fields left empty
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
        QVERIFY(d->isVisible());
        // The engine's own text is under "Detalii"; the sentence above it is the program's.
        QVERIFY2(TMesaje::UltimulMesaj().startsWith("Baza de date a refuzat operatia"),
                 qPrintable(TMesaje::UltimulMesaj()));
        QVERIFY2(TMesaje::UltimeleDetalii().contains("valoare refuzata"), qPrintable(TMesaje::UltimeleDetalii()));
        QCOMPARE(TMesaje::UltimulTip(), TMesaje::Eroare);
        QVERIFY(!b->Dm().Tr.InTransaction());
        QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("0"));
        QCOMPARE(b->Scalar("select count(*) as C from \"DATE\""), QString("0"));
        // The input is kept; corrected, it saves.
        auto* nume = d->findChild<TEditorCampText*>("C_NUME_L1");
        QCOMPARE(nume->Lista()->currentText(), QString("Bun"));
        Scrie(d, "A_NUME", "Bun");
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes); // "Salvez oricum?" for the fields left empty
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
        QVERIFY(!d->isVisible());
    });
    lista->Adauga();
    QCOMPARE(b->Scalar("select count(*) as C from ELEVI"), QString("1"));
    // The first attempt drew an id that is not given back.
    QCOMPARE(b->Scalar("select ID_ELEVI as C from ELEVI"), QString("2"));
}

void TestListaElevi::listaGoalaCereSelectie()
{
    QVERIFY(Afisate(*lista).isEmpty());
    lista->Modifica();
    QCOMPARE(TMesaje::UltimulMesaj(), QString("Va rog selectati un elev!"));
    TMesaje::Goleste();
    lista->Sterge();
    QCOMPARE(TMesaje::MesajeAfisate(), QStringList{"Va rog selectati un elev!"});
}

void TestListaElevi::cautare_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("gasite");
    const QStringList toti{"ANA", "Ana Maria", "Ion", "Ştefan Ana", "Ștefan"};
    QTest::newRow("gol") << "" << toti;
    QTest::newRow("doar spatii") << "   " << toti;
    QTest::newRow("cu spatiu in fata") << " Maria" << QStringList{"Ana Maria"};
    QTest::newRow("literele mici gasesc majuscule") << "ana" << QStringList{"ANA", "Ana Maria", "Ştefan Ana"};
    QTest::newRow("majusculele gasesc litere mici") << "MARIA" << QStringList{"Ana Maria"};
    QTest::newRow("fara diacritice") << "stefan" << QStringList{"Ştefan Ana", "Ștefan"};
    QTest::newRow("virgula gaseste sedila") << "Ștef" << QStringList{"Ştefan Ana", "Ștefan"};
    QTest::newRow("sedila gaseste virgula") << "ŞTEF" << QStringList{"Ştefan Ana", "Ștefan"};
    QTest::newRow("CNP") << "(2" << QStringList{"Ion"};
}

void TestListaElevi::cautare()
{
    QFETCH(QString, text);
    QFETCH(QStringList, gasite);
    b->AdaugaElev({{"C_NUME_L1", "ANA"}});
    b->AdaugaElev({{"C_NUME_L1", "Ana"}, {"C_NUME_L2", "Maria"}});
    b->AdaugaElev({{"C_NUME_L1", "Ion"}, {"C_CNP", "2"}});
    b->AdaugaElev({{"C_NUME_L1", "Ştefan"}, {"C_NUME_L2", "Ana"}}); // cedilla, as older keyboards give it
    b->AdaugaElev({{"C_NUME_L1", "Ștefan"}});                       // comma below
    lista->Reincarca();
    lista->Cauta->setText(text);
    QStringList r;
    for (const QString& s : Afisate(*lista))
        r << s.section(" / ", 0, 0).trimmed();
    r.sort();
    QCOMPARE(r, gasite);
    QCOMPARE(lista->TextNumar(), QStringLiteral("Elevi afisati: %1 din 5").arg(gasite.size()));
}

void TestListaElevi::ordineRomaneasca()
{
    // In Romanian order: ă after a, â after ă, î after i, ș after s, ț after t.
    const QStringList ordonati{"Ababei",  "Abrudan", "Ăbrudan", "Âgoston", "Barbu", "Ilie",   "Iordache",
                               "Îonescu", "Sandu",   "Szabo",   "Șerban",  "Tudor", "Țurcanu"};
    QStringList amestecati = ordonati;
    std::reverse(amestecati.begin(), amestecati.end());
    for (const QString& nume : amestecati)
        b->AdaugaElev({{"C_NUME_L1", nume}});
    lista->Reincarca();
    QStringList r;
    for (const QString& s : Afisate(*lista))
        r << s.section(" / ", 0, 0).trimmed();
    QCOMPARE(r, ordonati);
}

void TestListaElevi::adaugareCuCautarePastreazaFiltrul()
{
    b->AdaugaElev({{"C_NUME_L1", "Popa"}});
    lista->Reincarca();
    lista->Cauta->setText("Vasile");
    QVERIFY(Afisate(*lista).isEmpty());
    LaUrmatorulModal([&](QDialog* d) {
        Scrie(d, "C_NUME_L1", "Vasile");
        Scrie(d, "C_CNP", Cnp);
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes); // "Salvez oricum?" for the fields left empty
        QTest::mouseClick(d->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    lista->Adauga();
    QCOMPARE(Afisate(*lista).size(), 1);
    QVERIFY(Afisate(*lista).first().startsWith("Vasile"));
    QCOMPARE(lista->Linii().size(), size_t(2));
}

void TestListaElevi::butoaneDeTiparire()
{
    QCOMPARE(lista->PanouButoane->findChildren<TButonFormular*>().size(), 0);
    auto handler = std::make_unique<THandlerTest>();
    THandlerTest* h = handler.get();
    ListaHandlere().AdaugaHandler(std::move(handler));
    b->AdaugaElev({{"C_NUME_L1", "Tiparit"}});
    TListaElevi l;
    l.Reincarca();
    const QList<TButonFormular*> butoane = l.PanouButoane->findChildren<TButonFormular*>();
    QCOMPARE(butoane.size(), 1);
    QCOMPARE(butoane[0]->text(), QString("Proba"));
    QCOMPARE(butoane[0]->geometry(), QRect(4, 4, 128, 40));
    QCOMPARE(l.PanouButoane->width(), 140);

    QTest::mouseClick(butoane[0], Qt::LeftButton);
    QCOMPARE(TMesaje::UltimulMesaj(), QString("Va rog selectati un elev!"));
    QCOMPARE(h->Create, 0);
    Selecteaza(l, "Tiparit");
    QList<QDialog*> aratate;
    for (int i = 0; i < 2; ++i) {
        LaUrmatorulModal([&](QDialog* d) { aratate << d; });
        QTest::mouseClick(butoane[0], Qt::LeftButton);
    }
    QCOMPARE(aratate.size(), 2);
    QCOMPARE(h->Create, 1);
    QCOMPARE(aratate[0], aratate[1]);
    QCOMPARE(aratate[0], butoane[0]->Formular.data());
    QCOMPARE(aratate[0]->parent(), butoane[0]);
    QVERIFY(!ModululDeDate().Tr.InTransaction());
}

void TestListaElevi::grupurileDialoguluiAfisat()
{
    // The dialog as the user sees it shows the groups that hold editors.
    TAdaugaElev d;
    d.ElevNou();
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QStringList grupuri;
    for (auto* f : d.findChildren<TFrmGrup*>())
        if (f->isVisible())
            grupuri << f->NumeGrup;
    QCOMPARE(grupuri, QStringList({"Candidat", "Scoala"}));
}

QTEST_MAIN(TestListaElevi)
#include "TestListaElevi.moc"
