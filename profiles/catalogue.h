// The constant catalogue of output profiles and encoder option tables. Every
// profile offers, for each of the eight option kinds, a list of rows of that
// kind's table with one row preselected. Records keep their text in fixed-width,
// NUL-terminated UTF-16 fields; a field's width counts the terminator.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int kProfileCount = 33;
constexpr int kOptionKindCount = 8;
constexpr int kMaxListRows = 48;
constexpr size_t kWideField = 50;
constexpr size_t kNarrowField = 15;

// The option kinds in slot order: the order of a profile's lists and of the
// options on the encoder command line.
enum class OptionKind : int {
  Size,
  FrameRate,
  AudioBitrate,
  VideoBitrate,
  VideoCodec,
  AudioCodec,
  SampleRate,
  Channels,
};

constexpr OptionKind kAllOptionKinds[kOptionKindCount] = {
    OptionKind::Size,         OptionKind::FrameRate,  OptionKind::AudioBitrate,
    OptionKind::VideoBitrate, OptionKind::VideoCodec, OptionKind::AudioCodec,
    OptionKind::SampleRate,   OptionKind::Channels};

// Which profiles make video and which audio, by ranges of profile numbers:
// profiles added later follow the first 27, so no number changes meaning.
enum class ProfileKind { Video, Audio };
struct ProfileRange {
  int first;
  int last;
  ProfileKind kind;
};
constexpr ProfileRange kProfileRanges[] = {{0, 21, ProfileKind::Video},
                                           {22, 26, ProfileKind::Audio},
                                           {27, 29, ProfileKind::Video},
                                           {30, 32, ProfileKind::Audio}};

struct OUTPUT_PROFILE {
  char16_t szName[kWideField];
  char16_t szExt[kWideField];        // with its dot
  char16_t szFormatArg[kWideField];  // container argument; may be empty
};

// One row of an option table. Size, video codec and audio codec tables are
// wide; the others are narrow. An empty szArg passes nothing for the option.
template <size_t Width>
struct OPTION_ROW {
  char16_t szLabel[Width];
  char16_t szArg[Width];
};
using WIDE_ROW = OPTION_ROW<kWideField>;
using NARROW_ROW = OPTION_ROW<kNarrowField>;

struct OPTION_LIST {
  int32_t nCount;                // 0: the option does not apply to the profile
  int32_t nDefault;              // position in anRows of the preselected row
  int32_t anRows[kMaxListRows];  // row numbers of the kind's table, display order
};

struct PROFILE_OPTIONS {
  OPTION_LIST aLists[kOptionKindCount];  // indexed by OptionKind
};

// A row's two texts, whatever the width of its table.
struct OptionRowText {
  const char16_t* szLabel;
  const char16_t* szArg;
};

// Lookups are plain indexes into the constant tables. Numbers outside the
// catalogue yield an all-empty record rather than reading past a table.
int ProfileCount();
// True for a profile of the audio ranges; false for video and unknown numbers.
bool IsAudioProfile(int profile);
const OUTPUT_PROFILE& Profile(int profile);
const OPTION_LIST& OptionList(int profile, OptionKind kind);
int OptionRowCount(OptionKind kind);  // rows in the kind's table
size_t OptionFieldWidth(OptionKind kind);
OptionRowText OptionRow(OptionKind kind, int row);
// The encoder argument of a row; -1 (no row) gives the empty string.
const char16_t* OptionArg(OptionKind kind, int row);
// The row a profile preselects for a kind, or -1 when its list is empty.
int PreselectedRow(int profile, OptionKind kind);
