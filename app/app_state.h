// The one shared state record: settings kept in "Option.dat", paths computed
// at start-up and the input list.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/input_files.h"
#include "app/run_settings.h"
#include "profiles/convert_job.h"
#include "profiles/output_settings.h"

class Archive;

// The output settings page's fields come first, as the part that page works on.
struct APP_STATE : OUTPUT_SETTINGS {
  // In the order of adding; the input page's two lists show it row for row.
  std::vector<INPUT_FILE> g_inputFiles;
  std::u16string g_strAppDir;
  std::u16string g_strLangFile;
  int32_t g_nTaskMode = 0;
  int32_t g_nPrevTaskMode = 0;
  int32_t g_bOpc = 0;
  int32_t g_bDeleteTemp = 0;
  int32_t g_bEject = 0;
  int32_t g_nTask3gp = 0;
  int32_t g_nTaskMp4 = 0;
  int32_t g_nTaskPsp = 0;
  int32_t g_nTaskAvi = 0;
  CONVERT_JOB job;
  // Kept in a file of its own, not in "Option.dat".
  RUN_SETTINGS g_runSettings;
};

// Start-up defaults; paths are derived from the executable's full path.
void SetDefaults(APP_STATE& state, const std::u16string& exePath);

// The 27 items of "Option.dat", in file order, in either direction. When
// loading stops early, the fields not reached keep their values.
void SerializeSettings(Archive& ar, APP_STATE& state);

// Drive and directory of a path, with its trailing backslash ("C:\a\b.exe"
// gives "C:\a\"); empty when the path has no backslash.
std::u16string DirectoryOf(const std::u16string& path);
