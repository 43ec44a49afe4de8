#include "app/win/run_settings_file.h"

#include "framework/win/file_io.h"

namespace {

// A few lines; anything longer is garbage, and its start is read as any file.
constexpr size_t kMaxRunSettingsBytes = 4096;

}  // namespace

RUN_SETTINGS ReadRunSettingsFile(const std::u16string& folder) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(folder + kRunSettingsFile, bytes, kMaxRunSettingsBytes)) return RUN_SETTINGS();
  return LoadRunSettings(bytes.data(), bytes.size());
}

bool WriteRunSettingsFile(const std::u16string& folder, const RUN_SETTINGS& settings) {
  return ReplaceFileAtomically(folder + kRunSettingsFile, StoreRunSettings(settings));
}
