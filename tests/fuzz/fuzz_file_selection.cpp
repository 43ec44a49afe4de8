// Arbitrary UTF-16 text as the file dialog's selection buffer (a folder and
// names separated by NULs, ended by an empty string): splitting must read no
// further than the buffer, and every path must come from its parts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/input_files.h"

namespace {

void Check(bool ok) {
  if (!ok) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Exactly as long as the input, so that a read past the end is caught.
  std::vector<char16_t> buffer(size / 2);
  for (size_t i = 0; i < buffer.size(); ++i)
    buffer[i] = char16_t(data[2 * i] | (data[2 * i + 1] << 8));
  const std::vector<std::u16string> paths = SplitFileSelection(buffer.data(), buffer.size());

  const std::u16string all(buffer.begin(), buffer.end());
  const std::u16string first = all.substr(0, all.find(u'\0'));
  Check(paths.empty() == first.empty());
  if (paths.size() == 1 && paths[0] == first) return 0;  // one full path

  // A folder with names: each path is the folder, one backslash, and a name
  // that stands whole between NULs after the folder.
  std::u16string folder = first;
  if (!folder.empty() && folder.back() != u'\\') folder += u'\\';
  for (const std::u16string& path : paths) {
    Check(path.find(u'\0') == std::u16string::npos);
    Check(path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0);
    const std::u16string name = path.substr(folder.size());
    Check((all + u'\0').find(u'\0' + name + u'\0', first.size()) != std::u16string::npos);
  }
  return 0;
}
