#pragma once
// Errors raised by the calculation core and the file formats.
//
// Every error carries the German text that the window shows. The window's
// error frame appends "." and shows it in the standard error box; a
// RunRefused is shown as a warning box instead, like the geometry check.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orbiton {

class OrbitonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // The line of the file (from 1) that the error is about, 0 when it is
    // about no line. The text never contains it: the window shows the text
    // alone, the batch tool puts "FILE:LINE: " in front.
    std::size_t line() const noexcept { return line_; }
    void setLine(std::size_t line) noexcept { line_ = line; }

private:
    std::size_t line_ = 0;
};

// A text that does not convert to a number.
class ConversionError : public OrbitonError {
public:
    using OrbitonError::OrbitonError;
};

// Where in a run a floating-point failure happened.
struct RunPlace {
    enum class Stage { Unknown, SetUp, Step, Means, ClearanceAngles };
    Stage stage = Stage::Unknown;
    int step = 0;   // 0..stepCount, with Stage::Step
    int tooth = 0;  // 1..toothCount, or 0 while the step's totals are formed
};

// Invalid operation, division by zero or overflow in a calculation.
class FloatingPointError : public OrbitonError {
public:
    enum class Kind { InvalidOperation, DivisionByZero, Overflow };
    explicit FloatingPointError(Kind kind);
    Kind kind() const noexcept { return kind_; }

    // Set by the run when the failure happened inside it; the text stays.
    const RunPlace& place() const noexcept { return place_; }
    void setPlace(const RunPlace& place) noexcept { place_ = place; }

private:
    Kind kind_;
    RunPlace place_;
};

// The place as words, e.g. "in Schritt 12, Zahn 2"; empty when unknown.
std::string describePlace(const RunPlace& place);

// A file that cannot be opened, created or deleted, or whose content does not fit.
class FileError : public OrbitonError {
public:
    using OrbitonError::OrbitonError;
};

// A run that is refused because its input would write past the result
// table or produce meaningless rows: before anything is calculated, or
// during the run where a tooth's chip would have no meaning (rows stored
// before keep their new values, as after a floating-point failure).
// Shown as a warning, not as an error.
class RunRefused : public OrbitonError {
public:
    using OrbitonError::OrbitonError;
};

// Replaces the first "%s" of a message pattern by an argument, every
// control character of the argument (and every byte that is no UTF-8)
// shown as "?".
std::string formatMessage(const std::string& pattern, const std::string& argument);

// A text as a message quotes it: at most maxCharacters characters, control
// characters and bytes that are no UTF-8 shown as "?", and "…" when the
// text was longer. A message never carries a NUL byte, a line break or a
// whole file line of binary data.
inline constexpr std::size_t quotedCharacters = 40;
std::string excerpt(std::string_view text, std::size_t maxCharacters = quotedCharacters);

// "„650,5“ enthält das unzulässige Zeichen „,“": a text read from a file or
// given on the command line that a field's entry filter would change. Both
// texts are quoted as excerpt shows them.
std::string refusedCharacterMessage(std::string_view text, std::string_view character);

namespace messages {
inline constexpr const char* invalidReal = "'%s' ist kein gültiger Gleitkommawert";
inline constexpr const char* invalidInteger = "'%s' ist kein gültiger Integerwert";
inline constexpr const char* invalidOperation = "Ungültige Gleitkommaoperation";
inline constexpr const char* divisionByZero = "Gleitkommadivision durch Null";
inline constexpr const char* overflow = "Gleitkommaüberlauf";
inline constexpr const char* cannotOpen = "Kann Datei %s nicht öffnen";
inline constexpr const char* cannotCreate = "Kann Datei %s nicht erstellen";
inline constexpr const char* cannotDelete = "Kann Datei %s nicht löschen";
inline constexpr const char* listIndex = "Listenindex außerhalb des zulässigen Bereichs";
inline constexpr const char* dataSetEnds = "Die Datei endet vor dieser Zeile (ein Anfangsdatensatz hat 51 Zeilen)";
inline constexpr const char* materialEnds = "Die Datei endet vor dieser Zeile (eine Werkstoffdatei hat 21 Zeilen)";
inline constexpr const char* fileTooLarge = "Die Datei %s ist größer als 64 KiB";
inline constexpr const char* lineTooLong = "Die Zeile ist länger als 1024 Zeichen";
inline constexpr const char* stepCountRange = "Anzahl der Berechnungsschritte muß zwischen 36 und 720 liegen";
inline constexpr const char* toothCountMin = "Anzahl der Zähne muß mindestens 1 betragen";
inline constexpr const char* toothCountRange = "Anzahl der Zähne muß zwischen 1 und 99 liegen";
inline constexpr const char* observedToothMissing = "Es können nur Zähne betrachtet werden, die auch vorhanden sind";
inline constexpr const char* noInsertShape = "Bitte wählen Sie eine Wendeschneidplattenform";
inline constexpr const char* cuttingCorrectionNotPositive =
    "Die Korrekturfaktoren ergeben für die Schnittkraft keinen positiven Wert. Bitte prüfen Sie Spanwinkel, "
    "Neigungswinkel und Korrekturwerte!";
inline constexpr const char* feedCorrectionNotPositive =
    "Die Korrekturfaktoren ergeben für die Vorschubkraft keinen positiven Wert. Bitte prüfen Sie Spanwinkel, "
    "Neigungswinkel und Korrekturwerte!";
inline constexpr const char* chipWidthBeyondEdge =
    "Die Spanungsbreite übersteigt die Schneidenlänge der rhombischen Wendeschneidplatte. Bitte verkleinern Sie "
    "den axialen Vorschub oder vergrößern Sie den Einstellwinkel!";
}  // namespace messages

}  // namespace orbiton
