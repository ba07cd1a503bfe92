// The material data commands of the window through the scripted dialogs:
// "Neu aus Kennwerten…", "Aus Messungen bestimmen…" and the results page's
// "Leistung abgleichen …". The numbers and bytes are pinned by the core and
// batch tests; here the wiring: what is asked, written and put on the page.
#include <QPushButton>

#include <cmath>

#include "test_files.h"

namespace orbiton::ui::testing {
namespace {

class MaterialData : public FileWindowTest {
protected:
    QList<QByteArray> fileLines(const QString& name) { return readBytes(path(name)).split('\n'); }

    QString warnings() const
    {
        QString texts;
        for (const ShownMessage& message : dialogs->messages)
            texts += message.text + QLatin1Char('|');
        return texts;
    }

    // The file written, loaded back through "Öffnen...": the window reads
    // the origin lines after line 21 without complaint.
    void expectReadsBack(const QString& name)
    {
        const std::string before = w().text("Edit531");
        w().guarded([&] { w().setControlText(control<QLineEdit>("Edit531"), QStringLiteral("1")); });
        choose(control<QAction>("Oeffnen2"), path(name));
        EXPECT_EQ(w().text("Edit531"), before);
        // "Speichern unter" writes the 21 lines and nothing else.
        choose(control<QAction>("Speichernunter2"), path("kopie.wks"));
        EXPECT_EQ(readBytes(path("kopie.wks")).count('\n'), 21);
    }
};

TEST_F(MaterialData, NewFromCatalogueValuesWritesTheFileWithItsSource)
{
    struct Case {
        CatalogueAnswer answer;
        QString file;
        const char* kc1001;
        const char* refRake;
        QByteArray firstOrigin;
    };
    const std::vector<Case> cases{
        {{"680", "0,27", "200", "0,4", 5},
         QStringLiteral("alu.wks"),
         "2358",
         "12",
         "# Quelle: Tabellenbuch Zerspantechnik, 5. Aufl. 2022, S. 215 (Bezugs-Spanwinkel S. 216) "
         "(Aluminium-Gusslegierung, hoher Si-Gehalt, kc1.1 680 N/mm\xB2, mc 0,27, Bezugs-Spanwinkel 12 Grad)\r"},
        {{"1800", "0.2", "300", "0,4", -1},
         QStringLiteral("eigen.wks"),
         "4521",
         "12",
         "# Quelle: Kennwerte kc1.1 1800 N/mm\xB2, mc 0,2, kf1.1 300 N/mm\xB2, mf 0,4\r"},
    };
    for (const auto& c : cases) {
        dialogs->catalogueAnswers.push_back(c.answer);
        choose(control<QAction>("NeuausKennwerten1"), path(c.file));
        EXPECT_EQ(warnings(), QString());
        const auto lines = fileLines(c.file);
        ASSERT_GE(lines.size(), 23) << c.file.toStdString();
        EXPECT_EQ(lines[2], QByteArray(c.kc1001) + "\r");
        EXPECT_EQ(lines[21], c.firstOrigin);
        EXPECT_EQ(w().text("Edit533"), c.kc1001);
        EXPECT_EQ(w().text("Edit592"), c.refRake);  // a typed law keeps the page's γ0
        expectReadsBack(c.file);
    }
    EXPECT_EQ(dialogs->catalogueDialogs, 2);
}

TEST_F(MaterialData, RefusedOrCancelledCatalogueValuesChangeNothing)
{
    const auto before = controlState();
    dialogs->catalogueAnswers.push_back(CatalogueAnswer{"1800", "0,95", "300", "0,4", -1});
    control<QAction>("NeuausKennwerten1")->trigger();
    dialogs->catalogueAnswers.push_back(std::nullopt);
    control<QAction>("NeuausKennwerten1")->trigger();
    dialogs->catalogueAnswers.push_back(CatalogueAnswer{"1800", "0,2", "300", "0,4", -1});
    choose(control<QAction>("NeuausKennwerten1"), QString());  // save dialog cancelled
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(dialogs->messages[0].text, QStringLiteral("Der Exponent muß zwischen 0,1 und 1 liegen"));
    EXPECT_EQ(dialogs->fileDialogs.size(), 1u);  // only the valid values reach the save dialog
    EXPECT_EQ(controlState(), before);
}

TEST_F(MaterialData, FitShowsTheLawBeforeSavingIt)
{
    QByteArray csv = "h [mm];b [mm];Fc [N]\r\n";
    for (int j = 0; j < 12; ++j) {
        const double h = 0.002 * std::pow(500.0, j / 11.0);
        csv += QByteArray::number(h, 'g', 9).replace('.', ',') + ";2;" +
               QByteArray::number(1500 * std::pow(h, 0.75) * 2, 'g', 9).replace('.', ',') + "\r\n";
    }
    writeBytes(path("versuch.csv"), csv);
    writeBytes(path("kaputt.csv"), "h;b;Fc\r\n0,1;2;500\r\n0,2;x;600\r\n");

    // Declined in the dialog: nothing is saved.
    dialogs->fitAnswer = false;
    choose(control<QAction>("AusMessungen1"), path("versuch.csv"));
    ASSERT_EQ(dialogs->fitsShown.size(), 1u);
    EXPECT_EQ(dialogs->fitsShown[0].second, QStringLiteral("versuch.csv"));
    EXPECT_EQ(dialogs->fitsShown[0].first.cuttingPoints.size(), 12u);
    EXPECT_EQ(dialogs->fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs->fileDialogs[0].settings.filterPattern, QStringLiteral("*.csv"));

    dialogs->fitAnswer = true;
    dialogs->files.push_back(path("versuch.csv"));
    choose(control<QAction>("AusMessungen1"), path("versuch.wks"));
    EXPECT_EQ(dialogs->fileDialogs.back().settings.filterPattern, QStringLiteral("*.wks"));
    EXPECT_EQ(w().text("Edit531"), "1500");
    EXPECT_EQ(w().text("Edit541"), "0,75");
    const auto lines = fileLines(QStringLiteral("versuch.wks"));
    ASSERT_GE(lines.size(), 24);
    EXPECT_EQ(lines[21], "# Quelle: Messungen versuch.csv\r");
    expectReadsBack(QStringLiteral("versuch.wks"));

    choose(control<QAction>("AusMessungen1"), path("kaputt.csv"));
    EXPECT_EQ(errorTexts(),
              QStringList{QStringLiteral("Zeile 3 von kaputt.csv: 'x' ist kein gültiger Gleitkommawert.")});
}

TEST_F(MaterialData, CalibrationScalesTheCuttingForceToTheMeasuredPower)
{
    dialogs->powerAnswers.push_back({QStringLiteral("0,65"), QStringLiteral("0,25")});
    dialogs->files.push_back(path("abgeglichen.wks"));
    control<QPushButton>("Button201")->click();
    ASSERT_EQ(dialogs->powerDialogs, std::vector<QString>{QStringLiteral("0,3265")});
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_TRUE(dialogs->messages[0].text.startsWith(QStringLiteral("Faktor 1,225: kc1.1 796, kc1.0,1 1231")))
        << dialogs->messages[0].text.toStdString();
    EXPECT_TRUE(dialogs->messages[0].text.endsWith(QStringLiteral("abgeglichen 0,4 kW.")));
    EXPECT_EQ(w().text("Edit531"), "796");
    EXPECT_EQ(fileLines(QStringLiteral("abgeglichen.wks"))[22].left(19), "# Abgeglichen an 0,");
    expectReadsBack(QStringLiteral("abgeglichen.wks"));

    // Cancelled: nothing changes.
    control<QPushButton>("Button201")->click();
    EXPECT_EQ(dialogs->powerDialogs.size(), 2u);
    EXPECT_EQ(w().text("Edit531"), "796");
}

}  // namespace
}  // namespace orbiton::ui::testing
