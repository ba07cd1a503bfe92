#pragma once
// The window under test, shown and active on the offscreen platform, with
// scripted dialogs.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "fakedialogs.h"
#include "named.h"
#include "ui/tversuch.h"

namespace orbiton::ui::testing {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        window = std::make_unique<TVersuch>(std::move(fake));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void TearDown() override { window.reset(); }

    TVersuch& w() { return *window; }

    // The window's control, menu or menu entry of that object name, as the
    // given type. A name that is missing or of another type fails the test.
    template <class T>
    T* control(std::string_view name) const
    {
        return named<T>(*window, name);
    }

    // Puts the focus into the edit and replaces its text by typing.
    static void typeInto(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    static void typeInto(QComboBox* combo, const QString& text)
    {
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(combo->lineEdit(), text);
    }

    // Runs the window's F9 shortcut from wherever the focus is.
    void pressF9()
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, Qt::Key_F9);
    }

    std::size_t messageCount() const { return dialogs->messages.size(); }
    const ShownMessage& lastMessage() const { return dialogs->messages.back(); }

    FakeDialogs* dialogs = nullptr;
    std::unique_ptr<TVersuch> window;
};

}  // namespace orbiton::ui::testing
