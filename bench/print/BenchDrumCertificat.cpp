// One certificate from the pressed button to the finished PDF: the student's values read from a register
// of 1,000 students (every field filled, a school tied) into the preview's 70 areas, then the print job's document on
// the PDF printer. The dialogs the user answers are left out; everything the program computes is in.

#include "UProgramBenchmark.h"
#include "URegistruRealist.h"

#include "platform/UActiune.h"
#include "platform/UMesaje.h"
#include "print/UHandlere.h"
#include "print/UImprimanta.h"
#include "print/UParticularizari.h"
#include "print/UPrintTessaluna.h"
#include "print/USetariImprimare.h"
#include "testsupport/UBazaTest.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
QTemporaryDir* g_dosar = nullptr;

void DeLaButonLaPdf(benchmark::State& state)
{
    TBazaTest& b = RegistruRealist(1000);
    const qint64 id = b.Scalar("select max(ID_ELEVI) as C from ELEVI").toLongLong();
    SeteazaImprimantaCurenta(NumeImprimantaPdf);
    TPrintTessalunaForm f;
    PregatesteFormularNou(&f);
    const QString pdf = g_dosar->filePath("certificat.pdf");
    for (auto _ : state) {
        CompleteazaPaginile(&f, id);
        {
            // The job reads the print settings twice (the check writes nothing) and writes them back once.
            const TSetariImprimare verificare = TSetariImprimare::Citite();
            TAllStuffReg setari;
            TMesaje::SetFisierUrmator(pdf);
            f.TiparesteParte(0, false, setari.MargineStangaFata, setari.MargineSusFata);
        }
    }
    if (QFileInfo(pdf).size() < 1000)
        state.SkipWithError("no PDF written");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(DeLaButonLaPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

void DoarCompletarea(benchmark::State& state)
{
    TBazaTest& b = RegistruRealist(1000);
    const qint64 id = b.Scalar("select max(ID_ELEVI) as C from ELEVI").toLongLong();
    TPrintTessalunaForm f;
    for (auto _ : state)
        CompleteazaPaginile(&f, id);
}
BENCHMARK(DoarCompletarea)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dosar(SablonDosarInMemorie(QStringLiteral("bench_drum")));
    g_dosar = &dosar;
    // The print settings go to a registry file of the benchmark's own, never the user's.
    qputenv("XDG_CONFIG_HOME", dosar.filePath("config").toLocal8Bit());
    QApplication app(argc, argv);
    TMesaje::SetFaraFerestre(true);
    ReseteazaParticularizari(dosar.filePath("licenta.lic"));
    return RuleazaBenchmarkurile(argc, argv);
}
