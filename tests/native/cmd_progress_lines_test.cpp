// The progress lines over a run's model as it changes: a start and an end
// line per file, both for a file passed over at once, and the whole run's
// line only when the model has read its estimate anew.
#include <gtest/gtest.h>

#include "cmd/progress_lines.h"

namespace {

TEST(CmdProgressLines, FollowTheModelsChangesOnly) {
  const std::vector<INPUT_FILE> inputs = {InputFileOf(u"C:\\In\\a.avi"),
                                          InputFileUnder(u"C:\\In\\Trip\\b.avi", u"C:\\In\\Trip")};
  CMD_SETUP setup;
  setup.job.nProfile = 22;  // MP3
  setup.sameAsSource = false;
  setup.outputFolder = u"D:\\Out";
  ProgressLines lines(ProgressForm::Text, inputs, setup);

  RunProgress p;
  p.files.resize(2);
  p.files[0].position = 0;
  p.files[1].position = 1;
  p.estimateReads = 1;
  EXPECT_EQ(lines.Update(p),
            std::vector<std::string>{"run 0.0%, 0/2 files done, time left unknown"});
  // The same model again, estimate and all: nothing new to tell.
  EXPECT_TRUE(lines.Update(p).empty());

  p.files[0].state = FileState::Running;
  EXPECT_EQ(lines.Update(p), std::vector<std::string>{"[1/2] start C:\\In\\a.avi"});

  p.files[0].state = FileState::Done;
  p.files[0].outcome = FileOutcome::Succeeded;
  p.files[1].state = FileState::Done;
  p.files[1].outcome = FileOutcome::Skipped;
  p.done = 2;
  p.share = 1;
  p.estimateReads = 2;
  p.estimate.known = true;
  p.estimate.remaining = 0;
  EXPECT_EQ(lines.Update(p), (std::vector<std::string>{
                                 "[1/2] converted C:\\In\\a.avi -> D:\\Out\\a.avi.mp3",
                                 "[2/2] start C:\\In\\Trip\\b.avi",
                                 "[2/2] skipped C:\\In\\Trip\\b.avi",
                                 "run 100.0%, 2/2 files done, 0:00:00 left",
                             }));
  // The finished run has nothing left to estimate.
  p.finished = true;
  p.estimateReads = 3;
  EXPECT_TRUE(lines.Update(p).empty());
}

TEST(CmdProgressLines, JsonLinesNameTheFullPaths) {
  const std::vector<INPUT_FILE> inputs = {InputFileUnder(u"C:\\In\\Trip\\b.avi", u"C:\\In\\Trip")};
  CMD_SETUP setup;
  setup.job.nProfile = 22;
  setup.sameAsSource = false;
  setup.outputFolder = u"D:\\Out\\";
  ProgressLines lines(ProgressForm::Json, inputs, setup);
  RunProgress p;
  p.files.resize(1);
  p.files[0].state = FileState::Done;
  p.files[0].outcome = FileOutcome::Cancelled;
  EXPECT_EQ(
      lines.Update(p),
      (std::vector<std::string>{
          "{\"event\":\"start\",\"file\":1,\"count\":1,\"input\":\"C:\\\\In\\\\Trip\\\\b.avi\"}",
          "{\"event\":\"end\",\"file\":1,\"count\":1,\"input\":\"C:\\\\In\\\\Trip\\\\b.avi\","
          "\"output\":\"D:\\\\Out\\\\Trip\\\\b.avi.mp3\",\"outcome\":\"stopped\",\"reason\":\"\"}",
      }));
}

}  // namespace
