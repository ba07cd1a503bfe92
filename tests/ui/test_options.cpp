// Insert shape and correction switches enable exactly their controls; the
// illustrations follow the mouse over their groups.
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QSvgWidget>

#include <map>
#include <set>

#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

class Options : public WindowTest {
protected:
    // Enabled state of every named control of the window.
    std::map<QString, bool> enabledStates()
    {
        std::map<QString, bool> states;
        for (QWidget* widget : w().findChildren<QWidget*>())
            if (!widget->objectName().isEmpty())
                states[widget->objectName()] = widget->isEnabled();
        return states;
    }
    // Names whose enabled state differs between two snapshots.
    static std::set<QString> changed(const std::map<QString, bool>& before, const std::map<QString, bool>& after)
    {
        std::set<QString> names;
        for (const auto& [name, enabled] : after)
            if (before.at(name) != enabled)
                names.insert(name);
        return names;
    }
    static std::set<QString> names(std::initializer_list<const char*> list)
    {
        std::set<QString> result;
        for (const char* name : list)
            result.insert(QString::fromLatin1(name));
        return result;
    }
};

const std::initializer_list<const char*> rhombicOnly = {"Label6", "Label16", "Label18", "Label126", "Edit123",
                                                        "Label7", "Label12", "Label21", "Label8",   "Edit124",
                                                        "Label1", "Label23", "Label2",  "Edit125"};
const std::initializer_list<const char*> rectangularOnly = {"Label115", "Label119", "Edit115"};

TEST_F(Options, InsertShapeSwitchesInnerEdgeAnglesAndAxialOffset)
{
    for (const char* name : rhombicOnly)
        EXPECT_FALSE(w().control(name)->isEnabled()) << name;
    for (const char* name : rectangularOnly)
        EXPECT_TRUE(w().control(name)->isEnabled()) << name;

    auto before = enabledStates();
    QTest::mouseClick(control<TRadioGroup>("RadioGroup1")->button(1), Qt::LeftButton);
    EXPECT_EQ(control<TRadioGroup>("RadioGroup1")->itemIndex(), 1);
    std::set<QString> expected = names(rhombicOnly);
    for (const char* name : rectangularOnly)
        expected.insert(QString::fromLatin1(name));
    EXPECT_EQ(changed(before, enabledStates()), expected);
    EXPECT_TRUE(control<QLineEdit>("Edit123")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("Edit115")->isEnabled());

    QTest::mouseClick(control<TRadioGroup>("RadioGroup1")->button(0), Qt::LeftButton);
    EXPECT_TRUE(changed(before, enabledStates()).empty());

    // No item selected changes nothing.
    w().guarded([&] { w().setItemIndex(control<TRadioGroup>("RadioGroup1"), -1); });
    EXPECT_EQ(control<TRadioGroup>("RadioGroup1")->itemIndex(), -1);
    EXPECT_FALSE(control<TRadioGroup>("RadioGroup1")->button(0)->isChecked());
    EXPECT_TRUE(changed(before, enabledStates()).empty());
}

TEST_F(Options, EachCorrectionSwitchEnablesExactlyItsControls)
{
    struct Case {
        QCheckBox* box;
        std::set<QString> controls;
    };
    const Case cases[] = {
        {control<QCheckBox>("CheckBox511"),
         names({"Label9", "Label10", "Label26", "Label13", "Label15", "Label27", "Edit591", "Edit592"})},
        {control<QCheckBox>("CheckBox512"),
         names({"Label20", "Label22", "Label24", "Label25", "Label28", "Label29", "Edit593", "Edit594"})},
        {control<QCheckBox>("CheckBox513"), {}},
        {control<QCheckBox>("CheckBox514"), {}},
        {control<QCheckBox>("CheckBox521"),
         names({"Label30", "Label31", "Label32", "Label35", "Label33", "Label34", "Edit581", "Edit582"})},
        {control<QCheckBox>("CheckBox522"),
         names({"Label36", "Label37", "Label38", "Label39", "Label40", "Label41", "Edit584", "Edit585"})},
        {control<QCheckBox>("CheckBox523"), {}},
        {control<QCheckBox>("CheckBox524"), names({"Label42", "Label43", "Edit583"})},
        {control<QCheckBox>("CheckBox525"), {}},
        {control<QCheckBox>("CheckBox526"), {}},
    };
    w().selectPage(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box->objectName().toStdString());
        EXPECT_TRUE(c.box->isChecked());
        const auto before = enabledStates();
        QTest::mouseClick(c.box, Qt::LeftButton);
        EXPECT_FALSE(c.box->isChecked());
        const auto after = enabledStates();
        EXPECT_EQ(changed(before, after), c.controls);
        for (const QString& name : c.controls)
            EXPECT_FALSE(after.at(name));
        // Set by the program, the switch runs the same handler.
        w().guarded([&] { w().setChecked(c.box, true); });
        EXPECT_TRUE(changed(before, enabledStates()).empty());
    }
}

TEST_F(Options, DisablingKeepsTheFieldText)
{
    w().selectPage(4);
    QTest::mouseClick(control<QCheckBox>("CheckBox524"), Qt::LeftButton);
    EXPECT_FALSE(control<QLineEdit>("Edit583")->isEnabled());
    EXPECT_EQ(control<QLineEdit>("Edit583")->text(), QStringLiteral("1,0"));
    EXPECT_EQ(w().text("Edit583"), "1,0");
    EXPECT_FALSE(w().isChecked("CheckBox524"));
}

TEST_F(Options, IllustrationFollowsTheMouseOverItsGroup)
{
    EXPECT_TRUE(control<QSvgWidget>("Image1")->isVisible());
    EXPECT_FALSE(control<QSvgWidget>("Image2")->isVisible());
    EXPECT_FALSE(control<QSvgWidget>("Image3")->isVisible());
    EXPECT_TRUE(control<QSvgWidget>("Image1")->renderer()->isValid());

    QTest::mouseMove(control<QGroupBox>("GroupBox120"), QPoint(240, 200));
    EXPECT_FALSE(control<QSvgWidget>("Image1")->isVisible());
    EXPECT_TRUE(control<QSvgWidget>("Image2")->isVisible());
    EXPECT_FALSE(control<QSvgWidget>("Image3")->isVisible());

    // Over a caption label of the group, as over the group itself.
    QWidget* label = w().control("Label131");
    QTest::mouseMove(label, QPoint(2, 2));
    EXPECT_TRUE(control<QSvgWidget>("Image3")->isVisible());
    EXPECT_FALSE(control<QSvgWidget>("Image2")->isVisible());

    QTest::mouseMove(control<QGroupBox>("GroupBox110"), QPoint(5, 205));
    EXPECT_TRUE(control<QSvgWidget>("Image1")->isVisible());
    EXPECT_FALSE(control<QSvgWidget>("Image3")->isVisible());
    for (QSvgWidget* image :
         {control<QSvgWidget>("Image1"), control<QSvgWidget>("Image2"), control<QSvgWidget>("Image3")}) {
        EXPECT_EQ(image->geometry(), QRect(589, 12, 200, 200));
        EXPECT_TRUE(image->renderer()->isValid()) << image->objectName().toStdString();
    }
}

}  // namespace
}  // namespace orbiton::ui::testing
