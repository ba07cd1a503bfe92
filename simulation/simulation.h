#pragma once
// The engagement simulation of one calculation run: set-up, the step loop
// over one cutter revolution and all teeth, force resolution, totals and
// means.
#include <string>

#include "model/parameterset.h"
#include "model/resulttable.h"
#include "model/simulationstate.h"

namespace orbiton {

// The geometry check of the Start button: cutter smaller than the bore and
// larger than its half, insert wider than the cutter's reach past the bore
// axis and narrower than the cutter radius. Strict comparisons in extended
// precision. Returns whether a run may go on.
bool geometryIsValid(const ParameterSet& p);

// The warning of a failed geometry check: the first condition that fails,
// with its limit in mm, as in "Der Fräserdurchmesser muß kleiner als der
// Bohrungsdurchmesser sein, also kleiner als 90 mm". "" when the geometry
// passes.
std::string geometryWarning(const ParameterSet& p);

// The largest tooth count a run takes: the tooth field holds two digits.
inline constexpr int maxToothCount = 99;

// Refuses a run whose step count, tooth count (1..maxToothCount), observed
// tooth or insert shape would write past the result table, produce
// meaningless rows or run for minutes. Raises RunRefused with the message
// of the offending field.
void checkRunPreconditions(const ParameterSet& p);

// Computes rows 0..stepCount of the result table and the summary values
// except the three clearance angles. Calls checkRunPreconditions first, so
// nothing is written when it refuses. Floating-point failures raise
// FloatingPointError carrying the place (set-up, step and tooth, means);
// rows stored before keep their new values.
void runSimulation(const ParameterSet& p, SimulationState& s, ResultTable& table, RunSummary& summary);

// How many threads the step loop of every run in this process uses: 0 (the
// default) one per core, 1 only the calling thread, as a caller that runs
// several calculations side by side needs, n > 1 that many (at most 8).
// Small runs always use the calling thread alone. The results do not depend
// on it.
void setStepLoopThreads(unsigned threads);
unsigned stepLoopThreads();

}  // namespace orbiton
