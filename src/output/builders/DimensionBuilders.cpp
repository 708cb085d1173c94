// The seven dimension kinds and the leader. A dimension sets only its own
// defining points; its text, style and tolerance come from its common record.
#include <initializer_list>
#include <vector>

#include "output/OutputCommon.h"
#include "output/ValueConversions.h"
#include "output/builders/BuilderSteps.h"
#include "output/builders/Builders.h"

namespace qzdbs {

namespace {

// Keys of a leader's collection besides its vertices and its annotation
// references: LeaderType, hasHookLine.
constexpr int32_t kLeaderOtherKeys = 2;

// The annotation references EntityID.E1, E2, ... that the reader stored.
int32_t ReferenceCount(const EntityParams& params) {
  int32_t count = 0;
  while (params.Collection().Item("EntityID.E" + std::to_string(count + 1)))
    ++count;
  return count;
}

// How a dimension member is read: a point through its three coordinate keys,
// or the value under member & ".S".
enum class Read { Point, LiteralReal, ReferenceReal, LiteralInt16 };

struct Member {
  const char* name;  // the host member and the entity parameter alike
  Read read;
};

HostValue ReadMember(const EntityParams& params, const Member& member) {
  const std::string key = std::string(member.name) + ".S";
  switch (member.read) {
    case Read::Point:
      return params.Point(member.name);
    case Read::LiteralReal:
      return ToReal(params.Literal(key));
    case Read::ReferenceReal:
      return ToReal(params.Reference(key));
    case Read::LiteralInt16:
      return int32_t{ToInt16(params.Literal(key))};
  }
  return {};
}

// Every dimension kind reads its members in the order they are set on the host.
template <typename Dimension>
HostHandle BuildDimension(const EntityParams& params, int32_t sequence, const clsEntityList& record,
                          std::initializer_list<Member> members) {
  std::vector<HostValue> values;
  for (const Member& member : members)
    values.push_back(ReadMember(params, member));
  auto dimension = NewHostObject<Dimension>();
  auto value = values.begin();
  for (const Member& member : members)
    dimension.Object()->Set(member.name, *value++);
  Require(OutputCommonDimension(sequence, record, dimension));
  return dimension;
}

}  // namespace

HostHandle OutputEntDimRotated(const EntityParams& params, int32_t sequence,
                               const clsEntityList& record) {
  // The rotation here is the library's own number, not a structure parameter.
  return BuildDimension<DbRotatedDimension>(params, sequence, record,
                                            {{"DimLinePoint", Read::Point},
                                             {"ExtLine1Point", Read::Point},
                                             {"ExtLine2Point", Read::Point},
                                             {"Rotation", Read::LiteralReal}});
}

HostHandle OutputEntDimAligned(const EntityParams& params, int32_t sequence,
                               const clsEntityList& record) {
  return BuildDimension<DbAlignedDimension>(params, sequence, record,
                                            {{"DimLinePoint", Read::Point},
                                             {"ExtLine1Point", Read::Point},
                                             {"ExtLine2Point", Read::Point}});
}

HostHandle OutputEntDimDiametric(const EntityParams& params, int32_t sequence,
                                 const clsEntityList& record) {
  return BuildDimension<DbDiametricDimension>(
      params, sequence, record, {{"CenterPoint", Read::Point}, {"Radius", Read::ReferenceReal}});
}

HostHandle OutputEntDimRadial(const EntityParams& params, int32_t sequence,
                              const clsEntityList& record) {
  return BuildDimension<DbRadialDimension>(
      params, sequence, record, {{"CenterPoint", Read::Point}, {"Radius", Read::ReferenceReal}});
}

HostHandle OutputEntDim3PointAngular(const EntityParams& params, int32_t sequence,
                                     const clsEntityList& record) {
  return BuildDimension<Db3PointAngularDimension>(params, sequence, record,
                                                  {{"AngleVertPoint", Read::Point},
                                                   {"ArcPoint", Read::Point},
                                                   {"ExtLine1EndPoint", Read::Point},
                                                   {"ExtLine2EndPoint", Read::Point}});
}

HostHandle OutputEntDim2LineAngular(const EntityParams& params, int32_t sequence,
                                    const clsEntityList& record) {
  return BuildDimension<Db2LineAngularDimension>(params, sequence, record,
                                                 {{"ArcPoint", Read::Point},
                                                  {"ExtLine1StartPoint", Read::Point},
                                                  {"ExtLine1EndPoint", Read::Point},
                                                  {"ExtLine2StartPoint", Read::Point},
                                                  {"ExtLine2EndPoint", Read::Point}});
}

HostHandle OutputEntDimOrdinate(const EntityParams& params, int32_t sequence,
                                const clsEntityList& record) {
  return BuildDimension<DbOrdinateDimension>(params, sequence, record,
                                             {{"DefiningPoint", Read::Point},
                                              {"LeaderEndPoint", Read::Point},
                                              {"Origin", Read::Point},
                                              {"useXYAxis", Read::LiteralInt16}});
}

HostHandle OutputEntDimLeader(const EntityParams& params, int32_t sequence,
                              const clsEntityList& record) {
  // Only the first annotated entity reaches the host.
  int32_t annotation = ToInt32(params.Literal("EntityID.E1"));
  int32_t type = ToInt32(params.Literal("LeaderType.S"));
  bool hookLine = ToFlag(params.Literal("hasHookLine.S"));
  auto leader = NewHostObject<DbLeader>();
  leader.AnnotationID(annotation);
  leader.LeaderType(type);
  leader.hasHookLine(hookLine);
  // Every annotation reference takes a key, not just the first: a leader
  // that annotates three entities would otherwise look for a vertex
  // that is not there and be lost.
  const double vertices =
      RoundHalfEven((params.Count() - kLeaderOtherKeys - ReferenceCount(params)) / 3.0);
  for (int32_t i = 1; i <= vertices; ++i)
    leader.AddVertex(params.Point("PointID" + std::to_string(i)));
  return Finish(sequence, record, leader);
}

}  // namespace qzdbs
