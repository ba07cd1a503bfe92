#include "app/orbiton-batch/help.h"

#include <string_view>

#include "orbiton_version.h"

namespace orbiton::batch {

#define ORBITON_BATCH_USAGE "Aufruf: orbiton-batch EINGABE.ads [-o AUSGABE.eds] [--summary] [--raw]"

const char* const usageLine = ORBITON_BATCH_USAGE;

const char* const helpText =
    ORBITON_BATCH_USAGE "\n"
                        "       orbiton-batch --help | --version\n"
                        "\n"
                        "Rechnet einen Berechnungsumlauf mit dem Anfangsdatensatz EINGABE.ads, so wie\n"
                        "ihn die Schaltfläche \"Start\" des Fensters nach dem Öffnen der Datei rechnen\n"
                        "würde, und gibt die Ergebnistabelle oder die elf Kennwerte aus.\n"
                        "\n"
                        "Optionen:\n"
                        "  -o AUSGABE.eds  schreibt die Ergebnistabelle als Ergebnisdatensatz in die\n"
                        "                  Datei AUSGABE.eds; eine vorhandene Datei wird ersetzt.\n"
                        "                  Ohne -o und ohne --summary geht die Tabelle auf die\n"
                        "                  Standardausgabe.\n"
                        "  --summary       gibt die elf Kennwerte der Seite \"Ergebnisse\" als Zeilen\n"
                        "                  \"Name Wert\" auf der Standardausgabe aus.\n"
                        "  --raw           schreibt Zahlen mit 9 gültigen Ziffern und Dezimalpunkt\n"
                        "                  statt im Anzeigeformat (4 Ziffern, Dezimalkomma).\n"
                        "  -h, --help      zeigt diese Hilfe und endet.\n"
                        "  --version       zeigt die Versionsnummer und endet.\n"
                        "\n"
                        "Die Werkstoffwerte stehen im Anfangsdatensatz selbst (Zeilen 21 bis 41); die\n"
                        "dort genannte Werkstoffdatei wird nicht gelesen.\n"
                        "\n"
                        "Beispiele:\n"
                        "  orbiton-batch default.ads --summary\n"
                        "  orbiton-batch default.ads -o ergebnis.eds\n"
                        "  orbiton-batch default.ads --raw > ergebnis.txt\n"
                        "\n"
                        "Rückgabewert: 0 bei Erfolg. Bei einem Fehler steht die Meldung auf der\n"
                        "Standardfehlerausgabe, der Rückgabewert ist 1 und keine Ausgabedatei wird\n"
                        "angelegt oder verändert. Eine Meldung zu einer Zeile der Eingabe beginnt mit\n"
                        "EINGABE.ads:ZEILE:, ein Rechenfehler nennt Schritt und Zahn. AUSGABE.eds darf\n"
                        "nicht die Eingabedatei sein.\n";

const char* const versionText = "orbiton-batch " ORBITON_VERSION "\n";

const char* informationRequested(int argc, const char* const* argv)
{
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (arg == "-o")
            ++k;
        else if (arg == "--help" || arg == "-h")
            return helpText;
        else if (arg == "--version")
            return versionText;
    }
    return nullptr;
}

}  // namespace orbiton::batch
