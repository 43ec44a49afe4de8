#include "convert/win/countdown_dialog.h"

#include <utility>

#include "app/win/language_pack.h"
#include "resources/resource.h"

namespace {

constexpr UINT_PTR kTimer = 1;
constexpr UINT kTickMs = 200;

// The dialog the key filter stops; one countdown runs at a time.
CCountdownDialog* g_counting = nullptr;

}  // namespace

CCountdownDialog::CCountdownDialog(HWND parent, WhenDoneCountdown& countdown,
                                   WhenDoneActions& actions, const LanguageTexts* pack,
                                   std::function<uint64_t()> now)
    : CDialog(IDD_COUNTDOWN, parent),
      m_countdown(countdown),
      m_actions(actions),
      m_pack(pack),
      m_now(std::move(now)) {}

CCountdownDialog::~CCountdownDialog() {
  if (m_hook) ::UnhookWindowsHookEx(m_hook);
  if (g_counting == this) g_counting = nullptr;
}

BOOL CCountdownDialog::OnInitDialog() {
  if (m_pack) {
    ApplyLanguageTexts(m_hWnd, IDD_COUNTDOWN, *m_pack);
    m_texts = TranslatedTexts(WhenDoneTextKeys(), *m_pack);
    m_numbers = TranslatedTexts(NumberTextKeys(), *m_pack);
  }
  GetDlgItem(IDC_COUNTDOWN_HINT).SetWindowText(m_texts.howToStop);
  // A key goes to whichever control has the focus; the dialog's own loop
  // shows every message to this filter first.
  g_counting = this;
  m_hook = ::SetWindowsHookExW(WH_MSGFILTER, KeyFilter, nullptr, ::GetCurrentThreadId());
  ::SetTimer(m_hWnd, kTimer, kTickMs, nullptr);
  Tick();
  return TRUE;
}

LRESULT CALLBACK CCountdownDialog::KeyFilter(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code >= 0 && g_counting && msg &&
      (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN)) {
    g_counting->OnCancel();
    return 1;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CCountdownDialog::OnCancel() {
  m_countdown.Stop();
  ::KillTimer(m_hWnd, kTimer);
  g_counting = nullptr;
  EndDialog(IDCANCEL);
}

void CCountdownDialog::Tick() {
  const uint64_t now = m_now();
  GetDlgItem(IDC_COUNTDOWN_TEXT).SetWindowText(CountdownText(m_countdown, now, m_texts, m_numbers));
  if (!m_countdown.Counting()) {
    OnCancel();
    return;
  }
  if (m_countdown.Tick(now, m_actions)) {
    ::KillTimer(m_hWnd, kTimer);
    g_counting = nullptr;
    EndDialog(IDOK);
  }
}

bool CCountdownDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_TIMER && wParam == kTimer) {
    Tick();
    result = 0;
    return true;
  }
  return CDialog::OnMessage(msg, wParam, lParam, result);
}
