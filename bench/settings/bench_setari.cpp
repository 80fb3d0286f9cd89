// What one grade written on a form costs in settings work: loading and writing back the global
// settings (unchanged, so the file is left alone), and the words of the grade.
#include "platform/URegistru.h"
#include "settings/UInfoGlobal2005.h"
#include "settings/UTextRomanesc.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

static void SetariNeschimbate(benchmark::State& stare)
{
    {
        TInfoGlobal2005 info;
        info.CompleteazaFormateLipsa();
    }
    for (auto _ : stare) {
        TInfoGlobal2005 info;
        benchmark::DoNotOptimize(info.NotaDiploma());
    }
}
BENCHMARK(SetariNeschimbate);

static void SetariSchimbate(benchmark::State& stare)
{
    int n = 0;
    for (auto _ : stare) {
        TInfoGlobal2005 info;
        info.SetSufixFete(QString::number(++n));
    }
}
BENCHMARK(SetariSchimbate);

static void NotaInLitereSiFormatFix(benchmark::State& stare)
{
    int v = 500;
    for (auto _ : stare) {
        benchmark::DoNotOptimize(MiciRomanesti(FormatFix(2, qint64(v) * 100) + ' ' + NotaInLitere(v, mnLitere)));
        v = v == 1000 ? 500 : v + 1;
    }
}
BENCHMARK(NotaInLitereSiFormatFix);

// A throw-away registry file for the whole run.
static const struct TDosarSetari
{
    QTemporaryDir dosar;
    TDosarSetari() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(dosar.path())); }
} g_dosarSetari;

BENCHMARK_MAIN();
