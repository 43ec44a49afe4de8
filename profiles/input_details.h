// What one input file holds, as the encoder's report tells it: what the input
// page shows of a file, and what the command line needs to know of it.
#pragma once
#include <cstdint>
#include <string>

// Why a file cannot be read, as the input page and the run tell it.
enum class InputProblem {
  None,
  Missing,    // no file at that path
  Denied,     // the file may not be opened
  NotMedia,   // incomplete, damaged, or not a media file at all
  NoStreams,  // opened, but it holds no video and no audio
  NoAnswer,   // the reader did not answer in time
};

enum class ColourTransfer {
  Standard,  // SDR: BT.709, BT.601, sRGB or not told
  Pq,        // HDR10: SMPTE ST 2084
  Hlg,       // ARIB STD-B67
};

struct InputDetails {
  bool probed = false;         // the file was looked at
  bool readable = false;       // the encoder could open it and found a stream in it
  int64_t sizeBytes = 0;       // size and time of the file when it was looked at,
  int64_t modified = 0;        // to tell that it has changed since
  double durationSeconds = 0;  // 0 when not known

  // The first video stream.
  bool hasVideo = false;
  std::string videoCodec;    // the encoder's own name: "hevc", "h264"
  std::string pixelFormat;   // as the encoder names it: "yuv420p10le"
  int bitDepth = 0;          // of one component; 0 when not known
  int chromaWidthShift = 0;  // 4:2:0 is 1 and 1, 4:2:2 is 1 and 0, 4:4:4 is 0 and 0
  int chromaHeightShift = 0;
  int width = 0;
  int height = 0;
  double frameRate = 0;
  double timeBaseRate = 0;      // the stream's clock ticks a second ("tbn"); 0 when not told
  std::string colourMatrix;     // "bt2020nc", "bt709"; empty when not told
  std::string colourPrimaries;  // "bt2020", "bt709"
  ColourTransfer transfer = ColourTransfer::Standard;

  // The first audio stream, and how many of each kind of track there are.
  bool hasAudio = false;
  std::string audioCodec;
  int audioChannels = 0;
  int videoTracks = 0;
  int audioTracks = 0;
  int subtitleTracks = 0;

  // Why it cannot be read; None when it can, or when it was not looked at.
  InputProblem problem = InputProblem::None;
  std::string tellingLine;  // the reader's own last line when it cannot (UTF-8)
};
