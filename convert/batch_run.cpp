#include "convert/batch_run.h"

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

BatchEnd RunBatch(BatchHost& host, const std::vector<INPUT_FILE>& inputs,
                  const BatchSettings& settings, CONVERT_JOB& job, BatchResults& results) {
  std::vector<size_t> all(inputs.size());
  for (size_t i = 0; i < all.size(); ++i) all[i] = i;
  return RunBatchAt(host, inputs, all, settings, job, results);
}

BatchEnd RunBatchAt(BatchHost& host, const std::vector<INPUT_FILE>& inputs,
                    const std::vector<size_t>& positions, const BatchSettings& settings,
                    CONVERT_JOB& job, BatchResults& results) {
  const int count = int(positions.size());
  for (int i = 0; i < count; ++i) {
    const size_t position = positions[size_t(i)];
    if (position >= inputs.size()) continue;
    const std::u16string& path = inputs[position].strPath;
    const std::u16string& name = inputs[position].strName;
    job.strInput = path;
    job.strOutput =
        OutputPath(settings.sameAsSource, settings.outputFolder, path, name, job.nProfile);
    job.strEncoder = EncoderPath(settings.appDir);
    std::u16string commandLine;
    BuildCommandLine(&job, commandLine);
    host.Log(commandLine);
    results.files.push_back({path, job.strOutput, FileVerdict(), position});
    FileVerdict& verdict = results.files.back().verdict;

    // Never over a file the run is still to convert, or has converted.
    if (IsAnInput(inputs, job.strOutput)) {
      host.Log(OutputIsAnInputNote(job.strOutput));
      verdict.reason = FailReason::OutputIsAnInput;
      host.FileDone(i + 1, count);
      continue;
    }
    if (!settings.overwrite && host.FileExists(job.strOutput)) {
      if (!host.AskOverwrite(OverwriteQuestion(job.strOutput))) {
        verdict.outcome = FileOutcome::Skipped;
        host.FileDone(i + 1, count);
        continue;
      }
      host.DeleteFile(job.strOutput);
    }
    if (!host.StartEncoder(commandLine)) {
      verdict.outcome = FileOutcome::StartFailed;
      return BatchEnd::StartFailed;
    }
    // Only a running encoder's file is shown.
    host.ShowFile(name, i + 1, count);
    verdict = host.FinishEncoder(job.strOutput);
    if (verdict.outcome != FileOutcome::Succeeded) {
      // Half-made: whatever is there now is the encoder's, since an earlier
      // file was either deleted on Yes or given up to overwriting.
      if (host.FileExists(job.strOutput)) host.DeleteFile(job.strOutput);
    }
    if (verdict.outcome == FileOutcome::Cancelled) {
      // A cancelled run reports no successes, though finished files stay listed.
      results.succeeded = 0;
      return BatchEnd::Cancelled;
    }
    if (verdict.outcome == FileOutcome::Succeeded) {
      results.outputFiles.push_back(job.strOutput);
      ++results.succeeded;
    }
    host.FileDone(i + 1, count);
  }
  return BatchEnd::Finished;
}
