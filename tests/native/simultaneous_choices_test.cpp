#include <gtest/gtest.h>

#include "app/run_settings.h"
#include "app/simultaneous_choices.h"

namespace {

TEST(SimultaneousChoices, RowsGoUpToTheProcessorsAtMostEightThenAutomatic) {
  EXPECT_EQ(SimultaneousRows(1, u"Auto"), (std::vector<std::u16string>{u"1", u"Auto"}));
  EXPECT_EQ(SimultaneousRows(3, u"Auto"), (std::vector<std::u16string>{u"1", u"2", u"3", u"Auto"}));
  EXPECT_EQ(SimultaneousRows(64, u"Auto"),
            (std::vector<std::u16string>{u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"Auto"}));
  // A machine that reports nothing still offers one.
  EXPECT_EQ(SimultaneousRows(0, u"Auto"), (std::vector<std::u16string>{u"1", u"Auto"}));
}

TEST(SimultaneousChoices, EveryRowShowsTheChoiceItStandsFor) {
  for (int processors : {1, 2, 5, 8, 16}) {
    const int rows = int(SimultaneousRows(processors, u"").size());
    for (int row = 0; row < rows; ++row)
      EXPECT_EQ(SimultaneousRowOf(SimultaneousChoiceAt(row, processors), processors), row)
          << processors << " processors, row " << row;
    EXPECT_EQ(SimultaneousChoiceAt(rows - 1, processors), kSimultaneousAutomatic);
    EXPECT_EQ(SimultaneousChoiceAt(0, processors), 1);
  }
}

TEST(SimultaneousChoices, AChoiceFromALargerMachineShowsAsTheLargestOffered) {
  EXPECT_EQ(SimultaneousRowOf(8, 2), 1);
  EXPECT_EQ(SimultaneousRowOf(8, 8), 7);
  EXPECT_EQ(SimultaneousRowOf(kSimultaneousAutomatic, 2), 2);
  EXPECT_EQ(SimultaneousRowOf(kSimultaneousAutomatic, 32), 8);
  // Nothing a stray value holds falls outside the rows.
  EXPECT_EQ(SimultaneousRowOf(-3, 4), 0);
  EXPECT_EQ(SimultaneousRowOf(1000, 4), 3);
}

}  // namespace
