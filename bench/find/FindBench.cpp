// The search from a cold start (reading the library's index, then one query)
// must answer in under 10 ms over the whole library; reading the catalogue
// the dialog shows in under 50 ms. Argument 0 is the sample library, any other
// the synthetic library of that many parts of 20 rows each (150: 3,000 rows).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "ScaleLibrary.h"
#include "db/find/PartFinder.h"
#include "ui/Catalogue.h"

namespace qzdbs::bench {
namespace {

std::string Library(const benchmark::State& state) {
  if (state.range(0) == 0) return QZDBS_SAMPLE_LIBRARY_PATH;
  return EnsureScaleLibrary(std::filesystem::temp_directory_path() / "qzdbs-bench",
                            static_cast<int32_t>(state.range(0)))
      .string();
}

void BM_FindFromColdStart(benchmark::State& state) {
  const std::string path = Library(state);
  for (auto _ : state) {
    find::PartFinder finder;
    finder.AddLibrary(path);
    auto hits = finder.Find("螺栓 GB/T 5782 M12×80");
    benchmark::DoNotOptimize(hits);
  }
}

void BM_FindInReadIndex(benchmark::State& state) {
  find::PartFinder finder;
  finder.AddLibrary(Library(state));
  for (auto _ : state) {
    auto hits = finder.Find("深沟球轴承 6205 d=25");
    benchmark::DoNotOptimize(hits);
  }
}

void BM_CatalogueFromColdStart(benchmark::State& state) {
  const std::string path = Library(state);
  for (auto _ : state) {
    ui::Catalogue catalogue;
    if (!catalogue.Load({path})) state.SkipWithError("the catalogue cannot be read");
    benchmark::DoNotOptimize(catalogue);
  }
}

BENCHMARK(BM_FindFromColdStart)->Arg(0)->Arg(150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindInReadIndex)->Arg(0)->Arg(150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatalogueFromColdStart)->Arg(0)->Arg(150)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qzdbs::bench

BENCHMARK_MAIN();
