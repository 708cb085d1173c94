// What the selection model tests share: a fresh engine and computation
// state per test, a memory host session, message boxes recorded, preview
// pictures and block files in a scratch folder, libraries made from SQL, and
// a stand-in for the dialogs the selection dialog opens.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/MessageService.h"
#include "host/memory/MemoryHost.h"
#include "support/ScratchLibrary.h"
#include "ui/Catalogue.h"
#include "ui/SubDialogs.h"
#include "ui/frmAttribute.h"
#include "ui/frmColumnShow.h"
#include "ui/frmPartSel.h"
#include "ui/frmStructPara.h"

namespace qzdbs::test {

// The dialogs the selection dialog opens, shown by running a hook (when
// set) and then closed as the user would.
class StandInDialogs : public ui::SubDialogs {
 public:
  std::function<void(ui::frmStructPara&)> onStructPara;
  std::function<void(ui::frmAttribute&)> onAttribute;
  std::function<void(ui::frmParaShow&)> onParaShow;
  std::function<void(ui::frmStructShow&)> onStructShow;
  int shown = 0;

  void Show(ui::frmStructPara& dialog) override { Run(onStructPara, dialog); }
  void Show(ui::frmAttribute& dialog) override { Run(onAttribute, dialog); }
  void Show(ui::frmParaShow& dialog) override { Run(onParaShow, dialog); }
  void Show(ui::frmStructShow& dialog) override { Run(onStructShow, dialog); }

 private:
  template <class Dialog>
  void Run(const std::function<void(Dialog&)>& hook, Dialog& dialog) {
    ++shown;
    if (hook) hook(dialog);
    dialog.Close();
  }
};

class SelectionTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A library of the three sample parts (bolt 1, lock washer 2, flange 3)
  // with `extraSql` run after them.
  std::unique_ptr<ScratchLibrary> SampleLibrary(const std::string& extraSql = {},
                                                const std::string& fileName = "sample.qzlib");
  std::shared_ptr<const ui::Catalogue> CatalogueOf(const std::vector<std::string>& paths);
  // A loaded selection dialog over the libraries.
  std::unique_ptr<ui::frmPartSel> OpenDialog(const std::vector<std::string>& paths);

  const std::vector<MessageBoxRecord>& Boxes() const { return messages->Boxes(); }
  // The texts of the boxes shown, as "title text" lines.
  std::vector<std::string> BoxTexts() const;

  // The session's entries of a dictionary member (PartProperties,
  // InputParameters) as name -> value.
  std::vector<std::pair<std::string, std::string>> Dictionary(const std::string& member) const;
  // The names of the views handed to the session.
  std::vector<std::string> SessionViewNames() const;
  bool SessionFlag(const std::string& member) const;

  std::shared_ptr<RecordingMessageService> messages;
  std::shared_ptr<MemoryComponent> component;
  std::shared_ptr<MemoryObject> session;
  ScratchDir scratch;
  StandInDialogs dialogs;
};

}  // namespace qzdbs::test
