#include "convert/win/run_host.h"

#include <algorithm>

#include "convert/win/failure_cause.h"
#include "framework/long_path.h"
#include "framework/win/file_io.h"
#include "framework/win/wide.h"

namespace {

FileOutcome FileOutcomeOf(EncoderOutcome outcome) {
  switch (outcome) {
    case EncoderOutcome::Succeeded:
      return FileOutcome::Succeeded;
    case EncoderOutcome::Cancelled:
      return FileOutcome::Cancelled;
    default:
      return FileOutcome::Failed;
  }
}

// How the encoder's file ended, with what it said and the output's size.
FileVerdict JudgedFile(const EncoderRunner& runner, EncoderOutcome outcome,
                       const std::u16string& outputPath) {
  FileVerdict verdict;
  verdict.outcome = FileOutcomeOf(outcome);
  verdict.reason = runner.Reason();
  if (verdict.reason == FailReason::FatalLine) verdict.fatalLine = runner.FatalLine();
  verdict.tellingLine = runner.TellingLine();
  if (verdict.outcome == FileOutcome::Failed) verdict.cause = CauseOnThisMachine(runner.Cause());
  verdict.exited = runner.Exited();
  verdict.exitCode = runner.ExitCode();
  if (outcome == EncoderOutcome::Succeeded) FileSizeOf(outputPath, verdict.outputSize);
  return verdict;
}

}  // namespace

WindowsRunHost::~WindowsRunHost() {
  EndEncoders();
  std::vector<std::unique_ptr<Slot>> slots;
  {
    std::lock_guard<std::mutex> hold(m_lock);
    slots.swap(m_slots);
  }
  for (auto& slot : slots) Release(slot);
}

bool WindowsRunHost::FileExists(const std::u16string& path) {
  return PathExists(path);
}

bool WindowsRunHost::FileSize(const std::u16string& path, unsigned long long& size) {
  return FileSizeOf(path, size);
}

bool WindowsRunHost::AskOverwrite(const std::u16string& question) {
  return ::MessageBoxW(m_owner, W(question), L"Vidmorph", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void WindowsRunHost::DeleteFile(const std::u16string& path) {
  ::DeleteFileW(W(ExtendedLengthPath(path)));
}

std::u16string WindowsRunHost::MoveOver(const std::u16string& from, const std::u16string& to) {
  if (::MoveFileExW(W(ExtendedLengthPath(from)), W(ExtendedLengthPath(to)),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return std::u16string();
  return SystemErrorText(::GetLastError());
}

std::u16string WindowsRunHost::CreateFolders(const std::u16string& folder) {
  return CreateFolderTree(folder);
}

double WindowsRunHost::Seconds() {
  return double(::GetTickCount64()) / 1000.0;
}

WallTime WindowsRunHost::Now() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

bool WindowsRunHost::StartEncoder(int file, const std::u16string& commandLine,
                                  const std::u16string& outputPath, EncoderEvents& events) {
  auto slot = std::make_unique<Slot>();
  slot->file = file;
  slot->events = &events;
  slot->owner = m_owner;
  slot->runner.reset(new EncoderRunner(*slot));
  slot->runner->SetMessageBox(m_showMessage);
  slot->output = outputPath;
  slot->host = this;
  if (!slot->runner->Start(commandLine)) return false;
  Slot* started = slot.get();
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_slots.push_back(std::move(slot));
  }
  started->thread = ::CreateThread(nullptr, 0, ReadThread, started, 0, nullptr);
  // Without a thread of its own it is read here, one file at a time.
  if (!started->thread) ReadThread(started);
  return true;
}

DWORD WINAPI WindowsRunHost::ReadThread(LPVOID param) {
  Slot& slot = *static_cast<Slot*>(param);
  EncoderEnd end;
  end.file = slot.file;
  try {
    const EncoderOutcome outcome = slot.runner->Finish(slot.output);
    end.verdict = JudgedFile(*slot.runner, outcome, slot.output);
  } catch (...) {
    // Whatever went wrong, the run hears of the file, or it would wait for ever.
    slot.runner->Terminate();
    end.verdict.outcome = FileOutcome::Failed;
  }
  slot.host->Ended(slot, end);
  return 0;
}

void WindowsRunHost::Ended(Slot& slot, const EncoderEnd& end) {
  slot.events->Ended(end);
  std::lock_guard<std::mutex> hold(m_lock);
  m_ends.push_back(end);
  m_changed.notify_all();
}

EncoderEnd WindowsRunHost::WaitForEncoder() {
  std::unique_ptr<Slot> slot;
  EncoderEnd end;
  {
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait(lock, [this] { return !m_ends.empty(); });
    end = m_ends.front();
    m_ends.pop_front();
    auto it = std::find_if(m_slots.begin(), m_slots.end(),
                           [&](const std::unique_ptr<Slot>& s) { return s->file == end.file; });
    if (it != m_slots.end()) {
      slot = std::move(*it);
      m_slots.erase(it);
    }
  }
  Release(slot);
  return end;
}

void WindowsRunHost::EndEncoders() {
  std::lock_guard<std::mutex> hold(m_lock);
  for (auto& slot : m_slots) slot->runner->Terminate();
}

void WindowsRunHost::Release(std::unique_ptr<Slot>& slot) {
  if (!slot) return;
  if (slot->thread) {
    ::WaitForSingleObject(slot->thread, INFINITE);
    ::CloseHandle(slot->thread);
  }
  slot.reset();
}

InputDetails WindowsRunHost::InputNow(const std::u16string& path) {
  return m_prober ? m_prober->Current(path) : InputDetails();
}

InputDetails WindowsRunHost::InputKnown(const std::u16string& path) {
  return m_prober ? m_prober->Known(path) : InputDetails();
}
