// The eight option tables: each row pairs the label shown in an option box
// with the encoder argument it stands for. Row numbers are the indexes.
#include "profiles/catalogue_data.h"

// clang-format off

const WIDE_ROW kSizeRows[64] = {
    /*  0 */ {u"Origina",                u""},
    // Profiles 0 to 8.
    /*  1 */ {u"96 x 72",                u"-s 96x72"},
    /*  2 */ {u"128 x 96 ",              u"-s 128x96 "},  // the trailing blank is in both fields
    /*  3 */ {u"160 x 120",              u"-s 160x120"},
    /*  4 */ {u"160 x 128",              u"-s 160x128"},
    /*  5 */ {u"176 x 120",              u"-s 176x120"},
    /*  6 */ {u"176 x 144",              u"-s 176x144"},
    /*  7 */ {u"192 x 144",              u"-s 192x144"},
    /*  8 */ {u"240 x 180",              u"-s 240x180"},
    /*  9 */ {u"320 x 200",              u"-s 320x200"},
    /* 10 */ {u"320 x 240",              u"-s 320x240"},
    /* 11 */ {u"352 x 240",              u"-s 352x240"},
    /* 12 */ {u"352 x 288",              u"-s 352x288"},
    /* 13 */ {u"480 x 272",              u"-s 480x272"},
    /* 14 */ {u"480 x 360",              u"-s 480x360"},
    /* 15 */ {u"480 x 480",              u"-s 480x480"},
    /* 16 */ {u"624 x 352",              u"-s 624x352"},
    /* 17 */ {u"640 x 480",              u"-s 640x480"},
    /* 18 */ {u"720 x 480",              u"-s 720x480"},
    /* 19 */ {u"720 x 576",              u"-s 720x576"},
    // 3GPP video.
    /* 20 */ {u"128 x 96",               u"-s 128x96"},
    /* 21 */ {u"128 x 128",              u"-s 128x128"},
    /* 22 */ {u"160 x 120",              u"-s 160x120"},
    /* 23 */ {u"160 x 128",              u"-s 160x128"},
    /* 24 */ {u"176 x 132",              u"-s 176x132"},
    /* 25 */ {u"176 x 144",              u"-s 176x144"},
    /* 26 */ {u"176 x 192",              u"-s 176x192"},
    /* 27 */ {u"208 x 176",              u"-s 208x176"},
    /* 28 */ {u"208 x 208",              u"-s 208x208"},
    /* 29 */ {u"220 x 128",              u"-s 220x128"},
    /* 30 */ {u"220 x 160",              u"-s 220x160"},
    /* 31 */ {u"220 x 176",              u"-s 220x176"},
    /* 32 */ {u"220 x 220",              u"-s 220x220"},
    /* 33 */ {u"240 x 240",              u"-s 240x240"},
    /* 34 */ {u"320 x 208",              u"-s 320x208"},
    /* 35 */ {u"320 x 240",              u"-s 320x240"},
    /* 36 */ {u"352 x 288",              u"-s 352x288"},
    // iPhone Movie.
    /* 37 */ {u"480x320(defualt)",       u"-s 480x320"},
    /* 38 */ {u"320 x 240",              u"-s 320x240"},
    /* 39 */ {u"320 x 192",              u"-s 320x192"},
    // iPod Classic Video.
    /* 40 */ {u"160 x 120",              u"-s 160x120"},
    /* 41 */ {u"320 x 180(Default)",     u"-s 320x180"},
    /* 42 */ {u"320 x 240",              u"-s 320x240"},
    /* 43 */ {u"480 x 368",              u"-s 480x368"},
    /* 44 */ {u"512 x 384",              u"-s 512x384"},
    // iPod Nano, iPod Touch.
    /* 45 */ {u"480 x 320",              u"-s 480x320"},
    /* 46 */ {u"320 x 240(4:3) Default", u"-s 320x240"},
    /* 47 */ {u"320 x 192(16:9)",        u"-s 320x192"},
    // PSP.
    /* 48 */ {u"160 x 120",              u"-s 160x120"},
    /* 49 */ {u"320 x 180",              u"-s 320x180"},
    /* 50 */ {u"320 x 240",              u"-s 320x240"},
    /* 51 */ {u"368 x 208(Deefault)",    u"-s 368x208"},
    /* 52 */ {u"480 x 368",              u"-s 480x368"},
    /* 53 */ {u"512 x 384",              u"-s 512x384"},
    // Zune, iRiver Clix.
    /* 54 */ {u"160 x 120",              u"-s 160x120"},
    /* 55 */ {u"320 x 180",              u"-s 320x180"},
    /* 56 */ {u"320 x 240(Default)",     u"-s 320x240"},
    /* 57 */ {u"480 x 368",              u"-s 480x368"},
    /* 58 */ {u"512 x 384",              u"-s 512x384"},
    /* 59 */ {u"640 x 480",              u"-s 640x480"},
    // AppleTV, QuickTime.
    /* 60 */ {u"160 x 120",              u"-s 160x120"},
    /* 61 */ {u"320 x 180",              u"-s 320x180"},
    /* 62 */ {u"320 x 240(Default)",     u"-s 320x240"},
    /* 63 */ {u"480 x 368",              u"-s 480x368"},
};

const NARROW_ROW kFrameRateRows[10] = {
    /* 0 */ {u"Original", u""},
    /* 1 */ {u"15",       u"-r 15"},
    /* 2 */ {u"24",       u"-r 24"},
    /* 3 */ {u"25",       u"-r 25"},
    /* 4 */ {u"29.97",    u"-r 29.97"},
    /* 5 */ {u"30",       u"-r 30"},
    /* 6 */ {u"15",       u"-r 15"},
    /* 7 */ {u"23.976",   u"-r 23.976"},
    /* 8 */ {u"25",       u"-r 25"},
    /* 9 */ {u"29.97",    u"-r 29.97"},
};

const NARROW_ROW kAudioBitrateRows[25] = {
    /*  0 */ {u"Original",     u""},
    /*  1 */ {u"48",           u"-ab 48k"},
    /*  2 */ {u"64",           u"-ab 64k"},
    /*  3 */ {u"80",           u"-ab 80k"},
    /*  4 */ {u"96",           u"-ab 96k"},
    /*  5 */ {u"128(Default)", u"-ab 128k"},
    /*  6 */ {u"12",           u"-ab 12k"},
    /*  7 */ {u"16",           u"-ab 16k"},
    /*  8 */ {u"20",           u"-ab 20k"},
    /*  9 */ {u"22",           u"-ab 22k"},
    /* 10 */ {u"24",           u"-ab 24k"},
    /* 11 */ {u"32",           u"-ab 32k"},
    /* 12 */ {u"40",           u"-ab 40k"},
    /* 13 */ {u"48",           u"-ab 48k"},
    /* 14 */ {u"56",           u"-ab 56k"},
    /* 15 */ {u"64",           u"-ab 64k"},
    /* 16 */ {u"80",           u"-ab 80k"},
    /* 17 */ {u"96",           u"-ab 96k"},
    /* 18 */ {u"112",          u"-ab 112k"},
    /* 19 */ {u"128(Default)", u"-ab 128k"},
    /* 20 */ {u"160",          u"-ab 160k"},
    /* 21 */ {u"192",          u"-ab 192k"},
    /* 22 */ {u"224",          u"-ab 224k"},
    /* 23 */ {u"256",          u"-ab 256k"},
    /* 24 */ {u"320",          u"-ab 320k"},
};

const NARROW_ROW kVideoBitrateRows[53] = {
    /*  0 */ {u"Original",      u""},
    /*  1 */ {u"100",           u"-b 100k"},
    /*  2 */ {u"384",           u"-b 384k"},
    /*  3 */ {u"512",           u"-b 512k"},
    /*  4 */ {u"640",           u"-b 640k"},
    /*  5 */ {u"800",           u"-b 800k"},
    /*  6 */ {u"1000(Default)", u"-b 1000k"},
    /*  7 */ {u"1200",          u"-b 1200k"},
    /*  8 */ {u"6000",          u"-b 6000k"},  // 6000 before 2000, as offered
    /*  9 */ {u"2000",          u"-b 2000k"},
    /* 10 */ {u"32",            u"-b 32k"},
    /* 11 */ {u"64",            u"-b 64k"},
    /* 12 */ {u"100",           u"-b 100k"},
    /* 13 */ {u"384",           u"-b 384k"},
    /* 14 */ {u"512",           u"-b 512k"},
    /* 15 */ {u"640",           u"-b 640k"},
    /* 16 */ {u"800",           u"-b 800k"},
    /* 17 */ {u"1000(Default)", u"-b 1000k"},
    /* 18 */ {u"1500",          u"-b 1500k"},
    /* 19 */ {u"32",            u"-b 32k"},
    /* 20 */ {u"48",            u"-b 48k"},
    /* 21 */ {u"64",            u"-b 64k"},
    /* 22 */ {u"128",           u"-b 128k"},
    /* 23 */ {u"256",           u"-b 256k"},
    /* 24 */ {u"512",           u"-b 512k"},
    /* 25 */ {u"700(Default)",  u"-b 700k"},
    /* 26 */ {u"1200",          u"-b 1200k"},
    /* 27 */ {u"1500",          u"-b 1500k"},
    /* 28 */ {u"100",           u"-b 100k"},
    /* 29 */ {u"384",           u"-b 384k"},
    /* 30 */ {u"512",           u"-b 512k"},
    /* 31 */ {u"640",           u"-b 640k"},
    /* 32 */ {u"768(Default)",  u"-b 768k"},
    /* 33 */ {u"800",           u"-b 800k"},
    /* 34 */ {u"1000",          u"-b 1000k"},
    /* 35 */ {u"1200",          u"-b 1200k"},
    /* 36 */ {u"1500",          u"-b 1500k"},
    /* 37 */ {u"32",            u"-b 32k"},
    /* 38 */ {u"64",            u"-b 64k"},
    /* 39 */ {u"100",           u"-b 100k"},
    /* 40 */ {u"384",           u"-b 384k"},
    /* 41 */ {u"512",           u"-b 512k"},
    /* 42 */ {u"640",           u"-b 640k"},
    /* 43 */ {u"768(Default)",  u"-b 768k"},
    // Constant quality for the H.265, AV1 and WebM profiles. Their codec rows
    // give no rate: each encoder then keeps its own constant quality (x265 28,
    // SVT-AV1 35, VP9 32), which a rate of its codec row would override here,
    // since that row comes later on the command line.
    /* 44 */ {u"CRF 20",        u"-crf 20"},
    /* 45 */ {u"CRF 24",        u"-crf 24"},
    /* 46 */ {u"CRF 27",        u"-crf 27"},
    /* 47 */ {u"CRF 28",        u"-crf 28"},
    /* 48 */ {u"CRF 31",        u"-crf 31"},
    /* 49 */ {u"CRF 32",        u"-crf 32"},
    /* 50 */ {u"CRF 35",        u"-crf 35"},
    /* 51 */ {u"CRF 36",        u"-crf 36"},
    /* 52 */ {u"CRF 39",        u"-crf 39"},
};

const WIDE_ROW kVideoCodecRows[25] = {
    /*  0 */ {u"MPEG-4 v3",                                 u"-vcodec msmpeg4"},
    /*  1 */ {u"MPEG-4 v2",                                 u"-vcodec msmpeg4v2"},
    /*  2 */ {u"MPEG-4 v1",                                 u"-vcodec msmpeg4v1"},
    /*  3 */ {u"XviD Codec",                                u"-vcodec mpeg4 -vtag xvid"},
    /*  4 */ {u"DivX Codec",                                u"-vcodec mpeg4 -vtag divx"},
    /*  5 */ {u"MS-MPEG4v2",                                u"-vcodec msmpeg4v2"},
    /*  6 */ {u"Motion JPEG",                               u"-vcodec mjpeg"},
    /*  7 */ {u"MPEG1 Video",                               u"-vcodec mpeg1video"},
    /*  8 */ {u"MPEG2 Video",                               u"-vcodec mpeg2video"},
    /*  9 */ {u"RV10 - RealVideo codec",                    u"-vcodec rv10"},
    /* 10 */ {u"SVQ1 - Sorenson Video (Apple Quicktime 3)", u"-vcodec svq1"},
    /* 11 */ {u"WMV1 Codec",                                u"-vcodec wmv1"},
    /* 12 */ {u"WMV2 Codec",                                u"-vcodec wmv2"},
    /* 13 */ {u"WMV v7.0",                                  u"-vcodec wmv1"},
    /* 14 */ {u"WMV v8.0",                                  u"-vcodec wmv2"},
    /* 15 */ {u"H.264 / AVC",                               u"-vcodec libx264"},
    /* 16 */ {u"FLV",                                       u"-vcodec flv"},
    /* 17 */ {u"RV10 - RealVideo codec",                    u"-vcodec rv10"},
    /* 18 */ {u"RV20 - RealVideo codec",                    u"-vcodec rv20"},
    // Only 3GPP video offers this row; its muxer refuses a forced "xvid" tag
    // and writes its own tag for the same MPEG-4 video.
    /* 19 */ {u"XVid",                                      u"-vcodec mpeg4"},
    /* 20 */ {u"MPEG-4",                                    u"-vcodec mpeg4"},
    /* 21 */ {u"H.263",                                     u"-vcodec h263"},
    // The speed presets keep 720p at least in real time on two cores. The
    // x265 build is 8-bit only; the other two are held to 8-bit 4:2:0 here.
    // "hvc1" is the tag Apple's players require of H.265 in MP4.
    /* 22 */ {u"H.265 / HEVC",                              u"-vcodec libx265 -preset faster -vtag hvc1"},
    /* 23 */ {u"AV1",                                       u"-vcodec libsvtav1 -preset 10 -pix_fmt yuv420p"},
    /* 24 */ {u"VP9",                                       u"-vcodec libvpx-vp9 -cpu-used 5 -pix_fmt yuv420p"},
};

const WIDE_ROW kAudioCodecRows[14] = {
    /* 0 */ {u"Disable audio",              u"-an"},
    /* 1 */ {u"MP3",                        u"-acodec libmp3lame"},
    /* 2 */ {u"MP2",                        u"-acodec mp2"},
    /* 3 */ {u"PCM",                        u"-acodec pcm_alaw"},
    /* 4 */ {u"AC3",                        u"-acodec ac3"},
    /* 5 */ {u"IMA ADPCM",                  u"-acodec adpcm_ima_wav"},
    /* 6 */ {u"Microsoft ADPCM Format",     u"-acodec adpcm_ms"},
    // The encoder's own AAC: the external one it once used is gone.
    /* 7 */ {u"AAC (Advance Audio Coding)", u"-acodec aac"},
    // The built-in "vorbis" encoder refuses to run without an experimental switch.
    /* 8 */ {u"Vorbis",                     u"-acodec libvorbis"},
    /* 9 */ {u"WMA",                        u"-acodec wmav2"},
    /* 10 */ {u"Opus",                      u"-acodec libopus"},
    // The audio-only containers would otherwise carry the source's picture
    // along in their default video codec (a PNG per frame, or H.264 in M4A).
    /* 11 */ {u"FLAC",                      u"-acodec flac -vn"},
    /* 12 */ {u"Opus",                      u"-acodec libopus -vn"},
    /* 13 */ {u"AAC",                       u"-acodec aac -vn"},
};

const NARROW_ROW kSampleRateRows[12] = {
    /*  0 */ {u"Original",       u""},
    /*  1 */ {u"8000",           u"-ar 8000"},
    /*  2 */ {u"22050",          u"-ar 22050"},
    /*  3 */ {u"44100(Default)", u"-ar 44100"},
    /*  4 */ {u"11025",          u"-ar 11025"},
    /*  5 */ {u"12000",          u"-ar 12000"},
    /*  6 */ {u"16000",          u"-ar 16000"},
    /*  7 */ {u"22050",          u"-ar 22050"},
    /*  8 */ {u"24000",          u"-ar 24000"},
    /*  9 */ {u"32000",          u"-ar 32000"},
    /* 10 */ {u"44100",          u"-ar 44100"},
    /* 11 */ {u"48000(Default)", u"-ar 48000"},
};

// No neutral row: a profile that offers channels always passes a count.
const NARROW_ROW kChannelRows[3] = {
    /* 0 */ {u"Mono",        u"-ac 1"},
    /* 1 */ {u"Stereo",      u"-ac 2"},
    /* 2 */ {u"6 (AC3 5.1)", u"-ac 6"},
};

// clang-format on
