// Runs the encoder for one file as a hidden child process, reads everything it
// prints through a pipe and turns that into log chunks and a percentage.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "convert/encoder_output.h"

class EncoderPipe;

// What the converting page offers the runner. Called on the runner's thread.
class EncoderRunSink {
 public:
  virtual ~EncoderRunSink() = default;
  // Output of the encoder, at most once a second; the page decides how much to log.
  virtual void LogChunk(const std::u16string& text) = 0;
  virtual void SetPercent(int percent) = 0;
  // The input's play time in seconds, once the encoder has printed it.
  virtual void SetDuration(double seconds) { (void)seconds; }
  // Polled several times a second, whether or not the encoder prints.
  virtual bool CancelRequested() = 0;
  // Every byte the encoder prints, as it is read, for a sink that reads the whole of it.
  virtual void Said(const char* bytes, size_t count) { (void)bytes, (void)count; }
  // Owner of the start-failure message boxes.
  virtual HWND MessageOwner() = 0;
};

enum class EncoderOutcome {
  Succeeded,    // exit code 0, no fatal line and a non-empty output file
  Failed,       // the encoder ran but produced no usable output; see Reason()
  Cancelled,    // cancel requested, or ended from another thread
  StartFailed,  // no pipe or no process; the user has been told
};

class EncoderRunner;

// The job every encoder of the process runs in: closing its last handle, as
// the system does when the program dies however it dies, ends them all.
// Null when the system gave none.
HANDLE EncoderJob();

// The runs of a process, so that whoever closes the program can end every
// encoder still running instead of leaving it behind.
class EncoderRegistry {
 public:
  static EncoderRegistry& Process();

  // Ends every running encoder and refuses to start new ones. Any thread.
  void CloseAll();
  bool IsClosed();

 private:
  friend class EncoderRunner;
  // Records the run's process; ends it at once when the runner or the
  // registry has been told to end.
  void Add(EncoderRunner* runner, HANDLE process);
  // Forgets the run and hands back its process handle (null when it has none).
  HANDLE Remove(EncoderRunner* runner);

  std::mutex m_lock;
  bool m_bClosed = false;
  std::vector<EncoderRunner*> m_runners;
};

class EncoderRunner {
 public:
  using MessageBoxFn = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);

  explicit EncoderRunner(EncoderRunSink& sink,
                         EncoderRegistry& registry = EncoderRegistry::Process());
  EncoderRunner(const EncoderRunner&) = delete;
  EncoderRunner& operator=(const EncoderRunner&) = delete;
  // Ends an encoder that still runs, and lets go of everything the run holds,
  // however the run was left.
  ~EncoderRunner();

  // Starts the encoder. False when it could not be started: the user has been
  // told, unless the runner or the program was ending anyway.
  bool Start(const std::u16string& commandLine);
  // Reads the started encoder's output to its end and judges `outputPath`,
  // the file it should write. Blocks; meant for a worker thread.
  EncoderOutcome Finish(const std::u16string& outputPath);
  // Start and Finish.
  EncoderOutcome Run(const std::u16string& commandLine, const std::u16string& outputPath);

  // Ends the current encoder from any thread, for good: Finish returns
  // Cancelled and calls the sink no more once it has seen this. Before Start,
  // it stops Start from starting anything.
  void Terminate();

  // Why the last Finish gave Failed, and the encoder's fatal line when that is why.
  FailReason Reason() const { return m_reason; }
  std::u16string FatalLine() const { return m_output.FatalLine(); }
  // The line of the last run that best says what went wrong.
  std::u16string TellingLine() const { return m_output.TellingLine(); }
  FailureCause Cause() const { return m_output.Cause(); }
  // Whether the last run's encoder ended by itself, and with which code.
  bool Exited() const { return m_bExited; }
  DWORD ExitCode() const { return m_exitCode; }

  // How the runner shows its failure messages: MessageBoxW unless set.
  void SetMessageBox(MessageBoxFn show) { m_showMessage = show; }

 private:
  friend class EncoderRegistry;
  // With the registry lock held.
  void KillLocked();

  bool FailToStart(const wchar_t* text);
  bool Launch(const std::u16string& commandLine);
  bool Cancelled();
  // False when the run was cancelled.
  bool ReadUntilEnd();
  bool Emit(const EncoderOutput::Chunk& chunk);
  DWORD WaitForExitCode();
  // Ends the process if it still runs, waits for it and lets go of it and the pipe.
  void Release();

  EncoderRunSink& m_sink;
  EncoderRegistry& m_registry;
  MessageBoxFn m_showMessage = MessageBoxW;
  EncoderOutput m_output;
  FailReason m_reason = FailReason::None;
  bool m_bExited = false;
  DWORD m_exitCode = 0;
  std::unique_ptr<EncoderPipe> m_pipe;
  std::atomic<bool> m_bTerminated{false};
  HANDLE m_hProcess = nullptr;  // set and cleared under the registry lock
  std::vector<wchar_t> m_text;
};
