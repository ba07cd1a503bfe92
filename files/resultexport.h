#pragma once
// The result data set (*.eds): the data table as text, one line per grid
// row, every cell preceded by one blank and one more blank at the end of the
// line, Latin-1, CR LF. The program writes this format and never reads it.
#include <functional>
#include <string>
#include <vector>

#include "model/resulttable.h"

namespace orbiton {

// Grid rows of cell texts (UTF-8), the header row first; each row holds the
// cells of columns 1..31 in order.
using CellGrid = std::vector<std::vector<std::string>>;

// The file's bytes for a grid. A cell with a character outside Latin-1
// raises FileError.
std::string renderResultDataSet(const CellGrid& rows);

// Writes the grid atomically ("Kann Datei %s nicht erstellen" on failure).
void saveResultDataSetFile(const std::string& path, const CellGrid& rows);

// The header row (the channel keys) and rows 0..stepCount of the table,
// each value turned into text by format (formatNumber as the data table
// shows it, or any other rule). stepCount must lie within 0..720.
CellGrid resultTableCells(const ResultTable& table, int stepCount, const std::function<std::string(float)>& format);

}  // namespace orbiton
