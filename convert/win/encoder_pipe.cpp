#include "convert/win/encoder_pipe.h"

#include <atomic>

namespace {

void CloseIfOpen(HANDLE& h) {
  if (h) ::CloseHandle(h);
  h = nullptr;
}

}  // namespace

EncoderPipe::~EncoderPipe() {
  if (m_pending) {
    ::CancelIoEx(m_read, &m_overlapped);
    DWORD count = 0;
    ::GetOverlappedResult(m_read, &m_overlapped, &count, TRUE);
  }
  CloseIfOpen(m_write);
  CloseIfOpen(m_read);
  CloseIfOpen(m_event);
}

bool EncoderPipe::Create() {
  // An anonymous pipe cannot be read with a timeout; a named one of our own can.
  static std::atomic<unsigned long> serial{0};
  wchar_t name[64];
  wsprintfW(name, L"\\\\.\\pipe\\Vidmorph.%lu.%lu", ::GetCurrentProcessId(), ++serial);
  HANDLE read = ::CreateNamedPipeW(
      name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
      PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, 0, 0,
      nullptr);
  if (read == INVALID_HANDLE_VALUE) return false;
  m_read = read;
  // Only the write end is for the child; the read end is not inherited.
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  HANDLE write = ::CreateFileW(name, GENERIC_WRITE, 0, &security, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (write == INVALID_HANDLE_VALUE) return false;
  m_write = write;
  m_event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return m_event != nullptr;
}

void EncoderPipe::CloseWriteEnd() {
  CloseIfOpen(m_write);
}

EncoderPipe::Status EncoderPipe::Read(DWORD timeoutMs) {
  if (m_ended) return Status::Ended;
  if (!m_pending) {
    m_overlapped = OVERLAPPED();
    m_overlapped.hEvent = m_event;
    ::ResetEvent(m_event);
    if (!::ReadFile(m_read, m_buffer, kReadBytes, nullptr, &m_overlapped) &&
        ::GetLastError() != ERROR_IO_PENDING) {
      m_ended = true;  // the pipe is broken: every writer has gone
      return Status::Ended;
    }
    m_pending = true;
  }
  if (::WaitForSingleObject(m_event, timeoutMs) != WAIT_OBJECT_0) return Status::Waiting;
  m_pending = false;
  m_count = 0;
  if (!::GetOverlappedResult(m_read, &m_overlapped, &m_count, FALSE)) {
    m_ended = true;
    return Status::Ended;
  }
  return Status::Data;
}
