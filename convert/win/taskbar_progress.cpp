#include "convert/win/taskbar_progress.h"

#include <shobjidl.h>

TaskbarProgress::TaskbarProgress(HWND window) : m_window(window) {
  m_com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&m_list))) ||
      FAILED(m_list->HrInit()))
    Drop();
}

TaskbarProgress::~TaskbarProgress() {
  if (m_list) m_list->SetProgressState(m_window, TBPF_NOPROGRESS);
  Drop();
  if (m_com) ::CoUninitialize();
}

void TaskbarProgress::Show(TaskbarMark mark, double share) {
  if (!m_list) return;
  if (mark == TaskbarMark::None) {
    m_list->SetProgressState(m_window, TBPF_NOPROGRESS);
    return;
  }
  m_list->SetProgressState(m_window, mark == TaskbarMark::Error ? TBPF_ERROR : TBPF_NORMAL);
  m_list->SetProgressValue(m_window, ULONGLONG(share * 1000), 1000);
}

void TaskbarProgress::Drop() {
  if (m_list) m_list->Release();
  m_list = nullptr;
}
