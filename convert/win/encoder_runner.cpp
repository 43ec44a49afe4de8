#include "convert/win/encoder_runner.h"

#include <algorithm>

#include "convert/win/encoder_pipe.h"
#include "framework/win/file_io.h"

namespace {

constexpr int kTextUnits = 4096;
// How often a cancel is looked for while the encoder prints nothing.
constexpr uint64_t kPollMs = 100;
// How long an encoder that has closed its output, or been ended, may take to exit.
constexpr DWORD kExitWaitMs = 10000;

bool IsNonEmptyFile(const std::u16string& path) {
  unsigned long long size = 0;
  return FileSizeOf(path, size) && size > 0;
}

// The folder of the program a command line starts, with its separator; empty
// when the system could not take it as a current folder.
std::wstring ProgramFolder(const std::u16string& commandLine) {
  size_t begin = 0, end = commandLine.find(u' ');
  if (!commandLine.empty() && commandLine[0] == u'"') {
    begin = 1;
    end = commandLine.find(u'"', 1);
  }
  const std::u16string program = commandLine.substr(begin, end - begin);
  const size_t slash = program.find_last_of(u"\\/");
  if (slash == std::u16string::npos || slash + 1 >= MAX_PATH - 1) return std::wstring();
  return std::wstring(program.begin(), program.begin() + ptrdiff_t(slash) + 1);
}

// Starting a process in a job: Windows 10 and Wine know it; the headers
// offer it only to programs that need Windows 10, which this one does not.
constexpr DWORD_PTR kJobListAttribute = ProcThreadAttributeValue(13, FALSE, TRUE, FALSE);

// The attribute that starts a process in `job`; no list when the system has
// none to give.
class JobAttribute {
 public:
  explicit JobAttribute(HANDLE job) : m_job(job) {
    SIZE_T size = 0;
    if (!job) return;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    m_bytes.resize(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_bytes.data());
    if (size == 0 || !InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
    if (!UpdateProcThreadAttribute(list, 0, kJobListAttribute, &m_job, sizeof m_job, nullptr,
                                   nullptr)) {
      DeleteProcThreadAttributeList(list);
      return;
    }
    m_list = list;
  }
  ~JobAttribute() {
    if (m_list) DeleteProcThreadAttributeList(m_list);
  }
  JobAttribute(const JobAttribute&) = delete;
  JobAttribute& operator=(const JobAttribute&) = delete;
  LPPROC_THREAD_ATTRIBUTE_LIST List() const { return m_list; }

 private:
  HANDLE m_job;
  std::vector<uint8_t> m_bytes;
  LPPROC_THREAD_ATTRIBUTE_LIST m_list = nullptr;
};

}  // namespace

HANDLE EncoderJob() {
  // Never closed by us: the system closes it with the process.
  static HANDLE job = [] {
    HANDLE created = CreateJobObjectW(nullptr, nullptr);
    if (!created) return created;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits,
                                 sizeof limits)) {
      CloseHandle(created);
      return HANDLE(nullptr);
    }
    return created;
  }();
  return job;
}

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
  m_runners.erase(std::remove(m_runners.begin(), m_runners.end(), runner), m_runners.end());
  HANDLE process = runner->m_hProcess;
  runner->m_hProcess = nullptr;
  return process;
}

EncoderRunner::EncoderRunner(EncoderRunSink& sink, EncoderRegistry& registry)
    : m_sink(sink), m_registry(registry), m_text(kTextUnits) {}

EncoderRunner::~EncoderRunner() {
  Release();
}

void EncoderRunner::Terminate() {
  m_bTerminated = true;
  std::lock_guard<std::mutex> hold(m_registry.m_lock);
  KillLocked();
}

void EncoderRunner::KillLocked() {
  if (m_hProcess) TerminateProcess(m_hProcess, 0);
}

bool EncoderRunner::FailToStart(const wchar_t* text) {
  m_pipe.reset();
  if (!m_bTerminated) m_showMessage(m_sink.MessageOwner(), text, nullptr, MB_OK);
  return false;
}

EncoderOutcome EncoderRunner::Run(const std::u16string& commandLine,
                                  const std::u16string& outputPath) {
  if (Start(commandLine)) return Finish(outputPath);
  return m_bTerminated ? EncoderOutcome::Cancelled : EncoderOutcome::StartFailed;
}

bool EncoderRunner::Start(const std::u16string& commandLine) {
  Release();
  m_output.Reset();
  m_reason = FailReason::None;
  m_bExited = false;
  m_exitCode = 0;
  if (m_registry.IsClosed()) m_bTerminated = true;
  if (m_bTerminated) return false;

  // One start at a time in the process: the write end is inheritable until it
  // is closed here, and another encoder started meanwhile would inherit it and
  // keep this one's output open for as long as it runs.
  static std::mutex starting;
  std::lock_guard<std::mutex> hold(starting);
  m_pipe.reset(new EncoderPipe);
  if (!m_pipe->Create()) return FailToStart(L"Error On CreatePipe()");
  if (!Launch(commandLine))
    return FailToStart(L"CreateProcess error! Please reinstall this software again.");
  // Without our copy of the write end, reading ends once the child has ended.
  m_pipe->CloseWriteEnd();
  return true;
}

bool EncoderRunner::Launch(const std::u16string& commandLine) {
  STARTUPINFOW startup;
  GetStartupInfoW(&startup);
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = m_pipe->WriteEnd();
  startup.hStdError = m_pipe->WriteEnd();

  // The command line must be writable.
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  PROCESS_INFORMATION info;
  // A group of its own and no console: a console's Ctrl+C reaches the
  // program, which ends its encoders, rather than the encoders themselves.
  // Its own folder as the current one, so that nothing it looks for there
  // comes from wherever the program was started.
  const HANDLE job = EncoderJob();
  const DWORD flags = CREATE_NEW_PROCESS_GROUP | CREATE_NO_WINDOW;
  const std::wstring folder = ProgramFolder(commandLine);
  const wchar_t* current = folder.empty() ? nullptr : folder.c_str();
  // Born in the job, so that a program killed at any moment leaves no
  // encoder behind, not even one that has not run yet.
  JobAttribute inJob(job);
  if (inJob.List()) {
    STARTUPINFOEXW extended = {};
    extended.StartupInfo = startup;
    extended.StartupInfo.cb = sizeof extended;
    extended.lpAttributeList = inJob.List();
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                       flags | EXTENDED_STARTUPINFO_PRESENT, nullptr, current,
                       &extended.StartupInfo, &info)) {
      CloseHandle(info.hThread);
      m_registry.Add(this, info.hProcess);
      return true;
    }
  }
  // A system that cannot start a process in a job: suspended until it is in it.
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                      flags | (job ? CREATE_SUSPENDED : DWORD(0)), nullptr, current, &startup,
                      &info))
    return false;
  if (job) {
    // A program that already runs in a job that forbids another is run without ours.
    AssignProcessToJobObject(job, info.hProcess);
    ResumeThread(info.hThread);
  }
  CloseHandle(info.hThread);
  m_registry.Add(this, info.hProcess);
  return true;
}

EncoderOutcome EncoderRunner::Finish(const std::u16string& outputPath) {
  if (!m_pipe || !ReadUntilEnd()) {
    Release();
    return EncoderOutcome::Cancelled;
  }
  const DWORD exitCode = WaitForExitCode();
  Release();
  if (m_bTerminated) return EncoderOutcome::Cancelled;
  m_bExited = true;
  m_exitCode = exitCode;
  m_reason = JudgeEncoder(m_output.FatalLine(), exitCode, IsNonEmptyFile(outputPath));
  if (m_reason != FailReason::None) return EncoderOutcome::Failed;
  m_sink.SetPercent(100);
  return EncoderOutcome::Succeeded;
}

bool EncoderRunner::Cancelled() {
  return m_bTerminated || m_sink.CancelRequested();
}

bool EncoderRunner::ReadUntilEnd() {
  for (;;) {
    if (Cancelled()) return false;
    const DWORD wait = DWORD(std::min(kPollMs, m_output.MsUntilDue(GetTickCount64())));
    const EncoderPipe::Status status = m_pipe->Read(wait);
    if (status == EncoderPipe::Status::Data) {
      const int units = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, m_pipe->Bytes(),
                                            int(m_pipe->Count()), m_text.data(), kTextUnits);
      m_output.Add(
          std::u16string(reinterpret_cast<const char16_t*>(m_text.data()), units > 0 ? units : 0));
      m_output.Said(m_pipe->Bytes(), m_pipe->Count());
      m_sink.Said(m_pipe->Bytes(), m_pipe->Count());
    }
    const bool ended = status == EncoderPipe::Status::Ended;
    const uint64_t now = GetTickCount64();
    // What is left when the output ends goes out at once.
    if ((m_output.Due(now) || (ended && m_output.Pending())) && !Emit(m_output.Take(now)))
      return false;
    if (ended) return true;
  }
}

bool EncoderRunner::Emit(const EncoderOutput::Chunk& chunk) {
  if (m_bTerminated) return false;
  if (!chunk.text.empty()) m_sink.LogChunk(chunk.text);
  if (Cancelled()) return false;
  if (chunk.duration > 0) m_sink.SetDuration(chunk.duration);
  if (chunk.hasPercent) m_sink.SetPercent(chunk.percent);
  return true;
}

DWORD EncoderRunner::WaitForExitCode() {
  HANDLE process = m_hProcess;
  // An encoder that closed its output but does not exit is stuck: end it.
  if (WaitForSingleObject(process, kExitWaitMs) != WAIT_OBJECT_0) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kExitWaitMs);
  }
  DWORD exitCode = 1;
  if (!GetExitCodeProcess(process, &exitCode)) exitCode = 1;
  return exitCode;
}

void EncoderRunner::Release() {
  HANDLE process = m_registry.Remove(this);
  if (process) {
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 0);
    WaitForSingleObject(process, kExitWaitMs);
    CloseHandle(process);
  }
  // The encoder is gone, so a read still under way ends at once.
  m_pipe.reset();
}
