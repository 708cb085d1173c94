// The synthetic parts of the computation and drawing benchmarks, as SQL.
#include "BenchLibrary.h"

#include <sqlite3.h>

#include <array>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace qzdbs::bench {

namespace {

std::string N(int64_t value) {
  return std::to_string(value);
}

// The structure parameters an entity refers to, by role.
struct Roles {
  int32_t radius, startAngle, endAngle, majorRadius, minorRadius, height, rotation;
};

int32_t PointID(int32_t part, int32_t k) {
  return part * 100000 + k;
}

class PartSql {
 public:
  PartSql(int32_t part, const std::string& name) : part_(part) {
    sql_ << "INSERT INTO QZParts VALUES (" << part << ", '" << name << "', " << PointID(part, 1)
         << ", " << part << ", NULL);"
         << "INSERT INTO QZPartGUIDs VALUES (" << part << ", 'B" << part
         << "', '0000', '0000', '000000000000');";
  }

  void Struct(int32_t id, const std::string& name, const std::string& expression, int isExpression,
              int32_t position) {
    sql_ << "INSERT INTO QZPartStructureParas VALUES (" << id << ", " << part_ << ", '" << name
         << "', '" << expression << "', " << isExpression << ", 1, " << position << ");";
  }

  void Property(int32_t id, const std::string& name, const std::string& value, int isExpression) {
    sql_ << "INSERT INTO QZProperties VALUES (" << id << ", '" << name << "');"
         << "INSERT INTO QZPartPrptys VALUES (" << part_ << ", " << id << ", " << isExpression
         << ", '" << value << "');";
  }

  void Point(int32_t k, const std::string& x, const std::string& y) {
    sql_ << "INSERT INTO QZPartPoints VALUES (" << PointID(part_, k) << ", " << part_ << ", 'P" << k
         << "', '" << x << "', '" << y << "', '0', " << k << ");";
  }

  void View(int32_t id, int32_t basePoint) {
    sql_ << "INSERT INTO QZPartViews VALUES (" << id << ", " << part_ << ", '视图" << id << "', "
         << PointID(part_, basePoint) << ", " << id << ", NULL);";
  }

  // Entities of the curve, text and dimension kinds in turn, dealt to the
  // views in turn, each on points among the part's first `points`.
  void Entities(int32_t count, const std::vector<int32_t>& views, const Roles& r, int32_t points) {
    static constexpr std::array<int32_t, 8> kTypes = {1, 2, 3, 4, 5, 6, 7, 15};
    for (int32_t i = 0; i < count; ++i) {
      const int32_t e = part_ * 1000 + i + 1;
      const int32_t type = kTypes[static_cast<size_t>(i) % kTypes.size()];
      auto pt = [&](int32_t offset) { return N(PointID(part_, (i + offset) % points + 1)); };
      const std::string head = "VALUES (" + N(part_) + ", " + N(e) + ", ";
      sql_ << "INSERT INTO QZPartEntities VALUES (" << e << ", " << part_ << ", " << type << ", 'E"
           << e << "', 0, 2, '1', 1, " << i + 1 << ");"
           << "INSERT INTO QZPartViewEntities VALUES (" << part_ << ", "
           << views[static_cast<size_t>(i) % views.size()] << ", " << e << ");";
      switch (type) {
        case 1:
          sql_ << "INSERT INTO QZEnt_Line " << head << pt(0) << ", " << pt(1) << ");";
          break;
        case 2:
          sql_ << "INSERT INTO QZEnt_Circle " << head << pt(0) << ", " << r.radius << ");";
          break;
        case 3:
          sql_ << "INSERT INTO QZEnt_Arc " << head << pt(0) << ", " << r.radius << ", "
               << r.startAngle << ", " << r.endAngle << ");";
          break;
        case 4:
          sql_ << "INSERT INTO QZEnt_Ellipse " << head << pt(0) << ", " << r.majorRadius << ", "
               << r.minorRadius << ", " << r.startAngle << ", " << r.endAngle << ", " << pt(1)
               << ", " << pt(2) << ", 1);";
          break;
        case 5:
        case 6:
          if (type == 5) {
            sql_ << "INSERT INTO QZEnt_2dPolyline " << head << e << ", 0, 0.35, 1);";
          } else {
            sql_ << "INSERT INTO QZEnt_3dPolyline " << head << e << ", 0, 0);";
          }
          for (int32_t v = 0; v < 4; ++v)
            sql_ << "INSERT INTO QZPartPointIdList " << head << e << ", " << pt(v) << ", " << v + 1
                 << ");";
          break;
        case 7:
          sql_ << "INSERT INTO QZEnt_Text " << head << pt(0) << ", '12*2', 1, " << r.height
               << ", 0, " << r.rotation << ", 0.7, 1);";
          break;
        default:
          sql_ << "INSERT INTO QZEnt_DimRotated " << head << pt(0) << ", " << pt(1) << ", " << pt(2)
               << ", 0);"
               << "INSERT INTO QZEnt_DimCommonStyle " << head << "1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1);"
               << "INSERT INTO QZEnt_DimCommonText " << head << pt(3)
               << ", '', 0, 0, 0, 0, 'h6', 0, 0, 0, 0, '', '', 'mm', 0, 2);";
          break;
      }
    }
  }

  std::string Text() const { return sql_.str(); }

 private:
  int32_t part_;
  std::ostringstream sql_;
};

// Each parameter uses the one stored after it; the last one is given.
std::string ChainPart(int32_t id, int32_t length) {
  PartSql part(id, "长链" + N(length));
  const int32_t first = id == kChainPart ? 1000 : id * 100000;
  for (int32_t i = 1; i < length; ++i)
    part.Struct(first + i, "C" + N(i), "S.C" + N(i + 1) + "+1", 1, i);
  part.Struct(first + length, "C" + N(length), "1", 0, length);
  part.Point(1, "0", "0");
  return part.Text();
}

std::string PointsPart(int32_t id, int32_t count) {
  PartSql part(id, "多点" + N(count));
  part.Struct(id * 100000, "a", "1", 0, 1);
  for (int32_t k = 1; k <= count; ++k)
    part.Point(k, "S.a*" + N(k), "0");
  return part.Text();
}

std::string ScaleParts() {
  std::string sql;
  for (size_t i = 0; i < kScaleSizes.size(); ++i) {
    const auto offset = static_cast<int32_t>(i);
    sql += ChainPart(kScaleChainPart + offset, kScaleSizes[i]);
    sql += PointsPart(kScalePointsPart + offset, kScaleSizes[i]);
  }
  return sql;
}

std::string ManyEntitiesPart() {
  PartSql part(kManyEntitiesPart, "多实体");
  const std::array<std::pair<const char*, const char*>, 7> given = {{{"r", "5"},
                                                                     {"a0", "30"},
                                                                     {"a1", "150"},
                                                                     {"ra", "8"},
                                                                     {"rb", "3"},
                                                                     {"h", "3.5"},
                                                                     {"rot", "0"}}};
  for (int32_t i = 0; i < 7; ++i)
    part.Struct(2001 + i, given[static_cast<size_t>(i)].first, given[static_cast<size_t>(i)].second,
                0, i + 1);
  for (int32_t k = 1; k <= 12; ++k)
    part.Point(k, N(k) + "*10", N(k) + "*5");
  part.View(21, 1);
  part.Entities(kManyEntities, {21}, Roles{2001, 2002, 2003, 2004, 2005, 2006, 2007}, 12);
  return part.Text();
}

// Structure parameters in the order they use each other, every fifth one
// given; points and properties use them and the design parameters d and L.
std::string TypicalPart() {
  PartSql part(kTypicalPart, "典型件");
  for (int32_t i = 1; i <= kTypicalParameters; ++i) {
    const std::string name = "T" + N(i);
    if (i % 5 == 0) {
      part.Struct(3000 + i, name, N(i), 0, i);
    } else {
      part.Struct(3000 + i, name, i == 1 ? "O.L/2" : "S.T" + N(i - 1) + "*0.5+O.d", 1, i);
    }
  }
  part.Property(31, "Mass", "S.T1*S.T2", 1);
  part.Property(32, "Std", "GB/T 5782", 0);
  part.Property(33, "Code", "O.d", 1);
  for (int32_t k = 1; k <= 12; ++k)
    part.Point(k, "S.T" + N(k), "O.d*" + N(k) + "/10");
  part.View(31, 1);
  part.View(32, 2);
  part.Entities(kTypicalEntities, {31, 32}, Roles{3005, 3010, 3015, 3020, 3005, 3010, 3050}, 12);
  return part.Text();
}

void Execute(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string why = error ? error : "unknown";
    sqlite3_free(error);
    throw std::runtime_error("bench library: " + why);
  }
}

}  // namespace

std::filesystem::path BuildBenchLibrary(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "compute-bench.db";
  std::filesystem::remove(file);
  std::ifstream in(std::filesystem::path(QZDBS_SOURCE_DIR) / "library" / "schema.sql");
  std::ostringstream schema;
  schema << in.rdbuf();
  if (schema.str().empty()) throw std::runtime_error("library/schema.sql not found");

  sqlite3* db = nullptr;
  if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("cannot create " + file.string());
  }
  try {
    Execute(db, schema.str());
    Execute(db,
            "BEGIN;"
            "INSERT INTO QZLayer VALUES (1, '0'), (2, '粗实线');"
            "INSERT INTO QZTextStyleName VALUES (1, '仿宋');" +
                ChainPart(kChainPart, kChainLength) + ManyEntitiesPart() + TypicalPart() +
                ScaleParts() + "COMMIT;");
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  sqlite3_close(db);
  return file;
}

}  // namespace qzdbs::bench
