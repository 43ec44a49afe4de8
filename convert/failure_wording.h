// The commonest failures in plain words, learnt from what the encoder prints
// for them: an incomplete file, a codec it cannot decode, no stream of the
// kind the profile writes, a full disk, a file another program holds, no
// permission. The encoder's own line follows the words on the page, without
// the input's path that it prints before its message.
#pragma once
#include <string>
#include <vector>

#include "app/language_text.h"
#include "profiles/input_details.h"

enum class FailureKind {
  None,          // nothing the encoder said is one of these
  Incomplete,    // cut short, damaged, or not a media file at all
  UnknownCodec,  // a stream whose codec the encoder cannot decode
  NoVideo,       // the profile writes video and the input has none
  NoAudio,       // the profile writes audio and the input has none
  DiskFull,
  InUse,      // another program holds the file (the host finds this out)
  Denied,     // the file of `path` may not be opened: the input, or what is written
  NoStreams,  // the input holds neither video nor audio
  NoAnswer,   // the encoder did not answer when asked what the input holds
};

struct FailureCause {
  FailureKind kind = FailureKind::None;
  std::u16string codec;  // the codec's name or id, when the encoder gave one
  std::u16string path;   // the file a denied line names
};

// Reads one file's encoder text (the same as the telling line's) for the
// cause. Lines may be cut across chunks; the first cause found counts.
class FailureWatch {
 public:
  void Reset();
  void Feed(const std::u16string& chunk);
  FailureCause Cause() const;

 private:
  void Judge(const std::u16string& line);

  std::u16string m_line;
  FailureCause m_cause;
  bool m_noStream = false;
  bool m_inInput = false;
  bool m_video = false, m_audio = false;
};

// The words of the causes. English is built in; a pack replaces them by key
// ("9145-1" on).
struct FailureTexts {
  std::u16string incomplete = u"the file is incomplete or damaged";
  std::u16string unknownCodec = u"the encoder cannot decode its codec %1";
  std::u16string unknownCodecUnnamed = u"the encoder cannot decode one of its codecs";
  std::u16string noVideo = u"it has no video stream, which this profile needs";
  std::u16string noAudio = u"it has no audio stream, which this profile needs";
  std::u16string diskFull = u"the disk is full";
  std::u16string inUse = u"the file is in use by another program";
  std::u16string cannotRead = u"no permission to read the file";
  std::u16string cannotWrite = u"no permission to write the output";
  std::u16string noStreams = u"it holds neither video nor audio";
  std::u16string noAnswer = u"the encoder did not answer when asked what it holds";
};
const std::vector<TextKey<FailureTexts>>& FailureTextKeys();

// The plain words of a cause; empty for None. A denied file is the input
// when it is `input` (in either form), else what the encoder writes.
std::u16string FailureWords(const FailureCause& cause, const FailureTexts& texts,
                            const std::u16string& input);

// The cause of a file found unreadable before its turn.
FailureCause CauseOf(InputProblem problem, const std::u16string& input);

// The encoder's line as the page shows it: without the input's path before
// its message (plain or in its extended form), and without the "[name @
// address] " that says which part of the encoder spoke.
std::u16string EncoderLineShown(const std::u16string& line, const std::u16string& inputPath);
