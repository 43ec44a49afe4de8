#include <gtest/gtest.h>

#include <climits>

#include "app/language_text.h"

namespace {

using V = std::vector<std::u16string>;

TEST(LanguageList, NamesEndWithCaret) {
  EXPECT_EQ(SplitLanguageList(u"a^b^c"), (V{u"a", u"b"}));
  EXPECT_EQ(SplitLanguageList(u"English^Deutsch^"), (V{u"English", u"Deutsch"}));
  EXPECT_EQ(SplitLanguageList(u"^x^^"), (V{u"", u"x", u""}));
  EXPECT_EQ(SplitLanguageList(u"\u7b80\u4f53\u4e2d\u6587^"), (V{u"\u7b80\u4f53\u4e2d\u6587"}));
  EXPECT_TRUE(SplitLanguageList(u"").empty());
  EXPECT_TRUE(SplitLanguageList(u"English").empty());
}

TEST(LanguageTexts, KeysAndTexts) {
  LanguageTexts t = SplitLanguageTexts(u"142-1099|Total|files^102-0|Title^no bar^|^tail|x");
  EXPECT_EQ(t.size(), 3u);
  EXPECT_EQ(t[u"142-1099"], u"Total|files");
  EXPECT_EQ(t[u"102-0"], u"Title");
  // Both "no bar" and "|" use the empty key; the later one, with empty text, wins.
  EXPECT_EQ(t[u""], u"");
  EXPECT_EQ(t.count(u"tail"), 0u);

  t = SplitLanguageTexts(u"102-1003|Next^102-1003|Weiter^102-1002|Zur\u00fcck^");
  EXPECT_EQ(t.size(), 2u);
  EXPECT_EQ(t[u"102-1003"], u"Weiter");
  EXPECT_EQ(t[u"102-1002"], u"Zur\u00fcck");

  t = SplitLanguageTexts(u"only text^");
  EXPECT_EQ(t[u""], u"only text");
  EXPECT_TRUE(SplitLanguageTexts(u"102-0|never terminated").empty());
}

TEST(LanguageKeys, SignedDecimal) {
  EXPECT_EQ(LanguageCaptionKey(102), u"102-0");
  EXPECT_EQ(LanguageControlKey(142, 1099), u"142-1099");
  EXPECT_EQ(LanguageControlKey(102, -1), u"102--1");
  EXPECT_EQ(LanguageControlKey(0, 0), u"0-0");
  EXPECT_EQ(LanguageControlKey(INT_MIN, INT_MAX), u"-2147483648-2147483647");
}

TEST(LanguageTexts, PlaceholdersAreFilledAndNothingElse) {
  EXPECT_EQ(FillIn(u"Files added: %1.", {u"12"}), u"Files added: 12.");
  EXPECT_EQ(FillIn(u"%2 (%1)", {u"a", u"b"}), u"b (a)");
  // Past the values a placeholder is empty; other "%" stay as typed.
  EXPECT_EQ(FillIn(u"%1 and %3", {u"x"}), u"x and ");
  EXPECT_EQ(FillIn(u"100%% %d %s %", {}), u"100% %d %s %");
  EXPECT_EQ(FillIn(u"%1", {u"%2"}), u"%2");  // values are not read again
  EXPECT_EQ(DecimalText(0), u"0");
  EXPECT_EQ(DecimalText(10000), u"10000");
  EXPECT_EQ(DecimalText(INT64_MIN), u"-9223372036854775808");
}

}  // namespace
