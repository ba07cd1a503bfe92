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
#include <memory>
#include <random>
#include <string>
#include <typeinfo>

#include "forcemodel/forcemodel.h"
#include "model/errors.h"
#include "simulation/simulation.h"
#include "support.h"

namespace orbiton {
namespace {

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
        const test::FakeControls runs[2] = {test::randomInput(random), test::randomInput(random)};
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
