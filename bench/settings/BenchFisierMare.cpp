// Loading a settings file at the size limit (16 MiB), as a damaged or hostile one may be: one key with
// 700,000 values, and as many keys of one value each as the limit allows (a key takes at least 31 bytes, so
// 700,000 of them do not fit). Each run reads the whole file and looks up the settings' names.
#include "platform/URegistru.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

constexpr qint64 kLimita = 16 * 1024 * 1024;
const QString kCheie = QStringLiteral("Software\\Zorvik SOFT\\Pravelo\\2006\\Global");
const QStringList kNume = {"MedieCotor",        "MedieDiploma", "NotaCotor", "NotaDiploma",
                           "ScriuCuLitereMari", "SufixBaieti",  "SufixFete"};

QByteArray Nume(int i)
{
    static const char cifre[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    QByteArray n(4, '0');
    for (int k = 3; k >= 0; --k, i /= 36)
        n[k] = cifre[i % 36];
    return n;
}

// One key holding `valori` values, padded so the file ends just under the limit.
QByteArray OCheieMulteValori(int valori)
{
    QByteArray text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + kCheie.toUtf8() + "]\n";
    const qint64 peLinie = (kLimita - text.size() - 64) / valori;
    const QByteArray umplutura(qMax<qint64>(1, peLinie - 10), 'x');
    text.reserve(kLimita);
    for (int i = 0; i < valori; ++i)
        text += '"' + Nume(i) + "\"=\"" + umplutura + "\"\n";
    return text;
}

// Keys of one value each, as many as fit under the limit; returns their count in `chei`.
QByteArray MulteChei(int& chei)
{
    const QByteArray ultima = "[HKEY_CURRENT_USER\\" + kCheie.toUtf8() + "]\n";
    QByteArray text = "REGEDIT4\n\n";
    text.reserve(kLimita);
    for (chei = 0;; ++chei) {
        const QByteArray bloc = "[HKEY_CURRENT_USER\\" + Nume(chei) + "]\n@=\"\"\n";
        if (text.size() + bloc.size() + ultima.size() > kLimita)
            break;
        text += bloc;
    }
    return text + ultima;
}

// The file, and for each run a new name for it (a hard link): each run then loads it as a fresh start of
// the program would, with no earlier copy of it in memory to throw away.
struct TFisier
{
    QTemporaryDir dosar;
    QString cale;
    int rulari = 0;
    explicit TFisier(const QByteArray& text) : cale(dosar.filePath("HKCU.reg"))
    {
        QFile f(cale);
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(cale));
    }
    QString NumeNou()
    {
        const QString nou = dosar.filePath(QStringLiteral("HKCU-%1.reg").arg(++rulari));
        if (::link(QFile::encodeName(cale).constData(), QFile::encodeName(nou).constData()) != 0)
            qFatal("cannot link %s", qPrintable(nou));
        return nou;
    }
};

void Incarca(benchmark::State& stare, TFisier& fisier)
{
    for (auto _ : stare) {
        stare.PauseTiming();
        const QString cale = fisier.NumeNou();
        stare.ResumeTiming();
        TRegistru reg(cale);
        if (!reg.DeschideCheie(kCheie, false) || reg.Deteriorat())
            stare.SkipWithError("the file did not load");
        for (const QString& nume : kNume)
            benchmark::DoNotOptimize(reg.ExistaValoare(nume));
        benchmark::DoNotOptimize(reg.Valori().size());
    }
}

void OCheieCu700000DeValori(benchmark::State& stare)
{
    static TFisier fisier(OCheieMulteValori(700000));
    stare.counters["octeti"] = double(QFileInfo(fisier.cale).size());
    Incarca(stare, fisier);
}

void CheiCuOSinguraValoare(benchmark::State& stare)
{
    static int chei = 0;
    static TFisier fisier(MulteChei(chei));
    stare.counters["chei"] = chei;
    stare.counters["octeti"] = double(QFileInfo(fisier.cale).size());
    Incarca(stare, fisier);
}

} // namespace

BENCHMARK(OCheieCu700000DeValori)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->UseRealTime();
BENCHMARK(CheiCuOSinguraValoare)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->UseRealTime();

BENCHMARK_MAIN();
