// The parameter variation: switching the mode, choosing a target, the two
// entry fields, and the steps "-" and "+" with their run and redraw.
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include <algorithm>

#include "model/numbertext.h"
#include "model/resulttable.h"
#include "ui/chart/chart.h"
#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

class Variation : public WindowTest {
protected:
    Chart& chart() { return *control<Chart>("Chart411"); }
    QString cell(int column, int row) { return control<TStringGrid>("StringGrid311")->cells(column, row); }

    void run()
    {
        w().guarded([&] { w().Button101Click(); });
        ASSERT_EQ(messageCount(), 0u) << lastMessage().text.toStdString();
    }

    void pressCtrlP()
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, Qt::Key_P, Qt::ControlModifier);
    }

    // Switches the mode on and chooses a target as the user does.
    void vary(int target)
    {
        if (control<QGroupBox>("GroupBox430")->isHidden())
            pressCtrlP();
        ASSERT_FALSE(control<QGroupBox>("GroupBox430")->isHidden());
        control<QComboBox>("ComboBox431")->setCurrentIndex(target);
        emit control<QComboBox>("ComboBox431")->activated(target);
    }

    void setText(QLineEdit* edit, const char* text)
    {
        w().guarded([&] { w().setControlText(edit, QString::fromUtf8(text)); });
    }

    void plus() { QTest::mouseClick(control<QPushButton>("Button432"), Qt::LeftButton); }
    void minus() { QTest::mouseClick(control<QPushButton>("Button431"), Qt::LeftButton); }
};

// ---------------------------------------------------------------- mode

TEST_F(Variation, CtrlPTwiceSwitchesTheModeOnAndOffAndBlanksTheTable)
{
    run();
    ASSERT_EQ(cell(1, 0), QStringLiteral("Phij"));
    ASSERT_EQ(cell(12, 1), QStringLiteral("114,3"));
    const int rows = control<TStringGrid>("StringGrid311")->rowCount();
    auto dataCellsBlank = [&] {
        for (int row = 0; row < rows; ++row)
            for (int column = 1; column <= 31; ++column)
                if (!cell(column, row).isEmpty())
                    return false;
        return true;
    };

    // Another target chosen before: switching resets it to the bore.
    w().guarded([&] { w().selectPage(0); });
    pressCtrlP();
    vary(5);
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("0"));

    pressCtrlP();  // off
    EXPECT_TRUE(control<QGroupBox>("GroupBox430")->isHidden());
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 3);
    EXPECT_TRUE(dataCellsBlank());
    EXPECT_EQ(cell(0, 1), QStringLiteral("1"));
    EXPECT_EQ(cell(0, 120), QStringLiteral("120"));

    w().guarded([&] { w().selectPage(2); });
    pressCtrlP();  // on again
    EXPECT_FALSE(control<QGroupBox>("GroupBox430")->isHidden());
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 3);
    EXPECT_EQ(control<QComboBox>("ComboBox431")->currentIndex(), 0);
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("88"));
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("88"));
    EXPECT_EQ(messageCount(), 0u);

    // While the mode is on a run writes the headers but no data.
    run();
    EXPECT_EQ(cell(1, 0), QStringLiteral("Phij"));
    EXPECT_EQ(cell(1, 1), QString());
    EXPECT_EQ(cell(12, 1), QString());

    pressCtrlP();  // off: blank until the next Start
    EXPECT_TRUE(control<QGroupBox>("GroupBox430")->isHidden());
    EXPECT_TRUE(dataCellsBlank());
    run();
    EXPECT_EQ(cell(12, 1), QStringLiteral("114,3"));
}

TEST_F(Variation, ChoosingATargetShowsItsFieldAndEditsGoToTheTarget)
{
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit122"), QStringLiteral("-5")); });
    vary(6);
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("-5"));
    vary(3);
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("1"));

    // Typed into the value field: filtered with comma and minus, then
    // filtered again by the target, which may drop more.
    vary(0);
    typeInto(control<QLineEdit>("Edit432"), QStringLiteral("9.5a,1"));
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("95,1"));
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("95,1"));
    typeInto(control<QLineEdit>("Edit432"), QStringLiteral("-90"));
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("-90"));
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("90"));

    vary(5);
    typeInto(control<QLineEdit>("Edit432"), QStringLiteral("-1-2,5"));
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("-12,5"));
    EXPECT_EQ(control<QLineEdit>("Edit121")->text(), QStringLiteral("-12,5"));

    vary(3);
    typeInto(control<QLineEdit>("Edit432"), QStringLiteral("3,5"));
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("3,5"));
    EXPECT_EQ(control<QLineEdit>("Edit113")->text(), QStringLiteral("35"));

    // The increment takes a comma but never a minus sign.
    typeInto(control<QLineEdit>("Edit431"), QStringLiteral("-2,5,"));
    EXPECT_EQ(control<QLineEdit>("Edit431")->text(), QStringLiteral("2,5"));
    EXPECT_EQ(messageCount(), 0u);
}

// ---------------------------------------------------------------- steps

TEST_F(Variation, PlusOnTheBoreRunsAndRedraws)
{
    run();
    vary(0);
    setText(control<QLineEdit>("Edit431"), "2");
    ASSERT_EQ(chart().pointCount(), 0);
    const int runs = dialogs->busyCalls;
    const float meanPower = w().runSummary().meanCuttingPower;
    plus();
    ASSERT_EQ(messageCount(), 0u) << lastMessage().text.toStdString();
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("90"));
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("90"));
    EXPECT_EQ(dialogs->busyCalls, runs + 1);
    EXPECT_EQ(w().parameters().boreDiameter, 90.0f);
    EXPECT_NE(w().runSummary().meanCuttingPower, meanPower);
    // No channel chosen yet: the chart stays empty.
    EXPECT_EQ(chart().pointCount(), 0);
    EXPECT_FALSE(control<QAction>("GrafikSpeichern1")->isEnabled());

    // With a channel chosen the step shows the new values of it, and the
    // scale fields follow in automatic scaling.
    control<QListWidget>("ListBox421")->setCurrentRow(10);
    w().guarded([&] { w().ListBox421Click(); });
    setText(control<QLineEdit>("Edit431"), "6");
    minus();
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("84"));
    EXPECT_EQ(messageCount(), 0u);
    float peak = 0;
    for (int row = 0; row <= 120; ++row) {
        EXPECT_EQ(chart().point(row).y, w().resultTable().at(chFcj, row));
        peak = std::max(peak, w().resultTable().at(chFcj, row));
    }
    EXPECT_GE(chart().leftAxis().maximum(), peak);
    EXPECT_EQ(control<QLineEdit>("Edit421")->text().toStdString(), formatNumber(chart().leftAxis().maximum()));
}

TEST_F(Variation, ToothCountStepsByTheWholeIncrement)
{
    run();
    vary(3);
    setText(control<QLineEdit>("Edit432"), "3");
    setText(control<QLineEdit>("Edit431"), "1,7");
    plus();
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("4"));
    EXPECT_EQ(control<QLineEdit>("Edit113")->text(), QStringLiteral("4"));
    EXPECT_EQ(w().parameters().toothCount, 4);
    minus();
    minus();
    EXPECT_EQ(control<QLineEdit>("Edit113")->text(), QStringLiteral("2"));
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(Variation, RakeAngleGoesBelowZeroWithItsSign)
{
    run();
    vary(5);
    setText(control<QLineEdit>("Edit431"), "2,5");
    minus();
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("-2,5"));
    EXPECT_EQ(control<QLineEdit>("Edit121")->text(), QStringLiteral("-2,5"));
    EXPECT_EQ(w().parameters().rakeAngleOuter, -2.5f);
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(Variation, CuttingSpeedNeverReceivesAFraction)
{
    run();
    vary(11);
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("120"));
    setText(control<QLineEdit>("Edit431"), "2,5");
    plus();
    EXPECT_EQ(control<QLineEdit>("Edit141")->text(), QStringLiteral("122"));
    EXPECT_EQ(w().parameters().cuttingSpeed, 122.0f);
    EXPECT_EQ(messageCount(), 0u);
}

// On a target that takes whole numbers an increment below 1 would move
// nothing: the step is refused with a warning and nothing runs.
TEST_F(Variation, WholeNumberTargetsRefuseAnIncrementBelowOne)
{
    run();
    auto* increment = control<QLineEdit>("Edit431");
    auto* value = control<QLineEdit>("Edit432");
    const struct {
        int target;
        const char* field;
        const char* entry;
    } targets[] = {{3, "Edit113", "Zähnezahl"}, {11, "Edit141", "Schnittgeschwindigkeit"}};
    for (const auto& [target, field, entry] : targets) {
        vary(target);
        const QString before = control<QLineEdit>(field)->text();
        for (const char* text : {"0,5", "0,99", "0"}) {
            for (QPushButton* button : {control<QPushButton>("Button431"), control<QPushButton>("Button432")}) {
                SCOPED_TRACE(std::string(entry) + " " + text + " " + button->text().toStdString());
                setText(increment, text);
                dialogs->messages.clear();
                chart().clear();
                const int runs = dialogs->busyCalls;
                QTest::mouseClick(button, Qt::LeftButton);
                ASSERT_EQ(messageCount(), 1u);
                EXPECT_EQ(lastMessage().kind, MessageKind::Warning);
                EXPECT_EQ(
                    lastMessage().text,
                    QStringLiteral("Das Inkrement muß für %1 mindestens 1 betragen").arg(QString::fromUtf8(entry)));
                EXPECT_EQ(value->text(), before);
                EXPECT_EQ(control<QLineEdit>(field)->text(), before);
                EXPECT_EQ(dialogs->busyCalls, runs);
                EXPECT_EQ(chart().pointCount(), 0);
            }
        }
    }
    // Other targets step by fractions as before.
    vary(0);
    setText(increment, "0,5");
    dialogs->messages.clear();
    plus();
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("88,5"));
    EXPECT_EQ(messageCount(), 0u);
}

// A value the target field would change (drop its sign) or that leaves
// the field's range is refused with the field's message: nothing changes,
// nothing runs, the chart stays.
TEST_F(Variation, StepsTheTargetFieldWouldNotTakeAreRefused)
{
    run();
    control<QListWidget>("ListBox421")->setCurrentRow(10);
    w().guarded([&] { w().ListBox421Click(); });
    const struct {
        int target;
        const char* field;
        const char* value;
        const char* increment;
        const char* message;
    } cases[] = {
        {1, "Edit112", "46", "50", "Der Fräserdurchmesser muß größer als 0,5mm sein"},
        {1, "Edit112", "46", "45,6", "Der Fräserdurchmesser muß größer als 0,5mm sein"},
        {3, "Edit113", "1", "1", "Anzahl der Zähne muß mindestens 1 betragen"},
        {5, "Edit121", "-88", "2", "Der Spanwinkel der Außenschneide muß zwischen -90 Grad und 90 Grad liegen"},
        {9, "Edit125", "10", "10", "Der Einstellwinkel muß zwischen 0 Grad und 90 Grad liegen"},
        {10, "Edit132", "10", "10", "Die Breite der Wendeschneidplatte muß größer sein als 0 mm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field + std::string(" ") + c.value + " - " + c.increment);
        vary(c.target);
        setText(control<QLineEdit>("Edit432"), c.value);
        setText(control<QLineEdit>("Edit431"), c.increment);
        dialogs->messages.clear();
        chart().clear();
        const int runs = dialogs->busyCalls;
        minus();
        ASSERT_EQ(messageCount(), 1u);
        EXPECT_EQ(lastMessage().kind, MessageKind::Warning);
        EXPECT_EQ(lastMessage().text, QString::fromUtf8(c.message));
        EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QString::fromUtf8(c.value));
        EXPECT_EQ(control<QLineEdit>(c.field)->text(), QString::fromUtf8(c.value));
        EXPECT_EQ(dialogs->busyCalls, runs);
        EXPECT_EQ(chart().pointCount(), 0);
    }

    // Down to zero is no sign to lose: the value goes through.
    dialogs->messages.clear();
    vary(2);
    setText(control<QLineEdit>("Edit432"), "2");
    setText(control<QLineEdit>("Edit431"), "2");
    const int runs = dialogs->busyCalls;
    minus();
    EXPECT_EQ(control<QLineEdit>("Edit114")->text(), QStringLiteral("0"));
    EXPECT_EQ(dialogs->busyCalls, runs + 1);
    EXPECT_EQ(messageCount(), 0u);
}

// The text written is the value computed: the shortest text that reads
// back as the same single-precision value, as orbiton-batch --vary writes.
TEST_F(Variation, WritesTheValueItComputed)
{
    run();
    vary(0);
    const struct {
        const char* value;
        const char* increment;
        const char* text;
    } cases[] = {
        {"90", "9921", "10011"},
        {"10000", "9", "10009"},
        {"99999", "9", "100008"},
        {"88", "0,1", "88,1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        setText(control<QLineEdit>("Edit432"), c.value);
        setText(control<QLineEdit>("Edit431"), c.increment);
        plus();
        EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(w().parameters().boreDiameter, parseReal(c.text));
    }
}

TEST_F(Variation, IncrementZeroRerunsWithTheSameValue)
{
    run();
    vary(12);
    setText(control<QLineEdit>("Edit431"), "0");
    const int runs = dialogs->busyCalls;
    plus();
    minus();
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("1,5"));
    EXPECT_EQ(control<QLineEdit>("Edit142")->text(), QStringLiteral("1,5"));
    EXPECT_EQ(dialogs->busyCalls, runs + 2);
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(Variation, AnErrorEndsTheWholeStep)
{
    run();
    vary(0);

    // The increment holds no number: nothing changes, nothing runs.
    setText(control<QLineEdit>("Edit431"), ",");
    const int runs = dialogs->busyCalls;
    plus();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::StandardError);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Inkrement der Variation: ',' ist kein gültiger Gleitkommawert."));
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("88"));
    EXPECT_EQ(dialogs->busyCalls, runs);

    // A tooth count with a comma is no whole number.
    vary(3);
    setText(control<QLineEdit>("Edit431"), "1");
    setText(control<QLineEdit>("Edit432"), "3,5");
    plus();
    ASSERT_EQ(messageCount(), 2u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Wert der variierten Eingabe: '3,5' ist kein gültiger Integerwert."));
    EXPECT_EQ(control<QLineEdit>("Edit432")->text(), QStringLiteral("3,5"));
    EXPECT_EQ(dialogs->busyCalls, runs);
    setText(control<QLineEdit>("Edit432"), "1");

    // The run fails on another field: shown once, and no redraw follows.
    vary(0);
    setText(control<QLineEdit>("Edit431"), "2");
    setText(control<QLineEdit>("Edit142"), "");
    ASSERT_EQ(chart().pointCount(), 0);
    plus();
    ASSERT_EQ(messageCount(), 3u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("axialer Vorschub/Umdr.: '' ist kein gültiger Gleitkommawert."));
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("90"));
    EXPECT_EQ(dialogs->busyCalls, runs + 1);
    EXPECT_EQ(dialogs->busyDepth, 0);
    EXPECT_EQ(chart().pointCount(), 0);
    EXPECT_FALSE(control<QAction>("GrafikSpeichern1")->isEnabled());
}

}  // namespace
}  // namespace orbiton::ui::testing
