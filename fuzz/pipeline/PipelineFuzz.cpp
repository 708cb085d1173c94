// Fuzz target: a well-formed library (the test sample: three parts using
// every entity type, a block drawing, pictures) with values changed as the
// input says, drawn through the selection dialog and written to every format.
// Whatever a library holds, the run draws or refuses with messages, and each
// file it writes is whole; a crash, an uncaught exception or a sanitizer's
// report is a finding.
//
// The input is text. Its first line picks the part and the options ticked:
// "PART OPTIONS" (numbers; PART counts from 0 over the parts, OPTIONS is a
// bit set of the dialog's five options, 32 unticks every view). Every further
// line changes one value: "COLUMN ROW KIND VALUE", where COLUMN counts over
// every column of every table of the library (sorted by table, then column),
// ROW over that table's rows, and KIND is '#' (a number), '$' (a text; \n, \r,
// \t and \0 stand for those characters), '%' (bytes in hexadecimal) or '~' (null).
#include <sqlite3.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "SelectionRun.h"
#include "db/LibraryDB.h"
#include "server/DrawingServer.h"
#include "state/EngineState.h"
#include "ui/Catalogue.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) std::abort();
}

struct Database {
  explicit Database(const fs::path& file) { Check(sqlite3_open(file.c_str(), &db) == SQLITE_OK); }
  ~Database() { sqlite3_close(db); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  void Run(const std::string& sql) const {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string message = error ? error : "?";
      sqlite3_free(error);
      throw std::runtime_error(message);
    }
  }
  std::vector<std::vector<std::string>> Rows(const std::string& sql) const {
    std::vector<std::vector<std::string>> rows;
    sqlite3_stmt* statement = nullptr;
    Check(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK);
    while (sqlite3_step(statement) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        const auto* text = sqlite3_column_text(statement, i);
        row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
      }
      rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    return rows;
  }

  sqlite3* db = nullptr;
};

struct Column {
  std::string table;
  std::string name;
};

// The scratch folder, the pristine library built once from the sample's SQL,
// its columns and its parts.
struct Setup {
  fs::path folder =
      fs::temp_directory_path() / ("qzdbs-fuzz-pipeline-" + std::to_string(::getpid()));
  fs::path pristine = folder / "pristine.db";
  std::vector<Column> columns;
  std::vector<int32_t> parts;

  Setup() {
    fs::create_directories(folder / "blocks");
    std::ifstream in(fs::path(QZDBS_SOURCE_DIR) / "tests/data/libraries/sample-library.sql");
    std::stringstream sql;
    sql << in.rdbuf();
    const Database library(pristine);
    library.Run(sql.str());
    for (const auto& table :
         library.Rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
      for (const auto& column :
           library.Rows("SELECT name FROM pragma_table_info('" + table[0] + "') ORDER BY name"))
        columns.push_back({table[0], column[0]});
    }
    for (const auto& part : library.Rows("SELECT PartID FROM QZParts ORDER BY Position"))
      parts.push_back(std::stoi(part[0]));
    Check(!columns.empty() && !parts.empty());
    qzdbs::server::EnsureGuiApplication();
  }
  ~Setup() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

std::string Unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next == '0' ? '\0' : next;
  }
  return out;
}

// One line's change, made with a bound value so that any bytes reach the file.
void Change(const Database& library, const Column& column, uint64_t row, char kind,
            const std::string& value) {
  const std::string sql = "UPDATE \"" + column.table + "\" SET \"" + column.name +
                          "\" = ?1 WHERE rowid = (SELECT rowid FROM \"" + column.table +
                          "\" LIMIT 1 OFFSET ?2 % MAX(1, (SELECT COUNT(*) FROM \"" + column.table +
                          "\")))";
  sqlite3_stmt* statement = nullptr;
  Check(sqlite3_prepare_v2(library.db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK);
  std::string bytes;
  switch (kind) {
    case '#':
      sqlite3_bind_double(statement, 1, std::strtod(value.c_str(), nullptr));
      break;
    case '%':
      for (size_t i = 0; i + 1 < value.size(); i += 2)
        bytes += static_cast<char>(std::strtol(value.substr(i, 2).c_str(), nullptr, 16));
      sqlite3_bind_blob(statement, 1, bytes.data(), static_cast<int>(bytes.size()),
                        SQLITE_TRANSIENT);
      break;
    case '~':
      sqlite3_bind_null(statement, 1);
      break;
    default:
      bytes = Unescaped(value);
      sqlite3_bind_text(statement, 1, bytes.data(), static_cast<int>(bytes.size()),
                        SQLITE_TRANSIENT);
  }
  sqlite3_bind_int64(statement, 2, static_cast<sqlite3_int64>(row % (1u << 30)));
  sqlite3_step(statement);  // a value the column's index refuses is no finding
  sqlite3_finalize(statement);
}

void WriteEveryFormat(const qzdbs::cli::RunResult& run, const fs::path& folder) {
  using namespace qzdbs::server;
  BuildOptions options;
  options.blockFolder = (folder / "blocks" / "").string();
  const Document document = BuildDocument(*run.session, options);
  const fs::path files[] = {folder / "out.dxf", folder / "out.json", folder / "out.svg",
                            folder / "out.png", folder / "out.pdf"};
  ExportDxf(document, files[0]);
  ExportJson(document, files[1]);
  ExportSvg(document, files[2]);
  ExportPng(document, files[3], 400);
  ExportPdf(document, files[4]);
  for (const fs::path& file : files) {
    Check(fs::file_size(file) > 0);
    fs::remove(file);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Setup setup;
  static uint64_t runs = 0;
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  std::string line;
  uint64_t part = 0, options = 0;
  if (std::getline(input, line)) std::istringstream(line) >> part >> options;

  // A new name each time: an open library's handle keeps what it read.
  const fs::path file = setup.folder / ("library-" + std::to_string(++runs) + ".db");
  fs::copy_file(setup.pristine, file, fs::copy_options::overwrite_existing);
  {
    const Database library(file);
    for (int lines = 0; lines < 64 && std::getline(input, line); ++lines) {
      std::istringstream fields(line);
      uint64_t column = 0, row = 0;
      char kind = '$';
      if (!(fields >> column >> row >> kind)) continue;
      std::string value;
      std::getline(fields, value);
      Change(library, setup.columns[column % setup.columns.size()], row, kind, value);
    }
  }

  auto catalogue = std::make_shared<qzdbs::ui::Catalogue>();
  if (catalogue->Load({file.string()})) {
    qzdbs::cli::PartChoice choice;
    choice.libraryPath = file.string();
    choice.partID = setup.parts[part % setup.parts.size()];
    choice.noView = (options & 32) != 0;
    for (int32_t i = 0; i < 5; ++i)
      if ((options >> i) & 1) choice.options.push_back(i);
    qzdbs::ui::DialogScript script;
    script.steps = qzdbs::cli::ChoiceSteps(choice);
    script.steps.push_back(qzdbs::ui::steps::Draw());
    qzdbs::cli::RunSettings settings;
    settings.printMessages = false;
    settings.previewPath = (setup.folder / "WMFtemp.wmf").string();
    settings.blockFolder = (setup.folder / "blocks" / "").string();
    const qzdbs::cli::RunResult run =
        qzdbs::cli::RunSelection(catalogue, std::move(script), settings);
    if (run.generateResult == 1) WriteEveryFormat(run, setup.folder);
  }
  catalogue.reset();
  qzdbs::CloseLibraryDB();
  qzdbs::Engine() = qzdbs::EngineState{};
  fs::remove(file);
  return 0;
}
