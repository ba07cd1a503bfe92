// Placeholder until formatNumber and numericEntryFilter land.
#include <stdexcept>

#include "model/numbertext.h"

namespace orbiton {
std::string formatNumber(long double) { throw std::logic_error("formatNumber not yet implemented"); }
FilterResult numericEntryFilter(std::string_view, bool, bool) { throw std::logic_error("not yet implemented"); }
}  // namespace orbiton
