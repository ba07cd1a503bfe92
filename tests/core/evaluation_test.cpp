// The fast evaluation (blocks and screened steps of the rhombic insert's
// radial searches, estimated sines and cosines of the chip feed, the step
// loop on all cores) must give bit for bit what the plain evaluation gives,
// which takes every step exactly and one after another: every cell of the
// table, including the rows a failed run leaves behind, every summary value,
// and the kind, text and place (step and tooth) of the first failure. Each trial runs two random
// inputs in a row on one calculation, so that what a run leaves behind in
// the state reaches the next run too. The trials take turns with one thread
// per core, with the calling thread alone and with three and five threads,
// so that chunks start at many different steps.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <string>
#include <typeinfo>

#include "forcemodel/forcemodel.h"
#include "model/errors.h"
#include "simulation/simulation.h"
#include "support.h"

namespace orbiton {
namespace {

std::string text(double value)
{
    std::string t = std::to_string(value);
    for (char& c : t)
        if (c == '.')
            c = ',';
    return t;
}

// A random input that passes the geometry check and the field rules: both
// insert shapes, pre-bores, axial offsets, both directions, corrections on
// and off. Tooth and step counts are drawn so that the plain evaluation of a
// whole trial stays short, with a share of runs large enough for the step
// loop to use all cores.
test::FakeControls randomInput(std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto between = [&](double lo, double hi) { return lo + (hi - lo) * unit(random); };
    const double D = between(40, 120);
    const double d = D * between(0.51, 0.99);
    const double reach = d - D / 2;
    const double b = reach + (d / 2 - reach) * between(0.02, 0.98);
    const bool rhombic = unit(random) < 0.6;
    const bool large = unit(random) < 0.3;
    const int teeth = large ? static_cast<int>(between(5, rhombic ? 12 : 40))
                            : 1 + static_cast<int>(std::pow(rhombic ? 8.0 : 99.0, unit(random))) - 1;
    const int steps = large ? static_cast<int>(between(400, 721)) : static_cast<int>(between(36, 400));
    test::FakeControls c;
    c.set(inputs::boreDiameter, text(D))
        .set(inputs::cutterDiameter, text(d))
        .set(inputs::insertWidth, text(b))
        .set(inputs::toothCount, std::to_string(teeth))
        .set(inputs::observedTooth, std::to_string(1 + static_cast<int>(unit(random) * teeth)))
        .set(inputs::stepCount, std::to_string(steps))
        .set(inputs::preboreDiameter, unit(random) < 0.5 ? "0" : text(between(0, D * 0.9)))
        .set(inputs::axialOffset, unit(random) < 0.7 ? "0" : text(between(0, 0.05)))
        .set(inputs::rakeAngleOuter, text(between(-20, 20)))
        .set(inputs::rakeAngleInner, text(between(-20, 20)))
        .set(inputs::settingAngle, text(between(1, 89)))
        .set(inputs::cuttingSpeed, text(between(20, 400)))
        .set(inputs::axialFeedPerRev, text(between(0.1, 3)))
        .set(inputs::radialFeedPerTooth, text(between(0.01, 0.5)))
        .select(inputs::insertShape, rhombic ? 1 : 0)
        .select(inputs::millingDirection, unit(random) < 0.5 ? 0 : 1);
    for (const std::string_view box : inputs::correctionSwitches)
        c.check(box, unit(random) < 0.7);
    return c;
}

// What a run shows: the table, the summary and the failure.
struct Outcome {
    ResultTable table;
    RunSummary summary;
    std::string failure;  // kind and text, empty for none
};

void run(Calculation& c, const test::FakeControls& input, Outcome& out)
{
    out.failure.clear();
    try {
        c.run(input);
    } catch (const FloatingPointError& e) {
        out.failure = std::string(e.what()) + " " + describePlace(e.place());
    } catch (const OrbitonError& e) {
        out.failure = std::string(typeid(e).name()) + ": " + e.what();
    }
    out.table = c.table;
    out.summary = c.summary;
}

class PlainEvaluation {
public:
    PlainEvaluation() { detail::setPlainEvaluation(true); }
    ~PlainEvaluation() { detail::setPlainEvaluation(false); }
};

class StepLoopThreads {
public:
    explicit StepLoopThreads(unsigned threads) { setStepLoopThreads(threads); }
    ~StepLoopThreads() { setStepLoopThreads(0); }
};

TEST(FastEvaluation, SameResultsAsThePlainEvaluation)
{
    std::mt19937 random(20261208);
    int failed = 0;
    for (int trial = 0; trial < 150; ++trial) {
        const test::FakeControls runs[2] = {randomInput(random), randomInput(random)};
        const StepLoopThreads threads(std::array{0u, 1u, 3u, 5u}[trial % 4]);
        Calculation fast, plain;
        for (const test::FakeControls& input : runs) {
            auto fastOutcome = std::make_unique<Outcome>(), plainOutcome = std::make_unique<Outcome>();
            run(fast, input, *fastOutcome);
            {
                PlainEvaluation on;
                run(plain, input, *plainOutcome);
            }
            SCOPED_TRACE("trial " + std::to_string(trial) + ", teeth " + input.text(inputs::toothCount) + ", steps " +
                         input.text(inputs::stepCount) + ", failure '" + plainOutcome->failure + "'");
            failed += !plainOutcome->failure.empty();
            ASSERT_EQ(fastOutcome->failure, plainOutcome->failure);
            ASSERT_EQ(std::memcmp(&fastOutcome->summary, &plainOutcome->summary, sizeof(RunSummary)), 0);
            for (int ch = 0; ch < channelCount; ++ch)
                for (int r = 0; r < maxRows; ++r) {
                    const float a = fastOutcome->table.at(ch, r), b = plainOutcome->table.at(ch, r);
                    ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0)
                        << "row " << r << " " << channels()[ch].key << ": " << a << " vs " << b;
                }
        }
    }
    // Failing runs are part of the comparison.
    EXPECT_GT(failed, 10);
}

}  // namespace
}  // namespace orbiton
