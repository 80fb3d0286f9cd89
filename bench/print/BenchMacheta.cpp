// The layout editor: a scanned blank given as a PDF drawn for the page (once per program run, when the preview
// first opens), and one step of a mouse drag in the running preview (what each mouse move costs).

#include "UProgramBenchmark.h"
#include "print/UEditorMacheta.h"
#include "print/UFormularDePrintat.h"
#include "print/UFormularTextArea.h"
#include "print/UMachetaFormular.h"
#include "print/UMachetaProprie.h"
#include "print/UPrintTessaluna.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
QTemporaryDir* g_dosar = nullptr;

// A scan of an A4 sheet at 300 dots per inch, as a scanner's PDF holds it: one picture filling the page.
QString ScanPdf()
{
    static const QString cale = [] {
        const QString c = g_dosar->filePath("scan.pdf");
        QImage scan(3508, 2480, QImage::Format_RGB32);
        for (int y = 0; y < scan.height(); ++y) {
            auto* linie = reinterpret_cast<QRgb*>(scan.scanLine(y));
            for (int x = 0; x < scan.width(); ++x)
                linie[x] = qRgb(200 + (x * y) % 50, 220, 180 + (x + y) % 70);
        }
        QPdfWriter pdf(c);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        pdf.setResolution(300);
        QPainter p(&pdf);
        p.drawImage(QRect(0, 0, 3508, 2480), scan);
        return c;
    }();
    return cale;
}

void BM_FundalPdf(benchmark::State& state)
{
    const QString pdf = ScanPdf();
    const TMachetaPagina& pagina = MachetaCertificatInitiala().Pagini.first();
    for (auto _ : state) {
        const QImage imagine = ImagineFundal(pdf, pagina.Latime, pagina.Inaltime);
        benchmark::DoNotOptimize(imagine.constBits());
    }
}
BENCHMARK(BM_FundalPdf)->Unit(benchmark::kMillisecond);

// One mouse move of a drag of the 13 digit boxes of the certificate's CNP: the areas placed again and the page
// repainted.
void BM_PasTragere(benchmark::State& state)
{
    TPrintTessalunaForm f;
    f.resize(1024, 768);
    f.show();
    f.Macheta->click();
    TFormularTextArea* prima = f.findChild<TFormularTextArea*>(QStringLiteral("FormularTextArea37"));
    const QList<TFormularTextArea*> zone = f.FormularDePrintat1->Zone();
    for (int i = 0; i < zone.size(); ++i)
        if (zone[i]->Denumire1().endsWith(QLatin1String("A_CNP")))
            f.EditorMacheta()->Selecteaza(i, true);
    const QPointF local(prima->width() / 2.0, prima->height() / 2.0);
    const QPointF global = prima->mapToGlobal(local);
    QMouseEvent apasare(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(prima, &apasare);
    int pas = 0;
    for (auto _ : state) {
        const QPointF acum = global + QPointF(5 + pas++ % 40, 3);
        QMouseEvent miscare(QEvent::MouseMove, prima->mapFromGlobal(acum), acum, Qt::NoButton, Qt::LeftButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(prima, &miscare);
        QCoreApplication::processEvents();
    }
    QMouseEvent eliberare(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(prima, &eliberare);
}
BENCHMARK(BM_PasTragere)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dosar;
    g_dosar = &dosar;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dosar.filePath("date")));
    return RuleazaBenchmarkurile(argc, argv);
}
