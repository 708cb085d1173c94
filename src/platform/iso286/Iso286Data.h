// The ISO 286 reference tables as compiled into the library: the CSV texts of
// src/platform/iso286/data, one header row, values in micrometres.
#pragma once

#include <string_view>

namespace qzdbs::iso286 {

std::string_view ItGradesCsv();         // it_grades.csv: IT01..IT18 per size range
std::string_view ShaftDeviationsCsv();  // shaft_fundamental_deviations.csv: a..zc
std::string_view HoleDeviationsCsv();   // hole_fundamental_deviations.csv: A..ZC and delta

}  // namespace qzdbs::iso286
