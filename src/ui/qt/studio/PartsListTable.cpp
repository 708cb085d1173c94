// Drawing the parts list as a table on the sheet.
#include "ui/qt/studio/PartsListTable.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "server/text/TextMetrics.h"

namespace qzdbs::ui::qt {

namespace {

constexpr const char* kLayer = "明细栏";
constexpr double kTextHeight = 3.5;
// Room left between a text and its cell's sides, paper millimetres.
constexpr double kCellPadding = 1.5;

class TableWriter {
 public:
  explicit TableWriter(server::View& view) : view_(view) {}

  void Line(const Point3& from, const Point3& to) { Add("DbLine", server::LineShape{from, to}); }

  // Centred in its cell, squeezed to the cell's width when it is wider.
  void Text(const std::string& text, const Point3& centre, double width, double height) {
    if (text.empty()) return;
    server::TextShape shape;
    shape.height = height;
    shape.runs = {server::TextRun::Plain(text)};
    const double natural = server::TextWidth(text, height);
    if (natural > width) shape.widthFactor = width / natural;
    // A single-line text standing on its baseline, set so that it is centred.
    shape.position = {centre[0] - natural * shape.widthFactor / 2, centre[1] - height / 2, 0};
    Add("DbText", shape);
  }

 private:
  void Add(const char* className, server::Shape shape) {
    server::Entity entity;
    entity.className = className;
    entity.sequence = static_cast<int32_t>(view_.entities.size()) + 1;
    entity.key = "X" + std::to_string(entity.sequence);
    entity.layer = kLayer;
    entity.shape = std::move(shape);
    view_.entities.push_back(std::move(entity));
  }

  server::View& view_;
};

}  // namespace

server::Document PartsListTable(const std::vector<PartsListRow>& rows, double scale) {
  server::Document table;
  if (rows.empty()) return table;
  table.part.name = kLayer;
  table.layers.push_back({kLayer, 7, 35, "CONTINUOUS", true});
  server::View& view = table.views.emplace_back();
  view.name = kLayer;
  TableWriter writer(view);

  const double width =
      std::accumulate(std::begin(kPartsListColumns), std::end(kPartsListColumns), 0.0);
  const double left = (kSheetWidth - kSheetMargin - width) * scale;
  const double bottom = (kSheetMargin + kTitleBlockHeight) * scale;
  const double rowHeight = kPartsListRowHeight * scale;
  const double top = bottom + rowHeight * static_cast<double>(rows.size() + 1);
  for (size_t r = 0; r <= rows.size() + 1; ++r) {
    const double y = bottom + rowHeight * static_cast<double>(r);
    writer.Line({left, y, 0}, {left + width * scale, y, 0});
  }
  double x = left;
  writer.Line({x, bottom, 0}, {x, top, 0});
  for (double column : kPartsListColumns) {
    x += column * scale;
    writer.Line({x, bottom, 0}, {x, top, 0});
  }

  // The heading row at the bottom, the first part's row right above it.
  const auto cells = [&](const std::vector<std::string>& texts, size_t row) {
    double cellLeft = left;
    const double middle = bottom + rowHeight * (static_cast<double>(row) + 0.5);
    for (size_t c = 0; c < texts.size(); ++c) {
      const double cellWidth = kPartsListColumns[c] * scale;
      writer.Text(texts[c], {cellLeft + cellWidth / 2, middle, 0},
                  cellWidth - 2 * kCellPadding * scale, kTextHeight * scale);
      cellLeft += cellWidth;
    }
  };
  cells(PartsListHeadings(), 0);
  for (size_t r = 0; r < rows.size(); ++r) {
    const PartsListRow& row = rows[r];
    cells({std::to_string(row.number), row.code, row.name, std::to_string(row.quantity),
           row.material, row.unitMass, row.totalMass, row.remark},
          r + 1);
  }
  return table;
}

}  // namespace qzdbs::ui::qt
