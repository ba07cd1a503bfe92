// Field validation: the entry filter on every change of a numeric field and
// the range rule when the focus leaves it for another control.
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <stdexcept>

#include "model/errors.h"
#include "model/fields.h"
#include "model/numbertext.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {

using Handler = void (TVersuch::*)();

struct NamedHandler {
    const char* control;
    Handler change;
    Handler exit;
};

#define ORBITON_FIELD_ENTRY(name) {#name, &TVersuch::name##Change, &TVersuch::name##Exit},
const NamedHandler fieldHandlers[] = {
    ORBITON_RULE_FIELDS(ORBITON_FIELD_ENTRY){"Edit431", &TVersuch::Edit431Change, nullptr},
    {"Edit432", &TVersuch::Edit432Change, nullptr},
};
#undef ORBITON_FIELD_ENTRY

const char* const integerExpected = "Ganzzahliger Wert erwartet";

}  // namespace

#define ORBITON_DEFINE_FIELD_HANDLERS(name)               \
    void TVersuch::name##Change() { fieldChange(#name); } \
    void TVersuch::name##Exit() { fieldExit(#name); }
ORBITON_RULE_FIELDS(ORBITON_DEFINE_FIELD_HANDLERS)
#undef ORBITON_DEFINE_FIELD_HANDLERS

void TVersuch::bindFields()
{
    for (const NamedHandler& handler : fieldHandlers) {
        const FieldSpec* rules = findField(handler.control);
        QWidget* widget = control(handler.control);
        if (!rules || !widget)
            throw std::logic_error(std::string("Feld ohne Regel oder Steuerelement: ") + handler.control);
        FieldBinding binding{rules, nullptr, widget, handler.exit};
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            binding.edit = combo->lineEdit();
            bind(combo, &QComboBox::editTextChanged, handler.change);
        } else {
            binding.edit = qobject_cast<QLineEdit*>(widget);
            bind(binding.edit, &QLineEdit::textChanged, handler.change);
        }
        // Caption, unit and range, from the table the rules come from.
        widget->setToolTip(QString::fromStdString(fieldToolTip(handler.control)));
        fields_.push_back(binding);
    }
}

const TVersuch::FieldBinding& TVersuch::field(std::string_view name) const
{
    for (const FieldBinding& binding : fields_)
        if (name == binding.rules->control)
            return binding;
    throw std::invalid_argument("Unbekanntes Feld " + std::string(name));
}

const TVersuch::FieldBinding* TVersuch::fieldOf(QWidget* widget) const
{
    for (; widget; widget = widget->parentWidget())
        for (const FieldBinding& binding : fields_)
            if (binding.control == widget)
                return &binding;
    return nullptr;
}

void TVersuch::fieldChange(std::string_view name)
{
    const FieldBinding& f = field(name);
    QLineEdit* edit = f.edit;
    const int caret = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const FilterResult filtered =
        numericEntryFilter(edit->text().toStdString(), f.rules->allowComma, f.rules->allowMinus);
    if (!filtered.removed) {
        edit->setCursorPosition(caret);
        return;
    }
    // Putting the text back runs this handler again on the shorter text;
    // the caret placement of this outer run is the one that remains.
    const QString text = QString::fromStdString(filtered.text);
    if (auto* combo = qobject_cast<QComboBox*>(f.control))
        setControlText(combo, text);
    else
        setControlText(edit, text);
    edit->setCursorPosition(std::max(0, caret - 1));
}

void TVersuch::fieldExit(std::string_view name)
{
    const FieldBinding& f = field(name);
    if (f.rules->rule.kind == FieldRule::Kind::ObservedTooth) {
        observedToothExit();
        return;
    }
    bool passes = false;
    try {
        passes = passesRule(*f.rules, f.edit->text().toStdString());
    } catch (const ConversionError& error) {
        throw namingField(error, name);
    }
    if (passes)
        return;
    warn(QString::fromUtf8(f.rules->message));
    if (f.rules->restoreText)
        setControlText(name, QString::fromUtf8(f.rules->restoreText));
    returnFocus(f.control);
}

void TVersuch::observedToothExit()
{
    const FieldBinding& f = field("Edit162");
    if (Edit162->text().isEmpty()) {
        warn(QString::fromUtf8(integerExpected));
        setControlText(Edit162, QStringLiteral("1"));
        returnFocus(Edit162);
    }
    // A tooth above the tooth count, or below the first tooth, matches no
    // tooth of the cutter.
    int toothCount = 0;
    bool passes = false;
    try {
        toothCount = parseInteger(Edit113->text().toStdString());
    } catch (const ConversionError& error) {
        throw namingField(error, inputs::toothCount);
    }
    const std::string tooth = Edit162->text().toStdString();
    try {
        passes = passesRule(*f.rules, tooth) && parseInteger(tooth) <= toothCount;
    } catch (const ConversionError& error) {
        throw namingField(error, inputs::observedTooth);
    }
    if (!passes) {
        warn(QString::fromUtf8(f.rules->message));
        returnFocus(Edit162);
    }
}

}  // namespace orbiton::ui
