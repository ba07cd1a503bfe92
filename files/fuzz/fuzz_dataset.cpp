// Any bytes as an initial data set: either a clean rejection with the
// program's messages, or a data set that writes back and reads the same,
// and whose texts go through the entry filters and the reading of a run's
// inputs without anything but conversion errors and refusals.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/dataset.h"
#include "files/datasetcontrols.h"
#include "model/errors.h"
#include "simulation/runsequence.h"

using namespace orbiton;

namespace {

bool same(const DataSet& a, const DataSet& b)
{
    return a.inputTexts == b.inputTexts && a.insertShapeIndex == b.insertShapeIndex &&
           a.millingDirectionIndex == b.millingDirectionIndex && a.materialTexts == b.materialTexts &&
           a.switches == b.switches;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DataSet d;
    try {
        d = parseDataSet(bytes);
    } catch (const FileError&) {
        return 0;
    } catch (const ConversionError&) {
        return 0;
    }
    if (d.insertShapeIndex < -1 || d.insertShapeIndex > 1 || d.millingDirectionIndex < -1 ||
        d.millingDirectionIndex > 1)
        std::abort();
    const std::string written = renderDataSet(d);
    if (!same(parseDataSet(written), d) || renderDataSet(parseDataSet(written)) != written)
        std::abort();

    const DataSetControls controls(d);
    ParameterSet p;
    try {
        readRunInputs(p, controls);
    } catch (const ConversionError&) {
    } catch (const FloatingPointError&) {
        // A value too large for a float.
    } catch (const RunRefused&) {
        // A step count, tooth count, observed tooth or shape the run refuses.
    }
    return 0;
}
