// The page on screen: the drawn blank form with the values over it, hover, border and guide lines, fonts
// that repaint their areas, and the corrections editor opened by a click, whose choices reach the printer
// and survive a restart.

#include "UFormularTest.h"

#include "platform/UMesaje.h"
#include "print/UConstructieFormular.h"
#include "print/UEditorTextFormular.h"
#include "print/UMachetaFormular.h"
#include "print/UParticularizari.h"
#include "testsupport/UPdfText.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
// Runs `f` on the corrections editor as soon as it is shown modally; the editor is closed afterwards
// whatever `f` did, so a failed check cannot leave the test hanging in the modal loop.
void LaEditor(const std::function<void(TEditorTextFormular*)>& f)
{
    auto* ceas = new QTimer;
    ceas->setInterval(10);
    QObject::connect(ceas, &QTimer::timeout, [ceas, f] {
        auto* editor = qobject_cast<TEditorTextFormular*>(QApplication::activeModalWidget());
        if (!editor)
            return;
        ceas->stop();
        ceas->deleteLater();
        const auto inchide = qScopeGuard([editor] {
            if (editor->isVisible())
                editor->reject();
        });
        f(editor);
    });
    ceas->start();
}

template <typename T> T* Copil(QWidget* w, const char* nume)
{
    T* c = w->findChild<T*>(QLatin1String(nume));
    if (!c)
        QTest::qFail(qPrintable(QStringLiteral("no widget ") + nume), __FILE__, __LINE__);
    return c;
}

void Clic(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// The text's own ink: near-black pixels (the drawn form's labels are navy, its paper cream).
bool Cerneala(QRgb p)
{
    return qMax(qMax(qRed(p), qGreen(p)), qBlue(p)) < 110 && qBlue(p) - qRed(p) < 25;
}

QRectF PrimulCuvant(const QString& pdf, const QString& text)
{
    for (const TCuvantPdf& c : CitestePdf(pdf).Cuvinte) {
        if (c.Text == text)
            return c.Mm;
    }
    return {};
}

void Tipareste(TFormularDePrintat* pagina, const QString& pdf)
{
    QPrinter imprimanta(QPrinter::HighResolution);
    imprimanta.setOutputFormat(QPrinter::PdfFormat);
    imprimanta.setOutputFileName(pdf);
    imprimanta.setPageSize(QPageSize(QPageSize::A4));
    imprimanta.setPageOrientation(QPageLayout::Landscape);
    QPainter painter(&imprimanta);
    pagina->PrintTextAreas(painter, false, 0, 0);
}

class TUtilizatorNumarat : public TUtilizatorFont
{
public:
    void FontChanged() override { ++schimbari; }
    void FontDestroyed() override { distrus = true; }
    int schimbari = 0;
    bool distrus = false;
};
} // namespace

class TestPaginaEcran : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void pageShowsTheBlankFormWithTheValues();
    void pageWithoutPictureIsPlain();
    void hoverHighlightsTheArea();
    void borderAndGuideLines();
    void fontChangesReachOnlyItsAreas();
    void destroyedFontLeavesAreasWithoutText();
    void editorShowsTheRecordAndTheFonts();
    void clickCorrectionsReachThePrinterAndSurviveARestart();
    void cancelledEditorStillKeepsARecord();
    void unreadableStoreIsReportedOnceAndCorrectable();

private:
    std::unique_ptr<QTemporaryDir> m_dosar;
    QString m_cale;
};

void TestPaginaEcran::initTestCase()
{
    TMesaje::SetFaraFerestre(true);
}

void TestPaginaEcran::init()
{
    m_dosar = std::make_unique<QTemporaryDir>();
    m_cale = m_dosar->filePath("licenta.lic");
    ReseteazaParticularizari(m_cale);
    TMesaje::Goleste();
}

void TestPaginaEcran::cleanup()
{
    ReseteazaParticularizari(m_cale);
}

void TestPaginaEcran::pageShowsTheBlankFormWithTheValues()
{
    // As the preview holds it: the page in a scroll area of the form window.
    TFormularTest f;
    auto* defilare = new QScrollArea(f.Fereastra.get());
    defilare->setWidget(f.Pagina);
    defilare->resize(1200, 860);
    f.Fereastra->resize(1200, 860);
    f.Fereastra->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.Fereastra.get()));
    QCOMPARE(f.Pagina->size(), QSize(1163, 823));
    QCOMPARE(f.Zona("FormularTextArea11")->geometry(), QRect(109, 497, 18, 27));

    const QImage imagine = f.Pagina->grab().toImage();

    // The drawn form is under everything: paper-coloured margins, navy labels.
    QCOMPARE(QColor(imagine.pixel(5, 5)).name(), QStringLiteral("#fbf8ee"));
    QHash<QString, int> cernealaPeZona;
    int cernealaInAfara = 0;
    for (int y = 0; y < imagine.height(); ++y) {
        for (int x = 0; x < imagine.width(); ++x) {
            if (!Cerneala(imagine.pixel(x, y)))
                continue;
            bool inZona = false;
            for (const TFormularTextArea* z : f.Pagina->Zone()) {
                if (z->geometry().adjusted(-1, -1, 1, 1).contains(x, y)) {
                    ++cernealaPeZona[z->objectName()];
                    inZona = true;
                }
            }
            cernealaInAfara += inZona ? 0 : 1;
        }
    }
    QCOMPARE(cernealaInAfara, 0);
    for (const TFormularTextArea* z : f.Pagina->Zone())
        QVERIFY2(cernealaPeZona.value(z->objectName()) > 5, qPrintable(z->objectName()));
}

void TestPaginaEcran::pageWithoutPictureIsPlain()
{
    TFormularDePrintat pagina;
    pagina.SetLatime(50);
    pagina.SetInaltime(20);
    pagina.SetBkImage(QImage());
    const QImage imagine = pagina.grab().toImage();
    const QRgb fundal = pagina.palette().window().color().rgb();
    QCOMPARE(imagine.pixel(0, 0), fundal);
    QCOMPARE(imagine.pixel(imagine.width() - 1, imagine.height() - 1), fundal);
}

void TestPaginaEcran::hoverHighlightsTheArea()
{
    TFormularTest f;
    QVERIFY(f.Arata());
    TFormularTextArea* z = f.Zona("FormularTextArea36");
    QCOMPARE(z->cursor().shape(), Qt::PointingHandCursor);
    QEnterEvent intrare(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(z, &intrare);
    QVERIFY(z->Hover());
    const QImage aprins = z->grab().toImage();
    QCOMPARE(aprins.pixel(1, 1), z->palette().highlight().color().rgb());
    QEvent iesire(QEvent::Leave);
    QApplication::sendEvent(z, &iesire);
    QVERIFY(!z->Hover());
    QVERIFY(z->grab().toImage().pixel(1, 1) != z->palette().highlight().color().rgb());
}

void TestPaginaEcran::borderAndGuideLines()
{
    TFormularTest f;
    TFormularTextArea* z = f.Zona("FormularTextArea36");
    f.Pagina->SetTextAreaTransparent(false);
    f.Pagina->SetTextAreaWithBorder(true);
    f.Pagina->SetTextAreaBaseLine1(true);
    f.Pagina->SetTextAreaBaseLine2(true);
    f.Pagina->SetTextAreaBaseLine2_color(QColor(0, 0, 255));
    const QImage imagine = z->grab().toImage();
    QCOMPARE(QColor(imagine.pixel(0, 0)), QColor(Qt::black));
    QCOMPARE(QColor(imagine.pixel(z->width() - 1, 0)), QColor(Qt::black));
    QCOMPARE(QColor(imagine.pixel(z->width() / 2, 2)), z->palette().window().color());

    // The first guide line is the baseline, the second the page's delta lower (one millimetre: 3 px).
    int rosu = -1;
    for (int y = 0; y < imagine.height(); ++y) {
        if (QColor(imagine.pixel(z->width() - 3, y)) == QColor(Qt::red))
            rosu = y;
    }
    QVERIFY(rosu > z->height() / 2 && rosu < z->height() - 1);
    QVERIFY(rosu + 3 >= imagine.height() || QColor(imagine.pixel(z->width() - 3, rosu + 3)) == QColor(0, 0, 255));

    // An area outside a page is never transparent and draws no border or line.
    QWidget parinte;
    auto* singur = new TFormularTextArea(&parinte);
    singur->SetWidthMm(20);
    singur->SetHeightMm(8);
    singur->ZoomChanged();
    const QImage simplu = singur->grab().toImage();
    QCOMPARE(QColor(simplu.pixel(0, 0)), singur->palette().window().color());
}

void TestPaginaEcran::fontChangesReachOnlyItsAreas()
{
    TFontFormular a, b;
    TUtilizatorNumarat unu, doi, trei;
    a.AttachArea(&unu);
    a.AttachArea(&doi);
    b.AttachArea(&trei);
    a.SetSize(5);
    a.SetBold(true);
    a.SetDescrierePentruEditor("Arial 5"); // only stored
    QCOMPARE(unu.schimbari, 2);
    QCOMPARE(doi.schimbari, 2);
    QCOMPARE(trei.schimbari, 0);
    a.DetachArea(&unu);
    a.SetItalic(true);
    QCOMPARE(unu.schimbari, 2);
    QCOMPARE(doi.schimbari, 3);

    // In the certificate, every area of a font is attached to it, in child order.
    TFormularTest f;
    TFontFormular* dreaptaBold = f.Fereastra->findChild<TFontFormular*>("DREAPTA_BOLD");
    QCOMPARE(dreaptaBold->Zone().size(), 34);
    QCOMPARE(dreaptaBold->Eticheta(), QStringLiteral("DREAPTA_BOLD"));
    TFormularTextArea* z = f.Zona("FormularTextArea28");
    z->SetFont(f.Fereastra->findChild<TFontFormular*>("Stanga"));
    QCOMPARE(dreaptaBold->Zone().size(), 33);
    delete z;
    QCOMPARE(f.Fereastra->findChild<TFontFormular*>("Stanga")->Zone().size(), 23);
}

void TestPaginaEcran::destroyedFontLeavesAreasWithoutText()
{
    TFormularTest f;
    TFormularTextArea* z = f.Zona("FormularTextArea36");
    auto ink = [&] {
        const QImage imagine = z->grab().toImage();
        int n = 0;
        for (int y = 0; y < imagine.height(); ++y)
            for (int x = 0; x < imagine.width(); ++x)
                n += Cerneala(imagine.pixel(x, y)) ? 1 : 0;
        return n;
    };
    QVERIFY(ink() > 20);
    delete f.Fereastra->findChild<TFontFormular*>("dreapta_nume");
    QCOMPARE(z->Font(), nullptr);
    QCOMPARE(ink(), 0);
}

void TestPaginaEcran::editorShowsTheRecordAndTheFonts()
{
    TFormularTest f;
    QVERIFY(f.Arata());
    TFormularTextArea* z = f.Zona("FormularTextArea5");
    TParticularizareTextArea* r = z->FindAdjustment(true);
    r->Italic = 2;
    r->Bold = 1;
    r->FontSistem = "Un font care nu exista";
    r->TextRedefinit = "ALBA";
    r->Aliniere = 3;
    r->DeplasareOrizontala = -1;
    r->DeplasareVerticala = 1;
    r->NumeFont = "FontFormular9";

    bool vazut = false;
    LaEditor([&](TEditorTextFormular* e) {
        vazut = true;
        QCOMPARE(e->windowTitle(), QStringLiteral("Informatii camp"));
        auto* taburi = Copil<QTabWidget>(e, "Taburi");
        QCOMPARE(taburi->count(), 3);
        QCOMPARE(taburi->tabText(0), QStringLiteral("Informatii despre acest camp"));
        QCOMPARE(taburi->tabText(1), QStringLiteral("Redefinire text"));
        QCOMPARE(taburi->tabText(2), QStringLiteral("Asezare in pagina"));
        QCOMPARE(Copil<QComboBox>(e, "Italic")->currentText(), QStringLiteral("non-Italic"));
        QCOMPARE(Copil<QComboBox>(e, "Bold")->currentText(), QStringLiteral("Bold"));
        QVERIFY(Copil<QRadioButton>(e, "FontSpecificat")->isChecked());
        QCOMPARE(Copil<QListWidget>(e, "FonturiInstalate")->currentItem(), nullptr);
        QCOMPARE(Copil<QListWidget>(e, "FonturiInstalate")->count(), QFontDatabase::families().size());
        QCOMPARE(Copil<QPlainTextEdit>(e, "SursaText")->toPlainText(), z->SursaText().join('\n'));
        QVERIFY(Copil<QPlainTextEdit>(e, "SursaText")->isReadOnly());
        QCOMPARE(Copil<QLineEdit>(e, "TextRedefinit")->text(), QStringLiteral("ALBA"));
        QVERIFY(Copil<QRadioButton>(e, "AliniereDreapta")->isChecked());
        QVERIFY(Copil<QRadioButton>(e, "OrizontalStanga")->isChecked());
        QVERIFY(Copil<QRadioButton>(e, "VerticalJos")->isChecked());
        auto* fonturi = Copil<QListWidget>(e, "FonturiFormular");
        QCOMPARE(fonturi->count(), 22);
        QCOMPARE(fonturi->item(0)->text(), QStringLiteral("Stanga"));
        QCOMPARE(fonturi->item(12)->text(), QStringLiteral("Arial bold 4"));
        QCOMPARE(fonturi->currentItem()->text(), QStringLiteral("Arial 5"));
        Clic(Copil<QPushButton>(e, "Renunt"));
    });
    Clic(z);
    QVERIFY(vazut);
    QVERIFY(!z->Hover());
}

void TestPaginaEcran::clickCorrectionsReachThePrinterAndSurviveARestart()
{
    const QString inainte = m_dosar->filePath("inainte.pdf");
    const QString dupa = m_dosar->filePath("dupa.pdf");
    const QString repornit = m_dosar->filePath("repornit.pdf");
    const QString familie = QFontDatabase::families().contains("DejaVu Sans") ? QStringLiteral("DejaVu Sans")
                                                                              : QFontDatabase::families().first();
    {
        TFormularTest f;
        QVERIFY(f.Arata());
        TFormularTextArea* z = f.Zona("FormularTextArea5"); // C_LOCALITATEA, centred
        z->SetText("CLUJ");
        Tipareste(f.Pagina, inainte);

        LaEditor([&](TEditorTextFormular* e) {
            Copil<QRadioButton>(e, "AliniereDreapta")->setChecked(true);
            Copil<QRadioButton>(e, "VerticalSus")->setChecked(true);
            Copil<QRadioButton>(e, "OrizontalDreapta")->setChecked(true);
            Copil<QListWidget>(e, "FonturiFormular")->setCurrentRow(14); // FontFormular3, bold 6
            Copil<QComboBox>(e, "Italic")->setCurrentIndex(1);
            Copil<QRadioButton>(e, "FontSpecificat")->setChecked(true);
            auto* instalate = Copil<QListWidget>(e, "FonturiInstalate");
            instalate->setCurrentItem(instalate->findItems(familie, Qt::MatchExactly).first());
            Clic(Copil<QPushButton>(e, "Ok"));
        });
        Clic(z);

        const TParticularizareTextArea* r = z->FindAdjustment(false);
        QVERIFY(r);
        QCOMPARE(r->NumeFormular, QStringLiteral("PrintTessalunaForm"));
        QCOMPARE(r->Aliniere, 3);
        QCOMPARE(r->DeplasareOrizontala, 1);
        QCOMPARE(r->DeplasareVerticala, -1);
        QCOMPARE(r->NumeFont, QStringLiteral("FontFormular3"));
        QCOMPARE(r->Italic, 1);
        QCOMPARE(r->Bold, 0);
        QCOMPARE(r->FontSistem, familie);
        QCOMPARE(r->TextRedefinit, QString());
        Tipareste(f.Pagina, dupa);
    }

    // The next print: right-aligned on the area's right edge plus half a millimetre, half a millimetre
    // higher, in the bigger font.
    const TMachetaZona& mz = MachetaCertificat().Pagini.first().Zone.at(4);
    QCOMPARE(mz.Name, QStringLiteral("FormularTextArea5"));
    const QRectF a = PrimulCuvant(inainte, "CLUJ");
    const QRectF b = PrimulCuvant(dupa, "CLUJ");
    QVERIFY(qAbs(a.center().x() - (mz.Left + mz.Width / 2)) < 0.1);
    QVERIFY2(qAbs(b.right() - (mz.Left + mz.Width + 0.5)) < 0.1, qPrintable(QString::number(b.right())));
    QVERIFY(qAbs(b.bottom() - (mz.Top + mz.Height - 0.5)) < 0.1);
    QVERIFY(FonturiPdf(inainte).contains("LiberationSans"));
    if (familie == QLatin1String("DejaVu Sans"))
        QVERIFY(FonturiPdf(dupa).contains("DejaVuSans-BoldOblique"));

    // A restart: a new store read from the file, a new form.
    ReseteazaParticularizari(m_cale);
    TFormularTest g;
    g.Zona("FormularTextArea5")->SetText("CLUJ");
    Tipareste(g.Pagina, repornit);
    const QRectF c = PrimulCuvant(repornit, "CLUJ");
    QVERIFY(qAbs(c.left() - b.left()) < 0.01 && qAbs(c.bottom() - b.bottom()) < 0.01);
    QCOMPARE(g.Zona("FormularTextArea5")->FindAdjustment(false)->Font->objectName(), QStringLiteral("FontFormular3"));
}

void TestPaginaEcran::cancelledEditorStillKeepsARecord()
{
    TFormularTest f;
    QVERIFY(f.Arata());
    LaEditor([](TEditorTextFormular* e) {
        Copil<QRadioButton>(e, "AliniereStanga")->setChecked(true);
        Clic(Copil<QPushButton>(e, "Renunt"));
    });
    Clic(f.Zona("FormularTextArea12"));
    QVERIFY(QFile::exists(m_cale));
    ReseteazaParticularizari(m_cale);
    const TParticularizareTextArea* r = Particularizari().Cauta("PrintTessalunaForm", "FormularTextArea12", false);
    QVERIFY(r);
    QCOMPARE(r->Aliniere, 0);
    QCOMPARE(r->NumeFont, QString());
}

void TestPaginaEcran::unreadableStoreIsReportedOnceAndCorrectable()
{
    QFile fisier(m_cale);
    QVERIFY(fisier.open(QIODevice::WriteOnly));
    fisier.write(QByteArray::fromHex("0201"));
    fisier.close();
    ReseteazaParticularizari(m_cale);

    TFormularTest f;
    QVERIFY(f.Arata());
    QTRY_COMPARE(TMesaje::MesajeAfisate().size(), 1);
    QVERIFY(TMesaje::UltimulMesaj().contains("Invalid format"));
    QCOMPARE(TMesaje::UltimulTip(), TMesaje::Avertisment);

    // The editor opens all the same; cancelling leaves the file as it was, OK replaces it.
    LaEditor([](TEditorTextFormular* e) { Clic(Copil<QPushButton>(e, "Renunt")); });
    Clic(f.Zona("FormularTextArea36"));
    QCOMPARE(TMesaje::MesajeAfisate().size(), 1);
    QVERIFY(fisier.open(QIODevice::ReadOnly));
    QCOMPARE(fisier.readAll(), QByteArray::fromHex("0201"));
    fisier.close();
    LaEditor([](TEditorTextFormular* e) {
        Copil<QLineEdit>(e, "TextRedefinit")->setText("ANA");
        Clic(Copil<QPushButton>(e, "Ok"));
    });
    Clic(f.Zona("FormularTextArea36"));
    ReseteazaParticularizari(m_cale);
    QCOMPARE(Particularizari().EroareIncarcare(), QString());
    QCOMPARE(Particularizari().Cauta("PrintTessalunaForm", "FormularTextArea36", false)->TextRedefinit,
             QStringLiteral("ANA"));
}

QTEST_MAIN(TestPaginaEcran)
#include "TestPaginaEcran.moc"
