#pragma once
// The data set shown in the window as a document: the file it belongs to
// (none before the first opening or saving) and the inputs as they were
// last opened or saved. The inputs differ from those as soon as any input
// of the window does; a run, a page change or a chart setting changes no
// input. The window title names the file and carries the modified mark.
#include <QString>

#include "files/dataset.h"

namespace orbiton::ui {

class DataSetDocument {
public:
    // The current file, empty while the data set has none.
    const QString& fileName() const { return fileName_; }
    bool hasFileName() const { return !fileName_.isEmpty(); }

    // The inputs were just opened from or saved to the file: they are now
    // the unmodified state, and the file the current one.
    void setClean(const QString& fileName, const DataSet& inputs);
    // The state without a file, e.g. the defaults at program start.
    void setUntitled(const DataSet& inputs);

    bool isModified(const DataSet& inputs) const { return !(inputs == clean_); }

    // "NAME[*] – Orbiton 2.9", NAME the file name without its folder or
    // "Unbenannt"; QWidget::setWindowTitle shows "[*]" as the modified mark.
    QString windowTitle() const;

private:
    QString fileName_;
    DataSet clean_;
};

}  // namespace orbiton::ui
