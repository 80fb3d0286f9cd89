// The road of one certificate in the running windows, on a real database: a student selected in the list,
// the certificate's button pressed, the preview filled from the value store, the print job run to the PDF
// printer and the texts read back from the PDF.

#include "UFormularTest.h"
#include "UTestTiparire.h"

#include "entry/UButonFormular.h"
#include "entry/UListaElevi.h"
#include "platform/UActiune.h"
#include "platform/UMesaje.h"
#include "platform/URegistru.h"
#include "print/UCompletare.h"
#include "print/UHandlere.h"
#include "print/UMachetaFormular.h"
#include "print/UPaginaRandata.h"
#include "print/UImprimanta.h"
#include "print/UInsertPaper.h"
#include "print/UParticularizari.h"
#include "print/UPrintTessaluna.h"
#include "print/USetariImprimare.h"
#include "settings/UInfoGlobal2005.h"
#include "testsupport/UModal.h"
#include "testsupport/UPdfText.h"

#include <QCheckBox>
#include <QPrinter>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {
const QString CnpElev = QStringLiteral("1900101260013");

void Selecteaza(TListaElevi& l, const QString& inceput)
{
    const QList<const TLinieElev*> linii = l.LiniiAfisate();
    for (int i = 0; i < linii.size(); ++i) {
        if (linii[i]->Denumire.startsWith(inceput)) {
            l.SelecteazaRand(i);
            return;
        }
    }
    QFAIL(qPrintable("no student " + inceput));
}

QString Text(QDialog* d, int zona)
{
    auto* z = d->findChild<TFormularTextArea*>(QStringLiteral("FormularTextArea%1").arg(zona));
    return z ? z->Text() : QStringLiteral("<no area>");
}

QString Cifre(QDialog* d, const QList<int>& zone)
{
    QString s;
    for (int z : zone)
        s += Text(d, z).isEmpty() ? QStringLiteral("_") : Text(d, z);
    return s;
}

QList<int> Interval(int de, int la)
{
    QList<int> l;
    for (int i = de; i <= la; ++i)
        l << i;
    return l;
}

// The boxes of the stub's SIRUES code in the order of their positions.
const QList<int> ZoneSiruesCotor = {26, 27, 30, 50, 33, 52, 53, 54, 60};
const QList<int> ZoneSiruesCertificat = {63, 64, 66, 69, 78, 79, 80, 81, 82};
} // namespace

class TestDrumCertificat : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void buttonFillsThePreviewFromTheRegister();
    void fillingErrors_data();
    void fillingErrors();
    void gradeAreas();
    void printJobToPdf_data();
    void printJobToPdf();
    void printJobRefusedOrCancelled();
    void millimetresInAnyLocale_data();
    void millimetresInAnyLocale();
    void fillingResolvesEveryFieldAsValoareCamp();

private:
    qint64 ElevCuScoala();
    std::unique_ptr<TBazaTest> b;
    std::unique_ptr<QTemporaryDir> m_dosar;
};

void TestDrumCertificat::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
    ListaHandlere().Goleste();
    InregistreazaHandlerTessaluna();
}

void TestDrumCertificat::init()
{
    m_dosar = std::make_unique<QTemporaryDir>();
    b = PornesteTestDeTiparire(*m_dosar);
}

void TestDrumCertificat::cleanup()
{
    b.reset();
    QVERIFY(!QApplication::activeModalWidget());
}

// A student of a school whose SIRUES code is 123456789, tied to it by a link row.
qint64 TestDrumCertificat::ElevCuScoala()
{
    const qint64 id = b->AdaugaElev({{"C_NUME_L1", QString::fromUtf8("Ştefănescu")},
                                     {"C_NUME_L2", "Andrei"},
                                     {"C_CNP", CnpElev},
                                     {"C_AN_ABSOLVIRE", "2006"},
                                     {"A_AN_ABSOLVIRE", "1999"},
                                     {"C_ABREVIERE", "dl"},
                                     {"A_ABREVIERE", "dna"}});
    b->Executa("insert into SCOALA (ID_SCOALA) values (1)");
    b->ScrieValoare("SCOALA", 1, "C_COD_SIRUES", "123456789");
    b->Executa(QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, VALOARE_NUM, "
                              "ID_ELEVI, IDF_SCOALA) values ('Tessaluna', 'FATA', 'C_COD_SIRUES', '', 0, %1, 1)")
                   .arg(id));
    return id;
}

void TestDrumCertificat::buttonFillsThePreviewFromTheRegister()
{
    // The certificate's year follows its own value; its title of address mirrors the stub's.
    b->Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = 'NU' where COD_CAMP = 'A_AN_ABSOLVIRE'");
    ElevCuScoala();
    b->AdaugaElev({{"C_NUME_L1", "Popa"}, {"C_CNP", "29001012"}});
    TListaElevi lista;
    lista.Reincarca();
    auto* buton = lista.PanouButoane->findChild<TButonFormular*>("ButonTessaluna");
    QVERIFY(buton);

    Selecteaza(lista, QString::fromUtf8("Ştefănescu"));
    QDialog* vazut = nullptr;
    LaUrmatorulModal([&](QDialog* d) {
        vazut = d;
        QCOMPARE(d->windowTitle(), QString("Vizualizare inaintea imprimarii"));
        QVERIFY(d->windowState() & Qt::WindowMaximized);
        QCOMPARE(Text(d, 1), QString::fromUtf8("Ştefănescu"));
        QCOMPARE(Cifre(d, Interval(11, 23)), CnpElev);
        QCOMPARE(Cifre(d, Interval(37, 49)), CnpElev);
        QCOMPARE(Cifre(d, ZoneSiruesCotor), QString("123456789"));
        QCOMPARE(Cifre(d, ZoneSiruesCertificat), QString("123456789"));
        QCOMPARE(Text(d, 86), QString("6"));
        QCOMPARE(Text(d, 51), QString("9"));
        QCOMPARE(Text(d, 85), QString("dl"));
        QCOMPARE(Text(d, 3), QString());
        QVERIFY(!ModululDeDate().Tr.InTransaction());
        // The check names, with the student, a year the blank cannot hold after its printed "200".
        auto* f = static_cast<TPrintTessalunaForm*>(d);
        QTest::mouseClick(f->Verifica, Qt::LeftButton);
        QVERIFY2(TMesaje::UltimulMesaj().contains(QString::fromUtf8("Ştefănescu Andrei / Ştefănescu Andrei (") +
                                                  CnpElev +
                                                  "): Anul 1999 nu se poate scrie dupa 200 tiparit pe formular"),
                 qPrintable(TMesaje::UltimulMesaj()));
        QVERIFY(!TMesaje::UltimulMesaj().contains("Anul 2006"));
        QVERIFY(f->FormularDePrintat1->Zona("FormularTextArea51")->Semnalata());
        QVERIFY(!f->FormularDePrintat1->Zona("FormularTextArea86")->Semnalata());
        // A filled page keeps each field's help lines for "De unde preia acest camp datele".
        QVERIFY(!f->FormularDePrintat1->Zona("FormularTextArea1")->SursaText().isEmpty());
        QVERIFY(!ModululDeDate().Tr.InTransaction());
        static_cast<TPrintTessalunaForm*>(d)->MaresteZoom();
        d->reject();
    });
    QTest::mouseClick(buton, Qt::LeftButton);
    QVERIFY(vazut);
    QCOMPARE(static_cast<TPrintTessalunaForm*>(vazut)->FormularDePrintat1->Zoom(), 110.0);

    Selecteaza(lista, "Popa");
    QDialog* alDoilea = nullptr;
    LaUrmatorulModal([&](QDialog* d) {
        alDoilea = d;
        auto* pagina = static_cast<TPrintTessalunaForm*>(d)->FormularDePrintat1;
        QCOMPARE(pagina->Zoom(), 100.0);
        QCOMPARE(pagina->size(), QSize(1163, 823));
        QCOMPARE(Cifre(d, Interval(11, 23)), QString("29001012_____"));
        QCOMPARE(Cifre(d, ZoneSiruesCotor), QString("_________"));
        QCOMPARE(Text(d, 1), QString("Popa"));
        QCOMPARE(Text(d, 86), QString());
        // The check on demand outlines, on screen only, the fields that would print empty.
        auto* f = static_cast<TPrintTessalunaForm*>(d);
        QTest::mouseClick(f->Verifica, Qt::LeftButton);
        QVERIFY(f->FormularDePrintat1->Zona("FormularTextArea86")->Semnalata());
        QVERIFY(!f->FormularDePrintat1->Zona("FormularTextArea1")->Semnalata());
        QVERIFY(TMesaje::UltimulMesaj().contains("Anul absolvirii ciclului (cotor): camp gol"));
    });
    QTest::mouseClick(buton, Qt::LeftButton);
    QCOMPARE(alDoilea, vazut);
}

void TestDrumCertificat::fillingErrors_data()
{
    QTest::addColumn<QString>("denumire1");
    QTest::addColumn<QString>("denumire2");
    QTest::addColumn<QString>("denumire3");
    QTest::addColumn<QString>("mesaj");
    QTest::newRow("field missing from the profile")
        << "Tessaluna.FATA.C_LIPSA"
        << ""
        << ""
        << "FormularTextArea1.TFormularTextArea face referire la campul inexistent Tessaluna.FATA.C_LIPSA";
    QTest::newRow("position is the conversion's failure marker")
        << "Tessaluna.FATA.C_CNP"
        << "-1234"
        << ""
        << "FormularTextArea1.TFormularTextArea are denumire2=\"-1234\" (adica nu un numar)";
    QTest::newRow("count is not a number") << "Tessaluna.FATA.C_CNP"
                                           << "2"
                                           << "doi"
                                           << "FormularTextArea1.TFormularTextArea are Denumire3=\"doi\" (adica nu un "
                                              "numar)";
    QTest::newRow("grade kind unknown")
        << "Tessaluna.FATA.C_JUDETUL"
        << ""
        << "NOTA"
        << "FormularTextArea1.TFormularTextArea specifica un camp \"NOTA\" cu Denumire3 = \"NOTA\"; Denumire3 ar "
           "trebui sa fie NOTA_DIPLOMA, NOTA_COTOR, MEDIE_DIPLOMA sau MEDIE_COTOR!";
}

void TestDrumCertificat::fillingErrors()
{
    QFETCH(QString, denumire1);
    QFETCH(QString, denumire2);
    QFETCH(QString, denumire3);
    QFETCH(QString, mesaj);
    ElevCuScoala();
    TListaElevi lista;
    lista.Reincarca();
    Selecteaza(lista, QString::fromUtf8("Ştefănescu"));
    auto* buton = lista.PanouButoane->findChild<TButonFormular*>("ButonTessaluna");
    LaUrmatorulModal([](QDialog* d) { d->reject(); });
    QTest::mouseClick(buton, Qt::LeftButton);
    QVERIFY(buton->Formular);
    b->Executa("update PROFIL_DIPLOMA set TIP_DE_DATE = 'NOTA' where COD_CAMP = 'C_JUDETUL'");
    TFormularTextArea* zona = buton->Formular->findChild<TFormularTextArea*>("FormularTextArea1");
    zona->SetDenumire1(denumire1);
    zona->SetDenumire2(denumire2);
    zona->SetDenumire3(denumire3);
    // The area after the failing one keeps its text of the last filling: the filling stopped there.
    buton->Formular->findChild<TFormularTextArea*>("FormularTextArea2")->SetText("neatins");

    TMesaje::Goleste();
    // Fires inside the preview's modal loop if the preview opens, else right after the click.
    QDialog* aratat = nullptr;
    QTimer::singleShot(0, [&aratat] {
        aratat = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (aratat)
            aratat->reject();
    });
    QTest::mouseClick(buton, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!aratat);
    QCOMPARE(TMesaje::UltimulMesaj(), mesaj);
    QVERIFY(!ModululDeDate().Tr.InTransaction());
    QCOMPARE(Text(buton->Formular, 2), QString("neatins"));
}

void TestDrumCertificat::gradeAreas()
{
    // Two areas of one grade: the number goes into the upper one, the words into the lower one.
    b->Executa("update PROFIL_DIPLOMA set TIP_DE_DATE = 'NOTA' where COD_CAMP = 'C_FILIERA'");
    {
        TInfoGlobal2005 implicite;
        implicite.CompleteazaFormateLipsa();
    }
    const qint64 cuNota = b->AdaugaElev({{"C_NUME_L1", "Ion"}, {"C_FILIERA", "9,63"}});
    const qint64 faraNota = b->AdaugaElev({{"C_NUME_L1", "Ana"}});
    TPrintTessalunaForm f;
    TFormularTextArea* superioara = f.FormularDePrintat1->Zona("FormularTextArea5");
    TFormularTextArea* inferioara = f.FormularDePrintat1->Zona("FormularTextArea6");
    // The field's own area loses its key: an area without a key stays empty.
    TFormularTextArea* faraCheie = f.FormularDePrintat1->Zona("FormularTextArea62");
    faraCheie->SetDenumire1(QString());
    for (TFormularTextArea* z : {superioara, inferioara}) {
        z->SetDenumire1("Tessaluna.FATA.C_FILIERA");
        z->SetDenumire3("nota_diploma ");
    }
    QVERIFY(superioara->TopMm() < inferioara->TopMm());

    // Certificate grades default to the number in the upper area and the grade in words, in small letters,
    // in the lower one.
    QVERIFY2(RuleazaActiune(nullptr, [&] { CompleteazaPaginile(&f, cuNota); }), qPrintable(TMesaje::UltimulMesaj()));
    QCOMPARE(superioara->Text(), QString("9,63"));
    QCOMPARE(faraCheie->Text(), QString());
    QVERIFY2(inferioara->Text().size() > 4 && inferioara->Text() == inferioara->Text().toLower(),
             qPrintable(inferioara->Text()));
    QVERIFY(RuleazaActiune(nullptr, [&] { CompleteazaPaginile(&f, faraNota); }));
    QCOMPARE(superioara->Text(), QString("----"));
}

void TestDrumCertificat::printJobToPdf_data()
{
    QTest::addColumn<QString>("stanga");
    QTest::addColumn<QString>("sus");
    QTest::addColumn<double>("deltaStanga");
    QTest::addColumn<double>("deltaSus");
    QTest::addColumn<bool>("oglinda");
    QTest::newRow("margins typed with a decimal comma") << "3"
                                                        << "2,5" << 0.0 << 0.0 << false;
    QTest::newRow("margins and page offsets") << "1,5"
                                              << "0" << 2.25 << -1.0 << false;
    QTest::newRow("mirror") << "2"
                            << "1" << 0.0 << 0.0 << true;
}

void TestDrumCertificat::printJobToPdf()
{
    QFETCH(QString, stanga);
    QFETCH(QString, sus);
    QFETCH(double, deltaStanga);
    QFETCH(double, deltaSus);
    QFETCH(bool, oglinda);
    {
        TAllStuffReg setari;
        setari.Configurata = true;
        setari.ModAlimentare = 2;
    }
    SeteazaImprimantaCurenta(NumeImprimantaPdf);
    const qint64 id = ElevCuScoala();
    TPrintTessalunaForm f;
    QVERIFY(RuleazaActiune(nullptr, [&] { CompleteazaPaginile(&f, id); }));
    f.FormularDePrintat1->SetDeltaStanga(deltaStanga);
    f.FormularDePrintat1->SetDeltaSus(deltaSus);

    auto tipareste = [&](const QString& pdf, bool bifa) {
        TMesaje::SetFisierUrmator(pdf);
        LaUrmatorulModal([&](QDialog* d) {
            auto* dialog = qobject_cast<TInsertPaperForm*>(d);
            QVERIFY(dialog);
            dialog->MargineStanga->setText(stanga);
            dialog->MargineSus->setText(sus);
            dialog->Oglinda->setChecked(bifa);
            QTest::mouseClick(dialog->Ok, Qt::LeftButton);
        });
        QTest::mouseClick(f.Tipareste, Qt::LeftButton);
        QVERIFY2(QFile::exists(pdf), qPrintable(TMesaje::MesajeAfisate().join('\n')));
    };
    const QString pdf = m_dosar->filePath("certificat.pdf");
    tipareste(pdf, oglinda);

    const double s = CitesteMilimetri(stanga);
    const double u = CitesteMilimetri(sus);
    {
        const TAllStuffReg setari;
        QCOMPARE(setari.MargineStangaFata, s);
        QCOMPARE(setari.MargineSusFata, u);
        QCOMPARE(setari.OglindaFata, QString(oglinda ? "D" : "N"));
    }
    QFile fisier(pdf);
    QVERIFY(fisier.open(QIODevice::ReadOnly));
    QVERIFY2(!fisier.readAll().contains("/Subtype /Image"), "the blank form's picture was printed");

    const QList<TAsteptat> asteptate = Asteptate(f.FormularDePrintat1, s + deltaStanga, u + deltaSus);
    QVERIFY(asteptate.size() > 30);
    if (!oglinda) {
        VerificaLocuri(asteptate, Potriveste(asteptate, CitestePdf(pdf).Cuvinte));
        return;
    }
    // Mirrored: every word is the upright print's word turned about the centre of the sheet.
    const QString drept = m_dosar->filePath("drept.pdf");
    tipareste(drept, false);
    const QHash<QString, QRectF> inainte = Potriveste(asteptate, CitestePdf(drept).Cuvinte);
    VerificaLocuri(asteptate, inainte);
    const TDocumentPdf doc = CitestePdf(pdf);
    const QSizeF hartie = doc.Pagini.first();
    QList<TAsteptat> rotite;
    for (const TAsteptat& a : asteptate) {
        const QRectF r = inainte.value(a.zona);
        const QRectF reflectat(QPointF(hartie.width() - r.right(), hartie.height() - r.bottom()),
                               QPointF(hartie.width() - r.left(), hartie.height() - r.top()));
        rotite << TAsteptat{a.zona, a.text, taLeftJustify, reflectat};
    }
    VerificaLocuri(rotite, Potriveste(rotite, doc.Cuvinte));
}

void TestDrumCertificat::printJobRefusedOrCancelled()
{
    SeteazaImprimantaCurenta(NumeImprimantaPdf);
    TPrintTessalunaForm f;
    QTest::mouseClick(f.Tipareste, Qt::LeftButton);
    QCOMPARE(TMesaje::UltimulMesaj(), QString("Configureaza imprimanta"));
    {
        TAllStuffReg setari;
        setari.Configurata = true;
        setari.MargineStangaFata = 4;
        setari.ModAlimentare = 1;
    }
    // Cancelled: the old margins stay, the mirror choice made in the dialog is kept.
    LaUrmatorulModal([](QDialog* d) {
        auto* dialog = qobject_cast<TInsertPaperForm*>(d);
        QCOMPARE(dialog->MargineStanga->text(), QString("4"));
        QVERIFY(dialog->Oglinda->isChecked());
        dialog->MargineStanga->setText("7");
        dialog->Oglinda->setChecked(false);
        QTest::mouseClick(dialog->Renunt, Qt::LeftButton);
    });
    QTest::mouseClick(f.Tipareste, Qt::LeftButton);
    {
        const TAllStuffReg setari;
        QCOMPARE(setari.MargineStangaFata, 4.0);
        QCOMPARE(setari.OglindaFata, QString("N"));
    }
    // A PDF that cannot be written: the job ends with the reason, nothing is left open.
    TMesaje::Goleste();
    TMesaje::SetFisierUrmator(m_dosar->filePath("lipsa/nu/exista.pdf"));
    LaUrmatorulModal([](QDialog* d) { QTest::mouseClick(qobject_cast<TInsertPaperForm*>(d)->Ok, Qt::LeftButton); });
    QTest::mouseClick(f.Tipareste, Qt::LeftButton);
    QVERIFY2(TMesaje::UltimulMesaj().contains("nu poate fi scris"), qPrintable(TMesaje::UltimulMesaj()));
    QVERIFY(ImprimantaProgram().printerState() != QPrinter::Active);
    // A printer removed since the wizard chose it: the job says so and prints nothing.
    SeteazaImprimantaCurenta("Imprimanta scoasa din sistem");
    LaUrmatorulModal([](QDialog* d) { QTest::mouseClick(qobject_cast<TInsertPaperForm*>(d)->Ok, Qt::LeftButton); });
    QTest::mouseClick(f.Tipareste, Qt::LeftButton);
    QVERIFY2(TMesaje::UltimulMesaj().contains("nu mai este instalata"), qPrintable(TMesaje::UltimulMesaj()));
    SeteazaImprimantaCurenta(NumeImprimantaPdf);
    // A margin that is not a number keeps the dialog open with the conversion's message.
    TMesaje::Goleste();
    bool ramasDeschis = false;
    LaUrmatorulModal([&](QDialog* d) {
        auto* dialog = qobject_cast<TInsertPaperForm*>(d);
        dialog->MargineSus->setText("doi");
        QTest::mouseClick(dialog->Ok, Qt::LeftButton);
        ramasDeschis = dialog->isVisible();
        QTest::mouseClick(dialog->Renunt, Qt::LeftButton);
    });
    QTest::mouseClick(f.Tipareste, Qt::LeftButton);
    QVERIFY(ramasDeschis);
    QCOMPARE(TMesaje::MesajeAfisate().first(),
             QString("\"doi\" nu este un numar de milimetri. Scrieti, de exemplu, 2,5 sau 2.5."));
}

void TestDrumCertificat::millimetresInAnyLocale_data()
{
    QTest::addColumn<QString>("limba");
    QTest::addColumn<QString>("scris");
    QTest::addColumn<double>("valoare");
    for (const char* limba : {"C", "en_US", "ro_RO"}) {
        QTest::addRow("%s comma", limba) << limba << "2,5" << 2.5;
        QTest::addRow("%s point", limba) << limba << " 2.5 " << 2.5;
        QTest::addRow("%s negative", limba) << limba << "-0,25" << -0.25;
        QTest::addRow("%s thousands refused", limba) << limba << "1.250,5" << qQNaN();
        QTest::addRow("%s text refused", limba) << limba << "doi" << qQNaN();
    }
}

// The margins dialog reads "2,5" and "2.5" alike and shows a comma, whatever the desktop's language.
void TestDrumCertificat::millimetresInAnyLocale()
{
    QFETCH(QString, limba);
    QFETCH(QString, scris);
    QFETCH(double, valoare);
    const QLocale inainte;
    QLocale::setDefault(QLocale(limba));
    const auto revino = qScopeGuard([&] { QLocale::setDefault(inainte); });
    TInsertPaperForm dialog;
    QString aratat;
    LaUrmatorulModal([&](QDialog* d) {
        auto* f = qobject_cast<TInsertPaperForm*>(d);
        aratat = f->MargineStanga->text();
        f->MargineStanga->setText(scris);
        QTest::mouseClick(f->Ok, Qt::LeftButton);
        if (f->isVisible())
            QTest::mouseClick(f->Renunt, Qt::LeftButton);
    });
    const TRezultatInserare r = dialog.ArataInserare(0, 1.5, 2, false, 1, QStringLiteral("*"));
    QCOMPARE(aratat, QString("1,5"));
    if (qIsNaN(valoare)) {
        QVERIFY(!r.Ok);
        QVERIFY2(TMesaje::UltimulMesaj().contains("nu este un numar de milimetri"),
                 qPrintable(TMesaje::UltimulMesaj()));
    } else {
        QVERIFY(r.Ok);
        QCOMPARE(r.Stanga, valoare);
        QCOMPARE(TextMilimetri(r.Stanga), QString(scris).trimmed().replace('.', ','));
    }
}

void TestDrumCertificat::fillingResolvesEveryFieldAsValoareCamp()
{
    // Every mirror mode on some field, an own value that hides a mirror, a school field through its link row,
    // a second student whose values must not leak into the first's, and a field of a table with no link.
    b->Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = 'SELECTIV' where COD_CAMP = 'A_ABREVIERE'");
    b->Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = 'NU' where COD_CAMP = 'A_AN_ABSOLVIRE'");
    b->Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = 'DA', SIMILAR_CU = 'Tessaluna.FATA.C_NUME_L1' "
               "where COD_CAMP = 'A_NUME'");
    b->Executa("update PROFIL_DIPLOMA set ONOREZ_SIMILAR = 'OPTIONAL', SIMILAR_CU = 'Tessaluna.FATA.C_FILIERA' "
               "where COD_CAMP = 'C_PROFILUL'");
    const qint64 id = ElevCuScoala();
    b->ScrieValoare("SCOALA", 1, "C_UNITATEA_L1", QString::fromUtf8("Liceul Ştefan"));
    b->Executa(QStringLiteral("insert into \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, VALOARE_NUM, "
                              "ID_ELEVI, IDF_SCOALA) values ('Tessaluna', 'FATA', 'C_UNITATEA_L1', '', 0, %1, 1)")
                   .arg(id));
    const qint64 altul = b->AdaugaElev({{"C_NUME_L1", "Altul"}, {"C_FILIERA", "tehnologica"}, {"A_NUME", "Ion"}});
    b->ScrieValoare("ELEVI", id, "C_FILIERA", "teoretica");

    TDM& dm = b->Dm();
    TFormularRandat formular(MachetaCertificat());
    TPaginaRandata& pagina = formular.Pagini.first();
    for (const qint64 elev : {altul, id}) {
        TGardaTranzactie garda(dm.Tr);
        TCompletareFormular completare(dm, altul);
        completare.SchimbaElev(elev);
        CompleteazaPaginaRandata(completare, pagina);
        int verificate = 0;
        for (const TZonaRandata& z : pagina.Zone) {
            const QStringList cheie = z.Denumire1.split('.');
            QString asteptat = dm.ValoareCamp(cheie[0], cheie[1], cheie[2], elev);
            if (!z.Denumire2.isEmpty())
                asteptat = asteptat.mid(z.Denumire2.toInt() - 1, 1);
            QCOMPARE(z.Text, asteptat);
            verificate += !asteptat.isEmpty();
        }
        QVERIFY(verificate >= (elev == id ? 30 : 3));
    }
    QCOMPARE(pagina.Zone[0].Text, QString::fromUtf8("Ştefănescu"));
}

QTEST_MAIN(TestDrumCertificat)
#include "TestDrumCertificat.moc"
