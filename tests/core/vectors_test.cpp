// Whole runs against reference results computed independently from the same
// model: every channel of every row and the summary, to a few units in the
// last place of a float; the summary texts as the results page shows them.
#include <gtest/gtest.h>

#include "model/numbertext.h"
#include "support.h"

namespace orbiton {
namespace {

using test::Json;

class ReferenceVector : public ::testing::TestWithParam<const char*> {};

TEST_P(ReferenceVector, AgreesInEveryRowAndTheSummary)
{
    const Json vector = test::readJsonFile(std::string(ORBITON_VECTORS_DIR) + "/" + GetParam() + ".json");
    test::FakeControls controls;
    for (const auto& [name, value] : vector["controls"].object()) {
        if (value.isString())
            controls.set(name, value.string());
        else
            controls.select(name, static_cast<int>(value.number()));
    }
    test::Calculation c;
    c.run(controls);

    const Json& keys = vector["channels"];
    ASSERT_EQ(keys.size(), static_cast<std::size_t>(channelCount));
    for (int ch = 0; ch < channelCount; ++ch)
        EXPECT_EQ(keys[ch].string(), channels()[ch].key);

    const Json& rows = vector["rows"];
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.params.stepCount + 1));
    int mismatches = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int ch = 0; ch < channelCount; ++ch) {
            const float expected = static_cast<float>(rows[r][ch].number());
            const float actual = c.table.at(ch, static_cast<int>(r));
            if (test::ulpDistance(actual, expected) > 4 && ++mismatches <= 20)
                ADD_FAILURE() << "row " << r << " " << channels()[ch].key << ": " << actual << " vs " << expected;
        }
    }
    EXPECT_EQ(mismatches, 0);

    for (const SummaryField& field : summaryFields()) {
        const float expected = static_cast<float>(vector["summary"][field.name].number());
        const float actual = c.summary.*field.value;
        EXPECT_LE(test::ulpDistance(actual, expected), 4) << field.name << ": " << actual << " vs " << expected;
        EXPECT_EQ(formatNumber(actual), vector["summaryTexts"][field.name].string()) << field.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Vectors, ReferenceVector,
                         ::testing::Values("v1-defaults", "v2-rhombic-gegenlauf", "v3-rect-3z-prebore-offset"));

}  // namespace
}  // namespace orbiton
