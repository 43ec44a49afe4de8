#include "app/input_files.h"

std::u16string InputFilterFor(int task) {
  switch (task) {
    case 0:
    case 1:
      return u"All supported files(*.avi)|*.avi;|All Files (*.*)|*.*|";
    case 2:
      return u"All supported files|"
             u"*.avi;*.mkv;*.3gp;*.m4a;*.mov;*.mp4;*.mpeg;*.mpg;*.wmv;*.divx;*.xvid;*.asf;*.swf|"
             u"Audio Video Interleave files (*.avi)|*.avi|"
             u"Matroska (*.mkv)|*.mkv|"
             u"Quicktime (*.3gp; *.m4a; *.mov; *.mp4)|*.3gp;*.m4a;*.mov;*.mp4|"
             u"Raw MPEG (*.mpeg; *.mpg)|*.mpg;*.mpeg|"
             u"Windows Media (*.wmv)|*.wmv|"
             u"Xvid (*.divx;*.xvid)|*.divx;*.xvid|"
             u"All Files (*.*)|*.*|";
    default:
      return std::u16string();
  }
}

std::u16string DisplayNameOf(const std::u16string& path) {
  const size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

INPUT_FILE InputFileOf(const std::u16string& path) {
  return {path, DisplayNameOf(path)};
}

std::vector<std::u16string> SplitFileSelection(const char16_t* buffer, size_t length) {
  std::vector<std::u16string> parts;
  size_t pos = 0;
  while (pos < length && buffer[pos] != u'\0') {
    size_t end = pos;
    while (end < length && buffer[end] != u'\0') ++end;
    parts.emplace_back(buffer + pos, end - pos);
    pos = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::u16string folder = parts[0];
  if (folder.back() != u'\\') folder += u'\\';
  std::vector<std::u16string> paths;
  for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
  return paths;
}
