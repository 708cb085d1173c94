// Helpers of the drawing server's tests: sessions built by hand through the
// host classes, and ezdxf as the independent reader of written DXF files.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "host/HostClasses.h"
#include "host/memory/MemoryHost.h"
#include "server/Document.h"
#include "support/Ezdxf.h"

namespace qzdbs::server::test {

// A session that the test fills as the engine would: views handed to the
// session, objects added to a view under "X" & sequence.
class SessionBuilder {
 public:
  SessionBuilder();

  QZdbSPart Part() const { return QZdbSPart(session); }
  DbView AddView(const std::string& name, int32_t id, const Point3& basePoint = {0, 0, 0},
                 const std::string& assistName = "");

  // A new object of class T in the view with the common attributes set.
  template <typename T>
  T Add(const DbView& view, int32_t id, const std::string& layer = "0") {
    T object = CreateHostObject<T>(*component);
    int32_t sequence = NextSequence(view);
    if constexpr (std::is_base_of_v<DbEntity, T>) {
      object.ID(id);
      object.Name("E" + std::to_string(id));
      object.LayerName(layer);
      object.Color(256);
      object.Visible(true);
      object.IsAssist(false);
      object.IsMatchProp(false);
    } else {
      object.ID(id);
      object.Name("E" + std::to_string(id));
    }
    object.Sequence(sequence);
    view.AddEntity("X" + std::to_string(sequence), object);
    return object;
  }

  DbLine AddLine(const DbView& view, int32_t id, const Point3& a, const Point3& b,
                 const std::string& layer = "0");
  DbCircle AddCircle(const DbView& view, int32_t id, const Point3& c, double r,
                     const std::string& layer = "0");

  Document Build() const;

  std::shared_ptr<MemoryComponent> component;
  std::shared_ptr<MemoryObject> session;

 private:
  int32_t NextSequence(const DbView& view);
  std::map<const HostObject*, int32_t> sequences_;
};

// A scratch folder of its own for one test, removed with it.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

using qzdbs::test::InspectWithEzdxf;
using qzdbs::test::RunCommand;

std::string ReadText(const std::filesystem::path& file);

// How many entries a folder holds.
int FileCount(const std::filesystem::path& folder);

// The entity of the first view with the key, or the test fails.
const Entity& EntityByKey(const Document& document, const std::string& key, size_t view = 0);

}  // namespace qzdbs::server::test
