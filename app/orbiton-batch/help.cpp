#include "app/orbiton-batch/help.h"

#include <string_view>

#include "app/orbiton-batch/overrides.h"
#include "orbiton_version.h"

namespace orbiton::batch {

#define ORBITON_BATCH_USAGE                                                                          \
    "Aufruf: orbiton-batch EINGABE.ads [-o AUSGABE] [--format eds|csv|json] [--summary] [--raw]\n"   \
    "                      [--set NAME=WERT]... [--vary NAME=VON:BIS:SCHRITT]... [--jobs N]\n"       \
    "       orbiton-batch EINGABE.ads --calibrate-power KW [--idle-power KW] [--set NAME=WERT]...\n" \
    "                      -o WERKSTOFF.wks\n"                                                       \
    "       orbiton-batch --new-material kc1.1=WERT mc=WERT kf1.1=WERT mf=WERT [NAME=WERT]...\n"     \
    "                      -o WERKSTOFF.wks\n"                                                       \
    "       orbiton-batch --fit-material MESSUNGEN.csv [NAME=WERT]... -o WERKSTOFF.wks\n"            \
    "       orbiton-batch --list-parameters | --help | --version\n"

const char* const usageText = ORBITON_BATCH_USAGE;

const char* const helpText =
    ORBITON_BATCH_USAGE "\n"
                        "Rechnet einen Berechnungsumlauf mit dem Anfangsdatensatz EINGABE.ads, so wie\n"
                        "ihn die Schaltfläche \"Start\" des Fensters nach dem Öffnen der Datei rechnen\n"
                        "würde, und gibt die Ergebnistabelle oder die elf Kennwerte aus. Mit --set\n"
                        "werden Eingaben vorher geändert; mit --vary entsteht eine Parameterstudie:\n"
                        "ein Lauf je Wert und eine Zeile je Lauf.\n"
                        "\n"
                        "Optionen:\n"
                        "  -o AUSGABE       schreibt das Ergebnis in die Datei AUSGABE; eine vorhandene\n"
                        "                   Datei wird erst ersetzt, wenn alles gerechnet ist. Ohne -o\n"
                        "                   geht das Ergebnis auf die Standardausgabe (beim Format eds\n"
                        "                   ohne --summary die Tabelle).\n"
                        "  --format FORMAT  eds (Vorgabe): die Ergebnistabelle als Ergebnisdatensatz,\n"
                        "                   wie das Fenster sie speichert.\n"
                        "                   csv: RFC 4180, UTF-8, Dezimalpunkt, 9 gültige Ziffern, eine\n"
                        "                   Kopfzeile \"Name [Einheit]\"; ein Lauf gibt die 31 Kanäle je\n"
                        "                   Berechnungsschritt, eine Variation die variierten Werte,\n"
                        "                   die elf Kennwerte und \"error\" je Lauf.\n"
                        "                   json: ein Dokument mit den Eingaben (inputs), den\n"
                        "                   Kennwerten (summary: name, caption, unit, value) und den\n"
                        "                   Kanälen (channels: key, unit, description, values); bei\n"
                        "                   einer Variation eine Liste der Läufe mit varied, summary,\n"
                        "                   error.\n"
                        "  --summary        gibt die elf Kennwerte der Seite \"Ergebnisse\" als Zeilen\n"
                        "                   \"Name Wert\" auf der Standardausgabe aus (nur eds).\n"
                        "  --raw            schreibt Zahlen mit 9 gültigen Ziffern und Dezimalpunkt\n"
                        "                   statt im Anzeigeformat (4 Ziffern, Dezimalkomma; nur eds).\n"
                        "  --set NAME=WERT  setzt die Eingabe NAME vor dem Lauf auf WERT, mit\n"
                        "                   Dezimalpunkt oder Dezimalkomma; eine Auswahl nach ihrer\n"
                        "                   Beschriftung oder Nummer (insertShape=rhombisch), einen\n"
                        "                   Schalter mit 1 oder 0. Der Wert wird geprüft wie im Feld\n"
                        "                   des Fensters; ein abgelehnter Wert endet mit der Meldung\n"
                        "                   des Feldes. Mehrfach möglich.\n"
                        "  --vary NAME=VON:BIS:SCHRITT\n"
                        "                   rechnet einen Lauf je Wert VON + k*SCHRITT von VON bis BIS\n"
                        "                   (beide eingeschlossen). Jeder Wert wird ins Feld\n"
                        "                   geschrieben wie von der Parametervariation des Fensters\n"
                        "                   (so kurz, wie es den Wert nicht ändert; ganze Zahlen bei\n"
                        "                   Feldern, die nur Ziffern nehmen) und geprüft wie mit\n"
                        "                   --set. Zweimal angegeben: jede Kombination, die erste\n"
                        "                   Eingabe außen. Höchstens 100000 Läufe; verlangt\n"
                        "                   --format csv oder json.\n"
                        "  --jobs N         verteilt die Läufe einer Variation auf N Threads\n"
                        "                   (Vorgabe: die Zahl der Prozessorkerne); die Ausgabe ist\n"
                        "                   dieselbe wie mit einem.\n"
                        "  --list-parameters zeigt alle Namen für --set und --vary mit Bezeichnung,\n"
                        "                   Einheit, Bereich und Vorgabe und endet.\n"
                        "  -h, --help       zeigt diese Hilfe und endet.\n"
                        "  --version        zeigt die Versionsnummer und endet.\n"
                        "\n"
                        "Werkstoffdateien:\n"
                        "  --new-material kc1.1=WERT mc=WERT kf1.1=WERT mf=WERT [NAME=WERT]...\n"
                        "                   schreibt eine Werkstoffdatei aus den Kennwerten des\n"
                        "                   Einbereichsgesetzes k = k1.1 * h^-m (Katalog, Tabellenbuch):\n"
                        "                   Stützwert des Bereichs = k1.1 * h_ref^-m bei h_ref = 1;\n"
                        "                   0,1; 0,01 mm, ganzzahlig; Exponent 1-m in jedem Bereich.\n"
                        "                   NAME=WERT ändert einzelne Werkstoffwerte (kc101, expC1001,\n"
                        "                   refRakeAngleC, ... wie --list-parameters); alle übrigen\n"
                        "                   Werte sind die der mitgelieferten Werkstoffdatei.\n"
                        "  --fit-material MESSUNGEN.csv [NAME=WERT]...\n"
                        "                   passt das Kraftgesetz an gemessene Kräfte an (Spalten h, b,\n"
                        "                   Fc, wahlweise Ff, γ, λ, v_c, VB) und gibt je Bereich\n"
                        "                   Punkte, k_ref, 1-m, R² und die größte Abweichung aus.\n"
                        "  --calibrate-power KW\n"
                        "                   gleicht die Stützwerte der Schnittkraft des Anfangsdatensatzes\n"
                        "                   so ab, dass die mittlere Schnittleistung des Laufs der\n"
                        "                   gemessenen Spindelleistung KW abzüglich der Leerlaufleistung\n"
                        "                   entspricht, und gibt den Faktor aus.\n"
                        "  --idle-power KW  die Leerlaufleistung der Spindel dazu (Vorgabe 0).\n"
                        "                   Alle drei schreiben die Werkstoffdatei nach -o (verlangt), mit\n"
                        "                   ihrer Herkunft in Kommentarzeilen nach Zeile 21.\n"
                        "\n"
                        "Die Werkstoffwerte stehen im Anfangsdatensatz selbst (Zeilen 21 bis 41); die\n"
                        "dort genannte Werkstoffdatei wird nicht gelesen. Eine Variation zeigt auf\n"
                        "einem Terminal nach etwa einer Sekunde ihren Fortschritt auf der\n"
                        "Standardfehlerausgabe.\n"
                        "\n"
                        "Beispiele:\n"
                        "  orbiton-batch default.ads --summary\n"
                        "  orbiton-batch default.ads -o ergebnis.eds\n"
                        "  orbiton-batch default.ads --raw > ergebnis.txt\n"
                        "  orbiton-batch default.ads --set insertShape=rhombisch --set toothCount=3 --summary\n"
                        "  orbiton-batch default.ads --vary cuttingSpeed=60:300:20 --format csv \\\n"
                        "      -o schnittgeschwindigkeit.csv\n"
                        "  orbiton-batch default.ads --vary toothCount=1:6:1 \\\n"
                        "      --vary radialFeedPerTooth=0.05:0.3:0.05 --format json -o gitter.json\n"
                        "\n"
                        "Rückgabewert: 0 bei Erfolg; 2, wenn eine Variation ihre Zeilen geschrieben hat,\n"
                        "aber Läufe darin fehlschlugen (ihre Zeilen tragen die Meldung in \"error\").\n"
                        "Bei jedem anderen Fehler steht die Meldung auf der Standardfehlerausgabe, der\n"
                        "Rückgabewert ist 1 und keine Ausgabedatei wird angelegt oder verändert; das\n"
                        "gilt auch, wenn kein Lauf einer Variation gelingt, der Arbeitsspeicher nicht\n"
                        "reicht (ein Lauf ohne Speicher wird erst noch einmal gerechnet) oder die\n"
                        "Standardausgabe geschlossen ist. Eine Meldung zu einer\n"
                        "Zeile der Eingabe beginnt mit EINGABE.ads:ZEILE:, ein Rechenfehler nennt\n"
                        "Schritt und Zahn. AUSGABE darf nicht die Eingabedatei sein.\n";

const char* const versionText = "orbiton-batch " ORBITON_VERSION "\n";

std::optional<std::string> informationRequested(int argc, const char* const* argv)
{
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (arg == "-o" || arg == "--format" || arg == "--set" || arg == "--vary" || arg == "--jobs" ||
            arg == "--fit-material" || arg == "--calibrate-power" || arg == "--idle-power")
            ++k;
        else if (arg == "--help" || arg == "-h")
            return helpText;
        else if (arg == "--version")
            return versionText;
        else if (arg == "--list-parameters")
            return parameterList();
    }
    return std::nullopt;
}

}  // namespace orbiton::batch
