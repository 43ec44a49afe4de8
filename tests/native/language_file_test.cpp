#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/language_text.h"

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

}  // namespace
