// The order of Option.dat's 27 items, checked against bytes this test writes
// itself from the item table, with a value in every item that no other item
// holds: two items swapped in the reader or the writer cannot go unnoticed,
// even where they share a default.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "framework/archive.h"

namespace {

// One item of the file: an int32 field or a string field of APP_STATE.
struct Item {
  int32_t APP_STATE::*number;
  std::u16string APP_STATE::*text;
};

Item Int(int32_t APP_STATE::*field) {
  return {field, nullptr};
}
Item Str(std::u16string APP_STATE::*field) {
  return {nullptr, field};
}

// Items 1 to 27, in file order.
const std::vector<Item>& ItemTable() {
  static const std::vector<Item> items = {
      Int(&APP_STATE::g_nAudioFormat),     Str(&APP_STATE::g_strOutputFolder),
      Int(&APP_STATE::g_nTaskMode),        Int(&APP_STATE::g_nProfilePos),
      Int(&APP_STATE::g_bConvertAndBurn),  Str(&APP_STATE::g_strDiscVolume),
      Int(&APP_STATE::g_nBurner),          Int(&APP_STATE::g_nBurnSpeed),
      Int(&APP_STATE::g_bSameAsSource),    Int(&APP_STATE::g_bUseTempFolder),
      Int(&APP_STATE::g_bOverwrite),       Int(&APP_STATE::g_bEject),
      Int(&APP_STATE::g_bDeleteTemp),      Int(&APP_STATE::g_bOpc),
      Int(&APP_STATE::g_bUseOriginal),     Int(&APP_STATE::g_nPosSize),
      Int(&APP_STATE::g_nPosFrameRate),    Int(&APP_STATE::g_nPosAudioBitrate),
      Int(&APP_STATE::g_nPosVideoBitrate), Int(&APP_STATE::g_nPosVideoCodec),
      Int(&APP_STATE::g_nPosAudioCodec),   Int(&APP_STATE::g_nPosSampleRate),
      Int(&APP_STATE::g_nPosChannels),     Int(&APP_STATE::g_nTask3gp),
      Int(&APP_STATE::g_nTaskMp4),         Int(&APP_STATE::g_nTaskPsp),
      Int(&APP_STATE::g_nTaskAvi)};
  return items;
}

// A value for item `n` (1-based) that no other item has; negative for some,
// so that every byte of the int32 is exercised.
int32_t NumberOf(int n) {
  return (n % 2 ? 1 : -1) * (0x01020300 + n);
}
std::u16string TextOf(int n) {
  return u"item " + std::u16string(1, char16_t(u'0' + n / 10)) +
         std::u16string(1, char16_t(u'0' + n % 10)) + u" \u00e9\u4e2d";
}

// The file as the item table describes it: int32 little-endian; a string as
// FF, FE FF, a one-byte length (all texts here are short), UTF-16LE units.
std::vector<uint8_t> ExpectedFile() {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < ItemTable().size(); ++i) {
    const int n = int(i) + 1;
    if (ItemTable()[i].number) {
      const uint32_t v = uint32_t(NumberOf(n));
      for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(v >> shift));
    } else {
      const std::u16string text = TextOf(n);
      bytes.insert(bytes.end(), {0xFF, 0xFE, 0xFF, uint8_t(text.size())});
      for (char16_t c : text) {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t(c >> 8));
      }
    }
  }
  return bytes;
}

TEST(SettingsItemOrder, ReadingPutsEveryItemIntoItsField) {
  ASSERT_EQ(ItemTable().size(), 27u);
  const std::vector<uint8_t> bytes = ExpectedFile();
  APP_STATE s;
  SetDefaults(s, u"C:\\x\\Vidmorph.exe");
  Archive ar(bytes.data(), bytes.size(), nullptr);
  SerializeSettings(ar, s);
  ASSERT_TRUE(ar.Ok());
  for (size_t i = 0; i < ItemTable().size(); ++i) {
    const int n = int(i) + 1;
    if (ItemTable()[i].number) {
      EXPECT_EQ(s.*ItemTable()[i].number, NumberOf(n)) << "item " << n;
    } else {
      EXPECT_EQ(s.*ItemTable()[i].text, TextOf(n)) << "item " << n;
    }
  }
}

TEST(SettingsItemOrder, WritingGivesExactlyTheTablesBytes) {
  APP_STATE s;
  SetDefaults(s, u"C:\\x\\Vidmorph.exe");
  for (size_t i = 0; i < ItemTable().size(); ++i) {
    const int n = int(i) + 1;
    if (ItemTable()[i].number) {
      s.*ItemTable()[i].number = NumberOf(n);
    } else {
      s.*ItemTable()[i].text = TextOf(n);
    }
  }
  // Fields outside the file stay out of it.
  s.g_nPrevTaskMode = 0x7777;
  s.g_strAppDir = u"D:\\elsewhere\\";
  Archive ar;
  SerializeSettings(ar, s);
  EXPECT_EQ(ar.Bytes(), ExpectedFile());
}

}  // namespace
