// The progress object: the bar and its chunks from the theme's "PROGRESS"
// parts, and the marquee that timer 102 moves.
#include "skin/win/objects/skin_object_progress.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <optional>
#include <vector>

#include "skin/progress_chunks.h"
#include "skin/win/objects/offscreen_buffer.h"
#include "skin/win/theme/theme_class.h"

namespace {

std::optional<int> ThemeInt(ThemeClass* t, int part, int id) {
  int v = 0;
  if (t && SUCCEEDED(t->GetInt(part, 0, id, v))) return v;
  return std::nullopt;
}

}  // namespace

void CSkinObjectProgress::OnAttached() {
  FixStaticEdge();
}

void CSkinObjectProgress::SkinChanged(int oldEnabled, int newEnabled) {
  FixStaticEdge();
  CSkinObject::SkinChanged(oldEnabled, newEnabled);
}

void CSkinObjectProgress::FixStaticEdge() {
  const bool want = !(Skin().IsEnabled() || ::IsThemeActive());
  const LONG ex = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
  const LONG next = want ? (ex | WS_EX_STATICEDGE) : (ex & ~WS_EX_STATICEDGE);
  if (next != ex) {
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, next);
    RecalcFrame();
  }
}

void CSkinObjectProgress::Paint(HDC target) {
  RECT r;
  ::GetClientRect(m_hWnd, &r);
  OffscreenBuffer buffer(target, r.right, r.bottom);
  HDC dc = buffer.dc();
  ::FillRect(dc, &r, Metrics().Brush(COLOR_BTNFACE));
  ThemeClass* t = Theme();
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  const bool vertical = (style & PBS_VERTICAL) != 0;
  if (t) {
    const int barPart = vertical ? PP_BARVERT : PP_BAR;
    const int chunkPart = vertical ? PP_CHUNKVERT : PP_CHUNK;
    t->DrawBackground(dc, barPart, 0, r);
    ThemeMargins mg{};
    RECT content = r;
    if (SUCCEEDED(t->GetMargins(barPart, 0, TMT_CONTENTMARGINS, mg))) {
      content.left += mg.left;
      content.right -= mg.right;
      content.top += mg.top;
      content.bottom -= mg.bottom;
    }
    const std::optional<int> chunk = ThemeInt(t, 0, TMT_PROGRESSCHUNKSIZE);
    const std::optional<int> space = ThemeInt(t, 0, TMT_PROGRESSSPACESIZE);
    std::vector<SkinRect> chunks;
    if (style & PBS_MARQUEE) {
      chunks = MarqueeChunkRects(ToSkin(content), m_marqueeOffset, chunk, space);
    } else {
      PBRANGE range{0, 100};
      ::SendMessageW(m_hWnd, PBM_GETRANGE, FALSE, LPARAM(&range));
      ProgressBarInput in;
      in.client = ToSkin(r);
      in.content = ToSkin(content);
      in.vertical = vertical;
      in.low = range.iLow;
      in.high = range.iHigh;
      in.position = int(::SendMessageW(m_hWnd, PBM_GETPOS, 0, 0));
      in.themeChunk = chunk;
      in.themeSpace = space;
      chunks = ProgressChunkRects(in);
    }
    for (const SkinRect& c : chunks) t->DrawBackground(dc, chunkPart, 0, ToRect(c));
  }
  buffer.CopyTo(target, 0, 0);
}

void CSkinObjectProgress::StepMarquee(int steps) {
  RECT r;
  ::GetClientRect(m_hWnd, &r);
  ThemeClass* t = Theme();
  m_marqueeOffset =
      AdvanceMarquee(m_marqueeOffset, steps, ToSkin(r), ThemeInt(t, 0, TMT_PROGRESSCHUNKSIZE),
                     ThemeInt(t, 0, TMT_PROGRESSSPACESIZE));
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool CSkinObjectProgress::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  const bool marquee = (::GetWindowLongW(m_hWnd, GWL_STYLE) & PBS_MARQUEE) != 0;
  if (AnswerPaintMessages(msg, w, l, result, [this](HDC hdc) { Paint(hdc); })) return true;
  switch (msg) {
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
      result = CallPreviousAndRepaint(msg, w, l);
      return true;
    case PBM_STEPIT:
      if (!marquee) {
        result = CallPreviousAndRepaint(msg, w, l);
        return true;
      }
      StepMarquee(1);
      result = 1;
      return true;
    case PBM_SETMARQUEE:
      if (!marquee) return false;
      m_marqueeOffset = 0;
      m_marqueeInterval = 0;
      ::KillTimer(m_hWnd, kMarqueeTimerId);
      if (w && int(l) > 0) {
        m_marqueeInterval = int(l);
        ::SetTimer(m_hWnd, kMarqueeTimerId, UINT(l), nullptr);
      }
      result = TRUE;
      return true;
    case WM_TIMER:
      if (w == kMarqueeTimerId) {
        StepMarquee(MarqueeStepsPerTick(m_marqueeInterval));
        result = 0;
        return true;
      }
      break;
  }
  return CSkinObject::MessageHook(msg, w, l, result);
}