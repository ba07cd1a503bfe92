#pragma once
// A scripted stand-in for the window's dialogs: records every call and
// answers from queues, so no test ever blocks on a modal dialog.
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/dialogs.h"

namespace orbiton::ui::testing {

struct ShownMessage {
    MessageKind kind;
    QString text;
    Buttons buttons;
};

struct ShownFileDialog {
    bool save;
    FileDialogSpec settings;
};

class FakeDialogs : public Dialogs {
public:
    Answer message(MessageKind kind, const QString& text, Buttons buttons) override
    {
        messages.push_back({kind, text, buttons});
        if (whileMessageShown)
            whileMessageShown();
        if (answers.empty())
            return buttons == Buttons::SaveDiscardCancel ? Answer::Discard : Answer::Ok;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void about(const QString& text) override { abouts.push_back(text); }
    std::optional<QString> openFile(const FileDialogSpec& settings) override { return file(false, settings); }
    std::optional<QString> saveFile(const FileDialogSpec& settings) override { return file(true, settings); }
    std::optional<ChosenFile> saveFileOfType(const FileDialogSpec& settings) override
    {
        const std::optional<QString> path = file(true, settings);
        const int type = fileTypes.empty() ? 0 : fileTypes.front();
        if (!fileTypes.empty())
            fileTypes.pop_front();
        return path ? std::optional<ChosenFile>(ChosenFile{*path, type}) : std::nullopt;
    }
    std::optional<QSize> imageSize(const QSize& proposed) override
    {
        proposedSizes.push_back(proposed);
        if (imageSizes.empty())
            return proposed;
        const QSize size = imageSizes.front();
        imageSizes.pop_front();
        return size.isValid() ? std::optional<QSize>(size) : std::nullopt;
    }
    bool print(QPrinter&) override
    {
        ++printDialogs;
        return printAnswer;
    }
    void setBusyCursor() override
    {
        ++busyCalls;
        ++busyDepth;
    }
    void restoreCursor() override
    {
        ++restoreCalls;
        --busyDepth;
    }

    std::optional<CatalogueAnswer> catalogueValues() override
    {
        ++catalogueDialogs;
        if (catalogueAnswers.empty())
            return std::nullopt;
        const auto answer = catalogueAnswers.front();
        catalogueAnswers.pop_front();
        return answer;
    }
    bool confirmFit(const MaterialFit& fit, const QString& sourceName) override
    {
        fitsShown.push_back({fit, sourceName});
        return fitAnswer;
    }
    std::optional<PowerAnswer> measuredPower(const QString& simulatedKw) override
    {
        powerDialogs.push_back(simulatedKw);
        if (powerAnswers.empty())
            return std::nullopt;
        const auto answer = powerAnswers.front();
        powerAnswers.pop_front();
        return answer;
    }

    // What was shown, oldest first.
    std::vector<ShownMessage> messages;
    std::vector<QString> abouts;  // texts of the information box
    std::vector<ShownFileDialog> fileDialogs;
    int printDialogs = 0;
    int catalogueDialogs = 0;
    std::vector<std::pair<MaterialFit, QString>> fitsShown;
    std::vector<QString> powerDialogs;  // the simulated power each showed
    int busyCalls = 0;
    int restoreCalls = 0;
    int busyDepth = 0;

    // Scripted answers: message boxes answer OK ("Verwerfen" when asked
    // whether to save modified inputs) and file dialogs cancel when their
    // queue is empty.
    std::deque<Answer> answers;
    std::deque<QString> files;  // an empty path cancels
    std::deque<int> fileTypes;  // the filter chosen with a saved file; 0 when empty
    // "Größe der Grafik" answers the proposed size when empty; an invalid
    // size cancels.
    std::deque<QSize> imageSizes;
    std::vector<QSize> proposedSizes;
    bool printAnswer = false;
    // The material dialogs cancel when their queue is empty; the fit
    // dialog answers fitAnswer.
    std::deque<std::optional<CatalogueAnswer>> catalogueAnswers;
    bool fitAnswer = true;
    std::deque<PowerAnswer> powerAnswers;
    // Runs while a message box is "open", e.g. to take the activation from
    // the window as a real box does.
    std::function<void()> whileMessageShown;

private:
    std::optional<QString> file(bool save, const FileDialogSpec& settings)
    {
        fileDialogs.push_back({save, settings});
        if (files.empty())
            return std::nullopt;
        const QString path = files.front();
        files.pop_front();
        if (path.isEmpty())
            return std::nullopt;
        return path;
    }
};

}  // namespace orbiton::ui::testing
