// The spin object: an up-down control's two arrow buttons painted with the
// "SPIN" class, each hot under the mouse and pressed while held.
#pragma once
#include <windows.h>

#include "skin/win/objects/skin_object.h"

class CSkinObjectSpin : public CSkinObject {
 public:
  const char16_t* ThemeClassName() const override { return u"SPIN"; }
  bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  void Paint(HDC hdc);
  // 0 for the first button (up, or left), 1 for the second, -1 outside.
  int ButtonAt(LPARAM point) const;
  void SetHot(int button);

  int m_hot = -1;
  int m_pressed = -1;
};
