// The data set as a document: the title with its modified mark, the
// question before modified inputs are lost (closing, logout, opening
// another data set), the recent data sets and the settings kept between
// starts.
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSessionManager>

#include <utility>

#include "model/errors.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {

// The file dialogs by the names their folders are kept under.
const std::pair<const char*, FileDialogSpec TVersuch::*> fileDialogs[] = {
    {"OpenDialog1", &TVersuch::OpenDialog1}, {"SaveDialog1", &TVersuch::SaveDialog1},
    {"OpenDialog2", &TVersuch::OpenDialog2}, {"SaveDialog2", &TVersuch::SaveDialog2},
    {"OpenDialog3", &TVersuch::OpenDialog3}, {"OpenDialog4", &TVersuch::OpenDialog4},
    {"SaveDialog3", &TVersuch::SaveDialog3}, {"SaveDialog4", &TVersuch::SaveDialog4}};

}  // namespace

// ------------------------------------------------------- title and mark

void TVersuch::watchInputs()
{
    const auto changed = [this] { guarded([this] { showDocumentState(); }); };
    auto watch = [&](std::string_view name) {
        QWidget* widget = control(name);
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            connect(edit, &QLineEdit::textChanged, this, changed);
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            connect(combo, &QComboBox::editTextChanged, this, changed);
        else if (auto* group = qobject_cast<TRadioGroup*>(widget))
            connect(group, &TRadioGroup::clicked, this, changed);
        else if (auto* box = qobject_cast<QCheckBox*>(widget))
            connect(box, &QCheckBox::toggled, this, changed);
    };
    for (std::string_view name : inputControls())
        watch(name);
    watch(inputs::insertShape);
    watch(inputs::millingDirection);
    for (std::string_view name : materialControls())
        watch(name);
    for (std::string_view name : switchControls())
        watch(name);
    // At logout the desktop asks every program whether it may end.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!manager.allowsInteraction())
            return;
        bool mayEnd = false;
        guarded([&] { mayEnd = FormCloseQuery(); });
        manager.release();
        if (!mayEnd)
            manager.cancel();
    });
}

void TVersuch::showDocumentState()
{
    setWindowTitle(document_.windowTitle());
    setWindowModified(document_.isModified(inputs()));
}

// ------------------------------------------------ nothing lost on close

bool TVersuch::FormCloseQuery()
{
    if (!document_.isModified(inputs()))
        return true;
    switch (dialogs_->message(MessageKind::Confirmation,
                              QStringLiteral("Die Eingaben wurden geändert. Sollen sie gespeichert werden?"),
                              Buttons::SaveDiscardCancel)) {
    case Answer::Save:
        return saveDataSet();
    case Answer::Discard:
        return true;
    case Answer::Ok:
    case Answer::Cancel:
        break;
    }
    return false;
}

void TVersuch::closeEvent(QCloseEvent* event)
{
    bool mayClose = false;
    guarded([&] { mayClose = FormCloseQuery(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    if (settings_)
        settings_->setWindow(saveGeometry(), saveState());
    event->accept();
}

// ------------------------------------------------------- recent files

void TVersuch::rememberRecent(const QString& path)
{
    recent_.add(path);
    showRecentFiles();
}

void TVersuch::showRecentFiles()
{
    const QStringList& paths = recent_.paths();
    for (std::size_t k = 0; k < recentEntries_.size(); ++k) {
        QAction* entry = recentEntries_[k];
        const bool used = static_cast<qsizetype>(k) < paths.size();
        entry->setVisible(used);
        if (!used)
            continue;
        const QFileInfo file(paths[static_cast<qsizetype>(k)]);
        QString name = file.fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        entry->setText(QStringLiteral("&%1 %2").arg(k + 1).arg(name));
        entry->setToolTip(QDir::toNativeSeparators(file.absolutePath()));
    }
    Zuletztgeoeffnet1->setEnabled(!paths.isEmpty());
    if (settings_)
        settings_->setRecentFiles(paths);
}

void TVersuch::Zuletztgeoeffnet1Click(int index)
{
    const QString path = recent_.paths().value(index);
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile()) {
        // A file that is gone leaves the list, with the message opening it
        // would give.
        recent_.remove(path);
        showRecentFiles();
        throw FileError(formatMessage(messages::cannotOpen, QFile::encodeName(path).toStdString()));
    }
    if (!FormCloseQuery())
        return;
    OpenDialog1.proposedName = path;
    openDataSet(path);
}

void TVersuch::Listeleeren1Click()
{
    recent_.clear();
    showRecentFiles();
}

// ------------------------------------------------------------ settings

std::optional<QString> TVersuch::chooseFile(FileDialogSpec& dialog, bool save)
{
    std::optional<QString> path = save ? dialogs_->saveFile(dialog) : dialogs_->openFile(dialog);
    if (path)
        rememberFolder(dialog, *path);
    return path;
}

void TVersuch::rememberFolder(FileDialogSpec& dialog, const QString& path)
{
    dialog.folder = QFileInfo(path).absolutePath();
    if (settings_) {
        for (const auto& [name, member] : fileDialogs)
            if (&(this->*member) == &dialog)
                settings_->setFolder(QString::fromLatin1(name), dialog.folder);
    }
}

bool TVersuch::useSettings(std::unique_ptr<SettingsStore> settings)
{
    settings_ = std::move(settings);
    if (!settings_)
        return false;
    recent_.assign(settings_->recentFiles());
    for (const auto& [name, member] : fileDialogs)
        (this->*member).folder = settings_->folder(QString::fromLatin1(name));
    showRecentFiles();
    const bool placed = restoreGeometry(settings_->windowGeometry());
    restoreState(settings_->windowState());
    return placed;
}

}  // namespace orbiton::ui
