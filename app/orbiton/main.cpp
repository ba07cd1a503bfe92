// Orbiton: the window program. It takes no command-line arguments.
#include <QApplication>
#include <QStyleFactory>
#include <QTranslator>

#include "orbiton_version.h"
#include "ui/qttexts.h"
#include "ui/tversuch.h"

int main(int argc, char** argv)
{
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
    window.showMaximized();
    return QApplication::exec();
}
