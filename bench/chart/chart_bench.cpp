// One redraw of the chart as the page does it after a run with 720 steps:
// remove all points, add 721 points one by one, scale both axes
// automatically, and draw into a bitmap of the design size.
#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>

#include "ui/chart/chart.h"

namespace {

void redraw721(benchmark::State& state)
{
    orbiton::ui::Chart chart;
    chart.resize(450, 380);
    const QColor teal(0, 128, 128);
    for (auto _ : state) {
        chart.clear();
        for (int row = 0; row <= 720; ++row) {
            const double angle = row * 0.5;
            chart.addPoint(angle, 1380.0 + 120.0 * std::sin(angle * M_PI / 90.0), QStringLiteral(" "), teal);
        }
        chart.bottomAxis().setAutomatic(true);
        chart.bottomAxis().setIncrement(60.0);
        chart.leftAxis().setAutomatic(true);
        chart.leftAxis().setIncrement(50.0);
        benchmark::DoNotOptimize(chart.leftAxis().maximum());
        const QImage image = chart.renderImage();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(redraw721)->Unit(benchmark::kMillisecond);

// Adding the points alone (the series is updated once, when drawn).
void add721(benchmark::State& state)
{
    orbiton::ui::Chart chart;
    const QColor teal(0, 128, 128);
    for (auto _ : state) {
        chart.clear();
        for (int row = 0; row <= 720; ++row) {
            // Descending X: every point goes to the front.
            chart.addPoint(360.0 - row * 0.5, row, QStringLiteral(" "), teal);
        }
        benchmark::DoNotOptimize(chart.leftAxis().maximum());
    }
}
BENCHMARK(add721)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
