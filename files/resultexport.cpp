#include "files/resultexport.h"

#include <stdexcept>

#include "files/textfile.h"

namespace orbiton {

std::string renderResultDataSet(const CellGrid& rows)
{
    std::string out;
    for (const auto& row : rows) {
        for (const auto& cell : row) {
            out.push_back(' ');
            out += utf8ToLatin1(cell);
        }
        out += " \r\n";
    }
    return out;
}

void saveResultDataSetFile(const std::string& path, const CellGrid& rows)
{
    saveFileAtomically(path, renderResultDataSet(rows));
}

CellGrid resultTableCells(const ResultTable& table, int stepCount, const std::function<std::string(float)>& format)
{
    if (stepCount < 0 || stepCount > maxStepCount)
        throw std::out_of_range("step count outside the result table");
    CellGrid rows;
    rows.reserve(static_cast<std::size_t>(stepCount) + 2);
    std::vector<std::string> header;
    for (const auto& channel : channels())
        header.emplace_back(channel.key);
    rows.push_back(std::move(header));
    for (int row = 0; row <= stepCount; ++row) {
        std::vector<std::string> cells;
        cells.reserve(channelCount);
        for (int c = 0; c < channelCount; ++c)
            cells.push_back(format(table.at(c, row)));
        rows.push_back(std::move(cells));
    }
    return rows;
}

}  // namespace orbiton
