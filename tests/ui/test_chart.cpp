// The page "Grafik": plotting a channel, automatic and manual axis scaling,
// refused ranges, and the chart's export as a bitmap and on a printer.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "model/numbertext.h"
#include "model/resulttable.h"
#include "ui/chart/chart.h"
#include "ui/chartpage.h"
#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

class ChartPage : public WindowTest {
protected:
    Chart& chart() { return *control<Chart>("Chart411"); }
    ChartAxis& left() { return chart().leftAxis(); }
    ChartAxis& bottom() { return chart().bottomAxis(); }
    float value(int channel, int row) { return w().resultTable().at(channel, row); }

    void run()
    {
        w().guarded([&] { w().Button101Click(); });
        ASSERT_EQ(messageCount(), 0u) << lastMessage().text.toStdString();
    }

    // Clicks an entry of the channel list with the mouse, as the user does.
    void clickEntry(int entry)
    {
        w().guarded([&] { w().selectPage(3); });
        QListWidget* list = control<QListWidget>("ListBox421");
        QListWidgetItem* item = list->item(entry);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        ASSERT_EQ(list->currentRow(), entry);
    }

    void chooseManual()
    {
        w().guarded([&] { w().setItemIndex(control<TRadioGroup>("RadioGroup421"), 1); });
    }
    void chooseAutomatic()
    {
        w().guarded([&] { w().setItemIndex(control<TRadioGroup>("RadioGroup421"), 0); });
    }

    void setScale(const char* yMin, const char* yMax, const char* yStep, const char* xMin, const char* xMax,
                  const char* xStep)
    {
        const std::pair<QLineEdit*, const char*> fields[] = {
            {control<QLineEdit>("Edit422"), yMin},  {control<QLineEdit>("Edit421"), yMax},
            {control<QLineEdit>("Edit425"), yStep}, {control<QLineEdit>("Edit424"), xMin},
            {control<QLineEdit>("Edit423"), xMax},  {control<QLineEdit>("Edit426"), xStep},
        };
        for (const auto& [edit, text] : fields)
            w().guarded([&] { w().setControlText(edit, QString::fromUtf8(text)); });
    }

    // Edit421 to Edit426: left maximum, minimum, bottom maximum, minimum,
    // left increment, bottom increment.
    std::vector<QLineEdit*> scaleFields() const
    {
        std::vector<QLineEdit*> fields;
        for (const char* name : {"Edit421", "Edit422", "Edit423", "Edit424", "Edit425", "Edit426"})
            fields.push_back(control<QLineEdit>(name));
        return fields;
    }

    QStringList scaleTexts()
    {
        QStringList texts;
        for (QLineEdit* edit : scaleFields())
            texts << edit->text();
        return texts;
    }
};

// ------------------------------------------------------------- plotting

TEST_F(ChartPage, SchnittkraftAnEinemZahnAfterADefaultRun)
{
    EXPECT_FALSE(control<QAction>("GrafikSpeichern1")->isEnabled());
    EXPECT_FALSE(control<QAction>("Grafikdrucken1")->isEnabled());
    run();
    clickEntry(10);
    ASSERT_EQ(messageCount(), 0u);

    ASSERT_EQ(chart().pointCount(), 121);
    for (int row = 0; row <= 120; ++row) {
        EXPECT_EQ(chart().point(row).x, value(chPhij, row)) << row;
        EXPECT_EQ(chart().point(row).y, value(chFcj, row)) << row;
        EXPECT_EQ(chart().point(row).label, QStringLiteral(" "));
        EXPECT_EQ(chart().point(row).colour, QColor(0, 128, 128));
    }
    EXPECT_EQ(chart().point(0).x, 0.0);
    EXPECT_EQ(chart().point(120).x, 360.0);

    EXPECT_EQ(left().title(), QStringLiteral("Schnittkraft an einem Zahn [N]"));
    EXPECT_EQ(bottom().title(), QStringLiteral("Fräserumdrehung [Grad]"));
    EXPECT_TRUE(left().automatic());
    EXPECT_TRUE(bottom().automatic());
    EXPECT_EQ(left().increment(), 50.0);
    EXPECT_EQ(bottom().increment(), 60.0);
    EXPECT_TRUE(control<QAction>("GrafikSpeichern1")->isEnabled());
    EXPECT_TRUE(control<QAction>("Grafikdrucken1")->isEnabled());

    // The six fields show the range just plotted: tidy limits that cover
    // the points, written as the results are written.
    const float* fcj = w().resultTable().values[chFcj].data();
    const float peak = *std::max_element(fcj, fcj + 121);
    const float low = *std::min_element(fcj, fcj + 121);
    EXPECT_GE(left().maximum(), peak);
    EXPECT_LT(left().maximum(), peak + 50.0);
    EXPECT_LE(left().minimum(), low);
    EXPECT_GT(left().minimum(), low - 50.0);
    EXPECT_EQ(scaleTexts(),
              QStringList({QString::fromStdString(formatNumber(left().maximum())),
                           QString::fromStdString(formatNumber(left().minimum())), "360", "0", "50", "60"}));
    for (QLineEdit* edit : scaleFields())
        EXPECT_FALSE(edit->isEnabled());
}

TEST_F(ChartPage, VectorEntryJoinsThePointsInOrderOfX)
{
    run();
    clickEntry(17);
    ASSERT_EQ(chart().pointCount(), 121);

    std::multiset<std::pair<double, double>> rows;
    bool rowOrderAscending = true;
    for (int row = 0; row <= 120; ++row) {
        rows.emplace(value(chFcx, row), value(chFcy, row));
        if (row > 0 && value(chFcx, row) < value(chFcx, row - 1))
            rowOrderAscending = false;
    }
    ASSERT_FALSE(rowOrderAscending) << "the example must not be sorted already";
    std::multiset<std::pair<double, double>> plotted;
    for (int k = 0; k < 121; ++k) {
        plotted.emplace(chart().point(k).x, chart().point(k).y);
        if (k > 0) {
            EXPECT_LE(chart().point(k - 1).x, chart().point(k).x) << k;
        }
    }
    EXPECT_EQ(plotted, rows);

    EXPECT_EQ(left().title(), QStringLiteral("Schnittkraft in Y-Richtung [N]"));
    EXPECT_EQ(bottom().title(), QStringLiteral("Schnittkraft in X-Richtung [N]"));
    EXPECT_EQ(left().increment(), 50.0);
    EXPECT_EQ(bottom().increment(), 50.0);
    EXPECT_EQ(control<QLineEdit>("Edit426")->text(), QStringLiteral("50"));

    // A plot over the rotation afterwards has the rotation axis again.
    clickEntry(21);
    EXPECT_EQ(bottom().title(), QStringLiteral("Normalkraft in X-Richtung [N]"));
    clickEntry(27);
    EXPECT_EQ(bottom().title(), QStringLiteral("Fräserumdrehung [Grad]"));
    EXPECT_EQ(bottom().increment(), 60.0);
    EXPECT_EQ(left().increment(), 1.0);
}

TEST_F(ChartPage, EveryEntryPlotsItsColumnWithItsTitles)
{
    run();
    // The vector entries plot Y over X of one force.
    const std::map<int, std::pair<int, int>> vectors = {
        {17, {chFcx, chFcy}}, {21, {chFcNx, chFcNy}}, {25, {chFqx, chFqy}}};
    for (int entry = 0; entry < chartChannelCount; ++entry) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(control<QListWidget>("ListBox421")->item(entry)->text().toStdString(), chartChannels()[entry].entry);
        control<QListWidget>("ListBox421")->setCurrentRow(entry);
        w().guarded([&] { w().ListBox421Click(); });
        ASSERT_EQ(chart().pointCount(), 121);
        const auto vector = vectors.find(entry);
        // Over the rotation the Y values are the table column one to the
        // right of the entry's position in the list.
        const int x = vector != vectors.end() ? vector->second.first : int{chPhij};
        const int y = vector != vectors.end() ? vector->second.second : entry + 1;
        double plottedX = 0;
        double plottedY = 0;
        double tableX = 0;
        double tableY = 0;
        for (int k = 0; k <= 120; ++k) {
            plottedX += chart().point(k).x;
            plottedY += chart().point(k).y;
            tableX += value(x, k);
            tableY += value(y, k);
        }
        EXPECT_DOUBLE_EQ(plottedX, tableX);
        EXPECT_DOUBLE_EQ(plottedY, tableY);
        if (vector == vectors.end()) {
            EXPECT_EQ(bottom().title(), QStringLiteral("Fräserumdrehung [Grad]"));
            EXPECT_EQ(bottom().increment(), 60.0);
        } else {
            EXPECT_EQ(bottom().increment(), 50.0);
        }
        EXPECT_EQ(left().title().toStdString(), chartChannels()[entry].leftTitle);
        EXPECT_EQ(left().increment(), chartChannels()[entry].yIncrement);
    }
    EXPECT_EQ(QString::fromUtf8(chartChannels()[0].leftTitle), QStringLiteral("Schnittvorschub pro Zahn  [mm]"));
    EXPECT_EQ(QString::fromUtf8(chartChannels()[7].leftTitle),
              QStringLiteral("Schnittbreitenanteil2 (Außen/Innen)[mm]"));
    EXPECT_EQ(QString::fromUtf8(chartChannels()[8].leftTitle),
              QStringLiteral("Hebel des Moments bzgl. des Fräsers [mm]"));
    EXPECT_EQ(QString::fromUtf8(chartChannels()[29].leftTitle), QStringLiteral("Schnittfläche [mm²]"));
    EXPECT_EQ(chartChannels()[2].yIncrement, 0.0001);
    EXPECT_EQ(chartChannels()[29].yIncrement, 0.05);
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(ChartPage, ClickBeforeASuccessfulRunDrawsTheZeroTable)
{
    // A run stopped by the geometry check enables the list.
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit112"), QStringLiteral("88")); });
    w().guarded([&] { w().Button101Click(); });
    ASSERT_EQ(messageCount(), 1u);
    ASSERT_TRUE(control<QListWidget>("ListBox421")->isEnabled());
    clickEntry(10);
    ASSERT_EQ(chart().pointCount(), 121);
    for (int k = 0; k < 121; ++k) {
        EXPECT_EQ(chart().point(k).x, 0.0);
        EXPECT_EQ(chart().point(k).y, 0.0);
    }
    EXPECT_EQ(messageCount(), 1u);
}

TEST_F(ChartPage, AStepCountTheTableHasNoRowsForDrawsOnlyExistingRows)
{
    // 800 steps pass the field's filter; the geometry check stops the run
    // before the step count is refused, so the parameter set keeps 800.
    w().guarded([&] { w().setControlText(control<QComboBox>("ComboBox161"), QStringLiteral("800")); });
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit112"), QStringLiteral("88")); });
    w().guarded([&] { w().Button101Click(); });
    ASSERT_EQ(w().parameters().stepCount, 800);
    clickEntry(10);
    EXPECT_EQ(chart().pointCount(), maxRows);
}

// ------------------------------------------------------------- scaling

TEST_F(ChartPage, ManualFieldsGiveExactlyTheirRanges)
{
    run();
    chooseManual();
    for (QLineEdit* edit : scaleFields())
        EXPECT_TRUE(edit->isEnabled());
    setScale("0", "500", "100", "0", "360", "60");
    clickEntry(12);
    ASSERT_EQ(messageCount(), 0u) << lastMessage().text.toStdString();
    EXPECT_FALSE(left().automatic());
    EXPECT_FALSE(bottom().automatic());
    EXPECT_EQ(left().minimum(), 0.0);
    EXPECT_EQ(left().maximum(), 500.0);
    EXPECT_EQ(left().increment(), 100.0);
    EXPECT_EQ(bottom().minimum(), 0.0);
    EXPECT_EQ(bottom().maximum(), 360.0);
    EXPECT_EQ(bottom().increment(), 60.0);
    EXPECT_EQ(left().title(), QStringLiteral("Querkraft an einem Zahn [N]"));
    // The fields keep the user's values.
    EXPECT_EQ(scaleTexts(), QStringList({"500", "0", "360", "0", "100", "60"}));

    // The power of one tooth follows the manual fields like every entry.
    setScale("0", "750,5", "250", "-90", "450", "90");
    clickEntry(13);
    EXPECT_FALSE(left().automatic());
    EXPECT_EQ(left().maximum(), 750.5);
    EXPECT_EQ(left().increment(), 250.0);
    EXPECT_EQ(bottom().minimum(), -90.0);
    EXPECT_EQ(bottom().maximum(), 450.0);
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(ChartPage, ArrowKeysChooseAChannelLikeAClick)
{
    run();
    w().guarded([&] { w().selectPage(3); });
    QListWidget* list = control<QListWidget>("ListBox421");
    // Reaching the list with the keyboard chooses nothing yet.
    list->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(chart().pointCount(), 0);

    clickEntry(10);
    ASSERT_EQ(left().title(), QStringLiteral("Schnittkraft an einem Zahn [N]"));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 11);
    EXPECT_EQ(left().title(), QStringLiteral("Normalkraft an einem Zahn [N]"));
    ASSERT_EQ(chart().pointCount(), 121);
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(ChartPage, ScaleFieldsOpenWithManualScalingAndKeepTheirRules)
{
    w().guarded([&] { w().selectPage(3); });
    QTest::mouseClick(control<TRadioGroup>("RadioGroup421")->button(1), Qt::LeftButton);
    ASSERT_TRUE(control<QLineEdit>("Edit426")->isEnabled());
    // Comma and a leading minus pass, anything else is dropped.
    typeInto(control<QLineEdit>("Edit425"), QStringLiteral("-1.5,x2"));
    EXPECT_EQ(control<QLineEdit>("Edit425")->text(), QStringLiteral("-15,2"));
    // An empty field may not be left; nothing is put back.
    typeInto(control<QLineEdit>("Edit426"), QString());
    control<QLineEdit>("Edit424")->setFocus();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::Warning);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Bitte geben Sie einen Wert ein !"));
    EXPECT_EQ(control<QLineEdit>("Edit426")->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>("Edit426"));

    QTest::keyClicks(control<QLineEdit>("Edit426"), QStringLiteral("60"));
    QTest::mouseClick(control<TRadioGroup>("RadioGroup421")->button(0), Qt::LeftButton);
    EXPECT_EQ(messageCount(), 1u);
    EXPECT_FALSE(control<QLineEdit>("Edit425")->isEnabled());
    EXPECT_EQ(chart().pointCount(), 0);  // switching draws nothing
}

// A limit the chart refuses leaves its axis scaled automatically to the
// points just plotted, under the channel's title, and the message names
// the axis; the other axis takes its fields, and the fields stay as typed.
TEST_F(ChartPage, ARefusedRangeNamesTheAxisAndScalesItAutomatically)
{
    run();
    clickEntry(12);  // forces of about 100 to 330 N, scaled automatically
    ASSERT_GT(left().minimum(), 40.0);
    chooseManual();
    const QString automatic = QStringLiteral("; die Achse wird automatisch skaliert.");
    const QString maxBelowMin = QString::fromUtf8(chartmessages::maximumBelowMinimum);
    // In order: each click starts from the ranges the one before left.
    const struct {
        const char* fields[6];  // Y minimum, maximum, increment, X minimum, maximum, increment
        QString message;        // "" when accepted
        bool leftAutomatic;
        bool bottomAutomatic;
    } clicks[] = {
        // The maximum is checked against the minimum in force before the
        // click, that of forces above 40 N; then against the automatic
        // range of the new points, above 40 N too.
        {{"0", "40", "10", "0", "360", "60"}, "Y-Achse: " + maxBelowMin + automatic, true, false},
        {{"0", "40", "10", "0", "360", "60"}, "Y-Achse: " + maxBelowMin + automatic, true, false},
        // Through a range that overlaps both, the range below is reached.
        {{"0", "2000", "100", "0", "360", "60"}, "", false, false},
        {{"0", "40", "10", "0", "360", "60"}, "", false, false},
        {{"300", "250", "50", "0", "360", "60"},
         "Y-Achse: " + QString::fromUtf8(chartmessages::minimumAboveMaximum) + automatic,
         true,
         false},
        {{"0", "2000", "-5", "0", "360", "60"},
         "Y-Achse: " + QString::fromUtf8(chartmessages::negativeIncrement) + automatic,
         true,
         false},
        {{"0", "2000", "100", "0", "-", "60"},
         QStringLiteral("X-Achse: '-' ist kein gültiger Gleitkommawert") + automatic,
         false,
         true},
        {{"0", "2000", "-5", "0", "-", "60"},
         QStringLiteral("X-Achse: '-' ist kein gültiger Gleitkommawert; die Achse wird automatisch skaliert. "
                        "Y-Achse: ") +
             QString::fromUtf8(chartmessages::negativeIncrement) + automatic,
         true,
         true},
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.message.toStdString());
        setScale(c.fields[0], c.fields[1], c.fields[2], c.fields[3], c.fields[4], c.fields[5]);
        const QStringList typed = scaleTexts();
        dialogs->messages.clear();
        clickEntry(10);
        ASSERT_EQ(messageCount(), c.message.isEmpty() ? 0u : 1u) << lastMessage().text.toStdString();
        if (!c.message.isEmpty()) {
            EXPECT_EQ(lastMessage().kind, MessageKind::StandardError);
            EXPECT_EQ(lastMessage().text, c.message);
        }
        // Points, titles and ranges belong to the channel clicked.
        ASSERT_EQ(chart().pointCount(), 121);
        EXPECT_EQ(chart().point(60).y, value(chFcj, 60));
        EXPECT_EQ(left().title(), QStringLiteral("Schnittkraft an einem Zahn [N]"));
        EXPECT_EQ(bottom().title(), QStringLiteral("Fräserumdrehung [Grad]"));
        EXPECT_EQ(left().automatic(), c.leftAutomatic);
        EXPECT_EQ(bottom().automatic(), c.bottomAutomatic);
        EXPECT_EQ(scaleTexts(), typed);
    }
    const float* fcj = w().resultTable().values[chFcj].data();
    EXPECT_LE(left().minimum(), *std::min_element(fcj, fcj + 121));
    EXPECT_GE(left().maximum(), *std::max_element(fcj, fcj + 121));
}

// After every run the chart shows that run: the channel chosen is drawn
// anew from the new results; with none chosen the chart is empty.
TEST_F(ChartPage, TheChartFollowsEveryRun)
{
    run();
    clickEntry(10);
    const float before = value(chFcj, 30);
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit143"), QStringLiteral("0,3")); });
    w().guarded([&] { w().selectPage(0); });
    control<QAction>("Berechnungstarten1")->trigger();
    ASSERT_EQ(messageCount(), 0u) << lastMessage().text.toStdString();
    ASSERT_NE(value(chFcj, 30), before);
    ASSERT_EQ(chart().pointCount(), 121);
    for (int row = 0; row <= 120; ++row)
        EXPECT_EQ(chart().point(row).y, value(chFcj, row)) << row;
    EXPECT_EQ(control<QLineEdit>("Edit421")->text().toStdString(), fieldNumberText(left().maximum()));

    // A run the geometry check stops leaves the last run's chart.
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit112"), QStringLiteral("88")); });
    w().guarded([&] { w().Button101Click(); });
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(chart().point(30).y, value(chFcj, 30));
    dialogs->messages.clear();

    // Manual scaling holds through a run.
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit112"), QStringLiteral("46")); });
    chooseManual();
    setScale("0", "3000", "500", "0", "360", "90");
    run();
    EXPECT_FALSE(left().automatic());
    EXPECT_EQ(left().maximum(), 3000.0);
    EXPECT_EQ(bottom().increment(), 90.0);

    // Taking the choice back (Ctrl and a click) empties the chart, and runs
    // keep it empty.
    QListWidget* list = control<QListWidget>("ListBox421");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(10)).center());
    ASSERT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(chart().pointCount(), 0);
    EXPECT_EQ(left().title(), QString());
    run();
    EXPECT_EQ(chart().pointCount(), 0);
}

TEST_F(ChartPage, AutomaticScalingRefillsTheFieldsWithThePlottedRange)
{
    run();
    chooseManual();
    setScale("0", "500", "100", "0", "360", "60");
    clickEntry(12);

    // Switching back redraws nothing and leaves the fields as they are.
    chooseAutomatic();
    for (QLineEdit* edit : scaleFields())
        EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(left().automatic());
    EXPECT_EQ(left().maximum(), 500.0);
    EXPECT_EQ(control<QLineEdit>("Edit421")->text(), QStringLiteral("500"));

    // The next click scales automatically and shows the new range.
    clickEntry(29);
    EXPECT_TRUE(left().automatic());
    const ChartAxis& l = left();
    const ChartAxis& b = bottom();
    EXPECT_EQ(control<QLineEdit>("Edit425")->text(), QStringLiteral("0,05"));
    EXPECT_EQ(control<QLineEdit>("Edit426")->text(), QStringLiteral("60"));
    EXPECT_EQ(control<QLineEdit>("Edit424")->text(), QStringLiteral("0"));
    EXPECT_EQ(control<QLineEdit>("Edit423")->text(), QStringLiteral("360"));
    EXPECT_EQ(parseReal(control<QLineEdit>("Edit421")->text().toStdString()), static_cast<float>(l.maximum()));
    EXPECT_EQ(parseReal(control<QLineEdit>("Edit422")->text().toStdString()), static_cast<float>(l.minimum()));
    EXPECT_EQ(parseReal(control<QLineEdit>("Edit423")->text().toStdString()), static_cast<float>(b.maximum()));
    float low = value(chA, 0);
    float high = low;
    for (int row = 0; row <= 120; ++row) {
        low = std::min(low, value(chA, row));
        high = std::max(high, value(chA, row));
    }
    EXPECT_LE(l.minimum(), low);
    EXPECT_GE(l.maximum(), high);
    EXPECT_LT(l.maximum() - l.minimum(), high - low + 2 * 0.05 + 1e-9);

    // The fields are a valid starting point for manual scaling: applied
    // unchanged they give the same axes.
    const double max = l.maximum();
    const double min = l.minimum();
    chooseManual();
    clickEntry(29);
    EXPECT_EQ(messageCount(), 0u);
    EXPECT_FALSE(left().automatic());
    EXPECT_NEAR(left().maximum(), max, 1e-6);
    EXPECT_NEAR(left().minimum(), min, 1e-6);
}

TEST_F(ChartPage, LargeRangesReachTheFieldsAsTheSameNumbers)
{
    // Cutting power per step in W well above 10000.
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit141"), QStringLiteral("9000")); });
    run();
    clickEntry(26);
    ASSERT_GE(left().maximum(), 10000.0);
    // Four significant digits as the results show them, in digits only.
    EXPECT_EQ(control<QLineEdit>("Edit421")->text().toStdString(), fieldNumberText(left().maximum()));
    EXPECT_FALSE(control<QLineEdit>("Edit421")->text().contains(QLatin1Char('E')));
    EXPECT_NEAR(parseReal(control<QLineEdit>("Edit421")->text().toStdString()), left().maximum(),
                left().maximum() * 5e-4);
    EXPECT_EQ(messageCount(), 0u);
}

// ------------------------------------------------------------- export

class ChartExport : public ChartPage {
protected:
    void SetUp() override
    {
        ChartPage::SetUp();
        ASSERT_TRUE(folder.isValid());
        run();
        clickEntry(10);
        w().guarded([&] { w().selectPage(0); });
    }

    static std::uint32_t u32(const QByteArray& b, int at)
    {
        return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
               std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
    }

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

// The line, axes and titles on a white ground.
void expectChartPicture(const QImage& image)
{
    int white = 0;
    int dark = 0;
    int teal = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == Qt::white)
                ++white;
            else if (c.red() < 80 && c.green() < 80 && c.blue() < 80)
                ++dark;
            if (c.red() < 60 && c.green() > 90 && c.blue() > 90 && std::abs(c.green() - c.blue()) < 30)
                ++teal;
        }
    EXPECT_GT(white, image.width() * image.height() / 2);  // a white chart
    EXPECT_GT(dark, 500);                                  // axes, labels, titles
    EXPECT_GT(teal, 300);                                  // the line
}

TEST_F(ChartExport, BitmapOfTheChartsSizeAtTheDesignSize)
{
    const QString path = folder.filePath(QStringLiteral("Schnittkraft.bmp"));
    dialogs->files.push_back(path);
    control<QAction>("GrafikSpeichern1")->trigger();
    EXPECT_EQ(messageCount(), 0u);
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 3);
    ASSERT_EQ(dialogs->fileDialogs.size(), 1u);
    EXPECT_TRUE(dialogs->fileDialogs[0].save);
    const FileDialogSpec& settings = dialogs->fileDialogs[0].settings;
    EXPECT_EQ(settings.title, QStringLiteral("Speichern der Grafik"));
    QStringList types{settings.filterDescription + " " + settings.filterPattern + " " + settings.defaultExtension};
    for (const FileType& type : settings.moreTypes)
        types << type.description + " " + type.pattern + " " + type.extension;
    EXPECT_EQ(types, QStringList(
                         {"Bitmap *.bmp bmp", "PNG-Bild *.png png", "SVG-Grafik *.svg svg", "PDF-Dokument *.pdf pdf"}));
    EXPECT_EQ(dialogs->proposedSizes, std::vector<QSize>{QSize(450, 380)});

    const QByteArray bytes = readAll(path);
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(bytes, 2), std::uint32_t(bytes.size()));
    EXPECT_GE(u32(bytes, 14), 40u);  // an info header
    EXPECT_EQ(std::int32_t(u32(bytes, 18)), 450);
    EXPECT_EQ(std::abs(std::int32_t(u32(bytes, 22))), 380);
    const int bits = std::uint8_t(bytes[28]) | std::uint8_t(bytes[29]) << 8;
    EXPECT_TRUE(bits == 24 || bits == 32) << bits;
    // No temporary file stays behind.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"Schnittkraft.bmp"}));
    QImage image;
    ASSERT_TRUE(image.loadFromData(bytes, "BMP"));
    EXPECT_EQ(image.size(), QSize(450, 380));
    expectChartPicture(image);
}

TEST_F(ChartExport, EachFilterWritesItsFileTypeAtTheChosenSize)
{
    // In a larger window the chart is larger, and so is the size proposed.
    w().resize(1400, 1000);
    QTRY_VERIFY(control<QWidget>("Chart411")->width() > 450);
    const QSize onScreen = control<QWidget>("Chart411")->size();
    EXPECT_GT(onScreen.height(), 380);
    const struct {
        int type;
        QString name;
        QSize size;  // invalid: cancel the size
    } cases[] = {
        {0, "gross.bmp", onScreen},         {1, "grafik.png", QSize(1200, 900)}, {2, "grafik.svg", QSize(640, 480)},
        {3, "grafik.pdf", QSize(960, 720)}, {1, "abgebrochen.png", QSize()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        dialogs->files.push_back(folder.filePath(c.name));
        dialogs->fileTypes.push_back(c.type);
        dialogs->imageSizes.push_back(c.size);
        control<QAction>("GrafikSpeichern1")->trigger();
        EXPECT_EQ(messageCount(), 0u);
        EXPECT_EQ(dialogs->proposedSizes.back(), onScreen);
        const QByteArray bytes = readAll(folder.filePath(c.name));
        if (!c.size.isValid()) {
            EXPECT_FALSE(QFile::exists(folder.filePath(c.name)));
            continue;
        }
        const QString width = QString::number(c.size.width()), height = QString::number(c.size.height());
        QImage image;
        switch (c.type) {
        case 0:
        case 1:
            ASSERT_TRUE(image.loadFromData(bytes, c.type == 0 ? "BMP" : "PNG"));
            EXPECT_EQ(image.size(), c.size);
            expectChartPicture(image);
            break;
        case 2:
            EXPECT_TRUE(bytes.contains("<svg")) << bytes.left(200).toStdString();
            EXPECT_TRUE(bytes.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(width, height).toLatin1()));
            EXPECT_TRUE(bytes.contains("Schnittkraft"));  // the axis title as text
            break;
        default:
            // One page of the size at 96 pixels per inch: 720 × 540 points.
            EXPECT_TRUE(bytes.startsWith("%PDF"));
            EXPECT_EQ(bytes.count("/Type /Page\n"), 1);
            EXPECT_TRUE(bytes.contains("/MediaBox [0 0 720.000000 540.000000]")) << bytes.left(2000).toStdString();
            break;
        }
    }
}

TEST_F(ChartExport, BitmapThatCannotBeCreatedShowsTheFileError)
{
    const QString path = folder.filePath(QStringLiteral("fehlt/Grafik.bmp"));
    dialogs->files.push_back(path);
    w().guarded([&] { w().GrafikSpeichern1Click(); });
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::StandardError);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Kann Datei %1 nicht erstellen.").arg(path));
    EXPECT_FALSE(QFile::exists(path));

    // Cancel writes nothing but the page is switched all the same.
    w().guarded([&] { w().selectPage(1); });
    w().guarded([&] { w().GrafikSpeichern1Click(); });
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 3);
    EXPECT_EQ(messageCount(), 1u);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

// Answers the print dialog with OK after pointing the printer at a PDF file.
class PdfPrintDialogs : public FakeDialogs {
public:
    bool print(QPrinter& printer) override
    {
        ++printDialogs;
        copies = printer.copyCount();
        if (!printAnswer)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);
        return true;
    }
    QString output;
    int copies = 0;
};

class ChartPrint : public ChartExport {
protected:
    void SetUp() override
    {
        ChartExport::SetUp();
        auto fake = std::make_unique<PdfPrintDialogs>();
        pdf = fake.get();
        dialogs = fake.get();
        w().setDialogs(std::move(fake));
    }
    PdfPrintDialogs* pdf = nullptr;
};

TEST_F(ChartPrint, PrintsOnePageJobNamedAfterTheChart)
{
    pdf->output = folder.filePath(QStringLiteral("Grafik.pdf"));
    pdf->printAnswer = true;
    control<QAction>("Grafikdrucken1")->trigger();
    EXPECT_EQ(messageCount(), 0u);
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 3);
    EXPECT_EQ(pdf->printDialogs, 1);
    EXPECT_EQ(pdf->copies, 1);

    QFile file(pdf->output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n"), 1);  // one page ("/Type /Pages" is the page tree)
    // The job name is the document title (UTF-16 with byte order mark).
    const QString title = QStringLiteral("Chart411");
    QByteArray utf16("\xfe\xff");
    for (QChar c : title)
        utf16 += QByteArray(1, '\0') + QByteArray(1, char(c.unicode()));
    EXPECT_TRUE(bytes.contains("/Title (" + utf16 + ")")) << "title missing";
}

TEST_F(ChartPrint, CancelPrintsNothingAndAFailureShowsTheErrorBox)
{
    pdf->output = folder.filePath(QStringLiteral("Grafik.pdf"));
    pdf->printAnswer = false;
    w().guarded([&] { w().Grafikdrucken1Click(); });
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 3);
    EXPECT_EQ(pdf->printDialogs, 1);
    EXPECT_EQ(messageCount(), 0u);
    EXPECT_FALSE(QFile::exists(pdf->output));

    pdf->output = folder.filePath(QStringLiteral("fehlt/Grafik.pdf"));
    pdf->printAnswer = true;
    w().guarded([&] { w().Grafikdrucken1Click(); });
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::StandardError);
    EXPECT_EQ(lastMessage().text, QString::fromUtf8(chartmessages::printFailed) + ".");
}

}  // namespace
}  // namespace orbiton::ui::testing
