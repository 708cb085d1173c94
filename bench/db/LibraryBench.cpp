// How the library readers scale: opening a library, loading one part for the
// selection dialog, and reading one part's definition with every entity's
// parameters, in a library of 10 parts and one of 10,000.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "ScaleLibrary.h"
#include "db/LibraryDB.h"
#include "db/SaveFieldToFile.h"
#include "db/clsPartComputeDB.h"
#include "db/clsPartSelDB.h"
#include "state/EngineState.h"

namespace qzdbs::bench {
namespace {

std::filesystem::path Library(int32_t parts) {
  return EnsureScaleLibrary(std::filesystem::temp_directory_path() / "qzdbs-bench", parts);
}

// Benchmarks pass the library size as their argument; they work on the part
// in the middle of it.
struct Setup {
  explicit Setup(const benchmark::State& state)
      : parts(static_cast<int32_t>(state.range(0))),
        path(Library(parts).string()),
        part(parts / 2 + 1) {
    Engine().messages = std::make_shared<StderrMessageService>();
    Engine().BlockFolder = (std::filesystem::temp_directory_path() / "qzdbs-bench" / "").string();
  }
  int32_t parts;
  std::string path;
  int32_t part;
};

void BM_OpenLibrary(benchmark::State& state) {
  Setup setup(state);
  for (auto _ : state) {
    if (!OpenLibraryDB(LibraryFolder(setup.path), setup.path, kLibraryPassword))
      state.SkipWithError("cannot open the library");
  }
  CloseLibraryDB();
}

void BM_LoadPartForDialog(benchmark::State& state) {
  Setup setup(state);
  OpenLibraryDB(LibraryFolder(setup.path), setup.path, kLibraryPassword);
  const std::string picture = PreviewPicturePath();
  for (auto _ : state) {
    clsPartSelDB reader;
    reader.InitClassData(setup.part);
    colInputPara names, data;
    colPartView views;
    std::vector<int32_t> rows;
    bool ok = reader.getInputParaName(names) && reader.getInputParaData(data, names) &&
              reader.getParaRows(rows) && reader.getPartView(views) && reader.getThisPart() &&
              reader.getPartGraphic(picture);
    if (!ok || data.Count() != 200 || views.Count() != 2) state.SkipWithError("incomplete part");
  }
  CloseLibraryDB();
}

void BM_ReadPartDefinition(benchmark::State& state) {
  Setup setup(state);
  OpenLibraryDB(LibraryFolder(setup.path), setup.path, kLibraryPassword);
  const std::string connection = Engine().LibraryConnection->ConnectionString;
  int64_t records = 0;
  for (auto _ : state) {
    clsPartComputeDB reader;
    reader.InitClass(setup.part);
    colCompute structure, structurePending, properties, propertiesPending, points, pointsPending;
    OrderedMap<std::string> layers;
    std::string guid, name;
    bool ok = reader.openCnn(connection) && reader.getStructurePara(structure, structurePending) &&
              reader.getPartProperties(properties, propertiesPending) &&
              reader.getPartPoint(points, pointsPending) && reader.getAllLayer(layers) &&
              reader.getPartCommInfo(setup.part, guid, name) &&
              !reader.getBasePointName("QZParts", "PartID", setup.part).empty();
    colEntityList total;
    for (int32_t view : {setup.part * 10 + 1, setup.part * 10 + 2}) {
      colEntityList entities;
      ok = ok && reader.getViewEntity(view, entities, total);
      for (const auto& entity : entities) {
        auto params = std::make_shared<colCompute>();
        ok = ok && reader.getEntityParaDB(entity->EntityID, entity->EntityType, params);
        if (entity->EntityType >= 15 && entity->EntityType <= 21)
          ok = ok && reader.getEntityParaDB(entity->EntityID, 27, std::make_shared<colCompute>());
        records += params->Count();
      }
    }
    if (!ok || total.Count() != kEntitiesPerPart) state.SkipWithError("incomplete definition");
  }
  state.counters["records"] =
      benchmark::Counter(static_cast<double>(records), benchmark::Counter::kAvgIterations);
  CloseLibraryDB();
}

BENCHMARK(BM_OpenLibrary)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPartForDialog)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPartDefinition)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qzdbs::bench

BENCHMARK_MAIN();
