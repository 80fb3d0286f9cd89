// Reading an .xlsx of 1,000 rows by 15 columns through Calc, beside Calc's own conversion of it: one Deschide, Calc's
// start with a fresh private profile and its end included, as the import wizard does it for each file pick. The reader
// keeps rows 1..999 ("randuri"). The workbook is made by Calc from a flat ODF text written here.

#include "UProgramBenchmark.h"
#include "excel/FixtureCalc.h"
#include "excel/UCititorFoi.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QUrl>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString FisierClasa(QTemporaryDir& dosar)
{
    TFoaieFixture foaie;
    foaie.Nume = QStringLiteral("Clasa");
    for (int r = 1; r <= 1000; ++r) {
        QList<TCelulaFixture> rand;
        rand << TCelulaFixture::Numeric(QString::number(1960101000000LL + r))
             << TCelulaFixture(QStringLiteral("Ștefănescu-%1").arg(r)) << TCelulaFixture(QStringLiteral("Țuțu Ion"))
             << TCelulaFixture::Zecimal(QString::number(5 + (r % 50) / 10.0)) << TCelulaFixture::Zi("2008-03-07");
        for (int c = 6; c <= 15; ++c)
            rand << TCelulaFixture(QStringLiteral("valoare %1/%2").arg(r).arg(c));
        foaie.Randuri << rand;
    }
    return FaFisierCalc({foaie}, dosar.path(), QStringLiteral("clasa"), QStringLiteral("xlsx"));
}

void CitireXlsx(benchmark::State& state)
{
    static QTemporaryDir dosar;
    static const QString fisier = FisierClasa(dosar);
    if (fisier.isEmpty()) {
        state.SkipWithError("Calc did not make the workbook");
        return;
    }
    qsizetype randuri = 0;
    for (auto _ : state) {
        TCititorCalc cititor;
        cititor.Deschide(fisier);
        randuri = cititor.Foaie(0).Randuri.size();
    }
    state.counters["randuri"] = double(randuri);
}
BENCHMARK(CitireXlsx)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

// Calc's own conversion of the same file to CSV, with a fresh private profile as the reader has: the figure
// the reading is held against.
void ConversieCalc(benchmark::State& state)
{
    static QTemporaryDir dosar;
    static const QString fisier = FisierClasa(dosar);
    if (fisier.isEmpty()) {
        state.SkipWithError("Calc did not make the workbook");
        return;
    }
    for (auto _ : state) {
        QTemporaryDir lucru;
        QProcess p;
        p.setProgram(QStringLiteral("soffice"));
        p.setArguments(
            {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(lucru.filePath("profil")).toString(),
             QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
             QStringLiteral("csv"), QStringLiteral("--outdir"), lucru.path(), fisier});
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setStandardErrorFile(QProcess::nullDevice());
        p.start();
        if (!p.waitForFinished(120000) || p.exitCode() != 0 || !QFile::exists(lucru.filePath("clasa.csv")))
            state.SkipWithError("Calc did not convert the workbook");
    }
}
BENCHMARK(ConversieCalc)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RuleazaBenchmarkurile(argc, argv);
}
