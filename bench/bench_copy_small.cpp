// Per-file cost of the copy engine's small-file path: a folder of small files copied
// into a fresh folder on each iteration, through the service's own engine with the
// answers that lose nothing, up to and including the final flush. items_per_second
// is files per second; its inverse is the cost of one file. The argument is the
// number of workers (0: chosen for the machine and the disk). The second case copies
// over the copy of the iteration before, so every file is replaced and its old
// copy goes to the trash.
//
// The files are made under $QUINTARO_BENCH_DIR (default: the system's temporary
// folder); use a folder on the disk to be measured, not tmpfs.

#include "platform/copy/CopyEngine.h"
#include "platform/copy/LoseNothingQuestions.h"
#include "platform/copy/fs/PosixFileSystem.h"
#include "platform/copy/ProgressState.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

namespace fsys = std::filesystem;

constexpr int kFiles = 500;

fsys::path benchRoot()
{
    const char* chosen = std::getenv("QUINTARO_BENCH_DIR");
    fsys::path base = chosen && chosen[0] != '\0' ? fsys::path(chosen) : fsys::temp_directory_path();
    return base / ("quintaro-copy-bench-" + std::to_string(::getpid()));
}

// kFiles files of 100 B to 16 KiB in ten folders, the same on every run.
fsys::path makeSource(const fsys::path& root)
{
    const fsys::path source = root / "src";
    std::mt19937 random(12);
    std::uniform_int_distribution<int> size(100, 16384);
    std::string data(16384, 'x');
    for (int i = 0; i < kFiles; ++i) {
        const fsys::path folder = source / ("d" + std::to_string(i % 10));
        fsys::create_directories(folder);
        std::ofstream(folder / ("f" + std::to_string(i))).write(data.data(), size(random));
    }
    return source;
}

shell::CopyOutcome copyOnce(const fsys::path& source, const fsys::path& destination, unsigned threads)
{
    shell::PosixFileSystem fs;
    shell::LoseNothingQuestions questions([](const std::string&) {});
    shell::ProgressState progress;
    shell::CancelToken cancel;
    shell::CopyOptions options;
    options.threads = threads;
    shell::CopyEngine engine(fs, questions, progress, cancel, options);
    return engine.run({source.string()}, destination.string());
}

void copySmallFiles(benchmark::State& state, bool over)
{
    const fsys::path root = benchRoot();
    const fsys::path source = makeSource(root);
    // The trash of the replaced files stays inside the bench folder.
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    const unsigned threads = static_cast<unsigned>(state.range(0));
    int run = 0;
    if (over) {
        fsys::create_directories(root / "dst");
        copyOnce(source, root / "dst", threads);
    }
    for (auto _ : state) {
        // Fresh folders each time; all copies are deleted only at the end, since a copy
        // made right after a deletion is several times slower.
        const fsys::path destination = over ? root / "dst" : root / ("dst" + std::to_string(++run));
        fsys::create_directories(destination);
        if (copyOnce(source, destination, threads) != shell::CopyOutcome::Success)
            state.SkipWithError("the copy failed");
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
    fsys::remove_all(root);
}

void BM_CopySmallFiles(benchmark::State& state)
{
    copySmallFiles(state, false);
}

void BM_CopySmallFilesOverTheirCopy(benchmark::State& state)
{
    copySmallFiles(state, true);
}

} // namespace

// One worker copies in order, with no batches; 0 lets the engine choose.
static void workers(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"threads"})->Args({1})->Args({0});
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_CopySmallFiles)->Apply(workers);
BENCHMARK(BM_CopySmallFilesOverTheirCopy)->Apply(workers);

BENCHMARK_MAIN();
