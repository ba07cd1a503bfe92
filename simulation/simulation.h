#pragma once
// The engagement simulation of one calculation run: set-up, the step loop
// over one cutter revolution and all teeth, force resolution, totals and
// means.
#include "model/parameterset.h"
#include "model/resulttable.h"
#include "model/simulationstate.h"

namespace orbiton {

// The geometry check of the Start button: cutter smaller than the bore and
// larger than its half, insert wider than the cutter's reach past the bore
// axis and narrower than the cutter radius. Strict comparisons in extended
// precision. Returns whether a run may go on.
bool geometryIsValid(const ParameterSet& p);

// Refuses a run whose step count, tooth count, observed tooth or insert
// shape would write past the result table or produce meaningless rows.
// Raises RunRefused with the message of the offending field.
void checkRunPreconditions(const ParameterSet& p);

// Computes rows 0..stepCount of the result table and the summary values
// except the three clearance angles. Calls checkRunPreconditions first, so
// nothing is written when it refuses. Floating-point failures raise
// FloatingPointError; rows stored before keep their new values.
void runSimulation(const ParameterSet& p, SimulationState& s, ResultTable& table, RunSummary& summary);

}  // namespace orbiton
