#include "ui/materiallist.h"

#include <QDir>
#include <QFile>
#include <QSignalBlocker>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace orbiton::ui {

namespace {

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// The mask's extension ("*.wks" gives ".wks"), compared ignoring case.
bool matches(const QByteArray& name, const QString& mask)
{
    const QByteArray extension = mask.mid(mask.lastIndexOf(QLatin1Char('.'))).toLatin1().toLower();
    return name.size() > extension.size() && name.toLower().endsWith(extension);
}

}  // namespace

bool storableFileName(const QByteArray& localName)
{
    const QString text = QString::fromUtf8(localName);
    if (text.toUtf8() != localName)
        return false;  // not UTF-8: no Latin-1 text names this file
    return std::none_of(text.cbegin(), text.cend(),
                        [](QChar c) { return c.unicode() > 0xFF || isControl(c.unicode()); });
}

QString shownFileName(const QByteArray& localName)
{
    QString text = QString::fromUtf8(localName);
    for (QChar& c : text)
        if (isControl(c.unicode()))
            c = QChar(QChar::ReplacementCharacter);
    return text;
}

TFileListBox::TFileListBox(const QString& directory, const QString& mask, QWidget* parent)
    : QListWidget(parent), directory_(directory), mask_(mask)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    watcher_.addPath(directory_);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { refresh(); });
}

void TFileListBox::showEvent(QShowEvent* event)
{
    refresh();
    QListWidget::showEvent(event);
}

void TFileListBox::refresh()
{
    // Read with the file system's own bytes: a directory listing in Qt
    // leaves out names that are not UTF-8. Plain files (or links to them)
    // only, no hidden files (a save in progress writes a hidden temporary
    // file). The mask and the sorting ignore case.
    std::vector<QByteArray> names;
    std::error_code error;
    const std::filesystem::path folder(QFile::encodeName(directory_).toStdString());
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string native = entry->path().filename().native();
        const QByteArray name(native.data(), static_cast<qsizetype>(native.size()));
        std::error_code typeError;
        if (name.startsWith('.') || !matches(name, mask_) || !entry->is_regular_file(typeError))
            continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const QByteArray& a, const QByteArray& b) {
        const int order = shownFileName(a).compare(shownFileName(b), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });

    QList<QListWidgetItem*> selected = selectedItems();
    const QByteArray chosen = selected.isEmpty() ? QByteArray() : selected.front()->data(localNameRole).toByteArray();
    const QByteArray current = currentItem() ? currentItem()->data(localNameRole).toByteArray() : QByteArray();
    std::vector<QByteArray> listed;
    for (int row = 0; row < count(); ++row)
        listed.push_back(item(row)->data(localNameRole).toByteArray());
    if (listed == names)
        return;

    // Rebuilding the list is no choice of the user's: no handler runs.
    const QSignalBlocker quiet(this);
    clear();
    for (const QByteArray& name : names) {
        auto* entry = new QListWidgetItem(shownFileName(name), this);
        entry->setData(localNameRole, name);
        if (!current.isEmpty() && name == current)
            setCurrentItem(entry, chosen == current ? QItemSelectionModel::Select : QItemSelectionModel::NoUpdate);
    }
    // The watcher loses a directory that was removed and made again.
    if (!watcher_.directories().contains(directory_))
        watcher_.addPath(directory_);
    viewport()->update();
}

}  // namespace orbiton::ui
