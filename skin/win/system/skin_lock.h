// A critical section held for a scope: released on every way out, an
// exception included.
#pragma once
#include <windows.h>

class ScopedLock {
 public:
  explicit ScopedLock(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
  ~ScopedLock() { ::LeaveCriticalSection(&m_cs); }
  ScopedLock(const ScopedLock&) = delete;
  ScopedLock& operator=(const ScopedLock&) = delete;

 private:
  CRITICAL_SECTION& m_cs;
};
