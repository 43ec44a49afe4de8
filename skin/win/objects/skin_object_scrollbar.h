// The scroll bar object: a scroll bar control drawn with the "SCROLLBAR"
// class and tracked by the engine, notifying its parent.
#pragma once
#include <windows.h>

#include "skin/win/objects/skin_object.h"
#include "skin/win/objects/skin_scroll_track.h"

class CSkinObjectScrollBar : public CSkinObject {
 public:
  const char16_t* ThemeClassName() const override { return u"SCROLLBAR"; }
  bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  const SkinScrollBar* ScrollBarFor(int bar) const override {
    return bar == SB_CTL ? &m_bar : nullptr;
  }

 private:
  void Paint(HDC hdc);

  SkinScrollBar m_bar;
};
