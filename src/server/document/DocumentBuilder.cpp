// The document builder: receiving, resolving, transforming, completing.
#include "server/document/DocumentBuilder.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "base/NumberText.h"
#include "base/Overloaded.h"
#include "host/HostClasses.h"
#include "host/recording/Recording.h"
#include "server/document/Audit.h"
#include "server/document/BlockFile.h"
#include "server/document/DimensionGraphics.h"
#include "server/document/Hatch.h"
#include "server/document/HostReading.h"
#include "server/document/Layers.h"
#include "server/document/Layout.h"
#include "server/document/Leader.h"
#include "server/document/LineTypes.h"
#include "server/document/PartName.h"
#include "server/document/ShapeTransform.h"
#include "server/document/TextClearance.h"
#include "server/document/TextOverlap.h"
#include "server/document/Transforms.h"
#include "server/text/DxfText.h"

namespace qzdbs::server {

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// The points an entity holds in lists whose length a library sets.
int64_t VertexCount(const Shape& shape) {
  return std::visit(Overloaded{[](const PolylineShape& s) { return std::ssize(s.vertices); },
                               [](const LeaderShape& s) { return std::ssize(s.vertices); },
                               [](const HatchShape& s) {
                                 int64_t n = 0;
                                 for (const BoundaryLoop& loop : s.loops)
                                   n += std::ssize(loop.vertices);
                                 return n;
                               },
                               [](const auto&) { return int64_t{0}; }},
                    shape);
}

class Builder {
 public:
  Builder(const MemoryObject& session, const BuildOptions& options)
      : session_(session), options_(options) {}

  Document Run() {
    ReadPart();
    for (const auto& view : session_.Views())
      ReadView(*view);
    Complete();
    return std::move(doc_);
  }

 private:
  void ReadPart();
  void ReadView(const MemoryObject& view);
  void NameBlock();
  void Receive(size_t view, const MemoryObject::Child& child);
  void ReceiveDrawable(size_t view, const MemoryObject& object, Entity entity);
  void ReceiveHatch(size_t view, const MemoryObject& object, Entity entity);
  void ReceiveTransform(size_t view, const MemoryObject& object, const std::string& key);
  void ReceiveGroup(size_t view, const MemoryObject& object, const std::string& key);
  void ReceiveBlockDefinition(const MemoryObject& object, const std::string& key, size_t view);
  void AttachAttributes(size_t view, const MemoryObject& object, Entity& entity);
  void Complete();
  void CompleteAnnotations();
  void CompleteBlocks();

  std::vector<EntityRef> Resolve(int32_t id, size_t view, const std::string& where);
  std::vector<EntityRef> ResolveAll(const std::vector<int32_t>& ids, size_t view,
                                    const std::string& where);
  void Report(AuditCode code, const std::string& message, const std::string& where, bool mended) {
    doc_.findings.push_back(Finding{code, message, where, mended});
  }
  // Whether `adding` more `what` on top of the part's `sofar` would pass its
  // `limit`; reported as such, ending in `outcome`.
  bool PassesPartLimit(AuditCode code, int64_t sofar, int64_t adding, int64_t limit,
                       const char* what, const char* outcome, const std::string& where) {
    if (sofar + adding <= limit) return false;
    Report(code,
           std::to_string(adding) + " " + what + " would pass the part's " + std::to_string(limit) +
               outcome,
           where, false);
    return true;
  }
  std::string Where(size_t view, const std::string& key, const std::string& className) const {
    return "view " + doc_.views[view].name + ", " + key + " " + className;
  }
  std::string AssistLayer(size_t view) const {
    const std::string& name = doc_.views[view].assistName;
    return name.empty() ? "ASSIST" : name;
  }

  const MemoryObject& session_;
  BuildOptions options_;
  Document doc_;
  std::set<std::string> nonPrinting_;
  std::map<std::pair<size_t, int32_t>, Entries> dictionaries_;  // (view, ID) -> entries
  std::set<int32_t> reported_;
  int64_t arrayCopies_ = 0;  // entities the part's arrays made so far
  int64_t vertices_ = 0;     // VertexCount of every entity received or copied so far
  std::map<size_t, std::vector<std::pair<size_t, EntityRef>>>
      annotations_;  // view -> (leader, text)
};

void Builder::ReadPart() {
  QZdbSPart part(BorrowHandle(session_));
  DbIdentity identity = part.Identity();
  PartInfo& info = doc_.part;
  info.name = part.PartName();
  info.guid = identity.Name();
  info.id = identity.ID();
  info.dbPath = part.DBPath();
  info.basePoint = part.BasePoint();
  info.drawScale = part.DrawScale();
  info.blockFolder = options_.blockFolder.empty() ? part.BlockFolder() : options_.blockFolder;
  info.allowMove = part.AllowMove();
  info.removeDimension = part.RemoveDimension();
  info.groupPart = part.GroupPart();
  info.makeBlock = part.MakeBlock();
  info.hideBackground = part.HideBackground();
  auto dictionary = [&](const char* member) -> Entries {
    auto object = std::dynamic_pointer_cast<MemoryObject>(
        HostValueAs<std::shared_ptr<HostObject>>(session_.Get(member)));
    return object ? ReadEntries(*object) : Entries{};
  };
  info.properties = dictionary("PartProperties");
  info.inputParameters = dictionary("InputParameters");
  doc_.dimStyle.scale = info.drawScale > 0 ? info.drawScale : 1.0;
  if (options_.withRecording) doc_.recording = Recording::Of(session_, {}).ToJson();
}

void Builder::ReadView(const MemoryObject& object) {
  DbView view(BorrowHandle(object));
  View v;
  v.name = view.Name();
  v.id = view.ID();
  v.sequence = view.Sequence();
  v.assistName = view.AssistViewName();
  v.basePoint = view.BasePoint();
  doc_.views.push_back(std::move(v));
  size_t index = doc_.views.size() - 1;
  for (const MemoryObject::Child& child : object.Entities())
    Receive(index, child);
}

void Builder::Receive(size_t view, const MemoryObject::Child& child) {
  const MemoryObject& object = *child.object;
  const std::string& className = object.ClassName();
  if (IsTransformClass(className)) {
    ReceiveTransform(view, object, child.key);
  } else if (className == "DbGroup") {
    ReceiveGroup(view, object, child.key);
  } else if (className == "DbDictionary") {
    dictionaries_[{view, HostValueAs<int32_t>(object.Get("ID"))}] = ReadEntries(object);
  } else if (className == "DbBlockDefinition") {
    ReceiveBlockDefinition(object, child.key, view);
  } else if (className == "DbHatch") {
    ReceiveHatch(view, object, ReadEntity(object, child.key));
  } else if (std::optional<Shape> shape = ReadShape(object)) {
    Entity entity = ReadEntity(object, child.key);
    entity.shape = std::move(*shape);
    ReceiveDrawable(view, object, std::move(entity));
  } else {
    Report(AuditCode::UnknownClass, "objects of class " + className + " are not drawn",
           Where(view, child.key, className), false);
  }
}

void Builder::ReceiveDrawable(size_t view, const MemoryObject& object, Entity entity) {
  if (entity.assist) {
    entity.layer = AssistLayer(view);
    nonPrinting_.insert(entity.layer);
  }
  std::string where = Where(view, entity.key, entity.className);
  // Refused on arrival, before a transform could copy it.
  if (const auto* line = std::get_if<PolylineShape>(&entity.shape);
      line && line->vertices.size() > kMaxPolylineVertices) {
    Report(AuditCode::PolylineVertices,
           std::to_string(line->vertices.size()) + " vertices, more than the " +
               std::to_string(kMaxPolylineVertices) + " a polyline may have; left out",
           where, false);
    return;
  }
  const int64_t vertices = VertexCount(entity.shape);
  if (PassesPartLimit(AuditCode::PolylineVertices, vertices_, vertices, kMaxVerticesPerPart,
                      "vertices", "; left out", where))
    return;
  vertices_ += vertices;
  if (std::holds_alternative<InsertShape>(entity.shape)) AttachAttributes(view, object, entity);
  size_t index = doc_.views[view].entities.size();
  if (auto* leader = std::get_if<LeaderShape>(&entity.shape); leader && leader->annotationId != 0) {
    std::vector<EntityRef> found = Resolve(leader->annotationId, view, where);
    if (!found.empty()) annotations_[view].push_back({index, found.front()});
  }
  doc_.views[view].entities.push_back(std::move(entity));
}

void Builder::AttachAttributes(size_t view, const MemoryObject& object, Entity& entity) {
  auto& insert = std::get<InsertShape>(entity.shape);
  for (int32_t id : ReadIdentifiers(object, "AddAttributeID")) {
    const Entries* entries = nullptr;
    if (auto it = dictionaries_.find({view, id}); it != dictionaries_.end()) {
      entries = &it->second;
    } else {
      for (const auto& [at, found] : dictionaries_) {
        if (at.second == id) {
          entries = &found;
          break;
        }
      }
    }
    if (!entries) {
      Resolve(id, view, Where(view, entity.key, entity.className));  // reports it
      continue;
    }
    insert.attributes.insert(insert.attributes.end(), entries->begin(), entries->end());
  }
}

void Builder::ReceiveHatch(size_t view, const MemoryObject& object, Entity entity) {
  DbHatch host(BorrowHandle(object));
  HatchShape hatch;
  hatch.pattern = host.PatternName();
  hatch.doubled = host.PatternIsDoubled();
  hatch.scale = host.PatternScale() > 0 ? host.PatternScale() : 1;
  hatch.angle = host.PatternAngle();
  std::string where = Where(view, entity.key, entity.className);
  int openChains = 0;
  for (bool outer : {true, false}) {
    std::vector<BoundaryPiece> pieces;
    const char* member = outer ? "AddOuterLoopEntity" : "AddInnerLoopEntity";
    for (const EntityRef& ref : ResolveAll(ReadIdentifiers(object, member), view, where)) {
      BoundaryPiece piece;
      const Entity& boundary = doc_.At(ref);
      if (BoundaryPieceOf(boundary.shape, piece)) {
        pieces.push_back(std::move(piece));
      } else {
        Report(AuditCode::HatchBoundary,
               boundary.key + " " + boundary.className + " bounds nothing; skipped", where, true);
      }
    }
    for (BoundaryLoop& loop : ChainLoops(std::move(pieces), outer, openChains)) {
      hatch.loops.push_back(std::move(loop));
    }
  }
  if (openChains > 0) {
    Report(AuditCode::HatchOpenLoop, "a boundary does not close; closed by a straight segment",
           where, true);
  }
  bool anyOuter = std::any_of(hatch.loops.begin(), hatch.loops.end(),
                              [](const BoundaryLoop& loop) { return loop.outer; });
  if (!anyOuter && !hatch.loops.empty()) {
    Report(AuditCode::HatchNoOuter, "no outer loop; the inner loops are filled by odd parity",
           where, true);
  }
  entity.shape = std::move(hatch);
  ReceiveDrawable(view, object, std::move(entity));
}

void Builder::ReceiveTransform(size_t view, const MemoryObject& object, const std::string& key) {
  std::string where = Where(view, key, object.ClassName());
  TransformPlan plan = PlanTransform(object);
  if (!plan.problem.empty()) {
    Report(AuditCode::Transform, plan.problem + "; nothing is transformed", where, false);
    return;
  }
  const auto members = ResolveAll(ReadIdentifiers(object, "AddEntityID"), view, where);
  const auto copies = static_cast<int64_t>(plan.maps.size() * members.size());
  int64_t copiedVertices = 0;
  for (const EntityRef& ref : members)
    copiedVertices += VertexCount(doc_.At(ref).shape);
  copiedVertices *= std::ssize(plan.maps);
  if (!plan.inPlace) {
    if (PassesPartLimit(AuditCode::Transform, arrayCopies_, copies, kMaxArrayCopiesPerPart,
                        "copies", " made by arrays; nothing is transformed", where) ||
        PassesPartLimit(AuditCode::Transform, vertices_, copiedVertices, kMaxVerticesPerPart,
                        "copied vertices", "; nothing is transformed", where))
      return;
    arrayCopies_ += copies;
    vertices_ += copiedVertices;
  }
  for (const EntityRef& ref : members) {
    std::vector<Entity>& entities = doc_.views[ref.view].entities;
    if (plan.inPlace) {
      TransformShape(entities[ref.entity].shape, plan.maps.front());
      continue;
    }
    for (size_t k = 0; k < plan.maps.size(); ++k) {
      Entity copy = entities[ref.entity];
      TransformShape(copy.shape, plan.maps[k]);
      copy.madeBy = key;
      copy.item = static_cast<int32_t>(k) + 2;
      entities.push_back(std::move(copy));
    }
  }
}

void Builder::ReceiveGroup(size_t view, const MemoryObject& object, const std::string& key) {
  DbGroup host(BorrowHandle(object));
  Group group;
  group.name = host.GroupName().empty() ? host.Name() : host.GroupName();
  group.id = host.ID();
  group.members = ResolveAll(ReadIdentifiers(object, "AddEntityID"), view,
                             Where(view, key, object.ClassName()));
  doc_.groups.push_back(std::move(group));
}

void Builder::ReceiveBlockDefinition(const MemoryObject& object, const std::string& key,
                                     size_t view) {
  DbBlockDefinition host(BorrowHandle(object));
  BlockDefinition block;
  block.name = host.BlockName();
  block.id = host.ID();
  block.hasAttribute = host.hasAttribute();
  std::string where = Where(view, key, object.ClassName());
  std::filesystem::path file = FindBlockFile(doc_.part.blockFolder, block.name);
  std::string reason;
  if (file.empty()) {
    Report(AuditCode::BlockFile,
           "no drawing of block \"" + block.name + "\" in the block folder; a marker stands for it",
           where, true);
  } else if (!ReadBlockFile(file, block, reason)) {
    Report(AuditCode::BlockFile, reason + "; a marker stands for block \"" + block.name + "\"",
           where, true);
  }
  auto same = std::find_if(doc_.blocks.begin(), doc_.blocks.end(),
                           [&](const BlockDefinition& b) { return b.name == block.name; });
  if (same != doc_.blocks.end()) {
    *same = std::move(block);
  } else {
    doc_.blocks.push_back(std::move(block));
  }
}

std::vector<EntityRef> Builder::Resolve(int32_t id, size_t view, const std::string& where) {
  std::vector<EntityRef> found;
  auto collect = [&](size_t v) {
    const std::vector<Entity>& entities = doc_.views[v].entities;
    for (size_t e = 0; e < entities.size(); ++e) {
      if (entities[e].id == id) found.push_back(EntityRef{v, e});
    }
  };
  collect(view);
  for (size_t v = 0; found.empty() && v < doc_.views.size(); ++v) {
    if (v != view) collect(v);
  }
  if (found.empty()) {
    // A group's identifier stands for its members.
    for (const Group& group : doc_.groups) {
      if (group.id == id) found.insert(found.end(), group.members.begin(), group.members.end());
    }
  }
  if (found.empty() && reported_.insert(id).second) {
    Report(AuditCode::UnknownId, "identifier " + std::to_string(id) + " names nothing; skipped",
           where, false);
  }
  return found;
}

std::vector<EntityRef> Builder::ResolveAll(const std::vector<int32_t>& ids, size_t view,
                                           const std::string& where) {
  std::vector<EntityRef> all;
  for (int32_t id : ids) {
    for (const EntityRef& ref : Resolve(id, view, where)) {
      if (std::find(all.begin(), all.end(), ref) == all.end()) all.push_back(ref);
    }
  }
  return all;
}

void Builder::CompleteAnnotations() {
  for (size_t v = 0; v < doc_.views.size(); ++v) {
    View& view = doc_.views[v];
    for (Entity& entity : view.entities) {
      std::string where = Where(v, entity.key, entity.className);
      std::visit(
          Overloaded{[&](DimensionShape& dim) {
                       CompleteDimension(dim, doc_.dimStyle, doc_.findings, where);
                     },
                     [&](HatchShape& hatch) { CompleteHatch(hatch, doc_.findings, where); },
                     [&](LeaderShape& leader) {
                       CompleteLeader(leader, doc_.dimStyle, nullptr);
                       if (leader.vertices.size() < 2) {
                         Report(AuditCode::LeaderShort,
                                "a leader needs two vertices; it draws nothing", where, false);
                       }
                     },
                     []<typename T>(T&) {
                       static_assert(kOneOf<T, LineShape, CircleShape, ArcShape, EllipseShape,
                                            PolylineShape, TextShape, SolidShape, InsertShape>,
                                     "a new kind of shape: say whether it is completed here");
                     }},
          entity.shape);
    }
  }
  for (const auto& [v, pairs] : annotations_) {
    for (const auto& [leaderIndex, textRef] : pairs) {
      auto& leader = std::get<LeaderShape>(doc_.views[v].entities[leaderIndex].shape);
      const auto* text = std::get_if<TextShape>(&doc_.At(textRef).shape);
      CompleteLeader(leader, doc_.dimStyle, text);
    }
  }
}

void Builder::CompleteBlocks() {
  for (size_t v = 0; v < doc_.views.size(); ++v) {
    for (const Entity& entity : doc_.views[v].entities) {
      const auto* insert = std::get_if<InsertShape>(&entity.shape);
      if (!insert) continue;
      auto block =
          std::find_if(doc_.blocks.begin(), doc_.blocks.end(),
                       [&](const BlockDefinition& b) { return b.name == insert->blockName; });
      if (block == doc_.blocks.end()) {
        Report(AuditCode::BlockUndefined,
               "block \"" + insert->blockName + "\" was never defined; a marker stands for it",
               Where(v, entity.key, entity.className), true);
        doc_.blocks.push_back(
            BlockDefinition{insert->blockName, 0, false, true, "", {}, {}, {}, {}});
        block = doc_.blocks.end() - 1;
      }
      for (const auto& [tag, value] : insert->attributes) {
        if (std::find(block->attributeTags.begin(), block->attributeTags.end(), tag) ==
            block->attributeTags.end()) {
          block->attributeTags.push_back(tag);
        }
      }
    }
  }
  for (BlockDefinition& block : doc_.blocks) {
    if (block.entities.empty()) AddPlaceholderGeometry(block);
  }
}

void Builder::NameBlock() {
  const std::string designation = PartDesignation(doc_.part);
  doc_.part.blockName = DxfName(designation);
  if (doc_.part.blockName != designation)
    Report(AuditCode::DxfName,
           "\"" + designation + "\" is no DXF name; the part's block is named \"" +
               doc_.part.blockName + "\"",
           "part " + doc_.part.name, true);
}

void Builder::Complete() {
  CompleteAnnotations();
  if (doc_.part.removeDimension) {
    RemoveEntities(doc_, [](const Entity& entity, const EntityRef&) {
      return std::holds_alternative<DimensionShape>(entity.shape);
    });
  }
  CompleteBlocks();
  AuditDocument(doc_);
  if (doc_.part.makeBlock) NameBlock();
  if (doc_.part.makeBlock && !doc_.groups.empty()) {
    // A drawing's groups hold entities of its model space, not of a block.
    Report(
        AuditCode::GroupInBlock,
        "the part is made a block: its groups stay in the document but are not written as groups",
        "part " + doc_.part.name, false);
  }
  if (doc_.part.groupPart) {
    Group part{doc_.part.name.empty() ? "PART" : doc_.part.name, doc_.part.id, {}, true};
    for (size_t v = 0; v < doc_.views.size(); ++v) {
      for (size_t e = 0; e < doc_.views[v].entities.size(); ++e)
        part.members.push_back({v, e});
    }
    doc_.groups.push_back(std::move(part));
  }
  CollectLayers(doc_, nonPrinting_,
                options_.layerStyles ? *options_.layerStyles : LayerStyleTable::Standard(),
                options_.thickLineWidth);
  SetLineTypeScales(doc_);
  ClearDimensionTexts(doc_);
  FindTextOverlaps(doc_);
  AuditNames(doc_);
  if (options_.baseAtOrigin) doc_.part.basePoint = {};
  LayOutViews(doc_, options_.viewGap * doc_.dimStyle.scale, options_.projection);
}

}  // namespace

Document BuildDocument(const MemoryObject& session, const BuildOptions& options) {
  if (!IsThickLineWidth(options.thickLineWidth))
    throw std::invalid_argument("the thick line width " + FormatNumber(options.thickLineWidth) +
                                " mm is not one of 0.35, 0.5, 0.7, 1");
  return Builder(session, options).Run();
}

}  // namespace qzdbs::server
