// Page 2: where the outputs go, the overwrite rule, the output profile and up
// to eight encoder options of that profile.
#pragma once
#include <string>

#include "framework/win/controls.h"
#include "framework/win/wizard_page.h"
#include "profiles/catalogue.h"
#include "profiles/convert_job.h"
#include "profiles/output_settings.h"

class COutputSettingsPage : public CWizardPage {
 public:
  // Offers the profiles of `task` (the task page's choice, read on every
  // entry), keeps its values in `settings` and writes the profile and option
  // rows into `job` when left.
  COutputSettingsPage(OUTPUT_SETTINGS& settings, const int32_t& task, CONVERT_JOB& job);
  void LeavePage() override;
  void EnterPage() override;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(bool save) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void FillProfileBox();
  // Refills the eight boxes for the selected profile with its preselected rows.
  void FillOptionBoxes();
  void UpdateFolderControls();
  void OnBrowse();
  void OnUseTempFolder();
  void OnUseOriginal();
  CComboBox& OptionBox(OptionKind kind) { return m_boxOptions[static_cast<int>(kind)]; }

  OUTPUT_SETTINGS& m_settings;
  const int32_t& m_task;
  CONVERT_JOB& m_job;

  CComboBox m_boxProfile;
  CComboBox m_boxOptions[kOptionKindCount];  // indexed by OptionKind
  CComboBox m_boxAudioFormat;

  // Member values exchanged with the controls; -1 and off until first entry.
  std::u16string m_strOutputFolder;
  int m_bSameAsSource = 0;
  int m_bUseTempFolder = 0;
  int m_bOverwrite = 0;
  int m_bUseOriginal = 0;
  int m_nProfilePos = -1;
  int m_nPos[kOptionKindCount] = {-1, -1, -1, -1, -1, -1, -1, -1};  // indexed by OptionKind
  // Hidden controls: kept and stored, never shown.
  int m_nAudioFormat = -1;
  int m_nBurner = -1;
  int m_nBurnSpeed = -1;
  int m_bConvertAndBurn = 0;
  std::u16string m_strDiscVolume;
};

// The option box of a kind; the page fills them in slot order (kAllOptionKinds).
int OptionBoxId(OptionKind kind);
