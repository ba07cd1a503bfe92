// The three-range specific force law and its correction factors.
#include <gtest/gtest.h>

#include <cmath>

#include "forcemodel/forcemodel.h"
#include "support.h"

namespace orbiton {
namespace {

ParameterSet defaults(const test::FakeControls& controls = test::FakeControls())
{
    ParameterSet p;
    EXPECT_EQ(readRunInputs(p, controls), RunInputs::Ready);
    return p;
}

// All ten corrections switched off: every correction product is 1.
ParameterSet uncorrected()
{
    test::FakeControls controls;
    for (const std::string_view box : inputs::correctionSwitches)
        controls.check(box, false);
    return defaults(controls);
}

TEST(PowerLaw, SpecialBases)
{
    EXPECT_EQ(powerLaw(0.1f, 0.0f), 0.0f);
    EXPECT_EQ(powerLaw(0.1f, -2.0f), 1.0f);
    EXPECT_FLOAT_EQ(powerLaw(0.5f, 4.0f), 2.0f);
}

TEST(CorrectionProduct, AllSwitchesOffGivesExactlyOne)
{
    const ParameterSet p = uncorrected();
    for (ForceLaw law : {ForceLaw::SideCutting, ForceLaw::AxialCutting, ForceLaw::SideFeed}) {
        EXPECT_EQ(correctionProduct(law, p, 'A'), 1.0f);
        EXPECT_EQ(correctionProduct(law, p, 'I'), 1.0f);
    }
}

TEST(CorrectionProduct, DefaultInputs)
{
    const ParameterSet p = defaults();
    EXPECT_NEAR(correctionProduct(ForceLaw::SideCutting, p, 'A'), 1.16575, 5e-5);
    EXPECT_NEAR(correctionProduct(ForceLaw::AxialCutting, p, 'A'), 1.16575, 5e-5);
    EXPECT_NEAR(correctionProduct(ForceLaw::SideFeed, p, 'A'), 1.29281, 5e-5);
}

TEST(CorrectionProduct, SpeedAndWearFactors)
{
    test::FakeControls controls;
    controls.set(inputs::cuttingSpeed, "100");
    ParameterSet p = defaults(controls);
    // Both speed factors are 1 at the reference speed.
    EXPECT_FLOAT_EQ(correctionProduct(ForceLaw::SideCutting, p, 'A'), 1.12f * 1.06f);
    EXPECT_FLOAT_EQ(correctionProduct(ForceLaw::SideFeed, p, 'A'), 1.3f * 1.06f);

    ParameterSet wearOnly = uncorrected();
    wearOnly.wearCorrOnC = wearOnly.wearCorrOnF = true;
    wearOnly.wearLandWidth = 0.2f;
    EXPECT_FLOAT_EQ(correctionProduct(ForceLaw::SideCutting, wearOnly, 'A'), 1.2f);
    EXPECT_FLOAT_EQ(correctionProduct(ForceLaw::SideFeed, wearOnly, 'A'), 1.5f);
}

TEST(CorrectionProduct, SettingAngleFactorOnlyForTheRhombicInsert)
{
    ParameterSet p = uncorrected();
    p.settingAngleCorrOnF = true;
    p.settingAngle = 0.17453292f;  // 10 degrees
    p.insertShape = "rhombus";
    EXPECT_NEAR(correctionProduct(ForceLaw::SideFeed, p, 'A'), 0.245576, 2e-6);
    p.settingAngle = 0.78539819f;  // 45 degrees
    EXPECT_FLOAT_EQ(correctionProduct(ForceLaw::SideFeed, p, 'A'), 1.0f);
    p.settingAngle = 0.17453292f;
    p.insertShape = "rechteck";
    EXPECT_EQ(correctionProduct(ForceLaw::SideFeed, p, 'A'), 1.0f);
    // The cutting-force laws have no setting-angle factor.
    p.insertShape = "rhombus";
    EXPECT_EQ(correctionProduct(ForceLaw::SideCutting, p, 'A'), 1.0f);
}

TEST(CorrectionProduct, ActiveEdgeSelectsTheSideEdgeAnglesOnly)
{
    ParameterSet p = uncorrected();
    p.rakeCorrOnC = true;
    p.rakeAngleInner = 5;
    p.rakeAngleOuter = 0;
    p.inclinationOuter = 2;
    p.rakeAngleAxial = p.inclinationOuter;  // as read from the fields
    // 1 - (5 - 6) * 0,02 for the inner edge, 1 - (0 - 6) * 0,02 for the outer.
    EXPECT_FLOAT_EQ(correctionProduct(ForceLaw::SideCutting, p, 'I'), 1.02f);
    EXPECT_FLOAT_EQ(correctionProduct(ForceLaw::SideCutting, p, 'A'), 1.12f);
    // The axial edge uses its own rake angle (the outer inclination) whatever edge cuts.
    EXPECT_FLOAT_EQ(correctionProduct(ForceLaw::AxialCutting, p, 'I'), 1.08f);
    EXPECT_FLOAT_EQ(correctionProduct(ForceLaw::AxialCutting, p, 'A'), 1.08f);
}

TEST(CorrectionProduct, UnclampedFactorCanCancelTheForce)
{
    ParameterSet p = defaults();
    // 1 - (56 - 6) * 0,02 vanishes up to the rounding of 0,02 in single precision.
    p.rakeAngleOuter = 56;
    EXPECT_NEAR(correctionProduct(ForceLaw::SideCutting, p, 'A'), 0.0f, 1e-7f);
    EXPECT_NEAR(specificCuttingForce(0.2f, p, 'A'), 0.0f, 1e-4f);
    p.rakeAngleOuter = 70;
    EXPECT_LT(specificCuttingForce(0.2f, p, 'A'), 0.0f);
}

TEST(SpecificForceLaw, NoChipNoForce)
{
    const ParameterSet p = defaults();
    for (float h : {0.0f, -0.5f}) {
        EXPECT_EQ(specificCuttingForce(h, p, 'A'), 0.0f);
        EXPECT_EQ(specificCuttingForceAxial(h, p, 'A'), 0.0f);
        EXPECT_EQ(specificFeedForce(h, p, 'A'), 0.0f);
    }
}

TEST(SpecificForceLaw, ValuesOfTheThreeRanges)
{
    const ParameterSet p = uncorrected();
    EXPECT_FLOAT_EQ(specificCuttingForce(1.0f, p, 'A'), 650.0f);
    EXPECT_NEAR(specificCuttingForce(0.2f, p, 'A'), 882.5, 0.1);
    const float h = 0.2f, b = 1.5f;
    EXPECT_NEAR(specificCuttingForce(h, p, 'A') * h * b, 264.8, 0.1);
    // The axial-edge law uses the cutting-force columns too.
    EXPECT_EQ(specificCuttingForceAxial(0.2f, p, 'A'), specificCuttingForce(0.2f, p, 'A'));
}

// Each support value is the specific force at its range's reference
// thickness (0,01, 0,1 and 1 mm). The single value nearest to 0,1 lies above
// 0,1 and belongs to range 3, the one nearest to 0,01 lies below 0,01 and
// belongs to range 1. With the shipped data the law is continuous at both
// limits: within 0,2 % for the cutting force, 1 % for the feed force.
TEST(SpecificForceLaw, ReferenceThicknessesAndContinuityAtTheLimits)
{
    const ParameterSet p = uncorrected();
    EXPECT_FLOAT_EQ(specificCuttingForce(std::nextafter(0.01f, 0.0f), p, 'A'), 1670.0f);
    EXPECT_NEAR(specificCuttingForce(0.01f, p, 'A'), 1670.0, 0.01);
    EXPECT_NEAR(specificCuttingForce(std::nextafter(0.1f, 0.0f), p, 'A'), 1005.0, 0.01);
    EXPECT_NEAR(specificCuttingForce(0.1f, p, 'A'), 650.0 * std::pow(0.1, -0.19), 0.01);
    EXPECT_NEAR(specificCuttingForce(0.005f, p, 'A'), 1670.0 * std::pow(0.5, -0.55), 0.05);
    EXPECT_NEAR(specificFeedForce(0.05f, p, 'A'), 160.0 * std::pow(0.5, -0.18), 0.01);

    const struct {
        ForceLaw law;
        float limit;
        double tolerance;
    } limits[] = {{ForceLaw::SideCutting, 0.01f, 0.002},
                  {ForceLaw::SideCutting, 0.1f, 0.002},
                  {ForceLaw::SideFeed, 0.01f, 0.01},
                  {ForceLaw::SideFeed, 0.1f, 0.01}};
    for (const auto& l : limits) {
        // 0,01f lies below 0,01 and 0,1f above 0,1: step across each limit.
        const float below = l.limit < 0.05f ? l.limit : std::nextafter(l.limit, 0.0f);
        const float above = l.limit < 0.05f ? std::nextafter(l.limit, 1.0f) : l.limit;
        const double k1 = specificForce(l.law, below, p, 'A'), k2 = specificForce(l.law, above, p, 'A');
        EXPECT_NEAR(k2 / k1, 1.0, l.tolerance) << l.limit << " " << (l.law == ForceLaw::SideFeed ? "feed" : "cutting");
    }
}

}  // namespace
}  // namespace orbiton
