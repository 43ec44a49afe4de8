#include "skin/win/theme/theme_class.h"

#include <cstring>

#include "skin/theme_properties.h"
#include "skin/theme_scale.h"
#include "skin/win/theme/theme_image.h"
#include "skin/win/theme/theme_schema.h"

LOGFONTW MakeThemeLogFont(const ThemeFont& font) {
  LOGFONTW lf = {};
  HDC screen = ::GetDC(nullptr);
  lf.lfHeight = ThemeFontHeight(font.points, screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96);
  lf.lfCharSet = BYTE(screen ? ::GetTextCharset(screen) : DEFAULT_CHARSET);
  if (screen) ::ReleaseDC(nullptr, screen);
  lf.lfWeight = font.Weight();
  const size_t n = font.face.size() < LF_FACESIZE - 1 ? font.face.size() : LF_FACESIZE - 1;
  std::memcpy(lf.lfFaceName, font.face.data(), n * sizeof(wchar_t));
  lf.lfFaceName[n] = 0;
  return lf;
}

ThemeClass::ThemeClass(ThemeSchema& schema, std::u16string name, int code)
    : m_schema(schema), m_name(std::move(name)), m_code(code) {}

HRESULT ThemeClass::GetString(int part, int state, int id, std::u16string& out) const {
  return m_schema.Properties().GetString(m_code, part, state, id, out);
}

HRESULT ThemeClass::GetInt(int part, int state, int id, int& out) const {
  int32_t value = 0;
  const HRESULT hr = m_schema.Properties().GetInt(m_code, part, state, id, value);
  if (hr == kThemeOk) out = value;
  return hr;
}

HRESULT ThemeClass::GetBool(int part, int state, int id, BOOL& out) const {
  int32_t value = 0;
  const HRESULT hr = m_schema.Properties().GetBool(m_code, part, state, id, value);
  if (hr == kThemeOk) out = value;
  return hr;
}

HRESULT ThemeClass::GetColor(int part, int state, int id, COLORREF& out) const {
  uint32_t value = 0;
  const HRESULT hr = m_schema.Properties().GetColor(m_code, part, state, id, value);
  if (hr == kThemeOk) out = COLORREF(value);
  return hr;
}

HRESULT ThemeClass::GetEnum(int part, int state, int id, int& out) const {
  int32_t value = 0;
  const HRESULT hr = m_schema.Properties().GetEnum(m_code, part, state, id, value);
  if (hr == kThemeOk) out = value;
  return hr;
}

HRESULT ThemeClass::GetMargins(int part, int state, int id, ThemeMargins& out) const {
  return m_schema.Properties().GetMargins(m_code, part, state, id, out);
}

HRESULT ThemeClass::GetFont(int part, int state, int id, LOGFONTW& out) const {
  ThemeFont font;
  const HRESULT hr = m_schema.Properties().GetFont(m_code, part, state, id, font);
  if (hr == kThemeOk) out = MakeThemeLogFont(font);
  return hr;
}

HRESULT ThemeClass::GetPosition(int part, int state, int id, POINT& out) const {
  ThemePosition pos;
  const HRESULT hr = m_schema.Properties().GetPosition(m_code, part, state, id, pos);
  if (hr == kThemeOk) out = POINT{pos.x, pos.y};
  return hr;
}

int ThemeClass::EnumOr(int part, int state, int id, int fallback) const {
  int value = fallback;
  GetEnum(part, state, id, value);
  return value;
}

int ThemeClass::IntOr(int part, int state, int id, int fallback) const {
  int value = fallback;
  GetInt(part, state, id, value);
  return value;
}

bool ThemeClass::BoolOr(int part, int state, int id, bool fallback) const {
  BOOL value = fallback;
  GetBool(part, state, id, value);
  return value != FALSE;
}

std::u16string ThemeClass::BackgroundImageFile(int part, int state) const {
  if (EnumOr(part, state, kTmtBgType, kBgTypeImageFile) != kBgTypeImageFile) return {};
  std::u16string file;
  if (EnumOr(part, state, kTmtImageSelectType, kImageSelectNone) != kImageSelectNone &&
      EnumOr(part, state, kTmtGlyphType, kGlyphNone) == kGlyphNone) {
    GetString(part, state, kTmtImageFile1, file);
  }
  if (file.empty()) GetString(part, state, kTmtImageFile, file);
  return file;
}

BOOL ThemeClass::GetPartSize(int part, int state, SIZE& size) const {
  int imageScale = kThemeScaleBase;
  const ThemeImage* image = m_schema.GetScaledImage(BackgroundImageFile(part, state), imageScale);
  if (image == nullptr) return FALSE;
  const int count = IntOr(part, state, kTmtImageCount, 1);
  const bool horizontal =
      EnumOr(part, state, kTmtImageLayout, kLayoutHorizontal) != kLayoutVertical;
  const RECT frame = image->Frame(count, horizontal, 0);
  size.cx = ThemeScaleLength(frame.right - frame.left, imageScale, m_schema.Scale());
  size.cy = ThemeScaleLength(frame.bottom - frame.top, imageScale, m_schema.Scale());
  return TRUE;
}

int ThemeClass::DrawText(HDC hdc, int part, int state, const wchar_t* text, int length, UINT format,
                         RECT& rect) const {
  COLORREF color = 0;
  const bool themed = GetColor(part, state, kTmtTextColor, color) == kThemeOk;
  const COLORREF oldColor = themed ? ::SetTextColor(hdc, color) : 0;
  const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
  const int result = ::DrawTextW(hdc, text, length, &rect, format);
  ::SetBkMode(hdc, oldMode);
  if (themed) ::SetTextColor(hdc, oldColor);
  return result;
}
