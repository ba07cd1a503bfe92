#include "app/orbiton/commandline.h"

#include "orbiton_version.h"

namespace orbiton::app {

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    auto refuse = [&line](std::string error) {
        line.action = CommandLine::Action::Refused;
        line.error = std::move(error);
        return line;
    };
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument == "--help") {
            line.action = CommandLine::Action::Help;
            return line;
        } else if (!optionsEnded && argument == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            return refuse("orbiton: unbekannte Option \"" + argument + "\"");
        } else if (argument.empty()) {
            return refuse("orbiton: leerer Dateiname");
        } else if (!line.dataSet.empty()) {
            return refuse("orbiton: nur ein Anfangsdatensatz kann geöffnet werden");
        } else {
            line.dataSet = argument;
        }
    }
    return line;
}

std::string usageText() { return "Aufruf: orbiton [DATEI.ads]\n       orbiton --help | --version\n"; }

std::string helpText()
{
    return usageText() + "\n"
                         "Öffnet das Fenster von Orbiton, der Simulation des Zirkularfräsens einer\n"
                         "Bohrung. Mit DATEI.ads wird dieser Anfangsdatensatz geöffnet, wie mit\n"
                         "\"Datei\", \"Öffnen...\"; eine Datei, die nicht gelesen werden kann, wird\n"
                         "gemeldet, und das Fenster beginnt mit den Vorgaben als \"Unbenannt\".\n"
                         "\n"
                         "Optionen:\n"
                         "  --help     zeigt diese Hilfe und endet\n"
                         "  --version  zeigt die Version und endet\n"
                         "  --         beendet die Optionen; ein folgender Name ist ein Dateiname,\n"
                         "             auch wenn er mit \"-\" beginnt\n";
}

std::string versionText() { return "orbiton " ORBITON_VERSION "\n"; }

}  // namespace orbiton::app
