// Arbitrary UTF-16 text, cut into chunks at every code unit 0xFFFF, fed to the
// telling-line watch as one file's encoder output; the row built from what it
// picked stays bounded whatever the verdict.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "convert/failure_reason.h"
#include "convert/run_outcomes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text(size / 2, u'\0');
  if (!text.empty()) std::memcpy(&text[0], data, text.size() * 2);

  TellingLineWatch watch;
  std::u16string whole;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(u'\xFFFF', start);
    if (end == std::u16string::npos) end = text.size();
    watch.Feed(text.substr(start, end - start));
    whole += text.substr(start, end - start);
    const std::u16string line = watch.Line();
    if (line.size() > 300) std::abort();
    if (line.find_first_of(u"\r\n") != std::u16string::npos) std::abort();
    start = end + 1;
  }
  // The same text in one piece picks the same line.
  TellingLineWatch once;
  once.Feed(whole);
  if (once.Line() != watch.Line()) std::abort();

  FileRecord record;
  record.input = u"C:\\v\\a.avi";
  record.verdict.tellingLine = watch.Line();
  record.verdict.exited = size % 2 == 0;
  record.verdict.exitCode = size > 0 ? data[0] : 0;
  for (int outcome = 0; outcome <= int(FileOutcome::StartFailed); ++outcome)
    for (int reason = 0; reason <= int(FailReason::Unreadable); ++reason) {
      record.verdict.outcome = FileOutcome(outcome);
      record.verdict.reason = FailReason(reason);
      if (OutcomeRow(record, OutcomeTexts()).size() > 500) std::abort();
    }
  return 0;
}
