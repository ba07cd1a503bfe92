// Time from the Start click to the filled data table, with the default
// input (120 steps) and with 720 steps; and the table alone (set up and
// filled from the result table) for 720 steps.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/ui/benchwindow.h"

namespace {

using orbiton::ui::TStringGrid;
using orbiton::ui::bench::control;
using orbiton::ui::bench::SilentDialogs;

void clickToFilledTable(benchmark::State& state, const char* steps)
{
    SilentDialogs* dialogs = nullptr;
    auto window = orbiton::ui::bench::shownWindow(steps, dialogs);
    auto* start = control<QPushButton>(*window, "Button101");
    auto* grid = control<TStringGrid>(*window, "StringGrid311");
    for (auto _ : state) {
        start->click();
        benchmark::DoNotOptimize(grid->cells(31, grid->rowCount() - 1));
    }
    if (!dialogs->lastMessage.isEmpty())
        state.SkipWithError(dialogs->lastMessage.toStdString().c_str());
    state.counters["rows"] = grid->rowCount();
}

void BM_StartDefaults(benchmark::State& state) { clickToFilledTable(state, "120"); }
BENCHMARK(BM_StartDefaults)->Unit(benchmark::kMillisecond);

void BM_Start720Steps(benchmark::State& state) { clickToFilledTable(state, "720"); }
BENCHMARK(BM_Start720Steps)->Unit(benchmark::kMillisecond);

void BM_Table720Steps(benchmark::State& state)
{
    SilentDialogs* dialogs = nullptr;
    auto window = orbiton::ui::bench::shownWindow("720", dialogs);
    control<QPushButton>(*window, "Button101")->click();
    for (auto _ : state) {
        window->setUpTable();
        window->fillTable();
    }
    if (!dialogs->lastMessage.isEmpty())
        state.SkipWithError(dialogs->lastMessage.toStdString().c_str());
}
BENCHMARK(BM_Table720Steps)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
