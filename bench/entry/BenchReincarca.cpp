// Reloading the student list (names of every student, then the filtered tree) at 1,000 and 10,000
// students, on a database that grew through the program and was started again.

#include "entry/UListaElevi.h"
#include "testsupport/UBazaTest.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {
void ReincarcaListaElevi(benchmark::State& state)
{
    const int elevi = int(state.range(0));
    TBazaTest::CuElevi(elevi);
    TListaElevi lista;
    lista.resize(800, 600);
    for (auto _ : state)
        lista.Reincarca();
    if (lista.Linii().size() != size_t(elevi))
        state.SkipWithError("wrong number of students");
}
BENCHMARK(ReincarcaListaElevi)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
