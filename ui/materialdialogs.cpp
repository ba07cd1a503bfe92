#include "ui/materialdialogs.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "material/catalogue.h"
#include "ui/dialogs.h"

namespace orbiton::ui {

namespace {

QLineEdit* makeEdit(QWidget* parent, const char* name, const QString& text = {})
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QDialogButtonBox* okCancel(QDialog* dialog, const QString& okCaption)
{
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(okCaption, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ButtonOk"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QString qtext(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

CatalogueDialog::CatalogueDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CatalogueDialog"));
    setWindowTitle(QStringLiteral("Werkstoffdatei aus Kennwerten"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Kennwerte des Einbereichsgesetzes k = k1.1 · h^−m (h in mm). Die "
                                            "Tabelle liefert nur die Schnittkraft; die Werte der Vorschubkraft "
                                            "geben Sie selbst ein."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* table = new QComboBox(this);
    table->setObjectName(QStringLiteral("ComboBox601"));
    table->addItem(QStringLiteral("eigene Werte"));
    for (const auto& row : cuttingValuesTable())
        table->addItem(
            qtext(row.material + ": kc1.1 " + row.kc11 + " N/mm², mc " + row.mc + ", γ0 " + row.refRake + " Grad"));
    auto* source = new QLabel(this);
    source->setObjectName(QStringLiteral("Label605"));
    source->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Werkstoff aus Tabelle"), table);
    kc11_ = makeEdit(this, "Edit601");
    mc_ = makeEdit(this, "Edit602");
    kf11_ = makeEdit(this, "Edit603");
    mf_ = makeEdit(this, "Edit604");
    form->addRow(QStringLiteral("kc1.1 [N/mm²]"), kc11_);
    form->addRow(QStringLiteral("mc"), mc_);
    form->addRow(QStringLiteral("kf1.1 [N/mm²]"), kf11_);
    form->addRow(QStringLiteral("mf"), mf_);
    layout->addLayout(form);
    layout->addWidget(source);
    layout->addWidget(okCancel(this, QStringLiteral("OK")));

    connect(table, &QComboBox::activated, this, [this, source](int index) {
        row_ = index - 1;
        if (row_ < 0) {
            source->clear();
            return;
        }
        const CuttingValues& row = cuttingValuesTable()[static_cast<std::size_t>(row_)];
        kc11_->setText(qtext(row.kc11));
        mc_->setText(qtext(row.mc));
        source->setText(qtext("Quelle: " + row.source + "; γ0 = " + row.refRake + " Grad wird übernommen."));
    });
    // Typing over a value taken from the table makes the values the user's own.
    for (QLineEdit* edit : {kc11_, mc_})
        connect(edit, &QLineEdit::textEdited, this, [this, table, source] {
            row_ = -1;
            table->setCurrentIndex(0);
            source->clear();
        });
    resize(460, sizeHint().height());
}

QString CatalogueDialog::kc11() const { return kc11_->text(); }
QString CatalogueDialog::mc() const { return mc_->text(); }
QString CatalogueDialog::kf11() const { return kf11_->text(); }
QString CatalogueDialog::mf() const { return mf_->text(); }
int CatalogueDialog::tableRow() const { return row_; }

FitDialog::FitDialog(const MaterialFit& fit, const QString& sourceName, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FitDialog"));
    setWindowTitle(QStringLiteral("Kraftgesetz aus Messungen – %1").arg(sourceName));

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Spezifische Kraft über der Spanungsdicke"));
    auto* xAxis = new QLogValueAxis;
    xAxis->setTitleText(QStringLiteral("Spanungsdicke h [mm]"));
    xAxis->setLabelFormat(QStringLiteral("%.5g"));
    xAxis->setMinorTickCount(-1);
    auto* yAxis = new QLogValueAxis;
    yAxis->setTitleText(QStringLiteral("spezifische Kraft k [N/mm²]"));
    yAxis->setLabelFormat(QStringLiteral("%.5g"));
    yAxis->setMinorTickCount(-1);
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    long double hMin = 1e9L, hMax = 0, kMin = 1e30L, kMax = 0;
    for (const auto* points : {&fit.cuttingPoints, &fit.feedPoints})
        for (const auto& p : *points) {
            hMin = std::min(hMin, p.h);
            hMax = std::max(hMax, p.h);
            kMin = std::min(kMin, p.k);
            kMax = std::max(kMax, p.k);
        }
    const auto addLaw = [&](const std::vector<ForcePoint>& points, const LawFit& law, const QString& name,
                            const QColor& color) {
        auto* measured = new QScatterSeries;
        measured->setName(QStringLiteral("%1 gemessen").arg(name));
        measured->setMarkerSize(7);
        measured->setColor(color);
        measured->setBorderColor(color);
        for (const auto& p : points)
            measured->append(static_cast<double>(p.h), static_cast<double>(p.k));
        auto* line = new QLineSeries;
        line->setName(QStringLiteral("%1 angepasst").arg(name));
        line->setPen(QPen(color.darker(130), 2));
        const int samples = 200;
        for (int j = 0; j <= samples; ++j) {
            const long double h = hMin * std::pow(hMax / hMin, static_cast<long double>(j) / samples);
            const long double k = law.at(h);
            kMin = std::min(kMin, k);
            kMax = std::max(kMax, k);
            line->append(static_cast<double>(h), static_cast<double>(k));
        }
        for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(measured), static_cast<QAbstractSeries*>(line)}) {
            chart->addSeries(series);
            series->attachAxis(xAxis);
            series->attachAxis(yAxis);
        }
    };
    addLaw(fit.cuttingPoints, fit.cutting, QStringLiteral("Schnittkraft"), QColor(0, 90, 200));
    if (fit.feed)
        addLaw(fit.feedPoints, *fit.feed, QStringLiteral("Vorschubkraft"), QColor(200, 60, 0));
    xAxis->setRange(static_cast<double>(std::pow(10.0L, std::floor(std::log10(hMin)))),
                    static_cast<double>(std::pow(10.0L, std::ceil(std::log10(hMax)))));
    yAxis->setRange(static_cast<double>(std::pow(10.0L, std::floor(std::log10(kMin)))),
                    static_cast<double>(std::pow(10.0L, std::ceil(std::log10(kMax)))));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::German, QLocale::Germany));

    auto* view = new QChartView(chart, this);
    view->setObjectName(QStringLiteral("Chart611"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(640, 400);

    auto* report = new QPlainTextEdit(this);
    report->setObjectName(QStringLiteral("Memo611"));
    report->setReadOnly(true);
    QString text;
    for (const auto& line : fitReport(fit))
        text += qtext(line) + QLatin1Char('\n');
    report->setPlainText(text.trimmed());
    report->setFixedHeight(report->fontMetrics().lineSpacing() * 9 + 12);
    report->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view, 1);
    layout->addWidget(report);
    auto* buttons = okCancel(this, QStringLiteral("Speichern …"));
    buttons->findChild<QPushButton*>(QStringLiteral("ButtonOk"))->setObjectName(QStringLiteral("Button611"));
    buttons->findChild<QPushButton*>(QStringLiteral("ButtonCancel"))->setObjectName(QStringLiteral("Button612"));
    layout->addWidget(buttons);
    resize(760, 640);
}

PowerDialog::PowerDialog(const QString& simulatedKw, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PowerDialog"));
    setWindowTitle(QStringLiteral("Leistung abgleichen"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Gerechnete mittlere Schnittleistung: %1 kW.\nDie Stützwerte der "
                                            "Schnittkraft werden so skaliert, dass sie der gemessenen "
                                            "Spindelleistung abzüglich der Leerlaufleistung entspricht.")
                                 .arg(simulatedKw),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    spindle_ = makeEdit(this, "Edit621");
    idle_ = makeEdit(this, "Edit622", QStringLiteral("0"));
    form->addRow(QStringLiteral("Spindelleistung beim Schnitt [kW]"), spindle_);
    form->addRow(QStringLiteral("Leerlaufleistung [kW]"), idle_);
    layout->addLayout(form);
    layout->addWidget(okCancel(this, QStringLiteral("OK")));
    resize(420, sizeHint().height());
}

QString PowerDialog::spindleKw() const { return spindle_->text(); }
QString PowerDialog::idleKw() const { return idle_->text(); }

// ------------------------------------------------------------ QtDialogs

std::optional<CatalogueAnswer> QtDialogs::catalogueValues()
{
    CatalogueDialog dialog(parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return CatalogueAnswer{dialog.kc11(), dialog.mc(), dialog.kf11(), dialog.mf(), dialog.tableRow()};
}

bool QtDialogs::confirmFit(const MaterialFit& fit, const QString& sourceName)
{
    FitDialog dialog(fit, sourceName, parent_);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<PowerAnswer> QtDialogs::measuredPower(const QString& simulatedKw)
{
    PowerDialog dialog(simulatedKw, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return PowerAnswer{dialog.spindleKw(), dialog.idleKw()};
}

}  // namespace orbiton::ui
