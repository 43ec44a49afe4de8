#include <gtest/gtest.h>

#include "convert/conversion_log.h"

namespace {

TEST(ConversionLog, StampAndTail) {
  EXPECT_EQ(FormatLogEntry(7, 5, 9, u"abc", false), u"07:05:09 abc");
  EXPECT_EQ(FormatLogEntry(23, 59, 0, u"abc", true), u"23:59:00 abc");
  std::u16string chunk(400, u'a');
  chunk.replace(50, 350, 350, u'b');
  EXPECT_EQ(FormatLogEntry(0, 0, 0, chunk, true), u"00:00:00 " + std::u16string(350, u'b'));
  EXPECT_EQ(FormatLogEntry(0, 0, 0, chunk, false).size(), 9u + 400u);
  EXPECT_EQ(FormatLogEntry(0, 0, 0, std::u16string(350, u'c'), true).size(), 9u + 350u);
}

TEST(ConversionLog, SavedFileHasMarkersAndTextModeLineEnds) {
  EXPECT_EQ(SavedLogBytes({}),
            "Converting log start---------\r\n\r\n---------Converting log end\r\n\r\n"
            "Burning log start---------\r\n\r\n---------Burning log end\r\n");
  const std::string bytes = SavedLogBytes({u"10:00:00 one\rtwo\nthree", u"10:00:01 \u00e9"});
  EXPECT_EQ(bytes,
            "Converting log start---------\r\n\r\n"
            "10:00:00 one\rtwo\r\nthree\r\n"
            "10:00:01 \xe9\r\n"
            "---------Converting log end\r\n\r\n"
            "Burning log start---------\r\n\r\n---------Burning log end\r\n");
}

TEST(ConversionLog, CharactersBeyondOneByteDoNotCutTheLog) {
  const std::string bytes = SavedLogBytes({u"a\u4e2d\u6587b", u"after"});
  EXPECT_NE(bytes.find("a??b\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("after\r\n"), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 26), "---------Burning log end\r\n");
}

}  // namespace

#include "convert/result_text.h"

namespace {

TEST(ResultText, FolderAndSuccesses) {
  EXPECT_EQ(ResultFolderText(true, u"D:\\clips\\a.flv", u"C:\\out\\"), u"D:\\clips");
  EXPECT_EQ(ResultFolderText(false, u"D:\\clips\\a.flv", u"C:\\out\\"), u"C:\\out\\");
  EXPECT_EQ(ResultFolderText(true, u"", u"C:\\out\\"), u"");
  EXPECT_EQ(ShownSuccesses(0, 4, 3), 3);
  EXPECT_EQ(ShownSuccesses(1, 4, 0), 4);
}

}  // namespace
