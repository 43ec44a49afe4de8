// The file system as the console program's input expansion sees it.
#pragma once
#include "app/win/file_system_source.h"
#include "cmd/input_list.h"

class CConsoleInputSource : public InputSource {
 public:
  ItemKind KindOf(const std::u16string& path) override { return m_files.KindOf(path); }
  bool ListFolder(const std::u16string& folder, std::vector<FOLDER_ITEM>& items) override {
    return m_files.ListFolder(folder, items);
  }
  std::u16string ShortcutTarget(const std::u16string& path) override {
    return m_files.ShortcutTarget(path);
  }
  std::u16string FullPath(const std::u16string& path) override;
  bool ReadFile(const std::u16string& path, std::string& bytes) override;

 private:
  CFileSystemSource m_files;
};
