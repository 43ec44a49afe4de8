#include <gtest/gtest.h>

#include <map>
#include <set>

#include "convert/batch_run.h"

namespace {

// Records what the run asked of the program around it.
class FakeHost : public BatchHost {
 public:
  std::vector<std::u16string> paths;  // the input list the run gets
  std::set<std::u16string> existing;
  bool answerYes = false;
  std::map<int, FileOutcome> outcomes;  // by the encoder run's number, default success
  std::vector<std::string> calls;
  std::vector<std::u16string> logged, asked, deleted, commands;
  std::vector<std::pair<int, int>> shown;

  bool FileExists(const std::u16string& p) override { return existing.count(p) > 0; }
  bool AskOverwrite(const std::u16string& q) override {
    asked.push_back(q);
    return answerYes;
  }
  void DeleteFile(const std::u16string& p) override { deleted.push_back(p); }
  void Log(const std::u16string& t) override { logged.push_back(t); }
  void ShowFile(const std::u16string&, int position, int count) override {
    shown.emplace_back(position, count);
  }
  FileOutcome RunEncoder(const std::u16string& cmd, const std::u16string&) override {
    commands.push_back(cmd);
    auto it = outcomes.find(int(commands.size()));
    return it == outcomes.end() ? FileOutcome::Succeeded : it->second;
  }
};

std::vector<INPUT_FILE> Inputs(const std::vector<std::u16string>& paths) {
  std::vector<INPUT_FILE> inputs;
  for (const auto& p : paths) inputs.push_back(InputFileOf(p));
  return inputs;
}

CONVERT_JOB Mp3Job() {
  CONVERT_JOB job;
  job.nProfile = 22;  // MP3
  job.nSize = job.nFrameRate = job.nVideoBitrate = job.nVideoCodec = -1;
  job.nAudioBitrate = 19;
  job.nAudioCodec = 1;
  job.nSampleRate = 11;
  job.nChannels = 1;
  return job;
}

BatchSettings Settings() {
  BatchSettings s;
  s.outputFolder = u"D:\\out\\";
  s.appDir = u"C:\\App\\";
  return s;
}

TEST(BatchRun, ConvertsEveryFileIntoTheFolder) {
  FakeHost host;
  host.paths = {u"C:\\v\\a.avi", u"C:\\v\\b.flv"};
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(RunBatch(host, Inputs(host.paths), Settings(), job, r), BatchEnd::Finished);
  EXPECT_EQ(r.succeeded, 2);
  EXPECT_EQ(r.outputFiles,
            (std::vector<std::u16string>{u"D:\\out\\a.avi.mp3", u"D:\\out\\b.flv.mp3"}));
  ASSERT_EQ(host.logged.size(), 2u);
  EXPECT_EQ(host.logged[0], host.commands[0]);
  EXPECT_EQ(host.logged[0].substr(0, 45), u"\"C:\\App\\ffmpeg.exe\" -i \"C:\\v\\a.avi\" -y -f mp3");
  EXPECT_EQ(host.shown, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
  EXPECT_EQ(job.strOutput, u"D:\\out\\b.flv.mp3");
}

TEST(BatchRun, SameAsSourceWritesBesideTheInput) {
  FakeHost host;
  host.paths = {u"C:\\v\\clip.flv"};
  BatchSettings s = Settings();
  s.sameAsSource = true;
  CONVERT_JOB job = Mp3Job();
  job.nProfile = 6;  // .mp4
  BatchResults r;
  RunBatch(host, Inputs(host.paths), s, job, r);
  EXPECT_EQ(r.outputFiles, std::vector<std::u16string>{u"C:\\v\\clip.flv.mp4"});
}

TEST(BatchRun, ExistingOutputAnsweredNoIsSkippedEntirely) {
  FakeHost host;
  host.paths = {u"C:\\v\\a.avi", u"C:\\v\\b.avi", u"C:\\v\\c.avi"};
  host.existing = {u"D:\\out\\b.avi.mp3"};
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(RunBatch(host, Inputs(host.paths), Settings(), job, r), BatchEnd::Finished);
  EXPECT_EQ(host.asked, std::vector<std::u16string>{
                            u"The file: D:\\out\\b.avi.mp3 have exist. writeover it? "});
  EXPECT_EQ(host.commands.size(), 2u);
  EXPECT_EQ(host.logged.size(), 3u);  // the skipped file logs its command line only
  EXPECT_EQ(host.shown, (std::vector<std::pair<int, int>>{{1, 3}, {3, 3}}));
  EXPECT_TRUE(host.deleted.empty());
  EXPECT_EQ(r.succeeded, 2);
}

TEST(BatchRun, YesDeletesAndOverwriteAsksNothing) {
  FakeHost host;
  host.paths = {u"C:\\v\\a.avi"};
  host.existing = {u"D:\\out\\a.avi.mp3"};
  host.answerYes = true;
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  RunBatch(host, Inputs(host.paths), Settings(), job, r);
  EXPECT_EQ(host.deleted, std::vector<std::u16string>{u"D:\\out\\a.avi.mp3"});
  EXPECT_EQ(r.succeeded, 1);

  FakeHost quiet;
  quiet.paths = host.paths;
  quiet.existing = host.existing;
  BatchSettings s = Settings();
  s.overwrite = true;
  BatchResults r2;
  RunBatch(quiet, Inputs(quiet.paths), s, job, r2);
  EXPECT_TRUE(quiet.asked.empty());
  EXPECT_TRUE(quiet.deleted.empty());
  EXPECT_EQ(quiet.commands.size(), 1u);
}

TEST(BatchRun, FailuresAreNotCountedAndTheRunGoesOn) {
  FakeHost host;
  host.paths = {u"C:\\v\\a.avi", u"C:\\v\\b.avi", u"C:\\v\\c.avi"};
  host.outcomes[2] = FileOutcome::Failed;
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(RunBatch(host, Inputs(host.paths), Settings(), job, r), BatchEnd::Finished);
  EXPECT_EQ(r.succeeded, 2);
  EXPECT_EQ(r.outputFiles.size(), 2u);
}

TEST(BatchRun, CancelInTheThirdFileZeroesSuccessesButKeepsThePaths) {
  FakeHost host;
  host.paths = {u"C:\\v\\a.avi", u"C:\\v\\b.avi", u"C:\\v\\c.avi", u"C:\\v\\d.avi"};
  host.outcomes[3] = FileOutcome::Cancelled;
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(RunBatch(host, Inputs(host.paths), Settings(), job, r), BatchEnd::Cancelled);
  EXPECT_EQ(r.succeeded, 0);
  EXPECT_EQ(r.outputFiles.size(), 2u);
  EXPECT_EQ(host.commands.size(), 3u);
}

TEST(BatchRun, StartFailureEndsTheRunAndKeepsEarlierResults) {
  FakeHost host;
  host.paths = {u"C:\\v\\a.avi", u"C:\\v\\b.avi", u"C:\\v\\c.avi"};
  host.outcomes[2] = FileOutcome::StartFailed;
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(RunBatch(host, Inputs(host.paths), Settings(), job, r), BatchEnd::StartFailed);
  EXPECT_EQ(r.succeeded, 1);
  EXPECT_EQ(host.commands.size(), 2u);

  FakeHost none;
  BatchResults r2;
  EXPECT_EQ(RunBatch(none, Inputs(none.paths), Settings(), job, r2), BatchEnd::Finished);
  EXPECT_EQ(r2.succeeded, 0);
}

}  // namespace
