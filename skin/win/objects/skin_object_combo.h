// The combo box object (also the date-time picker's): the drop-down button
// and border in the theme's "COMBOBOX" parts around the system's own text.
#pragma once
#include <windows.h>

#include "skin/win/objects/skin_object.h"

class ThemeClass;

class CSkinObjectComboBox : public CSkinObject {
 public:
  const char16_t* ThemeClassName() const override { return u"COMBOBOX"; }
  bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 protected:
  void OnAttached() override;

 private:
  void Paint(HDC target);
  int State() const;
  void PaintBorder(HDC dc, const ThemeClass& theme, int state, HBRUSH brush, RECT& area);
  void PaintSimpleBorder(HDC hdc);
  HBRUSH BackgroundBrush(HDC hdc);

  bool m_hot = false;
  bool m_inDefaultPaint = false;
};
