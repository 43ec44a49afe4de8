#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "convert/batch_run.h"
#include "tests/native/batch_fixtures.h"

namespace {

// Records what the run asked of the program around it.
class FakeHost : public BatchHost {
 public:
  std::vector<std::u16string> paths;                        // the input list the run gets
  std::set<std::u16string> existing;                        // besides the inputs
  std::set<std::u16string> gone;                            // inputs that are no longer there
  std::map<std::u16string, std::u16string> folderFailures;  // folder, reason
  bool answerYes = false;
  std::map<int, FileVerdict> verdicts;  // by the encoder run's number, default success
  int failStartAt = 0;                  // the encoder run that cannot start; 0 for none
  std::vector<std::string> calls;
  std::vector<std::u16string> logged, asked, deleted, commands, written, created;
  std::vector<std::pair<int, int>> shown, done;

  bool FileExists(const std::u16string& p) override {
    const bool input = std::find(paths.begin(), paths.end(), p) != paths.end();
    return existing.count(p) > 0 || (input && gone.count(p) == 0);
  }
  bool AskOverwrite(const std::u16string& q) override {
    asked.push_back(q);
    return answerYes;
  }
  void DeleteFile(const std::u16string& p) override {
    deleted.push_back(p);
    existing.erase(p);
  }
  std::u16string CreateFolders(const std::u16string& folder) override {
    calls.push_back("create");
    created.push_back(folder);
    auto it = folderFailures.find(folder);
    return it == folderFailures.end() ? std::u16string() : it->second;
  }
  void Log(const std::u16string& t) override { logged.push_back(t); }
  void ShowFile(const std::u16string&, int position, int count) override {
    shown.emplace_back(position, count);
  }
  void FileDone(int position, int count) override { done.emplace_back(position, count); }
  bool StartEncoder(const std::u16string& cmd) override {
    calls.push_back("encode");
    commands.push_back(cmd);
    return int(commands.size()) != failStartAt;
  }
  // The encoder writes its output whatever the verdict, as a real one may.
  FileVerdict FinishEncoder(const std::u16string& output) override {
    existing.insert(output);
    written.push_back(output);
    auto it = verdicts.find(int(commands.size()));
    if (it != verdicts.end()) return it->second;
    FileVerdict ok;
    ok.outcome = FileOutcome::Succeeded;
    return ok;
  }
};

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
  host.verdicts[2] = Verdict(FileOutcome::Failed, FailReason::ExitCode);
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(RunBatch(host, Inputs(host.paths), Settings(), job, r), BatchEnd::Finished);
  EXPECT_EQ(r.succeeded, 2);
  EXPECT_EQ(r.outputFiles.size(), 2u);
  ASSERT_EQ(r.files.size(), 3u);
  EXPECT_EQ(r.files[1].input, u"C:\\v\\b.avi");
  EXPECT_EQ(r.files[1].output, u"D:\\out\\b.avi.mp3");
  EXPECT_EQ(r.files[1].verdict.outcome, FileOutcome::Failed);
  EXPECT_EQ(r.files[1].verdict.reason, FailReason::ExitCode);
  EXPECT_EQ(r.files[2].verdict.outcome, FileOutcome::Succeeded);
}

TEST(BatchRun, CancelInTheThirdFileZeroesSuccessesButKeepsThePaths) {
  FakeHost host;
  host.paths = {u"C:\\v\\a.avi", u"C:\\v\\b.avi", u"C:\\v\\c.avi", u"C:\\v\\d.avi"};
  host.verdicts[3] = Verdict(FileOutcome::Cancelled);
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
  host.failStartAt = 2;
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(RunBatch(host, Inputs(host.paths), Settings(), job, r), BatchEnd::StartFailed);
  EXPECT_EQ(r.succeeded, 1);
  EXPECT_EQ(host.commands.size(), 2u);
  // The labels name only a file whose encoder runs.
  EXPECT_EQ(host.shown, (std::vector<std::pair<int, int>>{{1, 3}}));
  ASSERT_EQ(r.files.size(), 2u);
  EXPECT_EQ(r.files[1].verdict.outcome, FileOutcome::StartFailed);

  FakeHost none;
  BatchResults r2;
  EXPECT_EQ(RunBatch(none, Inputs(none.paths), Settings(), job, r2), BatchEnd::Finished);
  EXPECT_EQ(r2.succeeded, 0);
}

TEST(BatchRun, AnOutputIsNeverWrittenOverAnInputOfTheRun) {
  FakeHost host;
  // The user's own a.avi.mp3 is the output of a.avi, whichever comes first.
  host.paths = {u"C:\\v\\a.avi", u"C:\\v\\A.AVI.mp3", u"C:\\v\\b.avi", u"C:/v/b.avi.MP3"};
  for (bool overwrite : {true, false}) {
    host.existing = {host.paths.begin(), host.paths.end()};
    host.asked.clear();
    host.commands.clear();
    host.logged.clear();
    BatchSettings s = Settings();
    s.sameAsSource = true;
    s.overwrite = overwrite;
    CONVERT_JOB job = Mp3Job();
    BatchResults r;
    EXPECT_EQ(RunBatch(host, Inputs(host.paths), s, job, r), BatchEnd::Finished);
    EXPECT_EQ(r.succeeded, 2);
    EXPECT_EQ(r.outputFiles,
              (std::vector<std::u16string>{u"C:\\v\\A.AVI.mp3.mp3", u"C:/v/b.avi.MP3.mp3"}));
    ASSERT_EQ(r.files.size(), 4u);
    for (size_t i : {0u, 2u}) {
      EXPECT_EQ(r.files[i].verdict.outcome, FileOutcome::Failed);
      EXPECT_EQ(r.files[i].verdict.reason, FailReason::OutputIsAnInput);
    }
    // No question, no deletion, no encoder for either; the log tells why.
    EXPECT_TRUE(host.asked.empty());
    EXPECT_TRUE(host.deleted.empty());
    EXPECT_EQ(host.commands.size(), 2u);
    ASSERT_EQ(host.logged.size(), 6u);
    EXPECT_EQ(host.logged[1],
              u"Not converted: the output C:\\v\\a.avi.mp3 is an input file of this run.");
    EXPECT_EQ(host.shown.back(), std::make_pair(4, 4));
  }
}

TEST(BatchRun, AFailedFileLeavesNoOutputTheRunCreated) {
  FakeHost host;
  host.paths = {u"C:\\v\\a.avi", u"C:\\v\\b.avi", u"C:\\v\\c.avi"};
  host.existing = {u"D:\\out\\c.avi.mp3"};  // the user's, found there before the run
  host.verdicts[1] = Verdict(FileOutcome::Failed, FailReason::FatalLine);
  host.verdicts[3] = Verdict(FileOutcome::Failed, FailReason::FatalLine);
  BatchSettings s = Settings();
  s.overwrite = true;
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(RunBatch(host, Inputs(host.paths), s, job, r), BatchEnd::Finished);
  // With overwriting on, the user's c.avi.mp3 was given up: a failed encoder's
  // half-written replacement goes as well.
  EXPECT_EQ(host.deleted,
            (std::vector<std::u16string>{u"D:\\out\\a.avi.mp3", u"D:\\out\\c.avi.mp3"}));
  EXPECT_EQ(host.existing, (std::set<std::u16string>{u"D:\\out\\b.avi.mp3"}));
  EXPECT_EQ(r.succeeded, 1);

  // Answered Yes, the old file is gone before the encoder starts: its failed output goes too.
  FakeHost asked;
  asked.paths = {u"C:\\v\\c.avi"};
  asked.existing = {u"D:\\out\\c.avi.mp3"};
  asked.answerYes = true;
  asked.verdicts[1] = Verdict(FileOutcome::Failed, FailReason::NoOutput);
  BatchResults r2;
  RunBatch(asked, Inputs(asked.paths), Settings(), job, r2);
  EXPECT_TRUE(asked.existing.empty());
}

TEST(BatchRun, ACancelledFileLeavesNothingHalfMade) {
  FakeHost host;
  host.paths = {u"C:\\v\\a.avi", u"C:\\v\\b.avi", u"C:\\v\\c.avi"};
  host.verdicts[2] = Verdict(FileOutcome::Cancelled);
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(RunBatch(host, Inputs(host.paths), Settings(), job, r), BatchEnd::Cancelled);
  EXPECT_EQ(host.deleted, std::vector<std::u16string>{u"D:\\out\\b.avi.mp3"});
  EXPECT_EQ(host.existing, std::set<std::u16string>{u"D:\\out\\a.avi.mp3"});
  // Only the finished file counts as done.
  EXPECT_EQ(host.done, (std::vector<std::pair<int, int>>{{1, 3}}));
}

TEST(BatchRun, ARunOverSomePositionsKeepsTheWholeListAsInputs) {
  FakeHost host;
  host.paths = {u"C:\\v\\a.avi", u"C:\\v\\b.avi", u"C:\\v\\b.avi.mp3", u"C:\\v\\d.avi"};
  BatchSettings s = Settings();
  s.sameAsSource = true;
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  // b's output is an input the retry does not run: still refused.
  EXPECT_EQ(RunBatchAt(host, Inputs(host.paths), {1, 3, 7}, s, job, r), BatchEnd::Finished);
  ASSERT_EQ(r.files.size(), 2u);
  EXPECT_EQ(r.files[0].position, 1u);
  EXPECT_EQ(r.files[0].verdict.reason, FailReason::OutputIsAnInput);
  EXPECT_EQ(r.files[1].position, 3u);
  EXPECT_EQ(r.files[1].verdict.outcome, FileOutcome::Succeeded);
  EXPECT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.shown, (std::vector<std::pair<int, int>>{{2, 3}}));
  EXPECT_EQ(host.done, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}}));
}

TEST(BatchRun, SamePathFoldsCaseAndSlashesOnly) {
  EXPECT_TRUE(SamePath(u"C:\\Video\\a.AVI", u"c:/video/A.avi"));
  EXPECT_FALSE(SamePath(u"C:\\Video\\a.avi", u"C:\\Video\\a.avi "));
  EXPECT_FALSE(SamePath(u"C:\\Video\\a.avi", u"C:\\Video\\b.avi"));
  EXPECT_FALSE(SamePath(u"C:\\V\\\u00e9.avi", u"C:\\V\\e.avi"));
}

TEST(BatchRun, AFileFromAFolderKeepsItsPlaceAndItsFolderIsMadeJustBeforeItsEncoder) {
  FakeHost host;
  const std::u16string root = u"C:\\Videos\\Holiday";
  host.paths = {root + u"\\Day 1\\clip.avi", root + u"\\Day 2\\clip.avi", u"C:\\v\\a.avi"};
  std::vector<INPUT_FILE> inputs = {InputFileUnder(host.paths[0], root),
                                    InputFileUnder(host.paths[1], root),
                                    InputFileOf(host.paths[2])};
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(RunBatch(host, inputs, Settings(), job, r), BatchEnd::Finished);
  EXPECT_EQ(r.outputFiles, (std::vector<std::u16string>{u"D:\\out\\Holiday\\Day 1\\clip.avi.mp3",
                                                        u"D:\\out\\Holiday\\Day 2\\clip.avi.mp3",
                                                        u"D:\\out\\a.avi.mp3"}));
  // The output folder itself and a lone file's folder are never created.
  EXPECT_EQ(host.created, (std::vector<std::u16string>{u"D:\\out\\Holiday\\Day 1\\",
                                                       u"D:\\out\\Holiday\\Day 2\\"}));
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"create", "encode", "create", "encode", "encode"}));
}

TEST(BatchRun, AFolderThatCannotBeMadeFailsOnlyItsFile) {
  FakeHost host;
  const std::u16string root = u"C:\\Videos\\Holiday";
  host.paths = {root + u"\\Day 1\\a.avi", root + u"\\Day 2\\b.avi"};
  host.folderFailures[u"D:\\out\\Holiday\\Day 1\\"] = u"Access denied.";
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(
      RunBatch(host, {InputFileUnder(host.paths[0], root), InputFileUnder(host.paths[1], root)},
               Settings(), job, r),
      BatchEnd::Finished);
  EXPECT_EQ(r.succeeded, 1);
  EXPECT_EQ(host.commands.size(), 1u);
  ASSERT_EQ(host.logged.size(), 3u);
  EXPECT_EQ(
      host.logged[1],
      u"Not converted: the folder D:\\out\\Holiday\\Day 1\\ cannot be created: Access denied.");
  EXPECT_EQ(host.shown, (std::vector<std::pair<int, int>>{{2, 2}}));
  // It counts as failed, with its reason kept for the results.
  ASSERT_EQ(r.files.size(), 2u);
  EXPECT_EQ(r.files[0].verdict.outcome, FileOutcome::Failed);
  EXPECT_EQ(r.files[0].verdict.reason, FailReason::FolderNotCreated);
  EXPECT_EQ(r.files[0].verdict.tellingLine, u"Access denied.");
  EXPECT_EQ(r.files[1].verdict.outcome, FileOutcome::Succeeded);
  // Every file is done once, passed over or converted.
  EXPECT_EQ(host.done, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
}

TEST(BatchRun, AnInputThatIsGoneOrAnOutputThatCannotBeNamedIsLoggedAndPassedOver) {
  FakeHost host;
  const std::u16string longName = std::u16string(252, u'n') + u".avi";  // .mp3 makes 260
  host.paths = {u"C:\\v\\gone.avi", u"C:\\v\\" + longName, u"C:\\v\\ok.avi"};
  host.gone = {u"C:\\v\\gone.avi"};
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  EXPECT_EQ(RunBatch(host, Inputs(host.paths), Settings(), job, r), BatchEnd::Finished);
  EXPECT_EQ(r.outputFiles, std::vector<std::u16string>{u"D:\\out\\ok.avi.mp3"});
  ASSERT_EQ(host.logged.size(), 5u);
  EXPECT_EQ(host.logged[1], u"Not converted: the input C:\\v\\gone.avi is no longer there.");
  EXPECT_EQ(host.logged[3], u"Not converted: a name in the output D:\\out\\" + longName +
                                u".mp3 is longer than 255 characters.");
  EXPECT_EQ(host.commands.size(), 1u);
  ASSERT_EQ(r.files.size(), 3u);
  EXPECT_EQ(r.files[0].verdict.reason, FailReason::InputGone);
  EXPECT_EQ(r.files[1].verdict.reason, FailReason::PathTooLong);
  EXPECT_EQ(r.files[1].verdict.outcome, FileOutcome::Failed);
  EXPECT_EQ(host.done, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
}

TEST(BatchRun, LongPathsReachTheEncoderInTheirExtendedForm) {
  FakeHost host;
  const std::u16string folder = u"C:\\" + std::u16string(250, u'f') + u"\\";
  host.paths = {folder + u"a.avi", u"C:\\v\\b.avi"};
  BatchSettings s = Settings();
  s.outputFolder = folder;
  CONVERT_JOB job = Mp3Job();
  BatchResults r;
  RunBatch(host, Inputs(host.paths), s, job, r);
  ASSERT_EQ(host.commands.size(), 2u);
  EXPECT_EQ(host.commands[0].substr(0, 31), u"\"C:\\App\\ffmpeg.exe\" -i \"\\\\?\\C:\\");
  EXPECT_NE(host.commands[0].find(u"\"\\\\?\\" + folder + u"a.avi.mp3\""), std::u16string::npos);
  // The run's results keep the plain form the user knows.
  EXPECT_EQ(r.outputFiles.front(), folder + u"a.avi.mp3");
  // A short path is written as it always was.
  EXPECT_EQ(host.commands[1].substr(0, 45),
            u"\"C:\\App\\ffmpeg.exe\" -i \"C:\\v\\b.avi\" -y -f mp3");
}

}  // namespace
