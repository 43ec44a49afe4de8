// The settings the output settings page shows and keeps: where the outputs
// go, the overwrite rule, the profile and option positions, and the values of
// its hidden controls. The shared state record holds them among its own.
#pragma once
#include <cstdint>
#include <string>

struct OUTPUT_SETTINGS {
  std::u16string g_strOutputFolder;
  int32_t g_bSameAsSource = 0;
  int32_t g_bUseTempFolder = 0;
  int32_t g_bOverwrite = 0;
  int32_t g_nAudioFormat = 0;
  int32_t g_nProfilePos = 0;
  int32_t g_bConvertAndBurn = 0;
  int32_t g_nBurnSpeed = 0;
  int32_t g_nBurner = 0;
  std::u16string g_strDiscVolume;
  int32_t g_bUseOriginal = 0;
  int32_t g_nPosSize = 0;
  int32_t g_nPosFrameRate = 0;
  int32_t g_nPosAudioBitrate = 0;
  int32_t g_nPosVideoBitrate = 0;
  int32_t g_nPosVideoCodec = 0;
  int32_t g_nPosAudioCodec = 0;
  int32_t g_nPosSampleRate = 0;
  int32_t g_nPosChannels = 0;
};
