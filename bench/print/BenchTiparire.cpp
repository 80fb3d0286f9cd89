// Filling the certificate's 70 areas and printing them to a PDF through QPrinter: one certificate per
// document, and one document of 1,000 certificates.

#include "UProgramBenchmark.h"
#include "print/UConstructieFormular.h"
#include "print/UFormularDePrintat.h"
#include "print/UFormularTextArea.h"
#include "print/UMachetaFormular.h"
#include "print/UParticularizari.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
QTemporaryDir* g_dosar = nullptr;

struct TFormular
{
    QWidget fereastra;
    TFormularDePrintat* pagina = ConstruiesteFormular(MachetaCertificat(), &fereastra).first();
    QList<TFormularTextArea*> zone = pagina->Zone();
    QList<QString> valori;

    TFormular()
    {
        for (TFormularTextArea* z : zone)
            valori << z->Text();
    }

    // What the filling does for one student: every area gets its text (numbered so no two are alike).
    void Completeaza(int elev)
    {
        for (int i = 0; i < zone.size(); ++i) {
            const QString& v = valori[i];
            zone[i]->SetText(v.size() == 1 ? QString::number((elev + i) % 10) : v + QString::number(elev % 97));
        }
    }
};

void Pregateste(QPrinter& imprimanta, const QString& pdf)
{
    imprimanta.setOutputFormat(QPrinter::PdfFormat);
    imprimanta.setOutputFileName(pdf);
    imprimanta.setPageSize(QPageSize(QPageSize::A4));
    imprimanta.setPageOrientation(QPageLayout::Landscape);
}

void BM_UnCertificat(benchmark::State& state)
{
    TFormular f;
    // One printer for the whole program, as the print job has it; each certificate is a document.
    QPrinter imprimanta(QPrinter::HighResolution);
    Pregateste(imprimanta, g_dosar->filePath("unul.pdf"));
    int elev = 0;
    for (auto _ : state) {
        f.Completeaza(elev++);
        QPainter painter(&imprimanta);
        f.pagina->PrintTextAreas(painter, false, 2.5, 1.5);
        painter.end();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UnCertificat)->Unit(benchmark::kMillisecond);

void BM_1000DeCertificateIntrUnDocument(benchmark::State& state)
{
    TFormular f;
    QPrinter imprimanta(QPrinter::HighResolution);
    Pregateste(imprimanta, g_dosar->filePath("o-mie.pdf"));
    for (auto _ : state) {
        QPainter painter(&imprimanta);
        for (int elev = 0; elev < 1000; ++elev) {
            if (elev > 0)
                imprimanta.newPage();
            f.Completeaza(elev);
            f.pagina->PrintTextAreas(painter, elev % 2 == 1, 2.5, 1.5);
        }
        painter.end();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_1000DeCertificateIntrUnDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

// A document with one word in each of the certificate's fonts and nothing else: what the PDF itself costs.
void BM_DocumentFaraZone(benchmark::State& state)
{
    QPrinter imprimanta(QPrinter::HighResolution);
    Pregateste(imprimanta, g_dosar->filePath("gol.pdf"));
    for (auto _ : state) {
        QPainter painter(&imprimanta);
        for (const bool bold : {false, true}) {
            QFont font(QStringLiteral("Arial"));
            font.setBold(bold);
            font.setPixelSize(200);
            painter.setFont(font);
            painter.drawText(100, 300 + 300 * bold, QStringLiteral("Diploma"));
        }
        painter.end();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DocumentFaraZone)->Unit(benchmark::kMillisecond);

// Only the areas' printing, on a document already begun: the program's own share of the work.
void BM_DoarZonele(benchmark::State& state)
{
    TFormular f;
    f.Completeaza(1);
    QPrinter imprimanta(QPrinter::HighResolution);
    Pregateste(imprimanta, g_dosar->filePath("zone.pdf"));
    QPainter painter(&imprimanta);
    for (auto _ : state) {
        f.pagina->PrintTextAreas(painter, false, 2.5, 1.5);
        imprimanta.newPage();
    }
    painter.end();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DoarZonele)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dosar(SablonDosarInMemorie(QStringLiteral("bench_print")));
    g_dosar = &dosar;
    ReseteazaParticularizari(dosar.filePath("licenta.lic"));
    return RuleazaBenchmarkurile(argc, argv);
}
