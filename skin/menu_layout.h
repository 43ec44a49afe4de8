// Layout and navigation of the engine's pop-up menus, apart from any window:
// item labels, stacking, keyboard moves and where a menu window goes.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "skin/skin_geometry.h"

// An item's text split at its first tab: the label (with its "&" marks, drawn
// by the platform's prefix drawing) and the accelerator text shown at the right.
struct MenuLabel {
  std::u16string label;
  std::u16string accelerator;
  char16_t mnemonic = 0;  // the character after a single "&", as written
};
MenuLabel SplitMenuLabel(std::u16string_view text);

// Rectangles of items of the given heights stacked inside a frame of `border`
// pixels; `width` is the menu window's outer width.
std::vector<SkinRect> StackMenuItems(const std::vector<int>& heights, int width, int border);
// The index of the item at (x, y), or -1.
int MenuItemAt(const std::vector<SkinRect>& items, int x, int y);

// The next item that can be selected from `current` going by `step` (+1 or
// -1), wrapping; from -1 the first (or last). -1 when there is none.
int NextSelectable(const std::vector<bool>& selectable, int current, int step);

// An item with the (already case-folded) mnemonic `key`, searched after
// `current` and wrapping; `unique` when it is the only one.
struct MnemonicMatch {
  int index = -1;
  bool unique = false;
};
MnemonicMatch FindMnemonic(const std::vector<char16_t>& mnemonics, char16_t key, int current);

// Where a menu of `width` x `height` opens for the point (x, y).
enum class MenuAlignH { kLeft, kCenter, kRight };
enum class MenuAlignV { kTop, kCenter, kBottom };
struct MenuAnchor {
  int x = 0;
  int y = 0;
  MenuAlignH h = MenuAlignH::kLeft;
  MenuAlignV v = MenuAlignV::kTop;
  bool vertical = false;  // when avoiding `exclude`, move up or down first
};
// Kept inside `work`: a menu that does not fit on its side of the point is
// flipped to the other side before it is pushed in; a menu that would cover
// `exclude` is moved beside it (or above or below it) where there is room.
SkinRect PlacePopupMenu(const MenuAnchor& anchor, int width, int height, const SkinRect& work,
                        const SkinRect* exclude);
// A sub-menu beside its parent's `item` (screen rectangle), to the right of
// the parent window `parent` or to its left when there is no room.
SkinRect PlaceSubMenu(const SkinRect& item, const SkinRect& parent, int width, int height,
                      const SkinRect& work);
