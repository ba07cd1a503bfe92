#include "ui/chartpage.h"

#include <stdexcept>
#include <string_view>

#include "model/numbertext.h"
#include "model/resulttable.h"

namespace orbiton::ui {

namespace {

struct ChannelRow {
    const char* entry;
    const char* xKey;
    const char* yKey;
    const char* leftTitle;
    double yIncrement;
};

// The list of the page, index from 0. Entry 9 ends with a blank.
constexpr ChannelRow channelRows[chartChannelCount] = {
    {"Schnittvorschub pro Zahn", "Phij", "lfc", "Schnittvorschub pro Zahn  [mm]", 0.025},
    {"axiale Schnitttiefe", "Phij", "ap", "axiale Schnitttiefe pro Zahn [mm]", 0.025},
    {"axialer Vorschub", "Phij", "bz", "axialer Vorschub pro Zahn [mm]", 0.0001},
    {"Höhe_ax (axial)", "Phij", "Höhe_ax", "Schnitttiefe der Axialschneide [mm]", 0.0001},
    {"Breite_ax (axial)", "Phij", "Breite_ax", "Schnittbreitenanteil1 (axial) [mm]", 0.1},
    {"Hebel_ax (axial)", "Phij", "Hebel_ax", "Hebel des Moments bzgl. des Fräsers [mm]", 0.1},
    {"Höhe_IA (innen/außen)", "Phij", "Höhe_IA", "Schnitttiefe der Außen-/Innenschneide [mm]", 0.1},
    {"Breite_IA (innen/außen)", "Phij", "Breite_IA", "Schnittbreitenanteil2 (Außen/Innen)[mm]", 0.1},
    {"Hebel_IA (innen/außen)", "Phij", "Hebel_IA", "Hebel des Moments bzgl. des Fräsers [mm]", 0.1},
    {"Radialkoordinate ", "Phij", "RvGrenz", "Radialkoordinate der Materialgrenze [mm]", 0.1},
    {"Schnittkraft an einem Zahn", "Phij", "Fcj", "Schnittkraft an einem Zahn [N]", 50},
    {"Normalkraft an einem Zahn", "Phij", "FcNj", "Normalkraft an einem Zahn [N]", 50},
    {"Querkraft an einem Zahn", "Phij", "Fqj", "Querkraft an einem Zahn [N]", 50},
    {"Schnittleistung an einem Zahn", "Phij", "Pcj", "Schnittleistung an einem Zahn [W]", 50},
    {"Schnittkraft in X-Richtung", "Phij", "Fcx", "Schnittkraft in X-Richtung [N]", 50},
    {"Schnittkraft in Y-Richtung", "Phij", "Fcy", "Schnittkraft in Y-Richtung [N]", 50},
    {"Schnittkraft (gesamt)", "Phij", "Fc", "Schnittkraft [N]", 50},
    {"Schnittkraft (vektoriell)", "Fcx", "Fcy", "Schnittkraft in Y-Richtung [N]", 50},
    {"Normalkraft in X-Richtung", "Phij", "FcNx", "Normalkraft in X-Richtung [N]", 50},
    {"Normalkraft in Y-Richtung", "Phij", "FcNy", "Normalkraft in Y-Richtung [N]", 50},
    {"Normalkraft (gesamt)", "Phij", "FcN", "Normalkraft [N]", 50},
    {"Normalkraft (vektoriell)", "FcNx", "FcNy", "Normalkraft in Y-Richtung [N]", 50},
    {"Querkraft in X-Richtung", "Phij", "Fqx", "Querkraft in X-Richtung [N]", 50},
    {"Querkraft in Y-Richtung", "Phij", "Fqy", "Querkraft in Y-Richtung [N]", 50},
    {"Querkraft (gesamt)", "Phij", "Fq", "Querkraft [N]", 50},
    {"Querkraft (vektoriell)", "Fqx", "Fqy", "Querkraft in Y-Richtung [N]", 50},
    {"Schnittleistung", "Phij", "Pc", "Schnittleistung [W]", 50},
    {"Schnittmoment", "Phij", "Mc", "Schnittmoment bzgl. Fräser [Nm]", 1},
    {"Moment bzgl. Bohrstange", "Phij", "Mb", "Schnittmoment bzgl. Bohrstange [Nm]", 1},
    {"Schnittfläche", "Phij", "A", "Schnittfläche [mm²]", 0.05},
};

// Bottom axis of the three vector entries: title by X channel, increment 50.
struct VectorAxis {
    const char* xKey;
    const char* title;
};
constexpr VectorAxis vectorAxes[] = {
    {"Fcx", "Schnittkraft in X-Richtung [N]"},
    {"FcNx", "Normalkraft in X-Richtung [N]"},
    {"Fqx", "Querkraft in X-Richtung [N]"},
};
constexpr double vectorIncrement = 50.0;

int channelOf(std::string_view key)
{
    const auto& all = channels();
    for (int c = 0; c < channelCount; ++c)
        if (key == all[static_cast<std::size_t>(c)].key)
            return c;
    throw std::logic_error("Unbekannter Kanal " + std::string(key));
}

std::array<ChartChannel, chartChannelCount> buildChannels()
{
    std::array<ChartChannel, chartChannelCount> table{};
    for (int i = 0; i < chartChannelCount; ++i) {
        const ChannelRow& row = channelRows[i];
        ChartChannel& c = table[static_cast<std::size_t>(i)];
        c.entry = row.entry;
        c.x = channelOf(row.xKey);
        c.y = channelOf(row.yKey);
        c.leftTitle = row.leftTitle;
        c.yIncrement = row.yIncrement;
        c.bottomTitle = rotationTitle;
        c.xIncrement = rotationIncrement;
        c.vector = c.x != chPhij;
        if (c.vector) {
            c.bottomTitle = nullptr;
            for (const VectorAxis& axis : vectorAxes)
                if (std::string_view(row.xKey) == axis.xKey)
                    c.bottomTitle = axis.title;
            if (!c.bottomTitle)
                throw std::logic_error("Kein Achsentitel für " + std::string(row.xKey));
            c.xIncrement = vectorIncrement;
        }
    }
    return table;
}

constexpr VariationTarget targets[variationTargetCount] = {
    {"Bohrungsdurchmesser", "Edit111"},          {"Fräserdurchmesser", "Edit112"},
    {"Vorbohrungsdurchmesser", "Edit114"},       {"Zähnezahl", "Edit113"},
    {"Verschleißmarkenbreite", "Edit116"},       {"Spanwinkel Außen", "Edit121"},
    {"Neigungswinkel Außen", "Edit122"},         {"Spanwinkel Innen", "Edit123"},
    {"Neigungswinkel Innen", "Edit124"},         {"Einstellwinkel", "Edit125"},
    {"Wendeschneidplattenbreite", "Edit132"},    {"Schnittgeschwindigkeit", "Edit141"},
    {"axialer Vorschub / Umdrehung", "Edit142"}, {"radialer Vorschub / Zahn", "Edit143"},
};

}  // namespace

const std::array<ChartChannel, chartChannelCount>& chartChannels()
{
    static const std::array<ChartChannel, chartChannelCount> table = buildChannels();
    return table;
}

const std::array<VariationTarget, variationTargetCount>& variationTargets()
{
    static const std::array<VariationTarget, variationTargetCount> table = [] {
        std::array<VariationTarget, variationTargetCount> t{};
        for (int i = 0; i < variationTargetCount; ++i)
            t[static_cast<std::size_t>(i)] = targets[i];
        return t;
    }();
    return table;
}

}  // namespace orbiton::ui
