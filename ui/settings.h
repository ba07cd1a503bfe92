#pragma once
// What the window remembers from one start to the next: its geometry and
// state, the folder last used in each file dialog and the recent data sets.
// Kept with QSettings under the organisation "Orbiton" and the application
// "orbiton" (on Linux ~/.config/Orbiton/orbiton.conf). A settings file that
// cannot be read or parsed is ignored: it reads as empty, and the next
// write replaces it.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace orbiton::ui {

class SettingsStore {
public:
    // The user's settings.
    SettingsStore();
    // The settings kept in that file (INI format).
    explicit SettingsStore(const QString& fileName);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QByteArray windowGeometry() const;
    QByteArray windowState() const;
    void setWindow(const QByteArray& geometry, const QByteArray& state);

    // The folder last used in the file dialog of that name, or empty.
    QString folder(const QString& dialog) const;
    void setFolder(const QString& dialog, const QString& folder);

    QStringList recentFiles() const;
    void setRecentFiles(const QStringList& paths);

    // Writes what was set to the file.
    void sync();

private:
    void forgetUnreadable();
    QString read(const QString& key) const;

    std::unique_ptr<QSettings> settings_;
};

}  // namespace orbiton::ui
