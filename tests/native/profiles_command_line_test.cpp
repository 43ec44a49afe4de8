#include <gtest/gtest.h>

#include <string>

#include "profiles/catalogue.h"
#include "profiles/command_line.h"

namespace {

using K = OptionKind;

// The worked setting: encoder in C:\Tools\Conv\, input E:\clips\holiday.avi,
// output folder C:\Out\, the profile's preselected rows.
CONVERT_JOB Job(int profile, bool sameAsSource = false) {
  CONVERT_JOB job;
  job.nProfile = profile;
  for (K kind : kAllOptionKinds) JobRow(job, kind) = PreselectedRow(profile, kind);
  job.strEncoder = EncoderPath(u"C:\\Tools\\Conv\\");
  job.strInput = u"E:\\clips\\holiday.avi";
  job.strOutput = OutputPath(sameAsSource, u"C:\\Out\\", job.strInput, u"holiday.avi", profile);
  return job;
}

std::u16string Line(const CONVERT_JOB& job) {
  std::u16string out;
  EXPECT_TRUE(BuildCommandLine(&job, out));
  return out;
}

const std::u16string kHead = u"\"C:\\Tools\\Conv\\ffmpeg.exe\" -i \"E:\\clips\\holiday.avi\" -y ";

TEST(CommandLine, WorkedExamples) {
  EXPECT_EQ(Line(Job(0)),
            u"\"C:\\Tools\\Conv\\ffmpeg.exe\" -i \"E:\\clips\\holiday.avi\" -y -f avi -s 320x240 "
            u"-r 29.97 -ab 128k -b 1000k -vcodec msmpeg4 -an -ar 44100 -ac 2 "
            u"\"C:\\Out\\holiday.avi.avi\"");
  EXPECT_EQ(Line(Job(22)),
            u"\"C:\\Tools\\Conv\\ffmpeg.exe\" -i \"E:\\clips\\holiday.avi\" -y -f mp3   -ab 128k   "
            u"-acodec libmp3lame -ar 48000 -ac 2 \"C:\\Out\\holiday.avi.mp3\"");
  EXPECT_EQ(Line(Job(19, true)),
            u"\"C:\\Tools\\Conv\\ffmpeg.exe\" -i \"E:\\clips\\holiday.avi\" -y -target dvd         "
            u"\"E:\\clips\\holiday.avi.mpg\"");
  EXPECT_EQ(
      Line(Job(3)),
      u"\"C:\\Tools\\Conv\\ffmpeg.exe\" -i \"E:\\clips\\holiday.avi\" -y  -s 320x240 -r 29.97 "
      u"-ab 128k -b 1000k -vcodec wmv1 -acodec adpcm_ima_wav -ar 44100 -ac 2 "
      u"\"C:\\Out\\holiday.avi.wmv\"");
  CONVERT_JOB shortForm = Job(0);
  shortForm.bUseOriginal = true;
  EXPECT_EQ(Line(shortForm),
            u"\"C:\\Tools\\Conv\\ffmpeg.exe\" -i \"E:\\clips\\holiday.avi\" -y -f avi -vcodec "
            u"msmpeg4 -an \"C:\\Out\\holiday.avi.avi\"");
}

TEST(CommandLine, NoJobLeavesTheTextAlone) {
  std::u16string out = u"kept";
  EXPECT_FALSE(BuildCommandLine(nullptr, out));
  EXPECT_EQ(out, u"kept");
  const CONVERT_JOB job = Job(20);
  EXPECT_TRUE(BuildCommandLine(&job, out));
  EXPECT_EQ(out, kHead + u"-target vcd         \"C:\\Out\\holiday.avi.mpg\"");
}

TEST(CommandLine, EmptySlotsKeepTheirBlanks) {
  // WMA: no container argument and no video options.
  EXPECT_EQ(Line(Job(25)), kHead +
                               u"   -ab 160k   -acodec wmav2 -ar 48000 -ac 2 "
                               u"\"C:\\Out\\holiday.avi.wmv\"");
  // An "Original" row empties its own slot only.
  CONVERT_JOB job = Job(0);
  job.nFrameRate = 0;
  job.nSampleRate = 0;
  EXPECT_EQ(Line(job), kHead +
                           u"-f avi -s 320x240  -ab 128k -b 1000k -vcodec msmpeg4 -an  "
                           u"-ac 2 \"C:\\Out\\holiday.avi.avi\"");
  // "Origina" and the size row with its trailing blank.
  job = Job(6);
  EXPECT_EQ(Line(job).substr(kHead.size(), 18), u"-f mp4  -r 29.97 -");
  job.nSize = 2;
  EXPECT_EQ(Line(job).substr(kHead.size(), 28), u"-f mp4 -s 128x96  -r 29.97 -");
}

TEST(CommandLine, ArgumentsWithBlanksGoInUnchanged) {
  CONVERT_JOB job = Job(2);
  job.nVideoCodec = 4;
  EXPECT_NE(Line(job).find(u" -b 1000k -vcodec mpeg4 -vtag divx -acodec libmp3lame "),
            std::u16string::npos);
  job.bUseOriginal = true;
  EXPECT_EQ(Line(job), kHead +
                           u"-f avi -vcodec mpeg4 -vtag divx -acodec libmp3lame "
                           u"\"C:\\Out\\holiday.avi.avi\"");
}

TEST(CommandLine, ShortFormLeavesOutEverythingButCodecs) {
  CONVERT_JOB job = Job(22);
  job.bUseOriginal = true;
  EXPECT_EQ(Line(job), kHead + u"-f mp3  -acodec libmp3lame \"C:\\Out\\holiday.avi.mp3\"");
  job = Job(19);
  job.bUseOriginal = true;
  EXPECT_EQ(Line(job), kHead + u"-target dvd   \"C:\\Out\\holiday.avi.mpg\"");
  job = Job(26);
  job.bUseOriginal = true;
  EXPECT_EQ(Line(job), kHead + u"-f adts  -acodec aac \"C:\\Out\\holiday.avi.aac\"");
}

TEST(CommandLine, PathsGoInQuotedAsTheyAre) {
  CONVERT_JOB job = Job(23);
  job.strInput = u"D:\\my clips\\a b.wav";
  job.strOutput = OutputPath(true, u"C:\\Out\\", job.strInput, u"a b.wav", 23);
  job.strEncoder = EncoderPath(u"C:\\Program Files\\Conv\\");
  EXPECT_EQ(Line(job),
            u"\"C:\\Program Files\\Conv\\ffmpeg.exe\" -i \"D:\\my clips\\a b.wav\" -y "
            u"-f wav   -ab 128k   -acodec pcm_alaw -ar 48000 -ac 2 "
            u"\"D:\\my clips\\a b.wav.wav\"");
}

// What the input calls for goes between the option slots and the output
// path, and an input that needs nothing leaves every line as it was.
TEST(CommandLine, InputArgumentsGoBeforeTheOutputOnlyWhenNeeded) {
  InputDetails plain;
  plain.hasVideo = true;
  plain.bitDepth = 8;
  plain.chromaWidthShift = 1;
  plain.chromaHeightShift = 1;
  InputDetails tenBit = plain;
  tenBit.bitDepth = 10;
  InputDetails fourTwoTwo = plain;
  fourTwoTwo.chromaHeightShift = 0;
  InputDetails pq = tenBit;
  pq.transfer = ColourTransfer::Pq;
  InputDetails unknown;  // not probed

  for (int profile = 0; profile < ProfileCount(); ++profile) {
    for (bool shortForm : {false, true}) {
      CONVERT_JOB job = Job(profile);
      job.bUseOriginal = shortForm;
      const std::u16string today = Line(job);
      for (const InputDetails* details : {&plain, &unknown, static_cast<InputDetails*>(nullptr)}) {
        std::u16string line;
        ASSERT_TRUE(BuildCommandLine(&job, line, details));
        EXPECT_EQ(line, today) << "profile " << profile;
      }
      std::u16string line;
      BuildCommandLine(&job, line, &tenBit);
      const std::u16string codec = OptionArg(OptionKind::VideoCodec, job.nVideoCodec);
      const bool fourTwoZeroOnly =
          codec == u"-vcodec libx264" || codec.rfind(u"-vcodec libx265 ", 0) == 0;
      const std::u16string output = u" \"" + job.strOutput + u"\"";
      EXPECT_EQ(line, fourTwoZeroOnly ? today.substr(0, today.size() - output.size()) +
                                            u" -pix_fmt yuv420p" + output
                                      : today)
          << "profile " << profile;
      // HDR is mapped under every profile that writes video, never under an audio one.
      BuildCommandLine(&job, line, &pq);
      EXPECT_EQ(line.find(u"tonemap") != std::u16string::npos, !IsAudioProfile(profile))
          << "profile " << profile;
    }
  }

  // H.264 from 4:2:2; the row's own arguments stay before it.
  CONVERT_JOB job = Job(6);
  std::u16string line;
  BuildCommandLine(&job, line, &fourTwoTwo);
  EXPECT_EQ(line.substr(line.find(u"-vcodec")),
            u"-vcodec libx264 -acodec aac -ar 48000 -ac 2 -pix_fmt yuv420p "
            u"\"C:\\Out\\holiday.avi.mp4\"");

  // HDR: scaled to the size row's size before mapping; with "Use Original"
  // at the source's size; BT.2020 assumed only where the source tells nothing.
  job = Job(0);
  BuildCommandLine(&job, line, &pq);
  EXPECT_EQ(line.substr(line.find(u"-ac 2 ")),
            u"-ac 2 -vf zscale=w=320:h=240:tin=smpte2084:pin=bt2020:min=bt2020nc:t=linear:npl="
            u"100,format=gbrpf32le,zscale=p=bt709,tonemap=tonemap=hable:desat=0,zscale=t=bt709:m="
            u"bt709:r=tv,format=yuv420p \"C:\\Out\\holiday.avi.avi\"");
  job.bUseOriginal = true;
  InputDetails hlg = pq;
  hlg.transfer = ColourTransfer::Hlg;
  hlg.colourPrimaries = "bt2020";
  hlg.colourMatrix = "bt2020nc";
  BuildCommandLine(&job, line, &hlg);
  EXPECT_NE(line.find(u"-an -vf zscale=tin=arib-std-b67:t=linear:npl=100,"), std::u16string::npos)
      << std::string(line.begin(), line.end());
}

// A disc target names its norm only where the encoder could not tell it from
// the input's clock: a phone's 30 fps MP4 (clock 15360) is NTSC, a 25 fps MOV
// PAL, and a 25 fps AVI (clock 25) keeps today's line.
TEST(CommandLine, ADiscTargetNamesTheNormTheEncoderCannotTell) {
  InputDetails phone;
  phone.hasVideo = true;
  phone.frameRate = 30;
  phone.timeBaseRate = 15360;
  InputDetails editor = phone;
  editor.frameRate = 25;
  editor.timeBaseRate = 12800;
  InputDetails avi = editor;
  avi.timeBaseRate = 25;
  InputDetails film = phone;
  film.frameRate = 23.976;
  film.timeBaseRate = 23.98;  // as the report rounds 24000/1001
  for (int profile : {19, 20, 21}) {
    CONVERT_JOB job = Job(profile);
    const std::u16string today = Line(job);
    const std::u16string target = Profile(profile).szFormatArg;  // "-target dvd"
    const std::u16string disc = target.substr(target.find(u' ') + 1);
    EXPECT_EQ(FormatArgument(job, &phone), u"-target ntsc-" + disc);
    EXPECT_EQ(FormatArgument(job, &editor), u"-target pal-" + disc);
    std::u16string line;
    for (const InputDetails* same : {&avi, &film, static_cast<InputDetails*>(nullptr)}) {
      BuildCommandLine(&job, line, same);
      EXPECT_EQ(line, today) << "profile " << profile;
    }
    BuildCommandLine(&job, line, &editor);
    EXPECT_EQ(line.find(u"-target pal-" + disc + u" "), today.find(target + u" "));
  }
  // Other containers are never touched.
  CONVERT_JOB mp4 = Job(6);
  EXPECT_EQ(FormatArgument(mp4, &phone), std::u16string(Profile(6).szFormatArg));
}

TEST(OutputPath, KeepsTheSourceExtensionInTheName) {
  EXPECT_EQ(OutputPath(false, u"C:\\Out\\", u"E:\\m\\clip.mp3", u"clip.mp3", 22),
            u"C:\\Out\\clip.mp3.mp3");
  EXPECT_EQ(OutputPath(true, u"C:\\Out\\", u"E:\\m\\holiday.avi", u"holiday.avi", 0),
            u"E:\\m\\holiday.avi.avi");
  EXPECT_EQ(OutputPath(false, u"C:\\Out\\", u"E:\\m\\holiday.avi", u"holiday.avi", 25),
            u"C:\\Out\\holiday.avi.wmv");
  EXPECT_EQ(OutputPath(false, u"C:\\Out\\", u"E:\\m\\x.avi", u"x.avi", 8), u"C:\\Out\\x.avi.rm");
  EXPECT_EQ(EncoderPath(u"C:\\Tools\\Conv\\"), u"C:\\Tools\\Conv\\ffmpeg.exe");
}

// A folder from a foreign settings file or typed without its separator still
// holds the outputs, instead of lending them its name.
TEST(OutputPath, AFolderWithoutSeparatorGetsOne) {
  EXPECT_EQ(OutputPath(false, u"C:\\users", u"E:\\m\\a.avi", u"a.avi", 0), u"C:\\users\\a.avi.avi");
  EXPECT_EQ(OutputPath(false, u"D:", u"E:\\m\\a.avi", u"a.avi", 0), u"D:\\a.avi.avi");
  EXPECT_EQ(OutputPath(false, u"C:/out/", u"E:\\m\\a.avi", u"a.avi", 0), u"C:/out/a.avi.avi");
  // Without a folder the name stays relative, as before.
  EXPECT_EQ(OutputPath(false, u"", u"E:\\m\\a.avi", u"a.avi", 0), u"a.avi.avi");
}

}  // namespace
