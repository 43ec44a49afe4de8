#include "convert/win/result_page.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "convert/result_text.h"
#include "convert/win/converting_page.h"
#include "convert/win/messages.h"
#include "framework/win/controls.h"
#include "resources/resource.h"

CResultPage::CResultPage(const APP_STATE& state, const CConvertingPage& run)
    : CWizardPage(IDD_RESULT_PAGE), m_state(state), m_run(run) {}

void CResultPage::EnterPage() {
  const RunReport& report = m_run.Report();
  const int files = int(report.files.size());
  GetDlgItem(IDC_RES_TOTAL).SetWindowText(DecimalText(files));
  GetDlgItem(IDC_RES_SUCCEEDED)
      .SetWindowText(DecimalText(ShownSuccesses(m_state.g_nTaskMode, files, report.Succeeded())));

  const std::u16string first = files > 0 ? report.files[0].input : std::u16string();
  const std::u16string folder =
      ResultFolderText(report.settings.sameAsSource, first, report.settings.outputFolder);
  m_linkFolder.SetWindowText(folder);
  m_linkFolder.SetTarget(folder);

  GetDlgItem(IDC_RES_BURNER).ShowWindow(SW_HIDE);
  GetDlgItem(IDC_RES_BURNER_CAPTION).ShowWindow(SW_HIDE);
  FillOutcomes();
  ShowWindow(SW_SHOW);
}

void CResultPage::FillOutcomes() {
  const HWND listWindow = GetDlgItem(IDC_RES_FILES).GetSafeHwnd();
  CListBox list(listWindow);
  list.ResetContent();
  const std::vector<FileRecord>& outcomes = m_run.Report().files;
  // Wide enough to scroll to the end of the longest reason.
  HDC dc = ::GetDC(listWindow);
  const HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(listWindow, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  const std::vector<INPUT_FILE>& inputs = m_run.ReportInputs();
  for (const FileRecord& record : outcomes) {
    // Named below the folder it was added with, so that same names tell apart.
    const bool known =
        record.position < inputs.size() && inputs[record.position].strPath == record.input;
    const std::u16string row =
        OutcomeRow(record, known ? inputs[record.position] : InputFileOf(record.input), m_texts);
    list.AddString(row);
    SIZE size;
    if (::GetTextExtentPoint32W(dc, W(row), int(row.size()), &size))
      widest = std::max(widest, size.cx);
  }
  ::SelectObject(dc, old);
  ::ReleaseDC(listWindow, dc);
  ::SendMessageW(listWindow, LB_SETHORIZONTALEXTENT, WPARAM(widest + 8), 0);
  GetDlgItem(IDC_RES_RETRY).ShowWindow(RetryPositions(outcomes).empty() ? SW_HIDE : SW_SHOW);
}

void CResultPage::LeavePage() {
  ShowWindow(SW_HIDE);
}

void CResultPage::SetTexts(const LanguageTexts& pack) {
  m_texts = TranslatedTexts(OutcomeTextKeys(), pack);
  m_texts.numbers = TranslatedTexts(NumberTextKeys(), pack);
  m_texts.failures = TranslatedTexts(FailureTextKeys(), pack);
  const auto copy = pack.find(u"9142-16");
  m_copyPathText = copy != pack.end() && !copy->second.empty() ? copy->second : u"Copy full path";
  const auto open = pack.find(u"9142-12");
  m_openFolderText =
      open != pack.end() && !open->second.empty() ? open->second : u"Open containing folder";
  if (::IsWindowVisible(m_hWnd)) FillOutcomes();
}

BOOL CResultPage::OnInitDialog() {
  m_linkFolder.SubclassDlgItem(IDC_RES_FOLDER, m_hWnd);
  return TRUE;
}

std::u16string CResultPage::ConvertedOutput(int row) const {
  const std::vector<FileRecord>& outcomes = m_run.Report().files;
  if (row < 0 || size_t(row) >= outcomes.size()) return std::u16string();
  const FileRecord& record = outcomes[size_t(row)];
  return record.verdict.outcome == FileOutcome::Succeeded ? record.output : std::u16string();
}

void CResultPage::ShowOutput(int row) const {
  const std::u16string output = ConvertedOutput(row);
  if (output.empty()) return;
  const std::u16string args = u"/select,\"" + output + u"\"";
  ::ShellExecuteW(m_hWnd, L"open", L"explorer.exe", W(args), nullptr, SW_SHOWNORMAL);
}

void CResultPage::CopyText(const std::u16string& text) const {
  if (!::OpenClipboard(m_hWnd)) return;
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  if (memory) {
    if (void* data = ::GlobalLock(memory)) {
      std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char16_t*>(data));
      ::GlobalUnlock(memory);
      // The clipboard owns the memory once it took it.
      if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    } else {
      ::GlobalFree(memory);
    }
  }
  ::CloseClipboard();
}

void CResultPage::ShowMenu(int x, int y) {
  CListBox list(GetDlgItem(IDC_RES_FILES).GetSafeHwnd());
  const int row = list.GetCurSel();
  if (x == -1 && y == -1) {
    // From the keyboard: at the selected row.
    RECT rc = {};
    ::SendMessageW(list.GetSafeHwnd(), LB_GETITEMRECT, WPARAM(std::max(row, 0)),
                   reinterpret_cast<LPARAM>(&rc));
    POINT pt = {rc.left + 8, rc.bottom};
    ::ClientToScreen(list.GetSafeHwnd(), &pt);
    x = pt.x;
    y = pt.y;
  }
  HMENU menu = ::CreatePopupMenu();
  if (!menu) return;
  const UINT state = ConvertedOutput(row).empty() ? MF_GRAYED : MF_ENABLED;
  // The row's whole path first: the list shows it only below its folder.
  const std::vector<FileRecord>& outcomes = m_run.Report().files;
  const std::u16string input =
      row >= 0 && size_t(row) < outcomes.size() ? outcomes[size_t(row)].input : std::u16string();
  if (!input.empty()) {
    ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, W(input));
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  }
  ::AppendMenuW(menu, MF_STRING | state, IDM_RES_OPEN_FOLDER, W(m_openFolderText));
  if (!input.empty()) ::AppendMenuW(menu, MF_STRING, IDM_RES_COPY_PATH, W(m_copyPathText));
  const int chosen =
      ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, m_hWnd, nullptr);
  ::DestroyMenu(menu);
  if (chosen == IDM_RES_OPEN_FOLDER) ShowOutput(row);
  if (chosen == IDM_RES_COPY_PATH) CopyText(input);
}

bool CResultPage::OnCommand(int id, int code, HWND control) {
  if (id == IDC_RES_FILES && code == LBN_DBLCLK) {
    ShowOutput(CListBox(control).GetCurSel());
    return true;
  }
  if (id == IDC_RES_RETRY && code == BN_CLICKED) {
    ::PostMessageW(::GetParent(m_hWnd), WM_RETRY_FAILED, 0, 0);
    return true;
  }
  return CWizardPage::OnCommand(id, code, control);
}

bool CResultPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_CONTEXTMENU && HWND(wParam) == GetDlgItem(IDC_RES_FILES).GetSafeHwnd()) {
    CListBox list(reinterpret_cast<HWND>(wParam));
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (x != -1 || y != -1) {
      // A right click selects the row under it first.
      POINT pt = {x, y};
      ::ScreenToClient(list.GetSafeHwnd(), &pt);
      const LRESULT hit =
          ::SendMessageW(list.GetSafeHwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
      if (HIWORD(hit) == 0) list.SetCurSel(LOWORD(hit));
    }
    ShowMenu(x, y);
    result = 0;
    return true;
  }
  return CWizardPage::OnMessage(msg, wParam, lParam, result);
}
