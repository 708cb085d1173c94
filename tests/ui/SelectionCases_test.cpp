// Every scenario of the selection dialog and the dialogs it opens, in
// tests/data/ui/*.cases, played on the dialogs' models by one runner; the
// case file's head says what its lines mean.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "db/LibraryDB.h"
#include "db/recordset/Connection.h"
#include "engine/IQZdbEngine.h"
#include "host/HostClasses.h"
#include "host/memory/MemoryHost.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "support/CaseFile.h"
#include "support/ScratchLibrary.h"
#include "support/TestPaths.h"
#include "ui/ScriptedDialog.h"
#include "ui/SubDialogs.h"
#include "ui/frmAttribute.h"
#include "ui/frmColumnShow.h"
#include "ui/frmPartSel.h"
#include "ui/frmStructPara.h"

namespace qzdbs::test {
namespace {

using Button = ui::frmPartSel::Button;

// "a b" -> {"a", "b"}; "\r" and "\x7f" as the rest stand for those characters.
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

// The column of the grid whose heading in `row` is `name`.
int32_t ColumnOf(const ui::GridModel& grid, const std::string& name, int32_t row = 0) {
  for (int32_t c = 1; c < grid.Cols(); ++c)
    if (grid.TextMatrix(row, c) == name) return c;
  ADD_FAILURE() << "no column " << name;
  return 1;
}

void Select(ui::GridModel& grid, const std::string& rows) {
  std::istringstream at(rows);
  int32_t r1, c1, r2, c2;
  at >> r1 >> c1 >> r2 >> c2;
  grid.Select(r1, c1, r2, c2);
}

// A session whose UpdatePart fails a given number of times, as a host that
// refuses a part does: the drawing pass then fails.
class RefusingSession : public HostObject {
 public:
  RefusingSession(std::shared_ptr<MemoryObject> inner, int refusals)
      : inner_(std::move(inner)), refusals_(refusals) {}
  const std::string& ClassName() const override { return inner_->ClassName(); }
  void Set(std::string_view member, HostValue value) override {
    inner_->Set(member, std::move(value));
  }
  HostValue Get(std::string_view member) const override { return inner_->Get(member); }
  void Call(std::string_view member, std::vector<HostValue>& args) override {
    if (member == "UpdatePart" && refusals_ > 0) {
      --refusals_;
      throw HostError("the host refused the part");
    }
    inner_->Call(member, args);
  }
  std::shared_ptr<HostComponent> Component() const override { return inner_->Component(); }

 private:
  std::shared_ptr<MemoryObject> inner_;
  int refusals_;
};

// The dialog a line acts on: the selection dialog, or one it opened.
struct Form {
  ui::frmStructPara* structPara = nullptr;
  ui::frmColumnShow* show = nullptr;
  ui::frmAttribute* attribute = nullptr;
};

// The dialogs the selection dialog opens play their lines, then close as the
// user would.
class SelectionCases : public ::testing::Test, private ui::SubDialogs {
 protected:
  void Show(ui::frmStructPara& form) override {
    Replay("struct", {&form});
    form.Close();
  }
  void Show(ui::frmParaShow& form) override {
    Replay("parashow", {nullptr, &form});
    form.Close();
  }
  void Show(ui::frmStructShow& f) override {
    Replay("structshow", {nullptr, &f});
    f.Close();
  }
  void Show(ui::frmAttribute& f) override {
    Replay("attribute", {nullptr, nullptr, &f});
    f.Close();
  }

  void SetUp() override {
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
  void TearDown() override {
    dialog.reset();
    CloseLibraryDB();
    Engine() = EngineState{};
    Compute() = ComputeState{};
  }

  std::unique_ptr<ScratchLibrary> SampleLibrary(const std::string& extraSql = {},
                                                const std::string& fileName = "sample.qzlib") {
    return std::make_unique<ScratchLibrary>(SampleLibrarySql() + extraSql, fileName);
  }
  std::shared_ptr<const ui::Catalogue> CatalogueOf(const std::vector<std::string>& paths) {
    auto catalogue = std::make_shared<ui::Catalogue>();
    catalogue->Load(paths);
    return catalogue;
  }
  const std::vector<MessageBoxRecord>& Boxes() const { return messages->Boxes(); }
  std::string BoxText(size_t i) const {
    return std::string(IconName(Boxes()[i].icon)) + " " + Boxes()[i].title + " " + Boxes()[i].text;
  }
  // The session's entries of a dictionary member (PartProperties, InputParameters).
  std::vector<std::pair<std::string, std::string>> Dictionary(const std::string& member) const {
    auto value = session->Get(member);
    auto* object = std::get_if<std::shared_ptr<HostObject>>(&value);
    auto dictionary = object ? std::dynamic_pointer_cast<MemoryObject>(*object) : nullptr;
    return dictionary ? dictionary->Entries() : decltype(dictionary->Entries()){};
  }

  void Run(const CaseFileCase& c) {
    for (const auto& line : c.input) {
      const size_t colon = line.find(": ");
      if (colon != std::string::npos && line.find(' ') > colon)
        hooks.emplace_back(line.substr(0, colon), line.substr(colon + 2));
      else
        Do(line, {});
    }
  }

  // The lines for a dialog, run each time it opens.
  void Replay(const std::string& name, Form form) {
    ++shown;
    for (const auto& [owner, line] : std::vector(hooks))
      if (owner == name) Do(line, form);
  }

  void Do(const std::string& line, Form form) {
    const auto [verb, rest] = Split(line);
    if (verb == "sample" || verb == "sql-file") {
      dialog.reset();
      library = verb == "sample" ? SampleLibrary(rest)
                                 : std::make_unique<ScratchLibrary>(
                                       SchemaSql() + ReadText(TestDataDir() / "libraries" / rest));
      Open();
    } else if (verb == "?") {
      std::string answer = Query(rest, form);
      for (size_t at = 0; (at = answer.find(scratch.Folder(), at)) != std::string::npos;)
        answer.replace(at, scratch.Folder().size(), "@/");
      for (size_t at = 0; (at = answer.find_first_of("\r\n", at)) != std::string::npos;)
        answer.replace(at, 1, answer[at] == '\r' ? "\\r" : "\\n");
      transcript.push_back(rest + " = " + answer);
    } else if (form.structPara) {
      ActOnStructPara(*form.structPara, verb, rest);
    } else if (form.show && verb == "tick") {
      form.show->TickItem(std::stoi(rest), Split(rest).second == "on");
    } else if (form.show && verb == "ok") {
      form.show->cmdEnterShow();
    } else {
      Act(verb, rest);
    }
  }

  void Said(const std::string& verb, bool done) {
    transcript.push_back(verb + " = " + (done ? "1" : "0"));
  }

  void ActOnStructPara(ui::frmStructPara& form, const std::string& verb, const std::string& rest) {
    using Step = std::function<void(ui::frmStructPara&, const std::string&)>;
    static const std::map<std::string, Step> steps = {
        {"column", [](auto& f, auto& name) { f.SelectColumn(ColumnOf(f.fgdStructPara(), name)); }},
        {"select", [](auto& f, auto& rows) { Select(f.fgdStructPara(), rows); }},
        {"key", [](auto& f, auto& key) { f.GridKeyPress(key); }},
        {"type", [](auto& f, auto& text) { f.EditorTextChanged(text); }},
        {"dblclick", [](auto& f, auto&) { f.GridDoubleClick(); }},
        {"lostfocus", [](auto& f, auto&) { f.EditorLostFocus(); }},
        {"scroll", [](auto& f, auto&) { f.GridScrolled(); }},
        {"display", [](auto& f, auto&) { f.cmdSelDisplay(); }},
    };
    if (verb == "compute") return Said(verb, form.ComputeResults());
    if (verb == "draw") return Said(verb, form.cmdDrawStr());
    ASSERT_TRUE(steps.contains(verb)) << "unknown line " << verb;
    steps.at(verb)(form, rest);
  }

  void Act(const std::string& verb, const std::string& rest) {
    using Step = std::function<void(ui::frmPartSel&, const std::string&)>;
    static const std::map<std::string, Step> steps = {
        {"cell",
         [](auto& d, auto& at) {
           d.SelectCell(std::stoi(at), ColumnOf(d.fgd_InputPara(), Split(at).second));
         }},
        {"select", [](auto& d, auto& rows) { Select(d.fgd_InputPara(), rows); }},
        {"row", [](auto& d, auto& row) { d.SelectRow(std::stoi(row)); }},
        {"key", [](auto& d, auto& key) { d.GridKeyPress(key); }},
        {"dblclick", [](auto& d, auto&) { d.GridDoubleClick(); }},
        {"type", [](auto& d, auto& text) { d.EditorTextChanged(text); }},
        {"enter", [](auto& d, auto&) { d.EditorEnter(); }},
        {"escape", [](auto& d, auto&) { d.EditorEscape(); }},
        {"tab", [](auto& d, auto&) { d.EditorTab(false); }},
        {"backtab", [](auto& d, auto&) { d.EditorTab(true); }},
        {"lostfocus", [](auto& d, auto&) { d.EditorLostFocus(); }},
        {"scroll", [](auto& d, auto&) { d.GridScrolled(); }},
        {"allviews", [](auto& d, auto&) { d.cmd_SelAllView(); }},
        {"noviews", [](auto& d, auto&) { d.cmd_DelAllView(); }},
        {"tick", [](auto& d, auto& at) { d.CheckView(std::stoi(at), true); }},
        {"click", [](auto& d, auto& at) { d.ClickView(std::stoi(at)); }},
        {"option", [](auto& d, auto& at) { d.SetChkOut(std::stoi(at), true); }},
        {"next", [](auto& d, auto&) { d.cmdNext(); }},
        {"property", [](auto& d, auto&) { d.cmdProperty(); }},
        {"parashow", [](auto& d, auto&) { d.cmdParaShow(); }},
        {"cancel", [](auto& d, auto&) { d.cmd_Cancel(); }},
        {"result",
         [](auto&, auto& n) { Engine().GenerateResult = static_cast<int16_t>(std::stoi(n)); }},
    };
    if (verb == "refuse") {
      Engine().session = QZdbSPart(std::make_shared<RefusingSession>(session, std::stoi(rest)));
      return;
    }
    if (verb == "run") return RunEngine(std::stoi(rest));
    if (verb == "part") {
      const std::string which = Split(rest).second;
      const std::string path = which == "other"     ? other->Path()
                               : which == "missing" ? scratch.Folder() + "missing.qzlib"
                                                    : library->Path();
      return Said(verb, dialog->ChoosePart(path, std::stoi(rest)));
    }
    if (verb == "other" || verb == "absent") {
      if (verb == "other") other = SampleLibrary(rest, "other.qzlib");
      return Open(
          {library->Path(), verb == "other" ? other->Path() : scratch.Folder() + "absent.qzlib"});
    }
    if (verb == "mark") {
      // A reopen would build the connection string afresh.
      Engine().LibraryConnection->ConnectionString += "Marker=kept;";
      return;
    }
    // The shared connection keeps the file; a computation's own connection
    // cannot find it any more.
    if (verb == "remove") return std::filesystem::remove(library->File()), void();
    if (verb == "draw") return Said(verb, dialog->cmd_Draw());
    if (verb == "prepare") return Said(verb, dialog->PrepareComputation());
    ASSERT_TRUE(steps.contains(verb)) << "unknown line " << verb;
    steps.at(verb)(*dialog, rest);
  }

  // A whole run of the engine with the scripted dialog: the part chosen, then
  // the "play:" lines as its steps.
  void RunEngine(int32_t part) {
    namespace steps = ui::steps;
    ui::DialogScript script;
    script.steps = {steps::ChoosePart(library->Path(), part)};
    for (const auto& [owner, line] : hooks) {
      if (owner != "play") continue;
      const auto [verb, rest] = Split(line);
      const std::map<std::string, std::function<ui::SelectionStep()>> play = {
          {"row", [&] { return steps::SelectRowID(std::stoi(rest)); }},
          {"edit", [&] { return steps::EditCell(Split(rest).first, Split(rest).second); }},
          {"view", [&] { return steps::TickView(rest); }},
          {"allviews", [&] { return steps::TickAllViews(); }},
          {"option", [&] { return steps::SetOption(std::stoi(rest), true); }},
          {"draw", [&] { return steps::Draw(); }},
          {"next", [&] { return steps::Next(); }},
          {"cancel", [&] { return steps::Cancel(); }},
      };
      if (verb == "?") {
        script.steps.push_back([this](ui::frmPartSel& d) { Said("open", d.IsLoaded()); });
        continue;
      }
      ASSERT_TRUE(play.contains(verb)) << "unknown line " << verb;
      script.steps.push_back(play.at(verb)());
    }
    script.structPara = [this](ui::frmStructPara& form) { Replay("struct", {&form}); };
    auto outcome = std::make_shared<ui::ScriptOutcome>();
    Engine().selectionDialog = ui::ScriptedDialogs(CatalogueOf({library->Path()}), script, outcome,
                                                   scratch.Folder() + "WMFtemp.wmf");
    const int16_t result = IQZdbEngine().startSPartGen();
    transcript.push_back("run = " + std::to_string(result) +
                         (outcome->failure.empty() ? "" : ", " + outcome->failure) +
                         (Engine().LibraryConnection ? ", connected" : ""));
  }

  std::string Query(const std::string& what, Form form) {
    const auto& grid = form.structPara  ? form.structPara->fgdStructPara()
                       : form.attribute ? form.attribute->fgd_PartDes()
                                        : dialog->fgd_InputPara();
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
      for (int32_t at : {grid.Row(), grid.RowSel(), grid.Col(), grid.ColSel(), grid.FixedRows(),
                         grid.FixedCols()})
        texts.push_back(std::to_string(at));
    } else if (kind == "editor") {
      const auto& editor = form.structPara ? form.structPara->txtEditStr() : dialog->txtEdit();
      return editor.Visible() ? "[" + editor.Text() + "]" : "hidden";
    } else if (kind == "col") {
      return grid.TextMatrix(0, grid.Col());
    } else if (kind == "views") {
      for (const auto& item : dialog->lvw_PartVeiw().Items())
        texts.push_back(item.key + " " + item.text + " " + std::to_string(item.tag) +
                        (item.checked ? " +" : " -"));
      texts.push_back(dialog->lvw_PartVeiw().Enabled() ? "enabled" : "disabled");
      texts.push_back("selected " + std::to_string(dialog->lvw_PartVeiw().Selected()));
    } else if (kind == "list") {
      texts = {form.show->Caption() + " " + form.show->ColumnHeading()};
      for (const auto& item : form.show->lvwCheckShow().Items())
        texts.push_back(item.key + " " + item.text + " " + std::to_string(item.tag) +
                        (item.checked ? " +" : " -"));
    } else if (kind == "marker") {
      return db::Connection::Field(Engine().LibraryConnectString, "Marker");
    } else if (kind == "libraries") {
      return std::to_string(dialog->Tree().Libraries().size());
    } else if (kind == "form") {
      const bool open = form.structPara ? form.structPara->IsLoaded()
                        : form.show     ? form.show->IsLoaded()
                                        : form.attribute->IsLoaded();
      return open ? "open" : "closed";
    } else if (kind == "layout") {
      return std::to_string(form.attribute->GridLeft()) + " " +
             std::to_string(form.attribute->GridWidth());
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
      return boxesSeen ? BoxText(boxesSeen - 1) : "";
    } else if (kind == "boxes") {
      for (size_t i = boxesSeen; i < Boxes().size(); ++i)
        texts.push_back(BoxText(i));
      boxesSeen = Boxes().size();
    } else if (kind == "session") {
      for (const auto& view : session->Views())
        texts.push_back(HostValueAs<std::string>(view->Get("Name")) + " " +
                        std::to_string(view->Entities().size()));
      for (const char* flag :
           {"RemoveDimension", "AllowMove", "GroupPart", "MakeBlock", "HideBackground"})
        if (HostValueAs<bool>(session->Get(flag))) texts.push_back(flag);
    } else if (kind == "options") {
      for (int32_t i = 1; i <= Engine().OutputOptions.Count(); ++i)
        texts.push_back(Engine().OutputOptions.At(i)->first);
    } else if (kind == "inputs" || kind == "properties") {
      for (const auto& [name, value] :
           Dictionary(kind == "inputs" ? "InputParameters" : "PartProperties"))
        texts.push_back(name + "=" + value);
    } else if (kind == "design" && arg.empty()) {
      return std::to_string(Compute().DesignParas->Count());
    } else if (kind == "design" || kind == "structure") {
      const auto item =
          (kind == "design" ? Compute().DesignParas : Compute().StructParas)->Item(arg);
      if (!item) return "none";
      return item->ParaValue + " done " + std::to_string(item->isDoneCalValue) + " expression " +
             std::to_string(item->IsExpression) + " tag " + item->TagStr + " visible " +
             std::to_string(item->Visible);
    } else if (kind == "key") {
      std::string key;
      return Compute().DesignParas->getKey(arg, key) ? key : "none";
    } else if (kind == "state") {
      const auto in = [](const ScratchLibrary* lib) {
        return lib && Engine().LibraryConnection && Engine().LibraryPath == lib->Path() &&
               Engine().LibraryConnectString == lib->ConnectionString() &&
               db::Connection::Field(Engine().LibraryConnection->ConnectionString, "Dbq") ==
                   lib->Path();
      };
      const std::string where = in(library.get()) ? ""
                                : in(other.get()) ? " in other.qzlib"
                                                  : " elsewhere";
      return "part " + std::to_string(Engine().CurrentPartID) + where + ", result " +
             std::to_string(Engine().GenerateResult) + ", " +
             std::to_string(dialog->ParaNames().Count()) + " names" +
             (dialog->IsLoaded() ? ", open" : ", closed " + std::to_string(closings)) +
             (Compute().StructParas || Compute().ComputeDB ? ", computed" : "") + ", " +
             std::to_string(shown) + " shown";
    } else {
      ADD_FAILURE() << "unknown query " << what;
    }
    return Join(texts);
  }

  void Open(const std::vector<std::string>& paths = {}) {
    dialog = std::make_unique<ui::frmPartSel>(
        CatalogueOf(paths.empty() ? std::vector{library->Path()} : paths),
        static_cast<ui::SubDialogs&>(*this), scratch.Folder() + "WMFtemp.wmf");
    closings = 0;
    dialog->Changed().Connect([this](ui::frmPartSel::Change change) {
      closings += change == ui::frmPartSel::Change::Closed;
    });
  }

  std::shared_ptr<RecordingMessageService> messages;
  std::shared_ptr<MemoryComponent> component;
  std::shared_ptr<MemoryObject> session;
  ScratchDir scratch;
  int shown = 0;
  std::unique_ptr<ScratchLibrary> library, other;
  std::unique_ptr<ui::frmPartSel> dialog;
  std::vector<std::pair<std::string, std::string>> hooks;
  std::vector<std::string> transcript;
  size_t boxesSeen = 0;
  int closings = 0;
};

TEST_F(SelectionCases, EveryCaseOfTheCaseFiles) {
  const size_t count = ExpectEveryCase("ui", ".cases", [&](const CaseFileCase& c) {
    dialog.reset();
    library.reset();
    other.reset();
    TearDown();
    SetUp();
    shown = 0;
    hooks.clear();
    boxesSeen = 0;
    transcript.clear();
    library = SampleLibrary();
    Open();
    Run(c);
    return transcript;
  });
  EXPECT_GE(count, 40u);
}

}  // namespace
}  // namespace qzdbs::test
