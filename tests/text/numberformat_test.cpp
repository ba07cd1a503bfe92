// The general number format with four significant digits that every result
// display uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/numbertext.h"

using orbiton::fieldNumberText;
using orbiton::formatNumber;

namespace {

struct Case {
    long double value;
    const char* text;
};

void expectAll(std::initializer_list<Case> cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(formatNumber(c.value), c.text) << "value " << static_cast<double>(c.value);
}

}  // namespace

TEST(FormatNumber, DocumentedExamples)
{
    expectAll({
        {1234.5L, "1235"},
        {120, "120"},
        {100, "100"},
        {0.5L, "0,5"},
        {0.0001234L, "0,0001234"},
        {-3.14159L, "-3,142"},
        {9999.4L, "9999"},
        {9999.6L, "1E4"},
        {12345, "1,235E4"},
        {0.00001234L, "1,234E-5"},
        {0.12346L, "0,1235"},
        {23456, "2,346E4"},
        {10000, "1E4"},
        {0, "0"},
    });
}

TEST(FormatNumber, SpecialValuesHaveNoSign)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_EQ(formatNumber(inf), "INF");
    EXPECT_EQ(formatNumber(-inf), "INF");
    EXPECT_EQ(formatNumber(nan), "NAN");
    EXPECT_EQ(formatNumber(-nan), "NAN");
    EXPECT_EQ(formatNumber(std::numeric_limits<float>::infinity()), "INF");
    EXPECT_EQ(formatNumber(-0.0L), "0");
    EXPECT_EQ(formatNumber(-0.0f), "0");
}

TEST(FormatNumber, ExactHalvesRoundAwayFromZero)
{
    // These values are exact in binary, so the fifth digit is an exact 5.
    expectAll({
        {9999.5L, "1E4"},
        {-9999.5L, "-1E4"},
        {1234.5L, "1235"},
        {-1234.5L, "-1235"},
        {1.0625L, "1,063"},  // 1,0625 exactly
        {0.03125L, "0,03125"},
        {2.5L, "2,5"},
        {100.25L, "100,3"},  // exact tie, half away from zero (not to even)
        {100.75L, "100,8"},
        {12.125L, "12,13"},
        {32768.5L, "3,277E4"},
        {99995, "1E5"},
        {99985, "9,999E4"},  // tie rounds up to ...9 (not down to even ...8)
        {0.000099995L, "0,0001"},
    });
}

TEST(FormatNumber, NeighboursOfExactHalvesRoundToTheirSide)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    for (const long double tie : {1234.5L, 9999.5L, 1.0625L, 12.125L, 100.25L, 99985.0L, 0.0078125L}) {
        const long double below = std::nextafter(tie, 0.0L);
        const long double above = std::nextafter(tie, inf);
        EXPECT_NE(formatNumber(below), formatNumber(above)) << static_cast<double>(tie);
        EXPECT_EQ(formatNumber(tie), formatNumber(above)) << static_cast<double>(tie);
        EXPECT_EQ(formatNumber(-below), std::string("-").append(formatNumber(below)));
    }
    EXPECT_EQ(formatNumber(std::nextafter(1234.5L, 0.0L)), "1234");
    EXPECT_EQ(formatNumber(std::nextafter(9999.5L, 0.0L)), "9999");
    EXPECT_EQ(formatNumber(std::nextafter(0.0078125L, 0.0L)), "0,007812");
    EXPECT_EQ(formatNumber(0.0078125L), "0,007813");
}

TEST(FormatNumber, RoundsTheExactBinaryValueNotItsShortDecimal)
{
    // 0,0000999949... as a float lies below the rounding boundary; the
    // decimal literal is only an approximation of the stored value.
    const float justBelow = std::nextafter(0.000099995f, 0.0f);
    EXPECT_LT(static_cast<long double>(justBelow), 0.000099995L);
    EXPECT_EQ(formatNumber(justBelow), "9,999E-5");
    EXPECT_EQ(formatNumber(0.00009999L), "9,999E-5");

    // 1,2345 and 1,0025 are not exact in binary: as doubles they lie
    // slightly below the tie, as floats slightly above it.
    EXPECT_EQ(formatNumber(1.2345), "1,234");   // 1.23449999999999993...
    EXPECT_EQ(formatNumber(1.2345f), "1,235");  // 1.23450005054...
    EXPECT_EQ(formatNumber(1.0025), "1,002");   // 1.00249999999999994...
    EXPECT_EQ(formatNumber(1.0025f), "1,003");  // 1.00250005722...
    EXPECT_EQ(formatNumber(2.3455f), "2,345");  // 2.34549999237...
    EXPECT_EQ(formatNumber(0.2f), "0,2");       // 0.200000003
    EXPECT_EQ(formatNumber(1.2587f), "1,259");
    EXPECT_EQ(formatNumber(830.3736f), "830,4");
}

TEST(FormatNumber, FixedNotationRangeBoundaries)
{
    expectAll({
        {0.0001L, "0,0001"},
        {0.00009999L, "9,999E-5"},
        {0.000099999L, "0,0001"},  // rounds up into the fixed range
        {9999, "9999"},
        {9999.49L, "9999"},
        {1000, "1000"},
        {1, "1"},
        {10, "10"},
        {0.1L, "0,1"},
        {0.001L, "0,001"},
        {0.01L, "0,01"},
        {12.3L, "12,3"},
        {-0.5L, "-0,5"},
        {-0.00001234L, "-1,234E-5"},
        {-12345, "-1,235E4"},
        {123456789, "1,235E8"},
        {1e20L, "1E20"},
        {1.5e-10L, "1,5E-10"},
        {7e-7L, "7E-7"},
    });
}

TEST(FormatNumber, ExtremeMagnitudes)
{
    EXPECT_EQ(formatNumber(std::numeric_limits<float>::max()), "3,403E38");
    EXPECT_EQ(formatNumber(std::numeric_limits<float>::min()), "1,175E-38");
    EXPECT_EQ(formatNumber(std::numeric_limits<float>::denorm_min()), "1,401E-45");
    EXPECT_EQ(formatNumber(-std::numeric_limits<float>::denorm_min()), "-1,401E-45");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::max()), "1,798E308");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::denorm_min()), "4,941E-324");
    EXPECT_EQ(formatNumber(std::numeric_limits<long double>::max()), "1,19E4932");
    EXPECT_EQ(formatNumber(std::numeric_limits<long double>::denorm_min()), "3,645E-4951");
}

TEST(FieldNumberText, FourSignificantDigitsNeverInScientificNotation)
{
    EXPECT_EQ(fieldNumberText(0), "0");
    EXPECT_EQ(fieldNumberText(1438), "1438");
    EXPECT_EQ(fieldNumberText(0.025), "0,025");
    EXPECT_EQ(fieldNumberText(-2.5), "-2,5");
    EXPECT_EQ(fieldNumberText(9999), "9999");
    EXPECT_EQ(fieldNumberText(9999.6), "10000");
    EXPECT_EQ(fieldNumberText(10000), "10000");
    EXPECT_EQ(fieldNumberText(10009), "10010");
    EXPECT_EQ(fieldNumberText(12345.6), "12350");
    EXPECT_EQ(fieldNumberText(-123456), "-123500");
    EXPECT_EQ(fieldNumberText(1e6), "1000000");
    EXPECT_EQ(fieldNumberText(0.0001), "0,0001");
    EXPECT_EQ(fieldNumberText(0.00001234), "0,00001234");
    EXPECT_EQ(fieldNumberText(-0.0000068), "-0,0000068");
    EXPECT_EQ(fieldNumberText(-0.0), "0");
}

TEST(ExactFieldText, ShortestTextThatReadsBackAsTheSameFloat)
{
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {10011.0f, "10011"},
        {10009.0f, "10009"},
        {100008.0f, "100008"},
        {90.0f, "90"},
        {88.5f, "88,5"},
        {-2.5f, "-2,5"},
        {0.3f, "0,3"},
        {std::nextafter(0.3f, 1.0f), "0,30000004"},
        {1.0e-5f, "0,00001"},
        {16777217.0f, "16777216"},
        {123456792.0f, "123456790"},
        {-0.0f, "0"},
        {FLT_MAX, "340282350000000000000000000000000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(orbiton::exactFieldText(c.value), c.text) << c.value;
    EXPECT_EQ(orbiton::exactFieldText(std::numeric_limits<float>::infinity()), "INF");
}

// Over floats of every magnitude: the text reads back exactly, has as many
// significant digits as the shortest round trip of the standard library,
// and is the four-digit text byte for byte wherever that reads back.
TEST(ExactFieldText, AgreesWithTheShortestRoundTripOfTheStandardLibrary)
{
    std::uint32_t bits = 12345;
    int fourDigitTexts = 0;
    for (int k = 0; k < 20000; ++k) {
        bits = bits * 1664525u + 1013904223u;
        const float value = std::bit_cast<float>(bits);
        if (!std::isnormal(value))
            continue;
        const std::string text = orbiton::exactFieldText(value);
        ASSERT_EQ(orbiton::parseReal(text), value) << text;
        char shortest[64];
        const auto end = std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific).ptr;
        const std::string mantissa(shortest, static_cast<std::size_t>(std::find(shortest, end, 'e') - shortest));
        const auto digits = [](const std::string& t) {
            const std::size_t first = t.find_first_of("123456789");
            const std::size_t last = t.find_last_of("123456789");
            return std::count_if(t.begin() + static_cast<std::ptrdiff_t>(first),
                                 t.begin() + static_cast<std::ptrdiff_t>(last) + 1, ::isdigit);
        };
        EXPECT_EQ(digits(text), digits(mantissa)) << text << " " << mantissa;
        EXPECT_EQ(text.find('E'), std::string::npos);
        if (orbiton::parseReal(fieldNumberText(value)) == value) {
            EXPECT_EQ(text, fieldNumberText(value));
            ++fourDigitTexts;
        }
    }
    // Decimals of up to four digits keep their four-digit texts.
    for (int n = -9999; n <= 9999; ++n) {
        const float value = static_cast<float>(n) / 10.0f;
        EXPECT_EQ(orbiton::exactFieldText(value), fieldNumberText(value)) << value;
    }
    EXPECT_GT(fourDigitTexts, 0);
}
