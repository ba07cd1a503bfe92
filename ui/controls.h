#pragma once
// Controls of the window that Qt does not offer in the form the window needs:
// a radio group that can have no item selected, a single-line edit whose
// maximum length limits typing only, and the text grid of the data table.
#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QStringList>
#include <QTableView>

#include <vector>

class QRadioButton;

namespace orbiton::ui {

// A group box with radio buttons in one or more columns. The selected index
// is -1 when no item is selected. `clicked` is emitted whenever the index
// changes, by the user or by setItemIndex.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent);

    int itemIndex() const { return index_; }
    // Values outside 0..count-1 select nothing.
    void setItemIndex(int index);
    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange();
    void onToggled(int id, bool checked);

    QButtonGroup group_;
    std::vector<QRadioButton*> buttons_;
    int columns_;
    int index_ = -1;
};

// Limits the number of characters the user can type into an edit. Texts set
// by the program or pasted may be longer; they can still be shortened. The
// edit of a combo box is limited as well: the combo box has the focus and
// hands the keys to its edit directly.
class TypedLengthLimit : public QObject {
public:
    TypedLengthLimit(QLineEdit* edit, int maxLength);
    int maxLength() const { return maxLength_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_;
    int maxLength_;
};

// Applies the typed-length limit to an edit (no limit for 0).
void limitTypedLength(QLineEdit* edit, int maxLength);
// The typed-length limit of an edit, 0 when it has none.
int typedLengthLimit(const QLineEdit* edit);

// The window's single-line edit.
class TEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
};

// The cell texts of a text grid, row 0 and column 0 included. Views see
// rows 1.. and columns 1.. as data and row 0 / column 0 as their headers.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridModel(int columns, int rows, QObject* parent);

    int colCount() const { return cols_; }
    int gridRowCount() const { return rows_; }
    void setColCount(int columns);
    void setGridRowCount(int rows);

    const QString& cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    // The tooltip of a column's header cell (row 0), shown while that cell
    // holds a text.
    void setColumnToolTip(int column, const QString& text);

    // Between these two calls cell writes send no notifications; the end
    // announces every cell as changed at once.
    void beginBatch();
    void endBatch();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void resize(int columns, int rows);

    int cols_;
    int rows_;
    std::vector<QString> cells_;       // row-major, rows_ x cols_
    std::vector<QString> columnTips_;  // cols_
    int batchDepth_ = 0;
};

// The text grid with a fixed first row and column (grey, not scrolling),
// selectable cells that cannot be edited and a current cell.
class TStringGrid : public QTableView {
    Q_OBJECT
public:
    explicit TStringGrid(QWidget* parent);

    int colCount() const { return model_->colCount(); }
    int rowCount() const { return model_->gridRowCount(); }
    void setColCount(int columns);
    void setRowCount(int rows);

    QString cells(int column, int row) const { return model_->cell(column, row); }
    void setCells(int column, int row, const QString& text) { model_->setCell(column, row, text); }
    void setColumnToolTip(int column, const QString& text) { model_->setColumnToolTip(column, text); }

    // All columns become this wide.
    void setDefaultColWidth(int width);
    int defaultColWidth() const { return defaultColWidth_; }
    void setColWidth(int column, int width);
    int colWidth(int column) const;
    void setDefaultRowHeight(int height);
    int defaultRowHeight() const { return defaultRowHeight_; }

    // The current cell in grid coordinates (the fixed row and column count).
    int col() const;
    int row() const;
    void setCurrentCell(int column, int row);

    void beginUpdate() { model_->beginBatch(); }
    void endUpdate() { model_->endBatch(); }

    GridModel* gridModel() const { return model_; }

private:
    GridModel* model_;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    std::vector<int> colWidths_;
};

// Batches the cell writes of a grid for its lifetime.
class GridUpdate {
public:
    explicit GridUpdate(TStringGrid& grid) : grid_(grid) { grid_.beginUpdate(); }
    ~GridUpdate() { grid_.endUpdate(); }
    GridUpdate(const GridUpdate&) = delete;
    GridUpdate& operator=(const GridUpdate&) = delete;

private:
    TStringGrid& grid_;
};

}  // namespace orbiton::ui
