// A dialog that keeps its settings in a binary file beside the executable:
// read when the dialog initialises, written on OK.
#pragma once
#include <string>

#include "framework/win/dialog.h"

class Archive;

class CPersistDialog : public CDialog {
 public:
  CPersistDialog(int templateId, const std::u16string& fileName, HWND owner);

  // Reads when the archive loads, writes when it stores.
  virtual void SerializeSettings(Archive& ar) = 0;

  // A dialog with settings beside these reads and writes them here too.
  virtual BOOL LoadSettings();
  virtual BOOL SaveSettings();

  const std::u16string& SettingsFile() const { return m_strSettingsFile; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

  std::u16string m_strSettingsFile;
};
