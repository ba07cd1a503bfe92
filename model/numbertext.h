#pragma once
// The number conventions of the program: converting field texts to values
// (decimal comma, optional leading minus), the one number-to-text rule of
// every result display, and the entry filter of the numeric fields.
#include <cstdint>
#include <string>
#include <string_view>

namespace orbiton {

// Converts a real field text: optional leading '-', digits, at most one
// decimal comma, at least one digit. The value is evaluated in extended
// precision and rounded to single precision. Raises ConversionError
// "'<text>' ist kein gültiger Gleitkommawert".
float parseReal(std::string_view text);

// The same conversion without the final rounding, for callers that keep
// extended precision.
long double parseRealExtended(std::string_view text);

// Converts an integer field text: optional leading '-', digits, within the
// 32-bit range. Raises ConversionError "'<text>' ist kein gültiger Integerwert".
std::int32_t parseInteger(std::string_view text);

// General format with 4 significant digits: fixed notation for rounded
// magnitudes from 0,0001 to below 10000, otherwise scientific as 1,235E4;
// "0" for zero, "INF" and "NAN" for the special values.
std::string formatNumber(long double value);

// The number as the results show it (four significant digits, decimal
// comma), but always in fixed notation, as the program writes a value into
// a numeric field: the fields' entry filter would turn the "E" of 1,235E4
// or 1,234E-5 into a different number, so such values are written 12350
// and 0,00001234.
std::string fieldNumberText(long double value);

// The shortest text with decimal comma, in fixed notation, that parseReal
// reads back as exactly this value: what the parameter variation writes into
// a field (10011 stays 10011, where the four digits above would give 10010).
// Where the four-digit text of fieldNumberText already reads back, it is that
// text. Zero of either sign is "0"; INF and NAN as formatNumber.
std::string exactFieldText(float value);

// Length in bytes of the UTF-8 character that starts at a byte; a stray or
// invalid byte counts as a character of its own.
std::size_t utf8CharacterLength(std::string_view text, std::size_t at);

struct FilterResult {
    std::string text;  // the text with at most one character removed
    bool removed = false;
};

// Where the first character starts that numericEntryFilter would remove
// from text, npos when the filter leaves the text as it is; and that
// character (a whole UTF-8 code point), or "".
std::size_t firstRefusedAt(std::string_view text, bool allowComma, bool allowMinus);
std::string firstRefusedCharacter(std::string_view text, bool allowComma, bool allowMinus);

// Removes the first character (UTF-8 code point) that cannot belong to a
// number of the field's kind: anything but digits, a second comma or any
// comma when commas are not allowed, a minus sign that is not the first
// character or any minus when not allowed. One call removes at most one
// character.
FilterResult numericEntryFilter(std::string_view text, bool allowComma, bool allowMinus);

}  // namespace orbiton
