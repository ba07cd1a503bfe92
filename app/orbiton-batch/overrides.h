#pragma once
// Inputs changed on the command line (--set NAME=VALUE): the names of the
// parameter set, values checked as the window's field checks them, and the
// data set they change before the run.
#include <string>
#include <string_view>

#include "files/dataset.h"
#include "model/errors.h"
#include "model/fields.h"

namespace orbiton::batch {

// A wrong argument: the text names the argument and says what is wrong.
// Shown as it is on standard error, exit status 1.
class ArgumentError : public OrbitonError {
public:
    using OrbitonError::OrbitonError;
};

// The input that "NAME=..." names and the text after "=". An argument
// without "=" or with an unknown name raises ArgumentError.
struct Assignment {
    const InputParameter* parameter;
    std::string value;
};
Assignment splitAssignment(std::string_view argument);

// The numeric field of an input (std::logic_error for a choice or a
// switch), and whether its value is an integer (tooth count, step count,
// observed tooth).
const FieldSpec& fieldOf(const InputParameter& parameter);
bool isInteger(const FieldSpec& field);

// The text the field holds for a value typed with a decimal point or
// comma, checked as the window checks a typed value: a minus sign where
// the field takes none fails with the field's message (RunRefused), a
// character the field's entry filter would drop with that character as
// typed ("„1.5x“ enthält das unzulässige Zeichen „x“", ConversionError), a
// value outside the field's range, or a tooth count above the run's limit
// of 99, with the field's message (RunRefused), a value too large for the
// parameter set with the overflow (FloatingPointError). Nothing is dropped
// or clamped silently.
std::string acceptedFieldText(const InputParameter& parameter, std::string_view value);

// A checked override: for a numeric input the field text, for a choice the
// item index ("0", "1") from its caption or index, for a switch "1" or "0".
// Refusals as acceptedFieldText; a choice or switch value that is none of
// its values raises RunRefused naming the values.
struct Override {
    const InputParameter* parameter;
    std::string text;
};
Override acceptOverride(const InputParameter& parameter, std::string_view value);

// Puts the value into the data set line of its input.
void applyOverride(DataSet& dataSet, const Override& override);

// The lines of --list-parameters: every input with its German caption,
// unit, range and the window's default, aligned in columns (UTF-8, LF).
std::string parameterList();

}  // namespace orbiton::batch
