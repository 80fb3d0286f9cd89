#include "app/TDialogBazaDeDate.h"
#include "app/TMeniuRegistru.h"
#include "app/TTessalunaMain.h"
#include "app/UCopieBirou.h"
#include "app/UPornireFisiere.h"
#include "entry/UListaElevi.h"
#include "platform/UActiune.h"
#include "platform/UMesaje.h"
#include "platform/URegistru.h"
#include "print/UParticularizari.h"
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
#include <QProcess>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utime.h>

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

        // The desk's backup holds the settings too: there are some.
        TRegistru(FisierRegistruUtilizator()).DeschideCheie("Software\\Tessaluna\\Test", true);
        const QByteArray setari = [] {
            QFile f(FisierRegistruUtilizator());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const QString fbk = b.Dosar() + "/copie";
        TMesaje::SetFisierUrmator(fbk);
        w.Registru->CopieDeSiguranta->trigger();
        QVERIFY2(QFileInfo(fbk + ".zip").size() > 0, qPrintable(TMesaje::UltimulMesaj()));
        QCOMPARE(TMesaje::UltimulTip(), TMesaje::Informatie);
        QVERIFY(EsteCopieBirou(fbk + ".zip"));
        // A name ending in .fbk: the register alone, in the engine's format.
        TMesaje::SetFisierUrmator(fbk + ".fbk");
        w.Registru->CopieDeSiguranta->trigger();
        QVERIFY(QFileInfo(fbk + ".fbk").size() > 0 && !EsteCopieBirou(fbk + ".fbk"));
        // A name the rotation of automatic copies would one day remove is refused.
        const QString automata = DosarCopii(b.CaleBaza()) + "/Tessaluna2006-automata-20261209-120000.fbk";
        TMesaje::SetFisierUrmator(automata);
        w.Registru->CopieDeSiguranta->trigger();
        QCOMPARE(TMesaje::UltimulTip(), TMesaje::Avertisment);
        QVERIFY(!QFileInfo::exists(automata));

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

        // "Da": the register is the backup's again, the list shows it, the replaced file is kept beside it. The
        // settings are asked about separately: "Nu" leaves this desk's as they are.
        TMesaje::SetFisierUrmator(fbk + ".zip");
        TMesaje::SetRaspunsUrmator(QMessageBox::Yes);
        TMesaje::SetRaspunsUrmator(QMessageBox::No);
        w.Registru->RestaurareDinCopie->trigger();
        QVERIFY2(TMesaje::MesajeAfisate().join("\n").contains("Copia contine si setarile"),
                 qPrintable(TMesaje::MesajeAfisate().join("\n")));
        QCOMPARE(
            [] {
                QFile f(FisierRegistruUtilizator());
                return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            }(),
            setari);
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

    void ResturileSeStergLaPornire()
    {
        TBazaTest b;
        b.Porneste();
        b.Inchide();
        QTemporaryDir tmp;
        const QByteArray tmpVechi = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        const auto reface = qScopeGuard([&tmpVechi] { qputenv("TMPDIR", tmpVechi); });

        // A process that has ended: what it named as its own is a leftover; what this running one names is not.
        QProcess mort;
        mort.start("true");
        QVERIFY(mort.waitForStarted());
        const qint64 pidMort = mort.processId();
        QVERIFY(mort.waitForFinished());
        const qint64 pidViu = QCoreApplication::applicationPid();
        const QString copii = DosarCopii(b.CaleBaza());
        const QString db = b.Dosar() + "/DB";
        QVERIFY(QDir().mkpath(copii));
        const auto fa = [](const QString& cale, const QDateTime& modificat = {}) {
            QVERIFY(QDir().mkpath(QFileInfo(cale).path()));
            QFile f(cale);
            QVERIFY(cale.endsWith('/') || f.open(QIODevice::WriteOnly));
            f.close();
            if (modificat.isValid()) {
                const struct utimbuf timp = {time_t(modificat.toSecsSinceEpoch()),
                                             time_t(modificat.toSecsSinceEpoch())};
                QCOMPARE(::utime(QFile::encodeName(cale).constData(), &timp), 0);
            }
        };
        const QDateTime oraTrecuta = QDateTime::currentDateTime().addSecs(-7200);
        const QStringList sterse = {
            copii + QStringLiteral("/Tessaluna2006-automata-20261209-120000.fbk.p%1.part").arg(pidMort),
            copii + "/Tessaluna2006-20261208-100000.fbk.part", // an earlier version's
            db + QStringLiteral("/Tessaluna2006-restaurata-20261209-120000-p%1.FDB").arg(pidMort),
            db + "/Tessaluna2006-restaurata-20261208-100000.FDB",
            tmp.path() + QStringLiteral("/tessaluna-calc-%1-AbC123/").arg(pidMort),
            tmp.path() + "/tessaluna-calc-XyZ789/"};
        const QStringList pastrate = {
            copii + QStringLiteral("/Tessaluna2006-automata-20261209-130000.fbk.p%1.part").arg(pidViu),
            copii + "/Tessaluna2006-20261209-130000.fbk",
            db + QStringLiteral("/Tessaluna2006-restaurata-20261209-130000-p%1.FDB").arg(pidViu),
            tmp.path() + QStringLiteral("/tessaluna-calc-%1-DeF456/").arg(pidViu),
            tmp.path() + "/tessaluna-calc-GhI012/", // an earlier version's, changed just now
            tmp.path() + "/alt-program/"};
        for (const QString& f : sterse)
            fa(f, oraTrecuta);
        for (const QString& f : pastrate)
            fa(f);
        fa(tmp.path() + QStringLiteral("/tessaluna-calc-%1-AbC123/profil/user/registrymodifications.xcu").arg(pidMort));

        // Calc's pipe of each reading, which Calc keeps in /tmp whatever the temporary folder.
        const auto teava = [](qint64 pid, const QString& dosar) {
            const QString cale = QStringLiteral("/tmp/OSL_PIPE_%1_tessaluna_%2_%3").arg(::getuid()).arg(pid).arg(dosar);
            const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un adresa{};
            adresa.sun_family = AF_UNIX;
            qstrncpy(adresa.sun_path, QFile::encodeName(cale).constData(), sizeof adresa.sun_path);
            ::unlink(adresa.sun_path);
            const bool legat = ::bind(s, reinterpret_cast<sockaddr*>(&adresa), sizeof adresa) == 0;
            ::close(s); // the socket's file stays, as after a killed Calc
            return legat ? cale : QString();
        };
        const QString teavaMoarta = teava(pidMort, QStringLiteral("tessaluna-calc-%1-AbC123").arg(pidMort));
        const QString teavaVie = teava(pidViu, QStringLiteral("tessaluna-calc-%1-DeF456").arg(pidViu));
        QVERIFY(!teavaMoarta.isEmpty() && !teavaVie.isEmpty());
        const auto stergeTeava = qScopeGuard([teavaVie] { QFile::remove(teavaVie); });

        QCOMPARE(IngrijesteFisiereleLaPornire(b.CaleBaza()), QStringList());
        QVERIFY(!QFileInfo::exists(teavaMoarta));
        QVERIFY(QFileInfo::exists(teavaVie));
        for (const QString& f : sterse)
            QVERIFY2(!QFileInfo::exists(f), qPrintable(f));
        for (const QString& f : pastrate)
            QVERIFY2(QFileInfo::exists(f), qPrintable(f));
        QVERIFY(QFileInfo::exists(b.CaleBaza()));
    }

    void RegistrulDeLangaProgramulProtejat()
    {
        // The program's folder holds a register with students; this start keeps its register in the user's folder.
        TBazaTest b;
        b.Porneste();
        for (int i = 0; i < 3; ++i)
            b.AdaugaElev({{"C_NUME_L1", QStringLiteral("Elev %1").arg(i)}});
        b.Inchide();
        const auto continut = [](const QString& cale) {
            QFile f(cale);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QByteArray original = continut(b.CaleBaza());
        QTemporaryDir utilizator;
        const QString copie = utilizator.path() + "/DB/Tessaluna2006.FDB";
        QCOMPARE(OferaRegistrulDeLangaProgram(b.Dosar(), b.Dosar(), "Tessaluna2006"), QString());

        TMesaje::SetRaspunsUrmator(QMessageBox::No);
        const QString nu = OferaRegistrulDeLangaProgram(b.Dosar(), utilizator.path(), "Tessaluna2006");
        QVERIFY2(TMesaje::MesajeAfisate().join('\n').contains(QDir::toNativeSeparators(b.CaleBaza())),
                 qPrintable(TMesaje::MesajeAfisate().join('\n')));
        QVERIFY(nu.contains(QDir::toNativeSeparators(b.CaleBaza())) && nu.contains(QDir::toNativeSeparators(copie)));
        QVERIFY(!QFileInfo::exists(copie));

        TMesaje::SetRaspunsUrmator(QMessageBox::Yes);
        const QString da = OferaRegistrulDeLangaProgram(b.Dosar(), utilizator.path(), "Tessaluna2006");
        QVERIFY2(da.contains("a fost copiat"), qPrintable(da));
        QCOMPARE(continut(copie), original);
        QCOMPARE(continut(b.CaleBaza()), original); // a copy, never a move
        QCOMPARE(QFile::permissions(copie) & (QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
        // The user's folder has its register now: nothing more is offered.
        QCOMPARE(OferaRegistrulDeLangaProgram(b.Dosar(), utilizator.path(), "Tessaluna2006"), QString());
    }

    void BirouRefacutDintrOCopie()
    {
        // The old desk: a register, the printer's settings and one area's correction.
        TBazaTest vechi;
        vechi.Porneste();
        vechi.AdaugaElev({{"C_NUME_L1", "Ana Ştefănescu"}, {"C_CNP", "6070101123456"}});
        vechi.AdaugaElev({{"C_NUME_L1", "Ion"}});
        const QString setariVechi = vechi.Dosar() + "/config/HKCU.reg";
        const QString corecturiVechi = vechi.Dosar() + "/licenta.lic";
        QDir().mkpath(vechi.Dosar() + "/config");
        {
            TRegistru reg(setariVechi);
            reg.DeschideCheie(TAllStuffReg::Cheie(), true);
            reg.ScrieText("all", "0,1,0,0,0,0,\"2,5\",0,0,0,PDF,0");
            TListaParticularizareTextArea corecturi(corecturiVechi);
            corecturi.Cauta("Tessaluna", "C_CNP", true);
        }
        const auto continut = [](const QString& cale) {
            QFile f(cale);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
        };
        const QString zip = vechi.Dosar() + "/birou.zip";
        {
            const mode_t masca = ::umask(022);
            FaCopieBirou(vechi.CaleBaza(), zip, setariVechi, corecturiVechi);
            ::umask(masca);
        }
        QCOMPARE(QDir(vechi.Dosar()).entryList({"birou.zip*"}, QDir::Files), QStringList{"birou.zip"});
        QCOMPARE(QFile::permissions(zip) & (QFile::ReadOther | QFile::WriteOther), QFile::Permissions());

        // The new desk: an empty register and an empty home.
        TBazaTest nou;
        nou.Porneste();
        QTemporaryDir acasa;
        const QString setari = acasa.path() + "/config/tessaluna/HKCU.reg";
        const QString corecturi = acasa.path() + "/licenta.lic";
        {
            const std::unique_ptr<TCopieCitita> copie = CitesteCopie(zip, nou.Dosar() + "/DB");
            QVERIFY(copie->AreSetari());
            const TVerificareCopie v = PregatesteRestaurarea(nou.Dm(), copie->Fbk, {}, zip);
            QCOMPARE(v.EleviInCopie, qint64(2));
            InlocuiesteCuRestaurata(nou.Dm(), v, QDateTime::currentDateTime());
            QCOMPARE(PuneLaLocSetarile(*copie, setari, corecturi, QDateTime::currentDateTime()), QStringList());
        }
        nou.Reporneste();
        QCOMPARE(nou.Scalar("select count(*) as C from ELEVI"), QStringLiteral("2"));
        QCOMPARE(nou.Scalar("select VALOARE_TEXT as C from \"DATE\" where COD_CAMP = 'C_CNP'"),
                 QStringLiteral("6070101123456"));
        QCOMPARE(continut(setari), continut(setariVechi));
        QCOMPARE(continut(corecturi), continut(corecturiVechi));
        TRegistru reg(setari);
        QVERIFY(reg.DeschideCheie(TAllStuffReg::Cheie(), false));
        QCOMPARE(reg.CitesteText("all"), QString("0,1,0,0,0,0,\"2,5\",0,0,0,PDF,0"));
        QCOMPARE(QFile::permissions(setari) & (QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
        // Nothing taken out of the archive stays behind.
        QCOMPARE(QDir(nou.Dosar() + "/DB").entryList({"*.part"}, QDir::Files), QStringList());

        // A backup of the engine's own format is the register alone; an archive cut short is refused whole.
        const QString fbk = vechi.Dosar() + "/vechi.fbk";
        FaCopieDeSiguranta(vechi.CaleBaza(), fbk);
        const std::unique_ptr<TCopieCitita> simpla = CitesteCopie(fbk, nou.Dosar() + "/DB");
        QCOMPARE(simpla->Fbk, fbk);
        QVERIFY(!simpla->AreSetari());
        QFile taiat(zip);
        QVERIFY(taiat.open(QIODevice::ReadWrite) && taiat.resize(taiat.size() - 1024));
        taiat.close();
        const QStringList inainte = QDir(nou.Dosar() + "/DB").entryList(QDir::Files);
        try {
            CitesteCopie(zip, nou.Dosar() + "/DB");
            QFAIL("an archive cut short was read");
        } catch (const EEroare& e) {
            // The archive library's own words only under "Detalii".
            QVERIFY2(e.Mesaj().startsWith("Fisierul") && e.Mesaj().contains("Registrul curent a ramas neatins"),
                     qPrintable(e.Mesaj()));
            QVERIFY2(!e.Detalii().isEmpty() && !e.Mesaj().contains(e.Detalii()),
                     qPrintable(e.Mesaj() + " | " + e.Detalii()));
        }
        QCOMPARE(QDir(nou.Dosar() + "/DB").entryList(QDir::Files), inainte);
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
            // What to do in Romanian; the engine's "Unable to complete network request" only under "Detalii".
            QVERIFY2(TMesaje::UltimulMesaj().contains("Serverul nu raspunde"), qPrintable(TMesaje::UltimulMesaj()));
            QVERIFY2(!TMesaje::UltimulMesaj().contains("network"), qPrintable(TMesaje::UltimulMesaj()));
            QVERIFY2(TMesaje::UltimeleDetalii().contains("network request"), qPrintable(TMesaje::UltimeleDetalii()));
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
        // A failed check must not leave the server's name for the next tests (and the next run).
        const auto curata = qScopeGuard([] {
            SeteazaNumeBazaServer({});
            SeteazaUtilizatorBazaServer({});
            SeteazaAfisareSpeciala({});
        });
        QString motiv;
        bool parolaCuFocus = false;
        LaUrmatorulModal([&](QDialog* d) {
            motiv = d->findChild<QLabel*>("Motiv")->text();
            // The window's own focus: whether the offscreen window is active yet does not matter.
            parolaCuFocus = d->focusWidget() == d->findChild<QLineEdit*>("Parola");
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

        // "Renunt" leaves the connection as it is; another error is shown as always.
        TMesaje::Goleste();
        TMesaje::SetRaspunsUrmator(QMessageBox::Cancel);
        RuleazaActiune(&dialog, [&] { throw pierduta; });
        QCOMPARE(TMesaje::UltimulTip(), TMesaje::Reconectare);
        RuleazaActiune(&dialog, [] { throw EEroareBD(QStringLiteral("alta"), EEroareBD::ConflictBlocare); });
        QCOMPARE(TMesaje::UltimulTip(), TMesaje::Eroare);
        SeteazaAfisareSpeciala({});
    }
};

QTEST_MAIN(TestRegistru)
#include "TestRegistru.moc"
