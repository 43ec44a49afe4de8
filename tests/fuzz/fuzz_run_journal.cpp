// Arbitrary bytes as a run's journal: reading must neither crash nor name a
// file outside the run's list, and a run it would continue must journal and
// read back as the same run.
#include <cstdlib>

#include "convert/run_journal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const JournalRun run = ReadRunJournal(data, size);
  if (run.state != JournalRun::State::Stopped) return 0;
  const RunRequest next = run.Continuation();
  for (size_t position : next.positions)
    if (position >= next.inputs.size()) std::abort();
  if (next.earlier.files.size() != next.inputs.size()) std::abort();
  std::vector<uint8_t> written;
  RunJournalWriter writer(
      [&](const std::vector<uint8_t>& b) { written.insert(written.end(), b.begin(), b.end()); });
  writer.RunBegun(next);
  const JournalRun back = ReadRunJournal(written.data(), written.size());
  if (back.state != JournalRun::State::Stopped || back.NotEnded() != run.NotEnded() ||
      back.FileCount() != next.inputs.size() || !back.halfMade.empty())
    std::abort();
  return 0;
}
