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

std::vector<int> Joined(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(OutputPageRules, EachTaskKeepsItsProfilesInCatalogueOrder) {
  EXPECT_EQ(ProfilesForTask(0), Joined(Range(0, 21), Range(27, 29)));
  EXPECT_EQ(ProfilesForTask(1), Joined(Range(22, 26), Range(30, 32)));
  EXPECT_EQ(ProfilesForTask(2), Range(0, 2));
  EXPECT_EQ(ProfilesForTask(3), Range(0, 32));
  EXPECT_EQ(ProfilesForTask(-1), Range(0, 32));
}

// Stored settings of the 27-profile lists: each position still picks its
// profile, the new profiles sit at the end, and a position past the list
// still falls back to the first.
TEST(OutputPageRules, StoredProfilePositionsPickTheSameProfiles) {
  struct Case {
    int task, position, profile;
  };
  for (const Case& c :
       {Case{0, 0, 0}, Case{0, 6, 6}, Case{0, 21, 21}, Case{0, 22, 27}, Case{0, 24, 29},
        Case{0, 25, 0}, Case{1, 0, 22}, Case{1, 4, 26}, Case{1, 5, 30}, Case{1, 7, 32},
        Case{1, 8, 22}, Case{2, 3, 0}, Case{3, 26, 26}, Case{3, 32, 32}, Case{3, 33, 0}}) {
    OUTPUT_SETTINGS s;
    s.g_nProfilePos = c.position;
    s.g_nPosVideoBitrate = 1;
    CONVERT_JOB job;
    ChosenJob(s, c.task, job);
    EXPECT_EQ(job.nProfile, c.profile) << "task " << c.task << " position " << c.position;
    const OPTION_LIST& list = OptionList(c.profile, OptionKind::VideoBitrate);
    EXPECT_EQ(job.nVideoBitrate, list.nCount > 1 ? list.anRows[1] : -1);
  }
}

TEST(OutputPageRules, ProfileItemsJoinNameAndExtensionWithoutABlank) {
  EXPECT_EQ(ProfileItemText(0), u"DivX Movie(.avi)");
  EXPECT_EQ(ProfileItemText(11), u"iPod Classic Video(.mp4)");
  EXPECT_EQ(ProfileItemText(25), u"WMA(.wmv)");
  std::vector<std::u16string> audio;
  for (int p : ProfilesForTask(1)) audio.push_back(ProfileItemText(p));
  EXPECT_EQ(audio, (std::vector<std::u16string>{u"MP3(.mp3)", u"WAV(.wav)", u"OGG(.ogg)",
                                                u"WMA(.wmv)", u"AAC(.aac)", u"FLAC(.flac)",
                                                u"Opus(.opus)", u"M4A(.m4a)"}));
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
