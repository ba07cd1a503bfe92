// Runs that must be refused or must fail with a floating-point error, and
// degenerate geometry that must neither hang nor produce NaN.
#include <gtest/gtest.h>

#include <cmath>

#include "forcemodel/forcemodel.h"
#include "forcemodel/toothloads.h"
#include "model/errors.h"
#include "simulation/simulation.h"
#include "support.h"

namespace orbiton {
namespace {

using test::FakeControls;

// Reads the controls like the Start button and runs; returns the refusal text.
std::string refusalOf(Calculation& c, const FakeControls& controls)
{
    try {
        c.run(controls);
    } catch (const RunRefused& refused) {
        return refused.what();
    }
    return "";
}

TEST(RunRefusal, StepToothAndObservedToothOutsideTheTable)
{
    Calculation c;
    c.table.at(chFcj, 0) = 12345.0f;
    c.table.at(chPhij, 0) = 777.0f;
    const std::string steps = "Anzahl der Berechnungsschritte muß zwischen 36 und 720 liegen";
    const std::string teeth = "Anzahl der Zähne muß mindestens 1 betragen";
    const std::string observed = "Es können nur Zähne betrachtet werden, die auch vorhanden sind";
    EXPECT_EQ(refusalOf(c, FakeControls().set(inputs::stepCount, "0")), steps);
    EXPECT_EQ(refusalOf(c, FakeControls().set(inputs::stepCount, "721")), steps);
    EXPECT_EQ(refusalOf(c, FakeControls().set(inputs::stepCount, "-5")), steps);
    EXPECT_EQ(refusalOf(c, FakeControls().set(inputs::toothCount, "0").set(inputs::observedTooth, "0")), teeth);
    EXPECT_EQ(refusalOf(c, FakeControls().set(inputs::observedTooth, "0")), observed);
    EXPECT_EQ(refusalOf(c, FakeControls().set(inputs::observedTooth, "2")), observed);
    // Nothing was written by any of them.
    EXPECT_EQ(c.table.at(chFcj, 0), 12345.0f);
    EXPECT_EQ(c.table.at(chPhij, 0), 777.0f);

    // The limits themselves are accepted.
    EXPECT_EQ(refusalOf(c, FakeControls().set(inputs::stepCount, "720")), "");
    EXPECT_EQ(refusalOf(c, FakeControls().set(inputs::stepCount, "1")), "");
    EXPECT_FLOAT_EQ(c.table.at(chPhij, 1), 360.0f);
}

// Fault: any tooth count was taken, and 9999 teeth ran for minutes.
TEST(RunRefusal, MoreThanNinetyNineTeeth)
{
    const std::string range = "Anzahl der Zähne muß zwischen 1 und 99 liegen";
    struct Case {
        const char* teeth;
        const char* observed;
        std::string refusal;
    };
    const Case cases[] = {
        {"100", "1", range},        {"999", "1", range},
        {"2147483647", "1", range}, {"0", "0", "Anzahl der Zähne muß mindestens 1 betragen"},
        {"99", "99", ""},
    };
    Calculation c;
    for (const Case& k : cases) {
        c.table.at(chPhij, 0) = 777.0f;
        const std::string refusal = refusalOf(c, FakeControls()
                                                     .set(inputs::toothCount, k.teeth)
                                                     .set(inputs::observedTooth, k.observed)
                                                     .set(inputs::stepCount, "36"));
        EXPECT_EQ(refusal, k.refusal) << k.teeth;
        EXPECT_EQ(c.table.at(chPhij, 0) == 777.0f, !k.refusal.empty()) << k.teeth;
    }
}

TEST(RunRefusal, NoInsertShapeEverChosen)
{
    Calculation c;
    EXPECT_EQ(refusalOf(c, FakeControls().select(inputs::insertShape, -1)),
              "Bitte wählen Sie eine Wendeschneidplattenform");
    // Once a shape was chosen, a later run without selection keeps it.
    EXPECT_EQ(refusalOf(c, FakeControls().select(inputs::insertShape, 1)), "");
    EXPECT_EQ(refusalOf(c, FakeControls().select(inputs::insertShape, -1)), "");
    EXPECT_EQ(c.params.insertShape, "rhombus");
}

// A correction factor that is not positive, and an axial feed above the
// rhombic insert's edge height, refuse the run before any row or mean is
// written. Factors count one by one: two negative ones refuse although
// their product is positive. The cutting laws are judged before the feed
// law; the rectangular insert's axial edge takes the outer inclination as
// its rake angle.
TEST(RunRefusal, CorrectionFactorsAndEdgeLength)
{
    const std::string cutting = "Die Korrekturfaktoren ergeben für die Schnittkraft keinen positiven Wert. Bitte "
                                "prüfen Sie Spanwinkel, Neigungswinkel und Korrekturwerte!";
    const std::string feed = "Die Korrekturfaktoren ergeben für die Vorschubkraft keinen positiven Wert. Bitte "
                             "prüfen Sie Spanwinkel, Neigungswinkel und Korrekturwerte!";
    const std::string edge = "Die Spanungsbreite übersteigt die Schneidenlänge der rhombischen "
                             "Wendeschneidplatte. Bitte verkleinern Sie den axialen Vorschub oder vergrößern Sie "
                             "den Einstellwinkel!";
    const auto axialOnly = [](int shape) {
        return FakeControls()
            .select(inputs::insertShape, shape)
            .set(inputs::inclinationOuter, "80")
            .set(inputs::inclCorrFactorC, "0")
            .set(inputs::inclCorrFactorF, "0");
    };
    const struct {
        const char* name;
        FakeControls controls;
        std::string refusal;
    } cases[] = {
        {"outer rake 89", FakeControls().set(inputs::rakeAngleOuter, "89"), cutting},
        {"inner rake 89", FakeControls().set(inputs::rakeAngleInner, "89"), cutting},
        {"rake and inclination both negative",
         FakeControls().set(inputs::rakeAngleOuter, "89").set(inputs::inclinationOuter, "80"), cutting},
        {"rake correction off",
         FakeControls()
             .select(inputs::insertShape, 1)
             .set(inputs::rakeAngleOuter, "89")
             .check(inputs::rakeCorrOnC, false),
         feed},
        {"feed rake only", FakeControls().set(inputs::rakeAngleInner, "30"), feed},
        {"cutting material 0", FakeControls().set(inputs::cuttingMaterialFactorF, "0"), feed},
        {"cutting material 0, switched off",
         FakeControls().set(inputs::cuttingMaterialFactorF, "0").check(inputs::cuttingMaterialCorrOnF, false), ""},
        {"axial edge, rectangular", axialOnly(0), cutting},
        {"axial edge, rhombic", axialOnly(1), ""},
        {"feed above the edge",
         FakeControls().select(inputs::insertShape, 1).set(inputs::insertWidth, "6").set(inputs::axialFeedPerRev, "3"),
         edge},
        {"feed below the edge",
         FakeControls().select(inputs::insertShape, 1).set(inputs::insertWidth, "6").set(inputs::axialFeedPerRev, "1"),
         ""},
        {"feed above the edge, rectangular",
         FakeControls().set(inputs::insertWidth, "6").set(inputs::axialFeedPerRev, "3"), ""},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Calculation c;
        c.table.at(chPhij, 120) = 777.0f;
        c.summary.meanCuttingPower = 777.0f;
        EXPECT_EQ(refusalOf(c, k.controls), k.refusal);
        EXPECT_EQ(c.table.at(chPhij, 120) == 777.0f, !k.refusal.empty());
        EXPECT_EQ(c.summary.meanCuttingPower == 777.0f, !k.refusal.empty());
    }
}

TEST(GeometryCheck, StrictComparisons)
{
    const auto valid = [](float D, float d, float b) {
        ParameterSet p;
        p.boreDiameter = D;
        p.cutterDiameter = d;
        p.insertWidth = b;
        return geometryIsValid(p);
    };
    EXPECT_TRUE(valid(88, 46, 10));
    EXPECT_FALSE(valid(88, 88, 10));  // cutter as large as the bore
    EXPECT_FALSE(valid(88, 44, 10));  // cutter exactly half the bore
    EXPECT_FALSE(valid(88, 46, 23));  // insert as wide as the cutter radius
    EXPECT_FALSE(valid(88, 46, 2));   // insert exactly as wide as the reach past the axis
    EXPECT_TRUE(valid(88, 46, 2.0001f));
    EXPECT_TRUE(valid(88, 60, 20));
    EXPECT_TRUE(valid(88, 87.99f, 43.992f));
    EXPECT_FALSE(valid(88, 87.99f, 44));
}

TEST(FloatingPointFailure, MessagesOfTheThreeKinds)
{
    EXPECT_STREQ(FloatingPointError(FloatingPointError::Kind::InvalidOperation).what(),
                 "Ungültige Gleitkommaoperation");
    EXPECT_STREQ(FloatingPointError(FloatingPointError::Kind::DivisionByZero).what(), "Gleitkommadivision durch Null");
    EXPECT_STREQ(FloatingPointError(FloatingPointError::Kind::Overflow).what(), "Gleitkommaüberlauf");
}

TEST(FloatingPointFailure, ZeroCuttingSpeedEndsTheRunBeforeAnyRow)
{
    Calculation c;
    c.table.at(chPhij, 0) = 777.0f;
    try {
        c.run(FakeControls().set(inputs::cuttingSpeed, "0"));
        FAIL() << "a run without spindle speed must fail";
    } catch (const FloatingPointError& error) {
        EXPECT_EQ(error.kind(), FloatingPointError::Kind::InvalidOperation);
    }
    EXPECT_EQ(c.table.at(chPhij, 0), 777.0f);
}

TEST(FloatingPointFailure, ForcesBeyondSinglePrecisionOverflow)
{
    Calculation c;
    bool raised = false;
    try {
        c.run(FakeControls().set(inputs::kc1001, "99999999999999999999999999999999999999"));
    } catch (const FloatingPointError& error) {
        raised = true;
        EXPECT_EQ(error.kind(), FloatingPointError::Kind::Overflow);
    }
    EXPECT_TRUE(raised);
    for (int r = 0; r <= 120; ++r)
        for (int ch = 0; ch < channelCount; ++ch)
            EXPECT_FALSE(std::isnan(c.table.at(ch, r)) || std::isinf(c.table.at(ch, r)));
}

// Fault: a failed run did not say where it failed.
TEST(FloatingPointFailure, TheRunTellsWhereItFailed)
{
    const auto placeOf = [](const FakeControls& controls) {
        Calculation c;
        try {
            c.run(controls);
        } catch (const FloatingPointError& error) {
            EXPECT_STREQ(error.what(), error.kind() == FloatingPointError::Kind::Overflow
                                           ? "Gleitkommaüberlauf"
                                           : "Ungültige Gleitkommaoperation");
            return describePlace(error.place());
        }
        return std::string("(no failure)");
    };
    EXPECT_EQ(placeOf(FakeControls().set(inputs::cuttingSpeed, "0")), "bei der Vorbereitung des Laufs");
    const std::string huge = "99999999999999999999999999999999999999";
    const FakeControls hugeFeedForce = FakeControls().set(inputs::kf11, huge).set(inputs::expF11, "0,3");
    EXPECT_EQ(placeOf(hugeFeedForce), "in Schritt 10, Zahn 1");
    EXPECT_EQ(placeOf(FakeControls(hugeFeedForce).set(inputs::toothCount, "3")), "in Schritt 0, Zahn 2");
    EXPECT_EQ(placeOf(FakeControls().set(inputs::kc11, huge)), "in Schritt 16");  // the step's totals
    EXPECT_EQ(placeOf(FakeControls()), "(no failure)");
    using Stage = RunPlace::Stage;
    EXPECT_EQ(describePlace({Stage::Step, 7, 0}), "in Schritt 7");
    EXPECT_EQ(describePlace({Stage::Means}), "bei den Mittelwerten des Laufs");
    EXPECT_EQ(describePlace({Stage::ClearanceAngles}), "bei den Mindestfreiwinkeln");
    EXPECT_EQ(describePlace({}), "");
    EXPECT_EQ(describePlace(FloatingPointError(FloatingPointError::Kind::Overflow).place()), "");
}

TEST(FloatingPointFailure, GuardedArccosForgivesOnlyRoundingExcess)
{
    EXPECT_EQ(detail::guardedArccos(1.0L), 0.0L);
    EXPECT_EQ(detail::guardedArccos(1.00009L), 0.0L);
    EXPECT_NEAR(static_cast<double>(detail::guardedArccos(-1.00005L)), M_PI, 1e-15);
    EXPECT_THROW(detail::guardedArccos(1.0001L), FloatingPointError);
    EXPECT_THROW(detail::guardedArccos(-1.5L), FloatingPointError);
}

TEST(DegenerateGeometry, ChipFeedOnThePrecedingPathEndsWithZero)
{
    // Without orbit motion between two passes the mid point lies on the
    // preceding path: the distance is exactly 0 and the iteration must end.
    ParameterSet p;
    p.millingDirection = 1;
    SimulationState s;
    s.pathRadius = 21;
    s.insertMidDiameter = 36;
    s.orbitAngle = 0;
    s.orbitAnglePerTooth = 0;
    s.circularAngularSpeed = 7.9f;
    s.spindleAngularSpeed = 5217.4f;
    computeChipFeed(p, s, 0.0f, 0.0f);
    EXPECT_EQ(s.chipFeed, 0.0f);
    EXPECT_FALSE(std::isnan(s.passOrbitAngle));
}

TEST(DegenerateGeometry, RhombicSearchOverATinyRadialSpanEnds)
{
    // An insert 0,0005 mm wide: a thousandth of its span is below the
    // rounding of r, so the radial search no longer advances.
    Calculation c;
    c.run(FakeControls()
              .select(inputs::insertShape, 1)
              .set(inputs::boreDiameter, "88")
              .set(inputs::cutterDiameter, "44,0002")
              .set(inputs::insertWidth, "0,0005")
              .set(inputs::settingAngle, "89")
              .set(inputs::axialFeedPerRev, "0,02"));
    for (int r = 0; r <= 120; ++r)
        for (int ch = 0; ch < channelCount; ++ch)
            EXPECT_TRUE(std::isfinite(c.table.at(ch, r))) << r << " " << ch;
    EXPECT_TRUE(std::isfinite(c.summary.meanCuttingPower));
}

}  // namespace
}  // namespace orbiton
