// Theme loading through the skin engine (the shipped theme file, loose INI
// files, missing themes) and background drawing checked pixel by pixel on
// small themes the tests write themselves.
#include <gtest/gtest.h>
#include <png.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "skin/ini_line_reader.h"
#include "skin/theme_default_colors.h"
#include "skin/theme_properties.h"
#include "skin/theme_scale.h"
#include "skin/theme_section.h"
#include "skin/theme_vocabulary.h"
#include "skin/win/engine/skin_engine.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_container.h"
#include "skin/win/theme/theme_metrics.h"
#include "skin/win/theme/theme_schema.h"
#include "tests/win/program_harness.h"
#include "tests/win/skin_test_support.h"

namespace {

bool Near(COLORREF a, COLORREF b, int tolerance = 2) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The scheme the build put into the theme file, read by the portable reader.
ThemeProperties ShippedScheme() {
  const std::vector<uint8_t> bytes =
      ReadBytes(TestExeDir() + L"generated\\theme\\NormalBlack2.ini");
  std::u16string text(bytes.size() / 2, u'\0');
  if (!bytes.empty()) memcpy(&text[0], bytes.data(), text.size() * 2);
  ThemeProperties props;
  props.ReadText(ThemeTextFromBytes(text.data(), text.size() * 2));
  return props;
}

void ExpectShippedColours(const SkinEngine& engine) {
  const ThemeProperties props = ShippedScheme();
  ASSERT_GT(props.Size(), 100u);
  for (int i = 0; i < kThemeSysColorCount; ++i) {
    EXPECT_EQ(engine.Metrics().Color(i), ThemeSysColor(props, i)) << "colour " << i;
    EXPECT_NE(engine.Metrics().Brush(i), nullptr);
  }
}

TEST(SkinThemeLoad, ShippedThemeEnablesTheEngineWithItsSchemeAndImages) {
  SkinEngine& engine = SkinEngine::Get();
  ASSERT_EQ(engine.LoadTheme(U16(ShippedTheme()), u"NormalBlack2.ini"), 1);
  EXPECT_TRUE(engine.IsEnabled());
  ExpectShippedColours(engine);
  // A dark scheme: dark faces, light text.
  const COLORREF face = engine.Metrics().Color(COLOR_BTNFACE);
  EXPECT_LT(GetRValue(face) + GetGValue(face) + GetBValue(face), 240);
  EXPECT_GT(GetRValue(engine.Metrics().Color(COLOR_BTNTEXT)), 180);

  const ThemeProperties props = ShippedScheme();
  int32_t captionBar = 0;
  ASSERT_EQ(props.GetInt(kThemeClassSysMetrics, 0, 0, kTmtCaptionBarHeight, captionBar), kThemeOk);
  EXPECT_EQ(engine.Metrics().Sizes().captionHeight, captionBar + 1);
  ThemeFont font;
  ASSERT_EQ(props.GetFont(kThemeClassSysMetrics, 0, 0, kTmtCaptionFont, font), kThemeOk);
  const LOGFONTW& caption = engine.Metrics().CaptionFont();
  EXPECT_EQ(caption.lfWeight, font.Weight());
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(caption.lfFaceName)), font.face);
  HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(caption.lfHeight, -::MulDiv(font.points, ::GetDeviceCaps(screen, LOGPIXELSY), 72));
  ::ReleaseDC(nullptr, screen);

  ThemeClass* button = engine.GetThemeClass(u"button");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(engine.GetThemeClass(u"BUTTON"), button);
  EXPECT_EQ(engine.GetThemeClass(u"NoSuchClass"), nullptr);
  SIZE glyph = {};
  ASSERT_TRUE(button->GetPartSize(3, 1, glyph));
  EXPECT_EQ(glyph.cx, 13);
  EXPECT_EQ(glyph.cy, 13);

  // Every image the scheme names is in the file and decodes.
  std::shared_ptr<ThemeSchema> schema = engine.Schema();
  int images = 0;
  for (int c = 1; c <= kThemeClassCount; ++c) {
    for (int part = 0; part < 40; ++part) {
      for (int state = 0; state <= 16; ++state) {
        for (int id : {int(kTmtImageFile), int(kTmtGlyphImageFile), 3007 /* STOCKIMAGEFILE */}) {
          const ThemeValue* v = props.FindKey(ThemePropertyKey(c, part, state, id));
          if (v == nullptr) continue;
          ++images;
          EXPECT_NE(schema->GetImage(v->text), nullptr)
              << std::string(v->text.begin(), v->text.end());
          // Made for larger displays too.
          for (int scale : {150, 200}) {
            EXPECT_NE(schema->GetImage(ThemeScaledImageName(v->text, scale)), nullptr)
                << scale << " " << std::string(v->text.begin(), v->text.end());
          }
        }
      }
    }
  }
  EXPECT_GT(images, 30);
}

TEST(SkinThemeLoad, EmptySchemeNameTakesTheFilesDefault) {
  SkinEngine& engine = SkinEngine::Get();
  ASSERT_EQ(engine.LoadTheme(U16(ShippedTheme()), u""), 1);
  ExpectShippedColours(engine);
}

TEST(SkinThemeLoad, TheMetricsOptionDecidesWhoseSizesApply) {
  SkinEngine& engine = SkinEngine::Get();
  const ThemeProperties props = ShippedScheme();
  engine.SetApplyOptions(engine.GetApplyOptions() & ~SkinEngine::kMetrics);
  const int loaded = engine.LoadTheme(U16(ShippedTheme()), u"NormalBlack2.ini");
  // The colours are the theme's whatever the option says.
  EXPECT_EQ(engine.Metrics().Color(COLOR_BTNFACE), COLORREF(ThemeSysColor(props, COLOR_BTNFACE)));
  uint32_t text = 0;
  props.GetColor(kThemeClassButton, 1, 1, kTmtTextColor, text);
  COLORREF read = 0;
  if (ThemeClass* button = engine.GetThemeClass(u"BUTTON")) {
    EXPECT_EQ(button->GetColor(1, 1, kTmtTextColor, read), S_OK);
  }
  EXPECT_EQ(read, COLORREF(text));
  // Without the metrics option the sizes stay the system's.
  EXPECT_EQ(engine.Metrics().Sizes().captionHeight, ::GetSystemMetrics(SM_CYCAPTION));
  engine.SetApplyOptions(15);
  EXPECT_EQ(loaded, 1);
  EXPECT_EQ(27, engine.Metrics().Sizes().captionHeight);  // the scheme's CaptionBarHeight + 1
}

TEST(SkinThemeLoad, LooseIniBesideTheThemeFileTakesPrecedence) {
  ScratchDir dir;
  ASSERT_TRUE(CopyInto(ShippedTheme(), dir.Path()));
  const std::u16string theme = U16(dir.Path() + L"Vista.skinstyles");
  SkinEngine& engine = SkinEngine::Get();

  WriteIni(dir.Path() + L"NormalBlack2.ini", u"[SysMetrics]\r\nBtnFace = 1 2 3\r\n");
  ASSERT_EQ(engine.LoadTheme(theme, u"NormalBlack2.ini"), 1);
  EXPECT_EQ(engine.Metrics().Color(COLOR_BTNFACE), RGB(1, 2, 3));
  // Nothing came from the file's own scheme: the rest are built-in colours.
  EXPECT_EQ(engine.Metrics().Color(COLOR_WINDOW), DefaultThemeSysColor(COLOR_WINDOW));

  // A hand-written loose file in the ANSI code page; its last line needs no line end.
  ASSERT_TRUE(WriteBytes(dir.Path() + L"Plain.ini",
                         {'[', 'S', 'y', 's', 'M', 'e', 't', 'r', 'i', 'c', 's', ']', '\n',
                          'W', 'i', 'n', 'd', 'o', 'w', '=', '4', ' ', '5', ' ', '6'}));
  ASSERT_EQ(engine.LoadTheme(theme, u"Plain.ini"), 1);
  EXPECT_EQ(engine.Metrics().Color(COLOR_WINDOW), RGB(4, 5, 6));

  ::DeleteFileW((dir.Path() + L"NormalBlack2.ini").c_str());
  ASSERT_EQ(engine.LoadTheme(theme, u"NormalBlack2.ini"), 1);
  ExpectShippedColours(engine);
}

TEST(SkinThemeLoad, MissingOrBrokenThemeLeavesTheEngineDisabled) {
  ScratchDir dir;
  SkinEngine& engine = SkinEngine::Get();
  ASSERT_TRUE(WriteBytes(dir.Path() + L"Broken.skinstyles", std::vector<uint8_t>(4096, 0x5A)));
  const std::vector<std::pair<std::u16string, std::u16string>> failing = {
      {U16(dir.Path() + L"Missing.skinstyles"), u"NormalBlack2.ini"},
      {U16(dir.Path() + L"Broken.skinstyles"), u"NormalBlack2.ini"},
      {U16(ShippedTheme()), u"NoSuchScheme.ini"},
      {u"", u"NormalBlack2.ini"},
  };
  for (const auto& load : failing) {
    ASSERT_EQ(engine.LoadTheme(U16(ShippedTheme()), u"NormalBlack2.ini"), 1);
    EXPECT_EQ(engine.LoadTheme(load.first, load.second), 0);
    EXPECT_FALSE(engine.IsEnabled());
    EXPECT_EQ(engine.Schema(), nullptr);
    EXPECT_EQ(engine.GetThemeClass(u"BUTTON"), nullptr);
    EXPECT_EQ(engine.Metrics().Color(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
  }
}

// The program loads its theme at start-up; a good or a broken theme file must
// leave it starting and closing as before.
TEST(SkinThemeLoad, ProgramStartsWithAGoodOrABrokenThemeFile) {
  for (bool broken : {false, true}) {
    ScratchDir dir;
    ASSERT_TRUE(CopyInto(AppDir() + L"Vidmorph.exe", dir.Path()));
    if (broken) {
      ASSERT_TRUE(WriteBytes(dir.Path() + L"Vista.skinstyles", std::vector<uint8_t>(999, 0x4D)));
    } else {
      ASSERT_TRUE(CopyInto(ShippedTheme(), dir.Path()));
    }
    RunningProgram program(dir.Path() + L"Vidmorph.exe");
    HWND wizard = program.WaitForWindow(L"Ostrel AVI Converter");
    ASSERT_NE(wizard, nullptr) << (broken ? "broken theme" : "shipped theme");
    ::PostMessageW(wizard, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit());
  }
}

// Background drawing over a loose scheme and images written into a scratch folder.
class SkinDraw : public ::testing::Test {
 protected:
  std::shared_ptr<ThemeSchema> Scheme(const std::u16string& ini) {
    WriteIni(m_dir.Path() + L"t.ini", ini);
    auto container = std::make_shared<ThemeContainer>();
    if (!container->Open(U16(m_dir.Path() + L"none.skinstyles"), u"t.ini")) return nullptr;
    auto schema = std::make_shared<ThemeSchema>(container);
    schema->ReadProperties();
    return schema;
  }
  void File(const wchar_t* name, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(WriteBytes(m_dir.Path() + name, bytes));
  }
  ScratchDir m_dir;
};

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF, kMagenta = 0xFFFF00FF, kBlack = 0xFF000000;
constexpr COLORREF kGrey = RGB(128, 128, 128);

TEST_F(SkinDraw, StateSelectsTheFrameOfAStrip) {
  const uint32_t colours[4] = {kRed, kGreen, kBlue, kWhite};
  File(L"Strip.bmp", Bmp(40, 10, 24, [&](int x, int) { return colours[x / 10]; }));
  File(L"Column.bmp", Bmp(10, 40, 24, [&](int, int y) { return colours[y / 10]; }));
  auto schema = Scheme(
      u"[Button.PushButton]\r\nImageFile = Strip.bmp\r\nImageCount = 4\r\n"
      u"[Button.CheckBox]\r\nImageFile = Column.bmp\r\nImageCount = 4\r\n"
      u"ImageLayout = Vertical\r\n");
  ASSERT_NE(schema, nullptr);
  ThemeClass* button = schema->GetClass(u"Button");
  const COLORREF expected[7] = {RGB(255, 0, 0),     RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                RGB(255, 255, 255), RGB(255, 0, 0), RGB(255, 0, 0)};
  for (int part : {1, 3}) {
    for (int state = 0; state <= 6; ++state) {
      Canvas canvas(20, 20, kGrey);
      const RECT r = {0, 0, 20, 20};
      ASSERT_TRUE(button->DrawBackground(canvas.Dc(), part, state, r));
      EXPECT_EQ(canvas.At(10, 10), expected[state]) << "part " << part << " state " << state;
      EXPECT_EQ(canvas.At(19, 19), expected[state]);
    }
  }
}

TEST_F(SkinDraw, NineGridKeepsCornersAndStretchesOrTilesTheRest) {
  // 9 x 9: red corners, green edges, a middle of two blue columns and a yellow one.
  File(L"Grid.bmp", Bmp(9, 9, 24, [](int x, int y) -> uint32_t {
         const bool edgeX = x < 3 || x > 5, edgeY = y < 3 || y > 5;
         if (edgeX && edgeY) return kRed;
         if (edgeX || edgeY) return kGreen;
         return x == 5 ? 0xFFFFFF00 : kBlue;
       }));
  auto schema = Scheme(
      u"[Button.PushButton]\r\nImageFile = Grid.bmp\r\nSizingMargins = 3, 3, 3, 3\r\n"
      u"[Button.RadioButton]\r\nImageFile = Grid.bmp\r\nSizingMargins = 3, 3, 3, 3\r\n"
      u"SizingType = Tile\r\n"
      u"[Button.GroupBox]\r\nImageFile = Grid.bmp\r\nSizingMargins = 3, 3, 3, 3\r\n"
      u"BorderOnly = TRUE\r\n");
  ThemeClass* button = schema->GetClass(u"BUTTON");
  const RECT r = {5, 5, 35, 25};  // 30 x 20

  Canvas stretched(40, 30, kGrey);
  ASSERT_TRUE(button->DrawBackground(stretched.Dc(), 1, 1, r));
  EXPECT_EQ(stretched.At(4, 4), kGrey);
  EXPECT_EQ(stretched.At(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(stretched.At(7, 7), RGB(255, 0, 0));
  EXPECT_EQ(stretched.At(34, 24), RGB(255, 0, 0));
  EXPECT_EQ(stretched.At(20, 5), RGB(0, 255, 0));
  EXPECT_EQ(stretched.At(5, 15), RGB(0, 255, 0));
  EXPECT_EQ(stretched.At(8, 8), RGB(0, 0, 255));
  EXPECT_EQ(stretched.At(13, 15), RGB(0, 0, 255));  // the middle's first columns, widened
  EXPECT_EQ(stretched.At(30, 15), RGB(255, 255, 0));
  EXPECT_EQ(stretched.At(35, 25), kGrey);

  Canvas tiled(40, 30, kGrey);
  ASSERT_TRUE(button->DrawBackground(tiled.Dc(), 2, 1, r));
  EXPECT_EQ(tiled.At(8, 15), RGB(0, 0, 255));
  EXPECT_EQ(tiled.At(10, 15), RGB(255, 255, 0));  // the pattern repeats every 3 pixels
  EXPECT_EQ(tiled.At(13, 15), RGB(255, 255, 0));
  EXPECT_EQ(tiled.At(7, 7), RGB(255, 0, 0));

  Canvas border(40, 30, kGrey);
  ASSERT_TRUE(button->DrawBackground(border.Dc(), 4, 1, r));
  EXPECT_EQ(border.At(20, 15), kGrey);
  EXPECT_EQ(border.At(20, 6), RGB(0, 255, 0));

  Canvas clipped(40, 30, kGrey);
  const RECT clip = {5, 5, 15, 30};
  ASSERT_TRUE(button->DrawBackground(clipped.Dc(), 1, 1, r, &clip));
  EXPECT_EQ(clipped.At(10, 10), RGB(0, 0, 255));
  EXPECT_EQ(clipped.At(20, 10), kGrey);
}

TEST_F(SkinDraw, TransparentColourLetsTheBackgroundThrough) {
  File(L"Key.bmp", Bmp(10, 10, 24, [](int x, int y) {
         return x >= 3 && x < 7 && y >= 3 && y < 7 ? kBlack : kMagenta;
       }));
  auto schema = Scheme(
      u"[Button.PushButton]\r\nImageFile = Key.bmp\r\nTransparent = TRUE\r\n"
      u"[Button.CheckBox]\r\nImageFile = Key.bmp\r\nTransparent = TRUE\r\n"
      u"TransparentColor = 0 0 0\r\n"
      u"[Button.RadioButton]\r\nImageFile = Key.bmp\r\n");
  ThemeClass* button = schema->GetClass(u"BUTTON");
  const RECT r = {0, 0, 10, 10};
  Canvas keyed(10, 10, kGrey), ownKey(10, 10, kGrey), opaque(10, 10, kGrey);
  ASSERT_TRUE(button->DrawBackground(keyed.Dc(), 1, 1, r));
  ASSERT_TRUE(button->DrawBackground(ownKey.Dc(), 3, 1, r));
  ASSERT_TRUE(button->DrawBackground(opaque.Dc(), 2, 1, r));
  EXPECT_EQ(keyed.At(0, 0), kGrey);
  EXPECT_EQ(keyed.At(5, 5), RGB(0, 0, 0));
  EXPECT_EQ(ownKey.At(0, 0), RGB(255, 0, 255));
  EXPECT_EQ(ownKey.At(5, 5), kGrey);
  EXPECT_EQ(opaque.At(0, 0), RGB(255, 0, 255));
}

TEST_F(SkinDraw, AlphaImagesBlendAndOpaqueOnesAreCopied) {
  File(L"Half.png", Png(4, 4, [](int, int) { return 0x80FF0000u; }));
  File(L"Solid.png", Png(4, 4, [](int, int) { return 0xFF00FF00u; }));
  File(L"Half.bmp", Bmp(4, 4, 32, [](int, int) { return 0x800000FFu; }));
  File(L"Bad.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3, 4, 5});
  const std::u16string parts =
      u"[Button.PushButton]\r\nImageFile = Half.png\r\n"
      u"[Button.RadioButton]\r\nImageFile = Solid.png\r\n"
      u"[Button.CheckBox]\r\nImageFile = Half.bmp\r\n"
      u"[Button.GroupBox]\r\nImageFile = Bad.png\r\n"
      u"[Button.UserButton]\r\nImageFile = Gone.png\r\n";
  auto schema = Scheme(parts);
  ThemeClass* button = schema->GetClass(u"BUTTON");
  const RECT r = {0, 0, 8, 8};
  Canvas half(8, 8, RGB(255, 255, 255)), solid(8, 8, kGrey), bmp(8, 8, RGB(255, 255, 255));
  ASSERT_TRUE(button->DrawBackground(half.Dc(), 1, 1, r));
  ASSERT_TRUE(button->DrawBackground(solid.Dc(), 2, 1, r));
  ASSERT_TRUE(button->DrawBackground(bmp.Dc(), 3, 1, r));
  EXPECT_TRUE(Near(half.At(3, 3), RGB(255, 127, 127))) << std::hex << half.At(3, 3);
  EXPECT_EQ(solid.At(3, 3), RGB(0, 255, 0));
  EXPECT_TRUE(Near(bmp.At(3, 3), RGB(127, 127, 255))) << std::hex << bmp.At(3, 3);
  EXPECT_TRUE(schema->GetImage(u"HALF.PNG")->HasAlpha());
  EXPECT_FALSE(schema->GetImage(u"SOLID.PNG")->HasAlpha());

  // A bad or missing image fails that draw only.
  Canvas untouched(8, 8, kGrey);
  EXPECT_FALSE(button->DrawBackground(untouched.Dc(), 4, 1, r));
  EXPECT_FALSE(button->DrawBackground(untouched.Dc(), 5, 1, r));
  EXPECT_EQ(untouched.At(3, 3), kGrey);

  // A scheme whose images are premultiplied already draws every image with alpha.
  auto premultiplied = Scheme(u"[Documentation]\r\nAlphaLevel = 255\r\n" + parts);
  EXPECT_EQ(premultiplied->Premultiply(), 0);
  EXPECT_TRUE(premultiplied->GetImage(u"SOLID.PNG")->HasAlpha());
}

TEST_F(SkinDraw, BorderFillNoneAndTrueSize) {
  File(L"Dot.bmp", Bmp(4, 4, 24, [](int, int) { return kRed; }));
  auto schema = Scheme(
      u"[Edit]\r\nBgType = BorderFill\r\nBorderSize = 2\r\nBorderColor = 255 0 0\r\n"
      u"FillColor = 0 0 255\r\n"
      u"[Edit.EditText(Disabled)]\r\nBorderOnly = TRUE\r\n"
      u"[ListBox]\r\nBgType = None\r\n"
      u"[Button.CheckBox]\r\nImageFile = Dot.bmp\r\nSizingType = TrueSize\r\n"
      u"[Button.RadioButton]\r\nImageFile = Dot.bmp\r\nSizingType = TrueSize\r\n"
      u"VAlign = Bottom\r\n");
  const RECT r = {0, 0, 20, 20};
  Canvas filled(20, 20, kGrey), hollow(20, 20, kGrey), none(20, 20, kGrey);
  ASSERT_TRUE(schema->GetClass(u"EDIT")->DrawBackground(filled.Dc(), 1, 1, r));
  ASSERT_TRUE(schema->GetClass(u"EDIT")->DrawBackground(hollow.Dc(), 1, 4, r));
  ASSERT_TRUE(schema->GetClass(u"LISTBOX")->DrawBackground(none.Dc(), 0, 0, r));
  EXPECT_EQ(filled.At(1, 10), RGB(255, 0, 0));
  EXPECT_EQ(filled.At(18, 19), RGB(255, 0, 0));
  EXPECT_EQ(filled.At(2, 2), RGB(0, 0, 255));
  EXPECT_EQ(hollow.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(hollow.At(10, 10), kGrey);
  EXPECT_EQ(none.At(0, 0), kGrey);

  ThemeClass* button = schema->GetClass(u"BUTTON");
  Canvas centred(20, 20, kGrey), bottom(20, 20, kGrey);
  ASSERT_TRUE(button->DrawBackground(centred.Dc(), 3, 1, r));
  ASSERT_TRUE(button->DrawBackground(bottom.Dc(), 2, 1, r));
  EXPECT_EQ(centred.At(8, 8), RGB(255, 0, 0));
  EXPECT_EQ(centred.At(11, 11), RGB(255, 0, 0));
  EXPECT_EQ(centred.At(7, 7), kGrey);
  EXPECT_EQ(centred.At(12, 12), kGrey);
  EXPECT_EQ(bottom.At(9, 19), RGB(255, 0, 0));
  EXPECT_EQ(bottom.At(9, 15), kGrey);
  SIZE size = {};
  ASSERT_TRUE(button->GetPartSize(3, 1, size));
  EXPECT_EQ(size.cx, 4);
  EXPECT_FALSE(schema->GetClass(u"EDIT")->GetPartSize(1, 1, size));
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (8 * i));
}

// Headers that promise more pixels than the file holds reach neither the
// system's loader nor an allocation: the part fails at once, and the schema
// stays usable from another thread (no lock is left held).
TEST_F(SkinDraw, BitmapHeadersPromisingMoreThanTheFileHoldsAreRefused) {
  std::vector<uint8_t> huge = Bmp(4, 4, 24, [](int, int) { return kRed; });
  Put32(huge, 18, 16384);
  Put32(huge, 22, 16384);
  std::vector<uint8_t> tall = Bmp(4, 4, 24, [](int, int) { return kRed; });
  Put32(tall, 22, 3000);  // within the size limit, but the file ends long before
  File(L"Huge.bmp", huge);
  File(L"Short.bmp", tall);
  File(L"Dot.bmp", Bmp(4, 4, 24, [](int, int) { return kRed; }));
  auto schema = Scheme(
      u"[Button.PushButton]\r\nImageFile = Huge.bmp\r\n"
      u"[Button.CheckBox]\r\nImageFile = Short.bmp\r\n"
      u"[Button.RadioButton]\r\nImageFile = Dot.bmp\r\n");
  ASSERT_NE(schema, nullptr);
  ThemeClass* button = schema->GetClass(u"BUTTON");
  const RECT r = {0, 0, 20, 20};
  Canvas canvas(20, 20, kGrey);
  EXPECT_FALSE(button->DrawBackground(canvas.Dc(), 1, 1, r));
  EXPECT_FALSE(button->DrawBackground(canvas.Dc(), 3, 1, r));
  EXPECT_EQ(canvas.At(10, 10), kGrey);

  std::atomic<int> drawn{-1};
  std::thread other([&] {
    Canvas c(20, 20, kGrey);
    drawn = button->DrawBackground(c.Dc(), 2, 1, r) && c.At(10, 10) == RGB(255, 0, 0) ? 1 : 0;
  });
  const bool finished = WaitUntil([&] { return drawn >= 0; }, 10000);
  if (finished) {
    other.join();
  } else {
    other.detach();  // stuck on a lock: fail rather than hang
  }
  ASSERT_TRUE(finished) << "another thread could not draw with the schema";
  EXPECT_EQ(1, drawn);
}

// Images beyond what a theme needs are refused from their header, whatever
// their format: more than 4096 pixels on a side, or more than 4 Mi pixels.
TEST_F(SkinDraw, ImagesBeyondTheSizeLimitAreRefused) {
  const PixelFn red = [](int, int) { return kRed; };
  File(L"Wide.png", Png(4097, 1, red));
  File(L"Big.png", Png(2048, 2049, red));
  File(L"Edge.png", Png(4096, 1, red));
  File(L"Wide.bmp", Bmp(4097, 1, 32, red));
  File(L"Tall.bmp", Bmp(1, 4097, 24, red));
  auto schema = Scheme(
      u"[Button.PushButton]\r\nImageFile = Wide.png\r\n"
      u"[Button.RadioButton]\r\nImageFile = Edge.png\r\n");
  ASSERT_NE(schema, nullptr);
  for (const char16_t* refused : {u"WIDE.PNG", u"BIG.PNG", u"WIDE.BMP", u"TALL.BMP"})
    EXPECT_EQ(nullptr, schema->GetImage(refused)) << std::string(refused, refused + 8);
  ASSERT_NE(nullptr, schema->GetImage(u"EDGE.PNG"));
  EXPECT_EQ(4096, schema->GetImage(u"EDGE.PNG")->Width());
  ThemeClass* button = schema->GetClass(u"BUTTON");
  Canvas canvas(20, 20, kGrey);
  const RECT r = {0, 0, 20, 20};
  EXPECT_FALSE(button->DrawBackground(canvas.Dc(), 1, 1, r));
  EXPECT_TRUE(button->DrawBackground(canvas.Dc(), 2, 1, r));
}

// The shipped scheme chooses the states of parts whose state names it cannot
// spell by frame; the frame sides and caption buttons show it.
TEST(SkinShippedDraw, FramesAndCaptionButtonsFollowTheirStates) {
  SkinEngine& engine = SkinEngine::Get();
  ASSERT_EQ(engine.LoadTheme(U16(ShippedTheme()), u"NormalBlack2.ini"), 1);
  ThemeClass* window = engine.GetThemeClass(u"WINDOW");
  ASSERT_NE(window, nullptr);
  const RECT side = {0, 0, 4, 40};
  Canvas active(4, 40, kGrey), inactive(4, 40, kGrey);
  ASSERT_TRUE(window->DrawBackground(active.Dc(), 7, 1, side));
  ASSERT_TRUE(window->DrawBackground(inactive.Dc(), 7, 2, side));
  EXPECT_NE(active.At(1, 20), inactive.At(1, 20));
  EXPECT_NE(active.At(1, 20), kGrey);

  const RECT button = {0, 0, 28, 20};
  Canvas normal(28, 20, kGrey), hot(28, 20, kGrey);
  ASSERT_TRUE(window->DrawBackground(normal.Dc(), 18, 1, button));
  ASSERT_TRUE(window->DrawBackground(hot.Dc(), 18, 2, button));
  EXPECT_EQ(normal.At(4, 10), kGrey);  // a normal caption button is see-through
  EXPECT_GT(GetRValue(hot.At(4, 10)), GetGValue(hot.At(4, 10)) + 80);  // a hot close is red
  EXPECT_GT(GetGValue(hot.At(14, 10)), 200);                           // under a light glyph
  EXPECT_EQ(normal.At(0, 0), kGrey);
}

// A theme with images of one size draws them stretched to the display's
// scale, its sizing margins and true-size parts kept in proportion.
TEST_F(SkinDraw, OneSizeImagesAreStretchedToTheScale) {
  File(L"Dot.png", Png(4, 4, [](int, int) { return kRed; }));
  File(L"Box.png",
       Png(6, 6, [](int x, int y) { return x < 2 || y < 2 || x > 3 || y > 3 ? kBlue : kWhite; }));
  auto schema = Scheme(
      u"[Button.RadioButton]\r\nImageFile = Dot.png\r\nSizingType = TrueSize\r\n"
      u"[Button.PushButton]\r\nImageFile = Box.png\r\nSizingMargins = 2, 2, 2, 2\r\n");
  ASSERT_NE(schema, nullptr);
  schema->SetScale(200);
  ThemeClass* button = schema->GetClass(u"BUTTON");
  SIZE size = {};
  ASSERT_TRUE(button->GetPartSize(2, 1, size));
  EXPECT_EQ(size.cx, 8);
  EXPECT_EQ(size.cy, 8);

  const RECT r = {0, 0, 20, 20};
  Canvas dot(20, 20, kGrey), box(20, 20, kGrey);
  ASSERT_TRUE(button->DrawBackground(dot.Dc(), 2, 1, r));
  ASSERT_TRUE(button->DrawBackground(box.Dc(), 1, 1, r));
  EXPECT_EQ(dot.At(6, 10), RGB(255, 0, 0));
  EXPECT_EQ(dot.At(13, 10), RGB(255, 0, 0));
  EXPECT_EQ(dot.At(5, 10), kGrey);
  EXPECT_EQ(dot.At(14, 10), kGrey);
  EXPECT_EQ(box.At(3, 10), RGB(0, 0, 255));  // a 2-pixel margin is 4 pixels at 200 %
  EXPECT_EQ(box.At(4, 10), RGB(255, 255, 255));
  EXPECT_EQ(box.At(16, 10), RGB(0, 0, 255));
  EXPECT_EQ(box.At(15, 10), RGB(255, 255, 255));
}

// The columns of a canvas row that are not the background.
int InkSpan(const Canvas& c, int width, int y) {
  int first = -1, last = -1;
  for (int x = 0; x < width; ++x) {
    if (Near(c.At(x, y), kGrey, 8)) continue;
    if (first < 0) first = x;
    last = x;
  }
  return first < 0 ? 0 : last - first + 1;
}

// The shipped theme carries its images for 100, 150 and 200 %: radio and
// check glyphs, drawn at their true size, and the caption grow with the
// display's scale, and a scale between takes the nearest images.
TEST(SkinScale, GlyphsAndCaptionFollowTheDisplayScale) {
  const struct {
    int scale, glyph, caption;
  } kCases[] = {{100, 13, 27}, {150, 20, 40}, {200, 26, 53}, {175, 23, 47}};
  for (const auto& c : kCases) {
    auto container = std::make_shared<ThemeContainer>();
    ASSERT_TRUE(container->Open(U16(ShippedTheme()), u"NormalBlack2.ini"));
    ThemeSchema schema(container);
    schema.SetScale(c.scale);
    ASSERT_GT(schema.ReadProperties(), 0);
    ThemeClass* button = schema.GetClass(u"BUTTON");
    ASSERT_NE(button, nullptr);
    SIZE radio = {}, check = {};
    ASSERT_TRUE(button->GetPartSize(2, 1, radio));
    ASSERT_TRUE(button->GetPartSize(3, 1, check));
    EXPECT_EQ(radio.cx, c.glyph) << c.scale;
    EXPECT_EQ(radio.cy, c.glyph) << c.scale;
    EXPECT_EQ(check.cx, c.glyph) << c.scale;

    Canvas canvas(40, 40, kGrey);
    ASSERT_TRUE(button->DrawBackground(canvas.Dc(), 2, 5, RECT{0, 0, 40, 40}));
    EXPECT_NEAR(InkSpan(canvas, 40, 20), c.glyph, 2) << c.scale;

    int imageScale = 0;
    ASSERT_NE(schema.GetScaledImage(u"RadioButton.png", imageScale), nullptr);
    EXPECT_EQ(imageScale, c.scale == 175 ? 200 : c.scale);

    ThemeMetrics metrics;
    metrics.Refresh(&schema, SkinEngine::kMetrics);
    EXPECT_EQ(metrics.Sizes().captionHeight, c.caption) << c.scale;
    EXPECT_EQ(metrics.Sizes().vScrollWidth, (17 * c.scale + 50) / 100) << c.scale;
  }
}

}  // namespace
