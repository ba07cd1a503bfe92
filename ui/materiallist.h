#pragma once
// The list of material files on the page "Eingabe": the files of one
// directory that match a mask, sorted by name. The list follows the
// directory: a file saved, copied or deleted there shows at once.
//
// Every file is listed, whatever bytes its name holds: a name that is not
// UTF-8 shows replacement characters, so do control characters. Such a name
// cannot stand in one line of a data set (Latin-1), and `storable` says so.
#include <QByteArray>
#include <QFileSystemWatcher>
#include <QListWidget>
#include <QString>

namespace orbiton::ui {

// The material files' mask.
inline constexpr const char* materialFileMask = "*.wks";

// True when the name reads back as itself from a data set line: valid
// UTF-8 (as the file system spells it), no control characters, every
// character in Latin-1.
bool storableFileName(const QByteArray& localName);

// The name as the window shows it: invalid bytes and control characters
// as the replacement character U+FFFD.
QString shownFileName(const QByteArray& localName);

class TFileListBox : public QListWidget {
public:
    // The item's name as the file system spells it (QByteArray).
    static constexpr int localNameRole = Qt::UserRole;

    TFileListBox(const QString& directory, const QString& mask, QWidget* parent);

    const QString& directory() const { return directory_; }
    const QString& mask() const { return mask_; }

    // Reads the directory again; the selected name stays selected while
    // its file exists.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString directory_;
    QString mask_;
    QFileSystemWatcher watcher_;
};

}  // namespace orbiton::ui
