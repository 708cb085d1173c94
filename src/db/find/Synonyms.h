// English words of part names and the Chinese terms the catalogue uses for
// them, so that "circlip 20" finds 轴用弹性挡圈 whatever language its name is in.
#pragma once

#include <string_view>
#include <vector>

namespace qzdbs::find {

// The Chinese terms for a lower-case English word; empty for other words.
std::vector<std::string_view> ChineseTermsOf(std::string_view word);

}  // namespace qzdbs::find
