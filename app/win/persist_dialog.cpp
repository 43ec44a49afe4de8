#include "app/win/persist_dialog.h"

#include "app/app_state.h"
#include "framework/archive.h"
#include "framework/win/file_io.h"
#include "framework/win/wide.h"

namespace {

// No valid settings file comes near this; a larger one is garbage.
constexpr size_t kMaxSettingsBytes = 1 << 20;

std::u16string DecodeAnsi(const std::string& bytes) {
  if (bytes.empty()) return std::u16string();
  const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
  std::wstring w(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), &w[0], n);
  return U(w.c_str(), w.size());
}

}  // namespace

CPersistDialog::CPersistDialog(int templateId, const std::u16string& fileName, HWND owner)
    : CDialog(templateId, owner), m_strSettingsFile(DirectoryOf(ModulePath()) + fileName) {}

BOOL CPersistDialog::LoadSettings() {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(m_strSettingsFile, bytes, kMaxSettingsBytes)) return FALSE;
  Archive ar(bytes.data(), bytes.size(), DecodeAnsi);
  SerializeSettings(ar);
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
