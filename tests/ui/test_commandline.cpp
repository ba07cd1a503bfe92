// The window program's command line, run as a program without a display:
// help and version on stdout, everything refused with the usage on stderr.
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace orbiton::ui::testing {
namespace {

TEST(CommandLine, AnswersWithoutADisplay)
{
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* firstOut;  // first line of stdout, or of stderr when nothing is written there
        bool usageOnStderr;
    };
    const Case cases[] = {
        {{"--version"}, 0, "orbiton 2.9", false},
        {{"--help"}, 0, "Aufruf: orbiton [DATEI.ads]", false},
        {{"a.ads", "--help"}, 0, "Aufruf: orbiton [DATEI.ads]", false},
        {{"--hilfe"}, 1, "orbiton: unbekannte Option \"--hilfe\"", true},
        {{"-v"}, 1, "orbiton: unbekannte Option \"-v\"", true},
        {{"a.ads", "b.ads"}, 1, "orbiton: nur ein Anfangsdatensatz kann geöffnet werden", true},
        {{"--", "--version", "b.ads"}, 1, "orbiton: nur ein Anfangsdatensatz kann geöffnet werden", true},
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(ORBITON_PROGRAM), c.arguments);
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), c.exitCode);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        const QString err = QString::fromUtf8(program.readAllStandardError());
        const QString first = (c.exitCode == 0 ? out : err).section(QLatin1Char('\n'), 0, 0);
        EXPECT_EQ(first, QString::fromUtf8(c.firstOut));
        EXPECT_EQ(c.exitCode == 0 ? err : out, QString());
        EXPECT_EQ(err.contains(QStringLiteral("\nAufruf: orbiton [DATEI.ads]\n")), c.usageOnStderr);
    }
}

}  // namespace
}  // namespace orbiton::ui::testing
