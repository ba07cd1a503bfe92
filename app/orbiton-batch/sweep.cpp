#include "app/orbiton-batch/sweep.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <thread>

#include "app/orbiton-batch/failuretext.h"
#include "app/orbiton-batch/overrides.h"
#include "app/orbiton-batch/run.h"
#include "model/errors.h"
#include "model/fpmath.h"
#include "model/numbertext.h"
#include "simulation/runsequence.h"
#include "simulation/simulation.h"

namespace orbiton::batch {

namespace {

AllocationFailure allocationFailure;  // for tests only

const char* const tooManyRuns = "Die Variation ergibt %s Läufe; höchstens 100000 werden gerechnet";

[[noreturn]] void refuseRunCount(long double runs)
{
    // A count beyond any sensible number (a tiny step) is not spelt out.
    if (!(runs <= 1e9L))
        throw ArgumentError("Die Variation ergibt zu viele Läufe (mehr als 100 000)");
    char count[64];
    std::snprintf(count, sizeof count, "%.0Lf", runs);
    throw ArgumentError(formatMessage(tooManyRuns, count));
}

// FROM, TO or STEP as the field takes it: a whole number for a field of
// digits only, otherwise a decimal number with point or comma. A text that
// does not convert is quoted as the user typed it.
long double boundOf(const FieldSpec& field, std::string_view text)
{
    std::string t(text);
    for (char& c : t)
        if (c == '.')
            c = ',';
    try {
        if (!field.allowComma)
            return parseInteger(t);
        return parseRealExtended(t);
    } catch (const ConversionError&) {
        throw ConversionError(
            formatMessage(field.allowComma ? messages::invalidReal : messages::invalidInteger, excerpt(text)));
    }
}

std::string integerText(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.0Lf", value + 0.0L);  // + 0 turns -0 into 0
    return text;
}

// Runs side by side keep their step loops on their own threads; a single
// worker lets its runs use every core. The setting is the process's, put
// back when the study ends.
class StepLoopThreads {
public:
    explicit StepLoopThreads(unsigned threads) : previous_(stepLoopThreads()) { setStepLoopThreads(threads); }
    ~StepLoopThreads() { setStepLoopThreads(previous_); }
    StepLoopThreads(const StepLoopThreads&) = delete;
    StepLoopThreads& operator=(const StepLoopThreads&) = delete;

private:
    unsigned previous_;
};

using Clock = std::chrono::steady_clock;
constexpr auto progressInterval = std::chrono::milliseconds(200);

class Sweep {
public:
    Sweep(const DataSet& dataSet, const std::vector<Variation>& variations, const std::string& input)
        : dataSet_(dataSet), variations_(variations), input_(input), rows_(sweepRunCount(variations)),
          finished_(rows_.size())
    {
    }

    std::vector<SweepRow> run(unsigned jobs, const std::function<void(std::size_t)>& progress)
    {
        const std::size_t n = rows_.size();
        const std::size_t threads = std::min<std::size_t>(jobs < 1 ? 1 : jobs, n);
        std::optional<StepLoopThreads> oneThreadPerRun;
        if (threads > 1)
            oneThreadPerRun.emplace(1);
        std::vector<std::jthread> helpers;
        helpers.reserve(threads);
        for (std::size_t t = 1; t < threads; ++t) {
            active_.fetch_add(1);
            try {
                helpers.emplace_back([this] { helperThread(); });
            } catch (const std::system_error&) {
                active_.fetch_sub(1);
                break;  // fewer threads than asked; the calling thread works anyway
            } catch (const std::bad_alloc&) {
                active_.fetch_sub(1);
                break;
            }
        }
        const auto calculation = std::make_unique<Calculation>();
        auto lastReport = Clock::now();
        work(*calculation, [&] {
            if (progress && Clock::now() - lastReport >= progressInterval) {
                lastReport = Clock::now();
                progress(done_.load());
            }
        });
        {
            std::unique_lock lock(mutex_);
            while (!allHelpersDone_.wait_for(lock, progressInterval, [this] { return active_.load() == 0; }))
                if (progress)
                    progress(done_.load());
        }
        helpers.clear();
        // A run that could not get its memory on any thread is run again
        // here, with the helpers' records freed; a second failure ends the
        // study (std::bad_alloc), since its row would be no result.
        for (std::size_t k = 0; k < n; ++k)
            if (!finished_[k].load())
                runRow(k, *calculation, true);
        return std::move(rows_);
    }

private:
    void helperThread()
    {
        try {
            const auto calculation = std::make_unique<Calculation>();
            work(*calculation, [] {});
        } catch (...) {
            // Out of memory for the records or a row: the runs left are
            // taken by the others.
        }
        {
            const std::lock_guard lock(mutex_);
            active_.fetch_sub(1);
        }
        allHelpersDone_.notify_all();
    }

    template <class AfterRun>
    void work(Calculation& calculation, AfterRun afterRun)
    {
        for (;;) {
            const std::size_t k = next_.fetch_add(1);
            if (k >= rows_.size())
                return;
            runRow(k, calculation, false);
            afterRun();
        }
    }

    // Runs row k. A run that fails for lack of memory leaves its row
    // unfinished on the first attempt and raises std::bad_alloc on the
    // retry; any other failure is the row's message.
    void runRow(std::size_t k, Calculation& calculation, bool retry)
    {
        SweepRow& row = rows_[k];
        try {
            try {
                if (allocationFailure && allocationFailure(k, retry))
                    throw std::bad_alloc();
                row.texts.assign(variations_.size(), std::string());
                // The index of each variation, the last one running fastest.
                std::vector<std::size_t> index(variations_.size());
                std::size_t rest = k;
                for (std::size_t i = variations_.size(); i-- > 0;) {
                    index[i] = rest % variations_[i].count;
                    rest /= variations_[i].count;
                }
                for (std::size_t i = 0; i < variations_.size(); ++i)
                    row.texts[i] = fieldNumberText(variations_[i].value(index[i]));
                DataSet d = dataSet_;
                for (std::size_t i = 0; i < variations_.size(); ++i) {
                    row.texts[i] = variations_[i].text(index[i]);
                    applyOverride(d, acceptOverride(*variations_[i].parameter, row.texts[i]));
                }
                runDataSet(d, calculation);
                row.summary = calculation.summary;
                row.succeeded = true;
            } catch (const std::bad_alloc&) {
                throw;
            } catch (const std::exception& e) {
                row.succeeded = false;
                row.error = failureText(e, input_);
            }
        } catch (const std::bad_alloc&) {
            row = SweepRow{};
            if (retry)
                throw;
            return;
        }
        finished_[k].store(true);
        done_.fetch_add(1);
    }

    const DataSet& dataSet_;
    const std::vector<Variation>& variations_;
    const std::string& input_;
    std::vector<SweepRow> rows_;
    std::vector<std::atomic<bool>> finished_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> done_{0};
    std::atomic<std::size_t> active_{0};
    std::mutex mutex_;
    std::condition_variable allHelpersDone_;
};

}  // namespace

long double Variation::value(std::size_t k) const { return from + static_cast<long double>(k) * step; }

std::string Variation::text(std::size_t k) const
{
    if (!fieldOf(*parameter).allowComma)
        return integerText(value(k));
    return exactFieldText(fp::store(value(k)));
}

Variation parseVariation(std::string_view argument)
{
    const Assignment a = splitAssignment(argument);
    if (a.parameter->kind != InputParameter::Kind::Number)
        throw ArgumentError(std::string(a.parameter->name) + " ist keine Zahl und kann nicht variiert werden");
    const FieldSpec& field = fieldOf(*a.parameter);
    const std::string_view value = a.value;
    const std::size_t first = value.find(':');
    const std::size_t second = first == std::string_view::npos ? first : value.find(':', first + 1);
    if (second == std::string_view::npos || value.find(':', second + 1) != std::string_view::npos)
        throw ArgumentError(formatMessage("'%s' hat nicht die Form VON:BIS:SCHRITT", excerpt(value)));

    Variation v;
    v.parameter = a.parameter;
    v.from = boundOf(field, value.substr(0, first));
    const long double to = boundOf(field, value.substr(first + 1, second - first - 1));
    v.step = boundOf(field, value.substr(second + 1));
    if (v.step == 0)
        throw ArgumentError("Der Schritt einer Variation darf nicht 0 sein");
    const long double intervals = (to - v.from) / v.step;
    if (!(intervals >= 0))
        throw ArgumentError("Mit diesem Schritt führt die Variation von VON nicht zu BIS");
    // A quotient that misses a whole number only by the rounding of the
    // decimal inputs still reaches TO.
    const long double whole = std::floor(intervals * (1 + 1e-12L));
    if (whole + 1 > maxSweepRuns)
        refuseRunCount(whole + 1);
    v.count = static_cast<std::size_t>(whole) + 1;
    return v;
}

std::size_t sweepRunCount(const std::vector<Variation>& variations)
{
    long double runs = 1;
    for (const auto& v : variations)
        runs *= static_cast<long double>(v.count);
    if (runs > maxSweepRuns)
        refuseRunCount(runs);
    return static_cast<std::size_t>(runs);
}

void setAllocationFailureForTesting(AllocationFailure failure) { allocationFailure = std::move(failure); }

std::vector<SweepRow> runSweep(const DataSet& dataSet, const std::vector<Variation>& variations, unsigned jobs,
                               const std::string& input, const std::function<void(std::size_t)>& progress)
{
    Sweep sweep(dataSet, variations, input);
    return sweep.run(jobs, progress);
}

}  // namespace orbiton::batch
