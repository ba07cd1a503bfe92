#include "ui/userguide.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace orbiton::ui {

std::unique_ptr<UserGuide> UserGuide::besideProgram(const QString& programFolder)
{
    const QDir folder(programFolder);
    return std::make_unique<UserGuide>(
        QStringList{QDir::cleanPath(folder.filePath(QStringLiteral(ORBITON_GUIDE_FROM_INSTALLED_PROGRAM))),
                    QDir::cleanPath(folder.filePath(QStringLiteral(ORBITON_GUIDE_FROM_BUILT_PROGRAM)))});
}

QString UserGuide::page() const
{
    for (const QString& location : locations_) {
        const QFileInfo file(location);
        if (file.isFile() && file.isReadable())
            return file.absoluteFilePath();
    }
    return {};
}

bool UserGuide::open(const QUrl& page) { return QDesktopServices::openUrl(page); }

}  // namespace orbiton::ui
