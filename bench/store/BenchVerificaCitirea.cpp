// The read check of every start-up (every record of every table, every index walked) on a database grown
// like a school's (every field filled, a school tied) of 1,000 and 10,000 students.

#include "UProgramBenchmark.h"
#include "URegistruRealist.h"
#include "store/UDataModule.h"
#include "testsupport/UBazaTest.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {
void VerificaCitireaElevi(benchmark::State& state)
{
    TBazaTest& b = RegistruRealistDeschis(int(state.range(0)));
    const double cpu = CpuProces();
    for (auto _ : state)
        b.Dm().VerificaCitirea();
    state.counters["elevi"] = double(state.range(0));
    state.counters["cpu_s"] = benchmark::Counter(CpuProces() - cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(VerificaCitireaElevi)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RuleazaBenchmarkurile(argc, argv);
}
