// Page "Ergebnisse": the eleven values of the run summary and the memo.
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "model/numbertext.h"
#include "ui/layout.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {

struct ResultNames {
    const char* caption;
    const char* value;
    const char* unit;
};

// Control names of the summary values, in the order of summaryFields().
const ResultNames resultNames[] = {
    {"Label211", "ELabel211", "Label215"}, {"Label212", "ELabel212", "Label216"}, {"Label213", "ELabel213", "Label217"},
    {"Label214", "ELabel214", "Label218"}, {"Label221", "ELabel221", "Label224"}, {"Label222", "ELabel222", "Label225"},
    {"Label223", "ELabel223", "Label226"}, {"Label231", "ELabel231", "Label235"}, {"Label232", "ELabel232", "Label236"},
    {"Label233", "ELabel233", "Label237"}, {"Label234", "ELabel234", "Label238"},
};

// A value field: fixed size, white, clips what does not fit.
QLabel* makeValueField(QWidget* parent, const char* name, int x, int y)
{
    auto* field = new QLabel(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(x, y, 72, 16);
    field->setAutoFillBackground(true);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    field->setPalette(palette);
    return field;
}

}  // namespace

void TVersuch::createPageErgebnisse()
{
    QWidget* page = PageErgebnisse;
    GroupBox210 = makeGroup(page, "GroupBox210", QStringLiteral("Ergebnisse"), 15, 15, 474, 165);
    GroupBox220 = makeGroup(page, "GroupBox220", QStringLiteral(" Mindestfreiwinkel der"), 508, 15, 261, 130);
    GroupBox230 = makeGroup(page, "GroupBox230", QStringLiteral("Ergebnisse"), 15, 190, 430, 165);

    struct Column {
        QGroupBox* group;
        int first, count, valueX, unitX;
    };
    const Column columns[] = {
        {GroupBox210, 0, 4, 350, 428}, {GroupBox220, 4, 3, 120, 198}, {GroupBox230, 7, 4, 260, 338}};
    for (const Column& column : columns) {
        for (int i = 0; i < column.count; ++i) {
            const std::size_t index = static_cast<std::size_t>(column.first + i);
            const ResultNames& names = resultNames[index];
            const SummaryField& field = summaryFields()[index];
            const int y = 30 + 30 * i;
            makeLabel(column.group, names.caption, QString::fromUtf8(field.caption), 10, y);
            resultFields.push_back(makeValueField(column.group, names.value, column.valueX, y - 1));
            makeLabel(column.group, names.unit, QString::fromUtf8(field.unit), column.unitX, y);
        }
    }

    // Calibrates the cutting force of the material to a measured power.
    Button201 = new QPushButton(QStringLiteral("Leistung abgleichen …"), page);
    Button201->setObjectName(QStringLiteral("Button201"));
    Button201->setGeometry(15, 370, 200, 25);
    Button201->setToolTip(QStringLiteral("Stützwerte der Schnittkraft an eine gemessene Spindelleistung anpassen und "
                                         "als Werkstoffdatei speichern"));

    Memo1 = new QPlainTextEdit(QStringLiteral("Memo1"), page);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    // Ends above the tab set (the design height would reach 3 pixels under it).
    Memo1->setGeometry(496, 160, 281, 332);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setTabChangesFocus(true);  // the Tab key goes on to the next control
}

void TVersuch::showResults()
{
    const auto& fields = summaryFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        resultFields[i]->setText(QString::fromStdString(formatNumber(summary_.*fields[i].value)));
}

}  // namespace orbiton::ui
