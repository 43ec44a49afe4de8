#include "profiles/win/output_settings_page.h"

#include <algorithm>

#include "framework/win/folder_chooser.h"
#include "profiles/output_page_rules.h"
#include "resources/resource.h"

namespace {

// Controls of the template that are never shown but whose values are kept.
constexpr int kDisabledHidden[] = {IDC_OUT_BURNER, IDC_OUT_BURN_SPEED, IDC_OUT_CONVERT_AND_BURN,
                                   IDC_OUT_DISC_VOLUME, IDC_OUT_REFRESH};

const char16_t* const kAudioFormats[] = {u"MPEG audio layer 3 (*.mp3)",
                                         u"MPEG audio layer 2 (*.mp2)", u"WAV format (*.wav)"};

void ExchangeCheck(HWND page, int id, int& value, bool save) {
  if (save)
    value = ::IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0;
  else
    ::CheckDlgButton(page, id, value ? BST_CHECKED : BST_UNCHECKED);
}

void ExchangeText(HWND page, int id, std::u16string& value, bool save) {
  if (save)
    value = HwndGetText(::GetDlgItem(page, id));
  else
    ::SetDlgItemTextW(page, id, W(value));
}

// A position in a drop-down list; -1 (or a position past its end) selects nothing.
void ExchangeIndex(HWND page, int id, int& value, bool save) {
  if (save) {
    value = int(::SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0));
    return;
  }
  // Said outright: not every system clears the selection for a position past the end.
  const int count = int(::SendDlgItemMessageW(page, id, CB_GETCOUNT, 0, 0));
  ::SendDlgItemMessageW(page, id, CB_SETCURSEL, WPARAM(value >= 0 && value < count ? value : -1),
                        0);
}

std::u16string TempFolder() {
  wchar_t path[MAX_PATH + 1] = {0};
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, path);
  return n > 0 && n <= MAX_PATH ? U(path, n) : std::u16string();
}

// The boxes are narrower than many labels; their dropped lists need not be.
void FitDroppedWidth(const CComboBox& box, const std::vector<std::u16string>& labels) {
  RECT rc;
  ::GetWindowRect(box.GetSafeHwnd(), &rc);
  const int margins = 2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXVSCROLL) + 8;
  box.SendMessage(CB_SETDROPPEDWIDTH,
                  WPARAM(std::max<int>(WidestText(box, labels) + margins, rc.right - rc.left)));
}

}  // namespace

int OptionBoxId(OptionKind kind) {
  static constexpr int kBoxIds[kOptionKindCount] = {
      IDC_OUT_SIZE,        IDC_OUT_FRAME_RATE,  IDC_OUT_AUDIO_BITRATE, IDC_OUT_VIDEO_BITRATE,
      IDC_OUT_VIDEO_CODEC, IDC_OUT_AUDIO_CODEC, IDC_OUT_SAMPLE_RATE,   IDC_OUT_CHANNELS};
  return kBoxIds[static_cast<int>(kind)];
}

COutputSettingsPage::COutputSettingsPage(OUTPUT_SETTINGS& settings, const int32_t& task,
                                         CONVERT_JOB& job)
    : CWizardPage(IDD_OUTPUT_PAGE), m_settings(settings), m_task(task), m_job(job) {}

BOOL COutputSettingsPage::OnInitDialog() {
  m_boxProfile.Attach(GetDlgItem(IDC_OUT_PROFILE).GetSafeHwnd());
  for (OptionKind kind : kAllOptionKinds)
    OptionBox(kind).Attach(GetDlgItem(OptionBoxId(kind)).GetSafeHwnd());
  m_boxAudioFormat.Attach(GetDlgItem(IDC_OUT_AUDIO_FORMAT).GetSafeHwnd());
  for (const char16_t* format : kAudioFormats) m_boxAudioFormat.AddString(format);
  FillProfileBox();
  return TRUE;
}

void COutputSettingsPage::DoDataExchange(bool save) {
  // Runs before OnInitDialog too, so controls are reached by id.
  ExchangeText(m_hWnd, IDC_OUT_FOLDER, m_strOutputFolder, save);
  ExchangeCheck(m_hWnd, IDC_OUT_SAME_AS_SOURCE, m_bSameAsSource, save);
  ExchangeCheck(m_hWnd, IDC_OUT_USE_TEMP, m_bUseTempFolder, save);
  ExchangeCheck(m_hWnd, IDC_OUT_OVERWRITE, m_bOverwrite, save);
  ExchangeCheck(m_hWnd, IDC_OUT_USE_ORIGINAL, m_bUseOriginal, save);
  ExchangeIndex(m_hWnd, IDC_OUT_PROFILE, m_nProfilePos, save);
  for (OptionKind kind : kAllOptionKinds)
    ExchangeIndex(m_hWnd, OptionBoxId(kind), m_nPos[static_cast<int>(kind)], save);
  ExchangeIndex(m_hWnd, IDC_OUT_AUDIO_FORMAT, m_nAudioFormat, save);
  ExchangeIndex(m_hWnd, IDC_OUT_BURNER, m_nBurner, save);
  ExchangeIndex(m_hWnd, IDC_OUT_BURN_SPEED, m_nBurnSpeed, save);
  ExchangeCheck(m_hWnd, IDC_OUT_CONVERT_AND_BURN, m_bConvertAndBurn, save);
  ExchangeText(m_hWnd, IDC_OUT_DISC_VOLUME, m_strDiscVolume, save);
}

void COutputSettingsPage::FillProfileBox() {
  m_boxProfile.ResetContent();
  for (int profile : ProfilesForTask(m_task)) {
    const int index = m_boxProfile.AddString(ProfileItemText(profile));
    m_boxProfile.SetItemData(index, profile);
  }
  if (m_boxProfile.GetCount() > 0) m_boxProfile.SetCurSel(0);
}

void COutputSettingsPage::FillOptionBoxes() {
  const int sel = m_boxProfile.GetCurSel();
  if (sel < 0) return;
  const int profile = int(m_boxProfile.GetItemData(sel));
  const bool useOriginal = ::IsDlgButtonChecked(m_hWnd, IDC_OUT_USE_ORIGINAL) == BST_CHECKED;
  for (OptionKind kind : kAllOptionKinds) {
    CComboBox& box = OptionBox(kind);
    box.ResetContent();
    std::vector<std::u16string> labels;
    for (const OptionItem& item : OptionItems(profile, kind)) {
      const int index = box.AddString(item.label);
      box.SetItemData(index, item.row);
      labels.push_back(item.label);
    }
    FitDroppedWidth(box, labels);
    if (box.GetCount() > 0) {
      box.SetCurSel(OptionList(profile, kind).nDefault);
      box.EnableWindow(!useOriginal);
    } else {
      box.EnableWindow(false);
    }
  }
}

void COutputSettingsPage::UpdateFolderControls() {
  const bool chosen = ::IsDlgButtonChecked(m_hWnd, IDC_OUT_USE_TEMP) != BST_CHECKED &&
                      ::IsDlgButtonChecked(m_hWnd, IDC_OUT_SAME_AS_SOURCE) != BST_CHECKED;
  GetDlgItem(IDC_OUT_BROWSE).EnableWindow(chosen);
  GetDlgItem(IDC_OUT_FOLDER).EnableWindow(chosen);
}

void COutputSettingsPage::EnterPage() {
  OUTPUT_SETTINGS& s = m_settings;
  GetDlgItem(IDC_OUT_STATIC_1082).ShowWindow(SW_SHOW);
  for (int id : kDisabledHidden) GetDlgItem(id).EnableWindow(false);

  FillProfileBox();
  // After a change to a task with fewer profiles the stored position may lie
  // past the box's end; the first profile is taken rather than none.
  m_nProfilePos = ProfilePosition(s.g_nProfilePos, m_boxProfile.GetCount());
  UpdateData(false);
  FillOptionBoxes();

  m_bOverwrite = s.g_bOverwrite;
  m_bSameAsSource = s.g_bSameAsSource;
  m_bUseTempFolder = s.g_bUseTempFolder;
  if (s.g_bUseTempFolder) s.g_strOutputFolder = TempFolder();

  m_strOutputFolder = s.g_strOutputFolder;
  m_nAudioFormat = s.g_nAudioFormat;
  m_nBurner = s.g_nBurner;
  m_nBurnSpeed = s.g_nBurnSpeed;
  m_bConvertAndBurn = s.g_bConvertAndBurn;
  m_strDiscVolume = s.g_strDiscVolume;
  m_bUseOriginal = s.g_bUseOriginal;
  for (OptionKind kind : kAllOptionKinds) m_nPos[static_cast<int>(kind)] = SavedPosition(s, kind);
  UpdateData(false);

  if (m_bUseOriginal)
    for (OptionKind kind : kAllOptionKinds) OptionBox(kind).EnableWindow(false);
  UpdateFolderControls();
  ShowWindow(SW_SHOW);
}

void COutputSettingsPage::LeavePage() {
  OUTPUT_SETTINGS& s = m_settings;
  UpdateData(true);
  s.g_bOverwrite = m_bOverwrite;
  s.g_bSameAsSource = m_bSameAsSource;
  s.g_bUseTempFolder = m_bUseTempFolder;
  s.g_strOutputFolder = StoredFolder(m_strOutputFolder);

  s.g_nAudioFormat = m_nAudioFormat;
  s.g_nBurner = m_nBurner;
  s.g_nBurnSpeed = m_nBurnSpeed;
  s.g_bConvertAndBurn = m_bConvertAndBurn;
  s.g_strDiscVolume = m_strDiscVolume;
  s.g_nProfilePos = m_nProfilePos;
  s.g_bUseOriginal = m_bUseOriginal;
  for (OptionKind kind : kAllOptionKinds) SavedPosition(s, kind) = m_nPos[static_cast<int>(kind)];

  // The boxes hold the task's profiles and the profile's lists in their
  // order, so the stored positions name what they show.
  ChosenJob(s, m_task, m_job);
  ShowWindow(SW_HIDE);
}

bool COutputSettingsPage::OnCommand(int id, int code, HWND control) {
  if (id == IDC_OUT_PROFILE) {
    if (code == CBN_SELCHANGE) FillOptionBoxes();
    return true;
  }
  if (code != BN_CLICKED) return CWizardPage::OnCommand(id, code, control);
  switch (id) {
    case IDC_OUT_BROWSE:
      OnBrowse();
      return true;
    case IDC_OUT_SAME_AS_SOURCE:
      UpdateFolderControls();
      return true;
    case IDC_OUT_USE_TEMP:
      OnUseTempFolder();
      return true;
    case IDC_OUT_USE_ORIGINAL:
      OnUseOriginal();
      return true;
  }
  return CWizardPage::OnCommand(id, code, control);
}

void COutputSettingsPage::OnBrowse() {
  std::u16string path;
  if (!ChooseFolder(m_hWnd, u"Select Destination Path:", path)) return;
  m_strOutputFolder = FolderWithBackslash(path);
  GetDlgItem(IDC_OUT_FOLDER).SetWindowText(m_strOutputFolder);
}

void COutputSettingsPage::OnUseTempFolder() {
  UpdateFolderControls();
  if (::IsDlgButtonChecked(m_hWnd, IDC_OUT_USE_TEMP) != BST_CHECKED) return;
  m_strOutputFolder = TempFolder();
  GetDlgItem(IDC_OUT_FOLDER).SetWindowText(m_strOutputFolder);
}

void COutputSettingsPage::OnUseOriginal() {
  const bool checked = ::IsDlgButtonChecked(m_hWnd, IDC_OUT_USE_ORIGINAL) == BST_CHECKED;
  for (OptionKind kind : kAllOptionKinds) {
    CComboBox& box = OptionBox(kind);
    box.EnableWindow(!checked && box.GetCount() > 0);
  }
}
