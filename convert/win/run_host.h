// The system around a run on Windows: files, the overwrite question, the
// encoders and the clock. Each encoder is started on the run's thread and
// read to its end on a thread of its own, so that several can run at once.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "convert/run_engine.h"
#include "convert/win/encoder_runner.h"
#include "convert/win/input_prober.h"

class WindowsRunHost : public ScheduleHost {
 public:
  // `owner` owns the question and the start-failure messages; null for none.
  explicit WindowsRunHost(HWND owner) : m_owner(owner) {}
  WindowsRunHost(const WindowsRunHost&) = delete;
  WindowsRunHost& operator=(const WindowsRunHost&) = delete;
  // Ends the encoders still running and waits for their threads.
  ~WindowsRunHost() override;

  // How the encoders' start failures are shown: MessageBoxW unless set.
  void SetMessageBox(EncoderRunner::MessageBoxFn show) { m_showMessage = show; }
  // Where the inputs are looked at; without one nothing is known of them.
  void SetProber(InputProber* prober) { m_prober = prober; }

  bool FileExists(const std::u16string& path) override;
  bool FileSize(const std::u16string& path, unsigned long long& size) override;
  bool AskOverwrite(const std::u16string& question) override;
  void DeleteFile(const std::u16string& path) override;
  std::u16string MoveOver(const std::u16string& from, const std::u16string& to) override;
  std::u16string CreateFolders(const std::u16string& folder) override;
  bool StartEncoder(int file, const std::u16string& commandLine, const std::u16string& outputPath,
                    EncoderEvents& events) override;
  EncoderEnd WaitForEncoder() override;
  void EndEncoders() override;
  InputDetails InputNow(const std::u16string& path) override;
  InputDetails InputKnown(const std::u16string& path) override;
  double Seconds() override;
  WallTime Now() override;

 private:
  // One encoder, and what it tells the run about its file.
  struct Slot : EncoderRunSink {
    int file = -1;
    EncoderEvents* events = nullptr;
    HWND owner = nullptr;
    std::unique_ptr<EncoderRunner> runner;
    std::u16string output;
    HANDLE thread = nullptr;
    WindowsRunHost* host = nullptr;

    void LogChunk(const std::u16string& text) override { events->Printed(file, text); }
    void SetPercent(int percent) override { events->Percent(file, percent); }
    void SetDuration(double seconds) override { events->Duration(file, seconds); }
    bool CancelRequested() override { return events->CancelRequested(); }
    HWND MessageOwner() override { return owner; }
  };
  static DWORD WINAPI ReadThread(LPVOID param);
  void Ended(Slot& slot, const EncoderEnd& end);
  // Waits for the slot's thread and lets go of it.
  void Release(std::unique_ptr<Slot>& slot);

  const HWND m_owner;
  EncoderRunner::MessageBoxFn m_showMessage = MessageBoxW;
  InputProber* m_prober = nullptr;
  std::mutex m_lock;
  std::condition_variable m_changed;
  std::deque<EncoderEnd> m_ends;
  std::vector<std::unique_ptr<Slot>> m_slots;
};
