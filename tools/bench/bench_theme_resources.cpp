// What theme loading costs in resources: GDI objects left behind by 20 loads
// (the theme and the system's colours in turn), and the time and memory a
// loose theme image of 16384 x 16384 pixels costs when its part is first
// drawn, against a small image, each drawn from a fresh schema in turn.
// Last, a bitmap whose header claims 16384 x 16384 in a file of a few bytes.
// Usage: bench_theme_resources (from the Windows build folder's bench\).
#include <windows.h>

#include <png.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "skin/win/engine/skin_engine.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_container.h"
#include "skin/win/theme/theme_schema.h"
#include "tests/win/program_harness.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

struct Memory {
  double committedMb, residentMb;
};

Memory MemoryNow() {
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof(pmc);
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
  return Memory{double(pmc.PagefileUsage) / (1 << 20), double(pmc.WorkingSetSize) / (1 << 20)};
}

// A grey-scale PNG of w x h, written row by row so that it never needs its
// pixels in memory.
bool WritePng(const std::wstring& path, int w, int h) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_compression_level(png, 1);
  png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_GRAY,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(size_t(w), 0x80);
  for (int y = 0; y < h; ++y) png_write_row(png, row.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

void WriteScheme(const std::wstring& folder, const wchar_t* image) {
  std::u16string text = u"[Button.PushButton]\r\nImageFile = ";
  for (const wchar_t* p = image; *p; ++p) text += char16_t(*p);
  text += u"\r\n";
  std::vector<uint8_t> bytes = {0xFF, 0xFE};
  for (char16_t c : text) {
    bytes.push_back(uint8_t(c & 0xFF));
    bytes.push_back(uint8_t(c >> 8));
  }
  WriteBytes(folder + L"t.ini", bytes);
}

struct DrawCost {
  double ms = 0;
  double heldMb = 0;      // committed memory while the schema holds the image
  double residentMb = 0;  // and resident
  bool drawn = false;
};

// Draws the push button part of a fresh schema whose image is `image`.
DrawCost DrawFromFreshSchema(const std::wstring& folder, const wchar_t* image) {
  WriteScheme(folder, image);
  auto container = std::make_shared<ThemeContainer>();
  const std::wstring none = folder + L"none.skinstyles";
  container->Open(std::u16string(none.begin(), none.end()), u"t.ini");
  auto schema = std::make_shared<ThemeSchema>(container);
  schema->ReadProperties();
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP bmp = ::CreateCompatibleBitmap(::GetDC(nullptr), 40, 40);
  HGDIOBJ old = ::SelectObject(dc, bmp);
  const Memory before = MemoryNow();
  const Clock::time_point start = Clock::now();
  const RECT r = {0, 0, 40, 40};
  DrawCost cost;
  cost.drawn = schema->GetClass(u"BUTTON")->DrawBackground(dc, 1, 1, r) != FALSE;
  cost.ms = Ms(start);
  const Memory after = MemoryNow();
  cost.heldMb = after.committedMb - before.committedMb;
  cost.residentMb = after.residentMb - before.residentMb;
  ::SelectObject(dc, old);
  ::DeleteObject(bmp);
  ::DeleteDC(dc);
  return cost;
}

}  // namespace

int main() {
  const std::wstring app = TestExeDir() + L"..\\..\\app\\";
  const std::wstring themePath = app + L"Vista.skinstyles";
  const std::u16string theme(themePath.begin(), themePath.end());
  SkinEngine& engine = SkinEngine::Get();

  // GDI objects over 20 loads, and the replaced brushes still alive.
  engine.LoadTheme(u"C:\\no\\such\\theme.skinstyles", u"");
  const DWORD gdiBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  int replaced = 0, leaked = 0;
  for (int i = 0; i < 20; ++i) {
    std::vector<HBRUSH> before, after;
    for (int c = 0; c < 31; ++c) before.push_back(engine.Metrics().Brush(c));
    engine.LoadTheme(i % 2 == 0 ? theme : u"C:\\no\\such\\theme.skinstyles", u"NormalBlack2.ini");
    for (int c = 0; c < 31; ++c) after.push_back(engine.Metrics().Brush(c));
    for (HBRUSH b : before) {
      bool kept = false;
      for (HBRUSH a : after) kept |= a == b;
      if (kept) continue;
      ++replaced;
      if (::GetObjectType(b) != 0) ++leaked;
    }
  }
  const DWORD gdiAfter = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  std::printf(
      "20 theme loads: %d brushes replaced, %d of them never deleted; "
      "GetGuiResources GDI objects %lu before, %lu after (0: not answered here)\n",
      replaced, leaked, gdiBefore, gdiAfter);

  ScratchDir dir;
  const Clock::time_point writing = Clock::now();
  if (!WritePng(dir.Path() + L"Huge.png", 16384, 16384) ||
      !WritePng(dir.Path() + L"Small.png", 64, 16)) {
    std::fprintf(stderr, "cannot write the images\n");
    return 2;
  }
  std::printf("(16384 x 16384 PNG written, %.0f KB, in %.0f ms)\n",
              double(ReadBytes(dir.Path() + L"Huge.png").size()) / 1024, Ms(writing));
  for (int run = 0; run < 2; ++run) {
    const DrawCost small = DrawFromFreshSchema(dir.Path(), L"Small.png");
    const DrawCost huge = DrawFromFreshSchema(dir.Path(), L"Huge.png");
    std::printf(
        "first draw, run %d: 64 x 16 PNG %.1f ms, %.1f MB committed, %.1f MB resident, %s; "
        "16384 x 16384 PNG %.1f ms, %.1f MB committed, %.1f MB resident, %s\n",
        run + 1, small.ms, small.heldMb, small.residentMb, small.drawn ? "drawn" : "refused",
        huge.ms, huge.heldMb, huge.residentMb, huge.drawn ? "drawn" : "refused");
  }

  // A header that promises 16384 x 16384 pixels of 24 bits in 70 bytes.
  std::vector<uint8_t> lie(70, 0);
  const auto put32 = [&lie](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) lie[at + i] = uint8_t(v >> (8 * i));
  };
  lie[0] = 'B';
  lie[1] = 'M';
  put32(2, 70);
  put32(10, 54);
  put32(14, 40);
  put32(18, 16384);
  put32(22, 16384);
  lie[26] = 1;
  lie[28] = 24;
  WriteBytes(dir.Path() + L"Lie.bmp", lie);
  std::fflush(stdout);
  const DrawCost lying = DrawFromFreshSchema(dir.Path(), L"Lie.bmp");
  std::printf(
      "first draw of a 70-byte BMP claiming 16384 x 16384: %.1f ms, %.1f MB committed, "
      "%.1f MB resident, %s\n",
      lying.ms, lying.heldMb, lying.residentMb, lying.drawn ? "drawn" : "refused");
  return 0;
}
