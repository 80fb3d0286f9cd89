// The register of 10,000 issued certificates saved as PDF and as .xlsx, from the database: the read of the rows in
// one transaction, the paging and the file written whole. The counters give the resident memory before the run
// and the process's peak during it (the peak is reset before each run through /proc/self/clear_refs).

#include "UProgramBenchmark.h"
#include "platform/UMesaje.h"
#include "print/URapoarteFormulare.h"
#include "store/UDataModule.h"
#include "store/UFormulare.h"
#include "testsupport/UBazaTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
QTemporaryDir* g_dosar = nullptr;

double MemorieMb(const char* camp)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linie : f.readAll().split('\n'))
        if (linie.startsWith(camp))
            return linie.mid(int(qstrlen(camp))).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

void ReseteazaVarful()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

TBazaTest& Registru(int n)
{
    static std::unique_ptr<TBazaTest> b;
    if (b)
        return *b;
    b = std::make_unique<TBazaTest>();
    b->Porneste();
    TDM& dm = b->Dm();
    AdaugaLot(dm, {0, QStringLiteral("AB"), 1, n, QDate(2026, 6, 1), QStringLiteral("Aviz")});
    QList<TFoaieFormular> foi;
    for (int i = 1; i <= n; ++i)
        foi << TFoaieFormular{i, QStringLiteral("Popescu-Ionescu Maria-Alexandra %1").arg(i), 1, i,
                              QDateTime::currentDateTime()};
    TGardaTranzactie garda(dm.Tr);
    IaFormulare(dm, QStringLiteral("AB"), 1, foi);
    garda.Commit();
    b->Executa(QStringLiteral("update FORMULARE_FOLOSITE set CNP = '50601012' || lpad(NUMAR, 5, '0'), "
                              "DATA_PRIMIRII = DATA_ELIBERARII"));
    return *b;
}

void RegistrulCaFisier(benchmark::State& state, bool pdf)
{
    const int n = int(state.range(0));
    TDM& dm = Registru(n).Dm();
    const QString fisier = g_dosar->filePath(pdf ? QStringLiteral("registru.pdf") : QStringLiteral("registru.xlsx"));
    const double inainte = MemorieMb("VmRSS:");
    ReseteazaVarful();
    qsizetype randuri = 0;
    for (auto _ : state) {
        const TRaportFormulare raport = RaportRegistru(dm);
        randuri = raport.Randuri.size();
        if (pdf)
            ScrieRaportPdf(raport, fisier);
        else
            ScrieRaportXlsx(raport, fisier);
    }
    if (randuri != n)
        state.SkipWithError("not every row in the register");
    state.counters["rss_inainte_MB"] = inainte;
    state.counters["varf_MB"] = MemorieMb("VmHWM:");
    state.counters["fisier_MB"] = QFileInfo(fisier).size() / 1048576.0;
}
void RegistruPdf(benchmark::State& state)
{
    RegistrulCaFisier(state, true);
}
void RegistruXlsx(benchmark::State& state)
{
    RegistrulCaFisier(state, false);
}
BENCHMARK(RegistruPdf)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(RegistruXlsx)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dosar(SablonDosarInMemorie(QStringLiteral("bench_formulare")));
    g_dosar = &dosar;
    qputenv("XDG_CONFIG_HOME", dosar.filePath("config").toLocal8Bit());
    QGuiApplication app(argc, argv);
    TMesaje::SetFaraFerestre(true);
    return RuleazaBenchmarkurile(argc, argv);
}
