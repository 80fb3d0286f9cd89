// Expanding the student display expression for every student, in one transaction, on a database that grew
// from empty through the program and was then started again (as a real one is, day after day).

#include "profile/UProfil.h"
#include "store/UDataModule.h"
#include "testsupport/UBazaTest.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {
void ParseExpElevi(benchmark::State& state)
{
    const int elevi = int(state.range(0));
    TBazaTest& b = TBazaTest::CuElevi(elevi);
    TDM& dm = b.Dm();
    const QString expresie = ProfilInregistrat()->ListaCampuriElev();
    for (auto _ : state) {
        dm.Tr.StartTransaction();
        qsizetype total = 0;
        for (qint64 id = 1; id <= elevi; ++id)
            total += dm.ParseExp(expresie, id).size();
        dm.Tr.Rollback();
        benchmark::DoNotOptimize(total);
    }
    state.counters["elevi"] = elevi;
}
BENCHMARK(ParseExpElevi)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
