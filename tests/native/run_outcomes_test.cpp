#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "convert/failure_reason.h"
#include "convert/run_outcomes.h"

namespace {

// An encoder's output kept as test data, as it printed it (bytes as Latin-1).
std::u16string EncoderText(const char* name) {
  std::ifstream in(std::string(VM_SOURCE_DIR "/tests/data/encoder/") + name, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string s = bytes.str();
  EXPECT_FALSE(s.empty()) << name;
  return std::u16string(s.begin(), s.end());
}

std::u16string TellingLineOf(const std::u16string& text, size_t chunk) {
  TellingLineWatch watch;
  for (size_t at = 0; at < text.size(); at += chunk) watch.Feed(text.substr(at, chunk));
  return watch.Line();
}

FileRecord Record(size_t position, FileOutcome outcome, FailReason reason = FailReason::None) {
  FileRecord r;
  r.input = u"C:\\v\\f" + std::u16string(1, char16_t(u'0' + position)) + u".avi";
  r.position = position;
  r.verdict.outcome = outcome;
  r.verdict.reason = reason;
  return r;
}

// Every input's record after a run over all of them that came to `files`.
std::vector<FileRecord> ByPosition(const std::vector<INPUT_FILE>& inputs,
                                   const std::vector<FileRecord>& files, BatchEnd end) {
  std::vector<FileRecord> outcomes;
  RecordRun(outcomes, inputs, AllPositions(inputs.size()), files, end);
  return outcomes;
}

}  // namespace

TEST(FailureReason, TheMostTellingLineOfRealEncoderOutputs) {
  const struct {
    const char* file;
    const char16_t* line;
  } cases[] = {
      {"unknown_encoder.txt", u"Unknown encoder 'msmpeg4v1'"},
      {"missing_input.txt", u"No such file or directory"},
      {"invalid_data.txt", u"Invalid data found when processing input"},
      {"empty_input.txt", u"Invalid data found when processing input"},
      {"permission_denied.txt", u"Permission denied"},
      {"missing_folder.txt", u"nodir/out.mp3: No such file or directory"},
  };
  for (const auto& c : cases) {
    const std::u16string text = EncoderText(c.file);
    // However the pipe cut it.
    for (size_t chunk : {size_t(1), size_t(7), size_t(4096)}) {
      const std::u16string line = TellingLineOf(text, chunk);
      EXPECT_NE(line.find(c.line), std::u16string::npos) << c.file << " in chunks of " << chunk;
    }
  }
  // A successful run's banner and progress say nothing.
  EXPECT_EQ(TellingLineOf(EncoderText("success.txt"), 4096), u"");
}

TEST(FailureReason, ACauseOutranksAGenericLineAndTheFirstCauseWins) {
  EXPECT_EQ(TellingLineOf(u"x.avi: Permission denied\nConversion failed!\n", 5),
            u"x.avi: Permission denied");
  EXPECT_EQ(TellingLineOf(u"Conversion failed!\r\n", 3), u"Conversion failed!");
  EXPECT_EQ(TellingLineOf(u"a: No space left on device\nb: No such file or directory\n", 64),
            u"a: No space left on device");
  // Notes and warnings are no reason; an unended last line counts; an overlong one is cut.
  EXPECT_EQ(TellingLineOf(u"Guessed Channel Layout for Input Stream #0.0 : mono\n", 64), u"");
  EXPECT_EQ(TellingLineOf(u"frame=1 time=00:00:01\nError while opening encoder", 9),
            u"Error while opening encoder");
  EXPECT_EQ(TellingLineOf(u"Error: " + std::u16string(1000, u'x') + u"\n", 100).size(), 300u);
}

TEST(RunOutcomes, EveryInputHasAnOutcomeByPosition) {
  std::vector<INPUT_FILE> inputs;
  for (int i = 0; i < 5; ++i)
    inputs.push_back(InputFileOf(u"C:\\v\\f" + std::u16string(1, char16_t(u'0' + i)) + u".avi"));
  // Cancelled in the third of five: the last two never started and count as cancelled.
  std::vector<FileRecord> all =
      ByPosition(inputs,
                 {Record(0, FileOutcome::Succeeded), Record(1, FileOutcome::Failed),
                  Record(2, FileOutcome::Cancelled)},
                 BatchEnd::Cancelled);
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[2].verdict.outcome, FileOutcome::Cancelled);
  EXPECT_EQ(all[2].verdict.reason, FailReason::None);
  for (size_t i : {3u, 4u}) {
    EXPECT_EQ(all[i].position, i);
    EXPECT_EQ(all[i].input, inputs[i].strPath);
    EXPECT_EQ(all[i].verdict.outcome, FileOutcome::Cancelled);
    EXPECT_EQ(all[i].verdict.reason, FailReason::NotReached);
  }
  EXPECT_EQ(RetryPositions(all), (std::vector<size_t>{1, 2, 3, 4}));
  EXPECT_EQ(CountConverted(all), 1);

  // A retry replaces only what it ran; the list keeps its order.
  MergeOutcomes(all, {Record(1, FileOutcome::Succeeded), Record(3, FileOutcome::Failed),
                      Record(9, FileOutcome::Succeeded)});
  EXPECT_EQ(CountConverted(all), 2);
  EXPECT_EQ(RetryPositions(all), (std::vector<size_t>{2, 3, 4}));

  // An encoder that cannot start: the rest are Not started.
  const std::vector<FileRecord> start = ByPosition(inputs, {}, BatchEnd::StartFailed);
  EXPECT_EQ(start[0].verdict.outcome, FileOutcome::StartFailed);
  EXPECT_EQ(RetryPositions(start).size(), 5u);
}

TEST(RunOutcomes, RowsSayWhatHappenedAndWhy) {
  OutcomeTexts t;
  FileRecord r = Record(0, FileOutcome::Succeeded);
  r.verdict.outputSize = 1258291;
  EXPECT_EQ(OutcomeRow(r, t), u"f0.avi - Converted (1.2 MB)");

  r = Record(1, FileOutcome::Failed, FailReason::ExitCode);
  r.verdict.tellingLine = u"Unknown encoder 'msmpeg4v1'";
  r.verdict.exited = true;
  r.verdict.exitCode = 1;
  EXPECT_EQ(OutcomeRow(r, t), u"f1.avi - Failed: Unknown encoder 'msmpeg4v1' (exit code 1)");

  // Exit 0 and nothing written says so, whatever else was printed.
  r = Record(2, FileOutcome::Failed, FailReason::NoOutput);
  r.verdict.tellingLine = u"[mp3 @ 0x1] a warning";
  r.verdict.exited = true;
  EXPECT_EQ(OutcomeRow(r, t),
            u"f2.avi - Failed: the encoder reported success but wrote nothing (exit code 0)");

  r = Record(3, FileOutcome::Failed, FailReason::FatalLine);
  r.verdict.fatalLine = u"Conversion failed!";
  r.verdict.exited = true;
  r.verdict.exitCode = 0;
  EXPECT_EQ(OutcomeRow(r, t), u"f3.avi - Failed: Conversion failed! (exit code 0)");

  r = Record(4, FileOutcome::Failed, FailReason::ExitCode);
  r.verdict.exited = true;
  r.verdict.exitCode = 3221225477;
  EXPECT_EQ(OutcomeText(r.verdict, t),
            u"Failed: the encoder gave no reason (exit code 3221225477)");

  EXPECT_EQ(OutcomeText(Record(0, FileOutcome::Failed, FailReason::OutputIsAnInput).verdict, t),
            u"Failed: the output would replace an input of this run");
  EXPECT_EQ(OutcomeText(Record(0, FileOutcome::Failed, FailReason::InputGone).verdict, t),
            u"Failed: the input file is no longer there");
  EXPECT_EQ(OutcomeText(Record(0, FileOutcome::Failed, FailReason::PathTooLong).verdict, t),
            u"Failed: the output path is too long");
  r = Record(5, FileOutcome::Failed, FailReason::FolderNotCreated);
  r.verdict.tellingLine = u"Access denied.";
  EXPECT_EQ(OutcomeRow(r, t),
            u"f5.avi - Failed: the output folder could not be created: Access denied.");
  EXPECT_EQ(OutcomeText(Record(0, FileOutcome::Skipped).verdict, t), u"Skipped");
  EXPECT_EQ(OutcomeText(Record(0, FileOutcome::Cancelled).verdict, t), u"Cancelled");
  EXPECT_EQ(OutcomeText(Record(0, FileOutcome::Cancelled, FailReason::NotReached).verdict, t),
            u"Cancelled: the run ended before this file");
  EXPECT_EQ(OutcomeText(Record(0, FileOutcome::StartFailed).verdict, t),
            u"Not started: the encoder could not be started");

  // A pack's words replace the built-in ones.
  const OutcomeTexts german = TranslatedTexts(OutcomeTextKeys(), {{u"9142-3", u"Übersprungen"}});
  EXPECT_EQ(OutcomeText(Record(0, FileOutcome::Skipped).verdict, german), u"Übersprungen");
}

TEST(RunOutcomes, FilesAddedWithAFolderAreNamedByTheirPathBelowIt) {
  const std::vector<INPUT_FILE> files = {
      InputFileUnder(u"D:\\A\\B\\C\\deep.avi", u"D:\\A"),
      InputFileUnder(u"D:\\A\\x\\clip.avi", u"D:\\A\\"),
      InputFileUnder(u"D:\\A\\y\\clip.avi", u"d:\\a"),
      // Found below a drive's root, and in the extended form of a long path.
      InputFileUnder(u"E:\\clip.avi", u"E:\\"),
      InputFileUnder(u"\\\\?\\D:\\A\\long\\clip.avi", u"D:\\A"),
      InputFileOf(u"D:\\A\\x\\alone.avi"),
  };
  const char16_t* const rows[] = {
      u"B\\C\\deep.avi - Converted (1,2 MB)", u"x\\clip.avi - Converted (1,2 MB)",
      u"y\\clip.avi - Converted (1,2 MB)",    u"clip.avi - Converted (1,2 MB)",
      u"long\\clip.avi - Converted (1,2 MB)", u"alone.avi - Converted (1,2 MB)",
  };
  // The size as the pack's language writes it.
  OutcomeTexts texts;
  texts.numbers = TranslatedTexts(NumberTextKeys(), {{u"9144-1", u","}});
  for (size_t i = 0; i < files.size(); ++i) {
    FileRecord r = Record(i, FileOutcome::Succeeded);
    r.input = files[i].strPath;
    r.verdict.outputSize = 1258291;
    EXPECT_EQ(OutcomeRow(r, files[i], texts), rows[i]);
  }
}

TEST(RunOutcomes, ARetryRecordsOnlyItsOwnFiles) {
  std::vector<INPUT_FILE> inputs = {InputFileOf(u"C:\\v\\a.avi"), InputFileOf(u"C:\\v\\b.avi"),
                                    InputFileOf(u"C:\\v\\c.avi")};
  std::vector<FileRecord> all =
      ByPosition(inputs,
                 {Record(0, FileOutcome::Succeeded), Record(1, FileOutcome::Failed),
                  Record(2, FileOutcome::Failed)},
                 BatchEnd::Finished);
  // The retry of b and c is cancelled in b: c is cancelled, a keeps its success.
  RecordRun(all, inputs, RetryPositions(all), {Record(1, FileOutcome::Cancelled)},
            BatchEnd::Cancelled);
  EXPECT_EQ(all[0].verdict.outcome, FileOutcome::Succeeded);
  EXPECT_EQ(all[1].verdict.outcome, FileOutcome::Cancelled);
  EXPECT_EQ(all[2].verdict.outcome, FileOutcome::Cancelled);
  EXPECT_EQ(all[2].verdict.reason, FailReason::NotReached);
  EXPECT_EQ(all[2].input, u"C:\\v\\c.avi");
}
