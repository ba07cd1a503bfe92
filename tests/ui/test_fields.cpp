// Typing into the numeric fields (entry filter, caret, typed length) and
// leaving them (range rules, messages, restored texts, focus return).
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>

#include "model/errors.h"
#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

class FieldEntry : public WindowTest {};

TEST_F(FieldEntry, PointIsRemovedAndCaretStaysWhereItWasTyped)
{
    typeInto(control<QLineEdit>("Edit142"), QStringLiteral("1.5"));
    EXPECT_EQ(control<QLineEdit>("Edit142")->text(), QStringLiteral("15"));
    // The point was typed at position 1; after "5" the caret is at 2.
    EXPECT_EQ(control<QLineEdit>("Edit142")->cursorPosition(), 2);

    typeInto(control<QLineEdit>("Edit142"), QStringLiteral("12"));
    control<QLineEdit>("Edit142")->setCursorPosition(1);
    QTest::keyClicks(control<QLineEdit>("Edit142"), QStringLiteral("x"));
    EXPECT_EQ(control<QLineEdit>("Edit142")->text(), QStringLiteral("12"));
    EXPECT_EQ(control<QLineEdit>("Edit142")->cursorPosition(), 1);
}

TEST_F(FieldEntry, PastedTextLosesEveryOffendingCharacterOneRunAtATime)
{
    control<QLineEdit>("Edit121")->setFocus();
    control<QLineEdit>("Edit121")->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("1-2,3,4"));
    control<QLineEdit>("Edit121")->paste();
    EXPECT_EQ(control<QLineEdit>("Edit121")->text(), QStringLiteral("12,34"));
    // Caret: position after the paste (7) minus one, beyond the end means the end.
    EXPECT_EQ(control<QLineEdit>("Edit121")->cursorPosition(), 5);
}

TEST_F(FieldEntry, LeadingMinusOnlyWhereTheFieldAllowsIt)
{
    typeInto(control<QLineEdit>("Edit121"), QStringLiteral("-5"));
    EXPECT_EQ(control<QLineEdit>("Edit121")->text(), QStringLiteral("-5"));
    typeInto(control<QLineEdit>("Edit111"), QStringLiteral("-5"));
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("5"));
    typeInto(control<QLineEdit>("Edit141"), QStringLiteral("12,5"));
    EXPECT_EQ(control<QLineEdit>("Edit141")->text(), QStringLiteral("125"));
}

TEST_F(FieldEntry, CalculationStepsComboFiltersTypedText)
{
    typeInto(control<QComboBox>("ComboBox161"), QStringLiteral("1a2"));
    EXPECT_EQ(control<QComboBox>("ComboBox161")->currentText(), QStringLiteral("12"));
}

TEST_F(FieldEntry, MaximumLengthLimitsTypingButNotTextsSetByTheProgram)
{
    typeInto(control<QLineEdit>("Edit113"), QStringLiteral("123"));
    EXPECT_EQ(control<QLineEdit>("Edit113")->text(), QStringLiteral("12"));
    typeInto(control<QLineEdit>("Edit111"), QStringLiteral("1234567"));
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("12345"));

    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit113"), QStringLiteral("12345")); });
    EXPECT_EQ(control<QLineEdit>("Edit113")->text(), QStringLiteral("12345"));
    // An over-long text can still be shortened.
    control<QLineEdit>("Edit113")->setFocus();
    control<QLineEdit>("Edit113")->end(false);
    QTest::keyClick(control<QLineEdit>("Edit113"), Qt::Key_Backspace);
    EXPECT_EQ(control<QLineEdit>("Edit113")->text(), QStringLiteral("1234"));
    QTest::keyClicks(control<QLineEdit>("Edit113"), QStringLiteral("9"));
    EXPECT_EQ(control<QLineEdit>("Edit113")->text(), QStringLiteral("1234"));
}

TEST_F(FieldEntry, TextsSetByTheProgramPassTheFilterToo)
{
    w().guarded([&] { w().setControlText(control<QLineEdit>("Edit141"), QStringLiteral("1,5")); });
    EXPECT_EQ(control<QLineEdit>("Edit141")->text(), QStringLiteral("15"));
    w().guarded([&] { w().setControlText("ComboBox161", QStringLiteral("2.40")); });
    EXPECT_EQ(control<QComboBox>("ComboBox161")->currentText(), QStringLiteral("240"));
    EXPECT_TRUE(dialogs->messages.empty());
}

class FieldExit : public WindowTest {
protected:
    // Types the text into the field, moves the focus to `next` and returns
    // the warnings shown.
    std::vector<QString> leave(QLineEdit* edit, const QString& text, QWidget* next = nullptr)
    {
        typeInto(edit, text);
        const std::size_t before = messageCount();
        (next ? next : static_cast<QWidget*>(control<QLineEdit>("Edit141")))->setFocus();
        std::vector<QString> shown;
        for (std::size_t i = before; i < messageCount(); ++i) {
            EXPECT_EQ(dialogs->messages[i].kind, MessageKind::Warning);
            shown.push_back(dialogs->messages[i].text);
        }
        return shown;
    }
    static std::vector<QString> one(const char* text) { return {QString::fromUtf8(text)}; }
};

TEST_F(FieldExit, BoreDiameterAcceptsOneAndRestoresOnSmallerValues)
{
    EXPECT_TRUE(leave(control<QLineEdit>("Edit111"), QStringLiteral("1")).empty());
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>("Edit141"));

    EXPECT_EQ(leave(control<QLineEdit>("Edit111"), QStringLiteral("0,9")),
              one("Bohrungsdurchmesser muß größer als 1mm sein"));
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("88"));
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>("Edit111"));
}

TEST_F(FieldExit, StrictAndInclusiveBounds)
{
    const char* outerRake = "Der Spanwinkel der Außenschneide muß zwischen -90 Grad und 90 Grad liegen";
    EXPECT_EQ(leave(control<QLineEdit>("Edit121"), QStringLiteral("90")), one(outerRake));
    EXPECT_EQ(control<QLineEdit>("Edit121")->text(), QStringLiteral("0"));
    EXPECT_EQ(leave(control<QLineEdit>("Edit121"), QStringLiteral("-90")), one(outerRake));
    EXPECT_TRUE(leave(control<QLineEdit>("Edit121"), QStringLiteral("89,9")).empty());

    control<TRadioGroup>("RadioGroup1")->button(1)->click();  // enables the setting angle
    EXPECT_EQ(leave(control<QLineEdit>("Edit125"), QStringLiteral("0")),
              one("Der Einstellwinkel muß zwischen 0 Grad und 90 Grad liegen"));
    EXPECT_EQ(control<QLineEdit>("Edit125")->text(), QStringLiteral("10"));

    w().selectPage(4);
    EXPECT_TRUE(leave(control<QLineEdit>("Edit551"), QStringLiteral("0"), control<QLineEdit>("Edit552")).empty());
    EXPECT_EQ(leave(control<QLineEdit>("Edit531"), QStringLiteral("0"), control<QLineEdit>("Edit532")),
              one("Der kc1.1-Wert muß größer als 0 N/mm² sein"));
    EXPECT_EQ(control<QLineEdit>("Edit531")->text(), QStringLiteral("650"));

    EXPECT_TRUE(leave(control<QLineEdit>("Edit541"), QStringLiteral("0,1"), control<QLineEdit>("Edit542")).empty());
    EXPECT_TRUE(leave(control<QLineEdit>("Edit541"), QStringLiteral("1"), control<QLineEdit>("Edit542")).empty());
    EXPECT_EQ(leave(control<QLineEdit>("Edit541"), QStringLiteral("1,01"), control<QLineEdit>("Edit542")),
              one("Der Exponent muß zwischen 0,1 und 1 liegen"));
    EXPECT_EQ(control<QLineEdit>("Edit541")->text(), QStringLiteral("0,81"));

    EXPECT_TRUE(leave(control<QLineEdit>("Edit583"), QStringLiteral("2"), control<QLineEdit>("Edit584")).empty());
    EXPECT_EQ(leave(control<QLineEdit>("Edit583"), QStringLiteral("2,1"), control<QLineEdit>("Edit584")),
              one("Der Schneidstoff-Korrekturfaktor muß zwischen 0 und 2 liegen"));
    EXPECT_EQ(control<QLineEdit>("Edit583")->text(), QStringLiteral("1,0"));
}

TEST_F(FieldExit, FeedMessagesNameTheirOwnQuantity)
{
    EXPECT_EQ(leave(control<QLineEdit>("Edit142"), QString()),
              one("Der axiale Vorschub pro Umdrehung muß größer sein als 0 mm"));
    EXPECT_EQ(control<QLineEdit>("Edit142")->text(), QStringLiteral("1,5"));
    EXPECT_EQ(leave(control<QLineEdit>("Edit143"), QStringLiteral("0")),
              one("Der radiale Vorschub pro Zahn muß größer sein als 0 mm"));
    EXPECT_EQ(control<QLineEdit>("Edit143")->text(), QStringLiteral("0,2"));
}

TEST_F(FieldExit, EmptyOnlyFieldsRestoreTheirTextEvenWhenAnotherFieldIsDisabled)
{
    control<TRadioGroup>("RadioGroup1")->button(1)->click();
    ASSERT_FALSE(control<QLineEdit>("Edit115")->isEnabled());
    EXPECT_EQ(leave(control<QLineEdit>("Edit116"), QString(), control<QLineEdit>("Edit111")),
              one("Die Verschleißmarkenbreite muß größer oder gleich 0mm sein"));
    EXPECT_EQ(control<QLineEdit>("Edit116")->text(), QStringLiteral("0"));
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>("Edit116"));
    EXPECT_TRUE(leave(control<QLineEdit>("Edit114"), QStringLiteral("0")).empty());
}

TEST_F(FieldExit, CalculationStepsKeepTheirTextAndTheFocus)
{
    const char* range = "Anzahl der Berechnungsschritte muß zwischen 36 und 720 liegen";
    typeInto(control<QComboBox>("ComboBox161"), QStringLiteral("30"));
    control<QLineEdit>("Edit162")->setFocus();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().text, QString::fromUtf8(range));
    EXPECT_EQ(control<QComboBox>("ComboBox161")->currentText(), QStringLiteral("30"));
    EXPECT_EQ(QApplication::focusWidget(), control<QComboBox>("ComboBox161"));

    // Left empty: the user is told the range and stays in the field.
    typeInto(control<QComboBox>("ComboBox161"), QString());
    control<QLineEdit>("Edit162")->setFocus();
    ASSERT_EQ(messageCount(), 2u);
    EXPECT_EQ(lastMessage().text, QString::fromUtf8(range));
    EXPECT_EQ(QApplication::focusWidget(), control<QComboBox>("ComboBox161"));

    typeInto(control<QComboBox>("ComboBox161"), QStringLiteral("720"));
    control<QLineEdit>("Edit162")->setFocus();
    EXPECT_EQ(messageCount(), 2u);
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>("Edit162"));
}

TEST_F(FieldExit, ObservedToothMustBeAnExistingTooth)
{
    const char* missing = "Es können nur Zähne betrachtet werden, die auch vorhanden sind";
    typeInto(control<QLineEdit>("Edit113"), QStringLiteral("2"));
    EXPECT_EQ(leave(control<QLineEdit>("Edit162"), QStringLiteral("3")), one(missing));
    EXPECT_EQ(control<QLineEdit>("Edit162")->text(), QStringLiteral("3"));
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>("Edit162"));

    // Tooth 0 matches no tooth either.
    EXPECT_EQ(leave(control<QLineEdit>("Edit162"), QStringLiteral("0")), one(missing));
    EXPECT_EQ(control<QLineEdit>("Edit162")->text(), QStringLiteral("0"));

    EXPECT_EQ(leave(control<QLineEdit>("Edit162"), QString()), one("Ganzzahliger Wert erwartet"));
    EXPECT_EQ(control<QLineEdit>("Edit162")->text(), QStringLiteral("1"));
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>("Edit162"));

    EXPECT_TRUE(leave(control<QLineEdit>("Edit162"), QStringLiteral("2")).empty());
}

TEST_F(FieldExit, ScaleFieldsOfTheChartPageMustNotBeEmpty)
{
    w().selectPage(3);
    control<QLineEdit>("Edit421")->setEnabled(true);
    control<QLineEdit>("Edit422")->setEnabled(true);
    EXPECT_EQ(leave(control<QLineEdit>("Edit421"), QString(), control<QLineEdit>("Edit422")),
              one("Bitte geben Sie einen Wert ein !"));
    EXPECT_EQ(control<QLineEdit>("Edit421")->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>("Edit421"));
}

TEST_F(FieldExit, TextThatIsNoNumberGivesTheConversionError)
{
    typeInto(control<QLineEdit>("Edit121"), QStringLiteral("-"));
    control<QLineEdit>("Edit122")->setFocus();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::StandardError);
    EXPECT_EQ(lastMessage().text,
              QStringLiteral("Spanwinkel der Außenschneide: '-' ist kein gültiger Gleitkommawert."));
    EXPECT_EQ(control<QLineEdit>("Edit121")->text(), QStringLiteral("-"));
}

TEST_F(FieldExit, FocusGoingNowhereOrBackIntoTheFieldChecksNothing)
{
    typeInto(control<QLineEdit>("Edit111"), QStringLiteral("0"));
    control<QLineEdit>("Edit111")->clearFocus();
    control<QLineEdit>("Edit111")->setFocus();
    EXPECT_EQ(messageCount(), 0u);
    EXPECT_EQ(control<QLineEdit>("Edit111")->text(), QStringLiteral("0"));

    // A page switched by the program (opening a menu) does not leave the field.
    w().guarded([&] { w().selectPage(4); });
    control<QLineEdit>("Edit531")->setFocus();
    EXPECT_EQ(messageCount(), 0u);
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>("Edit531"));
}

TEST_F(FieldExit, ClickingStartOutOfAFailingFieldWarnsAndDoesNotRun)
{
    typeInto(control<QLineEdit>("Edit111"), QStringLiteral("0,5"));
    QTest::mouseClick(control<QPushButton>("Button101"), Qt::LeftButton);
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Bohrungsdurchmesser muß größer als 1mm sein"));
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>("Edit111"));
    EXPECT_EQ(control<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("Memo1"));  // no run cleared it
    EXPECT_EQ(dialogs->busyCalls, 0);

    QTest::qWait(1);
    QTest::mouseClick(control<QPushButton>("Button101"), Qt::LeftButton);
    EXPECT_EQ(dialogs->busyCalls, 1);
    EXPECT_EQ(control<QPlainTextEdit>("Memo1")->toPlainText(), QString());
}

TEST_F(FieldExit, ClickingAnotherPageOutOfAFailingFieldKeepsThePage)
{
    typeInto(control<QLineEdit>("Edit132"), QStringLiteral("0"));
    QTest::mouseClick(control<QTabBar>("TabSet"), Qt::LeftButton, {}, control<QTabBar>("TabSet")->tabRect(1).center());
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Die Breite der Wendeschneidplatte muß größer sein als 0 mm"));
    EXPECT_EQ(control<QLineEdit>("Edit132")->text(), QStringLiteral("10"));
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>("Edit132"));

    QTest::qWait(1);
    QTest::mouseClick(control<QTabBar>("TabSet"), Qt::LeftButton, {}, control<QTabBar>("TabSet")->tabRect(1).center());
    EXPECT_EQ(control<QTabBar>("TabSet")->currentIndex(), 1);
    EXPECT_EQ(messageCount(), 1u);
}

}  // namespace
}  // namespace orbiton::ui::testing
