// Chart export, printing and the parameter variation switch. Their work is
// not part of the window yet; the menu entries exist with their states.
#include "ui/tversuch.h"

namespace orbiton::ui {

void TVersuch::GrafikSpeichern1Click() {}
void TVersuch::Grafikdrucken1Click() {}
void TVersuch::Parametervariation1Click() {}

}  // namespace orbiton::ui
