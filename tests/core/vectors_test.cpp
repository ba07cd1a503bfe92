// Whole runs against reference results computed independently from the same
// model: every channel of every row and the summary, to a few units in the
// last place of a float; the summary texts as the results page shows them.
// A reference run that must fail names the message and the kind of failure.
// The fast and the plain evaluation must each agree.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <utility>

#include "forcemodel/forcemodel.h"
#include "model/errors.h"
#include "model/numbertext.h"
#include "support.h"

namespace orbiton {
namespace {

using test::Json;

// A reference and the distance in units in the last place each value may
// have from it. The core-angle reference tells apart which intermediate
// values are rounded, so it must agree exactly.
struct Reference {
    const char* name;
    int ulps;
};
void PrintTo(const Reference& r, std::ostream* out) { *out << r.name; }

class ReferenceVector : public ::testing::TestWithParam<std::tuple<Reference, bool>> {};

class Evaluation {
public:
    explicit Evaluation(bool plain) { detail::setPlainEvaluation(plain); }
    ~Evaluation() { detail::setPlainEvaluation(false); }
};

// The failure of a run as the reference names it: its kind and the text the
// window shows (errors with a closing ".", warnings without).
std::pair<std::string, std::string> failureOf(Calculation& c, const test::FakeControls& controls)
{
    try {
        c.run(controls);
    } catch (const RunRefused& refused) {
        return {"refused", refused.what()};
    } catch (const FloatingPointError& error) {
        return {"float", std::string(error.what()) + "."};
    } catch (const ConversionError& error) {
        return {"conversion", std::string(error.what()) + "."};
    }
    return {"none", ""};
}

TEST_P(ReferenceVector, AgreesInEveryRowAndTheSummary)
{
    const auto& [reference, plain] = GetParam();
    const Evaluation evaluation(plain);
    const Json vector = test::readJsonFile(std::string(ORBITON_VECTORS_DIR) + "/" + reference.name + ".json");
    test::FakeControls controls;
    for (const auto& [name, value] : vector["controls"].object()) {
        if (value.isString())
            controls.set(name, value.string());
        else
            controls.select(name, static_cast<int>(value.number()));
    }
    Calculation c;
    if (vector.object().count("error")) {
        const auto [kind, message] = failureOf(c, controls);
        EXPECT_EQ(kind, vector["kind"].string());
        EXPECT_EQ(message, vector["error"].string());
        return;
    }
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
            if (test::ulpDistance(actual, expected) > reference.ulps && ++mismatches <= 20)
                ADD_FAILURE() << "row " << r << " " << channels()[ch].key << ": " << actual << " vs " << expected;
        }
    }
    EXPECT_EQ(mismatches, 0);

    for (const SummaryField& field : summaryFields()) {
        const float expected = static_cast<float>(vector["summary"][field.name].number());
        const float actual = c.summary.*field.value;
        EXPECT_LE(test::ulpDistance(actual, expected), reference.ulps)
            << field.name << ": " << actual << " vs " << expected;
        EXPECT_EQ(formatNumber(actual), vector["summaryTexts"][field.name].string()) << field.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, ReferenceVector,
    ::testing::Combine(
        ::testing::Values(Reference{"v1-defaults", 4}, Reference{"v2-rhombic-gegenlauf", 4},
                          Reference{"v3-rect-3z-prebore-offset", 4}, Reference{"v4-rhombic-5z-core-angle", 0},
                          Reference{"v5-rhombic-steep-setting-angle", 4}, Reference{"v6-rhombic-prebore-wall", 4},
                          Reference{"v7-rect-3z-offset-beyond-depth", 4}, Reference{"v8-rake-factor-not-positive", 0},
                          Reference{"v9-rhombic-feed-above-edge", 0}),
        ::testing::Bool()),
    [](const auto& info) {
        return std::string("v") + std::get<0>(info.param).name[1] + (std::get<1>(info.param) ? "_plain" : "_fast");
    });

}  // namespace
}  // namespace orbiton
