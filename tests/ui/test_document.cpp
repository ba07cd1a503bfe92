// The data set as a document: title and modified mark, the question before
// modified inputs are lost, the recent data sets, the remembered settings
// and the data set given at start.
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>

#include "test_files.h"

namespace orbiton::ui::testing {
namespace {

const QString closeQuestion = QStringLiteral("Die Eingaben wurden geändert. Sollen sie gespeichert werden?");

class Document : public FileWindowTest {
protected:
    QString title() const { return window->windowTitle(); }
    bool marked() const { return window->isWindowModified(); }
    void modify() { typeInto(control<QLineEdit>("Edit111"), QStringLiteral("90")); }
    QString saveFile(const QString& name)
    {
        choose(control<QAction>("Speichernunter1"), path(name));
        return path(name);
    }
    int closeQuestions() const
    {
        int count = 0;
        for (const ShownMessage& message : dialogs->messages)
            count += message.text == closeQuestion && message.buttons == Buttons::SaveDiscardCancel;
        return count;
    }
};

TEST_F(Document, TitleNamesTheDataSetAndMarksChangedInputsOnly)
{
    EXPECT_EQ(title(), QStringLiteral("Unbenannt[*] – Orbiton 2.9"));
    EXPECT_FALSE(marked());

    // A run, a page change and chart settings change no input.
    pressF9();
    w().selectPage(3);
    control<QListWidget>("ListBox421")->setCurrentRow(2);
    w().guarded([&] { w().ListBox421Click(); });
    control<TRadioGroup>("RadioGroup421")->button(1)->click();
    typeInto(control<QLineEdit>("Edit421"), QStringLiteral("5"));
    w().selectPage(0);
    EXPECT_FALSE(marked());

    // Every kind of input marks; typing the old text back unmarks.
    const std::function<void()> changes[] = {
        [&] { modify(); },
        [&] { typeInto(control<QComboBox>("ComboBox161"), QStringLiteral("360")); },
        [&] { control<TRadioGroup>("RadioGroup1")->button(1)->click(); },
        [&] { control<TRadioGroup>("RadioGroup101")->button(1)->click(); },
        [&] { w().guarded([&] { w().setControlText("Edit531", QStringLiteral("700")); }); },
        [&] { control<QCheckBox>("CheckBox513")->click(); },
    };
    for (std::size_t k = 0; k < std::size(changes); ++k) {
        SCOPED_TRACE(k);
        changes[k]();
        EXPECT_TRUE(marked());
        // Back to the unmodified state: save it, so the mark clears.
        saveFile(QStringLiteral("s%1.ads").arg(k));
        EXPECT_FALSE(marked());
        EXPECT_EQ(title(), QStringLiteral("s%1.ads[*] – Orbiton 2.9").arg(k));
    }
    typeInto(control<QLineEdit>("Edit111"), QStringLiteral("91"));
    EXPECT_TRUE(marked());
    typeInto(control<QLineEdit>("Edit111"), QStringLiteral("90"));
    EXPECT_FALSE(marked());

    // Opening names the file and clears the mark.
    writeBytes(path("other.ads"), crlfLines(defaultDataSetLines()));
    modify();
    dialogs->answers = {Answer::Discard};
    choose(control<QAction>("Oeffnen1"), path("other.ads"));
    EXPECT_EQ(title(), QStringLiteral("other.ads[*] – Orbiton 2.9"));
    EXPECT_FALSE(marked());
    modify();
    control<QAction>("Speichern1")->trigger();
    EXPECT_FALSE(marked());
}

// "Speichern unter" makes the chosen file current: a later "Speichern"
// writes there, never over the file opened before.
TEST_F(Document, SaveAsMakesTheChosenFileCurrent)
{
    const QByteArray original = crlfLines(defaultDataSetLines());
    writeBytes(path("a.ads"), original);
    choose(control<QAction>("Oeffnen1"), path("a.ads"));
    modify();
    saveFile(QStringLiteral("b.ads"));
    EXPECT_EQ(w().SaveDialog1.proposedName, path("b.ads"));
    typeInto(control<QLineEdit>("Edit112"), QStringLiteral("40"));
    control<QAction>("Speichern1")->trigger();
    EXPECT_EQ(readBytes(path("a.ads")), original);
    EXPECT_EQ(readBytes(path("b.ads")).split('\n').mid(0, 2), QList<QByteArray>({"90\r", "40\r"}));
    EXPECT_EQ(title(), QStringLiteral("b.ads[*] – Orbiton 2.9"));
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(Document, ClosingModifiedInputsAsksAndSavesOnlyWhenTold)
{
    struct Case {
        const char* name;
        Answer answer;
        QString saveAs;  // the save dialog's answer, empty: cancelled
        bool closes;
        bool written;
        int errors;
    };
    const Case cases[] = {
        {"Abbrechen", Answer::Cancel, {}, false, false, 0},
        {"Verwerfen", Answer::Discard, {}, true, false, 0},
        {"Speichern, Dialog abgebrochen", Answer::Save, {}, false, false, 0},
        {"Speichern misslingt", Answer::Save, QStringLiteral("fehlt/neu.ads"), false, false, 1},
        {"Speichern", Answer::Save, QStringLiteral("neu.ads"), true, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path(QStringLiteral("neu.ads")));
        w().show();
        modify();
        dialogs->messages.clear();
        dialogs->answers = {c.answer};
        dialogs->files = {c.saveAs.isEmpty() ? QString() : path(c.saveAs)};
        w().close();
        EXPECT_EQ(closeQuestions(), 1);
        EXPECT_EQ(w().isVisible(), !c.closes);
        EXPECT_EQ(QFile::exists(path(QStringLiteral("neu.ads"))), c.written);
        EXPECT_EQ(errorTexts().size(), c.errors);
        if (c.written) {
            // Saved: the next close asks nothing.
            w().show();
            dialogs->messages.clear();
            w().close();
            EXPECT_FALSE(w().isVisible());
            EXPECT_TRUE(dialogs->messages.empty());
        }
        typeInto(control<QLineEdit>("Edit111"), QStringLiteral("88"));
    }
}

TEST_F(Document, ExitAndOpeningAskBeforeModifiedInputsAreLost)
{
    // Unmodified, "Beenden" keeps its own question; modified, the save
    // question replaces it.
    modify();
    dialogs->answers = {Answer::Cancel};
    control<QAction>("Beenden1")->trigger();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().text, closeQuestion);
    EXPECT_TRUE(w().isVisible());

    // Opening over modified inputs: "Abbrechen" shows no open dialog and
    // keeps the inputs; "Verwerfen" opens.
    writeBytes(path("d.ads"), crlfLines(defaultDataSetLines()));
    dialogs->answers = {Answer::Cancel};
    choose(control<QAction>("Oeffnen1"), path("d.ads"));
    EXPECT_EQ(closeQuestions(), 2);
    EXPECT_TRUE(dialogs->fileDialogs.empty());
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("90"));
    dialogs->answers = {Answer::Discard};
    EXPECT_TRUE(w().FormCloseQuery());  // as at logout
    EXPECT_EQ(closeQuestions(), 3);
    dialogs->answers = {Answer::Discard};
    control<QAction>("Oeffnen1")->trigger();
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("88"));

    dialogs->messages.clear();
    dialogs->answers = {Answer::Ok};
    control<QAction>("Beenden1")->trigger();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Wollen Sie das Programm wirklich beenden"));
    EXPECT_FALSE(w().isVisible());
}

TEST_F(Document, RecentFilesNewestFirstAtMostEightMissingOnesRemoved)
{
    QMenu* menu = control<QMenu>("Zuletztgeoeffnet1");
    EXPECT_FALSE(menu->isEnabled());
    for (int k = 1; k <= 10; ++k) {
        writeBytes(path(QStringLiteral("f%1.ads").arg(k)), crlfLines(defaultDataSetLines()));
        if (k % 2)
            choose(control<QAction>("Oeffnen1"), path(QStringLiteral("f%1.ads").arg(k)));
        else
            saveFile(QStringLiteral("f%1.ads").arg(k));
    }
    // Opening one again moves it to the top.
    choose(control<QAction>("Oeffnen1"), path("f5.ads"));
    auto shown = [&] {
        QStringList texts;
        for (int k = 1; k <= 8; ++k) {
            auto* entry = control<QAction>(QStringLiteral("Zuletztgeoeffnet1_%1").arg(k).toStdString());
            if (entry->isVisible())
                texts << entry->text();
        }
        return texts;
    };
    EXPECT_EQ(shown(), QStringList({"&1 f5.ads", "&2 f10.ads", "&3 f9.ads", "&4 f8.ads", "&5 f7.ads", "&6 f6.ads",
                                    "&7 f4.ads", "&8 f3.ads"}));
    EXPECT_EQ(control<QAction>("Zuletztgeoeffnet1_2")->toolTip(), QDir::toNativeSeparators(folder.path()));
    EXPECT_TRUE(menu->isEnabled());

    // An entry opens its file; a missing one is refused and leaves the list.
    typeInto(control<QLineEdit>("Edit111"), QStringLiteral("90"));
    control<QAction>("Speichern1")->trigger();  // f5.ads now holds 90
    choose(control<QAction>("Oeffnen1"), path("f10.ads"));
    control<QAction>("Zuletztgeoeffnet1_2")->trigger();
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("90"));
    EXPECT_EQ(w().windowTitle(), QStringLiteral("f5.ads[*] – Orbiton 2.9"));
    QFile::remove(path("f9.ads"));
    dialogs->messages.clear();
    control<QAction>("Zuletztgeoeffnet1_3")->trigger();
    EXPECT_EQ(errorTexts(), QStringList{QStringLiteral("Kann Datei %1 nicht öffnen.").arg(path("f9.ads"))});
    EXPECT_EQ(shown(), QStringList({"&1 f5.ads", "&2 f10.ads", "&3 f8.ads", "&4 f7.ads", "&5 f6.ads", "&6 f4.ads",
                                    "&7 f3.ads"}));

    control<QAction>("Listeleeren1")->trigger();
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_TRUE(w().recentFiles().isEmpty());
    EXPECT_FALSE(menu->isEnabled());
}

TEST_F(Document, SettingsAreWrittenAndReadBackAndABadFileIsIgnored)
{
    const QString settingsFile = path("einstellungen/orbiton.conf");
    w().useSettings(std::make_unique<SettingsStore>(settingsFile));
    writeBytes(path("a.ads"), crlfLines(defaultDataSetLines()));
    QDir().mkdir(path("werkstoffe"));
    choose(control<QAction>("Oeffnen1"), path("a.ads"));
    choose(control<QAction>("Speichernunter2"), path("werkstoffe/w.wks"));
    w().resize(700, 500);
    w().close();
    ASSERT_FALSE(w().isVisible());

    auto restart = [&] {
        window.reset();
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        window = std::make_unique<TVersuch>(std::move(fake));
        return window->useSettings(std::make_unique<SettingsStore>(settingsFile));
    };
    EXPECT_TRUE(restart());
    EXPECT_EQ(w().size(), QSize(700, 500));
    EXPECT_EQ(w().recentFiles(), QStringList{path("a.ads")});
    EXPECT_EQ(w().OpenDialog1.folder, folder.path());
    EXPECT_EQ(w().SaveDialog2.folder, path("werkstoffe"));
    EXPECT_EQ(w().OpenDialog2.folder, QString());
    EXPECT_EQ(control<QAction>("Zuletztgeoeffnet1_1")->text(), QStringLiteral("&1 a.ads"));

    // Damaged or unreadable: the window starts as without settings.
    const QByteArray damaged[] = {QByteArray("\xff\xfe\0[Fenster\n=\x01\x02", 16),
                                  "[Fenster]\nGeometrie=kaputt\nZustand=@ByteArray(\\x\n"
                                  "[Ordner]\nOpenDialog1=@Variant(\\0\\0\\0\\x7f)\n"};
    for (const QByteArray& bytes : damaged) {
        SCOPED_TRACE(bytes.toStdString());
        writeBytes(settingsFile, bytes);
        EXPECT_FALSE(restart());
        EXPECT_TRUE(w().recentFiles().isEmpty());
        EXPECT_EQ(w().OpenDialog1.folder, QString());
        EXPECT_TRUE(dialogs->messages.empty());
    }
    QFile::remove(settingsFile);
    QDir().mkdir(settingsFile);  // a folder where the file should be: unreadable
    EXPECT_FALSE(restart());
    EXPECT_TRUE(w().recentFiles().isEmpty());
}

// What `orbiton DATEI.ads` does at start.
TEST_F(Document, DataSetGivenAtStartOpensOrLeavesTheDefaultsUntitled)
{
    w().guarded([&] { w().openDataSet(path("fehlt.ads")); });
    EXPECT_EQ(errorTexts(), QStringList{QStringLiteral("Kann Datei %1 nicht öffnen.").arg(path("fehlt.ads"))});
    EXPECT_EQ(w().windowTitle(), QStringLiteral("Unbenannt[*] – Orbiton 2.9"));
    EXPECT_FALSE(control<QAction>("Speichern1")->isEnabled());
    EXPECT_TRUE(w().recentFiles().isEmpty());

    QList<QByteArray> lines = defaultDataSetLines();
    lines[0] = "90";
    writeBytes(path("start.ads"), crlfLines(lines));
    w().guarded([&] { w().openDataSet(path("start.ads")); });
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("90"));
    EXPECT_EQ(w().windowTitle(), QStringLiteral("start.ads[*] – Orbiton 2.9"));
    EXPECT_FALSE(w().isWindowModified());
    EXPECT_EQ(w().recentFiles(), QStringList{path("start.ads")});
}

}  // namespace
}  // namespace orbiton::ui::testing
