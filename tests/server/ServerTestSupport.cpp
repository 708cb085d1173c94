// Session building, scratch folders and the ezdxf bridge for the server tests.
#include "ServerTestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "server/document/DocumentBuilder.h"
#include "support/TestPaths.h"

namespace qzdbs::server::test {

SessionBuilder::SessionBuilder()
    : component(MemoryComponent::Make()), session(component->NewObject("QZdbSPart")) {}

DbView SessionBuilder::AddView(const std::string& name, int32_t id, const Point3& basePoint,
                               const std::string& assistName) {
  DbView view = CreateHostObject<DbView>(*component);
  view.Name(name);
  view.ID(id);
  view.Sequence(id);
  view.AssistViewName(assistName);
  view.BasePoint(basePoint);
  Part().AddView(view);
  return view;
}

int32_t SessionBuilder::NextSequence(const DbView& view) {
  return ++sequences_[view.Object().get()];
}

DbLine SessionBuilder::AddLine(const DbView& view, int32_t id, const Point3& a, const Point3& b,
                               const std::string& layer) {
  DbLine line = Add<DbLine>(view, id, layer);
  line.StartPoint(a);
  line.EndPoint(b);
  return line;
}

DbCircle SessionBuilder::AddCircle(const DbView& view, int32_t id, const Point3& c, double r,
                                   const std::string& layer) {
  DbCircle circle = Add<DbCircle>(view, id, layer);
  circle.CenterPoint(c);
  circle.Radius(r);
  return circle;
}

Document SessionBuilder::Build() const {
  return BuildDocument(*session);
}

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("qzdbs-server-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  // QZDBS_KEEP_SCRATCH keeps the files for a look after the test.
  if (std::getenv("QZDBS_KEEP_SCRATCH")) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

int FileCount(const std::filesystem::path& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    (void)entry;
    ++count;
  }
  return count;
}

const Entity& EntityByKey(const Document& document, const std::string& key, size_t view) {
  for (const Entity& entity : document.views.at(view).entities) {
    if (entity.key == key && entity.madeBy.empty()) return entity;
  }
  ADD_FAILURE() << "no entity " << key;
  static const Entity none;
  return none;
}

}  // namespace qzdbs::server::test
