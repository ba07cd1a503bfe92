// Any bytes as the text of a --set or a --vary argument (the first byte
// chooses which): every way out is one of the program's errors with a
// message of printable UTF-8 on one line, and what is accepted is what the
// field would hold unchanged. An accepted variation stays within the run
// limit, and each of its values, as the study writes it, is either taken
// by its field unchanged or refused with a message.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/orbiton-batch/overrides.h"
#include "app/orbiton-batch/sweep.h"
#include "files/dataset.h"
#include "model/errors.h"
#include "model/fields.h"
#include "model/numbertext.h"

using namespace orbiton;
using namespace orbiton::batch;

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

void checkMessage(const OrbitonError& error)
{
    const std::string_view text = error.what();
    require(!text.empty(), "empty message");
    for (const char c : text)
        require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "control character in a message");
    require(text.size() < 1000, "message too long");
}

// An accepted numeric text is one the field's filter leaves as it is.
void checkAccepted(const Override& o)
{
    if (o.parameter->kind != InputParameter::Kind::Number)
        return;
    const FieldSpec& field = fieldOf(*o.parameter);
    require(firstRefusedAt(o.text, field.allowComma, field.allowMinus) == std::string::npos,
            "accepted text that the filter changes");
    DataSet d = defaultDataSet();
    applyOverride(d, o);
}

void set(std::string_view argument)
{
    try {
        const Assignment a = splitAssignment(argument);
        checkAccepted(acceptOverride(*a.parameter, a.value));
    } catch (const OrbitonError& error) {
        checkMessage(error);
    }
}

void vary(std::string_view argument)
{
    Variation v;
    try {
        v = parseVariation(argument);
    } catch (const OrbitonError& error) {
        checkMessage(error);
        return;
    }
    require(v.count >= 1 && v.count <= maxSweepRuns, "run count outside 1..100000");
    for (const std::size_t k : {std::size_t{0}, v.count / 2, v.count - 1}) {
        try {
            checkAccepted(acceptOverride(*v.parameter, v.text(k)));
        } catch (const OrbitonError& error) {
            checkMessage(error);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view argument(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1)
        vary(argument);
    else
        set(argument);
    return 0;
}
