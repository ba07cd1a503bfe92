// Converting field texts to values: decimal comma only, optional leading
// minus, the exact failure texts.
#include <gtest/gtest.h>

#include <string>

#include "model/errors.h"
#include "model/numbertext.h"

using namespace orbiton;

namespace {

std::string realFailure(const std::string& text)
{
    try {
        parseReal(text);
    } catch (const ConversionError& e) {
        return e.what();
    }
    return "(converted)";
}

std::string integerFailure(const std::string& text)
{
    try {
        parseInteger(text);
    } catch (const ConversionError& e) {
        return e.what();
    }
    return "(converted)";
}

}  // namespace

TEST(ParseReal, DecimalCommaAndSign)
{
    EXPECT_EQ(parseReal("88"), 88.0f);
    EXPECT_EQ(parseReal("1,5"), 1.5f);
    EXPECT_EQ(parseReal("-2,5"), -2.5f);
    EXPECT_EQ(parseReal("0,00"), 0.0f);
    EXPECT_EQ(parseReal(",5"), 0.5f);
    EXPECT_EQ(parseReal("5,"), 5.0f);
    EXPECT_EQ(parseReal("007"), 7.0f);
    // The value is rounded to single precision once, from extended precision.
    EXPECT_EQ(parseReal("0,2"), 0.2f);
    EXPECT_EQ(static_cast<double>(parseReal("0,2")), static_cast<double>(0.200000003f));
    EXPECT_EQ(parseRealExtended("0,1"), 0.1L);
    EXPECT_EQ(parseRealExtended("-0,015"), -0.015L);
}

TEST(ParseReal, RejectsEverythingButTheCommaFormat)
{
    EXPECT_EQ(realFailure("1.5"), "'1.5' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(realFailure(""), "'' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(realFailure("-"), "'-' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(realFailure(","), "',' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(realFailure("-,"), "'-,' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(realFailure("1,2,3"), "'1,2,3' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(realFailure("1-"), "'1-' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(realFailure(" 1"), "' 1' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(realFailure("1e3"), "'1e3' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(realFailure("AlCuMgPbF34.wks"), "'AlCuMgPbF34.wks' ist kein gültiger Gleitkommawert");
}

TEST(ParseInteger, DigitsWithOptionalMinus)
{
    EXPECT_EQ(parseInteger("120"), 120);
    EXPECT_EQ(parseInteger("-3"), -3);
    EXPECT_EQ(parseInteger("0"), 0);
    EXPECT_EQ(parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ParseInteger, RejectsNonIntegers)
{
    EXPECT_EQ(integerFailure(""), "'' ist kein gültiger Integerwert");
    EXPECT_EQ(integerFailure("-"), "'-' ist kein gültiger Integerwert");
    EXPECT_EQ(integerFailure("1,5"), "'1,5' ist kein gültiger Integerwert");
    EXPECT_EQ(integerFailure("12a"), "'12a' ist kein gültiger Integerwert");
    EXPECT_EQ(integerFailure("2147483648"), "'2147483648' ist kein gültiger Integerwert");
    EXPECT_EQ(integerFailure("99999999999999999999"),
              "'99999999999999999999' ist kein gültiger Integerwert");
}
