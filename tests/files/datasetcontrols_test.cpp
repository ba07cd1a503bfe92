// The controls as a data set leaves them: the entry filter applied until
// the texts are clean, then read into the parameter set like the window.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "files/datasetcontrols.h"
#include "model/errors.h"
#include "model/fields.h"
#include "model/numbertext.h"
#include "model/parameterset.h"
#include "simulation/runsequence.h"

using namespace orbiton;

TEST(FilterUntilClean, SameAsRepeatingTheEntryFilter)
{
    const std::string alphabet[] = {"0",    "1",        "9",
                                    ",",    "-",        ".",
                                    "a",    " ",        "+",
                                    "E",    "\xC3\xA4", "\xE2\x82\xAC",
                                    "\xC3", "\x80",     std::string(1, '\0')};
    std::mt19937 random(99);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 9);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % std::size(alphabet)];
        for (const bool comma : {false, true}) {
            for (const bool minus : {false, true}) {
                std::string repeated = text;
                for (;;) {
                    auto r = numericEntryFilter(repeated, comma, minus);
                    if (!r.removed)
                        break;
                    repeated = r.text;
                }
                ASSERT_EQ(filterUntilClean(text, comma, minus), repeated)
                    << "text '" << text << "' comma " << comma << " minus " << minus;
            }
        }
    }
}

TEST(FilterUntilClean, LongTextsInLinearTime)
{
    std::string text(5'000'000, 'x');
    text[4'999'999] = '5';
    text[0] = '-';
    EXPECT_EQ(filterUntilClean(text, true, true), "-5");
}

TEST(DataSetControls, TextsPassTheirFieldsFilters)
{
    DataSet d = defaultDataSet();
    d.inputTexts[13] = "1.5";          // axial feed: the point goes
    d.inputTexts[12] = "120,5";        // cutting speed: digits only
    d.inputTexts[6] = "1-2,3,4";       // rake angle: minus and comma allowed
    d.inputTexts[0] = "-88";           // bore diameter: no minus
    d.inputTexts[15] = "Stahl,1.wks";  // the material name is no number
    d.inputTexts[16] = "7 20";         // step count
    d.materialTexts[3] = "0.81";       // exponent 1-z of 1 mm
    d.materialTexts[0] = "6,50";       // kc1.1: digits only
    d.insertShapeIndex = 1;
    d.millingDirectionIndex = -1;
    d.switches[3] = false;
    const DataSetControls c(d);
    EXPECT_EQ(c.text(inputs::axialFeedPerRev), "15");
    EXPECT_EQ(c.text(inputs::cuttingSpeed), "1205");
    EXPECT_EQ(c.text(inputs::rakeAngleOuter), "12,34");
    EXPECT_EQ(c.text(inputs::boreDiameter), "88");
    EXPECT_EQ(c.text(inputs::materialFile), "Stahl,1.wks");
    EXPECT_EQ(c.text(inputs::stepCount), "720");
    EXPECT_EQ(c.text(inputs::expC11), "081");
    EXPECT_EQ(c.text(inputs::kc11), "650");
    EXPECT_EQ(c.text(inputs::refInclinationC), "4");
    EXPECT_EQ(c.selectedIndex(inputs::insertShape), 1);
    EXPECT_EQ(c.selectedIndex(inputs::millingDirection), -1);
    EXPECT_TRUE(c.isChecked(inputs::rakeCorrOnC));
    EXPECT_FALSE(c.isChecked(inputs::wearCorrOnC));
    EXPECT_TRUE(c.isChecked(inputs::wearCorrOnF));
}

TEST(DataSetControls, FeedTheParameterSetLikeTheWindow)
{
    DataSet d = defaultDataSet();
    d.inputTexts[10] = "45";
    d.insertShapeIndex = 1;
    d.switches[9] = false;
    const DataSetControls c(d);
    ParameterSet p;
    ASSERT_EQ(readRunInputs(p, c), RunInputs::Ready);
    EXPECT_EQ(p.boreDiameter, 88.0f);
    EXPECT_EQ(p.radialFeedPerTooth, 0.2f);
    EXPECT_EQ(p.stepCount, 120);
    EXPECT_EQ(p.insertShape, "rhombus");
    EXPECT_EQ(p.millingDirection, 1);
    EXPECT_EQ(p.kc101, 1005.0f);
    EXPECT_EQ(p.cuttingMaterialFactorF, 1.0f);
    EXPECT_TRUE(p.wearCorrOnC);
    EXPECT_FALSE(p.wearCorrOnF);

    // A text the filter leaves that is no number stops the reading.
    d.inputTexts[1] = "-,";
    try {
        readProcessParameters(p, DataSetControls(d));
        ADD_FAILURE();
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "Fräserdurchmesser: ',' ist kein gültiger Gleitkommawert");
    }
}
