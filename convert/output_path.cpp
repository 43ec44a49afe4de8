#include "convert/output_path.h"

#include <string>

#include "framework/long_path.h"
#include "profiles/command_line.h"

namespace {

bool StartsWithNoCase(const std::u16string& text, const std::u16string& head) {
  if (text.size() < head.size()) return false;
  for (size_t i = 0; i < head.size(); ++i)
    if (FoldedLetter(text[i]) != FoldedLetter(head[i])) return false;
  return true;
}

// "D:" (a drive root without its backslash) or "\\server\share".
bool IsNamelessRoot(const std::u16string& root) {
  if (root.size() == 2 && root[1] == u':') return true;
  if (root.compare(0, 2, u"\\\\") != 0) return false;
  const size_t serverEnd = root.find(u'\\', 2);
  return serverEnd != std::u16string::npos && serverEnd > 2 &&
         root.find(u'\\', serverEnd + 1) == std::u16string::npos;
}

std::u16string WithSeparator(const std::u16string& folder) {
  return folder.empty() || folder.back() == u'\\' ? folder : folder + u'\\';
}

// The file's root in plain form, without a trailing backslash, and the path
// below it; false when the file does not lie below its root.
bool SplitAtRoot(const INPUT_FILE& file, std::u16string& root, std::u16string& below) {
  root = PlainPath(file.strRoot);
  for (char16_t& c : root)
    if (c == u'/') c = u'\\';
  while (!root.empty() && root.back() == u'\\') root.pop_back();
  const std::u16string path = PlainPath(file.strPath);
  if (root.empty() || !StartsWithNoCase(path, root + u'\\')) return false;
  below = path.substr(root.size() + 1);
  return true;
}

}  // namespace

std::u16string KeptFolders(const INPUT_FILE& file) {
  std::u16string root, below;
  if (!SplitAtRoot(file, root, below)) return std::u16string();
  const size_t lastSlash = below.find_last_of(u'\\');
  const std::u16string folders =
      lastSlash == std::u16string::npos ? std::u16string() : below.substr(0, lastSlash + 1);
  if (IsNamelessRoot(root)) return folders;
  return root.substr(root.find_last_of(u'\\') + 1) + u'\\' + folders;
}

std::u16string NameBelowRoot(const INPUT_FILE& file) {
  std::u16string root, below;
  return SplitAtRoot(file, root, below) ? below : file.strName;
}

std::u16string FileOutputPath(bool sameAsSource, const std::u16string& outputFolder,
                              const INPUT_FILE& file, int profile) {
  const std::u16string kept = sameAsSource ? std::u16string() : KeptFolders(file);
  if (kept.empty())
    return OutputPath(sameAsSource, outputFolder, file.strPath, file.strName, profile);
  return OutputPath(false, WithSeparator(outputFolder) + kept, file.strPath, file.strName, profile);
}

std::u16string FileCommandLine(CONVERT_JOB job, const std::u16string& input,
                               const std::u16string& output, const std::u16string& appDir,
                               const InputDetails* details) {
  job.strInput = ExtendedLengthPath(input);
  job.strOutput = ExtendedLengthPath(output);
  job.strEncoder = EncoderPath(appDir);
  std::u16string line;
  BuildCommandLine(&job, line, details);
  return line;
}

std::u16string FolderToCreate(bool sameAsSource, const INPUT_FILE& file,
                              const std::u16string& outputPath) {
  if (sameAsSource || KeptFolders(file).empty()) return std::u16string();
  return outputPath.substr(0, outputPath.find_last_of(u'\\') + 1);
}

PathProblem OutputPathProblem(const std::u16string& outputPath, const std::u16string& commandLine) {
  size_t start = 0;
  while (start <= outputPath.size()) {
    size_t end = outputPath.find(u'\\', start);
    if (end == std::u16string::npos) end = outputPath.size();
    if (end - start > kLongestName) return PathProblem::NameTooLong;
    start = end + 1;
  }
  return commandLine.size() > kLongestCommandLine ? PathProblem::TooLong : PathProblem::None;
}

std::u16string PartialOutputPath(const std::u16string& outputPath, int n) {
  const size_t folder = outputPath.find_last_of(u"\\/");
  size_t dot = outputPath.rfind(u'.');
  if (dot == std::u16string::npos || (folder != std::u16string::npos && dot < folder))
    dot = outputPath.size();
  std::u16string mark = u".partial";
  if (n > 1)
    for (char c : std::to_string(n)) mark += char16_t(c);
  return outputPath.substr(0, dot) + mark + outputPath.substr(dot);
}
