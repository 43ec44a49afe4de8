#include "cmd/choice.h"

#include <algorithm>

#include "app/language_text.h"
#include "app/task_rules.h"
#include "convert/output_path.h"
#include "framework/long_path.h"
#include "profiles/command_line.h"
#include "profiles/output_page_rules.h"

namespace {

const char16_t* const kTaskNames[] = {u"video", u"audio", u"create"};
const char16_t* const kKindWords[kOptionKindCount] = {
    u"size",        u"frame rate",  u"audio bitrate", u"video bitrate",
    u"video codec", u"audio codec", u"sample rate",   u"channel count"};

// Letters folded, blanks gone: how a typed value meets a label.
std::u16string Loose(const std::u16string& text) {
  std::u16string out;
  for (char16_t c : text)
    if (c != u' ' && c != u'\t') out += FoldedLetter(c);
  return out;
}

// A label without the note that follows a parenthesis: "128(Default)" is 128.
std::u16string WithoutNote(const std::u16string& label) {
  return label.substr(0, label.find(u'('));
}

// What an argument passes after its switch: "-b 1200k" passes 1200k.
std::u16string ArgValue(const std::u16string& arg) {
  const size_t blank = arg.find(u' ');
  return blank == std::u16string::npos ? std::u16string() : arg.substr(blank + 1);
}

// A plain decimal number, or -1.
int Number(const std::u16string& text) {
  if (text.empty() || text.size() > 6) return -1;
  int n = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return -1;
    n = n * 10 + (c - u'0');
  }
  return n;
}

std::u16string Quoted(const std::u16string& text) {
  return u"\"" + text + u"\"";
}

bool Fail(std::u16string& error, const std::u16string& text) {
  error = text;
  return false;
}

}  // namespace

int TaskNamed(const std::u16string& text) {
  for (int task = 0; task < 3; ++task)
    if (Loose(text) == kTaskNames[task]) return task;
  const int n = Number(text);
  return n >= 0 && n < 3 ? n : -1;
}

std::u16string TaskName(int task) {
  return task >= 0 && task < 3 ? kTaskNames[task] : u"all";
}

int ProfileNamed(const std::u16string& text) {
  const int n = Number(text);
  if (n >= 0) return n < ProfileCount() ? n : -1;
  for (int p = 0; p < ProfileCount(); ++p)
    if (Loose(text) == Loose(Profile(p).szName) || Loose(text) == Loose(ProfileItemText(p)))
      return p;
  return -1;
}

int OptionRowNamed(int profile, OptionKind kind, const std::u16string& text) {
  const std::vector<OptionItem> items = OptionItems(profile, kind);
  const std::u16string typed = Loose(text);
  for (const OptionItem& item : items) {
    if (typed == Loose(item.label) || typed == Loose(WithoutNote(item.label)) ||
        (!typed.empty() && typed == Loose(ArgValue(OptionArg(kind, item.row)))))
      return item.row;
  }
  const int position = Number(text);
  return position >= 0 && size_t(position) < items.size() ? items[size_t(position)].row : -1;
}

bool ResolveSetup(const CMD_ARGUMENTS& args, const APP_STATE* stored,
                  const std::u16string& tempFolder, CMD_SETUP& out, std::u16string& error) {
  out = CMD_SETUP();
  APP_STATE state;
  if (stored) state = *stored;

  int profile = -1;
  if (!args.profile.empty()) {
    profile = ProfileNamed(args.profile);
    if (profile < 0)
      return Fail(error, u"--profile " + Quoted(args.profile) +
                             u" is no profile (--list-profiles lists them)");
  }
  out.task = stored ? state.g_nTaskAvi : IsAudioProfile(profile) ? 1 : 0;
  if (!args.task.empty()) {
    out.task = TaskNamed(args.task);
    if (out.task < 0)
      return Fail(error, u"--task takes video, audio or create, not " + Quoted(args.task));
    // The task page's reset: another task's positions do not fit this one.
    TaskChoices choices = TaskChoicesFrom(state);
    choices.avi = out.task;
    StoreTaskChoices(choices, state);
  }
  const std::vector<int> offered = ProfilesForTask(out.task);
  if (profile >= 0 && std::find(offered.begin(), offered.end(), profile) == offered.end())
    return Fail(error, u"--profile " + Quoted(args.profile) + u" is not offered for the " +
                           TaskName(out.task) + u" task");

  if (stored) ChosenJob(state, out.task, out.job);
  if (profile >= 0 && (!stored || profile != out.job.nProfile)) {
    // A profile chosen anew starts from its preselected rows, as its box does.
    out.job.nProfile = profile;
    for (OptionKind kind : kAllOptionKinds) JobRow(out.job, kind) = PreselectedRow(profile, kind);
  }
  if (args.original) out.job.bUseOriginal = true;
  // Options given are passed, which only the long form does.
  if (!args.options.empty()) out.job.bUseOriginal = false;
  const std::u16string profileName = Profile(out.job.nProfile).szName;
  for (const OPTION_VALUE& option : args.options) {
    const std::u16string name = OptionName(option.kind);
    const std::u16string word = kKindWords[static_cast<int>(option.kind)];
    if (OptionList(out.job.nProfile, option.kind).nCount == 0)
      return Fail(error, name + u": " + profileName + u" has no " + word + u" to choose");
    const int row = OptionRowNamed(out.job.nProfile, option.kind, option.value);
    if (row < 0)
      return Fail(error, name + u" " + Quoted(option.value) + u" is no " + word + u" of " +
                             profileName + u" (--list-options " + DecimalText(out.job.nProfile) +
                             u" lists them)");
    JobRow(out.job, option.kind) = row;
  }

  if (!args.outFolder.empty()) {
    out.sameAsSource = false;
    out.outputFolder = args.outFolder;
  } else if (stored) {
    out.sameAsSource = state.g_bSameAsSource != 0;
    out.outputFolder = state.g_bUseTempFolder ? tempFolder : state.g_strOutputFolder;
  }
  if (args.overwrite != OverwriteChoice::Unset)
    out.overwrite = args.overwrite;
  else if (stored && state.g_bOverwrite)
    out.overwrite = OverwriteChoice::Yes;
  if (args.jobs != -1)
    out.simultaneous = args.jobs;
  else if (stored)
    out.simultaneous = state.g_runSettings.nSimultaneous;
  return true;
}

std::u16string CommandLineFor(const INPUT_FILE& file, const CMD_SETUP& setup,
                              const std::u16string& appDir, const InputDetails* details) {
  return FileCommandLine(
      setup.job, file.strPath,
      FileOutputPath(setup.sameAsSource, setup.outputFolder, file, setup.job.nProfile), appDir,
      details);
}
