// Arbitrary bytes as one file's encoder output, read in pieces whose sizes
// come from the first byte: decoded as UTF-8 piece by piece, they give the
// text of decoding them whole, and the cause and the row built from them
// are the same either way, bounded and free of line breaks.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "convert/failure_reason.h"
#include "convert/failure_wording.h"
#include "convert/run_outcomes.h"
#include "framework/utf8_text.h"

namespace {

bool HasBreak(const std::u16string& text) {
  return text.find_first_of(u"\r\n") != std::u16string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = size_t(data[0] % 13) + 1;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::u16string input = u"C:\\v\\a.avi";

  Utf8Decoder decoder;
  TellingLineWatch telling;
  FailureWatch failure;
  std::u16string text;
  for (size_t at = 0; at < bytes.size(); at += piece) {
    const std::u16string part =
        decoder.Decode(bytes.data() + at, std::min(piece, bytes.size() - at));
    text += part;
    telling.Feed(part);
    failure.Feed(part);
  }
  text += decoder.Finish();
  if (text != Utf8ToText(bytes)) std::abort();

  FailureWatch whole;
  whole.Feed(text);
  const FailureCause cause = failure.Cause();
  const FailureCause once = whole.Cause();
  if (cause.kind != once.kind || cause.codec != once.codec || cause.path != once.path) std::abort();
  if (cause.codec.size() > 300 || cause.path.size() > 300) std::abort();
  if (HasBreak(cause.codec) || HasBreak(cause.path)) std::abort();
  const bool worded = !FailureWords(cause, FailureTexts(), input).empty();
  if (worded != (cause.kind != FailureKind::None)) std::abort();

  const std::u16string line = telling.Line();
  if (EncoderLineShown(line, input).size() > line.size()) std::abort();

  FileRecord record;
  record.input = input;
  record.verdict.outcome = FileOutcome::Failed;
  record.verdict.tellingLine = line;
  record.verdict.cause = cause;
  record.verdict.exited = true;
  const std::u16string row = OutcomeRow(record, OutcomeTexts());
  if (row.size() > 800 || HasBreak(row)) std::abort();
  return 0;
}
