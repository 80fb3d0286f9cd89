// Tying students to their school on a register of 1,000 students: all of them at once when the first school
// row is saved, one of them when his dialog is saved. Each run is rolled back, so every run starts untied.

#include "UProgramBenchmark.h"
#include "store/UInregistrari.h"
#include "testsupport/UBazaTest.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {
void LeagaTotiEleviiDePrimaScoala(benchmark::State& state)
{
    TDM& dm = TBazaTest::CuElevi(int(state.range(0))).Dm();
    for (auto _ : state) {
        TGardaTranzactie garda(dm.Tr);
        const qint32 scoala = CreeazaInregistrare(dm, "SCOALA");
        LeagaEleviNelegati(dm, "SCOALA", scoala);
    }
}
BENCHMARK(LeagaTotiEleviiDePrimaScoala)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void MutaUnElev(benchmark::State& state)
{
    TDM& dm = TBazaTest::CuElevi(int(state.range(0))).Dm();
    for (auto _ : state) {
        TGardaTranzactie garda(dm.Tr);
        const qint32 a = CreeazaInregistrare(dm, "SCOALA");
        const qint32 b = CreeazaInregistrare(dm, "SCOALA");
        LeagaElev(dm, 500, "SCOALA", a);
        LeagaElev(dm, 500, "SCOALA", b);
    }
}
BENCHMARK(MutaUnElev)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RuleazaBenchmarkurile(argc, argv);
}
