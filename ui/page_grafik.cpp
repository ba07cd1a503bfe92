// Page "Grafik": the chart frame, the channel list, the axis scaling and the
// parameter variation group.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

#include "model/resulttable.h"
#include "ui/chart/chart.h"
#include "ui/chartpage.h"
#include "ui/layout.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

void TVersuch::createPageGrafik()
{
    QWidget* page = PageGrafik;

    GroupBox410 = makeGroup(page, "GroupBox410", QStringLiteral("Grafikausgabe"), 15, 15, 480, 410);
    // At the design size the chart is 450 × 380 pixels; a larger window
    // gives it the room (layoutPageGrafik).
    Chart411 = new Chart(GroupBox410);
    Chart411->setObjectName(QStringLiteral("Chart411"));
    Chart411->setGeometry(15, 17, 450, 380);

    GroupBox420 = makeGroup(page, "GroupBox420", QString(), 510, 15, 283, 490);
    {
        QWidget* g = GroupBox420;
        ListBox421 = new QListWidget(g);
        ListBox421->setObjectName(QStringLiteral("ListBox421"));
        ListBox421->setGeometry(18, 17, 247, 249);
        // Each entry names the table columns it plots, with their units.
        for (const ChartChannel& channel : chartChannels()) {
            auto* item = new QListWidgetItem(QString::fromUtf8(channel.entry), ListBox421);
            item->setToolTip(QString::fromStdString(channelHeading(channel.y) + " über " + channelHeading(channel.x)));
        }
        ListBox421->setToolTip(QStringLiteral("darstellbare Parameter"));
        ListBox421->setEnabled(false);

        RadioGroup421 = new TRadioGroup(QStringLiteral("Achsenskalierung"),
                                        {QStringLiteral("Automatik"), QStringLiteral("Manuell")}, 2, g);
        RadioGroup421->setObjectName(QStringLiteral("RadioGroup421"));
        RadioGroup421->setGeometry(19, 270, 246, 83);
        RadioGroup421->setItemIndex(0);

        makeLabel(g, "Label421", QStringLiteral("Y-Achse"), 48, 362);
        makeLabel(g, "Label422", QStringLiteral("X-Achse"), 160, 362);
        makeLabel(g, "Label424", QStringLiteral("Minimum"), 12, 389);
        Edit422 = makeEdit(g, "Edit422", 86, 386, 45);
        makeLabel(g, "Label423", QStringLiteral("Maximum"), 12, 423);
        Edit421 = makeEdit(g, "Edit421", 86, 420, 45);
        makeLabel(g, "Label427", QStringLiteral("Inkrement"), 12, 459);
        Edit425 = makeEdit(g, "Edit425", 86, 456, 45);
        makeLabel(g, "Label426", QStringLiteral("Minimum"), 140, 389);
        Edit424 = makeEdit(g, "Edit424", 214, 386, 45);
        makeLabel(g, "Label425", QStringLiteral("Maximum"), 140, 423);
        Edit423 = makeEdit(g, "Edit423", 214, 420, 45);
        makeLabel(g, "Label428", QStringLiteral("Inkrement"), 140, 459);
        Edit426 = makeEdit(g, "Edit426", 214, 456, 45);
        for (TEdit* edit : {Edit421, Edit422, Edit423, Edit424, Edit425, Edit426})
            edit->setEnabled(false);
    }

    constexpr int captionDrop = 7;
    GroupBox430 = makeGroup(page, "GroupBox430", QStringLiteral("Parametervariation"), 15, 435, 480, 50 + captionDrop);
    {
        // The caption stands above the frame line in this style, not on it:
        // the controls move down by as much, so that none sits on the line.
        QWidget* g = GroupBox430;
        ComboBox431 = new QComboBox(g);
        ComboBox431->setObjectName(QStringLiteral("ComboBox431"));
        ComboBox431->setGeometry(16, 17 + captionDrop, 185, 19);
        for (const VariationTarget& target : variationTargets())
            ComboBox431->addItem(QString::fromUtf8(target.entry));
        ComboBox431->setMaxVisibleItems(14);
        ComboBox431->setCurrentIndex(-1);
        Button431 = new QPushButton(QStringLiteral("-"), g);
        Button431->setObjectName(QStringLiteral("Button431"));
        Button431->setGeometry(237, 17 + captionDrop, 15, 21);
        Edit432 = makeEdit(g, "Edit432", 258, 17 + captionDrop, 45, 23);
        Button432 = new QPushButton(QStringLiteral("+"), g);
        Button432->setObjectName(QStringLiteral("Button432"));
        Button432->setGeometry(309, 17 + captionDrop, 15, 21);
        Label431 = makeLabel(g, "Label431", QStringLiteral("Inkrement"), 338, 19 + captionDrop);
        Edit431 = makeEdit(g, "Edit431", 414, 17 + captionDrop, 45, 23);
    }
    GroupBox430->setVisible(false);
}

void TVersuch::layoutPageGrafik()
{
    // The page of the design size holds the design layout; what a larger
    // page adds goes to the chart: the channel list moves right, the
    // variation group down.
    const int wider = std::max(0, PageGrafik->width() - designPageWidth);
    const int higher = std::max(0, PageGrafik->height() - designPageHeight);
    GroupBox410->setGeometry(15, 15, 480 + wider, 410 + higher);
    Chart411->setGeometry(15, 17, 450 + wider, 380 + higher);
    GroupBox420->move(510 + wider, 15);
    GroupBox430->setGeometry(15, 435 + higher, 480 + wider, GroupBox430->height());
}

}  // namespace orbiton::ui
