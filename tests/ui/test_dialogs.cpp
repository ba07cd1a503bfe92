// The production dialogs: titles, texts, buttons, filters and extensions as
// the window hands them over. Each dialog is answered by a timer from
// inside its own event loop.
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "ui/dialogs.h"

namespace orbiton::ui::testing {
namespace {

// Runs `answer` on the modal dialog as soon as it is open; gives up (and
// closes every dialog) after a second so that nothing can block.
void whenModalOpens(std::function<void(QWidget*)> answer)
{
    auto* timer = new QTimer;
    int tries = 0;
    QObject::connect(timer, &QTimer::timeout, [timer, answer, tries]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        } else if (++tries > 100) {
            timer->stop();
            timer->deleteLater();
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(widget))
                    dialog->reject();
        }
    });
    timer->start(10);
}

QStringList buttonTexts(QMessageBox* box)
{
    QStringList texts;
    for (QAbstractButton* button : box->buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

TEST(ProductionDialogs, ConfirmationBoxHasTitleTextAndBothButtons)
{
    QtDialogs dialogs(nullptr);
    QString title, text;
    QStringList buttons;
    whenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        buttons = buttonTexts(box);
        for (QAbstractButton* button : box->buttons())
            if (button->text() == QStringLiteral("Abbrechen"))
                button->click();
    });
    const Answer answer = dialogs.message(MessageKind::Confirmation, QStringLiteral("Wollen Sie?"), Buttons::OkCancel);
    EXPECT_EQ(answer, Answer::Cancel);
    EXPECT_EQ(title, QStringLiteral("Bestätigen"));
    EXPECT_EQ(text, QStringLiteral("Wollen Sie?"));
    EXPECT_EQ(buttons, QStringList({"Abbrechen", "OK"}));
}

TEST(ProductionDialogs, StandardErrorBoxAppendsThePoint)
{
    QtDialogs dialogs(nullptr);
    QString title, text;
    QStringList buttons;
    whenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        buttons = buttonTexts(box);
        box->buttons().constFirst()->click();
    });
    dialogs.showError(QStringLiteral("Kann Datei a.ads nicht öffnen"));
    EXPECT_EQ(title, QStringLiteral("Orbiton 2.8"));
    EXPECT_EQ(text, QStringLiteral("Kann Datei a.ads nicht öffnen."));
    EXPECT_EQ(buttons, QStringList({"OK"}));
}

TEST(ProductionDialogs, SaveDialogHasTitleFilterAndDefaultExtension)
{
    QtDialogs dialogs(nullptr);
    QString title, suffix;
    QStringList filters;
    bool saving = false, confirmsOverwrite = false;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        suffix = dialog->defaultSuffix();
        filters = dialog->nameFilters();
        saving = dialog->acceptMode() == QFileDialog::AcceptSave;
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->reject();
    });
    const FileDialogSpec settings{QStringLiteral("Speichern des Tabelleninhalts"), QStringLiteral("Ergebnisdatensatz"),
                              QStringLiteral("*.eds"), QStringLiteral("eds"), QString()};
    EXPECT_FALSE(dialogs.saveFile(settings).has_value());
    EXPECT_EQ(title, QStringLiteral("Speichern des Tabelleninhalts"));
    EXPECT_EQ(suffix, QStringLiteral("eds"));
    EXPECT_EQ(filters, QStringList({"Ergebnisdatensatz (*.eds)"}));
    EXPECT_TRUE(saving);
    EXPECT_TRUE(confirmsOverwrite);
}

TEST(ProductionDialogs, BusyCursorIsRestoredByItsGuard)
{
    QtDialogs dialogs(nullptr);
    {
        BusyCursor busy(dialogs);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace orbiton::ui::testing
