#pragma once
// The window started in a fresh folder of its own (its start directory,
// which the material list shows); files are chosen through the scripted
// dialogs and written and read as bytes.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <initializer_list>
#include <map>
#include <string>

#include "files/dataset.h"
#include "windowtest.h"

namespace orbiton::ui::testing {

// Lines of a file, each ended by CR LF.
inline QByteArray crlfLines(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// The 51 lines of the default data set, without their line ends. The file
// tests pin these bytes; here they are what the window must write as it
// starts and what it reads back.
inline QList<QByteArray> defaultDataSetLines()
{
    QList<QByteArray> lines = QByteArray::fromStdString(renderDataSet(defaultDataSet())).split('\n');
    lines.removeLast();  // after the last line end
    for (QByteArray& line : lines)
        line.chop(1);  // the CR
    return lines;
}

class FileWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        previousDirectory = QDir::currentPath();
        prepareStartDirectory();
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
        WindowTest::SetUp();
    }

    void TearDown() override
    {
        WindowTest::TearDown();
        QDir::setCurrent(previousDirectory);
    }

    // Files that must be in the start directory when the window is created.
    virtual void prepareStartDirectory() {}

    QString path(const QString& name) const { return folder.filePath(name); }

    static void writeBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray readBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Answers the next file dialog with the path (empty: cancel) and runs
    // the menu entry as a click would.
    void choose(QAction* entry, const QString& file)
    {
        dialogs->files.push_back(file);
        entry->trigger();
    }

    QStringList errorTexts() const
    {
        QStringList texts;
        for (const ShownMessage& message : dialogs->messages)
            if (message.kind == MessageKind::StandardError)
                texts << message.text;
        return texts;
    }

    // Text, selection or check state and the enabled state of every
    // control a data set holds or its handlers switch.
    std::map<std::string, std::string> controlState() const
    {
        static const char* const texts[] = {
            "Edit111",     "Edit112", "Edit113", "Edit114", "Edit115", "Edit116", "Edit121", "Edit122",
            "Edit123",     "Edit124", "Edit125", "Edit132", "Edit141", "Edit142", "Edit143", "Edit151",
            "ComboBox161", "Edit162", "Edit531", "Edit532", "Edit533", "Edit541", "Edit542", "Edit543",
            "Edit551",     "Edit552", "Edit553", "Edit561", "Edit562", "Edit563", "Edit581", "Edit582",
            "Edit583",     "Edit584", "Edit585", "Edit591", "Edit592", "Edit593", "Edit594"};
        static const char* const boxes[] = {"CheckBox511", "CheckBox512", "CheckBox513", "CheckBox514", "CheckBox521",
                                            "CheckBox522", "CheckBox523", "CheckBox524", "CheckBox525", "CheckBox526"};
        std::map<std::string, std::string> state;
        auto enabled = [&](const char* name) { return window->control(name)->isEnabled() ? " on" : " off"; };
        for (const char* name : texts)
            state[name] = window->text(name).append(enabled(name));
        for (const char* name : {"RadioGroup1", "RadioGroup101"})
            state[name] = std::to_string(window->selectedIndex(name));
        for (const char* name : boxes)
            state[name] = std::string(window->isChecked(name) ? "1" : "0");
        return state;
    }

    QTemporaryDir folder;
    QString previousDirectory;
};

}  // namespace orbiton::ui::testing
