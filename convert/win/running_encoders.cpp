#include "convert/win/running_encoders.h"

#include <algorithm>

#include "convert/win/failure_cause.h"
#include "framework/win/file_io.h"

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

}  // namespace

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

RunningEncoders::~RunningEncoders() {
  EndAll();
  std::vector<std::unique_ptr<Slot>> slots;
  {
    std::lock_guard<std::mutex> hold(m_lock);
    slots.swap(m_slots);
  }
  for (auto& slot : slots) Release(slot);
}

bool RunningEncoders::Start(int file, EncoderRunSink& sink, const std::u16string& commandLine,
                            const std::u16string& outputPath) {
  auto slot = std::make_unique<Slot>();
  slot->file = file;
  slot->runner.reset(new EncoderRunner(sink));
  slot->output = outputPath;
  slot->owner = this;
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

DWORD WINAPI RunningEncoders::ReadThread(LPVOID param) {
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
  slot.owner->Ended(end);
  return 0;
}

void RunningEncoders::Ended(const EncoderEnd& end) {
  if (m_ended) m_ended(end);
  std::lock_guard<std::mutex> hold(m_lock);
  m_ends.push_back(end);
  m_changed.notify_all();
}

EncoderEnd RunningEncoders::WaitForEnd() {
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

void RunningEncoders::EndAll() {
  std::lock_guard<std::mutex> hold(m_lock);
  for (auto& slot : m_slots) slot->runner->Terminate();
}

void RunningEncoders::Release(std::unique_ptr<Slot>& slot) {
  if (!slot) return;
  if (slot->thread) {
    ::WaitForSingleObject(slot->thread, INFINITE);
    ::CloseHandle(slot->thread);
  }
  slot.reset();
}
