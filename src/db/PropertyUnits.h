// The units of a library's properties: a `Unit` column of QZProperties when
// the library has one, else a unit written at the end of the property's name
// ("质量(kg)", "质量（kg）", "mass [kg]").
#pragma once

#include <map>
#include <string>
#include <utility>

namespace qzdbs::db {

class Connection;

// Property name to unit, from the library's Unit column; empty when the
// library has none or it cannot be read.
std::map<std::string, std::string> PropertyUnits(const Connection& connection);
// The same from the library file at `path`, opened for it alone.
std::map<std::string, std::string> PropertyUnits(const std::string& path);

// The name without a unit written at its end, and that unit (empty when
// there is none).
std::pair<std::string, std::string> SplitUnit(const std::string& name);

// A property as a person reads it: its name, and its value followed by its
// unit (from `units`, else from the end of the name, which then gives it
// up); an empty value stays empty.
std::pair<std::string, std::string> ShownProperty(const std::string& name, const std::string& value,
                                                  const std::map<std::string, std::string>& units);

}  // namespace qzdbs::db
