#pragma once
// The step loop's parts that the parallel loop shares with the plain one.
#include "model/errors.h"
#include "model/parameterset.h"
#include "model/resulttable.h"
#include "model/simulationstate.h"

namespace orbiton::detail {

// The row of the result table that takes step j (all channels but the step
// angle, which always goes to row j).
int rowOfStep(const ParameterSet& p, int j);

// Step j of the loop on state s: every tooth, the step's totals and sums;
// the row goes into table unless it is null. place follows the step and
// tooth being evaluated.
void runStep(const ParameterSet& p, SimulationState& s, ResultTable* table, int j, RunPlace& place);

// Whether any tooth is in engagement at step j (sets the step's angles).
bool stepHasEngagedTooth(const ParameterSet& p, SimulationState& s, int j);

// Runs steps 0..stepCount on all cores, with the same rows, state and sums
// as the plain loop. Returns false, having changed neither s nor table,
// when the plain loop must run instead: for a run too small to gain, with
// the plain evaluation switched on, or after a failure anywhere, so that the
// plain loop reports the first failure.
bool runStepsInParallel(const ParameterSet& p, SimulationState& s, ResultTable& table);

}  // namespace orbiton::detail
