// The input page's line on one file, in words a user reads: its length, its
// picture, its codecs, its tracks and its size, or why it cannot be read.
// English is built in; a pack replaces the words by key ("9147-1" on; the
// reasons share the result page's keys).
#pragma once
#include <string>
#include <vector>

#include "app/number_text.h"
#include "profiles/input_details.h"

struct DetailsTexts {
  std::u16string looking = u"Looking at the file...";
  std::u16string length = u"Length %1, %2";
  std::u16string video = u"Video: %1, %2 x %3, %4 fps";
  std::u16string bits = u"%1-bit";
  std::u16string hdr = u"HDR";
  std::u16string audio = u"Audio: %1, %2 channels";
  std::u16string tracks = u"Tracks: %1 audio, %2 subtitles";
  std::u16string cannotRead = u"Cannot be read: %1.";
  std::u16string missing = u"the file is no longer there";
  std::u16string noVideo = u"No video stream: this task converts video.";
  std::u16string noAudio = u"No audio stream: this task converts audio.";
  std::u16string unreadableCount = u"Files that cannot be read: %1.";
  // The reasons, as the result page words them.
  std::u16string incomplete = u"the file is incomplete or damaged";
  std::u16string denied = u"no permission to read the file";
  std::u16string noStreams = u"it holds neither video nor audio";
  std::u16string noAnswer = u"the encoder did not answer when asked what it holds";
};
const std::vector<TextKey<DetailsTexts>>& DetailsTextKeys();

// What a task needs of its files.
enum class StreamNeed { Video, Audio };

// Whether the file is to be marked in the list: it cannot be read, or it
// lacks the stream the task needs. Not while it has not been looked at.
bool IsMarked(const InputDetails& details, StreamNeed need);

// The lines on the file, each ended by a line break but the last.
std::u16string DetailsLine(const InputDetails& details, StreamNeed need, const DetailsTexts& texts,
                           const NumberTexts& numbers);

// "H.264", "HEVC", "AAC": the usual name of a codec the encoder names.
std::u16string CodecName(const std::string& encoderName);
