#include "controls/UKivVirtualGrid.h"
#include "excel/UCititorFoi.h"
#include "excel/UExcelSelectieColoana.h"
#include "excel/UImportExcelExpert.h"
#include "excel/UKivExcelImportFrame.h"
#include "platform/UFoldere.h"
#include "platform/UMesaje.h"
#include "profile/UPornireDate.h"
#include "profile/UProfilTessaluna.h"
#include "store/UInregistrari.h"
#include "excel/FixtureCalc.h"
#include "testsupport/UBazaTest.h"
#include "testsupport/UModal.h"
#include "testsupport/UTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QTimer>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>

#include <csignal>
#include <cstdio>

namespace {
const QString CnpIon = QStringLiteral("1900101123457");
const QString CnpAna = QStringLiteral("6050505123455");
const QString CnpDan = QStringLiteral("5010203123454");


QString MesajFinal(int noi, int actualizati, int sarite)
{
    return QStringLiteral("Am finalizat preluarea din Excel cu succes.\nElevi noi: %1, elevi actualizati: %2, "
                          "randuri sarite: %3.")
        .arg(noi)
        .arg(actualizati)
        .arg(sarite);
}

QString ScrieFisier(const QString& cale, const QByteArray& continut)
{
    QFile f(cale);
    if (!f.open(QIODevice::WriteOnly) || f.write(continut) != continut.size())
        return {};
    return cale;
}

// Picks a column in the wizard's picker through its grid, as the keyboard does, and presses Ok.
void AlegeInSelectie(TImportExcelExpert& w, int coloana)
{
    LaUrmatorulModal([coloana](QDialog* d) {
        auto* s = qobject_cast<TExcelSelectieColoana*>(d);
        QVERIFY(s);
        s->Grid->MutaCelulaCurenta(coloana, 1, true, true);
        QTest::mouseClick(s->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    });
    Q_UNUSED(w);
}

void Inainte(TImportExcelExpert& w)
{
    QTest::mouseClick(w.ButonInainte, Qt::LeftButton);
}

// Runs the wizard from page 0 to the CNP page over a file: the form ticked, the first sheet read.
void PanaLaPaginaCnp(TImportExcelExpert& w, const QString& fisier)
{
    Inainte(w);
    w.ListaFormulare->item(0)->setCheckState(Qt::Checked);
    Inainte(w);
    TMesaje::SetFisierUrmator(fisier);
    QTest::mouseClick(w.ButonCauta, Qt::LeftButton);
    QVERIFY2(w.Foi->isEnabled(), qPrintable(TMesaje::UltimulMesaj()));
    w.Foi->setCurrentIndex(0);
    Inainte(w);
    QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgCnp));
}

// Runs the wizard from page 0 to the end over a file: the form ticked, the first sheet, CNP from column A,
// the name parts from column B, the specialisation from column C, every other field not imported.
void ParcurgeExpertul(TImportExcelExpert& w, const QString& fisier)
{
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    Inainte(w);
    QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgFormulare));
    // The caret is in the list of forms, and Space ticks the form under it.
    QCOMPARE(QApplication::focusWidget(), w.ListaFormulare);
    QTest::keyClick(w.ListaFormulare, Qt::Key_Space);
    QCOMPARE(w.ListaFormulare->item(0)->checkState(), Qt::Checked);
    Inainte(w);
    QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgFisier));
    TMesaje::SetFisierUrmator(fisier);
    QTest::mouseClick(w.ButonCauta, Qt::LeftButton);
    QVERIFY2(w.Foi->isEnabled(), qPrintable(TMesaje::UltimulMesaj()));
    w.Foi->setCurrentIndex(0);
    Inainte(w);
    QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgCnp));
    AlegeInSelectie(w, 0);
    QTest::mouseClick(w.ColoanaCnp->Buton(), Qt::LeftButton);
    QCOMPARE(w.ColoanaCnp->Text(), QStringLiteral("A"));
    for (TKivExcelImportFrame* p : std::as_const(w.PaginiCampuri)) {
        const QString camp = p->Cheie().section(u'.', 2);
        if (camp == "C_NUME_L1" || camp == "C_NUME_L2") {
            p->SetMod(camp == "C_NUME_L1" ? mpADouaParte : mpPrimaParte);
            p->Coloana->SetText("B");
        } else if (camp == "C_SPECIALIZAREA") {
            p->Coloana->SetText("C");
        } else if (camp == "C_AN_ABSOLVIRE") {
            p->Coloana->SetText("D");
        } else if (camp == "C_ABREVIERE") {
            p->Coloana->SetText("E");
        } else if (camp == "C_FILIERA") {
            p->SetMod(mpDinCnp);
            p->TextBaieti->setText("baiat");
            p->TextFete->setText("fata");
        } else {
            p->SetNuImport(true);
        }
    }
    for (int i = 0; i <= w.PaginiCampuri.size(); ++i)
        Inainte(w);
    QCOMPARE(w.PaginaActiva(), w.PaginaRaport());
    Inainte(w);
    QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgFinal));
    Inainte(w);
}

// Every student as "CNP|name 1|name 2|specialisation|branch|school|year|abbreviation", sorted.
QStringList Elevi(TBazaTest& b)
{
    QStringList r;
    TDM& dm = b.Dm();
    for (const QString& id : b.Coloana("select ID_ELEVI as C from ELEVI")) {
        QStringList v;
        for (const char* camp : {"C_CNP", "C_NUME_L1", "C_NUME_L2", "C_SPECIALIZAREA", "C_FILIERA", "C_UNITATEA_L1",
                                 "C_AN_ABSOLVIRE", "C_ABREVIERE"})
            v << dm.ValoareCamp("Tessaluna", "FATA", camp, id.toLongLong());
        r << v.join(u'|');
    }
    r.sort();
    return r;
}

int ImportaInCopil(const char* dosar);
} // namespace

class TestImportExpert : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TMesaje::SetFaraFerestre(true); }
    void init() { TMesaje::Goleste(); }

    // A CSV with a heading row, a duplicate CNP and Romanian letters, imported through every page: the row that
    // repeats a CNP is skipped, the first one stays.
    void ImportDinCsv()
    {
        TBazaTest b;
        b.Porneste();
        qint32 scoala = -1;
        {
            TGardaTranzactie g(b.Dm().Tr);
            scoala = CreeazaInregistrare(b.Dm(), "SCOALA");
            g.Commit();
        }
        b.ScrieValoare("SCOALA", scoala, "C_UNITATEA_L1", "Liceul Teoretic");
        const QString csv = ScrieFisier(b.Dosar() + "/clasa.csv", "CNP;Nume;Specializare\n" + CnpIon.toUtf8() +
                                                                      ";Popescu Ion Vasile;matematică-informatică\n" +
                                                                      CnpAna.toUtf8() + ";Ștefănescu Ana;științe\n" +
                                                                      CnpIon.toUtf8() + ";Popescu Ioan;filologie\n");
        TImportExcelExpert w(nullptr);
        w.show();
        ParcurgeExpertul(w, csv);
        QCOMPARE(TMesaje::UltimulMesaj(), MesajFinal(2, 0, 1));
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(Elevi(b), (QStringList{CnpIon + "|Ion Vasile|Popescu|matematică-informatică|baiat|Liceul Teoretic||",
                                        CnpAna + "|Ana|Ștefănescu|științe|fata|Liceul Teoretic||"}));

        // The same headings next time: the choices of this import are proposed again.
        TImportExcelExpert dinNou(nullptr);
        dinNou.show();
        PanaLaPaginaCnp(dinNou, csv);
        QCOMPARE(dinNou.ColoanaCnp->Text(), QStringLiteral("A"));
        for (const TKivExcelImportFrame* p : std::as_const(dinNou.PaginiCampuri)) {
            const QString camp = p->Cheie().section(u'.', 2);
            const TMapareCamp m = p->Mapare();
            if (camp == "C_NUME_L1")
                QVERIFY(!m.NuImport && m.Mod == mpADouaParte && m.Coloana == "B");
            else if (camp == "C_FILIERA")
                QVERIFY(m.Mod == mpDinCnp && m.TextBaieti == "baiat" && m.TextFete == "fata");
            else if (camp == "C_PROFILUL")
                QVERIFY(m.NuImport);
        }
        // "Renunt" keeps nothing: headings never imported have no choices remembered.
        const QString alta = ScrieFisier(b.Dosar() + "/alta.csv", "Cod;Elev\n" + CnpDan.toUtf8() + ";Dan Pop\n");
        TImportExcelExpert renunt(nullptr);
        renunt.show();
        PanaLaPaginaCnp(renunt, alta);
        renunt.ColoanaCnp->SetText("A");
        QTest::mouseClick(renunt.ButonRenunt, Qt::LeftButton);
        QCOMPARE(renunt.result(), int(QDialog::Rejected));
        QVERIFY(!MapareRetinuta({"Cod", "Elev"}));
        QVERIFY(MapareRetinuta({"CNP", "Nume", "Specializare"}));
    }

    // One sheet saved by Calc as .xlsx, .xls, .ods and .csv gives the same students: the CNP typed as a number,
    // a grade formatted "0.00", a date, Romanian letters of both kinds.
    void AceeasiFoaieInPatruFormate()
    {
        TFoaieFixture foaie;
        foaie.Nume = "Clasa a XII-a";
        foaie.LatimiCm = {1.0};
        foaie.Randuri = {{"CNP", "Nume", "Specializare", "Media", "Data"},
                         {TCelulaFixture::Numeric(CnpIon), "Popescu Ion Vasile", "matematică-informatică",
                          TCelulaFixture::Zecimal("9.5"), TCelulaFixture::Zi("2008-03-07")},
                         {TCelulaFixture::Numeric(CnpAna), "Ştefănescu Ana", "ştiinţe şi țări",
                          TCelulaFixture::Zecimal("10"), TCelulaFixture::Zi("2009-12-31")}};
        QTemporaryDir dosar;
        const QStringList asteptati{CnpIon + "|Ion Vasile|Popescu|matematică-informatică|baiat||9,50|07.03.2008",
                                    CnpAna + "|Ana|Ştefănescu|ştiinţe şi țări|fata||10,00|31.12.2009"};
        for (const char* extensie : {"xlsx", "xls", "ods", "csv"}) {
            const QString fisier = FaFisierCalc({foaie}, dosar.path(), "clasa", extensie);
            QVERIFY2(!fisier.isEmpty(), qPrintable(extensie));
            TBazaTest b;
            b.Porneste();
            TImportExcelExpert w(nullptr);
            w.show();
            ParcurgeExpertul(w, fisier);
            QCOMPARE(TMesaje::UltimulMesaj(), MesajFinal(2, 0, 0));
            QCOMPARE(Elevi(b), asteptati);
        }
    }

    // A class of 1,200 made by Calc with faulty rows: each shows in the report before anything is written, the
    // valid rows are written, past row 999 too, and the end counts them; boys born after 2000 are boys.
    void RaportulArataRandurileGresite()
    {
        TFoaieFixture foaie;
        foaie.Nume = "Clasa";
        foaie.Randuri << QList<TCelulaFixture>{"CNP", "Nume", "Specializare"};
        QStringList cnp;
        for (int i = 0; i < 1200; ++i) {
            cnp << CnpCuCifraDeControl(QStringLiteral("50805171%1").arg(i, 4, 10, QLatin1Char(u'0')));
            foaie.Randuri << QList<TCelulaFixture>{TCelulaFixture::Numeric(cnp.last()),
                                                   QStringLiteral("Elev%1 Pop").arg(i), "stiinte"};
        }
        foaie.Randuri[2][0] = TCelulaFixture::Numeric(cnp[1].left(12)); // row 3: 12 digits
        foaie.Randuri[3][0] = cnp[2].left(7) + " " + cnp[2].mid(7);     // row 4: a blank inside
        cnp[3][12] = QChar(u'0' + (cnp[3][12].digitValue() + 1) % 10);
        foaie.Randuri[4][0] = TCelulaFixture::Numeric(cnp[3]); // row 5: wrong control digit
        foaie.Randuri[5][0] = TCelulaFixture::Numeric(cnp[0]); // row 6: the CNP of row 2
        foaie.Randuri[6][2] = QString(300, u's');              // row 7: longer than a field
        QTemporaryDir dosar;
        const QString fisier = FaFisierCalc({foaie}, dosar.path(), "clasa", "xlsx");
        QVERIFY(!fisier.isEmpty());
        TBazaTest b;
        b.Porneste();
        TImportExcelExpert w(nullptr);
        w.show();
        QObject::connect(w.Pagini, &QStackedWidget::currentChanged, &w, [&](int pagina) {
            if (pagina != w.PaginaRaport())
                return;
            QList<int> sarite;
            for (const auto& r : w.Raport().Sarite)
                sarite << r.RandFoaie;
            QCOMPARE(sarite, (QList<int>{3, 4, 5, 6}));
            QCOMPARE(w.Raport().DeCreat.size(), 1196);
            QCOMPARE(w.Raport().DeCreat.last().RandFoaie, 1201);
            QCOMPARE(w.Raport().FaraCnp.size(), 1);
            const QString text = w.TextRaportImport->toPlainText();
            for (const char* rand :
                 {"randul 3: CNP-ul nu are exact 13 cifre", "randul 4: CNP-ul are spatii intre cifre",
                  "randul 5: CNP cu cifra de control gresita", "randul 6: CNP-ul apare si pe randul 2",
                  "randul 7, coloana C, campul C_SPECIALIZAREA: 300 caractere, se pastreaza 256"})
                QVERIFY2(text.contains(QString::fromUtf8(rand)), rand);
            QCOMPARE(b.Scalar("select count(*) as C from ELEVI"), QStringLiteral("0"));
        });
        ParcurgeExpertul(w, fisier);
        QCOMPARE(TMesaje::UltimulMesaj(), MesajFinal(1196, 0, 4));
        QCOMPARE(b.Scalar("select count(*) as C from ELEVI"), QStringLiteral("1196"));
        QCOMPARE(b.Scalar("select count(*) as C from \"DATE\" where COD_CAMP = 'C_FILIERA' and VALOARE_TEXT = 'baiat'"),
                 QStringLiteral("1196"));
        QCOMPARE(b.Scalar("select max(char_length(VALOARE_TEXT)) as C from \"DATE\" where COD_CAMP = "
                          "'C_SPECIALIZAREA'"),
                 QStringLiteral("256"));
    }

    // "Renunt" during the run stops after the row being written: the rows committed stay, the wizard stays open.
    void RenuntInTimpulImportului()
    {
        TBazaTest b;
        b.Porneste();
        QByteArray csv = "CNP,Nume\n";
        for (int i = 0; i < 6; ++i)
            csv += CnpCuCifraDeControl(QString::number(190010112345LL + i)).toUtf8() + ",Elev " + QByteArray::number(i) +
                   " Pop\n";
        TImportExcelExpert w(nullptr);
        w.show();
        bool apasat = false;
        QObject::connect(w.Progres, &QProgressBar::valueChanged, &w, [&](int valoare) {
            if (valoare == 2 && !apasat) {
                apasat = true;
                QTimer::singleShot(0, w.ButonRenunt, &QPushButton::click);
            }
        });
        ParcurgeExpertul(w, ScrieFisier(b.Dosar() + "/clasa.csv", csv));
        QVERIFY(apasat);
        QCOMPARE(TMesaje::UltimulMesaj(), QStringLiteral("Preluarea a fost oprita: am preluat 2 din 6 elevi."));
        QVERIFY(w.isVisible());
        QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgFinal));
        QCOMPARE(b.Scalar("select count(*) as C from ELEVI"), QStringLiteral("2"));
        // "Inainte" runs it again: the rows already written are found by their CNP and the rest are added.
        Inainte(w);
        QCOMPARE(TMesaje::UltimulMesaj(), MesajFinal(4, 2, 0));
        QCOMPARE(b.Scalar("select count(*) as C from ELEVI"), QStringLiteral("6"));
    }

    // The checks that keep the user on a page, and the way back.
    void PaginileSeVerifica()
    {
        TBazaTest b;
        b.Porneste();
        b.Executa("insert into PROFIL_DIPLOMA (COD_FORMULAR, COD_PAGINA, COD_CAMP, SIMILAR_CU, ETICHETA_EDITOR, "
                  "TIP_DE_DATE, ASOCIAT_CU, ORDINE) values ('AltaDiploma', 'FATA', 'NOTA', '', '[x]Nota', 'TEXT', "
                  "'ELEVI', 100)");
        TImportExcelExpert w(nullptr);
        w.show();
        QVERIFY(!w.ButonInapoi->isEnabled());
        QCOMPARE(w.ListaFormulare->count(), 2);
        QCOMPARE(w.ListaFormulare->item(1)->text(), QStringLiteral(" Alta Diploma"));
        Inainte(w);
        Inainte(w);
        QCOMPARE(TMesaje::UltimulMesaj(), QStringLiteral("Va rugam bifati cel putin un formular"));
        QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgFormulare));
        w.ListaFormulare->item(1)->setCheckState(Qt::Checked);
        Inainte(w);
        Inainte(w);
        QCOMPARE(TMesaje::UltimulMesaj(), QStringLiteral("Va rugam deschideti un fisier XLS si alegeti foaia de calcul "
                                                         "de pe care se va face importul"));
        // A file that cannot be read changes nothing.
        TMesaje::SetFisierUrmator(ScrieFisier(b.Dosar() + "/gol.xlsx", QByteArray()));
        QTest::mouseClick(w.ButonCauta, Qt::LeftButton);
        QVERIFY2(TMesaje::UltimulMesaj().startsWith("Nu pot citi fisierul"), qPrintable(TMesaje::UltimulMesaj()));
        QVERIFY(!w.Foi->isEnabled());
        QVERIFY(w.NumeFisier->text().isEmpty());

        // A sheet Calc reads but that holds no CNP stays on the sheet page with the reason.
        TMesaje::SetFisierUrmator(ScrieFisier(b.Dosar() + "/fara.csv", "Nume,Clasa\nDan Pop,12A\nAna Ion,12B\n"));
        QTest::mouseClick(w.ButonCauta, Qt::LeftButton);
        w.Foi->setCurrentIndex(0);
        Inainte(w);
        QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgFisier));
        QVERIFY2(TMesaje::UltimulMesaj().startsWith("Foaia \"" + w.Foi->currentText() +
                                                    "\" nu contine niciun rand cu un CNP"),
                 qPrintable(TMesaje::UltimulMesaj()));

        TMesaje::SetFisierUrmator(ScrieFisier(b.Dosar() + "/c.csv", CnpDan.toUtf8() + ",Dan\n"));
        QTest::mouseClick(w.ButonCauta, Qt::LeftButton);
        w.Foi->setCurrentIndex(0);
        Inainte(w);
        QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgCnp));
        Inainte(w);
        QCOMPARE(TMesaje::UltimulMesaj(),
                 QStringLiteral("Va rugam selectati coloana de pe care se vor prelua date pentru CNP"));
        w.Inapoi();
        QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgFisier));
        Inainte(w);
        w.ColoanaCnp->SetText("A");
        // The pages of the form that is not ticked are passed in one press, marked as not imported.
        Inainte(w);
        QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgPrimulCamp) + w.PaginiCampuri.size() - 1);
        QVERIFY(w.PaginiCampuri.first()->NuImport());
        QVERIFY(w.ButonInapoi->isEnabled());
        Inainte(w);
        QCOMPARE(TMesaje::UltimulMesaj(), QStringLiteral("Va rog selectati coloana din care voi prelua datele"));
        w.PaginiCampuri.last()->Coloana->SetText("B");
        Inainte(w);
        QCOMPARE(w.PaginaActiva(), w.PaginaRaport());
        Inainte(w);
        QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgFinal));
        w.Inapoi();
        QCOMPARE(w.PaginaActiva(), w.PaginaRaport());
        w.Inapoi();
        QCOMPARE(w.PaginaActiva(), w.PaginaRaport() - 1);
        while (w.PaginaActiva() >= TImportExcelExpert::pgPrimulCamp)
            w.Inapoi();
        QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgFormulare));
        w.Inapoi();
        QCOMPARE(w.PaginaActiva(), int(TImportExcelExpert::pgStart));
        QCOMPARE(b.Scalar("select count(*) as C from ELEVI"), QStringLiteral("0"));
    }

    // The picker: widths from the texts, the pick in the selection colours and its caption.
    void SelectiaColoanei()
    {
        TListaColoaneExcel l;
        l << TColoanaExcel{"A", {CnpIon, CnpAna}} << TColoanaExcel{"B", {"x", QString(200, u'W')}};
        const QList<int> latimi = LatimiColoaneSelectie(l);
        QCOMPARE(latimi.at(1), 312);
        QVERIFY(latimi.at(0) > 12 && latimi.at(0) < 312);
        TExcelSelectieColoana s(nullptr, l);
        s.show();
        QCOMPARE(s.Grid->Coloane().Count(), 2);
        QCOMPARE(s.Grid->Linii().Count(), 2);
        QCOMPARE(s.Grid->Coloana(), 0); // no fixed column: the caret starts in column A
        QVERIFY(s.ColoanaAleasa().isEmpty());
        QTest::mouseClick(s.findChild<QPushButton*>("Ok"), Qt::LeftButton);
        QVERIFY(s.isVisible()); // nothing picked: Ok does nothing
        s.Grid->MutaCelulaCurenta(1, 2, true, true);
        QCOMPARE(s.ColoanaAleasa(), QStringLiteral("B"));
        QCOMPARE(s.findChild<QLabel*>("ColoanaAleasa")->text(), QStringLiteral("Ati selectat coloana B"));
        QTest::keyClick(s.Grid, Qt::Key_Left);
        QCOMPARE(s.ColoanaAleasa(), QStringLiteral("A"));
        QTest::keyClick(s.Grid, Qt::Key_Return);
        QVERIFY(!s.isVisible());
        QCOMPARE(s.result(), int(QDialog::Accepted));
    }

    // A kill during a long import leaves whole students and a database that opens and takes the import again.
    void OprireInTimpulImportului()
    {
        auto b = std::make_unique<TBazaTest>();
        b->Porneste();
        const int campuriElev =
            b->Scalar("select count(*) as C from PROFIL_DIPLOMA where ASOCIAT_CU = 'ELEVI'").toInt();
        b->Inchide();
        QProcess copil;
        copil.start(QCoreApplication::applicationFilePath(), {"--importa-pana-la-oprire", b->Dosar()});
        QVERIFY(copil.waitForStarted());
        int scrise = 0;
        while (scrise < 40 && copil.waitForReadyRead(30000))
            while (copil.canReadLine())
                scrise = copil.readLine().trimmed().toInt() + 1;
        QVERIFY2(scrise >= 40, copil.readAllStandardError().constData());
        ::kill(pid_t(copil.processId()), SIGKILL);
        QVERIFY(copil.waitForFinished());

        b->Reporneste();
        const int elevi = b->Scalar("select count(*) as C from ELEVI").toInt();
        QVERIFY(elevi >= scrise && elevi < 3000);
        // Every student is whole: each has all his value rows and the name that goes with his CNP.
        QCOMPARE(b->Scalar(QStringLiteral("select count(*) as C from ELEVI e where (select count(*) from \"DATE\" d "
                                          "where d.ID_ELEVI = e.ID_ELEVI) <> %1")
                               .arg(campuriElev)),
                 QStringLiteral("0"));
        QCOMPARE(b->Scalar("select count(*) as C from \"DATE\" c join \"DATE\" n on n.ID_ELEVI = c.ID_ELEVI "
                           "where c.COD_CAMP = 'C_CNP' and n.COD_CAMP = 'C_NUME_L1' and n.VALOARE_TEXT <> "
                           "'Elev ' || c.VALOARE_TEXT"),
                 QStringLiteral("0"));
        b->Dm().VerificaCitirea();
    }
};

namespace {
// The child of the kill test: imports 3000 rows, telling each committed row on its standard output.
int ImportaInCopil(const char* dosar)
{
    PregatesteBlocareFirebird();
    InregistreazaClaseTessaluna();
    TDM dm;
    PornesteModululDeDate(dm, QString::fromLocal8Bit(dosar), DosarBinar());
    TListaColoaneExcel l;
    l << TColoanaExcel{"A", {}} << TColoanaExcel{"B", {}};
    for (int i = 0; i < 3000; ++i) {
        const QString cnp = QString::number(1000000000000LL + i);
        l[0].Texte << cnp;
        l[1].Texte << "Elev " + cnp;
    }
    TMapareCamp nume;
    nume.Cheie = "Tessaluna.FATA.C_NUME_L1";
    nume.Formular = "Tessaluna";
    nume.Coloana = "B";
    TImportElevi import(dm, l, {nume}, "A");
    import.Pregateste();
    for (int i = 0; i < import.NumarRanduri(); ++i) {
        import.ImportaRand(i);
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--importa-pana-la-oprire") == 0) {
        QCoreApplication app(argc, argv);
        return ImportaInCopil(argv[2]);
    }
    QApplication app(argc, argv);
    TestImportExpert t;
    return QTest::qExec(&t, argc, argv);
}

#include "TestImportExpert.moc"
