// The bounds that let the rhombic insert's radial searches pass blocks of
// steps unevaluated. A wrong bound changes a run only where a block ends
// next to the crossing, so the differential test of whole runs meets it
// rarely; here every step of many random blocks, evaluated as the model
// evaluates it, must lie within the bounds of its block: the radius, the
// stored distance, both cosines, their angles and both searches' comparison
// heights (whose rounding margins would hide an angle bound a little low).
// The same holds for the double-precision estimates of stored values: an
// estimate whose error bound is ignored is still right nearly always, so
// the cases next to a rounding boundary are checked here.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <utility>

#include "forcemodel/estimate.h"
#include "forcemodel/searchbounds.h"
#include "model/fpmath.h"

namespace orbiton {
namespace {

using fp::ext;
using fp::store;

TEST(SearchBounds, EveryStepOfABlockLiesWithinTheBoundsOfTheBlock)
{
    std::mt19937 random(4711);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int blocks = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const ext e = store(1 + 40 * unit(random));
        const ext R = store(e * (1.01 + 2 * unit(random)));
        const ext c = fp::cos(static_cast<ext>(6.2831853 * unit(random)));
        const float start = store(R * unit(random)), delta = store(R * 0.001L * (0.2 + unit(random)));
        detail::RadialSteps radii(start, delta, static_cast<float>(R), 2000);
        const int n = radii.block(2 + static_cast<int>(400 * unit(random)));
        if (n < 2)
            continue;
        const double ed = static_cast<double>(e), cd = static_cast<double>(c), cError = 0x1p-53;
        const double r1 = radii.ahead(1), r2 = radii.ahead(n);
        const detail::DistanceRange range = detail::storedDistanceRange(ed, cd, cError, r1, r2);
        if (!range.known)
            continue;
        ++blocks;
        const double kPLo = detail::storedBoreCosineLowerBound(ed, cd, cError, r2, range);
        const double kQLo = detail::storedCosineQLowerBound(ed, static_cast<double>(R), range);
        // The comparison heights of both searches, with a random setting
        // angle, axial feed, core angle and reach q.
        const ext tanKappa = fp::tan(static_cast<ext>(store(0.01L + 1.55L * unit(random))));
        const ext fax = store(0.1L + 3 * unit(random)), gamma = store(3.14L * unit(random));
        const ext q = store(R * 2 * unit(random)), twoPi = fp::twoPi;
        const double perRadian = static_cast<double>(fax) / static_cast<double>(fp::twoPi);
        const double edgeJ = detail::edgeHeightUpperBound(kPLo, kQLo, perRadian);
        const double coreJ = detail::coreHeightUpperBound(
            kPLo, range, static_cast<double>(tanKappa), static_cast<double>(q), static_cast<double>(gamma), perRadian);
        float r = start;
        for (int k = 1; k <= n; ++k) {
            r = store(static_cast<ext>(r) + delta);  // the model's step
            ASSERT_EQ(r, radii.ahead(k)) << "trial " << trial << " step " << k;
            const ext rx = r;
            const ext d = store(fp::sqrt(rx * rx + e * e - c * 2.0L * rx * e));
            ASSERT_TRUE(d >= range.lo && d <= range.hi) << "trial " << trial << " step " << k;
            const ext kP = store(fp::div(e * e + d * d - rx * rx, 2.0L * e * d));
            const ext kQ = store(fp::div(d * d + e * e - R * R, 2.0L * d * e));
            ASSERT_GE(kP, kPLo) << "trial " << trial << " step " << k;
            ASSERT_GE(kQ, kQLo) << "trial " << trial << " step " << k;
            const auto inside = [](ext k) { return k >= -1.0L && k <= 1.0L; };
            for (const auto& [cosine, lo] : {std::pair{kP, kPLo}, std::pair{kQ, kQLo}}) {
                if (inside(cosine)) {
                    ASSERT_LE(fp::arccos(cosine), detail::angleUpperBound(lo)) << "trial " << trial << " step " << k;
                }
            }
            const ext angles = inside(kP) && inside(kQ) ? store(fp::arccos(kP) + fp::arccos(kQ)) : 0.0f;
            ASSERT_LE(store(angles / twoPi * fax), edgeJ) << "trial " << trial << " step " << k;
            const ext angle = inside(kP) ? store(fp::arccos(kP)) : 0.0f;
            ASSERT_LE(store(tanKappa * (q - d) + (gamma + angle) * fax / twoPi), coreJ)
                << "trial " << trial << " step " << k;
        }
    }
    EXPECT_GT(blocks, 10000);
}

TEST(StoredFloat, ClaimsAFloatOnlyWhenTheWholeErrorIntervalRoundsToIt)
{
    const double mid = 1.0 + 0x1p-24;  // halfway between 1 and the next float
    const float next = std::nextafter(1.0f, 2.0f);
    const struct {
        double estimate, error;
        bool claimed;
        float value;
    } cases[] = {
        {mid - 0x1p-30, 0x1p-31, true, 1.0f},  // the interval lies below the midpoint
        {mid - 0x1p-30, 0x1p-29, false, 0},    // it reaches past it
        {mid + 0x1p-30, 0x1p-31, true, next},  // above
        {mid + 0x1p-30, 0x1p-29, false, 0},
        {mid, 0, false, 0},                        // a tie: the rounding of the ends decides nothing
        {-(mid - 0x1p-30), 0x1p-31, true, -1.0f},  // the same below zero
        {-(mid - 0x1p-30), 0x1p-29, false, 0},
        {0x1p-140, 0x1p-160, true, 0x1p-140f},  // a subnormal float
        {0x1p-160, 0x1p-170, false, 0},         // zero, whose sign is not known
        {3.0e38, 1.0, false, 0},                // near the overflow
        {std::nan(""), 0, false, 0},
    };
    for (const auto& c : cases) {
        float out = 0;
        EXPECT_EQ(detail::storedFloat(c.estimate, c.error, out), c.claimed) << c.estimate << " +- " << c.error;
        if (c.claimed) {
            EXPECT_EQ(out, c.value) << c.estimate;
        }
    }
}

}  // namespace
}  // namespace orbiton
