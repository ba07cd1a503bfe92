#pragma once
// What orbiton-batch prints on standard error when a run fails.
#include <exception>
#include <string>
#include <string_view>

#include "model/parameterset.h"

namespace orbiton::batch {

// The message of a failure as one line, without its line end: an error
// about a line of the input as "INPUT:LINE: text" (the compilers' way), a
// floating-point failure of the run with its place ("Gleitkommaüberlauf in
// Schritt 12, Zahn 2"), anything else as its text. Always German.
std::string failureText(const std::exception& error, const std::string& input);

// The data set as the run reads it, remembering which control was read
// last: an error while reading the fields is about that control's line.
class LineTracingControls : public ControlSource {
public:
    explicit LineTracingControls(const ControlSource& controls) : controls_(controls) {}

    std::string text(std::string_view control) const override;
    int selectedIndex(std::string_view control) const override;
    bool isChecked(std::string_view control) const override;

    // The data set line of the control read last, 0 before any.
    std::size_t lastLine() const { return lastLine_; }

private:
    const ControlSource& controls_;
    mutable std::size_t lastLine_ = 0;
};

}  // namespace orbiton::batch
