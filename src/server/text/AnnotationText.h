// The texts of annotations: drafting symbols written as codes, measured
// values, tolerance codes and deviations, front and follow texts.
#pragma once

#include <string>

#include "server/Document.h"

namespace qzdbs::server {

// "%%c" diameter, "%%d" degree, "%%p" plus-minus, "%%%" percent (any letter
// case), and the multiline paragraph break "\P", as the characters they stand for.
std::string ExpandSpecialCodes(const std::string& text);

// A value rounded to decimals places (halves away from zero), trailing zeros
// dropped (GB/T 4458.4 writes 40, not 40.0): 12.50 with 2 gives "12.5",
// 12.5 with 0 gives "13", -0.0001 with 2 gives "0".
std::string FormatMeasure(double value, int decimals);

// Deviations as a pair written with the same number of decimals, signed, and
// zero as a bare "0": (0.021, 0) gives "+0.021" and "0".
std::pair<std::string, std::string> FormatDeviations(double upper, double lower);
// The decimals both deviations are written with.
int DeviationPlaces(double upper, double lower);

struct AnnotationParts {
  std::string front;
  std::string body;
  bool haveCode = false;
  std::string code;
  bool haveValues = false;
  double upper = 0;
  double lower = 0;
  bool haveFollow = false;
  std::string follow;
};

// front + body + code + deviations + follow. Deviations are stacked, or one
// "±" value when they are symmetric; with a code they stand in brackets
// after it (H7(+0.021/0)), the GB/T 4458.5 form that gives both.
RichText ComposeAnnotation(const AnnotationParts& parts);

}  // namespace qzdbs::server
