// The run sequence behind Start, F9 and the context menu.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

#include "forcemodel/forcemodel.h"
#include "simulation/simulation.h"
#include "ui/backgroundrun.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

void TVersuch::Button101Click()
{
    BusyCursor busy(*dialogs_);
    Memo1->clear();
    ListBox421->setEnabled(true);
    resetParameters(params_);
    readProcessParameters(params_, *this);
    if (!checkGeometry())
        return;
    readForceCoefficients(params_, *this);
    RadioGroup101Click();
    readCorrectionParameters(params_, *this);
    // A step count, tooth count, observed tooth or insert shape that would
    // write past the table or give meaningless rows is refused before the
    // table is touched.
    checkRunPreconditions(params_);
    setUpTable();
    // The calculation runs on a worker thread while the window paints; a
    // long one shows the run indicator.
    runInBackground(
        [this] {
            runSimulation(params_, state_, table_, summary_);
            computeMinClearanceAngles(params_, state_, summary_);
        },
        *RunIndicator, runIndicatorDelay_);
    showResults();
    Label311->setVisible(true);
    if (GroupBox430->isHidden())
        fillTable();
}

bool TVersuch::checkGeometry()
{
    if (geometryIsValid(params_))
        return true;
    warn(QString::fromUtf8(messages::geometry));
    return false;
}

void TVersuch::Berechnungstarten1Click()
{
    Button101Click();
}

}  // namespace orbiton::ui
