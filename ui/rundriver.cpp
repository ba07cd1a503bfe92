// The run sequence behind Start, F9 and the context menu: the core's
// sequence with what only the window does around it.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

#include "simulation/runsequence.h"
#include "simulation/simulation.h"
#include "ui/backgroundrun.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

void TVersuch::Button101Click()
{
    BusyCursor busy(*dialogs_);
    Memo1->clear();
    ListBox421->setEnabled(true);
    if (readRunInputs(params_, *this) == RunInputs::GeometryRejected) {
        warn(QString::fromStdString(geometryWarning(params_)));
        return;
    }
    setUpTable();
    // The calculation runs on a worker thread while the window paints; a
    // long one shows the run indicator.
    runInBackground([this] { calculateRun(params_, state_, table_, summary_); }, *RunIndicator, runIndicatorDelay_);
    showResults();
    Label311->setVisible(true);
    if (GroupBox430->isHidden())
        fillTable();
    redrawChart();
}

void TVersuch::Berechnungstarten1Click() { Button101Click(); }

}  // namespace orbiton::ui
