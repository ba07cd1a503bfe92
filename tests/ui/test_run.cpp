// The run driver: Start with the defaults, conversion failures, the
// geometry check, refused runs, the variation mode and the error frame.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "model/errors.h"
#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

class Run : public WindowTest {
protected:
    QString value(const char* name) { return w().findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    QString cell(int column, int row) { return control<TStringGrid>("StringGrid311")->cells(column, row); }
};

TEST_F(Run, StartWithTheDefaultsFillsResultsTableAndDescription)
{
    control<QPlainTextEdit>("Memo1")->setPlainText(QStringLiteral("Notiz"));
    QTest::mouseClick(control<QPushButton>("Button101"), Qt::LeftButton);
    EXPECT_TRUE(dialogs->messages.empty());

    EXPECT_EQ(value("ELabel211"), QStringLiteral("0,3265"));
    EXPECT_EQ(value("ELabel212"), QStringLiteral("0,1244"));
    EXPECT_EQ(value("ELabel213"), QStringLiteral("3,755"));
    EXPECT_EQ(value("ELabel214"), QStringLiteral("4,123"));
    EXPECT_EQ(value("ELabel221"), QStringLiteral("0,001595"));
    EXPECT_EQ(value("ELabel222"), QStringLiteral("1,373"));
    EXPECT_EQ(value("ELabel223"), QStringLiteral("6,83E-6"));
    EXPECT_EQ(value("ELabel231"), QStringLiteral("1,888"));
    EXPECT_EQ(value("ELabel232"), QStringLiteral("830,4"));
    EXPECT_EQ(value("ELabel233"), QStringLiteral("1,259"));
    EXPECT_EQ(value("ELabel234"), QStringLiteral("0,0004555"));

    TStringGrid* grid = control<TStringGrid>("StringGrid311");
    EXPECT_EQ(grid->colCount(), 32);
    EXPECT_EQ(grid->rowCount(), 122);
    EXPECT_EQ(cell(1, 0), QStringLiteral("Phij"));
    EXPECT_EQ(cell(5, 0), QStringLiteral("Höhe_ax"));
    EXPECT_EQ(cell(31, 0), QStringLiteral("A"));
    EXPECT_EQ(cell(0, 0), QString());
    EXPECT_EQ(cell(0, 1), QStringLiteral("1"));
    EXPECT_EQ(cell(0, 120), QStringLiteral("120"));
    EXPECT_EQ(cell(0, 121), QString());  // the last row carries no number
    // Row 1 holds result row 0, row 121 result row 120.
    EXPECT_EQ(cell(1, 1), QStringLiteral("0"));
    EXPECT_EQ(cell(3, 1), QStringLiteral("1,5"));
    EXPECT_EQ(cell(12, 1), QStringLiteral("114,3"));
    EXPECT_EQ(cell(17, 1), QStringLiteral("-114,3"));
    EXPECT_EQ(cell(1, 121), QStringLiteral("360"));
    EXPECT_EQ(cell(16, 121), QStringLiteral("0"));
    EXPECT_EQ(grid->colWidth(0), 40);
    EXPECT_EQ(grid->colWidth(1), 80);
    EXPECT_EQ(grid->colWidth(31), 80);
    EXPECT_EQ(grid->defaultRowHeight(), 20);

    EXPECT_FALSE(control<QLabel>("Label311")->isHidden());
    EXPECT_TRUE(control<QListWidget>("ListBox421")->isEnabled());
    EXPECT_TRUE(control<QAction>("Tabelleninhaltspeichern1")->isEnabled());
    EXPECT_EQ(control<QPlainTextEdit>("Memo1")->toPlainText(), QString());
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 0);  // a run does not switch the page
    EXPECT_EQ(dialogs->busyCalls, 1);
    EXPECT_EQ(dialogs->busyDepth, 0);
}

TEST_F(Run, SevenHundredTwentyStepsGiveTheLargestTable)
{
    w().guarded([&] { w().setControlText(control<QComboBox>("ComboBox161"), QStringLiteral("720")); });
    w().guarded([&] { w().Button101Click(); });
    EXPECT_EQ(control<TStringGrid>("StringGrid311")->rowCount(), 722);
    EXPECT_EQ(cell(0, 720), QStringLiteral("720"));
    EXPECT_EQ(cell(1, 721), QStringLiteral("360"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("0,5"));
}

TEST_F(Run, EmptyFieldAndF9ShowTheConversionErrorAndChangeNothingElse)
{
    w().guarded([&] { w().Button101Click(); });
    const QString power = value("ELabel211");
    control<QLineEdit>("Edit113")->setFocus();
    control<QLineEdit>("Edit113")->clear();
    control<QPlainTextEdit>("Memo1")->setPlainText(QStringLiteral("Notiz"));
    pressF9();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::StandardError);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Zähneanzahl: '' ist kein gültiger Integerwert."));
    EXPECT_EQ(value("ELabel211"), power);
    EXPECT_EQ(control<QPlainTextEdit>("Memo1")->toPlainText(), QString());
    EXPECT_EQ(dialogs->busyDepth, 0);
    // The fields before the failing one were read, the rest keep reset values.
    EXPECT_EQ(w().parameters().boreDiameter, 88.0f);
    EXPECT_EQ(w().parameters().cutterDiameter, 46.0f);
    EXPECT_EQ(w().parameters().toothCount, 1);
    EXPECT_EQ(w().parameters().kc11, 0.0f);

    control<QLineEdit>("Edit113")->setText(QStringLiteral("1"));
    control<QLineEdit>("Edit111")->setFocus();
    control<QLineEdit>("Edit111")->clear();
    pressF9();
    ASSERT_EQ(messageCount(), 2u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Bohrungsdurchmesser: '' ist kein gültiger Gleitkommawert."));
    EXPECT_EQ(dialogs->busyDepth, 0);
}

TEST_F(Run, GeometryWarningNamesTheFailedConditionAndItsLimit)
{
    const std::string cutter = "Der Fräserdurchmesser muß ";
    const std::string width = "Die Wendeschneidplattenbreite muß ";
    struct Case {
        const char *bore, *cutter, *width;
        std::string warning;  // empty: the run goes on
    };
    const Case cases[] = {
        {"88", "88", "10", cutter + "kleiner als der Bohrungsdurchmesser sein, also kleiner als 88 mm"},
        {"88", "44", "10", cutter + "größer als der halbe Bohrungsdurchmesser sein, also größer als 44 mm"},
        {"88", "46", "23", width + "kleiner als der halbe Fräserdurchmesser sein, also kleiner als 23 mm"},
        {"88", "46", "2",
         width + "größer als Fräserdurchmesser minus halber Bohrungsdurchmesser sein, also größer als 2 mm"},
        {"88,7", "46", "1",
         width + "größer als Fräserdurchmesser minus halber Bohrungsdurchmesser sein, also größer als 1,65 mm"},
        {"88", "46", "2,01", ""},
        {"88", "46", "22,9", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cutter) + " / " + c.width);
        dialogs->messages.clear();
        control<QLineEdit>("Edit111")->setText(QString::fromLatin1(c.bore));
        control<QLineEdit>("Edit112")->setText(QString::fromLatin1(c.cutter));
        control<QLineEdit>("Edit132")->setText(QString::fromLatin1(c.width));
        w().guarded([&] { w().Button101Click(); });
        if (c.warning.empty()) {
            EXPECT_TRUE(dialogs->messages.empty());
        } else {
            ASSERT_EQ(dialogs->messages.size(), 1u);
            EXPECT_EQ(lastMessage().kind, MessageKind::Warning);
            EXPECT_EQ(lastMessage().text, QString::fromStdString(c.warning));
        }
        EXPECT_EQ(dialogs->busyDepth, 0);
    }
}

TEST_F(Run, FailedGeometryCheckLeavesResultsTableAndLabelAsTheyWere)
{
    control<QLineEdit>("Edit112")->setText(QStringLiteral("88"));
    w().guarded([&] { w().Button101Click(); });
    EXPECT_TRUE(control<QLabel>("Label311")->isHidden());
    EXPECT_EQ(control<TStringGrid>("StringGrid311")->rowCount(), 17);
    EXPECT_EQ(value("ELabel232"), QString());
    EXPECT_TRUE(control<QListWidget>("ListBox421")->isEnabled());
    EXPECT_FALSE(control<QAction>("Tabelleninhaltspeichern1")->isEnabled());
    // The force-law fields keep their reset values after a failed check.
    EXPECT_EQ(w().parameters().kc11, 0.0f);
}

TEST_F(Run, RefusedRunsAreWarningsAndTouchNothing)
{
    struct Case {
        const char* control;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"ComboBox161", "721", messages::stepCountRange},
        {"ComboBox161", "0", messages::stepCountRange},
        {"Edit113", "0", messages::toothCountMin},
        {"Edit113", "100", messages::toothCountRange},  // set by a data set or a variation step
        {"Edit162", "2", messages::observedToothMissing},
        {"Edit162", "0", messages::observedToothMissing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.control) + " = " + c.text);
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        window = std::make_unique<TVersuch>(std::move(fake));
        w().guarded([&] { w().setControlText(c.control, QString::fromLatin1(c.text)); });
        w().guarded([&] { w().Button101Click(); });
        ASSERT_EQ(messageCount(), 1u);
        EXPECT_EQ(lastMessage().kind, MessageKind::Warning);
        EXPECT_EQ(lastMessage().text, QString::fromUtf8(c.message));
        EXPECT_EQ(control<TStringGrid>("StringGrid311")->rowCount(), 17);
        EXPECT_TRUE(control<QLabel>("Label311")->isHidden());
        EXPECT_EQ(value("ELabel232"), QString());
        EXPECT_EQ(dialogs->busyDepth, 0);
    }
}

TEST_F(Run, AxialFeedAboveTheRhombicEdgeIsRefusedWithAWarning)
{
    QTest::mouseClick(control<QPushButton>("Button101"), Qt::LeftButton);
    const QString power = value("ELabel211");
    const QString force = cell(12, 1);
    const float angle = w().resultTable().at(chPhij, 59);

    // Rhombic insert 6 mm wide, 3 mm axial feed: the chip would be longer
    // than the edge. Refused before the first step: neither the rows nor the
    // results page nor the table change.
    control<TRadioGroup>("RadioGroup1")->button(1)->click();
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit132"), QStringLiteral("6")); });
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit142"), QStringLiteral("3")); });
    w().resultTable().at(chPhij, 59) = 777.0f;
    QTest::mouseClick(control<QPushButton>("Button101"), Qt::LeftButton);
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::Warning);
    EXPECT_EQ(lastMessage().buttons, Buttons::Ok);
    EXPECT_EQ(lastMessage().text, QString::fromUtf8(messages::chipWidthBeyondEdge));
    EXPECT_EQ(w().resultTable().at(chPhij, 59), 777.0f);
    EXPECT_EQ(value("ELabel211"), power);
    EXPECT_EQ(cell(12, 1), force);
    EXPECT_EQ(dialogs->busyDepth, 0);

    // A smaller feed runs again.
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit142"), QStringLiteral("1")); });
    QTest::mouseClick(control<QPushButton>("Button101"), Qt::LeftButton);
    EXPECT_EQ(messageCount(), 1u);
    EXPECT_NE(value("ELabel211"), power);
    EXPECT_EQ(w().resultTable().at(chPhij, 59), angle);
}

// Fault: a number too small for any precision was reported as an overflow.
TEST_F(Run, ATinyNumberCountsAsZero)
{
    w().guarded([&] { w().setControlText("Edit116", QString::fromStdString("0," + std::string(5000, '0') + "1")); });
    w().guarded([&] { w().Button101Click(); });
    EXPECT_TRUE(dialogs->messages.empty());
    EXPECT_EQ(w().parameters().wearLandWidth, 0.0f);
    EXPECT_EQ(value("ELabel211"), QStringLiteral("0,3265"));  // as with the default 0,00
}

TEST_F(Run, NoInsertShapeEverChosenIsRefused)
{
    w().guarded([&] { w().setItemIndex(control<TRadioGroup>("RadioGroup1"), -1); });
    w().guarded([&] { w().Button101Click(); });
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::Warning);
    EXPECT_EQ(lastMessage().text, QString::fromUtf8(messages::noInsertShape));

    // Once a shape has been used, no selection keeps it.
    w().guarded([&] { w().setItemIndex(control<TRadioGroup>("RadioGroup1"), 1); });
    w().guarded([&] { w().Button101Click(); });
    w().guarded([&] { w().setItemIndex(control<TRadioGroup>("RadioGroup1"), -1); });
    w().guarded([&] { w().Button101Click(); });
    EXPECT_EQ(messageCount(), 1u);
    EXPECT_EQ(w().parameters().insertShape, "rhombus");
}

TEST_F(Run, VariationShownUpdatesResultsButNotTheTableData)
{
    control<QGroupBox>("GroupBox430")->setVisible(true);
    w().guarded([&] { w().Button101Click(); });
    EXPECT_EQ(value("ELabel232"), QStringLiteral("830,4"));
    EXPECT_EQ(control<TStringGrid>("StringGrid311")->rowCount(), 122);
    EXPECT_EQ(cell(1, 0), QStringLiteral("Phij"));
    EXPECT_EQ(cell(0, 5), QStringLiteral("5"));
    EXPECT_EQ(cell(1, 1), QString());
    EXPECT_FALSE(control<QLabel>("Label311")->isHidden());
    EXPECT_FALSE(control<QAction>("Tabelleninhaltspeichern1")->isEnabled());

    control<QGroupBox>("GroupBox430")->setVisible(false);
    w().guarded([&] { w().Button101Click(); });
    EXPECT_EQ(cell(1, 121), QStringLiteral("360"));
    EXPECT_TRUE(control<QAction>("Tabelleninhaltspeichern1")->isEnabled());
}

TEST_F(Run, MillingDirectionFollowsTheRadioGroup)
{
    control<TRadioGroup>("RadioGroup101")->button(1)->click();
    EXPECT_EQ(w().parameters().millingDirection, -1);
    w().guarded([&] { w().Button101Click(); });
    EXPECT_EQ(w().parameters().millingDirection, -1);
    control<TRadioGroup>("RadioGroup101")->button(0)->click();
    EXPECT_EQ(w().parameters().millingDirection, 1);
}

TEST_F(Run, ErrorOfAnInnerHandlerEndsTheOuterOneAndIsShownOnce)
{
    // Edit151's handler loads the named material file, which does not exist.
    bool continued = false;
    w().guarded([&] {
        w().setControlText(control<QLineEdit>("Edit151"), QStringLiteral("x.wks"));
        continued = true;
    });
    EXPECT_FALSE(continued);
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::StandardError);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Kann Datei x.wks nicht öffnen."));

    // Changed by the user, the same handler shows its error at once.
    control<QLineEdit>("Edit151")->setText(QStringLiteral("y.wks"));
    EXPECT_EQ(messageCount(), 2u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Kann Datei y.wks nicht öffnen."));
}

TEST_F(Run, MemoSwallowsEnter)
{
    w().selectPage(1);
    control<QPlainTextEdit>("Memo1")->setFocus();
    control<QPlainTextEdit>("Memo1")->clear();
    QTest::keyClicks(control<QPlainTextEdit>("Memo1"), QStringLiteral("ab"));
    QTest::keyClick(control<QPlainTextEdit>("Memo1"), Qt::Key_Return);
    QTest::keyClicks(control<QPlainTextEdit>("Memo1"), QStringLiteral("c"));
    EXPECT_EQ(control<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("abc"));
}

}  // namespace
}  // namespace orbiton::ui::testing
