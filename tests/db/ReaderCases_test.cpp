// The library readers as the cases of tests/data/readers: each case builds a library from SQL
// rows, runs reader calls on it and lists what they give, in order: results, records, message
// boxes. A case's "part N" line sets the part both readers read (1 unless given); "sample"
// starts from the sample library instead of an empty one.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>
#include <sstream>

#include "db/DbTest.h"
#include "db/EntityReaders.h"
#include "db/PartCatalogue.h"
#include "db/clsPartComputeDB.h"
#include "db/clsPartSelDB.h"
#include "support/CaseFile.h"

namespace qzdbs::test {
namespace {

std::string Number(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string Flag(bool value) {
  return value ? "true" : "false";
}

// What one case's calls share: both readers on its library and the collections they fill.
struct Reads {
  std::unique_ptr<clsPartComputeDB> definition = std::make_unique<clsPartComputeDB>();
  clsPartSelDB selection;
  colCompute family, pending;
  std::shared_ptr<colCompute> params;  // of the last entity read
  const colCompute* filled = &family;  // what "alias" looks in
  colEntityList total;
  colInputPara names;
  std::string library;
  std::vector<std::string> out;

  void Records(const colCompute& c) {
    for (const auto& r : c) {
      out.push_back(r->XKey + "|" + r->ParaValue + "|" + std::to_string(r->IsExpression) + "|" +
                    std::to_string(r->isDoneCalValue) + "|" + std::to_string(r->Visible) + "|" +
                    r->TagStr + "|" + r->Expression + "|" + std::to_string(r->TagLong));
    }
  }
  void Records(const colEntityList& c) {
    for (const auto& e : c) {
      out.push_back(e->XKey + "|" + std::to_string(e->EntityType) + "|" + e->EntityName + "|" +
                    Flag(e->IsAssist) + "|" + std::to_string(e->LayerID) + "|" + e->EntityFilter +
                    "|" + Flag(e->IsMatchProp) + "|" + Flag(e->Visible) + "|" +
                    std::to_string(e->Color) + "|" + Flag(e->EntityPara != nullptr));
    }
    // The running list of all entities met keeps their identities only.
    std::string line = "total";
    for (const auto& e : total)
      line += " " + e->XKey + "/" + std::to_string(e->EntityType);
    out.push_back(line);
  }
  void Records(const colInputPara& c) {
    for (const auto& p : c) {
      out.push_back(p->XKey + "|" + p->ParaName + "|" + p->StringValue + "|" +
                    Number(p->RealValue) + "|" + std::to_string(p->ParaType) + "|" +
                    std::to_string(p->Visible));
    }
  }
  // Definition reads that fill the family and pending collections.
  void Family(bool ok) {
    filled = &family;
    out.push_back(Flag(ok));
    Records(family);
    out.push_back("pending " + std::to_string(pending.Count()));
  }
};

using Call = std::function<void(Reads&, std::istringstream&)>;

const std::map<std::string, Call>& Calls() {
  static const std::map<std::string, Call> calls = {
      {"read",  // type code, entity
       [](Reads& r, std::istringstream& args) {
         int32_t code = 0, entity = 0;
         args >> code >> entity;
         r.params = std::make_shared<colCompute>();
         r.out.push_back(Flag(r.definition->getEntityParaDB(entity, code, r.params)));
         r.Records(*r.params);
         r.filled = r.params.get();
       }},
      {"structure",
       [](Reads& r, std::istringstream&) {
         r.Family(r.definition->getStructurePara(r.family, r.pending));
       }},
      {"properties",
       [](Reads& r, std::istringstream&) {
         r.Family(r.definition->getPartProperties(r.family, r.pending));
       }},
      {"points",
       [](Reads& r, std::istringstream&) {
         r.Family(r.definition->getPartPoint(r.family, r.pending));
       }},
      {"alias",
       [](Reads& r, std::istringstream& args) {
         std::string alias, key = "(none)";
         args >> alias;
         r.filled->getKey(alias, key);
         r.out.push_back(alias + " -> " + key);
       }},
      {"entities",
       [](Reads& r, std::istringstream&) {
         colEntityList entities;
         r.out.push_back(Flag(r.definition->getPartEntity(entities, r.total)));
         r.Records(entities);
       }},
      {"view",
       [](Reads& r, std::istringstream& args) {
         int32_t view = 0;
         args >> view;
         colEntityList entities;
         r.out.push_back(Flag(r.definition->getViewEntity(view, entities, r.total)));
         r.Records(entities);
       }},
      {"layers",
       [](Reads& r, std::istringstream&) {
         OrderedMap<std::string> layers;
         r.out.push_back(Flag(r.definition->getAllLayer(layers)));
         for (const auto& [key, name] : layers)
           r.out.push_back(key + "|" + name);
       }},
      {"identity",  // part
       [](Reads& r, std::istringstream& args) {
         int32_t part = 0;
         args >> part;
         std::string guid = "old", name = "old";
         r.out.push_back(Flag(r.definition->getPartCommInfo(part, guid, name)) + " " + guid + "|" +
                         name);
       }},
      {"basepoint",  // table, identifier field, identifier
       [](Reads& r, std::istringstream& args) {
         std::string table, field;
         int32_t id = 0;
         args >> table >> field >> id;
         r.out.push_back("base point '" + r.definition->getBasePointName(table, field, id) + "'");
       }},
      {"close", [](Reads&, std::istringstream&) { CloseLibraryDB(); }},
      {"names",
       [](Reads& r, std::istringstream&) {
         r.out.push_back(Flag(r.selection.getInputParaName(r.names)));
         r.Records(r.names);
       }},
      {"values",
       [](Reads& r, std::istringstream&) {
         colInputPara data;
         r.out.push_back(Flag(r.selection.getInputParaData(data, r.names)));
         r.Records(data);
       }},
      {"shared",  // the shared read, twice: its records, and whether the table came again
       [](Reads& r, std::istringstream&) {
         const auto data = r.selection.SharedInputParaData(r.names);
         r.Records(*data);
         r.out.push_back(r.selection.SharedInputParaData(r.names) == data ? "again" : "new");
       }},
      {"rows",
       [](Reads& r, std::istringstream&) {
         std::vector<int32_t> rows{99};
         std::string line = Flag(r.selection.getParaRows(rows));
         for (int32_t row : rows)
           line += " " + std::to_string(row);
         r.out.push_back(line);
       }},
      {"views",
       [](Reads& r, std::istringstream&) {
         colPartView views;
         r.out.push_back(Flag(r.selection.getPartView(views)));
         for (const auto& v : views)
           r.out.push_back(v->XKey + "|" + v->ViewName + "|" + std::to_string(v->BasePoint) + "|" +
                           std::to_string(v->Position));
       }},
      {"catalogue",  // "roots" of a node type, or "children" of a node
       [](Reads& r, std::istringstream& args) {
         std::string which;
         int32_t id = 0;
         args >> which >> id;
         for (const auto& n : ReadCatalogueNodes(
                  *Engine().LibraryConnection,
                  which == "roots" ? RootNodesSql(id) : ChildNodesSql(id), r.library)) {
           r.out.push_back(std::to_string(n->NodeID) + "|" + n->NodeName + "|" +
                           std::to_string(n->NodeType) + "|" + std::to_string(n->PartID) + "|" +
                           std::to_string(n->FatherID) + "|" + std::to_string(n->Position) +
                           (n->DBPath == r.library ? "" : "|" + n->DBPath));
         }
       }},
      {"thispart",
       [](Reads& r, std::istringstream&) { r.out.push_back(Flag(r.selection.getThisPart())); }},
  };
  return calls;
}

class ReaderCases : public DbTest {};

TEST_F(ReaderCases, EveryCaseGivesItsResultsRecordsAndBoxes) {
  const size_t count = ExpectEveryCase("readers", ".cases", [&](const CaseFileCase& c) {
    std::string rows;
    int32_t part = 1;
    for (const std::string& line : c.setup)
      rows += line.substr(4);
    for (const std::string& line : c.input) {
      if (line.starts_with("sql ")) rows += line.substr(4);
      if (line.starts_with("part ")) part = std::stoi(line.substr(5));
    }
    const bool sample = std::find(c.input.begin(), c.input.end(), "sample") != c.input.end();
    ScratchLibrary library((sample ? SampleLibrarySql() : SchemaSql()) + rows);
    OpenShared(library);
    Engine().BlockFolder = library.Folder();
    Reads run;
    run.library = library.Path();
    run.definition->InitClass(part);
    if (!run.definition->openCnn(library.ConnectionString()))
      return std::vector<std::string>{"cannot open"};
    run.selection.InitClassData(part);
    ClearBoxes();
    for (const std::string& line : c.input) {
      std::istringstream args(line);
      std::string verb;
      args >> verb;
      if (verb == "sql" || verb == "part" || verb == "sample") continue;
      if (!Calls().count(verb)) return std::vector<std::string>{"unknown call: " + line};
      Calls().at(verb)(run, args);
    }
    for (const MessageBoxRecord& box : Boxes())
      run.out.push_back("box " + std::string(IconName(box.icon)) + " " + box.title + "|" +
                        box.text);
    return run.out;
  });
  EXPECT_GE(count, 56u);
}

}  // namespace
}  // namespace qzdbs::test
