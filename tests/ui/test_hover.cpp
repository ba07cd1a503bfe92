// What the window tells a user who rests the mouse on it: every input field
// its caption, unit and range, every column header of the table its key,
// unit and description, every entry of the chart's channel list the table
// columns it plots with their units.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QListWidget>
#include <QToolTip>

#include "model/fields.h"
#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

class Hover : public WindowTest {
protected:
    // The tooltip shown when the mouse rests at pos of the widget.
    QString hover(QWidget* widget, QPoint pos)
    {
        QHelpEvent event(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
        QApplication::sendEvent(widget, &event);
        const QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        return text;
    }
    QString hover(QWidget* widget) { return hover(widget, widget->rect().center()); }

    QString hoverHeader(int column)
    {
        auto* grid = control<TStringGrid>("StringGrid311");
        QHeaderView* header = grid->horizontalHeader();
        const int section = column - 1;
        grid->scrollTo(grid->model()->index(0, section));
        const QPoint pos(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                         header->height() / 2);
        return hover(header->viewport(), pos);
    }

    QString hoverEntry(int entry)
    {
        auto* list = control<QListWidget>("ListBox421");
        list->scrollToItem(list->item(entry));
        return hover(list->viewport(), list->visualItemRect(list->item(entry)).center());
    }
};

// Every field says what the field table says of it; the variation's value
// what its target takes.
TEST_F(Hover, EveryInputFieldTellsCaptionUnitAndRange)
{
    for (const FieldSpec& field : numericFields()) {
        // The step count is a combo box: the mouse rests on its edit.
        auto* combo = qobject_cast<QComboBox*>(control<QWidget>(field.control));
        QWidget* widget = combo ? combo->lineEdit() : control<QWidget>(field.control);
        EXPECT_EQ(hover(widget).toStdString(), fieldToolTip(field.control)) << field.control;
    }
    EXPECT_EQ(hover(control<QWidget>("Edit111")), QStringLiteral("Bohrungsdurchmesser [mm], ab 1"));

    control<QAction>("Parametervariation1")->trigger();
    auto* value = control<QLineEdit>("Edit432");
    EXPECT_EQ(hover(value), QStringLiteral("Bohrungsdurchmesser [mm], ab 1"));
    auto* targets = control<QComboBox>("ComboBox431");
    targets->setCurrentIndex(9);
    emit targets->activated(9);
    EXPECT_EQ(hover(value), QStringLiteral("Einstellwinkel [Grad], größer als 0 und kleiner als 90"));
}

TEST_F(Hover, TableHeadersTellKeyUnitAndDescription)
{
    w().guarded([&] { w().selectPage(2); });
    EXPECT_EQ(hoverHeader(1), QString());  // no headers before the first run
    w().guarded([&] { w().Button101Click(); });
    ASSERT_EQ(messageCount(), 0u);
    const struct {
        int column;
        const char* tip;
    } cases[] = {
        {1, "Phij [Grad]: Schrittwinkel in Grad"},
        {3, "ap [mm]: axiale Schnitttiefe pro Zahn in mm"},
        {12, "Fcj [N]: Schnittkraft an einem Zahn in Newton"},
        {31, "A [mm²]: Schnittfläche [mm²]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hoverHeader(c.column), QString::fromUtf8(c.tip)) << c.column;
    // Blank headers (variation on) explain nothing.
    control<QAction>("Parametervariation1")->trigger();
    w().guarded([&] { w().selectPage(2); });
    EXPECT_EQ(hoverHeader(12), QString());
}

TEST_F(Hover, ChannelsTellTheirColumnsAndUnitsAndScaleFieldsTheirAxis)
{
    w().guarded([&] { w().Button101Click(); });
    w().guarded([&] { w().selectPage(3); });
    EXPECT_EQ(hoverEntry(0), QStringLiteral("lfc [mm] über Phij [Grad]"));
    EXPECT_EQ(hoverEntry(10), QStringLiteral("Fcj [N] über Phij [Grad]"));
    EXPECT_EQ(hoverEntry(17), QStringLiteral("Fcy [N] über Fcx [N]"));
    EXPECT_EQ(hoverEntry(29), QStringLiteral("A [mm²] über Phij [Grad]"));

    EXPECT_EQ(hover(control<QLineEdit>("Edit421")), QStringLiteral("Maximum der Y-Achse"));
    auto* list = control<QListWidget>("ListBox421");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(17)).center());
    EXPECT_EQ(hover(control<QLineEdit>("Edit421")), QStringLiteral("Maximum der Y-Achse [N]"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(29)).center());
    EXPECT_EQ(hover(control<QLineEdit>("Edit425")), QStringLiteral("Inkrement der Y-Achse [mm²]"));
    EXPECT_EQ(hover(control<QLineEdit>("Edit424")), QStringLiteral("Minimum der X-Achse [Grad]"));
}

}  // namespace
}  // namespace orbiton::ui::testing
