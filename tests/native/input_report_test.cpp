// The encoder's report read over files that Debian's own encoder package
// makes here and now, and over its reports of them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "convert/input_report.h"

namespace {

std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

class InputReport : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/vm_report_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    s_dir = pattern;
    const std::string make = "cd " + s_dir + " && ffmpeg -v error -y ";
    const std::string picture = "-f lavfi -i testsrc2=size=320x240:rate=25 ";
    const std::string tone = "-f lavfi -i sine=sample_rate=48000 ";
    Shell(make + picture + tone +
          "-t 2 -c:v libx265 -x265-params log-level=error -pix_fmt yuv420p10le "
          "-color_primaries bt2020 -color_trc smpte2084 -colorspace bt2020nc -c:a aac -ac 6 "
          "pq.mp4");
    Shell(make + "-f lavfi -i testsrc2=size=640x360:rate=30000/1001 " + tone +
          "-f lavfi -i sine -t 2 -map 0 -map 1 -map 2 -c:v libx265 -x265-params log-level=error "
          "-pix_fmt yuv420p10le -color_primaries bt2020 -color_trc arib-std-b67 "
          "-colorspace bt2020nc -c:a libvorbis -ac 1 hlg.mkv");
    Shell(make + picture + "-t 2 -c:v libx264 -pix_fmt yuv422p10le camera.mkv");
    Shell("printf '1\\n00:00:00,000 --> 00:00:01,000\\nhi\\n' > " + s_dir + "/s.srt");
    Shell(make + picture + tone + "-i s.srt -t 2 -map 0 -map 1 -map 1 -map 2 -c:v libx264 " +
          "-pix_fmt yuv420p -c:a aac -ac 2 -c:s mov_text plain.mp4");
    Shell(make + tone + "-t 3 -c:a libmp3lame song.mp3");
    Shell("cd " + s_dir + " && head -c 20000 pq.mp4 > cut.mp4 && : > empty.mp4 && " +
          "echo 'not a film' > note.mp4");
  }
  static void TearDownTestSuite() { Shell("rm -rf " + s_dir); }

  static InputDetails Report(const std::string& name) {
    return ReadInputReport(Shell("ffmpeg -hide_banner -i " + s_dir + "/" + name));
  }
  static std::string s_dir;
};
std::string InputReport::s_dir;

TEST_F(InputReport, VideoFilesTellTheirStreamsDepthAndColours) {
  const InputDetails pq = Report("pq.mp4");
  EXPECT_TRUE(pq.probed && pq.readable);
  EXPECT_EQ(pq.problem, InputProblem::None);
  EXPECT_NEAR(pq.durationSeconds, 2.0, 0.1);
  EXPECT_EQ(pq.videoCodec, "hevc");
  EXPECT_EQ(pq.pixelFormat, "yuv420p10le");
  EXPECT_EQ(pq.bitDepth, 10);
  EXPECT_EQ(pq.chromaWidthShift, 1);
  EXPECT_EQ(pq.chromaHeightShift, 1);
  EXPECT_EQ(pq.width, 320);
  EXPECT_EQ(pq.height, 240);
  EXPECT_DOUBLE_EQ(pq.frameRate, 25);
  EXPECT_DOUBLE_EQ(pq.timeBaseRate, 12800);  // "12800 tbn": a disc target cannot tell its norm
  EXPECT_EQ(pq.colourMatrix, "bt2020nc");
  EXPECT_EQ(pq.colourPrimaries, "bt2020");
  EXPECT_EQ(pq.transfer, ColourTransfer::Pq);
  EXPECT_EQ(pq.audioCodec, "aac");
  EXPECT_EQ(pq.audioChannels, 6);
  EXPECT_EQ(pq.videoTracks, 1);
  EXPECT_EQ(pq.audioTracks, 1);

  const InputDetails hlg = Report("hlg.mkv");
  EXPECT_EQ(hlg.transfer, ColourTransfer::Hlg);
  EXPECT_EQ(hlg.width, 640);
  EXPECT_NEAR(hlg.frameRate, 29.97, 0.01);
  EXPECT_DOUBLE_EQ(hlg.timeBaseRate, 1000);  // "1k tbn"
  EXPECT_EQ(hlg.audioTracks, 2);
  EXPECT_EQ(hlg.audioCodec, "vorbis");
  EXPECT_EQ(hlg.audioChannels, 1);

  const InputDetails camera = Report("camera.mkv");
  EXPECT_TRUE(camera.readable);
  EXPECT_EQ(camera.videoCodec, "h264");
  EXPECT_EQ(camera.bitDepth, 10);
  EXPECT_EQ(camera.chromaWidthShift, 1);
  EXPECT_EQ(camera.chromaHeightShift, 0);
  EXPECT_EQ(camera.transfer, ColourTransfer::Standard);
  EXPECT_FALSE(camera.hasAudio);

  const InputDetails plain = Report("plain.mp4");
  EXPECT_EQ(plain.bitDepth, 8);
  EXPECT_EQ(plain.chromaHeightShift, 1);
  EXPECT_EQ(plain.audioChannels, 2);
  EXPECT_EQ(plain.audioTracks, 2);
  EXPECT_EQ(plain.subtitleTracks, 1);
}

TEST_F(InputReport, AudioOnlyAndUnreadableFiles) {
  const InputDetails song = Report("song.mp3");
  EXPECT_TRUE(song.readable);
  EXPECT_FALSE(song.hasVideo);
  EXPECT_EQ(song.audioCodec, "mp3");
  EXPECT_EQ(song.audioChannels, 1);
  EXPECT_NEAR(song.durationSeconds, 3.0, 0.1);

  for (const char* name : {"cut.mp4", "empty.mp4", "note.mp4"}) {
    const InputDetails broken = Report(name);
    EXPECT_TRUE(broken.probed) << name;
    EXPECT_FALSE(broken.readable) << name;
    EXPECT_EQ(broken.problem, InputProblem::NotMedia) << name;
    // The reader's own words, for the result row.
    EXPECT_NE(broken.tellingLine.find("Invalid data found when processing input"),
              std::string::npos)
        << name << ": " << broken.tellingLine;
  }
  EXPECT_EQ(song.tellingLine, "");
  EXPECT_EQ(Report("gone.mp4").problem, InputProblem::Missing);
}

// What no file made here shows: a cover picture, unknown layouts, odd numbers.
TEST(InputReportText, CoverPicturesAndUntrustedNumbers) {
  const InputDetails details = ReadInputReport(
      "Input #0, mp3, from 'a.mp3':\n"
      "  Duration: 99:99:99.00, start: 0.0\n"
      "  Stream #0:0: Audio: flac, 44100 Hz, 12 channels, s32\n"
      "  Stream #0:1: Video: mjpeg (Baseline), yuvj420p(pc, bt470bg/unknown/unknown), "
      "500x500, 90k tbr, 90k tbn (attached pic)\n"
      "  Stream #0:2: Video: rawvideo, gray12le, 99999999x2, 1k fps\n"
      "At least one output file must be specified\n");
  EXPECT_TRUE(details.readable);
  EXPECT_EQ(details.durationSeconds, 0);
  EXPECT_EQ(details.audioChannels, 12);
  EXPECT_EQ(details.videoTracks, 1);
  EXPECT_EQ(details.videoCodec, "rawvideo");
  EXPECT_EQ(details.bitDepth, 12);
  EXPECT_EQ(details.width, 0);
  EXPECT_EQ(details.frameRate, 1000);

  const InputDetails empty = ReadInputReport("Input #0, wav, from 'x':\n  Duration: N/A\n");
  EXPECT_EQ(empty.problem, InputProblem::NoStreams);
  EXPECT_EQ(ReadInputReport("x: Permission denied\n").problem, InputProblem::Denied);
}

}  // namespace
