// Time and memory of reading input files, above all of refusing input that
// is no data set: a device, a 1000 MB file without line ends, a data set
// whose line 51 is 200 MB long. Each must be refused in well under a
// millisecond, reading at most the capped 64 KiB. The "maxrss_kib" counter
// is the process's peak memory after the benchmark.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "files/dataset.h"
#include "files/textfile.h"
#include "model/errors.h"

using namespace orbiton;

namespace {

class Scratch {
public:
    Scratch()
    {
        std::random_device rd;
        folder_ = std::filesystem::temp_directory_path() / ("orbiton-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(folder_);
    }
    ~Scratch()
    {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    // A file that starts with start and is size bytes long (the rest a hole
    // that reads as NUL bytes).
    std::string file(const std::string& name, const std::string& start, off_t size) const
    {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << start;
        if (size > 0 && ::truncate(path.c_str(), size) != 0)
            throw std::runtime_error("truncate failed");
        return path;
    }

private:
    std::filesystem::path folder_;
};

void peakMemory(benchmark::State& state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["maxrss_kib"] = static_cast<double>(usage.ru_maxrss);
}

void refuse(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(readDataSetFile(path));
            state.SkipWithError("not refused");
            return;
        } catch (const FileError&) {
        }
    }
    peakMemory(state);
}

void BM_ReadDefaultDataSet(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(readDataSetFile(ORBITON_DATA_DIR "/default.ads"));
    peakMemory(state);
}
BENCHMARK(BM_ReadDefaultDataSet)->Unit(benchmark::kMicrosecond);

void BM_RefuseDevice(benchmark::State& state) { refuse(state, "/dev/zero"); }
BENCHMARK(BM_RefuseDevice)->Unit(benchmark::kMicrosecond);

void BM_RefuseHugeFileWithoutLineEnds(benchmark::State& state)
{
    const Scratch scratch;
    refuse(state, scratch.file("gross.ads", "", off_t{1000} << 20));
}
BENCHMARK(BM_RefuseHugeFileWithoutLineEnds)->Unit(benchmark::kMicrosecond);

void BM_RefuseHugeLine51(benchmark::State& state)
{
    const Scratch scratch;
    std::string fifty;
    for (int k = 0; k < 50; ++k)
        fifty += "1\r\n";
    refuse(state, scratch.file("zeile51.ads", fifty, off_t{200} << 20));
}
BENCHMARK(BM_RefuseHugeLine51)->Unit(benchmark::kMicrosecond);

}  // namespace
