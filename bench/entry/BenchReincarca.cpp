// Reloading the student list (names of every student, then the filtered tree) at 1,000 and 10,000
// students, on a database that grew through the program and was started again.

#include "entry/UListaElevi.h"
#include "testsupport/UBazaTest.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {
const char* CampuriElev[] = {"C_ABREVIERE", "C_NUME_L1", "C_NUME_L2", "C_AN_ABSOLVIRE", "C_FILIERA",
                             "C_PROFILUL", "C_SPECIALIZAREA", "C_CNP", "A_NUME"};

TBazaTest& BazaCu(int elevi)
{
    static std::map<int, std::unique_ptr<TBazaTest>> baze;
    auto& b = baze[elevi];
    if (!b) {
        b = std::make_unique<TBazaTest>();
        b->Porneste();
        TDM& dm = b->Dm();
        dm.Tr.StartTransaction();
        for (int i = 0; i < elevi; ++i) {
            dm.Q4.SetSQL("SELECT GEN_ID(G_ID_ELEVI,1) AS \"ID\" FROM RDB$DATABASE");
            dm.Q4.Open();
            const qint64 id = dm.Q4.FieldByName("ID").AsInteger();
            dm.Q4.Close();
            dm.Q4.SetSQL("insert into ELEVI (ID_ELEVI) values (:id)");
            dm.Q4.ParamByName("id").SetAsInteger(id);
            dm.Q4.ExecSQL();
            for (const char* camp : CampuriElev)
                b->ScrieValoare("ELEVI", id, camp, QStringLiteral("%1 %2").arg(camp).arg(id));
        }
        dm.Tr.Commit();
        b->Reporneste();
    }
    return *b;
}

void ReincarcaListaElevi(benchmark::State& state)
{
    const int elevi = int(state.range(0));
    BazaCu(elevi);
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
