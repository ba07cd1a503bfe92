#pragma once
// Every modal interaction of the window goes through one interface: message
// boxes, the standard error box, the information box, the file and print
// dialogs and the busy cursor. The program uses QtDialogs; tests install a scripted fake.
#include <QString>

#include "orbiton_version.h"

#include <QSize>

#include <optional>
#include <utility>
#include <vector>

#include "material/fit.h"

class QPrinter;
class QWidget;

namespace orbiton::ui {

enum class MessageKind {
    Warning,       // "Warnung"
    Error,         // "Fehler"
    Information,   // "Information"
    Confirmation,  // "Bestätigen"
    StandardError  // the error box of the error frame, titled "Orbiton 2.9"
};

// DeleteCancel: "Löschen" and "Abbrechen"; "Löschen" answers Ok.
// SaveDiscardCancel: "Speichern", "Verwerfen" and "Abbrechen", answering
// Save, Discard and Cancel.
enum class Buttons { Ok, OkCancel, DeleteCancel, SaveDiscardCancel };
enum class Answer { Ok, Cancel, Save, Discard };

// A further file type a save dialog offers.
struct FileType {
    QString description;  // e.g. "PNG-Bild"
    QString pattern;      // e.g. "*.png"
    QString extension;    // e.g. "png"
};

// One filter entry, the title and the default extension of a file dialog.
struct FileDialogSpec {
    QString title;
    QString filterDescription;  // e.g. "Anfangsdatensatz"
    QString filterPattern;      // e.g. "*.ads"
    QString defaultExtension;   // e.g. "ads", appended to a name typed without one
    QString proposedName;       // the name the dialog starts with, may be empty
    QString folder;             // where it starts without a proposed name; empty: the working directory
    // Offered after the first filter; the filter chosen gives the file type.
    std::vector<FileType> moreTypes;
};

// A path chosen in a save dialog and the filter chosen with it: 0 for the
// first filter, k for moreTypes[k - 1].
struct ChosenFile {
    QString path;
    int type = 0;
};

// The smallest and largest width and height of a picture of the chart.
inline constexpr std::pair<int, int> imageSizeLimits{50, 10000};

inline constexpr const char* applicationTitle = "Orbiton " ORBITON_VERSION;

// What the dialog "Neu aus Kennwerten" returns: the four catalogue values as
// typed and the row of the sourced table they came from (-1: typed).
struct CatalogueAnswer {
    QString kc11, mc, kf11, mf;
    int tableRow = -1;
};

// What the dialog of the power calibration returns: the measured spindle
// power and the idle power in kW, as typed.
struct PowerAnswer {
    QString spindleKw, idleKw;
};

QString titleOf(MessageKind kind);

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal message box; returns the button pressed.
    virtual Answer message(MessageKind kind, const QString& text, Buttons buttons) = 0;

    // The program's information box ("Information"): the text with "OK" and
    // "Über Qt", which shows Qt's own information box and comes back.
    virtual void about(const QString& text) = 0;

    // Returns the chosen path, or nothing when the user cancels.
    virtual std::optional<QString> openFile(const FileDialogSpec& settings) = 0;
    // The same for saving; asks before an existing file is replaced.
    virtual std::optional<QString> saveFile(const FileDialogSpec& settings) = 0;
    // The same with the filter chosen; the extension of that filter is
    // appended to a name typed without one.
    virtual std::optional<ChosenFile> saveFileOfType(const FileDialogSpec& settings) = 0;
    // "Größe der Grafik": width and height in pixels, starting from the
    // proposed size; nothing on cancel.
    virtual std::optional<QSize> imageSize(const QSize& proposed) = 0;
    // Lets the user choose printer and settings; false on cancel.
    virtual bool print(QPrinter& printer) = 0;

    virtual void setBusyCursor() = 0;
    virtual void restoreCursor() = 0;

    // Material data. The catalogue values (with the pick list of the
    // sourced table); nothing when the user cancels.
    virtual std::optional<CatalogueAnswer> catalogueValues() = 0;
    // The fitted law over the measured points on log-log axes with the
    // report; true when the user chooses to save it.
    virtual bool confirmFit(const MaterialFit& fit, const QString& sourceName) = 0;
    // The measured powers for the calibration, beside the simulated mean
    // cutting power (kW, as the results page shows it); nothing on cancel.
    virtual std::optional<PowerAnswer> measuredPower(const QString& simulatedKw) = 0;

    // The standard error box: the error's text followed by ".".
    void showError(const QString& text) { message(MessageKind::StandardError, text + ".", Buttons::Ok); }
};

// The production implementation with QMessageBox, QFileDialog, QPrintDialog
// and the application-wide override cursor. After every dialog the parent's
// window is raised and activated again: without a window manager nobody
// else hands the keyboard back to it.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    Answer message(MessageKind kind, const QString& text, Buttons buttons) override;
    void about(const QString& text) override;
    std::optional<QString> openFile(const FileDialogSpec& settings) override;
    std::optional<QString> saveFile(const FileDialogSpec& settings) override;
    std::optional<ChosenFile> saveFileOfType(const FileDialogSpec& settings) override;
    std::optional<QSize> imageSize(const QSize& proposed) override;
    bool print(QPrinter& printer) override;
    void setBusyCursor() override;
    void restoreCursor() override;
    std::optional<CatalogueAnswer> catalogueValues() override;
    bool confirmFit(const MaterialFit& fit, const QString& sourceName) override;
    std::optional<PowerAnswer> measuredPower(const QString& simulatedKw) override;

private:
    void reactivateParent();

    QWidget* parent_;
};

// Sets the busy cursor for its lifetime; restores it on every way out.
class BusyCursor {
public:
    explicit BusyCursor(Dialogs& dialogs) : dialogs_(dialogs) { dialogs_.setBusyCursor(); }
    ~BusyCursor() { dialogs_.restoreCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    Dialogs& dialogs_;
};

}  // namespace orbiton::ui
