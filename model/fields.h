#pragma once
// The numeric input fields of the window with their default texts, entry
// filter options, maximum lengths and the rules checked when the user leaves
// them. One table serves the window, the data set files and the batch tool.
#include <string_view>
#include <vector>

namespace orbiton {

struct FieldRule {
    enum class Kind {
        None,          // no rule when leaving the field
        NonEmpty,      // any non-empty text
        Real,          // non-empty and a real number within the bounds
        Integer,       // non-empty and an integer within the bounds
        ObservedTooth  // Edit162: non-empty, then not above the tooth count (and not below 1)
    };
    Kind kind = Kind::None;
    bool hasMin = false;
    long double min = 0;
    bool minInclusive = false;
    bool hasMax = false;
    long double max = 0;
    bool maxInclusive = false;
};

struct FieldSpec {
    const char* control;      // object name, e.g. "Edit111"
    const char* defaultText;  // text when the window is created (UTF-8)
    bool allowComma;
    bool allowMinus;
    int maxLength;            // 0: unlimited
    FieldRule rule;
    const char* message;      // warning shown when the rule fails (UTF-8), nullptr without rule
    const char* restoreText;  // text put back on failure, nullptr: the text stays
};

// Every numeric field of the pages "Eingabe", "Optionen" and "Grafik".
const std::vector<FieldSpec>& numericFields();

// The field of that name, or nullptr.
const FieldSpec* findField(std::string_view control);

// Whether a text passes the field's numeric rule (not the tooth-count
// comparison of the observed tooth, which needs a second field). A text that
// does not convert raises ConversionError.
bool passesRule(const FieldSpec& field, std::string_view text);

}  // namespace orbiton
