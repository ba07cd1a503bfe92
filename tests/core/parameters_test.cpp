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
    controls.set("Edit121", "5").set("Edit122", "-3");
    ParameterSet p;
    readProcessParameters(p, controls);
    EXPECT_EQ(p.rakeAngleAxial, -3.0f);
    EXPECT_EQ(p.inclinationAxial, 5.0f);
}

TEST(ParameterReading, InputPageIsReadInItsFixedOrder)
{
    FakeControls controls;
    ParameterSet p;
    readProcessParameters(p, controls);
    const std::vector<std::string> expected{"Edit111", "Edit112", "Edit113", "Edit114", "Edit115",
                                            "Edit116", "Edit121", "Edit122", "Edit123", "Edit124",
                                            "Edit125", "Edit132", "Edit141", "Edit142", "Edit143",
                                            "ComboBox161", "Edit162"};
    EXPECT_EQ(controls.reads, expected);

    controls.reads.clear();
    readForceCoefficients(p, controls);
    const std::vector<std::string> coefficients{"Edit541", "Edit542", "Edit543", "Edit561",
                                                "Edit562", "Edit563", "Edit531", "Edit532",
                                                "Edit533", "Edit551", "Edit552", "Edit553"};
    EXPECT_EQ(controls.reads, coefficients);

    controls.reads.clear();
    readCorrectionParameters(p, controls);
    const std::vector<std::string> corrections{"Edit591", "Edit592", "Edit593", "Edit594", "Edit581",
                                               "Edit582", "Edit583", "Edit584", "Edit585"};
    EXPECT_EQ(controls.reads, corrections);
}

TEST(ParameterReading, EmptyToothCountStopsAfterTheDiameters)
{
    FakeControls controls;
    controls.set("Edit113", "");
    ParameterSet p;
    resetParameters(p);
    try {
        readProcessParameters(p, controls);
        FAIL() << "an empty integer field must not convert";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'' ist kein gültiger Integerwert");
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
    controls.set("Edit111", "");
    ParameterSet p;
    resetParameters(p);
    EXPECT_THROW(
        {
            try {
                readProcessParameters(p, controls);
            } catch (const ConversionError& error) {
                EXPECT_STREQ(error.what(), "'' ist kein gültiger Gleitkommawert");
                throw;
            }
        },
        ConversionError);
    EXPECT_EQ(controls.reads, std::vector<std::string>{"Edit111"});
    EXPECT_EQ(p.cutterDiameter, 0.0f);
}

TEST(ParameterReading, FieldTextIsQuotedInTheConversionMessage)
{
    FakeControls controls;
    controls.set("Edit142", "-,");
    ParameterSet p;
    try {
        readProcessParameters(p, controls);
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'-,' ist kein gültiger Gleitkommawert");
    }
    controls.set("Edit142", "1,5").set("ComboBox161", "abc");
    try {
        readProcessParameters(p, controls);
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'abc' ist kein gültiger Integerwert");
    }
}

TEST(ParameterReading, ValuesAreTakenAsTyped)
{
    FakeControls controls;
    controls.set("ComboBox161", "100").set("Edit113", "0").set("Edit121", "-95");
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
    controls.select("RadioGroup1", 1);
    readProcessParameters(p, controls);
    EXPECT_EQ(p.insertShape, "rhombus");
    controls.select("RadioGroup1", -1);
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
    controls.set("Edit121", "7").set("Edit123", "8").set("Edit116", "0,3").set("Edit583", "1,7");
    controls.check("CheckBox513", false).select("RadioGroup1", 1).select("RadioGroup101", 1);
    ParameterSet p;
    readProcessParameters(p, controls);
    readForceCoefficients(p, controls);
    applyMillingDirection(p, 1);
    readCorrectionParameters(p, controls);

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
    controls.check("CheckBox511", false).check("CheckBox524", false).check("CheckBox526", false);
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
