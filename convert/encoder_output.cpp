#include "convert/encoder_output.h"

void EncoderOutput::Reset() {
  *this = EncoderOutput();
}

void EncoderOutput::Add(const std::u16string& text) {
  m_fatal.Feed(text);
  m_text += text;
  if (m_text.size() > kMaxChunk) m_text.erase(0, m_text.size() - kMaxChunk);
  m_unparsed += text;
  while (m_unparsed.size() >= kMaxChunk) {
    Parse(m_unparsed.substr(0, kMaxChunk));
    m_unparsed.erase(0, kMaxChunk);
  }
}

void EncoderOutput::Said(const char* bytes, size_t count) {
  const std::u16string text = m_utf8.Decode(bytes, count);
  m_telling.Feed(text);
  m_failure.Feed(text);
}

void EncoderOutput::Parse(const std::u16string& chunk) {
  int percent = 0;
  if (m_progress.Feed(chunk, percent)) {
    m_hasPercent = true;
    m_percent = percent;
  }
}

bool EncoderOutput::Due(uint64_t nowMs) const {
  return MsUntilDue(nowMs) == 0;
}

uint64_t EncoderOutput::MsUntilDue(uint64_t nowMs) const {
  if (!Pending()) return kNever;
  if (!m_taken || nowMs - m_takenAt >= kIntervalMs) return 0;
  return kIntervalMs - (nowMs - m_takenAt);
}

EncoderOutput::Chunk EncoderOutput::Take(uint64_t nowMs) {
  if (!m_unparsed.empty()) Parse(m_unparsed);
  m_unparsed.clear();
  Chunk chunk;
  chunk.text.swap(m_text);
  chunk.hasPercent = m_hasPercent;
  chunk.percent = m_percent;
  chunk.duration = m_progress.Duration();
  m_hasPercent = false;
  m_taken = true;
  m_takenAt = nowMs;
  return chunk;
}
