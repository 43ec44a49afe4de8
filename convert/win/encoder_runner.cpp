#include "convert/win/encoder_runner.h"

namespace {

constexpr DWORD kReadBytes = 4095;
constexpr int kTextUnits = 4096;
// At most one read per second; the wait ends early when the encoder exits.
constexpr DWORD kPauseMs = 1000;
// How long an encoder that has closed its output may take to exit.
constexpr DWORD kExitWaitMs = 10000;

const wchar_t* AsWide(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}

bool IsNonEmptyFile(const std::u16string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(AsWide(path), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  return data.nFileSizeHigh != 0 || data.nFileSizeLow != 0;
}

}  // namespace

EncoderRegistry& EncoderRegistry::Process() {
  // Never destroyed: worker threads may still use it while the process exits.
  static EncoderRegistry* registry = new EncoderRegistry;
  return *registry;
}

void EncoderRegistry::CloseAll() {
  std::lock_guard<std::mutex> hold(m_lock);
  m_bClosed = true;
  for (EncoderRunner* runner : m_runners) {
    runner->m_bTerminated = true;
    runner->KillLocked();
  }
  // Make sure they are gone before the caller lets the program end.
  for (EncoderRunner* runner : m_runners) WaitForSingleObject(runner->m_hProcess, kExitWaitMs);
}

bool EncoderRegistry::IsClosed() {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_bClosed;
}

void EncoderRegistry::Add(EncoderRunner* runner, HANDLE process) {
  std::lock_guard<std::mutex> hold(m_lock);
  m_runners.push_back(runner);
  runner->m_hProcess = process;
  if (m_bClosed) runner->m_bTerminated = true;
  if (runner->m_bTerminated) runner->KillLocked();
}

HANDLE EncoderRegistry::Remove(EncoderRunner* runner) {
  std::lock_guard<std::mutex> hold(m_lock);
  for (size_t i = 0; i < m_runners.size(); ++i) {
    if (m_runners[i] == runner) {
      m_runners.erase(m_runners.begin() + i);
      break;
    }
  }
  HANDLE process = runner->m_hProcess;
  runner->m_hProcess = nullptr;
  return process;
}

EncoderRunner::EncoderRunner(EncoderRunSink& sink, EncoderRegistry& registry)
    : m_sink(sink), m_registry(registry), m_bytes(kReadBytes + 1), m_text(kTextUnits) {}

void EncoderRunner::Terminate() {
  m_bTerminated = true;
  std::lock_guard<std::mutex> hold(m_registry.m_lock);
  KillLocked();
}

void EncoderRunner::KillLocked() {
  if (m_hProcess) TerminateProcess(m_hProcess, 0);
}

EncoderOutcome EncoderRunner::FailToStart(const wchar_t* text) {
  if (!m_bTerminated) m_showMessage(m_sink.MessageOwner(), text, nullptr, MB_OK);
  return EncoderOutcome::StartFailed;
}

EncoderOutcome EncoderRunner::Run(const std::u16string& commandLine,
                                  const std::u16string& outputPath) {
  m_progress.Reset();
  if (m_bTerminated || m_registry.IsClosed()) return EncoderOutcome::Cancelled;

  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &security, 0)) return FailToStart(L"Error On CreatePipe()");
  // Only the write end is for the child. An encoder started meanwhile by another
  // runner would otherwise hold our read end as well.
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  const bool started = Start(commandLine, writeEnd);
  // Without our copy of the write end, the read fails once the child has ended.
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return FailToStart(L"CreateProcess error! Please reinstall this software again.");
  }

  const bool cancelled = !ReadUntilEnd(readEnd);
  CloseHandle(readEnd);
  if (cancelled) {
    // The encoder is gone before the caller looks at its output or starts the next.
    HANDLE process = m_registry.Remove(this);
    WaitForSingleObject(process, kExitWaitMs);
    CloseHandle(process);
    return EncoderOutcome::Cancelled;
  }
  return Finish(outputPath);
}

bool EncoderRunner::Start(const std::u16string& commandLine, HANDLE writeEnd) {
  STARTUPINFOW startup;
  GetStartupInfoW(&startup);
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;

  // The command line must be writable.
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  PROCESS_INFORMATION info;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &info))
    return false;
  CloseHandle(info.hThread);
  m_registry.Add(this, info.hProcess);
  return true;
}

bool EncoderRunner::ReadUntilEnd(HANDLE readEnd) {
  DWORD count = 0;
  while (ReadFile(readEnd, m_bytes.data(), kReadBytes, &count, nullptr) && !m_bTerminated) {
    const int units = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, m_bytes.data(),
                                          static_cast<int>(count), m_text.data(), kTextUnits);
    const std::u16string chunk(reinterpret_cast<const char16_t*>(m_text.data()),
                               units > 0 ? units : 0);
    if (!chunk.empty()) m_sink.LogChunk(chunk);
    if (m_sink.CancelRequested()) {
      std::lock_guard<std::mutex> hold(m_registry.m_lock);
      KillLocked();
      return false;
    }
    int percent = 0;
    if (m_progress.Feed(chunk, percent) && !m_bTerminated) m_sink.SetPercent(percent);
    // Only this thread closes the handle, so it is safe to wait on here.
    WaitForSingleObject(m_hProcess, kPauseMs);
  }
  return true;
}

EncoderOutcome EncoderRunner::Finish(const std::u16string& outputPath) {
  HANDLE process = m_hProcess;
  // An encoder that closed its output but does not exit is stuck: end it.
  if (WaitForSingleObject(process, kExitWaitMs) != WAIT_OBJECT_0) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kExitWaitMs);
  }
  DWORD exitCode = 1;
  if (!GetExitCodeProcess(process, &exitCode)) exitCode = 1;
  CloseHandle(m_registry.Remove(this));

  if (m_bTerminated) return EncoderOutcome::Cancelled;
  if (exitCode != 0 || !IsNonEmptyFile(outputPath)) return EncoderOutcome::Failed;
  m_sink.SetPercent(100);
  return EncoderOutcome::Succeeded;
}
