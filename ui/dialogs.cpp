#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

namespace orbiton::ui {

QString titleOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return QStringLiteral("Warnung");
    case MessageKind::Error:
        return QStringLiteral("Fehler");
    case MessageKind::Information:
        return QStringLiteral("Information");
    case MessageKind::Confirmation:
        return QStringLiteral("Bestätigen");
    case MessageKind::StandardError:
        break;
    }
    return QString::fromUtf8(applicationTitle);
}

Answer QtDialogs::message(MessageKind kind, const QString& text, Buttons buttons)
{
    QMessageBox::Icon icon = QMessageBox::Warning;
    switch (kind) {
    case MessageKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageKind::Error:
    case MessageKind::StandardError:
        icon = QMessageBox::Critical;
        break;
    case MessageKind::Information:
        icon = QMessageBox::Information;
        break;
    case MessageKind::Confirmation:
        icon = QMessageBox::Question;
        break;
    }
    QMessageBox box(icon, titleOf(kind), text, QMessageBox::NoButton, parent_);
    QPushButton* ok = nullptr;
    QPushButton* discard = nullptr;
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case Buttons::DeleteCancel:
        ok = box.addButton(QStringLiteral("Löschen"), QMessageBox::AcceptRole);
        break;
    case Buttons::SaveDiscardCancel:
        ok = box.addButton(QStringLiteral("Speichern"), QMessageBox::AcceptRole);
        discard = box.addButton(QStringLiteral("Verwerfen"), QMessageBox::DestructiveRole);
        break;
    }
    QPushButton* cancel = nullptr;
    if (buttons != Buttons::Ok)
        cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel ? static_cast<QAbstractButton*>(cancel) : ok);
    box.exec();
    reactivateParent();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == ok)
        return buttons == Buttons::SaveDiscardCancel ? Answer::Save : Answer::Ok;
    if (discard && clicked == discard)
        return Answer::Discard;
    return Answer::Cancel;
}

void QtDialogs::about(const QString& text)
{
    QMessageBox box(QMessageBox::Information, titleOf(MessageKind::Information), text, QMessageBox::NoButton, parent_);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* qt = box.addButton(QStringLiteral("Über Qt"), QMessageBox::HelpRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    for (;;) {
        box.exec();
        if (box.clickedButton() != qt)
            break;
        QMessageBox::aboutQt(parent_, QStringLiteral("Über Qt"));
    }
    reactivateParent();
}

void QtDialogs::reactivateParent()
{
    if (!parent_)
        return;
    QWidget* window = parent_->window();
    if (!window->isVisible())
        return;
    window->raise();
    window->activateWindow();
}

namespace {

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogSpec& settings, bool save)
{
    QFileDialog dialog(parent, settings.title);
    // Qt's own dialog speaks German; a desktop's native one may not.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilter(settings.filterDescription + QStringLiteral(" (") + settings.filterPattern +
                         QStringLiteral(")"));
    dialog.setDefaultSuffix(settings.defaultExtension);
    if (save) {
        // The dialog itself asks before an existing file is replaced.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!settings.proposedName.isEmpty())
        dialog.selectFile(settings.proposedName);
    else if (!settings.folder.isEmpty())
        dialog.setDirectory(settings.folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> QtDialogs::openFile(const FileDialogSpec& settings)
{
    std::optional<QString> chosen = runFileDialog(parent_, settings, false);
    reactivateParent();
    return chosen;
}

std::optional<QString> QtDialogs::saveFile(const FileDialogSpec& settings)
{
    std::optional<QString> chosen = runFileDialog(parent_, settings, true);
    reactivateParent();
    return chosen;
}

bool QtDialogs::print(QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent_);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    reactivateParent();
    return accepted;
}

void QtDialogs::setBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtDialogs::restoreCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace orbiton::ui
