// The task texts of every language pack on the task page, pictured as the
// skinned radio buttons paint them and as the system paints them: each text
// must break into the same lines, and no line may run past its button.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/win/language_pack.h"
#include "resources/resource.h"
#include "skin/win/engine/skin_engine.h"
#include "tests/win/program_harness.h"

namespace {

constexpr int kLanguages = 5;
constexpr int kTaskTexts[] = {IDC_TASK_AVI_VIDEO, IDC_TASK_AVI_AUDIO, IDC_TASK_AVI_CREATE};
// Where a button's text may start: right of its 13-pixel glyph.
constexpr int kTextLeft = 14;

// A picture of a window's client area, as the window paints it.
struct Shot {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xRRGGBB, top row first
};

Shot TakeShot(HWND hwnd) {
  RECT r;
  ::GetClientRect(hwnd, &r);
  Shot s;
  s.width = r.right;
  s.height = r.bottom;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = s.width;
  bi.bmiHeader.biHeight = -s.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  HDC dc = ::CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SendMessageW(hwnd, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT | PRF_ERASEBKGND);
    ::GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    s.pixels.assign(p, p + size_t(s.width) * size_t(s.height));
    for (uint32_t& px : s.pixels) px &= 0xFFFFFF;
    ::SelectObject(dc, old);
  }
  if (bitmap) ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return s;
}

// One line of text: its rows and the columns its ink covers.
struct InkLine {
  int top, bottom, left, right;
};

// The lines of text right of `fromX`: runs of rows holding ink, that is
// pixels far from the commonest colour (the background).
std::vector<InkLine> InkLines(const Shot& s, int fromX) {
  std::map<uint32_t, int> counts;
  for (uint32_t px : s.pixels) ++counts[px];
  uint32_t bg = 0;
  int most = 0;
  for (const auto& c : counts)
    if (c.second > most) most = c.second, bg = c.first;
  auto channel = [](uint32_t px, int shift) { return int((px >> shift) & 0xFF); };
  auto ink = [&](uint32_t px) {
    int d = 0;
    for (int shift : {0, 8, 16}) d += std::abs(channel(px, shift) - channel(bg, shift));
    return d > 200;
  };
  std::vector<InkLine> lines;
  for (int y = 0; y < s.height; ++y) {
    int left = -1, right = -1;
    for (int x = fromX; x < s.width; ++x) {
      if (!ink(s.pixels[size_t(y) * size_t(s.width) + size_t(x)])) continue;
      if (left < 0) left = x;
      right = x + 1;
    }
    if (left < 0) continue;
    if (!lines.empty() && lines.back().bottom == y) {
      InkLine& l = lines.back();
      l.bottom = y + 1;
      l.left = std::min(l.left, left);
      l.right = std::max(l.right, right);
    } else {
      lines.push_back({y, y + 1, left, right});
    }
  }
  // Dotted lines (a focus rectangle) are no text.
  lines.erase(std::remove_if(lines.begin(), lines.end(),
                             [](const InkLine& l) { return l.bottom - l.top < 3; }),
              lines.end());
  return lines;
}

std::string Describe(const std::vector<InkLine>& lines) {
  std::string out;
  for (const InkLine& l : lines)
    out += "[" + std::to_string(l.left) + ".." + std::to_string(l.right) + "] ";
  return out;
}

INT_PTR CALLBACK QuietPageProc(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;  // no focus: no focus rectangle in the pictures
}

class SkinTaskTexts : public ::testing::Test {
 protected:
  void TearDown() override {
    if (m_host) ::DestroyWindow(m_host);
    SkinEngine::Get().LoadTheme(u"C:\\no\\such\\theme.skinstyles", u"");
  }

  // The task page in language `index`, skinned or not: the text lines of
  // each task button.
  std::vector<std::vector<InkLine>> TaskLines(int index, bool skinned) {
    if (skinned) {
      const std::wstring theme = AppDir() + L"Vista.skinstyles";
      EXPECT_EQ(1, SkinEngine::Get().LoadTheme(std::u16string(theme.begin(), theme.end()),
                                               u"NormalBlack2.ini"));
    } else {
      SkinEngine::Get().LoadTheme(u"C:\\no\\such\\theme.skinstyles", u"");
    }
    CLanguagePack pack;
    const std::wstring file = m_dir.Path() + L"mlg.txt";
    EXPECT_TRUE(InstallLanguageFile(m_dir.Path(), index));
    EXPECT_EQ(index, pack.Load(std::u16string(file.begin(), file.end())));

    if (m_host) ::DestroyWindow(m_host);
    m_host = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"#32770", L"", WS_POPUP, 40, 40,
                               520, 360, nullptr, nullptr, nullptr, nullptr);
    HWND page = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TASK_PAGE),
                                     m_host, &QuietPageProc, 0);
    EXPECT_NE(nullptr, page);
    pack.Apply(page, IDD_TASK_PAGE);
    for (int id : kTaskTexts) ::ShowWindow(::GetDlgItem(page, id), SW_SHOWNA);
    ::ShowWindow(page, SW_SHOWNA);

    std::vector<std::vector<InkLine>> result;
    for (int id : kTaskTexts)
      result.push_back(InkLines(TakeShot(::GetDlgItem(page, id)), kTextLeft));
    return result;
  }

  ScratchDir m_dir;
  HWND m_host = nullptr;
};

TEST_F(SkinTaskTexts, BreakIntoTheSameLinesAsTheSystemsInEveryLanguage) {
  for (int index = 0; index < kLanguages; ++index) {
    const auto system = TaskLines(index, false);
    const auto skinned = TaskLines(index, true);
    ASSERT_EQ(system.size(), skinned.size());
    for (size_t i = 0; i < system.size(); ++i) {
      const std::string where = "language " + std::to_string(index) + ", button " +
                                std::to_string(kTaskTexts[i]) + ": system " + Describe(system[i]) +
                                "/ skinned " + Describe(skinned[i]);
      ASSERT_FALSE(system[i].empty()) << where;
      ASSERT_EQ(system[i].size(), skinned[i].size()) << where;
      for (size_t l = 0; l < system[i].size(); ++l) {
        const int systemWidth = system[i][l].right - system[i][l].left;
        const int skinnedWidth = skinned[i][l].right - skinned[i][l].left;
        EXPECT_NEAR(systemWidth, skinnedWidth, 3) << where;
      }
    }
  }
}

}  // namespace
