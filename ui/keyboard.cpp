// The window from the keyboard: the Tab order of every page, the page keys
// and the window's shortcuts, which win over what a control would do with
// the same keys.
#include <QAction>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTabBar>

#include <stdexcept>
#include <string>

#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {

// The Tab order of the pages: group by group, the groups of a column from
// top to bottom and the columns from left to right as the page is drawn;
// inside a group top to bottom, then left to right. Hidden and disabled
// controls are passed over; the tab set ends the chain.
// clang-format off
const char* const tabOrder[] = {
    // "Eingabe": Geometriedaten, Verfahrensparameter, Drehsinn; Winkel,
    // Wendeschneidplatten, Wendeschneidplattenform, Berechnungsparameter;
    // Material, Start.
    "Edit111", "Edit112", "Edit113", "Edit114", "Edit115", "Edit116", "Edit141", "Edit142", "Edit143",
    "RadioGroup101", "Edit121", "Edit122", "Edit123", "Edit124", "Edit125", "Edit132", "RadioGroup1",
    "ComboBox161", "Edit162", "FileListBox151", "Button101",
    // "Ergebnisse" and "Ausgabe"
    "Button201", "Memo1", "StringGrid311",
    // "Grafik": the chart with the parameter variation below it; channel
    // list, scaling and the scale fields of the Y and then the X axis.
    "ComboBox431", "Button431", "Edit432", "Button432", "Edit431", "ListBox421", "RadioGroup421", "Edit422",
    "Edit421", "Edit425", "Edit424", "Edit423", "Edit426",
    // "Optionen": Schnittkraft, then Vorschubkraft, each left to right.
    "Edit531", "Edit532", "Edit533", "Edit541", "Edit542", "Edit543", "CheckBox511", "CheckBox512",
    "CheckBox513", "CheckBox514", "Edit591", "Edit592", "Edit593", "Edit594", "Edit551", "Edit552", "Edit553",
    "Edit561", "Edit562", "Edit563", "CheckBox521", "CheckBox522", "CheckBox523", "CheckBox524",
    "CheckBox525", "CheckBox526", "Edit581", "Edit582", "Edit583", "Edit584", "Edit585",
    "TabSet",
};
// clang-format on

QAction* addPageKeys(TVersuch* window, const char* name, std::initializer_list<QKeyCombination> keys)
{
    auto* action = new QAction(window);
    action->setObjectName(QString::fromLatin1(name));
    QList<QKeySequence> shortcuts;
    for (QKeyCombination key : keys)
        shortcuts << QKeySequence(key);
    action->setShortcuts(shortcuts);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

}  // namespace

void TVersuch::setUpKeyboard()
{
    // A radio group is one stop: Tab enters its selected item, the arrow
    // keys choose.
    QWidget* previous = nullptr;
    for (const char* name : tabOrder) {
        QWidget* widget = control(name);
        if (!widget)
            throw std::logic_error(std::string("Tab-Reihenfolge: unbekanntes Steuerelement ") + name);
        auto* group = qobject_cast<TRadioGroup*>(widget);
        const int stops = group ? group->count() : 1;
        for (int i = 0; i < stops; ++i) {
            QWidget* stop = group ? static_cast<QWidget*>(group->button(i)) : widget;
            if (previous)
                setTabOrder(previous, stop);
            previous = stop;
        }
    }

    // Page keys: they switch pages through the tab set, like a click on a tab.
    NaechsteSeite1 = addPageKeys(
        this, "NaechsteSeite1",
        {QKeyCombination(Qt::ControlModifier, Qt::Key_Tab), QKeyCombination(Qt::ControlModifier, Qt::Key_PageDown)});
    VorherigeSeite1 = addPageKeys(this, "VorherigeSeite1",
                                  {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Tab),
                                   QKeyCombination(Qt::ControlModifier, Qt::Key_PageUp)});
    bind(NaechsteSeite1, &QAction::triggered, &TVersuch::NaechsteSeite1Click);
    bind(VorherigeSeite1, &QAction::triggered, &TVersuch::VorherigeSeite1Click);
}

void TVersuch::NaechsteSeite1Click() { turnPage(+1); }

void TVersuch::VorherigeSeite1Click() { turnPage(-1); }

void TVersuch::turnPage(int direction)
{
    // The tab set takes the focus first, as on a click, so that the field
    // being left is checked; a failed check keeps the user in the field.
    TabSet->setFocus(Qt::ShortcutFocusReason);
    if (!TabSet->hasFocus())
        return;
    const int count = TabSet->count();
    selectPage((TabSet->currentIndex() + direction + count) % count);
}

bool TVersuch::isWindowShortcut(const QKeyEvent& key) const
{
    QKeyCombination pressed = key.keyCombination();
    // Shift+Tab arrives as Backtab.
    if (pressed.key() == Qt::Key_Backtab)
        pressed = QKeyCombination(pressed.keyboardModifiers() | Qt::ShiftModifier, Qt::Key_Tab);
    pressed = QKeyCombination(pressed.keyboardModifiers() & ~Qt::KeypadModifier, pressed.key());
    for (const QAction* action : findChildren<QAction*>())
        for (const QKeySequence& shortcut : action->shortcuts())
            if (shortcut.count() == 1 && shortcut[0] == pressed)
                return true;
    return false;
}

}  // namespace orbiton::ui
