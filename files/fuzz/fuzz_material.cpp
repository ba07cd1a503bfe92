// Any bytes as a material file: a clean rejection or 21 texts that its
// fields accept and that write back and read the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/dataset.h"
#include "model/errors.h"

using namespace orbiton;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MaterialTexts texts;
    try {
        texts = parseMaterial(bytes);
    } catch (const FileError&) {
        return 0;
    } catch (const ConversionError&) {
        return 0;  // a material line that is no number
    }
    const std::string written = renderMaterial(texts);
    if (parseMaterial(written) != texts)
        std::abort();
    checkMaterialTexts(texts);  // what was read passes the check again
    return 0;
}
