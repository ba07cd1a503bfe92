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
    EXPECT_EQ(integerFailure("99999999999999999999"), "'99999999999999999999' ist kein gültiger Integerwert");
}

// Fault: messages quoted whole texts (a NUL cut them off, a 50 MB line went
// to the screen, binary bytes reached the message box).
TEST(MessageText, OffendingTextsAreQuotedShortAndPrintable)
{
    const std::string forty(40, '7');
    struct Case {
        std::string text;
        std::string shown;
    };
    const Case cases[] = {
        {"1,5", "1,5"},
        {forty, forty},
        {forty + "8", forty + "…"},
        {std::string(50'000'000, 'x'), std::string(40, 'x') + "…"},
        {std::string("'\0x\0", 4), "'?x?"},
        {"a\r\nb\tc\x7F", "a??b?c?"},
        {"Höhe ²", "Höhe ²"},
        {"\xC2\x85 \xC3 \xFF", "? ? ?"},  // C1 control and bytes that are no UTF-8
        {std::string(39, 'a') + "äö", std::string(39, 'a') + "ä…"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(excerpt(c.text), c.shown) << c.shown;
    EXPECT_EQ(realFailure(std::string("\0\0\0", 3) + "1"), "'???1' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(integerFailure(std::string(100, '5')), "'" + std::string(40, '5') + "…' ist kein gültiger Integerwert");
    EXPECT_EQ(formatMessage("Kann Datei %s nicht öffnen", "a\nb.ads"), "Kann Datei a?b.ads nicht öffnen");
}

// Fault: a number too small for any precision was reported as an overflow.
TEST(MessageText, TinyNumbersAreZeroHugeOnesOverflow)
{
    const std::string zeros(5000, '0');
    EXPECT_EQ(parseReal("0," + zeros + "1"), 0.0f);
    EXPECT_EQ(parseRealExtended("-0," + zeros + "1"), 0.0L);
    EXPECT_EQ(parseReal("000," + zeros + "1"), 0.0f);
    EXPECT_EQ(parseReal("0,000000000000000000000000000000000000000000000001"), 0.0f);
    for (const std::string& huge : {"1" + zeros, "-1" + zeros + ",5", "0001" + zeros}) {
        try {
            parseRealExtended(huge);
            ADD_FAILURE() << huge.size() << " digits converted";
        } catch (const FloatingPointError& e) {
            EXPECT_EQ(e.kind(), FloatingPointError::Kind::Overflow);
            EXPECT_STREQ(e.what(), "Gleitkommaüberlauf");
        }
    }
    EXPECT_THROW(parseReal("1" + std::string(39, '0')), FloatingPointError);  // above the float range
}
