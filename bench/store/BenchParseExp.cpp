// Expanding the student display expression for every student, one lookup at a time, in one transaction, on
// registers of 1,000 and 10,000 students with every field filled and a school tied (RegistruRealistInCache).

#include "UProgramBenchmark.h"
#include "URegistruRealist.h"
#include "profile/UProfil.h"
#include "store/UDataModule.h"
#include "testsupport/UBazaTest.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {
void ParseExpElevi(benchmark::State& state)
{
    const int elevi = int(state.range(0));
    TBazaTest& b = RegistruRealistDeschis(elevi);
    TDM& dm = b.Dm();
    const QString expresie = ProfilInregistrat()->ListaCampuriElev();
    const QStringList iduri = b.Coloana(QStringLiteral("select ID_ELEVI as C from ELEVI"));
    const double cpu = CpuProces();
    for (auto _ : state) {
        dm.Tr.StartTransaction();
        qsizetype total = 0;
        for (const QString& id : iduri)
            total += dm.ParseExp(expresie, id.toLongLong()).size();
        dm.Tr.Rollback();
        benchmark::DoNotOptimize(total);
    }
    state.counters["elevi"] = elevi;
    state.counters["cpu_s"] = benchmark::Counter(CpuProces() - cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(ParseExpElevi)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RuleazaBenchmarkurile(argc, argv);
}
