// The console program's command line: every option read into its field, and
// each kind of fault refused with one line that names the argument.
#include <gtest/gtest.h>

#include "cmd/arguments.h"

namespace {

std::u16string ErrorOf(const std::vector<std::u16string>& args) {
  CMD_ARGUMENTS parsed;
  std::u16string error;
  EXPECT_FALSE(ParseArguments(args, parsed, error)) << "accepted";
  return error;
}

TEST(CmdArguments, ReadsAWholeCommandInEitherSpellingOfValues) {
  CMD_ARGUMENTS a;
  std::u16string error;
  ASSERT_TRUE(ParseArguments({u"--profile",  u"H.264 Video", u"--size=640x480", u"--video-bitrate",
                              u"1200k",      u"--out",       u"D:\\Out",        u"--overwrite",
                              u"YES",        u"--jobs",      u"auto",           u"--progress",
                              u"json",       u"--report",    u"run.CSV",        u"--log",
                              u"run.log",    u"--task",      u"video",          u"clip.avi",
                              u"--settings", u"--",          u"--odd name.avi", u"@list.txt"},
                             a, error))
      << std::string(error.begin(), error.end());
  EXPECT_EQ(a.profile, u"H.264 Video");
  ASSERT_EQ(a.options.size(), 2u);
  EXPECT_EQ(a.options[0].kind, OptionKind::Size);
  EXPECT_EQ(a.options[0].value, u"640x480");
  EXPECT_EQ(a.options[1].kind, OptionKind::VideoBitrate);
  EXPECT_EQ(a.options[1].value, u"1200k");
  EXPECT_EQ(a.outFolder, u"D:\\Out");
  EXPECT_EQ(a.overwrite, OverwriteChoice::Yes);
  EXPECT_EQ(a.jobs, 0);  // automatic
  EXPECT_EQ(a.progress, ProgressForm::Json);
  EXPECT_TRUE(ReportIsCsv(a.report));
  EXPECT_EQ(a.log, u"run.log");
  EXPECT_EQ(a.task, u"video");
  EXPECT_TRUE(a.settings);
  EXPECT_FALSE(a.dryRun);
  // After "--" a name that looks like an option is an input.
  EXPECT_EQ(a.inputs, (std::vector<std::u16string>{u"clip.avi", u"--odd name.avi", u"@list.txt"}));

  ASSERT_TRUE(ParseArguments({u"/?"}, a, error));
  EXPECT_TRUE(a.help);
  // A listing needs neither a profile nor inputs.
  ASSERT_TRUE(ParseArguments({u"--list-options", u"MP3"}, a, error));
  EXPECT_EQ(a.listOptionsProfile, u"MP3");
  ASSERT_TRUE(ParseArguments({u"--settings", u"--jobs", u"3", u"x.avi"}, a, error));
  EXPECT_EQ(a.jobs, 3);
}

TEST(CmdArguments, RefusesWithALineNamingTheArgument) {
  const struct {
    std::vector<std::u16string> args;
    std::u16string line;
  } cases[] = {
      {{u"--profile", u"MP3", u"--colour", u"red", u"a.avi"},
       u"unknown option --colour (--help lists them)"},
      {{u"a.avi", u"--profile"}, u"--profile needs a value"},
      {{u"--profile=", u"a.avi"}, u"--profile needs a value"},
      {{u"--profile", u"MP3", u"--profile", u"WAV", u"a.avi"}, u"--profile is given twice"},
      {{u"--profile", u"MP3", u"--size", u"1", u"--size", u"2", u"a.avi"},
       u"--size is given twice"},
      {{u"--profile", u"MP3", u"--overwrite", u"maybe", u"a.avi"},
       u"--overwrite takes yes, no or ask, not \"maybe\""},
      {{u"--profile", u"MP3", u"--jobs", u"9", u"a.avi"},
       u"--jobs takes a number from 1 to 8 or auto, not \"9\""},
      {{u"--profile", u"MP3", u"--jobs", u"0", u"a.avi"},
       u"--jobs takes a number from 1 to 8 or auto, not \"0\""},
      {{u"--profile", u"MP3", u"--progress", u"xml", u"a.avi"},
       u"--progress takes text or json, not \"xml\""},
      {{u"--profile", u"MP3", u"--report", u"run.txt", u"a.avi"},
       u"--report \"run.txt\" must end in .json or .csv"},
      {{u"--profile", u"MP3", u"--dry-run=yes", u"a.avi"}, u"--dry-run takes no value"},
      {{u"--profile", u"MP3", u"--original", u"--audio-bitrate", u"192", u"a.avi"},
       u"--original keeps the source's settings, so --audio-bitrate cannot go with it"},
      {{u"--profile", u"MP3", u"--dry-run", u"--log", u"run.log", u"a.avi"},
       u"--dry-run converts nothing, so --log cannot go with it"},
      {{u"a.avi"}, u"--profile is missing (or --settings, to take the window's)"},
      {{u"--profile", u"MP3"}, u"no input files given"},
      {{u"--list-profiles", u"a.avi"}, u"--list-profiles takes no input files"},
      {{u"--list-profiles", u"--list-options", u"0"},
       u"--list-profiles and --list-options cannot go together"},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.args), c.line);
}

}  // namespace
