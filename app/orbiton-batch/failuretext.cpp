#include "app/orbiton-batch/failuretext.h"

#include <new>

#include "files/dataset.h"
#include "model/errors.h"

namespace orbiton::batch {

std::string failureText(const std::exception& error, const std::string& input)
{
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return "Nicht genügend Arbeitsspeicher";
    const auto* known = dynamic_cast<const OrbitonError*>(&error);
    if (!known)
        return "Interner Fehler";
    std::string text = known->what();
    if (const auto* fp = dynamic_cast<const FloatingPointError*>(known)) {
        const std::string place = describePlace(fp->place());
        if (!place.empty())
            text += " " + place;
    }
    if (known->line() > 0)
        text = formatMessage("%s", input) + ":" + std::to_string(known->line()) + ": " + text;
    return text;
}

std::string LineTracingControls::text(std::string_view control) const
{
    lastLine_ = dataSetLineOf(control);
    return controls_.text(control);
}

int LineTracingControls::selectedIndex(std::string_view control) const { return controls_.selectedIndex(control); }

bool LineTracingControls::isChecked(std::string_view control) const { return controls_.isChecked(control); }

}  // namespace orbiton::batch
