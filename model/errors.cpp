#include "model/errors.h"

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
}  // namespace

FloatingPointError::FloatingPointError(Kind kind) : OrbitonError(textOf(kind)), kind_(kind) {}

std::string formatMessage(const std::string& pattern, const std::string& argument)
{
    std::string out = pattern;
    const auto at = out.find("%s");
    if (at != std::string::npos)
        out.replace(at, 2, argument);
    return out;
}

}  // namespace orbiton
