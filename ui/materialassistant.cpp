#include "ui/materialassistant.h"

#include <QFile>
#include <QFileInfo>

#include <memory>

#include "material/catalogue.h"
#include "material/fit.h"
#include "model/errors.h"
#include "model/fields.h"
#include "model/numbertext.h"
#include "simulation/runsequence.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The window's controls with other material texts: what a run would read
// after the texts were put on the page.
class MaterialOverlay : public ControlSource {
public:
    MaterialOverlay(const ControlSource& window, const MaterialTexts& texts) : window_(window), texts_(texts) {}
    std::string text(std::string_view control) const override
    {
        for (std::size_t k = 0; k < materialLineCount; ++k)
            if (materialControls()[k] == control)
                return texts_[k];
        return window_.text(control);
    }
    int selectedIndex(std::string_view control) const override { return window_.selectedIndex(control); }
    bool isChecked(std::string_view control) const override { return window_.isChecked(control); }

private:
    const ControlSource& window_;
    const MaterialTexts& texts_;
};

}  // namespace

MaterialTexts MaterialAssistant::pageTexts() const
{
    MaterialTexts texts;
    for (std::size_t k = 0; k < materialLineCount; ++k)
        texts[k] = window_.text(materialControls()[k]);
    return texts;
}

void MaterialAssistant::saveAndApply(const MaterialTexts& texts, const std::vector<std::string>& origin)
{
    checkMaterialTexts(texts);
    const std::optional<QString> path = window_.dialogs().saveFile(window_.SaveDialog2);
    if (!path)
        return;
    saveMaterialFile(localPath(*path), texts, origin);
    for (std::size_t k = 0; k < materialLineCount; ++k)
        window_.setControlText(materialControls()[k], QString::fromStdString(texts[k]));
}

void MaterialAssistant::newFromCatalogue()
{
    const std::optional<CatalogueAnswer> answer = window_.dialogs().catalogueValues();
    if (!answer)
        return;
    CatalogueInput input{
        answer->kc11.toStdString(), answer->mc.toStdString(), answer->kf11.toStdString(), answer->mf.toStdString(), {}};
    std::vector<std::string> origin;
    const auto& table = cuttingValuesTable();
    if (answer->tableRow >= 0 && static_cast<std::size_t>(answer->tableRow) < table.size()) {
        const CuttingValues& row = table[static_cast<std::size_t>(answer->tableRow)];
        input.changes.push_back({inputs::refRakeAngleC, row.refRake});
        origin.push_back("Quelle: " + row.source + " (" + row.material + ", kc1.1 " + row.kc11 + " N/mm², mc " +
                         row.mc + ", Bezugs-Spanwinkel " + row.refRake + " Grad)");
    }
    origin.push_back(catalogueOrigin(input));
    // The correction values stay those of the page.
    saveAndApply(materialFromCatalogue(input, pageTexts()), origin);
}

void MaterialAssistant::fitFromMeasurements()
{
    const std::optional<QString> path = window_.dialogs().openFile(window_.OpenDialog5);
    if (!path)
        return;
    window_.OpenDialog5.proposedName = *path;
    MeasurementTable table;
    try {
        table = readMeasurementFile(localPath(*path));
    } catch (OrbitonError& e) {
        if (e.line() == 0)
            throw;
        throw FileError("Zeile " + std::to_string(e.line()) + " von " + QFileInfo(*path).fileName().toStdString() +
                        ": " + e.what());
    }
    const MaterialFit fit = fitMaterial(table, pageTexts());
    const QString name = QFileInfo(*path).fileName();
    if (!window_.dialogs().confirmFit(fit, name))
        return;
    saveAndApply(fit.texts, fitOrigin(fit, name.toStdString()));
}

void MaterialAssistant::calibrateToPower()
{
    auto calculation = std::make_unique<Calculation>();
    {
        BusyCursor busy(window_.dialogs());
        calculation->run(window_);
    }
    const float simulated = calculation->summary.meanCuttingPower;
    if (!(simulated > 0))
        throw RunRefused("Der Lauf ergibt keine Schnittleistung; ein Abgleich ist nicht möglich");
    const std::optional<PowerAnswer> answer =
        window_.dialogs().measuredPower(QString::fromStdString(formatNumber(simulated)));
    if (!answer)
        return;
    const long double spindle = parseTypedNumber(answer->spindleKw.toStdString());
    const long double idle = parseTypedNumber(answer->idleKw.toStdString());
    const long double factor = calibrationFactor(spindle - idle, simulated);
    const MaterialTexts texts = scaleCuttingForce(pageTexts(), factor);
    {
        BusyCursor busy(window_.dialogs());
        calculation->run(MaterialOverlay(window_, texts));
    }
    const std::string net = formatNumber(spindle - idle);
    window_.dialogs().message(MessageKind::Information,
                              QString::fromStdString("Faktor " + formatNumber(factor) + ": kc1.1 " + texts[0] +
                                                     ", kc1.0,1 " + texts[1] + ", kc1.0,01 " + texts[2] +
                                                     " N/mm².\nSchnittleistung gerechnet " + formatNumber(simulated) +
                                                     " kW, gemessen (netto) " + net + " kW, abgeglichen " +
                                                     formatNumber(calculation->summary.meanCuttingPower) + " kW."),
                              Buttons::Ok);
    saveAndApply(texts,
                 {"Quelle: Werkstoffwerte der Seite Optionen",
                  "Abgeglichen an " + net + " kW Netto-Schnittleistung (Spindelleistung " + formatNumber(spindle) +
                      " kW, Leerlauf " + formatNumber(idle) + " kW), Faktor " + formatNumber(factor)});
}

}  // namespace orbiton::ui
