// Annotation texts.
#include "server/text/AnnotationText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace qzdbs::server {

namespace {

void AppendPlain(RichText& runs, const std::string& text) {
  if (text.empty()) return;
  if (!runs.empty() && !runs.back().stacked) {
    runs.back().text += text;
  } else {
    runs.push_back(TextRun::Plain(text));
  }
}

std::string Fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

// The places a deviation needs, at most four (micrometres in millimetres).
int PlacesNeeded(double value) {
  for (int places = 0; places < 4; ++places) {
    double scaled = value * std::pow(10.0, places);
    if (std::fabs(scaled - std::round(scaled)) < 1e-6) return places;
  }
  return 4;
}

}  // namespace

std::string ExpandSpecialCodes(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "%%") == 0 && i + 2 < text.size()) {
      char code = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 2])));
      const char* symbol = code == 'c'   ? "Ø"
                           : code == 'd' ? "°"
                           : code == 'p' ? "±"
                           : code == '%' ? "%"
                                         : nullptr;
      if (symbol) {
        out += symbol;
        i += 2;
        continue;
      }
    }
    if (text.compare(i, 2, "\\P") == 0) {
      out += '\n';
      ++i;
      continue;
    }
    out += text[i];
  }
  return out;
}

std::string FormatMeasure(double value, int decimals) {
  decimals = std::clamp(decimals, 0, 8);
  // Halves round away from zero, as drafters round; the nudge keeps a
  // decimal half that binary cannot hold exactly (12.345) a half.
  double scale = std::pow(10.0, decimals);
  double rounded = std::round(value * scale * (1 + 1e-12)) / scale;
  std::string text = Fixed(rounded, decimals);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0')
      text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

int DeviationPlaces(double upper, double lower) {
  return std::max(PlacesNeeded(upper), PlacesNeeded(lower));
}

std::pair<std::string, std::string> FormatDeviations(double upper, double lower) {
  int places = DeviationPlaces(upper, lower);
  auto one = [places](double value) -> std::string {
    if (std::fabs(value) < 0.5 * std::pow(10.0, -places)) return "0";
    return (value > 0 ? "+" : "") + Fixed(value, places);
  };
  return {one(upper), one(lower)};
}

RichText ComposeAnnotation(const AnnotationParts& parts) {
  RichText runs;
  AppendPlain(runs, parts.front + parts.body);
  if (parts.haveCode) AppendPlain(runs, parts.code);
  bool deviations = parts.haveValues && (parts.upper != 0 || parts.lower != 0);
  if (deviations) {
    bool bracket = parts.haveCode && !parts.code.empty();
    if (bracket) AppendPlain(runs, "(");
    if (parts.upper > 0 && std::fabs(parts.upper + parts.lower) < 1e-9) {
      AppendPlain(runs, "±" + FormatMeasure(parts.upper, 4));
    } else {
      auto [upper, lower] = FormatDeviations(parts.upper, parts.lower);
      runs.push_back(TextRun::Stack(upper, lower));
    }
    if (bracket) AppendPlain(runs, ")");
  }
  if (parts.haveFollow) AppendPlain(runs, parts.follow);
  return runs;
}

}  // namespace qzdbs::server
