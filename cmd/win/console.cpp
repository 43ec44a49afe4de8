#include "cmd/win/console.h"

#include <windows.h>

#include <algorithm>

#include "framework/utf8_text.h"
#include "framework/win/wide.h"

namespace {

HANDLE HandleOf(Stream stream) {
  return ::GetStdHandle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode);
}

void WriteBytes(HANDLE handle, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!::WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0) return;
    done += written;
  }
}

}  // namespace

void Write(Stream stream, const std::u16string& text) {
  const HANDLE handle = HandleOf(stream);
  if (!IsConsole(handle)) {
    WriteBytes(handle, TextToUtf8(text));
    return;
  }
  size_t done = 0;
  while (done < text.size()) {
    DWORD written = 0;
    const DWORD chunk = DWORD(std::min<size_t>(text.size() - done, 8192));
    if (!::WriteConsoleW(handle, W(text) + done, chunk, &written, nullptr) || written == 0) return;
    done += written;
  }
}

void WriteUtf8(Stream stream, const std::string& bytes) {
  const HANDLE handle = HandleOf(stream);
  if (IsConsole(handle))
    Write(stream, Utf8ToText(bytes));
  else
    WriteBytes(handle, bytes);
}

bool HasConsoleInput() {
  return IsConsole(::GetStdHandle(STD_INPUT_HANDLE));
}

bool AskYesNo(const std::u16string& question) {
  Write(Stream::Err, question + u" [y/n] ");
  wchar_t answer[64] = {0};
  DWORD read = 0;
  if (!::ReadConsoleW(::GetStdHandle(STD_INPUT_HANDLE), answer, 63, &read, nullptr) || read == 0)
    return false;
  return answer[0] == L'y' || answer[0] == L'Y';
}
