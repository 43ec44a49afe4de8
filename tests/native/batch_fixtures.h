// What the tests of a conversion run share: the job, the input list, a verdict.
#pragma once
#include <string>
#include <vector>

#include "convert/batch_run.h"

inline CONVERT_JOB Mp3Job() {
  CONVERT_JOB job;
  job.nProfile = 22;  // MP3
  job.nSize = job.nFrameRate = job.nVideoBitrate = job.nVideoCodec = -1;
  job.nAudioBitrate = 19;
  job.nAudioCodec = 1;
  job.nSampleRate = 11;
  job.nChannels = 1;
  return job;
}

inline std::vector<INPUT_FILE> Inputs(const std::vector<std::u16string>& paths) {
  std::vector<INPUT_FILE> inputs;
  for (const auto& p : paths) inputs.push_back(InputFileOf(p));
  return inputs;
}

inline FileVerdict Verdict(FileOutcome outcome, FailReason reason = FailReason::None) {
  FileVerdict v;
  v.outcome = outcome;
  v.reason = reason;
  return v;
}
