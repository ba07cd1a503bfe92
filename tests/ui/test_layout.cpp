// The window's controls: names, design positions, initial texts and states,
// and captions that fit their controls without overlapping each other.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>

#include "model/fields.h"
#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

class Layout : public WindowTest {};

TEST_F(Layout, DesignPositionsOfTheGivenControls)
{
    // clang-format off
    const std::pair<const char*, QRect> placed[] = {
        {"GroupBox110", {15, 7, 282, 210}},   {"GroupBox120", {319, 7, 250, 210}},
        {"GroupBox140", {16, 231, 281, 120}}, {"GroupBox130", {319, 231, 250, 57}},
        {"RadioGroup1", {320, 302, 249, 49}}, {"GroupBox150", {600, 225, 177, 140}},
        {"RadioGroup101", {16, 371, 281, 90}}, {"GroupBox160", {320, 371, 249, 90}},
        {"Button101", {645, 403, 89, 33}},    {"GroupBox210", {15, 15, 474, 165}},
        {"GroupBox220", {508, 15, 261, 130}}, {"GroupBox230", {15, 190, 430, 165}},
        {"Memo1", {496, 160, 281, 332}},      {"GroupBox410", {15, 15, 480, 410}},
        {"Chart411", {15, 17, 450, 380}},     {"GroupBox420", {510, 15, 283, 490}},
        {"ListBox421", {18, 17, 247, 249}},   {"RadioGroup421", {19, 270, 246, 83}},
        {"Edit422", {86, 386, 45, 21}},       {"Edit421", {86, 420, 45, 21}},
        {"Edit425", {86, 456, 45, 21}},       {"Edit424", {214, 386, 45, 21}},
        {"Edit423", {214, 420, 45, 21}},      {"Edit426", {214, 456, 45, 21}},
        // The variation group's controls stand 7 pixels lower, below the
        // frame line under the group's caption.
        {"GroupBox430", {15, 435, 480, 57}},  {"ComboBox431", {16, 24, 185, 19}},
        {"Button431", {237, 24, 15, 21}},     {"Edit432", {258, 24, 45, 23}},
        {"Button432", {309, 24, 15, 21}},     {"Edit431", {414, 24, 45, 23}},
        {"GroupBox500", {16, 12, 753, 209}},  {"GroupBox501", {16, 224, 753, 265}},
    };
    // clang-format on
    for (const auto& [name, rect] : placed) {
        QWidget* widget = w().control(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->geometry(), rect) << name;
    }
    EXPECT_EQ(w().control("Label311")->pos(), QPoint(64, 36));
    EXPECT_EQ(w().windowTitle(), QStringLiteral("Unbenannt[*] – Orbiton 2.9"));
}

TEST_F(Layout, TabSetAlongTheBottomAndTheGridAndTheChartGrowWithTheWindow)
{
    QWidget* client = w().centralWidget();
    EXPECT_EQ(control<QTabBar>("TabSet")->height(), 22);
    EXPECT_EQ(control<QTabBar>("TabSet")->geometry().bottom(), client->height() - 1);
    EXPECT_EQ(control<QStackedWidget>("Notebook")->height(), client->height() - 22);
    const QSize design = w().size();
    // The design size shows the design layout; what a larger window adds
    // goes to the grid and the chart.
    for (const QSize added : {QSize(0, 0), QSize(192, 188)}) {
        SCOPED_TRACE(std::to_string(added.width()) + "+" + std::to_string(added.height()));
        w().resize(design + added);
        w().selectPage(2);
        QApplication::processEvents();
        const QRect group = control<QGroupBox>("GroupBox310")->geometry();
        EXPECT_EQ(group.size(), control<QWidget>("Ausgabe")->size());
        EXPECT_EQ(control<TStringGrid>("StringGrid311")->geometry(),
                  QRect(2, 79, 804 + added.width(), 431 + added.height()));
        w().selectPage(3);
        QApplication::processEvents();
        EXPECT_EQ(control<QWidget>("Chart411")->geometry(), QRect(15, 17, 450 + added.width(), 380 + added.height()));
        EXPECT_EQ(control<QGroupBox>("GroupBox420")->geometry(), QRect(510 + added.width(), 15, 283, 490));
        EXPECT_EQ(control<QGroupBox>("GroupBox430")->y(), 435 + added.height());
    }
}

TEST_F(Layout, InitialTextsAndStates)
{
    for (const FieldSpec& field : numericFields()) {
        EXPECT_EQ(w().text(field.control), field.defaultText) << field.control;
        QWidget* control = w().control(field.control);
        auto* edit = qobject_cast<QLineEdit*>(control);
        if (auto* combo = qobject_cast<QComboBox*>(control))
            edit = combo->lineEdit();
        ASSERT_NE(edit, nullptr) << field.control;
        EXPECT_EQ(typedLengthLimit(edit), field.maxLength) << field.control;
    }
    EXPECT_EQ(control<QComboBox>("ComboBox161")->count(), 10);
    EXPECT_EQ(control<QComboBox>("ComboBox161")->itemText(9), QStringLiteral("720"));
    EXPECT_EQ(control<QLineEdit>("Edit151")->text(), QStringLiteral("AlCuMgPbF34.wks"));
    EXPECT_TRUE(control<QLineEdit>("Edit151")->isReadOnly());
    EXPECT_FALSE(control<QLineEdit>("Edit131")->isVisible());
    EXPECT_EQ(control<TRadioGroup>("RadioGroup1")->itemIndex(), 0);
    EXPECT_EQ(control<TRadioGroup>("RadioGroup101")->itemIndex(), 0);
    EXPECT_EQ(control<TRadioGroup>("RadioGroup101")->button(1)->text(), QStringLiteral("Gegenlauf"));
    EXPECT_EQ(control<QPushButton>("Button101")->toolTip(), QStringLiteral("Start eines Berechnungsumlaufs"));
    EXPECT_EQ(control<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("Memo1"));
    for (const char* field : {"ELabel211", "ELabel212", "ELabel213", "ELabel214", "ELabel221", "ELabel222", "ELabel223",
                              "ELabel231", "ELabel232", "ELabel233", "ELabel234"})
        EXPECT_EQ(control<QLabel>(field)->text(), QString()) << field;
    EXPECT_TRUE(control<QLabel>("Label311")->isHidden());
    EXPECT_EQ(control<QLabel>("Label311")->text(), QString());
    EXPECT_EQ(control<TStringGrid>("StringGrid311")->colCount(), 13);
    EXPECT_EQ(control<TStringGrid>("StringGrid311")->rowCount(), 17);

    EXPECT_EQ(control<QListWidget>("ListBox421")->count(), 30);
    EXPECT_EQ(control<QListWidget>("ListBox421")->item(9)->text(), QStringLiteral("Radialkoordinate "));
    EXPECT_EQ(control<QListWidget>("ListBox421")->item(29)->text(), QStringLiteral("Schnittfläche"));
    EXPECT_FALSE(control<QListWidget>("ListBox421")->isEnabled());
    EXPECT_EQ(control<QListWidget>("ListBox421")->currentRow(), -1);
    EXPECT_EQ(control<QListWidget>("ListBox421")->toolTip(), QStringLiteral("darstellbare Parameter"));
    EXPECT_EQ(control<TRadioGroup>("RadioGroup421")->itemIndex(), 0);
    for (QLineEdit* edit :
         {control<QLineEdit>("Edit421"), control<QLineEdit>("Edit422"), control<QLineEdit>("Edit423"),
          control<QLineEdit>("Edit424"), control<QLineEdit>("Edit425"), control<QLineEdit>("Edit426")})
        EXPECT_FALSE(edit->isEnabled());
    EXPECT_TRUE(control<QGroupBox>("GroupBox430")->isHidden());
    EXPECT_EQ(control<QComboBox>("ComboBox431")->count(), 14);
    EXPECT_EQ(control<QComboBox>("ComboBox431")->currentIndex(), -1);
    EXPECT_EQ(control<QComboBox>("ComboBox431")->itemText(3), QStringLiteral("Zähnezahl"));
    EXPECT_FALSE(control<QComboBox>("ComboBox431")->isEditable());
    EXPECT_EQ(control<QGroupBox>("GroupBox220")->title(), QStringLiteral(" Mindestfreiwinkel der"));
    for (QCheckBox* box : w().findChildren<QCheckBox*>())
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_EQ(w().findChildren<QCheckBox*>().size(), 10);
}

// Every caption is readable: it fits its control, the control fits its
// parent, and no two visible controls of a parent overlap.
TEST_F(Layout, CaptionsFitAndControlsDoNotOverlap)
{
    for (int page = 0; page < 5; ++page) {
        w().selectPage(page);
        QApplication::processEvents();
    }
    control<QGroupBox>("GroupBox430")->setVisible(true);
    for (QWidget* widget : w().findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || widget->isHidden() || name.startsWith(QLatin1String("ELabel")))
            continue;
        QWidget* parent = widget->parentWidget();
        if (!parent || qobject_cast<QStackedWidget*>(widget) || widget == w().centralWidget() || widget->isWindow())
            continue;
        const std::string id = name.toStdString();
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 4, button->width()) << id;
            EXPECT_LE(button->fontMetrics().height(), button->height()) << id;
        } else if (qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget)) {
            EXPECT_LE(widget->sizeHint().width(), widget->width()) << id;
            EXPECT_LE(widget->fontMetrics().height(), widget->height()) << id;
        }
        if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            EXPECT_LE(group->fontMetrics().horizontalAdvance(group->title()) + 16, group->width()) << id;
        }
        // Inside the parent (groups on the page "Grafik" may extend past the
        // design width, as designed).
        if (qobject_cast<QGroupBox*>(parent)) {
            EXPECT_TRUE(QRect(QPoint(0, 0), parent->size()).contains(widget->geometry())) << id;
        }
    }
    for (QWidget* parent : w().findChildren<QWidget*>()) {
        std::vector<QWidget*> children;
        for (QObject* child : parent->children()) {
            auto* widget = qobject_cast<QWidget*>(child);
            if (widget && !widget->isHidden() && !widget->isWindow() && !widget->objectName().isEmpty())
                children.push_back(widget);
        }
        for (std::size_t i = 0; i < children.size(); ++i)
            for (std::size_t j = i + 1; j < children.size(); ++j)
                EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                    << children[i]->objectName().toStdString() << " / " << children[j]->objectName().toStdString();
    }
}

}  // namespace
}  // namespace orbiton::ui::testing
