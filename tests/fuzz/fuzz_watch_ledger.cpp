// Arbitrary bytes as a watch folder's ledger and as a report of a share to
// merge, each also behind the start a real one has so that the reader's
// later steps are reached: read without a fault; what is taken is written
// back and read again alike, and a ledger that is refused yields no entry.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cmd/run_report.h"
#include "cmd/watch_ledger.h"

namespace {

void Ledger(const std::string& bytes) {
  std::vector<LEDGER_ENTRY> entries;
  if (!ReadLedger(bytes, entries)) {
    if (!entries.empty()) std::abort();
    return;
  }
  std::string again = kLedgerHeader;
  for (const LEDGER_ENTRY& entry : entries) again += LedgerLine(entry);
  std::vector<LEDGER_ENTRY> reread;
  if (!ReadLedger(again, reread) || reread.size() != entries.size()) std::abort();
  for (size_t i = 0; i < entries.size(); ++i)
    if (reread[i].path != entries[i].path || reread[i].output != entries[i].output ||
        reread[i].size != entries[i].size || reread[i].time != entries[i].time ||
        reread[i].mark != entries[i].mark)
      std::abort();
}

void Report(const std::string& bytes) {
  std::vector<CMD_FILE_RESULT> files;
  int code = 0;
  if (!ReadReport(bytes, files, code)) return;
  const std::string json = ReportJson(files, code);
  std::vector<CMD_FILE_RESULT> reread;
  int recode = -1;
  if (!ReadReport(json, reread, recode) || recode != code || ReportJson(reread, recode) != json)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Ledger(bytes);
  Ledger(kLedgerHeader + bytes);
  Report(bytes);
  Report("{\"exitCode\": 1, \"files\": [" + bytes);
  Report(ReportCsv({}) + bytes);
  return 0;
}
