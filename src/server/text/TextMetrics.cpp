// Text sizes of the document's layout.
#include "server/text/TextMetrics.h"

#include <algorithm>

#include "base/Utf8.h"
#include "server/Geometry.h"

namespace qzdbs::server {

namespace {

constexpr double kNarrow = 0.56 * kEmPerHeight;
constexpr double kWide = 1.0 * kEmPerHeight;
constexpr double kSpace = 0.28 * kEmPerHeight;
constexpr double kCadCharacter = 1.0;
constexpr double kCadMargin = 1.0 / 3.0;

double CadRunsWidth(const RichText& runs, double height, double widthFactor) {
  size_t characters = 0;
  for (const TextRun& run : runs)
    characters += run.stacked
                      ? DecodeCodePoints(run.upper).size() + DecodeCodePoints(run.lower).size()
                      : DecodeCodePoints(run.text).size();
  return std::max(RunsWidth(runs, height, widthFactor),
                  kCadCharacter * height * widthFactor * static_cast<double>(characters));
}

// The box of LocalTextBox with each line `lineWidth` wide and `margin` text
// heights more above and below.
template <typename LineWidth>
std::array<double, 4> TextBox(const TextShape& text, LineWidth lineWidth, double margin) {
  std::vector<RichText> lines = SplitLines(text.runs);
  double width = 0;
  for (const RichText& line : lines) {
    width = std::max(width, lineWidth(line, text.height, text.widthFactor));
  }
  double pitch = text.height * kLinePitch * text.lineSpacing;
  double total = text.height + pitch * static_cast<double>(lines.size() - 1);
  double more = margin * text.height;
  if (text.attachment < 1 || text.attachment > 9) {
    // Standing on the baseline; the first line's capitals reach one height up.
    return {0, text.height - total - more, width, text.height + more};
  }
  int column = (text.attachment - 1) % 3;
  int row = (text.attachment - 1) / 3;
  double left = -width * 0.5 * column;
  double top = row == 0 ? 0 : row == 1 ? total / 2 : total;
  return {left, top - total - more, left + width, top + more};
}

std::array<Point3, 4> Corners(const TextShape& text, const std::array<double, 4>& box) {
  Point3 u = Direction(text.rotation);
  Point3 v = LeftNormal(u);
  auto at = [&](double x, double y) { return text.position + u * x + v * y; };
  return {at(box[0], box[1]), at(box[2], box[1]), at(box[2], box[3]), at(box[0], box[3])};
}

}  // namespace

double TextWidth(std::string_view utf8, double height, double widthFactor) {
  double width = 0;
  for (char32_t c : DecodeCodePoints(utf8)) {
    if (c == '\n') continue;
    width += c == ' ' ? kSpace : IsWideCodePoint(c) ? kWide : kNarrow;
  }
  return width * height * widthFactor;
}

double RunsWidth(const RichText& runs, double height, double widthFactor) {
  double width = 0;
  for (const TextRun& run : runs) {
    if (run.stacked) {
      double small = height * kStackScale;
      width += std::max(TextWidth(run.upper, small, widthFactor),
                        TextWidth(run.lower, small, widthFactor));
    } else {
      width += TextWidth(run.text, height, widthFactor);
    }
  }
  return width;
}

std::vector<RichText> SplitLines(const RichText& runs) {
  std::vector<RichText> lines(1);
  for (const TextRun& run : runs) {
    if (run.stacked) {
      lines.back().push_back(run);
      continue;
    }
    size_t from = 0;
    while (true) {
      size_t at = run.text.find('\n', from);
      std::string piece = run.text.substr(from, at == std::string::npos ? at : at - from);
      if (!piece.empty()) lines.back().push_back(TextRun::Plain(piece));
      if (at == std::string::npos) break;
      lines.emplace_back();
      from = at + 1;
    }
  }
  return lines;
}

std::string PlainText(const RichText& runs) {
  std::string out;
  for (const TextRun& run : runs) {
    out += run.stacked ? run.upper + "/" + run.lower : run.text;
  }
  return out;
}

std::array<double, 4> LocalTextBox(const TextShape& text) {
  return TextBox(text, RunsWidth, 0);
}

std::array<Point3, 4> TextCorners(const TextShape& text) {
  return Corners(text, LocalTextBox(text));
}

std::array<Point3, 4> CadTextCorners(const TextShape& text) {
  return Corners(text, TextBox(text, CadRunsWidth, kCadMargin));
}

}  // namespace qzdbs::server
