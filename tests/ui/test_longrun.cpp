// A long run: the window keeps painting and shows beside the tab set that
// it is calculating, and the results and errors are exactly those of the
// calculation run in place.
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <cstring>
#include <thread>

#include "forcemodel/forcemodel.h"
#include "model/errors.h"
#include "simulation/simulation.h"
#include "ui/backgroundrun.h"
#include "windowtest.h"

namespace orbiton::ui::testing {
namespace {

using namespace std::chrono_literals;

// Counts the paint and show events of a widget.
class EventCount : public QObject {
public:
    EventCount(QWidget* widget, QEvent::Type type) : type_(type) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == type_;
        return false;
    }

private:
    QEvent::Type type_;
};

TEST(BackgroundRun, TheWindowPaintsWithTheIndicatorShownUntilTheWorkEnds)
{
    QWidget window;
    auto* indicator = new QWidget(&window);
    indicator->hide();
    window.resize(200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EventCount paints(&window, QEvent::Paint);

    // The work ends only once the window has painted while it ran.
    std::atomic<bool> painted{false};
    bool indicatorShown = false;
    QTimer poll;
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (tries++ == 0) {
            indicatorShown = indicator->isVisible();
            paints.count = 0;
            window.update();
        } else if (paints.count > 0 || tries > 1000) {
            painted = true;
        }
    });
    poll.start(5);
    // (Gives up after ten seconds, so that a run that blocks the window fails instead of hanging.)
    runInBackground(
        [&] {
            const auto deadline = std::chrono::steady_clock::now() + 10s;
            while (!painted && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(1ms);
        },
        *indicator, 0ms);
    poll.stop();
    EXPECT_TRUE(indicatorShown);
    EXPECT_GT(paints.count, 0);
    EXPECT_FALSE(indicator->isVisible());

    // A short run within the delay shows no indicator.
    EventCount shows(indicator, QEvent::Show);
    runInBackground([] {}, *indicator, std::chrono::hours(1));
    EXPECT_EQ(shows.count, 0);
}

TEST(BackgroundRun, AnErrorOfTheWorkIsRaisedAgainByTheCaller)
{
    QWidget indicator;
    EXPECT_THROW(
        runInBackground([] { throw FloatingPointError(FloatingPointError::Kind::DivisionByZero); }, indicator, 0ms),
        FloatingPointError);
    EXPECT_FALSE(indicator.isVisible());
}

class LongRun : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        w().setRunIndicatorDelay(0ms);
    }
    void set(const char* control, const char* text)
    {
        w().guarded([&] { w().setControlText(control, QString::fromUtf8(text)); });
    }
};

TEST_F(LongRun, RhombicWithPreBoreAndSevenHundredTwentyStepsGivesTheResultsOfTheCalculation)
{
    control<TRadioGroup>("RadioGroup1")->button(1)->click();
    set("Edit114", "40");
    set("ComboBox161", "720");
    set("Edit113", "12");
    QWidget* indicator = control<QWidget>("RunIndicator");
    EventCount shows(indicator, QEvent::Show);
    QTest::mouseClick(control<QPushButton>("Button101"), Qt::LeftButton);
    ASSERT_EQ(messageCount(), 0u);
    EXPECT_EQ(shows.count, 1);
    EXPECT_FALSE(indicator->isVisible());
    EXPECT_EQ(dialogs->busyDepth, 0);

    // The same run in place, byte for byte.
    const ParameterSet p = w().parameters();
    ASSERT_EQ(p.stepCount, 720);
    SimulationState state;
    ResultTable table;
    RunSummary summary;
    runSimulation(p, state, table, summary);
    computeMinClearanceAngles(p, state, summary);
    EXPECT_EQ(std::memcmp(&table, &w().resultTable(), sizeof table), 0);
    EXPECT_EQ(std::memcmp(&summary, &w().runSummary(), sizeof summary), 0);
}

TEST_F(LongRun, AFailureInTheCalculationShowsTheStandardErrorBox)
{
    set("Edit141", "0");
    QTest::keyClick(window.get(), Qt::Key_F9);
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(lastMessage().kind, MessageKind::StandardError);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Ungültige Gleitkommaoperation."));
    EXPECT_FALSE(control<QWidget>("RunIndicator")->isVisible());
    EXPECT_EQ(control<QLabel>("ELabel211")->text(), QString());
    EXPECT_EQ(dialogs->busyDepth, 0);
}

}  // namespace
}  // namespace orbiton::ui::testing
