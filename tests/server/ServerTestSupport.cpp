// Session building and playing for the server tests.
#include "ServerTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

#include "server/DrawingServer.h"
#include "server/document/DocumentBuilder.h"
#include "support/TestPaths.h"

namespace qzdbs::server::test {

namespace {
HostValue Value(const nlohmann::json& v) {
  if (v.is_boolean()) return v.get<bool>();
  if (v.is_number_integer()) return v.get<int32_t>();
  if (v.is_number()) return v.get<double>();
  // JSON has no NaN: a coordinate may be the text "nan".
  auto at = [&](int i) {
    return v[i].is_string() ? std::stod(v[i].get<std::string>()) : v[i].get<double>();
  };
  if (v.is_array()) return Point3{at(0), at(1), at(2)};
  return v.get<std::string>();
}
}  // namespace

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

// Lines:
//   view NAME ID [ASSIST]              a view handed to the session
//   add CLASS ID [LAYER...]            an entity with the common attributes the engine sets; a
//                                      dimension also as a plain one: the measured value as
//                                      text, one decimal, both arrows and extension lines
//   entity CLASS ID [LAYER]            the same without a dimension's defaults
//   object CLASS ID                    an object that is no entity (group, dictionary)
//   set MEMBER JSON / call MEMBER [JSON]   on the last one added; a call's array of texts
//                                      is its arguments
//   session MEMBER JSON                a value the host holds before the engine reads it
//   part MEMBER JSON                   a member the engine sets on the session
std::string SessionBuilder::Play(const std::vector<std::string>& lines) {
  std::optional<DbView> view;
  std::shared_ptr<MemoryObject> last;
  for (const std::string& line : lines) {
    std::istringstream words(line);
    std::string word, name, rest;
    words >> word >> name;
    std::getline(words >> std::ws, rest);
    if (word == "view") {
      std::istringstream more(rest);
      int32_t id = 0;
      std::string assist;
      more >> id >> assist;
      view = AddView(name, id, {0, 0, 0}, assist);
    } else if ((word == "add" || word == "entity" || word == "object") && view) {
      std::istringstream more(rest);
      int32_t id = 0;
      std::string layer = "0";
      more >> id;
      std::getline(more >> std::ws, layer);
      if (layer.empty()) layer = "0";
      last = component->NewObject(name);
      last->Set("ID", id);
      last->Set("Name", "E" + std::to_string(id));
      if (word != "object") {
        for (const auto& [member, value] : {std::pair<const char*, HostValue>{"LayerName", layer},
                                            {"Color", 256},
                                            {"Visible", true},
                                            {"IsAssist", false},
                                            {"IsMatchProp", false}})
          last->Set(member, value);
      }
      if (word == "add" && name.find("Dimension") != std::string::npos) {
        for (const char* on : {"HasFirstArr", "HasSecondArr", "HasFirstLine", "HasSecondLine"})
          last->Set(on, true);
        last->Set("TextString", std::string("<>"));
        last->Set("dimdec", 1);
      }
      const int32_t sequence = ++sequences_[view->Object().get()];
      last->Set("Sequence", sequence);
      view->AddEntity("X" + std::to_string(sequence), HostHandle(last));
    } else if (word == "set" && last) {
      last->Set(name, Value(nlohmann::json::parse(rest)));
    } else if (word == "call" && last) {
      std::vector<HostValue> args;
      const nlohmann::json given = rest.empty() ? nlohmann::json() : nlohmann::json::parse(rest);
      if (given.is_array() && !given.at(0).is_number()) {
        for (const auto& arg : given)
          args.push_back(Value(arg));
      } else if (!given.is_null()) {
        args.push_back(Value(given));
      }
      // "call NAME*N ARGS" calls N times: a polyline of many vertices.
      const size_t star = name.find('*');
      const int count = star == std::string::npos ? 1 : std::stoi(name.substr(star + 1));
      for (int i = 0; i < count; ++i)
        last->Call(name.substr(0, star), args);
    } else if (word == "session") {
      session->Preset(name, Value(nlohmann::json::parse(rest)));
    } else if (word == "part") {
      session->Set(name, Value(nlohmann::json::parse(rest)));
    } else {
      return line;
    }
  }
  return "";
}

Document SessionBuilder::Build() const {
  return BuildDocument(*session);
}

void FillSamplePart(SessionBuilder& builder, bool asBlock) {
  std::vector<std::string> lines;
  std::istringstream text(ReadText(qzdbs::test::TestDataDir() / "server" / "sample.session"));
  for (std::string line; std::getline(text, line);)
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  if (asBlock) lines.insert(lines.end(), {"part GroupPart true", "part MakeBlock true"});
  EXPECT_EQ(builder.Play(lines), "");
}

const std::vector<FileExporter>& FileExporters() {
  using Path = std::filesystem::path;
  static const std::vector<FileExporter> exporters = {
      {"dxf", [](const Document& d, const Path& f) { ExportDxf(d, f); }},
      {"svg", [](const Document& d, const Path& f) { ExportSvg(d, f); }},
      {"json", [](const Document& d, const Path& f) { ExportJson(d, f); }},
      {"pdf", [](const Document& d, const Path& f) { ExportPdf(d, f); }},
      {"png", [](const Document& d, const Path& f) { ExportPng(d, f, 1200); }},
  };
  return exporters;
}

}  // namespace qzdbs::server::test
