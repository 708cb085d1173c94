// Opening the Access fixture: the first open (conversion into the cache), a
// conversion kept in memory, and a reopen from the cache, with the process's
// peak memory. Targets: first open under 300 ms, reopen under 5 ms.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>

#include "platform/mdb/AccessLibrary.h"

namespace {

namespace fs = std::filesystem;

const std::string kFixture = QZDBS_SOURCE_DIR "/tests/data/access/sample-library.mdb";

fs::path BenchCache() {
  return fs::temp_directory_path() / ("qzdbs-bench-access-" + std::to_string(::getpid()));
}

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_AccessFirstOpen(benchmark::State& state) {
  qzdbs::mdb::AccessOpenOptions options;
  options.cacheFolder = BenchCache();
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(options.cacheFolder);
    state.ResumeTiming();
    auto db = qzdbs::mdb::OpenAccessAsSqlite(kFixture, options);
    benchmark::DoNotOptimize(db.get());
  }
  fs::remove_all(options.cacheFolder);
  ReportPeakMemory(state);
}
BENCHMARK(BM_AccessFirstOpen)->Unit(benchmark::kMillisecond);

void BM_AccessConvertInMemory(benchmark::State& state) {
  qzdbs::mdb::AccessOpenOptions options;
  options.useCache = false;
  for (auto _ : state) {
    auto db = qzdbs::mdb::OpenAccessAsSqlite(kFixture, options);
    benchmark::DoNotOptimize(db.get());
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_AccessConvertInMemory)->Unit(benchmark::kMillisecond);

void BM_AccessReopen(benchmark::State& state) {
  qzdbs::mdb::AccessOpenOptions options;
  options.cacheFolder = BenchCache();
  qzdbs::mdb::OpenAccessAsSqlite(kFixture, options);  // fills the cache
  for (auto _ : state) {
    auto db = qzdbs::mdb::OpenAccessAsSqlite(kFixture, options);
    benchmark::DoNotOptimize(db.get());
  }
  fs::remove_all(options.cacheFolder);
  ReportPeakMemory(state);
}
BENCHMARK(BM_AccessReopen)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
