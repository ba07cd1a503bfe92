// A whole run: set-up values, engagement, chip feed, tooth loads, force
// resolution, row order and the clearance angles.
#include <gtest/gtest.h>

#include <cmath>

#include "support.h"

namespace orbiton {
namespace {

using test::FakeControls;

float at(const Calculation& c, Channel ch, int row) { return c.table.at(ch, row); }

TEST(RunSetUp, DefaultInputs)
{
    Calculation c;
    c.run(FakeControls());
    const SimulationState& s = c.state;
    EXPECT_EQ(s.pathRadius, 21.0f);
    EXPECT_EQ(s.insertMidDiameter, 36.0f);
    EXPECT_EQ(s.innerEdgeDiameter, 26.0f);
    EXPECT_NEAR(s.spindleSpeed, 830.4, 0.05);
    EXPECT_NEAR(s.circularSpeed, 1.2587, 1e-4);
    EXPECT_NEAR(s.feedSpeed, 1.888, 5e-4);
    EXPECT_NEAR(s.orbitAnglePerTooth, 0.0095238, 5e-8);
    EXPECT_NEAR(s.transitionAngle1, 2.7215, 5e-5);
    EXPECT_NEAR(s.roughnessDepth, 0.000455, 5e-7);
    EXPECT_EQ(c.summary.spindleSpeed, s.spindleSpeed);
    EXPECT_EQ(c.summary.roughnessDepth, s.roughnessDepth);
}

TEST(RunSetUp, ToothCountAndRadialFeed)
{
    Calculation one, two;
    one.run(FakeControls());
    two.run(FakeControls().set(inputs::toothCount, "2"));
    EXPECT_FLOAT_EQ(two.state.circularSpeed, 2 * one.state.circularSpeed);
    EXPECT_FLOAT_EQ(two.state.feedSpeed, 2 * one.state.feedSpeed);
    EXPECT_FLOAT_EQ(two.state.orbitAnglePerTooth, one.state.orbitAnglePerTooth);

    float previous = 0;
    for (const char* feed : {"0,001", "0,05", "0,2", "0,5"}) {
        Calculation c;
        c.run(FakeControls().set(inputs::radialFeedPerTooth, feed));
        EXPECT_GT(c.state.roughnessDepth, previous) << feed;
        previous = c.state.roughnessDepth;
    }
    Calculation fine;
    fine.run(FakeControls().set(inputs::radialFeedPerTooth, "0,001"));
    EXPECT_LT(fine.state.roughnessDepth, 1e-7);
}

TEST(ChipFeed, FollowsTheRadialFeedTimesSineOfTheToothAngle)
{
    Calculation c;  // "Gleichlauf": row r holds step 120 - r
    c.run(FakeControls());
    EXPECT_NEAR(at(c, chLfc, 120 - 30), 0.1997, 1e-4);
    EXPECT_NEAR(at(c, chLfc, 120 - 40), 0.173, 5e-4);
    EXPECT_NEAR(at(c, chLfc, 120 - 0), 0.002, 1e-4);
    EXPECT_NEAR(c.state.passOrbitAngle, 0.0095, 1e-4);
}

TEST(ToothLoads, StepThirtyOfTheDefaultRun)
{
    Calculation c;
    c.run(FakeControls());
    const int row = 120 - 30;
    EXPECT_FLOAT_EQ(at(c, chPhij, 30), 90.0f);
    EXPECT_NEAR(at(c, chAp, row), 1.103, 1e-3);
    EXPECT_NEAR(at(c, chHoeheAx, row), 0.00227, 1e-5);
    EXPECT_NEAR(at(c, chBreiteAx, row), 9.80, 5e-3);
    EXPECT_NEAR(at(c, chHoeheIA, row), 0.1997, 1e-4);
    EXPECT_NEAR(at(c, chBreiteIA, row), 1.103, 1e-3);
    EXPECT_NEAR(at(c, chHebelAx, row), 17.90, 5e-3);
    EXPECT_NEAR(at(c, chHebelIA, row), 22.90, 5e-3);
    EXPECT_NEAR(at(c, chFcj, row), 324.7, 0.1);
    EXPECT_NEAR(at(c, chFcNj, row), 39.31, 0.01);
    EXPECT_NEAR(at(c, chMc, row), 6.946, 0.001);
    EXPECT_NEAR(at(c, chPcj, row), 604.0, 0.1);
    EXPECT_NEAR(at(c, chA, row), 0.243, 5e-4);
    // Power is the cutter torque times the angular speed.
    EXPECT_NEAR(at(c, chPcj, row), at(c, chMc, row) * 2 * M_PI * c.state.spindleSpeed / 60, 0.01);
}

TEST(ForceResolution, OneToothWithoutPreBore)
{
    for (int direction : {0, 1}) {
        Calculation c;
        c.run(FakeControls().select(inputs::millingDirection, direction));
        for (int r = 0; r <= 120; ++r) {
            const float fcj = at(c, chFcj, r);
            EXPECT_NEAR(at(c, chFc, r), std::fabs(fcj), 2e-6f * std::fabs(fcj)) << r;
            EXPECT_NEAR(at(c, chFcN, r), std::fabs(at(c, chFcNj, r)), 2e-6f * std::fabs(fcj)) << r;
            EXPECT_NEAR(at(c, chFq, r), at(c, chFqj, r), 2e-6f * std::fabs(fcj)) << r;
            EXPECT_EQ(at(c, chPc, r), at(c, chPcj, r));
            if (direction == 1 && fcj > 0) {
                const float expected = std::fmod(at(c, chPhij, r) - 90.0f + 360.0f, 360.0f);
                const float diff = std::fabs(at(c, chPhirc, r) - expected);
                EXPECT_LT(std::min(diff, 360.0f - diff), 1e-3f) << r;
            }
            EXPECT_GE(at(c, chPhirc, r), 0.0f);
            EXPECT_LT(at(c, chPhirc, r), 360.0f);
        }
    }
}

TEST(ForceResolution, StepZeroPointsTheCuttingForceDown)
{
    Calculation c;
    c.run(FakeControls().select(inputs::millingDirection, 1));  // "Gegenlauf": row 0 is step 0
    ASSERT_GT(at(c, chFcj, 0), 0.0f);
    EXPECT_EQ(at(c, chFcx, 0), 0.0f);
    EXPECT_EQ(at(c, chFcy, 0), -at(c, chFcj, 0));
    EXPECT_FLOAT_EQ(at(c, chPhirc, 0), 270.0f);
}

TEST(Engagement, PreBoreLeavesAWindowWithoutCut)
{
    Calculation c;
    c.run(FakeControls().set(inputs::preboreDiameter, "60").select(inputs::millingDirection, 1));
    int idle = 0;
    for (int r = 0; r <= 120; ++r) {
        const float phij = at(c, chPhij, r);
        const bool inWindow = phij > 94.2f && phij < 265.8f;
        if (inWindow) {
            ++idle;
            for (Channel ch : {chFcj, chFcNj, chPcj, chRvGrenz, chBz, chAp, chFc, chPc, chMc, chMb, chA})
                EXPECT_EQ(at(c, ch, r), 0.0f) << r << " " << channels()[ch].key;
            // A zero vector points to 270 degrees, the transverse force to 90.
            EXPECT_FLOAT_EQ(at(c, chPhirc, r), 270.0f);
            EXPECT_FLOAT_EQ(at(c, chPhirN, r), 270.0f);
            EXPECT_FLOAT_EQ(at(c, chPhirQ, r), 90.0f);
        } else if (phij < 94.1f || phij > 265.9f) {
            EXPECT_GT(at(c, chFcj, r), 0.0f) << r;
            EXPECT_NEAR(at(c, chBz, r), 0.0022737f, 1e-7f);
        }
    }
    EXPECT_EQ(idle, 57);  // 96 to 264 degrees in steps of 3
}

TEST(Engagement, PreBoreWallCrossesTheEdge)
{
    Calculation c;
    c.run(FakeControls().set(inputs::preboreDiameter, "50").select(inputs::millingDirection, 1));
    int crossing = 0;
    for (int r = 0; r <= 120; ++r) {
        const float rv = at(c, chRvGrenz, r);
        if (rv != 0.0f) {
            ++crossing;
            EXPECT_GE(rv, 13.0f);
            EXPECT_LE(rv, 23.0f);
        }
    }
    EXPECT_GT(crossing, 0);
}

TEST(Engagement, WithoutPreBoreEveryToothCutsEverywhere)
{
    Calculation c;
    c.run(FakeControls().set(inputs::toothCount, "3").set(inputs::observedTooth, "3"));
    for (int r = 0; r <= 120; ++r) {
        EXPECT_EQ(at(c, chRvGrenz, r), 0.0f);
        EXPECT_GT(at(c, chFcj, r), 0.0f);
    }
    EXPECT_FLOAT_EQ(at(c, chPhij, 0), 240.0f);
    EXPECT_FLOAT_EQ(at(c, chPhij, 120), 600.0f);
}

TEST(Engagement, ObservedToothShiftsTheStepAngle)
{
    Calculation c;
    c.run(FakeControls().set(inputs::toothCount, "2").set(inputs::observedTooth, "2"));
    EXPECT_FLOAT_EQ(at(c, chPhij, 0), 180.0f);
    EXPECT_FLOAT_EQ(at(c, chPhij, 120), 540.0f);
}

TEST(Engagement, LargeCutterHasNoCoreTangent)
{
    Calculation c;
    c.run(FakeControls().set(inputs::cutterDiameter, "60").set(inputs::insertWidth, "20"));
    EXPECT_EQ(c.state.transitionAngle4, c.state.transitionAngle3);
}

TEST(Engagement, CoreAngleNearItsLimitStartsFromTheUnroundedDiscriminant)
{
    // The last tooth of this run meets the circle around the bore axis where
    // the arccosine argument of the core angle is -0,999991: one unit in the
    // last place of the meeting distance moves the angle by about 1e-4 rad.
    // Only the two meeting distances are rounded; rounding the discriminant
    // before its square root would give 3.137465.
    Calculation c;
    c.run(FakeControls()
              .set(inputs::boreDiameter, "111,8")
              .set(inputs::cutterDiameter, "83")
              .set(inputs::toothCount, "3")
              .set(inputs::insertWidth, "32")
              .set(inputs::cuttingSpeed, "222")
              .set(inputs::radialFeedPerTooth, "0,12")
              .set(inputs::stepCount, "36")
              .select(inputs::millingDirection, 1));
    EXPECT_EQ(c.state.coreAngle, 3.13736773f);
}

TEST(RowOrder, ClimbMillingReversesAllButTheStepAngle)
{
    Calculation climb, conventional;
    climb.run(FakeControls());
    conventional.run(FakeControls().select(inputs::millingDirection, 1));
    for (int r = 0; r <= 120; ++r) {
        EXPECT_FLOAT_EQ(at(climb, chPhij, r), 3.0f * r);
        EXPECT_FLOAT_EQ(at(conventional, chPhij, r), 3.0f * r);
    }
    // The axial depth at step 30 (range 1, about 1,103) differs clearly from
    // the one at step 90 (range 4, about 0,26).
    EXPECT_NEAR(at(conventional, chAp, 30), 1.103, 1e-3);
    EXPECT_NEAR(at(climb, chAp, 90), 1.103, 1e-3);
    EXPECT_NEAR(at(climb, chAp, 30), 0.26, 0.01);
    EXPECT_NEAR(at(conventional, chAp, 90), 0.26, 0.01);
    // Row 0 of a climb run holds step 120, where the tooth angle is 2 pi.
    EXPECT_NE(at(climb, chFcx, 0), 0.0f);
    EXPECT_EQ(at(climb, chFcx, 120), 0.0f);
}

TEST(RowOrder, LongerEarlierRunsLeaveTheirRowsAbove)
{
    Calculation c;
    c.run(FakeControls().set(inputs::stepCount, "720"));
    EXPECT_NEAR(at(c, chPhij, 720), 360.0f, 1e-4f);
    EXPECT_GT(at(c, chFcj, 720), 0.0f);
    const float row100 = at(c, chFcj, 100);
    const float row720 = at(c, chPc, 720);
    c.run(FakeControls().set(inputs::stepCount, "60"));
    EXPECT_FLOAT_EQ(at(c, chPhij, 60), 360.0f);
    EXPECT_EQ(at(c, chFcj, 100), row100);
    EXPECT_EQ(at(c, chPc, 720), row720);
}

TEST(Summary, MeansOfTheDefaultRun)
{
    Calculation c;
    c.run(FakeControls());
    float sumPc = 0;
    for (int r = 0; r <= 120; ++r)
        sumPc += at(c, chPc, r);
    // The sum over 121 steps is divided by 120.
    EXPECT_NEAR(c.summary.meanCuttingPower, sumPc / 120000.0f, 1e-5);
    // (pi/4)(D^2 - Dv^2) feed speed kc1.1 / 60e6
    EXPECT_NEAR(c.summary.removalRatePower, M_PI / 4 * 88 * 88 * c.state.feedSpeed * 650 / 60e6, 1e-6);
    EXPECT_GT(c.summary.meanBarTorque, 0.0f);
}

TEST(Summary, RhombicInsertHasNoBarTorque)
{
    Calculation c;
    c.run(FakeControls().select(inputs::insertShape, 1).set(inputs::preboreDiameter, "40"));
    for (int r = 0; r <= 120; ++r)
        EXPECT_EQ(at(c, chMb, r), 0.0f);
    EXPECT_EQ(c.summary.meanBarTorque, 0.0f);
    EXPECT_GT(c.summary.meanCuttingPower, 0.0f);
}

TEST(ClearanceAngles, DefaultGeometry)
{
    Calculation climb, conventional;
    climb.run(FakeControls());
    conventional.run(FakeControls().select(inputs::millingDirection, 1));
    EXPECT_NEAR(climb.summary.minClearanceOuter, 1.37, 0.005);
    EXPECT_NEAR(conventional.summary.minClearanceOuter, 1.38, 0.005);
    EXPECT_NEAR(climb.summary.minClearanceAxial, 0.0016, 1e-5);
    EXPECT_EQ(climb.summary.minClearanceAxial, conventional.summary.minClearanceAxial);
    // At a full revolution the inner corner's two velocities are parallel:
    // only a rounding residue, never a negative value.
    EXPECT_GE(climb.summary.minClearanceInner, 0.0f);
    EXPECT_LT(climb.summary.minClearanceInner, 1e-4f);
    EXPECT_GE(conventional.summary.minClearanceInner, 0.0f);
    EXPECT_LT(conventional.summary.minClearanceInner, 1e-4f);
}

}  // namespace
}  // namespace orbiton
