// Arbitrary bytes as a run's journal, and as the payloads of its records
// with their frames whole (so that the records' own reading is reached past
// the checksums): reading must neither crash nor name a file outside the
// run's list, and a run it would continue must journal and read back as the
// same run.
#include <algorithm>
#include <cstdlib>

#include "convert/run_journal.h"

namespace {

void Check(const uint8_t* data, size_t size) {
  const JournalRun run = ReadRunJournal(data, size);
  if (run.state != JournalRun::State::Stopped) return;
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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Check(data, size);
  // Payloads: a byte of length (0 takes the rest), then that many bytes.
  std::vector<std::vector<uint8_t>> payloads;
  for (size_t pos = 0; pos < size;) {
    const size_t n = data[pos] ? std::min<size_t>(data[pos], size - pos - 1) : size - pos - 1;
    payloads.emplace_back(data + pos + 1, data + pos + 1 + n);
    pos += 1 + n;
  }
  const std::vector<uint8_t> framed = FramedJournal(payloads);
  Check(framed.data(), framed.size());
  return 0;
}
