// Many drawings on parallel jobs, the manifest of what was drawn and what
// failed, and the summary.
#include "BatchRun.h"

#include <CLI/CLI.hpp>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <iostream>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <set>
#include <string_view>
#include <thread>

#include "CliSupport.h"
#include "Interrupt.h"
#include "JobQueue.h"
#include "Progress.h"
#include "SelectionRun.h"
#include "base/TextFile.h"
#include "db/LibraryDB.h"
#include "db/clsPartSelDB.h"
#include "db/recordset/Connection.h"
#include "state/EngineState.h"

namespace qzdbs::cli {

namespace fs = std::filesystem;

std::string FileNameOf(const std::string& designation) {
  std::string name;
  for (char c : designation) {
    const bool bad = static_cast<unsigned char>(c) < 0x20 ||
                     std::string_view("<>/\\\":;?*|=`").find(c) != std::string_view::npos;
    name += bad ? '_' : c;
  }
  const auto begin = name.find_first_not_of(" .");
  return begin == std::string::npos ? "_" : name.substr(begin);
}

// A second library of the same name gets a number, so that the files of the
// two never meet.
std::map<std::string, std::string> LibraryStems(const ui::Catalogue& catalogue) {
  std::map<std::string, std::string> stems;
  std::map<std::string, int> used;
  for (const auto& library : catalogue.Libraries()) {
    std::string stem = fs::path(library.libraryPath).stem().string();
    if (int count = used[stem]++; count > 0) stem += "~" + std::to_string(count + 1);
    stems[library.libraryPath] = stem;
  }
  return stems;
}

namespace {

using Json = nlohmann::ordered_json;

// The value rows of a part, read as the dialog reads them.
std::vector<int32_t> ValueRows(int32_t partID) {
  clsPartSelDB reader;
  reader.InitClassData(partID);
  colInputPara names;
  colInputPara values;
  std::vector<int32_t> rows;
  reader.getInputParaName(names);
  reader.getInputParaData(values, names);
  reader.getParaRows(rows);
  return rows;
}

struct Drawing {
  const ui::CatalogueNode* part = nullptr;
  std::optional<int32_t> rowID;  // none for a part without value rows
  std::string stem;              // the file name without its extension
  fs::path folder;               // under the output folder
};

struct Outcome {
  bool finished = false;  // false for a drawing an interruption left out
  bool drawn = false;
  std::string designation;
  std::vector<std::string> files;  // under the output folder
  std::vector<MessageBoxRecord> messages;
  std::vector<std::string> findings;  // the drawing server's audit
  std::string failure;
};

std::vector<Drawing> ListDrawings(const ui::Catalogue& catalogue,
                                  const std::vector<PartToDraw>& parts) {
  // Reading quietly: a part the reader cannot list is drawn once as it is.
  Engine().messages = std::make_shared<RecordingMessageService>();
  const auto stems = LibraryStems(catalogue);
  std::vector<Drawing> drawings;
  std::string open;
  for (const auto& [part, folder] : parts) {
    if (part->libraryPath != open) {
      open = part->libraryPath;
      OpenLibraryDB(LibraryFolder(open), open, kLibraryPassword);
    }
    const std::string stem = stems.at(part->libraryPath) + "-p" + std::to_string(part->partID);
    const auto rows = ValueRows(part->partID);
    if (rows.empty()) drawings.push_back({part, std::nullopt, stem, folder});
    for (int32_t row : rows)
      drawings.push_back({part, row, stem + "-r" + std::to_string(row), folder});
  }
  CloseLibraryDB();
  Engine().messages.reset();
  return drawings;
}

class BatchRun {
 public:
  BatchRun(std::shared_ptr<const ui::Catalogue> catalogue, std::vector<Drawing> drawings,
           const BatchPlan& plan)
      : catalogue_(std::move(catalogue)),
        drawings_(std::move(drawings)),
        outcomes_(drawings_.size()),
        plan_(plan) {}

  void Run(int jobs) {
    std::vector<size_t> parts;
    for (size_t i = 0; i < drawings_.size(); ++i) {
      const bool samePart = i > 0 && drawings_[i].part == drawings_[i - 1].part;
      parts.push_back(i == 0 ? 0 : parts.back() + (samePart ? 0 : 1));
    }
    queue_.emplace(parts, static_cast<size_t>(jobs));
    ProgressBar progress(drawings_.size());
    std::vector<std::thread> threads;
    for (int job = 0; job < jobs; ++job)
      threads.emplace_back([this, job] { Work(job); });
    {
      // Woken by the last drawing or the last job: a batch of short drawings
      // should not sit out the rest of a progress tick.
      std::unique_lock lock(finishing_);
      while (!finished_.wait_for(lock, std::chrono::milliseconds(100), [this, jobs] {
        return done_ == drawings_.size() || stopped_ == jobs;
      }))
        progress.Show(done_, failed_);
    }
    for (auto& thread : threads)
      thread.join();
    progress.Show(done_, failed_);
    progress.Finish();
  }

  const std::vector<Drawing>& Drawings() const { return drawings_; }
  const std::vector<Outcome>& Outcomes() const { return outcomes_; }
  size_t Failed() const { return failed_; }
  size_t Done() const { return done_; }

 private:
  // Each job runs on its own thread, so it has an engine state, a
  // computation state and library connections of its own, and its own
  // folder for block files and preview pictures.
  void Work(int job) {
    const fs::path own = scratch_.Path() / ("job-" + std::to_string(job));
    // A folder that cannot be made fails the drawings that need it, each
    // with its message; no exception may leave a job's thread.
    std::error_code ignored;
    fs::create_directories(own / "blocks", ignored);
    RunSettings settings;
    settings.printMessages = false;
    settings.previewPath = (own / "WMFtemp.wmf").string();
    settings.blockFolder = (own / "blocks" / "").string();
    const auto held = HoldLibraries();
    while (!InterruptWatch::Interrupted()) {
      const std::optional<size_t> next = queue_->Next(static_cast<size_t>(job));
      if (!next) break;
      const size_t i = *next;
      try {
        Draw(drawings_[i], settings, outcomes_[i]);
      } catch (const std::exception& failure) {
        outcomes_[i].drawn = false;
        outcomes_[i].failure = failure.what();
      }
      outcomes_[i].finished = true;
      if (!outcomes_[i].drawn) ++failed_;
      if (++done_ == drawings_.size()) {
        std::lock_guard lock(finishing_);
        finished_.notify_all();
      }
    }
    std::lock_guard lock(finishing_);
    ++stopped_;
    finished_.notify_all();
  }

  // Every drawing opens its library again, for the dialog and for the
  // computation; while a connection of this thread holds the file, they
  // share its handle and its prepared statements instead of reading the
  // schema and parsing every query afresh. A library that cannot be opened
  // is left to the drawings, which report it.
  std::vector<std::unique_ptr<db::Connection>> HoldLibraries() const {
    std::vector<std::unique_ptr<db::Connection>> held;
    for (const auto& library : catalogue_->Libraries()) {
      auto connection = std::make_unique<db::Connection>();
      connection->ConnectionString = LibraryConnectionString(LibraryFolder(library.libraryPath),
                                                             library.libraryPath, kLibraryPassword);
      try {
        connection->Open();
        held.push_back(std::move(connection));
      } catch (const std::exception&) {
      }
    }
    return held;
  }

  void Draw(const Drawing& drawing, const RunSettings& settings, Outcome& outcome) {
    PartChoice choice;
    choice.libraryPath = drawing.part->libraryPath;
    choice.partID = drawing.part->partID;
    choice.rowID = drawing.rowID;
    ui::DialogScript script;
    script.steps = ChoiceSteps(choice);
    script.steps.push_back(ui::steps::Draw());
    RunResult run = RunSelection(catalogue_, std::move(script), settings);
    outcome.messages = run.messages;
    outcome.failure = run.scriptFailure;
    outcome.drawn = run.generateResult == 1 && run.scriptFailure.empty();
    if (!outcome.drawn) return;
    DrawingWriter writer(run, plan_.style);
    std::string stem = drawing.stem;
    try {
      outcome.designation = writer.Designation();
      if (!outcome.designation.empty())
        stem = ReserveStem(drawing.folder, outcome.designation, drawing.stem);
      if (!drawing.folder.empty()) CreateFolder(plan_.output / drawing.folder);
    } catch (const std::exception& failure) {
      outcome.drawn = false;
      outcome.failure = failure.what();
      return;
    }
    for (Format format : plan_.formats) {
      const fs::path name = drawing.folder / (stem + "." + Extension(format));
      try {
        writer.Write(format, plan_.output / name, plan_.pngPixels);
        outcome.files.push_back(name.generic_string());
      } catch (const std::exception& failure) {
        outcome.drawn = false;
        outcome.failure = failure.what();
      }
    }
    if (plan_.thumbnails && outcome.drawn) MakeThumbnailNewer(outcome.files);
    outcome.findings = writer.Findings();
  }

  // A browser that keeps its own thumbnail where a drawing is newer than
  // its picture compares times to the millisecond; both are written within
  // one, often.
  void MakeThumbnailNewer(const std::vector<std::string>& files) const {
    std::optional<fs::path> drawing, picture;
    for (const std::string& file : files) {
      const fs::path path = plan_.output / file;
      if (path.extension() == ".png") picture = path;
      if (path.extension() == ".dxf") drawing = path;
    }
    if (!drawing || !picture) return;
    std::error_code error;
    const auto written = fs::last_write_time(*picture, error);
    if (!error) fs::last_write_time(*drawing, written - std::chrono::seconds(1), error);
  }

  static void CreateFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder))
      throw std::runtime_error("cannot make the folder " + folder.string() +
                               (error ? ": " + error.message() : std::string()));
  }

  // The file name a designation gives; a second drawing of the same
  // designation adds its part and row to it.
  std::string ReserveStem(const fs::path& folder, const std::string& designation,
                          const std::string& fallback) {
    std::string stem = FileNameOf(designation);
    std::lock_guard lock(naming_);
    if (!stems_.insert(folder / stem).second) {
      stem += " (" + fallback + ")";
      stems_.insert(folder / stem);
    }
    return stem;
  }

  std::shared_ptr<const ui::Catalogue> catalogue_;
  std::mutex naming_;
  std::set<fs::path> stems_;
  std::vector<Drawing> drawings_;
  std::vector<Outcome> outcomes_;
  const BatchPlan& plan_;
  ScratchFolder scratch_;
  std::optional<JobQueue> queue_;
  std::atomic<size_t> done_{0};
  std::atomic<size_t> failed_{0};
  int stopped_ = 0;  // jobs that left their loop, under finishing_
  std::mutex finishing_;
  std::condition_variable finished_;
};

Json Manifest(const BatchRun& batch, const std::vector<std::string>& libraries,
              const std::vector<Format>& formats, int jobs, double seconds, bool interrupted) {
  Json drawings = Json::array();
  for (size_t i = 0; i < batch.Drawings().size(); ++i) {
    const Drawing& drawing = batch.Drawings()[i];
    const Outcome& outcome = batch.Outcomes()[i];
    if (!outcome.finished) continue;
    Json messages = Json::array();
    for (const auto& box : outcome.messages)
      messages.push_back({{"title", box.title}, {"text", box.text}, {"icon", IconName(box.icon)}});
    Json entry = {{"library", drawing.part->libraryPath},
                  {"partId", drawing.part->partID},
                  {"part", drawing.part->name},
                  {"row", drawing.rowID ? Json(*drawing.rowID) : Json()},
                  {"designation", outcome.designation},
                  {"drawn", outcome.drawn},
                  {"files", outcome.files},
                  {"messages", messages},
                  {"findings", outcome.findings}};
    if (!outcome.failure.empty()) entry["failure"] = outcome.failure;
    drawings.push_back(entry);
  }
  Json formatNames = Json::array();
  for (Format format : formats)
    formatNames.push_back(Extension(format));
  Json manifest = {{"libraries", libraries},
                   {"formats", formatNames},
                   {"jobs", jobs},
                   {"seconds", seconds},
                   {"drawn", batch.Done() - batch.Failed()},
                   {"failed", batch.Failed()},
                   {"drawings", drawings}};
  if (interrupted) manifest["interrupted"] = true;
  return manifest;
}

}  // namespace

void RunDrawings(std::shared_ptr<const ui::Catalogue> catalogue,
                 const std::vector<PartToDraw>& parts, const BatchPlan& plan) {
  std::vector<std::string> libraries;
  for (const auto& library : catalogue->Libraries())
    libraries.push_back(library.libraryPath);
  std::error_code error;
  fs::create_directories(plan.output, error);
  if (error || !fs::is_directory(plan.output))
    Fail(plan.command, kBadRequest, "cannot make the output folder " + plan.output.string());

  auto drawings = ListDrawings(*catalogue, parts);
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  int jobs = plan.jobs > 0 ? plan.jobs : cores;
  if (const int most = kJobsPerCore * cores; jobs > most) {
    std::cerr << "qzdbs " << plan.command << ": --jobs " << jobs << " is more than " << kJobsPerCore
              << " per core; running " << most << '\n';
    jobs = most;
  }
  jobs = static_cast<int>(
      std::min<size_t>(static_cast<size_t>(jobs), std::max<size_t>(1, drawings.size())));

  PrepareFormats(plan.formats);
  const auto start = std::chrono::steady_clock::now();
  BatchRun batch(std::move(catalogue), std::move(drawings), plan);
  batch.Run(jobs);
  const bool interrupted = InterruptWatch::Interrupted();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  const fs::path manifest = plan.output / "manifest.json";
  try {
    WriteTextAtomically(
        manifest,
        Manifest(batch, libraries, plan.formats, jobs, seconds, interrupted).dump(2) + "\n");
  } catch (const std::exception& failure) {
    Fail(plan.command, kNotDone, failure.what());
  }
  const size_t total = batch.Done();
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.1f s (%.0f per second", seconds,
                seconds > 0 ? static_cast<double>(total) / seconds : 0.0);
  std::cout << total << " drawings of " << parts.size() << " parts in " << rate << ", " << jobs
            << (jobs == 1 ? " job" : " jobs") << "): " << total - batch.Failed() << " drawn, "
            << batch.Failed() << " failed; manifest " << manifest.string() << '\n';
  if (interrupted) {
    std::cerr << "qzdbs " << plan.command << ": interrupted after " << total << " of "
              << batch.Drawings().size() << " drawings\n";
    throw CLI::RuntimeError(kInterrupted);
  }
  if (batch.Failed() > 0) throw CLI::RuntimeError(kNotDone);
}

}  // namespace qzdbs::cli
