// Every variable a formula of the sample library names exists in its part, and each family of
// values uses only what is computed before it (structure parameters, then properties, then
// points); texts that must be texts are written as texts.
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LibraryFile.h"

namespace qzdbs::test {
namespace {

TEST(FormulaVariables, FindsNamesOutsideTextLiteralsOnly) {
  struct Case {
    const char* formula;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"O.d*0.7", {"O.d"}},
      {"IIf(O.L>125, 2*O.d+12, 2*S.b)", {"O.L", "O.d", "S.b"}},
      {R"("Bolt ""S.x"" " & O.Thread & " x " & O.L)", {"O.Thread", "O.L"}},
      {"QZDBSCA*3.5 + Pi + 1e-3 + 2.5E+2 + P.A1.X", {"QZDBSCA", "P.A1.X"}},
      {"Not O.a And S.b Or T.c Mod 2", {"O.a", "S.b", "T.c"}},
      {R"(T.标记 & "×" & O.L)", {"T.标记", "O.L"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormulaVariables(c.formula), c.names) << c.formula;
  }
}

struct PartNames {
  std::set<std::string> inputs, textInputs, structs, properties, points;
};

PartNames NamesOf(const std::string& id) {
  PartNames n;
  const LibraryFile& lib = SampleLibrary();
  for (const Row& r :
       lib.Query("SELECT ParaName, ParaType FROM QZPartInputParas WHERE PartID = " + id)) {
    n.inputs.insert("O." + r.Text("ParaName"));
    if (r.Int("ParaType") == 1) n.textInputs.insert("O." + r.Text("ParaName"));
  }
  for (const Row& r : lib.Query("SELECT Name FROM QZPartStructureParas WHERE PartID = " + id)) {
    n.structs.insert("S." + r.Text("Name"));
  }
  for (const Row& r : lib.Query("SELECT q.PropertyName FROM QZPartPrptys p JOIN QZProperties q "
                                "ON q.PropertyID = p.PropertyID WHERE p.PartID = " +
                                id)) {
    n.properties.insert("T." + r.Text("PropertyName"));
  }
  for (const Row& r : lib.Query("SELECT Name FROM QZPartPoints WHERE PartID = " + id)) {
    for (const char* axis : {".X", ".Y", ".Z"})
      n.points.insert("P." + r.Text("Name") + axis);
  }
  return n;
}

// Where a formula comes from, and which families it may use ("OSTP" or less).
struct Source {
  std::string what;
  std::string formula;
  std::string families;
};

std::vector<Source> FormulasOf(const std::string& id) {
  const LibraryFile& lib = SampleLibrary();
  std::vector<Source> out;
  auto add = [&](const std::string& sql, const std::string& column, const std::string& families) {
    for (const Row& r : lib.Query(sql)) {
      out.push_back({column + " " + r.Text("tag"), r.Text(column), families});
    }
  };
  const std::string part = " WHERE PartID = " + id;
  add("SELECT Name AS tag, Expression FROM QZPartStructureParas" + part + " AND IsExpression = 1",
      "Expression", "OS");
  add("SELECT CAST(PropertyID AS TEXT) AS tag, Value FROM QZPartPrptys" + part +
          " AND IsExpression = 1",
      "Value", "OST");
  for (const char* axis : {"PXParaExp", "PYParaExp", "PZParaExp"}) {
    add(std::string("SELECT Name AS tag, ") + axis + " FROM QZPartPoints" + part, axis, "OSTP");
  }
  add("SELECT Name AS tag, FilterExp FROM QZPartEntities" + part, "FilterExp", "OSTP");
  for (const char* table : {"QZEnt_Text", "QZEnt_MText", "QZEnt_DimCommonText"}) {
    add(std::string("SELECT CAST(EntityID AS TEXT) AS tag, TextString FROM ") + table + part +
            " AND IsExpression = 1",
        "TextString", "OSTP");
  }
  add("SELECT AttName AS tag, Value FROM QZEnt_Attribute" + part + " AND IsExpression = 1", "Value",
      "OSTP");
  return out;
}

TEST(LibraryFormulas, EveryVariableExistsAndIsComputedBeforeItIsUsed) {
  size_t formulas = 0;
  for (const Row& p : SampleLibrary().Query("SELECT PartID, Name FROM QZParts")) {
    std::string id = std::to_string(p.Int("PartID"));
    SCOPED_TRACE(p.Text("Name"));
    PartNames names = NamesOf(id);
    for (const Source& s : FormulasOf(id)) {
      ++formulas;
      SCOPED_TRACE(s.what + ": " + s.formula);
      ASSERT_FALSE(s.formula.empty());
      for (const std::string& var : FormulaVariables(s.formula)) {
        if (var == "QZDBSCA") continue;
        ASSERT_GE(var.size(), 3u) << var;
        char family = var[0];
        EXPECT_EQ(var[1], '.') << var;
        EXPECT_NE(s.families.find(family), std::string::npos)
            << var << " is not computed yet when this formula runs";
        const std::set<std::string>* known = family == 'O'   ? &names.inputs
                                             : family == 'S' ? &names.structs
                                             : family == 'T' ? &names.properties
                                             : family == 'P' ? &names.points
                                                             : nullptr;
        ASSERT_NE(known, nullptr) << var;
        EXPECT_TRUE(known->count(var)) << var << " names nothing in this part";
      }
    }
  }
  EXPECT_GT(formulas, 1000u);
}

TEST(LibraryFormulas, TextsAreWrittenAsTexts) {
  // A formula that is a text variable alone is evaluated as a number (the digits of "M12"
  // give 12): such texts must be joined with & to stay texts.
  for (const Row& p : SampleLibrary().Query("SELECT PartID, Name FROM QZParts")) {
    std::string id = std::to_string(p.Int("PartID"));
    SCOPED_TRACE(p.Text("Name"));
    PartNames names = NamesOf(id);
    for (const Source& s : FormulasOf(id)) {
      if (s.formula.find('&') != std::string::npos) continue;
      for (const std::string& var : FormulaVariables(s.formula)) {
        EXPECT_FALSE(names.textInputs.count(var) && s.formula.find('=') == std::string::npos &&
                     s.formula.find("<>") == std::string::npos)
            << s.what << ": " << s.formula;
        EXPECT_FALSE(var == "T.标记" || var == "T.标准" || var == "T.材料")
            << s.what << ": " << s.formula;
      }
    }
  }
}

TEST(LibraryFormulas, TheDesignationIsDrawnAndNamesTheStandard) {
  for (const Row& p : SampleLibrary().Query("SELECT PartID, Name FROM QZParts")) {
    std::string id = std::to_string(p.Int("PartID"));
    SCOPED_TRACE(p.Text("Name"));
    std::vector<Row> designation = SampleLibrary().Query(
        "SELECT p.Value FROM QZPartPrptys p JOIN QZProperties q ON q.PropertyID = p.PropertyID "
        "WHERE q.PropertyName = '标记' AND p.PartID = " +
        id);
    ASSERT_EQ(designation.size(), 1u);
    const std::string value = designation[0].Text("Value");
    EXPECT_NE(value.find("GB/T "), std::string::npos) << value;
    EXPECT_EQ(SampleLibrary().Count("SELECT COUNT(*) FROM QZEnt_Text WHERE IsExpression = 1 AND "
                                    "TextString LIKE 'T.标记%' AND PartID = " +
                                    id),
              1);
  }
}

}  // namespace
}  // namespace qzdbs::test
