// Material files: the list of the start directory as it changes, loading
// by a click, the name shown and its mark of changed values, files too long
// and too short, the menu "Werkstoffdatei", names outside ASCII, names no
// data set can hold and texts outside Latin-1.
#include <QListWidget>

#include <sys/stat.h>

#include "test_files.h"

namespace orbiton::ui::testing {
namespace {

QList<QByteArray> steelLines()
{
    return {"700",  "1100", "1800", "0,7", "0,6",  "0,4", "110",  "170", "250",  "0,25", "0,26",
            "0,27", "0,04", "5",    "1,1", "0,01", "3",   "0,03", "7",   "0,02", "5"};
}

class MaterialFiles : public FileWindowTest {
protected:
    void prepareStartDirectory() override
    {
        QList<QByteArray> lines = steelLines();
        writeBytes(path("b_Stahl.wks"), crlfLines(lines));
        lines[0] = "800";
        writeBytes(path("Stahl_ü.wks"), crlfLines(lines));
        lines[0] = "900";
        writeBytes(path("Stahl_€.wks"), crlfLines(lines));
        writeBytes(path("A_gross.WKS"), crlfLines(lines));
        writeBytes(path("c_kurz.wks"), crlfLines(steelLines().mid(0, 10)));
        QList<QByteArray> long25 = steelLines();
        for (int k = 22; k <= 25; ++k)
            long25 << QByteArray::number(900 + k);
        long25[0] = "750";
        writeBytes(path("d_lang.wks"), crlfLines(long25));
        // Not listed: another extension, a folder, a hidden file.
        writeBytes(path("notiz.txt"), "x\r\n");
        QDir(folder.path()).mkdir(QStringLiteral("ordner.wks"));
        writeBytes(path(".versteckt.wks"), crlfLines(steelLines()));
    }

    QListWidget* list() { return control<QListWidget>("FileListBox151"); }

    QStringList listed()
    {
        QStringList names;
        for (int row = 0; row < list()->count(); ++row)
            names << list()->item(row)->text();
        return names;
    }

    void click(const QString& name, Qt::KeyboardModifiers modifiers = {})
    {
        const QList<QListWidgetItem*> items = list()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        list()->scrollToItem(items.front());
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers,
                          list()->visualItemRect(items.front()).center());
    }

    QStringList materialTexts()
    {
        QStringList texts;
        for (const char* name : {"Edit531", "Edit532", "Edit533", "Edit541", "Edit542", "Edit543", "Edit551",
                                 "Edit552", "Edit553", "Edit561", "Edit562", "Edit563", "Edit581", "Edit582",
                                 "Edit583", "Edit584", "Edit585", "Edit591", "Edit592", "Edit593", "Edit594"})
            texts << QString::fromStdString(w().text(name));
        return texts;
    }

    static QStringList texts(const QList<QByteArray>& lines)
    {
        QStringList result;
        for (const QByteArray& line : lines)
            result << QString::fromUtf8(line);
        return result;
    }
};

TEST_F(MaterialFiles, ListFollowsTheFolderAndKeepsTheChoice)
{
    QStringList expected = {"A_gross.WKS",
                            "b_Stahl.wks",
                            "c_kurz.wks",
                            "d_lang.wks",
                            QStringLiteral("Stahl_ü.wks"),
                            QStringLiteral("Stahl_€.wks")};
    EXPECT_EQ(listed(), expected);
    EXPECT_EQ(list()->currentRow(), -1);
    EXPECT_EQ(control<QLineEdit>("Edit151")->text(), QStringLiteral("AlCuMgPbF34.wks"));
    click(QStringLiteral("b_Stahl.wks"));

    // Saved through the menu, copied in by another program, deleted: the
    // list shows it without a restart, and the choice stays.
    choose(control<QAction>("Speichernunter2"), path("neu.wks"));
    expected.insert(4, QStringLiteral("neu.wks"));
    QTRY_COMPARE(listed(), expected);
    ASSERT_TRUE(QFile::copy(path("b_Stahl.wks"), path("a_kopie.wks")));
    expected.insert(1, QStringLiteral("a_kopie.wks"));
    QTRY_COMPARE(listed(), expected);
    ASSERT_TRUE(QFile::remove(path("c_kurz.wks")));
    expected.removeAll(QStringLiteral("c_kurz.wks"));
    QTRY_COMPARE(listed(), expected);
    ASSERT_EQ(list()->selectedItems().size(), 1);
    EXPECT_EQ(list()->selectedItems().front()->text(), QStringLiteral("b_Stahl.wks"));
    EXPECT_EQ(control<QLineEdit>("Edit151")->text(), QStringLiteral("b_Stahl.wks"));
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(MaterialFiles, ChangedValuesMarkTheNameAndAClickOnItReloadsAfterAsking)
{
    auto* name = control<QLineEdit>("Edit151");
    auto* kc11 = control<QLineEdit>("Edit531");
    // At start the default values count as those of the name shown.
    w().guarded([&] { w().setControlText(kc11, QStringLiteral("1")); });
    EXPECT_EQ(name->text(), QStringLiteral("AlCuMgPbF34.wks (geändert)"));
    w().guarded([&] { w().setControlText(kc11, QStringLiteral("650")); });
    EXPECT_EQ(name->text(), QStringLiteral("AlCuMgPbF34.wks"));

    click(QStringLiteral("b_Stahl.wks"));
    EXPECT_EQ(name->text(), QStringLiteral("b_Stahl.wks"));
    EXPECT_EQ(materialTexts(), texts(steelLines()));
    w().guarded([&] { w().setControlText(kc11, QStringLiteral("1")); });
    EXPECT_EQ(name->text(), QStringLiteral("b_Stahl.wks (geändert)"));
    EXPECT_EQ(name->toolTip(), QStringLiteral("Werkstoff für Berechnung: b_Stahl.wks (geändert)"));
    EXPECT_EQ(w().text("Edit151"), "b_Stahl.wks");  // the name a data set stores

    // Clicking the name shown, in the list or in the field: Cancel keeps
    // the values, OK reads the file again; unchanged values need no question.
    const QString question = QStringLiteral("Geänderte Werkstoffwerte verwerfen?");
    dialogs->answers.push_back(Answer::Cancel);
    click(QStringLiteral("b_Stahl.wks"));
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::Confirmation);
    EXPECT_EQ(lastMessage().text, question);
    EXPECT_EQ(lastMessage().buttons, Buttons::OkCancel);
    EXPECT_EQ(kc11->text(), QStringLiteral("1"));
    dialogs->answers.push_back(Answer::Ok);
    QTest::mouseClick(name, Qt::LeftButton);
    EXPECT_EQ(messageCount(), 2u);
    EXPECT_EQ(kc11->text(), QStringLiteral("700"));
    EXPECT_EQ(name->text(), QStringLiteral("b_Stahl.wks"));
    EXPECT_EQ(name->toolTip(), QStringLiteral("Werkstoff für Berechnung"));
    QList<QByteArray> lines = steelLines();
    lines[0] = "710";
    writeBytes(path("b_Stahl.wks"), crlfLines(lines));
    click(QStringLiteral("b_Stahl.wks"));
    EXPECT_EQ(messageCount(), 2u);
    EXPECT_EQ(kc11->text(), QStringLiteral("710"));

    // A data set whose material lines differ from its material file shows
    // the mark, and is saved with the name alone.
    QList<QByteArray> set = defaultDataSetLines();
    set[15] = "b_Stahl.wks";
    writeBytes(path("satz.ads"), crlfLines(set));
    choose(control<QAction>("Oeffnen1"), path("satz.ads"));
    // The changed inputs are not replaced without the save question.
    EXPECT_EQ(messageCount(), 3u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Die Eingaben wurden geändert. Sollen sie gespeichert werden?"));
    EXPECT_EQ(name->text(), QStringLiteral("b_Stahl.wks (geändert)"));
    choose(control<QAction>("Speichernunter1"), path("satz2.ads"));
    EXPECT_EQ(readBytes(path("satz2.ads")), crlfLines(set));

    // Names are resolved against the start directory, wherever the working
    // directory is now; names outside ASCII work.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    click(QStringLiteral("Stahl_ü.wks"));
    EXPECT_EQ(name->text(), QStringLiteral("Stahl_ü.wks"));
    EXPECT_EQ(kc11->text(), QStringLiteral("800"));
    EXPECT_EQ(messageCount(), 3u);

    // Without a selection the edit shows the mask, which names no file.
    click(QStringLiteral("Stahl_ü.wks"), Qt::ControlModifier);
    ASSERT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_EQ(name->text(), QStringLiteral("*.wks"));
    EXPECT_EQ(errorTexts(), QStringList{QStringLiteral("Kann Datei *.wks nicht öffnen.")});
    EXPECT_EQ(kc11->text(), QStringLiteral("800"));
}

TEST_F(MaterialFiles, ArrowKeysChooseAFileLikeAClick)
{
    click(QStringLiteral("b_Stahl.wks"));
    ASSERT_EQ(control<QLineEdit>("Edit531")->text(), QString::fromUtf8(steelLines()[0]));
    QTest::keyClick(list(), Qt::Key_Up);
    EXPECT_EQ(control<QLineEdit>("Edit151")->text(), QStringLiteral("A_gross.WKS"));
    EXPECT_EQ(control<QLineEdit>("Edit531")->text(), QStringLiteral("900"));
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(MaterialFiles, LongFileLoadsItsFirstLinesShortFileNothing)
{
    click(QStringLiteral("d_lang.wks"));
    EXPECT_TRUE(dialogs->messages.empty());
    QStringList expected = texts(steelLines());
    expected[0] = QStringLiteral("750");
    EXPECT_EQ(materialTexts(), expected);

    const QString ends =
        QStringLiteral(", Zeile 11: Die Datei endet vor dieser Zeile (eine Werkstoffdatei hat 21 Zeilen).");
    click(QStringLiteral("c_kurz.wks"));
    EXPECT_EQ(errorTexts(), QStringList{QStringLiteral("c_kurz.wks") + ends});
    EXPECT_EQ(materialTexts(), expected);

    // Through the menu as well.
    dialogs->messages.clear();
    choose(control<QAction>("Oeffnen2"), path("c_kurz.wks"));
    EXPECT_EQ(errorTexts(), QStringList{path("c_kurz.wks") + ends});
    EXPECT_EQ(materialTexts(), expected);
}

// Faults: random bytes as a material file filled the fields with digit
// fragments; a FIFO blocked the window; "650,5" became 6505. Every message
// about a line names the file and the line.
TEST_F(MaterialFiles, FilesThatDoNotFitChangeNothing)
{
    const QStringList before = materialTexts();
    QByteArray garbage;
    for (int k = 0; k < 3000; ++k)
        garbage += static_cast<char>((k * 7919) % 251);
    writeBytes(path("zufall.wks"), garbage);
    QList<QByteArray> lines = steelLines();
    lines[4] = "1,5";
    writeBytes(path("exponent.wks"), crlfLines(lines));
    lines = steelLines();
    lines[20] = QByteArray(1500, '4');
    writeBytes(path("lang.wks"), crlfLines(lines));
    lines = steelLines();
    lines[0] = "650,5";  // the field's filter would make it 6505
    writeBytes(path("komma.wks"), crlfLines(lines));
    ASSERT_EQ(::mkfifo(path("fifo.wks").toLocal8Bit().constData(), 0600), 0);
    struct Case {
        QString file;
        QString error;
    };
    const Case cases[] = {
        {path("zufall.wks"),
         path("zufall.wks") + QStringLiteral(", Zeile 1: „???£2¼KÕdî}??%¯>ÈWápú??¢1»JÔcí|??$®=ÇVào…“ "
                                             "enthält das unzulässige Zeichen „?“.")},
        {path("exponent.wks"),
         path("exponent.wks") + QStringLiteral(", Zeile 5: Der Exponent muß zwischen 0,1 und 1 liegen.")},
        {path("lang.wks"), path("lang.wks") + QStringLiteral(", Zeile 21: Die Zeile ist länger als 1024 Zeichen.")},
        {path("komma.wks"),
         path("komma.wks") + QStringLiteral(", Zeile 1: „650,5“ enthält das unzulässige Zeichen „,“.")},
        {path("fifo.wks"), QStringLiteral("Kann Datei %1 nicht öffnen.").arg(path("fifo.wks"))},
        {QStringLiteral("/dev/zero"), QStringLiteral("Kann Datei /dev/zero nicht öffnen.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        dialogs->messages.clear();
        choose(control<QAction>("Oeffnen2"), c.file);
        EXPECT_EQ(errorTexts(), QStringList{c.error});
        EXPECT_EQ(materialTexts(), before);
    }
}

// A value typed but never checked (the focus did not leave the field) is
// not saved: reading the file would refuse it.
TEST_F(MaterialFiles, AnUncheckedValueIsNotSaved)
{
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit531"), QStringLiteral("0")); });
    for (QAction* entry : {control<QAction>("Speichernunter2"), control<QAction>("Speichernunter1")}) {
        dialogs->messages.clear();
        choose(entry, path("ungeprueft.wks"));
        EXPECT_EQ(errorTexts(), QStringList{QStringLiteral("Der kc1.1-Wert muß größer als 0 N/mm² sein.")});
        EXPECT_FALSE(QFile::exists(path("ungeprueft.wks")));
    }
}

TEST_F(MaterialFiles, MenuOpenShowsTheNameAndSaveAsKeepsIt)
{
    // The window's defaults are the 21 material lines of a default data set.
    choose(control<QAction>("Speichernunter2"), path("standard.wks"));
    EXPECT_EQ(readBytes(path("standard.wks")), crlfLines(defaultDataSetLines().mid(20, 21)));
    EXPECT_EQ(w().SaveDialog2.proposedName, QString());

    click(QStringLiteral("b_Stahl.wks"));
    QTemporaryDir other;
    const QString chosen = other.filePath(QStringLiteral("anders.wks"));
    QList<QByteArray> lines = steelLines();
    lines[20] = "9";
    writeBytes(chosen, crlfLines(lines) + "Zeile 22\r\n");
    choose(control<QAction>("Oeffnen2"), chosen);
    EXPECT_TRUE(dialogs->messages.empty());
    EXPECT_EQ(materialTexts(), texts(lines));
    // Outside the listed folder by its full path, inside by its name.
    EXPECT_EQ(control<QLineEdit>("Edit151")->text(), chosen);
    EXPECT_EQ(w().SaveDialog2.proposedName, chosen);

    choose(control<QAction>("Speichernunter2"), path("kopie.wks"));
    EXPECT_EQ(dialogs->fileDialogs.back().settings.proposedName, chosen);
    EXPECT_EQ(readBytes(path("kopie.wks")), crlfLines(lines));
    EXPECT_EQ(w().SaveDialog2.proposedName, chosen);
    choose(control<QAction>("Oeffnen2"), path("kopie.wks"));
    EXPECT_EQ(control<QLineEdit>("Edit151")->text(), QStringLiteral("kopie.wks"));

    // A file that cannot be opened changes nothing, the proposed name neither.
    choose(control<QAction>("Oeffnen2"), other.filePath(QStringLiteral("fehlt.wks")));
    EXPECT_EQ(errorTexts(),
              QStringList{QStringLiteral("Kann Datei %1 nicht öffnen.").arg(other.filePath("fehlt.wks"))});
    EXPECT_EQ(materialTexts(), texts(lines));
    EXPECT_EQ(control<QLineEdit>("Edit151")->text(), QStringLiteral("kopie.wks"));
    EXPECT_EQ(w().SaveDialog2.proposedName, path("kopie.wks"));
}

TEST_F(MaterialFiles, NamesInDataSetsAreLatin1AndOtherCharactersAreRefused)
{
    // Line 16 in Latin-1 names the file that the list shows as "Stahl_ü.wks".
    QList<QByteArray> lines = defaultDataSetLines();
    lines[15] = "Stahl_\xFC.wks";
    writeBytes(path("u.ads"), crlfLines(lines));
    choose(control<QAction>("Oeffnen1"), path("u.ads"));
    EXPECT_TRUE(dialogs->messages.empty());
    // The data set's own material lines differ from the file's.
    EXPECT_EQ(control<QLineEdit>("Edit151")->text(), QStringLiteral("Stahl_ü.wks (geändert)"));
    choose(control<QAction>("Speichernunter1"), path("u2.ads"));
    EXPECT_EQ(readBytes(path("u2.ads")), crlfLines(lines));
}

// Fault: a name with a line feed, chosen and saved with a data set, wrote a
// data set no reader accepts; names that are not UTF-8 were not listed.
TEST_F(MaterialFiles, NamesNoDataSetCanHoldAreListedButRefused)
{
    const QByteArray folderBytes = QFile::encodeName(folder.path()) + '/';
    for (const QByteArray& name : {QByteArray("zeilen\numbruch.wks"), QByteArray("latin\xFC.wks")})
        writeBytes(QFile::decodeName(folderBytes + name), crlfLines(steelLines()));
    const struct {
        QString shown;
        QByteArray local;
    } cases[] = {
        {QStringLiteral("latin\uFFFD.wks"), "latin\xFC.wks"},
        {QStringLiteral("Stahl_€.wks"), "Stahl_\xE2\x82\xAC.wks"},
        {QStringLiteral("zeilen\uFFFDumbruch.wks"), "zeilen\numbruch.wks"},
    };
    const QStringList defaults = materialTexts();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        dialogs->messages.clear();
        QTRY_VERIFY(listed().contains(c.shown));
        click(c.shown);
        ASSERT_EQ(errorTexts().size(), 1);
        EXPECT_EQ(errorTexts().front(),
                  QStringLiteral("Die Werkstoffdatei „%1“ kann nicht gewählt werden: Ihr Name enthält Steuerzeichen "
                                 "oder Zeichen außerhalb von Latin-1 und kann in keinem Datensatz stehen.")
                      .arg(c.shown));
        EXPECT_EQ(materialTexts(), defaults);
        EXPECT_EQ(control<QLineEdit>("Edit151")->text(), QStringLiteral("AlCuMgPbF34.wks"));
        // Through the menu as well.
        dialogs->messages.clear();
        choose(control<QAction>("Oeffnen2"), QFile::decodeName(folderBytes + c.local));
        EXPECT_EQ(errorTexts().size(), 1);
        EXPECT_EQ(materialTexts(), defaults);
    }
}

}  // namespace
}  // namespace orbiton::ui::testing
