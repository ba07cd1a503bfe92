#pragma once
// The texts of orbiton-batch that describe the program itself: the call
// lines shown with a wrong call, the help of --help, the version line and
// the parameter list of --list-parameters.
#include <optional>
#include <string>

namespace orbiton::batch {

// The call lines, ending with a line end; shown on standard error when the
// arguments do not fit.
extern const char* const usageText;

// The full help text of --help, German, ending with a line end.
extern const char* const helpText;

// "orbiton-batch <version>" with a line end.
extern const char* const versionText;

// The text that --help, --version or --list-parameters asks for, or
// nothing when the arguments ask for none. The argument after an option
// that takes one (-o, --format, --set, --vary, --jobs) is its value, not an
// option.
std::optional<std::string> informationRequested(int argc, const char* const* argv);

}  // namespace orbiton::batch
