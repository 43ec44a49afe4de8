// The console program's inputs as the run's list: files, folders searched
// with their subfolders as Add Folder searches them, wildcards in a path's
// last part, and @list files of paths, one a line.
#pragma once
#include <string>
#include <vector>

#include "app/folder_search.h"
#include "app/input_files.h"

class InputSource : public FolderSource {
 public:
  // A path as typed, made full against the current folder.
  virtual std::u16string FullPath(const std::u16string& path) = 0;
  // False when the file cannot be read.
  virtual bool ReadFile(const std::u16string& path, std::string& bytes) = 0;
};

struct INPUT_EXPANSION {
  std::vector<INPUT_FILE> files;
  // Folders and files named that gave nothing, for the line that says why
  // there is nothing to convert.
  std::vector<std::u16string> empty;
  std::vector<std::u16string> unreadable;  // folders below a named one
  int otherTypes = 0;                      // files the task's filter left out
};

// The paths of a list file: UTF-8 or UTF-16 with its byte-order mark, or
// UTF-8 without; blank lines and lines starting with # are passed over.
std::vector<std::u16string> ListFileLines(const std::string& bytes);

// A named file is taken as it is, whatever its type; a folder contributes the
// files of its tree that the task's file filter offers, each kept below the
// folder; a wildcard the files it matches, in name order. False with `error`
// naming an input that does not exist or a list file that cannot be read.
bool ExpandInputs(InputSource& source, const std::vector<std::u16string>& inputs, int task,
                  INPUT_EXPANSION& out, std::u16string& error);
