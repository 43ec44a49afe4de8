#include "convert/win/save_log.h"

#include <commdlg.h>

#include "convert/conversion_log.h"
#include "framework/win/wide.h"

bool WriteConversionLog(const std::u16string& path, const std::vector<std::u16string>& entries) {
  HANDLE h = ::CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const std::string bytes = SavedLogBytes(entries);
  DWORD written = 0;
  const bool ok = ::WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  ::CloseHandle(h);
  return ok;
}

void SaveConversionLog(HWND owner, const std::vector<std::u16string>& entries) {
  wchar_t file[MAX_PATH * 4] = L"vm_video_log.txt";
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = L"Text file(*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH * 4;
  ofn.lpstrDefExt = L"txt";
  ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (!::GetSaveFileNameW(&ofn)) return;
  WriteConversionLog(U(file), entries);
}
