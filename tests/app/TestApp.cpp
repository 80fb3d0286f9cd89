#include "app/TAplicatie.h"
#include "app/TCEVersionInfo.h"
#include "app/UFontCertificat.h"
#include "app/TTessalunaMain.h"
#include "entry/UListaElevi.h"
#include "app/USplash.h"
#include "app/UInstantaUnica.h"
#include "entry/UListaGenerica.h"
#include "platform/UCodePage.h"
#include "platform/UFoldere.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "testsupport/UBazaTest.h"
#include "testsupport/UModal.h"

#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeWidget>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QAbstractButton>
#include <QFileDialog>
#include <QScopeGuard>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TMesaje::SetFaraFerestre(true); }
    void versiune_data();
    void versiune();
    void centrare_data();
    void centrare();
    void fereastraPrincipala_data();
    void fereastraPrincipala();
    void meniulConfigurare();
    void formatNoteDeschideEditorul();
    void configurareaDeschideFerestrele();
    void splashSeInchideLaAl51leaTic();
    void lucrulPorniriiInTimpulSplashului();
    void splashulRamanePanaLaSfarsitulLucrului();
    void avertismentulDeLimba();
    void codePage_data();
    void codePage();
    void foldereleProgramului_data();
    void foldereleProgramului();
    void mesajeSiDialoguriInRomana();
    void aDouaCopieAduceFereastraPrimei();
    void iconitaLaFiecareMarime();
    void fontulCertificatului();
    void blocareaMotoruluiLangaRegistru();
    void dialogulInchisRedaTastatura();
};

void TestApp::versiune_data()
{
    QTest::addColumn<QString>("fileVersion");
    QTest::addColumn<QStringList>("parti");
    QTest::addColumn<QString>("text");
    const QString n = TCEVersionInfo::FaraInformatie;
    QTest::newRow("patru parti") << "1.2.3.4" << QStringList{"1", "2", "3", "4"} << "1.2.3.4";
    QTest::newRow("doua parti") << "1.2" << QStringList{"1", "", "", "2"} << "1...2";
    QTest::newRow("trei parti") << "1.2.3" << QStringList{"1", "2", "", "3"} << "1.2..3";
    QTest::newRow("cinci parti") << "1.2.3.4.5" << QStringList{"1", "2", "3", "4.5"} << "1.2.3.4.5";
    QTest::newRow("virgule") << "6,0,2,17" << QStringList{"6", "0", "2", "17"} << "6.0.2.17";
    QTest::newRow("punctul are prioritate") << "1,2.3" << QStringList{"1,2", "", "", "3"} << "1,2...3";
    QTest::newRow("fara separator") << "12" << QStringList{n, n, n, n} << n + "." + n + "." + n + "." + n;
    QTest::newRow("fara informatie") << "" << QStringList{n, n, n, n} << n + "." + n + "." + n + "." + n;
}

void TestApp::versiune()
{
    QFETCH(QString, fileVersion);
    QFETCH(QStringList, parti);
    QFETCH(QString, text);
    const TCEVersionInfo v(fileVersion);
    QCOMPARE(QStringList({v.MajorVersion, v.MinorVersion, v.Release, v.Build}), parti);
    QCOMPARE(v.TextVersiune(), text);
}

void TestApp::centrare_data()
{
    QTest::addColumn<QRect>("zona");
    QTest::addColumn<QSize>("fereastra");
    QTest::addColumn<QPoint>("asteptat");
    QTest::newRow("centrata") << QRect(0, 0, 1280, 984) << QSize(480, 248) << QPoint(400, 368);
    QTest::newRow("rest impar trunchiat") << QRect(0, 0, 1001, 801) << QSize(100, 100) << QPoint(450, 350);
    QTest::newRow("monitor secundar") << QRect(1920, 40, 1600, 1160) << QSize(869, 623) << QPoint(2285, 308);
    QTest::newRow("mai mare decat zona") << QRect(100, 30, 800, 600) << QSize(1000, 700) << QPoint(100, 30);
    QTest::newRow("mai lata doar") << QRect(0, 0, 800, 600) << QSize(1001, 200) << QPoint(0, 200);
    QTest::newRow("zona la coordonate negative")
        << QRect(-1280, -100, 1280, 1024) << QSize(279, 23) << QPoint(-780, 400);
}

void TestApp::centrare()
{
    QFETCH(QRect, zona);
    QFETCH(QSize, fereastra);
    QFETCH(QPoint, asteptat);
    QCOMPARE(PozitieCentrata(zona, fereastra), asteptat);
}

void TestApp::fereastraPrincipala_data()
{
    QTest::addColumn<QRect>("ecran");
    QTest::addColumn<QRect>("zona");
    QTest::addColumn<QRect>("geometrie");
    QTest::addColumn<bool>("maximizata");
    const QSize p(869, 623);
    QTest::newRow("1200 pastreaza marimea")
        << QRect(0, 0, 1920, 1200) << QRect(0, 0, 1920, 1160) << QRect(QPoint(0, 0), p) << false;
    QTest::newRow("1199 maximizata") << QRect(0, 0, 1920, 1199) << QRect(0, 0, 1920, 1159) << QRect(15, 15, 1890, 1129)
                                     << true;
    QTest::newRow("monitor secundar mic")
        << QRect(1920, 0, 1024, 768) << QRect(1920, 30, 1024, 738) << QRect(1935, 45, 994, 708) << true;
}

void TestApp::fereastraPrincipala()
{
    QFETCH(QRect, ecran);
    QFETCH(QRect, zona);
    QFETCH(QRect, geometrie);
    QFETCH(bool, maximizata);
    const TPlasareFereastra r = PlaseazaFereastraPrincipala(ecran, zona, QSize(869, 623));
    QCOMPARE(r.Geometrie, geometrie);
    QCOMPARE(r.Maximizata, maximizata);
}

void TestApp::meniulConfigurare()
{
    TTessalunaMain w;
    QCOMPARE(w.windowTitle(), QString("Tessaluna"));
    // The status bar counts the students shown and loaded.
    auto* numar = w.findChild<QLabel*>("NumarElevi");
    QVERIFY(numar);
    w.ListaElevi->Filtreaza();
    QCOMPARE(numar->text(), QString("Elevi afisati: 0 din 0"));
    const QList<QAction*> meniuri = w.menuBar()->actions();
    QCOMPARE(meniuri.size(), 3);
    // Shown without the ampersand, which marks the key that opens the menu with Alt.
    QCOMPARE(meniuri.last()->text(), QString("&Registru"));
    QCOMPARE(meniuri[1]->text(), QString("&Formulare"));
    QCOMPARE(meniuri[1]->menu()->actions().value(0), w.LoturiFormulare);
    QCOMPARE(w.LoturiFormulare->text(), QString("Loturi de formulare"));
    QCOMPARE(meniuri.first()->text(), QString("&Configurare"));
    QCOMPARE(QKeySequence::mnemonic(meniuri.first()->text()), QKeySequence(Qt::ALT | Qt::Key_C));
    QCOMPARE(QKeySequence::mnemonic(meniuri[1]->text()), QKeySequence(Qt::ALT | Qt::Key_F));
    QCOMPARE(QKeySequence::mnemonic(meniuri.last()->text()), QKeySequence(Qt::ALT | Qt::Key_R));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F10);
    QTRY_VERIFY(meniuri.first()->menu()->isVisible());
    meniuri.first()->menu()->close();
    QStringList elemente;
    for (QAction* a : meniuri.first()->menu()->actions())
        elemente << (a->isSeparator() ? QString("-") : a->text());
    QCOMPARE(elemente, QStringList({"Configurare imprimanta", "Calibrare imprimanta", "Format note", "-",
                                    "Configurare sablon diploma", "Configurare scoala", "-", "Import din Excel"}));
}

void TestApp::formatNoteDeschideEditorul()
{
    TTessalunaMain w;
    QString titlu;
    LaUrmatorulModal([&](QDialog* d) { titlu = d->windowTitle(); });
    w.FormatNote->trigger();
    QCOMPARE(titlu, QString("Editor informatii globale"));
    // A fresh editor each time: none stays behind.
    QCOMPARE(w.findChildren<QDialog*>().size(), 0);
}

void TestApp::configurareaDeschideFerestrele()
{
    TBazaTest b;
    b.Porneste();
    b.Executa("insert into SCOALA (ID_SCOALA) values (1)");
    b.ScrieValoare("SCOALA", 1, "C_UNITATEA_L1", "Liceul");
    TTessalunaMain w;
    QString titlu;
    QStringList randuri;
    LaUrmatorulModal([&](QDialog* d) {
        titlu = d->windowTitle();
        auto* l = qobject_cast<TListaGenerica*>(d);
        QVERIFY(l);
        QCOMPARE(l->Tabel, QString("SCOALA"));
        for (int i = 0; i < l->Lista->topLevelItemCount(); ++i)
            randuri << l->Lista->topLevelItem(i)->text(0);
    });
    w.ConfigurareScoala->trigger();
    QCOMPARE(titlu, QString("Configurare scoala"));
    QCOMPARE(randuri, QStringList{"Liceul  / Liceul "});

    int linii = 0;
    LaUrmatorulModal([&](QDialog* d) {
        titlu = d->windowTitle();
        linii = d->findChild<QTableWidget*>("Lista")->rowCount();
    });
    w.ConfigurareSablonDiploma->trigger();
    QCOMPARE(titlu, QString("Configurare Diploma"));
    QCOMPARE(linii, 30);
    QCOMPARE(w.findChildren<QDialog*>().size(), 0);
    QVERIFY(!b.Dm().Tr.InTransaction());
}

void TestApp::splashSeInchideLaAl51leaTic()
{
    TSplashForm s;
    QCOMPARE(s.size(), QSize(480, 248));
    s.SetText("Tessaluna - " + TCEVersionInfo("1.2").TextVersiune());
    QCOMPARE(s.Text(), QString("Tessaluna - 1...2"));
    s.show();
    for (int i = 0; i < 50; ++i)
        s.Tick();
    QVERIFY(s.isVisible());
    s.Tick();
    QVERIFY(!s.isVisible());
    QCOMPARE(s.result(), int(QDialog::Accepted));
    QCOMPARE(s.Tag(), 51);
}

// The start-up's work runs beside the start screen, off this thread; what it asks of this thread is answered while
// the screen shows, the screen keeps its ticks, and its error reaches the caller.
void TestApp::lucrulPorniriiInTimpulSplashului()
{
    qputenv("LC_ALL", "C.UTF-8");
    QElapsedTimer ceas;
    ceas.start();
    QThread* firLucru = nullptr;
    bool raspuns = false;
    qint64 sfarsitLucru = -1;
    try {
        AfiseazaSplash(QStringLiteral("Tessaluna"), [&] {
            firLucru = QThread::currentThread();
            QMetaObject::invokeMethod(
                qApp, [&] { raspuns = true; }, Qt::BlockingQueuedConnection);
            sfarsitLucru = ceas.elapsed();
            throw EEroare(QStringLiteral("pornire esuata"));
        });
        QFAIL("the work's error was lost");
    } catch (const EEroare& e) {
        QCOMPARE(e.Mesaj(), QString("pornire esuata"));
    }
    QVERIFY(firLucru && firLucru != QThread::currentThread());
    QVERIFY(raspuns);
    QVERIFY2(sfarsitLucru >= 0 && sfarsitLucru < 4000, qPrintable(QString::number(sfarsitLucru)));
    QVERIFY2(ceas.elapsed() >= 5000, qPrintable(QString::number(ceas.elapsed())));
}

// Work that outlasts the ticks keeps the start screen up: the user never faces an empty screen before the window.
void TestApp::splashulRamanePanaLaSfarsitulLucrului()
{
    bool vizibilDupaTicuri = false;
    AfiseazaSplash(QStringLiteral("Tessaluna"), [&] {
        for (bool ticuriGata = false; !ticuriGata; QThread::msleep(20)) {
            QMetaObject::invokeMethod(
                qApp,
                [&] {
                    for (QWidget* w : QApplication::topLevelWidgets()) {
                        auto* splash = qobject_cast<TSplashForm*>(w);
                        if (splash && splash->Tag() > 50) {
                            ticuriGata = true;
                            vizibilDupaTicuri = splash->isVisible();
                        }
                    }
                },
                Qt::BlockingQueuedConnection);
        }
    });
    QVERIFY(vizibilDupaTicuri);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<TSplashForm*>(w) || !w->isVisible());
}

void TestApp::avertismentulDeLimba()
{
    TErrCodePage d;
    QCOMPARE(d.windowTitle(), QString("Eroare de limba implicita"));
    QVERIFY(!(d.windowFlags() & Qt::WindowCloseButtonHint));
    QStringList texte;
    for (QLabel* l : d.findChildren<QLabel*>())
        texte << l->text();
    QCOMPARE(texte.first(), QString("Am identificat o problema"));
    QVERIFY(texte.contains("Instructiuni pentru Windows XP"));
    QVERIFY(texte.contains("(1)") && texte.contains("(2)"));
    QVERIFY(texte.contains("Apoi mergeti in tabul \"Advanced\" si alegeti limba implicita limba Romana."));
    auto* ok = d.findChild<QPushButton*>("Ok");
    QVERIFY(ok && d.findChild<QPushButton*>("DeschidePagina"));
    d.show();
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

void TestApp::codePage_data()
{
    QTest::addColumn<QString>("codeset");
    QTest::addColumn<bool>("romana");
    QTest::newRow("UTF-8") << "UTF-8" << true;
    QTest::newRow("ISO-8859-2") << "ISO-8859-2" << true;
    QTest::newRow("CP1250") << "CP1250" << true;
    QTest::newRow("ASCII") << "ANSI_X3.4-1968" << false;
    QTest::newRow("Latin-1") << "ISO-8859-1" << false;
    QTest::newRow("gol") << "" << false;
}

void TestApp::codePage()
{
    QFETCH(QString, codeset);
    QFETCH(bool, romana);
    QCOMPARE(CodePagePentruCodeset(codeset.toLatin1().constData()) == 1250, romana);
}

// Layouts of the program's files under a temporary prefix: `sablon` lists where BLANK.FDB is ("bin", "share").
void TestApp::foldereleProgramului_data()
{
    QTest::addColumn<QStringList>("sablon");
    QTest::addColumn<QString>("dosarSablon");
    QTest::addColumn<bool>("dateleUtilizatorului");
    QTest::newRow("dosarul de compilare") << QStringList{"bin"} << "bin" << false;
    QTest::newRow("program instalat, dosar inscriptibil") << QStringList{"share"} << "share/tessaluna" << true;
    QTest::newRow("sablonul de langa program are prioritate") << QStringList{"bin", "share"} << "bin" << false;
    QTest::newRow("niciun sablon") << QStringList{} << "bin" << false;
}

void TestApp::foldereleProgramului()
{
    QFETCH(QStringList, sablon);
    QFETCH(QString, dosarSablon);
    QFETCH(bool, dateleUtilizatorului);
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath("bin") && QDir(prefix.path()).mkpath("share/tessaluna"));
    for (const QString& unde : sablon) {
        QFile f(prefix.filePath(unde == "bin" ? "bin/BLANK.FDB" : "share/tessaluna/BLANK.FDB"));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QString bin = prefix.filePath("bin");
    QCOMPARE(DosarSablonPentru(bin), prefix.filePath(dosarSablon));
    // The temporary prefix is writable: only an installed program's layout sends the data elsewhere.
    QCOMPARE(DosarProgramPentru(bin),
             dateleUtilizatorului ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : bin);
    QCOMPARE(QDir(bin).entryList(QDir::Files), sablon.contains("bin") ? QStringList{"BLANK.FDB"} : QStringList{});
}

void TestApp::mesajeSiDialoguriInRomana()
{
    TMesaje::SetFaraFerestre(false);
    const auto inapoi = qScopeGuard([] { TMesaje::SetFaraFerestre(true); });
    QStringList butoane;
    QString titlu;
    LaUrmatorulModal([&](QDialog* d) {
        titlu = d->windowTitle();
        QAbstractButton* da = nullptr;
        for (QAbstractButton* b : d->findChildren<QAbstractButton*>()) {
            butoane << b->text().remove('&');
            if (b->text().remove('&') == "Da")
                da = b;
        }
        QVERIFY(da);
        da->click();
    });
    QVERIFY(TMesaje::Intreaba(nullptr, "Doriti sa stergeti elevul: "));
    butoane.sort();
    QCOMPARE(butoane, QStringList({"Da", "Nu"}));
    QCOMPARE(titlu, QCoreApplication::applicationName());

    QStringList etichete;
    LaUrmatorulModal([&](QDialog* d) {
        auto* f = qobject_cast<QFileDialog*>(d);
        QVERIFY(f);
        for (auto e : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType, QFileDialog::Accept,
                       QFileDialog::Reject})
            etichete << f->labelText(e);
        d->reject();
    });
    QCOMPARE(TMesaje::CereFisierDeScris(nullptr, "Salvati documentul PDF", QDir::tempPath() + "/a.pdf", "PDF (*.pdf)"),
             QString());
    QCOMPARE(etichete, QStringList({"Cauta in:", "Nume fisier:", "Tip fisier:", "Salveaza", "Renunt"}));

    etichete.clear();
    LaUrmatorulModal([&](QDialog* d) {
        auto* f = qobject_cast<QFileDialog*>(d);
        QVERIFY(f);
        QCOMPARE(f->fileMode(), QFileDialog::ExistingFile);
        for (auto e : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType, QFileDialog::Accept,
                       QFileDialog::Reject})
            etichete << f->labelText(e);
        d->reject();
    });
    QCOMPARE(TMesaje::CereFisierDeCitit(nullptr, "Alegeti foaia de calcul", QDir::tempPath(), "Foi (*.xls)"),
             QString());
    QCOMPARE(etichete, QStringList({"Cauta in:", "Nume fisier:", "Tip fisier:", "Deschide", "Renunt"}));
}

void TestApp::aDouaCopieAduceFereastraPrimei()
{
    QTemporaryDir dosar;
    const QString baza = dosar.filePath("DB/Tessaluna2006.FDB");
    QVERIFY(!TInstantaUnica::CereAfisarea(baza));
    QWidget fereastra;
    fereastra.showMinimized();
    auto* prima = new TInstantaUnica(&fereastra, baza);
    // Another register is another copy's business.
    QVERIFY(!TInstantaUnica::CereAfisarea(dosar.filePath("alta/Tessaluna2006.FDB")));
    QVERIFY(TInstantaUnica::CereAfisarea(baza));
    QTRY_COMPARE(prima->CereriPrimite(), 1);
    QVERIFY(!fereastra.isMinimized());
}

void TestApp::dialogulInchisRedaTastatura()
{
    RedaTastaturaLaInchidere();
    QWidget principala;
    principala.show();
    principala.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&principala));
    QDialog parinte(&principala);
    parinte.setWindowModality(Qt::ApplicationModal);
    parinte.show();
    parinte.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&parinte));
    QDialog copil(&parinte);
    copil.setWindowModality(Qt::ApplicationModal);
    copil.show();
    copil.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&copil));
    // A message closed over a dialog gives the keys back to that dialog, and the dialog to the main window.
    copil.hide();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&parinte));
    parinte.hide();
    QTRY_COMPARE(QApplication::activeWindow(), &principala);
}

QTEST_MAIN(TestApp)
#include "TestApp.moc"

void TestApp::iconitaLaFiecareMarime()
{
    const QIcon iconita = TAplicatie::Iconita();
    const QList<QSize> marimi = iconita.availableSizes();
    for (const int latura : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QVERIFY2(marimi.contains(QSize(latura, latura)), qPrintable(QString::number(latura)));
        // Rendered at build time, not scaled from another size: the resource holds this size's own picture.
        QCOMPARE(QImage(QStringLiteral(":/tessaluna/icoane/%1x%1/tessaluna.png").arg(latura)).size(),
                 QSize(latura, latura));
    }
}

void TestApp::fontulCertificatului()
{
    const QString avertisment = AvertismentFontCertificat();
    if (qEnvironmentVariableIsSet("TESSALUNA_FARA_ARIAL")) {
        // Run under a font configuration that holds only DejaVu: nothing has Arial's widths.
        QVERIFY2(avertisment.startsWith(QStringLiteral("Lipseste fontul Arial")) &&
                     avertisment.contains(QStringLiteral("numele lungi pot fi taiate")) &&
                     avertisment.contains(QStringLiteral("DejaVu")),
                 qPrintable(avertisment));
    } else {
        QCOMPARE(avertisment, QString());
    }
}

void TestApp::blocareaMotoruluiLangaRegistru()
{
    // Without a runtime folder the engine's lock folder goes into the register's own data folder.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), blocare = qgetenv("FIREBIRD_LOCK"),
                     dateUtilizator = qgetenv("XDG_DATA_HOME");
    const QString nume = QCoreApplication::applicationName();
    const auto refa = qScopeGuard([&] {
        qputenv("XDG_DATA_HOME", dateUtilizator);
        qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("FIREBIRD_LOCK", blocare);
        QCoreApplication::setApplicationName(nume);
    });
    QTemporaryDir date;
    qputenv("XDG_DATA_HOME", QFile::encodeName(date.path()));
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("FIREBIRD_LOCK");
    QCoreApplication::setApplicationName(QStringLiteral("Tessaluna"));
    PregatesteBlocareFirebird();
    QCOMPARE(qEnvironmentVariable("FIREBIRD_LOCK"), date.path() + QStringLiteral("/Tessaluna/firebird-lock"));
    QVERIFY(QFileInfo(date.path() + QStringLiteral("/Tessaluna/firebird-lock")).isDir());
    QCOMPARE(QDir(date.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("Tessaluna")});
}
