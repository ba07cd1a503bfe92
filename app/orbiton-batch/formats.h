#pragma once
// The results as CSV (files/csvexport.h) and as JSON, for spreadsheets,
// pandas and plotting scripts. The result data set (*.eds) is written by
// files/resultexport.h.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/orbiton-batch/sweep.h"
#include "files/csvexport.h"
#include "files/dataset.h"
#include "model/resulttable.h"

namespace orbiton::batch {

// Numbers, fields and one run as CSV: shared with the window.
using orbiton::csvField;
using orbiton::plainNumber;
using orbiton::runCsv;

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
