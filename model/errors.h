#pragma once
// Errors raised by the calculation core and the file formats.
//
// Every error carries the German text that the window shows. The window's
// error frame appends "." and shows it in the standard error box; a
// RunRefused is shown as a warning box instead, like the geometry check.
#include <stdexcept>
#include <string>

namespace orbiton {

class OrbitonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that does not convert to a number.
class ConversionError : public OrbitonError {
public:
    using OrbitonError::OrbitonError;
};

// Invalid operation, division by zero or overflow in a calculation.
class FloatingPointError : public OrbitonError {
public:
    enum class Kind { InvalidOperation, DivisionByZero, Overflow };
    explicit FloatingPointError(Kind kind);
    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

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

// Replaces the first "%s" of a message pattern by an argument.
std::string formatMessage(const std::string& pattern, const std::string& argument);

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
inline constexpr const char* geometry =
    "Bitte überprüfen Sie die Geometriedaten (Bohrungs- und Fräserdurchmesser, sowie "
    "Wendeschneideplattenbreite)!";
inline constexpr const char* stepCountRange =
    "Anzahl der Berechnungsschritte muß zwischen 36 und 720 liegen";
inline constexpr const char* toothCountMin = "Anzahl der Zähne muß mindestens 1 betragen";
inline constexpr const char* observedToothMissing =
    "Es können nur Zähne betrachtet werden, die auch vorhanden sind";
inline constexpr const char* noInsertShape = "Bitte wählen Sie eine Wendeschneidplattenform";
inline constexpr const char* chipWidthBeyondCutter =
    "Die Spanungsbreite der rhombischen Wendeschneidplatte übersteigt den Fräserdurchmesser. Bitte "
    "verkleinern Sie den Einstellwinkel!";
}  // namespace messages

}  // namespace orbiton
