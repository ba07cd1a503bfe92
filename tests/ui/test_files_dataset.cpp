// Initial data sets through the menu "Datei": the default file, round
// trips, line ends, index and switch values, broken files, a missing
// material file, the current data set name, and saves that fail.
#include <QFileInfo>
#include <QRadioButton>

#include <sys/stat.h>

#include "test_files.h"

namespace orbiton::ui::testing {
namespace {

class DataSets : public FileWindowTest {
protected:
    void set(const char* control, const char* text)
    {
        w().guarded([&] { w().setControlText(control, QString::fromUtf8(text)); });
    }
    void check(const char* box, bool on) { w().findChild<QCheckBox*>(QString::fromLatin1(box))->setChecked(on); }

    // Inputs on both pages, both radio groups and four switches away from
    // the defaults.
    void changeInputs()
    {
        for (auto [control, text] : {std::pair{"Edit111", "90"},
                                     {"Edit112", "40,5"},
                                     {"Edit113", "3"},
                                     {"Edit116", "0,15"},
                                     {"Edit132", "12"},
                                     {"ComboBox161", "360"},
                                     {"Edit162", "2"},
                                     {"Edit531", "700"},
                                     {"Edit583", "1,2"},
                                     {"Edit594", "5"}})
            set(control, text);
        control<TRadioGroup>("RadioGroup1")->button(1)->click();
        control<TRadioGroup>("RadioGroup101")->button(1)->click();
        for (const char* box : {"CheckBox511", "CheckBox513", "CheckBox522", "CheckBox526"})
            check(box, false);
    }

    // Writes a data set and opens it through the menu.
    void open(const QString& name, const QByteArray& bytes)
    {
        writeBytes(path(name), bytes);
        choose(control<QAction>("Oeffnen1"), path(name));
    }

    static QByteArray withLine(int line, const QByteArray& text)
    {
        QList<QByteArray> lines = defaultDataSetLines();
        lines[line - 1] = text;
        return crlfLines(lines);
    }
};

TEST_F(DataSets, DefaultStateSavesTheListedLinesByteForByte)
{
    choose(control<QAction>("Speichernunter1"), QString());  // cancelled: nothing happens
    EXPECT_FALSE(QFile::exists(path("start.ads")));

    choose(control<QAction>("Speichernunter1"), path("start.ads"));
    EXPECT_TRUE(dialogs->messages.empty());
    EXPECT_EQ(readBytes(path("start.ads")), crlfLines(defaultDataSetLines()));
    ASSERT_EQ(dialogs->fileDialogs.size(), 2u);
    EXPECT_TRUE(dialogs->fileDialogs.back().save);
    EXPECT_EQ(dialogs->fileDialogs.back().settings.title, QStringLiteral("Speichern eines Anfangsdatensatzes"));
    // Saving as makes the file the current data set.
    EXPECT_TRUE(control<QAction>("Speichern1")->isEnabled());
    EXPECT_EQ(w().SaveDialog1.proposedName, path("start.ads"));
}

TEST_F(DataSets, SaveThenOpenRestoresEveryControlAndSavesTheSameBytes)
{
    changeInputs();
    const auto saved = controlState();
    choose(control<QAction>("Speichernunter1"), path("a.ads"));
    const QByteArray written = readBytes(path("a.ads"));
    const QList<QByteArray> lines = written.split('\n');
    ASSERT_EQ(lines.size(), 52);  // 51 lines, each ended by CR LF
    EXPECT_EQ(lines[0], "90\r");
    EXPECT_EQ(lines[16], "360\r");
    EXPECT_EQ(lines[18], "1\r");
    EXPECT_EQ(lines[19], "1\r");
    EXPECT_EQ(lines[41], "0\r");
    EXPECT_EQ(lines[42], "1\r");

    open(QStringLiteral("default.ads"), crlfLines(defaultDataSetLines()));
    ASSERT_NE(controlState(), saved);
    choose(control<QAction>("Oeffnen1"), path("a.ads"));
    EXPECT_EQ(controlState(), saved);
    EXPECT_TRUE(dialogs->messages.empty());
    EXPECT_TRUE(control<QAction>("Speichern1")->isEnabled());
    EXPECT_EQ(w().SaveDialog1.proposedName, path("a.ads"));

    control<QAction>("Speichern1")->trigger();
    EXPECT_EQ(readBytes(path("a.ads")), written);
}

TEST_F(DataSets, LfAndLoneCrLineEndsReadLikeCrLf)
{
    QList<QByteArray> lines = defaultDataSetLines();
    lines[0] = "90";
    lines[18] = "1";
    lines[41] = "0";
    open(QStringLiteral("crlf.ads"), crlfLines(lines));
    const auto expected = controlState();
    ASSERT_EQ(expected.at("Edit111"), "90 on");

    for (const char* end : {"\n", "\r"}) {
        SCOPED_TRACE(end[0] == '\n' ? "LF" : "CR");
        open(QStringLiteral("default.ads"), crlfLines(defaultDataSetLines()));
        ASSERT_NE(controlState(), expected);
        open(QStringLiteral("other.ads"), lines.join(end));  // the last line without an end
        EXPECT_EQ(controlState(), expected);
    }
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(DataSets, IndexesAreClampedAndAnyNonZeroSwitchIsOn)
{
    check("CheckBox511", false);
    ASSERT_FALSE(control<QLineEdit>("Edit591")->isEnabled());
    QList<QByteArray> lines = defaultDataSetLines();
    lines[18] = "5";
    lines[19] = "7";
    lines[41] = "2";
    open(QStringLiteral("high.ads"), crlfLines(lines));
    EXPECT_EQ(control<TRadioGroup>("RadioGroup1")->itemIndex(), 1);  // "rhombisch"
    EXPECT_EQ(control<TRadioGroup>("RadioGroup101")->itemIndex(), 1);
    EXPECT_TRUE(control<QCheckBox>("CheckBox511")->isChecked());
    // The click handlers ran: rhombic angles on, the axial offset off.
    EXPECT_TRUE(control<QLineEdit>("Edit123")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("Edit115")->isEnabled());
    EXPECT_TRUE(control<QLineEdit>("Edit591")->isEnabled());
    EXPECT_EQ(w().parameters().millingDirection, -1);
    w().guarded([&] { w().Button101Click(); });
    EXPECT_EQ(w().parameters().insertShape, "rhombus");

    lines[18] = "-3";
    lines[19] = "-9";
    open(QStringLiteral("low.ads"), crlfLines(lines));
    EXPECT_EQ(control<TRadioGroup>("RadioGroup1")->itemIndex(), -1);
    EXPECT_EQ(control<TRadioGroup>("RadioGroup101")->itemIndex(), -1);
    EXPECT_FALSE(control<TRadioGroup>("RadioGroup1")->button(0)->isChecked());
    EXPECT_FALSE(control<TRadioGroup>("RadioGroup1")->button(1)->isChecked());
    // Without a selection the next run keeps the shape of the previous one.
    w().guarded([&] { w().Button101Click(); });
    EXPECT_EQ(w().parameters().insertShape, "rhombus");
    EXPECT_TRUE(errorTexts().isEmpty());

    // Saved back as -1.
    control<QAction>("Speichern1")->trigger();
    const QList<QByteArray> saved = readBytes(path("low.ads")).split('\n');
    EXPECT_EQ(saved[18], "-1\r");
    EXPECT_EQ(saved[19], "-1\r");
}

TEST_F(DataSets, BrokenFilesChangeNoControl)
{
    // A file that cannot be read does not become the current data set, so
    // "Speichern" can never write the window's state over it.
    EXPECT_FALSE(control<QAction>("Speichern1")->isEnabled());
    changeInputs();
    const auto before = controlState();
    QList<QByteArray> fifty = defaultDataSetLines();
    fifty.removeLast();
    // Every message names the file and the line; no raw byte is shown.
    struct Case {
        const char* name;
        QByteArray bytes;
        int line;
        QString error;
    };
    const Case cases[] = {
        {"short.ads", crlfLines(fifty), 51,
         QStringLiteral("Die Datei endet vor dieser Zeile (ein Anfangsdatensatz hat 51 Zeilen)")},
        {"empty.ads", QByteArray(), 1,
         QStringLiteral("Die Datei endet vor dieser Zeile (ein Anfangsdatensatz hat 51 Zeilen)")},
        {"shape.ads", withLine(19, "x"), 19, QStringLiteral("'x' ist kein gültiger Integerwert")},
        {"direction.ads", withLine(20, ""), 20, QStringLiteral("'' ist kein gültiger Integerwert")},
        {"switch.ads", withLine(45, "1,0"), 45, QStringLiteral("'1,0' ist kein gültiger Integerwert")},
        {"last.ads", withLine(51, "ja"), 51, QStringLiteral("'ja' ist kein gültiger Integerwert")},
        {"material.ads", withLine(24, "5"), 24, QStringLiteral("Der Exponent muß zwischen 0,1 und 1 liegen")},
        {"binary.ads", withLine(19, QByteArray("\x01x\0\x7F", 4)), 19,
         QStringLiteral("'?x?\?' ist kein gültiger Integerwert")},
        {"longtext.ads", withLine(20, QByteArray(300, '9')), 20,
         QStringLiteral("'%1…' ist kein gültiger Integerwert").arg(QString(40, QLatin1Char('9')))},
        {"longline.ads", withLine(3, QByteArray(2000, '9')), 3,
         QStringLiteral("Die Zeile ist länger als 1024 Zeichen")},
        // Texts that the fields' entry filter would change (6505, 1400).
        {"komma.ads", withLine(21, "650,5"), 21, QStringLiteral("„650,5“ enthält das unzulässige Zeichen „,“")},
        {"exponent.ads", withLine(13, "1e400"), 13, QStringLiteral("„1e400“ enthält das unzulässige Zeichen „e“")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs->messages.clear();
        open(QString::fromLatin1(c.name), c.bytes);
        ASSERT_EQ(
            errorTexts(),
            QStringList{
                QStringLiteral("%1, Zeile %2: %3.").arg(path(QString::fromLatin1(c.name))).arg(c.line).arg(c.error)});
        EXPECT_EQ(controlState(), before);
    }
    ASSERT_EQ(::mkfifo(path("fifo.ads").toLocal8Bit().constData(), 0600), 0);
    for (const QString& unreadable : {path("fehlt.ads"), path("fifo.ads"), QStringLiteral("/dev/zero")}) {
        dialogs->messages.clear();
        choose(control<QAction>("Oeffnen1"), unreadable);
        EXPECT_EQ(errorTexts(), QStringList{QStringLiteral("Kann Datei %1 nicht öffnen.").arg(unreadable)});
        EXPECT_EQ(controlState(), before);
    }
    EXPECT_FALSE(control<QAction>("Speichern1")->isEnabled());
    EXPECT_EQ(w().SaveDialog1.proposedName, QString());

    // After a good file, a broken one leaves the good one current.
    open(QStringLiteral("good.ads"), crlfLines(defaultDataSetLines()));
    open(QStringLiteral("short.ads"), crlfLines(fifty));
    set("Edit111", "91");
    control<QAction>("Speichern1")->trigger();
    EXPECT_EQ(readBytes(path("good.ads")).split('\n')[0], "91\r");
    EXPECT_EQ(readBytes(path("short.ads")), crlfLines(fifty));
}

TEST_F(DataSets, MissingMaterialOfLine16IsReportedAndTheRestApplied)
{
    QList<QByteArray> lines = defaultDataSetLines();
    lines[15] = "Fehlt.wks";
    lines[16] = "360";
    lines[17] = "2";
    lines[18] = "1";
    lines[20] = "720";
    lines[40] = "5";
    lines[41] = "0";
    open(QStringLiteral("m.ads"), crlfLines(lines));
    EXPECT_EQ(errorTexts(), QStringList{QStringLiteral("Kann Datei Fehlt.wks nicht öffnen.")});
    EXPECT_EQ(control<QLineEdit>("Edit151")->text(), QStringLiteral("Fehlt.wks"));
    EXPECT_EQ(control<QComboBox>("ComboBox161")->currentText(), QStringLiteral("360"));
    EXPECT_EQ(control<QLineEdit>("Edit162")->text(), QStringLiteral("2"));
    EXPECT_EQ(control<TRadioGroup>("RadioGroup1")->itemIndex(), 1);
    EXPECT_EQ(control<QLineEdit>("Edit531")->text(), QStringLiteral("720"));
    EXPECT_EQ(control<QLineEdit>("Edit594")->text(), QStringLiteral("5"));
    EXPECT_FALSE(control<QCheckBox>("CheckBox511")->isChecked());
    EXPECT_EQ(w().SaveDialog1.proposedName, path("m.ads"));

    // A line 16 naming the material already shown loads nothing.
    dialogs->messages.clear();
    open(QStringLiteral("m2.ads"), crlfLines(lines));
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(DataSets, FailedSavesReportTheErrorAndKeepTheOldFile)
{
    w().guarded([&] { w().Button101Click(); });  // the table export needs a filled table
    ASSERT_TRUE(control<QAction>("Tabelleninhaltspeichern1")->isEnabled());
    const QByteArray old = "alter Inhalt\r\n";
    const QString readOnly = path("alt.ads");
    writeBytes(readOnly, old);
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QStringList targets = {readOnly, path("fehlt/neu.ads"), folder.path()};

    // A folder without write permission (which does not stop the superuser).
    const QString lockedFolder = path("gesperrt");
    ASSERT_TRUE(QDir().mkdir(lockedFolder));
    writeBytes(lockedFolder + QStringLiteral("/alt.ads"), old);
    QFile::setPermissions(lockedFolder, QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(lockedFolder + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly))
        probe.remove();
    else
        targets << lockedFolder + QStringLiteral("/alt.ads");

    for (QAction* entry : {control<QAction>("Speichernunter1"), control<QAction>("Speichernunter2"),
                           control<QAction>("Tabelleninhaltspeichern1")}) {
        for (const QString& target : targets) {
            SCOPED_TRACE(entry->objectName().toStdString() + " " + target.toStdString());
            dialogs->messages.clear();
            choose(entry, target);
            EXPECT_EQ(errorTexts(), QStringList{QStringLiteral("Kann Datei %1 nicht erstellen.").arg(target)});
        }
    }
    // Saving to the current data set name fails the same way.
    writeBytes(path("offen.ads"), crlfLines(defaultDataSetLines()));
    choose(control<QAction>("Oeffnen1"), path("offen.ads"));
    QFile::setPermissions(path("offen.ads"), QFile::ReadOwner);
    dialogs->messages.clear();
    control<QAction>("Speichern1")->trigger();
    EXPECT_EQ(errorTexts(), QStringList{QStringLiteral("Kann Datei %1 nicht erstellen.").arg(path("offen.ads"))});
    EXPECT_EQ(readBytes(path("offen.ads")), crlfLines(defaultDataSetLines()));

    EXPECT_EQ(readBytes(readOnly), old);
    EXPECT_EQ(readBytes(lockedFolder + QStringLiteral("/alt.ads")), old);
    EXPECT_FALSE(QFileInfo::exists(path("fehlt")));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3);
    QFile::setPermissions(lockedFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(QDir(lockedFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
}

}  // namespace
}  // namespace orbiton::ui::testing
