// The school's account of its numbered blanks: batches, the blanks a class job takes in order, a stopped job,
// an annulled blank and its reprint, the refusals before printing, and the two reports read back from the PDF
// and from the workbook.

#include "UTestTiparire.h"

#include "excel/UCititorFoi.h"
#include "platform/UForme.h"
#include "platform/UMesaje.h"
#include "platform/URegistru.h"
#include "print/UImprimanta.h"
#include "print/UHandlere.h"
#include "print/UInsertPaper.h"
#include "print/UPrintTessaluna.h"
#include "print/ULoturiFormulare.h"
#include "print/UParticularizari.h"
#include "print/URapoarteFormulare.h"
#include "print/USetariImprimare.h"
#include "print/UTiparireClasa.h"
#include "print/UTipaririElev.h"
#include "store/UFormulare.h"
#include "store/UInregistrari.h"
#include "testsupport/UModal.h"
#include "testsupport/UPdfText.h"

#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {
QString Nume(int i)
{
    return QStringLiteral("ELEV%1").arg(i, 2, 10, QLatin1Char('0'));
}

QString Cnp(int i)
{
    return QStringLiteral("50601012600%1").arg(i, 2, 10, QLatin1Char('0'));
}
} // namespace

class TestFormulare : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void batchesRefuseOverlapAndBadNumbers();
    void classTakesBlanksInOrderAndAnnulledOnesAreNeverReused();
    void stoppedJobRecordsTheSheetsSent();
    void reportsReadBackFromPdfAndWorkbook();
    void windowsRecordABatchAnnulAndReprint();
    void singleCertificateTakesOneBlankAndPdfCopiesNone();
    void longTextsWrapInsideTheirColumns();
    void registerKeepsTheNamePrintedNotTheListsWording();

private:
    QList<TElevDeTiparit> Clasa(int n);
    // Prints `elevi` to the PDF printer; the insert-paper step gets `numar` typed when not 0 and shows the
    // blank it proposed in `propus`.
    TRezultatPagini Tipareste(const QList<TElevDeTiparit>& elevi, qint64 numar = 0, QString* propus = nullptr,
                              const std::function<bool(int, int)>& opreste = {});
    qint64 Numar(const QString& sql) { return b->Scalar(sql).toLongLong(); }
    std::unique_ptr<TBazaTest> b;
    std::unique_ptr<QTemporaryDir> m_dosar;
};

void TestFormulare::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
}

void TestFormulare::init()
{
    m_dosar = std::make_unique<QTemporaryDir>();
    b = PornesteTestDeTiparire(*m_dosar);
    SeteazaImprimantaCurenta(NumeImprimantaPdf);
    TAllStuffReg setari;
    setari.Configurata = true;
}

void TestFormulare::cleanup()
{
    b.reset();
}

QList<TElevDeTiparit> TestFormulare::Clasa(int n)
{
    QList<TElevDeTiparit> elevi;
    for (int i = 1; i <= n; ++i)
        elevi << TElevDeTiparit{b->AdaugaElev({{"C_NUME_L1", Nume(i)}, {"C_CNP", Cnp(i)}}), Nume(i)};
    return elevi;
}

TRezultatPagini TestFormulare::Tipareste(const QList<TElevDeTiparit>& elevi, qint64 numar, QString* propus,
                                         const std::function<bool(int, int)>& opreste)
{
    const auto laHartie = [numar, propus](TInsertPaperForm* f) {
        if (propus)
            *propus = f->PanouFormular->isVisible() ? f->SerieFormular->text() + " " + f->NumarFormular->text()
                                                    : QStringLiteral("fara formular");
        if (numar)
            f->NumarFormular->setText(QString::number(numar));
    };
    return TiparesteClasaInPdf(elevi, m_dosar->filePath("lucrare.pdf"), laHartie, opreste);
}

void TestFormulare::batchesRefuseOverlapAndBadNumbers()
{
    // A database without the account's tables prints as before; the next start makes them.
    b->Executa("drop table FORMULARE_FOLOSITE");
    b->Executa("drop table LOTURI_FORMULARE");
    QString propus;
    QCOMPARE(Tipareste(Clasa(1), 0, &propus).Tiparite, 1);
    QCOMPARE(propus, QString("fara formular"));
    QCOMPARE(Numar("select count(*) as C from TIPARIRI"), 1);
    b->Reporneste();
    TDM& dm = b->Dm();
    // Without any batch a job takes no blank and the insert-paper step asks for none.
    QCOMPARE(Tipareste(Clasa(1), 0, &propus).Tiparite, 1);
    QCOMPARE(propus, QString("fara formular"));
    QCOMPARE(Numar("select count(*) as C from FORMULARE_FOLOSITE"), 0);

    AdaugaLot(dm, {0, " ab ", 1, 50, QDate(2026, 6, 1), "Aviz 12/2026"});
    AdaugaLot(dm, {0, "CD", 40, 60, QDate(2026, 6, 2), ""});
    struct TCaz
    {
        TLotFormulare lot;
        QString mesaj;
    };
    const QList<TCaz> refuzate = {
        {{0, "AB", 40, 60, QDate(2026, 6, 3), ""}, "se suprapune cu lotul seria AB nr. 1-50 primit la 01.06.2026"},
        {{0, "ab", 50, 50, QDate(2026, 6, 3), ""}, "se suprapune cu lotul seria AB nr. 1-50"},
        {{0, "AB", 70, 60, QDate(2026, 6, 3), ""}, "Numerele lotului sunt gresite"},
        {{0, "", 1, 10, QDate(2026, 6, 3), ""}, "Scrieti seria"},
        {{0, "EF", 0, 10, QDate(2026, 6, 3), ""}, "Numerele lotului sunt gresite"},
    };
    for (const TCaz& c : refuzate) {
        try {
            AdaugaLot(dm, c.lot);
            QFAIL(qPrintable("accepted: " + c.mesaj));
        } catch (const EEroare& e) {
            QVERIFY2(e.Mesaj().contains(c.mesaj), qPrintable(e.Mesaj()));
        }
    }
    QCOMPARE(Loturi(dm).size(), 2);
    const QList<TStocSerie> stoc = StocFormulare(dm);
    QCOMPARE(stoc.size(), 2);
    QCOMPARE(stoc[0].Serie, QString("AB"));
    QCOMPARE(stoc[0].Libere, 50);
    QCOMPARE(stoc[1].Total, 21);
    // A number outside every batch, an unknown series: named in the refusal.
    QVERIFY(VerificaFormulareDeLuat(dm, "AB", 51, 1).contains("seria AB nr. 51 nu face parte"));
    QVERIFY(VerificaFormulareDeLuat(dm, "XY", 1, 1).contains("Seria \"XY\" nu apare"));
    QVERIFY(VerificaFormulareDeLuat(dm, "cd", 40, 21).isEmpty());
    QVERIFY(VerificaFormulareDeLuat(dm, "CD", 41, 21).contains("mai are 20 formulare libere de la nr. 41"));
    QVERIFY(!dm.Tr.InTransaction());
}

void TestFormulare::classTakesBlanksInOrderAndAnnulledOnesAreNeverReused()
{
    TDM& dm = b->Dm();
    AdaugaLot(dm, {0, "AB", 1, 50, QDate(2026, 6, 1), ""});
    const QList<TElevDeTiparit> elevi = Clasa(31);
    QString propus;
    QCOMPARE(Tipareste(elevi.mid(0, 30), 0, &propus).Tiparite, 30);
    QCOMPARE(propus, QString("AB 1"));
    QVERIFY2(TMesaje::UltimulMesaj().endsWith("Formulare folosite: seria AB nr. 1-30."),
             qPrintable(TMesaje::UltimulMesaj()));
    // Sheet n of the job holds blank n, the student's name and CNP as printed, register number n, today.
    for (int i = 1; i <= 30; ++i) {
        const QStringList rand = b->Coloana(
            QStringLiteral("select f.NUMAR || '|' || f.ELEV || '|' || f.CNP || '|' || f.NR_REGISTRU || '|' || "
                           "f.DATA_ELIBERARII || '|' || t.ID_ELEVI as C from FORMULARE_FOLOSITE f join TIPARIRI t on "
                           "t.ID_LUCRARE = f.ID_LUCRARE and t.PAGINA = f.PAGINA where f.PAGINA = %1")
                .arg(i));
        QCOMPARE(rand, QStringList(QStringLiteral("%1|%2|%3|%1|%4|%5")
                                       .arg(i)
                                       .arg(Nume(i), Cnp(i), QDate::currentDate().toString("yyyy-MM-dd"))
                                       .arg(elevi[i - 1].Id)));
    }
    QCOMPARE(StocFormulare(dm).first().Libere, 20);
    QCOMPARE(StocFormulare(dm).first().Eliberate, 30);

    // A student holding an issued blank is not printed again until it is annulled.
    TMesaje::Goleste();
    QCOMPARE(TiparesteClasa(nullptr, {elevi[6]}).Tiparite, 0);
    QVERIFY2(TMesaje::UltimulMesaj().startsWith("Au deja un formular eliberat: ELEV07."),
             qPrintable(TMesaje::UltimulMesaj()));

    // Spoiled sheet 7: annulled with its reason, then reprinted on the next free blank.
    AnuleazaFormular(dm, "AB", 7, "Hartie blocata in imprimanta", QDate(2026, 6, 20));
    try {
        AnuleazaFormular(dm, "AB", 7, "din nou", QDate(2026, 6, 20));
        QFAIL("annulled twice");
    } catch (const EEroare& e) {
        QCOMPARE(e.Mesaj(), QString("Formularul seria AB nr. 7 este deja anulat."));
    }
    QCOMPARE(Tipareste({elevi[6]}, 0, &propus).Tiparite, 1);
    QCOMPARE(propus, QString("AB 31"));
    // The reprint takes the next blank and keeps the student's place in the register.
    QCOMPARE(b->Coloana(QStringLiteral("select NUMAR || ' ' || NR_REGISTRU as C from FORMULARE_FOLOSITE where STARE = "
                                       "'E' and ID_ELEVI = %1")
                            .arg(elevi[6].Id)),
             QStringList("31 7"));
    // A blank found spoiled in the cupboard, annulled by its number.
    AnuleazaFormular(dm, "AB", 32, "Patat", QDate(2026, 6, 21));
    // The annulled blank typed as the first in the tray: refused, the dialog stays open and nothing prints.
    TMesaje::Goleste();
    QCOMPARE(Tipareste({elevi[30]}, 7).Tiparite, 0);
    QCOMPARE(TMesaje::MesajeAfisate().value(0), QString("Formularul seria AB nr. 7 este anulat."));
    QCOMPARE(Tipareste({elevi[30]}, 31).Tiparite, 0);
    QVERIFY(TMesaje::MesajeAfisate().value(1).startsWith("Formularul seria AB nr. 31 a fost deja eliberat (ELEV07)"));
    // 33, past the annulled 32, as typed.
    QCOMPARE(Tipareste({elevi[30]}, 33).Tiparite, 1);
    QCOMPARE(Numar(QStringLiteral("select NUMAR as C from FORMULARE_FOLOSITE where ID_ELEVI = %1").arg(elevi[30].Id)),
             33);
    QCOMPARE(Numar("select count(*) as C from FORMULARE_FOLOSITE where NUMAR = 7 and STARE = 'A'"), 1);

    // 17 free are left (34-50): a job of 20 is refused before printing, with no sheet sent or recorded.
    const QList<TElevDeTiparit> altii = Clasa(20);
    const qint64 tiparite = Numar("select count(*) as C from TIPARIRI");
    TMesaje::Goleste();
    QCOMPARE(TiparesteClasa(nullptr, altii).Tiparite, 0);
    QVERIFY2(TMesaje::UltimulMesaj().startsWith("Lucrarea are nevoie de 20 formulare, dar in stoc sunt doar 17 "
                                                "libere."),
             qPrintable(TMesaje::UltimulMesaj()));
    QCOMPARE(Numar("select count(*) as C from TIPARIRI"), tiparite);
    const TStocSerie s = StocFormulare(dm).first();
    QCOMPARE(s.Libere, 17);
    QCOMPARE(s.Anulate, 2);
    QCOMPARE(s.Eliberate, 31);
    QVERIFY(!dm.Tr.InTransaction());
}

void TestFormulare::stoppedJobRecordsTheSheetsSent()
{
    AdaugaLot(b->Dm(), {0, "AB", 101, 150, QDate(2026, 6, 1), ""});
    const TRezultatPagini r = Tipareste(Clasa(30), 0, nullptr, [](int n, int) { return n == 10; });
    QCOMPARE(r.Tiparite, 10);
    QCOMPARE(b->Coloana("select NUMAR as C from FORMULARE_FOLOSITE order by NUMAR"),
             QStringList({"101", "102", "103", "104", "105", "106", "107", "108", "109", "110"}));
    QVERIFY2(TMesaje::UltimulMesaj().endsWith("Formulare folosite: seria AB nr. 101-110."),
             qPrintable(TMesaje::UltimulMesaj()));
}

void TestFormulare::reportsReadBackFromPdfAndWorkbook()
{
    TDM& dm = b->Dm();
    AdaugaLot(dm, {0, "AB", 1, 200, QDate(2026, 6, 1), ""});
    QCOMPARE(Tipareste(Clasa(60)).Tiparite, 60);
    AnuleazaFormular(dm, "AB", 5, "Scris gresit", QDate(2026, 6, 10));
    AnuleazaFormular(dm, "AB", 150, "Rupt in dulap", QDate(2026, 6, 12));
    AnuleazaFormular(dm, "AB", 151, "Din alta luna", QDate(2026, 7, 2));
    SchimbaRegistrul(dm, "AB", 6, 6, QDate(2026, 6, 15), QDate(2026, 6, 30));
    try {
        SchimbaRegistrul(dm, "AB", 8, 9, QDate(2026, 6, 15), QDate());
        QFAIL("a register number given twice");
    } catch (const EEroare& e) {
        QCOMPARE(e.Mesaj(), QString("Numarul 9 din registru este al formularului seria AB nr. 9."));
    }

    // A student deleted since keeps the account of the blank: name and CNP as printed.
    {
        const qint32 id = qint32(Numar("select ID_ELEVI as C from FORMULARE_FOLOSITE where NUMAR = 6"));
        TGardaTranzactie garda(dm.Tr);
        StergeInregistrare(dm, QStringLiteral("ELEVI"), id);
        garda.Commit();
    }
    QCOMPARE(Numar("select count(*) as C from ELEVI"), 59);
    const TRaportFormulare registru = RaportRegistru(dm);
    QCOMPARE(registru.Randuri.size(), 59);
    QCOMPARE(registru.Randuri[4].mid(0, 7), QStringList({"6", Nume(6), Cnp(6), "AB", "6", "15.06.2026", "30.06.2026"}));
    const QString pdf = m_dosar->filePath("registru.pdf");
    const int pagini = ScrieRaportPdf(registru, pdf);
    QVERIFY(pagini >= 2);
    const TDocumentPdf doc = CitestePdf(pdf);
    QCOMPARE(doc.Pagini.size(), pagini);
    QVERIFY(qAbs(doc.Pagini.first().width() - 297) < 0.5);
    // Every page carries the headings; every student is there once, in register order, page after page.
    QList<double> ordine;
    for (int p = 0; p < pagini; ++p) {
        int titluri = 0;
        for (const TCuvantPdf& c : doc.Cuvinte)
            titluri += c.Pagina == p && c.Text == u"CNP";
        QCOMPARE(titluri, 1);
    }
    QStringList nume;
    for (const TCuvantPdf& c : doc.Cuvinte)
        if (c.Text.startsWith(u"ELEV"))
            nume << c.Text;
    QStringList asteptate;
    for (int i = 1; i <= 60; ++i)
        if (i != 5)
            asteptate << Nume(i);
    QCOMPARE(nume, asteptate);

    const TRaportFormulare anulari = RaportAnulari(dm, QDate(2026, 6, 1), QDate(2026, 6, 30));
    QCOMPARE(anulari.Randuri.size(), 2);
    const QString xlsx = m_dosar->filePath("anulari.xlsx");
    ScrieRaportXlsx(anulari, xlsx);
    const QString xlsxRegistru = m_dosar->filePath("registru.xlsx");
    ScrieRaportXlsx(registru, xlsxRegistru);
    const QString pdfAnulari = m_dosar->filePath("anulari.pdf");
    QCOMPARE(ScrieRaportPdf(anulari, pdfAnulari), 1);
    const TDocumentPdf docAnulari = CitestePdf(pdfAnulari);
    QStringList motive;
    for (const TCuvantPdf& c : docAnulari.Cuvinte)
        if (c.Text == u"Scris" || c.Text == u"Rupt" || c.Text == u"Din")
            motive << c.Text;
    QCOMPARE(motive, QStringList({"Scris", "Rupt"}));

    std::unique_ptr<TCititorFoi> cititor = CreeazaCititorFoi();
    cititor->Deschide(xlsx);
    QCOMPARE(cititor->Text(0, "A4"), QString("Nr. crt."));
    QCOMPARE(QStringList({cititor->Text(0, "B5"), cititor->Text(0, "C5"), cititor->Text(0, "D5"),
                          cititor->Text(0, "E5"), cititor->Text(0, "F5")}),
             QStringList({"AB", "5", Nume(5), "10.06.2026", "Scris gresit"}));
    QCOMPARE(QStringList({cititor->Text(0, "C6"), cititor->Text(0, "D6"), cititor->Text(0, "F6")}),
             QStringList({"150", "", "Rupt in dulap"}));
    QCOMPARE(cititor->Text(0, "A7"), QString());
    cititor->Deschide(xlsxRegistru);
    QCOMPARE(cititor->Text(0, "C4"), QString("CNP"));
    QCOMPARE(cititor->Text(0, "C5"), Cnp(1));
    // 59 rows from row 5: the annulled blank 5 left the register.
    QCOMPARE(cititor->Text(0, "B8"), Nume(4));
    QCOMPARE(cititor->Text(0, "B9"), Nume(6));
    QCOMPARE(cititor->Text(0, "B63"), Nume(60));
    QCOMPARE(cititor->Text(0, "A63"), QString("60"));
    QCOMPARE(cititor->Text(0, "B64"), QString());
}

void TestFormulare::windowsRecordABatchAnnulAndReprint()
{
    TLoturiFormulareForm loturi;
    // The window opens with the caret in the batch's series, and comes back there after a batch is added.
    loturi.show();
    QVERIFY(QTest::qWaitForWindowActive(&loturi));
    QCOMPARE(QApplication::focusWidget(), loturi.LotSerie);
    // Tab leaves the date for the next box instead of walking its day, month and year.
    loturi.LotPrimit->setFocus();
    QTest::keyClick(loturi.LotPrimit, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), loturi.LotDocument);
    QTest::keyClick(loturi.LotDocument, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), loturi.LotPrimit);
    auto adauga = [&](const char* serie, const char* de, const char* pana) {
        loturi.LotSerie->setText(serie);
        loturi.LotDeLa->setText(de);
        loturi.LotPanaLa->setText(pana);
        loturi.AdaugaLotul->click();
    };
    adauga("AB", "1", "50");
    QCOMPARE(QApplication::focusWidget(), loturi.LotSerie);
    loturi.hide();
    QCOMPARE(loturi.Stoc->topLevelItemCount(), 1);
    QCOMPARE(loturi.Stoc->topLevelItem(0)->text(2), QString("50"));
    adauga("AB", "40", "x");
    QCOMPARE(TMesaje::UltimulMesaj(), QString("\"x\" nu este un numar (ultimul numar al lotului)."));
    adauga("AB", "40", "60");
    QVERIFY2(TMesaje::UltimulMesaj().contains("se suprapune cu lotul seria AB nr. 1-50"),
             qPrintable(TMesaje::UltimulMesaj()));
    QCOMPARE(loturi.ListaLoturi->topLevelItemCount(), 1);

    const QList<TElevDeTiparit> elevi = Clasa(3);
    QCOMPARE(Tipareste(elevi).Tiparite, 3);
    TTipaririElevForm tipariri(elevi[1].Id, elevi[1].Denumire);
    QCOMPARE(tipariri.Lista->topLevelItem(0)->text(4), QString("seria AB nr. 2"));
    tipariri.Lista->setCurrentItem(tipariri.Lista->topLevelItem(0));
    LaUrmatorulModal([](QDialog* d) {
        auto* f = qobject_cast<TAnulareFormularForm*>(d);
        f->Motiv->setText("Hartie sifonata");
        f->Ok->click();
    });
    tipariri.AnuleazaFormularul->click();
    QCOMPARE(tipariri.Lista->topLevelItem(0)->text(4), QString("seria AB nr. 2 (anulat: Hartie sifonata)"));
    // The blank's column, the last, shows whole unless the window already spans the work area.
    tipariri.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tipariri));
    const QHeaderView* capete = tipariri.Lista->header();
    QVERIFY2(capete->sectionViewportPosition(4) + capete->sectionSize(4) <= tipariri.Lista->viewport()->width() ||
                 tipariri.width() >= ZonaLucruSubCursor().width(),
             qPrintable(QString::number(tipariri.width())));
    tipariri.hide();
    TMesaje::SetFisierUrmator(m_dosar->filePath("retiparit.pdf"));
    LaUrmatorulModal([](QDialog* d) { qobject_cast<TInsertPaperForm*>(d)->Ok->click(); });
    tipariri.Retipareste->click();
    QCOMPARE(tipariri.Lista->topLevelItemCount(), 2);
    QCOMPARE(tipariri.Lista->topLevelItem(0)->text(4), QString("seria AB nr. 4"));

    loturi.Reincarca();
    QCOMPARE(loturi.Stoc->topLevelItem(0)->text(2), QString("46"));
    QCOMPARE(loturi.Registru->topLevelItemCount(), 3);
    loturi.Registru->setCurrentItem(loturi.Registru->topLevelItem(1));
    QCOMPARE(loturi.Registru->currentItem()->text(0), QString("2"));
    QCOMPARE(loturi.Registru->currentItem()->text(4), QString("4"));
    loturi.DataPrimirii->setText("31.02.2026");
    loturi.SalveazaRegistrul->click();
    QVERIFY2(TMesaje::UltimulMesaj().startsWith("\"31.02.2026\" nu este o data"), qPrintable(TMesaje::UltimulMesaj()));
    loturi.DataPrimirii->setText("30.12.2099");
    loturi.SalveazaRegistrul->click();
    QCOMPARE(b->Scalar("select CAST(DATA_PRIMIRII AS VARCHAR(10)) as C from FORMULARE_FOLOSITE where NUMAR = 4"),
             QString("2099-12-30"));
    const QString pdf = m_dosar->filePath("registru");
    TMesaje::SetFisierUrmator(pdf);
    loturi.RegistruPdf->click();
    QCOMPARE(TMesaje::UltimulMesaj(), "S-a salvat \"" + pdf + ".pdf\" (3 randuri, 1 pagina).");
    QVERIFY(QFile::exists(pdf + ".pdf"));
}

void TestFormulare::singleCertificateTakesOneBlankAndPdfCopiesNone()
{
    AdaugaLot(b->Dm(), {0, "AB", 1, 10, QDate(2026, 6, 1), ""});
    const QList<TElevDeTiparit> elevi = Clasa(2);
    {
        TPrintTessalunaForm f;
        PregatesteFormularNou(&f);
        CompleteazaPaginile(&f, elevi[0].Id, elevi[0].Denumire);
        TMesaje::SetFisierUrmator(m_dosar->filePath("singur.pdf"));
        LaUrmatorulModal([](QDialog* d) { QTest::mouseClick(qobject_cast<TInsertPaperForm*>(d)->Ok, Qt::LeftButton); });
        f.RuleazaTiparirea();
    }
    QCOMPARE(TMesaje::UltimulMesaj(), QString("Diploma s-a tiparit pe formularul seria AB nr. 1."));
    TMesaje::SetFisierUrmator(m_dosar->filePath("copii.pdf"));
    QVERIFY(SalveazaPdf(nullptr, elevi, true));
    QCOMPARE(b->Coloana("select ID_ELEVI || ' ' || NUMAR as C from FORMULARE_FOLOSITE"),
             QStringList(QStringLiteral("%1 1").arg(elevi[0].Id)));
}

void TestFormulare::longTextsWrapInsideTheirColumns()
{
    TRaportFormulare r;
    r.Titlu = "Proba";
    r.Orientare = QPageLayout::Portrait;
    r.Coloane = {{"Nr.", 15, true}, {"Numele", 40, false}, {"Motivul", 60, false}};
    const QString lung = "Popescu-Ionescu Alexandru-Constantin Maximilian Vasilescu Brancoveanu";
    const QString cuvantLung = QString(70, QLatin1Char('W'));
    for (int i = 1; i <= 120; ++i)
        r.Randuri << QStringList{QString::number(i), i % 7 == 0 ? lung : QStringLiteral("Scurt%1").arg(i),
                                 i % 11 == 0 ? cuvantLung : QStringLiteral("motiv%1").arg(i)};
    const QString pdf = m_dosar->filePath("lung.pdf");
    const int pagini = ScrieRaportPdf(r, pdf);
    const TDocumentPdf doc = CitestePdf(pdf);
    QCOMPARE(doc.Pagini.size(), pagini);
    QVERIFY(pagini >= 2);
    // Every word of the long name is printed, inside the name's column (15 + 15 to 70 mm), never clipped; the
    // word longer than its column is cut into pieces that together hold all its letters, inside theirs.
    int bucati = 0;
    qsizetype litere = 0;
    for (const TCuvantPdf& c : doc.Cuvinte) {
        if (lung.split(' ').contains(c.Text)) {
            ++bucati;
            QVERIFY2(c.Mm.left() >= 30 - 0.01 && c.Mm.right() <= 70 + 0.01, qPrintable(c.Text));
        }
        if (c.Text.startsWith(u"WW") || c.Text == u"W") {
            litere += c.Text.size();
            QVERIFY2(c.Mm.left() >= 70 - 0.01 && c.Mm.right() <= 130 + 0.01, qPrintable(c.Text));
        }
    }
    QCOMPARE(bucati, 17 * 5);
    QCOMPARE(litere, 10 * 70);
    // Each row's number stands once, in order: no row is lost or split at a page's end.
    QStringList numere, asteptate;
    for (const TCuvantPdf& c : doc.Cuvinte)
        if (c.Mm.left() < 30 && c.Mm.top() > 25 && c.Text.toInt() > 0)
            numere << c.Text;
    for (int i = 1; i <= 120; ++i)
        asteptate << QString::number(i);
    QCOMPARE(numere, asteptate);
}

QTEST_MAIN(TestFormulare)
void TestFormulare::registerKeepsTheNamePrintedNotTheListsWording()
{
    AdaugaLot(b->Dm(), {0, "AB", 1, 10, QDate(2026, 6, 1), ""});
    const QList<TElevDeTiparit> elevi{
        {b->AdaugaElev({{"A_NUME", "Popescu  Ion"}, {"C_NUME_L1", "POPESCU"}, {"C_NUME_L2", "ION"}}),
         "POPESCU ION / Popescu Ion (5080315400011)"},
        {b->AdaugaElev({{"C_NUME_L1", "IONESCU"}, {"C_NUME_L2", "MARIA"}}), "IONESCU MARIA (6081122400022)"},
        {b->AdaugaElev({{"C_CNP", "5100601120034"}}), "(5100601120034)"}};
    QCOMPARE(Tipareste(elevi).Tiparite, 3);
    QCOMPARE(RaportRegistru(b->Dm()).Subtitlu.section(',', 0, 0), QString("3 certificate eliberate"));
    QVERIFY(RaportAnulari(b->Dm(), QDate(2026, 1, 1), QDate(2026, 12, 31)).Subtitlu.startsWith("0 formulare anulate"));
    QCOMPARE((QStringList{Cate(1, "rand", "randuri"), Cate(19, "rand", "randuri"), Cate(20, "rand", "randuri"),
                          Cate(101, "rand", "randuri"), Cate(120, "rand", "randuri"), Cate(200, "rand", "randuri")}),
             (QStringList{"1 rand", "19 randuri", "20 de randuri", "101 randuri", "120 de randuri", "200 de randuri"}));
    QStringList nume;
    for (const TFormularFolosit& f : FormulareEliberate(b->Dm()))
        nume << f.Elev;
    QCOMPARE(nume, QStringList({"Popescu Ion", "IONESCU MARIA", "(5100601120034)"}));
}

#include "TestFormulare.moc"
