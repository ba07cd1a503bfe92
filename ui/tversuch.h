#pragma once
// The program's one window: five pages switched by a tab set along the
// bottom, the main and context menus, the run driver and the handlers of
// every control. Handlers carry the control's name and the event.
//
// Every handler that Qt calls runs inside the error frame (`guarded`): an
// OrbitonError ends the handler and is shown in the standard error box, a
// RunRefused as a warning. When the program sets a control's text, index or
// check state, the control's own handler runs at once (as a user change
// would); an error raised there ends the setting handler too and is shown
// once, by the outermost frame.
#include <QMainWindow>
#include <QPointer>

#include <chrono>
#include <exception>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/errors.h"
#include "model/fields.h"
#include "model/parameterset.h"
#include "model/resulttable.h"
#include "model/simulationstate.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/document.h"
#include "ui/materialorigin.h"
#include "ui/recentfiles.h"
#include "ui/settings.h"
#include "ui/userguide.h"

class QAction;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QKeyEvent;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QSvgWidget;
class QTabBar;

// Fields with a rule checked when the focus leaves them: each has a change
// handler (entry filter) and an exit handler (range rule).
// clang-format off
#define ORBITON_RULE_FIELDS(X)                                                                  \
    X(Edit111) X(Edit112) X(Edit113) X(Edit114) X(Edit115) X(Edit116) X(Edit121) X(Edit122)    \
    X(Edit123) X(Edit124) X(Edit125) X(Edit132) X(Edit141) X(Edit142) X(Edit143)               \
    X(ComboBox161) X(Edit162) X(Edit531) X(Edit532) X(Edit533) X(Edit541) X(Edit542)          \
    X(Edit543) X(Edit551) X(Edit552) X(Edit553) X(Edit561) X(Edit562) X(Edit563) X(Edit581)   \
    X(Edit582) X(Edit583) X(Edit584) X(Edit585) X(Edit591) X(Edit592) X(Edit593) X(Edit594)   \
    X(Edit421) X(Edit422) X(Edit423) X(Edit424) X(Edit425) X(Edit426)
// clang-format on

namespace orbiton::ui {

class Chart;

class TVersuch : public QMainWindow, public ControlSource {
    Q_OBJECT
public:
    explicit TVersuch(std::unique_ptr<Dialogs> dialogs, QWidget* parent = nullptr);
    ~TVersuch() override;

    Dialogs& dialogs() { return *dialogs_; }

    // A run that lasts longer than this shows the run indicator beside the
    // tab set (0: at once).
    void setRunIndicatorDelay(std::chrono::milliseconds delay) { runIndicatorDelay_ = delay; }
    void setDialogs(std::unique_ptr<Dialogs> dialogs) { dialogs_ = std::move(dialogs); }
    // Where "Benutzerhandbuch" finds the guide and how it opens it.
    void setUserGuide(std::unique_ptr<UserGuide> guide) { guide_ = std::move(guide); }
    // Where the window keeps what it remembers between starts: takes the
    // recent data sets and the dialogs' folders from it at once and restores
    // the geometry and state it kept; returns whether there was one. Without
    // settings nothing is remembered.
    bool useSettings(std::unique_ptr<SettingsStore> settings);

    // Opens the data set as "Öffnen..." does after its dialog, without
    // asking about modified inputs. A file that cannot be read raises its
    // error and changes nothing.
    void openDataSet(const QString& path);
    // The data sets last opened or saved, newest first.
    const QStringList& recentFiles() const { return recent_.paths(); }

    // The run data, overwritten in place by every run.
    ParameterSet& parameters() { return params_; }
    ResultTable& resultTable() { return table_; }
    RunSummary& runSummary() { return summary_; }
    SimulationState& simulationState() { return state_; }

    // ControlSource: the controls by their names. Texts UTF-8.
    std::string text(std::string_view control) const override;
    int selectedIndex(std::string_view control) const override;
    bool isChecked(std::string_view control) const override;

    // Any named control of the window, or nullptr.
    QWidget* control(std::string_view name) const;

    // ------------------------------------------------------------ handlers
    void FormCreate();
    void TabSetClick();
    void Button101Click();
    void RadioGroup101Click();
    void RadioGroup1Click();
    void CheckBox511OnClick();
    void CheckBox512Click();
    void CheckBox521Click();
    void CheckBox522Click();
    void CheckBox524Click();
    void groupbox110move();
    void groupbox120move();
    void groupbox130move();
    void stringgrid311move();

#define ORBITON_DECLARE_FIELD_HANDLERS(name) \
    void name##Change();                     \
    void name##Exit();
    ORBITON_RULE_FIELDS(ORBITON_DECLARE_FIELD_HANDLERS)
#undef ORBITON_DECLARE_FIELD_HANDLERS
    void Edit431Change();
    void Edit432Change();

    // Menu "&Datei"
    void Datei1Click();
    void Oeffnen1Click();
    void Speichern1Click();
    void Speichernunter1Click();
    void Loeschen2Click();
    void Beenden1Click();
    // Submenu "Zuletzt geöffnet": entry `index` (from 0) and "Liste leeren"
    void Zuletztgeoeffnet1Click(int index);
    void Listeleeren1Click();
    // Whether the inputs may go (closing, logout, opening another data set):
    // with modified inputs asks whether to save them; true after a save that
    // succeeded or "Verwerfen", false on "Abbrechen" or a cancelled save.
    bool FormCloseQuery();
    // Menu "&Bearbeiten"
    void Tabelleninhaltspeichern1Click();
    void Tabellekopieren1Click();
    void GrafikSpeichern1Click();
    void Grafikdrucken1Click();
    // Menu "&Werkstoffdatei"
    void Werkstoffdatei1Click();
    void Oeffnen2Click();
    void Speichernunter2Click();
    void Loeschen1Click();
    void NeuausKennwerten1Click();
    void AusMessungen1Click();
    // Page "Ergebnisse": calibration to a measured power
    void Button201Click();
    // Menu "&?"
    void Benutzerhandbuch1Click();
    void Info1Click();
    // Context menu
    void Berechnungstarten1Click();
    void Parametervariation1Click();
    void Beenden2Click();
    // Page keys (Ctrl+Tab, Ctrl+PgDown; Ctrl+Shift+Tab, Ctrl+PgUp)
    void NaechsteSeite1Click();
    void VorherigeSeite1Click();
    // Page "Grafik": channel list, axis scaling, parameter variation
    void ListBox421Click();
    void RadioGroup421Click();
    void ComboBox431Click();
    void Button431Click();
    void Button432Click();
    // Material list (page "Eingabe")
    void Edit151Change();
    void FileListBox151Click();
    // A click on the name shown reads its file again.
    void Edit151Click();

    // ---------------------------------------------------------- operations
    void setUpTable();
    void fillTable();
    void showResults();
    void showColumnDescription();
    // The chart of the page "Grafik" from the selected channel.
    void plotChannel();
    void setUpAxes();
    // After a run: the chosen channel drawn anew from the run's results as
    // a click on it draws it; with none chosen the chart stays empty.
    void redrawChart();
    void applyManualScaleY();
    void applyManualScaleX();

    // ------------------------------------- program-initiated control changes
    // Each runs the control's handler when the value changes, like a user
    // change; an error raised there is rethrown here after the change.
    void setControlText(QLineEdit* edit, const QString& text);
    void setControlText(QComboBox* combo, const QString& text);
    void setControlText(std::string_view control, const QString& text);
    void setItemIndex(TRadioGroup* group, int index);
    void setChecked(QCheckBox* box, bool checked);
    // Selects a page through the tab set (raises TabSetClick on a change).
    void selectPage(int index);

    // The error frame around a handler called by Qt (see the top of this file).
    template <class F>
    void guarded(F&& handler) noexcept;

    // Common dialogs: title, filter, default extension and the proposed name.
    FileDialogSpec OpenDialog1, SaveDialog1, OpenDialog2, SaveDialog2, OpenDialog3, OpenDialog4, SaveDialog3,
        SaveDialog4;
    FileDialogSpec OpenDialog5;  // the measured forces of a fit (*.csv)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // ------------------------------------------------------------ controls
    // Reached from outside the window by their object names only (the
    // ControlSource interface, control(), or QObject::findChild in tests).
    // Page notebook and tab set
    QStackedWidget* Notebook = nullptr;
    QTabBar* TabSet = nullptr;
    // Beside the tab set while a long run lasts: "Berechnung läuft …" and a busy bar.
    QWidget* RunIndicator = nullptr;
    QWidget* PageEingabe = nullptr;
    QWidget* PageErgebnisse = nullptr;
    QWidget* PageAusgabe = nullptr;
    QWidget* PageGrafik = nullptr;
    QWidget* PageOptionen = nullptr;

    // Page "Eingabe"
    QGroupBox *GroupBox110 = nullptr, *GroupBox120 = nullptr, *GroupBox130 = nullptr, *GroupBox140 = nullptr,
              *GroupBox150 = nullptr, *GroupBox160 = nullptr;
    TEdit *Edit111 = nullptr, *Edit112 = nullptr, *Edit113 = nullptr, *Edit114 = nullptr, *Edit115 = nullptr,
          *Edit116 = nullptr;
    TEdit *Edit121 = nullptr, *Edit122 = nullptr, *Edit123 = nullptr, *Edit124 = nullptr, *Edit125 = nullptr;
    TEdit *Edit131 = nullptr, *Edit132 = nullptr;
    TEdit *Edit141 = nullptr, *Edit142 = nullptr, *Edit143 = nullptr;
    TEdit* Edit151 = nullptr;
    QListWidget* FileListBox151 = nullptr;
    QComboBox* ComboBox161 = nullptr;
    TEdit* Edit162 = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;
    TRadioGroup* RadioGroup101 = nullptr;
    QPushButton* Button101 = nullptr;
    QSvgWidget *Image1 = nullptr, *Image2 = nullptr, *Image3 = nullptr;
    // Labels switched with the insert shape
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
           *Label12 = nullptr, *Label16 = nullptr, *Label18 = nullptr, *Label21 = nullptr, *Label23 = nullptr,
           *Label126 = nullptr, *Label115 = nullptr, *Label119 = nullptr;

    // Page "Ergebnisse"
    QGroupBox *GroupBox210 = nullptr, *GroupBox220 = nullptr, *GroupBox230 = nullptr;
    QPushButton* Button201 = nullptr;   // "Leistung abgleichen …"
    std::vector<QLabel*> resultFields;  // ELabel211 ... ELabel234 in the order of showResults
    QPlainTextEdit* Memo1 = nullptr;

    // Page "Ausgabe"
    QGroupBox* GroupBox310 = nullptr;
    QLabel* Label311 = nullptr;
    TStringGrid* StringGrid311 = nullptr;

    // Page "Grafik"
    QGroupBox *GroupBox410 = nullptr, *GroupBox420 = nullptr, *GroupBox430 = nullptr;
    Chart* Chart411 = nullptr;
    QListWidget* ListBox421 = nullptr;
    TRadioGroup* RadioGroup421 = nullptr;
    TEdit *Edit421 = nullptr, *Edit422 = nullptr, *Edit423 = nullptr, *Edit424 = nullptr, *Edit425 = nullptr,
          *Edit426 = nullptr;
    QComboBox* ComboBox431 = nullptr;
    QPushButton *Button431 = nullptr, *Button432 = nullptr;
    TEdit *Edit431 = nullptr, *Edit432 = nullptr;
    QLabel* Label431 = nullptr;

    // Page "Optionen"
    QGroupBox *GroupBox500 = nullptr, *GroupBox501 = nullptr;  // "Schnittkraft", "Vorschubkraft"
    QGroupBox *GroupBox510 = nullptr, *GroupBox520 = nullptr, *GroupBox530 = nullptr, *GroupBox540 = nullptr,
              *GroupBox550 = nullptr, *GroupBox560 = nullptr, *GroupBox580 = nullptr, *GroupBox590 = nullptr;
    QCheckBox *CheckBox511 = nullptr, *CheckBox512 = nullptr, *CheckBox513 = nullptr, *CheckBox514 = nullptr;
    QCheckBox *CheckBox521 = nullptr, *CheckBox522 = nullptr, *CheckBox523 = nullptr, *CheckBox524 = nullptr,
              *CheckBox525 = nullptr, *CheckBox526 = nullptr;
    TEdit *Edit531 = nullptr, *Edit532 = nullptr, *Edit533 = nullptr;
    TEdit *Edit541 = nullptr, *Edit542 = nullptr, *Edit543 = nullptr;
    TEdit *Edit551 = nullptr, *Edit552 = nullptr, *Edit553 = nullptr;
    TEdit *Edit561 = nullptr, *Edit562 = nullptr, *Edit563 = nullptr;
    TEdit *Edit581 = nullptr, *Edit582 = nullptr, *Edit583 = nullptr, *Edit584 = nullptr, *Edit585 = nullptr;
    TEdit *Edit591 = nullptr, *Edit592 = nullptr, *Edit593 = nullptr, *Edit594 = nullptr;

    // Menus
    QMenuBar* MainMenu1 = nullptr;
    QMenu *Datei1 = nullptr, *Bearbeiten1 = nullptr, *Werkstoffdatei1 = nullptr, *Hilfe1 = nullptr;
    QAction *Oeffnen1 = nullptr, *Speichern1 = nullptr, *Speichernunter1 = nullptr, *Loeschen2 = nullptr,
            *Beenden1 = nullptr;
    QMenu* Zuletztgeoeffnet1 = nullptr;
    std::vector<QAction*> recentEntries_;  // Zuletztgeoeffnet1_1 ... _8, hidden while unused
    QAction* Listeleeren1 = nullptr;
    QAction *Tabelleninhaltspeichern1 = nullptr, *Tabellekopieren1 = nullptr, *GrafikSpeichern1 = nullptr,
            *Grafikdrucken1 = nullptr;
    QAction *Oeffnen2 = nullptr, *Speichernunter2 = nullptr, *Loeschen1 = nullptr;
    QAction *NeuausKennwerten1 = nullptr, *AusMessungen1 = nullptr;
    QAction *Benutzerhandbuch1 = nullptr, *Info1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction *Berechnungstarten1 = nullptr, *Parametervariation1 = nullptr, *Beenden2 = nullptr;
    QAction *NaechsteSeite1 = nullptr, *VorherigeSeite1 = nullptr;

    struct FieldBinding {
        const FieldSpec* rules;
        QLineEdit* edit;   // the edit, or the combo box's line edit
        QWidget* control;  // the named control
        void (TVersuch::*exit)();
    };

    void createPageEingabe();
    void createPageErgebnisse();
    void createPageAusgabe();
    void createPageGrafik();
    void createPageOptionen();
    void createMenus();
    void createDialogSpecs();
    void registerControls();
    void bindFields();
    void connectHandlers();
    void setUpKeyboard();
    void layoutPageAusgabe();
    void layoutPageGrafik();
    void fitLabel311();

    template <class Sender, class Signal>
    void bind(Sender* sender, Signal signal, void (TVersuch::*handler)());

    // The two stages of field validation.
    void fieldChange(std::string_view control);
    void fieldExit(std::string_view control);
    void observedToothExit();
    const FieldBinding& field(std::string_view control) const;
    const FieldBinding* fieldOf(QWidget* widget) const;
    void onFocusChanged(QWidget* old, QWidget* now);
    void returnFocus(QWidget* control);
    void turnPage(int direction);
    bool isWindowShortcut(const QKeyEvent& key) const;
    void warn(const QString& text);
    void showImage(int number);
    // The tooltips of the six scale fields with the units of the axes.
    void showScaleUnits(const char* leftUnit, const char* bottomUnit);
    // One step of the parameter variation: -1 for "-", +1 for "+".
    void stepVariation(int direction);
    void deleteFile(FileDialogSpec& dialog);
    // Runs the file dialog and remembers the folder of the chosen file as
    // the dialog's folder.
    std::optional<QString> chooseFile(FileDialogSpec& dialog, bool save);

    // The inputs a data set holds, as the controls show them now.
    DataSet inputs() const;
    void watchInputs();
    // Title and modified mark after any input changed or the document did.
    void showDocumentState();
    // Writes the inputs to the current file, or asks for one when there is
    // none yet; false when the user cancels the dialog.
    bool saveDataSet();
    bool saveDataSetAs();
    // The file now holds the inputs: it is the current data set.
    void becomeCurrent(const QString& path, const DataSet& inputs);
    void rememberRecent(const QString& path);
    void showRecentFiles();
    void rememberFolder(FileDialogSpec& dialog, const QString& path);
    // Edit151 shows the material name, marked while the values on the
    // page "Optionen" differ from those read from its file.
    void showMaterialOrigin();
    // Reads the material file shown again, after asking when the values
    // were changed.
    void reloadMaterial();
    // The header line of a printout: data set, date and the run's key inputs.
    QString printHeader() const;

    template <class Setter>
    void programSet(Setter&& setter);

    std::unique_ptr<Dialogs> dialogs_;
    std::unique_ptr<UserGuide> guide_;
    ParameterSet params_;
    SimulationState state_;
    ResultTable table_;
    RunSummary summary_;

    std::map<std::string, QWidget*, std::less<>> controls_;
    std::vector<FieldBinding> fields_;

    std::chrono::milliseconds runIndicatorDelay_{300};
    int programSetDepth_ = 0;
    std::exception_ptr pendingError_;
    bool returningFocus_ = false;
    bool swallowPress_ = false;
    bool focusMovedByMouse_ = false;
    QPointer<QWidget> focusLeftFor_;  // where the focus went while a field was left
    bool closing_ = false;
    QMetaObject::Connection focusConnection_;

    // The axis ranges in force before the chart's points last changed, as
    // the chart last drew them: manual limits are checked against these.
    struct AxisLimits {
        double minimum = 0.0;
        double maximum = 0.0;
    };
    AxisLimits leftInForce_, bottomInForce_;

    // The current data set (its file and inputs as last opened or saved),
    // the recent data sets and where they are kept.
    DataSetDocument document_;
    RecentFiles recent_;
    std::unique_ptr<SettingsStore> settings_;
    // The working directory at program start, which the material list shows
    // and the names in Edit151 are resolved against.
    QString startDirectory_;
    MaterialOrigin materialOrigin_;
};

template <class F>
void TVersuch::guarded(F&& handler) noexcept
{
    if (closing_)
        return;
    if (programSetDepth_ > 0) {
        // Raised by a program-initiated change: the setter rethrows it.
        try {
            handler();
        } catch (...) {
            if (!pendingError_)
                pendingError_ = std::current_exception();
        }
        return;
    }
    try {
        handler();
    } catch (const RunRefused& error) {
        dialogs_->message(MessageKind::Warning, QString::fromUtf8(error.what()), Buttons::Ok);
    } catch (const std::exception& error) {
        dialogs_->showError(QString::fromUtf8(error.what()));
    } catch (...) {
        dialogs_->showError(QStringLiteral("Unbekannter Fehler"));
    }
}

template <class Setter>
void TVersuch::programSet(Setter&& setter)
{
    std::exception_ptr outer = std::exchange(pendingError_, nullptr);
    ++programSetDepth_;
    try {
        setter();
    } catch (...) {
        --programSetDepth_;
        pendingError_ = outer;
        throw;
    }
    --programSetDepth_;
    std::exception_ptr raised = std::exchange(pendingError_, outer);
    if (raised)
        std::rethrow_exception(raised);
}

template <class Sender, class Signal>
void TVersuch::bind(Sender* sender, Signal signal, void (TVersuch::*handler)())
{
    connect(sender, signal, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
}

// The one window of the program while it exists.
extern TVersuch* Versuch;

}  // namespace orbiton::ui
