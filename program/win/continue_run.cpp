#include "program/win/continue_run.h"

#include "convert/run_journal.h"
#include "convert/win/run_journal_file.h"
#include "framework/win/dialog.h"

std::unique_ptr<RunRequest> OfferToContinue(const APP_STATE& state, const CLanguagePack& pack) {
  StoppedRun stopped(state.g_strAppDir);
  const JournalRun& run = stopped.Run();
  const JournalTexts texts = TranslatedTexts(JournalTextKeys(), pack.m_texts);
  if (run.state == JournalRun::State::Damaged)
    AppMessageBox(nullptr, FillIn(texts.damaged, {kDamagedJournalFile}), MB_OK | MB_ICONWARNING);
  if (run.state != JournalRun::State::Stopped) return nullptr;
  // Stopped between its last file and its end: nothing is left to do.
  if (run.NotEnded().empty()) {
    stopped.Forget();
    return nullptr;
  }
  if (AppMessageBox(nullptr, ContinueQuestion(run, texts), MB_YESNO | MB_ICONQUESTION) != IDYES) {
    stopped.Forget();
    return nullptr;
  }
  // The journal stays until the continued run takes it over: a program
  // stopped before then asks again.
  return std::make_unique<RunRequest>(run.Continuation());
}
