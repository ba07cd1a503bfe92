#pragma once
// The data sets last opened or saved, newest first, at most `capacity`,
// each once (as an absolute path).
#include <QString>
#include <QStringList>

namespace orbiton::ui {

class RecentFiles {
public:
    static constexpr int capacity = 8;

    const QStringList& paths() const { return paths_; }

    // Puts the file first; the oldest beyond the capacity drops out.
    void add(const QString& path);
    void remove(const QString& path);
    void clear() { paths_.clear(); }
    // A list as it was kept: empty entries and repeats are dropped, and
    // only the first `capacity` kept.
    void assign(const QStringList& paths);

private:
    QStringList paths_;
};

}  // namespace orbiton::ui
