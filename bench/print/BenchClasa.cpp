// A class printed into one PDF by the class job's own code: every student's values read from a register as a
// school holds it (every field filled, a school tied), filled into the page held as data and drawn, one page
// at a time. 100, 1,000 and 10,000 students; the counters give the process's peak memory before the job (the
// register's growth) and after it. "Tipareste" of the class dialog adds the check before printing.

#include "UProgramBenchmark.h"
#include "URegistruRealist.h"

#include "entry/UTiparireClasaForm.h"
#include "platform/UMesaje.h"
#include "print/UCompletare.h"
#include "settings/UInfoGlobal2005.h"
#include "store/UDataModule.h"
#include "print/UMachetaFormular.h"
#include "print/UPaginaRandata.h"
#include "print/UParticularizari.h"
#include "print/UTiparireClasa.h"
#include "testsupport/UBazaTest.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {
QTemporaryDir* g_dosar = nullptr;

double VarfMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

void ClasaIntrUnPdf(benchmark::State& state)
{
    const int n = int(state.range(0));
    TBazaTest& b = RegistruRealist(n);
    QList<TElevDeTiparit> elevi;
    for (const QString& id : b.Coloana("select ID_ELEVI as C from ELEVI order by ID_ELEVI"))
        elevi << TElevDeTiparit{id.toLongLong(), id};
    const double inainte = VarfMb();
    const QString pdf = g_dosar->filePath("clasa.pdf");
    int pagini = 0;
    for (auto _ : state) {
        TFormularRandat formular(MachetaCertificat());
        QPrinter imprimanta(QPrinter::HighResolution);
        imprimanta.setOutputFormat(QPrinter::PdfFormat);
        imprimanta.setOutputFileName(pdf);
        imprimanta.setPageSize(QPageSize(QPageSize::A4));
        imprimanta.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&imprimanta);
        pagini = TiparesteElevi(painter, imprimanta, formular, elevi, TParametriTiparire{2.5, 1.5, false, {}}, false)
                     .Tiparite;
        painter.end();
    }
    if (pagini != n)
        state.SkipWithError("not every page printed");
    state.counters["varf_inainte_MB"] = inainte;
    state.counters["varf_dupa_MB"] = VarfMb();
    state.counters["pdf_MB"] = QFileInfo(pdf).size() / 1048576.0;
}
BENCHMARK(ClasaIntrUnPdf)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
// What "Tipareste" of the class dialog computes: the check of every student, then the same PDF.
void VerificareSiPdf(benchmark::State& state)
{
    const int n = int(state.range(0));
    TBazaTest& b = RegistruRealist(n);
    QList<TElevDeTiparit> elevi;
    for (const QString& id : b.Coloana("select ID_ELEVI as C from ELEVI order by ID_ELEVI"))
        elevi << TElevDeTiparit{id.toLongLong(), id};
    const QString pdf = g_dosar->filePath("verificat.pdf");
    int pagini = 0;
    qsizetype probleme = 0;
    for (auto _ : state) {
        TPaginiCompletate completate;
        const QList<TProblemaElev> gasite = VerificaElevi(elevi, &completate);
        probleme = gasite.size();
        TFormularRandat formular(MachetaCertificat());
        QPrinter imprimanta(QPrinter::HighResolution);
        imprimanta.setOutputFormat(QPrinter::PdfFormat);
        imprimanta.setOutputFileName(pdf);
        imprimanta.setPageSize(QPageSize(QPageSize::A4));
        imprimanta.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&imprimanta);
        pagini = TiparesteElevi(painter, imprimanta, formular, elevi, TParametriTiparire{2.5, 1.5, false, {}}, false,
                                {}, &completate)
                     .Tiparite;
        painter.end();
    }
    if (pagini != n)
        state.SkipWithError("not every page printed");
    state.counters["probleme"] = double(probleme);
    state.counters["varf_dupa_MB"] = VarfMb();
}
BENCHMARK(VerificareSiPdf)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The filling alone, the same students, no page drawn: the database's share of the job.
void DoarCompletarea(benchmark::State& state)
{
    const int n = int(state.range(0));
    TBazaTest& b = RegistruRealist(n);
    const QStringList id = b.Coloana("select ID_ELEVI as C from ELEVI order by ID_ELEVI");
    TDM& dm = b.Dm();
    for (auto _ : state) {
        TFormularRandat formular(MachetaCertificat());
        const TInfoGlobal2005 setari;
        dm.Tr.StartTransaction();
        TCompletareFormular completare(dm, 0);
        for (const QString& e : id) {
            completare.SchimbaElev(e.toLongLong());
            CompleteazaPaginaRandata(completare, setari, formular.Pagini.first());
        }
        dm.Tr.Rollback();
    }
}
BENCHMARK(DoarCompletarea)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dosar(SablonDosarInMemorie(QStringLiteral("bench_clasa")));
    g_dosar = &dosar;
    qputenv("XDG_CONFIG_HOME", dosar.filePath("config").toLocal8Bit());
    QApplication app(argc, argv);
    TMesaje::SetFaraFerestre(true);
    ReseteazaParticularizari(dosar.filePath("licenta.lic"));
    return RuleazaBenchmarkurile(argc, argv);
}
