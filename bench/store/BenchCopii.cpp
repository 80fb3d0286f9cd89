// Backup and restore of a register of 10,000 students (every field filled, a school tied) through the engine's
// services, and the size of the backup; each run writes a new backup and restores it into a new file.
// PregatireRestaurare is the restore the menu runs before its question: the engine's restore plus the checks of the
// restored database (state, indexes, constraints, a full read, the counts).

#include "UProgramBenchmark.h"
#include "URegistruRealist.h"
#include "store/UCopii.h"
#include "store/UDataModule.h"
#include "testsupport/UBazaTest.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

namespace {
int g_numar = 0;

QString CopieNoua(TBazaTest& b)
{
    const QString fbk = b.Dosar() + QStringLiteral("/bench-%1.fbk").arg(++g_numar);
    FaCopieDeSiguranta(b.CaleBaza(), fbk);
    return fbk;
}

void CopieDeSiguranta(benchmark::State& state)
{
    TBazaTest& b = RegistruRealistDeschis(int(state.range(0)));
    const double cpu = CpuProces();
    qint64 marime = 0;
    for (auto _ : state) {
        const QString fbk = CopieNoua(b);
        state.PauseTiming();
        marime = QFileInfo(fbk).size();
        QFile::remove(fbk);
        state.ResumeTiming();
    }
    state.counters["elevi"] = double(state.range(0));
    state.counters["cpu_s"] = benchmark::Counter(CpuProces() - cpu, benchmark::Counter::kAvgIterations);
    state.counters["MB_copie"] = double(marime) / (1024.0 * 1024.0);
}
BENCHMARK(CopieDeSiguranta)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(false);

void Restaurare(benchmark::State& state)
{
    TBazaTest& b = RegistruRealistDeschis(int(state.range(0)));
    const double cpu = CpuProces();
    const QString fbk = CopieNoua(b);
    for (auto _ : state) {
        const QString tinta = b.Dosar() + QStringLiteral("/restaurata-%1.fdb").arg(++g_numar);
        RestaureazaCopie(fbk, tinta);
        state.PauseTiming();
        QFile::remove(tinta);
        state.ResumeTiming();
    }
    QFile::remove(fbk);
    state.counters["elevi"] = double(state.range(0));
    state.counters["cpu_s"] = benchmark::Counter(CpuProces() - cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(Restaurare)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);
void PregatireRestaurare(benchmark::State& state)
{
    TBazaTest& b = RegistruRealistDeschis(int(state.range(0)));
    const double cpu = CpuProces();
    const QString fbk = CopieNoua(b);
    for (auto _ : state) {
        const TVerificareCopie v = PregatesteRestaurarea(b.Dm(), fbk);
        state.PauseTiming();
        AbandoneazaRestaurata(v);
        state.ResumeTiming();
    }
    QFile::remove(fbk);
    state.counters["elevi"] = double(state.range(0));
    state.counters["cpu_s"] = benchmark::Counter(CpuProces() - cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(PregatireRestaurare)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RuleazaBenchmarkurile(argc, argv);
}
