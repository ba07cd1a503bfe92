#include "model/numbertext.h"

#include <charconv>
#include <limits>
#include <string>

#include "model/errors.h"
#include "model/fpmath.h"

namespace orbiton {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void invalidReal(std::string_view text)
{
    throw ConversionError(formatMessage(messages::invalidReal, excerpt(text)));
}

}  // namespace

long double parseRealExtended(std::string_view text)
{
    // Accepted: optional leading '-', digits, at most one comma, at least one digit.
    std::string plain;
    plain.reserve(text.size() + 1);
    bool comma = false;
    bool digit = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (isDigit(c)) {
            digit = true;
            plain.push_back(c);
        } else if (c == ',' && !comma) {
            comma = true;
            plain.push_back('.');
        } else if (c == '-' && k == 0) {
            plain.push_back('-');
        } else {
            invalidReal(text);
        }
    }
    if (!digit)
        invalidReal(text);
    long double value = 0;
    const char* first = plain.data();
    const char* last = plain.data() + plain.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (end != last)
        invalidReal(text);
    if (ec == std::errc::result_out_of_range) {
        // Beyond the extended range only by being too large when a digit
        // other than 0 stands before the comma; otherwise the number is
        // too small for any precision the program has and counts as 0,
        // as it would after rounding to single precision.
        const std::size_t comma = plain.find('.');
        const std::string_view whole = std::string_view(plain).substr(0, comma);
        if (whole.find_first_not_of("-0") != std::string_view::npos)
            fp::raise(FloatingPointError::Kind::Overflow);
        return plain[0] == '-' ? -0.0L : 0.0L;
    }
    if (ec != std::errc())
        invalidReal(text);
    return value;
}

float parseReal(std::string_view text) { return fp::store(parseRealExtended(text)); }

std::int32_t parseInteger(std::string_view text)
{
    auto fail = [&]() -> std::int32_t {
        throw ConversionError(formatMessage(messages::invalidInteger, excerpt(text)));
    };
    std::size_t k = 0;
    bool negative = false;
    if (k < text.size() && (text[k] == '-' || text[k] == '+')) {
        negative = text[k] == '-';
        ++k;
    }
    if (k == text.size())
        return fail();
    long long value = 0;
    for (; k < text.size(); ++k) {
        if (!isDigit(text[k]))
            return fail();
        value = value * 10 + (text[k] - '0');
        if (value > 2147483648LL)
            return fail();
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max() || value < std::numeric_limits<std::int32_t>::min())
        return fail();
    return static_cast<std::int32_t>(value);
}

}  // namespace orbiton
