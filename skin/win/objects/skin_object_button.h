// The button object: push buttons, check boxes, radio buttons and group boxes
// painted with the "BUTTON" class, one painter per kind of button; owner-drawn
// buttons keep their own painting.
#pragma once
#include <windows.h>

#include <cstdint>

#include "skin/button_state.h"
#include "skin/win/objects/skin_object.h"

class CSkinObjectButton : public CSkinObject {
 public:
  const char16_t* ThemeClassName() const override { return u"BUTTON"; }
  bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  void Paint(HDC hdc);

 private:
  // The state the look follows, for a button of this style.
  ButtonFlags Flags(uint32_t style) const;

  bool m_hot = false;
  bool m_pushed = false;
  int m_typeOverride = 255;  // 255: the type is the style's low four bits
};
