// Page "Ausgabe": the data table of the last run with the description of
// the current cell's column.
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>

#include <cmath>

#include "model/numbertext.h"
#include "ui/layout.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {
// The grid's top and height in the page of the design size; a larger page
// gives the grid the room below and to the right.
constexpr int gridTop = 79;
constexpr int gridHeight = 431;
}  // namespace

void TVersuch::createPageAusgabe()
{
    GroupBox310 = makeGroup(PageAusgabe, "GroupBox310", QStringLiteral("Datenausgabe"), 0, 0, 808, 512);

    Label311 = makeLabel(GroupBox310, "Label311", QString(), 64, 36);
    Label311->setAutoFillBackground(true);
    QPalette palette = Label311->palette();
    palette.setColor(QPalette::Window, Qt::yellow);
    palette.setColor(QPalette::WindowText, Qt::black);
    Label311->setPalette(palette);
    Label311->setVisible(false);
    fitLabel311();

    StringGrid311 = new TStringGrid(GroupBox310);
    StringGrid311->setObjectName(QStringLiteral("StringGrid311"));
    StringGrid311->setFrameShape(QFrame::NoFrame);
    StringGrid311->setTabKeyNavigation(false);  // the arrow keys move between cells, Tab leaves the grid
    StringGrid311->viewport()->setMouseTracking(true);
    StringGrid311->horizontalHeader()->viewport()->setMouseTracking(true);
    StringGrid311->verticalHeader()->viewport()->setMouseTracking(true);
    // The design size of the grid before the first run.
    StringGrid311->setColCount(13);
    StringGrid311->setRowCount(17);
    // The description follows the current cell, by mouse or keyboard.
    connect(StringGrid311->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { guarded([this] { showColumnDescription(); }); });
    layoutPageAusgabe();
}

void TVersuch::layoutPageAusgabe()
{
    // The group fills the page; the grid keeps its place under the
    // description line and fills the group down to its bottom edge.
    const QSize page = PageAusgabe->size();
    GroupBox310->setGeometry(0, 0, page.width(), page.height());
    StringGrid311->setGeometry(2, gridTop, std::max(0, page.width() - 4),
                               std::max(gridHeight, page.height() - gridTop - 2));
}

void TVersuch::fitLabel311()
{
    // Sized to its text: without a text nothing of it shows.
    if (Label311->text().isEmpty())
        Label311->resize(0, Label311->fontMetrics().height());
    else
        Label311->adjustSize();
}

void TVersuch::setUpTable()
{
    TStringGrid* grid = StringGrid311;
    const int steps = params_.stepCount;
    GridUpdate batch(*grid);
    grid->setColCount(channelCount + 1);
    grid->setRowCount(steps + 2);
    grid->setDefaultColWidth(80);
    grid->setColWidth(0, static_cast<int>(std::lround(grid->defaultColWidth() * 0.5)));
    grid->setDefaultRowHeight(20);
    for (int i = 1; i <= steps; ++i)
        grid->setCells(0, i, QString::number(i));
    const auto& channelList = channels();
    for (int c = 1; c <= channelCount; ++c) {
        grid->setCells(c, 0, QString::fromUtf8(channelList[static_cast<std::size_t>(c - 1)].key));
        grid->setColumnToolTip(c, QString::fromStdString(describeChannel(c - 1)));
    }
}

void TVersuch::fillTable()
{
    Tabelleninhaltspeichern1->setEnabled(true);
    Tabellekopieren1->setEnabled(true);
    TStringGrid* grid = StringGrid311;
    const int steps = params_.stepCount;
    GridUpdate batch(*grid);
    for (int i = 0; i <= steps; ++i)
        for (int c = 1; c <= channelCount; ++c)
            grid->setCells(c, i + 1, QString::fromStdString(formatNumber(table_.at(c - 1, i))));
}

void TVersuch::showColumnDescription()
{
    const int c = StringGrid311->col();
    if (c < 1 || c > channelCount)
        return;
    Label311->setText(QString::fromUtf8(channels()[static_cast<std::size_t>(c - 1)].description));
    fitLabel311();
}

void TVersuch::stringgrid311move() { showColumnDescription(); }

}  // namespace orbiton::ui
