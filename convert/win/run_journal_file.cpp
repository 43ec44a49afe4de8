#include "convert/win/run_journal_file.h"

#include "framework/long_path.h"
#include "framework/win/file_io.h"
#include "framework/win/wide.h"

namespace {

// A journal this size is garbage: reading it whole would take the start.
constexpr DWORD kMostJournalBytes = 256u << 20;

// No sharing: a second copy that meets it open knows a run is live.
HANDLE OpenJournal(const std::u16string& path, DWORD disposition) {
  return ::CreateFileW(W(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool ReadAll(HANDLE file, std::vector<uint8_t>& bytes) {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file, &size) || size.QuadPart > kMostJournalBytes) return false;
  bytes.resize(size_t(size.QuadPart));
  DWORD got = 0;
  return bytes.empty() || (::ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr) &&
                           got == bytes.size());
}

void Empty(HANDLE file) {
  LARGE_INTEGER start = {};
  if (::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) ::SetEndOfFile(file);
}

// Renames a journal that is of no use, or empties it where it cannot be
// renamed; false when neither can be done.
bool SetAside(const std::u16string& folder) {
  const std::u16string path = folder + kRunJournalFile;
  if (::MoveFileExW(W(path), W(folder + kDamagedJournalFile),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  HANDLE file = OpenJournal(path, OPEN_EXISTING);
  if (file == INVALID_HANDLE_VALUE) return false;
  Empty(file);
  ::CloseHandle(file);
  return true;
}

}  // namespace

std::unique_ptr<RunJournalFile> RunJournalFile::ForRun(const std::u16string& folder) {
  HANDLE file = OpenJournal(folder + kRunJournalFile, CREATE_ALWAYS);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::unique_ptr<RunJournalFile>(new RunJournalFile(file));
}

RunJournalFile::~RunJournalFile() {
  ::CloseHandle(m_file);
}

void RunJournalFile::Append(const std::vector<uint8_t>& bytes) {
  DWORD written = 0;
  ::WriteFile(m_file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

void RunJournalFile::Clear() {
  Empty(m_file);
}

StoppedRun::StoppedRun(const std::u16string& folder) {
  HANDLE file = OpenJournal(folder + kRunJournalFile, OPEN_EXISTING);
  if (file == INVALID_HANDLE_VALUE) {
    // None, or one a live run holds: nothing to continue. One that cannot
    // be opened otherwise (read-only, unreadable) is of no use, and is told
    // once, if it can be set aside; else it is passed over quietly.
    const DWORD error = ::GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_FILE_NOT_FOUND &&
        error != ERROR_PATH_NOT_FOUND && PathExists(folder + kRunJournalFile) && SetAside(folder))
      m_run.state = JournalRun::State::Damaged;
    return;
  }
  m_file.reset(new RunJournalFile(file));
  std::vector<uint8_t> bytes;
  if (ReadAll(file, bytes))
    m_run = ReadRunJournal(bytes.data(), bytes.size());
  else
    m_run.state = JournalRun::State::Damaged;
  if (m_run.state == JournalRun::State::Damaged) {
    m_file.reset();
    if (!SetAside(folder)) m_run = JournalRun();
    return;
  }
  for (const std::u16string& written : m_run.halfMade)
    ::DeleteFileW(W(ExtendedLengthPath(written)));
}

void StoppedRun::Forget() {
  if (m_file) m_file->Clear();
  m_file.reset();
}
