#pragma once
// One run of a data set without a window, as the Start button runs it.
#include "files/dataset.h"
#include "simulation/runsequence.h"

namespace orbiton::batch {

// Starts from fresh records, reads the data set's fields in the run's order
// and calculates. A field that does not convert, or a number too large for
// a float, raises its error with line() set to the field's data set line;
// a failed geometry check raises RunRefused with the window's warning;
// failures of the calculation raise as calculateRun raises them.
void runDataSet(const DataSet& dataSet, Calculation& calculation);

}  // namespace orbiton::batch
