#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "convert/batch_schedule.h"
#include "tests/native/batch_fixtures.h"

namespace {

std::string Narrow(const std::u16string& s) {
  return std::string(s.begin(), s.end());
}

// Encoders that end in the order the test chooses, each writing its output.
class FakeSchedule : public ScheduleHost {
 public:
  std::set<std::u16string> existing;
  std::set<std::u16string> gone;  // inputs no longer there
  bool answerYes = false;
  std::map<int, FileOutcome> outcomes;  // by input index; success when missing
  std::vector<int> endOrder;  // the first of these still running ends next, else the oldest
  int failStartOf = -1;       // the input whose encoder cannot start

  std::vector<std::string>
      trace;  // "start 2", "end 1", "ask 3 (2 running)", "delete D:\o\x", "end all"
  std::vector<std::pair<int, int>> shown;
  std::vector<int> logged;  // the file of each entry
  std::vector<int> done;    // the files whose outcome is known, in that order
  size_t mostRunning = 0;
  int overlaps = 0;  // starts into an output another running encoder writes

  // Names compare as Windows compares them.
  bool FileExists(const std::u16string& p) override {
    if (p.compare(0, 5, u"C:\\v\\") == 0 || p.compare(0, 5, u"C:\\w\\") == 0)
      return gone.count(p) == 0;
    return std::any_of(existing.begin(), existing.end(),
                       [&](const std::u16string& e) { return SamePath(e, p); });
  }
  bool AskOverwrite(const std::u16string& q) override {
    trace.push_back("ask " + std::to_string(m_next) + " (" + std::to_string(m_running.size()) +
                    " running)");
    EXPECT_EQ(q.find(u"The file: "), 0u);
    return answerYes;
  }
  void DeleteFile(const std::u16string& p) override {
    trace.push_back("delete " + Narrow(p));
    for (auto it = existing.begin(); it != existing.end();)
      it = SamePath(*it, p) ? existing.erase(it) : std::next(it);
  }
  std::u16string CreateFolders(const std::u16string&) override { return std::u16string(); }
  void Log(int file, const std::u16string&) override {
    EXPECT_EQ(std::count(done.begin(), done.end(), file), 0) << "logs after it is done";
    logged.push_back(file);
    m_next = file;
  }
  void ShowFile(int file, const std::u16string&, int position, int count) override {
    EXPECT_EQ(position, file + 1);
    shown.emplace_back(position, count);
  }
  bool StartEncoder(int file, const std::u16string&, const std::u16string& output) override {
    trace.push_back("start " + std::to_string(file));
    if (file == failStartOf) return false;
    for (const auto& r : m_running)
      if (SamePath(r.second, output)) ++overlaps;
    m_running.emplace_back(file, output);
    mostRunning = std::max(mostRunning, m_running.size());
    return true;
  }
  EncoderEnd WaitForEncoder() override {
    EXPECT_FALSE(m_running.empty());
    auto ending = m_running.begin();
    for (int file : endOrder) {
      auto it = std::find_if(m_running.begin(), m_running.end(),
                             [&](const auto& r) { return r.first == file; });
      if (it != m_running.end()) {
        ending = it;
        break;
      }
    }
    EncoderEnd end;
    end.file = ending->first;
    existing.insert(ending->second);
    m_running.erase(ending);
    auto it = outcomes.find(end.file);
    end.verdict.outcome = m_endedAll             ? FileOutcome::Cancelled
                          : it != outcomes.end() ? it->second
                                                 : FileOutcome::Succeeded;
    if (end.verdict.outcome == FileOutcome::Failed) end.verdict.reason = FailReason::ExitCode;
    trace.push_back("end " + std::to_string(end.file));
    return end;
  }
  void EndEncoders() override {
    trace.push_back("end all");
    m_endedAll = true;
  }
  void FileDone(int file, FileOutcome) override {
    EXPECT_EQ(std::count(done.begin(), done.end(), file), 0) << file;
    done.push_back(file);
  }

 private:
  std::vector<std::pair<int, std::u16string>> m_running;
  int m_next = -1;
  bool m_endedAll = false;
};

struct Outcome {
  BatchEnd end;
  BatchResults results;
};

Outcome Schedule(FakeSchedule& host, const std::vector<std::u16string>& paths, int simultaneous,
                 bool overwrite = false) {
  BatchSettings s;
  s.outputFolder = u"D:\\o\\";
  s.appDir = u"C:\\A\\";
  s.overwrite = overwrite;
  CONVERT_JOB job = Mp3Job();
  Outcome run;
  run.end = RunScheduledBatch(host, Inputs(paths), AllPositions(paths.size()), s, job, run.results,
                              simultaneous);
  return run;
}

std::vector<std::u16string> Clips(int n) {
  std::vector<std::u16string> paths;
  for (int i = 0; i < n; ++i)
    paths.push_back(u"C:\\v\\" + std::u16string(1, char16_t(u'a' + i)) + u".avi");
  return paths;
}

std::vector<std::string> Outcomes(const BatchResults& r) {
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

using Lines = std::vector<std::string>;

TEST(BatchSchedule, KeepsNBusyStartingInInputOrderWithOutcomesInInputOrder) {
  FakeSchedule host;
  host.endOrder = {1, 0, 3, 2, 4};
  host.outcomes[1] = FileOutcome::Failed;
  const Outcome run = Schedule(host, Clips(5), 2);
  EXPECT_EQ(run.end, BatchEnd::Finished);
  EXPECT_EQ(host.trace, (Lines{"start 0", "start 1", "end 1", "delete D:\\o\\b.avi.mp3", "start 2",
                               "end 0", "start 3", "end 3", "start 4", "end 2", "end 4"}));
  EXPECT_EQ(host.mostRunning, 2u);
  EXPECT_EQ(host.shown, (std::vector<std::pair<int, int>>{{1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}}));
  // Each file's entries carry its index, given in input order.
  EXPECT_EQ(host.logged, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(host.done, (std::vector<int>{1, 0, 3, 2, 4}));
  EXPECT_EQ(Outcomes(run.results),
            (Lines{"a.avi ok", "b.avi failed", "c.avi ok", "d.avi ok", "e.avi ok"}));
  EXPECT_EQ(run.results.files[1].verdict.reason, FailReason::ExitCode);
  EXPECT_EQ(run.results.outputFiles,
            (std::vector<std::u16string>{u"D:\\o\\a.avi.mp3", u"D:\\o\\c.avi.mp3",
                                         u"D:\\o\\d.avi.mp3", u"D:\\o\\e.avi.mp3"}));
  EXPECT_EQ(run.results.succeeded, 4);
}

TEST(BatchSchedule, MoreEncodersThanFilesStartsThemAllAndLessThanOneMeansOne) {
  FakeSchedule many;
  many.endOrder = {2, 1, 0};
  const Outcome all = Schedule(many, Clips(3), 8);
  EXPECT_EQ(many.trace, (Lines{"start 0", "start 1", "start 2", "end 2", "end 1", "end 0"}));
  EXPECT_EQ(all.results.succeeded, 3);
  EXPECT_EQ(Outcomes(all.results), (Lines{"a.avi ok", "b.avi ok", "c.avi ok"}));

  for (int n : {0, -3}) {
    FakeSchedule one;
    Schedule(one, Clips(3), n);
    EXPECT_EQ(one.trace, (Lines{"start 0", "end 0", "start 1", "end 1", "start 2", "end 2"}));
  }
}

TEST(BatchSchedule, OverwriteQuestionsComeOneAtATimeWhileOthersRun) {
  FakeSchedule host;
  host.existing = {u"D:\\o\\b.avi.mp3", u"D:\\o\\c.avi.mp3", u"D:\\o\\d.avi.mp3"};
  host.answerYes = true;
  host.endOrder = {0, 1, 2, 3};
  Schedule(host, Clips(4), 2);
  EXPECT_EQ(host.trace,
            (Lines{"start 0", "ask 1 (1 running)", "delete D:\\o\\b.avi.mp3", "start 1", "end 0",
                   "ask 2 (1 running)", "delete D:\\o\\c.avi.mp3", "start 2", "end 1",
                   "ask 3 (1 running)", "delete D:\\o\\d.avi.mp3", "start 3", "end 2", "end 3"}));
}

TEST(BatchSchedule, TwoInputsWithOneOutputNeverRunAtOnce) {
  // x.avi from two folders lands on one output; y.avi waits its turn behind the second.
  const std::vector<std::u16string> paths = {u"C:\\v\\x.avi", u"C:\\w\\X.AVI", u"C:\\v\\y.avi"};
  FakeSchedule no;
  const Outcome skipped = Schedule(no, paths, 3);
  EXPECT_EQ(no.trace, (Lines{"start 0", "end 0", "ask 1 (0 running)", "start 2", "end 2"}));
  EXPECT_EQ(Outcomes(skipped.results), (Lines{"x.avi ok", "X.AVI skipped", "y.avi ok"}));
  EXPECT_EQ(no.done, (std::vector<int>{0, 1, 2}));

  FakeSchedule yes;
  yes.answerYes = true;
  Schedule(yes, paths, 3);
  EXPECT_EQ(yes.trace, (Lines{"start 0", "end 0", "ask 1 (0 running)", "delete D:\\o\\X.AVI.mp3",
                              "start 1", "start 2", "end 1", "end 2"}));

  // Overwriting without a question, and after a failure that left nothing, the
  // second simply starts once the first has ended.
  FakeSchedule quiet;
  Schedule(quiet, paths, 3, true);
  EXPECT_EQ(quiet.trace, (Lines{"start 0", "end 0", "start 1", "start 2", "end 1", "end 2"}));
  FakeSchedule failed;
  failed.outcomes[0] = FileOutcome::Failed;
  Schedule(failed, paths, 3);
  EXPECT_EQ(failed.trace, (Lines{"start 0", "end 0", "delete D:\\o\\x.avi.mp3", "start 1",
                                 "start 2", "end 1", "end 2"}));
  for (const FakeSchedule* host : {&no, &yes, &quiet, &failed}) EXPECT_EQ(host->overlaps, 0);
}

TEST(BatchSchedule, CancelEndsEveryRunningEncoderAtOnce) {
  FakeSchedule host;
  host.endOrder = {0, 2};
  host.outcomes[2] = FileOutcome::Cancelled;
  const Outcome run = Schedule(host, Clips(6), 3);
  EXPECT_EQ(run.end, BatchEnd::Cancelled);
  // a.avi finished before the cancel, so d.avi had started; nothing starts after.
  // What the cancelled encoders had begun to write is removed.
  EXPECT_EQ(host.trace, (Lines{"start 0", "start 1", "start 2", "end 0", "start 3", "end 2",
                               "delete D:\\o\\c.avi.mp3", "end all", "end 1",
                               "delete D:\\o\\b.avi.mp3", "end 3", "delete D:\\o\\d.avi.mp3"}));
  EXPECT_EQ(Outcomes(run.results),
            (Lines{"a.avi ok", "b.avi cancelled", "c.avi cancelled", "d.avi cancelled"}));
  EXPECT_EQ(host.done, (std::vector<int>{0, 2, 1, 3}));
  // A cancelled run counts no success, but keeps what was converted.
  EXPECT_EQ(run.results.succeeded, 0);
  EXPECT_EQ(run.results.outputFiles, std::vector<std::u16string>{u"D:\\o\\a.avi.mp3"});
}

TEST(BatchSchedule, AnEncoderThatCannotStartStartsNoMoreAndLetsTheOthersFinish) {
  FakeSchedule missing;
  missing.failStartOf = 0;
  const Outcome none = Schedule(missing, Clips(4), 3);
  EXPECT_EQ(none.end, BatchEnd::StartFailed);
  EXPECT_EQ(missing.trace, Lines{"start 0"});
  EXPECT_EQ(Outcomes(none.results), Lines{"a.avi not started"});

  FakeSchedule later;
  later.failStartOf = 2;
  later.outcomes[1] = FileOutcome::Failed;
  const Outcome some = Schedule(later, Clips(5), 2);
  EXPECT_EQ(some.end, BatchEnd::StartFailed);
  EXPECT_EQ(later.trace,
            (Lines{"start 0", "start 1", "end 0", "start 2", "end 1", "delete D:\\o\\b.avi.mp3"}));
  EXPECT_EQ(Outcomes(some.results), (Lines{"a.avi ok", "b.avi failed", "c.avi not started"}));
  EXPECT_EQ(later.done, (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(some.results.succeeded, 1);
}

TEST(BatchSchedule, FilesPassedOverWhileOthersRunAreDoneAtOnceUnderTheirOwnIndex) {
  FakeSchedule host;
  host.gone = {u"C:\\v\\b.avi", u"C:\\v\\c.avi"};
  host.endOrder = {3, 0};
  BatchSettings s;
  s.outputFolder = u"D:\\o\\";
  CONVERT_JOB job = Mp3Job();
  BatchResults results;
  // A retry over some positions only: files are counted in the run's order.
  const auto end = RunScheduledBatch(host, Inputs(Clips(6)), {0, 1, 2, 4}, s, job, results, 2);
  EXPECT_EQ(end, BatchEnd::Finished);
  EXPECT_EQ(host.trace, (Lines{"start 0", "start 3", "end 3", "end 0"}));
  EXPECT_EQ(host.shown, (std::vector<std::pair<int, int>>{{1, 4}, {4, 4}}));
  // The command line and the note of each file passed over.
  EXPECT_EQ(host.logged, (std::vector<int>{0, 1, 1, 2, 2, 3}));
  EXPECT_EQ(host.done, (std::vector<int>{1, 2, 3, 0}));
  EXPECT_EQ(Outcomes(results), (Lines{"a.avi ok", "b.avi failed", "c.avi failed", "e.avi ok"}));
  EXPECT_EQ(results.files[1].verdict.reason, FailReason::InputGone);
  EXPECT_EQ(results.files[3].position, 4u);
  EXPECT_EQ(results.succeeded, 2);
}

}  // namespace
