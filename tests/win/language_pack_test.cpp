// Language packs read through the platform's INI functions from real files,
// and applied to real dialogs.
#include <gtest/gtest.h>

#include "app/win/language_pack.h"
#include "framework/win/dialog.h"
#include "resources/resource.h"
#include "tests/win/program_harness.h"

namespace {

// Writes an INI file as UTF-16LE with a byte-order mark, the way mlg.txt ships.
std::u16string WriteUnicodeIni(const ScratchDir& dir, const std::u16string& text) {
  std::vector<uint8_t> bytes = {0xFF, 0xFE};
  for (char16_t c : text) {
    bytes.push_back(uint8_t(c & 0xFF));
    bytes.push_back(uint8_t(c >> 8));
  }
  const std::wstring path = dir.Path() + L"mlg.txt";
  EXPECT_TRUE(WriteBytes(path, bytes));
  return std::u16string(reinterpret_cast<const char16_t*>(path.c_str()));
}

TEST(LanguagePackLoad, SplitsNamesAndEntriesOfTheCurrentLanguage) {
  ScratchDir dir;
  // The third name has no "^" and is not a language.
  const auto file = WriteUnicodeIni(
      dir,
      u"[mlg]\r\nlist=English^\u7b80\u4f53\u4e2d\u6587^Extra\r\ncurlg=1\r\n"
      u"[English]\r\ntext=102-1003|Next^\r\n"
      u"[\u7b80\u4f53\u4e2d\u6587]\r\ntext=102-1003|\u4e0b\u4e00\u6b65^102-0|Titel^"
      u"142-1099|Total|files^102-1003|Later^no bar^102--1|Frame^tail without caret\r\n");
  CLanguagePack pack;
  EXPECT_EQ(pack.Load(file), 1);
  EXPECT_EQ(pack.m_nCurrent, 1);
  ASSERT_EQ(pack.m_names.size(), 2u);
  EXPECT_EQ(pack.m_names[1], u"\u7b80\u4f53\u4e2d\u6587");
  const std::map<std::u16string, std::u16string> expected = {{u"102-1003", u"Later"},
                                                             {u"102-0", u"Titel"},
                                                             {u"142-1099", u"Total|files"},
                                                             {u"", u"no bar"},
                                                             {u"102--1", u"Frame"}};
  EXPECT_EQ(pack.m_texts, expected);
}

TEST(LanguagePackLoad, NoLanguageSelectedLeavesTheTextsEmpty) {
  ScratchDir dir;
  const std::u16string sections = u"[A]\r\ntext=102-0|a^\r\n[B]\r\ntext=102-0|b^\r\n";
  CLanguagePack pack;
  pack.m_texts[u"stale"] = u"x";

  // curlg missing, equal to the number of names (the "More..." row), or negative.
  for (const char16_t* curlg : {u"", u"curlg=2\r\n", u"curlg=-3\r\n"}) {
    ScratchDir d;
    const auto file =
        WriteUnicodeIni(d, u"[mlg]\r\nlist=A^B^\r\n" + std::u16string(curlg) + sections);
    EXPECT_EQ(pack.Load(file), -1);
    EXPECT_EQ(pack.m_names.size(), 2u);
    EXPECT_TRUE(pack.m_texts.empty());
  }
  // A listed language without a section: selected, but nothing to replace.
  const auto file = WriteUnicodeIni(dir, u"[mlg]\r\nlist=A^Missing^\r\ncurlg=1\r\n" + sections);
  EXPECT_EQ(pack.Load(file), 1);
  EXPECT_TRUE(pack.m_texts.empty());
  // No file at all.
  EXPECT_EQ(pack.Load(file + u".none"), -1);
  EXPECT_TRUE(pack.m_names.empty());
}

TEST(LanguagePackLoad, ReadsAtMost1023CharactersOfTheList) {
  ScratchDir dir;
  std::u16string list;
  for (int i = 0; i < 200; ++i)
    list += u"Lang" + std::u16string(1, char16_t(u'A' + i % 26)) + u"00^";
  const auto file = WriteUnicodeIni(dir, u"[mlg]\r\nlist=" + list + u"\r\n");
  CLanguagePack pack;
  pack.Load(file);
  // Eight characters a name: 127 whole names fit in 1023, the 128th is cut.
  EXPECT_EQ(pack.m_names.size(), 127u);
}

TEST(LanguagePackCurrent, WritingKeepsTheFileUnicode) {
  ScratchDir dir;
  const auto file =
      WriteUnicodeIni(dir,
                      u"[mlg]\r\nlist=English^\u7b80\u4f53\u4e2d\u6587^\r\n"
                      u"[\u7b80\u4f53\u4e2d\u6587]\r\ntext=102-1006|\u8bed\u8a00(&L)^\r\n");
  CLanguagePack pack;
  EXPECT_EQ(pack.ReadCurrent(file), -1);
  pack.WriteCurrent(1, file);
  EXPECT_EQ(pack.ReadCurrent(file), 1);
  EXPECT_EQ(pack.Load(file), 1);
  EXPECT_EQ(pack.m_texts[u"102-1006"], u"\u8bed\u8a00(&L)");

  // Without a file the platform creates one.
  const std::u16string fresh = file + u".new";
  pack.WriteCurrent(0, fresh);
  EXPECT_EQ(pack.ReadCurrent(fresh), 0);
}

class LanguagePackApply : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(wizard.Create(nullptr)); }
  HWND Item(int id) const { return ::GetDlgItem(wizard.GetSafeHwnd(), id); }
  CDialog wizard{IDD_VIDMORPH_DIALOG};
};

TEST_F(LanguagePackApply, ReplacesCaptionAndControlsOfItsTemplateOnly) {
  CLanguagePack pack;
  pack.m_texts = {{u"102-0", u"Titel"},
                  {u"102-1003", u"&Weiter >"},
                  {u"102--1", u"Rahmen"},
                  {u"152-1002", u"other page"},
                  {u"102-9999", u"no such control"}};
  EXPECT_EQ(pack.Apply(wizard.GetSafeHwnd(), IDD_VIDMORPH_DIALOG), 1);
  EXPECT_EQ(WindowText(wizard.GetSafeHwnd()), L"Titel");
  EXPECT_EQ(WindowText(Item(IDC_BTN_NEXT)), L"&Weiter >");
  EXPECT_EQ(WindowText(Item(IDC_BTN_PREV)), L"<Prev(&P)");
  // Both unnamed group boxes share the key 102--1.
  int frames = 0;
  for (HWND c = ::GetWindow(wizard.GetSafeHwnd(), GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
    if (::GetDlgCtrlID(c) == -1 && WindowText(c) == L"Rahmen") ++frames;
  EXPECT_EQ(frames, 2);

  // A second pack that names fewer controls leaves the others as they are.
  CLanguagePack second;
  second.m_texts = {{u"102-1002", u"< Zur\u00fcck"}};
  second.Apply(wizard.GetSafeHwnd(), IDD_VIDMORPH_DIALOG);
  EXPECT_EQ(WindowText(Item(IDC_BTN_PREV)), L"< Zur\u00fcck");
  EXPECT_EQ(WindowText(Item(IDC_BTN_NEXT)), L"&Weiter >");

  EXPECT_EQ(pack.Apply(nullptr, IDD_VIDMORPH_DIALOG), -1);
}

}  // namespace
