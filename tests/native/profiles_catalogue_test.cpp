#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/catalogue.h"

namespace {

using K = OptionKind;

std::u16string Label(K kind, int row) {
  return OptionRow(kind, row).szLabel;
}
std::u16string Arg(K kind, int row) {
  return OptionArg(kind, row);
}
std::u16string PreselectedLabel(int profile, K kind) {
  return Label(kind, PreselectedRow(profile, kind));
}

// A list in the notation of the profile table: rows in display order, runs of
// three or more ascending rows as "a-b", then ";" and the preselected row.
std::string Render(const OPTION_LIST& list) {
  if (list.nCount == 0) return "-";
  std::string text;
  for (int i = 0; i < list.nCount;) {
    int j = i;
    while (j + 1 < list.nCount && list.anRows[j + 1] == list.anRows[j] + 1) ++j;
    if (!text.empty()) text += ",";
    if (j - i >= 2) {
      text += std::to_string(list.anRows[i]) + "-" + std::to_string(list.anRows[j]);
      i = j + 1;
    } else {
      text += std::to_string(list.anRows[i++]);
    }
  }
  return text + ";" + std::to_string(list.anRows[list.nDefault]);
}

TEST(ProfileCatalogue, EveryListKeepsItsInvariants) {
  ASSERT_EQ(ProfileCount(), 33);
  int largest = 0;
  for (int p = 0; p < ProfileCount(); ++p) {
    for (K kind : kAllOptionKinds) {
      SCOPED_TRACE(testing::Message() << "profile " << p << " kind " << static_cast<int>(kind));
      const OPTION_LIST& list = OptionList(p, kind);
      ASSERT_GE(list.nCount, 0);
      ASSERT_LE(list.nCount, kMaxListRows);
      largest = std::max(largest, static_cast<int>(list.nCount));
      if (list.nCount > 0) {
        EXPECT_GE(list.nDefault, 0);
        EXPECT_LT(list.nDefault, list.nCount);
      }
      for (int i = 0; i < list.nCount; ++i) {
        EXPECT_GE(list.anRows[i], 0);
        EXPECT_LT(list.anRows[i], OptionRowCount(kind));
      }
    }
  }
  EXPECT_EQ(largest, 20);
}

TEST(ProfileCatalogue, TablesHaveTheirSizesAndWidths) {
  const int rows[] = {64, 10, 25, 53, 25, 14, 12, 3};
  const size_t widths[] = {50, 15, 15, 15, 50, 50, 15, 15};
  for (int k = 0; k < kOptionKindCount; ++k) {
    EXPECT_EQ(OptionRowCount(kAllOptionKinds[k]), rows[k]) << "kind " << k;
    EXPECT_EQ(OptionFieldWidth(kAllOptionKinds[k]), widths[k]) << "kind " << k;
  }
}

// The profile table, cell by cell; "-" is an empty list.
TEST(ProfileCatalogue, ListsMatchTheProfileTable) {
  const char* const g = "0,1,4-11;11";  // the common sample rate list
  const std::vector<std::vector<std::string>> table = {
      {"0-19;10", "0-5;4", "0-5;5", "0-8;6", "0-2;0", "0-4;0", "0-3;3", "0,1;1"},
      {"0-19;10", "0-5;4", "0-5;5", "0-8;6", "3;3", "0-4;1", "0-3;3", "0,1;1"},
      {"0-19;10", "0-5;4", "0-5;5", "0-8;6", "4-12;4", "0-4;1", "0-3;3", "0,1;1"},
      {"0-19;10", "0-5;4", "0-5;5", "0-8;6", "13,14;13", "0,5,6;5", "0-3;3", "0,1;1"},
      {"0-19;10", "0-5;4", "0-5;5", "0-8;6", "7;7", "0,2,4;2", "0-3;3", "0,1;1"},
      {"0-19;10", "0-5;4", "0-5;5", "0-7,9,8;7", "8;8", "0,2,4;2", "0-3;3", "0-2;1"},
      {"0-19;0", "0-5;4", "0,6-24;19", "0,10-18;17", "15;15", "0,7;7", g, "0,1;1"},
      {"0-19;10", "0-5;4", "0,6-24;19", "0,10-18;17", "16;16", "0,1;1", "0,4,7,3;7", "0,1;1"},
      {"0-19;10", "0-5;4", "0,11-15;14", "0-8;6", "17,18,4;18", "0,4;4", "0-3;3", "0,1;1"},
      {"0,20-36;36", "0-5;4", "0,11-15;14", "0,19-27;25", "19-21;19", "0,7;7", g, "0,1;1"},
      {"0,37-39;37", "0-5;4", "0,11-15;14", "0-8;6", "20,15;20", "0,7;7", g, "0,1;1"},
      {"0,40-44;41", "0-5;4", "0,11-15;14", "0-8;6", "20,15;20", "0,7;7", g, "0,1;1"},
      {"0,45-47;46", "0,6-9;9", "0,11-15;14", "0,28-36;32", "20,15;20", "0,7;7", g, "0,1;1"},
      {"0,45-47;45", "0,6-9;9", "0,11-15;14", "0-8;6", "20,15;20", "0,7;7", g, "0,1;1"},
      {"0,48-53;51", "0-5;4", "0,11-15;14", "0,37-43;43", "20;20", "0,7;7", "0,1,4-8;8", "0,1;1"},
      {"0,54-59;56", "0-5;4", "0,6-24;17", "0,14-25;18", "20,15;20", "0,7;7", g, "0,1;1"},
      {"0,54-59;56", "0-5;1", "0,6-24;19", "0,14-25;17", "20,13,14;20", "0,1,5,6;1", g, "0,1;1"},
      {"0,60-63;60", "0-5;4", "0,6-24;20", "0-8;6", "15;15", "0,7;7", g, "0,1;1"},
      {"0,60-63;60", "0-5;4", "0,11-15;14", "0-8;6", "20;20", "0,7;7", g, "0,1;1"},
      {"-", "-", "-", "-", "-", "-", "-", "-"},
      {"-", "-", "-", "-", "-", "-", "-", "-"},
      {"-", "-", "-", "-", "-", "-", "-", "-"},
      {"-", "-", "0,6-24;19", "-", "-", "1;1", g, "0,1;1"},
      {"-", "-", "0,6-24;19", "-", "-", "3,5;3", g, "0,1;1"},
      {"-", "-", "0,6-24;20", "-", "-", "8;8", g, "0,1;1"},
      {"-", "-", "0,6-24;20", "-", "-", "9;9", g, "0,1;1"},
      {"-", "-", "0,6-24;20", "-", "-", "7;7", g, "0,1;1"},
      {"0-19;0", "0-5;0", "0,6-24;19", "0,44,45,47,49,13-18,9,8;47", "22;22", "0,7;7", g, "0,1;1"},
      {"0-19;0", "0-5;0", "0,6-24;19", "0,46,48,50,52,13-18,9,8;50", "23;23", "0,7;7", g, "0,1;1"},
      {"0-19;0", "0-5;0", "0,6-24;19", "0,45,47,49,51,13-18,9,8;49", "24;24", "0,10;10",
       "11,8,6,5,1;11", "0,1;1"},
      {"-", "-", "-", "-", "-", "11;11", "0,1,4-11;0", "0,1;1"},
      {"-", "-", "0,6-24;19", "-", "-", "12;12", "11,8,6,5,1;11", "0,1;1"},
      {"-", "-", "0,6-24;20", "-", "-", "13;13", g, "0,1;1"},
  };
  ASSERT_EQ(table.size(), 33u);
  for (int p = 0; p < 33; ++p)
    for (int k = 0; k < kOptionKindCount; ++k)
      EXPECT_EQ(Render(OptionList(p, kAllOptionKinds[k])), table[p][k])
          << "profile " << p << " kind " << k;
}

TEST(ProfileCatalogue, DefaultIsAPositionNotARowNumber) {
  EXPECT_EQ(OptionList(5, K::VideoBitrate).nDefault, 7);   // rows 0-7, 9, 8
  EXPECT_EQ(OptionList(15, K::VideoBitrate).nDefault, 5);  // rows 0, 14-25
  EXPECT_EQ(OptionList(7, K::SampleRate).nDefault, 2);     // rows 0, 4, 7, 3
  EXPECT_EQ(PreselectedRow(19, K::Size), -1);
}

TEST(ProfileCatalogue, PreselectedRowsOftenDifferFromTheDefaultLabels) {
  EXPECT_EQ(PreselectedLabel(6, K::Size), u"Origina");
  EXPECT_EQ(PreselectedLabel(15, K::AudioBitrate), u"96");
  EXPECT_EQ(PreselectedLabel(15, K::VideoBitrate), u"1500");
  EXPECT_EQ(PreselectedLabel(17, K::Size), u"160 x 120");
  EXPECT_EQ(PreselectedLabel(18, K::Size), u"160 x 120");
  EXPECT_EQ(PreselectedLabel(16, K::FrameRate), u"15");
  EXPECT_EQ(PreselectedLabel(13, K::Size), u"480 x 320");
  for (int p : {24, 25, 26, 17}) EXPECT_EQ(PreselectedLabel(p, K::AudioBitrate), u"160") << p;
  EXPECT_EQ(PreselectedLabel(14, K::SampleRate), u"24000");
  EXPECT_EQ(PreselectedLabel(7, K::SampleRate), u"22050");
  EXPECT_EQ(PreselectedLabel(0, K::AudioCodec), u"Disable audio");
  EXPECT_EQ(Arg(K::AudioCodec, PreselectedRow(0, K::AudioCodec)), u"-an");
  EXPECT_EQ(PreselectedLabel(1, K::AudioCodec), u"MP3");
  EXPECT_EQ(PreselectedLabel(2, K::AudioCodec), u"MP3");
}

TEST(ProfileCatalogue, ProfilesAndTheirContainers) {
  EXPECT_EQ(std::u16string(Profile(0).szName), u"DivX Movie");
  EXPECT_EQ(std::u16string(Profile(9).szName), u"3GPP video");
  EXPECT_EQ(std::u16string(Profile(8).szExt), u".rm");
  // No container argument: the extension alone guides the encoder, and WMA
  // has no extension of its own.
  for (int p : {3, 25}) {
    EXPECT_EQ(std::u16string(Profile(p).szFormatArg), u"") << p;
    EXPECT_EQ(std::u16string(Profile(p).szExt), u".wmv") << p;
  }
  EXPECT_EQ(std::u16string(Profile(19).szFormatArg), u"-target dvd");
  EXPECT_EQ(std::u16string(Profile(20).szFormatArg), u"-target vcd");
  EXPECT_EQ(std::u16string(Profile(21).szFormatArg), u"-target svcd");
  EXPECT_EQ(std::u16string(Profile(26).szName), u"AAC");
  EXPECT_EQ(std::u16string(Profile(26).szExt), u".aac");
  EXPECT_EQ(std::u16string(Profile(26).szFormatArg), u"-f adts");
}

TEST(ProfileCatalogue, SpecialRows) {
  EXPECT_EQ(Label(K::Size, 0), u"Origina");
  EXPECT_EQ(Arg(K::Size, 0), u"");
  EXPECT_EQ(Label(K::Size, 2), u"128 x 96 ");
  EXPECT_EQ(Arg(K::Size, 2), u"-s 128x96 ");
  EXPECT_EQ(Label(K::Size, 20), u"128 x 96");
  EXPECT_EQ(Label(K::Size, 37), u"480x320(defualt)");
  EXPECT_EQ(Arg(K::Size, 37), u"-s 480x320");
  EXPECT_EQ(Label(K::Size, 51), u"368 x 208(Deefault)");
  EXPECT_EQ(Arg(K::Size, 51), u"-s 368x208");
  EXPECT_EQ(Label(K::Size, 46), u"320 x 240(4:3) Default");
  EXPECT_EQ(Label(K::VideoBitrate, 8), u"6000");
  EXPECT_EQ(Label(K::VideoBitrate, 9), u"2000");
  for (K kind : {K::FrameRate, K::AudioBitrate, K::VideoBitrate, K::SampleRate}) {
    EXPECT_EQ(Label(kind, 0), u"Original");
    EXPECT_EQ(Arg(kind, 0), u"");
  }
  EXPECT_EQ(Arg(K::Channels, 0), u"-ac 1");
  EXPECT_EQ(Arg(K::Channels, 2), u"-ac 6");
}

TEST(ProfileCatalogue, MendedRowsKeepTheirLabels) {
  EXPECT_EQ(Label(K::AudioCodec, 7), u"AAC (Advance Audio Coding)");
  EXPECT_EQ(Arg(K::AudioCodec, 7), u"-acodec aac");
  EXPECT_EQ(Label(K::AudioCodec, 8), u"Vorbis");
  EXPECT_EQ(Arg(K::AudioCodec, 8), u"-acodec libvorbis");
  EXPECT_EQ(Label(K::VideoCodec, 19), u"XVid");
  EXPECT_EQ(Arg(K::VideoCodec, 19), u"-vcodec mpeg4");
  EXPECT_EQ(Arg(K::VideoCodec, 3), u"-vcodec mpeg4 -vtag xvid");  // unchanged in AVI
}

// Arguments that follow from their labels: the number (for sizes, width and
// height) that begins the label, in the argument's own notation.
TEST(ProfileCatalogue, ArgumentsFollowTheirLabels) {
  auto leading = [](const std::u16string& s, size_t& at) {
    const size_t from = at;
    while (at < s.size() && s[at] >= u'0' && s[at] <= u'9') ++at;
    return s.substr(from, at - from);
  };
  struct Rule {
    K kind;
    std::u16string prefix, suffix;
  };
  for (const Rule& r : {Rule{K::AudioBitrate, u"-ab ", u"k"}, Rule{K::VideoBitrate, u"-b ", u"k"},
                        Rule{K::SampleRate, u"-ar ", u""}, Rule{K::FrameRate, u"-r ", u""}}) {
    for (int row = 1; row < OptionRowCount(r.kind); ++row) {
      const std::u16string label = Label(r.kind, row);
      size_t at = 0;
      std::u16string number = leading(label, at);
      if (r.kind == K::FrameRate) number = label;  // rates are whole labels
      // A quality row names its constant rate factor.
      if (label.rfind(u"CRF ", 0) == 0) {
        EXPECT_EQ(Arg(r.kind, row), u"-crf " + label.substr(4)) << "row " << row;
        continue;
      }
      EXPECT_EQ(Arg(r.kind, row), r.prefix + number + r.suffix)
          << "kind " << static_cast<int>(r.kind) << " row " << row;
    }
  }
  for (int row = 1; row < OptionRowCount(K::Size); ++row) {
    const std::u16string label = Label(K::Size, row);
    size_t at = 0;
    const std::u16string w = leading(label, at);
    while (at < label.size() && (label[at] == u' ' || label[at] == u'x')) ++at;
    const std::u16string h = leading(label, at);
    ASSERT_FALSE(w.empty() || h.empty()) << "size row " << row;
    const std::u16string tail = row == 2 ? u" " : u"";
    EXPECT_EQ(Arg(K::Size, row), u"-s " + w + u"x" + h + tail) << "size row " << row;
  }
}

TEST(ProfileCatalogue, NoRowAndOutOfRangeGiveEmptyText) {
  for (K kind : kAllOptionKinds) {
    EXPECT_EQ(Arg(kind, -1), u"");
    EXPECT_EQ(Label(kind, OptionRowCount(kind)), u"");
    EXPECT_NE(Label(kind, OptionRowCount(kind) - 1), u"");
  }
  EXPECT_EQ(std::u16string(Profile(-1).szName), u"");
  EXPECT_EQ(std::u16string(Profile(33).szExt), u"");
  EXPECT_EQ(OptionList(33, K::Size).nCount, 0);
}

}  // namespace
