// Reading the input fields into the parameter set: order, conversion,
// point of failure and the reset values a run starts from.
#include <gtest/gtest.h>

#include "model/errors.h"
#include "model/parameterset.h"
#include "support.h"

namespace orbiton {
namespace {

using test::FakeControls;

TEST(ParameterReading, DefaultTextsGiveTheDocumentedValues)
{
    FakeControls controls;
    ParameterSet p;
    resetParameters(p);
    readProcessParameters(p, controls);

    EXPECT_EQ(p.boreDiameter, 88.0f);
    EXPECT_EQ(p.cutterDiameter, 46.0f);
    EXPECT_EQ(p.toothCount, 1);
    EXPECT_EQ(p.insertWidth, 10.0f);
    EXPECT_EQ(p.stepCount, 120);
    EXPECT_EQ(p.observedTooth, 1);
    // 10 degrees in radians, rounded once to single precision.
    EXPECT_EQ(p.settingAngle, 0.17453292f);
    EXPECT_EQ(p.rakeAngleAxial, 0.0f);
    EXPECT_EQ(p.inclinationAxial, 0.0f);
    EXPECT_EQ(p.insertShape, "rechteck");
    // The nearest single-precision value to 0,2.
    EXPECT_EQ(p.radialFeedPerTooth, 0.200000003f);
    EXPECT_EQ(p.axialFeedPerRev, 1.5f);
}

TEST(ParameterReading, AxialEdgeTakesTheOuterEdgeAnglesCrosswise)
{
    FakeControls controls;
    controls.set(inputs::rakeAngleOuter, "5").set(inputs::inclinationOuter, "-3");
    ParameterSet p;
    readProcessParameters(p, controls);
    EXPECT_EQ(p.rakeAngleAxial, -3.0f);
    EXPECT_EQ(p.inclinationAxial, 5.0f);
}

// The run sequence reads the inputs in one fixed order and stops at the
// geometry check, at the first text that does not convert, or at an input
// that the run refuses; what it read before stopping keeps its new value.
TEST(RunSequence, ReadingOrderAndWhereItStops)
{
    using namespace inputs;
    using Names = std::vector<std::string_view>;
    const Names process{boreDiameter,  cutterDiameter, toothCount,       preboreDiameter, axialOffset,
                        wearLandWidth, rakeAngleOuter, inclinationOuter, rakeAngleInner,  inclinationInner,
                        settingAngle,  insertWidth,    cuttingSpeed,     axialFeedPerRev, radialFeedPerTooth,
                        stepCount,     observedTooth};
    const Names coefficients{expC11, expC101, expC1001, expF11, expF101, expF1001,
                             kc11,   kc101,   kc1001,   kf11,   kf101,   kf1001};
    const Names corrections{rakeCorrFactorC, refRakeAngleC,          inclCorrFactorC, refInclinationC, rakeCorrFactorF,
                            refRakeAngleF,   cuttingMaterialFactorF, inclCorrFactorF, refInclinationF};
    const auto join = [](std::initializer_list<Names> parts) {
        Names all;
        for (const Names& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    enum class Stop { None, Geometry, Conversion, Refusal };
    struct Case {
        const char* what;
        FakeControls controls;
        Stop stop;
        Names reads;
    };
    const Case cases[] = {
        {"defaults", FakeControls(), Stop::None, join({process, coefficients, corrections})},
        {"cutter as large as the bore", FakeControls().set(cutterDiameter, "88"), Stop::Geometry, process},
        {"empty kc1.0,1", FakeControls().set(kc101, ""), Stop::Conversion,
         join({process, Names(coefficients.begin(), coefficients.begin() + 8)})},
        {"observed tooth missing", FakeControls().set(observedTooth, "2"), Stop::Refusal,
         join({process, coefficients, corrections})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ParameterSet p;
        p.kf11 = 5;  // what a previous run left
        Stop stop = Stop::None;
        try {
            if (readRunInputs(p, c.controls) == RunInputs::GeometryRejected)
                stop = Stop::Geometry;
        } catch (const ConversionError&) {
            stop = Stop::Conversion;
        } catch (const RunRefused&) {
            stop = Stop::Refusal;
        }
        EXPECT_EQ(stop, c.stop);
        EXPECT_EQ(c.controls.reads, c.reads);
        EXPECT_EQ(p.boreDiameter, 88.0f);  // read before any stop
        // Read only when the geometry passed, reset to 0 at the start.
        EXPECT_EQ(p.expC11, c.stop == Stop::Geometry ? 0.0f : 0.81f);
        EXPECT_EQ(p.kf11, c.stop == Stop::None || c.stop == Stop::Refusal ? 100.0f : 0.0f);
    }
}

TEST(ParameterReading, EmptyToothCountStopsAfterTheDiameters)
{
    FakeControls controls;
    controls.set(inputs::toothCount, "");
    ParameterSet p;
    resetParameters(p);
    try {
        readProcessParameters(p, controls);
        FAIL() << "an empty integer field must not convert";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "Zähneanzahl: '' ist kein gültiger Integerwert");
    }
    EXPECT_EQ(p.boreDiameter, 88.0f);
    EXPECT_EQ(p.cutterDiameter, 46.0f);
    EXPECT_EQ(p.toothCount, 1);  // reset value
    EXPECT_EQ(p.preboreDiameter, 0.0f);
    EXPECT_EQ(p.insertWidth, 0.0f);
}

TEST(ParameterReading, EmptyBoreDiameterStopsBeforeAnythingElseIsRead)
{
    FakeControls controls;
    controls.set(inputs::boreDiameter, "");
    ParameterSet p;
    resetParameters(p);
    EXPECT_THROW(
        {
            try {
                readProcessParameters(p, controls);
            } catch (const ConversionError& error) {
                EXPECT_STREQ(error.what(), "Bohrungsdurchmesser: '' ist kein gültiger Gleitkommawert");
                throw;
            }
        },
        ConversionError);
    EXPECT_EQ(controls.reads, std::vector<std::string_view>{inputs::boreDiameter});
    EXPECT_EQ(p.cutterDiameter, 0.0f);
}

TEST(ParameterReading, ConversionMessageNamesTheFieldAndQuotesItsText)
{
    FakeControls controls;
    controls.set(inputs::axialFeedPerRev, "-,");
    ParameterSet p;
    try {
        readProcessParameters(p, controls);
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "axialer Vorschub/Umdr.: '-,' ist kein gültiger Gleitkommawert");
    }
    controls.set(inputs::axialFeedPerRev, "1,5").set(inputs::stepCount, "abc");
    try {
        readProcessParameters(p, controls);
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "Berechnungsschritte: 'abc' ist kein gültiger Integerwert");
    }
}

TEST(ParameterReading, ValuesAreTakenAsTyped)
{
    FakeControls controls;
    controls.set(inputs::stepCount, "100").set(inputs::toothCount, "0").set(inputs::rakeAngleOuter, "-95");
    ParameterSet p;
    readProcessParameters(p, controls);
    EXPECT_EQ(p.stepCount, 100);
    EXPECT_EQ(p.toothCount, 0);
    EXPECT_EQ(p.rakeAngleOuter, -95.0f);
}

TEST(ParameterReading, InsertShapeAndMillingDirectionKeepTheirValueWithoutSelection)
{
    FakeControls controls;
    ParameterSet p;
    controls.select(inputs::insertShape, 1);
    readProcessParameters(p, controls);
    EXPECT_EQ(p.insertShape, "rhombus");
    controls.select(inputs::insertShape, -1);
    readProcessParameters(p, controls);
    EXPECT_EQ(p.insertShape, "rhombus");

    ParameterSet fresh;
    readProcessParameters(fresh, controls);
    EXPECT_EQ(fresh.insertShape, "");

    applyMillingDirection(p, 1);
    EXPECT_EQ(p.millingDirection, -1);
    applyMillingDirection(p, -1);
    EXPECT_EQ(p.millingDirection, -1);
    applyMillingDirection(p, 0);
    EXPECT_EQ(p.millingDirection, 1);
}

TEST(ParameterReading, ResetKeepsTheFourUnresetFieldsAndTheSwitches)
{
    FakeControls controls;
    controls.set(inputs::rakeAngleOuter, "7")
        .set(inputs::rakeAngleInner, "8")
        .set(inputs::wearLandWidth, "0,3")
        .set(inputs::cuttingMaterialFactorF, "1,7");
    controls.check(inputs::speedCorrOnC, false).select(inputs::insertShape, 1).select(inputs::millingDirection, 1);
    ParameterSet p;
    ASSERT_EQ(readRunInputs(p, controls), RunInputs::Ready);
    ASSERT_EQ(p.millingDirection, -1);

    resetParameters(p);
    EXPECT_EQ(p.rakeAngleOuter, 7.0f);
    EXPECT_EQ(p.rakeAngleInner, 8.0f);
    EXPECT_EQ(p.wearLandWidth, 0.3f);
    EXPECT_EQ(p.cuttingMaterialFactorF, 1.7f);
    EXPECT_EQ(p.insertShape, "rhombus");
    EXPECT_FALSE(p.speedCorrOnC);
    EXPECT_TRUE(p.rakeCorrOnC);

    EXPECT_EQ(p.millingDirection, 1);
    EXPECT_EQ(p.toothCount, 1);
    EXPECT_EQ(p.observedTooth, 1);
    EXPECT_EQ(p.stepCount, 120);
    EXPECT_EQ(p.settingAngle, 90.0f);
    EXPECT_EQ(p.boreDiameter, 0.0f);
    EXPECT_EQ(p.inclinationOuter, 0.0f);
    EXPECT_EQ(p.kc11, 0.0f);
    EXPECT_EQ(p.expF1001, 0.0f);
    EXPECT_EQ(p.refInclinationF, 0.0f);
}

TEST(ParameterReading, CorrectionSwitchesFollowTheCheckBoxes)
{
    FakeControls controls;
    controls.check(inputs::rakeCorrOnC, false)
        .check(inputs::cuttingMaterialCorrOnF, false)
        .check(inputs::wearCorrOnF, false);
    ParameterSet p;
    readCorrectionParameters(p, controls);
    EXPECT_FALSE(p.rakeCorrOnC);
    EXPECT_TRUE(p.inclCorrOnC);
    EXPECT_TRUE(p.speedCorrOnC);
    EXPECT_TRUE(p.wearCorrOnC);
    EXPECT_TRUE(p.rakeCorrOnF);
    EXPECT_TRUE(p.inclCorrOnF);
    EXPECT_TRUE(p.settingAngleCorrOnF);
    EXPECT_FALSE(p.cuttingMaterialCorrOnF);
    EXPECT_TRUE(p.speedCorrOnF);
    EXPECT_FALSE(p.wearCorrOnF);
    EXPECT_EQ(p.rakeCorrFactorC, 0.02f);
    EXPECT_EQ(p.cuttingMaterialFactorF, 1.0f);
}

}  // namespace
}  // namespace orbiton
