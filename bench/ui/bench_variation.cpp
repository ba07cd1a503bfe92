// One step of the parameter variation: the "+" click (new value, run,
// redraw of "Schnittkraft an einem Zahn" with automatic scaling) up to the
// chart drawn on screen, with the default input (120 steps), with 720 steps
// and with the heaviest input (rhombic, 99 teeth, 720 steps, pre-bore 60);
// and the redraw alone (channel click and drawing) for 720 steps.
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGraphicsView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/ui/benchwindow.h"
#include "ui/chart/chart.h"

namespace {

using orbiton::ui::Chart;
using orbiton::ui::bench::control;
using orbiton::ui::bench::SilentDialogs;

// Counts the paint events of the chart's view.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(Chart& chart)
    {
        if (auto* view = chart.findChild<QGraphicsView*>())
            view->viewport()->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The window on the page "Grafik" with the variation on, the bore as target
// (increment 0, so every step computes the same input) and entry 10 plotted.
// The heaviest input: rhombic insert, 99 teeth, pre-bore 60.
std::unique_ptr<orbiton::ui::TVersuch> makeWindow(const char* steps, SilentDialogs*& dialogs, bool heaviest = false)
{
    auto window = orbiton::ui::bench::shownWindow(steps, dialogs);
    window->guarded([&] {
        if (heaviest) {
            control<orbiton::ui::TRadioGroup>(*window, "RadioGroup1")->button(1)->click();
            window->setControlText(control<QLineEdit>(*window, "Edit113"), QStringLiteral("99"));
            window->setControlText(control<QLineEdit>(*window, "Edit114"), QStringLiteral("60"));
        }
        window->Parametervariation1Click();
        window->setControlText(control<QLineEdit>(*window, "Edit431"), QStringLiteral("0"));
        window->Button101Click();
        control<QListWidget>(*window, "ListBox421")->setCurrentRow(10);
        window->ListBox421Click();
    });
    QApplication::processEvents();
    return window;
}

void variationStep(benchmark::State& state, const char* steps, bool heaviest = false)
{
    SilentDialogs* dialogs = nullptr;
    auto window = makeWindow(steps, dialogs, heaviest);
    Chart* chart = control<Chart>(*window, "Chart411");
    auto* plus = control<QPushButton>(*window, "Button432");
    PaintCounter counter(*chart);
    for (auto _ : state) {
        plus->click();
        // The chart brings its view up to date and paints on the next pass.
        QApplication::processEvents();
        chart->repaint();
    }
    if (!dialogs->lastMessage.isEmpty())
        state.SkipWithError(dialogs->lastMessage.toStdString().c_str());
    state.counters["points"] = chart->pointCount();
    state.counters["paints"] = benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}

void BM_VariationStepDefaults(benchmark::State& state) { variationStep(state, "120"); }
BENCHMARK(BM_VariationStepDefaults)->Unit(benchmark::kMillisecond);

void BM_VariationStep720Steps(benchmark::State& state) { variationStep(state, "720"); }
BENCHMARK(BM_VariationStep720Steps)->Unit(benchmark::kMillisecond);

void BM_VariationStepRhombic99Teeth720StepsPrebore60(benchmark::State& state) { variationStep(state, "720", true); }
BENCHMARK(BM_VariationStepRhombic99Teeth720StepsPrebore60)->Unit(benchmark::kMillisecond);

void BM_Redraw720Steps(benchmark::State& state)
{
    SilentDialogs* dialogs = nullptr;
    auto window = makeWindow("720", dialogs);
    Chart* chart = control<Chart>(*window, "Chart411");
    PaintCounter counter(*chart);
    for (auto _ : state) {
        window->guarded([&] { window->ListBox421Click(); });
        QApplication::processEvents();
        chart->repaint();
    }
    if (!dialogs->lastMessage.isEmpty())
        state.SkipWithError(dialogs->lastMessage.toStdString().c_str());
    state.counters["points"] = chart->pointCount();
    state.counters["paints"] = benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Redraw720Steps)->Unit(benchmark::kMillisecond);

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
