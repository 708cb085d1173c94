// The selection model tests' shared fixture.
#include "SelectionHarness.h"

#include "db/LibraryDB.h"
#include "engine/IQZdbEngine.h"
#include "host/HostClasses.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"

namespace qzdbs::test {

void SelectionTest::SetUp() {
  Engine() = EngineState{};
  Compute() = ComputeState{};
  messages = std::make_shared<RecordingMessageService>();
  Engine().messages = messages;
  component = MemoryComponent::Make();
  session = component->NewObject("QZdbSPart");
  session->Preset("DrawScale", 1.0);
  session->Preset("BlockFolder", scratch.Folder());
  IQZdbEngine().QZdbSPart(session);
}

void SelectionTest::TearDown() {
  CloseLibraryDB();
  Engine() = EngineState{};
  Compute() = ComputeState{};
}

std::unique_ptr<ScratchLibrary> SelectionTest::SampleLibrary(const std::string& extraSql,
                                                             const std::string& fileName) {
  return std::make_unique<ScratchLibrary>(SampleLibrarySql() + extraSql, fileName);
}

std::shared_ptr<const ui::Catalogue> SelectionTest::CatalogueOf(
    const std::vector<std::string>& paths) {
  auto catalogue = std::make_shared<ui::Catalogue>();
  catalogue->Load(paths);
  return catalogue;
}

std::unique_ptr<ui::frmPartSel> SelectionTest::OpenDialog(const std::vector<std::string>& paths) {
  return std::make_unique<ui::frmPartSel>(CatalogueOf(paths), dialogs,
                                          scratch.Folder() + "WMFtemp.wmf");
}

std::vector<std::string> SelectionTest::BoxTexts() const {
  std::vector<std::string> texts;
  for (const auto& box : Boxes())
    texts.push_back(box.title + " " + box.text);
  return texts;
}

std::vector<std::pair<std::string, std::string>> SelectionTest::Dictionary(
    const std::string& member) const {
  auto value = session->Get(member);
  auto* object = std::get_if<std::shared_ptr<HostObject>>(&value);
  if (!object) return {};
  auto dictionary = std::dynamic_pointer_cast<MemoryObject>(*object);
  if (!dictionary) return {};
  return dictionary->Entries();
}

std::vector<std::string> SelectionTest::SessionViewNames() const {
  std::vector<std::string> names;
  for (const auto& view : session->Views())
    names.push_back(HostValueAs<std::string>(view->Get("Name")));
  return names;
}

bool SelectionTest::SessionFlag(const std::string& member) const {
  return HostValueAs<bool>(session->Get(member));
}

}  // namespace qzdbs::test
