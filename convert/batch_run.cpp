#include "convert/batch_run.h"

#include "framework/long_path.h"
#include "profiles/command_line.h"

namespace {

char16_t Folded(char16_t c) {
  if (c == u'/') return u'\\';
  return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

bool IsAnInput(const std::vector<INPUT_FILE>& inputs, const std::u16string& path) {
  for (const INPUT_FILE& input : inputs)
    if (SamePath(input.strPath, path)) return true;
  return false;
}

}  // namespace

std::u16string OverwriteQuestion(const std::u16string& outputPath) {
  return u"The file: " + outputPath + u" have exist. writeover it? ";
}

std::u16string OutputIsAnInputNote(const std::u16string& outputPath) {
  return u"Not converted: the output " + outputPath + u" is an input file of this run.";
}

bool SamePath(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Folded(a[i]) != Folded(b[i])) return false;
  return true;
}

std::u16string InputGoneNote(const std::u16string& inputPath) {
  return u"Not converted: the input " + inputPath + u" is no longer there.";
}

std::u16string PathProblemNote(const std::u16string& outputPath, PathProblem problem) {
  if (problem == PathProblem::NameTooLong)
    return u"Not converted: a name in the output " + outputPath +
           u" is longer than 255 characters.";
  return u"Not converted: the output " + outputPath +
         u" makes the encoder's command line longer than 32766 characters.";
}

std::u16string FolderFailedNote(const std::u16string& folder, const std::u16string& reason) {
  return u"Not converted: the folder " + folder + u" cannot be created: " + reason;
}

BatchEnd RunBatch(BatchHost& host, const std::vector<INPUT_FILE>& inputs,
                  const BatchSettings& settings, CONVERT_JOB& job, BatchResults& results) {
  return RunBatchAt(host, inputs, AllPositions(inputs.size()), settings, job, results);
}

std::vector<size_t> AllPositions(size_t count) {
  std::vector<size_t> all(count);
  for (size_t i = 0; i < count; ++i) all[i] = i;
  return all;
}

BatchEnd RunBatchAt(BatchHost& host, const std::vector<INPUT_FILE>& inputs,
                    const std::vector<size_t>& positions, const BatchSettings& settings,
                    CONVERT_JOB& job, BatchResults& results) {
  const int count = int(positions.size());
  for (int i = 0; i < count; ++i) {
    const size_t position = positions[size_t(i)];
    if (position >= inputs.size()) continue;
    const INPUT_FILE& file = inputs[position];
    const std::u16string& path = file.strPath;
    const std::u16string output =
        FileOutputPath(settings.sameAsSource, settings.outputFolder, file, job.nProfile);
    job.strInput = ExtendedLengthPath(path);
    job.strOutput = ExtendedLengthPath(output);
    job.strEncoder = EncoderPath(settings.appDir);
    std::u16string commandLine;
    BuildCommandLine(&job, commandLine);
    host.Log(commandLine);
    results.files.push_back({path, output, FileVerdict(), position});
    FileVerdict& verdict = results.files.back().verdict;

    if (!host.FileExists(path)) {
      host.Log(InputGoneNote(path));
      verdict.reason = FailReason::InputGone;
      host.FileDone(i + 1, count);
      continue;
    }
    const PathProblem problem = OutputPathProblem(output, commandLine);
    if (problem != PathProblem::None) {
      host.Log(PathProblemNote(output, problem));
      verdict.reason = FailReason::PathTooLong;
      host.FileDone(i + 1, count);
      continue;
    }
    // Never over a file the run is still to convert, or has converted.
    if (IsAnInput(inputs, output)) {
      host.Log(OutputIsAnInputNote(output));
      verdict.reason = FailReason::OutputIsAnInput;
      host.FileDone(i + 1, count);
      continue;
    }
    if (!settings.overwrite && host.FileExists(output)) {
      if (!host.AskOverwrite(OverwriteQuestion(output))) {
        verdict.outcome = FileOutcome::Skipped;
        host.FileDone(i + 1, count);
        continue;
      }
      host.DeleteFile(output);
    }
    // Made only now, so that a file passed over leaves no empty folders.
    const std::u16string folder = FolderToCreate(settings.sameAsSource, file, output);
    if (!folder.empty()) {
      const std::u16string reason = host.CreateFolders(folder);
      if (!reason.empty()) {
        host.Log(FolderFailedNote(folder, reason));
        verdict.reason = FailReason::FolderNotCreated;
        verdict.tellingLine = reason;
        host.FileDone(i + 1, count);
        continue;
      }
    }
    if (!host.StartEncoder(commandLine)) {
      verdict.outcome = FileOutcome::StartFailed;
      return BatchEnd::StartFailed;
    }
    // Only a running encoder's file is shown.
    host.ShowFile(file.strName, i + 1, count);
    verdict = host.FinishEncoder(output);
    if (verdict.outcome != FileOutcome::Succeeded) {
      // Half-made: whatever is there now is the encoder's, since an earlier
      // file was either deleted on Yes or given up to overwriting.
      if (host.FileExists(output)) host.DeleteFile(output);
    }
    if (verdict.outcome == FileOutcome::Cancelled) {
      // A cancelled run reports no successes, though finished files stay listed.
      results.succeeded = 0;
      return BatchEnd::Cancelled;
    }
    if (verdict.outcome == FileOutcome::Succeeded) {
      results.outputFiles.push_back(output);
      ++results.succeeded;
    }
    host.FileDone(i + 1, count);
  }
  return BatchEnd::Finished;
}
