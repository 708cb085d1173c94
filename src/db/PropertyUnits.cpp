// Reading the units of properties.
#include "db/PropertyUnits.h"

#include <array>
#include <exception>

#include "db/LibraryDB.h"
#include "db/recordset/Connection.h"
#include "db/recordset/Recordset.h"

namespace qzdbs::db {

std::map<std::string, std::string> PropertyUnits(const Connection& connection) {
  std::map<std::string, std::string> units;
  try {
    Recordset rs;
    rs.Open("SELECT * FROM [QZProperties]", connection);
    if (!rs.HasField("Unit")) return units;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
      const std::string unit = rs["Unit"].TextOr("");
      if (!unit.empty()) units[rs["PropertyName"].TextOr("")] = unit;
    }
  } catch (const std::exception&) {
    // Units only label the values; a library without them still lists them.
    units.clear();
  }
  return units;
}

std::map<std::string, std::string> PropertyUnits(const std::string& path) {
  Connection connection;
  connection.ConnectionString =
      LibraryConnectionString(LibraryFolder(path), path, kLibraryPassword);
  try {
    connection.Open();
  } catch (const std::exception&) {
    return {};
  }
  return PropertyUnits(connection);
}

std::pair<std::string, std::string> SplitUnit(const std::string& name) {
  static const std::array<std::pair<std::string, std::string>, 3> brackets = {
      {{"(", ")"}, {"（", "）"}, {"[", "]"}}};
  for (const auto& [open, close] : brackets) {
    if (name.size() <= close.size() ||
        name.compare(name.size() - close.size(), close.size(), close) != 0)
      continue;
    const size_t start = name.rfind(open);
    if (start == std::string::npos || start == 0) continue;
    const size_t unitStart = start + open.size();
    const std::string unit = name.substr(unitStart, name.size() - close.size() - unitStart);
    std::string bare = name.substr(0, start);
    while (!bare.empty() && bare.back() == ' ')
      bare.pop_back();
    if (!unit.empty() && !bare.empty()) return {bare, unit};
  }
  return {name, {}};
}

std::pair<std::string, std::string> ShownProperty(const std::string& name, const std::string& value,
                                                  const std::map<std::string, std::string>& units) {
  auto [shown, unit] = SplitUnit(name);
  if (const auto found = units.find(name); found != units.end()) {
    shown = name;
    unit = found->second;
  }
  return {shown, value.empty() || unit.empty() ? value : value + " " + unit};
}

}  // namespace qzdbs::db
