// Every scenario of the selection dialog in tests/data/ui/*.cases, played on
// the dialog's model by one runner; the case file's head says what its lines
// mean.
#include <filesystem>
#include <sstream>

#include "SelectionHarness.h"
#include "host/HostClasses.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "support/CaseFile.h"

namespace qzdbs::test {
namespace {

using Button = ui::frmPartSel::Button;

// "a b" -> {"a", "b"}; "\r" and "\x7f" in the rest stand for those characters.
std::pair<std::string, std::string> Split(const std::string& line) {
  const size_t space = line.find(' ');
  std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
  for (const auto& [escape, character] : {std::pair{"\\r", "\r"}, std::pair{"\\x7f", "\x7f"}})
    if (rest == escape) rest = character;
  return {line.substr(0, space), rest};
}

std::string Join(const std::vector<std::string>& texts) {
  std::string joined;
  for (const auto& text : texts)
    joined += (joined.empty() ? "" : " | ") + text;
  return joined;
}

class SelectionCases : public SelectionTest {
 protected:
  void Run(const CaseFileCase& c) {
    for (const auto& line : c.input) {
      const auto [verb, rest] = Split(line);
      if (verb == "sample") {
        dialog.reset();
        library = SampleLibrary(rest);
        Open();
      } else if (verb == "?") {
        transcript.push_back(rest + " = " + Query(rest));
      } else {
        Act(verb, rest);
      }
    }
  }

  void Act(const std::string& verb, const std::string& rest) {
    auto& d = *dialog;
    const auto said = [&](bool done) { transcript.push_back(verb + " = " + (done ? "1" : "0")); };
    if (verb == "part")
      said(d.ChoosePart(library->Path(), std::stoi(rest)));
    else if (verb == "draw")
      said(d.cmd_Draw());
    else if (verb == "prepare")
      said(d.PrepareComputation());
    else if (verb == "select") {
      std::istringstream at(rest);
      int32_t r1, c1, r2, c2;
      at >> r1 >> c1 >> r2 >> c2;
      d.fgd_InputPara().Select(r1, c1, r2, c2);
    } else if (verb == "cell")
      d.SelectCell(std::stoi(rest), ColumnOf(Split(rest).second));
    else if (verb == "key")
      d.GridKeyPress(rest);
    else if (verb == "dblclick")
      d.GridDoubleClick();
    else if (verb == "type")
      d.EditorTextChanged(rest);
    else if (verb == "enter")
      d.EditorEnter();
    else if (verb == "escape")
      d.EditorEscape();
    else if (verb == "tab" || verb == "backtab")
      d.EditorTab(verb == "backtab");
    else if (verb == "lostfocus")
      d.EditorLostFocus();
    else if (verb == "scroll")
      d.GridScrolled();
    else if (verb == "allviews")
      d.cmd_SelAllView();
    else if (verb == "noviews")
      d.cmd_DelAllView();
    else if (verb == "tick")
      d.CheckView(std::stoi(rest), true);
    else if (verb == "click")
      d.ClickView(std::stoi(rest));
    else if (verb == "option")
      d.SetChkOut(std::stoi(rest), true);
    else if (verb == "cancel")
      d.cmd_Cancel();
    else if (verb == "result")
      Engine().GenerateResult = static_cast<int16_t>(std::stoi(rest));
    else
      ADD_FAILURE() << "unknown line " << verb;
  }

  std::string Query(const std::string& what) {
    const auto& grid = dialog->fgd_InputPara();
    const auto [kind, arg] = Split(what);
    std::vector<std::string> texts;
    if (kind == "grid") {
      for (int32_t c = 0; c < grid.Cols(); ++c)
        texts.push_back(grid.TextMatrix(std::stoi(arg), c));
    } else if (kind == "widths") {
      for (int32_t c = 0; c < grid.Cols(); ++c)
        texts.push_back(std::to_string(grid.ColWidth(c)));
    } else if (kind == "rows") {
      return std::to_string(grid.Rows()) + " (" + std::to_string(dialog->RowIDs().size()) + " ids)";
    } else if (kind == "selection") {
      for (int32_t at : {grid.Row(), grid.RowSel(), grid.Col(), grid.ColSel()})
        texts.push_back(std::to_string(at));
    } else if (kind == "editor") {
      return dialog->txtEdit().Visible() ? "[" + dialog->txtEdit().Text() + "]" : "hidden";
    } else if (kind == "col") {
      return grid.TextMatrix(0, grid.Col());
    } else if (kind == "views") {
      for (const auto& item : dialog->lvw_PartVeiw().Items())
        texts.push_back(item.key + " " + item.text + " " + std::to_string(item.tag) +
                        (item.checked ? " +" : " -"));
      texts.push_back(dialog->lvw_PartVeiw().Enabled() ? "enabled" : "disabled");
      texts.push_back("selected " + std::to_string(dialog->lvw_PartVeiw().Selected()));
    } else if (kind == "usable") {
      for (Button button : {Button::SelAllView, Button::DelAllView, Button::Next, Button::Property,
                            Button::ParaShow, Button::Draw, Button::Cancel})
        if (dialog->Enabled(button)) texts.push_back(ui::frmPartSel::ControlName(button));
    } else if (kind == "picture") {
      const std::string path = dialog->PicturePath();
      if (path.empty()) return "none";
      return (path == scratch.Folder() + "WMFtemp.wmf" && std::filesystem::file_size(path) > 0
                  ? "written, revision "
                  : path + ", revision ") +
             std::to_string(dialog->PictureRevision());
    } else if (kind == "box") {
      boxesSeen = Boxes().size();
      return boxesSeen ? std::string(IconName(Boxes().back().icon)) + " " + BoxTexts().back() : "";
    } else if (kind == "boxes") {
      for (size_t i = boxesSeen; i < Boxes().size(); ++i)
        texts.push_back(std::string(IconName(Boxes()[i].icon)) + " " + BoxTexts()[i]);
      boxesSeen = Boxes().size();
    } else if (kind == "session") {
      for (const auto& view : session->Views())
        texts.push_back(HostValueAs<std::string>(view->Get("Name")) + " " +
                        std::to_string(view->Entities().size()));
      for (const char* flag :
           {"RemoveDimension", "AllowMove", "GroupPart", "MakeBlock", "HideBackground"})
        if (SessionFlag(flag)) texts.push_back(flag);
    } else if (kind == "inputs") {
      for (const auto& [name, value] : Dictionary("InputParameters"))
        texts.push_back(name + "=" + value);
    } else if (kind == "options") {
      for (int32_t i = 1; i <= Engine().OutputOptions.Count(); ++i)
        texts.push_back(Engine().OutputOptions.At(i)->first);
    } else if (kind == "design" && arg.empty()) {
      return std::to_string(Compute().DesignParas->Count());
    } else if (kind == "design") {
      const auto item = Compute().DesignParas->Item(arg);
      if (!item) return "none";
      return item->ParaValue + " done " + std::to_string(item->isDoneCalValue) + " expression " +
             std::to_string(item->IsExpression) + " tag " + item->TagStr + " visible " +
             std::to_string(item->Visible);
    } else if (kind == "key") {
      std::string key;
      return Compute().DesignParas->getKey(arg, key) ? key : "none";
    } else if (kind == "state") {
      const bool here = Engine().LibraryPath == library->Path() &&
                        Engine().LibraryConnectString == library->ConnectionString();
      return "part " + std::to_string(Engine().CurrentPartID) + (here ? "" : " elsewhere") +
             ", result " + std::to_string(Engine().GenerateResult) + ", " +
             std::to_string(dialog->ParaNames().Count()) + " names" +
             (dialog->IsLoaded() ? ", open" : ", closed " + std::to_string(closings)) +
             (Compute().StructParas || Compute().ComputeDB ? ", computed" : "");
    } else {
      ADD_FAILURE() << "unknown query " << what;
    }
    return Join(texts);
  }

  void Open() {
    dialog = OpenDialog({library->Path()});
    closings = 0;
    dialog->Changed().Connect([this](ui::frmPartSel::Change change) {
      closings += change == ui::frmPartSel::Change::Closed;
    });
  }

  int32_t ColumnOf(const std::string& name) const {
    const auto& grid = dialog->fgd_InputPara();
    for (int32_t c = 1; c < grid.Cols(); ++c)
      if (grid.TextMatrix(0, c) == name) return c;
    ADD_FAILURE() << "no column " << name;
    return 1;
  }

  std::unique_ptr<ScratchLibrary> library;
  std::unique_ptr<ui::frmPartSel> dialog;
  std::vector<std::string> transcript;
  size_t boxesSeen = 0;
  int closings = 0;
};

TEST_F(SelectionCases, EveryCaseOfTheCaseFiles) {
  size_t count = 0;
  for (const auto& file : CaseFiles("ui", ".cases")) {
    CaseBless bless(file);
    for (const auto& c : ReadCaseFile(file)) {
      SCOPED_TRACE(file.filename().string() + ": " + c.name);
      dialog.reset();
      library.reset();
      TearDown();
      SetUp();
      boxesSeen = 0;
      transcript.clear();
      library = SampleLibrary();
      Open();
      Run(c);
      EXPECT_EQ(transcript, c.expected);
      bless.Write(c, transcript);
      ++count;
    }
  }
  EXPECT_GE(count, 20u);
}

}  // namespace
}  // namespace qzdbs::test
