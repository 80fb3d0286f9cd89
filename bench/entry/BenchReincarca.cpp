// Reloading the student list (the shown name of every student, sorted, then the filtered list) on registers of
// 10,000 and 100,000 students built through the program's own record operations (every field filled, a school
// tied; kept between runs, see RegistruRealistInCache). Beside each reload, in the same run, isql-fb reads the
// same three fields of the same file: the engine's own floor for what the list needs.
//
// Figures per iteration: the reload's wall time (the benchmark's time), isql's wall time, their ratio, and the
// reload's CPU time of the whole process (getrusage: the engine's threads included) beside isql's, and their
// ratio, which a loaded machine disturbs less than the wall times.

#include "UProgramBenchmark.h"
#include "URegistruRealist.h"
#include "entry/UListaElevi.h"
#include "testsupport/UBazaTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

namespace {
// Seconds isql-fb takes to read the name fields and the CNP of every student from the file, output discarded.
double TimpIsql(const QString& baza)
{
    QTemporaryFile script;
    script.open();
    script.write("set heading off;\n"
                 "select VALOARE_TEXT, ID_ELEVI from \"DATE\" where COD_CAMP = 'C_NUME_L1' or "
                 "COD_CAMP = 'C_NUME_L2' or COD_CAMP = 'C_CNP';\n");
    script.flush();
    QProcess isql;
    isql.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer ceas;
    ceas.start();
    isql.start(QStringLiteral("isql-fb"),
               {QStringLiteral("-u"), QStringLiteral("SYSDBA"), QStringLiteral("-i"), script.fileName(), baza});
    if (!isql.waitForFinished(600000) || isql.exitCode() != 0)
        return -1;
    return ceas.nsecsElapsed() / 1e9;
}

void ReincarcaListaElevi(benchmark::State& state)
{
    const int elevi = int(state.range(0));
    TBazaTest& b = RegistruRealistDeschis(elevi);
    TListaElevi lista;
    lista.resize(800, 600);
    lista.Reincarca();
    for (auto _ : state) {
        // The file is the engine's alone while isql reads it; the list's connection is opened again after.
        b.Inchide();
        const double cpuIsql = CpuCopii();
        const double isql = TimpIsql(b.CaleBaza());
        const double isqlCpu = CpuCopii() - cpuIsql;
        b.DeschideDoar();
        const double cpu = CpuProces();
        QElapsedTimer ceas;
        ceas.start();
        lista.Reincarca();
        const double timp = ceas.nsecsElapsed() / 1e9;
        state.SetIterationTime(timp);
        state.counters["isql_s"] = isql;
        state.counters["fata_de_isql"] = isql > 0 ? timp / isql : 0;
        state.counters["cpu_s"] = CpuProces() - cpu;
        state.counters["isql_cpu_s"] = isqlCpu;
        state.counters["cpu_fata_de_isql"] = isqlCpu > 0 ? state.counters["cpu_s"] / isqlCpu : 0;
    }
    if (lista.Linii().size() != size_t(elevi))
        state.SkipWithError("wrong number of students");
}
BENCHMARK(ReincarcaListaElevi)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RuleazaBenchmarkurile(argc, argv);
}
