// Keeps each file's log entries together, and the files in the run's order,
// while several encoders write at once. The earliest file not yet done writes
// straight through; a later file's entries wait until every earlier file is
// done. With one encoder at a time nothing ever waits.
#pragma once
#include <map>
#include <set>
#include <vector>

template <class Entry>
class LogOrder {
 public:
  // Each call returns the entries that may go to the log now, in order.
  std::vector<Entry> Add(int file, const Entry& entry) {
    if (file <= m_next) return {entry};
    m_held[file].push_back(entry);
    return {};
  }
  std::vector<Entry> Done(int file) {
    std::vector<Entry> ready;
    if (file < m_next) return ready;
    m_done.insert(file);
    while (m_done.erase(m_next)) {
      ++m_next;
      auto held = m_held.find(m_next);
      if (held == m_held.end()) continue;
      ready.insert(ready.end(), held->second.begin(), held->second.end());
      m_held.erase(held);
    }
    return ready;
  }
  // At the end of a run (files the run never came to are never done): all
  // that is still held, file by file.
  std::vector<Entry> Rest() {
    std::vector<Entry> ready;
    for (auto& held : m_held) ready.insert(ready.end(), held.second.begin(), held.second.end());
    m_held.clear();
    m_done.clear();
    m_next = 0;
    return ready;
  }

 private:
  int m_next = 0;  // the earliest file not yet done
  std::set<int> m_done;
  std::map<int, std::vector<Entry>> m_held;
};
