#pragma once
// The user guide: one HTML page rendered from docs/handbuch.md when the
// program is built, shown in the desktop's browser. The window asks this
// class where the page is and lets it open it; tests put a scripted one in
// its place, so no test starts a browser.
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

class QUrl;

namespace orbiton::ui {

class UserGuide {
public:
    // The guide is looked for at these paths, in this order.
    explicit UserGuide(QStringList locations) : locations_(std::move(locations)) {}
    virtual ~UserGuide() = default;

    // The guide of a program in that folder: installed under
    // PREFIX/share/doc/orbiton/ beside PREFIX/bin, or, for a program in
    // the build tree, the page rendered there.
    static std::unique_ptr<UserGuide> besideProgram(const QString& programFolder);

    const QStringList& locations() const { return locations_; }
    // The first location that is a readable file, or an empty string.
    QString page() const;

    // Hands the page to the desktop's browser; false when none took it.
    virtual bool open(const QUrl& page);

private:
    QStringList locations_;
};

}  // namespace orbiton::ui
