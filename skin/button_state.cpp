#include "skin/button_state.h"

int ButtonTypeOf(uint32_t style, int typeOverride) {
  if (typeOverride != kButtonTypeFromStyle) return typeOverride;
  return int(style & kBsTypeMask);
}

ButtonKind ButtonKindOf(uint32_t style, int typeOverride) {
  const bool pushLike = (style & kBsPushLike) != 0;
  switch (ButtonTypeOf(style, typeOverride)) {
    case kBtPushButton:
    case kBtDefPushButton:
      return ButtonKind::kPush;
    case kBtCheckBox:
    case kBtAutoCheckBox:
    case kBt3State:
    case kBtAuto3State:
      return pushLike ? ButtonKind::kPush : ButtonKind::kCheck;
    case kBtRadioButton:
    case kBtAutoRadioButton:
      return pushLike ? ButtonKind::kPush : ButtonKind::kRadio;
    case kBtGroupBox:
      return ButtonKind::kGroup;
    case kBtUserButton:
      return ButtonKind::kUser;
    case kBtPushBox:
      return ButtonKind::kPushBox;
    default:
      return ButtonKind::kOwnerDraw;
  }
}

int ButtonPartOf(ButtonKind kind) {
  switch (kind) {
    case ButtonKind::kPush:
      return kBpPushButton;
    case ButtonKind::kCheck:
      return kBpCheckBox;
    case ButtonKind::kRadio:
      return kBpRadioButton;
    case ButtonKind::kGroup:
      return kBpGroupBox;
    default:
      return kBpNone;
  }
}

ButtonFlags ButtonFlagsForStyle(uint32_t style, int typeOverride) {
  ButtonFlags f;
  const int type = ButtonTypeOf(style, typeOverride);
  f.isDefault = type == kBtDefPushButton;
  f.threeState = type == kBt3State || type == kBtAuto3State;
  return f;
}

int PushButtonState(const ButtonFlags& f) {
  if (f.disabled) return 4;
  if (f.pushed) return 3;
  if (f.hot || f.capturing) return 2;
  if (f.check != 0) return 3;  // a push-like box that is checked stays down
  if (f.isDefault) return 5;
  return 1;
}

namespace {

int BoxBase(const ButtonFlags& f) {
  if (f.disabled) return 4;
  if (f.pushed) return 3;
  if (f.hot || f.capturing) return 2;
  return 1;
}

}  // namespace

int CheckBoxState(const ButtonFlags& f) {
  int state = BoxBase(f);
  if (f.check != 0) state += 4;
  if (f.check == 2 && f.threeState) state += 4;
  return state;
}

int RadioButtonState(const ButtonFlags& f) {
  return BoxBase(f) + (f.check != 0 ? 4 : 0);
}

int GroupBoxState(const ButtonFlags& f) {
  return f.disabled ? 2 : 1;
}

int ButtonStateOf(ButtonKind kind, const ButtonFlags& f) {
  switch (kind) {
    case ButtonKind::kPush:
      return PushButtonState(f);
    case ButtonKind::kCheck:
      return CheckBoxState(f);
    case ButtonKind::kRadio:
      return RadioButtonState(f);
    case ButtonKind::kGroup:
      return GroupBoxState(f);
    default:
      return 0;
  }
}

ButtonHAlign ButtonHAlignOf(uint32_t style, ButtonKind kind) {
  switch (style & kBsCenter) {
    case kBsLeft:
      return ButtonHAlign::kLeft;
    case kBsRight:
      return ButtonHAlign::kRight;
    case kBsCenter:
      return ButtonHAlign::kCenter;
    default:
      return kind == ButtonKind::kPush ? ButtonHAlign::kCenter : ButtonHAlign::kLeft;
  }
}

ButtonVAlign ButtonVAlignOf(uint32_t style) {
  switch (style & kBsVCenter) {
    case kBsTop:
      return ButtonVAlign::kTop;
    case kBsBottom:
      return ButtonVAlign::kBottom;
    default:
      return ButtonVAlign::kCenter;
  }
}

SkinRect ButtonGlyphRect(const SkinRect& client, int glyphWidth, int glyphHeight, uint32_t style,
                         int blankHeight) {
  const int h = blankHeight;
  SkinRect r;
  r.left = (style & kBsRightButton) ? client.right - glyphWidth : client.left;
  switch (ButtonVAlignOf(style)) {
    case ButtonVAlign::kTop:
      r.top = client.top + (h + h / 4 - glyphHeight) / 2;
      break;
    case ButtonVAlign::kBottom:
      r.top = client.bottom + (h + h / 4 - glyphHeight) / 2 - h - h / 4;
      break;
    case ButtonVAlign::kCenter:
      r.top = client.top + (client.Height() - glyphHeight) / 2;
      break;
  }
  r.right = r.left + glyphWidth;
  r.bottom = r.top + glyphHeight;
  return r;
}

SkinRect ButtonContentRect(const SkinRect& client, ButtonKind kind, uint32_t style, int glyphWidth,
                           int edgeWidth, int edgeHeight) {
  SkinRect r = client;
  if (kind == ButtonKind::kPush) {
    r.left += edgeWidth;
    r.right -= edgeWidth;
    r.top += edgeHeight;
    r.bottom -= edgeHeight;
  } else if (kind == ButtonKind::kCheck || kind == ButtonKind::kRadio) {
    if (style & kBsRightButton) {
      r.right -= glyphWidth + 3;
    } else {
      r.left += glyphWidth + 3;
    }
  }
  return r;
}

SkinRect GroupBoxFrameRect(const SkinRect& client, int blankHeight) {
  SkinRect r = client;
  r.top += blankHeight / 2;
  return r;
}

SkinRect GroupBoxCaptionRect(const SkinRect& client, ButtonHAlign align, int textWidth,
                             int textHeight, int borderWidth, int edgeWidth) {
  const int width = textWidth + 2 * edgeWidth;
  SkinRect r;
  switch (align) {
    case ButtonHAlign::kLeft:
      r.left = client.left + borderWidth + 8;
      break;
    case ButtonHAlign::kRight:
      r.left = client.right - 6 - borderWidth - width;
      break;
    case ButtonHAlign::kCenter:
      r.left = client.left + (client.Width() - width) / 2 + borderWidth;
      break;
  }
  r.right = r.left + width;
  r.top = client.top;
  r.bottom = client.top + textHeight;
  return r;
}

SkinRect GroupBoxCaptionFillRect(const SkinRect& caption, int edgeWidth) {
  SkinRect r = caption;
  r.left -= edgeWidth;
  return r;
}
