// Commands on data set, material and result files. Their work is not part
// of the window yet; the menu entries exist with their states.
#include "ui/tversuch.h"

namespace orbiton::ui {

void TVersuch::Oeffnen1Click() {}
void TVersuch::Speichern1Click() {}
void TVersuch::Speichernunter1Click() {}
void TVersuch::Oeffnen2Click() {}
void TVersuch::Speichernunter2Click() {}
void TVersuch::Tabelleninhaltspeichern1Click() {}
void TVersuch::Edit151Change() {}
void TVersuch::FileListBox151Click() {}

}  // namespace orbiton::ui
