#include "convert/run_outcomes.h"

#include "app/input_files.h"
#include "convert/output_path.h"
#include "convert/result_text.h"

namespace {

std::u16string FailureText(const FileVerdict& v, const OutcomeTexts& texts,
                           const std::u16string& input) {
  std::u16string why;
  switch (v.reason) {
    case FailReason::OutputIsAnInput:
      return texts.outputIsInput;
    case FailReason::NotReached:
      return texts.notReached;
    case FailReason::InputGone:
      return texts.inputGone;
    case FailReason::PathTooLong:
      return texts.pathTooLong;
    case FailReason::FolderNotCreated:
      // The system's own words follow, when it gave any.
      return v.tellingLine.empty() ? texts.folderNotCreated
                                   : texts.folderNotCreated + u": " + v.tellingLine;
    case FailReason::NoOutput:
      if (v.tellingLine.empty() || (v.exited && v.exitCode == 0)) why = texts.emptyOutput;
      break;
    case FailReason::Unreadable:
    case FailReason::FatalLine:
    case FailReason::ExitCode:
    case FailReason::None:
      break;
  }
  const std::u16string line =
      EncoderLineShown(!v.tellingLine.empty() ? v.tellingLine : v.fatalLine, input);
  // Plain words first, when the encoder's say what they come to.
  const std::u16string words = FailureWords(v.cause, texts.failures, input);
  if (!words.empty()) why = line.empty() ? words : words + u" - " + line;
  if (why.empty()) why = line;
  if (why.empty()) why = texts.noReason;
  if (v.exited) why += u" (" + FillIn(texts.exitCode, {DecimalText(int64_t(v.exitCode))}) + u")";
  return why;
}

}  // namespace

const std::vector<TextKey<OutcomeTexts>>& OutcomeTextKeys() {
  static const std::vector<TextKey<OutcomeTexts>> keys = {
      {&OutcomeTexts::converted, u"9142-1"},    {&OutcomeTexts::failed, u"9142-2"},
      {&OutcomeTexts::skipped, u"9142-3"},      {&OutcomeTexts::cancelled, u"9142-4"},
      {&OutcomeTexts::notStarted, u"9142-5"},   {&OutcomeTexts::exitCode, u"9142-6"},
      {&OutcomeTexts::emptyOutput, u"9142-7"},  {&OutcomeTexts::outputIsInput, u"9142-8"},
      {&OutcomeTexts::notReached, u"9142-9"},   {&OutcomeTexts::noReason, u"9142-10"},
      {&OutcomeTexts::startFailed, u"9142-11"}, {&OutcomeTexts::inputGone, u"9142-13"},
      {&OutcomeTexts::pathTooLong, u"9142-14"}, {&OutcomeTexts::folderNotCreated, u"9142-15"},
  };
  return keys;
}

void RecordRun(std::vector<FileRecord>& outcomes, const std::vector<INPUT_FILE>& inputs,
               const std::vector<size_t>& positions, const std::vector<FileRecord>& files,
               BatchEnd end) {
  outcomes.resize(inputs.size());
  for (size_t i = 0; i < inputs.size(); ++i) {
    outcomes[i].input = inputs[i].strPath;
    outcomes[i].position = i;
  }
  for (size_t position : positions) {
    if (position >= outcomes.size()) continue;
    FileRecord& record = outcomes[position];
    record.output.clear();
    record.verdict = FileVerdict();
    record.verdict.outcome =
        end == BatchEnd::StartFailed ? FileOutcome::StartFailed : FileOutcome::Cancelled;
    record.verdict.reason = FailReason::NotReached;
  }
  MergeOutcomes(outcomes, files);
}

void MergeOutcomes(std::vector<FileRecord>& outcomes, const std::vector<FileRecord>& rerun) {
  for (const FileRecord& record : rerun)
    if (record.position < outcomes.size()) outcomes[record.position] = record;
}

std::vector<size_t> RetryPositions(const std::vector<FileRecord>& outcomes) {
  std::vector<size_t> positions;
  for (const FileRecord& record : outcomes) {
    const FileOutcome o = record.verdict.outcome;
    if (o == FileOutcome::Failed || o == FileOutcome::Cancelled || o == FileOutcome::StartFailed)
      positions.push_back(record.position);
  }
  return positions;
}

int CountConverted(const std::vector<FileRecord>& outcomes) {
  int converted = 0;
  for (const FileRecord& record : outcomes)
    if (record.verdict.outcome == FileOutcome::Succeeded) ++converted;
  return converted;
}

std::u16string OutcomeText(const FileVerdict& v, const OutcomeTexts& texts,
                           const std::u16string& input) {
  switch (v.outcome) {
    case FileOutcome::Succeeded:
      return texts.converted + u" (" + SizeText(v.outputSize, texts.numbers) + u")";
    case FileOutcome::Skipped:
      return texts.skipped;
    case FileOutcome::Cancelled:
      return v.reason == FailReason::NotReached ? texts.cancelled + u": " + texts.notReached
                                                : texts.cancelled;
    case FileOutcome::StartFailed:
      return texts.notStarted + u": " +
             (v.reason == FailReason::NotReached ? texts.notReached : texts.startFailed);
    case FileOutcome::Failed:
      break;
  }
  return texts.failed + u": " + FailureText(v, texts, input);
}

std::u16string OutcomeRow(const FileRecord& record, const OutcomeTexts& texts) {
  return OutcomeRow(record, InputFileOf(record.input), texts);
}

std::u16string OutcomeRow(const FileRecord& record, const INPUT_FILE& file,
                          const OutcomeTexts& texts) {
  return NameBelowRoot(file) + u" - " + OutcomeText(record.verdict, texts, record.input);
}
