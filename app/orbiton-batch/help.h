#pragma once
// The texts of orbiton-batch that describe the program itself: the usage
// line shown with a wrong call, the help of --help and the version line.
namespace orbiton::batch {

// One line; shown on standard error when the arguments do not fit.
extern const char* const usageLine;

// The full help text of --help, German, ending with a line end.
extern const char* const helpText;

// "orbiton-batch <version>" with a line end.
extern const char* const versionText;

// The text that --help or --version asks for, or nullptr when the
// arguments ask for neither. The argument after -o is a file name, not an
// option.
const char* informationRequested(int argc, const char* const* argv);

}  // namespace orbiton::batch
