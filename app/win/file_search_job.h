// One add of dropped or chosen items, searched on a thread of its own so that
// the page stays responsive over a tree of many thousands of files. The thread
// reaches the page only by posting WM_SEARCH_DONE to its window, and the job
// lives as long as either side holds it, so a page that is gone is never
// touched.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/folder_search.h"
#include "app/win/messages.h"

class CFileSearchJob {
 public:
  // Starts the search; null when no thread could be started.
  static std::shared_ptr<CFileSearchJob> Start(HWND page, std::vector<std::u16string> items,
                                               std::vector<std::u16string> patterns);

  // Asks the search to stop after the folder it is reading. Any thread.
  void Cancel() { m_bCancel = true; }
  // Files found so far. Any thread.
  size_t Found() const { return m_nFound; }
  // What the search found; complete once WM_SEARCH_DONE has come.
  SEARCH_RESULT TakeResult();

 private:
  CFileSearchJob(HWND page, std::vector<std::u16string> items,
                 std::vector<std::u16string> patterns);
  static DWORD WINAPI ThreadProc(LPVOID param);
  void Run();

  const HWND m_hPage;
  const std::vector<std::u16string> m_items;
  const std::vector<std::u16string> m_patterns;
  std::atomic<bool> m_bCancel{false};
  std::atomic<size_t> m_nFound{0};
  std::mutex m_lock;
  SEARCH_RESULT m_result;  // under m_lock
};
