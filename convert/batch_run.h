// One conversion run over a copy of the input list: output paths, command
// lines, the overwrite question, the encoder per file and the run's results.
// The host supplies everything that touches windows, files and processes.
#pragma once
#include <string>
#include <vector>

#include "app/input_files.h"
#include "profiles/convert_job.h"

enum class FileOutcome { Succeeded, Failed, Cancelled, StartFailed };
enum class BatchEnd { Finished, Cancelled, StartFailed };

class BatchHost {
 public:
  virtual ~BatchHost() = default;
  virtual bool FileExists(const std::u16string& path) = 0;
  // The overwrite question; true for Yes.
  virtual bool AskOverwrite(const std::u16string& question) = 0;
  virtual void DeleteFile(const std::u16string& path) = 0;
  virtual void Log(const std::u16string& text) = 0;
  // The file's display name and "position/count" labels.
  virtual void ShowFile(const std::u16string& name, int position, int count) = 0;
  virtual FileOutcome RunEncoder(const std::u16string& commandLine,
                                 const std::u16string& outputPath) = 0;
};

struct BatchSettings {
  std::u16string outputFolder;
  bool sameAsSource = false;
  bool overwrite = false;
  std::u16string appDir;
};

struct BatchResults {
  int succeeded = 0;
  std::vector<std::u16string> outputFiles;
};

// The question asked when an output exists and overwriting is off.
std::u16string OverwriteQuestion(const std::u16string& outputPath);

// Runs every file of `inputs` in order. `job` keeps the profile and option
// rows of the output settings; its paths are filled per file.
BatchEnd RunBatch(BatchHost& host, const std::vector<INPUT_FILE>& inputs,
                  const BatchSettings& settings, CONVERT_JOB& job, BatchResults& results);
