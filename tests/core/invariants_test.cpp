// Physical invariants over random inputs (both shapes, pre-bores, axial
// offsets beyond the axial depth, 1 to 99 teeth): no chip, force or power
// below zero; no run that removes material without power; and the chip
// volume the rows show per revolution equals the volume the feed removes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "model/errors.h"
#include "support.h"

namespace orbiton {
namespace {

// Chip volume per minute the rows of the observed tooth show: the section
// of each edge times the speed at its lever, over one revolution, for every
// tooth.
double chipVolumeRate(const Calculation& c)
{
    const int N = c.params.stepCount;
    double sum = 0;
    for (int r = 0; r < N; ++r) {
        const auto v = [&](Channel ch) { return static_cast<double>(c.table.at(ch, r)); };
        sum += v(chHoeheAx) * v(chBreiteAx) * v(chHebelAx) + v(chHoeheIA) * v(chBreiteIA) * v(chHebelIA);
    }
    return sum / N * c.params.toothCount * 2 * M_PI * c.summary.spindleSpeed;
}

TEST(PhysicalInvariants, RandomInputs)
{
    const Channel neverNegative[] = {chLfc,     chAp,       chBz,      chHoeheAx, chBreiteAx, chHebelAx,
                                     chHoeheIA, chBreiteIA, chHebelIA, chRvGrenz, chFcj,      chFcNj,
                                     chPcj,     chPc,       chMc,      chA};
    std::mt19937 random(20261209);
    int completed = 0, balanced = 0;
    for (int trial = 0; trial < 250; ++trial) {
        test::FakeControls input = test::randomInput(random);
        input.set(inputs::stepCount, "360");
        SCOPED_TRACE("trial " + std::to_string(trial));
        Calculation c;
        try {
            c.run(input);
        } catch (const OrbitonError&) {
            continue;  // refused or a floating-point failure: no results to judge
        }
        ++completed;
        for (const Channel ch : neverNegative)
            for (int r = 0; r <= c.params.stepCount; ++r)
                ASSERT_GE(c.table.at(ch, r), 0.0f) << channels()[ch].key << " row " << r;
        ASSERT_GE(c.summary.meanCuttingPower, 0.0f);
        ASSERT_GE(c.summary.meanCutterTorque, 0.0f);
        if (c.summary.removalRatePower > 0.0f) {
            ASSERT_GT(c.summary.meanCuttingPower, 0.0f);
        }

        // The balance holds where the orbit is slow against the spindle, so
        // that successive tooth paths are nearly concentric circles. The
        // inclined edge of the rhombic insert takes its chip thickness from
        // the chip feed at the periphery; where a steep edge reaches far
        // towards the bore axis, or the depth exceeds the edge height (the
        // pre-bore then limits the width), the model's layer is only a rough
        // one, so the balance is checked up to a setting angle of 45 degrees.
        const ParameterSet& p = c.params;
        if (p.toothCount * p.radialFeedPerTooth / (2 * M_PI * c.state.pathRadius) > 0.05 || p.toothCount > 12)
            continue;
        if (p.insertShape == insertShapeRhombic) {
            const float* ap = c.table.values[chAp].data();
            const double edgeHeight = p.insertWidth * std::tan(static_cast<double>(p.settingAngle));
            if (p.settingAngle > M_PI / 4 || *std::max_element(ap, ap + p.stepCount + 1) > edgeHeight)
                continue;
        }
        double rate = 0;
        if (p.axialOffset > 0.0f && p.toothCount > 1) {
            // Alternate teeth cut different chips: average over every tooth.
            for (int tooth = 1; tooth <= p.toothCount; ++tooth) {
                c.run(test::FakeControls(input).set(inputs::observedTooth, std::to_string(tooth)));
                rate += chipVolumeRate(c) / p.toothCount;
            }
        } else {
            rate = chipVolumeRate(c);
        }
        const double D = p.boreDiameter, Dv = p.preboreDiameter;
        const double removed = M_PI / 4 * (D * D - Dv * Dv) * c.summary.feedSpeed;
        EXPECT_NEAR(rate / removed, 1.0, 0.1) << (p.insertShape == insertShapeRhombic ? "rhombic" : "rectangular")
                                              << ", pre-bore " << Dv << ", offset " << p.axialOffset;
        ++balanced;
    }
    EXPECT_GT(completed, 150);
    EXPECT_GT(balanced, 30);
}

}  // namespace
}  // namespace orbiton
