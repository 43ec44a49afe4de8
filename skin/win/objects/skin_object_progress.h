// The progress object: the bar and its chunks, continuous or spaced, and the
// marquee, painted with the theme's "PROGRESS" parts.
#pragma once
#include <windows.h>

#include "skin/win/objects/skin_object.h"

class CSkinObjectProgress : public CSkinObject {
 public:
  const char16_t* ThemeClassName() const override { return u"PROGRESS"; }
  void SkinChanged(int oldEnabled, int newEnabled) override;
  bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  void Paint(HDC hdc);

 protected:
  void OnAttached() override;

 private:
  // No static edge while the skin (or the system's visual style) draws the bar.
  void FixStaticEdge();
  void StepMarquee(int steps);

  int m_marqueeOffset = 0;
  int m_marqueeInterval = 0;
};
