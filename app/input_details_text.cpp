#include "app/input_details_text.h"

#include <cmath>

namespace {

std::u16string ProblemWords(InputProblem problem, const DetailsTexts& texts) {
  switch (problem) {
    case InputProblem::None:
      break;
    case InputProblem::Missing:
      return texts.missing;
    case InputProblem::Denied:
      return texts.denied;
    case InputProblem::NotMedia:
      return texts.incomplete;
    case InputProblem::NoStreams:
      return texts.noStreams;
    case InputProblem::NoAnswer:
      return texts.noAnswer;
  }
  return std::u16string();
}

// "25", "29.97": whole rates without decimals.
std::u16string RateText(double rate, const NumberTexts& numbers) {
  const double whole = std::round(rate);
  if (std::fabs(rate - whole) < 0.005) return DecimalText(int64_t(whole));
  return FractionText(rate, 2, numbers);
}

}  // namespace

const std::vector<TextKey<DetailsTexts>>& DetailsTextKeys() {
  static const std::vector<TextKey<DetailsTexts>> keys = {
      {&DetailsTexts::looking, u"9147-1"},    {&DetailsTexts::length, u"9147-2"},
      {&DetailsTexts::video, u"9147-3"},      {&DetailsTexts::bits, u"9147-4"},
      {&DetailsTexts::hdr, u"9147-5"},        {&DetailsTexts::audio, u"9147-6"},
      {&DetailsTexts::tracks, u"9147-7"},     {&DetailsTexts::cannotRead, u"9147-8"},
      {&DetailsTexts::missing, u"9147-9"},    {&DetailsTexts::noVideo, u"9147-10"},
      {&DetailsTexts::noAudio, u"9147-11"},   {&DetailsTexts::unreadableCount, u"9147-12"},
      {&DetailsTexts::incomplete, u"9145-1"}, {&DetailsTexts::denied, u"9145-8"},
      {&DetailsTexts::noStreams, u"9145-10"}, {&DetailsTexts::noAnswer, u"9145-11"},
  };
  return keys;
}

bool IsMarked(const InputDetails& details, StreamNeed need) {
  if (!details.probed) return false;
  if (!details.readable) return true;
  return need == StreamNeed::Video ? !details.hasVideo : !details.hasAudio;
}

std::u16string CodecName(const std::string& encoderName) {
  static const struct {
    const char* name;
    const char16_t* shown;
  } kNames[] = {{"h264", u"H.264"},        {"hevc", u"HEVC"},         {"mpeg4", u"MPEG-4"},
                {"mpeg2video", u"MPEG-2"}, {"mpeg1video", u"MPEG-1"}, {"vp8", u"VP8"},
                {"vp9", u"VP9"},           {"av1", u"AV1"},           {"prores", u"ProRes"},
                {"mjpeg", u"Motion JPEG"}, {"aac", u"AAC"},           {"mp3", u"MP3"},
                {"mp2", u"MP2"},           {"ac3", u"AC-3"},          {"eac3", u"E-AC-3"},
                {"opus", u"Opus"},         {"vorbis", u"Vorbis"},     {"flac", u"FLAC"},
                {"alac", u"ALAC"},         {"wmav2", u"WMA"},         {"wmv3", u"WMV"}};
  for (const auto& known : kNames)
    if (encoderName == known.name) return known.shown;
  if (encoderName.compare(0, 4, "pcm_") == 0) return u"PCM";
  std::u16string shown;
  for (char c : encoderName)
    shown += char16_t(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : (unsigned char)c);
  return shown;
}

std::u16string DetailsLine(const InputDetails& details, StreamNeed need, const DetailsTexts& texts,
                           const NumberTexts& numbers) {
  if (!details.probed) return texts.looking;
  if (!details.readable) return FillIn(texts.cannotRead, {ProblemWords(details.problem, texts)});
  std::u16string line =
      FillIn(texts.length, {DurationText(details.durationSeconds, numbers),
                            SizeText((unsigned long long)details.sizeBytes, numbers)});
  if (details.hasVideo) {
    std::u16string codec = CodecName(details.videoCodec);
    if (details.bitDepth > 8) codec += u" " + FillIn(texts.bits, {DecimalText(details.bitDepth)});
    if (details.transfer != ColourTransfer::Standard) codec += u" " + texts.hdr;
    line +=
        u"\n" + FillIn(texts.video, {codec, DecimalText(details.width), DecimalText(details.height),
                                     RateText(details.frameRate, numbers)});
  }
  if (details.hasAudio)
    line += u"\n" + FillIn(texts.audio,
                           {CodecName(details.audioCodec), DecimalText(details.audioChannels)});
  line += u"\n" + FillIn(texts.tracks,
                         {DecimalText(details.audioTracks), DecimalText(details.subtitleTracks)});
  if (need == StreamNeed::Video && !details.hasVideo) line += u"\n" + texts.noVideo;
  if (need == StreamNeed::Audio && !details.hasAudio) line += u"\n" + texts.noAudio;
  return line;
}
