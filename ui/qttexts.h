#pragma once
// Qt's own texts in German: the file and print dialogs, the overwrite
// question of the save dialogs, standard buttons and the scroll bars' menu.
#include <memory>

class QTranslator;

namespace orbiton::ui {

// The German texts of the Qt installation (qtbase_de from Qt's translations
// folder), ready to be installed into the application; nullptr when they
// are not installed.
std::unique_ptr<QTranslator> loadQtGermanTexts();

}  // namespace orbiton::ui
