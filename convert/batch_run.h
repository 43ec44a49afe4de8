// What a conversion run is made of: the settings it runs with, how each file
// ended and why, and the log's notes on files it does not convert.
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

struct BatchSettings {
  std::u16string outputFolder;
  bool sameAsSource = false;
  bool overwrite = false;
  std::u16string appDir;
};

// A moment of the local clock, as the log and the report stamp it.
struct WallTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
};

// One file of a run: where it is in the input list, how it ended and why,
// its paths, sizes and times.
struct FileRecord {
  std::u16string input;
  std::u16string output;
  FileVerdict verdict;
  size_t position = 0;  // in the input list
  unsigned long long inputSize = 0;
  WallTime started;  // when the run came to it
  WallTime ended;    // when its outcome was known
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
std::u16string UnreadableNote(const std::u16string& inputPath);
std::u16string PathProblemNote(const std::u16string& outputPath, PathProblem problem);
std::u16string FolderFailedNote(const std::u16string& folder, const std::u16string& reason);

// 0 to count - 1: the positions of a run over every input.
std::vector<size_t> AllPositions(size_t count);
