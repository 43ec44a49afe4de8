#include "convert/log_order.h"

std::vector<std::u16string> LogOrder::Add(int file, const std::u16string& entry) {
  if (file <= m_next) return {entry};
  m_held[file].push_back(entry);
  return {};
}

std::vector<std::u16string> LogOrder::Done(int file) {
  std::vector<std::u16string> ready;
  if (file < m_next) return ready;
  m_done.insert(file);
  MoveOn(ready);
  return ready;
}

void LogOrder::MoveOn(std::vector<std::u16string>& ready) {
  while (m_done.erase(m_next)) {
    ++m_next;
    auto held = m_held.find(m_next);
    if (held == m_held.end()) continue;
    ready.insert(ready.end(), held->second.begin(), held->second.end());
    m_held.erase(held);
  }
}

std::vector<std::u16string> LogOrder::Rest() {
  std::vector<std::u16string> ready;
  for (auto& held : m_held) ready.insert(ready.end(), held.second.begin(), held.second.end());
  m_held.clear();
  m_done.clear();
  m_next = 0;
  return ready;
}
