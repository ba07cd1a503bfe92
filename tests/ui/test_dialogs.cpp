// The production dialogs: titles, texts, buttons, filters and extensions as
// the window hands them over. Each dialog is answered by a timer from
// inside its own event loop.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

#include "ui/dialogs.h"
#include "ui/qttexts.h"

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

// A question with "OK" or, before deleting a file, "Löschen" besides
// "Abbrechen": only the first answers Ok.
TEST(ProductionDialogs, ConfirmationBoxHasTitleTextAndBothButtons)
{
    const struct {
        Buttons buttons;
        const char* accept;
        const char* press;
        Answer answer;
    } cases[] = {
        {Buttons::OkCancel, "OK", "Abbrechen", Answer::Cancel},
        {Buttons::OkCancel, "OK", "OK", Answer::Ok},
        {Buttons::DeleteCancel, "Löschen", "Abbrechen", Answer::Cancel},
        {Buttons::DeleteCancel, "Löschen", "Löschen", Answer::Ok},
        {Buttons::SaveDiscardCancel, "Speichern", "Speichern", Answer::Save},
        {Buttons::SaveDiscardCancel, "Speichern", "Verwerfen", Answer::Discard},
        {Buttons::SaveDiscardCancel, "Speichern", "Abbrechen", Answer::Cancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.press);
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
                if (button->text() == QString::fromUtf8(c.press))
                    button->click();
        });
        EXPECT_EQ(dialogs.message(MessageKind::Confirmation, QStringLiteral("Wollen Sie?"), c.buttons), c.answer);
        EXPECT_EQ(title, QStringLiteral("Bestätigen"));
        EXPECT_EQ(text, QStringLiteral("Wollen Sie?"));
        QStringList expected({QStringLiteral("Abbrechen"), QString::fromUtf8(c.accept)});
        if (c.buttons == Buttons::SaveDiscardCancel)
            expected << QStringLiteral("Verwerfen");
        expected.sort();
        EXPECT_EQ(buttons, expected);
    }
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
    EXPECT_EQ(title, QStringLiteral("Orbiton 2.9"));
    EXPECT_EQ(text, QStringLiteral("Kann Datei a.ads nicht öffnen."));
    EXPECT_EQ(buttons, QStringList({"OK"}));
}

// "Über Qt" shows Qt's own box and comes back to the information box; OK
// closes it.
TEST(ProductionDialogs, InformationBoxOffersQtsOwnBox)
{
    QtDialogs dialogs(nullptr);
    QStringList titles, buttons;
    QString text;
    auto press = [](QMessageBox* box, const QString& caption) {
        for (QAbstractButton* button : box->buttons())
            if (button->text() == caption)
                button->click();
    };
    whenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        titles << box->windowTitle();
        text = box->text();
        buttons = buttonTexts(box);
        whenModalOpens([&](QWidget* qtBox) {
            titles << qtBox->windowTitle();
            whenModalOpens([&](QWidget* again) {
                titles << again->windowTitle();
                press(qobject_cast<QMessageBox*>(again), QStringLiteral("OK"));
            });
            qobject_cast<QDialog*>(qtBox)->accept();
        });
        press(box, QStringLiteral("Über Qt"));
    });
    dialogs.about(QStringLiteral("Orbiton 2.9"));
    EXPECT_EQ(titles, QStringList({"Information", "Über Qt", "Information"}));
    EXPECT_EQ(text, QStringLiteral("Orbiton 2.9"));
    EXPECT_EQ(buttons, QStringList({"OK", "Über Qt"}));
}

TEST(ProductionDialogs, SaveDialogHasTitleFolderFiltersAndDefaultExtension)
{
    QtDialogs dialogs(nullptr);
    QString title, suffix, directory;
    QStringList filters;
    bool saving = false, confirmsOverwrite = false;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        directory = dialog->directory().absolutePath();
        suffix = dialog->defaultSuffix();
        filters = dialog->nameFilters();
        saving = dialog->acceptMode() == QFileDialog::AcceptSave;
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->reject();
    });
    const FileDialogSpec settings{QStringLiteral("Speichern des Tabelleninhalts"),
                                  QStringLiteral("Ergebnisdatensatz"),
                                  QStringLiteral("*.eds"),
                                  QStringLiteral("eds"),
                                  QString(),
                                  QDir::tempPath(),
                                  {{QStringLiteral("CSV-Tabelle"), QStringLiteral("*.csv"), QStringLiteral("csv")}}};
    EXPECT_FALSE(dialogs.saveFile(settings).has_value());
    EXPECT_EQ(title, QStringLiteral("Speichern des Tabelleninhalts"));
    EXPECT_EQ(directory, QDir::tempPath());  // the folder last used, as no name is proposed
    EXPECT_EQ(suffix, QStringLiteral("eds"));
    EXPECT_EQ(filters, QStringList({"Ergebnisdatensatz (*.eds)", "CSV-Tabelle (*.csv)"}));
    EXPECT_TRUE(saving);
    EXPECT_TRUE(confirmsOverwrite);
}

TEST(ProductionDialogs, ImageSizeStartsFromTheProposedSizeAndCancelGivesNothing)
{
    QtDialogs dialogs(nullptr);
    QStringList captions;
    QSize shown;
    bool accept = false;
    const auto answer = [&](QWidget* dialog) {
        captions = {dialog->windowTitle()};
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            captions << button->text();
        auto* width = dialog->findChild<QSpinBox*>(QStringLiteral("Breite"));
        auto* height = dialog->findChild<QSpinBox*>(QStringLiteral("Hoehe"));
        ASSERT_TRUE(width && height);
        shown = QSize(width->value(), height->value());
        width->setValue(1200);
        if (accept)
            static_cast<QDialog*>(dialog)->accept();
        else
            static_cast<QDialog*>(dialog)->reject();
    };
    whenModalOpens(answer);
    EXPECT_FALSE(dialogs.imageSize(QSize(450, 380)).has_value());
    EXPECT_EQ(shown, QSize(450, 380));
    EXPECT_EQ(captions, QStringList({"Größe der Grafik", "OK", "Abbrechen"}));
    accept = true;
    whenModalOpens(answer);
    EXPECT_EQ(dialogs.imageSize(QSize(640, 480)), QSize(1200, 480));
}

// Without a window manager a closed dialog hands the activation to nobody:
// the dialogs give it back to the window, so its keys work at once.
TEST(ProductionDialogs, WindowIsActiveAgainAfterEveryDialog)
{
    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QtDialogs dialogs(&window);
    const FileDialogSpec fileDialog{QStringLiteral("T"),
                                    QStringLiteral("Anfangsdatensatz"),
                                    QStringLiteral("*.ads"),
                                    QStringLiteral("ads"),
                                    QString(),
                                    QString(),
                                    {}};
    QPrinter printer;
    const std::pair<const char*, std::function<void()>> shows[] = {
        {"message", [&] { dialogs.message(MessageKind::Warning, QStringLiteral("W"), Buttons::Ok); }},
        {"question",
         [&] { dialogs.message(MessageKind::Confirmation, QStringLiteral("F"), Buttons::SaveDiscardCancel); }},
        {"about", [&] { dialogs.about(QStringLiteral("I")); }},
        {"open", [&] { dialogs.openFile(fileDialog); }},
        {"save", [&] { dialogs.saveFile(fileDialog); }},
        {"print", [&] { dialogs.print(printer); }},
    };
    for (const auto& [name, show] : shows) {
        SCOPED_TRACE(name);
        bool opened = false;
        whenModalOpens([&](QWidget* modal) {
            opened = true;
            static_cast<QDialog*>(modal)->reject();
        });
        show();
        EXPECT_TRUE(opened);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window, 1000));
    }
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

// Qt's German texts installed as the program installs them. Without them
// (qt6-translations-l10n missing) every test of this group fails.
class GermanQtTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        texts = loadQtGermanTexts();
        ASSERT_NE(texts, nullptr) << "Qt's German texts (qtbase_de.qm) are not installed";
        QApplication::installTranslator(texts.get());
    }
    void TearDown() override
    {
        if (texts)
            QApplication::removeTranslator(texts.get());
    }

    // Every caption the dialog shows: title, labels, buttons, group titles.
    static QStringList captions(QWidget* dialog)
    {
        QStringList all{dialog->windowTitle()};
        for (QLabel* label : dialog->findChildren<QLabel*>())
            all << label->text();
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            all << button->text();
        for (QGroupBox* group : dialog->findChildren<QGroupBox*>())
            all << group->title();
        return all;
    }
    static void expectGerman(const QStringList& shown, const QStringList& german, const QStringList& english)
    {
        for (const QString& text : german)
            EXPECT_TRUE(shown.contains(text)) << text.toStdString();
        for (const QString& text : english)
            EXPECT_FALSE(shown.contains(text)) << text.toStdString();
    }

    std::unique_ptr<QTranslator> texts;
};

TEST_F(GermanQtTexts, FileDialogsAndTheOverwriteQuestion)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("alt.ads"));
    QFile(existing).open(QIODevice::WriteOnly);
    QtDialogs dialogs(nullptr);
    QStringList fileDialog, question;
    bool qtOwnDialog = false;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        qtOwnDialog = dialog->testOption(QFileDialog::DontUseNativeDialog);
        fileDialog = captions(dialog);
        // The name chosen exists: the dialog asks before replacing it; "Nein" keeps it open.
        whenModalOpens([&](QWidget* box) {
            question = captions(box);
            for (QAbstractButton* button : qobject_cast<QMessageBox*>(box)->buttons())
                if (qobject_cast<QMessageBox*>(box)->buttonRole(button) == QMessageBox::NoRole)
                    button->click();
        });
        static_cast<QDialog*>(dialog)->accept();
        dialog->reject();
    });
    const FileDialogSpec settings{QStringLiteral("Speichern eines Anfangsdatensatzes"),
                                  QStringLiteral("Anfangsdatensatz"),
                                  QStringLiteral("*.ads"),
                                  QStringLiteral("ads"),
                                  existing,
                                  QString(),
                                  {}};
    EXPECT_FALSE(dialogs.saveFile(settings).has_value());
    EXPECT_TRUE(qtOwnDialog);
    expectGerman(fileDialog, {"Suchen in:", "Datei&name:", "Dateien des Typs:", "S&peichern", "Abbrechen"},
                 {"Look in:", "File &name:", "Files of type:", "&Save", "Cancel"});
    expectGerman(question, {"&Ja", "&Nein"}, {"&Yes", "&No"});
    EXPECT_TRUE(question.join(' ').contains(QStringLiteral("existiert bereits"))) << question.join('|').toStdString();
}

TEST_F(GermanQtTexts, PrintDialog)
{
    QtDialogs dialogs(nullptr);
    QStringList shown;
    whenModalOpens([&](QWidget* modal) {
        shown = captions(modal);
        qobject_cast<QDialog*>(modal)->reject();
    });
    QPrinter printer;
    EXPECT_FALSE(dialogs.print(printer));
    expectGerman(shown, {"Drucken", "Abbrechen"}, {"Print", "Cancel", "&Options >>"});
}

}  // namespace
}  // namespace orbiton::ui::testing
