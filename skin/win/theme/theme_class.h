// One theme class (BUTTON, WINDOW, SCROLLBAR, ...) of a loaded schema: the
// typed property reads for its parts and states, and the drawing of a part's
// background, text and size. Created by ThemeSchema::GetClass and owned by the
// schema; valid as long as the schema is.
#pragma once
#include <windows.h>

#include <string>

#include "skin/theme_value.h"

class ThemeSchema;
class ThemeImage;
class ThemeClass;

// A theme font as the platform's font record: height from the points at the
// screen's vertical resolution, the screen's character set.
LOGFONTW MakeThemeLogFont(const ThemeFont& font);

// Sees every background drawn, just before it is drawn; one per process.
using ThemeDrawObserver = void (*)(const ThemeClass& cls, int part, int state, const RECT& rect);
void SetThemeDrawObserver(ThemeDrawObserver observer);

class ThemeClass {
 public:
  ThemeClass(ThemeSchema& schema, std::u16string name, int code);

  const std::u16string& Name() const { return m_name; }  // upper case
  int Code() const { return m_code; }
  ThemeSchema& Schema() const { return m_schema; }

  // Reads (part, state, property id) through the lookup order state, part,
  // class, "Globals": S_OK, E_FAIL when there is no value, E_INVALIDARG when
  // the value has another type. `out` is untouched on failure.
  HRESULT GetString(int part, int state, int id, std::u16string& out) const;
  HRESULT GetInt(int part, int state, int id, int& out) const;
  HRESULT GetBool(int part, int state, int id, BOOL& out) const;
  HRESULT GetColor(int part, int state, int id, COLORREF& out) const;
  HRESULT GetEnum(int part, int state, int id, int& out) const;
  HRESULT GetMargins(int part, int state, int id, ThemeMargins& out) const;
  HRESULT GetFont(int part, int state, int id, LOGFONTW& out) const;
  HRESULT GetPosition(int part, int state, int id, POINT& out) const;

  // Draws the background of (part, state) into `rect`, limited to `clip` when
  // given. FALSE when an image it needs is missing or cannot be decoded.
  BOOL DrawBackground(HDC hdc, int part, int state, const RECT& rect,
                      const RECT* clip = nullptr) const;
  // DrawTextW in the part's "TEXTCOLOR" (the device context's colour when the
  // theme has none) on a transparent background; returns DrawTextW's result.
  int DrawText(HDC hdc, int part, int state, const wchar_t* text, int length, UINT format,
               RECT& rect) const;
  // The size of one frame of the part's background image; FALSE for parts
  // without an image.
  BOOL GetPartSize(int part, int state, SIZE& size) const;

  // The image file the background of (part, state) is drawn from, empty when
  // it has none.
  std::u16string BackgroundImageFile(int part, int state) const;

 private:
  BOOL PaintBackground(HDC hdc, int part, int state, const RECT& rect) const;
  BOOL FillBorder(HDC hdc, int part, int state, RECT rect) const;
  BOOL DrawGlyph(HDC hdc, int part, int state, const RECT& rect, int count, bool horizontal) const;
  // The key colour for images without alpha, or false when none applies.
  bool TransparentColor(int part, int state, int flagId, int colorId, const ThemeImage& image,
                        COLORREF& out) const;
  int EnumOr(int part, int state, int id, int fallback) const;
  int IntOr(int part, int state, int id, int fallback) const;
  bool BoolOr(int part, int state, int id, bool fallback) const;

  ThemeSchema& m_schema;
  std::u16string m_name;
  int m_code;
};
