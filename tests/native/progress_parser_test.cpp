#include <gtest/gtest.h>

#include "convert/progress_parser.h"

namespace {

// A parser that already knows a play time of 205 seconds.
EncoderProgress Known205() {
  EncoderProgress p;
  int percent = -1;
  p.Feed(u"  Duration: 00:03:25.12, start: 0.000000, bitrate: 838 kb/s\r\n", percent);
  return p;
}

// The percentage a progress chunk gives, or -1 when it gives none.
int PercentOf(EncoderProgress p, const std::u16string& chunk) {
  int percent = -1;
  return p.Feed(chunk, percent) ? percent : -1;
}

TEST(ProgressParser, DurationFromThePairsAfterTheKeyword) {
  EXPECT_EQ(Known205().Duration(), 205);

  // A chunk ending inside the digits reads what is there: 1 h 3 min.
  EncoderProgress cut;
  int percent = -1;
  EXPECT_FALSE(cut.Feed(u"Input #0\r\n  Duration: 01:3", percent));
  EXPECT_EQ(cut.Duration(), 3780);

  // Once known, a later "Duration:" is not read again, and Reset forgets it.
  EncoderProgress p = Known205();
  p.Feed(u"Duration: 01:00:00.00", percent);
  EXPECT_EQ(p.Duration(), 205);
  p.Reset();
  EXPECT_EQ(p.Duration(), 0);
  EXPECT_EQ(p.Percent(), 0);
}

TEST(ProgressParser, UnknownDurationIgnoresTimeUntilAKeywordComes) {
  EncoderProgress p;
  int percent = -1;
  EXPECT_FALSE(
      p.Feed(u"Duration: N/A, bitrate: N/A\r\nsize= 1kB time=00:00:01.00 bitrate=", percent));
  EXPECT_FALSE(p.Feed(u"Duration: -1:00:00.00\r\ntime=00:00:01.00 bitrate=", percent));
  EXPECT_EQ(p.Duration(), 0);
  EXPECT_EQ(percent, -1);
  // The keyword in a later chunk is found, and that chunk's time counts too.
  EXPECT_TRUE(p.Feed(u"Duration: 00:00:10.00\r\nsize= 1kB time=00:00:05.00 bitrate= 1k", percent));
  EXPECT_EQ(percent, 50);
}

TEST(ProgressParser, SecondsAndClocksTruncate) {
  const EncoderProgress p = Known205();
  EXPECT_EQ(PercentOf(p, u"time=10.00 bitrate= 838.9kbits/s"), 4);
  EXPECT_EQ(PercentOf(p, u"size= 1024kB time=00:00:10.00 bitrate= 838.9kbits/s"), 4);
  EXPECT_EQ(PercentOf(p, u"time=0:01:42.99 bitrate="), 49);
  EXPECT_EQ(PercentOf(p, u"time=00:03:25.00 bitrate="), 100);
  EXPECT_EQ(PercentOf(p, u"time=206 bitrate="), 100);
  EXPECT_EQ(PercentOf(p, u"time=00:03:26.99 bitrate="), 100);
}

TEST(ProgressParser, PastTheEndShows99AndBeforeTheStart0) {
  const EncoderProgress p = Known205();
  EXPECT_EQ(PercentOf(p, u"time=210 bitrate="), 99);
  EXPECT_EQ(PercentOf(p, u"time=00:03:30.00 bitrate="), 99);
  EXPECT_EQ(PercentOf(p, u"time=99999999999999999999999 bitrate="), 99);
  EXPECT_EQ(PercentOf(p, u"time=-00:00:00.05 bitrate="), 0);
}

TEST(ProgressParser, OtherFormsReadLikeAtol) {
  const EncoderProgress p = Known205();
  // Not a clock (minutes and seconds need two digits each): atol stops at ':'.
  EXPECT_EQ(PercentOf(p, u"time=0:0:10 bitrate="), 0);
  EXPECT_EQ(PercentOf(p, u"time=41:00:00x bitrate="), 20);
  EXPECT_EQ(PercentOf(p, u"time=N/A bitrate=N/A"), 0);
  EXPECT_EQ(PercentOf(p, u"time= \t 41 bitrate="), 20);
}

TEST(ProgressParser, OnlyTheFirstTimeWithALaterBitrateCounts) {
  const EncoderProgress p = Known205();
  EXPECT_EQ(PercentOf(p, u"time=00:00:41.00 bitrate=1k\rtime=00:01:22.00 bitrate=1k\r"), 20);
  EXPECT_EQ(PercentOf(p, u"frame= 10 time=00:00:41.00"), -1);
  // A "bitrate=" before the "time=" does not count.
  EXPECT_EQ(PercentOf(p, u"bitrate= 1k time=00:00:41.00"), -1);

  EncoderProgress kept = Known205();
  int percent = -1;
  ASSERT_TRUE(kept.Feed(u"time=41 bitrate=", percent));
  EXPECT_FALSE(kept.Feed(u"time=82", percent));
  EXPECT_EQ(kept.Percent(), 20);
}

// Chunks as the bundled encoder (5.1) prints them: sizes in "kB", the last
// line's "Lsize=", and "N/A" for the bitrate before the first packet. Whole
// seconds count: 8.25 of 20 s is 40%.
TEST(ProgressParser, ReadsTheBundledEncodersLines) {
  EncoderProgress video;
  int percent = -1;
  EXPECT_FALSE(
      video.Feed(u"Input #0, avi, from 'clip.avi':\r\n  Duration: 00:00:20.01, start: "
                 u"0.000000, bitrate: 734 kb/s\r\n  Stream #0:0: Video: mpeg4\r\n",
                 percent));
  EXPECT_EQ(video.Duration(), 20);
  EXPECT_EQ(PercentOf(video,
                      u"frame=  247 fps=243 q=0.0 size=     256kB time=00:00:08.25 "
                      u"bitrate= 254.1kbits/s dup=41 drop=0 speed=8.11x    \r"),
            40);
  EXPECT_EQ(PercentOf(video,
                      u"frame=  599 fps=207 q=-1.0 Lsize=    1468kB time=00:00:20.01 "
                      u"bitrate= 601.1kbits/s dup=99 drop=0 speed= 6.9x    \r\n"),
            100);

  EncoderProgress audio;
  audio.Feed(u"  Duration: 00:00:03.00, start: 0.000000, bitrate: 704 kb/s\r\n", percent);
  EXPECT_EQ(PercentOf(audio, u"size=       0kB time=00:00:00.00 bitrate=N/A speed=   0x    \r"), 0);
  EXPECT_EQ(PercentOf(audio,
                      u"size=      48kB time=00:00:03.00 bitrate= 130.4kbits/s "
                      u"speed=27.1x    \r\n"),
            100);
  // No size where the output has none yet (a pipe), and the unit later
  // versions print: the size never counts. 1.5 of 3 s is 1 whole second.
  EXPECT_EQ(PercentOf(audio, u"size=N/A time=00:00:01.50 bitrate=N/A speed=3.01x    \r"), 33);
  EXPECT_EQ(PercentOf(audio, u"size=    1024KiB time=00:00:01.50 bitrate= 5592.4kbits/s\r"), 33);
}

}  // namespace
