#include "platform/URegistru.h"
#include "settings/UInfoGlobal2005.h"
#include "settings/UKivRTTIShell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// A settings class with one property of each kind the registry cares about.
class TSetariProba : public TKivRegistryClass
{
    Q_OBJECT

public:
    enum TCuloare
    {
        Rosu,
        Verde,
        Albastru
    };
    Q_ENUM(TCuloare)
    enum TOptiune
    {
        Unu = 1,
        Doi = 2,
        Patru = 4
    };
    Q_DECLARE_FLAGS(TOptiuni, TOptiune)
    Q_FLAG(TOptiuni)

private:
    Q_PROPERTY(QString zeta MEMBER m_zeta)
    Q_PROPERTY(int Alfa MEMBER m_alfa)
    Q_PROPERTY(bool Bifat MEMBER m_bifat)
    Q_PROPERTY(double Real MEMBER m_real)
    Q_PROPERTY(TCuloare Culoare MEMBER m_culoare)
    Q_PROPERTY(TOptiuni Optiuni READ Optiuni WRITE SetOptiuni)
    Q_PROPERTY(qint64 Mare MEMBER m_mare)
    Q_PROPERTY(uint FaraSemn MEMBER m_faraSemn)
    Q_PROPERTY(QChar Litera MEMBER m_litera)
    Q_PROPERTY(QStringList Lista MEMBER m_lista)

public:
    explicit TSetariProba(const QString& cheie) : TKivRegistryClass(cheie) { Incarca(); }
    ~TSetariProba() override { ScrieLaDistrugere(); }
    TOptiuni Optiuni() const { return m_optiuni; }
    void SetOptiuni(TOptiuni o) { m_optiuni = o; }

    QString m_zeta = QStringLiteral("z");
    int m_alfa = 7;
    bool m_bifat = false;
    double m_real = 1.25;
    TCuloare m_culoare = Verde;
    TOptiuni m_optiuni = Unu;
    qint64 m_mare = 0;
    uint m_faraSemn = 0;
    QChar m_litera = QLatin1Char('a');
    QStringList m_lista{QStringLiteral("x")};
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TSetariProba::TOptiuni)

// A subclass that adds a property and redeclares one of its parent's under another letter case.
class TSetariDerivate : public TSetariProba
{
    Q_OBJECT
    Q_PROPERTY(QString Beta MEMBER m_beta)
    Q_PROPERTY(QString ALFA MEMBER m_alfaText)

public:
    using TSetariProba::TSetariProba;
    QString m_beta;
    QString m_alfaText;
};

namespace {
const QString kCheieProba = QStringLiteral("Software\\Tessaluna\\Proba");
}

class TTestSetari : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dosar;
    QStringList m_mesaje;

    QString Fisier() const { return FisierRegistruUtilizator(); }

    QByteArray Continut() const
    {
        QFile f(Fisier());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void ScrieBrut(const QByteArray& octeti)
    {
        QDir().mkpath(QFileInfo(Fisier()).absolutePath());
        QFile f(Fisier());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(octeti);
    }

private slots:
    void init()
    {
        m_dosar = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dosar->path()));
        QVERIFY(Fisier().startsWith(m_dosar->path()));
        m_mesaje.clear();
        SeteazaAvertizareRegistru([this](const QString& m) { m_mesaje << m; });
    }

    void cleanup()
    {
        SeteazaAvertizareRegistru(nullptr);
        m_dosar.reset();
    }

    void proprietatileSuntInOrdineAlfabetica()
    {
        TInfoGlobal2005 info;
        TKivRTTIShell shell(&info);
        QStringList nume;
        for (int i = 0; i < shell.Count(); ++i) {
            nume << shell.PropName(i);
            QCOMPARE(shell.PropKind(i), TTipProprietate::SirLung);
        }
        QCOMPARE(nume, (QStringList{"MedieCotor", "MedieDiploma", "NotaCotor", "NotaDiploma", "ScriuCuLitereMari",
                                    "SufixBaieti", "SufixFete"}));
    }

    void ierarhiaSeListeazaFaraDubluri()
    {
        TSetariDerivate derivate(kCheieProba);
        TKivRTTIShell shell(&derivate);
        QStringList nume;
        for (int i = 0; i < shell.Count(); ++i)
            nume << shell.PropName(i);
        // Case does not count in the order; the subclass's "ALFA" hides its parent's "Alfa".
        QCOMPARE(nume, (QStringList{"ALFA", "Beta", "Bifat", "Culoare", "FaraSemn", "Lista", "Litera", "Mare",
                                    "Optiuni", "Real", "zeta"}));
        QCOMPARE(shell.PropKind(shell.IndexOf("alfa")), TTipProprietate::SirLung);
        QVERIFY_THROWS_EXCEPTION(EEroare, shell.PropName(shell.Count()));
    }

    void tipurileProprietatilor_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::addColumn<TTipProprietate>("tip");
        QTest::addColumn<bool>("stocata");
        QTest::newRow("intreg") << "Alfa" << TTipProprietate::Intreg << true;
        QTest::newRow("boolean") << "Bifat" << TTipProprietate::Enumerare << true;
        QTest::newRow("enumerare") << "Culoare" << TTipProprietate::Enumerare << true;
        QTest::newRow("multime") << "Optiuni" << TTipProprietate::Multime << true;
        QTest::newRow("intreg pe 64 de biti") << "Mare" << TTipProprietate::Intreg64 << true;
        QTest::newRow("fara semn") << "FaraSemn" << TTipProprietate::Intreg << true;
        QTest::newRow("caracter") << "Litera" << TTipProprietate::CaracterLat << true;
        QTest::newRow("text") << "zeta" << TTipProprietate::SirLung << true;
        QTest::newRow("real") << "Real" << TTipProprietate::Real << false;
        QTest::newRow("lista") << "Lista" << TTipProprietate::TablouDinamic << false;
    }

    void tipurileProprietatilor()
    {
        QFETCH(QString, nume);
        QFETCH(TTipProprietate, tip);
        QFETCH(bool, stocata);
        {
            TSetariProba proba(kCheieProba);
            TKivRTTIShell shell(&proba);
            QCOMPARE(shell.PropKind(shell.IndexOf(nume)), tip);
        }
        TRegistru reg;
        QVERIFY(reg.DeschideCheie(kCheieProba, false));
        QCOMPARE(reg.ExistaValoare(nume), stocata);
        if (stocata) {
            const bool text = tip == TTipProprietate::SirLung || tip == TTipProprietate::CaracterLat;
            QCOMPARE(reg.TipValoare(nume), text ? TTipValoareRegistru::Text : TTipValoareRegistru::Intreg);
        }
    }

    void valorileRevinLaFel()
    {
        {
            TSetariProba proba(kCheieProba);
            proba.m_zeta = QStringLiteral("ŞAISPREZECET");
            proba.m_alfa = -12;
            proba.m_bifat = true;
            proba.m_culoare = TSetariProba::Albastru;
            proba.m_optiuni = TSetariProba::Doi | TSetariProba::Patru;
            proba.m_mare = -5;
            proba.m_faraSemn = 4000000000u;
            proba.m_litera = QChar(0x15E);
        }
        TRegistru reg;
        reg.DeschideCheie(kCheieProba, false);
        QCOMPARE(reg.CitesteIntreg("Bifat"), 1);
        QCOMPARE(reg.CitesteIntreg("Culoare"), 2);
        QCOMPARE(reg.CitesteIntreg("Optiuni"), 6);
        QCOMPARE(reg.CitesteText("Litera"), QStringLiteral("Ş"));

        TSetariProba proba(kCheieProba);
        QCOMPARE(proba.m_zeta, QStringLiteral("ŞAISPREZECET"));
        QCOMPARE(proba.m_alfa, -12);
        QCOMPARE(proba.m_bifat, true);
        QCOMPARE(proba.m_culoare, TSetariProba::Albastru);
        QCOMPARE(proba.m_optiuni, TSetariProba::Doi | TSetariProba::Patru);
        QCOMPARE(proba.m_mare, -5);
        QCOMPARE(proba.m_faraSemn, 4000000000u);
        QCOMPARE(proba.m_litera, QChar(0x15E));
    }

    void booleanulSeStocheazaCa0Sau1()
    {
        for (bool bifat : {true, false}) {
            {
                TSetariProba proba(kCheieProba);
                proba.m_bifat = bifat;
            }
            TRegistru reg;
            reg.DeschideCheie(kCheieProba, false);
            QCOMPARE(reg.CitesteIntreg("Bifat"), bifat ? 1 : 0);
        }
        // Any number other than 0 reads back as true.
        TRegistru reg;
        reg.DeschideCheie(kCheieProba, false);
        reg.ScrieIntreg("Bifat", 5);
        QCOMPARE(TSetariProba(kCheieProba).m_bifat, true);
    }

    void realulNuSeStocheazaNiciodata()
    {
        {
            TSetariProba proba(kCheieProba);
            proba.m_real = 9.63;
        }
        {
            TRegistru reg;
            reg.DeschideCheie(kCheieProba, false);
            QVERIFY(!reg.ExistaValoare("Real"));
            // Even a value put there by hand is not read.
            reg.ScrieText("Real", "9.63");
        }
        QCOMPARE(TSetariProba(kCheieProba).m_real, 1.25);
        QVERIFY(m_mesaje.isEmpty());
    }

    void intregulPe64DeBitiEsteLimitat()
    {
        {
            TSetariProba proba(kCheieProba);
            proba.m_mare = 5000000000LL;
        }
        TRegistru reg;
        reg.DeschideCheie(kCheieProba, false);
        QCOMPARE(reg.CitesteIntreg("Mare"), std::numeric_limits<qint32>::max());
    }

    void cheiaLipsaSeCreeazaLaPrimaIncarcare()
    {
        auto info = std::make_unique<TInfoGlobal2005>();
        TRegistru reg;
        QVERIFY(reg.DeschideCheie(TInfoGlobal2005::Cheie(), false));
        QVERIFY(reg.NumeValori().isEmpty());
        QCOMPARE(info->NotaDiploma(), QString());
        info.reset();
        QCOMPARE(reg.NumeValori().size(), 7);
        for (const QString& nume : reg.NumeValori())
            QCOMPARE(reg.CitesteText(nume), QString());
        QVERIFY(QString::fromUtf8(Continut())
                    .contains("[HKEY_CURRENT_USER\\Software\\Zorvik SOFT\\Pravelo\\2006\\Global]\n"
                              "\"MedieCotor\"=\"\"\n\"MedieDiploma\"=\"\"\n\"NotaCotor\"=\"\"\n\"NotaDiploma\"=\"\"\n"
                              "\"ScriuCuLitereMari\"=\"\"\n\"SufixBaieti\"=\"\"\n\"SufixFete\"=\"\"\n"));
    }

    void douaObiectePeAceeasiCheie_data()
    {
        QTest::addColumn<bool>("primulDistrusUltimul");
        QTest::newRow("al doilea distrus ultimul") << false;
        QTest::newRow("primul distrus ultimul") << true;
    }

    void douaObiectePeAceeasiCheie()
    {
        QFETCH(bool, primulDistrusUltimul);
        auto primul = std::make_unique<TInfoGlobal2005>();
        auto alDoilea = std::make_unique<TInfoGlobal2005>();
        primul->SetNotaDiploma(kFormatNota);
        alDoilea->SetNotaCotor(kFormatNotaSlashProcent);
        if (primulDistrusUltimul) {
            alDoilea.reset();
            primul.reset();
        } else {
            primul.reset();
            alDoilea.reset();
        }
        TInfoGlobal2005 citit;
        QCOMPARE(citit.NotaDiploma(), primulDistrusUltimul ? kFormatNota : QString());
        QCOMPARE(citit.NotaCotor(), primulDistrusUltimul ? QString() : kFormatNotaSlashProcent);
    }

    void valoareDeTipGresitNuOpresteProgramul()
    {
        ScrieBrut("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Zorvik SOFT\\Pravelo\\2006\\Global]\n"
                  "\"NotaDiploma\"=dword:00000003\n\"NotaCotor\"=\"NOTA\"\n");
        const QByteArray original = Continut();
        {
            TInfoGlobal2005 info;
            QCOMPARE(info.NotaDiploma(), QString());
            QCOMPARE(info.NotaCotor(), kFormatNota);
            QCOMPARE(m_mesaje.size(), 1);
            QVERIFY2(m_mesaje[0].contains("\"NotaDiploma\"") && m_mesaje[0].contains("deteriorat"),
                     qPrintable(m_mesaje[0]));
            // One full stop after the reason, and the other values are said to stay in use.
            QVERIFY2(!m_mesaje[0].contains("..") && m_mesaje[0].contains("celelalte setari"), qPrintable(m_mesaje[0]));
        }
        // The automatic write of the destruction left the file as it was; the next object sees the
        // program's own values and is not warned again.
        QCOMPARE(Continut(), original);
        {
            TInfoGlobal2005 info;
            QCOMPARE(info.NotaCotor(), kFormatNota);
            info.SetNotaDiploma(kFormatNotaSlashLitere);
            info.Salveaza(true);
        }
        QCOMPARE(m_mesaje.size(), 2);
        QVERIFY(m_mesaje[1].contains("rezerva") || m_mesaje[1].contains("pastrat"));
        TRegistru reg;
        reg.DeschideCheie(TInfoGlobal2005::Cheie(), false);
        QCOMPARE(reg.CitesteText("NotaDiploma"), kFormatNotaSlashLitere);
        QCOMPARE(reg.CitesteText("NotaCotor"), kFormatNota);
    }

    void fisierDeterioratDaValorileImplicite()
    {
        ScrieBrut("acesta nu este un fisier de registru");
        {
            TInfoGlobal2005 info;
            QCOMPARE(info.NotaCotor(), QString());
            info.SetNotaCotor(kFormatNota);
        }
        QCOMPARE(Continut(), QByteArray("acesta nu este un fisier de registru"));
        QCOMPARE(m_mesaje.size(), 1);
        QCOMPARE(TInfoGlobal2005().NotaCotor(), kFormatNota);
    }

    void cheiaCareNuPoateFiCreataDaUnMesaj()
    {
        ScrieBrut(QByteArray());
        QFile::remove(Fisier());
        QDir().rmdir(QFileInfo(Fisier()).absolutePath());
        QFile ocupat(QFileInfo(Fisier()).absolutePath());
        QVERIFY(ocupat.open(QIODevice::WriteOnly));
        ocupat.close();
        {
            TInfoGlobal2005 info;
            QCOMPARE(m_mesaje.size(), 1);
            QVERIFY2(m_mesaje[0].startsWith("Nu pot crea cheia de registru"), qPrintable(m_mesaje[0]));
            info.SetNotaCotor(kFormatNota);
            QVERIFY_THROWS_EXCEPTION(ERegistru, info.Salveaza(true));
        }
        // The failed save was reported by its caller; the destruction adds no second message.
        QCOMPARE(m_mesaje.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TTestSetari)
#include "tst_setari.moc"
