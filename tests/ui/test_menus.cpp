// Menus and shortcuts, the context menu, the delete and exit commands with
// their confirmations, the user guide, the information box and the icon.
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <utility>

#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

class Menus : public WindowTest {};

TEST_F(Menus, EntriesShortcutsAndInitialStates)
{
    struct Entry {
        QAction* action;
        const char* caption;
        QKeySequence shortcut;
        bool enabled;
    };
    const Entry entries[] = {
        {control<QAction>("Oeffnen1"), "Ö&ffnen...", QKeySequence(QStringLiteral("Ctrl+O")), true},
        {control<QAction>("Speichern1"), "&Speichern", QKeySequence(QStringLiteral("Ctrl+S")), false},
        {control<QAction>("Speichernunter1"), "Speichern &unter...", QKeySequence(QStringLiteral("Ctrl+U")), true},
        {control<QAction>("Loeschen2"), "&Löschen...", QKeySequence(), true},
        {control<QAction>("Beenden1"), "&Beenden", QKeySequence(QStringLiteral("Alt+F4")), true},
        {control<QAction>("Tabelleninhaltspeichern1"), "Tabelleninhalt &speichern...", QKeySequence(), false},
        {control<QAction>("GrafikSpeichern1"), "Grafik s&peichern...", QKeySequence(), false},
        {control<QAction>("Grafikdrucken1"), "Grafik &drucken...", QKeySequence(), false},
        {control<QAction>("Oeffnen2"), "Ö&ffnen...", QKeySequence(), true},
        {control<QAction>("Speichernunter2"), "&Speichern unter...", QKeySequence(), true},
        {control<QAction>("NeuausKennwerten1"), "&Neu aus Kennwerten…", QKeySequence(), true},
        {control<QAction>("AusMessungen1"), "Aus &Messungen bestimmen…", QKeySequence(), true},
        {control<QAction>("Loeschen1"), "&Löschen...", QKeySequence(), true},
        {control<QAction>("Benutzerhandbuch1"), "&Benutzerhandbuch", QKeySequence(Qt::Key_F1), true},
        {control<QAction>("Info1"), "&Info...", QKeySequence(), true},
        {control<QAction>("Berechnungstarten1"), "Be&rechnung starten", QKeySequence(Qt::Key_F9), true},
        {control<QAction>("Parametervariation1"), "&Parametervariation", QKeySequence(QStringLiteral("Ctrl+P")), true},
        {control<QAction>("Beenden2"), "Beenden", QKeySequence(), true},
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.action->objectName().toStdString());
        EXPECT_EQ(e.action->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(e.action->shortcut(), e.shortcut);
        EXPECT_EQ(e.action->isEnabled(), e.enabled);
    }
    QStringList menus;
    for (QAction* action : control<QMenuBar>("MainMenu1")->actions())
        menus << action->text();
    EXPECT_EQ(menus, QStringList({"&Datei", "&Bearbeiten", "&Werkstoffdatei", "&?"}));
    QStringList help;
    for (QAction* action : control<QMenu>("Hilfe1")->actions())
        help << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(help, QStringList({"&Benutzerhandbuch", "-", "&Info..."}));
    QStringList popup;
    for (QAction* action : control<QMenu>("PopupMenu1")->actions())
        popup << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(popup, QStringList({"Be&rechnung starten", "-", "&Parametervariation", "-", "Beenden"}));
}

TEST_F(Menus, OpeningAMenuSelectsItsPageEvenWithoutAChoice)
{
    w().selectPage(2);
    EXPECT_EQ(control<QStackedWidget>("Notebook")->currentIndex(), 2);
    control<QMenu>("Werkstoffdatei1")->popup(QPoint(0, 0));
    control<QMenu>("Werkstoffdatei1")->hide();
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 4);
    EXPECT_EQ(control<QStackedWidget>("Notebook")->currentIndex(), 4);
    control<QMenu>("Datei1")->popup(QPoint(0, 0));
    control<QMenu>("Datei1")->hide();
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 0);
    EXPECT_EQ(control<QStackedWidget>("Notebook")->currentIndex(), 0);
}

TEST_F(Menus, TabsSwitchThePages)
{
    ASSERT_EQ(control<QTabBar>("TabSet")->count(), 5);
    const char* captions[] = {"Eingabe", "Ergebnisse", "Ausgabe", "Grafik", "Optionen"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(control<QTabBar>("TabSet")->tabText(i), QString::fromLatin1(captions[i]));
        QTest::mouseClick(control<QTabBar>("TabSet"), Qt::LeftButton, {},
                          control<QTabBar>("TabSet")->tabRect(i).center());
        EXPECT_EQ(control<QStackedWidget>("Notebook")->currentWidget()->objectName(), QString::fromLatin1(captions[i]));
    }
}

TEST_F(Menus, F9RunsFromEveryPageAndEveryControl)
{
    w().selectPage(4);
    control<QLineEdit>("Edit531")->setFocus();
    QTest::keyClick(control<QLineEdit>("Edit531"), Qt::Key_F9);
    EXPECT_EQ(dialogs->busyCalls, 1);
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 4);
    w().selectPage(1);
    control<QPlainTextEdit>("Memo1")->setFocus();
    QTest::keyClick(control<QPlainTextEdit>("Memo1"), Qt::Key_F9);
    EXPECT_EQ(dialogs->busyCalls, 2);
    control<QAction>("Berechnungstarten1")->trigger();
    EXPECT_EQ(dialogs->busyCalls, 3);
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(Menus, RightButtonOpensTheContextMenuAnywhereOnTheWindow)
{
    QWidget* shown = nullptr;
    // Closes whatever popup is open once the menu's own event loop runs.
    QTimer::singleShot(0, [&] {
        shown = QApplication::activePopupWidget();
        if (shown)
            shown->close();
    });
    QWidget* label = w().control("Label113");
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(label, &event);
    QApplication::processEvents();
    EXPECT_EQ(shown, control<QMenu>("PopupMenu1"));
}

TEST_F(Menus, MenuShortcutsWorkWhileAnEditHasTheFocus)
{
    QSignalSpy saveAs(control<QAction>("Speichernunter1"), &QAction::triggered);
    control<QLineEdit>("Edit111")->setFocus();
    QTest::keyClick(control<QLineEdit>("Edit111"), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(saveAs.count(), 1);
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("88"));

    dialogs->answers = {Answer::Cancel};
    QTest::keyClick(control<QLineEdit>("Edit111"), Qt::Key_F4, Qt::AltModifier);
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Wollen Sie das Programm wirklich beenden"));
    EXPECT_TRUE(w().isVisible());
}

class FileDeletion : public Menus {
protected:
    QString makeFile(const char* name)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x\r\n");
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(FileDeletion, DeletesOnlyAfterConfirmation)
{
    const QString path = makeFile("alt.ads");
    dialogs->files = {path};
    dialogs->answers = {Answer::Cancel};
    control<QAction>("Loeschen2")->trigger();
    EXPECT_TRUE(QFile::exists(path));
    ASSERT_EQ(dialogs->fileDialogs.size(), 1u);
    const FileDialogSpec& settings = dialogs->fileDialogs[0].settings;
    EXPECT_FALSE(dialogs->fileDialogs[0].save);
    EXPECT_EQ(settings.title, QStringLiteral("Löschen eines Anfangsdatensatzes"));
    EXPECT_EQ(settings.filterDescription, QStringLiteral("Anfangsdatensatz"));
    EXPECT_EQ(settings.filterPattern, QStringLiteral("*.ads"));
    EXPECT_EQ(settings.defaultExtension, QStringLiteral("ads"));
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::Confirmation);
    EXPECT_EQ(lastMessage().buttons, Buttons::DeleteCancel);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Wollen Sie die Datei „alt.ads“ wirklich löschen?"));

    dialogs->files = {path};
    dialogs->answers = {Answer::Ok};
    control<QAction>("Loeschen2")->trigger();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(messageCount(), 2u);
}

TEST_F(FileDeletion, MaterialFilesUseTheirOwnDialogAndCancelAsksNothing)
{
    const QString path = makeFile("Stahl.wks");
    control<QAction>("Loeschen1")->trigger();  // dialog cancelled
    EXPECT_EQ(messageCount(), 0u);
    ASSERT_EQ(dialogs->fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs->fileDialogs[0].settings.title, QStringLiteral("Löschen einer Werkstoffdatei"));
    EXPECT_EQ(dialogs->fileDialogs[0].settings.filterPattern, QStringLiteral("*.wks"));

    dialogs->files = {path};
    control<QAction>("Loeschen1")->trigger();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(FileDeletion, FileThatCannotBeDeletedIsReported)
{
    const QString path = dir.filePath(QStringLiteral("fehlt.ads"));
    dialogs->files = {path};
    control<QAction>("Loeschen2")->trigger();
    ASSERT_EQ(messageCount(), 2u);
    EXPECT_EQ(lastMessage().kind, MessageKind::StandardError);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Kann Datei %1 nicht löschen.").arg(path));
}

TEST_F(Menus, ExitAsksAndClosesOnlyOnOk)
{
    dialogs->answers = {Answer::Cancel};
    control<QAction>("Beenden1")->trigger();
    EXPECT_TRUE(w().isVisible());
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::Confirmation);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Wollen Sie das Programm wirklich beenden"));

    dialogs->answers = {Answer::Cancel};
    control<QAction>("Beenden2")->trigger();
    EXPECT_TRUE(w().isVisible());
    EXPECT_EQ(messageCount(), 2u);

    dialogs->answers = {Answer::Ok};
    control<QAction>("Beenden2")->trigger();
    EXPECT_FALSE(w().isVisible());
}

TEST_F(Menus, ClosingThroughTheFrameAsksNothing)
{
    w().close();
    EXPECT_FALSE(w().isVisible());
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(Menus, InfoShowsVersionAndLicence)
{
    control<QAction>("Info1")->trigger();
    EXPECT_EQ(messageCount(), 0u);
    ASSERT_EQ(dialogs->abouts.size(), 1u);
    const QStringList lines = dialogs->abouts[0].split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(0), QStringLiteral("Orbiton 2.9 – Simulation des Zirkularfräsens einer Bohrung"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Version 2.9")));
    EXPECT_TRUE(dialogs->abouts[0].contains(QStringLiteral("(GPL-3.0-or-later)")));
    EXPECT_EQ(titleOf(MessageKind::Information), QStringLiteral("Information"));
    EXPECT_EQ(titleOf(MessageKind::Warning), QStringLiteral("Warnung"));
    EXPECT_EQ(titleOf(MessageKind::Error), QStringLiteral("Fehler"));
    EXPECT_EQ(titleOf(MessageKind::Confirmation), QStringLiteral("Bestätigen"));
    EXPECT_EQ(titleOf(MessageKind::StandardError), QStringLiteral("Orbiton 2.9"));
}

// The guide opens in the browser from the menu and with F1 from any field;
// the tests' browser only records the page.
class Guide : public Menus {
protected:
    class ScriptedGuide : public ui::UserGuide {
    public:
        using ui::UserGuide::UserGuide;
        bool open(const QUrl& page) override
        {
            opened.push_back(page);
            return browserAnswer;
        }
        std::vector<QUrl> opened;
        bool browserAnswer = true;
    };

    // A guide at the second of two places, the first one missing.
    ScriptedGuide& installGuide(bool present)
    {
        const QString page = dir.filePath(QStringLiteral("docs/handbuch.html"));
        if (present) {
            QDir(dir.path()).mkpath(QStringLiteral("docs"));
            QFile file(page);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
        auto guide = std::make_unique<ScriptedGuide>(
            QStringList{dir.filePath(QStringLiteral("share/doc/orbiton/handbuch.html")), page});
        ScriptedGuide& scripted = *guide;
        w().setUserGuide(std::move(guide));
        return scripted;
    }
    QTemporaryDir dir;
};

TEST_F(Guide, MenuAndF1OpenTheGuideInTheBrowser)
{
    ScriptedGuide& guide = installGuide(true);
    const QUrl page = QUrl::fromLocalFile(dir.filePath(QStringLiteral("docs/handbuch.html")));
    control<QAction>("Benutzerhandbuch1")->trigger();
    w().selectPage(4);
    control<QLineEdit>("Edit531")->setFocus();
    QTest::keyClick(control<QLineEdit>("Edit531"), Qt::Key_F1);
    EXPECT_EQ(guide.opened, std::vector<QUrl>({page, page}));
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(Guide, MissingGuideOrBrowserIsReported)
{
    struct Case {
        bool present;
        bool browserAnswer;
        std::size_t opened;
        const char* message;  // %1: the first place looked at, %2: the page
    };
    const Case cases[] = {
        {false, true, 0, "Das Benutzerhandbuch fehlt: Es ist nicht unter %1 installiert."},
        {true, false, 1,
         "Das Benutzerhandbuch %2 kann nicht angezeigt werden: Es ist kein Programm zum Anzeigen von HTML-Seiten "
         "eingerichtet."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ScriptedGuide& guide = installGuide(c.present);
        guide.browserAnswer = c.browserAnswer;
        dialogs->messages.clear();
        control<QAction>("Benutzerhandbuch1")->trigger();
        EXPECT_EQ(guide.opened.size(), c.opened);
        ASSERT_EQ(messageCount(), 1u);
        EXPECT_EQ(lastMessage().kind, MessageKind::StandardError);
        EXPECT_EQ(lastMessage().text,
                  QString::fromUtf8(c.message)
                      .replace(QStringLiteral("%1"), dir.filePath(QStringLiteral("share/doc/orbiton/handbuch.html")))
                      .replace(QStringLiteral("%2"), dir.filePath(QStringLiteral("docs/handbuch.html"))));
    }
}

// Installed, the guide lies in share/doc/orbiton/ beside the program's bin/;
// a program in the build tree finds the page rendered there. A folder of the
// guide's name is no guide.
TEST_F(Guide, IsFoundBesideTheProgram)
{
    EXPECT_EQ(ui::UserGuide::besideProgram(QStringLiteral("/opt/x/bin"))->locations().value(0),
              QStringLiteral("/opt/x/share/doc/orbiton/handbuch.html"));
    const QString built = QCoreApplication::applicationDirPath() + QStringLiteral("/../../app/orbiton");
    EXPECT_TRUE(ui::UserGuide::besideProgram(built)->page().endsWith(QStringLiteral("/docs/handbuch.html")));

    QDir(dir.path()).mkpath(QStringLiteral("bin"));
    QDir(dir.path()).mkpath(QStringLiteral("share/doc/orbiton/handbuch.html"));
    EXPECT_EQ(ui::UserGuide::besideProgram(dir.filePath(QStringLiteral("bin")))->page(), QString());
}

TEST_F(Menus, WindowCarriesTheProgramIcon)
{
    const QImage icon = w().windowIcon().pixmap(64, 64).toImage();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);      // the rounded corner
    EXPECT_EQ(icon.pixelColor(32, 32).alpha(), 255);  // the bore
}

// A right click anywhere opens the window's own menu, also where a control
// has a menu of its own (edits, the memo, the grid).
TEST_F(Menus, RightClickOnEveryKindOfControlOpensTheWindowsMenu)
{
    struct Target {
        int page;
        const char* control;
        QWidget* (*part)(QWidget*);  // the part under the mouse
    };
    auto itself = [](QWidget* control) { return control; };
    auto viewport = [](QWidget* control) {
        return static_cast<QWidget*>(qobject_cast<QAbstractScrollArea*>(control)->viewport());
    };
    auto comboEdit = [](QWidget* control) {
        return static_cast<QWidget*>(qobject_cast<QComboBox*>(control)->lineEdit());
    };
    auto chartView = [](QWidget* control) { return control->findChild<QAbstractScrollArea*>()->viewport(); };
    const Target targets[] = {
        {0, "Label113", itself},       {0, "Edit111", itself},          {0, "Edit151", itself},
        {0, "ComboBox161", comboEdit}, {0, "FileListBox151", viewport}, {0, "Button101", itself},
        {0, "GroupBox110", itself},    {1, "Memo1", viewport},          {2, "StringGrid311", viewport},
        {3, "ListBox421", viewport},   {3, "Chart411", chartView},      {3, "Edit421", itself},
        {4, "CheckBox511", itself},    {4, "TabSet", itself},
    };
    // A control's own menu would wait in its own event loop: closed from there.
    QMenu* popupMenu = control<QMenu>("PopupMenu1");
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (QWidget* popup = QApplication::activePopupWidget(); popup && popup != popupMenu)
            popup->close();
    });
    guard.start(200);
    for (const Target& target : targets) {
        SCOPED_TRACE(target.control);
        w().selectPage(target.page);
        QWidget* part = target.part(control<QWidget>(target.control));
        // Through the window, as the window system delivers it.
        QTest::mouseClick(w().windowHandle(), Qt::RightButton, {}, part->mapTo(window.get(), QPoint(4, 4)));
        EXPECT_EQ(QApplication::activePopupWidget(), popupMenu);
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }
    EXPECT_EQ(dialogs->busyCalls, 0);  // no entry was chosen by the release
}

}  // namespace
}  // namespace orbiton::ui::testing
