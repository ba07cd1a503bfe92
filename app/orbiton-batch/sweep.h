#pragma once
// Parameter studies: one or two inputs stepped over a range (--vary
// NAME=FROM:TO:STEP), one run per value or pair of values, spread over
// several threads with the rows in the same order as on one thread.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/dataset.h"
#include "model/fields.h"
#include "model/resulttable.h"

namespace orbiton::batch {

inline constexpr std::size_t maxSweepRuns = 100000;

// The values FROM + k·STEP for k = 0 .. count-1, each formed from FROM
// and k (no sum carried from value to value), FROM and, where the step
// meets it, TO included.
struct Variation {
    const InputParameter* parameter = nullptr;
    long double from = 0;
    long double step = 0;
    std::size_t count = 0;

    long double value(std::size_t k) const;

    // The text of value k as the window's variation writes it into the
    // field: whole numbers for a field that takes digits only, otherwise
    // the value rounded to single precision in the shortest text that
    // reads back as that float (exactFieldText).
    // A value too large for a float raises FloatingPointError.
    std::string text(std::size_t k) const;
};

// "NAME=FROM:TO:STEP" with decimal point or comma; whole numbers for a
// field that takes digits only. A choice or a switch, a step of 0, a TO
// that the step leads away from, or more than maxSweepRuns values raise
// ArgumentError; a number that does not convert its ConversionError.
Variation parseVariation(std::string_view argument);

// The runs of a grid of variations (the product of their counts); more
// than maxSweepRuns raise ArgumentError before anything runs.
std::size_t sweepRunCount(const std::vector<Variation>& variations);

struct SweepRow {
    std::vector<std::string> texts;  // the field texts of the varied inputs
    bool succeeded = false;
    RunSummary summary;  // when succeeded
    std::string error;   // the message of a failed run
};

// Runs the grid on the data set, the first variation outermost. Each run
// puts its values into the data set as --set would (so a value outside
// the field's range fails that run with the field's message), and a run
// that fails keeps its row with the error's message (failureText, input
// naming the data set). jobs threads take the runs (the calling thread is
// one of them); every run starts from fresh records, so the rows do not
// depend on jobs. A run that fails for lack of memory is no row: it is
// run again on the calling thread once the others have ended, and when
// that fails too the study ends with std::bad_alloc. progress(done) is called on the calling thread about
// five times a second while runs remain.
std::vector<SweepRow> runSweep(const DataSet& dataSet, const std::vector<Variation>& variations, unsigned jobs,
                               const std::string& input, const std::function<void(std::size_t done)>& progress = {});

// For tests: makes an attempt of a run fail as if its memory ran out when
// failure(run index from 0, whether it is the retry) says so; an empty
// function (the default) fails nothing. Set only while no study runs.
using AllocationFailure = std::function<bool(std::size_t run, bool retry)>;
void setAllocationFailureForTesting(AllocationFailure failure);

}  // namespace orbiton::batch
