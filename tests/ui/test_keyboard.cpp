// The window from the keyboard alone: the shortcuts of both menus from every
// kind of control, the page keys, the Tab order of every page, typed
// lengths, and the focus after a range warning.
#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>

#include <map>
#include <vector>

#include "model/fields.h"
#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

class Keyboard : public WindowTest {
protected:
    int pageOf(QWidget* widget)
    {
        for (int page = 0; page < 5; ++page)
            if (control<QWidget>(pages[page])->isAncestorOf(widget))
                return page;
        return control<QTabBar>("TabSet")->currentIndex();  // the tab set is on no page
    }

    // Gives the control the focus, on its page, as a click would.
    void focus(std::string_view name)
    {
        QWidget* target = control<QWidget>(name);
        w().guarded([&] { w().selectPage(pageOf(target)); });
        if (auto* group = qobject_cast<TRadioGroup*>(target))
            target = group->button(group->itemIndex());
        target->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(target->hasFocus()) << name;
    }

    // Keys go where the user's keys go: to the control that has the focus.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static void type(const char* text)
    {
        press(Qt::Key_A, Qt::ControlModifier);  // select all
        QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text));
    }

    // The named control that has the focus (an item of a radio group, the
    // edit of a combo box count as the group and the combo box).
    static QString focused()
    {
        for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget())
            if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
                return widget->objectName();
        return QString();
    }

    const char* const pages[5] = {"Eingabe", "Ergebnisse", "Ausgabe", "Grafik", "Optionen"};
};

TEST_F(Keyboard, ShortcutsOfBothMenusAndThePageKeysWorkFromEveryKindOfControl)
{
    // A current data set, so that "Speichern" is enabled; it lives in a
    // temporary folder. A run enables the channel list.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("versuch.ads"));
    dialogs->files = {file};
    control<QAction>("Speichernunter1")->trigger();
    dialogs->files = {file};
    control<QAction>("Oeffnen1")->trigger();
    ASSERT_TRUE(control<QAction>("Speichern1")->isEnabled());
    control<QPushButton>("Button101")->click();

    struct Shortcut {
        const char* action;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Shortcut shortcuts[] = {
        {"Oeffnen1", Qt::Key_O, Qt::ControlModifier},
        {"Speichern1", Qt::Key_S, Qt::ControlModifier},
        {"Speichernunter1", Qt::Key_U, Qt::ControlModifier},
        {"Beenden1", Qt::Key_F4, Qt::AltModifier},
        {"Berechnungstarten1", Qt::Key_F9, Qt::NoModifier},
        {"Parametervariation1", Qt::Key_P, Qt::ControlModifier},
        {"NaechsteSeite1", Qt::Key_Tab, Qt::ControlModifier},
        {"NaechsteSeite1", Qt::Key_PageDown, Qt::ControlModifier},
        {"VorherigeSeite1", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
        {"VorherigeSeite1", Qt::Key_PageUp, Qt::ControlModifier},
    };
    // One control of every kind: edit, editable and fixed combo box, file
    // list, radio group, check box, button, memo, grid, list box, tab set.
    const char* const controls[] = {"Edit111",       "ComboBox161", "ComboBox431", "FileListBox151",
                                    "RadioGroup101", "CheckBox511", "Button101",   "Memo1",
                                    "StringGrid311", "ListBox421",  "TabSet"};
    for (const char* name : controls) {
        for (const Shortcut& shortcut : shortcuts) {
            SCOPED_TRACE(std::string(name) + " " + shortcut.action);
            if (std::string_view(name) == "ComboBox431" && control<QWidget>("GroupBox430")->isHidden())
                control<QAction>("Parametervariation1")->trigger();
            focus(name);
            const bool hasText = std::string_view(name).starts_with("Edit") ||
                                 std::string_view(name).starts_with("ComboBox") || name == std::string_view("Memo1");
            const std::string before = hasText ? w().text(name) : std::string();
            QSignalSpy triggered(control<QAction>(shortcut.action), &QAction::triggered);
            dialogs->answers = {Answer::Cancel};  // "Beenden": the program stays
            press(shortcut.key, shortcut.modifiers);
            EXPECT_EQ(triggered.count(), 1);
            // The control keeps its text (a run empties the memo, as it should).
            if (hasText && !(shortcut.key == Qt::Key_F9 && name == std::string_view("Memo1"))) {
                EXPECT_EQ(w().text(name), before);
            }
        }
    }
    EXPECT_TRUE(w().isVisible());
}

TEST_F(Keyboard, PageKeysTurnThePagesThroughTheTabSetAndTakeNoKeyOfTheMenus)
{
    auto* tabSet = control<QTabBar>("TabSet");
    auto* notebook = control<QStackedWidget>("Notebook");
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int page;
    };
    const Step steps[] = {
        {Qt::Key_Tab, Qt::ControlModifier, 1},    {Qt::Key_PageDown, Qt::ControlModifier, 2},
        {Qt::Key_Tab, Qt::ControlModifier, 3},    {Qt::Key_PageDown, Qt::ControlModifier, 4},
        {Qt::Key_Tab, Qt::ControlModifier, 0},    {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 4},
        {Qt::Key_PageUp, Qt::ControlModifier, 3}, {Qt::Key_Right, Qt::NoModifier, 4},
        {Qt::Key_Left, Qt::NoModifier, 3},
    };
    focus("Edit111");
    for (const Step& step : steps) {
        press(step.key, step.modifiers);
        EXPECT_EQ(tabSet->currentIndex(), step.page);
        EXPECT_EQ(notebook->currentIndex(), step.page);
    }
    EXPECT_EQ(focused(), QStringLiteral("TabSet"));

    // A field that fails its check is not left: page and focus stay.
    focus("Edit111");
    type("0,5");
    press(Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Bohrungsdurchmesser muß größer als 1mm sein"));
    EXPECT_EQ(tabSet->currentIndex(), 0);
    EXPECT_EQ(focused(), QStringLiteral("Edit111"));

    // No key has two meanings.
    std::map<QString, QString> owners;
    for (QAction* action : w().findChildren<QAction*>())
        for (const QKeySequence& key : action->shortcuts())
            EXPECT_TRUE(owners.emplace(key.toString(), action->objectName()).second)
                << key.toString().toStdString() << ": " << owners[key.toString()].toStdString() << ", "
                << action->objectName().toStdString();
}

TEST_F(Keyboard, TabWalksEveryPageGroupByGroupAndReachesTheTabSet)
{
    // Everything that can take the focus is enabled and shown: a run and a
    // plotted channel, the rhombic insert, manual scaling, the variation.
    control<QPushButton>("Button101")->click();
    auto* channels = control<QListWidget>("ListBox421");
    QTest::mouseClick(channels->viewport(), Qt::LeftButton, {}, channels->visualItemRect(channels->item(10)).center());
    control<TRadioGroup>("RadioGroup1")->button(1)->click();
    control<TRadioGroup>("RadioGroup421")->button(1)->click();
    control<QAction>("Parametervariation1")->trigger();
    ASSERT_EQ(messageCount(), 0u);

    const std::vector<std::vector<const char*>> order = {
        {"Edit111", "Edit112",       "Edit113",     "Edit114", "Edit116",        "Edit141",  "Edit142",
         "Edit143", "RadioGroup101", "Edit121",     "Edit122", "Edit123",        "Edit124",  "Edit125",
         "Edit132", "RadioGroup1",   "ComboBox161", "Edit162", "FileListBox151", "Button101"},
        {"Button201", "Memo1"},
        {"StringGrid311"},
        {"ComboBox431", "Button431", "Edit432", "Button432", "Edit431", "ListBox421", "RadioGroup421", "Edit422",
         "Edit421", "Edit425", "Edit424", "Edit423", "Edit426"},
        {"Edit531",     "Edit532",     "Edit533", "Edit541", "Edit542",     "Edit543",     "CheckBox511", "CheckBox512",
         "CheckBox513", "CheckBox514", "Edit591", "Edit592", "Edit593",     "Edit594",     "Edit551",     "Edit552",
         "Edit553",     "Edit561",     "Edit562", "Edit563", "CheckBox521", "CheckBox522", "CheckBox523", "CheckBox524",
         "CheckBox525", "CheckBox526", "Edit581", "Edit582", "Edit583",     "Edit584",     "Edit585"},
    };
    for (const auto& page : order) {
        QStringList expected;
        for (const char* name : page)
            expected << QString::fromLatin1(name);
        expected << QStringLiteral("TabSet") << expected.first();
        focus(page.front());
        QStringList walked{focused()};
        while (walked.size() < expected.size()) {
            press(Qt::Key_Tab);
            walked << focused();
        }
        EXPECT_EQ(walked, expected);
    }
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(Keyboard, TypingStopsAtTheMaximumLengthOfEveryField)
{
    control<TRadioGroup>("RadioGroup1")->button(1)->click();    // rhombic: the inner angles
    control<TRadioGroup>("RadioGroup421")->button(1)->click();  // manual scaling: the scale fields
    control<QAction>("Parametervariation1")->trigger();
    for (const FieldSpec& field : numericFields()) {
        if (field.maxLength == 0)
            continue;
        SCOPED_TRACE(field.control);
        // The axial offset is a field of the rectangular insert.
        control<TRadioGroup>("RadioGroup1")->button(std::string_view(field.control) == "Edit115" ? 0 : 1)->click();
        focus(field.control);
        type("123456789");
        EXPECT_EQ(w().text(field.control),
                  std::string("123456789").substr(0, static_cast<std::size_t>(field.maxLength)));
        // Back to a text that passes, so that leaving the field warns of nothing.
        w().guarded([&] {
            w().setControlText(field.control, QString::fromUtf8(*field.defaultText ? field.defaultText : "1"));
        });
    }
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(Keyboard, OnlyTheFailedFieldLooksFocusedAfterARangeWarning)
{
    // The warning box takes the activation from the window while it is
    // open and gives it back to nobody, as without a window manager.
    QWidget box;
    dialogs->whileMessageShown = [&] {
        box.show();
        box.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
        box.hide();
    };
    focus("Edit111");
    type("0,5");
    press(Qt::Key_Tab);  // to Edit112, which selects its text on entry
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QApplication::processEvents();
    EXPECT_EQ(focused(), QStringLiteral("Edit111"));
    EXPECT_EQ(w().text("Edit111"), "88");
    for (QLineEdit* edit : w().findChildren<QLineEdit*>())
        EXPECT_FALSE(edit->hasSelectedText() && !edit->hasFocus()) << edit->objectName().toStdString();
}

}  // namespace
}  // namespace orbiton::ui::testing
