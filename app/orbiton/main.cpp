// Orbiton: the window program. `orbiton [DATEI.ads]` opens that data set
// at start; --help and --version answer without starting the window.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStyleFactory>
#include <QTranslator>

#include <iostream>
#include <string>
#include <vector>

#include "app/orbiton/commandline.h"
#include "orbiton_version.h"
#include "ui/qttexts.h"
#include "ui/settings.h"
#include "ui/tversuch.h"

int main(int argc, char** argv)
{
    // Read before QApplication, which needs a display.
    const orbiton::app::CommandLine line =
        orbiton::app::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
    case orbiton::app::CommandLine::Action::Help:
        std::cout << orbiton::app::helpText() << std::flush;
        return std::cout ? 0 : 1;
    case orbiton::app::CommandLine::Action::Version:
        std::cout << orbiton::app::versionText() << std::flush;
        return std::cout ? 0 : 1;
    case orbiton::app::CommandLine::Action::Refused:
        std::cerr << line.error << '\n' << orbiton::app::usageText();
        return 1;
    case orbiton::app::CommandLine::Action::Start:
        break;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(orbiton::ui::applicationTitle));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORBITON_APP_ID));
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);

    // Qt's own dialogs (file and print dialogs, their questions) in German.
    const std::unique_ptr<QTranslator> qtTexts = orbiton::ui::loadQtGermanTexts();
    if (qtTexts)
        QApplication::installTranslator(qtTexts.get());

    orbiton::ui::TVersuch window(nullptr);
    if (window.useSettings(std::make_unique<orbiton::ui::SettingsStore>()))
        window.show();
    else
        window.showMaximized();
    // Without a window manager nobody else gives the window the keyboard.
    window.raise();
    window.activateWindow();
    if (!line.dataSet.empty()) {
        const QString path = QFileInfo(QFile::decodeName(line.dataSet.c_str())).absoluteFilePath();
        // An unreadable file is reported and leaves the untitled defaults.
        window.guarded([&] { window.openDataSet(path); });
    }
    return QApplication::exec();
}
