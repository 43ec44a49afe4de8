// The visual-style functions answered from the loaded theme: the handles the
// engine issues are its own theme classes, valid while the schema they came
// from is in force.
#pragma once
#include <windows.h>

#include <uxtheme.h>

namespace visual_style {

// The system's functions, looked up in the module itself so the redirected
// imports never reach back into the replacements.
void ResolveSystem();

HTHEME WINAPI OpenThemeData(HWND hwnd, LPCWSTR classList);
HRESULT WINAPI DrawThemeBackground(HTHEME theme, HDC hdc, int part, int state, const RECT* rect,
                                   const RECT* clip);
HRESULT WINAPI CloseThemeData(HTHEME theme);
HRESULT WINAPI GetThemeColor(HTHEME theme, int part, int state, int prop, COLORREF* color);
HRESULT WINAPI GetThemeInt(HTHEME theme, int part, int state, int prop, int* value);
BOOL WINAPI IsAppThemed();
BOOL WINAPI IsThemeActive();
HRESULT WINAPI GetCurrentThemeName(LPWSTR file, int maxFile, LPWSTR color, int maxColor,
                                   LPWSTR size, int maxSize);
BOOL WINAPI GetThemeSysBool(HTHEME theme, int boolId);
COLORREF WINAPI GetThemeSysColor(HTHEME theme, int colorId);
HRESULT WINAPI GetThemePartSize(HTHEME theme, HDC hdc, int part, int state, RECT* rect,
                                THEMESIZE which, SIZE* size);

}  // namespace visual_style
