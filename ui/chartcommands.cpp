// The chart of the page "Grafik": plotting the selected channel, the axis
// set-up with automatic or manual scaling, and the chart's export as a
// bitmap file and on paper.
#include <QAction>
#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>
#include <utility>

#include "files/textfile.h"
#include "model/errors.h"
#include "model/fields.h"
#include "model/numbertext.h"
#include "model/resulttable.h"
#include "ui/chart/chart.h"
#include "ui/chartpage.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {

const QColor teal(0, 128, 128);
constexpr int grafikPage = 3;
constexpr int automaticScaling = 0;
constexpr int manualScaling = 1;

// The entry of the channel list that is selected, -1 for none. The current
// row alone does not count: a list that gets the focus by keyboard has a
// current row without anything being chosen.
int selectedEntry(const QListWidget& list)
{
    const QList<QListWidgetItem*> items = list.selectedItems();
    return items.isEmpty() ? -1 : list.row(items.front());
}

float fieldValue(const QLineEdit& edit) { return parseReal(edit.text().toStdString()); }

// Puts a manual axis to the range [minimum, maximum] whatever its current
// range, ordering the two limits so that neither is refused.
template <class Limits>
void restoreRange(ChartAxis& axis, const Limits& limits)
{
    if (limits.minimum <= axis.maximum()) {
        axis.setMinimum(limits.minimum);
        axis.setMaximum(limits.maximum);
    } else {
        axis.setMaximum(limits.maximum);
        axis.setMinimum(limits.minimum);
    }
}

// Manual scaling starts from the range in force before the click: the
// maximum is checked against the minimum in force, then the minimum
// against the new maximum, then the increment. Each limit set becomes the
// range in force.
template <class Limits>
void applyManualScale(ChartAxis& axis, bool manual, const QLineEdit& maximum, const QLineEdit& minimum,
                      const QLineEdit& increment, Limits& inForce)
{
    if (!manual) {
        axis.setAutomatic(true);
        return;
    }
    axis.setAutomatic(false);
    restoreRange(axis, inForce);
    const float top = fieldValue(maximum);
    axis.setMaximum(top);
    inForce.maximum = top;
    const float bottom = fieldValue(minimum);
    axis.setMinimum(bottom);
    inForce.minimum = bottom;
    axis.setIncrement(fieldValue(increment));
}

}  // namespace

void TVersuch::ListBox421Click()
{
    GrafikSpeichern1->setEnabled(true);
    plotChannel();
    setUpAxes();
    if (RadioGroup421->itemIndex() != automaticScaling)
        return;
    // The ranges are those of the points just plotted: the chart computes
    // an automatic range as soon as points and increment are known.
    const ChartAxis& left = Chart411->leftAxis();
    const ChartAxis& bottom = Chart411->bottomAxis();
    const std::pair<TEdit*, double> fields[] = {
        {Edit421, left.maximum()},   {Edit422, left.minimum()},   {Edit423, bottom.maximum()},
        {Edit424, bottom.minimum()}, {Edit425, left.increment()}, {Edit426, bottom.increment()},
    };
    for (const auto& [edit, value] : fields)
        setControlText(edit, QString::fromStdString(fieldNumberText(value)));
}

void TVersuch::redrawChart()
{
    // A chart of earlier results would contradict the results page. With
    // no channel chosen the chart is empty already: taking the choice back
    // is a click that plots nothing.
    if (selectedEntry(*ListBox421) >= 0)
        ListBox421Click();
}

void TVersuch::plotChannel()
{
    Grafikdrucken1->setEnabled(true);
    // The chart computes an automatic range from its points at once; what
    // was drawn before they change is the range in force for manual limits.
    leftInForce_ = {Chart411->leftAxis().minimum(), Chart411->leftAxis().maximum()};
    bottomInForce_ = {Chart411->bottomAxis().minimum(), Chart411->bottomAxis().maximum()};
    Chart411->clear();
    const int entry = selectedEntry(*ListBox421);
    if (entry < 0)
        return;  // no channel chosen: an empty chart
    const ChartChannel& channel = chartChannels()[static_cast<std::size_t>(entry)];
    // A run refused before the table was set up may leave a step count
    // that the table has no rows for; only existing rows are drawn.
    const int last = std::min(params_.stepCount, maxStepCount);
    const QString label = QStringLiteral(" ");
    for (int row = 0; row <= last; ++row)
        Chart411->addPoint(table_.at(channel.x, row), table_.at(channel.y, row), label, teal);
}

void TVersuch::setUpAxes()
{
    ChartAxis& bottom = Chart411->bottomAxis();
    ChartAxis& left = Chart411->leftAxis();
    const int entry = selectedEntry(*ListBox421);
    const ChartChannel* channel = entry < 0 ? nullptr : &chartChannels()[static_cast<std::size_t>(entry)];

    bottom.setAutomatic(true);
    bottom.setIncrement(channel ? channel->xIncrement : rotationIncrement);
    bottom.setTitle(QString::fromUtf8(channel ? channel->bottomTitle : rotationTitle));
    left.setAutomatic(true);
    if (channel)
        left.setIncrement(channel->yIncrement);
    left.setTitle(channel ? QString::fromUtf8(channel->leftTitle) : QString());
    showScaleUnits(channel ? channels()[static_cast<std::size_t>(channel->y)].unit : "",
                   channel ? channels()[static_cast<std::size_t>(channel->x)].unit : "");
    if (!channel)
        return;

    // Manual limits come last, on an axis that already belongs to the
    // channel: a limit refused leaves its axis scaled automatically to the
    // points, so that points, titles and ranges always agree, and the
    // message names the axis.
    std::string refused;
    const auto apply = [&](void (TVersuch::*applyManualScale)(), ChartAxis& axis, const char* name) {
        try {
            (this->*applyManualScale)();
        } catch (const OrbitonError& error) {
            axis.setAutomatic(true);
            if (!refused.empty())
                refused += ". ";
            refused += std::string(name) + ": " + error.what() + "; die Achse wird automatisch skaliert";
        }
    };
    apply(&TVersuch::applyManualScaleX, bottom, "X-Achse");
    apply(&TVersuch::applyManualScaleY, left, "Y-Achse");
    if (!refused.empty())
        throw ChartError(refused);
}

void TVersuch::showScaleUnits(const char* leftUnit, const char* bottomUnit)
{
    for (TEdit* edit : {Edit421, Edit422, Edit425})
        edit->setToolTip(QString::fromStdString(fieldToolTip(edit->objectName().toStdString(), leftUnit)));
    for (TEdit* edit : {Edit423, Edit424, Edit426})
        edit->setToolTip(QString::fromStdString(fieldToolTip(edit->objectName().toStdString(), bottomUnit)));
}

void TVersuch::applyManualScaleY()
{
    applyManualScale(Chart411->leftAxis(), RadioGroup421->itemIndex() == manualScaling, *Edit421, *Edit422, *Edit425,
                     leftInForce_);
}

void TVersuch::applyManualScaleX()
{
    applyManualScale(Chart411->bottomAxis(), RadioGroup421->itemIndex() == manualScaling, *Edit423, *Edit424, *Edit426,
                     bottomInForce_);
}

void TVersuch::RadioGroup421Click()
{
    // The choice takes effect at the next click in the channel list.
    const bool manual = RadioGroup421->itemIndex() == manualScaling;
    for (TEdit* edit : {Edit421, Edit422, Edit423, Edit424, Edit425, Edit426})
        edit->setEnabled(manual);
}

// ------------------------------------------------------------ export

void TVersuch::GrafikSpeichern1Click()
{
    selectPage(grafikPage);
    const std::optional<ChosenFile> chosen = dialogs_->saveFileOfType(SaveDialog4);
    if (!chosen)
        return;
    SaveDialog4.proposedName = chosen->path;
    rememberFolder(SaveDialog4, chosen->path);
    const std::optional<QSize> size = dialogs_->imageSize(Chart411->size());
    if (!size)
        return;
    const std::string target = QFile::encodeName(chosen->path).toStdString();
    const FileError cannotCreate(formatMessage(messages::cannotCreate, target));
    if (size->width() < imageSizeLimits.first || size->height() < imageSizeLimits.first ||
        size->width() > imageSizeLimits.second || size->height() > imageSizeLimits.second)
        throw cannotCreate;
    // The file type is the filter's: Bitmap, PNG, SVG, PDF.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        throw cannotCreate;
    switch (chosen->type) {
    case 0:
    case 1: {
        const QImage image = Chart411->renderImage(*size);
        if (image.isNull() || !image.save(&buffer, chosen->type == 0 ? "BMP" : "PNG"))
            throw cannotCreate;
        break;
    }
    case 2: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(*size);
        svg.setViewBox(QRect(QPoint(0, 0), *size));
        svg.setTitle(QStringLiteral("Chart411"));
        QPainter painter;
        if (!painter.begin(&svg))
            throw cannotCreate;
        painter.fillRect(QRect(QPoint(0, 0), *size), Qt::white);
        Chart411->render(painter, QRectF(QPointF(0, 0), QSizeF(*size)));
        if (!painter.end())
            throw cannotCreate;
        break;
    }
    default: {
        // One page of exactly the chosen size at 96 pixels per inch.
        QPdfWriter pdf(&buffer);
        pdf.setResolution(96);
        pdf.setTitle(QStringLiteral("Chart411"));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(size->width() * 72.0 / 96.0, size->height() * 72.0 / 96.0), QPageSize::Point,
                                  QString(), QPageSize::ExactMatch));
        QPainter painter;
        if (!painter.begin(&pdf))
            throw cannotCreate;
        Chart411->render(painter, QRectF(QPointF(0, 0), QSizeF(*size)));
        if (!painter.end())
            throw cannotCreate;
        break;
    }
    }
    buffer.close();
    saveFileAtomically(target, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void TVersuch::Grafikdrucken1Click()
{
    selectPage(grafikPage);
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(1);
    if (!dialogs_->print(printer))
        return;
    Chart411->print(printer, QStringLiteral("Chart411"), printHeader());
}

QString TVersuch::printHeader() const
{
    // What makes the run: the data set, the day, the tool and the cut.
    QString header = document_.hasFileName() ? QFileInfo(document_.fileName()).fileName() : QStringLiteral("Unbenannt");
    header += QStringLiteral(" – ") + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    for (std::string_view control : {inputs::boreDiameter, inputs::cutterDiameter, inputs::toothCount,
                                     inputs::cuttingSpeed, inputs::axialFeedPerRev, inputs::radialFeedPerTooth}) {
        const auto& all = inputParameters();
        const auto input =
            std::find_if(all.begin(), all.end(), [&](const InputParameter& p) { return p.control == control; });
        header += QStringLiteral(" – ") + QString::fromUtf8(input->caption) + QStringLiteral(" ") +
                  QString::fromStdString(text(control));
        if (*input->unit)
            header += QStringLiteral(" ") + QString::fromUtf8(input->unit);
    }
    header += QStringLiteral(" – Werkstoff ") + QString::fromStdString(text("Edit151"));
    return header;
}

}  // namespace orbiton::ui
