// Rules of the input page that need no window: the file filters per task,
// display names and the file dialog's multi-selection.
#pragma once
#include <string>
#include <vector>

// The filter text for the task ("label|pattern|...|"), empty for no filter.
std::u16string InputFilterFor(int task);

// The part of a path after its last backslash.
std::u16string DisplayNameOf(const std::u16string& path);

// The full paths of an open-file dialog's selection buffer: either one full
// path, or a folder followed by file names, each ended by a NUL, with an
// empty string at the end. Reads no further than `length`.
std::vector<std::u16string> SplitFileSelection(const char16_t* buffer, size_t length);
