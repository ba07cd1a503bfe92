#pragma once
// Where the material values of the page "Optionen" come from: the file
// whose name Edit151 shows and the texts read from it. Once the fields hold
// other texts, Edit151 shows the name followed by " (geändert)".
#include <QString>

#include <optional>

#include "files/dataset.h"

namespace orbiton::ui {

class MaterialOrigin {
public:
    // The mark behind the name while the values differ from the file's.
    static QString changedMark() { return QStringLiteral(" (geändert)"); }

    // The values now in the fields were read from the file of that name.
    void loaded(const MaterialTexts& texts) { texts_ = texts; }
    // The file of the name shown could not be read: nothing to compare with.
    void unknown() { texts_.reset(); }

    bool changed(const MaterialTexts& current) const { return texts_ && *texts_ != current; }

    // The text Edit151 shows for the name and the current values.
    QString shown(const QString& name, const MaterialTexts& current) const
    {
        return changed(current) ? name + changedMark() : name;
    }
    // The name within a shown text.
    static QString nameOf(const QString& shownText)
    {
        return shownText.endsWith(changedMark()) ? shownText.chopped(changedMark().size()) : shownText;
    }

private:
    std::optional<MaterialTexts> texts_;
};

}  // namespace orbiton::ui
