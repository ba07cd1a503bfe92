#include "app/orbiton-batch/run.h"

#include "app/orbiton-batch/failuretext.h"
#include "files/datasetcontrols.h"
#include "model/errors.h"
#include "simulation/simulation.h"

namespace orbiton::batch {

void runDataSet(const DataSet& dataSet, Calculation& c)
{
    // Every run starts where a single run of a fresh tool starts, so that a
    // run's result never depends on the runs a thread did before it.
    c.params = ParameterSet{};
    c.state = SimulationState{};
    const DataSetControls controls(dataSet);
    const LineTracingControls traced(controls);
    try {
        if (readRunInputs(c.params, traced) == RunInputs::GeometryRejected)
            throw RunRefused(geometryWarning(c.params));
    } catch (ConversionError& error) {
        error.setLine(traced.lastLine());
        throw;
    } catch (FloatingPointError& error) {
        // A number too large for a float.
        error.setLine(traced.lastLine());
        throw;
    }
    calculateRun(c.params, c.state, c.table, c.summary);
}

}  // namespace orbiton::batch
