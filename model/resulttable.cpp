#include "model/resulttable.h"

namespace orbiton {

const std::array<ChannelInfo, channelCount>& channels()
{
    static const std::array<ChannelInfo, channelCount> table{{
        {"Phij", "Grad", "Schrittwinkel in Grad"},
        {"lfc", "mm", "Schnittvorschub pro Zahn in mm"},
        {"ap", "mm", "axiale Schnitttiefe pro Zahn in mm"},
        {"bz", "mm", "axialer Vorschub pro Zahn in mm"},
        {"Höhe_ax", "mm", "Schnitttiefe der Axialschneide in mm"},
        {"Breite_ax", "mm", "Schnittbreitenanteil1 in mm"},
        {"Hebel_ax", "mm", "Hebel des Moments bzgl. des Fräsers in mm"},
        {"Höhe_IA", "mm", "Schnitttiefe der Außen-/Innenschneide in mm"},
        {"Breite_IA", "mm", "Schnittbreitenanteil2 in mm"},
        {"Hebel_IA", "mm", "Hebel des Moments bzgl. des Fräsers in mm"},
        {"RvGrenz", "mm", "Radialkoordinate der Materialgrenze bei einer Vorbohrung in mm"},
        {"Fcj", "N", "Schnittkraft an einem Zahn in Newton"},
        {"FcNj", "N", "Normalkraft an einem Zahn [N]"},
        {"Fqj", "N", "Querkraft an einem Zahn [N]"},
        {"Pcj", "W", "Schnittleistung an einem Zahn [W]"},
        {"Fcx", "N", "Schnittkraft in X-Richtung [N]"},
        {"Fcy", "N", "Schnittkraft in Y-Richtung [N]"},
        {"Fc", "N", "Schnittkraft (gesamt)[N]"},
        {"Phirc", "Grad", "Schnittkraft (vektoriell)"},
        {"FcNx", "N", "Normalkraft in X-Richtung [N]"},
        {"FcNy", "N", "Normalkraft in Y-Richtung [N]"},
        {"FcN", "N", "Normalkraft (gesamt) [N]"},
        {"PhirN", "Grad", "Normalkraft (vektoriell)"},
        {"Fqx", "N", "Querkraft in X-Richtung [N]"},
        {"Fqy", "N", "Querkraft in Y-Richtung [N]"},
        {"Fq", "N", "Querkraft (gesamt) [N]"},
        {"PhirQ", "Grad", "Querkraft (vektoriell)"},
        {"Pc", "W", "Schnittleistung [W]"},
        {"Mc", "Nm", "Schnittmoment bzgl. Fräser [Nm]"},
        {"Mb", "Nm", "Schnittmoment bzgl. Bohrstange [Nm]"},
        {"A", "mm²", "Schnittfläche [mm²]"},
    }};
    return table;
}

std::string channelHeading(int channel)
{
    const ChannelInfo& info = channels().at(static_cast<std::size_t>(channel));
    return std::string(info.key) + " [" + info.unit + "]";
}

std::string describeChannel(int channel)
{
    return channelHeading(channel) + ": " + channels().at(static_cast<std::size_t>(channel)).description;
}

const std::array<SummaryField, 11>& summaryFields()
{
    static const std::array<SummaryField, 11> fields{{
        {"meanCuttingPower", "mittlere Schnittleistung", "[kW]", &RunSummary::meanCuttingPower},
        {"removalRatePower", "genäherte Schnittleistung über Zeitspanvolumen", "[kW]", &RunSummary::removalRatePower},
        {"meanCutterTorque", "mittleres Schnittmoment bzgl. Fräser", "[Nm]", &RunSummary::meanCutterTorque},
        {"meanBarTorque", "mittleres Schnittmoment bzgl. Bohrstange", "[Nm]", &RunSummary::meanBarTorque},
        {"minClearanceAxial", "Axialschneide", "[Grad]", &RunSummary::minClearanceAxial},
        {"minClearanceOuter", "Außenschneide", "[Grad]", &RunSummary::minClearanceOuter},
        {"minClearanceInner", "Innenschneide", "[Grad]", &RunSummary::minClearanceInner},
        {"feedSpeed", "Vorschubgeschwindigkeit", "[mm/min]", &RunSummary::feedSpeed},
        {"spindleSpeed", "Fräserdrehzahl", "[1/min]", &RunSummary::spindleSpeed},
        {"circularSpeed", "Zirkulardrehzahl", "[1/min]", &RunSummary::circularSpeed},
        {"roughnessDepth", "Rautiefe in Umfangsrichtung", "[mm]", &RunSummary::roughnessDepth},
    }};
    return fields;
}

}  // namespace orbiton
