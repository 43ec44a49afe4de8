// The scroll bars a skinned window shows in its non-client area: laid out from
// the window's scroll information, drawn with the "SCROLLBAR" class, hot under
// the mouse and tracked while pressed. A part of the objects that draw their
// window's non-client area.
#pragma once
#include <windows.h>

#include "skin/win/objects/skin_scroll_track.h"

class CSkinObjectNonClient;

class SkinScrollBars {
 public:
  explicit SkinScrollBars(CSkinObjectNonClient& owner) : m_owner(owner) {}

  // Window relative.
  RECT Rect(bool vertical) const;
  // The bars shown and their layout, from the window's style and scroll
  // information (a dragged thumb keeps its place).
  void Update();
  // HTVSCROLL, HTHSCROLL, the size-box code of the corner between them, or 0.
  LRESULT HitTest(POINT windowPoint) const;
  // The hot parts follow the mouse (hit code and window point of a
  // non-client move; 0 when it left) and are redrawn when they changed.
  // True while any part is hot.
  bool SetHot(int hit, POINT windowPoint);
  bool StillHot(POINT windowPoint) const;

  void Draw(HDC hdc);
  // Updates, then draws into the window's device context.
  void Redraw();
  // A press on a bar, tracked until the button is released.
  void Track(bool vertical, POINT screen, bool shift);
  // Whether the scroll information moved since the bars were last laid out.
  bool InfoChanged() const;

  const SkinScrollBar* For(int bar) const;

 private:
  CSkinObjectNonClient& m_owner;
  SkinScrollBar m_vbar;
  SkinScrollBar m_hbar;
  SCROLLINFO m_lastV = {};
  SCROLLINFO m_lastH = {};
};
