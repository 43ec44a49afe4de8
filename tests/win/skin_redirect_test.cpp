// The system functions the engine answers while the theme is in force: the
// visual-style functions, frame controls, class registration, default
// procedures reached through CallWindowProc, window sizing, and which
// modules keep the system's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <uxtheme.h>
#include <vssym32.h>

#include <string>
#include <vector>

#include "skin/win/engine/skin_engine.h"
#include "skin/win/objects/skin_object.h"
#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/windows/skin_redirect.h"
#include "skin/win/windows/skin_windows.h"
#include "tests/win/program_harness.h"

namespace {

struct Drawn {
  std::u16string cls;
  int part, state;
};
std::vector<Drawn> g_drawn;
void Record(const ThemeClass& c, int part, int state, const RECT&) {
  g_drawn.push_back({c.Name(), part, state});
}

bool WasDrawn(const std::u16string& cls, int part, int state) {
  for (const Drawn& d : g_drawn)
    if (d.cls == cls && d.part == part && d.state == state) return true;
  return false;
}

HMODULE ModuleOf(const void* address) {
  HMODULE m = nullptr;
  ::GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      static_cast<LPCWSTR>(address), &m);
  return m;
}

WNDPROC g_systemProc = nullptr;
LRESULT CALLBACK SuperStaticProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return ::CallWindowProcW(g_systemProc, h, m, w, l);
}

class SkinRedirect : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring theme = AppDir() + L"Vista.skinstyles";
    ASSERT_EQ(1, SkinEngine::Get().LoadTheme(std::u16string(theme.begin(), theme.end()),
                                             u"NormalBlack2.ini"));
    SetThemeDrawObserver(&Record);
    g_drawn.clear();
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bitmap = ::CreateCompatibleBitmap(::GetDC(nullptr), 64, 64);
    m_old = ::SelectObject(m_dc, m_bitmap);
  }
  void TearDown() override {
    SetThemeDrawObserver(nullptr);
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
    SkinEngine::Get().LoadTheme(u"C:\\no\\such\\theme.skinstyles", u"");
  }
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
};

TEST_F(SkinRedirect, VisualStyleFunctionsAnswerFromTheThemeWithTheEnginesHandles) {
  EXPECT_TRUE(::IsAppThemed());
  EXPECT_TRUE(::IsThemeActive());
  EXPECT_EQ(nullptr, ::OpenThemeData(nullptr, L"NoSuchClass"));
  HTHEME button = ::OpenThemeData(nullptr, L"Explorer::NoSuchClass;Button");
  ASSERT_NE(nullptr, button);

  COLORREF text = 0;
  EXPECT_EQ(S_OK, ::GetThemeColor(button, BP_PUSHBUTTON, PBS_NORMAL, TMT_TEXTCOLOR, &text));
  EXPECT_EQ(RGB(227, 229, 232), text);
  int count = 0;
  EXPECT_EQ(S_OK, ::GetThemeInt(button, BP_CHECKBOX, 1, TMT_IMAGECOUNT, &count));
  EXPECT_EQ(12, count);
  SIZE glyph = {};
  EXPECT_EQ(S_OK, ::GetThemePartSize(button, m_dc, BP_CHECKBOX, 1, nullptr, TS_TRUE, &glyph));
  EXPECT_EQ(13, glyph.cx);
  EXPECT_EQ(13, glyph.cy);
  EXPECT_EQ(RGB(43, 45, 49), ::GetThemeSysColor(button, COLOR_BTNFACE));

  RECT r = {0, 0, 40, 20};
  EXPECT_EQ(S_OK, ::DrawThemeBackground(button, m_dc, BP_PUSHBUTTON, PBS_HOT, &r, nullptr));
  EXPECT_TRUE(WasDrawn(u"BUTTON", BP_PUSHBUTTON, PBS_HOT));

  wchar_t file[MAX_PATH] = {}, color[32] = {1}, size[32] = {};
  EXPECT_EQ(S_OK, ::GetCurrentThemeName(file, MAX_PATH, color, 32, size, 32));
  const std::wstring path = file;
  EXPECT_EQ(AppDir() + L"Vista.skinstyles", path);
  EXPECT_STREQ(L"", color);  // the scheme's name holds none of the colour words

  // A handle the engine did not issue is refused, and nothing is drawn.
  g_drawn.clear();
  int notATheme = 0;
  auto foreign = reinterpret_cast<HTHEME>(&notATheme);
  EXPECT_EQ(E_FAIL, ::DrawThemeBackground(foreign, m_dc, BP_PUSHBUTTON, PBS_HOT, &r, nullptr));
  EXPECT_EQ(E_FAIL, ::GetThemeColor(foreign, BP_PUSHBUTTON, PBS_NORMAL, TMT_TEXTCOLOR, &text));
  EXPECT_TRUE(g_drawn.empty());

  // A handle from a theme no longer in force answers nothing, and closing it still works.
  const std::wstring theme = AppDir() + L"Vista.skinstyles";
  ASSERT_EQ(1, SkinEngine::Get().LoadTheme(std::u16string(theme.begin(), theme.end()),
                                           u"NormalBlack2.ini"));
  HTHEME renewed = ::OpenThemeData(nullptr, L"Button");
  ASSERT_NE(nullptr, renewed);
  if (renewed != button) {
    EXPECT_EQ(E_FAIL, ::GetThemeColor(button, BP_PUSHBUTTON, PBS_NORMAL, TMT_TEXTCOLOR, &text));
  }
  EXPECT_EQ(S_OK, ::CloseThemeData(button));
  EXPECT_EQ(S_OK, ::GetThemeColor(renewed, BP_PUSHBUTTON, PBS_NORMAL, TMT_TEXTCOLOR, &text));
}

// The system's own modules go on to call visual-style functions the engine
// does not replace, so they must never get its handles; the other
// redirections reach them as any module.
TEST_F(SkinRedirect, SystemModulesKeepTheSystemsVisualStyleFunctions) {
  wchar_t system[MAX_PATH];
  ASSERT_NE(0u, ::GetSystemDirectoryW(system, MAX_PATH));
  ScratchDir scratch;
  const std::wstring helper = HelpersDir() + L"dll_theme_user.dll";
  const std::wstring inSystem = std::wstring(system) + L"\\vm_theme_user_" +
                                std::to_wstring(::GetCurrentProcessId()) + L".dll";
  const std::wstring inApp = scratch.Path() + L"theme_user.dll";
  ASSERT_TRUE(::CopyFileW(helper.c_str(), inSystem.c_str(), FALSE));
  ASSERT_TRUE(::CopyFileW(helper.c_str(), inApp.c_str(), FALSE));
  HMODULE sys = ::LoadLibraryW(inSystem.c_str());
  HMODULE app = ::LoadLibraryW(inApp.c_str());
  using OpenFn = HTHEME (*)();
  using ColorFn = DWORD (*)();
  HTHEME engines = ::OpenThemeData(nullptr, L"Button");
  ASSERT_NE(nullptr, engines);
  if (sys && app) {
    auto sysOpen =
        reinterpret_cast<OpenFn>(reinterpret_cast<void*>(::GetProcAddress(sys, "OpenButtonTheme")));
    auto appOpen =
        reinterpret_cast<OpenFn>(reinterpret_cast<void*>(::GetProcAddress(app, "OpenButtonTheme")));
    auto sysColor = reinterpret_cast<ColorFn>(
        reinterpret_cast<void*>(::GetProcAddress(sys, "ButtonFaceColor")));
    ASSERT_TRUE(sysOpen && appOpen && sysColor);
    EXPECT_EQ(engines, appOpen());
    HTHEME fromSystem = sysOpen();
    EXPECT_NE(engines, fromSystem);
    if (fromSystem) ::CloseThemeData(fromSystem);
    EXPECT_EQ(RGB(43, 45, 49), sysColor());
  }
  if (sys) ::FreeLibrary(sys);
  if (app) ::FreeLibrary(app);
  ::DeleteFileW(inSystem.c_str());
  ASSERT_TRUE(sys && app) << "could not load the copies of "
                          << std::string(helper.begin(), helper.end());
}

TEST_F(SkinRedirect, FrameControlsAreDrawnFromTheThemesParts) {
  RECT r = {0, 0, 16, 16};
  EXPECT_TRUE(::DrawFrameControl(m_dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_HOT));
  EXPECT_TRUE(WasDrawn(u"BUTTON", BP_CHECKBOX, CBS_CHECKEDHOT));
  EXPECT_TRUE(::DrawFrameControl(m_dc, &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_INACTIVE));
  EXPECT_TRUE(WasDrawn(u"BUTTON", BP_RADIOBUTTON, RBS_UNCHECKEDDISABLED));
  EXPECT_TRUE(::DrawFrameControl(m_dc, &r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED));
  EXPECT_TRUE(WasDrawn(u"SCROLLBAR", SBP_ARROWBTN, ABS_DOWNPRESSED));
  EXPECT_TRUE(::DrawFrameControl(m_dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE));
  EXPECT_TRUE(WasDrawn(u"WINDOW", WP_CLOSEBUTTON, CBS_NORMAL));
  // What the theme has no part for stays the system's.
  g_drawn.clear();
  EXPECT_TRUE(::DrawFrameControl(m_dc, &r, DFC_MENU, DFCS_MENUCHECK));
  EXPECT_TRUE(g_drawn.empty());
}

// A class registered with the default procedure as fetched through the
// redirected imports must keep the system's procedure: the class outlives
// the redirections.
TEST_F(SkinRedirect, RegisteredClassKeepsTheSystemsDefaultProcedure) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VmRedirectDefault";
  ASSERT_NE(ModuleOf(reinterpret_cast<void*>(wc.lpfnWndProc)), ::GetModuleHandleW(L"user32.dll"))
      << "the import was expected to hold the engine's replacement";
  ASSERT_NE(0, ::RegisterClassW(&wc));
  HWND h = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
  ASSERT_NE(nullptr, h);
  const auto proc = reinterpret_cast<void*>(::GetClassLongPtrW(h, GCLP_WNDPROC));
  ::DestroyWindow(h);
  ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
  EXPECT_EQ(::GetModuleHandleW(L"user32.dll"), ModuleOf(proc));
}

// A window whose own procedure hands its messages to a system class's
// procedure (a superclass) is skinned through that call: its caption is
// drawn by the engine.
TEST_F(SkinRedirect, SuperclassPassingMessagesToTheSystemGetsTheSkinnedFrame) {
  WNDCLASSW system = {};
  ASSERT_TRUE(::GetClassInfoW(nullptr, L"Static", &system));
  g_systemProc = system.lpfnWndProc;
  WNDCLASSW wc = system;
  wc.lpfnWndProc = &SuperStaticProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VmSuperStatic";
  ASSERT_NE(0, ::RegisterClassW(&wc));
  HWND h = ::CreateWindowExW(0, wc.lpszClassName, L"Superclass", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             50, 50, 200, 120, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, h);
  ASSERT_TRUE(IsSystemProcedure(g_systemProc));
  CSkinObject* object = SkinObjectFor(h);
  ASSERT_NE(nullptr, object);
  EXPECT_FALSE(object->IsSubclassed());
  ::ShowWindow(h, SW_SHOWNA);
  g_drawn.clear();
  ::RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  g_drawn.clear();
  ::SendMessageW(h, WM_NCPAINT, 1, 0);
  const bool captionDrawn =
      WasDrawn(u"WINDOW", WP_CAPTION, 1) || WasDrawn(u"WINDOW", WP_CAPTION, 2);
  ::DestroyWindow(h);
  ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
  EXPECT_TRUE(captionDrawn);
}

// A sizing window made for a client area through AdjustWindowRectEx gets
// that client area under the theme's frame.
TEST_F(SkinRedirect, SizingWindowGetsTheClientAreaItWasSizedFor) {
  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT r = {0, 0, 300, 200};
  ASSERT_TRUE(::AdjustWindowRectEx(&r, style, FALSE, 0));
  HWND h = ::CreateWindowExW(0, L"Static", L"Sized", style, 40, 40, r.right - r.left,
                             r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, h);
  ASSERT_NE(nullptr, SkinObjectFor(h));
  RECT client;
  ::GetClientRect(h, &client);
  ::DestroyWindow(h);
  EXPECT_EQ(300, client.right);
  EXPECT_EQ(200, client.bottom);
}

// Layout code that measures the caption, the frame or the scroll bars gets
// what the skin draws: a skinned dialog's client area starts where those
// metrics say. Other metrics, and all of them without the skin, stay the
// system's.
TEST_F(SkinRedirect, SystemMetricsAnswerTheSkinnedCaptionFrameAndScrollBars) {
  const ThemeSizes& s = SkinEngine::Get().Metrics().Sizes();
  EXPECT_EQ(27, ::GetSystemMetrics(SM_CYCAPTION));  // the theme's bar of 26, plus 1
  EXPECT_EQ(s.smallCaptionHeight, ::GetSystemMetrics(SM_CYSMCAPTION));
  EXPECT_EQ(s.vScrollWidth, ::GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(s.vScrollArrowHeight, ::GetSystemMetrics(SM_CYVSCROLL));
  EXPECT_EQ(s.hScrollHeight, ::GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(s.hScrollArrowWidth, ::GetSystemMetrics(SM_CXHSCROLL));
  EXPECT_EQ(SystemFunctions().GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CXICON));

  HWND h = ::CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"Measured",
                             WS_POPUP | WS_CAPTION | WS_SYSMENU, 40, 40, 300, 200, nullptr, nullptr,
                             nullptr, nullptr);
  ASSERT_NE(nullptr, h);
  RECT window;
  POINT origin = {0, 0};
  ::GetWindowRect(h, &window);
  ::ClientToScreen(h, &origin);
  ::DestroyWindow(h);
  EXPECT_EQ(::GetSystemMetrics(SM_CXDLGFRAME), origin.x - window.left);
  EXPECT_EQ(::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYDLGFRAME),
            origin.y - window.top);

  SkinEngine::Get().LoadTheme(u"C:\\no\\such\\theme.skinstyles", u"");
  EXPECT_EQ(SystemFunctions().GetSystemMetrics(SM_CYCAPTION), ::GetSystemMetrics(SM_CYCAPTION));
}

// A module that came in without the redirected loader (as another module's
// dependency does) gets the redirections once it is looked up by name.
TEST_F(SkinRedirect, ModuleFoundByNameGetsTheRedirections) {
  ScratchDir scratch;
  const std::wstring copy = scratch.Path() + L"vm_found_by_name.dll";
  ASSERT_TRUE(::CopyFileW((HelpersDir() + L"dll_theme_user.dll").c_str(), copy.c_str(), FALSE));
  HMODULE module = SystemFunctions().LoadLibraryW(copy.c_str());
  ASSERT_NE(nullptr, module);
  using ColorFn = DWORD (*)();
  auto color = reinterpret_cast<ColorFn>(
      reinterpret_cast<void*>(SystemFunctions().GetProcAddress(module, "ButtonFaceColor")));
  ASSERT_NE(nullptr, color);
  EXPECT_EQ(SystemFunctions().GetSysColor(COLOR_BTNFACE), color());
  EXPECT_EQ(module, ::GetModuleHandleA("vm_found_by_name.dll"));
  EXPECT_EQ(RGB(43, 45, 49), color());
  ::FreeLibrary(module);
}

// Every row of the table names a function its module exports, and the saved
// function is the module's own, not a replacement.
TEST(SkinRedirectTable, EveryRowIsTheSystemsOwnFunction) {
  const RedirectSlotEntry* slots = RedirectSlots();
  for (int i = 0; i < kRedirectSlotCount; ++i) {
    ASSERT_NE(nullptr, slots[i].original) << slots[i].name;
    EXPECT_NE(ModuleOf(::GetModuleHandleW(nullptr)), ModuleOf(slots[i].original)) << slots[i].name;
    EXPECT_NE(slots[i].original, slots[i].replacement) << slots[i].name;
  }
  EXPECT_EQ(reinterpret_cast<void*>(SystemFunctions().DefWindowProcW),
            slots[kSlotDefWindowProcW].original);
  EXPECT_EQ(std::string("DefWindowProcW"), slots[kSlotDefWindowProcW].name);
}

}  // namespace
