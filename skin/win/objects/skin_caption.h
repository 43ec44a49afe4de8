// The caption and frame of a captioned window under the skin: the borders the
// theme gives it, its caption buttons and their states, the active look, the
// drawing of frame sides and caption, and the window region the theme's
// rounded corners cut. A part of the frame object.
#pragma once
#include <windows.h>

#include <vector>

#include "skin/win/objects/skin_object_nonclient.h"

class CSkinObjectFrame;
class ThemeClass;
struct ThemeSizes;

struct CaptionButton {
  UINT command = 0;  // system command
  bool present = false;
  bool enabled = true;
  int hitCode = 0;
  int part = 0;              // "WINDOW" part
  RECT rect = {0, 0, 0, 0};  // window relative
  int state = 1;
};

// The frame, caption included, the theme gives a window of these styles.
RECT SkinFrameBorders(DWORD style, DWORD exStyle, const ThemeSizes& sizes);

// The left, right and bottom frame pieces of a window of `size` with these
// borders, in state `state`; the rectangles are moved up by `dy`.
void DrawSkinFrameSides(HDC hdc, const ThemeClass& theme, const RECT& borders, SIZE size,
                        bool toolWindow, int state, int dy = 0);

class SkinCaption : public SkinCaptionPart {
 public:
  explicit SkinCaption(CSkinObjectFrame& owner) : m_owner(owner) {}

  // A captioned window, the frame option on and the "WINDOW" class in the theme.
  bool Shown() const override;

  // The client rectangle inside the theme's frame and beside the scroll bars.
  void CalcClient(RECT& rect);
  // The hit code of a window point on a caption button or the caption; 0 elsewhere.
  LRESULT HitTest(POINT windowPoint) override;
  // The hot button follows a window point (null: the mouse left); true when it changed.
  bool SetHotAt(const POINT* windowPoint) override;
  bool HasHot() const override { return m_hotButton >= 0; }
  bool StillHot(POINT windowPoint) const override;
  // A left press at a screen point with the system's hit code: a caption
  // button follows the mouse until released (and then sends its command),
  // and the system's own caption buttons are swallowed. False when the
  // press is not the caption's.
  bool Press(WPARAM hit, POINT screen) override;

  // Frame sides, caption and caption buttons, into the window's device context.
  void Draw(HDC hdc, const RECT& window);

  bool Active() const { return m_active; }
  void SetActive(bool active) { m_active = active; }
  // The buttons are rebuilt from the styles on their next use.
  void StyleChanged() { m_cachedStyle = m_cachedExStyle = -1; }
  // A skin was loaded or dropped: the buttons are rebuilt and, when the skin
  // was off until now, the active look is taken from the window.
  void SkinChanged(bool wasEnabled, bool enabled);

  // The window region: the window less the corners the theme's images leave
  // transparent; none while maximized or without a skinned caption. `force`
  // makes it again for an unchanged size.
  void UpdateRegion(bool force = false);

 private:
  HWND Window() const;
  void UpdateButtons();
  void LayoutButtons(int windowWidth);
  int ButtonAt(POINT windowPoint) const;
  bool RunButtonLoop(int index);
  void DrawCaption(HDC hdc, const RECT& window);
  void DrawButtons(HDC hdc);
  // Gives the window `region` (null: none), made for a window of `size`.
  void ApplyRegion(HRGN region, SIZE size);

  CSkinObjectFrame& m_owner;
  RECT m_borders = {0, 0, 0, 0};
  bool m_toolWindow = false;
  std::vector<CaptionButton> m_buttons;
  int m_hotButton = -1;
  int m_pressedButton = -1;
  bool m_active = true;
  LONG m_cachedStyle = -1;
  LONG m_cachedExStyle = -1;
  bool m_hasRegion = false;
  bool m_inRegionUpdate = false;
  SIZE m_regionSize = {0, 0};  // window size the region was made for
};
