// Which theme part and state a skinned button draws, and where its glyph,
// caption and content go. Styles are the platform's button style bits.
#pragma once
#include <cstdint>

#include "skin/skin_geometry.h"

// Button style bits used here (the platform's values).
enum ButtonStyleBits : uint32_t {
  kBsTypeMask = 0x000F,
  kBsRightButton = 0x0020,
  kBsIcon = 0x0040,
  kBsBitmap = 0x0080,
  kBsLeft = 0x0100,
  kBsRight = 0x0200,
  kBsCenter = 0x0300,
  kBsTop = 0x0400,
  kBsBottom = 0x0800,
  kBsVCenter = 0x0C00,
  kBsPushLike = 0x1000,
  kBsMultiLine = 0x2000,
};

// Button types, the low four bits of the style.
enum ButtonType {
  kBtPushButton = 0,
  kBtDefPushButton = 1,
  kBtCheckBox = 2,
  kBtAutoCheckBox = 3,
  kBtRadioButton = 4,
  kBt3State = 5,
  kBtAuto3State = 6,
  kBtGroupBox = 7,
  kBtUserButton = 8,
  kBtAutoRadioButton = 9,
  kBtPushBox = 10,
  kBtOwnerDraw = 11,
};

// How a button is drawn.
enum class ButtonKind { kPush, kCheck, kRadio, kGroup, kUser, kPushBox, kOwnerDraw };

// Theme parts of the "BUTTON" class.
enum ButtonPart {
  kBpNone = 0,
  kBpPushButton = 1,
  kBpRadioButton = 2,
  kBpCheckBox = 3,
  kBpGroupBox = 4
};

// The type override of 255 means "take the style's low four bits".
constexpr int kButtonTypeFromStyle = 255;
int ButtonTypeOf(uint32_t style, int typeOverride = kButtonTypeFromStyle);

// Push-like check boxes and radio buttons are drawn as push buttons.
ButtonKind ButtonKindOf(uint32_t style, int typeOverride = kButtonTypeFromStyle);
int ButtonPartOf(ButtonKind kind);

struct ButtonFlags {
  bool disabled = false;
  bool pushed = false;      // the last push-state message asked for the pushed look
  bool hot = false;         // the mouse is over the client area
  bool capturing = false;   // the window holds the mouse capture
  int check = 0;            // 0 unchecked, 1 checked, 2 indeterminate
  bool isDefault = false;   // default push button
  bool threeState = false;  // three-state check box types
};

// Fills isDefault and threeState from the style's type.
ButtonFlags ButtonFlagsForStyle(uint32_t style, int typeOverride = kButtonTypeFromStyle);

int PushButtonState(const ButtonFlags& f);
int CheckBoxState(const ButtonFlags& f);  // 9 to 12 for an indeterminate three-state box
int RadioButtonState(const ButtonFlags& f);
int GroupBoxState(const ButtonFlags& f);
// The state for the kind's part; 0 for kinds without a part.
int ButtonStateOf(ButtonKind kind, const ButtonFlags& f);

enum class ButtonHAlign { kLeft, kCenter, kRight };
enum class ButtonVAlign { kTop, kCenter, kBottom };
// Alignment from the style; without bits push buttons centre and the others
// align left, and all centre vertically.
ButtonHAlign ButtonHAlignOf(uint32_t style, ButtonKind kind);
ButtonVAlign ButtonVAlignOf(uint32_t style);

// Glyph size when the theme gives none.
constexpr int kDefaultGlyphSize = 13;

// The check box or radio button glyph: at the left edge (right edge with the
// right-button style); centred vertically, or placed by the blank height of
// the window's font for the top and bottom styles.
SkinRect ButtonGlyphRect(const SkinRect& client, int glyphWidth, int glyphHeight, uint32_t style,
                         int blankHeight);

// The content rectangle of push buttons, check boxes and radio buttons: push
// buttons lose the edge on each side, boxes lose the glyph width plus 3 on the
// glyph's side.
SkinRect ButtonContentRect(const SkinRect& client, ButtonKind kind, uint32_t style, int glyphWidth,
                           int edgeWidth, int edgeHeight);

// Group box frame: the client rectangle with its top lowered by half a blank.
SkinRect GroupBoxFrameRect(const SkinRect& client, int blankHeight);

// Group box caption (also its content rectangle): the text plus an edge on
// either side, in the top frame line, placed by the horizontal alignment.
SkinRect GroupBoxCaptionRect(const SkinRect& client, ButtonHAlign align, int textWidth,
                             int textHeight, int borderWidth, int edgeWidth);

// The area filled behind the caption to break the frame line: the caption
// widened by the edge width on the left.
SkinRect GroupBoxCaptionFillRect(const SkinRect& caption, int edgeWidth);
