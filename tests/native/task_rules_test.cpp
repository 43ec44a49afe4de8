// What leaving the task page stores: the five group selections, the previous
// hidden task, and the reset of the option positions on a change of task.
#include <gtest/gtest.h>

#include "app/task_rules.h"

namespace {

APP_STATE Stored() {
  APP_STATE s;
  SetDefaults(s, u"C:\\x\\Vidmorph.exe");
  s.g_nTaskMode = 1;
  s.g_nTask3gp = 0;
  s.g_nTaskMp4 = 2;
  s.g_nTaskPsp = 1;
  s.g_nTaskAvi = 0;
  s.g_nProfilePos = 6;
  s.g_bUseOriginal = 1;
  s.g_nAudioFormat = 2;
  int32_t v = 1;
  for (int32_t* p :
       {&s.g_nPosSize, &s.g_nPosFrameRate, &s.g_nPosAudioBitrate, &s.g_nPosVideoBitrate,
        &s.g_nPosVideoCodec, &s.g_nPosAudioCodec, &s.g_nPosSampleRate, &s.g_nPosChannels})
    *p = v++;
  return s;
}

std::vector<int32_t> Positions(const APP_STATE& s) {
  return {s.g_nPosSize,       s.g_nPosFrameRate,  s.g_nPosAudioBitrate, s.g_nPosVideoBitrate,
          s.g_nPosVideoCodec, s.g_nPosAudioCodec, s.g_nPosSampleRate,   s.g_nPosChannels};
}

TEST(TaskRules, ChoicesComeFromTheFiveFields) {
  const TaskChoices c = TaskChoicesFrom(Stored());
  EXPECT_EQ(c.flv, 1);
  EXPECT_EQ(c.g3gp, 0);
  EXPECT_EQ(c.mp4, 2);
  EXPECT_EQ(c.psp, 1);
  EXPECT_EQ(c.avi, 0);
}

TEST(TaskRules, UnchangedTasksKeepTheOptionPositions) {
  APP_STATE s = Stored();
  StoreTaskChoices(TaskChoicesFrom(s), s);
  EXPECT_EQ(Positions(s), Positions(Stored()));
  EXPECT_EQ(s.g_nPrevTaskMode, 1);
  EXPECT_EQ(s.g_nTaskMode, 1);
}

// Each of the four compared groups on its own resets the eight positions; the
// profile position, Use Original and the other settings stay.
TEST(TaskRules, ATaskChangeInAnyComparedGroupResetsTheEightPositions) {
  int TaskChoices::*groups[] = {&TaskChoices::g3gp, &TaskChoices::mp4, &TaskChoices::psp,
                                &TaskChoices::avi};
  for (int TaskChoices::*group : groups) {
    APP_STATE s = Stored();
    TaskChoices c = TaskChoicesFrom(s);
    c.*group = c.*group == 2 ? 1 : 2;
    StoreTaskChoices(c, s);
    EXPECT_EQ(Positions(s), std::vector<int32_t>(8, 0));
    EXPECT_EQ(TaskChoicesFrom(s).*group, c.*group);
    EXPECT_EQ(s.g_nProfilePos, 6);
    EXPECT_EQ(s.g_bUseOriginal, 1);
    EXPECT_EQ(s.g_nAudioFormat, 2);
  }
}

// The hidden first group is not compared: its change alone keeps the
// positions, but it is stored and its old value remembered.
TEST(TaskRules, TheFirstGroupIsStoredButDoesNotReset) {
  APP_STATE s = Stored();
  TaskChoices c = TaskChoicesFrom(s);
  c.flv = 2;
  StoreTaskChoices(c, s);
  EXPECT_EQ(Positions(s), Positions(Stored()));
  EXPECT_EQ(s.g_nTaskMode, 2);
  EXPECT_EQ(s.g_nPrevTaskMode, 1);
}

TEST(TaskRules, NoCheckedButtonIsStoredAsMinusOne) {
  APP_STATE s = Stored();
  TaskChoices none;  // every group without a checked button
  StoreTaskChoices(none, s);
  const TaskChoices back = TaskChoicesFrom(s);
  for (int v : {back.flv, back.g3gp, back.mp4, back.psp, back.avi}) EXPECT_EQ(v, -1);
  EXPECT_EQ(Positions(s), std::vector<int32_t>(8, 0));
}

}  // namespace
