#include "app/run_settings.h"

#include <algorithm>
#include <iterator>

const char16_t kRunSettingsFile[] = u"Vidmorph.ini";

namespace {

constexpr char kHeading[] = "[Vidmorph]";
constexpr char kSimultaneous[] = "SimultaneousConversions";
constexpr char kAutomatic[] = "auto";
constexpr char kWhenDone[] = "WhenDone";
// By the value of WhenDone.
constexpr const char* kWhenDoneWords[] = {"nothing", "sound", "sleep", "shutdown"};

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SameWord(const std::string& a, const char* b) {
  const std::string other(b);
  return a.size() == other.size() &&
         std::equal(a.begin(), a.end(), other.begin(),
                    [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string Trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// Plain decimal digits within range, else false.
bool ParseChoice(const std::string& text, int32_t& value) {
  if (SameWord(text, kAutomatic)) {
    value = kSimultaneousAutomatic;
    return true;
  }
  if (text.empty() || text.size() > 4) return false;
  int32_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n < 1 || n > kMostSimultaneous) return false;
  value = n;
  return true;
}

bool ParseWhenDone(const std::string& text, WhenDone& value) {
  for (size_t i = 0; i < std::size(kWhenDoneWords); ++i) {
    if (SameWord(text, kWhenDoneWords[i])) {
      value = WhenDone(i);
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<uint8_t> StoreRunSettings(const RUN_SETTINGS& settings) {
  std::string text = std::string(kHeading) + "\r\n" + kSimultaneous + "=";
  text += settings.nSimultaneous == kSimultaneousAutomatic ? std::string(kAutomatic)
                                                           : std::to_string(settings.nSimultaneous);
  text += "\r\n";
  const size_t whenDone = size_t(settings.whenDone);
  if (whenDone > 0 && whenDone < std::size(kWhenDoneWords))
    text += std::string(kWhenDone) + "=" + kWhenDoneWords[whenDone] + "\r\n";
  return std::vector<uint8_t>(text.begin(), text.end());
}

RUN_SETTINGS LoadRunSettings(const uint8_t* data, size_t size) {
  RUN_SETTINGS settings;
  const std::string text(reinterpret_cast<const char*>(data), size);
  // The first of a repeated name counts, as in any INI file.
  bool seenSimultaneous = false, seenWhenDone = false;
  size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string name = Trimmed(line.substr(0, equals));
    const std::string value = Trimmed(line.substr(equals + 1));
    if (!seenSimultaneous && SameWord(name, kSimultaneous)) {
      seenSimultaneous = true;
      int32_t n = 0;
      if (ParseChoice(value, n)) settings.nSimultaneous = n;
    } else if (!seenWhenDone && SameWord(name, kWhenDone)) {
      seenWhenDone = true;
      ParseWhenDone(value, settings.whenDone);
    }
  }
  return settings;
}

int SimultaneousEncoders(int32_t choice, int processors) {
  const int n = choice == kSimultaneousAutomatic ? processors / 2 : int(choice);
  return std::clamp(n, 1, int(kMostSimultaneous));
}
