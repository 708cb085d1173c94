// Single-line and multiline texts, whose text may be a formula and whose
// multiline form can carry a tolerance worked out from its code.
#include "base/NumberText.h"
#include "output/OutputCommon.h"
#include "output/ValueConversions.h"
#include "output/builders/BuilderSteps.h"
#include "output/builders/Builders.h"
#include "platform/iso286/DimTolerance.h"
#include "state/clsCompute.h"

namespace qzdbs {

namespace {

// What both text kinds read first and set first: the text, which may be a
// formula, its insertion point, height and rotation.
struct TextBase {
  bool computed = false;
  std::string text;  // an empty text stays empty, unlike a dimension's
  Point3 insertion{};
  double height = 0;
  double rotation = 0;

  explicit TextBase(const EntityParams& params) {
    clsComputePtr record = params.Record("TextString.S");
    computed = ComputeText(*record);
    text = record->ParaValue;
    insertion = params.Point("InsertionPoint");
    height = ToReal(params.Reference("Height.S"));
    rotation = ToReal(params.Reference("Rotation.S"));
  }

  template <typename TextEntity>
  void SetOn(const TextEntity& entity) const {
    entity.TextString(text);
    entity.InsertionPoint(insertion);
    entity.Height(height);
    entity.Rotation(rotation);
  }
};

// The tolerance of a multiline text, as the library stores it or as the
// tolerance call works it out from the code and the text's nominal size.
struct Tolerance {
  bool hasCode = false;
  std::string code;
  bool hasValues = false;
  double upper = 0;
  double lower = 0;

  // Only a computed text has a size worth a tolerance: a literal text keeps
  // the deviations the library stores, whatever its flags say. The call may
  // rewrite the code, and the host gets the code as the call leaves it.
  void Apply(bool computed, const std::string& text) {
    if (!computed || !hasCode || !hasValues) return;
    GetDimTolerance(code, GetBaseLength(text), upper, lower);
  }
};

}  // namespace

HostHandle OutputEntText(const EntityParams& params, int32_t sequence,
                         const clsEntityList& record) {
  const TextBase base(params);
  double scale = ToReal(params.Literal("ScaleFactor.S"));
  double oblique = ToReal(params.Literal("ObliqueAngle.S"));
  std::string style = params.Literal("TextStyleName.S");
  auto entity = NewHostObject<DbText>();
  base.SetOn(entity);
  entity.ScaleFactor(scale);
  entity.ObliqueAngle(oblique);
  entity.TextStyleName(style);
  return Finish(sequence, record, entity);
}

HostHandle OutputEntMText(const EntityParams& params, int32_t sequence,
                          const clsEntityList& record) {
  const TextBase base(params);
  double width = ToReal(params.Literal("Width.S"));
  double spacing = ToReal(params.Literal("LineSpacingFactor.S"));
  int32_t attachment = ToInt32(params.Literal("AttachmentPoint.S"));
  std::string style = params.Literal("TextStyleName.S");
  Tolerance tolerance;
  tolerance.hasCode = ToFlag(params.Literal("isHaveTolCode.S"));
  tolerance.code = params.Literal("ToleranceCode.S");
  tolerance.hasValues = ToFlag(params.Literal("isHaveTolVal.S"));
  tolerance.upper = ToReal(params.Literal("TopTol.S"));
  tolerance.lower = ToReal(params.Literal("BottomTol.S"));
  bool hasFollow = ToFlag(params.Literal("isHaveFollow.S"));
  std::string follow = params.Literal("DimFollow.S");
  std::string front = params.Literal("DimFront.S");
  tolerance.Apply(base.computed, base.text);

  auto entity = NewHostObject<DbMText>();
  base.SetOn(entity);
  entity.Width(width);
  entity.LineSpacingFactor(spacing);
  entity.AttachmentPoint(attachment);
  entity.TextStyleName(style);
  entity.isHaveTolCode(tolerance.hasCode);
  entity.ToleranceCode(tolerance.code);
  entity.isHaveTolVal(tolerance.hasValues);
  entity.TopTol(tolerance.upper);
  entity.BottomTol(tolerance.lower);
  entity.isHaveFollow(hasFollow);
  entity.DimFollow(follow);
  entity.DimFront(front);
  return Finish(sequence, record, entity);
}

}  // namespace qzdbs
