// qzdbs as a user meets it: the time from starting `qzdbs draw` to a
// written drawing of one sample part (target: under 50 ms), and how many
// drawings per second `qzdbs batch` writes with 1 and 2 jobs (target: at
// least 2,000 with 2 on a 2-core machine). The program runs as its own process
// each time; its peak memory with a block drawing of 500 MB in the library
// (streamed to the block file, so about that of any part: 12,584 KB; read
// whole, it was 536,768 KB).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The format the benchmarks write.
constexpr const char* kFormat = "dxf";

fs::path ScratchFolder() {
  std::string pattern = (fs::temp_directory_path() / "qzdbs-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
  return pattern;
}

// Runs qzdbs with its output thrown away; its exit status, and its peak
// resident memory in KB when asked.
int RunQzdbs(std::vector<std::string> args, long* peakKb = nullptr) {
  args.insert(args.begin(), QZDBS_CLI_PATH);
  std::vector<char*> argv;
  for (auto& arg : args)
    argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, QZDBS_CLI_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " QZDBS_CLI_PATH);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (peakKb) *peakKb = usage.ru_maxrss;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_DrawOnePartToFile(benchmark::State& state) {
  const fs::path folder = ScratchFolder();
  const std::string file = (folder / (std::string("bolt.") + kFormat)).string();
  for (auto _ : state) {
    fs::remove(file);
    // M12 x 60 hexagon head bolt, both views.
    if (RunQzdbs({"draw", "ISO 4014", "--row", "65", "-o", file}) != 0 || !fs::exists(file)) {
      state.SkipWithError("qzdbs draw failed");
      break;
    }
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_DrawOnePartToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The batches' folders, removed when the program ends. Thousands of files
// deleted just before a batch make some file systems slow to create the
// batch's own for a while (ext4 without a journal passes over the inodes
// freed in the last 30 seconds), which is not the batch's time.
class FoldersRemovedAtExit {
 public:
  ~FoldersRemovedAtExit() {
    std::error_code ignored;
    for (const fs::path& folder : folders_)
      fs::remove_all(folder, ignored);
  }
  void Add(fs::path folder) { folders_.push_back(std::move(folder)); }

 private:
  std::vector<fs::path> folders_;
};
FoldersRemovedAtExit batchFolders;

// Each run writes into a folder of its own, as a user's first batch does
// (a batch run again into its folder leaves the unchanged drawings as they
// are, which is faster).
void BM_BatchDrawings(benchmark::State& state) {
  const fs::path folder = ScratchFolder();
  batchFolders.Add(folder);
  const std::string jobs = std::to_string(state.range(0));
  int64_t drawings = 0;
  int runs = 0;
  for (auto _ : state) {
    const fs::path output = folder / std::to_string(++runs);
    if (RunQzdbs({"batch", "--jobs", jobs, "--format", kFormat, "-o", output.string()}) != 0) {
      state.SkipWithError("qzdbs batch failed");
      break;
    }
    std::ifstream manifest(output / "manifest.json");
    drawings += nlohmann::json::parse(manifest)["drawn"].get<int64_t>();
  }
  state.counters["drawings_per_second"] =
      benchmark::Counter(static_cast<double>(drawings), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BatchDrawings)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("jobs")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Runs one statement of `sql` (`megabytes` bound to ?1) on `library`; the
// first value of its first row, or -1 when it gives no row.
int64_t RunSql(const fs::path& library, const char* sql, int64_t megabytes) {
  sqlite3* db = nullptr;
  sqlite3_stmt* statement = nullptr;
  int step = SQLITE_ERROR;
  if (sqlite3_open(library.c_str(), &db) == SQLITE_OK &&
      sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK) {
    sqlite3_bind_int64(statement, 1, megabytes << 20);
    step = sqlite3_step(statement);
  }
  const int64_t first = step == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
  const std::string error = sqlite3_errmsg(db);
  sqlite3_finalize(statement);
  sqlite3_close(db);
  if (step != SQLITE_ROW && step != SQLITE_DONE) throw std::runtime_error(error);
  return first;
}

void BM_DrawPartWithLargeBlockData(benchmark::State& state) {
  const fs::path folder = ScratchFolder();
  const fs::path library = folder / "large-block.qzlib";
  fs::copy_file(QZDBS_SAMPLE_LIBRARY, library);
  RunSql(library, "UPDATE QZEnt_BlockGlobal SET BlockData = zeroblob(?1)", state.range(0));
  const int64_t part = RunSql(library, "SELECT PartID FROM QZEnt_BlockDefine LIMIT 1", 0);
  if (part < 0) state.SkipWithError("no part of the sample library has a block");
  long peakKb = 0;
  for (auto _ : state) {
    fs::remove_all(folder / "blocks");
    if (RunQzdbs({"draw", std::to_string(part), "--library", library.string(), "--block-folder",
                  (folder / "blocks").string(), "-o", (folder / "part.json").string()},
                 &peakKb) != 0) {
      state.SkipWithError("qzdbs draw failed");
      break;
    }
  }
  state.counters["peak_kb"] = static_cast<double>(peakKb);
  fs::remove_all(folder);
}
BENCHMARK(BM_DrawPartWithLargeBlockData)
    ->Arg(500)
    ->ArgName("block_mb")
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
