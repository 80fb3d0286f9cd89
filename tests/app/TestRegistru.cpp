#include "app/TDialogBazaDeDate.h"
#include "app/TMeniuRegistru.h"
#include "app/TTessalunaMain.h"
#include "entry/UListaElevi.h"
#include "platform/UActiune.h"
#include "platform/UMesaje.h"
#include "platform/URegistru.h"
#include "print/USetariImprimare.h"
#include "store/UBazaServer.h"
#include "store/UCopii.h"
#include "store/UDataModule.h"
#include "store/UEroareBD.h"
#include "testsupport/UBazaTest.h"
#include "testsupport/UModal.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QTcpServer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <cstdio>

class TestRegistru : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TMesaje::SetFaraFerestre(true);
        QVERIFY(std::freopen("/dev/null", "r", stdin));
    }
    void init() { TMesaje::Goleste(); }

    void CopieSiRestaurareDinMeniu()
    {
        TBazaTest b;
        b.Porneste();
        b.AdaugaElev({{"C_NUME_L1", "Ana"}});
        const qint64 ion = b.AdaugaElev({{"C_NUME_L1", "Ion"}});
        TTessalunaMain w;
        QCOMPARE(w.ListaElevi->Linii().size(), 2);
        QCOMPARE(w.findChild<QLabel*>("EtichetaBazaDeDate")->text(),
                 "Baza de date: " + QDir::toNativeSeparators(b.CaleBaza()));

        const QString fbk = b.Dosar() + "/copie";
        TMesaje::SetFisierUrmator(fbk);
        w.Registru->CopieDeSiguranta->trigger();
        QVERIFY2(QFileInfo(fbk + ".fbk").size() > 0, qPrintable(TMesaje::UltimulMesaj()));
        QCOMPARE(TMesaje::UltimulTip(), TMesaje::Informatie);

        // The mistaken delete, then a restore the user declines: nothing changes, nothing is left behind.
        b.Executa(QStringLiteral("delete from ELEVI where ID_ELEVI = %1").arg(ion));
        const QStringList fisiere = QDir(b.Dosar() + "/DB").entryList(QDir::Files);
        TMesaje::SetFisierUrmator(fbk + ".fbk");
        TMesaje::SetRaspunsUrmator(QMessageBox::No);
        w.Registru->RestaurareDinCopie->trigger();
        QVERIFY2(TMesaje::MesajeAfisate().join("\n").contains("contine 2 elevi; registrul curent contine 1 elevi"),
                 qPrintable(TMesaje::MesajeAfisate().join("\n")));
        QCOMPARE(QDir(b.Dosar() + "/DB").entryList(QDir::Files), fisiere);
        QCOMPARE(b.Scalar("select count(*) as C from ELEVI"), QStringLiteral("1"));

        // "Da": the register is the backup's again, the list shows it, the replaced file is kept beside it.
        TMesaje::SetFisierUrmator(fbk + ".fbk");
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes);
        w.Registru->RestaurareDinCopie->trigger();
        QCOMPARE(TMesaje::UltimulTip(), TMesaje::Informatie);
        QCOMPARE(b.Scalar("select count(*) as C from ELEVI"), QStringLiteral("2"));
        QCOMPARE(w.ListaElevi->Linii().size(), 2);
        const QStringList pastrate = QDir(b.Dosar() + "/DB").entryList({"Tessaluna2006-inlocuita-*.FDB"}, QDir::Files);
        QCOMPARE(pastrate.size(), 1);

        // A file that is no backup: a clear message and the register as it was.
        TMesaje::SetFisierUrmator(b.CaleBaza());
        w.Registru->RestaurareDinCopie->trigger();
        QCOMPARE(TMesaje::UltimulTip(), TMesaje::Eroare);
        QVERIFY(TMesaje::UltimulMesaj().contains("Registrul curent a ramas neatins"));
        QCOMPARE(b.Scalar("select count(*) as C from ELEVI"), QStringLiteral("2"));
    }

    void CopiaZilnicaOdataPeZi()
    {
        TBazaTest b;
        b.Porneste();
        b.Reporneste(); // a register that was not just made from the template
        TTessalunaMain w;
        w.Registru->PornesteCopiaZilnica();
        QTRY_VERIFY_WITH_TIMEOUT(!w.Registru->CopieZilnicaInCurs(), 30000);
        QTRY_VERIFY(w.statusBar()->currentMessage().startsWith("Copia de siguranta automata a fost facuta"));
        QCOMPARE(CopiiAutomate(b.CaleBaza()).size(), 1);
        TTessalunaMain alta;
        alta.Registru->PornesteCopiaZilnica();
        QVERIFY(!alta.Registru->CopieZilnicaInCurs());
        QCOMPARE(CopiiAutomate(b.CaleBaza()).size(), 1);
    }

    void DialogulBazaDeDate()
    {
        QCOMPARE(CheieSetariBazaDeDate(), TAllStuffReg::Cheie());
        TBazaTest b;
        b.Porneste();
        TTessalunaMain w;
        QTcpServer ocupat;
        QVERIFY(ocupat.listen(QHostAddress::LocalHost));
        const quint16 portMort = ocupat.serverPort();
        ocupat.close(); // a port where no server answers
        const QString faraServer = QStringLiteral("127.0.0.1/%1:/srv/firebird/Tessaluna2006.FDB").arg(portMort);
        QStringList ordine;
        LaUrmatorulModal([&](QDialog* d) {
            auto* nume = d->findChild<QLineEdit*>("NumeServer");
            auto* utilizator = d->findChild<QLineEdit*>("Utilizator");
            auto* parola = d->findChild<QLineEdit*>("Parola");
            QVERIFY(nume->hasFocus());
            QCOMPARE(parola->echoMode(), QLineEdit::Password);
            for (int i = 0; i < 5; ++i) {
                ordine << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            // A name without a server is refused; the dialog stays open with what was typed.
            nume->setText("Tessaluna2006.FDB");
            d->findChild<QPushButton*>("OK")->click();
            QVERIFY(d->isVisible());
            QCOMPARE(nume->text(), QString("Tessaluna2006.FDB"));
            QCOMPARE(TMesaje::UltimulTip(), TMesaje::Avertisment);
            QCOMPARE(NumeBazaServer(), QString());
            // A server name without a user is refused before any connection.
            nume->setText(" " + faraServer + " ");
            d->findChild<QPushButton*>("OK")->click();
            QVERIFY(TMesaje::UltimulMesaj().startsWith("Scrieti utilizatorul"));
            // The check by connecting: a server that does not answer stores nothing and keeps what was typed.
            utilizator->setText("TESSALUNA");
            parola->setText("parola-registrului");
            d->findChild<QPushButton*>("OK")->click();
            QVERIFY(d->isVisible());
            QCOMPARE(TMesaje::UltimulTip(), TMesaje::Avertisment);
            QVERIFY2(TMesaje::UltimulMesaj().startsWith("Nu pot deschide baza de date " + faraServer),
                     qPrintable(TMesaje::UltimulMesaj()));
            QCOMPARE(NumeBazaServer(), QString());
            QCOMPARE(UtilizatorBazaServer(), QString());
            QCOMPARE(parola->text(), QString("parola-registrului"));
            // An empty name returns to the file beside the program.
            nume->clear();
            d->findChild<QPushButton*>("OK")->click();
        });
        w.Registru->BazaDeDate->trigger();
        QCOMPARE(ordine, QStringList({"NumeServer", "Utilizator", "Parola", "OK", "Renunta"}));
        QCOMPARE(NumeBazaServer(), QString());
        QFile registru(FisierRegistruUtilizator());
        QVERIFY(!registru.open(QIODevice::ReadOnly) || !registru.readAll().contains("parola-registrului"));
    }

    // Start-up with a server register whose password this desk does not have: the dialog opens with the reason,
    // the cursor in the password; giving none leaves start-up with its message and no database open.
    void PornireaCerePentruParolaLipsa()
    {
        // No session bus: this desk has no secret store (and a developer's own keyring stays untouched).
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qunsetenv("DISPLAY");
        TBazaTest b;
        b.Porneste();
        TDM dm;
        InstaleazaAccesServer(dm);
        SeteazaNumeBazaServer(QStringLiteral("127.0.0.1/1:/srv/firebird/Tessaluna2006.FDB"));
        SeteazaUtilizatorBazaServer(QStringLiteral("TESSALUNA"));
        QString motiv;
        bool parolaCuFocus = false;
        LaUrmatorulModal([&](QDialog* d) {
            motiv = d->findChild<QLabel*>("Motiv")->text();
            parolaCuFocus = d->findChild<QLineEdit*>("Parola")->hasFocus();
            d->findChild<QPushButton*>("Renunta")->click();
        });
        QString eroare;
        try {
            dm.Deschide(QStringLiteral("Tessaluna2006"), b.Dosar(), b.Dosar());
        } catch (const EEroare& e) {
            eroare = e.Mesaj();
        }
        QVERIFY2(motiv.startsWith("Pe acest calculator nu exista un depozit de parole"), qPrintable(motiv));
        QVERIFY(parolaCuFocus);
        QVERIFY2(eroare.contains("utilizatorul si parola nu au fost date"), qPrintable(eroare));
        QVERIFY(!dm.Db.Connected());

        // "Reconecteaza" runs the start-up that never happened, question included.
        TTessalunaMain w;
        TMesaje::Goleste();
        bool intrebat = false;
        LaUrmatorulModal([&](QDialog* d) {
            intrebat = true;
            d->findChild<QPushButton*>("Renunta")->click();
        });
        w.Registru->Reconecteaza->trigger();
        SeteazaNumeBazaServer({});
        SeteazaUtilizatorBazaServer({});
        SeteazaAfisareSpeciala({});
        QVERIFY(intrebat);
        QCOMPARE(TMesaje::UltimulTip(), TMesaje::Eroare);
        QVERIFY2(TMesaje::UltimulMesaj().contains("utilizatorul si parola nu au fost date"),
                 qPrintable(TMesaje::UltimulMesaj()));
    }

    // A connection that broke while a window was open: the message offers "Reconecteaza", which opens a new
    // connection; the window stays open with what was typed in it.
    void ReconectareaPastreazaFereastra()
    {
        TBazaTest b;
        b.Porneste();
        TTessalunaMain w;
        SeteazaAfisareSpeciala(OferaReconectarea);
        const QString inainte = b.Scalar("select current_connection as C from RDB$DATABASE");
        QDialog dialog(&w);
        auto* camp = new QLineEdit("Popescu Ştefan", &dialog);
        dialog.show();
        const EEroareBD pierduta(QStringLiteral("Legatura cu baza de date s-a intrerupt (serverul nu mai raspunde)"),
                                 EEroareBD::Conexiune);
        TMesaje::SetRaspunsUrmator(QMessageBox::Retry);
        RuleazaActiune(&dialog, [&] { throw pierduta; });
        QCOMPARE(TMesaje::MesajeAfisate().size(), 2);
        QCOMPARE(TMesaje::MesajeAfisate().first(), pierduta.Mesaj());
        QVERIFY(TMesaje::UltimulMesaj().startsWith("Legatura cu baza de date a fost refacuta"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(camp->text(), QString("Popescu Ştefan"));
        QVERIFY(b.Scalar("select current_connection as C from RDB$DATABASE") != inainte);

        // "Renunta" leaves the connection as it is; another error is shown as always.
        TMesaje::Goleste();
        RuleazaActiune(&dialog, [&] { throw pierduta; });
        QCOMPARE(TMesaje::UltimulTip(), TMesaje::Reconectare);
        RuleazaActiune(&dialog, [] { throw EEroareBD(QStringLiteral("alta"), EEroareBD::ConflictBlocare); });
        QCOMPARE(TMesaje::UltimulTip(), TMesaje::Eroare);
        SeteazaAfisareSpeciala({});
    }
};

QTEST_MAIN(TestRegistru)
#include "TestRegistru.moc"
