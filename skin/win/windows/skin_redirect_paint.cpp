// The colours, drawing and metrics functions answered from the theme: system
// colours and brushes, edges and frame controls, the theme's fonts in the
// system parameters and its borders in window sizing.
#include <windows.h>

#include <vssym32.h>

#include "skin/win/objects/skin_caption.h"
#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_metrics.h"
#include "skin/win/windows/skin_redirect.h"
#include "skin/win/windows/skin_windows.h"

namespace {

// The replacements are called with no context: the theme is the one
// engine's, none before it is made and once it goes.
const SkinWindowHost* Enabled() {
  const SkinWindowHost* host = SkinHost();
  return host && host->IsEnabled() ? host : nullptr;
}

// The sizes the skinned frame and scroll bars are drawn with, for the system
// metrics that name them; false for the others.
bool SkinnedSystemMetric(const ThemeSizes& s, int index, int& value) {
  switch (index) {
    case SM_CYCAPTION:
      value = s.captionHeight;
      return true;
    case SM_CYSMCAPTION:
      value = s.smallCaptionHeight;
      return true;
    case SM_CXVSCROLL:
      value = s.vScrollWidth;
      return true;
    case SM_CYVSCROLL:
      value = s.vScrollArrowHeight;
      return true;
    case SM_CYHSCROLL:
      value = s.hScrollHeight;
      return true;
    case SM_CXHSCROLL:
      value = s.hScrollArrowWidth;
      return true;
  }
  // Frames: the sides of a captioned window with a fixed or a sizing border.
  const bool sizing = index == SM_CXFRAME || index == SM_CYFRAME;
  if (!sizing && index != SM_CXDLGFRAME && index != SM_CYDLGFRAME) return false;
  const RECT b = SkinFrameBorders(WS_CAPTION | (sizing ? WS_THICKFRAME : 0), WS_EX_WINDOWEDGE, s);
  value = (index == SM_CXFRAME || index == SM_CXDLGFRAME) ? b.left : b.bottom;
  return true;
}

}  // namespace

DWORD WINAPI redirected::GetSysColor(int index) {
  try {
    const SkinWindowHost* host = Enabled();
    if (host && index >= 0 && index <= 30) return host->Metrics().Color(index);
  } catch (...) {
  }
  return SystemFunctions().GetSysColor(index);
}

HBRUSH WINAPI redirected::GetSysColorBrush(int index) {
  try {
    const SkinWindowHost* host = Enabled();
    if (host && index >= 0 && index <= 30) {
      if (HBRUSH b = host->Metrics().Brush(index)) return b;
    }
  } catch (...) {
  }
  return SystemFunctions().GetSysColorBrush(index);
}

int WINAPI redirected::FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  try {
    const auto index = reinterpret_cast<INT_PTR>(brush);
    const SkinWindowHost* host = Enabled();
    if (host && index >= 1 && index <= 31) {
      if (HBRUSH b = host->Metrics().Brush(int(index - 1)))
        return SystemFunctions().FillRect(hdc, rect, b);
    }
  } catch (...) {
  }
  return SystemFunctions().FillRect(hdc, rect, brush);
}

// Edges in the theme's system colours, as the system draws them.
BOOL WINAPI redirected::DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags) {
  try {
    const SkinWindowHost* host = Enabled();
    if (host && rect && !(flags & (BF_DIAGONAL | BF_MONO | BF_FLAT))) {
      const ThemeMetrics& m = host->Metrics();
      RECT r = *rect;
      auto line = [&](COLORREF tl, COLORREF br) {
        HBRUSH a = ::CreateSolidBrush(tl);
        HBRUSH b = ::CreateSolidBrush(br);
        RECT s;
        if (flags & BF_TOP) {
          s = {r.left, r.top, r.right, r.top + 1};
          SystemFunctions().FillRect(hdc, &s, a);
        }
        if (flags & BF_LEFT) {
          s = {r.left, r.top, r.left + 1, r.bottom};
          SystemFunctions().FillRect(hdc, &s, a);
        }
        if (flags & BF_BOTTOM) {
          s = {r.left, r.bottom - 1, r.right, r.bottom};
          SystemFunctions().FillRect(hdc, &s, b);
        }
        if (flags & BF_RIGHT) {
          s = {r.right - 1, r.top, r.right, r.bottom};
          SystemFunctions().FillRect(hdc, &s, b);
        }
        ::DeleteObject(a);
        ::DeleteObject(b);
        if (flags & BF_TOP) ++r.top;
        if (flags & BF_LEFT) ++r.left;
        if (flags & BF_BOTTOM) --r.bottom;
        if (flags & BF_RIGHT) --r.right;
      };
      const UINT outer = edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
      const UINT inner = edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
      if (outer == BDR_RAISEDOUTER) line(m.Color(COLOR_3DLIGHT), m.Color(COLOR_3DDKSHADOW));
      if (outer == BDR_SUNKENOUTER) line(m.Color(COLOR_3DSHADOW), m.Color(COLOR_3DHIGHLIGHT));
      if (inner == BDR_RAISEDINNER) line(m.Color(COLOR_3DHIGHLIGHT), m.Color(COLOR_3DSHADOW));
      if (inner == BDR_SUNKENINNER) line(m.Color(COLOR_3DDKSHADOW), m.Color(COLOR_3DLIGHT));
      if (flags & BF_MIDDLE) SystemFunctions().FillRect(hdc, &r, m.Brush(COLOR_BTNFACE));
      if (flags & BF_ADJUST) *rect = r;
      return TRUE;
    }
  } catch (...) {
  }
  return SystemFunctions().DrawEdge(hdc, rect, edge, flags);
}

// The theme's brushes belong to the engine: a control deleting what
// GetSysColorBrush gave it must not destroy them.
BOOL WINAPI redirected::DeleteObject(HGDIOBJ object) {
  try {
    // The brushes are the one engine's, whether or not its theme is in force.
    const SkinWindowHost* host = SkinHost();
    for (int i = 0; host && i <= 30; ++i)
      if (object && object == host->Metrics().Brush(i)) return TRUE;
  } catch (...) {
  }
  return SystemFunctions().DeleteObject(object);
}

BOOL WINAPI redirected::SystemParametersInfoW(UINT action, UINT param, void* data, UINT winIni) {
  const BOOL ok = SystemFunctions().SystemParametersInfoW(action, param, data, winIni);
  try {
    const SkinWindowHost* host = Enabled();
    const int opts = host ? host->GetApplyOptions() : 0;
    if (ok && data && (opts & kApplyMetrics) && (opts & kApplyColours)) {
      const ThemeMetrics& m = host->Metrics();
      if (action == SPI_GETICONTITLELOGFONT && param == sizeof(LOGFONTW)) {
        if (const LOGFONTW* icon = m.IconTitleFont()) *static_cast<LOGFONTW*>(data) = *icon;
      } else if (action == SPI_GETNONCLIENTMETRICS &&
                 static_cast<NONCLIENTMETRICSW*>(data)->cbSize >= 500) {
        auto* nc = static_cast<NONCLIENTMETRICSW*>(data);
        nc->lfCaptionFont = m.CaptionFont();
        nc->lfMenuFont = m.MenuFont();
        if (const LOGFONTW* status = m.StatusFont()) nc->lfStatusFont = *status;
      }
    }
  } catch (...) {
  }
  return ok;
}

// Callers laying a window out around its caption, frame or scroll bars
// measure what the skin draws.
int WINAPI redirected::GetSystemMetrics(int index) {
  try {
    const SkinWindowHost* host = Enabled();
    const int opts = host ? host->GetApplyOptions() : 0;
    int value = 0;
    if ((opts & kApplyMetrics) && (opts & kApplyFrame) &&
        SkinnedSystemMetric(host->Metrics().Sizes(), index, value))
      return value;
  } catch (...) {
  }
  return SystemFunctions().GetSystemMetrics(index);
}

// A window the engine frames gets the theme's borders: callers sizing a
// window for a client area then get the client area they asked for.
BOOL WINAPI redirected::AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
  try {
    const SkinWindowHost* host = Enabled();
    const int opts = host ? host->GetApplyOptions() : 0;
    const bool maximized = (style & WS_MAXIMIZE) && !(style & WS_CHILD);
    if (rect && (opts & kApplyFrame) && (style & WS_THICKFRAME) &&
        (style & WS_CAPTION) == WS_CAPTION && !maximized) {
      // The edge the window will get: creation adds it for such frames.
      if ((exStyle & WS_EX_DLGMODALFRAME) ||
          (!(exStyle & WS_EX_STATICEDGE) && (style & (WS_DLGFRAME | WS_THICKFRAME))))
        exStyle |= WS_EX_WINDOWEDGE;
      const RECT b = SkinFrameBorders(style, exStyle, host->Metrics().Sizes());
      rect->left -= b.left;
      rect->top -= b.top + (menu ? SystemFunctions().GetSystemMetrics(SM_CYMENU) : 0);
      rect->right += b.right;
      rect->bottom += b.bottom;
      return TRUE;
    }
  } catch (...) {
  }
  return SystemFunctions().AdjustWindowRectEx(rect, style, menu, exStyle);
}

// The frame controls the theme has parts for, drawn from it: check boxes,
// radio buttons and push buttons, scroll arrows and caption buttons.
BOOL WINAPI redirected::DrawFrameControl(HDC hdc, RECT* rect, UINT type, UINT state) {
  try {
    const SkinWindowHost* host = Enabled();
    if (host && hdc && rect && !(state & DFCS_ADJUSTRECT)) {
      const int look = (state & DFCS_INACTIVE) ? 3
                       : (state & DFCS_PUSHED) ? 2
                       : (state & DFCS_HOT)    ? 1
                                               : 0;
      const char16_t* cls = nullptr;
      int part = 0, drawState = 0;
      const UINT kind = state & 0xFF;
      if (type == DFC_BUTTON && (kind & 0x1F) == DFCS_BUTTONPUSH) {
        cls = u"BUTTON", part = BP_PUSHBUTTON, drawState = 1 + look;
      } else if (type == DFC_BUTTON &&
                 ((kind & 0x1F) == DFCS_BUTTONCHECK || (kind & 0x1F) == DFCS_BUTTONRADIO ||
                  (kind & 0x1F) == DFCS_BUTTONRADIOIMAGE)) {
        cls = u"BUTTON";
        part = (kind & 0x1F) == DFCS_BUTTONCHECK ? BP_CHECKBOX : BP_RADIOBUTTON;
        drawState = ((state & DFCS_CHECKED) ? 5 : 1) + look;
      } else if (type == DFC_SCROLL && kind <= DFCS_SCROLLRIGHT) {
        static const int kArrowBase[] = {ABS_UPNORMAL, ABS_DOWNNORMAL, ABS_LEFTNORMAL,
                                         ABS_RIGHTNORMAL};
        cls = u"SCROLLBAR", part = SBP_ARROWBTN, drawState = kArrowBase[kind] + look;
      } else if (type == DFC_CAPTION && kind <= DFCS_CAPTIONHELP) {
        static const int kCaptionPart[] = {WP_CLOSEBUTTON, WP_MINBUTTON, WP_MAXBUTTON,
                                           WP_RESTOREBUTTON, WP_HELPBUTTON};
        cls = u"WINDOW", part = kCaptionPart[kind], drawState = 1 + look;
      }
      ThemeClass* theme = cls ? host->GetThemeClass(cls) : nullptr;
      if (theme && theme->DrawBackground(hdc, part, drawState, *rect)) return TRUE;
    }
  } catch (...) {
  }
  return SystemFunctions().DrawFrameControl(hdc, rect, type, state);
}
