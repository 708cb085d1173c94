// View placement.
#include "server/document/Layout.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "base/OrderedMap.h"
#include "server/document/Extents.h"
#include "server/document/ShapeTransform.h"

namespace qzdbs::server {

namespace {

bool IsAsciiLetter(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// ASCII keywords count as whole words only ("top", not "stop").
bool Names(const std::string& folded, std::initializer_list<const char*> keywords) {
  for (const char* keyword : keywords) {
    const std::string word(keyword);
    const bool ascii = IsAsciiLetter(word[0]);
    for (size_t at = folded.find(word); at != std::string::npos; at = folded.find(word, at + 1)) {
      if (!ascii) return true;
      const size_t end = at + word.size();
      if ((at == 0 || !IsAsciiLetter(folded[at - 1])) &&
          (end == folded.size() || !IsAsciiLetter(folded[end])))
        return true;
    }
  }
  return false;
}

// A section label: two equal capital letters joined by a dash, "A-A".
bool HasSectionLabel(const std::string& name) {
  for (size_t i = 0; i + 2 < name.size(); ++i) {
    if (std::isupper(static_cast<unsigned char>(name[i])) && name[i + 1] == '-' &&
        name[i + 2] == name[i] && (i == 0 || !IsAsciiLetter(name[i - 1])) &&
        (i + 3 == name.size() || !IsAsciiLetter(name[i + 3])))
      return true;
  }
  return false;
}

struct Box {
  double minX, minY, maxX, maxY;
};

class Placer {
 public:
  Placer(Document& document, double gap, Projection projection)
      : document_(document), gap_(gap), projection_(projection) {}

  void Run() {
    std::vector<ViewRole> roles;
    for (const View& view : document_.views)
      roles.push_back(RoleOfView(view.name));
    const size_t count = document_.views.size();
    if (count == 0) return;
    size_t front = std::find(roles.begin(), roles.end(), ViewRole::Front) - roles.begin();
    if (front == count) front = 0;
    roles[front] = ViewRole::Front;
    for (size_t v = 0; v < count; ++v)
      extents_.push_back(ViewExtents(document_.views[v], document_));
    if (gap_ <= 0) gap_ = GapFromSize();

    const Point3& base = document_.part.basePoint;
    Place(front, base[0], base[1]);
    std::vector<bool> placed(count, false);
    placed[front] = true;
    // The views round the front view first, each role once; the rest follow
    // to the right in their order.
    for (ViewRole role : {ViewRole::Left, ViewRole::Right, ViewRole::Top, ViewRole::Bottom}) {
      auto at = std::find(roles.begin(), roles.end(), role);
      if (at == roles.end()) continue;
      const size_t v = at - roles.begin();
      PlaceBeside(v, Side(role));
      placed[v] = true;
    }
    for (size_t v = 0; v < count; ++v)
      if (!placed[v]) PlaceBeside(v, Where::Right);
  }

 private:
  enum class Where { Right, Left, Below, Above };

  Where Side(ViewRole role) const {
    const bool first = projection_ == Projection::FirstAngle;
    switch (role) {
      case ViewRole::Left:
        return first ? Where::Right : Where::Left;
      case ViewRole::Right:
        return first ? Where::Left : Where::Right;
      case ViewRole::Top:
        return first ? Where::Below : Where::Above;
      case ViewRole::Bottom:
        return first ? Where::Above : Where::Below;
      default:
        return Where::Right;
    }
  }

  // A fifth of the largest view's larger side, at least 10 mm on paper.
  double GapFromSize() const {
    double size = 0;
    for (const Extents& e : extents_)
      size = std::max({size, e.Width(), e.Height()});
    const double scale = document_.dimStyle.scale > 0 ? document_.dimStyle.scale : 1.0;
    return std::max(10.0 * scale, size / 5);
  }

  // Moves view v so that its base point lands on (x, y), and keeps the boxes
  // of its entities where they now stand.
  void Place(size_t v, double x, double y) {
    View& view = document_.views[v];
    view.insertionPoint = {x, y, document_.part.basePoint[2]};
    const Affine move = Affine::Translation(view.insertionPoint - view.basePoint);
    for (Entity& entity : view.entities) {
      TransformShape(entity.shape, move);
      const Extents e = ShapeExtents(entity.shape, document_);
      if (e.valid) placed_.push_back({e.min[0], e.min[1], e.max[0], e.max[1]});
    }
    if (!extents_[v].valid) placed_.push_back({x, y, x, y});
  }

  // How far the placed entities reach towards `where` within the band from
  // `low` to `high` across it: a view keeps its gap from what stands beside
  // it, not from a designation written under its neighbour.
  double Edge(Where where, double low, double high) const {
    const bool horizontal = where == Where::Right || where == Where::Left;
    const bool far = where == Where::Right || where == Where::Above;
    double edge = far ? -1e300 : 1e300;
    for (const Box& b : placed_) {
      const double from = horizontal ? b.minY : b.minX, to = horizontal ? b.maxY : b.maxX;
      if (to < low || from > high) continue;
      edge = far ? std::max(edge, horizontal ? b.maxX : b.maxY)
                 : std::min(edge, horizontal ? b.minX : b.minY);
    }
    return edge;
  }

  void PlaceBeside(size_t v, Where where) {
    const View& view = document_.views[v];
    const Extents& e = extents_[v];
    const Point3& base = document_.part.basePoint;
    const double bx = view.basePoint[0], by = view.basePoint[1];
    // The distances from the view's base point to its edges.
    const double toLeft = e.valid ? bx - e.min[0] : 0, toRight = e.valid ? e.max[0] - bx : 0;
    const double toBottom = e.valid ? by - e.min[1] : 0, toTop = e.valid ? e.max[1] - by : 0;
    // With nothing placed in its band, a view stands beside the rest.
    auto edge = [&](double low, double high) {
      const double in = Edge(where, low, high);
      return std::abs(in) < 1e299 ? in : Edge(where, -1e300, 1e300);
    };
    switch (where) {
      case Where::Right:
        Place(v, edge(base[1] - toBottom, base[1] + toTop) + gap_ + toLeft, base[1]);
        break;
      case Where::Left:
        Place(v, edge(base[1] - toBottom, base[1] + toTop) - gap_ - toRight, base[1]);
        break;
      case Where::Below:
        Place(v, base[0], edge(base[0] - toLeft, base[0] + toRight) - gap_ - toTop);
        break;
      case Where::Above:
        Place(v, base[0], edge(base[0] - toLeft, base[0] + toRight) + gap_ + toBottom);
        break;
    }
  }

  Document& document_;
  double gap_;
  Projection projection_;
  std::vector<Extents> extents_;
  std::vector<Box> placed_;
};

}  // namespace

ViewRole RoleOfView(const std::string& name) {
  const std::string folded = FoldCase(name);
  if (Names(folded, {"主视", "前视", "front"})) return ViewRole::Front;
  if (Names(folded, {"左视", "left"})) return ViewRole::Left;
  if (Names(folded, {"右视", "right"})) return ViewRole::Right;
  if (Names(folded, {"俯视", "top", "plan"})) return ViewRole::Top;
  if (Names(folded, {"仰视", "bottom"})) return ViewRole::Bottom;
  if (Names(folded, {"后视", "rear", "back"})) return ViewRole::Rear;
  if (Names(folded, {"剖视", "断面", "剖面", "section"}) || HasSectionLabel(name))
    return ViewRole::Section;
  return ViewRole::Other;
}

void LayOutViews(Document& document, double gap, Projection projection) {
  Placer(document, gap, projection).Run();
}

}  // namespace qzdbs::server
