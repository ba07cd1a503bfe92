#include "ui/layout.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>

#include "model/fields.h"
#include "ui/controls.h"

namespace orbiton::ui {

namespace {

QString firstAvailable(std::initializer_list<const char*> families)
{
    const QStringList installed = QFontDatabase::families();
    for (const char* family : families)
        if (installed.contains(QString::fromLatin1(family), Qt::CaseInsensitive))
            return QString::fromLatin1(family);
    return QString::fromLatin1(*families.begin());
}

}  // namespace

QFont arialFont(int pixelSize, bool bold)
{
    static const QString family = firstAvailable({"Arial", "Liberation Sans", "DejaVu Sans"});
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont windowFont()
{
    static const QString family =
        firstAvailable({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "DejaVu Sans"});
    QFont font(family);
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

QGroupBox* makeGroup(QWidget* parent, const char* name, const QString& title, int x, int y, int width, int height)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(x, y, width, height);
    return group;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* makeSubscript(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    QLabel* label = makeLabel(parent, name, text, x, y);
    QFont font = label->font();
    font.setPixelSize(9);
    label->setFont(font);
    label->adjustSize();
    return label;
}

TEdit* makeEdit(QWidget* parent, const char* name, int x, int y, int width, int height)
{
    auto* edit = new TEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(x, y, width, height);
    if (const FieldSpec* rules = findField(name)) {
        edit->setText(QString::fromUtf8(rules->defaultText));
        limitTypedLength(edit, rules->maxLength);
    }
    return edit;
}

}  // namespace orbiton::ui
