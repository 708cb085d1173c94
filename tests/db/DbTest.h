// What every library database test shares: a recorder for message boxes, a
// clean library connection and block folder, and libraries built from the
// schema plus the rows a test needs.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/MessageService.h"
#include "db/LibraryDB.h"
#include "state/EngineState.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::test {

class DbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    messages_ = std::make_shared<RecordingMessageService>();
    Engine().messages = messages_;
    Engine().LibraryConnection.reset();
    Engine().BlockFolder.clear();
  }
  void TearDown() override {
    CloseLibraryDB();
    Engine().messages.reset();
  }

  // A library of the schema and `rows`.
  static ScratchLibrary Library(const std::string& rows) {
    return ScratchLibrary(SchemaSql() + rows);
  }

  // Opens the shared connection on a library.
  static void OpenShared(const ScratchLibrary& library) {
    ASSERT_TRUE(OpenLibraryDB(library.Folder(), library.Path(), kLibraryPassword));
  }

  const std::vector<MessageBoxRecord>& Boxes() const { return messages_->Boxes(); }
  void ClearBoxes() { messages_->Clear(); }

  void ExpectNoBox() const {
    EXPECT_TRUE(Boxes().empty()) << "first box: " << Boxes().front().title << " "
                                 << Boxes().front().text;
  }
  // Exactly one box with this icon and title; its text is returned.
  std::string ExpectOneBox(MsgIcon icon, const std::string& title) const {
    EXPECT_EQ(Boxes().size(), 1u);
    if (Boxes().empty()) return {};
    EXPECT_EQ(Boxes().front().icon, icon) << Boxes().front().text;
    EXPECT_EQ(Boxes().front().title, title) << Boxes().front().text;
    return Boxes().front().text;
  }

 private:
  std::shared_ptr<RecordingMessageService> messages_;
};

}  // namespace qzdbs::test
