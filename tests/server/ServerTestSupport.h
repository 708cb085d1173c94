// Helpers of the drawing server's tests: sessions built by hand through the
// host classes or played from lines, and ezdxf as the independent reader of
// written DXF files.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/HostClasses.h"
#include "host/memory/MemoryHost.h"
#include "server/Document.h"
#include "support/Ezdxf.h"
#include "support/ScratchLibrary.h"

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
    object.ID(id);
    object.Name("E" + std::to_string(id));
    if constexpr (std::is_base_of_v<DbEntity, T>) {
      object.LayerName(layer);
      object.Color(256);
      object.Visible(true);
      object.IsAssist(false);
      object.IsMatchProp(false);
    }
    const int32_t sequence = ++sequences_[view.Object().get()];
    object.Sequence(sequence);
    view.AddEntity("X" + std::to_string(sequence), object);
    return object;
  }

  DbLine AddLine(const DbView& view, int32_t id, const Point3& a, const Point3& b,
                 const std::string& layer = "0");
  DbCircle AddCircle(const DbView& view, int32_t id, const Point3& c, double r,
                     const std::string& layer = "0");

  // Fills the session from lines (the format of tests/data/server/cases); the
  // first line it does not know is returned, or "".
  std::string Play(const std::vector<std::string>& lines);

  Document Build() const;

  std::shared_ptr<MemoryComponent> component;
  std::shared_ptr<MemoryObject> session;

 private:
  std::map<const HostObject*, int32_t> sequences_;
};

// tests/data/server/sample.session: every kind of object the host receives,
// the document of the exporter and golden tests; as a block, the part made a
// group and a block.
void FillSamplePart(SessionBuilder& builder, bool asBlock = false);

// Every file exporter by its extension; pictures 1200 pixels wide.
struct FileExporter {
  const char* extension;
  std::function<void(const Document&, const std::filesystem::path&)> write;
};
const std::vector<FileExporter>& FileExporters();

using qzdbs::test::InspectWithEzdxf;
using qzdbs::test::ReadText;
using qzdbs::test::RunCommand;
using qzdbs::test::ScratchDir;

}  // namespace qzdbs::server::test
