// The system colours, fonts and sizes skinned drawing uses in place of the
// system's: from the theme's "SysMetrics" while a theme is loaded, else from
// the system. One per engine; refreshed on every load and option change.
#pragma once
#include <windows.h>

#include "skin/theme_default_colors.h"

class ThemeSchema;

struct ThemeSizes {
  int borderWidth = 1;
  int borderHeight = 1;
  int edgeWidth = 2;
  int edgeHeight = 2;
  int hScrollHeight = 17;
  int hScrollArrowWidth = 17;
  int vScrollWidth = 17;
  int vScrollArrowHeight = 17;
  int captionHeight = 19;
  int smallCaptionHeight = 15;
  int borderMultiplier = 1;  // the system's sizing-border multiplier
};

class ThemeMetrics {
 public:
  ThemeMetrics();
  ~ThemeMetrics();
  ThemeMetrics(const ThemeMetrics&) = delete;
  ThemeMetrics& operator=(const ThemeMetrics&) = delete;

  // Without a schema the colours come from the system. With one, each colour
  // is the theme's or the built-in default; fonts and sizes are the system's,
  // replaced by the theme's when `applyOptions` has the metrics bit (1).
  void Refresh(const ThemeSchema* schema, int applyOptions);

  // Index as for GetSysColor, 0 to 30; outside, black and no brush.
  COLORREF Color(int index) const;
  HBRUSH Brush(int index) const;
  const LOGFONTW& CaptionFont() const { return m_captionFont; }
  const LOGFONTW& SmallCaptionFont() const { return m_smallCaptionFont; }
  const LOGFONTW& MenuFont() const { return m_menuFont; }
  // The theme's status and icon-title fonts, null when it sets none (the
  // system's then stay): they only replace what the system answers.
  const LOGFONTW* StatusFont() const { return m_hasStatusFont ? &m_statusFont : nullptr; }
  const LOGFONTW* IconTitleFont() const { return m_hasIconTitleFont ? &m_iconTitleFont : nullptr; }
  const ThemeSizes& Sizes() const { return m_sizes; }

 private:
  void SetColor(int index, COLORREF color);
  void ReadSystemFontsAndSizes();
  void ApplyThemeMetrics(const ThemeSchema& schema);

  COLORREF m_colors[kThemeSysColorCount];
  HBRUSH m_brushes[kThemeSysColorCount];
  LOGFONTW m_captionFont;
  LOGFONTW m_smallCaptionFont;
  LOGFONTW m_menuFont;
  LOGFONTW m_statusFont;
  LOGFONTW m_iconTitleFont;
  bool m_hasStatusFont = false;
  bool m_hasIconTitleFont = false;
  ThemeSizes m_sizes;
};
