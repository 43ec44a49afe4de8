#include "convert/batch_run.h"

#include "profiles/command_line.h"

std::u16string OverwriteQuestion(const std::u16string& outputPath) {
  return u"The file: " + outputPath + u" have exist. writeover it? ";
}

BatchEnd RunBatch(BatchHost& host, const std::vector<INPUT_FILE>& inputs,
                  const BatchSettings& settings, CONVERT_JOB& job, BatchResults& results) {
  const int count = int(inputs.size());
  for (int i = 0; i < count; ++i) {
    const std::u16string& path = inputs[size_t(i)].strPath;
    const std::u16string& name = inputs[size_t(i)].strName;
    job.strInput = path;
    job.strOutput =
        OutputPath(settings.sameAsSource, settings.outputFolder, path, name, job.nProfile);
    job.strEncoder = EncoderPath(settings.appDir);
    std::u16string commandLine;
    BuildCommandLine(&job, commandLine);
    host.Log(commandLine);

    if (!settings.overwrite && host.FileExists(job.strOutput)) {
      if (!host.AskOverwrite(OverwriteQuestion(job.strOutput))) continue;
      host.DeleteFile(job.strOutput);
    }
    host.ShowFile(name, i + 1, count);
    switch (host.RunEncoder(commandLine, job.strOutput)) {
      case FileOutcome::Succeeded:
        results.outputFiles.push_back(job.strOutput);
        ++results.succeeded;
        break;
      case FileOutcome::Failed:
        break;
      case FileOutcome::Cancelled:
        // A cancelled run reports no successes, though finished files stay listed.
        results.succeeded = 0;
        return BatchEnd::Cancelled;
      case FileOutcome::StartFailed:
        return BatchEnd::StartFailed;
    }
  }
  return BatchEnd::Finished;
}
