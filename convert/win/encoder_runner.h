// Runs the encoder for one file as a hidden child process, reads everything it
// prints through a pipe and turns that into log chunks and a percentage.
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "convert/progress_parser.h"

// What the converting page offers the runner. Called on the runner's thread.
class EncoderRunSink {
 public:
  virtual ~EncoderRunSink() = default;
  // One chunk of the encoder's text, whole; the page decides how much to log.
  virtual void LogChunk(const std::u16string& text) = 0;
  virtual void SetPercent(int percent) = 0;
  // Polled after every chunk.
  virtual bool CancelRequested() = 0;
  // Owner of the start-failure message boxes.
  virtual HWND MessageOwner() = 0;
};

enum class EncoderOutcome {
  Succeeded,    // exit code 0 and a non-empty output file
  Failed,       // the encoder ran but produced no usable output
  Cancelled,    // cancel requested, or ended from another thread
  StartFailed,  // no pipe or no process; the user has been told
};

class EncoderRunner;

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
  // Forgets the run and hands back its process handle.
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

  // Runs one encoder command line to its end; `outputPath` is the file it
  // should write. Blocks; meant for a worker thread.
  EncoderOutcome Run(const std::u16string& commandLine, const std::u16string& outputPath);

  // Ends the current encoder from any thread, for good: Run returns Cancelled
  // and calls the sink no more once it has seen this. Before Run, it stops
  // Run from starting anything.
  void Terminate();

  // How the runner shows its failure messages: MessageBoxW unless set.
  void SetMessageBox(MessageBoxFn show) { m_showMessage = show; }

 private:
  friend class EncoderRegistry;
  // With the registry lock held.
  void KillLocked();

  EncoderOutcome FailToStart(const wchar_t* text);
  bool Start(const std::u16string& commandLine, HANDLE writeEnd);
  // False when the run was cancelled on a chunk.
  bool ReadUntilEnd(HANDLE readEnd);
  EncoderOutcome Finish(const std::u16string& outputPath);

  EncoderRunSink& m_sink;
  EncoderRegistry& m_registry;
  MessageBoxFn m_showMessage = MessageBoxW;
  EncoderProgress m_progress;
  std::atomic<bool> m_bTerminated{false};
  HANDLE m_hProcess = nullptr;  // set and cleared by Run, under the registry lock
  std::vector<char> m_bytes;
  std::vector<wchar_t> m_text;
};
