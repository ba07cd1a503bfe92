#include "simulation/runsequence.h"

#include "forcemodel/forcemodel.h"
#include "model/errors.h"
#include "model/fields.h"
#include "simulation/simulation.h"

namespace orbiton {

RunInputs readRunInputs(ParameterSet& p, const ControlSource& controls)
{
    resetParameters(p);
    readProcessParameters(p, controls);
    if (!geometryIsValid(p))
        return RunInputs::GeometryRejected;
    readForceCoefficients(p, controls);
    applyMillingDirection(p, controls.selectedIndex(inputs::millingDirection));
    readCorrectionParameters(p, controls);
    // A step count, tooth count, observed tooth or insert shape that would
    // write past the table or give meaningless rows is refused before the
    // window touches its table.
    checkRunPreconditions(p);
    return RunInputs::Ready;
}

void calculateRun(const ParameterSet& p, SimulationState& s, ResultTable& table, RunSummary& summary)
{
    runSimulation(p, s, table, summary);
    computeMinClearanceAngles(p, s, summary);
}

void Calculation::run(const ControlSource& controls)
{
    if (readRunInputs(params, controls) == RunInputs::GeometryRejected)
        throw RunRefused(geometryWarning(params));
    calculateRun(params, state, table, summary);
}

}  // namespace orbiton
