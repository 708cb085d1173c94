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

// The name without a unit written at its end, and that unit (empty when
// there is none).
std::pair<std::string, std::string> SplitUnit(const std::string& name);

}  // namespace qzdbs::db
