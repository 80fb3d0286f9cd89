#include "platform/URegistru.h"
#include "platform/UScriereSigura.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const QString kCheie = QStringLiteral("Software\\Zorvik SOFT\\Pravelo\\2006\\Global");

QByteArray Continut(const QString& fisier)
{
    QFile f(fisier);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ScrieBrut(const QString& fisier, const QByteArray& octeti)
{
    QDir().mkpath(QFileInfo(fisier).absolutePath());
    QFile f(fisier);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(octeti);
}

ino_t Inod(const QString& fisier)
{
    struct stat st;
    return ::stat(QFile::encodeName(fisier).constData(), &st) == 0 ? st.st_ino : 0;
}
} // namespace

class TTestRegistru : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir* m_dosar = nullptr;
    QString m_fisier;
    QStringList m_mesaje;

    // Runs the second program on the same file; returns its standard output.
    QString Unealta(const QStringList& argumente, int* cod = nullptr)
    {
        QProcess p;
        p.start(QStringLiteral(REGISTRU_UNEALTA), QStringList{m_fisier} + argumente);
        p.waitForFinished(30000);
        if (cod)
            *cod = p.exitCode();
        return QString::fromUtf8(p.readAllStandardOutput());
    }

private slots:
    void init()
    {
        m_dosar = new QTemporaryDir;
        // Each test gets a file of its own: the store keeps one state per file for the whole process.
        m_fisier = m_dosar->path() + QStringLiteral("/tessaluna/HKCU.reg");
        m_mesaje.clear();
        SeteazaAvertizareRegistru([this](const QString& m) { m_mesaje << m; });
    }

    void cleanup()
    {
        SeteazaAvertizareRegistru(nullptr);
        delete m_dosar;
    }

    void valoareaCititaDeAltProgramEsteCeaScrisa_data()
    {
        QTest::addColumn<bool>("text");
        QTest::addColumn<QString>("valoare");
        QTest::addColumn<qint32>("numar");
        QTest::newRow("text simplu") << true << QStringLiteral("NOTA/LITERE") << 0;
        QTest::newRow("text gol") << true << QString() << 0;
        QTest::newRow("litere romanesti") << true << QStringLiteral("ŞAISPREZECET şţă ÂÎâî") << 0;
        QTest::newRow("ghilimele si backslash") << true << QStringLiteral("C:\\Temp\\\"x\"\\") << 0;
        QTest::newRow("rand nou si retur") << true << QStringLiteral("a\nb\r\nc") << 0;
        QTest::newRow("spatii la capete si egal") << true << QStringLiteral("  a=\"b\"  ") << 0;
        QTest::newRow("numar zero") << false << QString() << 0;
        QTest::newRow("numar 42") << false << QString() << 42;
        QTest::newRow("numar -1") << false << QString() << -1;
        QTest::newRow("cel mai mare") << false << QString() << std::numeric_limits<qint32>::max();
        QTest::newRow("cel mai mic") << false << QString() << std::numeric_limits<qint32>::min();
    }

    void valoareaCititaDeAltProgramEsteCeaScrisa()
    {
        QFETCH(bool, text);
        QFETCH(QString, valoare);
        QFETCH(qint32, numar);
        {
            TRegistru reg(m_fisier);
            QVERIFY(reg.DeschideCheie(kCheie, true));
            if (text)
                reg.ScrieText(QStringLiteral("Val\"oare"), valoare);
            else
                reg.ScrieIntreg(QStringLiteral("Val\"oare"), numar);
        }
        int cod = -1;
        const QString lista = Unealta({QStringLiteral("listeaza"), kCheie}, &cod);
        QCOMPARE(cod, 0);
        const QString asteptat =
            text ? QStringLiteral("Val\"oare=text:") + QString::fromLatin1(valoare.toUtf8().toPercentEncoding()) + '\n'
                 : QStringLiteral("Val\"oare=dword:%1\n").arg(numar);
        QCOMPARE(lista, asteptat);
    }

    void fisierulEsteRegedit4()
    {
        TRegistru reg(m_fisier);
        reg.DeschideCheie(kCheie, true);
        reg.ScrieText(QStringLiteral("NotaDiploma"), QStringLiteral("NOTA/LITERE"));
        reg.ScrieIntreg(QStringLiteral("Numar"), 42);
        reg.ScrieText(QString(), QStringLiteral("implicit"));
        reg.DeschideCheie(QStringLiteral("\\Software\\A\\"), true);
        reg.ScrieIntreg(QStringLiteral("Minus"), -2);
        QCOMPARE(QString::fromUtf8(Continut(m_fisier)),
                 QStringLiteral("REGEDIT4\n\n"
                                "[HKEY_CURRENT_USER\\Software\\A]\n"
                                "\"Minus\"=dword:fffffffe\n\n"
                                "[HKEY_CURRENT_USER\\Software\\Zorvik SOFT\\Pravelo\\2006\\Global]\n"
                                "\"NotaDiploma\"=\"NOTA/LITERE\"\n"
                                "\"Numar\"=dword:0000002a\n"
                                "@=\"implicit\"\n\n"));
        // Neither the temporary file of the atomic write nor the lock file stays behind.
        QCOMPARE(QDir(QFileInfo(m_fisier).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("HKCU.reg")});
        QVERIFY(m_mesaje.isEmpty());
    }

    void cheileSiNumeleNuTinSeamaDeMajuscule()
    {
        TRegistru reg(m_fisier);
        reg.DeschideCheie(kCheie, true);
        reg.ScrieText(QStringLiteral("NotaDiploma"), QStringLiteral("NOTA"));
        reg.ScrieText(QStringLiteral("MedieCotor"), QStringLiteral("NOTA"));

        TRegistru altul(m_fisier);
        QVERIFY(altul.DeschideCheie(QStringLiteral("SOFTWARE\\zorvik soft\\PRAVELO\\2006\\gLOBAL"), false));
        QCOMPARE(altul.CheieCurenta(), kCheie);
        QCOMPARE(altul.CitesteText(QStringLiteral("notadiploma")), QStringLiteral("NOTA"));
        altul.ScrieText(QStringLiteral("NOTADIPLOMA"), QStringLiteral("NOTA(PROCENT)"));
        // One value, under the name it was first written with, at its first place.
        QCOMPARE(reg.NumeValori(), (QStringList{QStringLiteral("NotaDiploma"), QStringLiteral("MedieCotor")}));
        QCOMPARE(reg.CitesteText(QStringLiteral("NotaDiploma")), QStringLiteral("NOTA(PROCENT)"));
        QVERIFY(reg.ExistaCheie(QStringLiteral("software\\ZORVIK SOFT")));
        QVERIFY(!reg.ExistaCheie(QStringLiteral("Software\\Zorvik")));
    }

    void cheieLipsaNuSeCreeazaLaCerere()
    {
        TRegistru reg(m_fisier);
        QVERIFY(!reg.DeschideCheie(kCheie, false));
        QVERIFY(!QFileInfo::exists(m_fisier));
        QVERIFY(!reg.ExistaValoare(QStringLiteral("NotaDiploma")));
        QVERIFY_THROWS_EXCEPTION(ERegistru, reg.ScrieText(QStringLiteral("x"), QStringLiteral("y")));
        QVERIFY(reg.DeschideCheie(kCheie, true));
        QVERIFY(QFileInfo::exists(m_fisier));
        QVERIFY(reg.NumeValori().isEmpty());
        QVERIFY_THROWS_EXCEPTION(ERegistru, reg.DeschideCheie(QStringLiteral("Software\\\\Gol"), true));
    }

    void citireaDeAltTipEsueazaClar_data()
    {
        QTest::addColumn<bool>("scrieText");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("text citit ca numar")
            << true
            << QStringLiteral("Valoarea de registru \"Nota\" din cheia \"HKEY_CURRENT_USER\\%1\" este un "
                              "text, nu un numar intreg.")
                   .arg(kCheie);
        QTest::newRow("numar citit ca text")
            << false
            << QStringLiteral("Valoarea de registru \"Nota\" din cheia \"HKEY_CURRENT_USER\\%1\" este un "
                              "numar intreg, nu un text.")
                   .arg(kCheie);
    }

    void citireaDeAltTipEsueazaClar()
    {
        QFETCH(bool, scrieText);
        QFETCH(QString, mesaj);
        TRegistru reg(m_fisier);
        reg.DeschideCheie(kCheie, true);
        if (scrieText)
            reg.ScrieText(QStringLiteral("Nota"), QStringLiteral("9"));
        else
            reg.ScrieIntreg(QStringLiteral("Nota"), 9);
        try {
            if (scrieText)
                reg.CitesteIntreg(QStringLiteral("Nota"));
            else
                reg.CitesteText(QStringLiteral("Nota"));
            QFAIL("the read of the other type succeeded");
        } catch (const ERegistru& e) {
            QCOMPARE(e.Mesaj(), mesaj);
        }
        QVERIFY_THROWS_EXCEPTION(ERegistru, reg.CitesteText(QStringLiteral("Lipsa")));
    }

    void fisierDeterioratRamaneNeatinsPanaLaSalvareaUtilizatorului_data()
    {
        QTest::addColumn<QByteArray>("continut");
        QTest::addColumn<QString>("motiv");
        QTest::newRow("fara antet") << QByteArray("[HKEY_CURRENT_USER\\A]\n\"x\"=\"y\"\n")
                                    << QStringLiteral("linia 1: lipseste antetul REGEDIT4");
        QTest::newRow("linie necunoscuta")
            << QByteArray("REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\nx=y\n") << QStringLiteral("linia 4: linie necunoscuta");
        QTest::newRow("alt tip de valoare") << QByteArray("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:01,02\n")
                                            << QStringLiteral("linia 3: tip de valoare necunoscut");
        QTest::newRow("text neterminat") << QByteArray("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"abc\n")
                                         << QStringLiteral("linia 3: text scris gresit");
        QTest::newRow("backslash nedublat") << QByteArray("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"C:\\Temp\"\n")
                                            << QStringLiteral("linia 3: text scris gresit");
        QTest::newRow("dword prea lung") << QByteArray("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:123456789\n")
                                         << QStringLiteral("linia 3: numar dword scris gresit");
        QTest::newRow("alt stup") << QByteArray("REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n")
                                  << QStringLiteral("linia 2: cheia nu este sub HKEY_CURRENT_USER");
        QTest::newRow("valoare fara cheie")
            << QByteArray("REGEDIT4\n\"x\"=\"y\"\n") << QStringLiteral("linia 2: valoare in afara unei chei");
        QTest::newRow("nu este UTF-8") << QByteArray("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"\xaa\xba\"\n")
                                       << QStringLiteral("nu este un text UTF-8");
        QTest::newRow("dosar in locul fisierului")
            << QByteArray() << QStringLiteral("in locul fisierului este un dosar");
    }

    void fisierDeterioratRamaneNeatinsPanaLaSalvareaUtilizatorului()
    {
        QFETCH(QByteArray, continut);
        QFETCH(QString, motiv);
        const bool dosar = continut.isEmpty();
        if (dosar)
            QVERIFY(QDir().mkpath(m_fisier));
        else
            ScrieBrut(m_fisier, continut);

        TRegistru reg(m_fisier);
        QVERIFY(!reg.DeschideCheie(QStringLiteral("A"), false));
        QCOMPARE(m_mesaje.size(), 1);
        QVERIFY2(m_mesaje[0].contains(motiv), qPrintable(m_mesaje[0]));
        QVERIFY(m_mesaje[0].contains(QStringLiteral("setarile implicite")));

        // Writes that are not the user's own save stay in memory: the program goes on with them.
        QVERIFY(reg.DeschideCheie(kCheie, true));
        reg.ScrieText(QStringLiteral("NotaDiploma"), QStringLiteral("NOTA"));
        QCOMPARE(TRegistru(m_fisier).DeschideCheie(kCheie, false), true);
        QCOMPARE(reg.CitesteText(QStringLiteral("NotaDiploma")), QStringLiteral("NOTA"));
        QCOMPARE(QFileInfo(m_fisier).isDir(), dosar);
        if (!dosar)
            QCOMPARE(Continut(m_fisier), continut);
        QCOMPARE(m_mesaje.size(), 1);

        reg.SetSalvareUtilizator(true);
        reg.ScrieText(QStringLiteral("NotaCotor"), QStringLiteral("NOTA/PROCENT"));
        QVERIFY(!reg.Deteriorat());
        const QStringList rezerve =
            QDir(QFileInfo(m_fisier).absolutePath())
                .entryList({QStringLiteral("HKCU.deteriorat-*.reg")}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(rezerve.size(), 1);
        const QString rezerva = QFileInfo(m_fisier).absolutePath() + '/' + rezerve[0];
        QCOMPARE(QFileInfo(rezerva).isDir(), dosar);
        if (!dosar)
            QCOMPARE(Continut(rezerva), continut);
        QCOMPARE(m_mesaje.size(), 2);
        QVERIFY(m_mesaje[1].contains(rezerve[0]));
        QCOMPARE(Unealta({QStringLiteral("listeaza"), kCheie}),
                 QStringLiteral("NotaDiploma=text:NOTA\nNotaCotor=text:NOTA%2FPROCENT\n"));
    }

    void valoareDeTipGresitMarcheazaFisierulDeteriorat()
    {
        ScrieBrut(m_fisier, "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"Nota\"=dword:00000001\n\"B\"=\"b\"\n");
        const QByteArray original = Continut(m_fisier);
        TRegistru reg(m_fisier);
        QVERIFY(reg.DeschideCheie(QStringLiteral("A"), false));
        QVERIFY_THROWS_EXCEPTION(ERegistru, reg.CitesteText(QStringLiteral("Nota")));
        reg.MarcheazaDeteriorat(QStringLiteral("valoarea \"Nota\" nu este un text"));
        reg.MarcheazaDeteriorat(QStringLiteral("valoarea \"Nota\" nu este un text"));
        QCOMPARE(m_mesaje.size(), 1);
        reg.ScrieText(QStringLiteral("Nota"), QStringLiteral("9"));
        QCOMPARE(Continut(m_fisier), original);
        QCOMPARE(reg.CitesteText(QStringLiteral("B")), QStringLiteral("b"));

        reg.SetSalvareUtilizator(true);
        reg.ScrieText(QStringLiteral("Nota"), QStringLiteral("9"));
        QCOMPARE(Unealta({QStringLiteral("listeaza"), QStringLiteral("A")}), QStringLiteral("Nota=text:9\nB=text:b\n"));
    }

    void cheiaCareNuPoateFiCreataDaUnMesajClar()
    {
        // The program's folder is taken by a file: nothing can be created inside it.
        ScrieBrut(QFileInfo(m_fisier).absolutePath(), "x");
        TRegistru reg(m_fisier);
        try {
            reg.DeschideCheie(kCheie, true);
            QFAIL("the key was reported as created");
        } catch (const ERegistru& e) {
            QVERIFY2(e.Mesaj().startsWith(
                         QStringLiteral("Nu pot crea cheia de registru \"HKEY_CURRENT_USER\\%1\"").arg(kCheie)),
                     qPrintable(e.Mesaj()));
            QVERIFY2(
                e.Mesaj().contains(
                    QStringLiteral("in locul dosarului \"%1\" este un fisier").arg(QFileInfo(m_fisier).absolutePath())),
                qPrintable(e.Mesaj()));
        }
        QVERIFY(!reg.DeschideCheie(kCheie, false));
    }

    void discPlinLasaFisierulNeatinsSiSpuneDeCe_data()
    {
        QTest::addColumn<int>("limita");
        // Room for the lock file, not for the settings; then not even for the lock file.
        QTest::newRow("fisierul nu incape") << 300;
        QTest::newRow("blocarea nu incape") << 0;
    }

    void discPlinLasaFisierulNeatinsSiSpuneDeCe()
    {
        QFETCH(int, limita);
        {
            TRegistru reg(m_fisier);
            reg.DeschideCheie(kCheie, true);
            for (int i = 0; i < 40; ++i)
                reg.ScrieText(QStringLiteral("Valoare%1").arg(i), QStringLiteral("text %1").arg(i));
        }
        const QByteArray inainte = Continut(m_fisier);
        QVERIFY(inainte.size() > 600);

        QProcess p;
        QProcessEnvironment mediu = QProcessEnvironment::systemEnvironment();
        mediu.insert(QStringLiteral("LIMITA_FISIER"), QString::number(limita));
        p.setProcessEnvironment(mediu);
        p.start(QStringLiteral(REGISTRU_UNEALTA),
                {m_fisier, QStringLiteral("text"), kCheie, QStringLiteral("Valoare0"), QString(400, u'x')});
        QVERIFY(p.waitForFinished(30000));
        const QString eroare = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(eroare.contains(QStringLiteral("fisierul ar depasi marimea maxima permisa de sistem")),
                 qPrintable(eroare));
        QCOMPARE(Continut(m_fisier), inainte);
        const QStringList ramase = QDir(QFileInfo(m_fisier).absolutePath()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(ramase, QStringList{QStringLiteral("HKCU.reg")});
    }

    void cheieCuFoarteMulteValoriSeIncarcaRepede()
    {
        // A damaged or hostile file: one key with 200,000 values, one name repeated in another case.
        QByteArray text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + kCheie.toUtf8() + "]\n";
        for (int i = 0; i < 200000; ++i)
            text += "\"V" + QByteArray::number(i) + "\"=dword:" + QByteArray::number(i % 256, 16) + "\n";
        text += "\"v123456\"=\"ultima\"\n";
        ScrieBrut(m_fisier, text);

        QElapsedTimer ceas;
        ceas.start();
        TRegistru reg(m_fisier);
        QVERIFY(reg.DeschideCheie(kCheie, false));
        const QStringList nume = reg.NumeValori();
        QCOMPARE(nume.size(), 200000);
        QCOMPARE(nume.at(123456), QStringLiteral("V123456"));
        QCOMPARE(reg.CitesteText(QStringLiteral("V123456")), QStringLiteral("ultima"));
        QCOMPARE(reg.CitesteIntreg(QStringLiteral("v199999")), 199999 % 256);
        reg.ScrieIntreg(QStringLiteral("v7"), -1);
        QVERIFY(reg.StergeValoare(QStringLiteral("V5")));
        QCOMPARE(reg.CitesteIntreg(QStringLiteral("V7")), -1);
        QCOMPARE(reg.NumeValori().at(6), QStringLiteral("V7"));
        QVERIFY(!reg.ExistaValoare(QStringLiteral("v5")));
        // A look-up that walks the values makes this take minutes, past the test's own time limit; by name it is
        // well under a second. No wall-clock bound here: a busy machine must not fail it.
        qInfo("200.000 de valori: %lld ms", qint64(ceas.elapsed()));
    }

    void copiileTemporareRamaseSeStergLaPornire()
    {
        const QString dosar = QFileInfo(m_fisier).absolutePath();
        ScrieBrut(m_fisier, "REGEDIT4\n");
        // What a save killed between the temporary file's creation and its rename leaves (where the disk
        // cannot make unnamed files, QSaveFile names its copy after the file and six random letters).
        const QString ramasa = dosar + QStringLiteral("/HKCU.reg.QmZtWa");
        ScrieBrut(ramasa, "REGEDIT4\n\n[HKEY_CURRENT_USER]\n");
        QStringList ramase{QFileInfo(ramasa).fileName()};

        const QDateTime acum = QDateTime::currentDateTime();
        const QDateTime vechi = acum.addSecs(-3600);
        QStringList straine = {QStringLiteral("HKCU.reg.lock"),  QStringLiteral("HKCU.reg.deteriorat-20260101.reg"),
                               QStringLiteral("HKCU.reg.AbCdE"), QStringLiteral("HKCU.reg.AbCdEfG"),
                               QStringLiteral("alt.reg.AbCdEf"), QStringLiteral("HKCU.reg.Ab-dEf")};
        for (const QString& nume : std::as_const(straine))
            ScrieBrut(dosar + '/' + nume, "x");
        ScrieBrut(dosar + QStringLiteral("/HKCU.reg.Nou123"), "x");
        for (const QString& nume : straine + QStringList{ramase.first()}) {
            QFile f(dosar + '/' + nume);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(vechi, QFileDevice::FileModificationTime));
        }

        // Only the program's own temporary names, and only those older than the process that cleans up.
        QCOMPARE(StergeCopiiTemporare(m_fisier, acum.addSecs(-60)), 1);
        QVERIFY(!QFileInfo::exists(ramasa));
        QCOMPARE(Continut(m_fisier), QByteArray("REGEDIT4\n"));
        ramase = QDir(dosar).entryList(QDir::Files | QDir::Hidden);
        straine << QStringLiteral("HKCU.reg") << QStringLiteral("HKCU.reg.Nou123");
        std::sort(straine.begin(), straine.end());
        std::sort(ramase.begin(), ramase.end());
        QCOMPARE(ramase, straine);
        QVERIFY(PornireaProcesului() <= acum);
    }

    void copiaInFisierNouEsteIntreagaSauLipseste()
    {
        const QString dosar = m_dosar->path();
        const QString sursa = dosar + QStringLiteral("/sablon.bin");
        const QString tinta = dosar + QStringLiteral("/copie.bin");
        QByteArray continut(300000, 'a');
        for (int i = 0; i < continut.size(); ++i)
            continut[i] = char(i * 7);
        ScrieBrut(sursa, continut);

        // A disk that fills up half-way: no cut copy is left behind, and the cause is named.
        int canal[2];
        QCOMPARE(::pipe(canal), 0);
        const pid_t copil = fork();
        if (copil == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limita{};
            getrlimit(RLIMIT_FSIZE, &limita);
            limita.rlim_cur = 100000;
            setrlimit(RLIMIT_FSIZE, &limita);
            QString motiv;
            const bool facut = CopiazaInFisierNou(sursa, tinta, motiv);
            const QByteArray text = motiv.toUtf8();
            // The parent reads the reason; one that could not be sent ends the child with a code of its own.
            if (::write(canal[1], text.constData(), size_t(text.size())) != text.size())
                _exit(2);
            _exit(facut ? 0 : 1);
        }
        ::close(canal[1]);
        QByteArray mesaj;
        char bloc[256];
        for (ssize_t n; (n = ::read(canal[0], bloc, sizeof bloc)) > 0;)
            mesaj.append(bloc, n);
        ::close(canal[0]);
        int stare = 0;
        QCOMPARE(waitpid(copil, &stare, 0), copil);
        QCOMPARE(WEXITSTATUS(stare), 1);
        QVERIFY2(mesaj.contains("fisierul ar depasi marimea maxima permisa de sistem"), mesaj.constData());
        QCOMPARE(QDir(dosar).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("sablon.bin")});

        QString motiv;
        QVERIFY2(CopiazaInFisierNou(sursa, tinta, motiv), qPrintable(motiv));
        QCOMPARE(Continut(tinta), continut);
        // An existing file is never replaced.
        ScrieBrut(sursa, "alt sablon");
        QVERIFY(!CopiazaInFisierNou(sursa, tinta, motiv));
        QVERIFY2(motiv.contains(QStringLiteral("exista deja")), qPrintable(motiv));
        QCOMPARE(Continut(tinta), continut);
    }

    void altaCopieAProgramuluiVedeAceleasiValori()
    {
        TRegistru reg(m_fisier);
        reg.DeschideCheie(kCheie, true);
        reg.ScrieText(QStringLiteral("NotaDiploma"), QStringLiteral("NOTA"));
        QCOMPARE(reg.CitesteText(QStringLiteral("NotaDiploma")), QStringLiteral("NOTA"));
        // Same length, written right after: a cache that trusts size or a coarse time would miss it.
        Unealta({QStringLiteral("text"), kCheie.toUpper(), QStringLiteral("NOTADIPLOMA"), QStringLiteral("ATON")});
        QCOMPARE(reg.CitesteText(QStringLiteral("NotaDiploma")), QStringLiteral("ATON"));

        // Writers in three processes at once lose nothing of each other.
        QProcess a, b;
        a.start(QStringLiteral(REGISTRU_UNEALTA),
                {m_fisier, QStringLiteral("multe"), kCheie, QStringLiteral("A"), QStringLiteral("40")});
        b.start(QStringLiteral(REGISTRU_UNEALTA),
                {m_fisier, QStringLiteral("multe"), kCheie, QStringLiteral("B"), QStringLiteral("40")});
        for (int i = 0; i < 40; ++i)
            reg.ScrieIntreg(QStringLiteral("C%1").arg(i), i);
        QVERIFY(a.waitForFinished(60000));
        QVERIFY(b.waitForFinished(60000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        const QStringList nume = reg.NumeValori();
        QCOMPARE(nume.size(), 121);
        for (const QString& prefix : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}) {
            for (int i = 0; i < 40; ++i)
                QCOMPARE(reg.CitesteIntreg(prefix + QString::number(i)), i);
        }
    }

    void scriereaFaraSchimbareNuRescrieFisierul()
    {
        TRegistru reg(m_fisier);
        reg.DeschideCheie(kCheie, true);
        reg.ScrieValori({TValoareRegistru::Text(QStringLiteral("A"), QStringLiteral("a")),
                         TValoareRegistru::Intreg(QStringLiteral("B"), 1)});
        const ino_t inainte = Inod(m_fisier);
        reg.ScrieValori({TValoareRegistru::Text(QStringLiteral("a"), QStringLiteral("a")),
                         TValoareRegistru::Intreg(QStringLiteral("b"), 1)});
        QCOMPARE(Inod(m_fisier), inainte);
        // The same text as a number is a change.
        reg.ScrieValori({TValoareRegistru::Intreg(QStringLiteral("A"), 0)});
        QVERIFY(Inod(m_fisier) != inainte);
        QCOMPARE(reg.TipValoare(QStringLiteral("A")), TTipValoareRegistru::Intreg);
    }
};

QTEST_GUILESS_MAIN(TTestRegistru)
#include "tst_registru.moc"
