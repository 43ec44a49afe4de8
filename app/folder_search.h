// Adding what the user drops or picks: files, shortcuts, and folders with all
// their subfolders, keeping only the files the task's file dialog would offer.
// The file system is reached through a FolderSource, so the walk, its order
// and its bookkeeping are the same for the program and its tests.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/input_files.h"

struct FOLDER_ITEM {
  std::u16string strName;
  bool bFolder = false;
  // A folder that leads elsewhere (a junction or a symbolic link) is not
  // entered, so that a loop cannot keep the search going for ever.
  bool bLink = false;
};

enum class ItemKind { Missing, File, Folder };

class FolderSource {
 public:
  virtual ~FolderSource() = default;
  virtual ItemKind KindOf(const std::u16string& path) = 0;
  // The entries of a folder, without "." and ".."; false when it cannot be read.
  virtual bool ListFolder(const std::u16string& folder, std::vector<FOLDER_ITEM>& items) = 0;
  // The full path a shortcut file points at; empty when it cannot be read.
  virtual std::u16string ShortcutTarget(const std::u16string& path) = 0;
};

// What one add found, and what it left out and why.
struct SEARCH_RESULT {
  std::vector<INPUT_FILE> files;
  int nOtherTypes = 0;                          // files the filter does not offer
  std::vector<std::u16string> unreadable;       // dropped items or folders that could not be read
  std::vector<std::u16string> brokenShortcuts;  // shortcuts whose target is gone
  bool bCancelled = false;
};

// Called with the number of files found so far, after each folder; returning
// false stops the search, which then counts as cancelled.
using SearchProgress = std::function<bool(size_t found)>;

// Adds the items in their order. A file is offered or not by its name; a
// shortcut stands for its target; a folder contributes the files of its whole
// tree (each folder's files in name order, then its subfolders in name order),
// each remembering the folder as its root. Shortcuts inside folders are not
// followed.
void SearchItems(FolderSource& source, const std::vector<std::u16string>& items,
                 const std::vector<std::u16string>& patterns, const SearchProgress& progress,
                 SEARCH_RESULT& result);

// A folder and a name below it, with one backslash between them.
std::u16string JoinPath(const std::u16string& folder, const std::u16string& name);

// The patterns of the page's one line about an add; "%1" and "%2" stand for
// a number and a name.
struct SEARCH_TEXTS {
  std::u16string added;        // %1 files
  std::u16string otherTypes;   // %1 files
  std::u16string unreadable;   // %1 items, %2 the first one's name
  std::u16string brokenLinks;  // %1 shortcuts, %2 the first one's name
  std::u16string cancelled;
};

// The line that tells what an add did: how many files came in, and how many
// were left out for each reason, blank-separated.
std::u16string SearchSummary(const SEARCH_RESULT& result, const SEARCH_TEXTS& texts);
