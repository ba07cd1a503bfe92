#include "ui/controls.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QRadioButton>

#include <algorithm>

namespace orbiton::ui {

// ---------------------------------------------------------------- TRadioGroup

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), columns_(std::max(1, columns))
{
    group_.setExclusive(true);
    int id = 0;
    for (const QString& item : items) {
        auto* button = new QRadioButton(item, this);
        group_.addButton(button, id++);
        buttons_.push_back(button);
    }
    connect(&group_, &QButtonGroup::idToggled, this, &TRadioGroup::onToggled);
    arrange();
}

void TRadioGroup::setItemIndex(int index)
{
    if (index < 0 || index >= count())
        index = -1;
    if (index == index_)
        return;
    if (index >= 0) {
        buttons_[static_cast<std::size_t>(index)]->setChecked(true);  // emits through onToggled
        return;
    }
    // An exclusive group cannot uncheck its last button.
    group_.setExclusive(false);
    buttons_[static_cast<std::size_t>(index_)]->setChecked(false);
    group_.setExclusive(true);
    index_ = -1;
    emit clicked();
}

void TRadioGroup::onToggled(int id, bool checked)
{
    if (!checked || id == index_)
        return;
    index_ = id;
    emit clicked();
}

void TRadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    arrange();
}

void TRadioGroup::arrange()
{
    // Items fill the area below the caption evenly, column by column.
    const int n = count();
    if (n == 0)
        return;
    const int rows = (n + columns_ - 1) / columns_;
    const int top = fontMetrics().height() + 2;
    const int left = 8;
    const int usableHeight = std::max(1, height() - top - 4);
    const int rowHeight = usableHeight / rows;
    const int columnWidth = std::max(1, (width() - 2 * left) / columns_);
    const int buttonHeight = std::min(rowHeight, 20);
    for (int i = 0; i < n; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        buttons_[static_cast<std::size_t>(i)]->setGeometry(left + column * columnWidth,
                                                           top + row * rowHeight + (rowHeight - buttonHeight) / 2,
                                                           columnWidth - 4, buttonHeight);
    }
}

// ----------------------------------------------------------- TypedLengthLimit

TypedLengthLimit::TypedLengthLimit(QLineEdit* edit, int maxLength) : QObject(edit), edit_(edit), maxLength_(maxLength)
{
    setObjectName(QStringLiteral("TypedLengthLimit"));
    edit->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(edit->parentWidget()); combo && combo->lineEdit() == edit)
        combo->installEventFilter(this);
}

bool TypedLengthLimit::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched != edit_ && watched != edit_->parentWidget()) || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    const auto length = edit_->text().size() - edit_->selectedText().size() + typed.size();
    return length > maxLength_;  // a character that does not fit is not typed
}

void limitTypedLength(QLineEdit* edit, int maxLength)
{
    if (maxLength > 0)
        new TypedLengthLimit(edit, maxLength);
}

int typedLengthLimit(const QLineEdit* edit)
{
    const auto* limit =
        edit->findChild<TypedLengthLimit*>(QStringLiteral("TypedLengthLimit"), Qt::FindDirectChildrenOnly);
    return limit ? limit->maxLength() : 0;
}

// ------------------------------------------------------------------ GridModel

GridModel::GridModel(int columns, int rows, QObject* parent)
    : QAbstractTableModel(parent), cols_(columns), rows_(rows),
      cells_(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows)),
      columnTips_(static_cast<std::size_t>(columns))
{
}

void GridModel::resize(int columns, int rows)
{
    std::vector<QString> cells(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    const int keepRows = std::min(rows, rows_);
    const int keepCols = std::min(columns, cols_);
    for (int r = 0; r < keepRows; ++r)
        for (int c = 0; c < keepCols; ++c)
            cells[static_cast<std::size_t>(r) * columns + c] =
                std::move(cells_[static_cast<std::size_t>(r) * cols_ + c]);
    cells_ = std::move(cells);
    columnTips_.resize(static_cast<std::size_t>(columns));
    cols_ = columns;
    rows_ = rows;
}

void GridModel::setColCount(int columns)
{
    columns = std::max(1, columns);
    if (columns == cols_)
        return;
    if (columns > cols_) {
        beginInsertColumns({}, cols_ - 1, columns - 2);
        resize(columns, rows_);
        endInsertColumns();
    } else {
        beginRemoveColumns({}, columns - 1, cols_ - 2);
        resize(columns, rows_);
        endRemoveColumns();
    }
}

void GridModel::setGridRowCount(int rows)
{
    rows = std::max(1, rows);
    if (rows == rows_)
        return;
    if (rows > rows_) {
        beginInsertRows({}, rows_ - 1, rows - 2);
        resize(cols_, rows);
        endInsertRows();
    } else {
        beginRemoveRows({}, rows - 1, rows_ - 2);
        resize(cols_, rows);
        endRemoveRows();
    }
}

const QString& GridModel::cell(int column, int row) const
{
    static const QString empty;
    if (column < 0 || column >= cols_ || row < 0 || row >= rows_)
        return empty;
    return cells_[static_cast<std::size_t>(row) * cols_ + column];
}

void GridModel::setCell(int column, int row, const QString& text)
{
    if (column < 0 || column >= cols_ || row < 0 || row >= rows_)
        return;
    cells_[static_cast<std::size_t>(row) * cols_ + column] = text;
    if (batchDepth_ > 0)
        return;
    if (row == 0 && column > 0)
        emit headerDataChanged(Qt::Horizontal, column - 1, column - 1);
    else if (column == 0 && row > 0)
        emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    else if (row > 0 && column > 0)
        emit dataChanged(index(row - 1, column - 1), index(row - 1, column - 1), {Qt::DisplayRole});
}

void GridModel::setColumnToolTip(int column, const QString& text)
{
    if (column < 0 || column >= cols_)
        return;
    columnTips_[static_cast<std::size_t>(column)] = text;
}

void GridModel::beginBatch() { ++batchDepth_; }

void GridModel::endBatch()
{
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    if (cols_ > 1)
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 2);
    if (rows_ > 1)
        emit headerDataChanged(Qt::Vertical, 0, rows_ - 2);
    if (cols_ > 1 && rows_ > 1)
        emit dataChanged(index(0, 0), index(rows_ - 2, cols_ - 2), {Qt::DisplayRole});
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_ - 1; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_ - 1; }

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cell(index.column() + 1, index.row() + 1);
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && !cell(section + 1, 0).isEmpty() &&
        section + 1 < cols_ && !columnTips_[static_cast<std::size_t>(section + 1)].isEmpty())
        return columnTips_[static_cast<std::size_t>(section + 1)];
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? cell(section + 1, 0) : cell(0, section + 1);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

// ---------------------------------------------------------------- TStringGrid

TStringGrid::TStringGrid(QWidget* parent) : QTableView(parent), model_(new GridModel(1, 1, this))
{
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setMinimumSectionSize(1);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setHighlightSections(false);
        header->setSectionsClickable(false);
    }
    // The fixed row and column are grey, like the window's face colour.
    setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: #c0c0c0; color: black; padding-left: 2px;"
                       " border: none; border-right: 1px solid #808080; border-bottom: 1px solid #808080; }"));

    setColWidth(0, defaultColWidth_);
    setDefaultRowHeight(defaultRowHeight_);
}

void TStringGrid::setColCount(int columns)
{
    model_->setColCount(columns);
    colWidths_.resize(static_cast<std::size_t>(model_->colCount()), defaultColWidth_);
    for (int c = 1; c < model_->colCount(); ++c)
        horizontalHeader()->resizeSection(c - 1, colWidths_[static_cast<std::size_t>(c)]);
    if (!currentIndex().isValid())
        setCurrentCell(1, 1);
}

void TStringGrid::setRowCount(int rows)
{
    model_->setGridRowCount(rows);
    if (!currentIndex().isValid())
        setCurrentCell(1, 1);
}

void TStringGrid::setDefaultColWidth(int width)
{
    defaultColWidth_ = width;
    horizontalHeader()->setDefaultSectionSize(width);
    colWidths_.assign(static_cast<std::size_t>(model_->colCount()), width);
    for (int c = 0; c < model_->colCount(); ++c)
        setColWidth(c, width);
}

void TStringGrid::setColWidth(int column, int width)
{
    if (colWidths_.size() < static_cast<std::size_t>(model_->colCount()))
        colWidths_.resize(static_cast<std::size_t>(model_->colCount()), defaultColWidth_);
    if (column < 0 || column >= model_->colCount())
        return;
    colWidths_[static_cast<std::size_t>(column)] = width;
    if (column == 0)
        verticalHeader()->setFixedWidth(width);
    else
        horizontalHeader()->resizeSection(column - 1, width);
}

int TStringGrid::colWidth(int column) const
{
    if (column < 0 || static_cast<std::size_t>(column) >= colWidths_.size())
        return defaultColWidth_;
    return colWidths_[static_cast<std::size_t>(column)];
}

void TStringGrid::setDefaultRowHeight(int height)
{
    defaultRowHeight_ = height;
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight(height);
}

int TStringGrid::col() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() + 1 : 1;
}

int TStringGrid::row() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void TStringGrid::setCurrentCell(int column, int row)
{
    const QModelIndex index = model_->index(row - 1, column - 1);
    if (index.isValid())
        setCurrentIndex(index);
}

}  // namespace orbiton::ui
