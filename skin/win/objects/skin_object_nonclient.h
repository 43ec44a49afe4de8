// A window whose non-client area the skin draws: its scroll bars, and what
// the derived object puts around them (the frame object's caption and frame,
// the edit and list box objects' border). Hit-tests that area, keeps its hot
// part (timer 2763), tracks presses on it and refreshes it on timer 2765.
#pragma once
#include <windows.h>

#include "skin/win/objects/skin_nc_scroll.h"
#include "skin/win/objects/skin_object.h"

// The caption and frame part of a derived object, as the non-client area
// drives it: hit tests, the hot caption button and presses.
class SkinCaptionPart {
 public:
  virtual bool Shown() const = 0;
  virtual LRESULT HitTest(POINT windowPoint) = 0;
  virtual bool SetHotAt(const POINT* windowPoint) = 0;
  virtual bool HasHot() const = 0;
  virtual bool StillHot(POINT windowPoint) const = 0;
  virtual bool Press(WPARAM hit, POINT screen) = 0;

 protected:
  ~SkinCaptionPart() = default;
};

class CSkinObjectNonClient : public CSkinObject {
 public:
  CSkinObjectNonClient() : m_bars(*this) {}

  bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  const SkinScrollBar* ScrollBarFor(int bar) const override { return m_bars.For(bar); }

  // Draws the whole non-client area.
  void DrawFrame();
  // The window shows a caption the skin draws.
  bool CaptionShown() const;

 protected:
  // The caption and frame part, for objects that have one.
  virtual SkinCaptionPart* Caption() { return nullptr; }
  virtual const SkinCaptionPart* Caption() const { return nullptr; }
  // Draws the edges around the client area and the bars (caption and frame,
  // or a control's border) instead of the system; false when it leaves them
  // to the system.
  virtual bool DrawsEdges() const { return false; }
  virtual void DrawEdges(HDC /*hdc*/, const RECT& /*window*/) {}
  // The frame option is on and the window has a scroll bar style.
  bool ScrollsShown() const;

  SkinScrollBars m_bars;

 private:
  LRESULT HitTest(POINT screen);
  void NcMouseMove(int hit, POINT screen);
  void OnHotTimer();
  bool OnNcButtonDown(WPARAM hit, POINT screen);

  bool m_hotTimer = false;
};
