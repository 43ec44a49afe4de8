#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "convert/run_engine.h"
#include "convert/run_journal.h"
#include "convert/run_outcomes.h"
#include "tests/native/batch_fixtures.h"

namespace {

std::string Narrow(const std::u16string& s) {
  return std::string(s.begin(), s.end());
}

// The system around a run, traced. Encoders end in the order the test
// chooses, each printing a line and writing its output; the clock moves only
// as the test says.
class TracingHost : public ScheduleHost, public RunSink {
 public:
  std::vector<std::u16string> inputs;  // there unless gone; set by Run
  std::set<std::u16string> existing;   // besides the inputs
  std::set<std::u16string> gone;
  std::map<std::u16string, std::u16string> folderFailures;  // folder, reason
  std::u16string moveFailure;                               // the system's reason, if any
  std::map<std::u16string, int> madeBy;                     // output, the file that wrote it
  bool answerYes = false;
  std::map<int, FileVerdict> verdicts;  // by file; success when missing
  std::vector<int> endOrder;  // the first of these still running ends next, else the oldest
  int failStartOf = -1;       // the file whose encoder cannot start
  // What a file's encoder tells as it starts: a percentage, then silence
  // polled eight times a second for `silentSeconds`.
  std::map<int, int> percentAtStart;
  double silentSeconds = 0;
  bool cancel = false;  // the user's
  double clock = 100;
  std::map<std::u16string, InputDetails> details;  // what was found of inputs; none unless set

  std::vector<std::string> trace;  // "start 2", "end 1", "ask D:\o\b.avi.mp3 (1 running)",
                                   // "delete D:\o\x", "create D:\o\f\", "end all"
  std::vector<std::u16string> commands;
  std::vector<std::u16string> logged;  // the entries without their time
  std::vector<RunProgress> told;
  std::vector<double> toldAt;
  int cancelsSeen = 0;      // polls that found the user's cancel
  std::vector<int> counts;  // "i" of "i/N" each time it changed
  size_t mostRunning = 0;
  int overlaps = 0;  // starts into an output another running encoder writes

  // Names compare as Windows compares them.
  bool FileExists(const std::u16string& p) override {
    auto same = [&](const std::u16string& e) { return SamePath(e, p); };
    if (std::any_of(inputs.begin(), inputs.end(), same)) return gone.count(p) == 0;
    return std::any_of(existing.begin(), existing.end(), same);
  }
  bool FileSize(const std::u16string& p, unsigned long long& size) override {
    size = p.size() * 1000;
    return FileExists(p);
  }
  bool AskOverwrite(const std::u16string& q) override {
    const size_t from = q.find(u"The file: ") + 10, to = q.find(u" have exist. writeover it? ");
    trace.push_back("ask " + Narrow(q.substr(from, to - from)) + " (" +
                    std::to_string(m_running.size()) + " running)");
    return answerYes;
  }
  void DeleteFile(const std::u16string& p) override {
    trace.push_back("delete " + Narrow(p));
    Forget(p);
  }
  std::u16string MoveOver(const std::u16string& from, const std::u16string& to) override {
    trace.push_back("move " + Narrow(from) + " over " + Narrow(to));
    if (!moveFailure.empty()) return moveFailure;
    const int maker = madeBy[from];
    Forget(from);
    Forget(to);
    existing.insert(to);
    madeBy[to] = maker;
    return std::u16string();
  }
  std::u16string CreateFolders(const std::u16string& folder) override {
    trace.push_back("create " + Narrow(folder));
    auto it = folderFailures.find(folder);
    return it == folderFailures.end() ? std::u16string() : it->second;
  }
  bool StartEncoder(int file, const std::u16string& commandLine, const std::u16string& output,
                    EncoderEvents& events) override {
    trace.push_back("start " + std::to_string(file));
    commands.push_back(commandLine);
    if (file == failStartOf) return false;
    for (const Running& r : m_running)
      if (SamePath(r.output, output)) ++overlaps;
    m_running.push_back({file, output, &events});
    mostRunning = std::max(mostRunning, m_running.size());
    if (percentAtStart.count(file)) events.Percent(file, percentAtStart[file]);
    for (int i = 0; i < int(silentSeconds * 8); ++i) {
      clock += 0.125;
      if (events.CancelRequested()) ++cancelsSeen;
    }
    return true;
  }
  EncoderEnd WaitForEncoder() override {
    EXPECT_FALSE(m_running.empty());
    auto ending = m_running.begin();
    for (int file : endOrder) {
      auto it = std::find_if(m_running.begin(), m_running.end(),
                             [&](const Running& r) { return r.file == file; });
      if (it != m_running.end()) {
        ending = it;
        break;
      }
    }
    const Running r = *ending;
    m_running.erase(ending);
    EncoderEnd end;
    end.file = r.file;
    existing.insert(r.output);
    madeBy[r.output] = r.file;
    auto it = verdicts.find(end.file);
    end.verdict = it != verdicts.end() ? it->second : Verdict(FileOutcome::Succeeded);
    if (m_endedAll) end.verdict = Verdict(FileOutcome::Cancelled);
    trace.push_back("end " + std::to_string(end.file));
    r.events->Printed(r.file, u"encoded " + r.output);
    r.events->Ended(end);
    return end;
  }
  void EndEncoders() override {
    trace.push_back("end all");
    m_endedAll = true;
  }
  InputDetails InputNow(const std::u16string& p) override {
    if (!details.empty()) trace.push_back("look " + Narrow(p));
    return InputKnown(p);
  }
  InputDetails InputKnown(const std::u16string& p) override {
    auto it = details.find(p);
    return it == details.end() ? InputDetails() : it->second;
  }
  double Seconds() override { return clock; }
  WallTime Now() override {
    WallTime t;
    t.hour = 10;
    t.minute = int(clock) / 60 % 60;
    t.second = int(clock) % 60;
    return t;
  }

  void Progress(const RunProgress& progress) override {
    if (progress.countShown != (told.empty() ? 0 : told.back().countShown))
      counts.push_back(progress.countShown);
    told.push_back(progress);
    toldAt.push_back(clock);
  }
  void Logged(const std::vector<std::u16string>& entries) override {
    for (const std::u16string& e : entries) logged.push_back(e.substr(9));
  }
  bool CancelRequested() override { return cancel; }

 private:
  void Forget(const std::u16string& p) {
    for (auto it = existing.begin(); it != existing.end();)
      it = SamePath(*it, p) ? existing.erase(it) : std::next(it);
    for (auto it = madeBy.begin(); it != madeBy.end();)
      it = SamePath(it->first, p) ? madeBy.erase(it) : std::next(it);
  }
  struct Running {
    int file;
    std::u16string output;
    EncoderEvents* events;
  };
  std::vector<Running> m_running;
  bool m_endedAll = false;
};

BatchSettings Settings() {
  BatchSettings s;
  s.outputFolder = u"D:\\o\\";
  s.appDir = u"C:\\A\\";
  return s;
}

RunReport Convert(TracingHost& host, const std::vector<INPUT_FILE>& inputs, int simultaneous = 1,
                  BatchSettings settings = Settings(), std::vector<size_t> positions = {},
                  RunReport earlier = RunReport()) {
  RunRequest request;
  request.inputs = inputs;
  request.positions = positions.empty() ? AllPositions(inputs.size()) : positions;
  request.settings = settings;
  request.job = Mp3Job();
  request.simultaneous = simultaneous;
  request.earlier = earlier;
  for (const INPUT_FILE& input : inputs) host.inputs.push_back(input.strPath);
  RunEngine engine(host, host);
  return engine.Run(request);
}

RunReport Convert(TracingHost& host, const std::vector<std::u16string>& paths, int simultaneous = 1,
                  BatchSettings settings = Settings()) {
  return Convert(host, Inputs(paths), simultaneous, settings);
}

std::vector<std::u16string> Clips(int n) {
  std::vector<std::u16string> paths;
  for (int i = 0; i < n; ++i)
    paths.push_back(u"C:\\v\\" + std::u16string(1, char16_t(u'a' + i)) + u".avi");
  return paths;
}

std::vector<std::string> Outcomes(const RunReport& r) {
  std::vector<std::string> out;
  for (const FileRecord& f : r.files) {
    const FileOutcome o = f.verdict.outcome;
    out.push_back(Narrow(f.input.substr(5)) + (o == FileOutcome::Succeeded   ? " ok"
                                               : o == FileOutcome::Failed    ? " failed"
                                               : o == FileOutcome::Skipped   ? " skipped"
                                               : o == FileOutcome::Cancelled ? " cancelled"
                                                                             : " not started"));
  }
  return out;
}

std::vector<std::u16string> Converted(const RunReport& r) {
  std::vector<std::u16string> outputs;
  for (const FileRecord& f : r.files)
    if (f.verdict.outcome == FileOutcome::Succeeded) outputs.push_back(f.output);
  return outputs;
}

// The log without the command lines, which say the same as the files' names.
std::vector<std::string> Notes(const TracingHost& host) {
  std::vector<std::string> notes;
  for (const std::u16string& e : host.logged)
    notes.push_back(e[0] == u'"' ? "command " + Narrow(e.substr(e.find(u"-i \"") + 4, 10))
                                 : Narrow(e));
  return notes;
}

using Lines = std::vector<std::string>;

TEST(RunEngine, KeepsNBusyStartingInRunOrderWithOutcomesAndLogInInputOrder) {
  TracingHost host;
  host.endOrder = {1, 0, 3, 2, 4};
  host.verdicts[1] = Verdict(FileOutcome::Failed, FailReason::ExitCode);
  const RunReport run = Convert(host, Clips(5), 2);
  EXPECT_EQ(run.end, BatchEnd::Finished);
  EXPECT_EQ(host.trace, (Lines{"start 0", "start 1", "end 1", "delete D:\\o\\b.avi.mp3", "start 2",
                               "end 0", "start 3", "end 3", "start 4", "end 2", "end 4"}));
  EXPECT_EQ(host.mostRunning, 2u);
  // Each file's entries stay together and in input order, whichever encoder ends first.
  EXPECT_EQ(Notes(host),
            (Lines{"command C:\\v\\a.avi", "encoded D:\\o\\a.avi.mp3", "command C:\\v\\b.avi",
                   "encoded D:\\o\\b.avi.mp3", "command C:\\v\\c.avi", "encoded D:\\o\\c.avi.mp3",
                   "command C:\\v\\d.avi", "encoded D:\\o\\d.avi.mp3", "command C:\\v\\e.avi",
                   "encoded D:\\o\\e.avi.mp3"}));
  EXPECT_EQ(run.log.size(), host.logged.size());
  EXPECT_EQ(run.log[1], u"10:01:40 encoded D:\\o\\a.avi.mp3");
  EXPECT_EQ(Outcomes(run), (Lines{"a.avi ok", "b.avi failed", "c.avi ok", "d.avi ok", "e.avi ok"}));
  EXPECT_EQ(run.files[1].verdict.reason, FailReason::ExitCode);
  EXPECT_EQ(Converted(run),
            (std::vector<std::u16string>{u"D:\\o\\a.avi.mp3", u"D:\\o\\c.avi.mp3",
                                         u"D:\\o\\d.avi.mp3", u"D:\\o\\e.avi.mp3"}));
  EXPECT_EQ(run.Succeeded(), 4);
  // With several encoders "i/N" counts the files done.
  EXPECT_EQ(host.counts, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_TRUE(host.told.back().finished);
  EXPECT_TRUE(host.told.back().failed);
}

TEST(RunEngine, MoreEncodersThanFilesStartsThemAllAndLessThanOneMeansOne) {
  TracingHost many;
  many.endOrder = {2, 1, 0};
  const RunReport all = Convert(many, Clips(3), 8);
  EXPECT_EQ(many.trace, (Lines{"start 0", "start 1", "start 2", "end 2", "end 1", "end 0"}));
  EXPECT_EQ(Outcomes(all), (Lines{"a.avi ok", "b.avi ok", "c.avi ok"}));

  for (int n : {0, -3}) {
    TracingHost one;
    Convert(one, Clips(3), n);
    EXPECT_EQ(one.trace, (Lines{"start 0", "end 0", "start 1", "end 1", "start 2", "end 2"}));
    // With one encoder "i/N" is the file shown.
    EXPECT_EQ(one.counts, (std::vector<int>{1, 2, 3}));
  }
}

TEST(RunEngine, OverwriteQuestionsComeOneAtATimeWhileOthersRun) {
  TracingHost host;
  host.existing = {u"D:\\o\\b.avi.mp3", u"D:\\o\\c.avi.mp3", u"D:\\o\\d.avi.mp3"};
  host.answerYes = true;
  host.endOrder = {0, 1, 2, 3};
  Convert(host, Clips(4), 2);
  EXPECT_EQ(host.trace, (Lines{"start 0", "ask D:\\o\\b.avi.mp3 (1 running)",
                               "delete D:\\o\\b.avi.mp3", "start 1", "end 0",
                               "ask D:\\o\\c.avi.mp3 (1 running)", "delete D:\\o\\c.avi.mp3",
                               "start 2", "end 1", "ask D:\\o\\d.avi.mp3 (1 running)",
                               "delete D:\\o\\d.avi.mp3", "start 3", "end 2", "end 3"}));
}

TEST(RunEngine, AnExistingOutputIsAskedAboutUnlessOverwritingIsOn) {
  TracingHost no;
  no.existing = {u"D:\\o\\b.avi.mp3"};
  const RunReport skipped = Convert(no, Clips(3));
  EXPECT_EQ(no.trace,
            (Lines{"start 0", "end 0", "ask D:\\o\\b.avi.mp3 (0 running)", "start 2", "end 2"}));
  EXPECT_EQ(Outcomes(skipped), (Lines{"a.avi ok", "b.avi skipped", "c.avi ok"}));
  // The skipped file logs its command line only, and is never shown.
  EXPECT_EQ(Notes(no)[2], "command C:\\v\\b.avi");
  EXPECT_EQ(Notes(no)[3], "command C:\\v\\c.avi");
  EXPECT_EQ(no.counts, (std::vector<int>{1, 3}));

  TracingHost quiet;
  quiet.existing = no.existing;
  BatchSettings s = Settings();
  s.overwrite = true;
  Convert(quiet, Clips(3), 1, s);
  EXPECT_EQ(quiet.trace, (Lines{"start 0", "end 0", "start 1", "end 1", "start 2", "end 2"}));
}

TEST(RunEngine, TwoInputsWithOneOutputNeverRunAtOnce) {
  // x.avi from two folders lands on one output; y.avi waits its turn behind the second.
  const std::vector<std::u16string> paths = {u"C:\\v\\x.avi", u"C:\\w\\X.AVI", u"C:\\v\\y.avi"};
  TracingHost no;
  const RunReport skipped = Convert(no, paths, 3);
  EXPECT_EQ(no.trace,
            (Lines{"start 0", "end 0", "ask D:\\o\\X.AVI.mp3 (0 running)", "start 2", "end 2"}));
  EXPECT_EQ(Outcomes(skipped), (Lines{"x.avi ok", "X.AVI skipped", "y.avi ok"}));

  // The first one converted, the second writes beside it and replaces it once converted.
  TracingHost yes;
  yes.answerYes = true;
  Convert(yes, paths, 3);
  EXPECT_EQ(yes.trace,
            (Lines{"start 0", "end 0", "ask D:\\o\\X.AVI.mp3 (0 running)", "start 1", "start 2",
                   "end 1", "move D:\\o\\X.AVI.partial.mp3 over D:\\o\\X.AVI.mp3", "end 2"}));

  // Overwriting without a question, and after a failure that left nothing, the
  // second simply starts once the first has ended.
  TracingHost quiet;
  BatchSettings s = Settings();
  s.overwrite = true;
  Convert(quiet, paths, 3, s);
  EXPECT_EQ(quiet.trace, (Lines{"start 0", "end 0", "start 1", "start 2", "end 1",
                                "move D:\\o\\X.AVI.partial.mp3 over D:\\o\\X.AVI.mp3", "end 2"}));
  TracingHost failed;
  failed.verdicts[0] = Verdict(FileOutcome::Failed, FailReason::ExitCode);
  Convert(failed, paths, 3);
  EXPECT_EQ(failed.trace, (Lines{"start 0", "end 0", "delete D:\\o\\x.avi.mp3", "start 1",
                                 "start 2", "end 1", "end 2"}));
  for (const TracingHost* host : {&no, &yes, &quiet, &failed}) EXPECT_EQ(host->overlaps, 0);
}

TEST(RunEngine, ALaterFileWithTheSameOutputNeverTakesTheConvertedOneUnlessItIsConvertedToo) {
  const std::vector<std::u16string> paths = {u"C:\\v\\x.avi", u"C:\\w\\x.avi"};
  const std::u16string output = u"D:\\o\\x.avi.mp3";
  // Overwriting on, or the question answered Yes for the later file.
  for (bool overwrite : {true, false})
    for (bool laterFails : {true, false}) {
      TracingHost host;
      host.answerYes = true;
      if (laterFails) host.verdicts[1] = Verdict(FileOutcome::Failed, FailReason::ExitCode);
      BatchSettings s = Settings();
      s.overwrite = overwrite;
      const RunReport run = Convert(host, paths, 2, s);
      Lines expected = {"start 0",
                        "end 0",
                        "ask D:\\o\\x.avi.mp3 (0 running)",
                        "start 1",
                        "end 1",
                        laterFails ? "delete D:\\o\\x.avi.partial.mp3"
                                   : "move D:\\o\\x.avi.partial.mp3 over D:\\o\\x.avi.mp3"};
      if (overwrite) expected.erase(expected.begin() + 2);
      EXPECT_EQ(host.trace, expected);
      // Only the later file's command line names the partial file.
      EXPECT_NE(host.commands.at(0).find(u"\"D:\\o\\x.avi.mp3\""), std::u16string::npos);
      EXPECT_NE(host.commands.at(1).find(u"\"D:\\o\\x.avi.partial.mp3\""), std::u16string::npos);
      EXPECT_EQ(host.existing, std::set<std::u16string>{output});
      EXPECT_EQ(host.madeBy[output], laterFails ? 0 : 1);
      EXPECT_EQ(Outcomes(run), (Lines{"x.avi ok", laterFails ? "x.avi failed" : "x.avi ok"}));
    }

  // A partial name the user has already is left alone; a move the system
  // refuses fails the later file and keeps the earlier output.
  TracingHost refused;
  refused.existing = {u"D:\\o\\x.avi.partial.mp3"};
  refused.moveFailure = u"Access is denied.";
  BatchSettings s = Settings();
  s.overwrite = true;
  const RunReport run = Convert(refused, paths, 1, s);
  EXPECT_EQ(refused.trace, (Lines{"start 0", "end 0", "start 1", "end 1",
                                  "move D:\\o\\x.avi.partial2.mp3 over D:\\o\\x.avi.mp3",
                                  "delete D:\\o\\x.avi.partial2.mp3"}));
  EXPECT_EQ(refused.existing, (std::set<std::u16string>{output, u"D:\\o\\x.avi.partial.mp3"}));
  EXPECT_EQ(Outcomes(run), (Lines{"x.avi ok", "x.avi failed"}));
  EXPECT_EQ(run.files[1].verdict.reason, FailReason::NoOutput);
  EXPECT_EQ(run.files[1].verdict.tellingLine, u"Access is denied.");
  EXPECT_EQ(refused.told.back().files[1].outcome, FileOutcome::Failed);
  EXPECT_TRUE(refused.told.back().failed);

  // A retry of the later file alone still keeps what the earlier run converted.
  TracingHost retry;
  retry.existing = {output};
  retry.madeBy[output] = 0;
  retry.verdicts[0] = Verdict(FileOutcome::Failed, FailReason::ExitCode);
  const RunReport again = Convert(retry, Inputs(paths), 1, s, {1}, run);
  EXPECT_EQ(retry.trace, (Lines{"start 0", "end 0", "delete D:\\o\\x.avi.partial.mp3"}));
  EXPECT_EQ(retry.madeBy[output], 0);
  EXPECT_EQ(Outcomes(again), (Lines{"x.avi ok", "x.avi failed"}));
}

TEST(RunEngine, CancelEndsEveryRunningEncoderAtOnceAndLeavesNothingHalfMade) {
  TracingHost host;
  host.endOrder = {0, 2};
  host.verdicts[2] = Verdict(FileOutcome::Cancelled);
  const RunReport run = Convert(host, Clips(6), 3);
  EXPECT_EQ(run.end, BatchEnd::Cancelled);
  // a.avi finished before the cancel, so d.avi had started; nothing starts after.
  EXPECT_EQ(host.trace, (Lines{"start 0", "start 1", "start 2", "end 0", "start 3", "end 2",
                               "delete D:\\o\\c.avi.mp3", "end all", "end 1",
                               "delete D:\\o\\b.avi.mp3", "end 3", "delete D:\\o\\d.avi.mp3"}));
  EXPECT_EQ(Outcomes(run), (Lines{"a.avi ok", "b.avi cancelled", "c.avi cancelled",
                                  "d.avi cancelled", "e.avi cancelled", "f.avi cancelled"}));
  EXPECT_EQ(run.files[4].verdict.reason, FailReason::NotReached);
  // A cancelled run counts no success, but keeps what was converted.
  EXPECT_EQ(run.Succeeded(), 0);
  EXPECT_EQ(Converted(run), std::vector<std::u16string>{u"D:\\o\\a.avi.mp3"});
  EXPECT_EQ(host.existing, std::set<std::u16string>{u"D:\\o\\a.avi.mp3"});
  // Only the finished file counts as done.
  EXPECT_EQ(host.told.back().done, 1);

  // The user's cancel reaches the encoders through the sink.
  TracingHost user;
  user.cancel = true;
  user.silentSeconds = 1;
  Convert(user, Clips(1));
  EXPECT_EQ(user.cancelsSeen, 8);
}

TEST(RunEngine, AnEncoderThatCannotStartStartsNoMoreAndLetsTheOthersFinish) {
  TracingHost missing;
  missing.failStartOf = 0;
  const RunReport none = Convert(missing, Clips(4), 3);
  EXPECT_EQ(none.end, BatchEnd::StartFailed);
  EXPECT_EQ(missing.trace, Lines{"start 0"});
  EXPECT_EQ(Outcomes(none), (Lines{"a.avi not started", "b.avi not started", "c.avi not started",
                                   "d.avi not started"}));
  EXPECT_EQ(none.files[1].verdict.reason, FailReason::NotReached);
  // The labels name only a file whose encoder runs.
  EXPECT_EQ(missing.told.back().rowFile, -1);
  EXPECT_TRUE(missing.counts.empty());

  TracingHost later;
  later.failStartOf = 2;
  later.verdicts[1] = Verdict(FileOutcome::Failed, FailReason::ExitCode);
  const RunReport some = Convert(later, Clips(5), 2);
  EXPECT_EQ(some.end, BatchEnd::StartFailed);
  EXPECT_EQ(later.trace,
            (Lines{"start 0", "start 1", "end 0", "start 2", "end 1", "delete D:\\o\\b.avi.mp3"}));
  EXPECT_EQ(Outcomes(some), (Lines{"a.avi ok", "b.avi failed", "c.avi not started",
                                   "d.avi not started", "e.avi not started"}));
  EXPECT_EQ(some.Succeeded(), 1);
}

TEST(RunEngine, AnOutputIsNeverWrittenOverAnInputOfTheRun) {
  // The user's own a.avi.mp3 is the output of a.avi, whichever comes first.
  const std::vector<std::u16string> paths = {u"C:\\v\\a.avi", u"C:\\v\\A.AVI.mp3", u"C:\\v\\b.avi",
                                             u"C:/v/b.avi.MP3"};
  for (bool overwrite : {true, false}) {
    TracingHost host;
    BatchSettings s = Settings();
    s.sameAsSource = true;
    s.overwrite = overwrite;
    const RunReport r = Convert(host, paths, 1, s);
    EXPECT_EQ(Converted(r),
              (std::vector<std::u16string>{u"C:\\v\\A.AVI.mp3.mp3", u"C:/v/b.avi.MP3.mp3"}));
    for (size_t i : {0u, 2u}) {
      EXPECT_EQ(r.files[i].verdict.outcome, FileOutcome::Failed);
      EXPECT_EQ(r.files[i].verdict.reason, FailReason::OutputIsAnInput);
    }
    // No question, no deletion, no encoder for either; the log tells why.
    EXPECT_EQ(host.trace, (Lines{"start 1", "end 1", "start 3", "end 3"}));
    ASSERT_EQ(host.logged.size(), 8u);
    EXPECT_EQ(host.logged[1],
              u"Not converted: the output C:\\v\\a.avi.mp3 is an input file of this run.");
    EXPECT_EQ(host.counts.back(), 4);
  }
}

TEST(RunEngine, AFailedFileLeavesNoOutputTheRunCreated) {
  TracingHost host;
  host.existing = {u"D:\\o\\c.avi.mp3"};  // the user's, found there before the run
  host.verdicts[0] = Verdict(FileOutcome::Failed, FailReason::FatalLine);
  host.verdicts[2] = Verdict(FileOutcome::Failed, FailReason::FatalLine);
  BatchSettings s = Settings();
  s.overwrite = true;
  EXPECT_EQ(Convert(host, Clips(3), 1, s).Succeeded(), 1);
  // With overwriting on, the user's c.avi.mp3 was given up: a failed encoder's
  // half-written replacement goes as well.
  EXPECT_EQ(host.existing, (std::set<std::u16string>{u"D:\\o\\b.avi.mp3"}));

  // Answered Yes, the old file is gone before the encoder starts: its failed output goes too.
  TracingHost asked;
  asked.existing = {u"D:\\o\\a.avi.mp3"};
  asked.answerYes = true;
  asked.verdicts[0] = Verdict(FileOutcome::Failed, FailReason::NoOutput);
  Convert(asked, Clips(1));
  EXPECT_TRUE(asked.existing.empty());
}

TEST(RunEngine, ARetryRunsTheChosenFilesAndGoesOnFromTheEarlierReport) {
  TracingHost first;
  first.verdicts[0] = Verdict(FileOutcome::Failed, FailReason::ExitCode);
  first.verdicts[3] = Verdict(FileOutcome::Failed, FailReason::ExitCode);
  BatchSettings s = Settings();
  s.sameAsSource = true;
  std::vector<std::u16string> paths = Clips(5);
  paths[2] = u"C:\\v\\b.avi.mp3";  // b's output, an input the retry does not run
  const RunReport earlier = Convert(first, Inputs(paths), 1, s);
  EXPECT_EQ(RetryPositions(earlier.files), (std::vector<size_t>{0, 1, 3}));

  TracingHost again;
  again.gone = {u"C:\\v\\d.avi"};
  // Positions past the list are passed over.
  const RunReport retry = Convert(again, Inputs(paths), 2, s, {0, 1, 3, 7}, earlier);
  EXPECT_EQ(again.trace, (Lines{"start 0", "end 0"}));
  EXPECT_EQ(Outcomes(retry),
            (Lines{"a.avi ok", "b.avi failed", "b.avi.mp3 ok", "d.avi failed", "e.avi ok"}));
  EXPECT_EQ(retry.files[1].verdict.reason, FailReason::OutputIsAnInput);
  EXPECT_EQ(retry.files[3].verdict.reason, FailReason::InputGone);
  EXPECT_EQ(retry.files[4].output, earlier.files[4].output);
  // Files are counted in the retry's own order.
  EXPECT_EQ(again.told.back().files.size(), 4u);
  EXPECT_EQ(again.told.back().files[2].position, 3u);
  EXPECT_EQ(again.counts.front(), 1);
  // The earlier log comes first.
  ASSERT_EQ(retry.log.size(), earlier.log.size() + again.logged.size());
  EXPECT_TRUE(std::equal(earlier.log.begin(), earlier.log.end(), retry.log.begin()));
  EXPECT_EQ(retry.Succeeded(), 3);
}

TEST(RunEngine, TheReportHoldsEachFilesPathsSizesTimesAndReason) {
  TracingHost host;
  host.percentAtStart = {{0, 40}};
  host.silentSeconds = 2;
  FileVerdict failed = Verdict(FileOutcome::Failed, FailReason::ExitCode);
  failed.tellingLine = u"Unknown encoder 'x'";
  failed.exited = true;
  failed.exitCode = 1;
  host.verdicts[1] = failed;
  FileVerdict ok = Verdict(FileOutcome::Succeeded);
  ok.outputSize = 4321;
  host.verdicts[0] = ok;
  BatchSettings s = Settings();
  const RunReport r = Convert(host, Clips(2), 1, s);
  ASSERT_EQ(r.files.size(), 2u);
  EXPECT_EQ(r.settings.outputFolder, s.outputFolder);
  const FileRecord& a = r.files[0];
  EXPECT_EQ(a.position, 0u);
  EXPECT_EQ(a.input, u"C:\\v\\a.avi");
  EXPECT_EQ(a.output, u"D:\\o\\a.avi.mp3");
  EXPECT_EQ(a.inputSize, 10000u);
  EXPECT_EQ(a.verdict.outputSize, 4321u);
  // Two silent seconds of its encoder lie between its start and its end.
  EXPECT_EQ(a.started.second, 40);
  EXPECT_EQ(a.ended.second, 42);
  const FileRecord& b = r.files[1];
  EXPECT_EQ(b.verdict.tellingLine, u"Unknown encoder 'x'");
  EXPECT_EQ(b.verdict.exitCode, 1u);
  EXPECT_EQ(OutcomeRow(b, OutcomeTexts()), u"b.avi - Failed: Unknown encoder 'x' (exit code 1)");
  EXPECT_EQ(r.log, (std::vector<std::u16string>{
                       u"10:01:40 " + host.commands[0], u"10:01:42 encoded D:\\o\\a.avi.mp3",
                       u"10:01:42 " + host.commands[1], u"10:01:44 encoded D:\\o\\b.avi.mp3"}));
}

TEST(RunEngine, TheModelFollowsEachFileAndReadsTheEstimateAtMostOnceASecond) {
  TracingHost host;
  host.percentAtStart = {{0, 30}, {1, 60}};
  host.silentSeconds = 3;
  host.endOrder = {1, 0};
  host.verdicts[1] = Verdict(FileOutcome::Failed, FailReason::ExitCode);
  Convert(host, Clips(3), 2);
  // Nine silent seconds polled eight times a second: the estimate is read a
  // second apart, besides at the start and the end, and the model told
  // about as often.
  int reads = 0;
  double readAt = -10;
  for (size_t i = 0; i + 1 < host.told.size(); ++i) {
    if (host.told[i].estimateReads == reads) continue;
    EXPECT_EQ(host.told[i].estimateReads, reads + 1);
    EXPECT_GE(host.toldAt[i] - readAt, 1.0) << i;
    reads = host.told[i].estimateReads;
    readAt = host.toldAt[i];
  }
  EXPECT_GE(reads, 9);
  EXPECT_LT(host.told.size(), 30u);

  // While a and b run: the row follows a, the oldest; b ends first and fails.
  auto at = std::find_if(host.told.begin(), host.told.end(), [](const RunProgress& p) {
    return p.files[1].state == FileState::Running && p.files[1].percent == 60;
  });
  ASSERT_NE(at, host.told.end());
  EXPECT_EQ(at->rowFile, 0);
  EXPECT_EQ(at->rowPercent, 30);
  EXPECT_EQ(at->files[0].percent, 30);
  EXPECT_EQ(at->files[2].state, FileState::Waiting);
  EXPECT_FALSE(at->failed);
  at = std::find_if(at, host.told.end(),
                    [](const RunProgress& p) { return p.files[1].state == FileState::Done; });
  ASSERT_NE(at, host.told.end());
  EXPECT_EQ(at->files[1].outcome, FileOutcome::Failed);
  EXPECT_TRUE(at->failed);
  EXPECT_EQ(at->done, 1);
  EXPECT_GT(at->share, 0.3);
  // Then a ends, and the row moves on to c.
  const RunProgress& last = host.told.back();
  EXPECT_EQ(last.rowFile, 2);
  EXPECT_EQ(last.done, 3);
  EXPECT_NEAR(last.share, 1.0, 1e-9);
  EXPECT_TRUE(last.finished);
}

TEST(RunEngine, SamePathFoldsCaseAndSlashesOnly) {
  EXPECT_TRUE(SamePath(u"C:\\Video\\a.AVI", u"c:/video/A.avi"));
  EXPECT_FALSE(SamePath(u"C:\\Video\\a.avi", u"C:\\Video\\a.avi "));
  EXPECT_FALSE(SamePath(u"C:\\Video\\a.avi", u"C:\\Video\\b.avi"));
  EXPECT_FALSE(SamePath(u"C:\\V\\\u00e9.avi", u"C:\\V\\e.avi"));
}

TEST(RunEngine, AFileFromAFolderKeepsItsPlaceAndItsFolderIsMadeJustBeforeItsEncoder) {
  TracingHost host;
  const std::u16string root = u"C:\\Videos\\Holiday";
  const std::vector<INPUT_FILE> inputs = {InputFileUnder(root + u"\\Day 1\\clip.avi", root),
                                          InputFileUnder(root + u"\\Day 2\\clip.avi", root),
                                          InputFileOf(u"C:\\v\\a.avi")};
  host.folderFailures[u"D:\\o\\Holiday\\Day 2\\"] = u"Access denied.";
  const RunReport r = Convert(host, inputs);
  EXPECT_EQ(Converted(r), (std::vector<std::u16string>{u"D:\\o\\Holiday\\Day 1\\clip.avi.mp3",
                                                       u"D:\\o\\a.avi.mp3"}));
  // The output folder itself and a lone file's folder are never created.
  EXPECT_EQ(host.trace, (Lines{"create D:\\o\\Holiday\\Day 1\\", "start 0", "end 0",
                               "create D:\\o\\Holiday\\Day 2\\", "start 2", "end 2"}));
  // A folder that cannot be made fails its file only, with the system's reason.
  EXPECT_EQ(host.logged[3],
            u"Not converted: the folder D:\\o\\Holiday\\Day 2\\ cannot be created: Access denied.");
  EXPECT_EQ(r.files[1].verdict.outcome, FileOutcome::Failed);
  EXPECT_EQ(r.files[1].verdict.reason, FailReason::FolderNotCreated);
  EXPECT_EQ(r.files[1].verdict.tellingLine, u"Access denied.");
  EXPECT_EQ(host.told.back().done, 3);
}

TEST(RunEngine, AnInputThatIsGoneOrAnOutputThatCannotBeNamedIsLoggedAndPassedOver) {
  TracingHost host;
  const std::u16string longName = std::u16string(254, u'n') + u".avi";  // .mp3 makes 262
  host.gone = {u"C:\\v\\gone.avi"};
  const RunReport r = Convert(host, {u"C:\\v\\gone.avi", u"C:\\v\\" + longName, u"C:\\v\\ok.avi"});
  EXPECT_EQ(Converted(r), std::vector<std::u16string>{u"D:\\o\\ok.avi.mp3"});
  ASSERT_EQ(host.logged.size(), 6u);
  EXPECT_EQ(host.logged[1], u"Not converted: the input C:\\v\\gone.avi is no longer there.");
  EXPECT_EQ(host.logged[3], u"Not converted: a name in the output D:\\o\\" + longName +
                                u".mp3 is longer than 255 characters.");
  EXPECT_EQ(host.trace, (Lines{"start 2", "end 2"}));
  EXPECT_EQ(r.files[0].verdict.reason, FailReason::InputGone);
  EXPECT_EQ(r.files[1].verdict.reason, FailReason::PathTooLong);
  EXPECT_EQ(r.files[1].verdict.outcome, FileOutcome::Failed);
  EXPECT_EQ(host.told.back().done, 3);
}

TEST(RunEngine, AnUnreadableInputFailsWithItsReasonUnstartedAndKnownPlayTimesWeighFromTheStart) {
  TracingHost host;
  InputDetails clip;
  clip.probed = clip.readable = clip.hasAudio = true;
  clip.durationSeconds = 10;
  host.details[u"C:\\v\\a.avi"] = clip;
  clip.durationSeconds = 90;
  host.details[u"C:\\v\\c.avi"] = clip;
  InputDetails broken;
  broken.probed = true;
  broken.problem = InputProblem::NotMedia;
  host.details[u"C:\\v\\b.avi"] = broken;
  const RunReport r = Convert(host, Clips(3));
  // Each input is looked at again just before its turn; b's encoder never starts.
  EXPECT_EQ(host.trace, (Lines{"look C:\\v\\a.avi", "start 0", "end 0", "look C:\\v\\b.avi",
                               "look C:\\v\\c.avi", "start 2", "end 2"}));
  EXPECT_EQ(Outcomes(r), (Lines{"a.avi ok", "b.avi failed", "c.avi ok"}));
  EXPECT_EQ(r.files[1].verdict.reason, FailReason::Unreadable);
  const Lines notes = Notes(host);
  EXPECT_NE(std::find(notes.begin(), notes.end(),
                      "Not converted: the input C:\\v\\b.avi cannot be read."),
            notes.end());
  OutcomeTexts texts;
  EXPECT_EQ(OutcomeText(r.files[1].verdict, texts, r.files[1].input),
            u"Failed: the file is incomplete or damaged");
  // Once a is done the run is 10 of 150 seconds through (b weighs the
  // average of the others), not a third of it.
  const auto firstDone = std::find_if(host.told.begin(), host.told.end(),
                                      [](const RunProgress& p) { return p.done == 1; });
  ASSERT_NE(firstDone, host.told.end());
  EXPECT_NEAR(firstDone->share, 10.0 / 150, 1e-9);
}

TEST(RunEngine, LongPathsReachTheEncoderInTheirExtendedForm) {
  TracingHost host;
  const std::u16string folder = u"C:\\" + std::u16string(250, u'f') + u"\\";
  BatchSettings s = Settings();
  s.outputFolder = folder;
  const RunReport r = Convert(host, {folder + u"a.avi", u"C:\\v\\b.avi"}, 1, s);
  ASSERT_EQ(host.commands.size(), 2u);
  EXPECT_EQ(host.commands[0].substr(0, 29), u"\"C:\\A\\ffmpeg.exe\" -i \"\\\\?\\C:\\");
  EXPECT_NE(host.commands[0].find(u"\"\\\\?\\" + folder + u"a.avi.mp3\""), std::u16string::npos);
  // The report keeps the plain form the user knows.
  EXPECT_EQ(r.files[0].output, folder + u"a.avi.mp3");
  // A short path is written as it always was.
  EXPECT_EQ(host.commands[1].substr(0, 43), u"\"C:\\A\\ffmpeg.exe\" -i \"C:\\v\\b.avi\" -y -f mp3");
}

}  // namespace

namespace {

// The journal of a run as its file would hold it, each append kept apart so
// that a test can stop the program between any two.
struct JournalBytes {
  std::vector<uint8_t> bytes;
  std::vector<size_t> ends;  // where each append ended
  RunJournalWriter writer{[this](const std::vector<uint8_t>& b) {
    bytes.insert(bytes.end(), b.begin(), b.end());
    ends.push_back(bytes.size());
  }};
};

// A recorder that writes the journal and traces each record among the host's steps.
struct TracedJournal : RunRecorder {
  TracingHost& host;
  JournalBytes journal;
  explicit TracedJournal(TracingHost& h) : host(h) {}
  void RunBegun(const RunRequest& r) override { journal.writer.RunBegun(r); }
  void FileStarting(size_t position, const std::u16string& written) override {
    host.trace.push_back("journal starting " + std::to_string(position));
    journal.writer.FileStarting(position, written);
  }
  void FileEnded(const FileRecord& record) override {
    host.trace.push_back("journal ended " + std::to_string(record.position));
    journal.writer.FileEnded(record);
  }
  void RunEnded() override { journal.writer.RunEnded(); }
};

}  // namespace

TEST(RunEngine, ItsJournalCutAnywhereContinuesTheFilesNotEndedAndNamesTheHalfMadeOne) {
  TracingHost host;
  // x.avi twice: the later one writes the partial file.
  const std::vector<std::u16string> paths = {u"C:\\v\\x.avi", u"C:\\v\\b.avi", u"C:\\w\\x.avi",
                                             u"C:\\v\\d.avi"};
  host.verdicts[1] = Verdict(FileOutcome::Failed, FailReason::ExitCode);
  BatchSettings s = Settings();
  s.overwrite = true;
  RunRequest request;
  request.inputs = Inputs(paths);
  request.positions = AllPositions(paths.size());
  request.settings = s;
  request.job = Mp3Job();
  for (const INPUT_FILE& input : request.inputs) host.inputs.push_back(input.strPath);
  TracedJournal traced(host);
  RunEngine(host, host, &traced).Run(request);
  // Each file is in the journal before its encoder may create anything, and
  // ends there only once its output is in place.
  EXPECT_EQ(
      host.trace,
      (Lines{"journal starting 0", "start 0", "end 0", "journal ended 0", "journal starting 1",
             "start 1", "end 1", "delete D:\\o\\b.avi.mp3", "journal ended 1", "journal starting 2",
             "start 2", "end 2", "move D:\\o\\x.avi.partial.mp3 over D:\\o\\x.avi.mp3",
             "journal ended 2", "journal starting 3", "start 3", "end 3", "journal ended 3"}));
  const JournalBytes& journal = traced.journal;
  EXPECT_EQ(ReadRunJournal(journal.bytes.data(), journal.bytes.size()).state,
            JournalRun::State::None);

  // Stopped after each append, and at every byte between: the files not
  // ended are those of the last whole record, and the file being written is
  // half-made. The record being written when the program stopped is not
  // there yet.
  const std::vector<std::vector<size_t>> notEnded = {{0, 1, 2, 3}, {1, 2, 3}, {2, 3}, {3}, {}};
  const std::vector<std::vector<std::u16string>> halfMade = {
      {}, {u"D:\\o\\x.avi.mp3"}, {}, {u"D:\\o\\b.avi.mp3"}, {}, {u"D:\\o\\x.avi.partial.mp3"},
      {}, {u"D:\\o\\d.avi.mp3"}, {}};
  ASSERT_EQ(journal.ends.size(), 10u);
  for (size_t cut = 0; cut < journal.bytes.size(); ++cut) {
    const JournalRun run = ReadRunJournal(journal.bytes.data(), cut);
    const size_t whole = size_t(std::upper_bound(journal.ends.begin(), journal.ends.end(), cut) -
                                journal.ends.begin());
    SCOPED_TRACE("cut at " + std::to_string(cut));
    if (whole == 0) {
      // Before the run began: nothing to continue, and only a cut magic is damage.
      EXPECT_EQ(run.state,
                cut == 0 || cut >= 4 ? JournalRun::State::None : JournalRun::State::Damaged);
      continue;
    }
    ASSERT_EQ(run.state, JournalRun::State::Stopped);
    // Records: begun, then a start and an end per file.
    const size_t records = whole - 1;
    EXPECT_EQ(run.NotEnded(), notEnded.at(records / 2));
    EXPECT_EQ(run.halfMade, halfMade.at(records));
    EXPECT_EQ(run.FileCount(), 4u);
  }

  // A continuation after the second file ends: the same settings, the files
  // left, going on from the two records, and its own journal counts all four.
  const JournalRun stopped = ReadRunJournal(journal.bytes.data(), journal.ends[4]);
  const RunRequest next = stopped.Continuation();
  EXPECT_EQ(next.positions, (std::vector<size_t>{2, 3}));
  EXPECT_TRUE(next.settings.overwrite);
  EXPECT_EQ(next.settings.outputFolder, s.outputFolder);
  EXPECT_EQ(next.job.nProfile, request.job.nProfile);
  EXPECT_EQ(next.job.nAudioBitrate, request.job.nAudioBitrate);
  ASSERT_EQ(next.inputs.size(), 4u);
  EXPECT_EQ(next.inputs[2].strPath, paths[2]);
  ASSERT_EQ(next.earlier.files.size(), 4u);
  EXPECT_EQ(next.earlier.files[0].verdict.outcome, FileOutcome::Succeeded);
  EXPECT_EQ(next.earlier.files[1].verdict.outcome, FileOutcome::Failed);
  EXPECT_EQ(next.earlier.files[1].verdict.reason, FailReason::ExitCode);
  JournalBytes again;
  again.writer.RunBegun(next);
  const JournalRun carried = ReadRunJournal(again.bytes.data(), again.bytes.size());
  EXPECT_EQ(carried.FileCount(), 4u);
  EXPECT_EQ(carried.NotEnded(), (std::vector<size_t>{2, 3}));
  EXPECT_EQ(carried.ended.size(), 2u);

  // One byte changed anywhere never passes as another record: the journal is
  // damaged, or reads as cut short at an earlier record (a length that
  // grew), before the run began among them.
  for (size_t at = 0; at < journal.ends[7]; ++at) {
    std::vector<uint8_t> bad(journal.bytes.begin(), journal.bytes.begin() + journal.ends[7]);
    bad[at] ^= 0x5A;
    const JournalRun run = ReadRunJournal(bad.data(), bad.size());
    SCOPED_TRACE("byte " + std::to_string(at));
    if (run.state != JournalRun::State::Stopped) continue;
    EXPECT_NE(std::find(notEnded.begin(), notEnded.end() - 1, run.NotEnded()), notEnded.end() - 1);
    for (const FileRecord& ended : run.ended)
      EXPECT_EQ(ended.verdict.outcome,
                ended.position == 1 ? FileOutcome::Failed : FileOutcome::Succeeded);
  }
}
