// How long a drawing run takes once the library is open: computing a long
// chain of structure parameters stored against their order of use, drawing a
// part of 200 entities into the memory host, and a typical part computed and
// drawn from the Draw button's first step to its last. Library reads are
// included throughout.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchLibrary.h"
#include "base/MessageService.h"
#include "compute/Computation.h"
#include "db/LibraryDB.h"
#include "db/colPartView.h"
#include "host/memory/MemoryHost.h"
#include "output/DrawingPass.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

namespace qzdbs::bench {
namespace {

const std::filesystem::path& Library() {
  static const std::filesystem::path file =
      BuildBenchLibrary(std::filesystem::temp_directory_path() / "qzdbs-bench");
  return file;
}

// The engine state of a run on one part: the library open, a fresh memory
// host session and a message recorder that must stay empty.
class Run {
 public:
  explicit Run(int32_t part) : messages_(std::make_shared<RecordingMessageService>()) {
    Engine() = EngineState{};
    Engine().messages = messages_;
    const std::string path = Library().string();
    Reopen();
    Engine().LibraryPath = path;
    Engine().LibraryConnectString =
        LibraryConnectionString(LibraryFolder(path), path, kLibraryPassword);
    Engine().CurrentPartID = part;
    NewSession();
  }
  ~Run() {
    ReleaseComputeData();
    CloseLibraryDB();
    Engine() = EngineState{};
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  // The library closed and opened again: nothing of what earlier runs read
  // is kept, as on the first Draw after a part is chosen.
  static void Reopen() {
    CloseLibraryDB();
    const std::string path = Library().string();
    OpenLibraryDB(LibraryFolder(path), path, kLibraryPassword);
  }

  void NewSession() {
    component_ = MemoryComponent::Make();
    session_ = component_->NewObject("QZdbSPart");
    Engine().session = QZdbSPart(session_);
  }

  // What the selection dialog adds after InitComp.
  static void DialogChoices() {
    auto& design = Ensure(Compute().DesignParas);
    design.Add("O", "d", "12", 0, 1, 1, "", "O.1", 0);
    design.Add("O", "L", "60", 0, 1, 1, "", "O.2", 0);
    for (int i = 0; i < 5; ++i)
      Engine().OutputOptions.Insert("Che" + std::to_string(i), false);
  }

  // Objects the session's views received.
  size_t Objects() const {
    size_t count = 0;
    for (const auto& view : session_->Views())
      count += view->Entities().size();
    return count;
  }

  // False (and the benchmark stopped) when any box was shown.
  bool Quiet(benchmark::State& state) const {
    if (messages_->Boxes().empty()) return true;
    const MessageBoxRecord& box = messages_->Boxes().front();
    state.SkipWithError(("message box: " + box.title + " " + box.text).c_str());
    return false;
  }

 private:
  std::shared_ptr<RecordingMessageService> messages_;
  std::shared_ptr<MemoryComponent> component_;
  std::shared_ptr<MemoryObject> session_;
};

void BM_ComputeAllReverseChain(benchmark::State& state) {
  Run run(kChainPart);
  for (auto _ : state) {
    if (!InitComp() || !ComputeAll()) state.SkipWithError("the chain did not compute");
  }
  if (run.Quiet(state) && Compute().StructParas->Item("S.C1")->ParaValue != "200")
    state.SkipWithError("wrong value at the head of the chain");
}

// How the computation grows with the records it finishes: n points computed
// in one pass and removed in the next; a reverse chain of n parameters, one
// finished per pass (n passes over what is left).
void BM_ComputeScale(benchmark::State& state, int32_t firstPart, const char* family) {
  const auto size = static_cast<int32_t>(state.range(0));
  int32_t part = firstPart;
  for (size_t i = 0; i < kScaleSizes.size(); ++i)
    if (kScaleSizes[i] == size) part = firstPart + static_cast<int32_t>(i);
  Run run(part);
  for (auto _ : state) {
    if (!InitComp() || !ComputeAll()) state.SkipWithError("the part did not compute");
  }
  state.SetComplexityN(size);
  const bool chain = std::string(family) == "chain";
  const auto& values = chain ? Compute().StructParas : Compute().Points;
  const std::string key = chain ? "S.C1" : "P.P" + std::to_string(size) + ".X";
  const auto record = values ? values->Item(key) : nullptr;
  if (run.Quiet(state) && (!record || record->ParaValue != std::to_string(size)))
    state.SkipWithError(("wrong value of " + key).c_str());
}

// The part computed once, then drawn again and again into a fresh session.
void DrawRepeatedly(benchmark::State& state, Run& run, size_t expectedObjects) {
  LoadAllLayers();
  for (auto _ : state) {
    state.PauseTiming();
    run.NewSession();
    state.ResumeTiming();
    if (!DrawPart()) state.SkipWithError("DrawPart failed");
  }
  if (run.Quiet(state) && run.Objects() != expectedObjects)
    state.SkipWithError("not every entity was drawn");
}

void BM_DrawPartManyEntities(benchmark::State& state) {
  Run run(kManyEntitiesPart);
  if (!InitComp() || !ComputeAll()) state.SkipWithError("the part did not compute");
  Compute().Views->Add(21, "视图21", 0);
  DrawRepeatedly(state, run, kManyEntities);
}

// The Draw button: InitComp, the dialog's choices, ComputeAll, LoadAllLayers,
// DrawPart, ReleaseComputeData. Drawn again (another size, the same part) or
// for the first time since the library was opened, when every query runs.
void BM_TypicalPartComputedAndDrawn(benchmark::State& state) {
  const bool firstTime = state.range(0) != 0;
  Run run(kTypicalPart);
  for (auto _ : state) {
    state.PauseTiming();
    if (firstTime) Run::Reopen();
    run.NewSession();
    state.ResumeTiming();
    bool ok = InitComp();
    Run::DialogChoices();
    Compute().Views->Add(31, "视图31", 0);
    Compute().Views->Add(32, "视图32", 0);
    ok = ok && ComputeAll();
    LoadAllLayers();
    ok = ok && DrawPart();
    ReleaseComputeData();
    if (!ok) state.SkipWithError("the typical part failed");
  }
  if (run.Quiet(state) && run.Objects() != kTypicalEntities)
    state.SkipWithError("not every entity was drawn");
}

// The same run split: the computation alone, then the drawing pass alone.
void BM_TypicalPartComputeOnly(benchmark::State& state) {
  Run run(kTypicalPart);
  for (auto _ : state) {
    bool ok = InitComp();
    Run::DialogChoices();
    if (!ok || !ComputeAll()) state.SkipWithError("the typical part did not compute");
  }
  run.Quiet(state);
}

void BM_TypicalPartDrawOnly(benchmark::State& state) {
  Run run(kTypicalPart);
  bool ok = InitComp();
  Run::DialogChoices();
  Compute().Views->Add(31, "视图31", 0);
  Compute().Views->Add(32, "视图32", 0);
  if (!ok || !ComputeAll()) state.SkipWithError("the typical part did not compute");
  DrawRepeatedly(state, run, kTypicalEntities);
}

BENCHMARK(BM_ComputeAllReverseChain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ComputeScale, points, kScalePointsPart, "points")
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Arg(10000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ComputeScale, reverse_chain, kScaleChainPart, "chain")
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Arg(10000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawPartManyEntities)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypicalPartComputedAndDrawn)
    ->ArgName("first_draw")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypicalPartComputeOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypicalPartDrawOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qzdbs::bench

BENCHMARK_MAIN();
