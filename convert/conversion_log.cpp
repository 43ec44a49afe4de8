#include "convert/conversion_log.h"

#include <cstdio>

std::u16string FormatLogEntry(int hour, int minute, int second, const std::u16string& text,
                              bool tail) {
  char stamp[32];
  std::snprintf(stamp, sizeof(stamp), "%.2d:%.2d:%.2d ", hour, minute, second);
  std::u16string entry(stamp, stamp + std::char_traits<char>::length(stamp));
  if (tail && text.size() > kLogTailChars)
    entry.append(text, text.size() - kLogTailChars, kLogTailChars);
  else
    entry += text;
  return entry;
}

namespace {
void PutText(std::string& out, const std::u16string& text) {
  for (char16_t c : text) {
    if (c == u'\n')
      out += "\r\n";
    else
      out += c <= 0xFF ? static_cast<char>(c) : '?';
  }
}
}  // namespace

std::string SavedLogBytes(const std::vector<std::u16string>& entries) {
  std::string out;
  PutText(out, u"Converting log start---------\n\n");
  for (const std::u16string& entry : entries) PutText(out, entry + u"\n");
  PutText(out, u"---------Converting log end\n\n");
  PutText(out, u"Burning log start---------\n\n");
  PutText(out, u"---------Burning log end\n");
  return out;
}
