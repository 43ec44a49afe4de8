// Whole-file reads and atomic replacement of small binary files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Reads at most maxBytes; false when the file cannot be opened or read.
bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& bytes, size_t maxBytes);
// Writes a temporary file beside `path` and moves it over `path`, so a failed
// or interrupted write never leaves a truncated file behind. When no file may
// be created beside `path`, an existing `path` is rewritten in place instead.
// A read-only `path` is left as it is (false).
bool ReplaceFileAtomically(const std::u16string& path, const std::vector<uint8_t>& bytes);

// Whether a file or folder exists; long paths are taken in their extended form.
bool PathExists(const std::u16string& path);
// The size of a file; false when there is none (a folder is none).
bool FileSizeOf(const std::u16string& path, unsigned long long& size);
// Whether another program holds the file open without sharing it, so that
// it can be neither read nor written now.
bool IsHeldByAnother(const std::u16string& path);
// Creates a folder and the missing folders above it. Empty when the folder
// exists afterwards, else the system's reason.
std::u16string CreateFolderTree(const std::u16string& folder);
// Whether files can be made in a folder: it is there, and a file created in
// it (and deleted at once) was let be.
enum class FolderState { Writable, Missing, NotWritable };
FolderState FolderStateOf(const std::u16string& folder);
// The system's text for an error code, on one line.
std::u16string SystemErrorText(unsigned long code);
