// One row per entity type code: its name, the reader of its parameters (query,
// row rule, the columns it turns into parameter records, the hand-written
// steps that follow, when it shows its failures) and the name of the builder
// that hands it to the host. The builders themselves live above this floor:
// output/BuilderTable.cpp attaches one to each code of this list.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qzdbs {

// The type codes of the library's entity list.
enum class EntityType : int32_t {
  Line = 1,
  Circle,
  Arc,
  Ellipse,
  Polyline,
  Polyline3d,
  Text,
  MText,
  Attribute,
  BlockDefinition,
  BlockReference,
  Group,
  Hatch,
  Leader,
  DimRotated,
  DimAligned,
  DimDiametric,
  DimRadial,
  Dim3PointAngular,
  Dim2LineAngular,
  DimOrdinate,
  Move,
  PolarArray,
  RectArray,
  Rotate,
  Mirror,
  DimCommon,  // the common dimension style, read for each dimension; no builder
};

// How a column becomes records of the entity parameter collection.
enum class ParamKind {
  Point,          // a PointID: three records name.X/Y/Z aliased P.<id>.X/Y/Z
  Struct,         // a StructureID: name.S aliased S.<id> (a null gives "S.")
  Literal,        // the value itself: name.S
  LiteralOrZero,  // as Literal, a null stored as 0
  Text,           // TextString.S with the IsExpression column as its flag
  EllipseAngles,  // StartAngle.S and EndAngle.S, both S.0 when StartAngle is null
};

struct ParamDef {
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

struct EntityTypeDef {
  EntityType type;
  const char* reader;   // the reader's own name, e.g. "getEntLine"
  const char* builder;  // the builder's name in its failure box; empty: none
  const char* sql;      // the query, {P} and {E} standing for the part and entity
  RowRule rule;
  std::vector<ParamDef> params;  // read from the first row, in order of addition
  std::vector<TailStep> tail;
  ShowFailures show;
  const char* title;  // title of the reader's failure box
};

// Every type, in the order of its code.
std::span<const EntityTypeDef> EntityTypes();

// The row of a type code; null outside 1..27.
const EntityTypeDef* FindEntityType(int32_t code);

// The row's query for one entity of one part.
std::string EntityTypeSql(const EntityTypeDef& type, int32_t partID, int32_t entityID);

}  // namespace qzdbs
