// Replacing control characters everywhere a document holds a string.
#include "server/document/ControlCharacters.h"

#include <algorithm>

namespace qzdbs::server {

namespace {

bool IsControl(char c, bool lineBreakAllowed) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte < 0x20 || byte == 0x7F) && !(lineBreakAllowed && c == '\n');
}

class Cleaner {
 public:
  explicit Cleaner(Document& document) : document_(document) {}

  // Replaces; true when anything was replaced.
  static bool Clean(std::string& text, bool isName) {
    bool changed = false;
    for (char& c : text) {
      if (!IsControl(c, !isName)) continue;
      c = isName ? '_' : ' ';
      changed = true;
    }
    return changed;
  }

  // Cleans `text` and records in `changed` whether anything was replaced;
  // every string is cleaned, so the flag never short-circuits the work.
  static void Clean(std::string& text, bool isName, bool& changed) {
    if (Clean(text, isName)) changed = true;
  }

  // `kind` and the cleaned name say where.
  void Name(std::string& name, const std::string& kind) {
    const bool changed = Clean(name, true);
    Report(changed, kind + " " + name);
  }
  void Text(std::string& text, const std::string& where) { Report(Clean(text, false), where); }

  static void Runs(RichText& runs, bool& changed) {
    for (TextRun& run : runs) {
      Clean(run.text, false, changed);
      Clean(run.upper, false, changed);
      Clean(run.lower, false, changed);
    }
  }

  static void Sketch(server::Sketch& sketch, bool& changed) {
    for (TextShape& text : sketch.texts) {
      Runs(text.runs, changed);
      Clean(text.style, true, changed);
    }
  }

  void Entity(server::Entity& entity, const std::string& where) {
    bool changed = false;
    Clean(entity.name, true, changed);
    Clean(entity.layer, true, changed);
    std::visit(
        [&](auto& s) {
          using T = std::decay_t<decltype(s)>;
          if constexpr (std::is_same_v<T, TextShape>) {
            Runs(s.runs, changed);
            Clean(s.style, true, changed);
          } else if constexpr (std::is_same_v<T, HatchShape>) {
            Clean(s.pattern, true, changed);
          } else if constexpr (std::is_same_v<T, DimensionShape>) {
            DimAttributes& a = s.attributes;
            Clean(a.styleName, true, changed);
            Clean(a.textString, false, changed);
            Clean(a.tolCode, false, changed);
            Clean(a.tolUnit, false, changed);
            Runs(s.text, changed);
            Sketch(s.graphics, changed);
          } else if constexpr (std::is_same_v<T, LeaderShape>) {
            Sketch(s.graphics, changed);
          } else if constexpr (std::is_same_v<T, InsertShape>) {
            Clean(s.blockName, true, changed);
            for (auto& [tag, value] : s.attributes) {
              Clean(tag, true, changed);
              Clean(value, false, changed);
            }
          }
        },
        entity.shape);
    Report(changed, where + entity.key + " " + entity.className);
  }

  void Run() {
    Name(document_.part.name, "part");
    for (auto& [name, value] : document_.part.properties) {
      Name(name, "part property");
      Text(value, "part property " + name);
    }
    for (auto& [name, value] : document_.part.inputParameters) {
      Name(name, "input parameter");
      Text(value, "input parameter " + name);
    }
    for (Layer& layer : document_.layers) {
      Name(layer.name, "layer");
      Name(layer.lineType, "line type of layer " + layer.name);
    }
    for (std::string& style : document_.textStyles)
      Name(style, "text style");
    Name(document_.dimStyle.name, "dimension style");
    for (View& view : document_.views) {
      Name(view.name, "view");
      Name(view.assistName, "view " + view.name);
      for (server::Entity& entity : view.entities)
        Entity(entity, "view " + view.name + ", ");
    }
    for (BlockDefinition& block : document_.blocks) {
      Name(block.name, "block");
      for (std::string& tag : block.attributeTags)
        Name(tag, "attribute tag of block " + block.name);
      for (server::Entity& entity : block.entities)
        Entity(entity, "block " + block.name + ", ");
    }
    for (Group& group : document_.groups)
      Name(group.name, "group");
  }

 private:
  void Report(bool changed, const std::string& where) {
    if (!changed) return;
    document_.findings.push_back(
        Finding{AuditCode::ControlCharacter, "control characters replaced", where, true});
  }

  Document& document_;
};

}  // namespace

void ReplaceControlCharacters(Document& document) {
  Cleaner(document).Run();
}

}  // namespace qzdbs::server
