// The step loop on all cores.
//
// The steps are split into contiguous chunks, one per core or as many as
// setStepLoopThreads asks for (1: the plain loop alone). Chunk 0 runs on
// the calling thread, the others on threads of their own; each works on its
// own copy of the state and writes its rows into a scratch table.
//
// What passes from one step to the next is the state of the last engaged
// tooth (chip section, pass orbit angle, transition and core angles, active
// edge), the current row and the run's sums. A chunk that starts at step m
// first repeats, without keeping their rows, the steps from the last but one
// step before m that has a tooth in engagement. After that step the state
// holds the values of its last engaged tooth, as in the plain loop; the
// next engaged step may read some of them before it writes them (the active
// edge that selects a correction product, for one). Starting at the last
// engaged step alone would leave them from whatever the state held before,
// such as the end of the previous run. So the chunk starts from the state the plain loop has at step m.
//
// When every chunk has finished, the results are committed in step order.
// Each chunk's starting state must equal, bit for bit, the state the chunk
// before it ended with; if it does not (a tooth of the repeated steps that
// kept an active edge from before them could cause that), the chunk is
// computed again from that state. The sums are formed over the rows in step
// order, as the plain loop forms them. Any failure in any chunk (a
// floating-point failure or a refusal) discards everything, and the plain
// loop runs from the start, so that it reports the same first failure and
// leaves the same rows and state.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <memory>
#include <thread>
#include <tuple>
#include <vector>

#include "forcemodel/forcemodel.h"
#include "model/fpmath.h"
#include "simulation/simulation.h"
#include "simulation/steps.h"

namespace orbiton::detail {

namespace {

using fp::ext;
using fp::store;

// Below this many tooth evaluations starting threads costs more than it saves.
constexpr long minParallelToothSteps = 3000;
constexpr unsigned maxChunks = 8;

std::atomic<unsigned> threadSetting{0};  // 0: one per core

// Every value of the state that a step may read before writing it, or that
// the run leaves behind; not the caches of values derived from others
// (sines, cosines, correction products, the core tangent) and not the sums,
// which the commit forms.
auto carriedValues(const SimulationState& s)
{
    return std::tie(s.insertMidDiameter, s.innerEdgeDiameter, s.stepAngle, s.pathRadius, s.transitionAngle1,
                    s.roughnessDepth, s.spindleSpeed, s.circularSpeed, s.feedSpeed, s.circularAngularSpeed,
                    s.spindleAngularSpeed, s.orbitAnglePerTooth, s.rotationAngle, s.orbitAngle, s.toothAngle,
                    s.passOrbitAngle, s.chipFeed, s.transitionAngle2, s.transitionAngle3, s.transitionAngle4,
                    s.axisOverlap, s.coreAngle, s.axialFeedPerTooth, s.materialBoundaryCase, s.materialBoundaryRadius,
                    s.axialDepth, s.activeEdge, s.section, s.toothCuttingForce, s.toothNormalForce, s.toothPower,
                    s.toothCutterTorque, s.toothBarTorque, s.toothArea, s.toothTransverseForce, s.Fcx, s.Fcy, s.Fc,
                    s.Phirc, s.FcNx, s.FcNy, s.FcN, s.PhirN, s.Fqx, s.Fqy, s.Fq, s.PhirQ, s.Pc, s.Mc, s.Mb, s.stepArea,
                    s.currentRow);
}

// A value added to the state must either be listed above or be a cache of
// values derived from others; this reminds whoever adds one to decide.
static_assert(sizeof(SimulationState) == 912, "a new value in SimulationState: list it in carriedValues or "
                                              "make sure it only caches values derived from others");

template <class T>
bool sameBits(const T& a, const T& b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

bool sameCarriedState(const SimulationState& a, const SimulationState& b)
{
    return std::apply(
        [&](const auto&... x) {
            return std::apply([&](const auto&... y) { return (sameBits(x, y) && ...); }, carriedValues(b));
        },
        carriedValues(a));
}

struct Chunk {
    int first = 0;
    int last = 0;
    SimulationState start;  // at the start of step first
    SimulationState state;  // after step last
    ToothAngleMemo memo;
    bool failed = false;
};

void runChunk(const ParameterSet& p, const SimulationState& initial, ResultTable& scratch, Chunk& c,
              std::atomic<bool>& anyFailed)
{
    RunPlace place;  // a failure is reported by the plain loop
    try {
        c.state = initial;
        if (p.insertShape == insertShapeRhombic) {
            c.memo.prepare(static_cast<long>(c.last - c.first + 2) * p.toothCount);
            c.state.toothAngleMemo = &c.memo;
        }
        if (c.first > 0) {
            int j = c.first - 1;
            for (int engaged = 0; j > 0; --j)
                if (stepHasEngagedTooth(p, c.state, j) && ++engaged == 2)
                    break;
            for (; j < c.first; ++j)
                runStep(p, c.state, nullptr, j, place);
        }
        c.start = c.state;
        for (int j = c.first; j <= c.last && !anyFailed.load(std::memory_order_relaxed); ++j)
            runStep(p, c.state, &scratch, j, place);
    } catch (...) {
        c.failed = true;
        anyFailed.store(true, std::memory_order_relaxed);
    }
}

unsigned chunkCount(const ParameterSet& p)
{
    if (plainEvaluation())
        return 1;
    const long work = static_cast<long>(p.stepCount + 1) * p.toothCount;
    if (work < minParallelToothSteps)
        return 1;
    const unsigned setting = threadSetting.load(std::memory_order_relaxed);
    const unsigned threads = setting != 0 ? setting : std::thread::hardware_concurrency();
    return std::clamp(threads, 1u, std::min(maxChunks, static_cast<unsigned>(p.stepCount + 1)));
}

}  // namespace

bool runStepsInParallel(const ParameterSet& p, SimulationState& s, ResultTable& table)
{
    const unsigned count = chunkCount(p);
    if (count < 2)
        return false;
    const int steps = p.stepCount + 1;

    auto scratch = std::make_unique<ResultTable>();
    std::vector<Chunk> chunks(count);
    for (unsigned k = 0; k < count; ++k) {
        chunks[k].first = static_cast<int>(steps * static_cast<long>(k) / count);
        chunks[k].last = static_cast<int>(steps * static_cast<long>(k + 1) / count) - 1;
    }
    std::atomic<bool> anyFailed{false};
    try {
        std::vector<std::jthread> threads;
        for (unsigned k = 1; k < count; ++k)
            threads.emplace_back([&, k] { runChunk(p, s, *scratch, chunks[k], anyFailed); });
        runChunk(p, s, *scratch, chunks[0], anyFailed);
    } catch (const std::system_error&) {
        return false;  // no thread to be had (the started ones are joined)
    }
    if (anyFailed.load())
        return false;

    for (unsigned k = 1; k < count; ++k) {
        Chunk& c = chunks[k];
        if (sameCarriedState(chunks[k - 1].state, c.start))
            continue;
        try {
            c.state = chunks[k - 1].state;
            RunPlace place;
            for (int j = c.first; j <= c.last; ++j)
                runStep(p, c.state, scratch.get(), j, place);
        } catch (...) {
            return false;
        }
    }

    // Commit: rows 0..stepCount are each written by exactly one step.
    for (int ch = 0; ch < channelCount; ++ch)
        std::copy_n(scratch->values[ch].begin(), steps, table.values[ch].begin());
    s = chunks.back().state;
    s.toothAngleMemo = nullptr;
    s.sumPc = s.sumMc = s.sumMb = 0;
    for (int j = 0; j < steps; ++j) {
        const int r = rowOfStep(p, j);
        s.sumPc = store(static_cast<ext>(s.sumPc) + table.at(chPc, r));
        s.sumMc = store(static_cast<ext>(s.sumMc) + table.at(chMc, r));
        s.sumMb = store(static_cast<ext>(s.sumMb) + table.at(chMb, r));
    }
    return true;
}

}  // namespace orbiton::detail

namespace orbiton {

void setStepLoopThreads(unsigned threads) { detail::threadSetting.store(threads, std::memory_order_relaxed); }
unsigned stepLoopThreads() { return detail::threadSetting.load(std::memory_order_relaxed); }

}  // namespace orbiton
