// The terms of the GB class names and the usual part names.
#include "db/find/Synonyms.h"

#include <array>
#include <utility>

namespace qzdbs::find {

namespace {

using Pair = std::pair<std::string_view, std::string_view>;

constexpr std::array kTerms = {
    Pair{"bolt", "螺栓"},       Pair{"screw", "螺钉"},    Pair{"stud", "螺柱"},
    Pair{"nut", "螺母"},        Pair{"washer", "垫圈"},   Pair{"pin", "销"},
    Pair{"key", "键"},          Pair{"bearing", "轴承"},  Pair{"flange", "法兰"},
    Pair{"circlip", "挡圈"},    Pair{"ring", "挡圈"},     Pair{"clip", "挡圈"},
    Pair{"rivet", "铆钉"},      Pair{"hexagon", "六角"},  Pair{"hex", "六角"},
    Pair{"socket", "内六角"},   Pair{"set", "紧定"},      Pair{"grub", "紧定"},
    Pair{"spring", "弹簧"},     Pair{"spring", "弹性"},   Pair{"ball", "球"},
    Pair{"roller", "滚子"},     Pair{"thrust", "推力"},   Pair{"taper", "圆锥"},
    Pair{"tapered", "圆锥"},    Pair{"parallel", "圆柱"}, Pair{"cylindrical", "圆柱"},
    Pair{"split", "开口"},      Pair{"cotter", "开口销"}, Pair{"countersunk", "沉头"},
    Pair{"pan", "盘头"},        Pair{"thin", "薄"},       Pair{"plain", "平垫"},
    Pair{"flat", "平"},         Pair{"deep", "深沟"},     Pair{"groove", "沟"},
    Pair{"shaft", "轴用"},      Pair{"bore", "孔用"},     Pair{"woodruff", "半圆键"},
    Pair{"cheese", "圆柱头"},   Pair{"cap", "圆柱头"},    Pair{"slotted", "开槽"},
    Pair{"cross", "十字槽"},    Pair{"lock", "锁紧"},     Pair{"angular", "角接触"},
    Pair{"castle", "开槽螺母"}, Pair{"weld", "焊"},       Pair{"blind", "盲板"},
    Pair{"fine", "细牙"},       Pair{"button", "平圆头"}, Pair{"dowel", "销"},
};

}  // namespace

std::vector<std::string_view> ChineseTermsOf(std::string_view word) {
  std::vector<std::string_view> terms;
  for (const auto& [english, chinese] : kTerms)
    if (english == word) terms.push_back(chinese);
  return terms;
}

}  // namespace qzdbs::find
