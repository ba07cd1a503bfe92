// Main menu, context menu, the common dialogs' settings, the wiring of the
// handlers, and the delete, exit, user guide and information commands.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QUrl>

#include <utility>

#include "model/errors.h"
#include "ui/materialassistant.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {

QAction* addEntry(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

FileDialogSpec dialogSpec(const char* title, const char* description, const char* pattern, const char* extension)
{
    return {QString::fromUtf8(title),
            QString::fromUtf8(description),
            QString::fromLatin1(pattern),
            QString::fromLatin1(extension),
            QString(),
            QString(),
            {}};
}

}  // namespace

void TVersuch::createMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    Datei1 = addMenu(MainMenu1, "Datei1", QStringLiteral("&Datei"));
    Oeffnen1 = addEntry(Datei1, "Oeffnen1", QStringLiteral("Ö&ffnen..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    Datei1->addSeparator();
    Speichern1 = addEntry(Datei1, "Speichern1", QStringLiteral("&Speichern"), QKeySequence(Qt::CTRL | Qt::Key_S));
    Speichern1->setEnabled(false);
    Speichernunter1 =
        addEntry(Datei1, "Speichernunter1", QStringLiteral("Speichern &unter..."), QKeySequence(Qt::CTRL | Qt::Key_U));
    Datei1->addSeparator();
    Loeschen2 = addEntry(Datei1, "Loeschen2", QStringLiteral("&Löschen..."));
    Datei1->addSeparator();
    Zuletztgeoeffnet1 = Datei1->addMenu(QStringLiteral("&Zuletzt geöffnet"));
    Zuletztgeoeffnet1->setObjectName(QStringLiteral("Zuletztgeoeffnet1"));
    Zuletztgeoeffnet1->setToolTipsVisible(true);  // the folder of each entry
    for (int k = 0; k < RecentFiles::capacity; ++k) {
        QAction* entry = addEntry(Zuletztgeoeffnet1, "", QString());
        entry->setObjectName(QStringLiteral("Zuletztgeoeffnet1_%1").arg(k + 1));
        entry->setVisible(false);
        connect(entry, &QAction::triggered, this, [this, k] { guarded([this, k] { Zuletztgeoeffnet1Click(k); }); });
        recentEntries_.push_back(entry);
    }
    Zuletztgeoeffnet1->addSeparator();
    Listeleeren1 = addEntry(Zuletztgeoeffnet1, "Listeleeren1", QStringLiteral("&Liste leeren"));
    Datei1->addSeparator();
    Beenden1 = addEntry(Datei1, "Beenden1", QStringLiteral("&Beenden"), QKeySequence(Qt::ALT | Qt::Key_F4));

    Bearbeiten1 = addMenu(MainMenu1, "Bearbeiten1", QStringLiteral("&Bearbeiten"));
    Tabelleninhaltspeichern1 =
        addEntry(Bearbeiten1, "Tabelleninhaltspeichern1", QStringLiteral("Tabelleninhalt &speichern..."));
    Tabelleninhaltspeichern1->setEnabled(false);
    Tabellekopieren1 = addEntry(Bearbeiten1, "Tabellekopieren1", QStringLiteral("Tabelle &kopieren"));
    Tabellekopieren1->setEnabled(false);
    Bearbeiten1->addSeparator();
    GrafikSpeichern1 = addEntry(Bearbeiten1, "GrafikSpeichern1", QStringLiteral("Grafik s&peichern..."));
    GrafikSpeichern1->setEnabled(false);
    Grafikdrucken1 = addEntry(Bearbeiten1, "Grafikdrucken1", QStringLiteral("Grafik &drucken..."));
    Grafikdrucken1->setEnabled(false);

    Werkstoffdatei1 = addMenu(MainMenu1, "Werkstoffdatei1", QStringLiteral("&Werkstoffdatei"));
    Oeffnen2 = addEntry(Werkstoffdatei1, "Oeffnen2", QStringLiteral("Ö&ffnen..."));
    Werkstoffdatei1->addSeparator();
    Speichernunter2 = addEntry(Werkstoffdatei1, "Speichernunter2", QStringLiteral("&Speichern unter..."));
    Werkstoffdatei1->addSeparator();
    NeuausKennwerten1 = addEntry(Werkstoffdatei1, "NeuausKennwerten1", QStringLiteral("&Neu aus Kennwerten…"));
    AusMessungen1 = addEntry(Werkstoffdatei1, "AusMessungen1", QStringLiteral("Aus &Messungen bestimmen…"));
    Werkstoffdatei1->addSeparator();
    Loeschen1 = addEntry(Werkstoffdatei1, "Loeschen1", QStringLiteral("&Löschen..."));

    Hilfe1 = addMenu(MainMenu1, "Hilfe1", QStringLiteral("&?"));
    Benutzerhandbuch1 =
        addEntry(Hilfe1, "Benutzerhandbuch1", QStringLiteral("&Benutzerhandbuch"), QKeySequence(Qt::Key_F1));
    Hilfe1->addSeparator();
    Info1 = addEntry(Hilfe1, "Info1", QStringLiteral("&Info..."));

    // The context menu's shortcuts act from every control of the window.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Berechnungstarten1 =
        addEntry(PopupMenu1, "Berechnungstarten1", QStringLiteral("Be&rechnung starten"), QKeySequence(Qt::Key_F9));
    PopupMenu1->addSeparator();
    Parametervariation1 = addEntry(PopupMenu1, "Parametervariation1", QStringLiteral("&Parametervariation"),
                                   QKeySequence(Qt::CTRL | Qt::Key_P));
    PopupMenu1->addSeparator();
    Beenden2 = addEntry(PopupMenu1, "Beenden2", QStringLiteral("Beenden"));
    for (QAction* action : {Berechnungstarten1, Parametervariation1}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
}

void TVersuch::createDialogSpecs()
{
    OpenDialog1 = dialogSpec("Öffnen eines Anfangsdatensatzes", "Anfangsdatensatz", "*.ads", "ads");
    SaveDialog1 = dialogSpec("Speichern eines Anfangsdatensatzes", "Anfangsdatensatz", "*.ads", "ads");
    OpenDialog2 = dialogSpec("Öffnen eines Werkstoffdatensatzes", "Werkstoffdatei", "*.wks", "wks");
    SaveDialog2 = dialogSpec("Speichern eines Werkstoffdatensatzes", "Werkstoffdatei", "*.wks", "wks");
    OpenDialog3 = dialogSpec("Löschen einer Werkstoffdatei", "Werkstoffdatei", "*.wks", "wks");
    OpenDialog4 = dialogSpec("Löschen eines Anfangsdatensatzes", "Anfangsdatensatz", "*.ads", "ads");
    SaveDialog3 = dialogSpec("Speichern des Tabelleninhalts", "Ergebnisdatensatz", "*.eds", "eds");
    SaveDialog3.moreTypes = {{QStringLiteral("CSV-Tabelle"), QStringLiteral("*.csv"), QStringLiteral("csv")}};
    SaveDialog4 = dialogSpec("Speichern der Grafik", "Bitmap", "*.bmp", "bmp");
    SaveDialog4.moreTypes = {{QStringLiteral("PNG-Bild"), QStringLiteral("*.png"), QStringLiteral("png")},
                             {QStringLiteral("SVG-Grafik"), QStringLiteral("*.svg"), QStringLiteral("svg")},
                             {QStringLiteral("PDF-Dokument"), QStringLiteral("*.pdf"), QStringLiteral("pdf")}};
    OpenDialog5 = dialogSpec("Öffnen einer Datei mit gemessenen Kräften", "Messungen", "*.csv", "csv");
}

void TVersuch::connectHandlers()
{
    bind(TabSet, &QTabBar::currentChanged, &TVersuch::TabSetClick);
    bind(Button101, &QPushButton::clicked, &TVersuch::Button101Click);
    bind(RadioGroup101, &TRadioGroup::clicked, &TVersuch::RadioGroup101Click);
    bind(RadioGroup1, &TRadioGroup::clicked, &TVersuch::RadioGroup1Click);
    bind(CheckBox511, &QCheckBox::toggled, &TVersuch::CheckBox511OnClick);
    bind(CheckBox512, &QCheckBox::toggled, &TVersuch::CheckBox512Click);
    bind(CheckBox521, &QCheckBox::toggled, &TVersuch::CheckBox521Click);
    bind(CheckBox522, &QCheckBox::toggled, &TVersuch::CheckBox522Click);
    bind(CheckBox524, &QCheckBox::toggled, &TVersuch::CheckBox524Click);
    bind(Edit151, &QLineEdit::textChanged, &TVersuch::Edit151Change);
    bind(FileListBox151, &QListWidget::itemClicked, &TVersuch::FileListBox151Click);
    // A material value that differs from its file marks the name.
    for (std::string_view name : materialControls())
        connect(qobject_cast<QLineEdit*>(control(name)), &QLineEdit::textChanged, this,
                [this] { guarded([this] { showMaterialOrigin(); }); });
    bind(ListBox421, &QListWidget::itemClicked, &TVersuch::ListBox421Click);
    // Choosing an entry with the keyboard counts as a click. A mouse click
    // selects on the press and is handled on the release (itemClicked), so
    // only a selection made without a mouse button runs the handler here.
    for (auto [list, handler] : {std::pair{static_cast<QListWidget*>(FileListBox151), &TVersuch::FileListBox151Click},
                                 std::pair{static_cast<QListWidget*>(ListBox421), &TVersuch::ListBox421Click}}) {
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list, handler] {
            if (QGuiApplication::mouseButtons() == Qt::NoButton && list->hasFocus())
                guarded([this, handler] { (this->*handler)(); });
        });
    }
    bind(RadioGroup421, &TRadioGroup::clicked, &TVersuch::RadioGroup421Click);
    bind(ComboBox431, &QComboBox::activated, &TVersuch::ComboBox431Click);
    bind(Button431, &QPushButton::clicked, &TVersuch::Button431Click);
    bind(Button432, &QPushButton::clicked, &TVersuch::Button432Click);

    bind(Datei1, &QMenu::aboutToShow, &TVersuch::Datei1Click);
    bind(Oeffnen1, &QAction::triggered, &TVersuch::Oeffnen1Click);
    bind(Speichern1, &QAction::triggered, &TVersuch::Speichern1Click);
    bind(Speichernunter1, &QAction::triggered, &TVersuch::Speichernunter1Click);
    bind(Loeschen2, &QAction::triggered, &TVersuch::Loeschen2Click);
    bind(Beenden1, &QAction::triggered, &TVersuch::Beenden1Click);
    bind(Listeleeren1, &QAction::triggered, &TVersuch::Listeleeren1Click);
    bind(Tabelleninhaltspeichern1, &QAction::triggered, &TVersuch::Tabelleninhaltspeichern1Click);
    bind(Tabellekopieren1, &QAction::triggered, &TVersuch::Tabellekopieren1Click);
    bind(GrafikSpeichern1, &QAction::triggered, &TVersuch::GrafikSpeichern1Click);
    bind(Grafikdrucken1, &QAction::triggered, &TVersuch::Grafikdrucken1Click);
    bind(Werkstoffdatei1, &QMenu::aboutToShow, &TVersuch::Werkstoffdatei1Click);
    bind(Oeffnen2, &QAction::triggered, &TVersuch::Oeffnen2Click);
    bind(Speichernunter2, &QAction::triggered, &TVersuch::Speichernunter2Click);
    bind(Loeschen1, &QAction::triggered, &TVersuch::Loeschen1Click);
    bind(NeuausKennwerten1, &QAction::triggered, &TVersuch::NeuausKennwerten1Click);
    bind(AusMessungen1, &QAction::triggered, &TVersuch::AusMessungen1Click);
    bind(Button201, &QPushButton::clicked, &TVersuch::Button201Click);
    bind(Benutzerhandbuch1, &QAction::triggered, &TVersuch::Benutzerhandbuch1Click);
    bind(Info1, &QAction::triggered, &TVersuch::Info1Click);
    bind(Berechnungstarten1, &QAction::triggered, &TVersuch::Berechnungstarten1Click);
    bind(Parametervariation1, &QAction::triggered, &TVersuch::Parametervariation1Click);
    bind(Beenden2, &QAction::triggered, &TVersuch::Beenden2Click);
}

void TVersuch::Datei1Click() { selectPage(0); }

void TVersuch::Werkstoffdatei1Click() { selectPage(4); }

void TVersuch::deleteFile(FileDialogSpec& dialog)
{
    const std::optional<QString> path = chooseFile(dialog, false);
    if (!path)
        return;
    const QString question =
        QStringLiteral("Wollen Sie die Datei „%1“ wirklich löschen?").arg(QFileInfo(*path).fileName());
    if (dialogs_->message(MessageKind::Confirmation, question, Buttons::DeleteCancel) != Answer::Ok)
        return;
    // A file that stays must not look deleted.
    if (!QFile::remove(*path))
        throw FileError(formatMessage(messages::cannotDelete, path->toStdString()));
}

void TVersuch::Loeschen1Click() { deleteFile(OpenDialog3); }

void TVersuch::NeuausKennwerten1Click() { MaterialAssistant(*this).newFromCatalogue(); }

void TVersuch::AusMessungen1Click() { MaterialAssistant(*this).fitFromMeasurements(); }

void TVersuch::Button201Click() { MaterialAssistant(*this).calibrateToPower(); }

void TVersuch::Loeschen2Click() { deleteFile(OpenDialog4); }

void TVersuch::Beenden1Click()
{
    // Modified inputs: closing asks whether to save them, and that question
    // replaces this one.
    if (document_.isModified(inputs())) {
        close();
        return;
    }
    if (dialogs_->message(MessageKind::Confirmation, QStringLiteral("Wollen Sie das Programm wirklich beenden"),
                          Buttons::OkCancel) == Answer::Ok)
        close();
}

void TVersuch::Beenden2Click() { Beenden1Click(); }

void TVersuch::Benutzerhandbuch1Click()
{
    const QString page = guide_->page();
    if (page.isEmpty())
        throw FileError(QStringLiteral("Das Benutzerhandbuch fehlt: Es ist nicht unter %1 installiert")
                            .arg(guide_->locations().value(0))
                            .toStdString());
    if (!guide_->open(QUrl::fromLocalFile(page)))
        throw FileError(QStringLiteral("Das Benutzerhandbuch %1 kann nicht angezeigt werden: Es ist kein Programm "
                                       "zum Anzeigen von HTML-Seiten eingerichtet")
                            .arg(page)
                            .toStdString());
}

void TVersuch::Info1Click()
{
    dialogs_->about(QString::fromUtf8(applicationTitle) +
                    QStringLiteral(" – Simulation des Zirkularfräsens einer Bohrung\n\n"
                                   "Version " ORBITON_VERSION "\n"
                                   "Copyright © 2026 Orbiton-Entwicklung\n"
                                   "Lizenz: GNU General Public License, Version 3 oder (nach Ihrer Wahl) jede "
                                   "spätere Version (GPL-3.0-or-later). Orbiton wird ohne jede Gewährleistung "
                                   "weitergegeben."));
}

}  // namespace orbiton::ui
