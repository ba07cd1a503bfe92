// Any bytes as an initial data set through the whole run, as the batch tool
// does it: parse, read the fields, the geometry check and the run's own
// refusals (so at most 99 teeth and 720 steps), simulate, clearance
// angles. Every way out is one of the program's errors; a run that ends
// must have no NaN and no infinity in any row it wrote or in its summary.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "files/dataset.h"
#include "files/datasetcontrols.h"
#include "model/errors.h"
#include "simulation/runsequence.h"
#include "simulation/simulation.h"

using namespace orbiton;

namespace {

void check(bool finite, const char* what, int row)
{
    if (!finite) {
        std::fprintf(stderr, "not finite: %s, row %d\n", what, row);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static ResultTable table;
    ParameterSet p;
    SimulationState state;
    RunSummary summary;
    try {
        const DataSet dataSet = parseDataSet(bytes);
        const DataSetControls controls(dataSet);
        if (readRunInputs(p, controls) == RunInputs::GeometryRejected)
            return 0;
        if (p.toothCount > maxToothCount || p.stepCount > maxStepCount)
            std::abort();  // the sequence's refusal lets nothing larger through
        calculateRun(p, state, table, summary);
    } catch (const OrbitonError&) {
        return 0;
    }
    for (int row = 0; row <= p.stepCount; ++row)
        for (int ch = 0; ch < channelCount; ++ch)
            check(std::isfinite(table.at(ch, row)), channels()[static_cast<std::size_t>(ch)].key, row);
    for (const auto& field : summaryFields())
        check(std::isfinite(summary.*field.value), field.name, -1);
    return 0;
}
