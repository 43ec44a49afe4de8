#include "cmd/watch_ledger.h"

#include "framework/utf8_text.h"

const char kLedgerHeader[] = "Vidmorph watch ledger 1\n";

namespace {

const char* const kMarks[] = {"converted", "failed", "skipped"};

bool ReadNumber(const std::string& text, uint64_t& value) {
  if (text.empty() || text.size() > 20) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    const uint64_t digit = uint64_t(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return false;
    value = value * 10 + digit;
  }
  return true;
}

bool ReadEntry(const std::string& line, LEDGER_ENTRY& entry) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    fields.push_back(
        line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  if (fields.size() != 5 || fields[3].empty()) return false;
  bool known = false;
  for (int m = 0; m < 3; ++m)
    if (fields[0] == kMarks[m]) {
      entry.mark = LedgerMark(m);
      known = true;
    }
  if (!known || !ReadNumber(fields[1], entry.size) || !ReadNumber(fields[2], entry.time))
    return false;
  entry.path = Utf8ToText(fields[3]);
  entry.output = Utf8ToText(fields[4]);
  // Bytes that are no UTF-8 were not written here.
  return TextToUtf8(entry.path) == fields[3] && TextToUtf8(entry.output) == fields[4];
}

}  // namespace

std::string LedgerLine(const LEDGER_ENTRY& entry) {
  return std::string(kMarks[int(entry.mark)]) + "\t" + std::to_string(entry.size) + "\t" +
         std::to_string(entry.time) + "\t" + TextToUtf8(entry.path) + "\t" +
         TextToUtf8(entry.output) + "\n";
}

bool ReadLedger(const std::string& bytes, std::vector<LEDGER_ENTRY>& entries) {
  entries.clear();
  const std::string header = kLedgerHeader;
  if (bytes.compare(0, header.size(), header) != 0) return false;
  size_t start = header.size();
  for (;;) {
    const size_t end = bytes.find('\n', start);
    if (end == std::string::npos) break;  // empty, or cut short
    LEDGER_ENTRY entry;
    if (!ReadEntry(bytes.substr(start, end - start), entry)) {
      entries.clear();
      return false;
    }
    entries.push_back(entry);
    start = end + 1;
  }
  return true;
}
