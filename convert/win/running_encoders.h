// The encoders of one run, each started on the caller's thread and read to
// its end on a thread of its own, so that several can run at once.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "convert/batch_schedule.h"
#include "convert/win/encoder_runner.h"

class RunningEncoders {
 public:
  // `ended` hears of each encoder on its own thread as soon as it has ended,
  // before WaitForEnd hands it back.
  explicit RunningEncoders(std::function<void(const EncoderEnd&)> ended = nullptr)
      : m_ended(std::move(ended)) {}
  RunningEncoders(const RunningEncoders&) = delete;
  RunningEncoders& operator=(const RunningEncoders&) = delete;
  // Ends the encoders still running and waits for their threads.
  ~RunningEncoders();

  // Starts the encoder of `file`, which reports to `sink` until it has ended.
  // False when it could not be started; the user has been told.
  bool Start(int file, EncoderRunSink& sink, const std::u16string& commandLine,
             const std::u16string& outputPath);
  // Blocks until one of the encoders has ended, and judges its file.
  EncoderEnd WaitForEnd();
  // Ends every running encoder; each is still handed back by WaitForEnd.
  void EndAll();

 private:
  struct Slot {
    int file = -1;
    std::unique_ptr<EncoderRunner> runner;
    std::u16string output;
    HANDLE thread = nullptr;
    RunningEncoders* owner = nullptr;
  };
  static DWORD WINAPI ReadThread(LPVOID param);
  void Ended(const EncoderEnd& end);
  // Waits for the slot's thread and lets go of it.
  void Release(std::unique_ptr<Slot>& slot);

  const std::function<void(const EncoderEnd&)> m_ended;
  std::mutex m_lock;
  std::condition_variable m_changed;
  std::deque<EncoderEnd> m_ends;
  std::vector<std::unique_ptr<Slot>> m_slots;
};

// How the encoder's file ended, with what it said and the output's size.
FileVerdict JudgedFile(const EncoderRunner& runner, EncoderOutcome outcome,
                       const std::u16string& outputPath);
