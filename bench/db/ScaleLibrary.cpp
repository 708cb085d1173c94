// Building the synthetic library with prepared statements in one transaction.
#include "ScaleLibrary.h"

#include <sqlite3.h>

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace qzdbs::bench {

namespace {

struct Null {};
using Value = std::variant<Null, int64_t, double, std::string, std::vector<unsigned char>>;

class Writer {
 public:
  explicit Writer(const std::filesystem::path& file) {
    if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("cannot create");
    Exec("PRAGMA synchronous = OFF; PRAGMA journal_mode = OFF;");
  }
  ~Writer() {
    for (auto& [sql, statement] : statements_)
      sqlite3_finalize(statement);
    sqlite3_close(db_);
  }
  void Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      std::string why = error ? error : "";
      sqlite3_free(error);
      throw std::runtime_error(why);
    }
  }
  void Insert(const std::string& table, const std::vector<Value>& values) {
    sqlite3_stmt*& statement = statements_[table];
    if (!statement) {
      std::string sql = "INSERT INTO \"" + table + "\" VALUES (";
      for (size_t i = 0; i < values.size(); ++i)
        sql += i ? ",?" : "?";
      sql += ")";
      if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db_));
    }
    for (size_t i = 0; i < values.size(); ++i)
      Bind(statement, static_cast<int>(i + 1), values[i]);
    if (sqlite3_step(statement) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
    sqlite3_reset(statement);
  }

 private:
  static void Bind(sqlite3_stmt* s, int at, const Value& v) {
    if (const auto* i = std::get_if<int64_t>(&v)) {
      sqlite3_bind_int64(s, at, *i);
    } else if (const auto* d = std::get_if<double>(&v)) {
      sqlite3_bind_double(s, at, *d);
    } else if (const auto* t = std::get_if<std::string>(&v)) {
      sqlite3_bind_text(s, at, t->c_str(), static_cast<int>(t->size()), SQLITE_TRANSIENT);
    } else if (const auto* b = std::get_if<std::vector<unsigned char>>(&v)) {
      sqlite3_bind_blob(s, at, b->data(), static_cast<int>(b->size()), SQLITE_TRANSIENT);
    } else {
      sqlite3_bind_null(s, at);
    }
  }

  sqlite3* db_ = nullptr;
  std::map<std::string, sqlite3_stmt*> statements_;
};

std::string ReadSchema() {
  std::ifstream in(std::filesystem::path(QZDBS_SOURCE_DIR) / "library" / "schema.sql");
  std::ostringstream text;
  text << in.rdbuf();
  if (text.str().empty()) throw std::runtime_error("library/schema.sql not found");
  return text.str();
}

// One part's rows. Identifiers of points, structure parameters, parameters
// and views are unique in the library; entity identifiers repeat in every
// part, as they do in real libraries.
void WritePart(Writer& w, int64_t p) {
  auto pt = [&](int64_t k) -> Value { return p * 100 + (k % 40) + 1; };
  auto st = [&](int64_t k) -> Value { return p * 100 + (k % 30) + 1; };
  const std::vector<unsigned char> picture(2048, 0x5A);

  w.Insert("QZPartDirectory",
           {p + 11, "零件" + std::to_string(p), int64_t{1 + (p % 10)}, p, int64_t{2}, p});
  w.Insert("QZParts", {p, "零件" + std::to_string(p), pt(0), p, picture});
  w.Insert("QZPartGUIDs", {p, "A" + std::to_string(p), "B", "C", "D"});
  for (int64_t i = 0; i < 10; ++i) {
    w.Insert("QZPartInputParas",
             {p * 100 + i, p, "I" + std::to_string(i), int64_t{i == 0}, int64_t{1}, 10 - i});
    for (int64_t row = 1; row <= 20; ++row)
      w.Insert("QZParaValue",
               {p, p * 100 + i, row, i == 0 ? Value("M" + std::to_string(row)) : Value(Null{}),
                row * 1.5 + i});
  }
  for (int64_t v = 1; v <= 2; ++v)
    w.Insert("QZPartViews", {p * 10 + v, p, "视图" + std::to_string(v), pt(v), v, picture});
  for (int64_t i = 0; i < 30; ++i)
    w.Insert("QZPartStructureParas", {p * 100 + i + 1, p, "s" + std::to_string(i),
                                      "O.I1*" + std::to_string(i), int64_t{1}, int64_t{1}, 30 - i});
  for (int64_t i = 1; i <= 4; ++i)
    w.Insert("QZPartPrptys", {p, i, int64_t{0}, "值" + std::to_string(i)});
  for (int64_t i = 0; i < 40; ++i)
    w.Insert("QZPartPoints",
             {p * 100 + i + 1, p, "P" + std::to_string(i), "S.s1", "0", "0", 40 - i});

  auto list = [&](int64_t e, int64_t listID, int64_t members) {
    for (int64_t m = 1; m <= members; ++m)
      w.Insert("QZEntityIdList", {p, e, listID, (e + m) % kEntitiesPerPart + 1});
  };
  auto points = [&](int64_t e, int64_t count) {
    for (int64_t k = 1; k <= count; ++k)
      w.Insert("QZPartPointIdList", {p, e, e, pt(e + k), count - k});
  };
  for (int64_t e = 1; e <= kEntitiesPerPart; ++e) {
    const int64_t type = (e - 1) % 26 + 1;
    w.Insert("QZPartEntities", {e, p, type, "E" + std::to_string(e), int64_t{0}, (e % 7) + 1, "1",
                                int64_t{1}, kEntitiesPerPart - e});
    w.Insert("QZPartViewEntities", {p, p * 10 + (e % 2) + 1, e});
    switch (type) {
      case 1:
        w.Insert("QZEnt_Line", {p, e, pt(e), pt(e + 1)});
        break;
      case 2:
        w.Insert("QZEnt_Circle", {p, e, pt(e), st(e)});
        break;
      case 3:
        w.Insert("QZEnt_Arc", {p, e, pt(e), st(e), st(e + 1), st(e + 2)});
        break;
      case 4:
        w.Insert("QZEnt_Ellipse", {p, e, pt(e), st(e), st(e + 1), st(e + 2), st(e + 3), pt(e + 1),
                                   pt(e + 2), int64_t{1}});
        break;
      case 5:
        w.Insert("QZEnt_2dPolyline", {p, e, e, int64_t{0}, 0.0, int64_t{1}});
        points(e, 4);
        break;
      case 6:
        w.Insert("QZEnt_3dPolyline", {p, e, e, int64_t{0}, int64_t{0}});
        points(e, 4);
        break;
      case 7:
        w.Insert("QZEnt_Text",
                 {p, e, pt(e), "文字", int64_t{0}, st(e), 0.0, st(e), 1.0, int64_t{1}});
        break;
      case 8:
        w.Insert("QZEnt_MText",
                 {p, e, pt(e), "M", int64_t{0}, int64_t{0}, "", int64_t{0}, 0.0, 0.0, int64_t{0},
                  "", "", st(e), st(e), 10.0, 1.0, int64_t{1}, int64_t{1}});
        break;
      case 9:
        w.Insert("QZEnt_Attribute", {p, e, "材料", "Q235", int64_t{0}, Null{}});
        w.Insert("QZEnt_Attribute", {p, e, "等级", "8.8", int64_t{0}, "8.8"});
        break;
      case 10:
        w.Insert("QZEnt_BlockDefine", {p, e, p * 100 + e});
        w.Insert("QZEnt_BlockGlobal", {p * 100 + e, "B" + std::to_string(p * 100 + e), int64_t{0},
                                       int64_t{0}, std::vector<unsigned char>(100, 1)});
        break;
      case 11:
        w.Insert("QZEnt_BlockReference", {p, e, pt(e), st(e), st(e), int64_t{10}, e});
        list(e, e, 2);
        break;
      case 12:
        w.Insert("QZEnt_Group", {p, e, e});
        list(e, e, 2);
        break;
      case 13:
        w.Insert("QZEnt_Hatch", {p, e, int64_t{1}, int64_t{0}, 1.0, 0.0, e, e + 100});
        list(e, e, 2);
        list(e, e + 100, 1);
        break;
      case 14:
        w.Insert("QZEnt_Leader", {p, e, e, e, int64_t{0}, int64_t{0}});
        points(e, 2);
        list(e, e, 1);
        break;
      case 15:
        w.Insert("QZEnt_DimRotated", {p, e, pt(e), pt(e + 1), pt(e + 2), 0.0});
        break;
      case 16:
        w.Insert("QZEnt_DimAligned", {p, e, pt(e), pt(e + 1), pt(e + 2)});
        break;
      case 17:
        w.Insert("QZEnt_DimDiametric", {p, e, pt(e), st(e)});
        break;
      case 18:
        w.Insert("QZEnt_DimRadial", {p, e, pt(e), st(e)});
        break;
      case 19:
        w.Insert("QZEnt_Dim3PointAngular", {p, e, pt(e), pt(e + 1), pt(e + 2), pt(e + 3)});
        break;
      case 20:
        w.Insert("QZEnt_Dim2LineAngular",
                 {p, e, pt(e), pt(e + 1), pt(e + 2), pt(e + 3), pt(e + 4)});
        break;
      case 21:
        w.Insert("QZEnt_DimOrdinate", {p, e, pt(e), pt(e + 1), pt(e + 2), int64_t{0}});
        break;
      case 22:
        w.Insert("QZEntTrans_Move", {p, e, pt(e), pt(e + 1), int64_t{0}, e});
        list(e, e, 2);
        break;
      case 23:
        w.Insert("QZEntTrans_PolarArray",
                 {p, e, pt(e), pt(e + 1), st(e), st(e + 1), int64_t{1}, e});
        list(e, e, 2);
        break;
      case 24:
        w.Insert("QZEntTrans_RectArray",
                 {p, e, st(e), st(e + 1), st(e + 2), st(e + 3), st(e + 4), e});
        list(e, e, 2);
        break;
      case 25:
        w.Insert("QZEntTrans_Rotate", {p, e, pt(e), st(e), int64_t{0}, e});
        list(e, e, 2);
        break;
      case 26:
        w.Insert("QZEntTrans_Mirror", {p, e, pt(e), pt(e + 1), int64_t{0}, e});
        list(e, e, 2);
        break;
    }
    if (type >= 15 && type <= 21) {
      w.Insert("QZEnt_DimCommonStyle",
               {p, e, int64_t{0}, int64_t{0}, int64_t{0}, int64_t{0}, 0.0, int64_t{0}, int64_t{0},
                int64_t{1}, int64_t{1}, int64_t{1}, int64_t{1}});
      w.Insert("QZEnt_DimCommonText",
               {p, e, pt(e), "", int64_t{0}, int64_t{0}, 0.0, int64_t{0}, "", int64_t{0}, 0.0, 0.0,
                int64_t{0}, "", "", "", int64_t{0}, int64_t{2}});
    }
  }
}

// The root (node 1), ten folders (nodes 2..11) and the tables every part shares;
// part p is node p + 11.
void WriteShared(Writer& w) {
  w.Insert("QZPartDirectory", {int64_t{1}, "根", int64_t{0}, int64_t{1}, int64_t{0}, int64_t{0}});
  for (int64_t f = 1; f <= 10; ++f)
    w.Insert("QZPartDirectory", {f + 1, "目录", int64_t{1}, f, int64_t{1}, int64_t{0}});
  const char* properties[] = {"名称", "Designation", "Mass", "Material"};
  for (int64_t i = 1; i <= 4; ++i)
    w.Insert("QZProperties", {i, properties[i - 1]});
  for (int64_t i = 1; i <= 7; ++i)
    w.Insert("QZLayer", {i, "层" + std::to_string(i)});
  w.Insert("QZTextStyleName", {int64_t{1}, "Standard"});
  w.Insert("QZPatternName", {int64_t{1}, "ANSI31"});
}

}  // namespace

std::filesystem::path EnsureScaleLibrary(const std::filesystem::path& folder, int32_t parts) {
  std::filesystem::create_directories(folder);
  const auto file = folder / ("scale-" + std::to_string(parts) + ".db");
  if (std::filesystem::exists(file)) return file;
  const auto partial = folder / ("scale-" + std::to_string(parts) + ".partial");
  std::filesystem::remove(partial);
  {
    Writer w(partial);
    w.Exec(ReadSchema());
    w.Exec("BEGIN");
    WriteShared(w);
    for (int64_t p = 1; p <= parts; ++p)
      WritePart(w, p);
    w.Exec("COMMIT");
  }
  std::filesystem::rename(partial, file);
  return file;
}

}  // namespace qzdbs::bench
