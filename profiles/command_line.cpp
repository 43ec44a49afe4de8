#include "profiles/command_line.h"

#include <utility>

namespace {

// Encoders whose output players take only as 8-bit 4:2:0, though the encoder
// keeps a 10-bit or 4:2:2 source as it is.
constexpr const char16_t* kOnlyFourTwoZeroEncoders[] = {u"libx264", u"libx265"};

// The encoder a video codec row names: "libx264" for "-vcodec libx264".
std::u16string RowEncoder(int row) {
  const std::u16string arg = OptionArg(OptionKind::VideoCodec, row);
  const std::u16string flag = u"-vcodec ";
  size_t at = arg.find(flag);
  if (at == std::u16string::npos) return std::u16string();
  at += flag.size();
  return arg.substr(at, arg.find(u' ', at) - at);
}

// The width and height a size row passes ("-s 320x240"); false for a row
// that keeps the source's size.
bool RowSize(int row, std::u16string& width, std::u16string& height) {
  const std::u16string arg = OptionArg(OptionKind::Size, row);
  const size_t x = arg.find(u'x');
  if (arg.compare(0, 3, u"-s ") != 0 || x == std::u16string::npos) return false;
  const std::u16string w = arg.substr(3, x - 3);
  const std::u16string h = arg.substr(x + 1, arg.find(u' ', x) - x - 1);
  if (w.empty() || h.empty()) return false;
  width = w;
  height = h;
  return true;
}

// Linear light in floating point, the tone curve, then BT.709 8-bit 4:2:0.
// The first step also scales, and takes the source's primaries and matrix
// from its frames, or as BT.2020 (what HDR video uses) when they are not told.
std::u16string HdrToSdrFilter(const InputDetails& details, const std::u16string& width,
                              const std::u16string& height) {
  std::u16string first = u"zscale=";
  if (!width.empty()) first += u"w=" + width + u":h=" + height + u':';
  first += details.transfer == ColourTransfer::Pq ? u"tin=smpte2084" : u"tin=arib-std-b67";
  if (details.colourPrimaries.empty()) first += u":pin=bt2020";
  if (details.colourMatrix.empty()) first += u":min=bt2020nc";
  first += u":t=linear:npl=100";
  return u"-vf " + first +
         u",format=gbrpf32le,zscale=p=bt709,tonemap=tonemap=hable:desat=0,"
         u"zscale=t=bt709:m=bt709:r=tv,format=yuv420p";
}

void AppendQuoted(std::u16string& out, const std::u16string& path) {
  out += u'"';
  out += path;
  out += u'"';
}

}  // namespace

int32_t& JobRow(CONVERT_JOB& job, OptionKind kind) {
  switch (kind) {
    case OptionKind::Size:
      return job.nSize;
    case OptionKind::FrameRate:
      return job.nFrameRate;
    case OptionKind::AudioBitrate:
      return job.nAudioBitrate;
    case OptionKind::VideoBitrate:
      return job.nVideoBitrate;
    case OptionKind::VideoCodec:
      return job.nVideoCodec;
    case OptionKind::AudioCodec:
      return job.nAudioCodec;
    case OptionKind::SampleRate:
      return job.nSampleRate;
    case OptionKind::Channels:
      break;
  }
  return job.nChannels;
}

int32_t JobRow(const CONVERT_JOB& job, OptionKind kind) {
  return JobRow(const_cast<CONVERT_JOB&>(job), kind);
}

std::u16string InputArguments(const CONVERT_JOB& job, const InputDetails* details) {
  // The disc profiles name no video codec row (their target picks it) yet write video.
  const bool videoProfile =
      job.nProfile >= 0 && job.nProfile < ProfileCount() && !IsAudioProfile(job.nProfile);
  if (!details || !details->hasVideo || !videoProfile) return std::u16string();
  if (details->transfer != ColourTransfer::Standard) {
    std::u16string width, height;
    if (!job.bUseOriginal) RowSize(job.nSize, width, height);
    return HdrToSdrFilter(*details, width, height);
  }
  const bool eightBit420 =
      details->bitDepth == 8 && details->chromaWidthShift == 1 && details->chromaHeightShift == 1;
  if (details->bitDepth == 0 || eightBit420) return std::u16string();
  const std::u16string encoder = RowEncoder(job.nVideoCodec);
  for (const char16_t* only : kOnlyFourTwoZeroEncoders)
    if (encoder == only) return u"-pix_fmt yuv420p";
  return std::u16string();
}

std::u16string FormatArgument(const CONVERT_JOB& job, const InputDetails* details) {
  const std::u16string arg = Profile(job.nProfile).szFormatArg;
  const std::u16string target = u"-target ";
  if (arg.rfind(target, 0) != 0 || !details || !details->hasVideo || details->frameRate <= 0 ||
      details->timeBaseRate <= 0)
    return arg;
  auto near = [](double value, double to, double within) {
    return value > to - within && value < to + within;
  };
  const double clock = details->timeBaseRate;
  if (near(clock, 25, 0.005) || near(clock, 29.97, 0.01) || near(clock, 23.976, 0.01)) return arg;
  const double rate = details->frameRate;
  const bool pal = near(rate, 25, 0.5) || near(rate, 50, 1);
  return target + (pal ? u"pal-" : u"ntsc-") + arg.substr(target.size());
}

bool BuildCommandLine(const CONVERT_JOB* job, std::u16string& out, const InputDetails* details) {
  if (!job) return false;

  std::u16string text;
  AppendQuoted(text, job->strEncoder);
  text += u" -i ";
  AppendQuoted(text, job->strInput);
  text += u" -y ";
  text += FormatArgument(*job, details);

  // Each slot is preceded by one blank whether or not it holds text, so an
  // empty slot shows as a double blank; the encoder ignores the extra blanks.
  auto slot = [&text](OptionKind kind, int32_t row) {
    text += u' ';
    text += OptionArg(kind, row);
  };
  if (job->bUseOriginal) {
    // The encoder keeps the source's size, rates and channels.
    slot(OptionKind::VideoCodec, job->nVideoCodec);
    slot(OptionKind::AudioCodec, job->nAudioCodec);
  } else {
    for (OptionKind kind : kAllOptionKinds) slot(kind, JobRow(*job, kind));
  }
  // Unlike the option slots, this one has its blank only when it holds text.
  const std::u16string input = InputArguments(*job, details);
  if (!input.empty()) {
    text += u' ';
    text += input;
  }
  text += u' ';
  AppendQuoted(text, job->strOutput);

  out = std::move(text);
  return true;
}

std::u16string OutputPath(bool sameAsSource, const std::u16string& folder,
                          const std::u16string& fullPath, const std::u16string& displayName,
                          int profile) {
  const char16_t* ext = Profile(profile).szExt;
  return sameAsSource ? fullPath + ext : FolderWithSeparator(folder) + displayName + ext;
}

std::u16string FolderWithSeparator(const std::u16string& folder) {
  if (folder.empty() || folder.back() == u'\\' || folder.back() == u'/') return folder;
  return folder + u'\\';
}

std::u16string EncoderPath(const std::u16string& appDir) {
  return appDir + u"ffmpeg.exe";
}
