// What one entity parameter reader is made of: its query, its row rule, the
// columns it turns into parameter records (with their kinds and names), the
// hand-written steps that follow, and when it shows its failures. The table
// of the 27 readers is data; one generic reader walks it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qzdbs {

// How a column becomes records of the entity parameter collection.
enum class ParamKind {
  Point,          // a PointID: three records name.X/Y/Z aliased P.<id>.X/Y/Z
  Struct,         // a StructureID: name.S aliased S.<id> (a null gives "S.")
  Literal,        // the value itself: name.S
  LiteralOrZero,  // as Literal, a null stored as 0
  Text,           // TextString.S with the IsExpression column as its flag
  EllipseAngles,  // StartAngle.S and EndAngle.S, both S.0 when StartAngle is null
};

struct ParamSpec {
  ParamKind kind;
  const char* name;    // the entity parameter's name (the record's ParaType)
  const char* column;  // the column it is read from
};

enum class RowRule { ExactlyOne, AtLeastOne };

// The steps after the fixed columns, where a type really differs.
enum class TailStep {
  PointRows,       // PointID1, PointID2, ... one point per row in order
  EntityRows,      // EntityID.E1, E2, ... one member per row
  MemberList,      // block reference: members from its list, which may be empty
  AnnotationList,  // leader: the annotated entities, at least one
  HatchLoops,      // hatch: outer and inner loop members, flagged 0 and 1
  AttributeRows,   // attributes: Attribute.<AttName> per row
  BlockFile,       // block definition: the drawing file in the block folder
};

// Which failures the reader shows in a critical box (with its title).
enum class ShowFailures {
  Never,
  ReadFailures,  // a failure while reading, not an unmet row rule
  Always,        // both; an unmet row rule shows an empty text
};

using EntitySql = std::string (*)(const std::string& P, const std::string& E);

struct EntityReaderSpec {
  int32_t code;
  const char* reader;  // the reader's own name, e.g. "getEntLine"
  EntitySql sql;       // built from the part (P) and entity (E) identifiers
  RowRule rule;
  std::vector<ParamSpec> params;  // read from the first row, in order of addition
  std::vector<TailStep> tail;
  ShowFailures show;
  const char* title;  // title of the failure box
};

// The reader of a type code; null outside 1..27.
const EntityReaderSpec* FindEntityReader(int32_t code);

}  // namespace qzdbs
