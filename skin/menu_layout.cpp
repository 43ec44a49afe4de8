#include "skin/menu_layout.h"

#include <algorithm>

MenuLabel SplitMenuLabel(std::u16string_view text) {
  MenuLabel out;
  const size_t tab = text.find(u'\t');
  out.label = std::u16string(text.substr(0, tab));
  if (tab != std::u16string_view::npos) out.accelerator = std::u16string(text.substr(tab + 1));
  for (size_t i = 0; i + 1 < out.label.size(); ++i) {
    if (out.label[i] != u'&') continue;
    if (out.label[i + 1] != u'&') {
      out.mnemonic = out.label[i + 1];
      break;
    }
    ++i;  // "&&" is a plain ampersand
  }
  return out;
}

std::vector<SkinRect> StackMenuItems(const std::vector<int>& heights, int width, int border) {
  std::vector<SkinRect> rects;
  rects.reserve(heights.size());
  int y = border;
  for (int h : heights) {
    rects.push_back(SkinRect{border, y, width - border, y + h});
    y += h;
  }
  return rects;
}

int MenuItemAt(const std::vector<SkinRect>& items, int x, int y) {
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].Contains(x, y)) return int(i);
  return -1;
}

int NextSelectable(const std::vector<bool>& selectable, int current, int step) {
  const int n = int(selectable.size());
  if (n == 0) return -1;
  int i = current;
  if (i < 0 || i >= n) i = step > 0 ? n - 1 : 0;
  for (int k = 0; k < n; ++k) {
    i = (i + step + n) % n;
    if (selectable[i]) return i;
  }
  return -1;
}

MnemonicMatch FindMnemonic(const std::vector<char16_t>& mnemonics, char16_t key, int current) {
  MnemonicMatch match;
  const int n = int(mnemonics.size());
  if (key == 0 || n == 0) return match;
  int count = 0;
  const int start = current >= 0 && current < n ? current : n - 1;
  for (int k = 1; k <= n; ++k) {
    const int i = (start + k) % n;
    if (mnemonics[i] != key) continue;
    if (match.index < 0) match.index = i;
    ++count;
  }
  match.unique = count == 1;
  return match;
}

namespace {

// Start of a span of `size` aligned at `at` (0 start, 1 middle, 2 end), flipped
// to the other side of `at` when it leaves [lo, hi) and then pushed inside.
int Fit(int at, int size, int align, int lo, int hi) {
  int start = align == 0 ? at : align == 1 ? at - size / 2 : at - size;
  if (start + size > hi && align == 0 && at - size >= lo) start = at - size;
  if (start < lo && align == 2 && at + size <= hi) start = at;
  start = std::min(start, hi - size);
  return std::max(start, lo);
}

bool Overlaps(const SkinRect& a, const SkinRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Moves `r` off `ex` along one axis when there is room on either side.
bool MoveAside(SkinRect& r, const SkinRect& ex, const SkinRect& work, bool vertical) {
  const int size = vertical ? r.Height() : r.Width();
  const int lo = vertical ? work.top : work.left, hi = vertical ? work.bottom : work.right;
  const int before = vertical ? ex.top : ex.left, after = vertical ? ex.bottom : ex.right;
  int start;
  if (after + size <= hi)
    start = after;
  else if (before - size >= lo)
    start = before - size;
  else
    return false;
  if (vertical)
    r = SkinRect{r.left, start, r.right, start + size};
  else
    r = SkinRect{start, r.top, start + size, r.bottom};
  return true;
}

}  // namespace

SkinRect PlacePopupMenu(const MenuAnchor& anchor, int width, int height, const SkinRect& work,
                        const SkinRect* exclude) {
  const int left = Fit(anchor.x, width, int(anchor.h), work.left, work.right);
  const int top = Fit(anchor.y, height, int(anchor.v), work.top, work.bottom);
  SkinRect r{left, top, left + width, top + height};
  if (exclude && !exclude->IsEmpty() && Overlaps(r, *exclude)) {
    if (!MoveAside(r, *exclude, work, anchor.vertical))
      MoveAside(r, *exclude, work, !anchor.vertical);
  }
  return r;
}

SkinRect PlaceSubMenu(const SkinRect& item, const SkinRect& parent, int width, int height,
                      const SkinRect& work) {
  int left = parent.right;
  if (left + width > work.right && parent.left - width >= work.left) left = parent.left - width;
  left = std::max(std::min(left, work.right - width), work.left);
  int top = std::min(item.top, work.bottom - height);
  top = std::max(top, work.top);
  return SkinRect{left, top, left + width, top + height};
}
