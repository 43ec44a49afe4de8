// The catalogue's tables, shared between the files that hold them and the
// lookups in catalogue.cpp. Other code uses the lookups in catalogue.h.
#pragma once
#include "profiles/catalogue.h"

extern const OUTPUT_PROFILE kProfiles[kProfileCount];
extern const PROFILE_OPTIONS kProfileOptions[kProfileCount];

extern const WIDE_ROW kSizeRows[64];
extern const NARROW_ROW kFrameRateRows[10];
extern const NARROW_ROW kAudioBitrateRows[25];
extern const NARROW_ROW kVideoBitrateRows[53];
extern const WIDE_ROW kVideoCodecRows[25];
extern const WIDE_ROW kAudioCodecRows[14];
extern const NARROW_ROW kSampleRateRows[12];
extern const NARROW_ROW kChannelRows[3];
