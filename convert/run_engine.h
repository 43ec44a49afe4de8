// One conversion run, with no window in it: the schedule of encoders (up to N
// at once, files started in the run's order, each after its overwrite
// question), each file's outcome, the log in the run's order and the
// estimate. While it lasts it tells a progress model to its sink; it ends with
// one report. The system around it (files, the user's answer, encoders, the
// clock) is its host.
#pragma once
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "convert/batch_run.h"
#include "convert/log_order.h"
#include "convert/run_estimate.h"
#include "profiles/input_details.h"

// One encoder that has ended, and how its file ended.
struct EncoderEnd {
  int file = -1;  // in the run's order
  FileVerdict verdict;
};

// What a running encoder tells the run, on a thread of its own.
class EncoderEvents {
 public:
  virtual ~EncoderEvents() = default;
  // What it printed, at most once a second.
  virtual void Printed(int file, const std::u16string& text) = 0;
  virtual void Percent(int file, int percent) = 0;
  // The input's play time in seconds, once the encoder has printed it.
  virtual void Duration(int file, double seconds) = 0;
  // Polled several times a second, whether or not the encoder prints.
  virtual bool CancelRequested() = 0;
  // At once when it has ended, before WaitForEncoder hands it back.
  virtual void Ended(const EncoderEnd& end) = 0;
};

// The system around a run. Files are counted in the run's order, 0 on. An
// encoder goes on, its output read, while the run asks a question or starts
// another one.
class ScheduleHost {
 public:
  virtual ~ScheduleHost() = default;
  virtual bool FileExists(const std::u16string& path) = 0;
  // False when there is no such file.
  virtual bool FileSize(const std::u16string& path, unsigned long long& size) = 0;
  // The overwrite question; true for Yes.
  virtual bool AskOverwrite(const std::u16string& question) = 0;
  virtual void DeleteFile(const std::u16string& path) = 0;
  // Moves a file over another in the same folder, replacing it. Empty when
  // done, else the system's reason.
  virtual std::u16string MoveOver(const std::u16string& from, const std::u16string& to) = 0;
  // Empty when the folder exists afterwards, else the system's reason.
  virtual std::u16string CreateFolders(const std::u16string& folder) = 0;
  // Starts the encoder of `file`, which reports to `events` until it has
  // ended. False when it could not be started; the user has been told.
  virtual bool StartEncoder(int file, const std::u16string& commandLine,
                            const std::u16string& outputPath, EncoderEvents& events) = 0;
  // Waits until one of the running encoders has ended and judges its file.
  virtual EncoderEnd WaitForEncoder() = 0;
  // Ends every running encoder at once; each is still reported by WaitForEncoder.
  virtual void EndEncoders() = 0;
  // What the input holds as it is now, looked at again when it has changed
  // since it was; not `probed` when that cannot be known.
  virtual InputDetails InputNow(const std::u16string& path) {
    (void)path;
    return InputDetails();
  }
  // What is known of the input already, without looking at it.
  virtual InputDetails InputKnown(const std::u16string& path) {
    (void)path;
    return InputDetails();
  }
  // Seconds on a clock that only goes forward, and the local time.
  virtual double Seconds() = 0;
  virtual WallTime Now() = 0;
};

enum class FileState { Waiting, Running, Done };

// One file of the run as it goes.
struct FileProgress {
  size_t position = 0;  // in the input list
  std::u16string name;  // as the input list shows it
  FileState state = FileState::Waiting;
  int percent = 0;
  FileOutcome outcome = FileOutcome::Failed;  // once Done
};

// What the run is doing: each file's state, the whole run's share and time
// left. The estimate is read anew at most once a second.
struct RunProgress {
  std::vector<FileProgress> files;  // in the run's order
  int done = 0;                     // files done with, cancelled ones aside
  // The file row follows the oldest file still running; -1 until one runs.
  // Its percentage is -1 until that file has told one.
  int rowFile = -1;
  int rowPercent = -1;
  // "i" of "i/N": the file shown with one encoder, the files done + 1 with
  // several; 0 until there is one.
  int countShown = 0;
  int simultaneous = 1;
  double share = 0;  // of the whole run, 0 to 1
  RunEstimate::View estimate;
  int estimateReads = 0;  // how often the estimate has been read
  bool failed = false;    // whether a file has failed so far
  bool finished = false;
};

// Where a run tells what it does, from the run's and the encoders' threads,
// one call at a time, in order.
class RunSink {
 public:
  virtual ~RunSink() = default;
  virtual void Progress(const RunProgress& progress) = 0;
  // Entries of the log as written, "HH:MM:SS text", in the run's order.
  virtual void Logged(const std::vector<std::u16string>& entries) = 0;
  // Polled while encoders run: whether the user wants the run to end.
  virtual bool CancelRequested() = 0;
};

// A run's report: one record per input, by position.
struct RunReport {
  BatchEnd end = BatchEnd::Finished;
  BatchSettings settings;
  // Files the run never came to are Cancelled or Not started.
  std::vector<FileRecord> files;
  std::vector<std::u16string> log;  // its entries, those of earlier runs first
  // The files converted; none for a cancelled run.
  int Succeeded() const;
};

struct RunRequest {
  // Taken when the run starts; every one counts as an input an output may
  // not replace.
  std::vector<INPUT_FILE> inputs;
  // The files to run, in that order; a retry runs only some.
  std::vector<size_t> positions;
  BatchSettings settings;
  // The profile and option rows; its paths are filled per file, in the form
  // the encoder can open (ExtendedLengthPath).
  CONVERT_JOB job;
  int simultaneous = 1;  // less than 1 counts as 1
  // The report a retry goes on from: the other files keep their records,
  // and its log comes first.
  RunReport earlier;
};

// Where a run keeps what it would need to be continued, on the run's thread.
class RunRecorder {
 public:
  virtual ~RunRecorder() = default;
  virtual void RunBegun(const RunRequest& request) = 0;
  // Just before the encoder of the input at `position` may create `written`.
  virtual void FileStarting(size_t position, const std::u16string& written) = 0;
  // Once the file's outcome is final, its output in place.
  virtual void FileEnded(const FileRecord& record) = 0;
  // The run ended, however: nothing is left to continue.
  virtual void RunEnded() = 0;
};

class RunEngine : private EncoderEvents {
 public:
  // `recorder`, when given, hears every change of a file's state.
  RunEngine(ScheduleHost& host, RunSink& sink, RunRecorder* recorder = nullptr)
      : m_host(host), m_sink(sink), m_recorder(recorder) {}
  RunEngine(const RunEngine&) = delete;
  RunEngine& operator=(const RunEngine&) = delete;

  // Runs the files of the request. Two files with one output never run at
  // once: the later one waits, then meets the output as a one-at-a-time run
  // would; once an earlier one has been converted, the later one is written
  // beside it and moved over it only when converted in turn. A cancelled file
  // ends every other; after a start that fails no more start, and those
  // running finish. A file whose input is gone, whose output path cannot be
  // written or would replace an input, or whose folder cannot be created is
  // logged and not converted.
  RunReport Run(RunRequest request);

 private:
  struct InFlight {
    int file;
    size_t record;
    std::u16string written;  // the output, or the partial file beside it
  };

  // The schedule, on the run's thread.
  bool IsWritten(const std::u16string& output) const;
  bool IsConverted(const std::u16string& output) const;
  std::u16string PartialOutput(const std::vector<INPUT_FILE>& inputs, const std::u16string& output);
  void AwaitOne();
  void PassedOver(int file, FailReason reason, const std::u16string& note);
  bool Start(int file, const std::u16string& commandLine, const std::u16string& written);
  void Show(int file);
  void Log(int file, const std::u16string& text, bool chunk);
  void FileDone(int file, size_t record, FileOutcome outcome);

  // EncoderEvents, on the encoders' threads.
  void Printed(int file, const std::u16string& text) override;
  void Percent(int file, int percent) override;
  void Duration(int file, double seconds) override;
  bool CancelRequested() override;
  void Ended(const EncoderEnd& end) override;

  // With the lock held from here on.
  bool Valid(int file) const { return file >= 0 && size_t(file) < m_progress.files.size(); }
  int Oldest() const;
  void Counted(int file);
  // Tells the model; the estimate is read again when a second has passed.
  void Tell(bool readEstimate = false);
  struct Entry {
    WallTime time;
    std::u16string text;
    bool chunk = false;  // the encoder's output, as opposed to the run's own lines
  };
  void Write(const std::vector<Entry>& entries);

  ScheduleHost& m_host;
  RunSink& m_sink;
  RunRecorder* const m_recorder;
  // The run's thread's own.
  std::vector<FileRecord> m_records;  // the files the run came to, in its order
  std::vector<InFlight> m_running;
  // Outputs that an earlier run's report, which this one goes on from, counts as converted.
  std::vector<std::u16string> m_convertedBefore;
  bool m_cancelled = false;
  // Shared with the encoders' threads.
  std::mutex m_lock;
  RunProgress m_progress;
  RunEstimate m_estimate;
  double m_readAt = 0;
  LogOrder<Entry> m_logOrder;
  bool m_firstChunk = true;
  std::set<int> m_counted;
  std::vector<std::u16string> m_log;
};
