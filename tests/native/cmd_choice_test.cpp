// What a console run converts to: profiles and rows named as a person types
// them, the window's stored settings mapped as its pages map them, and the
// command line a dry run prints.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "cmd/choice.h"
#include "profiles/command_line.h"
#include "profiles/output_page_rules.h"

namespace {

CMD_SETUP Resolve(const std::vector<std::u16string>& argv, const APP_STATE* stored = nullptr) {
  CMD_ARGUMENTS args;
  std::u16string error;
  EXPECT_TRUE(ParseArguments(argv, args, error));
  CMD_SETUP setup;
  EXPECT_TRUE(ResolveSetup(args, stored, u"C:\\Temp\\", setup, error))
      << std::string(error.begin(), error.end());
  return setup;
}

std::u16string ErrorOf(const std::vector<std::u16string>& argv) {
  CMD_ARGUMENTS args;
  std::u16string error;
  EXPECT_TRUE(ParseArguments(argv, args, error));
  CMD_SETUP setup;
  EXPECT_FALSE(ResolveSetup(args, nullptr, u"", setup, error));
  return error;
}

TEST(CmdChoice, NamesMeetTheCatalogueAsTyped) {
  EXPECT_EQ(ProfileNamed(u"6"), 6);
  EXPECT_EQ(ProfileNamed(u"h.264 video"), 6);
  EXPECT_EQ(ProfileNamed(u"WMA(.wmv)"), 25);
  EXPECT_EQ(ProfileNamed(u"33"), -1);
  EXPECT_EQ(ProfileNamed(u"MP4"), -1);
  EXPECT_EQ(TaskNamed(u"Audio"), 1);
  EXPECT_EQ(TaskNamed(u"2"), 2);
  EXPECT_EQ(TaskNamed(u"all"), -1);

  // DivX Movie: a size by its label without blanks, a bitrate by the label
  // without its note and by the value passed, a codec by its name.
  EXPECT_EQ(OptionArg(OptionKind::Size, OptionRowNamed(0, OptionKind::Size, u"640x480")),
            std::u16string(u"-s 640x480"));
  EXPECT_EQ(
      OptionArg(OptionKind::VideoBitrate, OptionRowNamed(0, OptionKind::VideoBitrate, u"1000")),
      std::u16string(u"-b 1000k"));
  EXPECT_EQ(
      OptionArg(OptionKind::VideoBitrate, OptionRowNamed(0, OptionKind::VideoBitrate, u"1200k")),
      std::u16string(u"-b 1200k"));
  // Stereo by the count it passes; a number no label has is a position.
  EXPECT_EQ(OptionRowNamed(22, OptionKind::Channels, u"2"), 1);
  EXPECT_EQ(OptionRowNamed(22, OptionKind::AudioBitrate, u"0"),
            OptionList(22, OptionKind::AudioBitrate).anRows[0]);
  EXPECT_EQ(OptionRowNamed(0, OptionKind::Size, u"641x480"), -1);
  EXPECT_EQ(OptionRowNamed(22, OptionKind::VideoCodec, u"0"), -1);
}

TEST(CmdChoice, ACommandLineStartsFromTheProfilesPreselectedRows) {
  const CMD_SETUP s = Resolve({u"--profile", u"MP3", u"--audio-bitrate", u"192", u"a.avi"});
  EXPECT_EQ(s.task, 1);
  EXPECT_EQ(s.job.nProfile, 22);
  EXPECT_TRUE(s.sameAsSource);
  EXPECT_EQ(s.overwrite, OverwriteChoice::Ask);
  EXPECT_EQ(s.simultaneous, 1);
  for (OptionKind kind : kAllOptionKinds) {
    if (kind != OptionKind::AudioBitrate) {
      EXPECT_EQ(JobRow(s.job, kind), PreselectedRow(22, kind));
    }
  }
  EXPECT_EQ(std::u16string(OptionArg(OptionKind::AudioBitrate, s.job.nAudioBitrate)), u"-ab 192k");

  const CMD_SETUP out = Resolve({u"--profile", u"0", u"--out", u"D:\\x", u"--overwrite", u"no",
                                 u"--jobs", u"4", u"--original", u"a.avi"});
  EXPECT_EQ(out.task, 0);
  EXPECT_FALSE(out.sameAsSource);
  EXPECT_EQ(out.outputFolder, u"D:\\x");
  EXPECT_EQ(out.overwrite, OverwriteChoice::No);
  EXPECT_EQ(out.simultaneous, 4);
  EXPECT_TRUE(out.job.bUseOriginal);

  // A later profile takes its task from its kind, not from its number.
  EXPECT_EQ(Resolve({u"--profile", u"Opus", u"a.avi"}).task, 1);
  EXPECT_EQ(Resolve({u"--profile", u"AV1 Video", u"a.avi"}).task, 0);
}

TEST(CmdChoice, StoredSettingsAreMappedAsTheWindowMapsThem) {
  APP_STATE stored;
  SetDefaults(stored, u"C:\\App\\Vidmorph.exe");
  stored.g_nTaskAvi = 1;     // audio: the box holds profiles 22-26, 30-32
  stored.g_nProfilePos = 2;  // its third row, OGG
  stored.g_nPosAudioBitrate = 1;
  stored.g_nPosSampleRate = 40;  // past the list: the box selects nothing
  stored.g_bUseTempFolder = 1;
  stored.g_bOverwrite = 1;
  stored.g_runSettings.nSimultaneous = 3;
  CONVERT_JOB window;
  ChosenJob(stored, stored.g_nTaskAvi, window);

  const CMD_SETUP s = Resolve({u"--settings", u"a.avi"}, &stored);
  EXPECT_EQ(s.job.nProfile, 24);
  for (OptionKind kind : kAllOptionKinds) EXPECT_EQ(JobRow(s.job, kind), JobRow(window, kind));
  EXPECT_EQ(s.job.nAudioBitrate, OptionList(24, OptionKind::AudioBitrate).anRows[1]);
  EXPECT_EQ(s.job.nSampleRate, -1);
  EXPECT_EQ(s.outputFolder, u"C:\\Temp\\");
  EXPECT_FALSE(s.sameAsSource);
  EXPECT_EQ(s.overwrite, OverwriteChoice::Yes);
  EXPECT_EQ(s.simultaneous, 3);

  // The stored profile named again keeps its stored rows; another starts afresh.
  EXPECT_EQ(Resolve({u"--settings", u"--profile", u"OGG", u"a.avi"}, &stored).job.nAudioBitrate,
            s.job.nAudioBitrate);
  const CMD_SETUP wav = Resolve({u"--settings", u"--profile", u"WAV", u"a.avi"}, &stored);
  EXPECT_EQ(wav.job.nAudioBitrate, PreselectedRow(23, OptionKind::AudioBitrate));
  // Another task resets the option positions as the task page does; the
  // profile position stays and now names the video task's third profile.
  const CMD_SETUP video = Resolve({u"--settings", u"--task", u"video", u"a.avi"}, &stored);
  EXPECT_EQ(video.job.nProfile, 2);
  EXPECT_EQ(video.job.nSize, OptionList(2, OptionKind::Size).anRows[0]);
}

TEST(CmdChoice, RefusesWhatTheProfileOrTaskDoesNotHave) {
  EXPECT_EQ(ErrorOf({u"--profile", u"MP4", u"a.avi"}),
            u"--profile \"MP4\" is no profile (--list-profiles lists them)");
  EXPECT_EQ(ErrorOf({u"--profile", u"MP3", u"--task", u"video", u"a.avi"}),
            u"--profile \"MP3\" is not offered for the video task");
  EXPECT_EQ(ErrorOf({u"--profile", u"0", u"--task", u"films", u"a.avi"}),
            u"--task takes video, audio or create, not \"films\"");
  EXPECT_EQ(ErrorOf({u"--profile", u"MP3", u"--size", u"640x480", u"a.avi"}),
            u"--size: MP3 has no size to choose");
  EXPECT_EQ(ErrorOf({u"--profile", u"0", u"--size", u"641x480", u"a.avi"}),
            u"--size \"641x480\" is no size of DivX Movie (--list-options 0 lists them)");
}

TEST(CmdChoice, TheDryRunsLineIsTheRunsCommandLine) {
  CMD_SETUP s = Resolve({u"--profile", u"4", u"--out", u"D:\\Out", u"a.avi"});
  const INPUT_FILE file = InputFileUnder(u"C:\\Videos\\Trip\\Day 1\\clip.avi", u"C:\\Videos\\Trip");
  CONVERT_JOB job = s.job;
  job.strInput = file.strPath;
  job.strOutput = u"D:\\Out\\Trip\\Day 1\\clip.avi.mpg";
  job.strEncoder = u"C:\\App\\ffmpeg.exe";
  std::u16string expected;
  ASSERT_TRUE(BuildCommandLine(&job, expected));
  EXPECT_EQ(CommandLineFor(file, s, u"C:\\App\\"), expected);
  // Beside the source: the source's name with the profile's extension.
  s.sameAsSource = true;
  job.strOutput = file.strPath + u".mpg";
  ASSERT_TRUE(BuildCommandLine(&job, expected));
  EXPECT_EQ(CommandLineFor(file, s, u"C:\\App\\"), expected);
}

}  // namespace
