// Writes pictures of the window into the folder given as argument, for
// looking at the layout (not a test): every page at the design size after a
// run with the default input (under a real display also tooltips, the
// question before deleting a file, the title of a modified data set, the
// question before it is lost and the menu "Datei"), the illustrations, the
// page "Grafik" with three channels and after a variation step, the run
// indicator during a long run, every page of a window of 600 × 400 pixels
// scrolled to its start and to its end, the pages "Ausgabe" and "Grafik"
// maximised, and the name of a changed material. Under a real display the
// whole screen is captured as well, and the dialog for the size of a chart
// picture.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTranslator>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>

#include "files/dataset.h"
#include "material/fit.h"
#include "ui/dialogs.h"
#include "ui/materialdialogs.h"
#include "ui/qttexts.h"
#include "ui/tversuch.h"

namespace {

template <class T>
T* named(QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    const std::unique_ptr<QTranslator> qtTexts = orbiton::ui::loadQtGermanTexts();
    if (qtTexts)
        QApplication::installTranslator(qtTexts.get());
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    orbiton::ui::TVersuch window(nullptr);
    window.show();
    QTest::qWait(300);

    auto shoot = [&](const QString& file) {
        QTest::qWait(200);
        const QString name = folder.filePath(file);
        window.grab().save(name);
        std::printf("%s\n", name.toLocal8Bit().constData());
    };
    auto showPage = [&](int page) { window.guarded([&] { window.selectPage(page); }); };

    named<QPushButton>(window, "Button101")->click();
    for (int page = 0; page < 5; ++page) {
        showPage(page);
        shoot(QStringLiteral("page%1.png").arg(page));
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            window.screen()->grabWindow(0).save(folder.filePath(QStringLiteral("screen%1.png").arg(page)));
    }

    // Under a real display: the tooltips of a field, a table column header
    // and a channel, and the question before a file is deleted.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto shootScreen = [&](const QString& file) {
            QTest::qWait(300);
            const QString name = folder.filePath(file);
            window.screen()->grabWindow(0).save(name);
            std::printf("%s\n", name.toLocal8Bit().constData());
        };
        auto tip = [&](QWidget* widget, QPoint pos, const QString& file) {
            QHelpEvent event(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
            QApplication::sendEvent(widget, &event);
            shootScreen(file);
            QToolTip::hideText();
        };
        showPage(0);
        auto* bore = named<QLineEdit>(window, "Edit111");
        tip(bore, bore->rect().center(), QStringLiteral("tip-field.png"));
        showPage(4);
        auto* exponent = named<QLineEdit>(window, "Edit581");
        tip(exponent, exponent->rect().center(), QStringLiteral("tip-option.png"));
        showPage(2);
        auto* header = named<QTableView>(window, "StringGrid311")->horizontalHeader();
        tip(header->viewport(), QPoint(header->sectionViewportPosition(2) + 40, 10), QStringLiteral("tip-header.png"));
        showPage(3);
        auto* list = named<QListWidget>(window, "ListBox421");
        tip(list->viewport(), list->visualItemRect(list->item(17)).center(), QStringLiteral("tip-channel.png"));
        showPage(0);
        QTimer::singleShot(500, [&] {
            shootScreen(QStringLiteral("delete.png"));
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        orbiton::ui::QtDialogs(&window).message(orbiton::ui::MessageKind::Confirmation,
                                                QStringLiteral("Wollen Sie die Datei „alt.ads“ wirklich löschen?"),
                                                orbiton::ui::Buttons::DeleteCancel);

        // Two data sets opened, the second one's inputs changed: the title
        // with its mark, the question on closing and the menu "Datei" with
        // the recent data sets.
        QTemporaryDir files;
        for (const char* name : {"erster.ads", "versuch.ads"}) {
            const QString path = files.filePath(QString::fromLatin1(name));
            orbiton::saveDataSetFile(QFile::encodeName(path).toStdString(), orbiton::defaultDataSet());
            window.guarded([&] { window.openDataSet(path); });
        }
        window.guarded([&] { window.setControlText("Edit111", QStringLiteral("90")); });
        shootScreen(QStringLiteral("title.png"));
        QTimer::singleShot(500, [&] {
            shootScreen(QStringLiteral("close-question.png"));
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        window.close();
        auto* bar = named<QMenuBar>(window, "MainMenu1");
        auto* file = named<QMenu>(window, "Datei1");
        bar->setActiveAction(file->menuAction());
        QTest::qWait(300);
        file->setActiveAction(named<QMenu>(window, "Zuletztgeoeffnet1")->menuAction());
        shootScreen(QStringLiteral("menu-datei.png"));
        file->close();
        window.guarded([&] { window.setControlText("Edit111", QStringLiteral("88")); });
        QTimer::singleShot(500, [&] {
            shootScreen(QStringLiteral("imagesize.png"));
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        orbiton::ui::QtDialogs(&window).imageSize(QSize(450, 380));
        QTimer::singleShot(500, [&] {
            shootScreen(QStringLiteral("reload.png"));
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        orbiton::ui::QtDialogs(&window).message(orbiton::ui::MessageKind::Confirmation,
                                                QStringLiteral("Geänderte Werkstoffwerte verwerfen?"),
                                                orbiton::ui::Buttons::OkCancel);
    }

    // A material value changed: the name is marked.
    showPage(4);
    window.guarded([&] { window.setControlText("Edit531", QStringLiteral("700")); });
    showPage(0);
    shoot(QStringLiteral("material-changed.png"));
    window.guarded([&] { window.setControlText("Edit531", QStringLiteral("650")); });

    // The illustrations of the angles and the inserts (the mouse over
    // their groups).
    showPage(0);
    window.guarded([&] { window.groupbox120move(); });
    shoot(QStringLiteral("angles.png"));
    window.guarded([&] { window.groupbox130move(); });
    shoot(QStringLiteral("inserts.png"));

    // The page "Grafik" after clicks on three channels: the cutting force
    // of a tooth, the chip feed (increment 0,025) and the axial feed
    // (increment 0,0001); then after one variation step (bore + 2).
    showPage(3);
    auto* channels = named<QListWidget>(window, "ListBox421");
    for (int channel : {10, 0, 2}) {
        QTest::mouseClick(channels->viewport(), Qt::LeftButton, {},
                          channels->visualItemRect(channels->item(channel)).center());
        shoot(QStringLiteral("chart%1.png").arg(channel));
    }
    QTest::mouseClick(channels->viewport(), Qt::LeftButton, {}, channels->visualItemRect(channels->item(10)).center());
    named<QAction>(window, "Parametervariation1")->trigger();
    window.guarded([&] { window.setControlText(named<QLineEdit>(window, "Edit431"), QStringLiteral("2")); });
    named<QPushButton>(window, "Button432")->click();
    shoot(QStringLiteral("variation.png"));

    // A long run (rhombic insert, pre-bore, 720 steps, 12 teeth): the run
    // indicator beside the tab set, taken while the run lasts.
    showPage(0);
    named<QAction>(window, "Parametervariation1")->trigger();  // variation off again
    window.guarded([&] {
        window.setItemIndex(named<orbiton::ui::TRadioGroup>(window, "RadioGroup1"), 1);
        window.setControlText("Edit114", QStringLiteral("40"));
        window.setControlText("ComboBox161", QStringLiteral("720"));
        window.setControlText("Edit113", QStringLiteral("12"));
    });
    window.setRunIndicatorDelay(std::chrono::milliseconds(0));
    QTimer::singleShot(100, [&] {
        const QString name = folder.filePath(QStringLiteral("running.png"));
        window.grab().save(name);
        std::printf("%s\n", name.toLocal8Bit().constData());
    });
    named<QPushButton>(window, "Button101")->click();

    // Maximised (without a window manager: as large as the screen): the
    // table and the chart use the room.
    window.showMaximized();
    window.resize(window.screen()->availableSize() - QSize(20, 60));
    QTest::qWait(300);
    for (int page : {2, 3}) {
        showPage(page);
        shoot(QStringLiteral("maximised%1.png").arg(page));
    }
    window.showNormal();
    QTest::qWait(300);

    // A window smaller than the design: the pages scroll.
    window.resize(600, 400);
    auto* area = named<QScrollArea>(window, "PageArea");
    for (int page = 0; page < 5; ++page) {
        showPage(page);
        area->horizontalScrollBar()->setValue(0);
        area->verticalScrollBar()->setValue(0);
        shoot(QStringLiteral("small%1.png").arg(page));
        area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        shoot(QStringLiteral("small%1-end.png").arg(page));
    }

    // The dialog of a fit: measured forces with one per cent of scatter in
    // three ranges, cutting and feed force.
    {
        orbiton::MeasurementTable table;
        table.hasFeedForce = true;
        for (int j = 0; j < 45; ++j) {
            const long double h = 0.002L * std::pow(400.0L, j / 44.0L);
            const long double scatter = 1 + 0.01L * std::sin(j * 2.3L);
            orbiton::Measurement m;
            m.line = static_cast<std::size_t>(j + 2);
            m.h = h;
            m.b = 2;
            m.fc = 1800 * std::pow(h, 0.8L) * 2 * scatter;
            m.ff = 300 * std::pow(h, 0.6L) * 2 / scatter;
            table.rows.push_back(m);
        }
        orbiton::ui::FitDialog dialog(orbiton::fitMaterial(table, orbiton::defaultMaterialTexts()),
                                      QStringLiteral("versuch.csv"));
        dialog.show();
        QTest::qWait(400);
        const QString name = folder.filePath(QStringLiteral("fit-dialog.png"));
        dialog.grab().save(name);
        std::printf("%s\n", name.toLocal8Bit().constData());
    }
    return 0;
}
