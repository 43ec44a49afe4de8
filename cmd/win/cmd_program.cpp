#include "cmd/win/cmd_program.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/language_text.h"
#include "app/win/run_settings_file.h"
#include "app/win/settings_file.h"
#include "cmd/arguments.h"
#include "cmd/choice.h"
#include "cmd/help_text.h"
#include "cmd/input_list.h"
#include "cmd/run_report.h"
#include "cmd/win/console.h"
#include "cmd/win/console_run.h"
#include "cmd/win/input_source.h"
#include "cmd/win/watch_run.h"
#include "convert/win/input_prober.h"
#include "framework/win/dialog.h"
#include "framework/win/file_io.h"
#include "framework/win/wide.h"
#include "profiles/command_line.h"

namespace {

const char16_t kOptionFile[] = u"Option.dat";

int Refuse(int code, const std::u16string& line) {
  Write(Stream::Err, u"VidmorphCmd: " + line + u"\n");
  return code;
}

std::u16string TempFolder() {
  wchar_t path[MAX_PATH + 1] = {0};
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, path);
  return n > 0 && n <= MAX_PATH ? U(path, n) : std::u16string();
}

// The window's settings as it would start with them.
APP_STATE StoredSettings(const std::u16string& exePath) {
  APP_STATE state;
  SetDefaults(state, exePath);
  LoadSettingsFile(state.g_strAppDir + kOptionFile,
                   [&state](Archive& ar) { SerializeSettings(ar, state); });
  state.g_runSettings = ReadRunSettingsFile(state.g_strAppDir);
  return state;
}

// Why a list came out empty, on one line.
std::u16string NothingToConvert(const INPUT_EXPANSION& found, int task) {
  std::u16string line = u"nothing to convert";
  if (!found.empty.empty()) {
    line += u": " + found.empty.front() + u" holds no file the " + TaskName(task) + u" task takes";
    const std::vector<std::u16string> patterns = OfferedPatterns(InputFilterFor(task));
    if (!patterns.empty()) {
      line += u" (";
      for (size_t i = 0; i < patterns.size(); ++i) line += (i ? u";" : u"") + patterns[i];
      line += u")";
    }
  }
  return line;
}

// The reports of a batch's shares as one report file.
int MergeReports(const CMD_ARGUMENTS& args) {
  CConsoleInputSource source;
  std::vector<CMD_FILE_RESULT> merged;
  std::vector<int> codes;
  for (const std::u16string& input : args.inputs) {
    std::string bytes;
    std::vector<CMD_FILE_RESULT> files;
    int code = 0;
    if (!source.ReadFile(source.FullPath(input), bytes))
      return Refuse(kExitBadArguments, u"the report " + input + u" cannot be read");
    if (!ReadReport(bytes, files, code))
      return Refuse(kExitBadArguments, u"the file " + input + u" is no report of this program");
    for (CMD_FILE_RESULT& file : files) {
      file.position = merged.size();
      merged.push_back(file);
    }
    codes.push_back(code);
  }
  const int code = MergedExitCode(codes);
  const std::u16string out = source.FullPath(args.report);
  const std::string bytes = ReportIsCsv(out) ? ReportCsv(merged) : ReportJson(merged, code);
  if (!ReplaceFileAtomically(out, std::vector<uint8_t>(bytes.begin(), bytes.end())))
    return Refuse(kExitBadArguments, u"the report " + out + u" cannot be written");
  Write(Stream::Err, u"VidmorphCmd: " + DecimalText(int64_t(merged.size())) + u" files of " +
                         DecimalText(int64_t(args.inputs.size())) + u" reports in " + out + u"\n");
  return code;
}

}  // namespace

int RunCommand(const std::vector<std::u16string>& argv) {
  CMD_ARGUMENTS args;
  std::u16string error;
  if (!ParseArguments(argv, args, error)) return Refuse(kExitBadArguments, error);
  if (args.help) {
    Write(Stream::Out, HelpText());
    return kExitConverted;
  }
  if (args.listProfiles) {
    Write(Stream::Out, ProfileListText());
    return kExitConverted;
  }
  if (args.listOptions) {
    const int profile = ProfileNamed(args.listOptionsProfile);
    if (profile < 0)
      return Refuse(kExitBadArguments, u"--list-options \"" + args.listOptionsProfile +
                                           u"\" is no profile (--list-profiles lists them)");
    Write(Stream::Out, OptionListText(profile));
    return kExitConverted;
  }

  if (args.mergeReports) return MergeReports(args);

  const std::u16string exePath = ModulePath();
  const std::u16string appDir = DirectoryOf(exePath);
  APP_STATE stored;
  if (args.settings) stored = StoredSettings(exePath);
  CMD_SETUP setup;
  if (!ResolveSetup(args, args.settings ? &stored : nullptr, TempFolder(), setup, error))
    return Refuse(kExitBadArguments, error);

  CConsoleInputSource source;
  if (!setup.sameAsSource) setup.outputFolder = source.FullPath(setup.outputFolder);
  INPUT_EXPANSION found;
  if (args.watch.empty()) {
    if (!ExpandInputs(source, args.inputs, setup.task, found, error))
      return Refuse(kExitBadArguments, error);
    if (found.files.empty())
      return Refuse(kExitNothingToConvert, NothingToConvert(found, setup.task));
    // A share may hold nothing of a small batch; its report still comes, to be merged.
    found.files = FilesOfShard(found.files, args.shard);
  } else if (source.KindOf(source.FullPath(args.watch)) != ItemKind::Folder) {
    return Refuse(kExitBadArguments, u"--watch " + args.watch + u" is no folder");
  }

  if (args.dryRun) {
    // The lines a run would give: each file looked at as the run looks at it.
    InputProber prober(appDir);
    std::u16string lines;
    for (const INPUT_FILE& file : found.files) {
      const InputDetails details = prober.Current(file.strPath);
      lines += CommandLineFor(file, setup, appDir, &details) + u"\n";
    }
    Write(Stream::Out, lines);
    return kExitConverted;
  }
  // Files written at the end go where a folder is there to take them.
  for (std::u16string* path : {&args.report, &args.log}) {
    if (path->empty()) continue;
    // Shares writing into one folder never write one file.
    *path = ShardFileName(source.FullPath(*path), args.shard);
    if (source.KindOf(DirectoryOf(*path)) != ItemKind::Folder)
      return Refuse(kExitBadArguments, (path == &args.report ? u"--report " : u"--log ") + *path +
                                           u": its folder does not exist");
  }
  if (!setup.sameAsSource) {
    const std::u16string reason = CreateFolderTree(setup.outputFolder);
    if (!reason.empty())
      return Refuse(kExitBadArguments,
                    u"--out " + setup.outputFolder + u" cannot be made: " + reason);
  }
  const std::u16string encoder = EncoderPath(appDir);
  if (source.KindOf(encoder) != ItemKind::File)
    return Refuse(kExitEncoderNotStarted, u"the encoder " + encoder + u" is not there");
  if (setup.overwrite == OverwriteChoice::Ask && !HasConsoleInput()) {
    Write(Stream::Err,
          u"VidmorphCmd: no console to ask on, so existing outputs are kept and "
          u"their files skipped (--overwrite yes replaces them)\n");
    setup.overwrite = OverwriteChoice::No;
  }
  CONSOLE_RUN run;
  run.inputs = found.files;
  run.setup = setup;
  run.overwrite = setup.overwrite == OverwriteChoice::Yes;
  run.ask = setup.overwrite == OverwriteChoice::Ask;
  run.appDir = appDir;
  run.progress = args.progress;
  run.reportPath = args.report;
  run.logPath = args.log;
  if (!args.watch.empty()) {
    WATCH_RUN watch;
    watch.run = run;
    watch.folder = source.FullPath(args.watch);
    watch.shard = args.shard;
    watch.ledger = LedgerPath(watch.folder, setup, args.shard);
    return WatchFolder(watch);
  }
  return RunConversions(run);
}
