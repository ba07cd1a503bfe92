#pragma once
// The list of material files on the page "Eingabe": the files of one
// directory that match a mask, sorted by name.
#include <QListWidget>
#include <QString>

namespace orbiton::ui {

// The material files' mask.
inline constexpr const char* materialFileMask = "*.wks";

// The directory is read once, when the list is first shown; files saved,
// deleted or added afterwards do not change it.
class TFileListBox : public QListWidget {
public:
    TFileListBox(const QString& directory, const QString& mask, QWidget* parent);

    const QString& directory() const { return directory_; }
    const QString& mask() const { return mask_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fill();

    QString directory_;
    QString mask_;
    bool filled_ = false;
};

}  // namespace orbiton::ui
