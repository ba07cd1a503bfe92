// The number-to-text rule of every result display and the entry filter of
// the numeric input fields.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/errors.h"
#include "model/numbertext.h"

namespace orbiton {

namespace {

// Upper bound of the significant decimal digits of the exact value of a
// finite, non-zero long double. With |v| = M * 2^k (M an integer below
// 2^digits): for k >= 0 the value is an integer of at most
// log10(|v|) + 1 digits; for k < 0 it is M * 5^-k / 10^-k, and M * 5^-k has
// at most (digits + (-k) * log2(5)) * log10(2) + 1 digits.
int exactDigitBound(long double magnitude)
{
    int exponent = 0;
    std::frexp(magnitude, &exponent);  // magnitude = f * 2^exponent, 0.5 <= f < 1
    constexpr int mantissaBits = LDBL_MANT_DIG;
    const int k = exponent - mantissaBits;
    if (k >= 0)
        return static_cast<int>(std::ceil(exponent * 0.30103)) + 2;
    return static_cast<int>(std::ceil((mantissaBits + (-k) * 2.3219281) * 0.30103)) + 2;
}

struct Decimal {
    std::string digits;  // significant digits, first one not zero
    int exponent = 0;    // value = 0.d1d2d3... * 10^exponent
};

Decimal parseScientific(const char* text, int length)
{
    Decimal d;
    int k = 0;
    for (; k < length && text[k] != 'e'; ++k)
        if (text[k] >= '0' && text[k] <= '9')
            d.digits.push_back(text[k]);
    d.exponent = k < length ? std::atoi(text + k + 1) + 1 : 1;
    return d;
}

// The exact decimal expansion of a finite, non-zero magnitude. Printing with
// at least as many digits as the exact value has involves no rounding.
Decimal exactDecimal(long double magnitude)
{
    // The smallest subnormal needs about 11 600 digits, the bound never more.
    constexpr int maxPrecision = 11800;
    const int precision = std::min(exactDigitBound(magnitude), maxPrecision);
    std::vector<char> buffer(maxPrecision + 64);
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*Le", precision, magnitude);
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size())
        return Decimal{"0", 0};
    return parseScientific(buffer.data(), length);
}

// Enough digits to round to four: 21 significant digits, correctly rounded.
// Rounding at the 21st digit is monotonic and a four-digit tie (a fifth
// digit 5, then zeros) is representable at 21 digits, so the rounded
// expansion lies on the same side of every tie as the exact value, unless
// it lands on the tie itself; only then the exact expansion decides.
Decimal decimalForRounding(long double magnitude)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.20Le", magnitude);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer)
        return exactDecimal(magnitude);
    Decimal d = parseScientific(buffer, length);
    if (d.digits.size() > 4 && d.digits[4] == '5' && d.digits.find_first_not_of('0', 5) == std::string::npos)
        return exactDecimal(magnitude);
    return d;
}

// Rounds to four significant digits, halves away from zero (the digits are
// exact, so a fifth digit of 5 or more means at least half a unit), and
// drops trailing zeros.
Decimal roundToFourDigits(Decimal d)
{
    if (d.digits.size() > 4) {
        const bool up = d.digits[4] >= '5';
        d.digits.resize(4);
        if (up) {
            int k = 3;
            while (k >= 0 && d.digits[static_cast<std::size_t>(k)] == '9') {
                d.digits[static_cast<std::size_t>(k)] = '0';
                --k;
            }
            if (k < 0) {
                d.digits.insert(d.digits.begin(), '1');
                d.digits.pop_back();
                ++d.exponent;
            } else {
                ++d.digits[static_cast<std::size_t>(k)];
            }
        }
    }
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Fixed notation with decimal comma of a decimal without trailing zeros.
std::string fixedText(const Decimal& d, bool negative)
{
    std::string out = negative ? "-" : "";
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent <= 0) {
        out += "0,";
        out.append(static_cast<std::size_t>(-d.exponent), '0');
        out += d.digits;
    } else if (count <= d.exponent) {
        out += d.digits;
        out.append(static_cast<std::size_t>(d.exponent - count), '0');
    } else {
        out.append(d.digits, 0, static_cast<std::size_t>(d.exponent));
        out.push_back(',');
        out.append(d.digits, static_cast<std::size_t>(d.exponent), std::string::npos);
    }
    return out;
}

// The value correctly rounded to that many significant digits, trailing
// zeros dropped.
Decimal significantDigits(float magnitude, int digits)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, static_cast<double>(magnitude));
    Decimal d = parseScientific(buffer, length);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// A text beyond the largest float (FLT_MAX written with four digits is
// 3,403E38) reads back as nothing.
bool readsBackAs(const std::string& text, float value)
{
    try {
        return parseReal(text) == value;
    } catch (const FloatingPointError&) {
        return false;
    }
}

}  // namespace

// Length in bytes of the UTF-8 sequence that starts with this byte; a
// stray or invalid byte counts as a character of its own.
std::size_t utf8CharacterLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (at + length > text.size())
        return 1;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80)
            return 1;
    return length;
}

std::string formatNumber(long double value)
{
    if (std::isinf(value))
        return "INF";
    if (std::isnan(value))
        return "NAN";
    if (value == 0)
        return "0";

    const Decimal d = roundToFourDigits(decimalForRounding(std::fabs(value)));
    const int e = d.exponent;
    const int count = static_cast<int>(d.digits.size());

    std::string out;
    if (std::signbit(value))
        out.push_back('-');

    if (e >= -3 && e <= 4) {
        if (e <= 0) {
            out.push_back('0');
        } else {
            for (int k = 0; k < e; ++k)
                out.push_back(k < count ? d.digits[static_cast<std::size_t>(k)] : '0');
        }
        const int fractionStart = e > 0 ? e : 0;
        if (count > fractionStart) {
            out.push_back(',');
            for (int k = e; k < 0; ++k)
                out.push_back('0');
            out.append(d.digits, static_cast<std::size_t>(fractionStart), std::string::npos);
        }
    } else {
        out.push_back(d.digits[0]);
        if (count > 1) {
            out.push_back(',');
            out.append(d.digits, 1, std::string::npos);
        }
        out.push_back('E');
        const int shown = e - 1;
        if (shown < 0)
            out.push_back('-');
        out += std::to_string(shown < 0 ? -shown : shown);
    }
    return out;
}

std::size_t firstRefusedAt(std::string_view text, bool allowComma, bool allowMinus)
{
    bool commaSeen = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8CharacterLength(text, at);
        const char c = text[at];
        bool keep = false;
        if (length == 1) {
            if (c >= '0' && c <= '9') {
                keep = true;
            } else if (c == ',') {
                keep = allowComma && !commaSeen;
                commaSeen = true;
            } else if (c == '-') {
                keep = allowMinus && at == 0;
            }
        }
        if (!keep)
            return at;
        at += length;
    }
    return std::string_view::npos;
}

std::string firstRefusedCharacter(std::string_view text, bool allowComma, bool allowMinus)
{
    const std::size_t at = firstRefusedAt(text, allowComma, allowMinus);
    if (at == std::string_view::npos)
        return {};
    return std::string(text.substr(at, utf8CharacterLength(text, at)));
}

FilterResult numericEntryFilter(std::string_view text, bool allowComma, bool allowMinus)
{
    const std::size_t at = firstRefusedAt(text, allowComma, allowMinus);
    if (at == std::string_view::npos)
        return FilterResult{std::string(text), false};
    const std::size_t length = utf8CharacterLength(text, at);
    FilterResult result;
    result.text.reserve(text.size() - length);
    result.text.append(text.substr(0, at));
    result.text.append(text.substr(at + length));
    result.removed = true;
    return result;
}

std::string fieldNumberText(long double value)
{
    const std::string general = formatNumber(value);
    const std::size_t e = general.find('E');
    if (e == std::string::npos)
        return general;  // fixed already, or INF/NAN

    // Mantissa d[,ddd] and exponent n: the value is d,ddd × 10^n.
    std::string out;
    std::size_t at = 0;
    if (general[0] == '-') {
        out.push_back('-');
        at = 1;
    }
    std::string digits;
    for (std::size_t k = at; k < e; ++k)
        if (general[k] != ',')
            digits.push_back(general[k]);
    const int exponent = std::stoi(general.substr(e + 1));
    const int integerDigits = exponent + 1;  // digits before the comma
    if (integerDigits <= 0) {
        out += "0,";
        out.append(static_cast<std::size_t>(-integerDigits), '0');
        out += digits;
    } else {
        const auto whole = static_cast<std::size_t>(integerDigits);
        if (digits.size() <= whole) {
            out += digits;
            out.append(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole);
            out.push_back(',');
            out += digits.substr(whole);
        }
    }
    return out;
}

std::string exactFieldText(float value)
{
    if (!std::isfinite(value) || value == 0)
        return formatNumber(value);
    std::string text = fieldNumberText(value);
    if (readsBackAs(text, value))
        return text;
    // Nine significant digits tell every float from its neighbours; the
    // loop ends there at the latest.
    for (int digits = 5;; ++digits) {
        text = fixedText(significantDigits(std::fabs(value), digits), std::signbit(value));
        if (digits >= 9 || readsBackAs(text, value))
            return text;
    }
}

}  // namespace orbiton
