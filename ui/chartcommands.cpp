// The chart page's handlers, chart export, printing and the parameter
// variation. Their work is not part of the window yet; the controls and
// menu entries exist with their states and call these handlers.
#include "ui/tversuch.h"

namespace orbiton::ui {

void TVersuch::GrafikSpeichern1Click() {}
void TVersuch::Grafikdrucken1Click() {}
void TVersuch::Parametervariation1Click() {}
void TVersuch::ListBox421Click() {}
void TVersuch::RadioGroup421Click() {}
void TVersuch::ComboBox431Click() {}
void TVersuch::Button431Click() {}
void TVersuch::Button432Click() {}

}  // namespace orbiton::ui
