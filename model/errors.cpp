#include "model/errors.h"

#include "model/numbertext.h"

namespace orbiton {

namespace {

const char* textOf(FloatingPointError::Kind kind)
{
    switch (kind) {
    case FloatingPointError::Kind::InvalidOperation:
        return messages::invalidOperation;
    case FloatingPointError::Kind::DivisionByZero:
        return messages::divisionByZero;
    case FloatingPointError::Kind::Overflow:
        return messages::overflow;
    }
    return messages::invalidOperation;
}

// Whether the UTF-8 character text[at, at + length) can be shown as it is:
// not a byte that is no UTF-8 and no control character (C0, DEL, C1).
bool printable(std::string_view text, std::size_t at, std::size_t length)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length == 1)
        return lead >= 0x20 && lead < 0x7F;
    // U+0080..U+009F are C2 80..C2 9F.
    return !(lead == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0);
}

std::string shown(std::string_view text, std::size_t maxCharacters)
{
    std::string out;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (characters == maxCharacters)
            return out + "…";
        const std::size_t length = utf8CharacterLength(text, at);
        if (printable(text, at, length))
            out.append(text.substr(at, length));
        else
            out.push_back('?');
        at += length;
        ++characters;
    }
    return out;
}

}  // namespace

FloatingPointError::FloatingPointError(Kind kind) : OrbitonError(textOf(kind)), kind_(kind) {}

std::string describePlace(const RunPlace& place)
{
    using Stage = RunPlace::Stage;
    switch (place.stage) {
    case Stage::Unknown:
        return "";
    case Stage::SetUp:
        return "bei der Vorbereitung des Laufs";
    case Stage::Step:
        return place.tooth > 0 ? "in Schritt " + std::to_string(place.step) + ", Zahn " + std::to_string(place.tooth)
                               : "in Schritt " + std::to_string(place.step);
    case Stage::Means:
        return "bei den Mittelwerten des Laufs";
    case Stage::ClearanceAngles:
        return "bei den Mindestfreiwinkeln";
    }
    return "";
}

std::string excerpt(std::string_view text, std::size_t maxCharacters) { return shown(text, maxCharacters); }

std::string refusedCharacterMessage(std::string_view text, std::string_view character)
{
    return "„" + excerpt(text) + "“ enthält das unzulässige Zeichen „" + excerpt(character) + "“";
}

std::string formatMessage(const std::string& pattern, const std::string& argument)
{
    std::string out = pattern;
    const auto at = out.find("%s");
    if (at != std::string::npos)
        out.replace(at, 2, shown(argument, std::string::npos));
    return out;
}

}  // namespace orbiton
