#include "ui/materiallist.h"

#include <QDir>

namespace orbiton::ui {

TFileListBox::TFileListBox(const QString& directory, const QString& mask, QWidget* parent)
    : QListWidget(parent), directory_(directory), mask_(mask)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TFileListBox::showEvent(QShowEvent* event)
{
    if (!filled_)
        fill();
    QListWidget::showEvent(event);
}

void TFileListBox::fill()
{
    filled_ = true;
    // Plain files only: no folders and no hidden files (the temporary files
    // of a save in progress are hidden). The mask ignores case, like the
    // sorting.
    const QDir folder(directory_, mask_, QDir::Name | QDir::IgnoreCase, QDir::Files);
    addItems(folder.entryList());
}

}  // namespace orbiton::ui
