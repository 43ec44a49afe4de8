// The one shared state record: settings kept in "Option.dat", paths computed
// at start-up, references to the input list and the results of a run.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/string_list.h"
#include "profiles/convert_job.h"

class Archive;

struct APP_STATE {
  std::u16string g_strOutputFolder;
  int32_t g_bSameAsSource = 0;
  int32_t g_bUseTempFolder = 0;
  int32_t g_bOverwrite = 0;
  const StringList* g_pInputPaths = nullptr;
  const StringList* g_pInputNames = nullptr;
  std::u16string g_strAppDir;
  std::u16string g_strLangFile;
  int32_t g_nAudioFormat = 0;
  int32_t g_nTaskMode = 0;
  int32_t g_nPrevTaskMode = 0;
  int32_t g_nProfilePos = 0;
  int32_t g_bConvertAndBurn = 0;
  int32_t g_nBurnSpeed = 0;
  int32_t g_nBurner = 0;
  std::u16string g_strDiscVolume;
  int32_t g_nSucceeded = 0;
  std::vector<std::u16string> g_outputFiles;
  int32_t g_bOpc = 0;
  int32_t g_bDeleteTemp = 0;
  int32_t g_bEject = 0;
  int32_t g_bUseOriginal = 0;
  int32_t g_nPosSize = 0;
  int32_t g_nPosFrameRate = 0;
  int32_t g_nPosAudioBitrate = 0;
  int32_t g_nPosVideoBitrate = 0;
  int32_t g_nPosVideoCodec = 0;
  int32_t g_nPosAudioCodec = 0;
  int32_t g_nPosSampleRate = 0;
  int32_t g_nPosChannels = 0;
  int32_t g_nTask3gp = 0;
  int32_t g_nTaskMp4 = 0;
  int32_t g_nTaskPsp = 0;
  int32_t g_nTaskAvi = 0;
  CONVERT_JOB job;
};

// Start-up defaults; paths are derived from the executable's full path.
void SetDefaults(APP_STATE& state, const std::u16string& exePath);

// The 27 items of "Option.dat", in file order, in either direction. When
// loading stops early, the fields not reached keep their values.
void SerializeSettings(Archive& ar, APP_STATE& state);

// Drive and directory of a path, with its trailing backslash ("C:\a\b.exe"
// gives "C:\a\"); empty when the path has no backslash.
std::u16string DirectoryOf(const std::u16string& path);
