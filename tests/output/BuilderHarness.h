// The state a builder runs in, made by hand: a memory host session with one
// view, computed points and structure parameters, layers, and a part library
// built from SQL whose reader fills the entity's parameters.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/MessageService.h"
#include "db/colEntityList.h"
#include "host/HostObject.h"
#include "host/memory/MemoryHost.h"
#include "host/recording/Recording.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::test {

class BuilderTest : public ::testing::Test {
 protected:
  static constexpr int32_t kPart = 7;
  static constexpr int32_t kSequence = 5;
  static constexpr int32_t kLayer = 2;

  void SetUp() override;
  void TearDown() override;

  // Makes the part library from these rows (part kPart) and opens the
  // definition reader on it. The block folder is the library's folder.
  void Library(const std::string& rows);

  // A computed point "P.<id>" and a computed structure parameter "S.<id>"
  // (key "S." & name), as the computation registers them.
  void Point(int32_t id, const Point3& value);
  void Struct(int32_t id, const std::string& name, const std::string& value);

  // The entity record a builder gets, on layer kLayer unless told otherwise.
  clsEntityList Entity(int32_t id, const std::string& name, int32_t layer = kLayer) const;

  // What reached the view, and the message boxes shown.
  std::vector<RecordedObject> Objects() const;
  // The only object in the view; fails the test when there is not exactly one.
  std::optional<RecordedObject> Only() const;
  const std::vector<MessageBoxRecord>& Boxes() const { return messages_->Boxes(); }

  // The events of an object, one line each ("set Height 2.5").
  static std::vector<std::string> Lines(const RecordedObject& object);
  // What OutputCommonEntity sets for Entity(id, name) at kSequence.
  static std::vector<std::string> CommonEntityLines(int32_t id, const std::string& name);
  // What OutputCommonObject sets.
  static std::vector<std::string> CommonObjectLines(int32_t id, const std::string& name);

 private:
  std::shared_ptr<RecordingMessageService> messages_;
  std::shared_ptr<MemoryComponent> component_;
  std::shared_ptr<MemoryObject> session_;
  std::unique_ptr<ScratchLibrary> library_;
};

}  // namespace qzdbs::test
