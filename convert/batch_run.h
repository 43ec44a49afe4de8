// One conversion run over a copy of the input list: output paths, command
// lines, the overwrite question, the encoder per file and the run's results.
// The host supplies everything that touches windows, files and processes.
#pragma once
#include <string>
#include <vector>

#include "app/input_files.h"
#include "convert/encoder_verdict.h"
#include "convert/failure_wording.h"
#include "convert/output_path.h"
#include "profiles/convert_job.h"

// Skipped: the user answered No to the overwrite question.
enum class FileOutcome { Succeeded, Failed, Skipped, Cancelled, StartFailed };
enum class BatchEnd { Finished, Cancelled, StartFailed };

// How one file ended, and why when it failed.
struct FileVerdict {
  FileOutcome outcome = FileOutcome::Failed;
  FailReason reason = FailReason::None;
  std::u16string fatalLine;  // the encoder's, when that is the reason
  // What the encoder said and how it ended, for the result page.
  std::u16string tellingLine;
  // What the encoder's words come to, in plain words on the page.
  FailureCause cause;
  bool exited = false;
  unsigned long exitCode = 0;
  unsigned long long outputSize = 0;  // of a converted file
};

class BatchHost {
 public:
  virtual ~BatchHost() = default;
  virtual bool FileExists(const std::u16string& path) = 0;
  // The overwrite question; true for Yes.
  virtual bool AskOverwrite(const std::u16string& question) = 0;
  virtual void DeleteFile(const std::u16string& path) = 0;
  // Creates a folder and the missing folders above it; empty when it exists
  // afterwards, else the system's reason.
  virtual std::u16string CreateFolders(const std::u16string& folder) = 0;
  virtual void Log(const std::u16string& text) = 0;
  // The file's display name and "position/count" labels.
  virtual void ShowFile(const std::u16string& name, int position, int count) = 0;
  // False when the encoder could not be started; the user has been told.
  virtual bool StartEncoder(const std::u16string& commandLine) = 0;
  // Reads the started encoder's output to its end and judges the file.
  virtual FileVerdict FinishEncoder(const std::u16string& outputPath) = 0;
  // The run is done with its `done`th file of `count`, however it ended.
  virtual void FileDone(int done, int count) {
    (void)done;
    (void)count;
  }
};

struct BatchSettings {
  std::u16string outputFolder;
  bool sameAsSource = false;
  bool overwrite = false;
  std::u16string appDir;
};

// One file the run came to, in the run's order.
struct FileRecord {
  std::u16string input;
  std::u16string output;
  FileVerdict verdict;
  size_t position = 0;  // in the input list
};

struct BatchResults {
  int succeeded = 0;
  std::vector<std::u16string> outputFiles;
  std::vector<FileRecord> files;
};

// The question asked when an output exists and overwriting is off.
std::u16string OverwriteQuestion(const std::u16string& outputPath);
// The log's note on a file that is not converted because its output would
// replace an input of the run.
std::u16string OutputIsAnInputNote(const std::u16string& outputPath);

// Whether two paths name the same file as Windows compares names: letters of
// either case and either slash are alike.
bool SamePath(const std::u16string& a, const std::u16string& b);

// The log's notes on a file that is not converted, and why.
std::u16string InputGoneNote(const std::u16string& inputPath);
std::u16string PathProblemNote(const std::u16string& outputPath, PathProblem problem);
std::u16string FolderFailedNote(const std::u16string& folder, const std::u16string& reason);

// Runs every file of `inputs` in order, one encoder at a time (the schedule
// of convert/batch_schedule.h with one encoder). `job` keeps the profile and option
// rows of the output settings; its paths are filled per file, in the form the
// encoder can open (ExtendedLengthPath). A file whose input is gone, whose
// output path cannot be written or whose output folder cannot be created is
// logged and not converted; the run goes on with the next.
BatchEnd RunBatch(BatchHost& host, const std::vector<INPUT_FILE>& inputs,
                  const BatchSettings& settings, CONVERT_JOB& job, BatchResults& results);
// 0 to count - 1: the positions of a run over every input.
std::vector<size_t> AllPositions(size_t count);
// The same over the files of `inputs` at `positions` only, in that order; the
// others still count as inputs an output may not replace.
BatchEnd RunBatchAt(BatchHost& host, const std::vector<INPUT_FILE>& inputs,
                    const std::vector<size_t>& positions, const BatchSettings& settings,
                    CONVERT_JOB& job, BatchResults& results);
