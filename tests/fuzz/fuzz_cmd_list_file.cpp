// Arbitrary bytes as a list file of the console program: its lines are read
// without a fault, none empty, none a comment, and none holding a line end;
// the same bytes as UTF-8 come back unchanged once encoded again when they
// were valid, and the lines as a command line are read without a fault.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cmd/arguments.h"
#include "cmd/input_list.h"
#include "framework/utf8_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::u16string> lines = ListFileLines(bytes);
  for (const std::u16string& line : lines) {
    if (line.empty() || line[0] == u'#') std::abort();
    if (line.find(u'\n') != std::u16string::npos) std::abort();
  }
  const std::u16string text = Utf8ToText(bytes);
  if (text.find(u'\xFFFD') == std::u16string::npos && TextToUtf8(text) != bytes) std::abort();

  CMD_ARGUMENTS args;
  std::u16string error;
  if (!ParseArguments(lines, args, error) && error.empty()) std::abort();
  return 0;
}
