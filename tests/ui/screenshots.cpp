// Writes a picture of every page of the window after a run with the default
// input into the folder given as argument (for looking at the layout; not a
// test). Under a real display the whole screen is captured as well.
#include <QApplication>
#include <QDir>
#include <QListWidget>
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

    // The page "Grafik" after a click on "Schnittkraft an einem Zahn", then
    // after one step of the parameter variation (bore diameter + 2).
    auto shoot = [&](const char* file) {
        QTest::qWait(200);
        const QString name = folder.filePath(QString::fromLatin1(file));
        window.grab().save(name);
        std::printf("%s\n", name.toLocal8Bit().constData());
    };
    window.guarded([&] { window.selectPage(3); });
    QListWidget* list = window.ListBox421;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(10)).center());
    shoot("chart.png");
    window.guarded([&] {
        window.Parametervariation1Click();
        window.setControlText(window.Edit431, QStringLiteral("2"));
    });
    window.Button432->click();
    shoot("variation.png");
    return 0;
}
