#include "app/win/file_search_job.h"

#include <objbase.h>

#include "app/win/file_system_source.h"

CFileSearchJob::CFileSearchJob(HWND page, std::vector<std::u16string> items,
                               std::vector<std::u16string> patterns)
    : m_hPage(page), m_items(std::move(items)), m_patterns(std::move(patterns)) {}

std::shared_ptr<CFileSearchJob> CFileSearchJob::Start(HWND page, std::vector<std::u16string> items,
                                                      std::vector<std::u16string> patterns) {
  std::shared_ptr<CFileSearchJob> job(
      new CFileSearchJob(page, std::move(items), std::move(patterns)));
  // The thread holds the job too, until it has posted its end.
  auto* held = new std::shared_ptr<CFileSearchJob>(job);
  HANDLE thread = ::CreateThread(nullptr, 0, ThreadProc, held, 0, nullptr);
  if (!thread) {
    delete held;
    return nullptr;
  }
  ::CloseHandle(thread);
  return job;
}

SEARCH_RESULT CFileSearchJob::TakeResult() {
  std::lock_guard<std::mutex> lock(m_lock);
  return std::move(m_result);
}

DWORD WINAPI CFileSearchJob::ThreadProc(LPVOID param) {
  std::unique_ptr<std::shared_ptr<CFileSearchJob>> held(
      static_cast<std::shared_ptr<CFileSearchJob>*>(param));
  CFileSearchJob& job = **held;
  // Shortcuts are read through the shell's COM objects.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  try {
    job.Run();
  } catch (...) {
    std::lock_guard<std::mutex> lock(job.m_lock);
    job.m_result.bCancelled = true;
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  ::PostMessageW(job.m_hPage, WM_SEARCH_DONE, 0, 0);
  return 0;
}

void CFileSearchJob::Run() {
  CFileSystemSource source;
  SEARCH_RESULT result;
  SearchItems(
      source, m_items, m_patterns,
      [this](size_t found) {
        m_nFound = found;
        return !m_bCancel;
      },
      result);
  if (m_bCancel) result.bCancelled = true;
  std::lock_guard<std::mutex> lock(m_lock);
  m_result = std::move(result);
}
