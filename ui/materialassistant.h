#pragma once
// The material data commands of the window: a material file from catalogue
// values, from measured forces (the fit, shown before it is saved) and from
// the current material calibrated to a measured power. Each asks through
// the window's dialogs, writes the file with its origin lines through the
// save dialog of material files and then puts the values on the page
// "Optionen"; a cancelled dialog changes nothing.
#include <string>
#include <vector>

#include "files/dataset.h"

namespace orbiton::ui {

class TVersuch;

class MaterialAssistant {
public:
    explicit MaterialAssistant(TVersuch& window) : window_(window) {}

    void newFromCatalogue();
    void fitFromMeasurements();
    void calibrateToPower();

private:
    MaterialTexts pageTexts() const;
    void saveAndApply(const MaterialTexts& texts, const std::vector<std::string>& origin);

    TVersuch& window_;
};

}  // namespace orbiton::ui
