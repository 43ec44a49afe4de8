#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "profiles/output_page_rules.h"

namespace {

std::vector<int> Range(int first, int last) {
  std::vector<int> v;
  for (int i = first; i <= last; ++i) v.push_back(i);
  return v;
}

TEST(OutputPageRules, EachTaskKeepsItsProfilesInCatalogueOrder) {
  EXPECT_EQ(ProfilesForTask(0), Range(0, 21));
  EXPECT_EQ(ProfilesForTask(1), Range(22, 26));
  EXPECT_EQ(ProfilesForTask(2), Range(0, 2));
  EXPECT_EQ(ProfilesForTask(3), Range(0, 26));
  EXPECT_EQ(ProfilesForTask(-1), Range(0, 26));
}

TEST(OutputPageRules, ProfileItemsJoinNameAndExtensionWithoutABlank) {
  EXPECT_EQ(ProfileItemText(0), u"DivX Movie(.avi)");
  EXPECT_EQ(ProfileItemText(11), u"iPod Classic Video(.mp4)");
  EXPECT_EQ(ProfileItemText(25), u"WMA(.wmv)");
  std::vector<std::u16string> audio;
  for (int p : ProfilesForTask(1)) audio.push_back(ProfileItemText(p));
  EXPECT_EQ(audio, (std::vector<std::u16string>{u"MP3(.mp3)", u"WAV(.wav)", u"OGG(.ogg)",
                                                u"WMA(.wmv)", u"AAC(.aac)"}));
}

TEST(OutputPageRules, OptionItemsCarryRowNumbersInDisplayOrder) {
  // MPEG2 Video's video bitrate list has row 9 before row 8.
  const auto items = OptionItems(5, OptionKind::VideoBitrate);
  ASSERT_EQ(items.size(), 10u);
  EXPECT_EQ(items[8].row, 9);
  EXPECT_EQ(items[8].label, u"2000");
  EXPECT_EQ(items[9].row, 8);
  EXPECT_EQ(items[9].label, u"6000");
  // FLV Video's sample rates: rows 0, 4, 7, 3.
  std::vector<int> rows;
  for (const auto& item : OptionItems(7, OptionKind::SampleRate)) rows.push_back(item.row);
  EXPECT_EQ(rows, (std::vector<int>{0, 4, 7, 3}));
  EXPECT_EQ(OptionItems(7, OptionKind::SampleRate)[2].label, u"22050");
  // The size label with its trailing blank reaches the box unchanged.
  EXPECT_EQ(OptionItems(0, OptionKind::Size)[2].label, u"128 x 96 ");
  for (OptionKind kind : kAllOptionKinds) EXPECT_TRUE(OptionItems(19, kind).empty());
  EXPECT_TRUE(OptionItems(22, OptionKind::VideoCodec).empty());
  EXPECT_EQ(OptionItems(22, OptionKind::AudioCodec).size(), 1u);
}

TEST(OutputPageRules, KindsMapToTheirOwnSavedPositions) {
  OUTPUT_SETTINGS s;
  std::set<int32_t*> fields;
  for (OptionKind kind : kAllOptionKinds) fields.insert(&SavedPosition(s, kind));
  EXPECT_EQ(fields.size(), 8u);
  EXPECT_EQ(&SavedPosition(s, OptionKind::FrameRate), &s.g_nPosFrameRate);
  EXPECT_EQ(&SavedPosition(s, OptionKind::VideoBitrate), &s.g_nPosVideoBitrate);
  EXPECT_EQ(&SavedPosition(s, OptionKind::Channels), &s.g_nPosChannels);
}

TEST(OutputPageRules, AStoredProfilePositionPastTheBoxFallsBackToTheFirst) {
  EXPECT_EQ(ProfilePosition(4, 5), 4);
  EXPECT_EQ(ProfilePosition(0, 3), 0);
  EXPECT_EQ(ProfilePosition(5, 5), 0);   // video position 5 after a switch to audio
  EXPECT_EQ(ProfilePosition(21, 3), 0);  // the create task keeps three
  EXPECT_EQ(ProfilePosition(-1, 22), 0);
  EXPECT_EQ(ProfilePosition(0, 0), -1);
}

TEST(OutputPageRules, FoldersEndInOneBackslashAndEmptyMeansDriveC) {
  EXPECT_EQ(FolderWithBackslash(u"C:\\"), u"C:\\");
  EXPECT_EQ(FolderWithBackslash(u"Z:\\"), u"Z:\\");
  EXPECT_EQ(FolderWithBackslash(u"D:\\Out"), u"D:\\Out\\");
  EXPECT_EQ(FolderWithBackslash(u"\\\\server\\share"), u"\\\\server\\share\\");
  EXPECT_EQ(StoredFolder(u""), u"C:\\");
  EXPECT_EQ(StoredFolder(u"D:\\Out\\"), u"D:\\Out\\");
}

}  // namespace
