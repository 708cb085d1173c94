// qzdbs batch: every value row of every part drawn into files, on parallel
// jobs, with a manifest of what was drawn and what failed.
#include <CLI/CLI.hpp>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <set>
#include <string_view>
#include <thread>

#include "CliSupport.h"
#include "CommandLineErrors.h"
#include "Commands.h"
#include "DrawingOutput.h"
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
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

constexpr int kJobsPerCore = 4;

struct BatchOptions {
  std::vector<std::string> libraries;
  int jobs = 0;
  std::vector<std::string> formats{CanWrite(Format::Dxf) ? "dxf" : "json"};
  std::string output;
  DrawingStyle style;
};

struct Drawing {
  const ui::CatalogueNode* part = nullptr;
  std::optional<int32_t> rowID;  // none for a part without value rows
  std::string stem;              // the file name without its extension
};

struct Outcome {
  bool finished = false;  // false for a drawing an interruption left out
  bool drawn = false;
  std::string designation;
  std::vector<std::string> files;
  std::vector<MessageBoxRecord> messages;
  std::vector<std::string> findings;  // the drawing server's audit
  std::string failure;
};

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

// A designation as a file name: what a file system or a DXF name cannot
// hold becomes "_".
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

// One stem per library file name; a second library of the same name gets
// a number, so that the files of the two never meet.
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

std::vector<Drawing> ListDrawings(const ui::Catalogue& catalogue) {
  // Reading quietly: a part the reader cannot list is drawn once as it is.
  Engine().messages = std::make_shared<RecordingMessageService>();
  const auto stems = LibraryStems(catalogue);
  std::vector<Drawing> drawings;
  std::string open;
  for (const auto* part : catalogue.Parts()) {
    if (part->libraryPath != open) {
      open = part->libraryPath;
      OpenLibraryDB(LibraryFolder(open), open, kLibraryPassword);
    }
    const std::string stem = stems.at(part->libraryPath) + "-p" + std::to_string(part->partID);
    const auto rows = ValueRows(part->partID);
    if (rows.empty()) drawings.push_back({part, std::nullopt, stem});
    for (int32_t row : rows)
      drawings.push_back({part, row, stem + "-r" + std::to_string(row)});
  }
  CloseLibraryDB();
  Engine().messages.reset();
  return drawings;
}

class BatchRun {
 public:
  BatchRun(std::shared_ptr<const ui::Catalogue> catalogue, std::vector<Drawing> drawings,
           std::vector<Format> formats, fs::path folder, DrawingStyle style)
      : catalogue_(std::move(catalogue)),
        drawings_(std::move(drawings)),
        outcomes_(drawings_.size()),
        formats_(std::move(formats)),
        folder_(std::move(folder)),
        style_(std::move(style)) {}

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
    DrawingWriter writer(run, style_);
    std::string stem = drawing.stem;
    try {
      outcome.designation = writer.Designation();
      if (!outcome.designation.empty()) stem = ReserveStem(outcome.designation, drawing.stem);
    } catch (const std::exception& failure) {
      outcome.drawn = false;
      outcome.failure = failure.what();
      return;
    }
    for (Format format : formats_) {
      const std::string name = stem + "." + Extension(format);
      try {
        writer.Write(format, folder_ / name);
        outcome.files.push_back(name);
      } catch (const std::exception& failure) {
        outcome.drawn = false;
        outcome.failure = failure.what();
      }
    }
    outcome.findings = writer.Findings();
  }

  // The file name a designation gives; a second drawing of the same
  // designation adds its part and row to it.
  std::string ReserveStem(const std::string& designation, const std::string& fallback) {
    std::string stem = FileNameOf(designation);
    std::lock_guard lock(naming_);
    if (!stems_.insert(stem).second) {
      stem += " (" + fallback + ")";
      stems_.insert(stem);
    }
    return stem;
  }

  std::shared_ptr<const ui::Catalogue> catalogue_;
  std::mutex naming_;
  std::set<std::string> stems_;
  std::vector<Drawing> drawings_;
  std::vector<Outcome> outcomes_;
  std::vector<Format> formats_;
  fs::path folder_;
  DrawingStyle style_;
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

void RunBatch(const BatchOptions& options) {
  // From the start: a signal while the libraries are read still ends with a
  // manifest (of nothing drawn) rather than with the default action.
  InterruptWatch watch;
  std::vector<Format> formats;
  for (const std::string& name : options.formats) {
    auto format = FormatNamed(name);
    if (!format || !CanWrite(*format))
      Fail("batch", kBadRequest, "no format \"" + name + "\"; the formats are: " + FormatList());
    if (std::find(formats.begin(), formats.end(), *format) == formats.end())
      formats.push_back(*format);
  }
  CheckDrawingStyle("batch", options.style);
  auto catalogue = LoadCatalogue("batch", ResolveLibraries("batch", options.libraries));
  std::vector<std::string> libraries;
  for (const auto& library : catalogue->Libraries())
    libraries.push_back(library.libraryPath);
  std::error_code error;
  fs::create_directories(options.output, error);
  if (error || !fs::is_directory(options.output))
    Fail("batch", kBadRequest, "cannot make the output folder " + options.output);

  auto drawings = ListDrawings(*catalogue);
  const size_t parts = catalogue->Parts().size();
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  int jobs = options.jobs > 0 ? options.jobs : cores;
  // More jobs than this only wait for the cores and hold memory meanwhile.
  if (const int most = kJobsPerCore * cores; jobs > most) {
    std::cerr << "qzdbs batch: --jobs " << jobs << " is more than " << kJobsPerCore
              << " per core; running " << most << '\n';
    jobs = most;
  }
  jobs = static_cast<int>(
      std::min<size_t>(static_cast<size_t>(jobs), std::max<size_t>(1, drawings.size())));

  PrepareFormats(formats);
  const auto start = std::chrono::steady_clock::now();
  BatchRun batch(catalogue, std::move(drawings), formats, options.output, options.style);
  batch.Run(jobs);
  const bool interrupted = InterruptWatch::Interrupted();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  const fs::path manifest = fs::path(options.output) / "manifest.json";
  try {
    WriteTextAtomically(
        manifest, Manifest(batch, libraries, formats, jobs, seconds, interrupted).dump(2) + "\n");
  } catch (const std::exception& failure) {
    Fail("batch", kNotDone, failure.what());
  }
  const size_t total = batch.Done();
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.1f s (%.0f per second", seconds,
                seconds > 0 ? static_cast<double>(total) / seconds : 0.0);
  std::cout << total << " drawings of " << parts << " parts in " << rate << ", " << jobs
            << (jobs == 1 ? " job" : " jobs") << "): " << total - batch.Failed() << " drawn, "
            << batch.Failed() << " failed; manifest " << manifest.string() << '\n';
  if (interrupted)
    EndInterrupted("batch", "after " + std::to_string(total) + " of " +
                                std::to_string(batch.Drawings().size()) + " drawings");
  if (batch.Failed() > 0) throw CLI::RuntimeError(kNotDone);
}

void SetUpBatch(CLI::App& program) {
  auto options = std::make_shared<BatchOptions>();
  CLI::App* batch = program.add_subcommand(
      "batch", "Draw every value row of every part of the libraries into a folder");
  AddLibraryOption(*batch, options->libraries);
  WholeNumber(
      batch->add_option("--jobs,-j", options->jobs,
                        "drawings made at once, 1 or more (default: one per core; at most " +
                            std::to_string(kJobsPerCore) + " per core)"),
      1)
      ->type_name("N");
  batch->add_option("--format", options->formats, "the formats to write, e.g. dxf,svg")
      ->delimiter(',')
      ->type_name("LIST")
      ->capture_default_str();
  AddDrawingStyleOptions(*batch, options->style);
  batch->add_option("-o,--output", options->output, "the folder to write into")
      ->required()
      ->type_name("DIR");
  batch->footer(
      "Each drawing is written as DESIGNATION.FORMAT, the part's designation as the drawing\n"
      "names its block (a second drawing of the same designation adds \" (LIBRARY-pPARTID-\n"
      "rROWID)\"; without the drawing server LIBRARY-pPARTID-rROWID.FORMAT, a part without\n"
      "value rows LIBRARY-pPARTID.FORMAT); manifest.json lists every drawing with its files,\n"
      "whether it was drawn and the messages of its run. Exit status: 0 all drawn, 1 some\n"
      "failed, 2 something asked for is not there.\n\n"
      "Examples:\n"
      "  qzdbs batch -o drawings\n"
      "  qzdbs batch --jobs 2 --format dxf,svg -o drawings\n"
      "  qzdbs batch --library my-parts.qzlib --jobs 2 --format dxf,png -o my-drawings\n"
      "(my-parts.qzlib: a library of your own; a copy of the sample library will do)");
  batch->callback([options] { RunBatch(*options); });
}

const RegisterCommand kBatch("batch", SetUpBatch);

}  // namespace
}  // namespace qzdbs::cli
