// The sheet the studio draws on and the parts list drawn on it as a table
// (明细栏 after GB/T 10609.2): it stands on the top edge of the title block's
// place in the bottom right corner, its heading row at the bottom and the
// rows numbered from the bottom up, so that rows added later go on top.
#pragma once

#include <vector>

#include "server/Document.h"
#include "ui/PartsList.h"

namespace qzdbs::ui::qt {

// An A3 landscape sheet with its frame margin, paper millimetres; the title
// block's place (180 x 56) in the frame's bottom right corner.
inline constexpr double kSheetWidth = 420;
inline constexpr double kSheetHeight = 297;
inline constexpr double kSheetMargin = 5;
inline constexpr double kTitleBlockWidth = 180;
inline constexpr double kTitleBlockHeight = 56;

// The columns' widths and the row height, paper millimetres.
inline constexpr double kPartsListColumns[] = {8, 40, 44, 8, 38, 10, 12, 20};
inline constexpr double kPartsListRowHeight = 7;

// The table at drawing scale `scale` (paper millimetres times it), on a layer
// of its own; nothing when there are no rows.
server::Document PartsListTable(const std::vector<PartsListRow>& rows, double scale);

}  // namespace qzdbs::ui::qt
