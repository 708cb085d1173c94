// A drawing run set up by hand: PartID 7 of a library built from SQL, the
// shared connection and the definition reader open on it, a memory host
// session that keeps every object it is handed, and a message recorder.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/MessageService.h"
#include "host/memory/MemoryHost.h"
#include "host/recording/Recording.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::test {

// A memory host that also remembers every object it creates, so that a test
// can look into a view that never reached the session.
class TrackingComponent : public MemoryComponent {
 public:
  std::shared_ptr<HostObject> CreateObject(std::string_view className) override;
  // The objects of a class, in the order they were created.
  std::vector<std::shared_ptr<MemoryObject>> Created(std::string_view className) const;
  // Lets the objects go: each holds its component, so keeping them would keep
  // both alive for ever.
  void Forget() { created_.clear(); }

 private:
  std::vector<std::shared_ptr<MemoryObject>> created_;
};

// Rows of PartID 7 (text arguments are SQL literals' contents, quotes doubled
// by the caller where needed).
std::string StructRow(int id, const std::string& name, const std::string& expression,
                      int isExpression, int position);
std::string PointRow(int id, const std::string& name, const std::string& x, const std::string& y,
                     const std::string& z, int position);
std::string PropertyRows(int id, const std::string& name, const std::string& value,
                         int isExpression);
std::string EntityRow(int id, int type, const std::string& name, int layer,
                      const std::string& filter, int position);
// A line entity (type 1, layer 2) with its parameter row.
std::string LineRows(int id, int from, int to, int position, const std::string& filter = "1");
std::string ViewRow(int id, const std::string& name, int basePoint, int position);
std::string ViewEntityRow(int view, int entity);
// The part itself: name "测试件", GUID A1@B2@C3@D4, base point `basePoint`,
// and the layer table (2 "轮廓线").
std::string PartRows(int basePoint = 1);

class PipelineTest : public ::testing::Test {
 protected:
  static constexpr int32_t kPart = 7;

  void SetUp() override;
  void TearDown() override;

  // Builds the library from the schema and these rows, opens the shared
  // connection on it and prepares the computation (InitComp).
  void Library(const std::string& rows);
  // The same with a whole library and any of its parts.
  void Open(const std::string& sql, int32_t part);
  // A design parameter in the next grid column, as the selection dialog adds it.
  void Design(const std::string& name, const std::string& value);
  void ChooseView(int32_t id, const std::string& name);
  void Options(const std::array<bool, 5>& checked);
  // ComputeAll (expected to succeed), LoadAllLayers, then DrawPart's result.
  bool ComputeAndDraw();

  Recording Run() const;
  const std::vector<MessageBoxRecord>& Boxes() const { return messages_->Boxes(); }
  void ClearBoxes() { messages_->Clear(); }
  // The boxes as "title|text".
  std::vector<std::string> BoxLines() const;
  std::string LibraryPath() const { return library_->Path(); }
  const TrackingComponent& Host() const { return *component_; }
  const MemoryObject& Session() const { return *session_; }

  // Events as "set Name \"x\"" lines.
  static std::vector<std::string> Lines(const std::vector<RecordedEvent>& events);
  // The keys of a view's objects with the ID each object was given: "X1=10".
  static std::vector<std::string> Keys(const RecordedView& view);
  static std::vector<std::string> Keys(const MemoryObject& view);

 private:
  std::shared_ptr<RecordingMessageService> messages_;
  std::shared_ptr<TrackingComponent> component_;
  std::shared_ptr<MemoryObject> session_;
  std::unique_ptr<ScratchLibrary> library_;
  int32_t columns_ = 0;
};

}  // namespace qzdbs::test
