#include "cmd/win/watch_run.h"

#include <windows.h>

#include "app/folder_search.h"
#include "app/language_text.h"
#include "cmd/watch_rules.h"
#include "cmd/win/console.h"
#include "cmd/win/input_source.h"
#include "convert/run_engine.h"
#include "framework/long_path.h"
#include "framework/win/file_io.h"
#include "framework/win/wide.h"

namespace {

// How long a file must look the same before it is taken, and how often the
// folder is looked at.
constexpr double kSettleSeconds = 3;
constexpr DWORD kLookMs = 1000;
constexpr size_t kMaxLedgerBytes = 256u << 20;

void Tell(const std::u16string& line) {
  Write(Stream::Err, u"VidmorphCmd: " + line + u"\n");
}

std::u16string WithoutSeparator(std::u16string path) {
  while (path.size() > 3 && (path.back() == u'\\' || path.back() == u'/')) path.pop_back();
  return path;
}

// The ledger's entries; one that cannot be read or makes no sense is moved
// aside and named, and the watch starts anew. False when it cannot even be
// moved, since then nothing could be kept.
bool LoadLedger(const std::u16string& path, std::vector<LEDGER_ENTRY>& entries) {
  entries.clear();
  if (!PathExists(path)) return true;
  std::vector<uint8_t> bytes;
  const bool read = ReadWholeFile(ExtendedLengthPath(path), bytes, kMaxLedgerBytes);
  if (read && ReadLedger(std::string(bytes.begin(), bytes.end()), entries)) return true;
  const std::u16string aside = path + u".damaged";
  if (!::MoveFileExW(W(ExtendedLengthPath(path)), W(ExtendedLengthPath(aside)),
                     MOVEFILE_REPLACE_EXISTING)) {
    Tell(u"the ledger " + path + u" cannot be read or set aside: " +
         SystemErrorText(::GetLastError()));
    return false;
  }
  Tell(u"the ledger " + path + u" could not be read; it is set aside as " + aside +
       u" and every file is taken anew");
  return true;
}

bool AppendToLedger(const std::u16string& path, const std::string& lines) {
  HANDLE file = ::CreateFileW(W(ExtendedLengthPath(path)), FILE_APPEND_DATA, FILE_SHARE_READ,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  const bool fresh = ::GetFileSizeEx(file, &size) && size.QuadPart == 0;
  const std::string bytes = (fresh ? std::string(kLedgerHeader) : std::string()) + lines;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                  written == bytes.size() && ::FlushFileBuffers(file);
  ::CloseHandle(file);
  return ok;
}

// Whether the program that writes a file has let go of it: it opens for
// reading with no one else allowed to write.
bool CanBeOpened(const std::u16string& path) {
  HANDLE file = ::CreateFileW(W(ExtendedLengthPath(path)), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

// The files of the folder's tree that the task takes, with their sizes and times.
std::vector<WATCHED_FILE> Look(CConsoleInputSource& source, const std::u16string& folder,
                               const std::vector<std::u16string>& patterns) {
  SEARCH_RESULT found;
  SearchItems(source, {folder}, patterns, nullptr, found);
  std::vector<WATCHED_FILE> seen;
  for (const INPUT_FILE& file : found.files) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(W(ExtendedLengthPath(file.strPath)), GetFileExInfoStandard, &data))
      continue;  // gone since
    WATCHED_FILE w;
    w.file = file;
    w.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    w.time =
        (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    seen.push_back(w);
  }
  return seen;
}

// How a file's run ends up in the ledger; false for an end that says nothing
// of the file (stopped, never reached, gone before its turn), which is
// taken again.
bool MarkOf(const FileVerdict& v, LedgerMark& mark) {
  switch (v.outcome) {
    case FileOutcome::Succeeded:
      mark = LedgerMark::Converted;
      return true;
    case FileOutcome::Skipped:
      mark = LedgerMark::Skipped;
      return true;
    case FileOutcome::Failed:
      mark = LedgerMark::Failed;
      return v.reason != FailReason::InputGone;
    case FileOutcome::Cancelled:
    case FileOutcome::StartFailed:
      break;
  }
  return false;
}

}  // namespace

std::u16string LedgerPath(const std::u16string& folder, const CMD_SETUP& setup,
                          const SHARD& shard) {
  const std::u16string watched = WithoutSeparator(folder);
  std::u16string name = DisplayNameOf(watched);
  if (name.empty() || name.back() == u':') name = u"watch";
  const std::u16string home = setup.sameAsSource ? DirectoryOf(watched) : setup.outputFolder;
  return ShardFileName(JoinPath(home, name + u".vidmorph-watch"), shard);
}

int WatchFolder(const WATCH_RUN& watch) {
  std::vector<LEDGER_ENTRY> entries;
  if (!LoadLedger(watch.ledger, entries)) return kExitBadArguments;
  WatchRules rules(kSettleSeconds, watch.shard);
  rules.Load(entries);
  if (!watch.run.setup.sameAsSource) rules.SetOutputFolder(watch.run.setup.outputFolder);
  const std::vector<std::u16string> patterns =
      OfferedPatterns(InputFilterFor(watch.run.setup.task));
  CConsoleInputSource source;
  Tell(u"watching " + watch.folder + u" (Ctrl+C stops); the ledger is " + watch.ledger);

  std::vector<CMD_FILE_RESULT> results;
  std::vector<std::u16string> log;
  bool startFailed = false, missing = false;
  const ULONGLONG start = ::GetTickCount64();
  while (!WaitForStop(0)) {
    if (source.KindOf(watch.folder) != ItemKind::Folder) {
      if (!missing) Tell(u"the watched folder " + watch.folder + u" is gone; waiting for it");
      missing = true;
      WaitForStop(kLookMs);
      continue;
    }
    if (missing) Tell(u"the watched folder " + watch.folder + u" is back");
    missing = false;
    const double now = double(::GetTickCount64() - start) / 1000;
    // Sizes and times as the run takes them: a file that changes from here on
    // is taken again.
    std::vector<WATCHED_FILE> due;
    std::vector<INPUT_FILE> batch;
    for (const WATCHED_FILE& w : rules.Due(Look(source, watch.folder, patterns), now))
      if (CanBeOpened(w.file.strPath)) {
        due.push_back(w);
        batch.push_back(w.file);
      }
    if (batch.empty()) {
      WaitForStop(kLookMs);
      continue;
    }
    const RunReport report = RunBatch(watch.run, batch);
    std::string lines;
    for (const FileRecord& record : report.files) {
      LEDGER_ENTRY entry;
      if (!MarkOf(record.verdict, entry.mark)) continue;
      const WATCHED_FILE& w = due[record.position];
      entry.size = w.size;
      entry.time = w.time;
      entry.path = NameBelowRoot(w.file);
      entry.output = record.output;
      rules.Record(entry);
      lines += LedgerLine(entry);
    }
    if (!lines.empty() && !AppendToLedger(watch.ledger, lines))
      Tell(u"the ledger " + watch.ledger + u" cannot be written: " +
           SystemErrorText(::GetLastError()));
    for (CMD_FILE_RESULT r : ResultsOf(report.files)) {
      r.position = results.size();
      results.push_back(r);
    }
    // A watch may last for weeks: the encoders' words are kept only for a log.
    if (!watch.run.logPath.empty()) log.insert(log.end(), report.log.begin(), report.log.end());
    if (report.end == BatchEnd::StartFailed) {
      // An encoder that cannot start would fail every file that comes.
      startFailed = true;
      break;
    }
  }
  return FinishRun(watch.run, results, log, !startFailed, startFailed);
}
