#pragma once
// The results as CSV (RFC 4180: comma, CR LF, quotes where needed; UTF-8,
// decimal point, 9 significant digits, a header of "key [unit]") and as
// JSON, for spreadsheets, pandas and plotting scripts. The result data set
// (*.eds) is written by files/resultexport.h.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/orbiton-batch/sweep.h"
#include "files/dataset.h"
#include "model/resulttable.h"

namespace orbiton::batch {

// 9 significant digits with a decimal point: every float reads back as
// itself.
std::string plainNumber(float value);

// One CSV field, in double quotes (inner quotes doubled) when it holds a
// comma, a quote, CR or LF.
std::string csvField(std::string_view text);

// One run: the 31 channels "Phij [Grad]" .. "A [mm²]", then rows
// 0..stepCount.
std::string runCsv(const ResultTable& table, int stepCount);

// Where a study's text goes, piece by piece, in order: a study is written
// row by row and never held whole in memory.
using TextSink = std::function<void(std::string_view)>;

// A sweep: the varied inputs ("toothCount", "radialFeedPerTooth [mm]"), the
// eleven summary values ("meanCuttingPower [kW]", ...) and "error"; one row
// per run, a failed run with empty values and its message.
void writeSweepCsv(const std::vector<Variation>& variations, const std::vector<SweepRow>& rows, const TextSink& out);
std::string sweepCsv(const std::vector<Variation>& variations, const std::vector<SweepRow>& rows);

// One run as one JSON object: "input" (the data set's path), "inputs" (every
// input the run read, by name: numbers as the fields hold them, a choice's
// caption, a switch as true or false), "summary" (name, caption, unit,
// value) and "channels" (key, unit, description, values of rows
// 0..stepCount).
std::string runJson(const std::string& input, const DataSet& dataSet, const ResultTable& table, int stepCount,
                    const RunSummary& summary);

// A sweep as a JSON array with one object per run: "varied" (the varied
// inputs by name), "summary" as above with null values for a failed run,
// and "error" (null, or the failed run's message).
void writeSweepJson(const std::vector<Variation>& variations, const std::vector<SweepRow>& rows, const TextSink& out);
std::string sweepJson(const std::vector<Variation>& variations, const std::vector<SweepRow>& rows);

}  // namespace orbiton::batch
