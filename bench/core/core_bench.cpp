// Time of one calculation run as the Start button performs it (parameter
// reading, simulation, clearance angles), for the default input and the
// heaviest valid inputs, and of turning a full table into display texts.
#include <benchmark/benchmark.h>

#include "files/dataset.h"
#include "files/datasetcontrols.h"
#include "files/resultexport.h"
#include "model/numbertext.h"
#include "simulation/runsequence.h"

using namespace orbiton;

namespace {

DataSet heavy(bool rhombic)
{
    DataSet d = defaultDataSet();
    d.inputTexts[2] = "99";    // tooth count
    d.inputTexts[16] = "720";  // calculation steps
    if (rhombic) {
        d.insertShapeIndex = 1;
        d.inputTexts[3] = "60";  // pre-bore diameter
    }
    return d;
}

void runOf(benchmark::State& state, const DataSet& dataSet)
{
    const DataSetControls controls(dataSet);
    static Calculation calculation;
    for (auto _ : state) {
        calculation.run(controls);
        benchmark::DoNotOptimize(calculation.summary);
    }
}

void DefaultRun(benchmark::State& state) { runOf(state, defaultDataSet()); }
void Rectangular720Steps99Teeth(benchmark::State& state) { runOf(state, heavy(false)); }
void Rhombic720Steps99TeethPrebore60(benchmark::State& state) { runOf(state, heavy(true)); }

void FullTableAsDisplayTexts(benchmark::State& state)
{
    static Calculation calculation;
    calculation.run(DataSetControls(heavy(false)));
    for (auto _ : state) {
        const CellGrid cells =
            resultTableCells(calculation.table, calculation.params.stepCount, [](float v) { return formatNumber(v); });
        benchmark::DoNotOptimize(cells.data());
    }
    state.SetItemsProcessed(state.iterations() * channelCount * (calculation.params.stepCount + 1));
}

}  // namespace

BENCHMARK(DefaultRun)->Unit(benchmark::kMicrosecond);
BENCHMARK(Rectangular720Steps99Teeth)->Unit(benchmark::kMillisecond);
BENCHMARK(Rhombic720Steps99TeethPrebore60)->Unit(benchmark::kMillisecond);
BENCHMARK(FullTableAsDisplayTexts)->Unit(benchmark::kMillisecond);
