// The document drawn with QPainter.
#include "server/render/Painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "base/Overloaded.h"
#include "server/Geometry.h"
#include "server/document/Extents.h"
#include "server/document/LineTypes.h"
#include "server/document/ShapeTransform.h"
#include "server/render/Colors.h"
#include "server/text/TextMetrics.h"

namespace qzdbs::server {

namespace {

// Glyphs are drawn at this pixel size and scaled down to the text height:
// font sizes are whole pixels, text heights are not.
constexpr int kFontPixels = 100;

QPointF Q(const Point3& p) {
  return {p[0], p[1]};
}

QFont DrawingFont() {
  QFont font;
  font.setFamilies({"Noto Sans CJK SC", "Noto Sans", "DejaVu Sans"});
  font.setPixelSize(kFontPixels);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  return font;
}

// What an entity inside a block takes from the reference: layer "0" and
// colour 0 mean "as the reference".
struct Inherited {
  std::string layer;
  int32_t color = 256;
};

class DocumentPainter {
 public:
  DocumentPainter(const Document& document, QPainter& painter, const RenderOptions& options,
                  double unitsPerPixel)
      : document_(document),
        painter_(painter),
        options_(options),
        unitsPerPixel_(unitsPerPixel),
        font_(DrawingFont()) {}

  void DrawAll() {
    for (const View& view : document_.views) {
      for (const Entity& entity : view.entities)
        DrawEntity(entity, nullptr);
    }
  }

 private:
  void DrawEntity(const Entity& entity, const Inherited* from);
  void DrawShape(const Shape& shape);
  void DrawSketch(const Sketch& sketch);
  // One per kind of shape, so that a new kind does not build without one.
  void Draw(const LineShape& s);
  void Draw(const CircleShape& s);
  void Draw(const ArcShape& s);
  void Draw(const EllipseShape& s);
  void Draw(const PolylineShape& s);
  void Draw(const TextShape& text);
  void Draw(const SolidShape& s);
  void Draw(const HatchShape& s);
  void Draw(const DimensionShape& s) { DrawSketch(s.graphics); }
  void Draw(const LeaderShape& s) { DrawSketch(s.graphics); }
  // DrawEntity draws a block reference: its block's entities take the
  // reference's layer and colour.
  void Draw(const InsertShape&) {}
  void DrawPath(const std::vector<Point3>& points, bool closed);
  void SetPen(const std::string& layerName, int32_t color, double width = 0,
              double patternScale = 1);

  const Document& document_;
  QPainter& painter_;
  const RenderOptions& options_;
  double unitsPerPixel_;
  QFont font_;
  QColor color_;
};

void DocumentPainter::SetPen(const std::string& layerName, int32_t color, double width,
                             double patternScale) {
  const Layer* layer = document_.FindLayer(layerName);
  int32_t number = color == 256 || color == 0 ? (layer ? layer->color : 7) : color;
  color_ = PaperColor(number);
  double weight = std::max(width, (layer ? layer->lineWeight : 25) / 100.0);
  // Never thinner than one device pixel, so thin lines survive small pictures.
  weight = std::max(weight, unitsPerPixel_);
  QPen pen(color_, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  const std::vector<double>& dashes = DashPattern(layer ? layer->lineType : "CONTINUOUS");
  if (!dashes.empty()) {
    QList<qreal> pattern;
    for (double d : dashes)
      pattern.append(std::max(d * patternScale / weight, 0.5));
    pen.setDashPattern(pattern);
    pen.setCapStyle(Qt::FlatCap);
  }
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
}

void DocumentPainter::DrawEntity(const Entity& entity, const Inherited* from) {
  if (!entity.visible) return;
  std::string layer = from && entity.layer == "0" ? from->layer : entity.layer;
  int32_t color = from && entity.color == 0 ? from->color : entity.color;
  const Layer* found = document_.FindLayer(layer);
  if (found && !found->plot && !options_.showNonPrinting) return;
  Inherited style{layer, color};
  double width = 0;
  if (auto* polyline = std::get_if<PolylineShape>(&entity.shape)) width = polyline->width;
  double patternScale = entity.lineTypeScale;
  if (const auto* line = std::get_if<LineShape>(&entity.shape); line && found) {
    patternScale = FittedPatternScale(Distance(line->start, line->end),
                                      DashPattern(found->lineType), patternScale);
  }
  SetPen(layer, color, width, patternScale);
  if (auto* insert = std::get_if<InsertShape>(&entity.shape)) {
    const BlockDefinition* block = document_.FindBlock(insert->blockName);
    if (!block) return;
    Affine place = InsertMap(*insert, block->basePoint);
    for (const Entity& inner : block->entities) {
      Entity placed = inner;
      TransformShape(placed.shape, place);
      DrawEntity(placed, &style);
    }
    SetPen(layer, color);
    for (const auto& [tag, text] : PlacedAttributes(*insert, *block))
      Draw(text);
    return;
  }
  DrawShape(entity.shape);
}

void DocumentPainter::DrawPath(const std::vector<Point3>& points, bool closed) {
  if (points.size() < 2) return;
  QPolygonF polygon;
  for (const Point3& p : points)
    polygon << Q(p);
  if (closed) {
    painter_.drawPolygon(polygon);
  } else {
    painter_.drawPolyline(polygon);
  }
}

void DocumentPainter::DrawShape(const Shape& shape) {
  std::visit([this](const auto& s) { Draw(s); }, shape);
}

void DocumentPainter::DrawSketch(const Sketch& sketch) {
  // Outlines first, then the solids (arrowheads) under one brush, texts last
  // without it: the brush changes once before the solids and once after them.
  enum Phase { kOutlines, kSolids, kTexts } phase = kOutlines;
  auto enter = [&](Phase next) {
    if (phase < kSolids && next >= kSolids) painter_.setBrush(color_);
    if (phase < kTexts && next >= kTexts) painter_.setBrush(Qt::NoBrush);
    phase = next;
  };
  ForEachShape(sketch, Overloaded{[&](const SolidShape& s) {
                                    enter(kSolids);
                                    DrawPath({s.corners.begin(), s.corners.end()}, true);
                                  },
                                  [&](const TextShape& t) {
                                    enter(kTexts);
                                    Draw(t);
                                  },
                                  [&](const auto& outline) { Draw(outline); }});
  enter(kTexts);
}

void DocumentPainter::Draw(const LineShape& s) {
  painter_.drawLine(Q(s.start), Q(s.end));
}

void DocumentPainter::Draw(const CircleShape& s) {
  painter_.drawEllipse(Q(s.center), s.radius, s.radius);
}

void DocumentPainter::Draw(const ArcShape& s) {
  DrawPath(ArcPoints(s.center, s.radius, s.startAngle, Sweep(s.startAngle, s.endAngle), 2, 8),
           false);
}

void DocumentPainter::Draw(const EllipseShape& s) {
  DrawPath(EllipsePoints(s.center, s.majorAxis, s.ratio, s.startParam,
                         Sweep(s.startParam, s.endParam), 2, 16),
           false);
}

void DocumentPainter::Draw(const PolylineShape& s) {
  DrawPath(s.vertices, s.closed);
}

void DocumentPainter::Draw(const SolidShape& s) {
  painter_.setBrush(color_);
  DrawPath({s.corners.begin(), s.corners.end()}, true);
  painter_.setBrush(Qt::NoBrush);
}

void DocumentPainter::Draw(const HatchShape& s) {
  if (s.solid) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const BoundaryLoop& loop : s.loops) {
      QPolygonF polygon;
      for (const Point3& p : loop.polygon)
        polygon << Q(p);
      path.addPolygon(polygon);
      path.closeSubpath();
    }
    painter_.fillPath(path, color_);
  }
  for (const LineShape& line : s.fill)
    painter_.drawLine(Q(line.start), Q(line.end));
}

void DocumentPainter::Draw(const TextShape& text) {
  QFontMetricsF metrics(font_, painter_.device());
  double unit = text.height * kEmPerHeight / kFontPixels;  // drawing units per font pixel
  double small = kStackScale;
  auto runWidth = [&](const TextRun& run) {
    if (!run.stacked) return metrics.horizontalAdvance(QString::fromStdString(run.text)) * unit;
    return std::max(metrics.horizontalAdvance(QString::fromStdString(run.upper)),
                    metrics.horizontalAdvance(QString::fromStdString(run.lower))) *
           unit * small;
  };
  std::vector<RichText> lines = SplitLines(text.runs);
  double pitch = text.height * kLinePitch * text.lineSpacing;
  double total = text.height + pitch * static_cast<double>(lines.size() - 1);
  bool anchored = text.attachment >= 1 && text.attachment <= 9;
  int column = anchored ? (text.attachment - 1) % 3 : 0;
  int row = anchored ? (text.attachment - 1) / 3 : 0;
  double top = !anchored ? text.height : row == 0 ? 0 : row == 1 ? total / 2 : total;

  painter_.save();
  painter_.translate(text.position[0], text.position[1]);
  painter_.rotate(text.rotation);
  painter_.setFont(font_);
  painter_.setPen(QPen(color_));
  auto glyphs = [&](const std::string& s, double x, double baseline, double scale) {
    painter_.save();
    painter_.translate(x, baseline);
    painter_.scale(unit * scale * text.widthFactor, -unit * scale);
    if (std::fabs(text.oblique) > kEpsilon) painter_.shear(-std::tan(Radians(text.oblique)), 0);
    painter_.drawText(QPointF(0, 0), QString::fromStdString(s));
    painter_.restore();
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    double width = 0;
    for (const TextRun& run : lines[i])
      width += runWidth(run) * text.widthFactor;
    double x = -width * 0.5 * column;
    double baseline = top - text.height - pitch * static_cast<double>(i);
    for (const TextRun& run : lines[i]) {
      if (run.stacked) {
        // GB/T 4458.5: the upper deviation over the lower one, a size smaller.
        double lower = baseline - 0.25 * text.height;
        glyphs(run.upper, x, lower + 1.3 * small * text.height, small);
        glyphs(run.lower, x, lower, small);
      } else {
        glyphs(run.text, x, baseline, 1.0);
      }
      x += runWidth(run) * text.widthFactor;
    }
  }
  painter_.restore();
}

}  // namespace

QRectF DrawingBounds(const Document& document, const RenderOptions& options) {
  Extents extents = DocumentExtents(document, options.showNonPrinting);
  if (!extents.valid) extents.Add(Point3{0, 0, 0});
  double m = options.margin;
  return QRectF(extents.min[0] - m, extents.min[1] - m, extents.Width() + 2 * m,
                extents.Height() + 2 * m);
}

void Render(const Document& document, QPainter& painter, const QRectF& target,
            const RenderOptions& options) {
  QRectF bounds = DrawingBounds(document, options);
  double scale = std::min(target.width() / bounds.width(), target.height() / bounds.height());
  if (!(scale > 0) || !std::isfinite(scale)) return;
  painter.save();
  painter.fillRect(target, Qt::white);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  // Centre the drawing, then map drawing units (Y up) to the target.
  double dx = target.left() + (target.width() - bounds.width() * scale) / 2;
  double dy = target.top() + (target.height() - bounds.height() * scale) / 2;
  painter.translate(dx, dy + bounds.height() * scale);
  painter.scale(scale, -scale);
  painter.translate(-bounds.left(), -bounds.top());
  double pixel = 1.0 / scale;  // one target unit in drawing units
  DocumentPainter(document, painter, options, pixel).DrawAll();
  painter.restore();
}

}  // namespace qzdbs::server
