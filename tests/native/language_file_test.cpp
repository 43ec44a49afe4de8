#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "app/input_details_text.h"
#include "app/language_text.h"
#include "app/number_text.h"
#include "app/output_folder_text.h"
#include "convert/failure_wording.h"
#include "convert/when_done.h"

namespace {

// The shipped language file as the platform reads it: UTF-16LE behind a
// byte-order mark, one "key=value" per CRLF-terminated line.
class ShippedLanguageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream in(VM_SOURCE_DIR "/resources/mlg.txt", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GE(bytes.size(), 2u);
    ASSERT_EQ(uint8_t(bytes[0]), 0xFF);
    ASSERT_EQ(uint8_t(bytes[1]), 0xFE);
    ASSERT_EQ(bytes.size() % 2, 0u);
    for (size_t i = 2; i < bytes.size(); i += 2) {
      text_ += char16_t(uint8_t(bytes[i]) | (uint8_t(bytes[i + 1]) << 8));
    }
  }

  // The value of key in section, as a plain INI lookup would find it.
  std::u16string Value(const std::u16string& section, const std::u16string& key) const {
    const size_t head = text_.find(u"[" + section + u"]\r\n");
    if (head == std::u16string::npos) return {};
    size_t line = text_.find(u'\n', head) + 1;
    while (line < text_.size() && text_[line] != u'[') {
      const size_t end = text_.find(u"\r\n", line);
      if (end == std::u16string::npos) return {};  // every line must end with CRLF
      if (text_.compare(line, key.size() + 1, key + u"=") == 0) {
        return text_.substr(line + key.size() + 1, end - line - key.size() - 1);
      }
      line = end + 2;
    }
    return {};
  }

  std::u16string text_;
};

TEST_F(ShippedLanguageFile, EveryPackNamesTheSameControls) {
  const auto names = SplitLanguageList(Value(u"mlg", u"list"));
  ASSERT_EQ(names.size(), 5u);
  EXPECT_EQ(names[0], u"English");
  EXPECT_EQ(names[4], u"\u7b80\u4f53\u4e2d\u6587");
  EXPECT_TRUE(Value(u"mlg", u"curlg").empty());  // the first start asks for a language

  const LanguageTexts english = SplitLanguageTexts(Value(u"English", u"text"));
  EXPECT_EQ(english.at(LanguageControlKey(102, 1006)), u"&Lanuage");
  EXPECT_EQ(english.at(LanguageControlKey(141, 1097)), u"Converting ");  // trailing blank kept
  for (int templateId : {102, 100}) EXPECT_EQ(english.count(LanguageCaptionKey(templateId)), 1u);

  for (const auto& name : names) {
    const LanguageTexts texts = SplitLanguageTexts(Value(name, u"text"));
    ASSERT_EQ(texts.size(), english.size());
    for (const auto& [key, text] : english) {
      ASSERT_EQ(texts.count(key), 1u);
      EXPECT_FALSE(texts.at(key).empty());
    }
  }
  EXPECT_EQ(SplitLanguageTexts(Value(u"Deutsch", u"text")).at(u"102-1003"), u"&Weiter >");
}

// Every text of a table is in the English pack as it is built in, so that
// switching back to English restores it.
template <class Texts>
void ExpectBuiltInEnglish(const std::vector<TextKey<Texts>>& keys, const LanguageTexts& english) {
  const Texts builtIn;
  for (const TextKey<Texts>& k : keys) {
    ASSERT_EQ(english.count(k.key), 1u);
    EXPECT_EQ(english.at(k.key), builtIn.*k.text);
  }
}

TEST_F(ShippedLanguageFile, TheEnglishPackRepeatsTheBuiltInTexts) {
  const LanguageTexts english = SplitLanguageTexts(Value(u"English", u"text"));
  ExpectBuiltInEnglish(NumberTextKeys(), english);
  ExpectBuiltInEnglish(FailureTextKeys(), english);
  ExpectBuiltInEnglish(WhenDoneTextKeys(), english);
}

TEST_F(ShippedLanguageFile, EachPackWritesNumbersAsItsLanguageDoes) {
  const struct {
    const char16_t* pack;
    std::vector<std::u16string> texts;
  } cases[] = {
      {u"English",
       {u"12 bytes", u"840 KB", u"1.2 MB", u"2.50 GB", u"3.2x", u"42 s", u"2 min 10 s",
        u"1 h 2 min"}},
      {u"Deutsch",
       {u"12 Bytes", u"840 KB", u"1,2 MB", u"2,50 GB", u"3,2x", u"42 Sek.", u"2 Min. 10 Sek.",
        u"1 Std. 2 Min."}},
      {u"Fran\u00e7ais",
       {u"12 octets", u"840 Ko", u"1,2 Mo", u"2,50 Go", u"3,2x", u"42 s", u"2 min 10 s",
        u"1 h 2 min"}},
      {u"Espa\u00f1ol",
       {u"12 bytes", u"840 KB", u"1,2 MB", u"2,50 GB", u"3,2x", u"42 s", u"2 min 10 s",
        u"1 h 2 min"}},
      {u"\u7b80\u4f53\u4e2d\u6587",
       {u"12 字节", u"840 KB", u"1.2 MB", u"2.50 GB", u"3.2 倍", u"42 秒", u"2 分 10 秒",
        u"1 小时 2 分"}},
  };
  for (const auto& c : cases) {
    const NumberTexts n =
        TranslatedTexts(NumberTextKeys(), SplitLanguageTexts(Value(c.pack, u"text")));
    const std::vector<std::u16string> texts = {
        SizeText(12, n),    SizeText(860160, n),   SizeText(1258291, n),   SizeText(5ULL << 29, n),
        SpeedText(3.24, n), DurationText(42.4, n), DurationText(129.6, n), DurationText(3723, n)};
    EXPECT_EQ(texts, c.texts);
  }
  // English as built in is the English pack's; what cannot be a number is 0.
  EXPECT_EQ(SizeText(1258291, NumberTexts()), u"1.2 MB");
  EXPECT_EQ(FractionText(std::nan(""), 1, NumberTexts()), u"0.0");
  EXPECT_EQ(DurationText(-5, NumberTexts()), u"0 s");
  EXPECT_EQ(DurationText(99.4, NumberTexts()), u"99 s");
  EXPECT_EQ(DurationText(100, NumberTexts()), u"1 min 40 s");
  EXPECT_EQ(SizeText(~0ULL, NumberTexts()), u"17179869184.00 GB");
}

}  // namespace
