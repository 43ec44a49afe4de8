#include <gtest/gtest.h>

#include "app/run_settings.h"
#include "app/simultaneous_choices.h"

namespace {

TEST(SimultaneousChoices, RowsGoUpToTheOfferedNumberThenAutomatic) {
  EXPECT_EQ(SimultaneousRows(1, u"Auto"), (std::vector<std::u16string>{u"1", u"Auto"}));
  EXPECT_EQ(SimultaneousRows(3, u"Auto"), (std::vector<std::u16string>{u"1", u"2", u"3", u"Auto"}));
  EXPECT_EQ(SimultaneousRows(MostSimultaneousOffered(64, 1), u"Auto"),
            (std::vector<std::u16string>{u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"Auto"}));
  // A machine that reports nothing still offers one.
  EXPECT_EQ(SimultaneousRows(MostSimultaneousOffered(0, 1), u"Auto"),
            (std::vector<std::u16string>{u"1", u"Auto"}));
}

TEST(SimultaneousChoices, EveryRowShowsTheChoiceItStandsFor) {
  for (int offered : {1, 2, 5, 8}) {
    const int rows = int(SimultaneousRows(offered, u"").size());
    for (int row = 0; row < rows; ++row)
      EXPECT_EQ(SimultaneousRowOf(SimultaneousChoiceAt(row, offered), offered), row)
          << offered << " offered, row " << row;
    EXPECT_EQ(SimultaneousChoiceAt(rows - 1, offered), kSimultaneousAutomatic);
    EXPECT_EQ(SimultaneousChoiceAt(0, offered), 1);
  }
}

TEST(SimultaneousChoices, AStoredNumberAboveTheProcessorsIsOfferedAsItRuns) {
  EXPECT_EQ(MostSimultaneousOffered(2, 1), 2);
  EXPECT_EQ(MostSimultaneousOffered(2, kSimultaneousAutomatic), 2);
  EXPECT_EQ(MostSimultaneousOffered(2, 5), 5);
  EXPECT_EQ(MostSimultaneousOffered(32, 3), 8);
  EXPECT_EQ(MostSimultaneousOffered(0, -3), 1);
  EXPECT_EQ(MostSimultaneousOffered(2, 1000), 8);
  // A 2-processor machine with 5 stored shows 5 picked, and Automatic after it.
  const int offered = MostSimultaneousOffered(2, 5);
  EXPECT_EQ(SimultaneousRowOf(5, offered), 4);
  EXPECT_EQ(SimultaneousChoiceAt(5, offered), kSimultaneousAutomatic);
  // Nothing a stray value holds falls outside the rows.
  EXPECT_EQ(SimultaneousRowOf(-3, 4), 0);
  EXPECT_EQ(SimultaneousRowOf(1000, 4), 3);
  EXPECT_EQ(SimultaneousRowOf(kSimultaneousAutomatic, 0), 1);
}

}  // namespace
