// The table of numeric input fields: defaults, filter options and the
// rules checked when a field is left.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/errors.h"
#include "model/fields.h"
#include "model/numbertext.h"

using namespace orbiton;

namespace {

const FieldSpec& field(const char* name)
{
    const FieldSpec* f = findField(name);
    if (!f)
        throw std::runtime_error(std::string("no field ") + name);
    return *f;
}

bool passes(const char* name, const char* text) { return passesRule(field(name), text); }

}  // namespace

TEST(Fields, EveryNumericFieldIsListedOnce)
{
    std::set<std::string> names;
    for (const auto& f : numericFields())
        EXPECT_TRUE(names.insert(f.control).second) << f.control;
    EXPECT_EQ(names.size(), 17u + 21u + 8u);
    for (const char* n : {"Edit111", "Edit116", "Edit125", "Edit132", "Edit143", "ComboBox161",
                          "Edit162", "Edit531", "Edit563", "Edit585", "Edit594", "Edit421",
                          "Edit426", "Edit431", "Edit432"})
        EXPECT_NE(findField(n), nullptr) << n;
    EXPECT_EQ(findField("Edit151"), nullptr);  // the material name is no number
    EXPECT_EQ(findField("Edit999"), nullptr);
}

TEST(Fields, DefaultTextsPassTheirOwnFilterAndRule)
{
    for (const auto& f : numericFields()) {
        const auto filtered = numericEntryFilter(f.defaultText, f.allowComma, f.allowMinus);
        EXPECT_FALSE(filtered.removed) << f.control;
        if (f.rule.kind != FieldRule::Kind::NonEmpty || *f.defaultText) {
            EXPECT_TRUE(passesRule(f, f.defaultText)) << f.control;
        }
        if (f.restoreText) {
            EXPECT_TRUE(passesRule(f, f.restoreText)) << f.control;
            EXPECT_FALSE(numericEntryFilter(f.restoreText, f.allowComma, f.allowMinus).removed);
        }
        if (f.maxLength > 0) {
            EXPECT_LE(std::string(f.defaultText).size(), static_cast<std::size_t>(f.maxLength));
        }
        EXPECT_EQ(f.rule.kind == FieldRule::Kind::None, f.message == nullptr) << f.control;
    }
}

TEST(Fields, DefaultsAndRestoreTextsDiffer)
{
    EXPECT_STREQ(field("Edit115").defaultText, "0,00");
    EXPECT_STREQ(field("Edit115").restoreText, "0");
    EXPECT_STREQ(field("Edit116").defaultText, "0,00");
    EXPECT_STREQ(field("Edit116").restoreText, "0");
    EXPECT_STREQ(field("ComboBox161").defaultText, "120");
    EXPECT_EQ(field("ComboBox161").restoreText, nullptr);
    EXPECT_EQ(field("Edit162").restoreText, nullptr);
    EXPECT_STREQ(field("Edit421").defaultText, "");
    EXPECT_STREQ(field("Edit431").defaultText, "0");
    EXPECT_STREQ(field("Edit432").defaultText, "0");
    EXPECT_STREQ(field("Edit583").restoreText, "1,0");
}

TEST(Fields, FilterOptionsAndLengths)
{
    EXPECT_FALSE(field("Edit111").allowMinus);
    EXPECT_TRUE(field("Edit121").allowMinus);
    EXPECT_FALSE(field("Edit141").allowComma);
    EXPECT_FALSE(field("Edit113").allowComma);
    EXPECT_FALSE(field("Edit531").allowComma);
    EXPECT_TRUE(field("Edit541").allowComma);
    EXPECT_FALSE(field("Edit431").allowMinus);
    EXPECT_TRUE(field("Edit432").allowMinus);
    EXPECT_EQ(field("Edit111").maxLength, 5);
    EXPECT_EQ(field("Edit113").maxLength, 2);
    EXPECT_EQ(field("Edit116").maxLength, 0);
    EXPECT_EQ(field("Edit123").maxLength, 3);
    EXPECT_EQ(field("ComboBox161").maxLength, 3);
    EXPECT_EQ(field("Edit162").maxLength, 1);
    EXPECT_EQ(field("Edit541").maxLength, 4);
    EXPECT_EQ(field("Edit542").maxLength, 0);
    EXPECT_EQ(field("Edit562").maxLength, 4);
    EXPECT_EQ(field("Edit425").maxLength, 0);
}

TEST(Fields, InclusiveAndStrictBounds)
{
    EXPECT_TRUE(passes("Edit111", "1"));
    EXPECT_FALSE(passes("Edit111", "0,9"));
    EXPECT_TRUE(passes("Edit112", "0,5"));
    EXPECT_FALSE(passes("Edit112", "0,49"));
    EXPECT_FALSE(passes("Edit121", "90"));
    EXPECT_FALSE(passes("Edit121", "-90"));
    EXPECT_TRUE(passes("Edit121", "89,9"));
    EXPECT_TRUE(passes("Edit124", "-89,99"));
    EXPECT_FALSE(passes("Edit125", "0"));
    EXPECT_FALSE(passes("Edit125", "90"));
    EXPECT_TRUE(passes("Edit125", "0,001"));
    EXPECT_FALSE(passes("Edit132", "0"));
    EXPECT_FALSE(passes("Edit142", "0,0"));
    EXPECT_TRUE(passes("Edit551", "0"));
    EXPECT_FALSE(passes("Edit531", "0"));
    EXPECT_TRUE(passes("Edit541", "0,1"));
    EXPECT_TRUE(passes("Edit541", "1"));
    EXPECT_FALSE(passes("Edit541", "1,01"));
    EXPECT_FALSE(passes("Edit543", "0,09"));
    EXPECT_TRUE(passes("Edit583", "2"));
    EXPECT_FALSE(passes("Edit583", "2,1"));
    EXPECT_TRUE(passes("Edit592", "10"));
    EXPECT_FALSE(passes("Edit592", "10,0001"));
    // Compared in extended precision: a value just above the bound fails
    // although it rounds to the bound in single precision.
    EXPECT_EQ(parseReal("1,00000001"), 1.0f);
    EXPECT_FALSE(passes("Edit541", "1,00000001"));
}

TEST(Fields, IntegerRules)
{
    EXPECT_FALSE(passes("ComboBox161", "30"));
    EXPECT_FALSE(passes("ComboBox161", "35"));
    EXPECT_TRUE(passes("ComboBox161", "36"));
    EXPECT_TRUE(passes("ComboBox161", "720"));
    EXPECT_FALSE(passes("ComboBox161", "721"));
    EXPECT_FALSE(passes("Edit113", "0"));
    EXPECT_TRUE(passes("Edit113", "1"));
    EXPECT_TRUE(passes("Edit113", "99"));
    EXPECT_FALSE(passes("Edit162", "0"));
    EXPECT_TRUE(passes("Edit162", "9"));
    EXPECT_THROW(passes("Edit113", "1,5"), ConversionError);
}

TEST(Fields, EmptyTextsFailEveryRule)
{
    for (const auto& f : numericFields()) {
        const bool expected = f.rule.kind == FieldRule::Kind::None;
        EXPECT_EQ(passesRule(f, ""), expected) << f.control;
    }
    EXPECT_TRUE(passes("Edit114", "0"));
    EXPECT_TRUE(passes("Edit116", ","));  // only emptiness is checked there
}

TEST(Fields, TextsThatAreNoNumberRaiseTheConversionMessage)
{
    for (const char* text : {"-", ",", "-,"}) {
        try {
            passes("Edit121", text);
            ADD_FAILURE() << text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' ist kein gültiger Gleitkommawert");
        }
    }
}

TEST(Fields, MessagesOfTheFeedFields)
{
    EXPECT_STREQ(field("Edit142").message, "Der axiale Vorschub pro Umdrehung muß größer sein als 0 mm");
    EXPECT_STREQ(field("Edit143").message, "Der radiale Vorschub pro Zahn muß größer sein als 0 mm");
    EXPECT_STREQ(field("Edit162").message, "Es können nur Zähne betrachtet werden, die auch vorhanden sind");
    EXPECT_STREQ(field("Edit111").message, "Bohrungsdurchmesser muß größer als 1mm sein");
    EXPECT_STREQ(field("Edit421").message, "Bitte geben Sie einen Wert ein !");
}
