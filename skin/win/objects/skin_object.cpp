// The skin object's base: taking a window over and giving it back, passing
// messages on. The window side's procedure routes a subclassed window's
// messages (and, through the redirected default procedures, the others') to
// their objects.
#include "skin/win/objects/skin_object.h"

#include <windowsx.h>

#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/theme/theme_class.h"

const wchar_t kSkinPrevProcProp[] = L"SkinEnginePrevProc";

LRESULT CallSkinProcedure(bool unicode, WNDPROC proc, HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  const SystemFunctionTable& sys = SystemFunctions();
  return unicode ? sys.CallWindowProcW(proc, hwnd, msg, w, l)
                 : sys.CallWindowProcA(proc, hwnd, msg, w, l);
}

namespace {

void SetProcedure(bool unicode, HWND hwnd, WNDPROC proc) {
  if (unicode)
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  else
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

}  // namespace

CSkinObject::InUse::InUse(CSkinObject* object) : m_object(object) {
  if (m_object) ++m_object->m_uses;
}

CSkinObject::InUse::~InUse() {
  if (m_object && m_object->m_uses.fetch_sub(1) == kDisposed + 1) delete m_object;
}

void CSkinObject::Dispose(std::unique_ptr<CSkinObject> object) {
  if (!object) return;
  CSkinObject* o = object.release();
  if (o->m_uses.fetch_or(kDisposed) == 0) delete o;
}

const char16_t* CSkinObject::ObjectClassName() const {
  return m_class ? m_class->name : u"";
}

void CSkinObject::AttachWindow(HWND hwnd, const SkinObjectClass& kind, int frameType,
                               bool windowsForms, const SkinAttachment& with) {
  m_hWnd = hwnd;
  m_class = &kind;
  m_attachment = with;
  m_frameType = frameType;
  m_windowsForms = windowsForms;
  m_unicode = ::IsWindowUnicode(hwnd) != FALSE;
  m_prevProc = reinterpret_cast<WNDPROC>(m_unicode ? ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)
                                                   : ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  if (with.skinProcedure) {
    ::SetPropW(hwnd, kSkinPrevProcProp, reinterpret_cast<HANDLE>(m_prevProc));
    SetProcedure(m_unicode, hwnd, with.skinProcedure);
    m_subclassed = true;
  }
  OnAttached();
}

void CSkinObject::DetachWindow() {
  if (!m_hWnd) return;
  ::KillTimer(m_hWnd, kHotTimerId);
  if (m_subclassed) {
    const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
    // Someone subclassed after us: keep our procedure, which forwards through
    // the stored previous procedure once the object is gone.
    if (current == m_attachment.skinProcedure) {
      SetProcedure(m_unicode, m_hWnd, m_prevProc);
      ::RemovePropW(m_hWnd, kSkinPrevProcProp);
    }
  }
  m_subclassed = false;
  m_hWnd = nullptr;
}

LRESULT CSkinObject::CallPrevious(UINT msg, WPARAM w, LPARAM l) {
  if (!m_subclassed) return m_attachment.defaultProcedure(m_hWnd, msg, w, l);
  return CallSkinProcedure(m_unicode, m_prevProc, m_hWnd, msg, w, l);
}

LRESULT CSkinObject::CallPreviousAndRepaint(UINT msg, WPARAM w, LPARAM l) {
  const LRESULT r = CallPrevious(msg, w, l);
  // The window may be gone with the message.
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
  return r;
}

bool CSkinObject::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == SkinUpdateStateMessage()) {
    m_defaultOnly = ::SendMessageW(m_hWnd, SkinQueryStateMessage(), 0, 0) != 0;
    result = 0;
    return true;
  }
  if (IsControlColorMessage(msg)) return AnswerControlColor(msg, w, l, result);
  if (msg == WM_ERASEBKGND) {
    // A class brush that is a system colour is erased with the theme's.
    const auto cls = ::GetClassLongPtrW(m_hWnd, GCLP_HBRBACKGROUND);
    if (cls >= 1 && cls <= 31) {
      RECT client;
      ::GetClientRect(m_hWnd, &client);
      ::FillRect(reinterpret_cast<HDC>(w), &client, Metrics().Brush(int(cls - 1)));
      result = 1;
      return true;
    }
  }
  return false;
}

bool CSkinObject::AnswerControlColor(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  HDC dc = reinterpret_cast<HDC>(w);
  const ThemeMetrics& m = Metrics();
  if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) {
    ::SetBkColor(dc, m.Color(COLOR_WINDOW));
    ::SetTextColor(dc, m.Color(COLOR_WINDOWTEXT));
    result = reinterpret_cast<LRESULT>(m.Brush(COLOR_WINDOW));
    return true;
  }
  ::SetBkColor(dc, m.Color(COLOR_BTNFACE));
  ::SetTextColor(dc, m.Color(COLOR_BTNTEXT));
  result = reinterpret_cast<LRESULT>(FaceBrushFor(dc, reinterpret_cast<HWND>(l), msg));
  return true;
}

HBRUSH CSkinObject::FaceBrushFor(HDC, HWND, UINT) {
  return Metrics().Brush(COLOR_BTNFACE);
}

void CSkinObject::SkinChanged(int, int) {
  if (!m_hWnd) return;
  RecalcFrame();
  RedrawAll();
}

bool CSkinObject::TrackHot(bool& hot, bool now) {
  if (hot == now) return false;
  hot = now;
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
  if (now) {
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&tme);
  }
  return true;
}

bool CSkinObject::ClientHas(LPARAM point) const {
  RECT c;
  ::GetClientRect(m_hWnd, &c);
  return ::PtInRect(&c, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)}) != FALSE;
}

ThemeClass* CSkinObject::Theme() const {
  return Skin().GetThemeClass(ThemeClassName());
}

const ThemeMetrics& CSkinObject::Metrics() const {
  return Skin().Metrics();
}

bool CSkinObject::FrameOption() const {
  return (Skin().GetApplyOptions() & kApplyFrame) != 0;
}

void CSkinObject::RecalcFrame() {
  ++m_suppressFrame;
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  --m_suppressFrame;
}

void CSkinObject::RedrawAll() {
  ::RedrawWindow(m_hWnd, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool DrawPartOrFrameControl(const ThemeClass* theme, HDC dc, int part, int state, const RECT& rect,
                            UINT frameType, UINT frameState) {
  if (theme && theme->DrawBackground(dc, part, state, rect)) return true;
  RECT r = rect;
  SystemFunctions().DrawFrameControl(dc, &r, frameType, frameState);
  return false;
}

HBRUSH SkinBrushFromAnswer(LRESULT answer, const ThemeMetrics& m) {
  if (answer >= 1 && answer <= 30) return m.Brush(int(answer));
  if (answer > 30) return reinterpret_cast<HBRUSH>(answer);
  return m.Brush(COLOR_BTNFACE);
}

HBRUSH ParentBrushFor(HWND control, UINT msg, HDC hdc, const ThemeMetrics& metrics) {
  HWND parent = ::GetParent(control);
  const LRESULT answer =
      parent ? ::SendMessageW(parent, msg, WPARAM(hdc), LPARAM(control)) : LRESULT(0);
  return SkinBrushFromAnswer(answer, metrics);
}

UINT SkinUpdateStateMessage() {
  static const UINT msg = ::RegisterWindowMessageW(L"WM_SKINENGINE_UPDATESTATE");
  return msg;
}

UINT SkinQueryStateMessage() {
  static const UINT msg = ::RegisterWindowMessageW(L"WM_SKINENGINE_QUERYSTATE");
  return msg;
}
