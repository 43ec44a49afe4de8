#include "cmd/shard.h"

#include <cstdint>

#include "app/language_text.h"
#include "convert/output_path.h"

namespace {

bool ParseCount(const std::u16string& text, int& value) {
  if (text.empty() || text.size() > 4) return false;
  value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
  }
  return true;
}

}  // namespace

bool ParseShard(const std::u16string& text, SHARD& out, std::u16string& error) {
  const size_t slash = text.find(u'/');
  SHARD shard;
  if (slash == std::u16string::npos || !ParseCount(text.substr(0, slash), shard.index) ||
      !ParseCount(text.substr(slash + 1), shard.count) || shard.count < 1 || shard.index < 1 ||
      shard.index > shard.count) {
    error = u"--shard takes K/N, a share K from 1 to N, not \"" + text + u"\"";
    return false;
  }
  out = shard;
  return true;
}

int ShareOf(const INPUT_FILE& file, int count) {
  // FNV-1a over the folded name: the same on every machine and every build.
  uint64_t hash = 14695981039346656037ull;
  for (char16_t c : NameBelowRoot(file)) {
    const char16_t folded = c == u'/' ? u'\\' : FoldedLetter(c);
    for (int byte : {folded & 0xFF, folded >> 8}) {
      hash ^= uint64_t(byte);
      hash *= 1099511628211ull;
    }
  }
  return count < 2 ? 1 : int(hash % uint64_t(count)) + 1;
}

bool InShard(const INPUT_FILE& file, const SHARD& shard) {
  return ShareOf(file, shard.count) == shard.index;
}

std::vector<INPUT_FILE> FilesOfShard(const std::vector<INPUT_FILE>& files, const SHARD& shard) {
  std::vector<INPUT_FILE> mine;
  for (const INPUT_FILE& file : files)
    if (InShard(file, shard)) mine.push_back(file);
  return mine;
}

std::u16string ShardFileName(const std::u16string& path, const SHARD& shard) {
  if (shard.count < 2) return path;
  const size_t slash = path.find_last_of(u"\\/");
  size_t dot = path.find_last_of(u'.');
  if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash))
    dot = path.size();
  return path.substr(0, dot) + u"." + DecimalText(shard.index) + u"of" + DecimalText(shard.count) +
         path.substr(dot);
}
