#include "skin/win/theme/theme_metrics.h"

#include "skin/win/system/skin_redirect_table.h"

#include <cstddef>

#include "skin/theme_properties.h"
#include "skin/theme_scale.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_schema.h"

ThemeMetrics::ThemeMetrics()
    : m_captionFont(), m_smallCaptionFont(), m_menuFont(), m_statusFont(), m_iconTitleFont() {
  for (int i = 0; i < kThemeSysColorCount; ++i) {
    m_colors[i] = CLR_INVALID;
    m_brushes[i] = nullptr;
  }
}

ThemeMetrics::~ThemeMetrics() {
  for (HBRUSH brush : m_brushes) {
    if (brush) SystemFunctions().DeleteObject(brush);
  }
}

COLORREF ThemeMetrics::Color(int index) const {
  return index >= 0 && index < kThemeSysColorCount ? m_colors[index] : 0;
}

HBRUSH ThemeMetrics::Brush(int index) const {
  return index >= 0 && index < kThemeSysColorCount ? m_brushes[index] : nullptr;
}

void ThemeMetrics::SetColor(int index, COLORREF color) {
  // Brushes handed out stay valid while their colour is unchanged.
  if (m_brushes[index] && m_colors[index] == color) return;
  // The system's own DeleteObject: the redirected one keeps the theme's
  // brushes alive, these included.
  if (m_brushes[index]) SystemFunctions().DeleteObject(m_brushes[index]);
  m_colors[index] = color;
  m_brushes[index] = ::CreateSolidBrush(color);
}

void ThemeMetrics::ReadSystemFontsAndSizes() {
  NONCLIENTMETRICSW ncm = {};
  ncm.cbSize = sizeof(ncm);
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) {
    // Systems before the padded border field know the shorter record only.
    ncm.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
  }
  m_captionFont = ncm.lfCaptionFont;
  m_smallCaptionFont = ncm.lfSmCaptionFont;
  m_menuFont = ncm.lfMenuFont;

  m_sizes.borderWidth = SystemFunctions().GetSystemMetrics(SM_CXBORDER);
  m_sizes.borderHeight = SystemFunctions().GetSystemMetrics(SM_CYBORDER);
  m_sizes.edgeWidth = SystemFunctions().GetSystemMetrics(SM_CXEDGE);
  m_sizes.edgeHeight = SystemFunctions().GetSystemMetrics(SM_CYEDGE);
  m_sizes.hScrollHeight = SystemFunctions().GetSystemMetrics(SM_CYHSCROLL);
  m_sizes.hScrollArrowWidth = SystemFunctions().GetSystemMetrics(SM_CXHSCROLL);
  m_sizes.vScrollWidth = SystemFunctions().GetSystemMetrics(SM_CXVSCROLL);
  m_sizes.vScrollArrowHeight = SystemFunctions().GetSystemMetrics(SM_CYVSCROLL);
  m_sizes.captionHeight = SystemFunctions().GetSystemMetrics(SM_CYCAPTION);
  m_sizes.smallCaptionHeight = SystemFunctions().GetSystemMetrics(SM_CYSMCAPTION);
  int multiplier = 1;
  if (::SystemParametersInfoW(SPI_GETBORDER, 0, &multiplier, 0))
    m_sizes.borderMultiplier = multiplier;
}

void ThemeMetrics::ApplyThemeMetrics(const ThemeSchema& schema) {
  const ThemeProperties& props = schema.Properties();
  const int sys = kThemeClassSysMetrics;
  // The theme's sizes are for 100 %; the system's are at the display's scale already.
  int32_t value = 0;
  auto read = [&](int id) {
    if (props.GetInt(sys, 0, 0, id, value) != kThemeOk) return false;
    value = ThemeScaleLength(value, kThemeScaleBase, schema.Scale());
    return true;
  };
  if (read(kTmtCaptionBarHeight)) m_sizes.captionHeight = value + 1;
  if (read(kTmtSmCaptionBarHeight)) m_sizes.smallCaptionHeight = value + 1;
  // Each sets a bar's thickness and its arrows' length along it: the width
  // the vertical bar's, the height the horizontal bar's.
  if (read(kTmtScrollBarWidth) && value > 0) {
    m_sizes.vScrollWidth = value;
    m_sizes.vScrollArrowHeight = value;
  }
  if (read(kTmtScrollBarHeight) && value > 0) {
    m_sizes.hScrollHeight = value;
    m_sizes.hScrollArrowWidth = value;
  }
  ThemeFont font;
  if (props.GetFont(sys, 0, 0, kTmtCaptionFont, font) == kThemeOk) {
    m_captionFont = MakeThemeLogFont(font);
  }
  if (props.GetFont(sys, 0, 0, kTmtSmallCaptionFont, font) == kThemeOk) {
    m_smallCaptionFont = MakeThemeLogFont(font);
  }
  if (props.GetFont(sys, 0, 0, kTmtMenuFont, font) == kThemeOk) m_menuFont = MakeThemeLogFont(font);
  m_hasStatusFont = props.GetFont(sys, 0, 0, kTmtStatusFont, font) == kThemeOk;
  if (m_hasStatusFont) m_statusFont = MakeThemeLogFont(font);
  m_hasIconTitleFont = props.GetFont(sys, 0, 0, kTmtIconTitleFont, font) == kThemeOk;
  if (m_hasIconTitleFont) m_iconTitleFont = MakeThemeLogFont(font);
}

void ThemeMetrics::Refresh(const ThemeSchema* schema, int applyOptions) {
  ReadSystemFontsAndSizes();
  m_hasStatusFont = m_hasIconTitleFont = false;
  if (schema == nullptr) {
    for (int i = 0; i < kThemeSysColorCount; ++i) SetColor(i, ::GetSysColor(i));
    return;
  }
  if (applyOptions & 1) ApplyThemeMetrics(*schema);
  for (int i = 0; i < kThemeSysColorCount; ++i) {
    SetColor(i, COLORREF(ThemeSysColor(schema->Properties(), i)));
  }
}
