// The drawing document: what the host received, completed (identifiers
// resolved, transforms applied, dimension, hatch and leader graphics
// generated, views placed) so that every exporter only walks it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/HostObject.h"
#include "server/AuditCode.h"

namespace qzdbs::server {

// One piece of a text line: plain text, or an upper part stacked over a lower
// part (tolerance deviations). Plain text may hold '\n' line breaks.
struct TextRun {
  std::string text;
  bool stacked = false;
  std::string upper;
  std::string lower;
  bool operator==(const TextRun&) const = default;
  static TextRun Plain(std::string text) { return TextRun{std::move(text), false, {}, {}}; }
  static TextRun Stack(std::string upper, std::string lower) {
    return TextRun{{}, true, std::move(upper), std::move(lower)};
  }
};
using RichText = std::vector<TextRun>;

struct LineShape {
  Point3 start{};
  Point3 end{};
};

struct CircleShape {
  Point3 center{};
  double radius = 0;
};

// Counter-clockwise from startAngle to endAngle, degrees.
struct ArcShape {
  Point3 center{};
  double radius = 0;
  double startAngle = 0;
  double endAngle = 360;
};

// majorAxis runs from the centre to the end of the major axis; the minor
// radius is ratio times the major one. Parameters in degrees, counter-clockwise.
struct EllipseShape {
  Point3 center{};
  Point3 majorAxis{1, 0, 0};
  double ratio = 1;
  double startParam = 0;
  double endParam = 360;
};

// The most vertices one polyline may have, from a library or a block drawing.
inline constexpr size_t kMaxPolylineVertices = 100000;

struct PolylineShape {
  std::vector<Point3> vertices;
  bool closed = false;
  double width = 0;
  bool is3d = false;
  int32_t plineType = 0;
};

// A filled triangle: arrowheads.
struct SolidShape {
  std::array<Point3, 3> corners{};
};

// A text. attachment follows the multiline text convention (1 top left ...
// 9 bottom right); 0 is a single-line text standing on its baseline at
// position. multiline tells a multiline text from a single-line one.
struct TextShape {
  Point3 position{};
  double height = 3.5;
  double rotation = 0;
  double widthFactor = 1;
  double oblique = 0;
  int32_t attachment = 0;
  double width = 0;  // wrapping width of a multiline text, 0 = none
  double lineSpacing = 1;
  RichText runs;
  std::string style = "Standard";
  bool multiline = false;
};

// Generated graphics of an annotation, in drawing coordinates.
struct Sketch {
  std::vector<LineShape> lines;
  std::vector<ArcShape> arcs;
  std::vector<PolylineShape> polylines;
  std::vector<SolidShape> solids;
  std::vector<TextShape> texts;
  bool Empty() const {
    return lines.empty() && arcs.empty() && polylines.empty() && solids.empty() && texts.empty();
  }
};

// Calls visit with each shape of the sketch (const or not), kind by kind in
// the order above: the one walk over a sketch's members.
template <typename S, typename F>
requires std::is_same_v<std::remove_const_t<S>, Sketch>
void ForEachShape(S& sketch, F&& visit) {
  for (auto& s : sketch.lines)
    visit(s);
  for (auto& s : sketch.arcs)
    visit(s);
  for (auto& s : sketch.polylines)
    visit(s);
  for (auto& s : sketch.solids)
    visit(s);
  for (auto& s : sketch.texts)
    visit(s);
}

// A closed boundary path: vertices with the bulge of the segment that leaves
// each (the tangent of a quarter of the arc's sweep, positive counter-
// clockwise, 0 for a straight segment), as hatch boundaries are written.
struct BoundaryLoop {
  bool outer = true;
  std::vector<Point3> vertices;
  std::vector<double> bulges;
  std::vector<Point3> polygon;  // the path flattened, for filling and clipping
};

// One family of parallel pattern lines, scaled and turned as drawn: lines at
// angle through origin, repeated by offset.
struct PatternFamily {
  double angle = 0;
  Point3 origin{};
  Point3 offset{};
};

struct HatchShape {
  std::string pattern;
  bool solid = false;
  bool doubled = false;
  double scale = 1;
  double angle = 0;
  std::vector<BoundaryLoop> loops;
  std::vector<PatternFamily> families;
  std::vector<LineShape> fill;  // the pattern lines clipped to the loops
};

enum class DimKind { Rotated, Aligned, Diametric, Radial, Angular3Point, Angular2Line, Ordinate };

// What the host received on the common dimension interface.
struct DimAttributes {
  int32_t dimType = 0;
  std::string styleName;
  Point3 textPosition{};
  double textRotation = 0;
  bool rotateText = false;
  std::string textString;
  double hostMeasurement = 0;
  bool calcTolerance = false;  // the engine asked for the deviations
  std::string tolCode;
  double topTol = 0;
  double bottomTol = 0;
  std::string tolUnit;
  bool haveTolCode = false;
  bool haveTolVal = false;
  bool haveFollow = false;
  std::string follow;
  bool rectText = false;
  int32_t dimdec = 0;
  int32_t outIndex = 0;
  int32_t inIndex = 0;
  bool hasLAngle = false;
  double lAngle = 0;
  int32_t dimJust = 0;
  int32_t dimDad = 0;
  bool firstArrow = true;
  bool secondArrow = true;
  bool firstLine = true;
  bool secondLine = true;
};

struct DimensionShape {
  DimKind kind = DimKind::Rotated;
  // Defining points, named after the host members of each kind.
  Point3 ext1{}, ext2{}, dimLine{};               // rotated and aligned
  double rotation = 0;                            // rotated
  Point3 center{};                                // diametric and radial
  double radius = 0;                              // diametric and radial
  Point3 vertex{}, arcPoint{};                    // angular
  Point3 ext1Start{}, ext2Start{};                // two-line angular
  Point3 ext1End{}, ext2End{};                    // angular
  Point3 definingPoint{}, origin{}, leaderEnd{};  // ordinate
  bool xAxis = false;                             // ordinate: measures X
  DimAttributes attributes;

  // Completed by the document.
  double measurement = 0;
  RichText text;
  RichText cadText;         // text with "<>" for the measured value; empty when literal
  int32_t cadDecimals = 0;  // the decimals "<>" is written with
  struct {
    bool shown = false;  // deviations as the dimension's own tolerance
    double upper = 0, lower = 0;
  } cadTolerance;
  Point3 textMid{};
  Sketch graphics;
};

struct LeaderShape {
  std::vector<Point3> vertices;
  int32_t leaderType = 0;
  bool hookLine = false;
  bool arrow = true;
  bool spline = false;
  int32_t annotationId = 0;
  Sketch graphics;
};

struct InsertShape {
  std::string blockName;
  Point3 position{};
  double rotation = 0;
  double scale = 1;
  bool mirrored = false;  // the block drawn mirrored in its own Y axis
  std::vector<std::pair<std::string, std::string>> attributes;  // tag, value
};

using Shape = std::variant<LineShape, CircleShape, ArcShape, EllipseShape, PolylineShape, TextShape,
                           SolidShape, HatchShape, DimensionShape, LeaderShape, InsertShape>;

struct Entity {
  std::string key;  // "X" & sequence in its view; copies keep their source's key
  std::string className;
  int32_t id = 0;
  std::string name;
  int32_t sequence = 0;
  std::string layer = "0";
  int32_t color = 256;  // 256 = by layer, 0 = by block
  bool visible = true;
  bool assist = false;
  bool matchProp = false;
  // Multiplies its layer's dash pattern, so that a short entity shows dashes.
  double lineTypeScale = 1;
  Shape shape;
  std::string madeBy;  // key of the transform that made this copy
  int32_t item = 0;    // its item number in that transform
};

struct View {
  std::string name;
  int32_t id = 0;
  int32_t sequence = 0;
  std::string assistName;
  Point3 basePoint{};
  Point3 insertionPoint{};  // where the layout put the base point
  std::vector<Entity> entities;
};

struct EntityRef {
  size_t view = 0;
  size_t entity = 0;
  bool operator==(const EntityRef&) const = default;
};

struct Group {
  std::string name;
  int32_t id = 0;
  std::vector<EntityRef> members;
  bool wholePart = false;  // the group GroupPart makes of the whole part
};

// A visible attribute of a block drawing: where the value of its tag is
// written, in the block's own coordinates (the text's runs are empty).
struct AttributeDefinition {
  std::string tag;
  TextShape text;
};

struct BlockDefinition {
  std::string name;
  int32_t id = 0;
  bool hasAttribute = false;
  bool placeholder = false;  // no drawing of its own: a marker stands for it
  std::string source;        // the file it was read from
  Point3 basePoint{};
  std::vector<Entity> entities;
  std::vector<std::string> attributeTags;
  std::vector<AttributeDefinition> attributeDefinitions;
};

struct Layer {
  std::string name;
  int32_t color = 7;
  int32_t lineWeight = 25;  // hundredths of a millimetre
  std::string lineType = "CONTINUOUS";
  bool plot = true;
};

// A finding of the document's audit: code, what it concerns, whether the
// document mended it (true) or left the thing out (false).
struct Finding {
  AuditCode code{};
  std::string message;
  std::string where;
  bool mended = false;
};

// Sizes of the dimension style, in millimetres on paper (scaled by the
// drawing scale when drawn).
struct DimStyle {
  std::string name = "QZ_GBDIM";
  double textHeight = 3.5;
  double arrowSize = 3.0;
  double extOffset = 0.0;
  double extExtension = 2.0;
  double textGap = 1.0;
  double toleranceScale = 0.7;
  double scale = 1.0;
  double Size(double paper) const { return paper * scale; }
};

struct PartInfo {
  std::string name;
  std::string guid;
  int32_t id = 0;
  std::string dbPath;
  Point3 basePoint{};
  double drawScale = 1;
  std::string blockFolder;
  bool allowMove = false;
  bool removeDimension = false;
  bool groupPart = false;
  bool makeBlock = false;
  bool hideBackground = false;
  std::string blockName;  // with makeBlock: the block the part is written into
  std::vector<std::pair<std::string, std::string>> properties;       // name, value
  std::vector<std::pair<std::string, std::string>> inputParameters;  // name, value
};

struct Document {
  PartInfo part;
  DimStyle dimStyle;
  std::vector<Layer> layers;
  std::vector<std::string> textStyles;
  std::vector<View> views;
  std::vector<BlockDefinition> blocks;
  std::vector<Group> groups;
  std::vector<Finding> findings;
  nlohmann::json recording;  // the session as received, in the recording format

  const Layer* FindLayer(const std::string& name) const;
  const BlockDefinition* FindBlock(const std::string& name) const;
  const Entity& At(const EntityRef& ref) const { return views[ref.view].entities[ref.entity]; }
};

}  // namespace qzdbs::server
