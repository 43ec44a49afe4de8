#include "convert/batch_run.h"

namespace {

char16_t Folded(char16_t c) {
  if (c == u'/') return u'\\';
  return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

}  // namespace

std::u16string OverwriteQuestion(const std::u16string& outputPath) {
  return u"The file: " + outputPath + u" have exist. writeover it? ";
}

std::u16string OutputIsAnInputNote(const std::u16string& outputPath) {
  return u"Not converted: the output " + outputPath + u" is an input file of this run.";
}

bool SamePath(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Folded(a[i]) != Folded(b[i])) return false;
  return true;
}

std::u16string InputGoneNote(const std::u16string& inputPath) {
  return u"Not converted: the input " + inputPath + u" is no longer there.";
}

std::u16string UnreadableNote(const std::u16string& inputPath) {
  return u"Not converted: the input " + inputPath + u" cannot be read.";
}

std::u16string PathProblemNote(const std::u16string& outputPath, PathProblem problem) {
  if (problem == PathProblem::NameTooLong)
    return u"Not converted: a name in the output " + outputPath +
           u" is longer than 255 characters.";
  return u"Not converted: the output " + outputPath +
         u" makes the encoder's command line longer than 32766 characters.";
}

std::u16string FolderFailedNote(const std::u16string& folder, const std::u16string& reason) {
  return u"Not converted: the folder " + folder + u" cannot be created: " + reason;
}

std::vector<size_t> AllPositions(size_t count) {
  std::vector<size_t> all(count);
  for (size_t i = 0; i < count; ++i) all[i] = i;
  return all;
}
