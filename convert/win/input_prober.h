// Looks at input files with the bundled encoder's report on them ("-i FILE"
// with no output): a few at a time on threads of their own, each reader ended
// when it takes too long. While a run converts, the looking waits, except for
// the file the run is about to start.
#pragma once
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "app/input_details_source.h"

class InputProber : public InputDetailsSource {
 public:
  static constexpr DWORD kTimeLimitMs = 15000;

  // `appDir` holds the encoder. Threads start with the first file to look at.
  explicit InputProber(std::u16string appDir, int threads = 2, DWORD timeLimitMs = kTimeLimitMs);
  InputProber(const InputProber&) = delete;
  InputProber& operator=(const InputProber&) = delete;
  // Ends the readers still running and waits for the threads.
  ~InputProber() override;

  void Look(const std::vector<std::u16string>& paths) override;
  void Drop() override;
  InputDetails Known(const std::u16string& path) override;
  void SetListener(std::function<void()> news) override;

  // The file's details as it is now: looked at here and now when it has not
  // been, or has changed (size or time) since. Blocks; any thread.
  InputDetails Current(const std::u16string& path);

  // While a run converts (counted: several may), the threads take no file.
  void RunStarted();
  void RunEnded();
  // For as long as it lives; a null prober is none.
  class Yielding {
   public:
    explicit Yielding(InputProber* prober) : m_prober(prober) {
      if (m_prober) m_prober->RunStarted();
    }
    ~Yielding() {
      if (m_prober) m_prober->RunEnded();
    }
    Yielding(const Yielding&) = delete;
    Yielding& operator=(const Yielding&) = delete;

   private:
    InputProber* m_prober;
  };

 private:
  void Work();
  // Looks at the file; not `probed` when the reader could not be started.
  InputDetails Probe(const std::u16string& path);
  void Store(const std::u16string& path, const InputDetails& details);

  const std::u16string m_appDir;
  const int m_threads;
  const DWORD m_timeLimitMs;
  std::mutex m_lock;
  std::condition_variable m_wake;
  std::deque<std::u16string> m_queue;
  std::map<std::u16string, InputDetails> m_known;  // by folded path
  std::function<void()> m_news;
  std::vector<std::thread> m_workers;
  int m_runs = 0;
  std::atomic<bool> m_stopping{false};
};
