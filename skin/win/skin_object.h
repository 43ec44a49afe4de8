// Skin objects: what the engine attaches to each window of the process. The
// frame object draws the non-client area of captioned windows and the scroll
// bars of any window; the control objects derive from it and paint their
// controls as well.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/win/window.h"
#include "skin/scroll_geometry.h"
#include "skin/win/skin_maps.h"

class ThemeClass;
class ThemeSchema;
struct ScrollTracking;

enum SkinFrameType { kFrameOther = 1, kFrameDialog = 2, kFramePage = 6 };

// Timers the frame object runs on its window.
constexpr UINT_PTR kHotTimerId = 2763;
constexpr UINT_PTR kRefreshTimerId = 2765;

struct CaptionButton {
  UINT command = 0;  // system command
  bool present = false;
  bool enabled = true;
  int hitCode = 0;
  int part = 0;              // "WINDOW" part
  RECT rect = {0, 0, 0, 0};  // window relative
  int state = 1;
};

// One scroll bar of a skinned window: where it is and what is hot or pressed.
struct SkinScrollBar {
  bool shown = false;
  bool vertical = false;
  ScrollLayout layout;
  int hotHit = 0;
  int pressedHit = 0;
  // While the thumb is dragged: the position it stands for, which the system
  // (not tracking it) cannot tell a caller of GetScrollInfo.
  bool thumbTracking = false;
  int trackPosition = 0;
};

// Answers WM_PAINT: into the device context the message carries (a parent
// painting the control into its own), else between BeginPaint and EndPaint.
template <typename PaintFn>
void PaintForMessage(HWND hwnd, WPARAM w, PaintFn paint) {
  PAINTSTRUCT ps;
  HDC hdc = w ? reinterpret_cast<HDC>(w) : ::BeginPaint(hwnd, &ps);
  paint(hdc);
  if (!w) ::EndPaint(hwnd, &ps);
}

class CSkinObjectFrame : public CWnd, public SkinWindowObject {
 public:
  CSkinObjectFrame();
  ~CSkinObjectFrame() override;

  // The object's run-time class name ("CSkinObjectFrame", ...).
  virtual const char16_t* ObjectClassName() const { return u"CSkinObjectFrame"; }
  virtual const char16_t* ThemeClassName() const { return u"WINDOW"; }

  // Takes the window: subclasses it when its procedure is the system's.
  void AttachWindow(HWND hwnd, int frameType, bool windowsForms);
  // Gives the window its procedure back.
  void DetachWindow();
  virtual void OnAttached() {}

  // Runs a message for the window; false when the object leaves it to the
  // previous procedure.
  virtual bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result);
  LRESULT CallPrevious(UINT msg, WPARAM w, LPARAM l);
  // The previous procedure's answer to a message that changes what the
  // control shows, then a repaint in the skin.
  LRESULT CallPreviousAndRepaint(UINT msg, WPARAM w, LPARAM l) {
    const LRESULT r = CallPrevious(msg, w, l);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return r;
  }
  // The paint messages of a control the object paints whole: WM_PAINT (into
  // a carried device context or its own), WM_PRINTCLIENT and no background
  // erase; false for any other message.
  template <typename PaintFn>
  bool AnswerPaintMessages(UINT msg, WPARAM w, LRESULT& result, PaintFn paint) {
    switch (msg) {
      case WM_PAINT:
        PaintForMessage(m_hWnd, w, paint);
        result = 0;
        return true;
      case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(w));
        result = 0;
        return true;
      case WM_ERASEBKGND:
        result = 1;
        return true;
    }
    return false;
  }

  void SkinChanged(int oldEnabled, int newEnabled) override;

  int FrameType() const { return m_frameType; }
  bool IsWindowsForms() const { return m_windowsForms; }
  bool IsSubclassed() const { return m_subclassed; }
  bool IsDefaultOnly() const { return m_defaultOnly; }
  WNDPROC PreviousProc() const { return m_prevProc; }
  const std::vector<CaptionButton>& CaptionButtons() const { return m_buttons; }
  // The skinned bar for SB_HORZ or SB_VERT (SB_CTL for a scroll bar control), or null.
  virtual const SkinScrollBar* ScrollBarFor(int bar) const;

  // The frame, caption included, the theme gives a window of these styles.
  static void ComputeBorders(DWORD style, DWORD exStyle, RECT& borders);

  // Hit test of a screen point, as the non-client hit-test message answers.
  virtual LRESULT HitTest(POINT screen);
  // Draws the whole non-client area.
  virtual void DrawFrame();
  // Non-client mouse move, or (-1, -1) when the mouse left.
  void NcMouseMove(int hit, POINT screen);

  // The theme class of this object, null while disabled.
  ThemeClass* Theme() const;
  ThemeClass* WindowTheme() const;

 protected:
  bool HasSkinCaption() const;  // captioned window and the frame option
  bool FrameOption() const;
  RECT WindowRectAtZero() const;
  POINT ScreenToWindowPoint(POINT screen) const;

  // Frame pieces.
  LRESULT OnNcCalcSize(WPARAM w, LPARAM l);
  void UpdateCaptionButtons();
  void LayoutCaptionButtons(int windowWidth);
  void DrawCaption(HDC hdc, const RECT& window);
  void DrawCaptionButtons(HDC hdc, int dx, int dy);
  void DrawButtonsOnly();
  bool RunCaptionButtonLoop(int index);
  void UpdateRegion();
  void RefreshFrame();
  bool OnControlColor(UINT msg, WPARAM w, LPARAM l, LRESULT& result);
  bool OnEraseBackground(HDC hdc);
  HBRUSH PageBrush();
  int CaptionButtonAt(POINT windowPoint) const;
  void OnHotTimer();

  // Scroll bars in the non-client area.
  void UpdateScrollBars();
  RECT ScrollBarRect(bool vertical) const;  // window relative
  void DrawScrollBars(HDC hdc);
  void DrawScrollBar(HDC hdc, SkinScrollBar& bar);
  void RedrawScrollBars();
  void TrackScrollBar(bool vertical, POINT screen, bool shift);
  bool ScrollInfoChanged();

  // The border drawn by edit, list box and simple combo objects.
  virtual bool DrawsOwnBorder() const { return false; }
  void DrawControlBorder(HDC hdc, const RECT& window, const char16_t* themeClass);

  WNDPROC m_prevProc = nullptr;
  bool m_unicode = true;
  bool m_subclassed = false;
  int m_frameType = kFrameOther;
  bool m_defaultOnly = false;
  bool m_windowsForms = false;
  RECT m_borders = {0, 0, 0, 0};
  bool m_toolWindow = false;
  std::vector<CaptionButton> m_buttons;
  int m_hotButton = -1;
  int m_pressedButton = -1;
  bool m_active = true;
  LONG m_cachedStyle = -1;
  LONG m_cachedExStyle = -1;
  int m_suppressFrame = 0;
  bool m_hotTimer = false;
  SkinScrollBar m_vbar;
  SkinScrollBar m_hbar;
  SCROLLINFO m_lastV = {};
  SCROLLINFO m_lastH = {};
  HBRUSH m_pageBrush = nullptr;
  SIZE m_pageBrushSize = {0, 0};
  UINT m_lastColorMsg = 0;
  bool m_hasRegion = false;
  bool m_inRegionUpdate = false;
  SIZE m_regionSize = {0, 0};  // window size the region was made for
};

// Button object: push buttons, check boxes, radio buttons and group boxes.
class CSkinObjectButton : public CSkinObjectFrame {
 public:
  const char16_t* ObjectClassName() const override { return u"CSkinObjectButton"; }
  const char16_t* ThemeClassName() const override { return u"BUTTON"; }
  bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  void Paint(HDC hdc);

 private:
  void SetHot(bool hot);
  bool m_hot = false;
  bool m_pushed = false;
  int m_typeOverride = 255;
};

class CSkinObjectComboBox : public CSkinObjectFrame {
 public:
  const char16_t* ObjectClassName() const override { return u"CSkinObjectComboBox"; }
  const char16_t* ThemeClassName() const override { return u"COMBOBOX"; }
  void OnAttached() override;
  bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  void Paint(HDC target);
  void PaintSimpleBorder(HDC hdc);
  HBRUSH BackgroundBrush(HDC hdc);
  bool m_hot = false;
  bool m_inDefaultPaint = false;
};

class CSkinObjectProgress : public CSkinObjectFrame {
 public:
  const char16_t* ObjectClassName() const override { return u"CSkinObjectProgress"; }
  const char16_t* ThemeClassName() const override { return u"PROGRESS"; }
  void OnAttached() override;
  void SkinChanged(int oldEnabled, int newEnabled) override;
  bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  void Paint(HDC hdc);

 private:
  void FixStaticEdge();
  void StepMarquee(int steps);
  int m_marqueeOffset = 0;
  int m_marqueeInterval = 0;
};

// Edit and list box: the border and the scroll bars.
class CSkinObjectEdit : public CSkinObjectFrame {
 public:
  const char16_t* ObjectClassName() const override { return u"CSkinObjectEdit"; }
  const char16_t* ThemeClassName() const override { return u"EDIT"; }
  bool DrawsOwnBorder() const override { return true; }
};

class CSkinObjectListBox : public CSkinObjectFrame {
 public:
  const char16_t* ObjectClassName() const override { return u"CSkinObjectListBox"; }
  const char16_t* ThemeClassName() const override { return u"LISTBOX"; }
  bool DrawsOwnBorder() const override { return true; }
};

// A scroll bar control.
class CSkinObjectScrollBar : public CSkinObjectFrame {
 public:
  const char16_t* ObjectClassName() const override { return u"CSkinObjectScrollBar"; }
  const char16_t* ThemeClassName() const override { return u"SCROLLBAR"; }
  bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  const SkinScrollBar* ScrollBarFor(int bar) const override {
    return bar == SB_CTL ? &m_bar : nullptr;
  }

 private:
  void Paint(HDC hdc);
  SkinScrollBar m_bar;
};

// The engine's window procedure and its registered messages.
UINT SkinUpdateStateMessage();
UINT SkinQueryStateMessage();
LRESULT CALLBACK SkinWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
CSkinObjectFrame* SkinObjectFor(HWND hwnd);

// Fills a rectangle with the brush a parent answers to a control-colour
// message: 1 to 30 stand for the theme's system-colour brushes.
HBRUSH SkinBrushFromAnswer(LRESULT answer);
