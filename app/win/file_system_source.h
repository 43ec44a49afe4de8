// The file system as the folder search sees it: kinds of items, folder
// listings and shortcut targets, with long paths in their extended form.
// Used on the search's own thread, which must have COM initialised for
// shortcuts.
#pragma once
#include "app/folder_search.h"

class CFileSystemSource : public FolderSource {
 public:
  ItemKind KindOf(const std::u16string& path) override;
  bool ListFolder(const std::u16string& folder, std::vector<FOLDER_ITEM>& items) override;
  std::u16string ShortcutTarget(const std::u16string& path) override;
};
