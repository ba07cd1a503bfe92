// Time of a parameter study of orbiton-batch: 1000 runs of the default data
// set (cutting speed 1 to 1000 m/min) on 1 and 2 threads, with and without
// writing the rows as CSV and JSON. The whole process is measured with
// hyperfine (see the contributor guide).
#include <benchmark/benchmark.h>

#include "app/orbiton-batch/formats.h"
#include "app/orbiton-batch/sweep.h"
#include "files/dataset.h"

using namespace orbiton;
using namespace orbiton::batch;

namespace {

const std::vector<Variation>& thousandSpeeds()
{
    static const std::vector<Variation> variations{parseVariation("cuttingSpeed=1:1000:1")};
    return variations;
}

void Sweep1000DefaultRuns(benchmark::State& state)
{
    const DataSet dataSet = defaultDataSet();
    const auto jobs = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        auto rows = runSweep(dataSet, thousandSpeeds(), jobs, "default.ads");
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}

void Sweep1000RowsAsCsvAndJson(benchmark::State& state)
{
    const auto rows = runSweep(defaultDataSet(), thousandSpeeds(), 2, "default.ads");
    for (auto _ : state) {
        benchmark::DoNotOptimize(sweepCsv(thousandSpeeds(), rows));
        benchmark::DoNotOptimize(sweepJson(thousandSpeeds(), rows));
    }
}

}  // namespace

BENCHMARK(Sweep1000DefaultRuns)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Sweep1000RowsAsCsvAndJson)->Unit(benchmark::kMillisecond);
