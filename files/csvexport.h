#pragma once
// Results as CSV (RFC 4180: comma, CR LF, quotes where needed; UTF-8,
// decimal point, 9 significant digits, a header of "key [unit]"), for
// spreadsheets, pandas and plotting scripts. The batch tool and the window
// write a run with the same function, so both give the same bytes.
#include <string>
#include <string_view>
#include <vector>

#include "model/resulttable.h"

namespace orbiton {

// 9 significant digits with a decimal point: every float reads back as
// itself.
std::string plainNumber(float value);

// One CSV field, in double quotes (inner quotes doubled) when it holds a
// comma, a quote, CR or LF.
std::string csvField(std::string_view text);

// "key [unit]", or the key alone without a unit.
std::string csvHeading(std::string_view key, std::string_view unit);

// The fields as one CSV line with its CR LF, appended to out.
void appendCsvLine(std::string& out, const std::vector<std::string>& fields);

// One run: the 31 channels "Phij [Grad]" .. "A [mm²]", then rows
// 0..stepCount.
std::string runCsv(const ResultTable& table, int stepCount);

}  // namespace orbiton
