// What a console run converts to: the task, the profile and its option rows,
// where the outputs go and the overwrite rule, from the command line on top
// of the defaults or of the window's stored settings, mapped as the window
// maps them.
#pragma once
#include <string>

#include "app/app_state.h"
#include "app/input_files.h"
#include "cmd/arguments.h"
#include "profiles/convert_job.h"
#include "profiles/input_details.h"

// The task a text names: "video", "audio", "create" or 0 to 2; -1 for none.
int TaskNamed(const std::u16string& text);
std::u16string TaskName(int task);

// A profile by its number or its name, with or without its extension in
// parentheses ("MP3", "mp3(.mp3)"); -1 for none.
int ProfileNamed(const std::u16string& text);

// The row of a profile's list that a text names: a row's label (blanks,
// letter case and a note in parentheses aside: "640x480" is "640 x 480"),
// the value its argument passes ("1200k", "libx264"), or else its position
// in the list as --list-options numbers them. -1 for none.
int OptionRowNamed(int profile, OptionKind kind, const std::u16string& text);

struct CMD_SETUP {
  int task = 0;
  CONVERT_JOB job;  // the profile, the rows and the form of the command line
  bool sameAsSource = true;
  std::u16string outputFolder;
  OverwriteChoice overwrite = OverwriteChoice::Ask;
  int32_t simultaneous = 1;  // a number, or kSimultaneousAutomatic
};

// `stored` holds the window's settings (Option.dat and Vidmorph.ini) when
// --settings was given, else null; `tempFolder` is where the window's "use
// the temporary folder" puts outputs. False with `error` naming the argument
// when the profile, the task or an option does not fit.
bool ResolveSetup(const CMD_ARGUMENTS& args, const APP_STATE* stored,
                  const std::u16string& tempFolder, CMD_SETUP& out, std::u16string& error);

// The encoder command line the run builds for one file of the list, and
// logs before the file's checks: the same pieces, in the same order, and
// what the file's details call for.
std::u16string CommandLineFor(const INPUT_FILE& file, const CMD_SETUP& setup,
                              const std::u16string& appDir, const InputDetails* details = nullptr);
