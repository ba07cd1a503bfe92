// Commands on files: initial data sets (*.ads), material files (*.wks) and
// the result data set (*.eds) written from the data table.
//
// A file is read and checked whole before any control changes, so a file
// that does not fit leaves every control as it was. Applying a file sets
// the controls as the user would, so their change and click handlers run
// for every value that changes. Every save replaces its target atomically:
// a failed save leaves the previous file as it was.
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>
#include <limits>
#include <string>

#include "files/csvexport.h"
#include "files/dataset.h"
#include "files/resultexport.h"
#include "files/textfile.h"
#include "model/errors.h"
#include "model/resulttable.h"
#include "ui/materiallist.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {

// A path as the file system spells it.
std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString qtext(const std::string& utf8) { return QString::fromStdString(utf8); }

MaterialTexts materialOf(const TVersuch& window)
{
    MaterialTexts texts;
    for (std::size_t k = 0; k < materialLineCount; ++k)
        texts[k] = window.text(materialControls()[k]);
    return texts;
}

DataSet dataSetOf(const TVersuch& window)
{
    DataSet set;
    for (std::size_t k = 0; k < inputLineCount; ++k)
        set.inputTexts[k] = window.text(inputControls()[k]);
    set.insertShapeIndex = window.selectedIndex(inputs::insertShape);
    set.millingDirectionIndex = window.selectedIndex(inputs::millingDirection);
    set.materialTexts = materialOf(window);
    for (std::size_t k = 0; k < switchLineCount; ++k)
        set.switches[k] = window.isChecked(switchControls()[k]);
    return set;
}

// Reads a file through read(); an error about one of its lines names the
// file as the user knows it and the line: "NAME, Zeile 21: …".
template <class Read>
auto namingLine(const QString& shownName, Read&& read)
{
    try {
        return read();
    } catch (const OrbitonError& error) {
        if (error.line() == 0)
            throw;
        FileError named(formatMessage("%s", shownName.toStdString()) + ", Zeile " + std::to_string(error.line()) +
                        ": " + error.what());
        named.setLine(error.line());
        throw named;
    }
}

// Reads a material file whole; the errors name it as the user knows it
// (the name in Edit151, or the path chosen).
MaterialTexts readMaterial(const QString& path, const QString& shownName)
{
    return namingLine(shownName, [&] {
        return parseMaterial(readLeadingLines(localPath(path), materialLineCount, shownName.toStdString()));
    });
}

void applyMaterial(TVersuch& window, const MaterialTexts& texts)
{
    for (std::size_t k = 0; k < materialLineCount; ++k)
        window.setControlText(materialControls()[k], qtext(texts[k]));
}

void applyDataSet(TVersuch& window, const DataSet& set)
{
    for (std::size_t k = 0; k < inputLineCount; ++k) {
        const std::string_view control = inputControls()[k];
        if (k + 1 != materialNameLine) {
            window.setControlText(control, qtext(set.inputTexts[k]));
            continue;
        }
        // The material named here may be missing or unreadable: that is
        // reported, and the data set goes on, since its own material lines
        // supply the values the window ends with. The name shown already
        // (marked or not) loads nothing.
        if (window.text(control) == set.inputTexts[k])
            continue;
        try {
            window.setControlText(control, qtext(set.inputTexts[k]));
        } catch (const OrbitonError& error) {
            window.dialogs().showError(QString::fromUtf8(error.what()));
        }
    }
    // A radio group takes an index outside its items as "no selection";
    // the file's indexes count as the nearest item instead.
    window.setItemIndex(qobject_cast<TRadioGroup*>(window.control(inputs::insertShape)),
                        std::clamp(set.insertShapeIndex, -1, 1));
    window.setItemIndex(qobject_cast<TRadioGroup*>(window.control(inputs::millingDirection)),
                        std::clamp(set.millingDirectionIndex, -1, 1));
    applyMaterial(window, set.materialTexts);
    for (std::size_t k = 0; k < switchLineCount; ++k)
        window.setChecked(qobject_cast<QCheckBox*>(window.control(switchControls()[k])), set.switches[k]);
}

}  // namespace

// ------------------------------------------------------------ data sets

DataSet TVersuch::inputs() const { return dataSetOf(*this); }

void TVersuch::openDataSet(const QString& path)
{
    // Only a file that could be read becomes the current data set: after a
    // failed opening, "Speichern" must not write the window's state over the
    // file the user wanted to open.
    const DataSet set = namingLine(path, [&] { return readDataSetFile(localPath(path)); });
    try {
        applyDataSet(*this, set);
    } catch (...) {
        // Partly applied: the file is current, and the inputs that differ
        // from it show as modified.
        becomeCurrent(path, set);
        throw;
    }
    // The inputs as the controls took them (indexes clamped, the material
    // of line 16 loaded) are the unmodified state.
    becomeCurrent(path, inputs());
}

void TVersuch::becomeCurrent(const QString& path, const DataSet& set)
{
    document_.setClean(path, set);
    Speichern1->setEnabled(true);
    SaveDialog1.proposedName = path;
    rememberRecent(path);
    showDocumentState();
}

void TVersuch::Oeffnen1Click()
{
    if (!FormCloseQuery())
        return;
    const std::optional<QString> path = chooseFile(OpenDialog1, false);
    if (!path)
        return;
    OpenDialog1.proposedName = *path;
    openDataSet(*path);
}

void TVersuch::Speichern1Click() { saveDataSet(); }

void TVersuch::Speichernunter1Click() { saveDataSetAs(); }

bool TVersuch::saveDataSet()
{
    if (!document_.hasFileName())
        return saveDataSetAs();
    const DataSet set = inputs();
    saveDataSetFile(localPath(document_.fileName()), set);
    becomeCurrent(document_.fileName(), set);
    return true;
}

bool TVersuch::saveDataSetAs()
{
    const std::optional<QString> path = chooseFile(SaveDialog1, true);
    if (!path)
        return false;
    // Like the platform's dialog, SaveDialog1 keeps the name chosen, also
    // when the save fails; a save that succeeds makes it the current data set.
    SaveDialog1.proposedName = *path;
    const DataSet set = inputs();
    saveDataSetFile(localPath(*path), set);
    becomeCurrent(*path, set);
    return true;
}

// -------------------------------------------------------- material files

namespace {

// A name that cannot stand in one line of a data set is refused before
// anything is read.
void checkStorable(const QByteArray& localName)
{
    if (!storableFileName(localName))
        throw FileError("Die Werkstoffdatei „" + shownFileName(localName).toStdString() +
                        "“ kann nicht gewählt werden: Ihr Name enthält Steuerzeichen oder Zeichen außerhalb von "
                        "Latin-1 und kann in keinem Datensatz stehen");
}

}  // namespace

void TVersuch::Edit151Change()
{
    const QString name = MaterialOrigin::nameOf(Edit151->text());
    // Relative to the start directory, which the list shows, wherever the
    // working directory is now; an absolute name stays as it is. A file
    // that cannot be read leaves the values as they are, with nothing to
    // compare them with.
    materialOrigin_.unknown();
    showMaterialOrigin();
    const MaterialTexts texts = readMaterial(QDir(startDirectory_).filePath(name), name);
    applyMaterial(*this, texts);
    materialOrigin_.loaded(texts);
    showMaterialOrigin();
}

void TVersuch::FileListBox151Click()
{
    const QList<QListWidgetItem*> selected = FileListBox151->selectedItems();
    if (selected.isEmpty()) {
        setControlText(Edit151, QString::fromLatin1(materialFileMask));
        return;
    }
    const QByteArray localName = selected.front()->data(TFileListBox::localNameRole).toByteArray();
    checkStorable(localName);
    const QString name = QFile::decodeName(localName);
    if (name == MaterialOrigin::nameOf(Edit151->text()))
        reloadMaterial();
    else
        setControlText(Edit151, name);
}

void TVersuch::Edit151Click() { reloadMaterial(); }

void TVersuch::reloadMaterial()
{
    if (materialOrigin_.changed(materialOf(*this)) &&
        dialogs_->message(MessageKind::Confirmation, QStringLiteral("Geänderte Werkstoffwerte verwerfen?"),
                          Buttons::OkCancel) != Answer::Ok)
        return;
    Edit151Change();
}

void TVersuch::showMaterialOrigin()
{
    // Only the mark changes: the name stays, so nothing is loaded.
    const QString shown = materialOrigin_.shown(MaterialOrigin::nameOf(Edit151->text()), materialOf(*this));
    // The field is narrower than a long name with its mark: the hint
    // repeats it whole.
    const QString hint = QStringLiteral("Werkstoff für Berechnung");
    Edit151->setToolTip(shown.endsWith(MaterialOrigin::changedMark()) ? hint + QStringLiteral(": ") + shown : hint);
    if (shown == Edit151->text())
        return;
    const QSignalBlocker sameName(Edit151);
    Edit151->setText(shown);
    Edit151->setCursorPosition(0);
}

void TVersuch::Oeffnen2Click()
{
    // OpenDialog2's proposed name is the name last chosen there.
    const std::optional<QString> path = chooseFile(OpenDialog2, false);
    if (!path)
        return;
    OpenDialog2.proposedName = *path;
    // Edit151 names the file: by its name when it lies in the folder the
    // list shows, else by its full path, which a click on it reads again.
    const QFileInfo file(*path);
    const QString name = file.absolutePath() == QFileInfo(startDirectory_).absoluteFilePath() ? file.fileName()
                                                                                              : file.absoluteFilePath();
    checkStorable(QFile::encodeName(name));
    const MaterialTexts texts = readMaterial(*path, *path);
    {
        // The file is read already: naming it loads nothing more.
        const QSignalBlocker loaded(Edit151);
        Edit151->setText(name);
    }
    materialOrigin_.unknown();
    applyMaterial(*this, texts);
    materialOrigin_.loaded(texts);
    showMaterialOrigin();
    SaveDialog2.proposedName = *path;
}

void TVersuch::Speichernunter2Click()
{
    const std::optional<QString> path = chooseFile(SaveDialog2, true);
    if (!path)
        return;
    SaveDialog2.proposedName = *path;
    saveMaterialFile(localPath(*path), materialOf(*this));
    SaveDialog2.proposedName = OpenDialog2.proposedName;
}

// ---------------------------------------------------------- table export

void TVersuch::Tabelleninhaltspeichern1Click()
{
    const std::optional<ChosenFile> chosen = dialogs_->saveFileOfType(SaveDialog3);
    if (!chosen)
        return;
    SaveDialog3.proposedName = chosen->path;
    rememberFolder(SaveDialog3, chosen->path);
    if (chosen->type == 1) {
        // CSV: the run's values themselves, as the batch tool writes them.
        saveFileAtomically(localPath(chosen->path), runCsv(table_, std::clamp(params_.stepCount, 0, maxStepCount)));
        return;
    }
    // The cells exactly as the grid shows them, row 0 (the channel keys)
    // first; column 0 (the row numbers) is not written.
    CellGrid rows;
    rows.reserve(static_cast<std::size_t>(StringGrid311->rowCount()));
    for (int row = 0; row < StringGrid311->rowCount(); ++row) {
        std::vector<std::string> cells;
        cells.reserve(channelCount);
        for (int column = 1; column <= channelCount; ++column)
            cells.push_back(StringGrid311->cells(column, row).toStdString());
        rows.push_back(std::move(cells));
    }
    saveResultDataSetFile(localPath(chosen->path), rows);
}

void TVersuch::Tabellekopieren1Click()
{
    // The grid's texts, tab-separated, one line per row: a spreadsheet set
    // to German reads the decimal commas as numbers. A range chosen in the
    // grid is copied as it is; otherwise the whole table with its keys.
    int firstColumn = 1, lastColumn = channelCount, firstRow = 0, lastRow = StringGrid311->rowCount() - 1;
    const QModelIndexList chosen = StringGrid311->selectionModel()->selectedIndexes();
    if (chosen.size() > 1) {
        firstColumn = firstRow = std::numeric_limits<int>::max();
        lastColumn = lastRow = 0;
        for (const QModelIndex& index : chosen) {
            firstColumn = std::min(firstColumn, index.column() + 1);
            lastColumn = std::max(lastColumn, index.column() + 1);
            firstRow = std::min(firstRow, index.row() + 1);
            lastRow = std::max(lastRow, index.row() + 1);
        }
    }
    QString text;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (column > firstColumn)
                text += QLatin1Char('\t');
            text += StringGrid311->cells(column, row);
        }
        text += QLatin1Char('\n');
    }
    QGuiApplication::clipboard()->setText(text);
}

}  // namespace orbiton::ui
