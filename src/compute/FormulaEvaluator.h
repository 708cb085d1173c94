// The formula evaluator: one library formula to one result text, with the
// values of the variables it names taken from the computed parameter
// families, through the formula parser component of the computation state.
#pragma once

#include <cstdint>
#include <string>

#include "base/NumberText.h"  // GetBaseLength, the evaluator's number salvager
#include "state/clsCompute.h"

namespace qzdbs {

// True with `result` set to the formula's value (numbers in the general
// format). False when a structure parameter, point or property it uses is not
// computed yet (silently, so a later pass can retry), or when it cannot be
// evaluated at all (after a message box). `result` is written only on success.
bool EvaluateFormula(const std::string& formula, std::string& result);
// The same; when false because a record is not computed yet, `waitsOn` is that
// record (null otherwise): until it is done, the formula gives nothing else.
bool EvaluateFormula(const std::string& formula, std::string& result, clsComputePtr& waitsOn);

// 1 "O.", 2 "S.", 3 "P.", 4 "T." (prefix in any case), 5 QZDBSCA (trimmed,
// any case), 0 anything else.
int32_t ClassifyParaName(const std::string& name);

// 0 when the formula cannot be evaluated, 1 when its value counts as true
// (any text that is neither a number nor a truth word included), 2 when false.
int32_t EvaluateCondition(const std::string& formula);

}  // namespace qzdbs
