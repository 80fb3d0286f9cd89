#include "excel/FixtureCalc.h"
#include "excel/UCititorFoi.h"
#include "platform/UEroare.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QThread>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <csignal>
#include <unistd.h>

namespace {

const QString FoaiaDoi = QStringLiteral("Clasa a VIII-a Ştefan şi Ţuţu");

QList<TFoaieFixture> FoileClasei()
{
    TFoaieFixture elevi;
    elevi.Nume = QStringLiteral("Elevi");
    // Column B is far too narrow for a 13-digit number: on screen Calc would show it in E notation.
    elevi.LatimiCm = {0, 0.4};
    // Protected, as school templates often are: reading must not need to change it.
    elevi.Protejata = true;
    elevi.Randuri = {
        {"Nume", "CNP", "CNP text", "Media", "Data nasterii", "Cod"},
        {"Ștefănescu Țiți", TCelulaFixture::Numeric("1960101123456"), "2960101123457", TCelulaFixture::Zecimal("9.5"),
         TCelulaFixture::Zi("2008-03-07"), TCelulaFixture::Numeric("123456789012345")},
        {"şţ ŞŢ ăîâ ĂÎÂ", TCelulaFixture::Numeric("5010203040506"), "0123", TCelulaFixture::Zecimal("10"),
         TCelulaFixture::Zi("2007-12-31"), "a, \"b\"; c"},
    };
    elevi.Departe = {{65536, 1, QStringLiteral("ultimul rand")}, {65537, 1, QStringLiteral("dincolo")}};
    TFoaieFixture doi;
    doi.Nume = FoaiaDoi;
    doi.Randuri = {{"a doua foaie"}};
    return {elevi, doi};
}

const QList<QStringList> PrimeleRanduri = {
    {"Nume", "CNP", "CNP text", "Media", "Data nasterii", "Cod"},
    {"Ștefănescu Țiți", "1960101123456", "2960101123457", "9,50", "07.03.2008", "123456789012345"},
    {"şţ ŞŢ ăîâ ĂÎÂ", "5010203040506", "0123", "10,00", "31.12.2007", "a, \"b\"; c"},
};

QString Deschide(TCititorFoi& cititor, const QString& cale)
{
    try {
        cititor.Deschide(cale);
        return {};
    } catch (const EEroare& e) {
        return e.Mesaj();
    }
}

// Copies the zip archive `sursa` to `tinta` through Python's zipfile, each part through `parte(p, d)` of
// `program` (p the part's entry, d its bytes), which returns the new bytes or writes the part itself to `dst`
// and returns None.
bool RescrieArhiva(const QString& sursa, const QString& tinta, const char* program)
{
    const QString tot = QStringLiteral("import sys, zipfile\n"
                                       "src = zipfile.ZipFile(sys.argv[1])\n"
                                       "dst = zipfile.ZipFile(sys.argv[2], 'w', zipfile.ZIP_DEFLATED)\n") +
                        QString::fromUtf8(program) +
                        QStringLiteral("for p in src.infolist():\n"
                                       "    d = parte(p, src.read(p.filename))\n"
                                       "    if d is not None: dst.writestr(p, d)\n"
                                       "dst.close()\n");
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), tot, sursa, tinta});
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

class TestCititorFoi : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dosar;
    QTemporaryDir m_temporar;
    QMap<QString, QString> m_fisiere;
    QStringList m_pipe;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dosar.isValid() && m_temporar.isValid());
        // The readers' folders go here, apart from those of any other program running meanwhile.
        qputenv("TMPDIR", QFile::encodeName(m_temporar.path()));
        m_pipe = PipeleCalc();
        for (const char* e : {"xlsx", "xls", "ods", "csv"}) {
            const QString ext = QString::fromLatin1(e);
            m_fisiere[ext] = FaFisierCalc(FoileClasei(), m_dosar.path(), QStringLiteral("elevi ș"), ext);
            QVERIFY2(!m_fisiere[ext].isEmpty(), qPrintable(ext));
        }
    }

    void AceleasiTexteInToateFormatele_data()
    {
        QTest::addColumn<QString>("format");
        for (const char* f : {"xlsx", "xls", "ods", "csv"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }

    void AceleasiTexteInToateFormatele()
    {
        QFETCH(QString, format);
        TCititorCalc cititor;
        QCOMPARE(Deschide(cititor, m_fisiere[format]), QString());
        // A CSV holds one sheet, which Calc names after the file.
        const QStringList foi = format == QLatin1String("csv") ? QStringList{QStringLiteral("elevi ș")}
                                                               : QStringList{QStringLiteral("Elevi"), FoaiaDoi};
        QCOMPARE(cititor.Foi(), foi);
        const TFoaieCalcul& foaie = cititor.Foaie(0);
        QCOMPARE(foaie.Randuri.mid(0, 3), PrimeleRanduri);
        QCOMPARE(cititor.Text(0, QStringLiteral("B2")), QStringLiteral("1960101123456"));
        QCOMPARE(foaie.Text(2, 4), QStringLiteral("9,50"));
        QCOMPARE(foaie.Text(QStringLiteral("A65536")), QStringLiteral("ultimul rand"));
        QCOMPARE(foaie.Randuri.size(), 65536);
        QCOMPARE(foaie.Text(QStringLiteral("A65537")), QString());
        // A row past what is read is known by its number (an .xls holds no row past 65536).
        QCOMPARE(foaie.UltimulRandCuDate, format == QLatin1String("xls") ? 65536 : 65537);
        if (foi.size() > 1)
            QCOMPARE(cititor.Text(1, QStringLiteral("a1")), QStringLiteral("a doua foaie"));
        QCOMPARE(RamaseDupaCitire(m_pipe), QStringList());
    }

    void CsvInCodulDePagina1250CuPunctSiVirgula()
    {
        // Windows-1250 bytes: ş BA, ţ FE, Ş AA, Ţ DE, ă E3, î EE, â E2.
        const QByteArray octeti = "Nume;CNP;Media;Cod\r\n"
                                  "\xAA\x74\x65\x66\x61\x6E \xDE\x75\x72\x63\x61\x6E\x75;1960101123456;9,50;0123\r\n"
                                  "\"Ion; \xE3\xEE\xE2\";\"2960101123457\";10;\"\xBA\xFE\"\r\n";
        const QString cale = m_dosar.filePath(QStringLiteral("clasa1250.csv"));
        QFile f(cale);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(octeti) == octeti.size());
        f.close();
        TCititorCalc cititor;
        QCOMPARE(Deschide(cititor, cale), QString());
        QCOMPARE(cititor.Foi(), QStringList{QStringLiteral("clasa1250")});
        const QList<QStringList> asteptat = {
            {"Nume", "CNP", "Media", "Cod"},
            {"Ştefan Ţurcanu", "1960101123456", "9,50", "0123"},
            {"Ion; ăîâ", "2960101123457", "10", "şţ"},
        };
        QCOMPARE(cititor.Foaie(0).Randuri, asteptat);
    }

    void FisiereStricateSiOstile_data()
    {
        QTest::addColumn<QString>("nume");
        for (const char* n : {"trunchiat.xlsx", "foaie-taiata.xlsx", "bomba.xlsx", "entitati.xlsx", "binar.xlsx",
                              "director.xls", "gol.xlsx", "parola.ods", "macro.ods", "parola.xlsx"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }

    void FisiereStricateSiOstile()
    {
        QFETCH(QString, nume);
        const QString cale = m_dosar.filePath(nume);
        QFile xlsx(m_fisiere[QStringLiteral("xlsx")]);
        QVERIFY(xlsx.open(QIODevice::ReadOnly));
        const QByteArray bun = xlsx.readAll();
        QByteArray rau;
        if (nume == QLatin1String("trunchiat.xlsx")) {
            rau = bun.left(bun.size() / 2);
        } else if (nume == QLatin1String("binar.xlsx")) {
            QFile program(QCoreApplication::applicationFilePath());
            QVERIFY(program.open(QIODevice::ReadOnly));
            rau = program.read(256 * 1024);
        } else if (nume == QLatin1String("director.xls")) {
            QFile xls(m_fisiere[QStringLiteral("xls")]);
            QVERIFY(xls.open(QIODevice::ReadOnly));
            rau = xls.readAll();
            // The compound file's directory starts at the sector named at offset 0x30 (512-byte sectors).
            const quint32 sector = qFromLittleEndian<quint32>(rau.constData() + 0x30);
            QVERIFY(qsizetype(sector + 2) * 512 <= rau.size());
            rau.replace(qsizetype(sector + 1) * 512, 512, QByteArray(512, '\xff'));
        } else if (nume == QLatin1String("bomba.xlsx")) {
            // 400 MB of blanks in the first sheet, a few hundred kB packed.
            QVERIFY(RescrieArhiva(xlsx.fileName(), cale,
                                  "def parte(p, d):\n"
                                  "    if p.filename != 'xl/worksheets/sheet1.xml': return d\n"
                                  "    with dst.open(p.filename, 'w', force_zip64=True) as f:\n"
                                  "        f.write(d[:-12])\n"
                                  "        for i in range(400): f.write(b' ' * (1 << 20))\n"
                                  "        f.write(b'</worksheet>')\n"));
        } else if (nume == QLatin1String("foaie-taiata.xlsx")) {
            // A whole archive whose second sheet stops mid-XML: Calc alone loads it as a success, that sheet
            // simply empty.
            QVERIFY(RescrieArhiva(xlsx.fileName(), cale,
                                  "def parte(p, d):\n"
                                  "    return d[:len(d) // 2] if p.filename.endswith('sheet2.xml') else d\n"));
        } else if (nume == QLatin1String("entitati.xlsx")) {
            QVERIFY(RescrieArhiva(xlsx.fileName(), cale,
                                  "lol = '<!DOCTYPE w [<!ENTITY l0 \"lol\">' + ''.join('<!ENTITY l%d \"%s\">' % (i, "
                                  "('&l%d;' % (i - 1)) * 10) for i in range(1, 10)) + ']>'\n"
                                  "def parte(p, d):\n"
                                  "    if p.filename != 'xl/sharedStrings.xml': return d\n"
                                  "    d = d.decode(); i = d.index('?>') + 2\n"
                                  "    return (d[:i] + lol + d[i:].replace('<t', '<t>&l9;</t><t', 1)).encode()\n"));
        }
        if (nume == QLatin1String("parola.ods")) {
            // What a password leaves in an OpenDocument file: its parts listed as encrypted.
            QVERIFY(RescrieArhiva(m_fisiere[QStringLiteral("ods")], cale,
                                  "def parte(p, d):\n"
                                  "    if p.filename != 'META-INF/manifest.xml': return d\n"
                                  "    return d.replace(b'</manifest:manifest>', b'<manifest:file-entry "
                                  "manifest:full-path=\"x.xml\" manifest:media-type=\"text/xml\"><manifest:"
                                  "encryption-data manifest:checksum-type=\"SHA1/1K\" manifest:checksum=\"AA==\"/>"
                                  "</manifest:file-entry></manifest:manifest>')\n"));
        } else if (nume == QLatin1String("macro.ods")) {
            QVERIFY(RescrieArhiva(m_fisiere[QStringLiteral("ods")], cale,
                                  "def parte(p, d):\n"
                                  "    if p.filename == 'content.xml':\n"
                                  "        dst.writestr('Basic/Standard/Module1.xml', b'<?xml version=\"1.0\"?>"
                                  "<module name=\"Module1\">Sub Main\\nEnd Sub</module>')\n"
                                  "    return d\n"));
        } else if (nume == QLatin1String("parola.xlsx")) {
            // An encrypted workbook is a compound file with an EncryptedPackage stream in its directory.
            rau = QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(504, '\0');
            for (const char c : QByteArray("EncryptedPackage"))
                rau.append(c).append('\0');
            rau.append(QByteArray(4096, '\0'));
        }
        if (!QFile::exists(cale)) {
            QFile f(cale);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(rau), rau.size());
        }

        TCititorCalc cititor;
        const QString mesaj = Deschide(cititor, cale);
        QVERIFY2(mesaj.startsWith(QStringLiteral("Nu pot citi fisierul %1: ").arg(nume)), qPrintable(mesaj));
        QVERIFY2(!mesaj.contains(u'\n') && mesaj.size() > 30, qPrintable(mesaj));
        QCOMPARE(cititor.Foi(), QStringList());
        if (nume.startsWith(QLatin1String("parola")))
            QVERIFY2(mesaj.contains("este protejat cu o parola"), qPrintable(mesaj));
        if (nume == QLatin1String("macro.ods"))
            QVERIFY2(mesaj.contains("contine macrocomenzi, iar programul nu deschide"), qPrintable(mesaj));
        if (nume == QLatin1String("foaie-taiata.xlsx")) {
            // The XML reader's own words on the cut part only under "Detalii".
            try {
                TCititorCalc altul;
                altul.Deschide(cale);
                QFAIL("a cut part was read");
            } catch (const EEroare& e) {
                QVERIFY2(!e.Detalii().isEmpty() && !e.Mesaj().contains(e.Detalii()) && !e.Mesaj().contains(u'('),
                         qPrintable(e.Mesaj() + " | " + e.Detalii()));
            }
        }
        QCOMPARE(RamaseDupaCitire(m_pipe), QStringList());
    }

    void EsecPastreazaFoileCitite()
    {
        TCititorCalc cititor;
        QCOMPARE(Deschide(cititor, m_fisiere[QStringLiteral("ods")]), QString());
        const QString gol = m_dosar.filePath(QStringLiteral("altul gol.ods"));
        QFile f(gol);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(Deschide(cititor, gol).startsWith(QStringLiteral("Nu pot citi fisierul altul gol.ods: ")));
        QCOMPARE(cititor.Foi(), (QStringList{QStringLiteral("Elevi"), FoaiaDoi}));
        QCOMPARE(cititor.Text(0, QStringLiteral("D2")), QStringLiteral("9,50"));
    }

    void CalcOpritLaLimita_data()
    {
        QTest::addColumn<int>("secunde");
        QTest::addColumn<int>("megaocteti");
        QTest::addColumn<bool>("nuRaspunde");
        QTest::addColumn<QString>("motiv");
        QTest::newRow("timp") << 1 << 3072 << true << "nu l-a citit in 1 secunde";
        QTest::newRow("memorie") << 90 << 100 << false << "lipsa de memorie";
    }

    void CalcOpritLaLimita()
    {
        QFETCH(int, secunde);
        QFETCH(int, megaocteti);
        QFETCH(bool, nuRaspunde);
        QFETCH(QString, motiv);
        TProgrameCalc programe;
        programe.SecundeLimita = secunde;
        programe.MemorieLimita = qint64(megaocteti) << 20;
        if (nuRaspunde) {
            // A reading that never ends, whatever the machine's speed: the real Calc started on the reader's
            // profile and pipe, beside a process that never exits, both in the reader's process group.
            programe.Python = m_dosar.filePath(QStringLiteral("citire-fara-sfarsit"));
            QFile s(programe.Python);
            QVERIFY(s.open(QIODevice::WriteOnly));
            s.write("#!/bin/sh\n"
                    "\"$2\" \"-env:UserInstallation=$3\" --headless --invisible --norestore --nologo --nodefault "
                    "--nolockcheck \"--accept=pipe,name=$7;urp;\" </dev/null >/dev/null 2>&1 &\n"
                    "exec sleep 3600\n");
            s.close();
            QVERIFY(s.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        TCititorCalc cititor(programe);
        const QString mesaj = Deschide(cititor, m_fisiere[QStringLiteral("xlsx")]);
        QVERIFY2(mesaj.startsWith(QStringLiteral("Nu pot citi fisierul elevi ș.xlsx: ")) && mesaj.contains(motiv),
                 qPrintable(mesaj));
        // Calc is there: no package to install.
        QVERIFY2(!mesaj.contains(QStringLiteral("Instalati")), qPrintable(mesaj));
        QCOMPARE(RamaseDupaCitire(m_pipe), QStringList());
    }

    void ProgramLipsaNumestePachetul_data()
    {
        QTest::addColumn<QString>("lipsa");
        QTest::addColumn<QString>("pachet");
        QTest::newRow("Calc") << "soffice"
                              << "libreoffice-calc-nogui";
        QTest::newRow("Python fara uno") << "uno"
                                         << "python3-uno";
        QTest::newRow("Python") << "python"
                                << "python3-uno";
        QTest::newRow("LibreOffice fara Calc") << "modul Calc"
                                               << "libreoffice-calc-nogui";
        QTest::newRow("comanda negasita") << "cod 127"
                                          << "libreoffice-calc-nogui";
    }

    void ProgramLipsaNumestePachetul()
    {
        QFETCH(QString, lipsa);
        QFETCH(QString, pachet);
        TProgrameCalc programe;
        const auto faProgram = [this](const QString& nume, const QByteArray& text) {
            const QString cale = m_dosar.filePath(nume);
            QFile s(cale);
            if (!s.open(QIODevice::WriteOnly) || s.write(text) != text.size())
                return QString();
            s.close();
            s.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return cale;
        };
        if (lipsa == QLatin1String("soffice")) {
            programe.Soffice = m_dosar.filePath(QStringLiteral("nu-exista/soffice"));
        } else if (lipsa == QLatin1String("modul Calc")) {
            // LibreOffice's core without Calc's package, for this reading only: Calc's library hidden in a
            // mount namespace of the stand-in's own. The services of Calc are still listed.
            if (QProcess::execute(QStringLiteral("unshare"), {QStringLiteral("--mount"), QStringLiteral("--map-root-user"),
                                                             QStringLiteral("true")}) != 0)
                QSKIP("no mount namespace can be made here");
            programe.Soffice = faProgram(
                QStringLiteral("soffice-fara-calc"),
                "#!/bin/sh\nexec unshare --mount --map-root-user sh -c 'mount --bind /dev/null \"$0\" && exec soffice "
                "\"$@\"' /usr/lib/libreoffice/program/libsclo.so \"$@\"\n");
        } else if (lipsa == QLatin1String("cod 127")) {
            // The start script of a LibreOffice whose program went away: the shell's "command not found".
            programe.Soffice = faProgram(QStringLiteral("soffice-127"), "#!/bin/sh\nexit 127\n");
        } else if (lipsa == QLatin1String("python")) {
            programe.Python = m_dosar.filePath(QStringLiteral("nu-exista/python3"));
        } else {
            // The interpreter without its site folders, where Debian keeps the uno module.
            programe.Python = m_dosar.filePath(QStringLiteral("python-fara-uno"));
            QFile s(programe.Python);
            QVERIFY(s.open(QIODevice::WriteOnly));
            s.write("#!/bin/sh\nexec /usr/bin/python3 -I -S \"$@\"\n");
            s.close();
            QVERIFY(s.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        TCititorCalc cititor(programe);
        const QString mesaj = Deschide(cititor, m_fisiere[QStringLiteral("ods")]);
        QVERIFY2(mesaj.startsWith(QStringLiteral("Nu pot citi fisierul elevi ș.ods: ")) && mesaj.contains(pachet),
                 qPrintable(mesaj));
        // The program is missing, not the memory, and the file is not blamed.
        QVERIFY2(!mesaj.contains(QStringLiteral("memorie")) && !mesaj.contains(QStringLiteral("nu il poate deschide")),
                 qPrintable(mesaj));
        QCOMPARE(RamaseDupaCitire(m_pipe), QStringList());
    }

    void CelulaDepartataNuUmflaCitirea()
    {
        // A stray cell at the sheet's very end: exported whole, the sheet would be a billion empty cells.
        TFoaieFixture foaie;
        foaie.Nume = QStringLiteral("Departe");
        foaie.Randuri = {{"A1"}};
        foaie.Departe = {{2, 702, QStringLiteral("in ZZ")},
                         {3, 703, QStringLiteral("dupa ZZ")},
                         {1048576, 1024, QStringLiteral("capat")}};
        const QString cale = FaFisierCalc({foaie}, m_dosar.path(), QStringLiteral("departe"), QStringLiteral("fods"));
        TProgrameCalc programe;
        programe.SecundeLimita = 30;
        TCititorCalc cititor(programe);
        QCOMPARE(Deschide(cititor, cale), QString());
        QCOMPARE(cititor.Text(0, QStringLiteral("ZZ2")), QStringLiteral("in ZZ"));
        QCOMPARE(cititor.Foaie(0).Randuri.size(), 2);
    }

    // Last: it leaves a LibreOffice of the user's own running until its end.
    void LibreOfficeulUtilizatoruluiRamaneNeatins()
    {
        // The user's LibreOffice, with the user's own profile (this test's per-user folder).
        QProcess utilizator;
        const QString teava = QStringLiteral("utilizator_%1").arg(QCoreApplication::applicationPid());
        utilizator.setProgram(QStringLiteral("soffice"));
        utilizator.setArguments({QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                 QStringLiteral("--accept=pipe,name=%1;urp;").arg(teava)});
        utilizator.setStandardOutputFile(QProcess::nullDevice());
        utilizator.setStandardErrorFile(QProcess::nullDevice());
        utilizator.setChildProcessModifier([] { ::setpgid(0, 0); });
        utilizator.start();
        QVERIFY(utilizator.waitForStarted(10000));
        const qint64 grup = utilizator.processId();
        const auto asculta = [&] {
            QFile socluri(QStringLiteral("/proc/net/unix"));
            return socluri.open(QIODevice::ReadOnly) && socluri.readAll().contains(teava.toUtf8());
        };
        const auto opreste = qScopeGuard([&] {
            ::kill(-pid_t(grup), SIGKILL);
            utilizator.waitForFinished(5000);
            QThread::msleep(500);
            for (const QString& p : PipeleCalc()) {
                if (!m_pipe.contains(p))
                    QFile::remove(QStringLiteral("/tmp/") + p);
            }
        });
        QTRY_VERIFY_WITH_TIMEOUT(asculta(), 60000);

        TCititorCalc cititor;
        QCOMPARE(Deschide(cititor, m_fisiere[QStringLiteral("ods")]), QString());
        QCOMPARE(cititor.Text(0, QStringLiteral("D2")), QStringLiteral("9,50"));
        QCOMPARE(utilizator.state(), QProcess::Running);
        QVERIFY(asculta());
    }
};

QTEST_GUILESS_MAIN(TestCititorFoi)
#include "TestCititorFoi.moc"
