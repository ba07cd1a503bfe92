// The data table: fixed row and column, read-only cells, the current cell
// and the description of its column, by mouse and keyboard; copying it.
#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>

#include "model/resulttable.h"

#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

class Grid : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        w().guarded([&] { w().Button101Click(); });
        w().selectPage(2);
        QApplication::processEvents();
        // QTest keeps the buttons of an earlier test's double click pressed;
        // a move would then drag the current cell along.
        QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, QPoint(1, 1));
    }
    TStringGrid* grid() { return control<TStringGrid>("StringGrid311"); }
    void clickCell(int column, int row)
    {
        const QModelIndex index = grid()->model()->index(row - 1, column - 1);
        grid()->scrollTo(index);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(index).center());
    }
    void moveOver(int column, int row)
    {
        const QModelIndex index = grid()->model()->index(row - 1, column - 1);
        grid()->scrollTo(index);
        QTest::mouseMove(grid()->viewport(), grid()->visualRect(index).center());
    }
};

TEST_F(Grid, FirstRowAndColumnAreTheFixedHeaders)
{
    QAbstractItemModel* model = grid()->model();
    EXPECT_EQ(model->rowCount(), 121);
    EXPECT_EQ(model->columnCount(), 31);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Phij"));
    EXPECT_EQ(model->headerData(30, Qt::Horizontal).toString(), QStringLiteral("A"));
    EXPECT_EQ(model->headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
    EXPECT_EQ(model->headerData(120, Qt::Vertical).toString(), QString());
    EXPECT_EQ(grid()->verticalHeader()->width(), 40);
    EXPECT_EQ(grid()->horizontalHeader()->height(), 20);
    EXPECT_EQ(grid()->horizontalHeader()->sectionSize(0), 80);
    EXPECT_EQ(grid()->verticalHeader()->sectionSize(0), 20);
}

TEST_F(Grid, CellsCanBeSelectedButNotEdited)
{
    clickCell(3, 4);
    EXPECT_EQ(grid()->col(), 3);
    EXPECT_EQ(grid()->row(), 4);
    const QString before = grid()->cells(3, 4);
    QTest::keyClicks(grid(), QStringLiteral("99"));
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {},
                       grid()->visualRect(grid()->model()->index(3, 2)).center());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("77"));
    EXPECT_EQ(grid()->cells(3, 4), before);
    EXPECT_FALSE(grid()->model()->flags(grid()->model()->index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(Grid, DescriptionFollowsTheCurrentCellNotTheMouse)
{
    // Without a click the current cell is column 1, row 1.
    moveOver(5, 3);
    EXPECT_EQ(control<QLabel>("Label311")->text(), QStringLiteral("Schrittwinkel in Grad"));

    clickCell(16, 10);
    moveOver(5, 3);
    EXPECT_EQ(control<QLabel>("Label311")->text(), QStringLiteral("Schnittkraft in X-Richtung [N]"));
    EXPECT_TRUE(control<QLabel>("Label311")->isVisible());

    // Over the fixed row as over the cells.
    clickCell(2, 3);
    QTest::mouseMove(grid()->horizontalHeader()->viewport(), QPoint(5, 5));
    EXPECT_EQ(control<QLabel>("Label311")->text(), QStringLiteral("Schnittvorschub pro Zahn in mm"));
    clickCell(16, 10);

    // The current cell survives the next run.
    w().guarded([&] { w().Button101Click(); });
    EXPECT_EQ(grid()->col(), 16);
    EXPECT_EQ(grid()->row(), 10);
}

TEST_F(Grid, KeyboardMovesTakeTheDescriptionAlong)
{
    clickCell(2, 3);
    const struct {
        Qt::Key key;
        int column;
    } moves[] = {{Qt::Key_Right, 3}, {Qt::Key_Down, 3}, {Qt::Key_End, 31}, {Qt::Key_Left, 30}, {Qt::Key_Home, 1}};
    for (const auto& move : moves) {
        QTest::keyClick(grid(), move.key);
        ASSERT_EQ(grid()->col(), move.column);
        EXPECT_EQ(control<QLabel>("Label311")->text(),
                  QString::fromUtf8(channels()[static_cast<std::size_t>(move.column - 1)].description))
            << move.column;
    }
}

TEST_F(Grid, CopyGivesTheGridsTextsTabSeparated)
{
    // The whole table with its keys from the menu.
    QGuiApplication::clipboard()->clear();
    control<QAction>("Tabellekopieren1")->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 123);  // 122 rows, each ended by a line feed
    EXPECT_TRUE(lines.back().isEmpty());
    for (int row = 0; row < 122; ++row) {
        QStringList cells;
        for (int column = 1; column <= 31; ++column)
            cells << grid()->cells(column, row);
        ASSERT_EQ(lines[row], cells.join(QLatin1Char('\t'))) << row;
    }
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Phij\tlfc\tap\t")));
    EXPECT_TRUE(lines[2].contains(QLatin1Char(',')));  // decimal commas, as shown
    EXPECT_FALSE(lines[2].contains(QLatin1Char('.')));

    // A range chosen with the keyboard, by the grid's copy key.
    clickCell(2, 3);
    QTest::keyClick(grid(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), grid()->cells(2, 3) + "\t" + grid()->cells(3, 3) + "\n" +
                                                        grid()->cells(2, 4) + "\t" + grid()->cells(3, 4) + "\n");
}

}  // namespace
}  // namespace orbiton::ui::testing
