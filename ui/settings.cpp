#include "ui/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace orbiton::ui {

namespace {

const QString geometryKey = QStringLiteral("Fenster/Geometrie");
const QString stateKey = QStringLiteral("Fenster/Zustand");
const QString recentKey = QStringLiteral("ZuletztGeoeffnet/Dateien");

QString folderKey(const QString& dialog) { return QStringLiteral("Ordner/") + dialog; }

}  // namespace

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orbiton"),
                                            QStringLiteral("orbiton")))
{
    forgetUnreadable();
}

SettingsStore::SettingsStore(const QString& fileName)
    : settings_(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{
    forgetUnreadable();
}

SettingsStore::~SettingsStore() { sync(); }

void SettingsStore::forgetUnreadable()
{
    // A file that could not be parsed is dropped as a whole, so no part of
    // it is taken for a setting and the next write starts afresh.
    if (settings_->status() != QSettings::NoError)
        settings_->clear();
}

QString SettingsStore::read(const QString& key) const
{
    const QVariant value = settings_->value(key);
    return value.canConvert<QString>() ? value.toString() : QString();
}

QByteArray SettingsStore::windowGeometry() const { return settings_->value(geometryKey).toByteArray(); }

QByteArray SettingsStore::windowState() const { return settings_->value(stateKey).toByteArray(); }

void SettingsStore::setWindow(const QByteArray& geometry, const QByteArray& state)
{
    settings_->setValue(geometryKey, geometry);
    settings_->setValue(stateKey, state);
    sync();
}

QString SettingsStore::folder(const QString& dialog) const { return read(folderKey(dialog)); }

void SettingsStore::setFolder(const QString& dialog, const QString& folder)
{
    settings_->setValue(folderKey(dialog), folder);
    sync();
}

QStringList SettingsStore::recentFiles() const
{
    const QVariant value = settings_->value(recentKey);
    if (value.canConvert<QStringList>())
        return value.toStringList();
    return {};
}

void SettingsStore::setRecentFiles(const QStringList& paths)
{
    settings_->setValue(recentKey, paths);
    sync();
}

void SettingsStore::sync() { settings_->sync(); }

}  // namespace orbiton::ui
