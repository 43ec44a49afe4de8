// The record that describes one conversion; see BuildCommandLine.
#pragma once
#include <cstdint>
#include <string>

struct CONVERT_JOB {
  std::u16string strInput;
  bool bUseOriginal = false;  // short form of the command line
  int32_t nSize = 0;
  int32_t nFrameRate = 0;
  int32_t nAudioBitrate = 0;
  int32_t nVideoBitrate = 0;
  int32_t nVideoCodec = 0;
  int32_t nAudioCodec = 0;
  int32_t nSampleRate = 0;
  int32_t nChannels = 0;
  int32_t nProfile = 0;
  std::u16string strOutput;
  std::u16string strEncoder;
};
