// The encoder's text for one file: parsed read by read, handed on at most once
// a second, and watched for the lines that say the output is broken.
#include <gtest/gtest.h>

#include "convert/encoder_output.h"

namespace {

TEST(EncoderOutput, FirstReadGoesOutAtOnceLaterOnesOnceASecond) {
  EncoderOutput out;
  EXPECT_EQ(out.MsUntilDue(0), EncoderOutput::kNever);
  out.Add(u"banner");
  EXPECT_TRUE(out.Due(5));
  EXPECT_EQ(out.Take(5).text, u"banner");

  // Reads within the second are gathered and go out together when it is over.
  out.Add(u"a");
  out.Add(u"b");
  EXPECT_FALSE(out.Due(600));
  EXPECT_EQ(out.MsUntilDue(600), 405u);
  EXPECT_TRUE(out.Due(1005));
  EXPECT_EQ(out.Take(1005).text, u"ab");

  // A read after a quiet spell goes out at once, as the encoder printed it.
  EXPECT_EQ(out.MsUntilDue(3000), EncoderOutput::kNever);
  out.Add(u"late");
  EXPECT_TRUE(out.Due(3000));
  EXPECT_EQ(out.Take(3000).text, u"late");

  // The next file starts afresh: its first read goes out at once.
  out.Add(u"x");
  out.Reset();
  out.Add(u"next file");
  EXPECT_TRUE(out.Due(3001));
}

TEST(EncoderOutput, ParsesWhatASecondGathersAsOneChunk) {
  EncoderOutput out;
  out.Add(u"Input #0, avi\r\n");
  EXPECT_FALSE(out.Take(0).hasPercent);
  // The encoder prints its duration in pieces.
  out.Add(u"  Duration: ");
  out.Add(u"00:01:40.00");
  out.Add(u", start: 0\r\n");
  out.Add(u"size= 1kB time=00:00:10.00 bitrate= 1k\r");
  out.Add(u"size= 2kB time=00:00:20.00 bitrate= 1k\r");
  const EncoderOutput::Chunk chunk = out.Take(1000);
  EXPECT_TRUE(chunk.hasPercent);
  EXPECT_EQ(chunk.percent, 10);  // the first clock of a chunk counts
  out.Add(u"no progress here");
  EXPECT_FALSE(out.Take(2000).hasPercent);

  // A flood is parsed in pieces of a chunk's size: the latest piece with a clock counts.
  const std::u16string line = u"size= 3kB time=00:00:30.00 bitrate= 1k\r";
  for (int i = 0; i < 200; ++i) out.Add(line);
  out.Add(std::u16string(2 * EncoderOutput::kMaxChunk - 200 * line.size(), u'w'));
  out.Add(u"size= 4kB time=00:00:50.00 bitrate= 1k\r" + std::u16string(5000, u'w'));
  const EncoderOutput::Chunk flood = out.Take(3000);
  EXPECT_TRUE(flood.hasPercent);
  EXPECT_EQ(flood.percent, 50);
}

TEST(EncoderOutput, GathersNoMoreThanALogTailNeeds) {
  EncoderOutput out;
  const std::u16string first(4096, u'f');
  out.Add(first);
  EXPECT_EQ(out.Take(0).text, first);  // a first read goes out whole
  for (int i = 0; i < 100; ++i) out.Add(std::u16string(1000, u'a'));
  out.Add(u"the end");
  const std::u16string text = out.Take(1000).text;
  EXPECT_EQ(text.size(), EncoderOutput::kMaxChunk);
  EXPECT_EQ(text.substr(text.size() - 9), u"aathe end");
}

TEST(FatalLineWatch, KnowsTheEncodersFatalLinesWhereverTheReadsCut) {
  const std::u16string printed =
      u"size=      32kB time=00:00:04.08 bitrate=  64.2kbits/s speed= 100x    \r"
      u"Error writing trailer of R:\\a.avi.mp3: No space left on device\r\n"
      u"video:0kB audio:39kB subtitle:0kB\r\n";
  for (size_t cut = 0; cut <= printed.size(); ++cut) {
    FatalLineWatch watch;
    watch.Feed(printed.substr(0, cut));
    watch.Feed(printed.substr(cut));
    EXPECT_EQ(watch.FatalLine(), u"Error writing trailer of R:\\a.avi.mp3: No space left on device")
        << cut;
  }
  // The last line counts before its line end has come.
  FatalLineWatch last;
  last.Feed(u"frame= 1\rConversion failed!");
  EXPECT_EQ(last.FatalLine(), u"Conversion failed!");
  last.Reset();
  EXPECT_EQ(last.FatalLine(), u"");
}

TEST(FatalLineWatch, OnlyTheStartOfALineCounts) {
  for (const char16_t* harmless : {
           u"Input #0, avi, from 'C:\\Conversion failed!.avi':\r\n",
           u"[mpeg4 @ 0000] ac-tex damaged at 12 34\r\n",
           u"Error while decoding stream #0:0: Invalid data found when processing input\r\n",
           u" Conversion failed!\r\n",
       }) {
    FatalLineWatch watch;
    watch.Feed(harmless);
    EXPECT_EQ(watch.FatalLine(), u"");
  }
  // Only the first fatal line is kept, cut at 512 characters.
  FatalLineWatch watch;
  watch.Feed(u"av_interleaved_write_frame(): " + std::u16string(600, u'x') + u"\n");
  watch.Feed(u"Conversion failed!\n");
  EXPECT_EQ(watch.FatalLine().size(), 512u);
  EXPECT_EQ(watch.FatalLine().substr(0, 13), u"av_interleave");
}

TEST(JudgeEncoder, AFatalLineFailsWhateverTheExitCode) {
  EXPECT_EQ(JudgeEncoder(u"", 0, true), FailReason::None);
  EXPECT_EQ(JudgeEncoder(u"Error writing trailer of a: x", 0, true), FailReason::FatalLine);
  EXPECT_EQ(JudgeEncoder(u"Conversion failed!", 1, true), FailReason::FatalLine);
  EXPECT_EQ(JudgeEncoder(u"", 1, true), FailReason::ExitCode);
  EXPECT_EQ(JudgeEncoder(u"", 0, false), FailReason::NoOutput);
}

}  // namespace
