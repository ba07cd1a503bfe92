// The table export: the grid's texts as the result data set, after a
// normal run and after the parameter variation blanked the table; the run
// as CSV, byte for byte as the batch tool writes it.
#include <QComboBox>
#include <QGroupBox>
#include <QProcess>
#include <QTabBar>

#include "test_files.h"

namespace orbiton::ui::testing {
namespace {

class TableExport : public FileWindowTest {
protected:
    void run()
    {
        w().guarded([&] { w().Button101Click(); });
    }

    // The file's lines with their CR LF ends; fails on any other line end.
    QList<QByteArray> exportedLines(const QString& file)
    {
        const QByteArray bytes = readBytes(file);
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
        QList<QByteArray> lines = bytes.split('\n');
        lines.removeLast();  // after the last line end
        for (QByteArray& line : lines)
            line.append('\n');
        return lines;
    }
};

TEST_F(TableExport, WritesEveryGridRowAsShown)
{
    run();
    ASSERT_TRUE(control<QAction>("Tabelleninhaltspeichern1")->isEnabled());
    choose(control<QAction>("Tabelleninhaltspeichern1"), QString());  // cancelled
    EXPECT_FALSE(QFile::exists(path("t.eds")));

    writeBytes(path("t.eds"), "alter Inhalt\r\n");  // replaced
    choose(control<QAction>("Tabelleninhaltspeichern1"), path("t.eds"));
    EXPECT_TRUE(dialogs->messages.empty());
    EXPECT_EQ(dialogs->fileDialogs.back().settings.title, QStringLiteral("Speichern des Tabelleninhalts"));
    // The layout and the numbers are pinned by the file and run tests; here
    // every line must be the grid's row, headers included, in Latin-1.
    const QList<QByteArray> lines = exportedLines(path("t.eds"));
    ASSERT_EQ(lines.size(), 122);
    EXPECT_TRUE(lines[0].startsWith(" Phij lfc ap bz H\xF6he_ax "));
    for (int row = 0; row <= 121; ++row) {
        QByteArray expected;
        for (int column = 1; column <= 31; ++column)
            expected += ' ' + control<TStringGrid>("StringGrid311")->cells(column, row).toLatin1();
        ASSERT_EQ(lines[row], expected + " \r\n") << "row " << row;
    }
    EXPECT_TRUE(lines[121].startsWith(" 360 "));
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 0);  // the page shown stays
}

TEST_F(TableExport, CsvIsWhatTheBatchToolWritesForTheSameRun)
{
    auto* steps = control<QComboBox>("ComboBox161");
    for (const QString& stepCount : {QStringLiteral("120"), QStringLiteral("720")}) {
        SCOPED_TRACE(stepCount.toStdString());
        w().guarded([&] { w().setControlText(steps, stepCount); });
        run();
        choose(control<QAction>("Speichernunter1"), path("lauf.ads"));
        dialogs->fileTypes.push_back(1);
        choose(control<QAction>("Tabelleninhaltspeichern1"), path("lauf.csv"));
        ASSERT_TRUE(dialogs->messages.empty());
        EXPECT_EQ(dialogs->fileDialogs.back().settings.moreTypes.size(), 1u);

        QProcess batch;
        batch.start(QStringLiteral(ORBITON_BATCH), {path("lauf.ads"), QStringLiteral("--format"), "csv"});
        ASSERT_TRUE(batch.waitForFinished(60000));
        ASSERT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString();
        const QByteArray expected = batch.readAllStandardOutput();
        EXPECT_EQ(expected.count('\n'), stepCount.toInt() + 2);
        EXPECT_EQ(readBytes(path("lauf.csv")), expected);
    }
}

TEST_F(TableExport, AfterTheVariationBlankedTheTableEveryLineIsBlanks)
{
    run();
    control<QAction>("Parametervariation1")->trigger();
    if (control<QGroupBox>("GroupBox430")->isHidden()) {
        // Without the variation mode, blank the cells as switching it on does.
        for (int row = 0; row < control<TStringGrid>("StringGrid311")->rowCount(); ++row)
            for (int column = 1; column <= 31; ++column)
                control<TStringGrid>("StringGrid311")->setCells(column, row, QString());
    }
    ASSERT_EQ(control<TStringGrid>("StringGrid311")->cells(1, 0), QString());
    choose(control<QAction>("Tabelleninhaltspeichern1"), path("leer.eds"));
    EXPECT_TRUE(errorTexts().isEmpty());
    const QList<QByteArray> lines = exportedLines(path("leer.eds"));
    ASSERT_EQ(lines.size(), 122);
    for (const QByteArray& line : lines)
        ASSERT_EQ(line, QByteArray(32, ' ') + "\r\n");
}

}  // namespace
}  // namespace orbiton::ui::testing
