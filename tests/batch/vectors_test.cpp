// The reference data sets through the batch tool: every number of every
// row and the summary within a few units in the last place of a float (the
// core-angle reference exactly), and the summary texts exactly. A reference
// run that must fail prints its message, exits with 1 and writes nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "core/support.h"
#include "files/testfolder.h"
#include "files/textfile.h"
#include "model/resulttable.h"
#include "runner.h"

using namespace orbiton;
using batch_test::runBatch;

namespace {

std::vector<std::string> fields(const std::string& line)
{
    // Every field is preceded by one blank and the line ends with one.
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < line.size()) {
        EXPECT_EQ(line[at], ' ');
        const std::size_t next = line.find(' ', at + 1);
        if (next == std::string::npos)
            break;
        out.push_back(line.substr(at + 1, next - at - 1));
        at = next;
    }
    EXPECT_EQ(line.back(), ' ');
    if (!out.empty() && out.back().empty())
        out.pop_back();
    return out;
}

struct Reference {
    const char* name;
    int ulps;
};
void PrintTo(const Reference& r, std::ostream* out) { *out << r.name; }

class VectorThroughBatch : public ::testing::TestWithParam<Reference> {};

}  // namespace

TEST_P(VectorThroughBatch, AgreesInEveryRowAndTheSummary)
{
    const std::string base = std::string(ORBITON_VECTORS_DIR) + "/" + GetParam().name;
    const test::Json vector = test::readJsonFile(base + ".json");
    if (vector.object().count("error")) {
        testing_support::TestFolder folder;
        const std::string output = folder.file("aus.eds");
        const auto refused = runBatch({base + ".ads", "-o", output});
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.err, vector["error"].string() + "\n");
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(testing_support::entryCount(folder.path()), 0u);
        return;
    }

    const auto table = runBatch({base + ".ads", "--raw"});
    ASSERT_EQ(table.status, 0) << table.err;
    const auto lines = splitLines(table.out, 1000);
    const test::Json& rows = vector["rows"];
    ASSERT_EQ(lines.size(), rows.size() + 1);

    const auto header = fields(latin1ToUtf8(lines[0]));
    ASSERT_EQ(header.size(), static_cast<std::size_t>(channelCount));
    for (int ch = 0; ch < channelCount; ++ch)
        EXPECT_EQ(header[static_cast<std::size_t>(ch)], vector["channels"][static_cast<std::size_t>(ch)].string());

    int mismatches = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto cells = fields(lines[r + 1]);
        ASSERT_EQ(cells.size(), static_cast<std::size_t>(channelCount)) << "row " << r;
        for (std::size_t ch = 0; ch < cells.size(); ++ch) {
            const float actual = std::strtof(cells[ch].c_str(), nullptr);
            const float expected = static_cast<float>(rows[r][ch].number());
            if (test::ulpDistance(actual, expected) > GetParam().ulps && ++mismatches <= 20)
                ADD_FAILURE() << "row " << r << " " << header[ch] << ": " << cells[ch] << " vs " << expected;
        }
    }
    EXPECT_EQ(mismatches, 0);

    const auto raw = runBatch({base + ".ads", "--summary", "--raw"});
    const auto shown = runBatch({base + ".ads", "--summary"});
    ASSERT_EQ(raw.status, 0) << raw.err;
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto rawLines = splitLines(raw.out, 100);
    const auto shownLines = splitLines(shown.out, 100);
    ASSERT_EQ(rawLines.size(), summaryFields().size());
    ASSERT_EQ(shownLines.size(), summaryFields().size());
    for (std::size_t k = 0; k < summaryFields().size(); ++k) {
        const std::string name = summaryFields()[k].name;
        ASSERT_EQ(rawLines[k].substr(0, name.size() + 1), name + " ");
        const float actual = std::strtof(rawLines[k].c_str() + name.size() + 1, nullptr);
        const float expected = static_cast<float>(vector["summary"][name].number());
        EXPECT_LE(test::ulpDistance(actual, expected), GetParam().ulps) << name;
        EXPECT_EQ(shownLines[k], name + " " + vector["summaryTexts"][name].string());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, VectorThroughBatch,
    ::testing::Values(Reference{"v1-defaults", 4}, Reference{"v2-rhombic-gegenlauf", 4},
                      Reference{"v3-rect-3z-prebore-offset", 4}, Reference{"v4-rhombic-5z-core-angle", 0},
                      Reference{"v5-rhombic-steep-setting-angle", 4}, Reference{"v6-rhombic-prebore-wall", 4},
                      Reference{"v7-rect-3z-offset-beyond-depth", 4}, Reference{"v8-rake-factor-not-positive", 0},
                      Reference{"v9-rhombic-feed-above-edge", 0}),
    [](const auto& info) { return std::string("v") + info.param.name[1]; });
