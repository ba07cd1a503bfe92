// Time of one calculation run as the Start button performs it (parameter
// reading, simulation, clearance angles), for the default input and the
// heaviest valid inputs, and of turning a full table into display texts.
// The runs use all cores; wall time is what the user waits.
#include <benchmark/benchmark.h>

#include "files/dataset.h"
#include "files/datasetcontrols.h"
#include "files/resultexport.h"
#include "model/numbertext.h"
#include "simulation/runsequence.h"

using namespace orbiton;

namespace {

// The heaviest valid inputs: 99 teeth, 720 steps; rhombic with a pre-bore
// of 60 mm, without one, or on a cutter of 60 mm with an insert 29 mm wide.
enum class Heavy { Rectangular, RhombicPrebore, Rhombic, RhombicWideCutter };

DataSet heavy(Heavy kind)
{
    DataSet d = defaultDataSet();
    d.inputTexts[2] = "99";    // tooth count
    d.inputTexts[16] = "720";  // calculation steps
    if (kind != Heavy::Rectangular)
        d.insertShapeIndex = 1;
    if (kind == Heavy::RhombicPrebore)
        d.inputTexts[3] = "60";  // pre-bore diameter
    if (kind == Heavy::RhombicWideCutter) {
        d.inputTexts[1] = "60";   // cutter diameter
        d.inputTexts[11] = "29";  // insert width
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
void Rectangular720Steps99Teeth(benchmark::State& state) { runOf(state, heavy(Heavy::Rectangular)); }
void Rhombic720Steps99TeethPrebore60(benchmark::State& state) { runOf(state, heavy(Heavy::RhombicPrebore)); }
void Rhombic720Steps99Teeth(benchmark::State& state) { runOf(state, heavy(Heavy::Rhombic)); }
void Rhombic720Steps99TeethCutter60Width29(benchmark::State& state) { runOf(state, heavy(Heavy::RhombicWideCutter)); }

void FullTableAsDisplayTexts(benchmark::State& state)
{
    static Calculation calculation;
    calculation.run(DataSetControls(heavy(Heavy::Rectangular)));
    for (auto _ : state) {
        const CellGrid cells =
            resultTableCells(calculation.table, calculation.params.stepCount, [](float v) { return formatNumber(v); });
        benchmark::DoNotOptimize(cells.data());
    }
    state.SetItemsProcessed(state.iterations() * channelCount * (calculation.params.stepCount + 1));
}

}  // namespace

BENCHMARK(DefaultRun)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(Rectangular720Steps99Teeth)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Rhombic720Steps99TeethPrebore60)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Rhombic720Steps99Teeth)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Rhombic720Steps99TeethCutter60Width29)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FullTableAsDisplayTexts)->Unit(benchmark::kMillisecond);
