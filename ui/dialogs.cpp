#include "ui/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <tuple>

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

std::optional<ChosenFile> runFileDialog(QWidget* parent, const FileDialogSpec& settings, bool save)
{
    QFileDialog dialog(parent, settings.title);
    // Qt's own dialog speaks German; a desktop's native one may not.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    QStringList filters{settings.filterDescription + QStringLiteral(" (") + settings.filterPattern +
                        QStringLiteral(")")};
    QStringList extensions{settings.defaultExtension};
    for (const FileType& type : settings.moreTypes) {
        filters << type.description + QStringLiteral(" (") + type.pattern + QStringLiteral(")");
        extensions << type.extension;
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(settings.defaultExtension);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        dialog.setDefaultSuffix(extensions.value(static_cast<int>(filters.indexOf(filter))));
    });
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
    // A name typed without extension gets the one of the filter chosen.
    const int type = std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    dialog.setDefaultSuffix(extensions.value(type));
    if (dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ChosenFile{dialog.selectedFiles().constFirst(), type};
}

}  // namespace

std::optional<QString> QtDialogs::openFile(const FileDialogSpec& settings)
{
    const std::optional<ChosenFile> chosen = runFileDialog(parent_, settings, false);
    reactivateParent();
    return chosen ? std::optional<QString>(chosen->path) : std::nullopt;
}

std::optional<QString> QtDialogs::saveFile(const FileDialogSpec& settings)
{
    const std::optional<ChosenFile> chosen = runFileDialog(parent_, settings, true);
    reactivateParent();
    return chosen ? std::optional<QString>(chosen->path) : std::nullopt;
}

std::optional<ChosenFile> QtDialogs::saveFileOfType(const FileDialogSpec& settings)
{
    std::optional<ChosenFile> chosen = runFileDialog(parent_, settings, true);
    reactivateParent();
    return chosen;
}

std::optional<QSize> QtDialogs::imageSize(const QSize& proposed)
{
    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("ImageSizeDialog"));
    dialog.setWindowTitle(QStringLiteral("Größe der Grafik"));
    auto* width = new QSpinBox(&dialog);
    auto* height = new QSpinBox(&dialog);
    for (auto [box, name, value] :
         {std::tuple{width, "Breite", proposed.width()}, std::tuple{height, "Hoehe", proposed.height()}}) {
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(imageSizeLimits.first, imageSizeLimits.second);
        box->setSuffix(QStringLiteral(" Pixel"));
        box->setValue(value);
    }
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Breite:"), width);
    form->addRow(QStringLiteral("Höhe:"), height);
    form->addRow(buttons);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    reactivateParent();
    if (!accepted)
        return std::nullopt;
    return QSize(width->value(), height->value());
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
