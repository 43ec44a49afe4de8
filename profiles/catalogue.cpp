// The output profiles, the option lists each profile offers, and the
// lookups over the whole catalogue.
#include "profiles/catalogue.h"

#include <initializer_list>
#include <iterator>

#include "profiles/catalogue_data.h"

namespace {

// A run of rows in ascending order; a single row converts implicitly.
struct Span {
  constexpr Span(int row) : first(row), last(row) {}  // implicit: {0, 1} reads as two rows
  constexpr Span(int from, int to) : first(from), last(to) {}
  int first;
  int last;
};
constexpr Span R(int from, int to) {
  return Span(from, to);
}

// Not constexpr: reaching it while building a table stops the compilation,
// so a preselected row missing from its list cannot ship.
void PreselectedRowIsNotInTheList() {}

// Builds a list from its rows in display order and the preselected row, named
// by its row number as the tables name it; nDefault gets that row's position.
constexpr OPTION_LIST L(std::initializer_list<Span> spans, int preselected) {
  OPTION_LIST list{};
  bool found = false;
  for (const Span& span : spans) {
    for (int row = span.first; row <= span.last; ++row) {
      if (row == preselected && !found) {
        list.nDefault = list.nCount;
        found = true;
      }
      list.anRows[list.nCount++] = row;
    }
  }
  if (!found) PreselectedRowIsNotInTheList();
  return list;
}

constexpr OPTION_LIST NO = {};  // the option does not apply to the profile

}  // namespace

// clang-format off

const OUTPUT_PROFILE kProfiles[kProfileCount] = {
    /*  0 */ {u"DivX Movie",         u".avi", u"-f avi"},
    /*  1 */ {u"XviD Movie",         u".avi", u"-f avi"},
    /*  2 */ {u"AVI Video",          u".avi", u"-f avi"},
    /*  3 */ {u"WMV Video",          u".wmv", u""},
    /*  4 */ {u"MPEG1 Video",        u".mpg", u"-f mpeg"},
    /*  5 */ {u"MPEG2 Video",        u".mpg", u"-f mpeg"},
    /*  6 */ {u"H.264 Video",        u".mp4", u"-f mp4"},
    /*  7 */ {u"FLV Video",          u".flv", u"-f flv"},
    /*  8 */ {u"RealVideo",          u".rm",  u"-f rm"},
    /*  9 */ {u"3GPP video",         u".3gp", u"-f 3gp"},
    /* 10 */ {u"iPhone Movie",       u".mp4", u"-f mp4"},
    /* 11 */ {u"iPod Classic Video", u".mp4", u"-f mp4"},
    /* 12 */ {u"iPod Nano",          u".mp4", u"-f mp4"},
    /* 13 */ {u"iPod Touch",         u".mp4", u"-f mp4"},
    /* 14 */ {u"PSP",                u".mp4", u"-f mp4"},
    /* 15 */ {u"Zune",               u".mp4", u"-f mp4"},
    /* 16 */ {u"iRiver Clix",        u".mp4", u"-f mp4"},
    /* 17 */ {u"AppleTV",            u".mp4", u"-f mp4"},
    /* 18 */ {u"QuickTime",          u".mov", u"-f mov"},
    /* 19 */ {u"DVD Format",         u".mpg", u"-target dvd"},
    /* 20 */ {u"VCD Format",         u".mpg", u"-target vcd"},
    /* 21 */ {u"SVCD Format",        u".mpg", u"-target svcd"},
    /* 22 */ {u"MP3",                u".mp3", u"-f mp3"},
    /* 23 */ {u"WAV",                u".wav", u"-f wav"},
    /* 24 */ {u"OGG",                u".ogg", u"-f ogg"},
    /* 25 */ {u"WMA",                u".wmv", u""},
    // ".aac" means the raw ADTS stream; there is no muxer called "aac".
    /* 26 */ {u"AAC",                u".aac", u"-f adts"},
    /* 27 */ {u"H.265 Video",        u".mp4", u"-f mp4"},
    /* 28 */ {u"AV1 Video",          u".mp4", u"-f mp4"},
    /* 29 */ {u"WebM Video",         u".webm", u"-f webm"},
    /* 30 */ {u"FLAC",               u".flac", u"-f flac"},
    /* 31 */ {u"Opus",               u".opus", u"-f ogg"},
    // The iPod flavour of MP4 marks the file as audio ("M4A ").
    /* 32 */ {u"M4A",                u".m4a", u"-f ipod"},
};

// Each list is L({rows in display order}, preselected row); R(a, b) is rows a
// to b. Two lines per profile:
//   size, frame rate, audio bitrate, video bitrate
//   video codec, audio codec, sample rate, channels
constexpr PROFILE_OPTIONS kProfileOptions[kProfileCount] = {
    /*  0 DivX Movie */
    {{L({R(0, 19)}, 10),       L({R(0, 5)}, 4),    L({R(0, 5)}, 5),      L({R(0, 8)}, 6),
      L({R(0, 2)}, 0),         L({R(0, 4)}, 0),    L({R(0, 3)}, 3),      L({0, 1}, 1)}},
    /*  1 XviD Movie */
    {{L({R(0, 19)}, 10),       L({R(0, 5)}, 4),    L({R(0, 5)}, 5),      L({R(0, 8)}, 6),
      L({3}, 3),               L({R(0, 4)}, 1),    L({R(0, 3)}, 3),      L({0, 1}, 1)}},
    /*  2 AVI Video */
    {{L({R(0, 19)}, 10),       L({R(0, 5)}, 4),    L({R(0, 5)}, 5),      L({R(0, 8)}, 6),
      L({R(4, 12)}, 4),        L({R(0, 4)}, 1),    L({R(0, 3)}, 3),      L({0, 1}, 1)}},
    /*  3 WMV Video */
    {{L({R(0, 19)}, 10),       L({R(0, 5)}, 4),    L({R(0, 5)}, 5),      L({R(0, 8)}, 6),
      L({13, 14}, 13),         L({0, 5, 6}, 5),    L({R(0, 3)}, 3),      L({0, 1}, 1)}},
    /*  4 MPEG1 Video */
    {{L({R(0, 19)}, 10),       L({R(0, 5)}, 4),    L({R(0, 5)}, 5),      L({R(0, 8)}, 6),
      L({7}, 7),               L({0, 2, 4}, 2),    L({R(0, 3)}, 3),      L({0, 1}, 1)}},
    /*  5 MPEG2 Video */
    {{L({R(0, 19)}, 10),       L({R(0, 5)}, 4),    L({R(0, 5)}, 5),      L({R(0, 7), 9, 8}, 7),
      L({8}, 8),               L({0, 2, 4}, 2),    L({R(0, 3)}, 3),      L({R(0, 2)}, 1)}},
    /*  6 H.264 Video */
    {{L({R(0, 19)}, 0),        L({R(0, 5)}, 4),    L({0, R(6, 24)}, 19), L({0, R(10, 18)}, 17),
      L({15}, 15),             L({0, 7}, 7),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /*  7 FLV Video */
    {{L({R(0, 19)}, 10),       L({R(0, 5)}, 4),    L({0, R(6, 24)}, 19), L({0, R(10, 18)}, 17),
      L({16}, 16),             L({0, 1}, 1),       L({0, 4, 7, 3}, 7),   L({0, 1}, 1)}},
    /*  8 RealVideo */
    {{L({R(0, 19)}, 10),       L({R(0, 5)}, 4),    L({0, R(11, 15)}, 14), L({R(0, 8)}, 6),
      L({17, 18, 4}, 18),      L({0, 4}, 4),       L({R(0, 3)}, 3),      L({0, 1}, 1)}},
    /*  9 3GPP video */
    {{L({0, R(20, 36)}, 36),   L({R(0, 5)}, 4),    L({0, R(11, 15)}, 14), L({0, R(19, 27)}, 25),
      L({R(19, 21)}, 19),      L({0, 7}, 7),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 10 iPhone Movie */
    {{L({0, R(37, 39)}, 37),   L({R(0, 5)}, 4),    L({0, R(11, 15)}, 14), L({R(0, 8)}, 6),
      L({20, 15}, 20),         L({0, 7}, 7),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 11 iPod Classic Video */
    {{L({0, R(40, 44)}, 41),   L({R(0, 5)}, 4),    L({0, R(11, 15)}, 14), L({R(0, 8)}, 6),
      L({20, 15}, 20),         L({0, 7}, 7),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 12 iPod Nano */
    {{L({0, R(45, 47)}, 46),   L({0, R(6, 9)}, 9), L({0, R(11, 15)}, 14), L({0, R(28, 36)}, 32),
      L({20, 15}, 20),         L({0, 7}, 7),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 13 iPod Touch */
    {{L({0, R(45, 47)}, 45),   L({0, R(6, 9)}, 9), L({0, R(11, 15)}, 14), L({R(0, 8)}, 6),
      L({20, 15}, 20),         L({0, 7}, 7),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 14 PSP */
    {{L({0, R(48, 53)}, 51),   L({R(0, 5)}, 4),    L({0, R(11, 15)}, 14), L({0, R(37, 43)}, 43),
      L({20}, 20),             L({0, 7}, 7),       L({0, 1, R(4, 8)}, 8),   L({0, 1}, 1)}},
    /* 15 Zune */
    {{L({0, R(54, 59)}, 56),   L({R(0, 5)}, 4),    L({0, R(6, 24)}, 17), L({0, R(14, 25)}, 18),
      L({20, 15}, 20),         L({0, 7}, 7),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 16 iRiver Clix */
    {{L({0, R(54, 59)}, 56),   L({R(0, 5)}, 1),    L({0, R(6, 24)}, 19), L({0, R(14, 25)}, 17),
      L({20, 13, 14}, 20),     L({0, 1, 5, 6}, 1), L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 17 AppleTV */
    {{L({0, R(60, 63)}, 60),   L({R(0, 5)}, 4),    L({0, R(6, 24)}, 20), L({R(0, 8)}, 6),
      L({15}, 15),             L({0, 7}, 7),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 18 QuickTime */
    {{L({0, R(60, 63)}, 60),   L({R(0, 5)}, 4),    L({0, R(11, 15)}, 14), L({R(0, 8)}, 6),
      L({20}, 20),             L({0, 7}, 7),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 19 DVD Format: the target argument says it all */
    {{NO, NO, NO, NO, NO, NO, NO, NO}},
    /* 20 VCD Format */
    {{NO, NO, NO, NO, NO, NO, NO, NO}},
    /* 21 SVCD Format */
    {{NO, NO, NO, NO, NO, NO, NO, NO}},
    /* 22 MP3 */
    {{NO,                      NO,                 L({0, R(6, 24)}, 19), NO,
      NO,                      L({1}, 1),          L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 23 WAV */
    {{NO,                      NO,                 L({0, R(6, 24)}, 19), NO,
      NO,                      L({3, 5}, 3),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 24 OGG */
    {{NO,                      NO,                 L({0, R(6, 24)}, 20), NO,
      NO,                      L({8}, 8),          L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 25 WMA */
    {{NO,                      NO,                 L({0, R(6, 24)}, 20), NO,
      NO,                      L({9}, 9),          L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 26 AAC */
    {{NO,                      NO,                 L({0, R(6, 24)}, 20), NO,
      NO,                      L({7}, 7),          L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    // The later profiles keep the source's picture size and frame rate unless
    // told, and start on constant quality rather than a bitrate.
    /* 27 H.265 Video */
    {{L({R(0, 19)}, 0),        L({R(0, 5)}, 0),    L({0, R(6, 24)}, 19), L({0, 44, 45, 47, 49, R(13, 18), 9, 8}, 47),
      L({22}, 22),             L({0, 7}, 7),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 28 AV1 Video */
    {{L({R(0, 19)}, 0),        L({R(0, 5)}, 0),    L({0, R(6, 24)}, 19), L({0, 46, 48, 50, 52, R(13, 18), 9, 8}, 50),
      L({23}, 23),             L({0, 7}, 7),       L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
    /* 29 WebM Video: Opus takes 48 kHz and its divisors alone */
    {{L({R(0, 19)}, 0),        L({R(0, 5)}, 0),    L({0, R(6, 24)}, 19), L({0, 45, 47, 49, 51, R(13, 18), 9, 8}, 49),
      L({24}, 24),             L({0, 10}, 10),     L({11, 8, 6, 5, 1}, 11), L({0, 1}, 1)}},
    /* 30 FLAC: lossless, so no bitrate */
    {{NO,                      NO,                 NO,                   NO,
      NO,                      L({11}, 11),        L({0, 1, R(4, 11)}, 0), L({0, 1}, 1)}},
    /* 31 Opus */
    {{NO,                      NO,                 L({0, R(6, 24)}, 19), NO,
      NO,                      L({12}, 12),        L({11, 8, 6, 5, 1}, 11), L({0, 1}, 1)}},
    /* 32 M4A */
    {{NO,                      NO,                 L({0, R(6, 24)}, 20), NO,
      NO,                      L({13}, 13),        L({0, 1, R(4, 11)}, 11), L({0, 1}, 1)}},
};

// clang-format on

// The ranges name every profile once, in order, so that a profile added
// without its kind cannot ship.
constexpr bool RangesCoverTheCatalogue() {
  int next = 0;
  for (const ProfileRange& range : kProfileRanges) {
    if (range.first != next || range.last < range.first) return false;
    next = range.last + 1;
  }
  return next == kProfileCount;
}
static_assert(RangesCoverTheCatalogue(), "every profile has a kind");

static_assert(sizeof(OUTPUT_PROFILE) == 3 * 50 * sizeof(char16_t), "fixed-width profile");
static_assert(sizeof(WIDE_ROW) == 2 * 50 * sizeof(char16_t), "wide row");
static_assert(sizeof(NARROW_ROW) == 2 * 15 * sizeof(char16_t), "narrow row");
static_assert(sizeof(OPTION_LIST) == (2 + kMaxListRows) * sizeof(int32_t), "option list");

namespace {

// Calls f with the table of a kind, whatever its row width.
template <typename F>
auto WithTable(OptionKind kind, F f) {
  switch (kind) {
    case OptionKind::Size:
      return f(kSizeRows);
    case OptionKind::FrameRate:
      return f(kFrameRateRows);
    case OptionKind::AudioBitrate:
      return f(kAudioBitrateRows);
    case OptionKind::VideoBitrate:
      return f(kVideoBitrateRows);
    case OptionKind::VideoCodec:
      return f(kVideoCodecRows);
    case OptionKind::AudioCodec:
      return f(kAudioCodecRows);
    case OptionKind::SampleRate:
      return f(kSampleRateRows);
    case OptionKind::Channels:
      break;
  }
  return f(kChannelRows);
}

bool IsKind(OptionKind kind) {
  const int k = static_cast<int>(kind);
  return k >= 0 && k < kOptionKindCount;
}

const OUTPUT_PROFILE kNoProfile = {};
const OPTION_LIST kNoList = {};

}  // namespace

int ProfileCount() {
  return kProfileCount;
}

bool IsAudioProfile(int profile) {
  for (const ProfileRange& range : kProfileRanges)
    if (profile >= range.first && profile <= range.last) return range.kind == ProfileKind::Audio;
  return false;
}

const OUTPUT_PROFILE& Profile(int profile) {
  return profile >= 0 && profile < kProfileCount ? kProfiles[profile] : kNoProfile;
}

const OPTION_LIST& OptionList(int profile, OptionKind kind) {
  if (profile < 0 || profile >= kProfileCount || !IsKind(kind)) return kNoList;
  return kProfileOptions[profile].aLists[static_cast<int>(kind)];
}

int OptionRowCount(OptionKind kind) {
  if (!IsKind(kind)) return 0;
  return WithTable(kind, [](const auto& rows) { return static_cast<int>(std::size(rows)); });
}

size_t OptionFieldWidth(OptionKind kind) {
  if (!IsKind(kind)) return 0;
  return WithTable(kind, [](const auto& rows) { return std::size(rows[0].szLabel); });
}

OptionRowText OptionRow(OptionKind kind, int row) {
  if (!IsKind(kind)) return {u"", u""};
  return WithTable(kind, [row](const auto& rows) -> OptionRowText {
    if (row < 0 || static_cast<size_t>(row) >= std::size(rows)) return {u"", u""};
    return {rows[row].szLabel, rows[row].szArg};
  });
}

const char16_t* OptionArg(OptionKind kind, int row) {
  return OptionRow(kind, row).szArg;
}

int PreselectedRow(int profile, OptionKind kind) {
  const OPTION_LIST& list = OptionList(profile, kind);
  return list.nCount > 0 ? list.anRows[list.nDefault] : -1;
}
