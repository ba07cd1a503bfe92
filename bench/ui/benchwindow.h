#pragma once
// The window as the benchmarks use it: dialogs that never show anything
// (a message means the measured action went wrong) and a chosen step count.
#include <QString>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "ui/tversuch.h"

namespace orbiton::ui::bench {

class SilentDialogs : public Dialogs {
public:
    Answer message(MessageKind, const QString& text, Buttons) override
    {
        lastMessage = text;
        return Answer::Ok;
    }
    void about(const QString&) override {}
    std::optional<QString> openFile(const FileDialogSpec&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileDialogSpec&) override { return std::nullopt; }
    std::optional<ChosenFile> saveFileOfType(const FileDialogSpec&) override { return std::nullopt; }
    std::optional<QSize> imageSize(const QSize&) override { return std::nullopt; }
    bool print(QPrinter&) override { return false; }
    void setBusyCursor() override {}
    void restoreCursor() override {}
    std::optional<CatalogueAnswer> catalogueValues() override { return std::nullopt; }
    bool confirmFit(const MaterialFit&, const QString&) override { return false; }
    std::optional<PowerAnswer> measuredPower(const QString&) override { return std::nullopt; }
    QString lastMessage;
};

// The window's control or menu entry of that object name, as the given type.
template <class T>
T* control(TVersuch& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw std::logic_error(std::string("no control ") + name);
    return found;
}

// A shown window with the given step count in ComboBox161.
inline std::unique_ptr<TVersuch> shownWindow(const char* steps, SilentDialogs*& dialogs)
{
    auto silent = std::make_unique<SilentDialogs>();
    dialogs = silent.get();
    auto window = std::make_unique<TVersuch>(std::move(silent));
    window->show();
    window->guarded(
        [&] { window->setControlText(control<QComboBox>(*window, "ComboBox161"), QString::fromLatin1(steps)); });
    return window;
}

}  // namespace orbiton::ui::bench
