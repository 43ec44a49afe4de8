// Full paths too long for the system's plain form (260 characters with the
// end, 248 for a folder) work only in the extended form "\\?\C:\..." or
// "\\?\UNC\server\share\...". Shorter paths keep their plain form, which is
// what the user sees and what the log shows.
#pragma once
#include <string>

// The longest plain path a folder may have (a file's may be 11 longer).
constexpr size_t kLongestPlainFolder = 247;

// The form of a full path that every file-system call accepts: the extended
// form once the path is longer than kLongestPlainFolder, else the path as it
// is. Forward slashes become backslashes in the extended form, which takes
// them literally. Relative and already extended paths are left alone.
std::u16string ExtendedLengthPath(const std::u16string& path);

// The plain form of a path that may be in the extended form.
std::u16string PlainPath(const std::u16string& path);
