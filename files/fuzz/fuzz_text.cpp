// Any bytes as text: the Latin-1 conversion in both directions, line
// splitting and the entry filter of the fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/datasetcontrols.h"
#include "files/textfile.h"
#include "model/errors.h"
#include "model/numbertext.h"

using namespace orbiton;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (utf8ToLatin1(latin1ToUtf8(bytes)) != bytes)
        std::abort();
    try {
        const std::string latin1 = utf8ToLatin1(bytes);
        if (latin1ToUtf8(latin1) != bytes)
            std::abort();
    } catch (const FileError&) {
    }

    const auto lines = splitLines(bytes, 60);
    std::size_t total = 0;
    for (const auto& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos)
            std::abort();
        total += line.size();
    }
    if (total > bytes.size())
        std::abort();
    if (lines.size() < 60 && splitLines(joinLines(lines), 60) != lines)
        std::abort();

    // The one-pass filter equals the entry filter run until nothing changes.
    if (size <= 64) {
        for (int options = 0; options < 4; ++options) {
            const bool comma = options & 1;
            const bool minus = options & 2;
            std::string text(bytes);
            for (;;) {
                auto r = numericEntryFilter(text, comma, minus);
                if (!r.removed)
                    break;
                text = r.text;
            }
            if (filterUntilClean(bytes, comma, minus) != text)
                std::abort();
            try {
                parseRealExtended(text);
            } catch (const ConversionError&) {
            } catch (const FloatingPointError&) {
            }
        }
    }
    return 0;
}
