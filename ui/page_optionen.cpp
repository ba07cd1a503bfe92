// Page "Optionen": the coefficients of the force law, the correction
// switches and the correction parameters they enable.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include "ui/layout.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {

// One row of a coefficient group: caption, edit, optional unit.
TEdit* coefficientRow(QWidget* group, const char* caption, const QString& text, const char* edit, const char* unit,
                      int y, int editX)
{
    makeLabel(group, caption, text, 8, y + 3);
    TEdit* field = makeEdit(group, edit, editX, y, 45);
    if (unit)
        makeLabel(group, unit, QStringLiteral("[N/mm²]"), editX + 51, y + 3);
    return field;
}

// One row of a correction group: symbol with subscript, edit, optional unit.
TEdit* correctionRow(QWidget* group, const char* symbolName, const QString& symbol, const char* subName,
                     const QString& sub, const char* edit, const char* unitName, const QString& unit, int y)
{
    makeLabel(group, symbolName, symbol, 8, y + 3);
    makeSubscript(group, subName, sub, 22, y + 10);
    TEdit* field = makeEdit(group, edit, 36, y, 42);
    if (unitName)
        makeLabel(group, unitName, unit, 83, y + 3);
    return field;
}

QCheckBox* makeCheckBox(QWidget* group, const char* name, const QString& caption, int y)
{
    auto* box = new QCheckBox(caption, group);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(6, y, 260, 20);
    box->setChecked(true);
    return box;
}

const QString perDegree = QStringLiteral("[1/Grad]");
const QString degree = QStringLiteral("[Grad]");
const QString gamma = QStringLiteral("γ");
const QString lambda = QStringLiteral("λ");

}  // namespace

void TVersuch::createPageOptionen()
{
    QWidget* page = PageOptionen;

    GroupBox500 = makeGroup(page, "GroupBox500", QStringLiteral("Schnittkraft"), 16, 12, 753, 209);
    GroupBox530 = makeGroup(GroupBox500, "GroupBox530", QStringLiteral("kc-Werte"), 8, 20, 184, 120);
    Edit531 = coefficientRow(GroupBox530, "Label531", QStringLiteral("kc1.1"), "Edit531", "Label534", 24, 70);
    Edit532 = coefficientRow(GroupBox530, "Label532", QStringLiteral("kc1.0,1"), "Edit532", "Label535", 54, 70);
    Edit533 = coefficientRow(GroupBox530, "Label533", QStringLiteral("kc1.0,01"), "Edit533", "Label536", 84, 70);
    GroupBox540 = makeGroup(GroupBox500, "GroupBox540", QStringLiteral("Exponent 1-z"), 198, 20, 128, 120);
    Edit541 = coefficientRow(GroupBox540, "Label541", QStringLiteral("1-z1.1"), "Edit541", nullptr, 24, 76);
    Edit542 = coefficientRow(GroupBox540, "Label542", QStringLiteral("1-z1.0,1"), "Edit542", nullptr, 54, 76);
    Edit543 = coefficientRow(GroupBox540, "Label543", QStringLiteral("1-z1.0,01"), "Edit543", nullptr, 84, 76);

    GroupBox510 = makeGroup(GroupBox500, "GroupBox510", QStringLiteral("Korrekturen"), 332, 20, 268, 180);
    GroupBox510->setToolTip(QStringLiteral("Schnittkraftkorrektur durchführen ?"));
    CheckBox511 = makeCheckBox(GroupBox510, "CheckBox511", QStringLiteral("Spanwinkelkorrektur"), 24);
    CheckBox512 = makeCheckBox(GroupBox510, "CheckBox512", QStringLiteral("Neigungswinkelkorrektur"), 59);
    CheckBox513 = makeCheckBox(GroupBox510, "CheckBox513", QStringLiteral("Schnittgeschwindigkeitskorrektur"), 94);
    CheckBox514 = makeCheckBox(GroupBox510, "CheckBox514", QStringLiteral("Verschleißkorrektur"), 129);

    GroupBox590 = makeGroup(GroupBox500, "GroupBox590", QStringLiteral("Parameter"), 606, 20, 143, 180);
    {
        QWidget* g = GroupBox590;
        Edit591 =
            correctionRow(g, "Label9", QStringLiteral("m"), "Label10", gamma, "Edit591", "Label26", perDegree, 24);
        Edit592 = correctionRow(g, "Label13", gamma, "Label15", QStringLiteral("0"), "Edit592", "Label27", degree, 59);
        Edit593 =
            correctionRow(g, "Label20", QStringLiteral("m"), "Label22", lambda, "Edit593", "Label24", perDegree, 94);
        Edit594 =
            correctionRow(g, "Label25", lambda, "Label28", QStringLiteral("0"), "Edit594", "Label29", degree, 129);
    }

    GroupBox501 = makeGroup(page, "GroupBox501", QStringLiteral("Vorschubkraft"), 16, 224, 753, 265);
    GroupBox550 = makeGroup(GroupBox501, "GroupBox550", QStringLiteral("kf-Werte"), 8, 20, 184, 120);
    Edit551 = coefficientRow(GroupBox550, "Label551", QStringLiteral("kf1.1"), "Edit551", "Label554", 24, 70);
    Edit552 = coefficientRow(GroupBox550, "Label552", QStringLiteral("kf1.0,1"), "Edit552", "Label555", 54, 70);
    Edit553 = coefficientRow(GroupBox550, "Label553", QStringLiteral("kf1.0,01"), "Edit553", "Label556", 84, 70);
    GroupBox560 = makeGroup(GroupBox501, "GroupBox560", QStringLiteral("Exponent 1-x"), 198, 20, 128, 120);
    Edit561 = coefficientRow(GroupBox560, "Label561", QStringLiteral("1-x1.1"), "Edit561", nullptr, 24, 76);
    Edit562 = coefficientRow(GroupBox560, "Label562", QStringLiteral("1-x1.0,1"), "Edit562", nullptr, 54, 76);
    Edit563 = coefficientRow(GroupBox560, "Label563", QStringLiteral("1-x1.0,01"), "Edit563", nullptr, 84, 76);

    GroupBox520 = makeGroup(GroupBox501, "GroupBox520", QStringLiteral("Korrekturen"), 332, 20, 268, 238);
    GroupBox520->setToolTip(QStringLiteral("Vorschubkraftkorrektur durchführen ?"));
    CheckBox521 = makeCheckBox(GroupBox520, "CheckBox521", QStringLiteral("Spanwinkelkorrektur"), 24);
    CheckBox522 = makeCheckBox(GroupBox520, "CheckBox522", QStringLiteral("Neigungswinkelkorrektur"), 59);
    CheckBox523 = makeCheckBox(GroupBox520, "CheckBox523", QStringLiteral("Einstellwinkelkorrektur"), 94);
    CheckBox524 = makeCheckBox(GroupBox520, "CheckBox524", QStringLiteral("Schneidstoffkorrektur"), 129);
    CheckBox525 = makeCheckBox(GroupBox520, "CheckBox525", QStringLiteral("Schnittgeschwindigkeitskorrektur"), 164);
    CheckBox526 = makeCheckBox(GroupBox520, "CheckBox526", QStringLiteral("Verschleißkorrektur"), 199);

    GroupBox580 = makeGroup(GroupBox501, "GroupBox580", QStringLiteral("Parameter"), 606, 20, 143, 238);
    {
        QWidget* g = GroupBox580;
        Edit581 =
            correctionRow(g, "Label30", QStringLiteral("m"), "Label31", gamma, "Edit581", "Label32", perDegree, 24);
        Edit582 = correctionRow(g, "Label35", gamma, "Label33", QStringLiteral("0"), "Edit582", "Label34", degree, 68);
        Edit583 = correctionRow(g, "Label42", QStringLiteral("g"), "Label43", QStringLiteral("s"), "Edit583", nullptr,
                                QString(), 112);
        Edit584 =
            correctionRow(g, "Label36", QStringLiteral("m"), "Label37", lambda, "Edit584", "Label38", perDegree, 156);
        Edit585 =
            correctionRow(g, "Label39", lambda, "Label40", QStringLiteral("0"), "Edit585", "Label41", degree, 200);
    }
}

namespace {

void enableAll(QWidget* window, std::initializer_list<const char*> names, bool enabled)
{
    for (const char* name : names)
        window->findChild<QWidget*>(QString::fromLatin1(name))->setEnabled(enabled);
}

}  // namespace

void TVersuch::CheckBox511OnClick()
{
    enableAll(this, {"Label9", "Label10", "Label26", "Label13", "Label15", "Label27", "Edit591", "Edit592"},
              CheckBox511->isChecked());
}

void TVersuch::CheckBox512Click()
{
    enableAll(this, {"Label20", "Label22", "Label24", "Label25", "Label28", "Label29", "Edit593", "Edit594"},
              CheckBox512->isChecked());
}

void TVersuch::CheckBox521Click()
{
    enableAll(this, {"Label30", "Label31", "Label32", "Label35", "Label33", "Label34", "Edit581", "Edit582"},
              CheckBox521->isChecked());
}

void TVersuch::CheckBox522Click()
{
    enableAll(this, {"Label36", "Label37", "Label38", "Label39", "Label40", "Label41", "Edit584", "Edit585"},
              CheckBox522->isChecked());
}

void TVersuch::CheckBox524Click() { enableAll(this, {"Label42", "Label43", "Edit583"}, CheckBox524->isChecked()); }

}  // namespace orbiton::ui
