#include "ui/recentfiles.h"

#include <QFileInfo>

namespace orbiton::ui {

namespace {

QString normalised(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

void RecentFiles::add(const QString& path)
{
    const QString entry = normalised(path);
    paths_.removeAll(entry);
    paths_.prepend(entry);
    while (paths_.size() > capacity)
        paths_.removeLast();
}

void RecentFiles::remove(const QString& path) { paths_.removeAll(normalised(path)); }

void RecentFiles::assign(const QStringList& paths)
{
    paths_.clear();
    for (const QString& path : paths) {
        if (path.isEmpty())
            continue;
        const QString entry = normalised(path);
        if (!paths_.contains(entry) && paths_.size() < capacity)
            paths_.append(entry);
    }
}

}  // namespace orbiton::ui
