// Writes a picture of every page of the window after a run with the default
// input into the folder given as argument (for looking at the layout; not a
// test). Under a real display the whole screen is captured as well.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTest>

#include <cstdio>

#include "ui/tversuch.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    orbiton::ui::TVersuch window(nullptr);
    window.showMaximized();
    QTest::qWait(300);
    window.Button101->click();
    for (int page = 0; page < 5; ++page) {
        window.guarded([&] { window.selectPage(page); });
        QTest::qWait(200);
        const QString name = folder.filePath(QStringLiteral("page%1.png").arg(page));
        window.grab().save(name);
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            window.screen()->grabWindow(0).save(folder.filePath(QStringLiteral("screen%1.png").arg(page)));
        std::printf("%s\n", name.toLocal8Bit().constData());
    }
    return 0;
}
