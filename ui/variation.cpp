// The parameter variation: one input of the page "Eingabe" stepped up or
// down by an increment, each step followed by a run and a redraw of the
// chart. The mode is on while the group "Parametervariation" is visible;
// the varied value lives in the input field itself, Edit432 is a second
// view of it.
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "model/fields.h"
#include "model/fpmath.h"
#include "model/numbertext.h"
#include "model/resulttable.h"
#include "ui/chartpage.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {

constexpr int grafikPage = 3;

std::string textOf(const QLineEdit& edit) { return edit.text().toStdString(); }

// A field's number; a text that is none is reported with the field's name.
float realOf(const QLineEdit& edit)
{
    try {
        return parseReal(textOf(edit));
    } catch (const ConversionError& error) {
        throw namingField(error, edit.objectName().toStdString());
    }
}

std::int32_t integerOf(const QLineEdit& edit)
{
    try {
        return parseInteger(textOf(edit));
    } catch (const ConversionError& error) {
        throw namingField(error, edit.objectName().toStdString());
    }
}

// A whole number written with its digits only.
std::string integerText(long double value)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.0Lf", value);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer)
        throw FloatingPointError(FloatingPointError::Kind::Overflow);
    return std::string(buffer, static_cast<std::size_t>(length));
}

const char* const wholeIncrementMessage = "Das Inkrement muß für %s mindestens 1 betragen";

// Targets whose field takes digits only (tooth count, cutting speed) step
// by the increment cut to a whole number, so the field never receives a
// comma it would drop. The value is read before the increment. An
// increment below 1 would leave the value as it is and repeat the run
// unasked: it is refused with a warning and nothing runs.
std::string wholeStep(const QLineEdit& value, const QLineEdit& increment, int direction, const char* target)
{
    const long double n = integerOf(value);
    const long double k = std::trunc(static_cast<long double>(realOf(increment)));
    if (k < 1)
        throw RunRefused(formatMessage(wholeIncrementMessage, target));
    const long double r = direction > 0 ? n + k : n - k;
    return integerText(r);
}

// Every other target: single-precision value and increment, the sum formed
// in extended precision and stored in single precision. The increment is
// read before the value.
std::string realStep(const QLineEdit& value, const QLineEdit& increment, int direction)
{
    const float d = realOf(increment);
    const float v = realOf(value);
    const fp::ext sum = direction > 0 ? fp::ext{v} + fp::ext{d} : fp::ext{v} - fp::ext{d};
    const float r = fp::store(sum);
    return exactFieldText(r);
}

// The input field of a target, nullptr for none.
QLineEdit* variationTargetField(TVersuch& window, int target)
{
    if (target < 0 || target >= variationTargetCount)
        return nullptr;
    return qobject_cast<QLineEdit*>(window.control(variationTargets()[static_cast<std::size_t>(target)].field));
}

// The value field explains the target's field, or the value in general
// while no target is chosen.
void showTarget(QLineEdit& value, const QLineEdit* target)
{
    const std::string name = target ? target->objectName().toStdString() : std::string(inputs::variationValue);
    value.setToolTip(QString::fromStdString(fieldToolTip(name)));
}

}  // namespace

void TVersuch::Parametervariation1Click()
{
    selectPage(grafikPage);
    // Set by the program: ComboBox431Click reacts to the user's choice only.
    ComboBox431->setCurrentIndex(0);
    showTarget(*Edit432, Edit111);
    setControlText(Edit432, Edit111->text());
    {
        // The data cells go blank, the header row included; the row
        // numbers stay.
        GridUpdate update(*StringGrid311);
        const int columns = std::min(StringGrid311->colCount(), channelCount + 1);
        for (int row = 0; row < StringGrid311->rowCount(); ++row)
            for (int column = 1; column < columns; ++column)
                StringGrid311->setCells(column, row, QString());
    }
    GroupBox430->setVisible(GroupBox430->isHidden());
}

void TVersuch::ComboBox431Click()
{
    QLineEdit* field = variationTargetField(*this, ComboBox431->currentIndex());
    showTarget(*Edit432, field);
    if (field)
        setControlText(Edit432, field->text());
}

void TVersuch::Edit431Change() { fieldChange("Edit431"); }

void TVersuch::Edit432Change()
{
    fieldChange("Edit432");
    // The target field applies its own filter; Edit432 keeps what it removes.
    if (QLineEdit* field = variationTargetField(*this, ComboBox431->currentIndex()))
        setControlText(field, Edit432->text());
}

void TVersuch::stepVariation(int direction)
{
    const int target = ComboBox431->currentIndex();
    QLineEdit* field = variationTargetField(*this, target);
    const FieldSpec* rules = field ? findField(field->objectName().toStdString()) : nullptr;
    const std::string step =
        rules && !rules->allowComma
            ? wholeStep(*Edit432, *Edit431, direction, variationTargets()[static_cast<std::size_t>(target)].entry)
            : realStep(*Edit432, *Edit431, direction);
    // The target takes the value as written or not at all: a field without
    // a minus sign would drop the sign and run with another value, and a
    // value outside its range would run unchecked.
    if (rules && !fieldTakesText(*rules, step))
        throw RunRefused(rules->message);
    setControlText(Edit432, QString::fromStdString(step));
    // The run redraws the chart with its results.
    Button101Click();
}

void TVersuch::Button431Click() { stepVariation(-1); }

void TVersuch::Button432Click() { stepVariation(+1); }

}  // namespace orbiton::ui
