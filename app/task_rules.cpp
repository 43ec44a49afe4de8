#include "app/task_rules.h"

TaskChoices TaskChoicesFrom(const APP_STATE& s) {
  TaskChoices c;
  c.flv = s.g_nTaskMode;
  c.g3gp = s.g_nTask3gp;
  c.avi = s.g_nTaskAvi;
  c.mp4 = s.g_nTaskMp4;
  c.psp = s.g_nTaskPsp;
  return c;
}

void StoreTaskChoices(const TaskChoices& c, APP_STATE& s) {
  s.g_nPrevTaskMode = s.g_nTaskMode;
  s.g_nTaskMode = c.flv;
  // Another task offers other profiles, so remembered option positions no longer fit.
  if (c.g3gp != s.g_nTask3gp || c.mp4 != s.g_nTaskMp4 || c.psp != s.g_nTaskPsp ||
      c.avi != s.g_nTaskAvi) {
    s.g_nPosSize = s.g_nPosFrameRate = s.g_nPosAudioBitrate = s.g_nPosVideoBitrate = 0;
    s.g_nPosVideoCodec = s.g_nPosAudioCodec = s.g_nPosSampleRate = s.g_nPosChannels = 0;
  }
  s.g_nTask3gp = c.g3gp;
  s.g_nTaskMp4 = c.mp4;
  s.g_nTaskPsp = c.psp;
  s.g_nTaskAvi = c.avi;
}
