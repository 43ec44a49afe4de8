#include "convert/failure_wording.h"

#include "convert/encoder_verdict.h"
#include "framework/long_path.h"

namespace {

// The text between `before` and `after` in `line`, or empty.
std::u16string Between(const std::u16string& line, const char16_t* before, const char16_t* after) {
  const size_t start = line.find(before);
  if (start == std::u16string::npos) return std::u16string();
  const size_t from = start + std::char_traits<char16_t>::length(before);
  const size_t end = line.find(after, from);
  return end == std::u16string::npos ? std::u16string() : line.substr(from, end - from);
}

// "[matroska,webm @ 0000000000c81f40] ": which part of the encoder spoke.
size_t ContextLength(const std::u16string& line) {
  if (line.empty() || line[0] != u'[') return 0;
  const size_t close = line.find(u"] ");
  if (close == std::u16string::npos || line.find(u" @ ") > close) return 0;
  return close + 2;
}

}  // namespace

void FailureWatch::Reset() {
  *this = FailureWatch();
}

void FailureWatch::Feed(const std::u16string& chunk) {
  FeedLines(m_line, chunk, kMaxReasonLine, [this](const std::u16string& line) { Judge(line); });
}

void FailureWatch::Judge(const std::u16string& line) {
  // The input's streams, listed below "Input #0" until the output or the
  // mapping begins.
  if (StartsWith(line, u"Input #")) m_inInput = true;
  if (StartsWith(line, u"Output #") || StartsWith(line, u"Stream mapping:")) m_inInput = false;
  if (m_inInput && StartsWith(line, u"  Stream #")) {
    m_video = m_video || Contains(line, u": Video: ");
    m_audio = m_audio || Contains(line, u": Audio: ");
  }
  if (Contains(line, u"does not contain any stream")) m_noStream = true;
  if (m_cause.kind != FailureKind::None) return;

  if (Contains(line, u"No space left on device")) {
    m_cause.kind = FailureKind::DiskFull;
  } else if (Contains(line, u"moov atom not found") ||
             Contains(line, u"Invalid data found when processing input")) {
    m_cause.kind = FailureKind::Incomplete;
  } else if (Contains(line, u"Unknown/unsupported AVCodecID ")) {
    // A Matroska track whose codec id the encoder does not know.
    std::u16string id = line.substr(line.find(u"AVCodecID ") + 10);
    if (!id.empty() && id.back() == u'.') id.pop_back();
    m_cause.kind = FailureKind::UnknownCodec;
    m_cause.codec = id;
  } else if (StartsWith(line, u"Decoder (codec ") && Contains(line, u") not found")) {
    const std::u16string name = Between(line, u"Decoder (codec ", u") not found");
    m_cause.kind = FailureKind::UnknownCodec;
    if (name != u"none") m_cause.codec = name;
  } else if (Contains(line, u": Permission denied")) {
    m_cause.kind = FailureKind::Denied;
    m_cause.path =
        line.substr(ContextLength(line), line.rfind(u": Permission denied") - ContextLength(line));
  }
}

FailureCause FailureWatch::Cause() const {
  FailureCause cause = m_cause;
  if (cause.kind == FailureKind::None && m_noStream && (!m_video || !m_audio)) {
    // The output would have nothing: the input lacks what the profile keeps.
    cause.kind = !m_video ? FailureKind::NoVideo : FailureKind::NoAudio;
  }
  return cause;
}

const std::vector<TextKey<FailureTexts>>& FailureTextKeys() {
  static const std::vector<TextKey<FailureTexts>> keys = {
      {&FailureTexts::incomplete, u"9145-1"},
      {&FailureTexts::unknownCodec, u"9145-2"},
      {&FailureTexts::unknownCodecUnnamed, u"9145-3"},
      {&FailureTexts::noVideo, u"9145-4"},
      {&FailureTexts::noAudio, u"9145-5"},
      {&FailureTexts::diskFull, u"9145-6"},
      {&FailureTexts::inUse, u"9145-7"},
      {&FailureTexts::cannotRead, u"9145-8"},
      {&FailureTexts::cannotWrite, u"9145-9"},
      {&FailureTexts::noStreams, u"9145-10"},
      {&FailureTexts::noAnswer, u"9145-11"},
  };
  return keys;
}

std::u16string FailureWords(const FailureCause& cause, const FailureTexts& texts,
                            const std::u16string& input) {
  switch (cause.kind) {
    case FailureKind::None:
      break;
    case FailureKind::Incomplete:
      return texts.incomplete;
    case FailureKind::UnknownCodec:
      return cause.codec.empty() ? texts.unknownCodecUnnamed
                                 : FillIn(texts.unknownCodec, {cause.codec});
    case FailureKind::NoVideo:
      return texts.noVideo;
    case FailureKind::NoAudio:
      return texts.noAudio;
    case FailureKind::DiskFull:
      return texts.diskFull;
    case FailureKind::InUse:
      return texts.inUse;
    case FailureKind::Denied:
      return PlainPath(cause.path) == PlainPath(input) ? texts.cannotRead : texts.cannotWrite;
    case FailureKind::NoStreams:
      return texts.noStreams;
    case FailureKind::NoAnswer:
      return texts.noAnswer;
  }
  return std::u16string();
}

FailureCause CauseOf(InputProblem problem, const std::u16string& input) {
  FailureCause cause;
  switch (problem) {
    case InputProblem::None:
    case InputProblem::Missing:
      break;
    case InputProblem::Denied:
      cause.kind = FailureKind::Denied;
      cause.path = input;
      break;
    case InputProblem::NotMedia:
      cause.kind = FailureKind::Incomplete;
      break;
    case InputProblem::NoStreams:
      cause.kind = FailureKind::NoStreams;
      break;
    case InputProblem::NoAnswer:
      cause.kind = FailureKind::NoAnswer;
      break;
  }
  return cause;
}

std::u16string EncoderLineShown(const std::u16string& line, const std::u16string& inputPath) {
  std::u16string shown = line.substr(ContextLength(line));
  // The encoder prints the path as it was given, in the extended form when long.
  const std::u16string plain = PlainPath(inputPath);
  for (const std::u16string& path : {plain, ExtendedLengthPath(plain)}) {
    if (!path.empty() && shown.compare(0, path.size() + 2, path + u": ") == 0) {
      shown.erase(0, path.size() + 2);
      break;
    }
  }
  return shown;
}
