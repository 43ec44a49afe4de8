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

// The schema's typed reads, the values made into the platform's types.
HRESULT ThemeClass::GetString(int part, int state, int id, std::u16string& out) const {
  return m_schema.Properties().GetTyped(m_code, part, state, id, kThemeString, &ThemeValue::text,
                                        out);
}

HRESULT ThemeClass::GetInt(int part, int state, int id, int& out) const {
  return m_schema.Properties().GetTyped(m_code, part, state, id, kThemeInt, &ThemeValue::number,
                                        out);
}

HRESULT ThemeClass::GetBool(int part, int state, int id, BOOL& out) const {
  return m_schema.Properties().GetTyped(m_code, part, state, id, kThemeBool, &ThemeValue::number,
                                        out);
}

HRESULT ThemeClass::GetColor(int part, int state, int id, COLORREF& out) const {
  return m_schema.Properties().GetTyped(m_code, part, state, id, kThemeColor, &ThemeValue::color,
                                        out);
}

HRESULT ThemeClass::GetEnum(int part, int state, int id, int& out) const {
  return m_schema.Properties().GetTyped(m_code, part, state, id, kThemeEnum, &ThemeValue::number,
                                        out);
}

HRESULT ThemeClass::GetMargins(int part, int state, int id, ThemeMargins& out) const {
  return m_schema.Properties().GetTyped(m_code, part, state, id, kThemeMargins,
                                        &ThemeValue::margins, out);
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
