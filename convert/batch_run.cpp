#include "convert/batch_run.h"

#include "profiles/command_line.h"

std::u16string OverwriteQuestion(const std::u16string& outputPath) {
  return u"The file: " + outputPath + u" have exist. writeover it? ";
}

BatchEnd RunBatch(BatchHost& host, const BatchSettings& settings, CONVERT_JOB& job,
                  BatchResults& results) {
  for (int i = 0; i < host.InputCount(); ++i) {
    const std::u16string path = host.InputPath(i);
    const std::u16string name = host.InputName(i);
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
    host.ShowFile(name, i + 1, host.InputCount());
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
