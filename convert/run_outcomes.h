// Every input's outcome after one or more runs over the list, by position in
// the input list, and how the result page words it.
#pragma once
#include <string>
#include <vector>

#include "convert/result_text.h"

#include "app/number_text.h"
#include "convert/batch_run.h"

// The words of the result page's list. English is built in; a language pack
// replaces them by key (see OutcomeTextKeys).
struct OutcomeTexts {
  std::u16string converted = u"Converted";
  std::u16string failed = u"Failed";
  std::u16string skipped = u"Skipped";
  std::u16string cancelled = u"Cancelled";
  std::u16string notStarted = u"Not started";
  std::u16string exitCode = u"exit code %1";
  std::u16string emptyOutput = u"the encoder reported success but wrote nothing";
  std::u16string outputIsInput = u"the output would replace an input of this run";
  std::u16string notReached = u"the run ended before this file";
  std::u16string noReason = u"the encoder gave no reason";
  std::u16string startFailed = u"the encoder could not be started";
  std::u16string inputGone = u"the input file is no longer there";
  std::u16string pathTooLong = u"the output path is too long";
  std::u16string folderNotCreated = u"the output folder could not be created";
  // Set from NumberTextKeys and FailureTextKeys.
  NumberTexts numbers;
  FailureTexts failures;
};

// Each text's member and its language pack key, "9142-1" on ("9142-12" is the
// row menu's item).
const std::vector<TextKey<OutcomeTexts>>& OutcomeTextKeys();

// One record per input in `outcomes`, by position, after a run over the
// files at `positions` that came to `files`: the files it never reached are
// Cancelled (a cancelled run) or Not started (an encoder that could not be
// started); the other inputs keep their records.
void RecordRun(std::vector<FileRecord>& outcomes, const std::vector<INPUT_FILE>& inputs,
               const std::vector<size_t>& positions, const std::vector<FileRecord>& files,
               BatchEnd end);
// Replaces the records of the files a later run went over.
void MergeOutcomes(std::vector<FileRecord>& outcomes, const std::vector<FileRecord>& rerun);
// The positions worth another run: failed, cancelled and not started.
std::vector<size_t> RetryPositions(const std::vector<FileRecord>& outcomes);
int CountConverted(const std::vector<FileRecord>& outcomes);

// The outcome word and what follows it: the size of a converted file; for a
// failed one its cause in plain words where known, the encoder's line
// (without `input`, the file's path, before it) and its exit code.
std::u16string OutcomeText(const FileVerdict& verdict, const OutcomeTexts& texts,
                           const std::u16string& input = std::u16string());
// One row of the list: the file's name (its path below the folder it was
// added with, when `file` is given), then OutcomeText.
std::u16string OutcomeRow(const FileRecord& record, const OutcomeTexts& texts);
std::u16string OutcomeRow(const FileRecord& record, const INPUT_FILE& file,
                          const OutcomeTexts& texts);
