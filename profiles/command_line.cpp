#include "profiles/command_line.h"

#include <utility>

namespace {

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

bool BuildCommandLine(const CONVERT_JOB* job, std::u16string& out) {
  if (!job) return false;

  std::u16string text;
  AppendQuoted(text, job->strEncoder);
  text += u" -i ";
  AppendQuoted(text, job->strInput);
  text += u" -y ";
  text += Profile(job->nProfile).szFormatArg;

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
