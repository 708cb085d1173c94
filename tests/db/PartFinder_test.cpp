// The search over a small library named the GB way: what users type, and the
// part, row and typed values that must come first.
#include <gtest/gtest.h>

#include "db/find/PartFinder.h"
#include "support/ScratchLibrary.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

using Set = std::vector<std::pair<std::string, std::string>>;

struct Case {
  std::string typed;
  int32_t part;  // 0: no hit at all
  int32_t row;
  Set set;
};

TEST(PartFinder, FirstHitForWhatUsersType) {
  ScratchLibrary library(SchemaSql() +
                         ReadText(TestDataDir() / "libraries" / "gb-search-library.sql"));
  find::PartFinder finder;
  finder.AddLibrary(library.Path());
  // Parts: 1 bolt GB/T 5782 (M10x40, M10x50, M12x60, M12x70, M12x80), 2 screw
  // GB/T 5783 (M12x60, M12x80), 3 nut GB/T 6170 (M12, M16), 4 bearing 62
  // series (6204, 6205), 5 circlip GB/T 894 (d 18, 20, 22).
  const Case cases[] = {
      {"GB/T 5782", 1, 1, {}},
      {"GB5782", 1, 1, {}},
      {"gb 5782-2016", 1, 1, {}},
      {"ＧＢ／Ｔ　５７８２", 1, 1, {}},
      {"ISO4014", 1, 1, {}},
      {"iso 4014:2011", 1, 1, {}},
      {"DIN 931", 1, 1, {}},  // by the twin table alone
      {"DIN 933", 2, 1, {}},
      {"5782", 1, 1, {}},
      {"GB/T 57820", 0, 0, {}},
      {"M12x60", 1, 3, {}},
      {"M12×80", 1, 5, {}},
      {"M12*70", 1, 4, {}},
      {"M12 x 65", 1, 3, {{"L", "65"}}},
      {"M12x300", 1, 3, {}},  // beyond every row: the size, nothing typed
      {"M10 L=45", 1, 1, {{"L", "45"}}},
      {"螺栓 GB/T 5782 M12×80", 1, 5, {}},
      {"GB/T 5783 M12x80", 2, 2, {}},
      {"M16", 3, 2, {}},
      {"ISO 4032 M16", 3, 2, {}},
      {"GB/T 5782 M16", 1, 1, {}},  // the standard rules out the nut
      {"6204", 4, 1, {}},
      {"6204-2RS", 4, 1, {}},
      {"6205zz", 4, 2, {}},
      {"深沟球轴承 6205", 4, 2, {}},
      {"轴承6205", 4, 2, {}},
      {"D=52", 4, 2, {}},
      {"d=22", 5, 3, {}},
      {"d=20", 5, 2, {}},  // the circlip is sized by d, the bearing by its code
      {"circlip 20", 5, 2, {}},
      {"retaining rings", 5, 1, {}},
      {"六角螺母", 3, 1, {}},
      {"hexagon nut M16", 3, 2, {}},
      {"nonsense words", 0, 0, {}},
      {"", 0, 0, {}},
  };
  for (const auto& c : cases) {
    auto hits = finder.Find(c.typed);
    if (c.part == 0) {
      EXPECT_TRUE(hits.empty()) << c.typed << " found " << hits.front().part;
      continue;
    }
    ASSERT_FALSE(hits.empty()) << c.typed;
    EXPECT_EQ(hits[0].partID, c.part) << c.typed << " found " << hits[0].part;
    EXPECT_EQ(hits[0].row, c.row) << c.typed;
    EXPECT_EQ(hits[0].set, c.set) << c.typed;
    EXPECT_EQ(hits[0].library, library.Path()) << c.typed;
  }
}

}  // namespace
}  // namespace qzdbs::test
