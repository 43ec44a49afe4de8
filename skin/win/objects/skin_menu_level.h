// One open level of the engine's pop-up menu: the items read from the menu,
// their layout, and the "SkinManagerMenu" window that shows them.
#pragma once
#include <windows.h>

#include <vector>

#include "skin/menu_layout.h"

class ThemeMetrics;

struct SkinMenuItem {
  UINT id = 0;
  UINT type = 0;   // MFT_*
  UINT state = 0;  // MFS_*
  HMENU sub = nullptr;
  ULONG_PTR data = 0;
  MenuLabel text;
  int height = 0;
  bool Separator() const { return (type & MFT_SEPARATOR) != 0; }
  bool Disabled() const { return (state & MFS_DISABLED) != 0; }
  bool Selectable() const { return !Separator() && !Disabled(); }
};

class SkinMenuLevel {
 public:
  // `captureLost` is set when the window loses the mouse capture; the menu
  // is drawn in `metrics`' colours and font.
  SkinMenuLevel(HMENU menu, HWND owner, bool* captureLost, const ThemeMetrics& metrics);
  ~SkinMenuLevel();
  SkinMenuLevel(const SkinMenuLevel&) = delete;
  SkinMenuLevel& operator=(const SkinMenuLevel&) = delete;

  // The hidden window; false when it cannot be made.
  bool Create();
  // Reads and measures the items; false for a menu without any.
  bool Load();
  void Show(const SkinRect& screen);

  HWND Window() const { return m_hwnd; }
  HMENU Menu() const { return m_menu; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  const std::vector<SkinMenuItem>& Items() const { return m_items; }
  int Selected() const { return m_selected; }
  void Select(int index);

  SkinRect ScreenRect() const;
  bool Contains(POINT screen) const { return ScreenRect().Contains(screen.x, screen.y); }
  int ItemAt(POINT screen) const;
  SkinRect ItemScreenRect(int index) const;
  std::vector<bool> SelectableMask() const;
  // Upper-case mnemonics of the items that can be chosen, 0 for the others.
  std::vector<char16_t> Mnemonics() const;

  // Space from the window's edge to its items: a border and a margin.
  static constexpr int kFrame = 3;
  // The window procedure of the class.
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);

 private:
  void Paint(HDC dc);
  void PaintItem(HDC dc, int index);
  void MakeFonts();

  HMENU m_menu;
  HWND m_owner;
  bool* m_captureLost;
  const ThemeMetrics& m_metrics;
  HWND m_hwnd = nullptr;
  HFONT m_font = nullptr;
  HFONT m_bold = nullptr;
  std::vector<SkinMenuItem> m_items;
  std::vector<SkinRect> m_rects;
  int m_selected = -1;
  int m_width = 0;
  int m_height = 0;
  int m_checkWidth = 0;
};
