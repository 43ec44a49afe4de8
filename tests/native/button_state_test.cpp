#include <gtest/gtest.h>

#include "skin/button_state.h"

namespace {

int StateFor(uint32_t style, ButtonFlags f) {
  const ButtonFlags base = ButtonFlagsForStyle(style);
  f.isDefault = base.isDefault;
  f.threeState = base.threeState;
  return ButtonStateOf(ButtonKindOf(style), f);
}

TEST(ButtonKind, PushLikeAndOverride) {
  EXPECT_EQ(ButtonKindOf(kBtAutoCheckBox | kBsPushLike), ButtonKind::kPush);
  EXPECT_EQ(ButtonKindOf(kBtRadioButton | kBsPushLike), ButtonKind::kPush);
  EXPECT_EQ(ButtonKindOf(kBtAuto3State | kBsMultiLine), ButtonKind::kCheck);
  EXPECT_EQ(ButtonKindOf(15), ButtonKind::kOwnerDraw);
  EXPECT_EQ(ButtonKindOf(kBtPushButton, kBtGroupBox), ButtonKind::kGroup);
  EXPECT_EQ(ButtonPartOf(ButtonKindOf(kBtAutoRadioButton)), 2);
  EXPECT_EQ(ButtonPartOf(ButtonKindOf(kBtCheckBox)), 3);
  EXPECT_EQ(ButtonPartOf(ButtonKindOf(kBtPushBox)), 0);
}

TEST(ButtonState, PushButtonPrecedence) {
  EXPECT_EQ(StateFor(kBtDefPushButton, {}), 5);
  EXPECT_EQ(StateFor(kBtPushButton, {}), 1);
  ButtonFlags f;
  f.disabled = f.pushed = f.hot = true;
  EXPECT_EQ(StateFor(kBtDefPushButton, f), 4);
  f.disabled = false;
  EXPECT_EQ(StateFor(kBtDefPushButton, f), 3);
  f.pushed = false;
  EXPECT_EQ(StateFor(kBtDefPushButton, f), 2);
  f.hot = false;
  f.capturing = true;
  EXPECT_EQ(StateFor(kBtPushButton, f), 2);
  // A checked push-like box looks pressed when idle, hot when hovered.
  ButtonFlags checked;
  checked.check = 1;
  EXPECT_EQ(StateFor(kBtAutoCheckBox | kBsPushLike, checked), 3);
  checked.hot = true;
  EXPECT_EQ(StateFor(kBtAutoCheckBox | kBsPushLike, checked), 2);
}

TEST(ButtonState, CheckBoxAndRadio) {
  ButtonFlags f;
  f.hot = true;
  f.check = 1;
  EXPECT_EQ(StateFor(kBtAutoCheckBox, f), 6);
  f.check = 2;
  EXPECT_EQ(StateFor(kBtAuto3State, f), 10);
  EXPECT_EQ(StateFor(kBtAutoCheckBox, f), 6);  // two-state types know no mixed look
  f.hot = false;
  EXPECT_EQ(StateFor(kBt3State, f), 9);
  f.pushed = true;
  EXPECT_EQ(StateFor(kBt3State, f), 11);
  f.disabled = true;
  EXPECT_EQ(StateFor(kBt3State, f), 12);
  f.check = 0;
  EXPECT_EQ(StateFor(kBtCheckBox, f), 4);

  ButtonFlags r;
  EXPECT_EQ(StateFor(kBtAutoRadioButton, r), 1);
  r.check = 1;
  EXPECT_EQ(StateFor(kBtAutoRadioButton, r), 5);
  r.disabled = true;
  EXPECT_EQ(StateFor(kBtRadioButton, r), 8);

  EXPECT_EQ(StateFor(kBtGroupBox, {}), 1);
  EXPECT_EQ(StateFor(kBtGroupBox, r), 2);
  EXPECT_EQ(StateFor(kBtUserButton, r), 0);
}

TEST(ButtonLayout, GlyphAndContent) {
  const SkinRect client{0, 0, 100, 20};
  EXPECT_EQ(ButtonGlyphRect(client, 13, 13, kBtAutoCheckBox, 13), (SkinRect{0, 3, 13, 16}));
  EXPECT_EQ(ButtonGlyphRect(client, 13, 13, kBtAutoCheckBox | kBsRightButton, 13),
            (SkinRect{87, 3, 100, 16}));
  // Top and bottom use the blank height: (13 + 3 - 13) / 2 from either edge.
  EXPECT_EQ(ButtonGlyphRect(client, 13, 13, kBtAutoCheckBox | kBsTop, 13).top, 1);
  EXPECT_EQ(ButtonGlyphRect(client, 13, 13, kBtAutoCheckBox | kBsBottom, 13).top, 5);

  EXPECT_EQ(ButtonContentRect(client, ButtonKind::kCheck, 0, 13, 2, 2), (SkinRect{16, 0, 100, 20}));
  EXPECT_EQ(ButtonContentRect(client, ButtonKind::kRadio, kBsRightButton, 12, 2, 2),
            (SkinRect{0, 0, 85, 20}));
  EXPECT_EQ(ButtonContentRect(client, ButtonKind::kPush, 0, 13, 2, 3), (SkinRect{2, 3, 98, 17}));

  EXPECT_EQ(ButtonHAlignOf(0, ButtonKind::kPush), ButtonHAlign::kCenter);
  EXPECT_EQ(ButtonHAlignOf(0, ButtonKind::kCheck), ButtonHAlign::kLeft);
}

TEST(ButtonLayout, GroupBoxCaption) {
  const SkinRect client{0, 0, 200, 100};
  EXPECT_EQ(GroupBoxFrameRect(client, 13).top, 6);
  const SkinRect left = GroupBoxCaptionRect(client, ButtonHAlign::kLeft, 40, 13, 1, 2);
  EXPECT_EQ(left, (SkinRect{9, 0, 53, 13}));
  EXPECT_EQ(GroupBoxCaptionRect(client, ButtonHAlign::kRight, 40, 13, 1, 2).right, 193);
  EXPECT_EQ(GroupBoxCaptionRect(client, ButtonHAlign::kCenter, 40, 13, 1, 2).left, 79);
  EXPECT_EQ(GroupBoxCaptionFillRect(left, 2), (SkinRect{7, 0, 53, 13}));
}

}  // namespace
