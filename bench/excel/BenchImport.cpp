// Writing an imported class: 1,000 rows with 15 mapped fields, one transaction per row, each student tied to
// the school. Run on an empty register (a new class) and on one that already holds those 1,000 students (the
// same sheet imported again: every row finds its student by CNP and overwrites his fields).

#include "UProgramBenchmark.h"
#include "excel/UCititorFoi.h"
#include "excel/UImportExcel.h"
#include "store/UInregistrari.h"
#include "testsupport/UBazaTest.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {
constexpr int CampuriMapate = 15;

// A register whose profile has the certificate's 8 importable student fields plus 7 more.
std::unique_ptr<TBazaTest> BazaCuProfil(qint32& scoala, QList<TMapareCamp>& mapari)
{
    auto b = std::make_unique<TBazaTest>();
    b->Porneste();
    for (int i = 1; i <= 7; ++i)
        b->Executa(QStringLiteral("insert into PROFIL_DIPLOMA (COD_FORMULAR, COD_PAGINA, COD_CAMP, SIMILAR_CU, "
                                  "ETICHETA_EDITOR, TIP_DE_DATE, ASOCIAT_CU, ORDINE) values ('Tessaluna', 'FATA', "
                                  "'X_NOTA%1', '', 'Nota %1', 'TEXT', 'ELEVI', %2)")
                       .arg(i)
                       .arg(100 + i));
    {
        TGardaTranzactie g(b->Dm().Tr);
        scoala = CreeazaInregistrare(b->Dm(), QStringLiteral("SCOALA"));
        g.Commit();
    }
    mapari.clear();
    const QList<TCampImport> campuri = CampuriDeImport(b->Dm());
    for (int i = 0; i < CampuriMapate; ++i) {
        TMapareCamp m;
        m.Cheie = campuri.at(i).Cheie;
        m.Formular = campuri.at(i).Formular;
        m.Coloana = NumeColoana(i + 2);
        mapari << m;
    }
    return b;
}

TListaColoaneExcel Clasa(int randuri)
{
    TListaColoaneExcel l;
    for (int c = 0; c <= CampuriMapate; ++c)
        l << TColoanaExcel{NumeColoana(c + 1), {}};
    for (int r = 0; r < randuri; ++r) {
        l[0].Texte << QString::number(1900101000000LL + r);
        for (int c = 1; c <= CampuriMapate; ++c)
            l[c].Texte << QStringLiteral("Valoarea %1 a elevului %2").arg(c).arg(r);
    }
    return l;
}

void ScrieClasa(benchmark::State& state)
{
    const bool dinNou = state.range(1) != 0;
    const TListaColoaneExcel clasa = Clasa(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        qint32 scoala = -1;
        QList<TMapareCamp> mapari;
        auto b = BazaCuProfil(scoala, mapari);
        TImportElevi import(b->Dm(), clasa, mapari, QStringLiteral("A"), {{QStringLiteral("SCOALA"), scoala}});
        if (dinNou)
            import.ImportaTot();
        state.ResumeTiming();
        import.ImportaTot();
        state.PauseTiming();
        if (b->Scalar(QStringLiteral("select count(*) as C from ELEVI")).toInt() != state.range(0))
            state.SkipWithError("not every row was written");
        b.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(ScrieClasa)
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->ArgNames({"randuri", "din_nou"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RuleazaBenchmarkurile(argc, argv);
}
