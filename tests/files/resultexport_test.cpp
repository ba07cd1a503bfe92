// The result data set: the table's cell texts, one blank before each
// cell and one at the end of each line, Latin-1, CR LF.
#include <gtest/gtest.h>

#include <string>

#include "files/resultexport.h"
#include "files/textfile.h"
#include "model/numbertext.h"
#include "testfolder.h"

using namespace orbiton;
using testing_support::readBytes;
using testing_support::TestFolder;

namespace {

const char* const headerLine =
    " Phij lfc ap bz H\xF6he_ax Breite_ax Hebel_ax H\xF6he_IA Breite_IA Hebel_IA RvGrenz Fcj FcNj"
    " Fqj Pcj Fcx Fcy Fc Phirc FcNx FcNy FcN PhirN Fqx Fqy Fq PhirQ Pc Mc Mb A \r\n";

std::string format(float v) { return formatNumber(v); }

}  // namespace

TEST(ResultExport, LayoutOfAHundredAndTwentyStepRun)
{
    ResultTable table;
    for (int row = 0; row <= 120; ++row) {
        table.at(chPhij, row) = 3.0f * static_cast<float>(row);
        table.at(chFcx, row) = -1234.5f + static_cast<float>(row);
        table.at(chA, row) = 0.00001234f;
    }
    const CellGrid cells = resultTableCells(table, 120, format);
    ASSERT_EQ(cells.size(), 122u);
    const std::string bytes = renderResultDataSet(cells);
    const auto lines = splitLines(bytes, 1000);
    ASSERT_EQ(lines.size(), 122u);
    EXPECT_EQ(bytes.substr(0, std::string(headerLine).size()), headerLine);

    std::size_t crlf = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
        ++crlf;
    EXPECT_EQ(crlf, 122u);
    EXPECT_EQ(bytes.substr(bytes.size() - 3), " \r\n");
    EXPECT_EQ(bytes.find('\n'), bytes.find('\r') + 1);

    // Row 0: 0 is "0", a negative value keeps its sign, small values are scientific.
    EXPECT_EQ(lines[1].substr(0, 9), " 0 0 0 0 ");
    EXPECT_NE(lines[1].find(" -1235 "), std::string::npos);  // -1234,5 rounds away from zero
    EXPECT_EQ(lines[1].substr(lines[1].size() - 10), " 1,234E-5 ");
    EXPECT_EQ(lines[121].substr(0, 5), " 360 ");
    for (std::size_t k = 1; k < lines.size(); ++k) {
        std::size_t blanks = 0;
        for (char c : lines[k])
            blanks += c == ' ';
        EXPECT_EQ(blanks, 32u) << "line " << k;
    }
}

TEST(ResultExport, BlankCellsAreTwoBlanksInARow)
{
    CellGrid cells;
    cells.push_back({});
    for (const auto& ch : channels())
        cells.back().emplace_back(ch.key);
    cells.push_back(std::vector<std::string>(31));
    cells.push_back(std::vector<std::string>(31));
    const std::string bytes = renderResultDataSet(cells);
    const std::string blankLine = std::string(32, ' ') + "\r\n";
    EXPECT_EQ(bytes, std::string(headerLine) + blankLine + blankLine);
}

TEST(ResultExport, LargestTableAndLimits)
{
    ResultTable table;
    EXPECT_EQ(resultTableCells(table, 720, format).size(), 722u);
    EXPECT_EQ(resultTableCells(table, 0, format).size(), 2u);
    EXPECT_THROW(resultTableCells(table, 721, format), std::out_of_range);
    EXPECT_THROW(resultTableCells(table, -1, format), std::out_of_range);
}

TEST(ResultExport, SavedFileHoldsTheBytes)
{
    TestFolder folder;
    const std::string path = folder.file("ergebnis.eds");
    ResultTable table;
    table.at(chFc, 3) = 9999.6f;
    const CellGrid cells = resultTableCells(table, 36, format);
    saveResultDataSetFile(path, cells);
    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes, renderResultDataSet(cells));
    EXPECT_NE(splitLines(bytes, 100)[4].find(" 1E4 "), std::string::npos);
}
