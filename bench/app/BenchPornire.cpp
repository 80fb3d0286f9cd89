// The program's start, from main to the main window showing the student list, on the offscreen platform, on
// registers of 10,000 and 100,000 students built through the program's own record operations (every field
// filled, a school tied). The registers are built once and kept in a cache folder ($TESSALUNA_BENCH_CACHE, else
// ~/.cache/tessaluna-bench) between runs (RegistruRealistInCache). Each run starts the real executable in a folder of
// its own; the program writes its own figures when TESSALUNA_MASURA_PORNIRE names a file: wall time since main, wall
// time since the start screen closed, and the process's CPU time (getrusage, every thread of the engine included).
//
// Two cases per size: the first start on a register copied in (its record of the last clean check does not
// match, so the full read check runs), then starts on the same register as the program left it.

#include "UProgramBenchmark.h"
#include "URegistruRealist.h"
#include "testsupport/UBazaTest.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {
// A program folder holding the executable, the template and the register, with settings of its own.
struct TBirou
{
    QTemporaryDir dosar;
    bool pregatit = false;
    QString Bin() const { return dosar.path() + QStringLiteral("/bin"); }

    void Pregateste(int n)
    {
        QDir().mkpath(Bin() + QStringLiteral("/DB/copii"));
        QDir().mkpath(dosar.path() + QStringLiteral("/config"));
        QFile::copy(QStringLiteral(TESSALUNA_EXE), Bin() + QStringLiteral("/tessaluna"));
        QFile::setPermissions(Bin() + QStringLiteral("/tessaluna"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::copy(QStringLiteral(TESSALUNA_SABLON), Bin() + QStringLiteral("/BLANK.FDB"));
        const QString baza = Bin() + QStringLiteral("/DB/Tessaluna2006.FDB");
        QFile::copy(RegistruRealistInCache(n), baza);
        QFile::setPermissions(baza, QFile::ReadOwner | QFile::WriteOwner);
        // Today's automatic copy is made already: the measured starts are a day's second and later ones.
        QFile azi(Bin() + QStringLiteral("/DB/copii/Tessaluna2006-automata-%1-000000.fbk")
                              .arg(QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))));
        azi.open(QIODevice::WriteOnly);
        pregatit = true;
    }

    // Starts the program once; returns {since main, since the start screen, CPU} in seconds, empty on failure.
    QList<double> Porneste()
    {
        const QString masura = dosar.path() + QStringLiteral("/masura.txt");
        QFile::remove(masura);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dosar.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dosar.path() + QStringLiteral("/data"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dosar.path());
        env.insert(QStringLiteral("TESSALUNA_MASURA_PORNIRE"), masura);
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(Bin() + QStringLiteral("/tessaluna"), {});
        if (!p.waitForFinished(300000)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        QFile f(masura);
        if (p.exitCode() != 0 || !f.open(QIODevice::ReadOnly))
            return {};
        QList<double> v;
        for (const QByteArray& s : f.readAll().trimmed().split(' '))
            v << s.toDouble();
        return v.size() == 3 ? v : QList<double>{};
    }
};

void Inregistreaza(benchmark::State& state, const QList<double>& v)
{
    if (v.isEmpty()) {
        state.SkipWithError("the program did not show its list");
        return;
    }
    state.SetIterationTime(v[1]);
    state.counters["de_la_main_s"] = v[0];
    state.counters["dupa_splash_s"] = v[1];
    state.counters["cpu_s"] = v[2];
}

TBirou& Birou(int n)
{
    static std::map<int, std::unique_ptr<TBirou>> birouri;
    auto& b = birouri[n];
    if (!b)
        b = std::make_unique<TBirou>();
    return *b;
}

// A register copied in from elsewhere: the program cannot know it, and checks it whole.
void PornireRegistruNou(benchmark::State& state)
{
    const int n = int(state.range(0));
    RegistruRealistInCache(n);
    for (auto _ : state) {
        state.PauseTiming();
        auto b = std::make_unique<TBirou>();
        b->Pregateste(n);
        state.ResumeTiming();
        Inregistreaza(state, b->Porneste());
    }
}

// The register the program closed itself the last time.
void PornireObisnuita(benchmark::State& state)
{
    const int n = int(state.range(0));
    TBirou& b = Birou(n);
    if (!b.pregatit) {
        b.Pregateste(n);
        if (b.Porneste().isEmpty()) {
            state.SkipWithError("the first start failed");
            return;
        }
    }
    for (auto _ : state)
        Inregistreaza(state, b.Porneste());
}

BENCHMARK(PornireRegistruNou)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(PornireObisnuita)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RuleazaBenchmarkurile(argc, argv);
}
