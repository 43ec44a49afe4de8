#include "convert/win/input_prober.h"

#include "app/input_files.h"
#include "convert/input_report.h"
#include "convert/win/encoder_runner.h"
#include "framework/long_path.h"
#include "framework/win/wide.h"
#include "profiles/command_line.h"

namespace {

// More than any report of a file says; what comes after is left out.
constexpr size_t kMostReport = 1 << 20;

std::u16string Folded(const std::u16string& path) {
  std::u16string folded = path;
  for (char16_t& c : folded) c = FoldedLetter(c);
  return folded;
}

// Size and last write time; false when there is no such file.
bool Stamp(const std::u16string& path, int64_t& size, int64_t& modified) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(W(ExtendedLengthPath(path)), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  size = int64_t((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  modified = int64_t((uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                     data.ftLastWriteTime.dwLowDateTime);
  return true;
}

// Gathers the report and ends the reader once its time is up.
class ReportSink : public EncoderRunSink {
 public:
  ReportSink(DWORD limitMs, const std::atomic<bool>& stopping)
      : m_deadline(::GetTickCount64() + limitMs), m_stopping(stopping) {}
  void LogChunk(const std::u16string&) override {}
  void SetPercent(int) override {}
  bool CancelRequested() override {
    if (::GetTickCount64() >= m_deadline) m_timedOut = true;
    return m_timedOut || m_stopping;
  }
  void Said(const char* bytes, size_t count) override {
    if (m_report.size() < kMostReport) m_report.append(bytes, count);
  }
  HWND MessageOwner() override { return nullptr; }

  std::string m_report;
  bool m_timedOut = false;

 private:
  const ULONGLONG m_deadline;
  const std::atomic<bool>& m_stopping;
};

// A reader that cannot be started says nothing of the file: the run tells.
int WINAPI Silent(HWND, LPCWSTR, LPCWSTR, UINT) {
  return IDOK;
}

}  // namespace

InputProber::InputProber(std::u16string appDir, int threads, DWORD timeLimitMs)
    : m_appDir(std::move(appDir)),
      m_threads(threads < 1 ? 1 : threads),
      m_timeLimitMs(timeLimitMs) {}

InputProber::~InputProber() {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_stopping = true;
    m_queue.clear();
  }
  m_wake.notify_all();
  for (std::thread& worker : m_workers) worker.join();
}

void InputProber::Look(const std::vector<std::u16string>& paths) {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_queue.insert(m_queue.end(), paths.begin(), paths.end());
    while (int(m_workers.size()) < m_threads) m_workers.emplace_back([this] { Work(); });
  }
  m_wake.notify_all();
}

void InputProber::Drop() {
  std::lock_guard<std::mutex> hold(m_lock);
  m_queue.clear();
}

InputDetails InputProber::Known(const std::u16string& path) {
  std::lock_guard<std::mutex> hold(m_lock);
  const auto found = m_known.find(Folded(path));
  return found == m_known.end() ? InputDetails() : found->second;
}

void InputProber::SetListener(std::function<void()> news) {
  std::lock_guard<std::mutex> hold(m_lock);
  m_news = std::move(news);
}

InputDetails InputProber::Current(const std::u16string& path) {
  const InputDetails known = Known(path);
  int64_t size = 0, modified = 0;
  const bool exists = Stamp(path, size, modified);
  if (known.probed && exists == (known.problem != InputProblem::Missing) &&
      (!exists || (known.sizeBytes == size && known.modified == modified)))
    return known;
  const InputDetails details = Probe(path);
  if (details.probed) Store(path, details);
  return details;
}

void InputProber::RunStarted() {
  std::lock_guard<std::mutex> hold(m_lock);
  ++m_runs;
}

void InputProber::RunEnded() {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_runs > 0) --m_runs;
  }
  m_wake.notify_all();
}

void InputProber::Work() {
  for (;;) {
    std::u16string path;
    {
      std::unique_lock<std::mutex> hold(m_lock);
      m_wake.wait(hold, [this] { return m_stopping || (m_runs == 0 && !m_queue.empty()); });
      if (m_stopping) return;
      path = std::move(m_queue.front());
      m_queue.pop_front();
      // Added twice, or looked at by a run meanwhile.
      if (m_known.count(Folded(path))) continue;
    }
    const InputDetails details = Probe(path);
    if (details.probed) Store(path, details);
  }
}

InputDetails InputProber::Probe(const std::u16string& path) {
  int64_t size = 0, modified = 0;
  if (!Stamp(path, size, modified)) {
    InputDetails missing;
    missing.probed = true;
    missing.problem = InputProblem::Missing;
    return missing;
  }
  ReportSink sink(m_timeLimitMs, m_stopping);
  EncoderRunner runner(sink);
  runner.SetMessageBox(Silent);
  const std::u16string commandLine =
      u"\"" + EncoderPath(m_appDir) + u"\" -hide_banner -i \"" + ExtendedLengthPath(path) + u"\"";
  InputDetails details;
  if (!runner.Start(commandLine)) return details;
  const EncoderOutcome outcome = runner.Finish(std::u16string());
  if (outcome == EncoderOutcome::Cancelled && !sink.m_timedOut) return details;
  if (sink.m_timedOut) {
    details.probed = true;
    details.problem = InputProblem::NoAnswer;
  } else {
    details = ReadInputReport(sink.m_report);
  }
  details.sizeBytes = size;
  details.modified = modified;
  return details;
}

void InputProber::Store(const std::u16string& path, const InputDetails& details) {
  std::function<void()> news;
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_known[Folded(path)] = details;
    news = m_news;
  }
  if (news) news();
}
