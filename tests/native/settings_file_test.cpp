#include <gtest/gtest.h>

#include "app/app_state.h"
#include "framework/archive.h"

namespace {

std::vector<uint8_t> Store(APP_STATE s) {
  Archive ar;
  SerializeSettings(ar, s);
  return ar.Bytes();
}

APP_STATE Defaults() {
  APP_STATE s;
  SetDefaults(s, u"C:\\Apps\\Conv\\Vidmorph.exe");
  return s;
}

bool Load(const std::vector<uint8_t>& bytes, APP_STATE& s) {
  Archive ar(bytes.data(), bytes.size(), nullptr);
  SerializeSettings(ar, s);
  return ar.Ok();
}

TEST(SettingsFile, DefaultsMake124BytesWithMarkedStrings) {
  const auto bytes = Store(Defaults());
  ASSERT_EQ(bytes.size(), 124u);
  const std::vector<uint8_t> head = {0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 3, 'C', 0, ':', 0, '\\', 0};
  EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
  // Item 6, the disc volume, after items 3 to 5.
  const std::vector<uint8_t> vol = {0xFF, 0xFE, 0xFF, 5, 'M', 0, 'y', 0, 'D', 0, 'V', 0, 'D', 0};
  EXPECT_TRUE(std::equal(vol.begin(), vol.end(), bytes.begin() + 14 + 12));
}

TEST(SettingsFile, DefaultsAndPaths) {
  const APP_STATE s = Defaults();
  EXPECT_EQ(s.g_strAppDir, u"C:\\Apps\\Conv\\");
  EXPECT_EQ(s.g_strLangFile, u"C:\\Apps\\Conv\\mlg.txt");
  EXPECT_EQ(s.g_bUseTempFolder, 1);
  EXPECT_EQ(s.g_nBurner, -1);
  EXPECT_EQ(s.g_nBurnSpeed, -1);
  EXPECT_EQ(s.g_bEject, 1);
  EXPECT_EQ(DirectoryOf(u"prog.exe"), u"");
}

TEST(SettingsFile, StringLengthForms) {
  for (size_t n : {0u, 254u, 255u, 300u, 0xFFFDu, 0xFFFEu, 70000u}) {
    APP_STATE s = Defaults();
    s.g_strOutputFolder.assign(n, u'x');
    const auto bytes = Store(s);
    const uint8_t* item = bytes.data() + 4;
    ASSERT_EQ(item[0], 0xFF);
    ASSERT_EQ(item[1], 0xFE);
    ASSERT_EQ(item[2], 0xFF);
    if (n < 255) {
      EXPECT_EQ(item[3], n);
    } else if (n < 0xFFFE) {
      EXPECT_EQ(item[3], 0xFF);
      EXPECT_EQ(item[4] | (item[5] << 8), int(n));
    } else {
      EXPECT_EQ(item[3], 0xFF);
      EXPECT_EQ(item[4], 0xFF);
      EXPECT_EQ(item[5], 0xFF);
      EXPECT_EQ(uint32_t(item[6] | (item[7] << 8) | (item[8] << 16)), n);
    }
    APP_STATE back = Defaults();
    ASSERT_TRUE(Load(bytes, back));
    EXPECT_EQ(back.g_strOutputFolder, s.g_strOutputFolder);
  }
  // The 300-character folder's exact prefix.
  APP_STATE s = Defaults();
  s.g_strOutputFolder.assign(300, u'a');
  const auto bytes = Store(s);
  const std::vector<uint8_t> head = {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01};
  EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin() + 4));
  EXPECT_EQ(bytes.size(), 124u - 10 + 6 + 600);
}

TEST(SettingsFile, RoundTripEveryItem) {
  APP_STATE s = Defaults();
  int32_t* ints[] = {
      &s.g_nAudioFormat,     &s.g_nTaskMode,      &s.g_nProfilePos,    &s.g_bConvertAndBurn,
      &s.g_nBurner,          &s.g_nBurnSpeed,     &s.g_bSameAsSource,  &s.g_bUseTempFolder,
      &s.g_bOverwrite,       &s.g_bEject,         &s.g_bDeleteTemp,    &s.g_bOpc,
      &s.g_bUseOriginal,     &s.g_nPosSize,       &s.g_nPosFrameRate,  &s.g_nPosAudioBitrate,
      &s.g_nPosVideoBitrate, &s.g_nPosVideoCodec, &s.g_nPosAudioCodec, &s.g_nPosSampleRate,
      &s.g_nPosChannels,     &s.g_nTask3gp,       &s.g_nTaskMp4,       &s.g_nTaskPsp,
      &s.g_nTaskAvi};
  int32_t v = -7;
  for (int32_t* p : ints) *p = v++ * 1000003;
  s.g_strOutputFolder = u"D:\\\u00fcber\\\u4e2d\u6587\\";
  s.g_strDiscVolume = u"";
  const auto bytes = Store(s);
  APP_STATE back = Defaults();
  ASSERT_TRUE(Load(bytes, back));
  EXPECT_EQ(Store(back), bytes);
  EXPECT_EQ(back.g_strOutputFolder, s.g_strOutputFolder);
  EXPECT_EQ(back.g_nTaskAvi, s.g_nTaskAvi);
}

TEST(SettingsFile, EightBitStringsAreDecoded) {
  // Item 1, then an 8-bit "C:\" and a 16-bit-length 8-bit string.
  std::vector<uint8_t> bytes = {1, 0, 0, 0, 3, 'E', ':', 0xE9, 9, 0, 0, 0};
  APP_STATE s = Defaults();
  Archive ar(bytes.data(), bytes.size(), [](const std::string& b) {
    std::u16string r = DecodeLatin1(b);
    r += u'!';
    return r;
  });
  SerializeSettings(ar, s);
  EXPECT_EQ(s.g_nAudioFormat, 1);
  EXPECT_EQ(s.g_strOutputFolder, u"E:\u00e9!");
  EXPECT_EQ(s.g_nTaskMode, 9);

  const std::vector<uint8_t> longForm = {0xFF, 0x03, 0x00, 'a', 'b', 'c'};
  std::u16string out;
  Archive ar2(longForm.data(), longForm.size(), nullptr);
  ar2.Serialize(out);
  EXPECT_TRUE(ar2.Ok());
  EXPECT_EQ(out, u"abc");
}

TEST(SettingsFile, FileCutAtEveryOffsetKeepsStoredOrDefault) {
  APP_STATE stored = Defaults();
  stored.g_strOutputFolder = u"E:\\out\\";
  stored.g_nProfilePos = 5;
  stored.g_bOverwrite = 1;
  stored.g_nTaskAvi = 2;
  const auto bytes = Store(stored);
  const APP_STATE defaults = Defaults();
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    std::vector<uint8_t> part(bytes.begin(), bytes.begin() + cut);
    APP_STATE s = Defaults();
    EXPECT_FALSE(Load(part, s)) << cut;
    auto either = [&](auto a, auto b, auto c) { return a == b || a == c; };
    EXPECT_TRUE(either(s.g_strOutputFolder, stored.g_strOutputFolder, defaults.g_strOutputFolder));
    EXPECT_TRUE(either(s.g_nProfilePos, stored.g_nProfilePos, defaults.g_nProfilePos));
    EXPECT_TRUE(either(s.g_bOverwrite, stored.g_bOverwrite, defaults.g_bOverwrite));
    EXPECT_TRUE(either(s.g_nTaskAvi, stored.g_nTaskAvi, defaults.g_nTaskAvi));
    // Whatever the cut, rewriting gives a valid file that loads whole.
    APP_STATE again = Defaults();
    EXPECT_TRUE(Load(Store(s), again));
  }
}

TEST(SettingsFile, LengthsBeyondTheDataAreRefused) {
  const std::vector<std::vector<uint8_t>> bad = {
      {0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0},
      {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
      {0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 1, 'a', 0},
      {0, 0, 0, 0, 200, 'x'}};
  for (const auto& b : bad) {
    APP_STATE s = Defaults();
    EXPECT_FALSE(Load(b, s));
    EXPECT_EQ(s.g_strOutputFolder, u"C:\\");
  }
}

}  // namespace
