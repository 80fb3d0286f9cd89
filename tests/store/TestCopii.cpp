#include "store/UCopii.h"
#include "store/UDataModule.h"
#include "store/UEroareBD.h"
#include "testsupport/UBazaTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTest>

#include <cstdio>
#include <stdexcept>

#include <sys/stat.h>

namespace {

// The register as a reader sees it: every student with every value.
QStringList Registru(TBazaTest& b)
{
    return b.Coloana("select e.ID_ELEVI || '|' || coalesce(d.COD_CAMP, '') || '|' || coalesce(d.VALOARE_TEXT, '') "
                     "as C from ELEVI e left join \"DATE\" d on d.ID_ELEVI = e.ID_ELEVI order by 1");
}

QStringList FisiereDin(const QString& dosar)
{
    return QDir(dosar).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestCopii : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // As the program does: the engine's question for the next volume of a cut-off backup must not wait.
        QVERIFY(std::freopen("/dev/null", "r", stdin));
    }

    void RestaurareaReadeRegistrulCopiei()
    {
        TBazaTest b;
        b.Porneste();
        const qint64 ana = b.AdaugaElev({{"C_NUME_L1", "Ana Ştefănescu"}, {"C_CNP", "2900101123456"}});
        b.AdaugaElev({{"C_NUME_L1", "Ion Țăranu"}});
        const QStringList laCopie = Registru(b);
        const QString fbk = b.Dosar() + "/manual.fbk";
        QStringList progres;
        FaCopieDeSiguranta(b.CaleBaza(), fbk, [&](const QString& l) { progres << l; });
        QVERIFY(QFileInfo(fbk).size() > 0);
        QVERIFY(!progres.isEmpty());
        QVERIFY(!QFileInfo::exists(fbk + ".part"));

        // The mistakes the backup must undo: a student deleted, one added, a value changed.
        b.Executa(QStringLiteral("delete from ELEVI where ID_ELEVI = %1").arg(ana));
        b.AdaugaElev({{"C_NUME_L1", "Greseala"}});
        const QStringList dupaGreseli = Registru(b);
        QVERIFY(dupaGreseli != laCopie);

        const TVerificareCopie v = PregatesteRestaurarea(b.Dm(), fbk);
        QCOMPARE(v.EleviInCopie, qint64(2));
        QCOMPARE(v.EleviCurenti, qint64(2));
        QCOMPARE(Registru(b), dupaGreseli); // nothing changes before the swap
        const QString pastrata = InlocuiesteCuRestaurata(b.Dm(), v, QDateTime(QDate(2026, 12, 9), QTime(12, 0)));
        QCOMPARE(QFileInfo(pastrata).fileName(), QStringLiteral("Tessaluna2006-inlocuita-20261209-120000.FDB"));
        QCOMPARE(Registru(b), laCopie);
        QVERIFY(!QFileInfo::exists(v.CaleRestaurata));

        // The replaced register is whole beside it, and a new start on the restored one keeps it as it is.
        b.Reporneste();
        QCOMPARE(Registru(b), laCopie);
        TDM vechi(TDM::Separat);
        vechi.Db.SetDatabaseName(pastrata);
        vechi.Db.Params() << "USER_NAME=sysdba"
                          << "password=velkortan";
        vechi.Db.Open();
        QCOMPARE(NumarEleviCurenti(vechi), qint64(2));
    }

    void InlocuireIntreruptaIncheiataLaPornire()
    {
        TBazaTest b;
        b.Porneste();
        b.AdaugaElev({{"C_NUME_L1", "Ana"}});
        const qint64 ion = b.AdaugaElev({{"C_NUME_L1", "Ion"}});
        const QString fbk = b.Dosar() + "/copie.fbk";
        FaCopieDeSiguranta(b.CaleBaza(), fbk);
        b.Executa(QStringLiteral("delete from ELEVI where ID_ELEVI = %1").arg(ion));
        const QStringList curent = Registru(b);

        // The process stops between the two steps of the swap (as a kill would: nothing after runs).
        const TVerificareCopie v = PregatesteRestaurarea(b.Dm(), fbk);
        LaMijloculInlocuirii = [] { throw std::logic_error("oprit"); };
        const auto reseteaza = qScopeGuard([] { LaMijloculInlocuirii = nullptr; });
        QVERIFY_THROWS_EXCEPTION(std::logic_error, InlocuiesteCuRestaurata(b.Dm(), v, QDateTime::currentDateTime()));
        QVERIFY(QFileInfo::exists(b.CaleBaza()));
        const QString mesaj = IncheieInlocuireaIntrerupta(b.CaleBaza());
        QVERIFY2(mesaj.contains("Registrul a ramas cel de dinainte"), qPrintable(mesaj));
        QVERIFY(QDir(b.Dosar() + "/DB").entryList({"*-inlocuita-*"}).isEmpty());
        QVERIFY(IncheieInlocuireaIntrerupta(b.CaleBaza()).isEmpty());
        b.Reporneste();
        QCOMPARE(Registru(b), curent);

        // What the earlier swap left when stopped: the register renamed away, the restored file beside it.
        b.Inchide();
        const QString pastrata = b.Dosar() + "/DB/Tessaluna2006-inlocuita-20261209-120000.FDB";
        QVERIFY(QFile::rename(b.CaleBaza(), pastrata));
        QFile restaurata(b.Dosar() + "/DB/Tessaluna2006-restaurata-20261209-115900.FDB");
        QVERIFY(restaurata.open(QIODevice::WriteOnly));
        restaurata.close();
        QVERIFY(IncheieInlocuireaIntrerupta(b.CaleBaza()).contains("Registrul de dinainte a fost pus la loc"));
        QVERIFY(!QFileInfo::exists(pastrata));
        b.Reporneste();
        QCOMPARE(Registru(b), curent);
    }

    void NimicPentruAltiUtilizatori()
    {
        // The register, its copies and their folders under the usual umask: no permission bit for others.
        const mode_t masca = ::umask(022);
        const auto reface = qScopeGuard([masca] { ::umask(masca); });
        const auto deAltii = [](const QString& cale) {
            return QFile::permissions(cale) & (QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
        };
        TBazaTest b;
        b.Porneste();
        b.AdaugaElev({{"C_NUME_L1", "Ana"}, {"C_CNP", "6070101123456"}});
        const QString automata = FaCopieAutomata(b.CaleBaza(), QDateTime::currentDateTime());
        const QString manuala = b.Dosar() + "/manuala.fbk";
        FaCopieDeSiguranta(b.CaleBaza(), manuala);
        const TVerificareCopie v = PregatesteRestaurarea(b.Dm(), manuala);
        const QString pastrata = InlocuiesteCuRestaurata(b.Dm(), v, QDateTime::currentDateTime());
        for (const QString& cale :
             {b.Dosar() + "/DB", b.CaleBaza(), DosarCopii(b.CaleBaza()), automata, manuala, pastrata})
            QVERIFY2(deAltii(cale) == QFile::Permissions(), qPrintable(cale));
        QVERIFY(QFile::permissions(b.CaleBaza()) & QFile::WriteGroup); // the register stays shared with its group
    }

    void CopieStricataNuSchimbaNimic_data()
    {
        QTest::addColumn<QString>("fel");
        QTest::addColumn<int>("taiat"); // bytes cut from the end of a good backup
        QTest::newRow("copie-trunchiata") << "trunchiata" << 0;
        // A copy cut near its end restores without an error from the engine, offline and without its keys.
        QTest::newRow("taiata-1k") << "taiata" << 1024;
        QTest::newRow("taiata-5k") << "taiata" << 5 * 1024;
        QTest::newRow("taiata-8k") << "taiata" << 8 * 1024;
        QTest::newRow("bytes-stricati") << "stricata" << 0;
        QTest::newRow("fisier-text") << "text" << 0;
        QTest::newRow("copia-altei-baze") << "straina" << 0;
    }
    void CopieStricataNuSchimbaNimic()
    {
        QFETCH(QString, fel);
        QFETCH(int, taiat);
        TBazaTest b;
        b.Porneste();
        b.AdaugaElev({{"C_NUME_L1", "Ana"}});
        const QString fbk = b.Dosar() + "/copie.fbk";
        if (fel == "straina") {
            const QString alta = b.Dosar() + "/alta.fdb";
            TConexiune::CreeazaBazaDeDate(alta, "sysdba", "velkortan");
            FaCopieDeSiguranta(alta, fbk);
        } else if (fel == "text") {
            QFile f(fbk);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("nu este o copie\n");
        } else {
            FaCopieDeSiguranta(b.CaleBaza(), fbk);
            QFile f(fbk);
            QVERIFY(f.open(QIODevice::ReadWrite));
            if (fel == "trunchiata") {
                QVERIFY(f.resize(f.size() / 2));
            } else if (fel == "taiata") {
                QVERIFY(f.resize(f.size() - taiat));
            } else {
                f.seek(f.size() / 3);
                f.write(QByteArray(4096, '\x5a'));
            }
        }
        const QStringList registru = Registru(b);
        const QStringList fisiere = FisiereDin(b.Dosar() + "/DB");
        try {
            PregatesteRestaurarea(b.Dm(), fbk);
            QFAIL("a bad backup was accepted");
        } catch (const EEroare& e) {
            QVERIFY2(e.Mesaj().contains("Registrul curent a ramas neatins"), qPrintable(e.Mesaj()));
            if (fel == "taiata" || fel == "trunchiata")
                QVERIFY2(e.Mesaj().contains("este incompleta"), qPrintable(e.Mesaj()));
            // The engine's English text goes only under "Detalii", never into the sentence the user reads.
            QVERIFY2(!e.Mesaj().contains("backup", Qt::CaseInsensitive) && !e.Mesaj().contains("gbak"),
                     qPrintable(e.Mesaj()));
            if (fel == "text")
                QVERIFY2(e.Detalii().contains("backup", Qt::CaseInsensitive), qPrintable(e.Detalii()));
        }
        QCOMPARE(FisiereDin(b.Dosar() + "/DB"), fisiere);
        QCOMPARE(Registru(b), registru);
    }

    void CopiileAutomatePastreazaSapte()
    {
        TBazaTest b;
        b.Porneste();
        const QString dosar = DosarCopii(b.CaleBaza());
        QDir().mkpath(dosar);
        QFile alta(dosar + "/a-mea.fbk"); // a copy the user named is never removed
        QVERIFY(alta.open(QIODevice::WriteOnly));
        alta.write("x");
        alta.close();
        const QDateTime inceput(QDate(2026, 12, 1), QTime(8, 0));
        // A copy made from the menu under the name proposed there, the day before: neither that day's automatic
        // copy nor one the rotation removes.
        const QString manuala = NumeCopieManuala(b.CaleBaza(), inceput.addDays(-1));
        QVERIFY(!EsteNumeCopieAutomata(b.CaleBaza(), manuala));
        FaCopieDeSiguranta(b.CaleBaza(), manuala);
        QVERIFY(!ExistaCopieDin(b.CaleBaza(), QDate(2026, 11, 30)));
        for (int zi = 0; zi < 9; ++zi)
            FaCopieAutomata(b.CaleBaza(), inceput.addDays(zi));
        QStringList asteptate;
        for (int zi = 2; zi < 9; ++zi)
            asteptate << "Tessaluna2006-automata-" + inceput.addDays(zi).toString("yyyyMMdd-HHmmss") + ".fbk";
        QVERIFY(EsteNumeCopieAutomata(b.CaleBaza(), dosar + u'/' + asteptate.first()));
        asteptate << "a-mea.fbk" << QFileInfo(manuala).fileName();
        asteptate.sort();
        QCOMPARE(FisiereDin(dosar), asteptate);
        QVERIFY(ExistaCopieDin(b.CaleBaza(), QDate(2026, 12, 9)));
        QVERIFY(!ExistaCopieDin(b.CaleBaza(), QDate(2026, 12, 10)));

        // A backup that fails says so, leaves no partial file and removes none of the seven.
        b.Inchide();
        QVERIFY(QFile::rename(b.CaleBaza(), b.Dosar() + "/mutata.fdb"));
        QVERIFY_THROWS_EXCEPTION(EEroareBD, FaCopieAutomata(b.CaleBaza(), inceput.addDays(20)));
        QCOMPARE(FisiereDin(dosar), asteptate);
    }

    void CopieInainteDeActualizare()
    {
        TBazaTest b;
        b.Porneste(); // a register just made from the template has nothing to keep
        QVERIFY(FisiereDin(b.Dosar() + "/DB/copii").isEmpty());

        b.Executa("UPDATE CONFID_DB SET VERSIUNE=2");
        b.Executa("ALTER TABLE PROFIL_DIPLOMA DROP ORDINE");
        b.AdaugaElev({{"C_NUME_L1", "Ana"}});
        // A backup folder that cannot be made stops the upgrade: the register stays as it was.
        QFile blocaj(b.Dosar() + "/DB/copii");
        QVERIFY(blocaj.open(QIODevice::WriteOnly));
        blocaj.close();
        try {
            b.Reporneste();
            QFAIL("the upgrade ran without its backup");
        } catch (const EEroare& e) {
            QVERIFY2(e.Mesaj().startsWith("Baza de date nu a fost actualizata"), qPrintable(e.Mesaj()));
        }
        QCOMPARE(b.Scalar("select VERSIUNE as C from CONFID_DB"), QStringLiteral("2"));
        QVERIFY(!b.Coloana("select trim(RDB$FIELD_NAME) as C from RDB$RELATION_FIELDS where RDB$RELATION_NAME = "
                           "'PROFIL_DIPLOMA'")
                     .contains("ORDINE"));
        QVERIFY(blocaj.remove());

        b.Reporneste();
        QCOMPARE(b.Scalar("select VERSIUNE as C from CONFID_DB"), QStringLiteral("3"));
        const QStringList copii = CopiiAutomate(b.CaleBaza());
        QCOMPARE(copii.size(), 1);
        QVERIFY2(copii[0].endsWith("-v2.fbk"), qPrintable(copii[0]));

        // The copy holds the register as it was before the upgrade.
        const QString tinta = b.Dosar() + "/verificare.fdb";
        RestaureazaCopie(copii[0], tinta);
        TDM veche(TDM::Separat);
        veche.Db.SetDatabaseName(tinta);
        veche.Db.Params() << "USER_NAME=sysdba"
                          << "password=velkortan";
        veche.Db.Open();
        veche.Tr.StartTransaction();
        veche.Q1.SetSQL("SELECT VERSIUNE FROM CONFID_DB");
        veche.Q1.Open();
        QCOMPARE(veche.Q1.FieldByName("VERSIUNE").AsInteger(), qint64(2));
        veche.Q1.Close();
        veche.Tr.Rollback();
        QCOMPARE(NumarEleviCurenti(veche), qint64(1));
    }
};

QTEST_GUILESS_MAIN(TestCopii)
#include "TestCopii.moc"
