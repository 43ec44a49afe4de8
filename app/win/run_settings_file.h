// "Vidmorph.ini" beside "Option.dat": read at start, written with it.
#pragma once
#include <string>

#include "app/run_settings.h"

// The settings of the file in `folder` (ending with a backslash); the
// defaults when it is missing, unreadable or garbage.
RUN_SETTINGS ReadRunSettingsFile(const std::u16string& folder);
// Replaces the file atomically; false when it cannot be written (read-only).
bool WriteRunSettingsFile(const std::u16string& folder, const RUN_SETTINGS& settings);
