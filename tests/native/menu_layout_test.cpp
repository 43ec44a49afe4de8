#include <gtest/gtest.h>

#include "skin/menu_layout.h"

namespace {

const SkinRect kWork{0, 0, 1280, 1000};

MenuAnchor Anchor(int x, int y, MenuAlignH h, MenuAlignV v, bool vertical = false) {
  MenuAnchor a;
  a.x = x;
  a.y = y;
  a.h = h;
  a.v = v;
  a.vertical = vertical;
  return a;
}

TEST(MenuLayout, LabelSplitsAtTabAndFindsMnemonic) {
  MenuLabel l = SplitMenuLabel(u"Save &As...\tCtrl+Shift+S");
  EXPECT_EQ(u"Save &As...", l.label);
  EXPECT_EQ(u"Ctrl+Shift+S", l.accelerator);
  EXPECT_EQ(u'A', l.mnemonic);
  EXPECT_EQ(u't', SplitMenuLabel(u"R&&D &tools").mnemonic);  // "&&" is a plain ampersand
  EXPECT_EQ(0, SplitMenuLabel(u"Trailing&").mnemonic);
  EXPECT_EQ(0, SplitMenuLabel(u"A && B\t&X").mnemonic);  // none in the accelerator
}

TEST(MenuLayout, ItemsStackInsideTheFrameAndAreHit) {
  const auto rects = StackMenuItems({20, 7, 20}, 100, 3);
  ASSERT_EQ(3u, rects.size());
  EXPECT_EQ((SkinRect{3, 3, 97, 23}), rects[0]);
  EXPECT_EQ((SkinRect{3, 30, 97, 50}), rects[2]);
  EXPECT_EQ(1, MenuItemAt(rects, 50, 29));
  EXPECT_EQ(2, MenuItemAt(rects, 96, 30));
  EXPECT_EQ(-1, MenuItemAt(rects, 97, 30));  // the frame
  EXPECT_EQ(-1, MenuItemAt(rects, 50, 50));
}

TEST(MenuLayout, KeyboardMovesWrapSkipAndMnemonicsCycle) {
  const std::vector<bool> sel{true, false, false, true, true, false};
  EXPECT_EQ(0, NextSelectable(sel, -1, 1));
  EXPECT_EQ(4, NextSelectable(sel, -1, -1));
  EXPECT_EQ(3, NextSelectable(sel, 0, 1));
  EXPECT_EQ(0, NextSelectable(sel, 4, 1));  // wraps past the unselectable tail
  EXPECT_EQ(4, NextSelectable(sel, 0, -1));
  EXPECT_EQ(-1, NextSelectable({false, false}, -1, 1));

  const std::vector<char16_t> keys{u'O', u'S', 0, u'S', u'X'};
  EXPECT_TRUE(FindMnemonic(keys, u'O', 2).unique);
  EXPECT_EQ(0, FindMnemonic(keys, u'O', 2).index);
  EXPECT_FALSE(FindMnemonic(keys, u'S', -1).unique);
  EXPECT_EQ(1, FindMnemonic(keys, u'S', -1).index);
  EXPECT_EQ(3, FindMnemonic(keys, u'S', 1).index);
  EXPECT_EQ(1, FindMnemonic(keys, u'S', 3).index);
  EXPECT_EQ(-1, FindMnemonic(keys, 0, 0).index);  // items without one never match
}

TEST(MenuLayout, PopupAlignsFlipsAndStaysInsideTheWorkArea) {
  using H = MenuAlignH;
  using V = MenuAlignV;
  EXPECT_EQ((SkinRect{100, 200, 250, 300}),
            PlacePopupMenu(Anchor(100, 200, H::kLeft, V::kTop), 150, 100, kWork, nullptr));
  EXPECT_EQ((SkinRect{25, 100, 175, 200}),
            PlacePopupMenu(Anchor(100, 200, H::kCenter, V::kBottom), 150, 100, kWork, nullptr));
  // No room left of the point: a right-aligned menu opens to its right.
  EXPECT_EQ((SkinRect{100, 150, 250, 250}),
            PlacePopupMenu(Anchor(100, 200, H::kRight, V::kCenter), 150, 100, kWork, nullptr));
  // At the bottom-right corner a left/top menu opens up and to the left.
  EXPECT_EQ((SkinRect{1120, 890, 1270, 990}),
            PlacePopupMenu(Anchor(1270, 990, H::kLeft, V::kTop), 150, 100, kWork, nullptr));
  // Taller than the work area: pinned to its top.
  EXPECT_EQ(0, PlacePopupMenu(Anchor(20, 990, H::kLeft, V::kTop), 150, 1200, kWork, nullptr).top);

  // Below a button near the bottom: above it (vertical first) or beside it.
  const SkinRect button{100, 950, 180, 975};
  EXPECT_EQ((SkinRect{100, 850, 250, 950}),
            PlacePopupMenu(Anchor(100, 975, H::kLeft, V::kTop, true), 150, 100, kWork, &button));
  EXPECT_EQ((SkinRect{180, 875, 330, 975}),
            PlacePopupMenu(Anchor(100, 975, H::kLeft, V::kTop), 150, 100, kWork, &button));
  EXPECT_EQ((SkinRect{100, 840, 250, 940}),  // clear of it: left where it went
            PlacePopupMenu(Anchor(100, 940, H::kLeft, V::kTop, true), 150, 100, kWork, &button));
}

TEST(MenuLayout, SubMenuOpensRightOrLeftAndStaysOnScreen) {
  const SkinRect parent{100, 100, 300, 400}, item{103, 150, 297, 170};
  EXPECT_EQ((SkinRect{300, 150, 420, 250}), PlaceSubMenu(item, parent, 120, 100, kWork));
  EXPECT_EQ((SkinRect{980, 150, 1100, 250}),
            PlaceSubMenu(item, SkinRect{1100, 100, 1270, 400}, 120, 100, kWork));
  EXPECT_EQ(900, PlaceSubMenu(SkinRect{103, 980, 297, 1000}, parent, 120, 100, kWork).top);
}

}  // namespace
