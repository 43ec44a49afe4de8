// The input list's entries, and the rules of the input page that need no
// window: the file filters per task, display names and the file dialog's
// multi-selection.
#pragma once
#include <string>
#include <vector>

// One input file: its full path exactly as the file dialog returned it, and
// the name shown for it. What later belongs to a single file goes here too.
struct INPUT_FILE {
  std::u16string strPath;
  std::u16string strName;
  // The folder the user added (or dropped) that this file was found in, so
  // that its output can keep its place below it; empty for a file added alone.
  std::u16string strRoot;
};

// The entry for a path, named by its display name.
INPUT_FILE InputFileOf(const std::u16string& path);
// The entry for a file found below a folder the user added.
INPUT_FILE InputFileUnder(const std::u16string& path, const std::u16string& root);

// The filter text for the task ("label|pattern|...|"), empty for no filter.
std::u16string InputFilterFor(int task);

// The patterns of the filter's first entry, the one the file dialog opens
// with: the files a dropped or added folder contributes. Empty for no filter.
std::vector<std::u16string> OfferedPatterns(const std::u16string& filter);

// A letter as Windows compares names: A to Z as a to z.
char16_t FoldedLetter(char16_t c);

// Whether a file name matches one of the patterns ("*" and "?", letters of
// either case, "*.*" for every name); with no patterns every name does.
bool IsOffered(const std::u16string& name, const std::vector<std::u16string>& patterns);

// The part of a path after its last backslash.
std::u16string DisplayNameOf(const std::u16string& path);

// The full paths of an open-file dialog's selection buffer: either one full
// path, or a folder followed by file names, each ended by a NUL, with an
// empty string at the end. Reads no further than `length`.
std::vector<std::u16string> SplitFileSelection(const char16_t* buffer, size_t length);
