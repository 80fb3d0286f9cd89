// Painting the virtual grid: 50 columns over 1,000 and 10,000 lines, on the offscreen platform. One full
// repaint of the view, and scrolling from the top to the bottom one page at a time (a page repainted per
// step). The cells the owner is asked for are counted: only those in view.
#include "UProgramBenchmark.h"
#include "controls/UKivVirtualGrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

struct TLinieBench : TKivVirtualGridLine
{
    explicit TLinieBench(int numar) : n(numar) {}
    int n;
};

struct TGrilaBench
{
    TKivVirtualGrid grila;
    QImage imagine;
    qint64 intrebari = 0;

    explicit TGrilaBench(int linii)
    {
        grila.BeginUpdate();
        for (int c = 0; c < 50; ++c) {
            TKivVirtualGridColumn* col = grila.Coloane().Adauga();
            col->SetNumeColoana(QStringLiteral("Coloana %1").arg(c));
            col->SetUmbrela1(c < 10 ? QStringLiteral("Grup") : QString());
            col->SetWidth(80);
            col->SetTipDeDate(c % 2 ? atCurrency : atString);
        }
        for (int i = 0; i < linii; ++i)
            grila.Linii().Adauga(new TLinieBench(i));
        grila.EndUpdate();
        grila.OnGetCellValue = [this](TKivVirtualGridLine* l, int c, TKivValoareDate& v) {
            ++intrebari;
            const int n = static_cast<TLinieBench*>(l)->n;
            if (c % 2)
                v.SetAsCurrency(qint64(n) * 1234567 + c);
            else
                v.SetAsString(QStringLiteral("Text %1").arg(n));
        };
        grila.resize(1280, 800);
        grila.show();
        QCoreApplication::processEvents();
        imagine = QImage(grila.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    }

    void Deseneaza() { grila.viewport()->repaint(); }
};

void Repaint(benchmark::State& stare)
{
    TGrilaBench b(int(stare.range(0)));
    b.grila.SetTopRow(int(stare.range(0)) / 2);
    b.Deseneaza();
    b.intrebari = 0;
    for (auto _ : stare)
        b.Deseneaza();
    stare.counters["celule/desen"] = double(b.intrebari) / double(stare.iterations());
}
BENCHMARK(Repaint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void DerularePePagini(benchmark::State& stare)
{
    TGrilaBench b(int(stare.range(0)));
    qint64 pagini = 0;
    for (auto _ : stare) {
        b.grila.SetTopRow(1);
        for (int top = 1;; top = b.grila.TopRow() + b.grila.RanduriVizibile()) {
            b.grila.SetTopRow(top);
            b.Deseneaza();
            ++pagini;
            if (b.grila.TopRow() != top)
                break;
        }
    }
    stare.counters["pagini/s"] = benchmark::Counter(double(pagini), benchmark::Counter::kIsRate);
    stare.counters["pagini"] = double(pagini) / double(stare.iterations());
}
BENCHMARK(DerularePePagini)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RuleazaBenchmarkurile(argc, argv);
}
