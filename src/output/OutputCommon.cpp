#include "output/OutputCommon.h"

#include <exception>

#include "base/EngineError.h"
#include "base/NumberText.h"
#include "compute/FormulaEvaluator.h"
#include "db/colEntityList.h"
#include "output/BuilderRun.h"
#include "output/EntityParams.h"
#include "output/ValueConversions.h"
#include "state/ComputeState.h"

namespace qzdbs {

namespace {

constexpr int32_t kDimensionRecordType = 27;

std::string LayerName(int32_t layerID) {
  const std::string key = "X" + std::to_string(layerID);
  const auto& layers = Compute().Layers;
  const std::string* name = layers ? layers->Find(key) : nullptr;
  if (!name) throw EngineError("图层 " + key + " 不存在");
  return *name;
}

}  // namespace

bool ComputeText(clsCompute& text) {
  if (text.IsExpression != 1) return false;
  std::string result;
  if (EvaluateFormula(text.ParaValue, result)) text.ParaValue = result;
  return true;
}

bool OutputCommonObject(int32_t sequence, const clsEntityList& record, const DbIdentity& target) {
  try {
    target.ID(record.EntityID);
    target.Name(record.EntityName);
    target.Sequence(sequence);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool OutputCommonEntity(int32_t sequence, const clsEntityList& record, const DbEntity& target) {
  try {
    target.ID(record.EntityID);
    target.Name(record.EntityName);
    target.IsAssist(record.IsAssist);
    target.LayerName(LayerName(record.LayerID));
    target.Color(record.Color);
    target.Visible(record.Visible);
    target.IsMatchProp(record.IsMatchProp);
    target.Sequence(sequence);
    return true;
  } catch (const std::exception& failure) {
    ShowBuilderFailure("OutputCommonEntity", failure.what());
    return false;
  }
}

bool OutputCommonDimension(int32_t sequence, const clsEntityList& record,
                           const DbDimension& target) {
  try {
    EntityParams params(record.EntityID, kDimensionRecordType);
    Require(params.Loaded());
    target.DimType(ToInt16(params.Literal("DimType.S")));
    target.DimStyleName("QZ_GBDIM");
    target.Normal({0, 0, 1});
    target.Elevation(0);
    target.TextPosition(params.Point("TextPosition"));
    clsComputePtr text = params.Record("TextString.S");
    const bool computed = ComputeText(*text);
    std::string shown = text->ParaValue.empty() ? "<>" : text->ParaValue;
    target.TextString(shown);
    target.Measurement(GetBaseLength(shown));
    target.isHaveTolCode(EqualsOne(params.Literal("isHaveTolCode.S")));
    target.str_DimTolNo(params.Literal("str_DimTolNo.S"));
    target.isHaveTolVal(EqualsOne(params.Literal("isHaveTolVal.S")));
    target.fTopTol(ToReal(params.Literal("fTopTol.S")));
    target.fBottomTol(ToReal(params.Literal("fBottomTol.S")));
    target.str_TolUnit(params.Literal("str_TolUnit.S"));
    target.isHaveFollow(EqualsOne(params.Literal("isHaveFollow.S")));
    target.str_DimFollow(params.Literal("str_DimFollow.S"));
    target.isRectText(EqualsOne(params.Literal("isRectText.S")));
    target.dimdec(ToInt16(params.Literal("dimdec.S")));
    target.iOutIndex(ToInt16(params.Literal("iOutIndex.S")));
    target.iInIndex(ToInt16(params.Literal("iInIndex.S")));
    target.isHasLAngle(EqualsOne(params.Literal("isHasLAngle.S")));
    target.dLAngle(ToReal(params.Literal("dLAngle.S")));
    target.DimJust(ToInt16(params.Literal("DimJust.S")));
    target.DimDad(ToInt16(params.Literal("DimDad.S")));
    target.isRotateText(EqualsOne(params.Literal("isRotateText.S")));
    target.TextRotation(ToReal(params.Literal("TextRotation.S")));
    target.HasFirstArr(NotZero(params.Literal("HasFirstArr.S")));
    target.HasSecondArr(NotZero(params.Literal("HasSecondArr.S")));
    target.HasFirstLine(NotZero(params.Literal("HasFirstLine.S")));
    target.HasSecondLine(NotZero(params.Literal("HasSecondLine.S")));
    if (target.isHaveTolCode() && target.isHaveTolVal() && computed) target.CalcTolerance();
    Require(OutputCommonEntity(sequence, record, target));
    return true;
  } catch (const std::exception& failure) {
    ShowBuilderFailure("OutputCommonDimension", failure.what());
    return false;
  }
}

}  // namespace qzdbs
