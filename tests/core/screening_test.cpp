// The radial searches of the rhombic insert decide most steps from a
// double-precision estimate with an error bound. Over many geometries the
// tables must be bit for bit those of evaluating every step exactly.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "forcemodel/forcemodel.h"
#include "support.h"

namespace orbiton {
namespace {

std::string text(double value)
{
    std::string t = std::to_string(value);
    for (char& c : t)
        if (c == '.')
            c = ',';
    return t;
}

class ScreeningOff {
public:
    ScreeningOff() { detail::setPlainEvaluation(true); }
    ~ScreeningOff() { detail::setPlainEvaluation(false); }
};

TEST(RadialSearchScreening, SameTablesAsExactEvaluation)
{
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int compared = 0;
    for (int trial = 0; trial < 40; ++trial) {
        const double D = 40 + 80 * unit(random);
        const double d = D * (0.5 + 0.5 * (0.02 + 0.96 * unit(random)));
        const double reach = d - D / 2;
        const double b = reach + (d / 2 - reach) * (0.02 + 0.96 * unit(random));
        const int teeth = 1 + static_cast<int>(4 * unit(random));
        test::FakeControls controls;
        controls.set(inputs::boreDiameter, text(D))
            .set(inputs::cutterDiameter, text(d))
            .set(inputs::insertWidth, text(b))
            .set(inputs::preboreDiameter, unit(random) < 0.5 ? "0" : text(D * 0.8 * unit(random)))
            .set(inputs::toothCount, std::to_string(teeth))
            .set(inputs::observedTooth, std::to_string(1 + trial % teeth))
            .set(inputs::settingAngle, text(1 + 88 * unit(random)))
            .set(inputs::axialFeedPerRev, text(0.1 + 3 * unit(random)))
            .set(inputs::radialFeedPerTooth, text(0.01 + 0.5 * unit(random)))
            .set(inputs::stepCount, std::to_string(36 + trial * 7))
            .select(inputs::insertShape, 1)
            .select(inputs::millingDirection, trial % 2);

        Calculation screened, exact;
        try {
            screened.run(controls);
        } catch (const std::exception&) {
            continue;  // geometry refused or a floating-point failure of the model
        }
        {
            ScreeningOff off;
            exact.run(controls);
        }
        ++compared;
        for (int r = 0; r <= screened.params.stepCount; ++r)
            for (int ch = 0; ch < channelCount; ++ch) {
                const float a = screened.table.at(ch, r), e = exact.table.at(ch, r);
                ASSERT_EQ(std::memcmp(&a, &e, sizeof a), 0)
                    << "trial " << trial << " row " << r << " " << channels()[ch].key << ": " << a << " vs " << e;
            }
    }
    EXPECT_GT(compared, 25);
}

}  // namespace
}  // namespace orbiton
