// A run that keeps up to N encoders busy. Files start in the run's order, each
// after its overwrite question; their outcomes stay in that order whatever
// order the encoders end in. With N = 1 it is the one-at-a-time run.
#pragma once
#include <string>
#include <vector>

#include "convert/batch_run.h"

// One encoder that has ended, and how its file ended.
struct EncoderEnd {
  int file = -1;  // in the run's order
  FileVerdict verdict;
};

// The program around a run of several encoders. Files are counted in the
// run's order, 0 on. An encoder goes on, its output read, while the run asks
// a question or starts another one.
class ScheduleHost {
 public:
  virtual ~ScheduleHost() = default;
  virtual bool FileExists(const std::u16string& path) = 0;
  // The overwrite question; true for Yes.
  virtual bool AskOverwrite(const std::u16string& question) = 0;
  virtual void DeleteFile(const std::u16string& path) = 0;
  // Empty when the folder exists afterwards, else the system's reason.
  virtual std::u16string CreateFolders(const std::u16string& folder) = 0;
  // `file` is given so that each file's entries can be kept together.
  virtual void Log(int file, const std::u16string& text) = 0;
  // Its encoder runs; `position` is file + 1 of `count`.
  virtual void ShowFile(int file, const std::u16string& name, int position, int count) = 0;
  // False when the encoder could not be started; the user has been told.
  virtual bool StartEncoder(int file, const std::u16string& commandLine,
                            const std::u16string& outputPath) = 0;
  // Waits until one of the running encoders has ended and judges its file.
  virtual EncoderEnd WaitForEncoder() = 0;
  // Ends every running encoder at once; each is still reported by WaitForEncoder.
  virtual void EndEncoders() = 0;
  // The file has nothing more to log; `outcome` is how it ended.
  virtual void FileDone(int file, FileOutcome outcome) = 0;
};

// Runs the files of `inputs` at `positions`, in that order, with at most
// `simultaneous` encoders at a time (less than 1 counts as 1). Two files with
// one output never run at once: the later one waits, then meets the output
// as a one-at-a-time run would. A cancelled file ends every other; after a
// start that fails no more start, and those running finish.
BatchEnd RunScheduledBatch(ScheduleHost& host, const std::vector<INPUT_FILE>& inputs,
                           const std::vector<size_t>& positions, const BatchSettings& settings,
                           CONVERT_JOB& job, BatchResults& results, int simultaneous);
