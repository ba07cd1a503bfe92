// The window at any size: at the design size and above every control of
// every page is shown whole and nothing scrolls; a smaller window scrolls
// the pages and every control can be brought into view; the texts of the
// illustrations fit their pictures.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QSvgWidget>

#include <vector>

#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

class Resizing : public WindowTest {
protected:
    QScrollArea* area() { return control<QScrollArea>("PageArea"); }

    void resizePageArea(QSize size)
    {
        w().resize(size + (w().size() - area()->size()));
        QApplication::processEvents();
    }

    // The named controls of a page that are shown.
    std::vector<QWidget*> controlsOf(int page)
    {
        w().guarded([&] { w().selectPage(page); });
        QApplication::processEvents();
        std::vector<QWidget*> controls;
        for (QWidget* widget : control<QStackedWidget>("Notebook")->currentWidget()->findChildren<QWidget*>())
            if (!widget->objectName().isEmpty() && widget->isVisible())
                controls.push_back(widget);
        return controls;
    }
    bool shownWhole(QWidget* control)
    {
        const QRect inArea(control->mapTo(area()->viewport(), QPoint(0, 0)), control->size());
        return area()->viewport()->rect().contains(inArea);
    }
};

TEST_F(Resizing, PagesScrollOnlyBelowTheDesignSizeAndEveryControlCanBeShownWhole)
{
    control<QAction>("Parametervariation1")->trigger();  // the variation group is shown too
    const QSize created = area()->size();                // the design size
    const struct {
        QSize pageArea;
        bool scrolls;
    } sizes[] = {{created, false}, {{1200, 800}, false}, {{600, 400}, true}, {{created.width(), 400}, true}};
    for (const auto& [size, scrolls] : sizes) {
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        resizePageArea(size);
        EXPECT_EQ(area()->horizontalScrollBar()->isVisible() || area()->verticalScrollBar()->isVisible(), scrolls);
        for (int page = 0; page < 5; ++page) {
            for (QWidget* control : controlsOf(page)) {
                const QSize room = area()->viewport()->size();
                if (control->width() > room.width() || control->height() > room.height())
                    continue;   // a group larger than the window shows part by part
                if (scrolls) {  // scrolled to it as far as needed
                    const QRect rect(control->mapTo(area()->widget(), QPoint(0, 0)), control->size());
                    area()->ensureVisible(rect.center().x(), rect.center().y(), rect.width() / 2 + 1,
                                          rect.height() / 2 + 1);
                }
                EXPECT_TRUE(shownWhole(control)) << control->objectName().toStdString();
            }
        }
    }
}

TEST_F(Resizing, StartIsReachedFromTheKeyboardInASmallWindow)
{
    resizePageArea({600, 400});
    auto* start = control<QPushButton>("Button101");
    ASSERT_FALSE(shownWhole(start));
    control<QWidget>("Edit162")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // the material list
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(start->hasFocus());
    EXPECT_TRUE(shownWhole(start));
    QTest::keyClick(start, Qt::Key_Space);
    EXPECT_EQ(dialogs->busyCalls, 1);
    EXPECT_EQ(messageCount(), 0u);
}

// The pictures are drawn at their own size (one unit a pixel) with the
// picture widget's font where the picture names none: bold on the pages.
TEST_F(Resizing, IllustrationTextsFitTheirPicturesInEveryFallbackFont)
{
    for (const char* name : {"Image1", "Image2", "Image3"})
        EXPECT_EQ(control<QSvgWidget>(name)->size(), QSize(200, 200)) << name;
    const QFont applicationFont = QApplication::font();
    QApplication::setFont(control<QSvgWidget>("Image1")->font());
    const QStringList pictures = QDir(QStringLiteral(":/images")).entryList({QStringLiteral("*.svg")});
    EXPECT_EQ(pictures.size(), 3);
    for (const QString& picture : pictures) {
        QFile file(QStringLiteral(":/images/") + picture);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString source = QString::fromUtf8(file.readAll());
        for (const char* family : {"Liberation Sans", "DejaVu Sans"}) {
            SCOPED_TRACE(picture.toStdString() + " in " + family);
            // Every text gets an id, so that its drawn bounds can be asked for.
            QString svg = source;
            svg.replace(QStringLiteral("font-family=\"DejaVu Sans\""),
                        QStringLiteral("font-family=\"%1\"").arg(family));
            int texts = 0;
            for (qsizetype at = svg.indexOf(QStringLiteral("<text ")); at >= 0;
                 at = svg.indexOf(QStringLiteral("<text "), at + 1))
                svg.insert(at + 6, QStringLiteral("id=\"text%1\" ").arg(texts++));
            EXPECT_GT(texts, 5);
            QSvgRenderer renderer(svg.toUtf8());
            ASSERT_TRUE(renderer.isValid());
            EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 200, 200));
            for (int i = 0; i < texts; ++i) {
                const QRectF bounds = renderer.boundsOnElement(QStringLiteral("text%1").arg(i));
                EXPECT_FALSE(bounds.isEmpty()) << i;
                EXPECT_TRUE(renderer.viewBoxF().contains(bounds))
                    << "text " << i << " at " << bounds.left() << ", " << bounds.top() << " to " << bounds.right()
                    << ", " << bounds.bottom();
            }
        }
    }
    QApplication::setFont(applicationFont);
}

}  // namespace
}  // namespace orbiton::ui::testing
