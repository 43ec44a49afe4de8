#include "cmd/watch_rules.h"

#include "convert/output_path.h"

std::u16string FoldedPath(const std::u16string& path) {
  std::u16string folded = path;
  for (char16_t& c : folded) c = c == u'/' ? u'\\' : FoldedLetter(c);
  return folded;
}

void WatchRules::Load(const std::vector<LEDGER_ENTRY>& entries) {
  for (const LEDGER_ENTRY& entry : entries) Record(entry);
}

void WatchRules::Record(const LEDGER_ENTRY& entry) {
  m_done[FoldedPath(entry.path)] = entry;
  if (!entry.output.empty()) m_outputs.push_back(FoldedPath(entry.output));
}

bool WatchRules::IsOutput(const std::u16string& path) const {
  const std::u16string folded = FoldedPath(path);
  if (!m_outputFolder.empty()) {
    std::u16string folder = FoldedPath(m_outputFolder);
    if (folder.back() != u'\\') folder += u'\\';
    if (folded.compare(0, folder.size(), folder) == 0) return true;
  }
  for (const std::u16string& output : m_outputs)
    if (output == folded) return true;
  return false;
}

std::vector<WATCHED_FILE> WatchRules::Due(const std::vector<WATCHED_FILE>& seen, double now) {
  std::map<std::u16string, Sighting> still;
  std::vector<WATCHED_FILE> due;
  for (const WATCHED_FILE& w : seen) {
    if (!InShard(w.file, m_shard) || IsOutput(w.file.strPath)) continue;
    const std::u16string key = FoldedPath(NameBelowRoot(w.file));
    const auto done = m_done.find(key);
    if (done != m_done.end() && done->second.size == w.size && done->second.time == w.time)
      continue;
    // A file is settled once it has looked the same for the settle time.
    Sighting sighting{w.size, w.time, now};
    const auto before = m_seen.find(key);
    if (before != m_seen.end() && before->second.size == w.size && before->second.time == w.time)
      sighting.since = before->second.since;
    still[key] = sighting;
    if (now - sighting.since >= m_settle) due.push_back(w);
  }
  // A file renamed or removed is forgotten; under its new name it settles anew.
  m_seen.swap(still);
  return due;
}
