#include "app/win/persist_dialog.h"

#include "app/app_state.h"
#include "app/win/settings_file.h"
#include "framework/archive.h"
#include "framework/win/file_io.h"
#include "framework/win/wide.h"

CPersistDialog::CPersistDialog(int templateId, const std::u16string& fileName, HWND owner)
    : CDialog(templateId, owner), m_strSettingsFile(DirectoryOf(ModulePath()) + fileName) {}

BOOL CPersistDialog::LoadSettings() {
  if (!LoadSettingsFile(m_strSettingsFile, [this](Archive& ar) { SerializeSettings(ar); }))
    return FALSE;
  UpdateData(false);
  return TRUE;
}

BOOL CPersistDialog::SaveSettings() {
  UpdateData(true);
  Archive ar;
  SerializeSettings(ar);
  return ReplaceFileAtomically(m_strSettingsFile, ar.Bytes()) ? TRUE : FALSE;
}

BOOL CPersistDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  LoadSettings();
  return TRUE;
}

void CPersistDialog::OnOK() {
  SaveSettings();
  CDialog::OnOK();
}
