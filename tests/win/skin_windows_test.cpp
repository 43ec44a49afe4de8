// Windows of this process under the shipped theme: which object a window
// gets, its caption buttons and their states as drawn, the state messages,
// the redirected system colours, buttons, progress bars and scroll tracking.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <vssym32.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "skin/win/engine/skin_engine.h"
#include "skin/win/objects/skin_object.h"
#include "skin/win/objects/skin_object_frame.h"
#include "skin/win/objects/skin_object_scrollbar.h"
#include "skin/win/theme/skin_theme.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_metrics.h"
#include "skin/win/windows/skin_windows.h"
#include "tests/win/modal_driver.h"
#include "tests/win/program_harness.h"
#include "tests/win/skin_test_support.h"

namespace {

struct Drawn {
  std::u16string cls;
  int part, state;
  RECT rect;
};
std::vector<Drawn> g_drawn;
void Record(const ThemeClass& c, int part, int state, const RECT& r) {
  g_drawn.push_back({c.Name(), part, state, r});
}

std::vector<Drawn> DrawnOf(const std::u16string& cls) {
  std::vector<Drawn> out;
  for (const Drawn& d : g_drawn)
    if (d.cls == cls) out.push_back(d);
  return out;
}

void RedrawNow(HWND h) {
  g_drawn.clear();
  ::RedrawWindow(h, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
}

INT_PTR CALLBACK ClosingDialogProc(HWND h, UINT msg, WPARAM, LPARAM) {
  if (msg == WM_CLOSE) {
    ::DestroyWindow(h);
    return TRUE;
  }
  return msg == WM_INITDIALOG;
}

HWND MakeDialog(DWORD style, DWORD exStyle = 0, DLGPROC proc = &ClosingDialogProc) {
  struct {
    DLGTEMPLATE t;
    WORD menu, cls, title;
  } tpl = {};
  tpl.t.style = style | DS_MODALFRAME;
  tpl.t.dwExtendedStyle = exStyle;
  tpl.t.cx = 200;
  tpl.t.cy = 120;
  HWND h = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &tpl.t, nullptr, proc, 0);
  ::SetWindowTextW(h, L"Skin test");
  ::ShowWindow(h, SW_SHOW);
  ::SetWindowPos(h, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE);
  PumpMessages(100);
  return h;
}

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return ::DefWindowProcW(h, m, w, l);
}

std::atomic<int> g_queryAnswer{0};
WNDPROC g_below = nullptr;
LRESULT CALLBACK AnsweringProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == SkinQueryStateMessage()) return g_queryAnswer;
  return ::CallWindowProcW(g_below, h, m, w, l);
}

// What the scroll bar's parent heard, with the time of each; the atomics are
// read by the thread that gives the pointer input.
std::vector<int> g_scrollCodes;
std::vector<int> g_scrollPositions;
std::vector<int> g_trackPositions;  // what GetScrollInfo told meanwhile
std::vector<DWORD> g_scrollTimes;
std::atomic<int> g_lineDowns{0};
std::atomic<int> g_lastTrack{-1};
std::atomic<bool> g_endScroll{false};
void ClearScrollLog() {
  g_scrollCodes.clear();
  g_scrollPositions.clear();
  g_trackPositions.clear();
  g_scrollTimes.clear();
  g_lineDowns = 0;
  g_lastTrack = -1;
  g_endScroll = false;
}
LRESULT CALLBACK ScrollParentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_VSCROLL) {
    g_scrollCodes.push_back(LOWORD(w));
    g_scrollPositions.push_back(HIWORD(w));
    g_scrollTimes.push_back(::GetTickCount());
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(reinterpret_cast<HWND>(l), SB_CTL, &si);
    g_trackPositions.push_back(si.nTrackPos);
    if (LOWORD(w) == SB_LINEDOWN) ++g_lineDowns;
    if (LOWORD(w) == SB_THUMBTRACK) g_lastTrack = HIWORD(w);
    if (LOWORD(w) == SB_ENDSCROLL) g_endScroll = true;
    return 0;
  }
  return ::DefWindowProcW(h, m, w, l);
}

void Mouse(DWORD flags, int x, int y) {
  SendMouse(flags, x, y);
}

// A vertical scroll bar control, range 0 to 99 and page 10, 200 pixels tall
// at the left of a 100 x 300 parent at (200, 200) of the given procedure;
// null when it got no skin object.
HWND MakeScrollBar(const wchar_t* parentClass, WNDPROC parentProc, HWND& parent) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = parentProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = parentClass;
  ::RegisterClassW(&wc);
  parent = ::CreateWindowExW(0, parentClass, L"", WS_POPUP | WS_VISIBLE, 200, 200, 100, 300,
                             nullptr, nullptr, wc.hInstance, nullptr);
  HWND sb = ::CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 17, 200,
                              parent, nullptr, wc.hInstance, nullptr);
  if (!SkinObjectFor(sb)) return nullptr;
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  si.nMax = 99;
  si.nPage = 10;
  ::SetScrollInfo(sb, SB_CTL, &si, TRUE);
  ::SetForegroundWindow(parent);
  PumpMessages(100);
  return sb;
}

// A colour scheme written beside a copy of the theme module: a loose INI wins
// over the module's own.
bool WriteLooseScheme(const std::wstring& folder, const std::u16string& text) {
  std::vector<uint8_t> bytes{0xFF, 0xFE};
  for (char16_t c : text) {
    if (c == u'\n') {
      bytes.push_back('\r');
      bytes.push_back(0);
    }
    bytes.push_back(uint8_t(c & 0xFF));
    bytes.push_back(uint8_t(c >> 8));
  }
  return WriteBytes(folder + L"NormalBlack2.ini", bytes);
}

class SkinWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    m_systemFace = ::GetSysColor(COLOR_BTNFACE);
    ASSERT_EQ(1,
              SkinEngine::Get().LoadTheme(U(AppDir() + L"Vista.skinstyles"), u"NormalBlack2.ini"));
    SetThemeDrawObserver(&Record);
  }
  void TearDown() override {
    SetThemeDrawObserver(nullptr);
    for (HWND h : m_windows)
      if (::IsWindow(h)) ::DestroyWindow(h);
    SkinEngine::Get().SetAutoAttach(true);
    SkinEngine::Get().LoadTheme(u"C:\\no\\such\\theme.skinstyles", u"");
  }
  static std::u16string U(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }
  HWND Keep(HWND h) {
    m_windows.push_back(h);
    return h;
  }
  COLORREF m_systemFace = 0;
  std::vector<HWND> m_windows;
};

TEST_F(SkinWindows, DialogWithSystemMenuHasOnlyCloseButtonAndClosesWhenClicked) {
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  CSkinObject* o = SkinObjectFor(dlg);
  ASSERT_NE(nullptr, o);
  EXPECT_EQ(kFrameDialog, o->FrameType());
  EXPECT_TRUE(o->IsSubclassed());
  RedrawNow(dlg);
  std::vector<int> parts;
  RECT b = {};  // where the close button was drawn, window relative
  for (const Drawn& d : DrawnOf(u"WINDOW")) {
    if (d.part == WP_CLOSEBUTTON || d.part == WP_MINBUTTON || d.part == WP_MAXBUTTON ||
        d.part == WP_HELPBUTTON)
      parts.push_back(d.part);
    if (d.part == WP_CLOSEBUTTON) b = d.rect;
  }
  EXPECT_EQ(std::vector<int>{WP_CLOSEBUTTON}, parts);
  ASSERT_FALSE(::IsRectEmpty(&b));

  RECT wr;
  ::GetWindowRect(dlg, &wr);
  const int x = wr.left + (b.left + b.right) / 2, y = wr.top + (b.top + b.bottom) / 2;
  EXPECT_EQ(HTCLOSE, ::SendMessageW(dlg, WM_NCHITTEST, 0, MAKELPARAM(x, y)));
  ::SetForegroundWindow(dlg);
  Mouse(0, x, y);
  PumpMessages(100);
  Mouse(MOUSEEVENTF_LEFTDOWN, x, y);
  Mouse(MOUSEEVENTF_LEFTUP, x, y);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(dlg); }));
}

TEST_F(SkinWindows, ToolWindowGetsSmallCaptionAndSmallCloseButton) {
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW));
  RedrawNow(dlg);
  bool smallCaption = false, bigCaption = false, smallClose = false;
  for (const Drawn& d : DrawnOf(u"WINDOW")) {
    smallCaption |= d.part == WP_SMALLCAPTION;
    bigCaption |= d.part == WP_CAPTION;
    smallClose |= d.part == WP_SMALLCLOSEBUTTON;
  }
  EXPECT_TRUE(smallCaption);
  EXPECT_FALSE(bigCaption);
  EXPECT_TRUE(smallClose);
  RECT wr, cr;
  ::GetWindowRect(dlg, &wr);
  ::GetClientRect(dlg, &cr);
  ::MapWindowPoints(dlg, nullptr, reinterpret_cast<POINT*>(&cr), 2);
  const ThemeSizes& s = SkinEngine::Get().Metrics().Sizes();
  EXPECT_EQ(s.smallCaptionHeight, (cr.top - wr.top) - (wr.bottom - cr.bottom));
}

TEST_F(SkinWindows, ObjectsFollowTheClassName) {
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  for (const wchar_t* name :
       {L"WindowsForms10.BUTTON.app.0.1", L"WindowsForms10.Window.8.app.0.1"}) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &PlainProc;
    wc.hInstance = inst;
    wc.lpszClassName = name;
    ::RegisterClassW(&wc);
  }
  HWND forms = Keep(::CreateWindowExW(0, L"WindowsForms10.BUTTON.app.0.1", L"", WS_POPUP, 0, 0, 50,
                                      20, nullptr, nullptr, inst, nullptr));
  CSkinObject* o = SkinObjectFor(forms);
  ASSERT_NE(nullptr, o);
  EXPECT_EQ(std::u16string(u"CSkinObjectButton"), o->ObjectClassName());
  EXPECT_TRUE(o->IsWindowsForms());
  EXPECT_FALSE(o->IsSubclassed());  // its procedure is ours, not the system's
  HWND formsWindow = Keep(::CreateWindowExW(0, L"WindowsForms10.Window.8.app.0.1", L"", WS_POPUP, 0,
                                            0, 50, 20, nullptr, nullptr, inst, nullptr));
  ASSERT_NE(nullptr, SkinObjectFor(formsWindow));
  EXPECT_EQ(std::u16string(u"CSkinObjectApplicationFrame"),
            SkinObjectFor(formsWindow)->ObjectClassName());

  HWND button = Keep(::CreateWindowExW(0, L"Button", L"b", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                       inst, nullptr));
  ASSERT_NE(nullptr, SkinObjectFor(button));
  EXPECT_EQ(std::u16string(u"CSkinObjectButton"), SkinObjectFor(button)->ObjectClassName());
  EXPECT_FALSE(SkinObjectFor(button)->IsWindowsForms());

  // Excluded names get no object, whatever the window is.
  SkinEngine::Get().SetAutoAttach(false);
  HWND plain = Keep(::CreateWindowExW(0, L"WindowsForms10.Window.8.app.0.1", L"", WS_POPUP, 0, 0,
                                      10, 10, nullptr, nullptr, inst, nullptr));
  EXPECT_EQ(nullptr, SkinObjectFor(plain));
  for (const char16_t* excluded :
       {u"#32768", u"SkinManagerMenu", u"SysPager", u"tooltips_class32", u"IME", u"ime", u"Ime"})
    EXPECT_EQ(nullptr, SkinAttach(plain, excluded, nullptr)) << std::string(excluded, excluded + 3);
  EXPECT_EQ(nullptr, SkinObjectFor(plain));
  // Only the input method's class itself is left out, not names containing it.
  for (const char16_t* skinned : {u"SysDateTimePick32", u"TimerWnd", u"MSCTFIME UI"}) {
    HWND other = ::CreateWindowExW(0, L"WindowsForms10.Window.8.app.0.1", L"", WS_POPUP, 0, 0, 10,
                                   10, nullptr, nullptr, inst, nullptr);
    CSkinObject* attached = SkinAttach(other, skinned, nullptr);
    ASSERT_NE(nullptr, attached) << std::string(skinned, skinned + 4);
    if (std::u16string(skinned) == u"SysDateTimePick32") {
      EXPECT_EQ(std::u16string(u"CSkinObjectDateTime"), attached->ObjectClassName());
    }
    ::DestroyWindow(other);
  }
  HWND menu = Keep(::CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     inst, nullptr));
  SkinEngine::Get().SetAutoAttach(true);
  EXPECT_EQ(nullptr, SkinObjectFor(menu));
  HWND menu2 = Keep(::CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      inst, nullptr));
  EXPECT_EQ(nullptr, SkinObjectFor(menu2));
}

TEST_F(SkinWindows, StateMessagesSwitchDefaultOnlyMode) {
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  ASSERT_NE(nullptr, SkinObjectFor(dlg));
  g_below = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(dlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnsweringProc)));
  g_queryAnswer = 1;
  ::SendMessageW(dlg, SkinUpdateStateMessage(), 0, 0);
  EXPECT_TRUE(SkinObjectFor(dlg)->IsDefaultOnly());
  RedrawNow(dlg);
  EXPECT_TRUE(DrawnOf(u"WINDOW").empty());
  g_queryAnswer = 0;
  ::SendMessageW(dlg, SkinUpdateStateMessage(), 0, 0);
  EXPECT_FALSE(SkinObjectFor(dlg)->IsDefaultOnly());
  RedrawNow(dlg);
  EXPECT_FALSE(DrawnOf(u"WINDOW").empty());
  ::SetWindowLongPtrW(dlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_below));
}

TEST_F(SkinWindows, SystemColoursComeFromTheThemeOnlyWhileEnabled) {
  EXPECT_EQ(RGB(43, 45, 49), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(RGB(227, 229, 232), ::GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(SkinEngine::Get().Metrics().Brush(COLOR_BTNFACE), ::GetSysColorBrush(COLOR_BTNFACE));
  SkinEngine::Get().LoadTheme(u"C:\\no\\such\\theme.skinstyles", u"");
  ASSERT_FALSE(SkinEngine::Get().IsEnabled());
  EXPECT_EQ(m_systemFace, ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(SkinWindows, InactiveWindowDrawsCaptionButtonsInStatesFiveToEight) {
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  g_drawn.clear();
  ::SendMessageW(dlg, WM_NCACTIVATE, FALSE, 0);
  int buttons = 0;
  for (const Drawn& d : DrawnOf(u"WINDOW")) {
    if (d.part != WP_CLOSEBUTTON && d.part != WP_MINBUTTON && d.part != WP_MAXBUTTON) continue;
    ++buttons;
    EXPECT_GE(d.state, 5);
    EXPECT_LE(d.state, 8);
  }
  EXPECT_EQ(3, buttons);  // close, maximize (disabled), minimize
  g_drawn.clear();
  ::SendMessageW(dlg, WM_NCACTIVATE, TRUE, 0);
  for (const Drawn& d : DrawnOf(u"WINDOW")) {
    if (d.part == WP_MAXBUTTON) {
      EXPECT_EQ(4, d.state);  // no maximize box: disabled
    }
  }
}

TEST_F(SkinWindows, ButtonStatesAsDrawn) {
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  auto make = [&](DWORD style, int y) {
    return ::CreateWindowExW(0, L"Button", L"Text", WS_CHILD | WS_VISIBLE | style, 10, y, 120, 22,
                             dlg, nullptr, inst, nullptr);
  };
  HWND def = make(BS_DEFPUSHBUTTON, 0);
  HWND disabled = make(BS_PUSHBUTTON | WS_DISABLED, 25);
  HWND check = make(BS_AUTOCHECKBOX, 50);
  HWND tri = make(BS_AUTO3STATE, 75);
  ::SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  ::SendMessageW(tri, BM_SETCHECK, BST_INDETERMINATE, 0);
  ::SendMessageW(check, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ::SendMessageW(tri, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  auto stateOf = [&](HWND b) {
    g_drawn.clear();
    ::RedrawWindow(b, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    for (const Drawn& d : DrawnOf(u"BUTTON")) return std::make_pair(d.part, d.state);
    return std::make_pair(0, 0);
  };
  EXPECT_EQ(std::make_pair(int(BP_PUSHBUTTON), 5), stateOf(def));
  EXPECT_EQ(std::make_pair(int(BP_PUSHBUTTON), 4), stateOf(disabled));
  EXPECT_EQ(std::make_pair(int(BP_CHECKBOX), 6), stateOf(check));
  EXPECT_EQ(std::make_pair(int(BP_CHECKBOX), 10), stateOf(tri));
  ::SendMessageW(def, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(std::make_pair(int(BP_PUSHBUTTON), 3), stateOf(def));
}

TEST_F(SkinWindows, ProgressBarIsContinuousWithChunkOneAndNoSpace) {
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  HWND bar = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 204, 20, dlg,
                               nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, SkinObjectFor(bar));
  EXPECT_FALSE(::GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_STATICEDGE);
  ::SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  ::SendMessageW(bar, PBM_SETPOS, 50, 0);
  g_drawn.clear();
  ::UpdateWindow(bar);
  std::vector<Drawn> chunks;
  for (const Drawn& d : DrawnOf(u"PROGRESS"))
    if (d.part == PP_CHUNK) chunks.push_back(d);
  ASSERT_EQ(1u, chunks.size());
  RECT client;
  ::GetClientRect(bar, &client);
  // Content margins 2 on each side: half of the 200-pixel content.
  EXPECT_EQ(2, chunks[0].rect.left);
  EXPECT_EQ(100, chunks[0].rect.right - chunks[0].rect.left);
  ::SendMessageW(bar, PBM_SETPOS, 0, 0);
  g_drawn.clear();
  ::UpdateWindow(bar);
  int bars = 0, none = 0;
  for (const Drawn& d : DrawnOf(u"PROGRESS")) (d.part == PP_BAR ? bars : none)++;
  EXPECT_EQ(1, bars);
  EXPECT_EQ(0, none);
}

// A shown 300 x 200 top-level window of a class of its own with the plain procedure.
HWND ShownPlainWindow(const wchar_t* className, DWORD style, DWORD exStyle) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &PlainProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = className;
  ::RegisterClassW(&wc);
  HWND hwnd = ::CreateWindowExW(exStyle, className, L"Region", style, 100, 100, 300, 200, nullptr,
                                nullptr, wc.hInstance, nullptr);
  ::ShowWindow(hwnd, SW_SHOWNORMAL);
  PumpMessages(100);
  return hwnd;
}

TEST_F(SkinWindows, RegionCutsTheCaptionsRoundedCornersUnlessMaximized) {
  HWND dlg = Keep(ShownPlainWindow(L"SkinRegionWindow", WS_OVERLAPPEDWINDOW, 0));
  ASSERT_NE(nullptr, SkinObjectFor(dlg));
  RECT wr;
  ::GetWindowRect(dlg, &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, ::GetWindowRgn(dlg, rgn));
  // The caption image is rounded at the top; the frame's bottom is square.
  EXPECT_FALSE(::PtInRegion(rgn, 0, 0));
  EXPECT_FALSE(::PtInRegion(rgn, w - 1, 0));
  EXPECT_TRUE(::PtInRegion(rgn, w / 2, 0));
  EXPECT_TRUE(::PtInRegion(rgn, 0, 10));
  EXPECT_TRUE(::PtInRegion(rgn, 0, h - 1));
  EXPECT_TRUE(::PtInRegion(rgn, w - 1, h - 1));
  EXPECT_TRUE(::PtInRegion(rgn, w / 2, h / 2));

  // Maximized through its style (this display's window manager may refuse
  // to maximize), then resized so that the frame object looks again.
  const LONG style = ::GetWindowLongW(dlg, GWL_STYLE);
  ::SetWindowLongW(dlg, GWL_STYLE, style | WS_MAXIMIZE);
  ::SetWindowPos(dlg, nullptr, 0, 0, w + 20, h + 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(ERROR, ::GetWindowRgn(dlg, rgn));
  ::SetWindowLongW(dlg, GWL_STYLE, style);
  ::SetWindowPos(dlg, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_NE(ERROR, ::GetWindowRgn(dlg, rgn));
  EXPECT_FALSE(::PtInRegion(rgn, 0, 0));
  ::DeleteObject(rgn);
}

TEST_F(SkinWindows, RegionKeepsTheClientAreaOfAThinFrame) {
  // A dialog frame is thinner than the corner squares the region looks at:
  // the client area inside it is never cut, though the frame images leave it
  // clear.
  HWND dlg = Keep(ShownPlainWindow(L"SkinThinFrameWindow", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                   WS_EX_DLGMODALFRAME));
  ASSERT_NE(nullptr, SkinObjectFor(dlg));
  RECT wr, client;
  ::GetWindowRect(dlg, &wr);
  ::GetClientRect(dlg, &client);
  ::MapWindowPoints(dlg, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::OffsetRect(&client, -wr.left, -wr.top);
  ASSERT_LT(client.left, 8);  // the frame is thinner than a corner square
  HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, ::GetWindowRgn(dlg, rgn));
  EXPECT_FALSE(::PtInRegion(rgn, 0, 0));  // the caption's rounding is still cut
  int cut = 0;
  for (int y = client.bottom - 8; y < client.bottom; ++y) {
    for (int x = client.left; x < client.left + 8; ++x) cut += !::PtInRegion(rgn, x, y);
    for (int x = client.right - 8; x < client.right; ++x) cut += !::PtInRegion(rgn, x, y);
  }
  EXPECT_EQ(0, cut);
  ::DeleteObject(rgn);
}

// A theme in force with the system's colours, as read when it is made, and
// no classes.
class SystemColoursTheme : public SkinTheme {
 public:
  SystemColoursTheme() { m_metrics.Refresh(nullptr, 0); }
  bool IsEnabled() const override { return true; }
  int GetApplyOptions() const override { return 0; }
  std::shared_ptr<ThemeSchema> Schema() const override { return nullptr; }
  ThemeClass* GetThemeClass(std::u16string_view) const override { return nullptr; }
  const ThemeMetrics& Metrics() const override { return m_metrics; }

 private:
  ThemeMetrics m_metrics;
};

// An object draws with the theme it was handed when attached, not with
// whatever the engine holds.
TEST_F(SkinWindows, AnObjectAnswersInTheColoursOfTheThemeItWasHanded) {
  // Its metrics read while no theme answers for the system.
  SkinEngine::Get().LoadTheme(u"C:\\no\\such\\theme.skinstyles", u"");
  SystemColoursTheme handed;
  ASSERT_EQ(1, SkinEngine::Get().LoadTheme(U(AppDir() + L"Vista.skinstyles"), u"NormalBlack2.ini"));
  ASSERT_NE(handed.Metrics().Color(COLOR_BTNFACE),
            SkinEngine::Get().Metrics().Color(COLOR_BTNFACE));
  SkinEngine::Get().SetAutoAttach(false);
  HWND plain = Keep(::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr));
  SkinEngine::Get().SetAutoAttach(true);
  ASSERT_EQ(nullptr, SkinObjectFor(plain));
  const SkinObjectClass kind = {u"CSkinObject", nullptr};
  SkinAttachment with;
  with.theme = &handed;
  with.defaultProcedure = &::DefWindowProcW;
  CSkinObject object;
  object.AttachWindow(plain, kind, kFrameOther, false, with);
  HDC dc = ::GetDC(plain);
  LRESULT brush = 0;
  EXPECT_TRUE(object.MessageHook(WM_CTLCOLORSTATIC, WPARAM(dc), 0, brush));
  EXPECT_EQ(handed.Metrics().Brush(COLOR_BTNFACE), reinterpret_cast<HBRUSH>(brush));
  EXPECT_EQ(handed.Metrics().Color(COLOR_BTNTEXT), ::GetTextColor(dc));
  ::ReleaseDC(plain, dc);
  object.DetachWindow();
}

TEST_F(SkinWindows, ProgressBarDrawsSpacedChunksFromTheContentEdge) {
  ScratchDir scratch;
  ASSERT_TRUE(CopyInto(AppDir() + L"Vista.skinstyles", scratch.Path()));
  ASSERT_TRUE(WriteLooseScheme(scratch.Path(),
                               u"[Progress]\nProgressChunkSize = 10\nProgressSpaceSize = 2\n\n"
                               u"[Progress.Bar]\nBgType = None\n\n"
                               u"[Progress.Chunk]\nBgType = BorderFill\nFillColor = 0 0 255\n"));
  ASSERT_EQ(
      1, SkinEngine::Get().LoadTheme(U(scratch.Path() + L"Vista.skinstyles"), u"NormalBlack2.ini"));
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  HWND bar = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, dlg,
                               nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, SkinObjectFor(bar));
  RECT client;
  ::GetClientRect(bar, &client);
  ASSERT_EQ(200, client.right);
  ::SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  ::SendMessageW(bar, PBM_SETPOS, 50, 0);
  g_drawn.clear();
  ::UpdateWindow(bar);
  std::vector<Drawn> chunks;
  for (const Drawn& d : DrawnOf(u"PROGRESS"))
    if (d.part == PP_CHUNK) chunks.push_back(d);
  // 100 filled pixels in chunks of 10 with gaps of 2: (100 + 2 + 10 - 1) / 12.
  ASSERT_EQ(9u, chunks.size());
  for (size_t k = 0; k < chunks.size(); ++k) {
    EXPECT_EQ(int(k) * 12, chunks[k].rect.left) << k;
    EXPECT_EQ(10, chunks[k].rect.right - chunks[k].rect.left) << k;
  }
  ASSERT_EQ(1, SkinEngine::Get().LoadTheme(U(AppDir() + L"Vista.skinstyles"), u"NormalBlack2.ini"));
}

TEST_F(SkinWindows, ScrollBarArrowRepeatsAndThumbSnapsBack) {
  HWND parent = nullptr;
  HWND sb = MakeScrollBar(L"SkinScrollParent", &ScrollParentProc, parent);
  Keep(parent);
  ASSERT_NE(nullptr, sb);
  // Down arrow held for at least a second, until the repeats have begun:
  // code 1 at once, again after 4/5 of the double-click time, then every
  // tenth of it.
  const int x = 208, downY = 200 + 200 - 8;
  const DWORD dct = ::GetDoubleClickTime();
  ClearScrollLog();
  std::atomic<bool> released{false};
  std::thread arrow([&] {
    Mouse(0, x, downY);
    Mouse(MOUSEEVENTF_LEFTDOWN, x, downY);
    const DWORD down = ::GetTickCount();
    while ((g_lineDowns < 4 || ::GetTickCount() - down < 1000) && ::GetTickCount() - down < 20000)
      ::Sleep(10);
    Mouse(MOUSEEVENTF_LEFTUP, x, downY);
    released = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return released && g_endScroll; }));
  arrow.join();
  ASSERT_FALSE(g_scrollCodes.empty());
  std::vector<DWORD> lineDownTimes;
  for (size_t i = 0; i < g_scrollCodes.size(); ++i)
    if (g_scrollCodes[i] == SB_LINEDOWN) lineDownTimes.push_back(g_scrollTimes[i]);
  ASSERT_GE(lineDownTimes.size(), 4u);
  // No repeat before its time: the first waits 4/5, and over the time held
  // there are no more than one per tenth (timers never come early).
  EXPECT_GE(lineDownTimes[1] - lineDownTimes[0] + 20, dct * 4 / 5);
  const DWORD held = g_scrollTimes.back() - lineDownTimes[0];
  EXPECT_LE(lineDownTimes.size(), 3 + (held - dct * 4 / 5) / (dct / 10));
  EXPECT_EQ(SB_ENDSCROLL, g_scrollCodes.back());

  // Thumb (position 0, at the top) dragged down, then far to the side; each
  // move once the bar has answered the one before, since the bar reads where
  // the pointer is when it gets to a move.
  ClearScrollLog();
  released = false;
  std::thread thumb([&] {
    Mouse(0, x, 200 + 22);
    Mouse(MOUSEEVENTF_LEFTDOWN, x, 200 + 22);
    WaitUntil([] { return g_lastTrack == 0; });
    Mouse(0, x, 200 + 80);
    WaitUntil([] { return g_lastTrack > 10; });
    Mouse(0, x + 400, 200 + 80);
    WaitUntil([] { return g_lastTrack == 0; });
    Mouse(MOUSEEVENTF_LEFTUP, x + 400, 200 + 80);
    released = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return released && g_endScroll; }));
  thumb.join();
  ASSERT_GE(g_scrollCodes.size(), 4u);
  EXPECT_EQ(SB_THUMBTRACK, g_scrollCodes.front());
  bool movedDown = false;
  for (size_t i = 0; i < g_scrollCodes.size(); ++i) {
    if (g_scrollCodes[i] != SB_THUMBTRACK) continue;
    movedDown |= g_scrollPositions[i] > 10;
    EXPECT_EQ(g_scrollPositions[i], g_trackPositions[i]) << "track position " << i;
  }
  EXPECT_TRUE(movedDown);
  const size_t n = g_scrollCodes.size();
  EXPECT_EQ(SB_THUMBPOSITION, g_scrollCodes[n - 2]);
  EXPECT_EQ(0, g_scrollPositions[n - 2]);  // snapped back to where it began
  EXPECT_EQ(SB_ENDSCROLL, g_scrollCodes[n - 1]);
}

// Blocks the size of a freed object, filled with a pattern: a freed skin
// object's memory is likely to be handed out again here, and a write through
// a stale pointer then shows as a changed block.
class FreedMemoryWatch {
 public:
  void Fill(size_t size) {
    for (int i = 0; i < 256; ++i) {
      m_blocks.emplace_back(new unsigned char[size]);
      std::memset(m_blocks.back().get(), 0xCD, size);
    }
    m_size = size;
  }
  bool Untouched() const {
    for (const auto& b : m_blocks)
      for (size_t i = 0; i < m_size; ++i)
        if (b[i] != 0xCD) return false;
    return true;
  }

 private:
  std::vector<std::unique_ptr<unsigned char[]>> m_blocks;
  size_t m_size = 0;
};
FreedMemoryWatch g_freed;

INT_PTR CALLBACK DestroyedInCaptionLoopProc(HWND h, UINT msg, WPARAM, LPARAM) {
  // Destroyed by a message the caption button's loop dispatches.
  if (msg == WM_TIMER && ::GetCapture() == h) {
    ::DestroyWindow(h);
    g_freed.Fill(sizeof(CSkinObjectFrame));
    return TRUE;
  }
  return msg == WM_INITDIALOG;
}

LRESULT CALLBACK DestroyingScrollParentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_VSCROLL && LOWORD(w) == SB_LINEDOWN && l) {
    ::DestroyWindow(reinterpret_cast<HWND>(l));
    g_freed.Fill(sizeof(CSkinObjectScrollBar));
    return 0;
  }
  if (m == WM_VSCROLL) ++g_lineDowns;  // anything heard after the bar was gone
  return ::DefWindowProcW(h, m, w, l);
}

TEST_F(SkinWindows, CaptionButtonLoopSurvivesItsWindowBeingDestroyed) {
  g_freed = FreedMemoryWatch();
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, &DestroyedInCaptionLoopProc));
  RedrawNow(dlg);
  RECT b = {};
  for (const Drawn& d : DrawnOf(u"WINDOW"))
    if (d.part == WP_CLOSEBUTTON) b = d.rect;
  ASSERT_FALSE(::IsRectEmpty(&b));
  RECT wr;
  ::GetWindowRect(dlg, &wr);
  const int x = wr.left + (b.left + b.right) / 2, y = wr.top + (b.top + b.bottom) / 2;
  ::SetForegroundWindow(dlg);
  ::SetTimer(dlg, 1, 20, nullptr);
  Mouse(0, x, y);
  PumpMessages(100);
  Mouse(MOUSEEVENTF_LEFTDOWN, x, y);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(dlg); }));
  Mouse(MOUSEEVENTF_LEFTUP, x, y);
  PumpMessages(50);
  EXPECT_TRUE(g_freed.Untouched()) << "the loop wrote into its object after the window went";
}

TEST_F(SkinWindows, ScrollTrackingEndsWhenTheParentDestroysTheBar) {
  g_freed = FreedMemoryWatch();
  HWND parent = nullptr;
  HWND sb = MakeScrollBar(L"SkinDestroyingScrollParent", &DestroyingScrollParentProc, parent);
  Keep(parent);
  ASSERT_NE(nullptr, sb);
  ClearScrollLog();
  const int x = 208, downY = 200 + 200 - 8;
  Mouse(0, x, downY);
  Mouse(MOUSEEVENTF_LEFTDOWN, x, downY);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(sb); }));
  PumpMessages(300);  // long enough for a repeat, were the bar still tracked
  Mouse(MOUSEEVENTF_LEFTUP, x, downY);
  PumpMessages(50);
  EXPECT_EQ(0, g_lineDowns) << "notifications went on after the bar was destroyed";
  EXPECT_TRUE(g_freed.Untouched()) << "the tracking wrote into its object after the bar went";
}

// A window that outlives the engine (at exit) gets its own procedure back,
// and windows made after it get no object.
TEST(SkinEngineExit, WindowsOutlivingTheEngineGetTheirProcedureBack) {
  const long code =
      RunHidden(L"\"" + HelpersDir() + L"skin_exit_probe.exe\" \"" + ShippedTheme() + L"\"");
  EXPECT_EQ(0, code);
}

TEST_F(SkinWindows, ScrollBarCornerTakesTheSizeBoxColour) {
  LooseTheme theme(
      u"[SysMetrics]\r\nBtnFace = 10 20 30\r\n[ScrollBar.SizeBox]\r\nFillColor = 200 100 50\r\n");
  ASSERT_EQ(1, theme.Load());
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &PlainProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SkinCornerWindow";
  ::RegisterClassW(&wc);
  HWND w = Keep(::CreateWindowExW(0, wc.lpszClassName, L"Corner",
                                  WS_POPUP | WS_CAPTION | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 120,
                                  120, 200, 150, nullptr, nullptr, wc.hInstance, nullptr));
  ASSERT_NE(nullptr, SkinObjectFor(w));
  ::RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  RECT client;
  ::GetClientRect(w, &client);
  ::MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT wr;
  ::GetWindowRect(w, &wr);
  const ThemeSizes& s = SkinEngine::Get().Metrics().Sizes();
  const int x = client.right - wr.left + s.vScrollWidth / 2;
  const int y = client.bottom - wr.top + s.hScrollHeight / 2;
  EXPECT_EQ(RGB(200, 100, 50), WindowPixel(w, x, y));
}

TEST_F(SkinWindows, DisabledEditShowsTheDisabledBorder) {
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  // As a dialog template's edit box comes: with a client edge.
  HWND edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"C:\\out", WS_CHILD | WS_VISIBLE, 10,
                                10, 150, 22, dlg, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, SkinObjectFor(edit));
  ThemeClass* t = SkinEngine::Get().GetThemeClass(u"EDIT");
  COLORREF disabled = 0, normal = 0;
  ASSERT_EQ(S_OK, t->GetColor(EP_EDITTEXT, ETS_DISABLED, TMT_BORDERCOLOR, disabled));
  ASSERT_EQ(S_OK, t->GetColor(EP_EDITTEXT, ETS_NORMAL, TMT_BORDERCOLOR, normal));
  ASSERT_NE(disabled, normal);
  ::RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_NE(disabled, WindowPixel(edit, 0, 11));
  ::EnableWindow(edit, FALSE);
  ::RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(disabled, WindowPixel(edit, 0, 11));
}

TEST_F(SkinWindows, PrintClientPaintsOnlyWhenTheClientIsAskedFor) {
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  HWND button = ::CreateWindowExW(0, L"Button", L"Push", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, dlg,
                                  nullptr, inst, nullptr);
  HWND bar = ::CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 100, 10, 17,
                               80, dlg, nullptr, inst, nullptr);
  Canvas canvas(120, 100, RGB(1, 2, 3));
  for (const auto& [hwnd, cls] : {std::make_pair(button, std::u16string(u"BUTTON")),
                                  std::make_pair(bar, std::u16string(u"SCROLLBAR"))}) {
    ASSERT_NE(nullptr, SkinObjectFor(hwnd));
    g_drawn.clear();
    ::SendMessageW(hwnd, WM_PRINTCLIENT, WPARAM(canvas.Dc()), PRF_NONCLIENT | PRF_CHILDREN);
    EXPECT_TRUE(DrawnOf(cls).empty()) << "painted for a request without the client";
    g_drawn.clear();
    ::SendMessageW(hwnd, WM_PRINTCLIENT, WPARAM(canvas.Dc()), PRF_CLIENT);
    EXPECT_FALSE(DrawnOf(cls).empty());
  }
}

TEST_F(SkinWindows, LoadingAThemeAttachesWindowsThatAlreadyExist) {
  SkinEngine::Get().LoadTheme(u"C:\\no\\such\\theme.skinstyles", u"");
  SkinEngine::Get().SetAutoAttach(false);
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  HWND button = ::CreateWindowExW(0, L"Button", L"Push", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, dlg,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
  SkinEngine::Get().SetAutoAttach(true);
  ASSERT_EQ(nullptr, SkinObjectFor(dlg));
  ASSERT_EQ(nullptr, SkinObjectFor(button));
  ASSERT_EQ(1, SkinEngine::Get().LoadTheme(U16(ShippedTheme()), u"NormalBlack2.ini"));
  ASSERT_NE(nullptr, SkinObjectFor(dlg));
  ASSERT_NE(nullptr, SkinObjectFor(button));
  EXPECT_EQ(std::u16string(u"CSkinObjectButton"), SkinObjectFor(button)->ObjectClassName());
  RedrawNow(dlg);
  EXPECT_FALSE(DrawnOf(u"BUTTON").empty());
  EXPECT_FALSE(DrawnOf(u"WINDOW").empty());
}

TEST_F(SkinWindows, PageBackgroundIsTheTabBodysStockImage) {
  LooseTheme theme(u"[Tab.Body]\r\nStockImageFile = Stock.bmp\r\nImageFile = Body.bmp\r\n");
  theme.File(L"Stock.bmp", Bmp(8, 8, 24, [](int, int) { return 0xFF00FF00u; }));
  theme.File(L"Body.bmp", Bmp(8, 8, 24, [](int, int) { return 0xFFFF0000u; }));
  ASSERT_EQ(1, theme.Load());
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  struct {
    DLGTEMPLATE t;
    WORD menu, cls, title;
  } tpl = {};
  tpl.t.style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
  tpl.t.cx = 100;
  tpl.t.cy = 60;
  HWND page =
      ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &tpl.t, dlg, &ClosingDialogProc, 0);
  ASSERT_NE(nullptr, SkinObjectFor(page));
  ASSERT_EQ(kFramePage, SkinObjectFor(page)->FrameType());
  Canvas canvas(40, 40, RGB(1, 2, 3));
  ::SendMessageW(page, WM_ERASEBKGND, WPARAM(canvas.Dc()), 0);
  EXPECT_EQ(RGB(0, 255, 0), canvas.At(10, 10));
}

TEST_F(SkinWindows, SpinDrawsItsTwoArrowButtons) {
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  HWND vertical = ::CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 20, 40,
                                    dlg, nullptr, inst, nullptr);
  HWND horizontal = ::CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_HORZ, 40,
                                      10, 40, 20, dlg, nullptr, inst, nullptr);
  ASSERT_NE(nullptr, SkinObjectFor(vertical));
  EXPECT_EQ(std::u16string(u"CSkinObjectSpin"), SkinObjectFor(vertical)->ObjectClassName());
  auto partsOf = [](HWND h) {
    g_drawn.clear();
    ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::vector<int> parts;
    for (const Drawn& d : DrawnOf(u"SPIN")) parts.push_back(d.part * 10 + d.state);
    return parts;
  };
  EXPECT_EQ((std::vector<int>{SPNP_UP * 10 + 1, SPNP_DOWN * 10 + 1}), partsOf(vertical));
  EXPECT_EQ((std::vector<int>{SPNP_DOWNHORZ * 10 + 1, SPNP_UPHORZ * 10 + 1}), partsOf(horizontal));
  ::EnableWindow(vertical, FALSE);
  EXPECT_EQ((std::vector<int>{SPNP_UP * 10 + 4, SPNP_DOWN * 10 + 4}), partsOf(vertical));
}

// Colours of a rectangle of a canvas, to compare two paints.
std::vector<COLORREF> Pixels(const Canvas& c, const RECT& r) {
  std::vector<COLORREF> out;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) out.push_back(c.At(x, y));
  return out;
}

// With images that do not decode, the parts fall back to the system's look:
// a check box still shows its tick, a disabled button its state, a caption
// its close button.
TEST_F(SkinWindows, PartsTheThemeCannotDrawKeepTheSystemsLook) {
  const std::u16string broken = u"ImageFile = Bad.png\r\n";
  LooseTheme theme(u"[Button.CheckBox]\r\n" + broken + u"[Button.PushButton]\r\n" + broken +
                   u"[Window.CloseButton]\r\n" + broken);
  theme.File(L"Bad.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 0, 0, 0, 0});
  ASSERT_EQ(1, theme.Load());
  HWND dlg = Keep(MakeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  HWND check =
      ::CreateWindowExW(0, L"Button", L"Use Temp Folder", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                        10, 10, 150, 22, dlg, nullptr, inst, nullptr);
  HWND push = ::CreateWindowExW(0, L"Button", L"Next", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10,
                                40, 80, 24, dlg, nullptr, inst, nullptr);
  auto paint = [](HWND h, Canvas& c) {
    ::SendMessageW(h, WM_PRINTCLIENT, WPARAM(c.Dc()), PRF_CLIENT);
  };
  const RECT glyph = {0, 0, 16, 22};
  Canvas unchecked(150, 22, RGB(1, 2, 3)), checked(150, 22, RGB(1, 2, 3));
  paint(check, unchecked);
  ::SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  paint(check, checked);
  EXPECT_NE(Pixels(unchecked, glyph), Pixels(checked, glyph)) << "the tick does not show";

  const RECT all = {0, 0, 80, 24};
  Canvas enabled(80, 24, RGB(1, 2, 3)), disabled(80, 24, RGB(1, 2, 3));
  paint(push, enabled);
  ::EnableWindow(push, FALSE);
  paint(push, disabled);
  EXPECT_NE(Pixels(enabled, all), Pixels(disabled, all)) << "disabled looks enabled";

  RedrawNow(dlg);
  RECT close = {};
  for (const Drawn& d : DrawnOf(u"WINDOW"))
    if (d.part == WP_CLOSEBUTTON) close = d.rect;
  ASSERT_FALSE(::IsRectEmpty(&close));
  const COLORREF caption = WindowPixel(dlg, close.left - 3, (close.top + close.bottom) / 2);
  int marked = 0;
  for (int y = close.top; y < close.bottom; ++y)
    for (int x = close.left; x < close.right; ++x) marked += WindowPixel(dlg, x, y) != caption;
  EXPECT_GT(marked, 10) << "the close button is not drawn";
}

}  // namespace
