// The pipe that carries the encoder's output. The child writes into an
// inheritable write end; the read end is read with overlapped reads, so that
// waiting for output never keeps the runner from seeing a cancel.
#pragma once
#include <windows.h>

class EncoderPipe {
 public:
  // At most this much per read, as the encoder's text is taken in chunks.
  static constexpr DWORD kReadBytes = 4095;

  enum class Status { Data, Waiting, Ended };

  EncoderPipe() = default;
  EncoderPipe(const EncoderPipe&) = delete;
  EncoderPipe& operator=(const EncoderPipe&) = delete;
  // Gives up a read still under way before the buffer goes.
  ~EncoderPipe();

  bool Create();
  HANDLE WriteEnd() const { return m_write; }
  // Once the child holds its copy: then reading ends when the child does.
  void CloseWriteEnd();

  // Waits at most timeoutMs for the next read. On Data, Bytes() and Count()
  // hold what was read until the next call; Ended once every writer is gone.
  Status Read(DWORD timeoutMs);
  const char* Bytes() const { return m_buffer; }
  DWORD Count() const { return m_count; }

 private:
  HANDLE m_read = nullptr;
  HANDLE m_write = nullptr;
  HANDLE m_event = nullptr;
  OVERLAPPED m_overlapped = {};
  bool m_pending = false;
  bool m_ended = false;
  DWORD m_count = 0;
  char m_buffer[kReadBytes];
};
