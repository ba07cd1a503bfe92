// The chart drawn into a Windows bitmap file, into any size, and printed.
#include "ui/chart/chart.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

using namespace orbiton::ui;

namespace {

// A plotted channel as the page draws it: cutting force over one revolution.
void plotExample(Chart& chart)
{
    for (int row = 0; row <= 120; ++row) {
        const double angle = row * 3.0;
        chart.addPoint(angle, 1380.0 + 120.0 * std::sin(angle * M_PI / 90.0), QStringLiteral(" "), QColor(0, 128, 128));
    }
    chart.leftAxis().setIncrement(50.0);
    chart.leftAxis().setTitle(QStringLiteral("Schnittkraft an einem Zahn [N]"));
    chart.bottomAxis().setIncrement(60.0);
    chart.bottomAxis().setTitle(QStringLiteral("Fräserumdrehung [Grad]"));
}

std::uint32_t littleEndian(const QByteArray& bytes, int offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    }
    return value;
}

struct PixelCounts {
    int teal = 0;
    int white = 0;
    int dark = 0;
};

PixelCounts countPixels(const QImage& image)
{
    PixelCounts counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - 0) < 24 && std::abs(c.green() - 128) < 24 && std::abs(c.blue() - 128) < 24) {
                ++counts.teal;
            } else if (c == Qt::white) {
                ++counts.white;
            } else if (c.red() < 64 && c.green() < 64 && c.blue() < 64) {
                ++counts.dark;
            }
        }
    }
    return counts;
}

TEST(ChartOutput, BitmapIsAStandardBmpOfExactlyTheWidgetSize)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Chart chart;
    chart.setObjectName(QStringLiteral("Chart411"));
    chart.resize(450, 380);
    plotExample(chart);
    const QString path = folder.filePath(QStringLiteral("grafik.bmp"));
    ASSERT_TRUE(chart.saveBitmap(path));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GT(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(littleEndian(bytes, 2, 4), static_cast<std::uint32_t>(bytes.size()));
    EXPECT_EQ(littleEndian(bytes, 18, 4), 450u);
    EXPECT_EQ(littleEndian(bytes, 22, 4), 380u);
    const std::uint32_t bitsPerPixel = littleEndian(bytes, 28, 2);
    EXPECT_TRUE(bitsPerPixel == 24 || bitsPerPixel == 32) << bitsPerPixel;
    EXPECT_EQ(littleEndian(bytes, 30, 4), 0u);  // uncompressed

    // The picture shows the line in teal, dark axes and labels on white.
    QImage image;
    ASSERT_TRUE(image.load(path, "BMP"));
    ASSERT_EQ(image.size(), QSize(450, 380));
    const PixelCounts counts = countPixels(image);
    EXPECT_GT(counts.teal, 300);
    EXPECT_GT(counts.dark, 500);
    EXPECT_GT(counts.white, 450 * 380 / 2);
}

TEST(ChartOutput, BitmapFollowsTheWidgetSizeAndAnEmptyChartIsStillDrawn)
{
    QTemporaryDir folder;
    Chart chart;
    chart.resize(600, 300);
    const QImage empty = chart.renderImage();
    EXPECT_EQ(empty.size(), QSize(600, 300));
    EXPECT_EQ(countPixels(empty).teal, 0);
    EXPECT_GT(countPixels(empty).dark, 100);

    plotExample(chart);
    const QString path = folder.filePath(QStringLiteral("breit.bmp"));
    ASSERT_TRUE(chart.saveBitmap(path));
    QImage image;
    ASSERT_TRUE(image.load(path, "BMP"));
    EXPECT_EQ(image.size(), QSize(600, 300));
    EXPECT_GT(countPixels(image).teal, 300);
}

TEST(ChartOutput, BitmapThatCannotBeWrittenReportsFailure)
{
    QTemporaryDir folder;
    Chart chart;
    chart.resize(450, 380);
    plotExample(chart);
    const QString path = folder.filePath(QStringLiteral("fehlt/grafik.bmp"));
    EXPECT_FALSE(chart.saveBitmap(path));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ChartOutput, PrintingWritesOneNamedPage)
{
    QTemporaryDir folder;
    Chart chart;
    chart.resize(450, 380);
    plotExample(chart);
    const QString path = folder.filePath(QStringLiteral("druck.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    chart.print(printer, QStringLiteral("Chart411"));
    EXPECT_EQ(printer.docName(), QStringLiteral("Chart411"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_GT(pdf.size(), 2000);
    EXPECT_TRUE(pdf.contains("/Count 1\n")) << "exactly one page";
}

// The rows and columns of an image that hold anything but white.
QRect inkedArea(const QImage& image, int fromRow)
{
    QRect area;
    for (int y = fromRow; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != Qt::white)
                area |= QRect(x, y, 1, 1);
    return area;
}

TEST(ChartOutput, PageKeepsTheChartsProportionsBelowTheHeaderLine)
{
    Chart chart;
    chart.resize(450, 380);
    plotExample(chart);
    for (const QSize page : {QSize(900, 1270), QSize(1400, 700)}) {
        SCOPED_TRACE(std::to_string(page.width()) + "x" + std::to_string(page.height()));
        QImage image(page, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        chart.paintPage(painter, QRectF(image.rect()), QStringLiteral("Satz.ads – 09.12.2026 – Zähneanzahl 4"));
        painter.end();
        const int lineHeight = page.width() / 60;
        const QRect header = inkedArea(image.copy(0, 0, page.width(), 2 * lineHeight), 0);
        EXPECT_FALSE(header.isEmpty());
        EXPECT_LT(header.right(), page.width() / 2);  // one line of text, left
        // The chart's white ground does not show: its axes and line do.
        const QRect chartArea = inkedArea(image, 2 * lineHeight + 4);
        const double room = std::min(page.width() / 450.0, (page.height() - 2.0 * lineHeight) / 380.0);
        EXPECT_LE(chartArea.right(), 450.0 * room + 1) << "wider than its proportions";
        EXPECT_LE(chartArea.bottom(), 2.0 * lineHeight + 380.0 * room + 1) << "higher than its proportions";
        EXPECT_GT(chartArea.width(), 450.0 * room * 0.8);
        EXPECT_GT(chartArea.height(), 380.0 * room * 0.8);
    }
}

TEST(ChartOutput, ImageOfAnySizeIsLaidOutForIt)
{
    Chart chart;
    chart.resize(450, 380);
    plotExample(chart);
    const QImage large = chart.renderImage(QSize(1350, 760));
    EXPECT_EQ(large.size(), QSize(1350, 760));
    EXPECT_GT(countPixels(large).teal, 3 * countPixels(chart.renderImage()).teal / 2);  // the longer line
    EXPECT_EQ(chart.renderImage().size(), QSize(450, 380));                             // the screen's size again
}

TEST(ChartOutput, PrintingFailureRaisesAChartError)
{
    QTemporaryDir folder;
    Chart chart;
    chart.resize(450, 380);
    plotExample(chart);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("fehlt/druck.pdf")));
    try {
        chart.print(printer, QStringLiteral("Chart411"));
        ADD_FAILURE() << "printing into a missing folder succeeded";
    } catch (const ChartError& error) {
        EXPECT_STREQ(error.what(), chartmessages::printFailed);
    }
}

}  // namespace
