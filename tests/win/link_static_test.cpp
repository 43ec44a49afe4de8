// The link label in a real dialog of this process: colours, hover, its size,
// the error messages, and opening through the registered browser.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <shellapi.h>

#include "framework/win/dialog.h"
#include "framework/win/link_static.h"
#include "resources/resource.h"
#include "tests/win/modal_driver.h"

namespace {

const COLORREF kNormal = RGB(0, 0, 238), kVisited = RGB(85, 26, 139), kHover = RGB(255, 0, 0);

// The About template with two links: one with a text, one whose empty text
// is filled from the target set before it was attached.
class LinkDialog : public CDialog {
 public:
  LinkDialog() : CDialog(IDD_ABOUTBOX) {}
  CLinkStatic m_text, m_empty;

 protected:
  BOOL OnInitDialog() override {
    ::SetWindowTextW(::GetDlgItem(m_hWnd, IDC_ABOUT_HOMEPAGE), L"https://vidmorph.example/");
    m_text.SubclassDlgItem(IDC_ABOUT_HOMEPAGE, m_hWnd);
    m_empty.SetTarget(u"C:\\Videos\\Out");
    m_empty.SubclassDlgItem(IDC_ABOUT_MAKER, m_hWnd);
    return TRUE;
  }
};

class LinkStatic : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dlg.Create(nullptr));
    ::SetWindowPos(dlg.GetSafeHwnd(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    link = ::GetDlgItem(dlg.GetSafeHwnd(), IDC_ABOUT_HOMEPAGE);
  }
  // The colour the dialog hands the control for its text, and the brush.
  COLORREF TextColour(HWND control, HBRUSH* brush = nullptr) const {
    HDC dc = ::CreateCompatibleDC(nullptr);
    const LRESULT b =
        ::SendMessageW(dlg.GetSafeHwnd(), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(control));
    if (brush) *brush = reinterpret_cast<HBRUSH>(b);
    const COLORREF c = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return c;
  }
  static bool Underlined(HWND control) {
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(lf),
                 &lf);
    return lf.lfUnderline != 0;
  }
  // The tool tip text that the thread's tool tips hold for the control.
  static std::wstring TipText(HWND control) {
    struct Find {
      HWND control;
      std::wstring text;
    } find{control, L""};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
          auto* f = reinterpret_cast<Find*>(lp);
          wchar_t cls[32] = {0};
          ::GetClassNameW(hwnd, cls, 32);
          if (std::wstring(cls) != TOOLTIPS_CLASSW) return TRUE;
          wchar_t text[256] = {0};
          TTTOOLINFOW ti{};
          ti.cbSize = sizeof(ti);
          ti.hwnd = f->control;
          ti.uId = 1;
          ti.lpszText = text;
          ::SendMessageW(hwnd, TTM_GETTEXTW, 256, LPARAM(&ti));
          if (text[0]) f->text = text;
          return TRUE;
        },
        LPARAM(&find));
    return find.text;
  }
  static POINT Centre(HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // Clicks the control as the mouse does; the static tells its parent.
  static void Click(HWND control) { ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, 0); }

  LinkDialog dlg;
  HWND link = nullptr;
};

TEST_F(LinkStatic, FitsItsTextAndShowsTheTargetWhenItHasNoText) {
  EXPECT_EQ(WindowText(::GetDlgItem(dlg.GetSafeHwnd(), IDC_ABOUT_MAKER)), L"C:\\Videos\\Out");
  EXPECT_EQ(dlg.m_text.GetTarget(), u"https://vidmorph.example/");

  HDC dc = ::GetDC(link);
  HGDIOBJ old = ::SelectObject(dc, HGDIOBJ(::SendMessageW(link, WM_GETFONT, 0, 0)));
  SIZE size{};
  ::GetTextExtentPoint32W(dc, L"https://vidmorph.example/", 25, &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(link, dc);
  RECT client;
  ::GetClientRect(link, &client);
  EXPECT_EQ(client.right, size.cx);
  EXPECT_EQ(client.bottom, size.cy);
  EXPECT_TRUE(::GetWindowLongW(link, GWL_STYLE) & SS_NOTIFY);

  // The tool tip shows the target and follows it.
  EXPECT_EQ(TipText(link), L"https://vidmorph.example/");
  dlg.m_text.SetTarget(u"mailto:someone@vidmorph.example");
  EXPECT_EQ(TipText(link), L"mailto:someone@vidmorph.example");
}

TEST_F(LinkStatic, HoverTurnsRedAndUnderlinedUntilTheMouseLeaves) {
  HBRUSH brush = nullptr;
  EXPECT_EQ(TextColour(link, &brush), kNormal);
  EXPECT_EQ(brush, ::GetStockObject(NULL_BRUSH));
  EXPECT_FALSE(Underlined(link));

  const POINT in = Centre(link);
  ::SetCursorPos(in.x, in.y);
  ::SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(TextColour(link), kHover);
  EXPECT_TRUE(Underlined(link));
  PumpMessages(300);  // timer ticks while the mouse stays
  EXPECT_EQ(TextColour(link), kHover);

  // The timer sees the mouse gone.
  ::SetCursorPos(in.x + 600, in.y + 400);
  EXPECT_TRUE(PumpUntil([&] { return TextColour(link) == kNormal; }));
  EXPECT_FALSE(Underlined(link));

  // Always underlined: leaving keeps the underline.
  dlg.m_text.SetUnderlineMode(1);
  EXPECT_TRUE(Underlined(link));
  ::SetCursorPos(in.x, in.y);
  ::SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  ::SetCursorPos(in.x + 600, in.y + 400);
  EXPECT_TRUE(PumpUntil([&] { return TextColour(link) == kNormal; }));
  EXPECT_TRUE(Underlined(link));
}

TEST(LinkStaticErrors, MessagesForShellCodes) {
  EXPECT_EQ(OpenErrorMessage(31),
            u"Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
            u"filename extension.");
  EXPECT_EQ(OpenErrorMessage(40), u"Unable to open hyperlink:\n\nUnknown Error (40) occurred.");
  EXPECT_EQ(OpenErrorMessage(0),
            u"Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.");

  CLinkStatic unattached;
  std::wstring shown;
  RunDriven([&] { unattached.ShowOpenError(40); },
            [&] {
              HWND box = OwnDialog(MessageBoxCaption());
              if (!box) {
                ADD_FAILURE() << "no message box";
                return;
              }
              shown = MessageBoxText(box);
              ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            });
  EXPECT_EQ(shown, L"Unable to open hyperlink:\n\nUnknown Error (40) occurred.");
}

TEST(LinkStaticBrowser, TargetStaysOneArgument) {
  const std::u16string targets[] = {u"C:\\My Videos\\out\\", u"https://x.example/a b?q=\"1\"",
                                    u"C:\\a\\\\b c"};
  const std::u16string commands[] = {u"\"C:\\Web Browser\\browse.exe\" -nohome \"%1\"",
                                     u"C:\\Web Browser\\browse.exe %1",
                                     u"\"C:\\Web Browser\\browse.exe\""};
  for (const auto& command : commands) {
    for (const auto& target : targets) {
      const std::u16string line = BrowserCommandLine(command, target);
      int argc = 0;
      wchar_t** argv = ::CommandLineToArgvW(W(line), &argc);
      ASSERT_NE(argv, nullptr);
      ASSERT_GE(argc, 2);
      EXPECT_EQ(U(argv[argc - 1]), target) << std::string(line.begin(), line.end());
      EXPECT_EQ(line.find(u"%1"), std::u16string::npos);
      ::LocalFree(argv);
    }
  }
}

// Opening through the registered browser, with the classes root of this
// process replaced by a key of the test's own.
class LinkStaticOpen : public LinkStatic {
 protected:
  void SetUp() override {
    LinkStatic::SetUp();
    ASSERT_EQ(::RegCreateKeyW(HKEY_CURRENT_USER, kRoot, &root), ERROR_SUCCESS);
    ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, root), ERROR_SUCCESS);
  }
  void TearDown() override {
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    ::RegCloseKey(root);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
  }
  // Clicks the link; returns the text of the message box it shows, if any.
  std::wstring ClickAndReadError() {
    std::wstring shown;
    RunDriven([&] { Click(link); },
              [&] {
                HWND box = OwnDialog(MessageBoxCaption(), 3000);
                if (!box) return;
                shown = MessageBoxText(box);
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
              });
    return shown;
  }

  static constexpr const wchar_t* kRoot = L"Software\\VidmorphTests\\Classes";
  HKEY root = nullptr;
  ScratchDir dir;
};

TEST_F(LinkStaticOpen, UnopenableTargetWithoutBrowserShowsTheShellsError) {
  dlg.m_text.SetTarget(reinterpret_cast<const char16_t*>((dir.Path() + L"none\\x.xyz").c_str()));
  const std::wstring shown = ClickAndReadError();
  const std::u16string fnf = OpenErrorMessage(SE_ERR_FNF), pnf = OpenErrorMessage(SE_ERR_PNF);
  EXPECT_TRUE(U(shown.c_str()) == fnf || U(shown.c_str()) == pnf)
      << std::string(shown.begin(), shown.end());
  EXPECT_EQ(TextColour(link), kNormal);
}

TEST_F(LinkStaticOpen, FallbackHandsAFolderWithBlanksToTheBrowserAsOneArgument) {
  ASSERT_TRUE(CopyInto(HelpersDir() + L"record_args.exe", dir.Path()));
  const std::wstring command = L"\"" + dir.Path() + L"record_args.exe\" \"%1\"";
  ASSERT_EQ(::RegSetValueW(root, L".htm", REG_SZ, L"vmtest.page", 0), ERROR_SUCCESS);
  ASSERT_EQ(::RegSetValueW(root, L"vmtest.page\\shell\\open\\command", REG_SZ, command.c_str(), 0),
            ERROR_SUCCESS);
  const std::wstring target = dir.Path() + L"My Clips\\out folder\\";
  dlg.m_text.SetTarget(reinterpret_cast<const char16_t*>(target.c_str()));

  EXPECT_EQ(ClickAndReadError(), L"");
  // The browser holds its file open while writing: it is whole once it ends a line.
  const std::wstring args = dir.Path() + L"args.txt";
  std::wstring written;
  EXPECT_TRUE(WaitUntil([&] {
    const auto bytes = ReadBytes(args);
    written.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    return !written.empty() && written.back() == L'\n';
  }));
  EXPECT_EQ(written, target + L"\n");
  EXPECT_EQ(TextColour(link), kVisited);
}

}  // namespace
