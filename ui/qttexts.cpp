#include "ui/qttexts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace orbiton::ui {

std::unique_ptr<QTranslator> loadQtGermanTexts()
{
    // qtbase holds the texts of every Qt module the window uses (Widgets,
    // Gui, PrintSupport); Charts and Svg show none of their own.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return translator;
}

}  // namespace orbiton::ui
