#include "cmd/help_text.h"

#include "app/language_text.h"
#include "cmd/arguments.h"
#include "profiles/output_page_rules.h"

namespace {

const char16_t kHelp[] =
    u"Usage: VidmorphCmd [options] INPUT...\n"
    u"Converts video and audio files with the profiles of Vidmorph, as its window\n"
    u"does.\n"
    u"\n"
    u"Inputs:\n"
    u"  FILE                  a file, taken whatever its type\n"
    u"  FOLDER                the files of its tree that the task takes; with --out,\n"
    u"                        the outputs keep the folder tree below it\n"
    u"  FOLDER\\*.avi          the files a wildcard matches (* and ?, last part only)\n"
    u"  @LIST.txt             the paths of a text file, one a line (# comments)\n"
    u"\n"
    u"What to convert to:\n"
    u"  --profile NAME|NUMBER a profile, by name (\"MP3\") or number (--list-profiles)\n"
    u"  --task video|audio|create\n"
    u"                        the window's task: the profiles it offers, the files a\n"
    u"                        folder gives (default: the task of the profile)\n"
    u"  --size, --frame-rate, --audio-bitrate, --video-bitrate, --video-codec,\n"
    u"  --audio-codec, --sample-rate, --channels VALUE\n"
    u"                        an option's row by its label (\"640x480\", \"1200\"), the\n"
    u"                        value it passes (\"1200k\") or its number (see\n"
    u"                        --list-options); the others keep the preselected rows\n"
    u"  --original            keep the source's size, rates and channels\n"
    u"  --settings            start from the window's settings (Option.dat and\n"
    u"                        Vidmorph.ini beside this program): task, profile,\n"
    u"                        options, output folder, overwrite rule, simultaneous\n"
    u"                        conversions\n"
    u"\n"
    u"Where and how:\n"
    u"  --out FOLDER          the output folder (default: beside each source)\n"
    u"  --overwrite yes|no|ask\n"
    u"                        an output that exists: replaced, kept (the file is\n"
    u"                        skipped) or asked about; without a console to ask on,\n"
    u"                        ask keeps it and says so (default: ask)\n"
    u"  --jobs N|auto         conversions at once, 1 to 8; auto: half the processors\n"
    u"  --dry-run             print the encoder command lines and convert nothing\n"
    u"\n"
    u"Watching and sharing:\n"
    u"  --watch FOLDER        convert each file that appears in the folder or below\n"
    u"                        it, once its size and time have held for 3 seconds and\n"
    u"                        its writer has let go of it, until Ctrl+C. A ledger of\n"
    u"                        what was done (FOLDER.vidmorph-watch) keeps a restart\n"
    u"                        from converting anything twice; it lives in the --out\n"
    u"                        folder, beside its outputs, or else beside FOLDER, out\n"
    u"                        of the files dropped in. A failed file is tried again\n"
    u"                        once it changes\n"
    u"  --shard K/N           convert only the K-th of N shares of the files, chosen\n"
    u"                        by each file's path below the input it was found\n"
    u"                        under: N machines given the same arguments split the\n"
    u"                        batch, and a file added later moves no other. The\n"
    u"                        report, the log and the ledger get \".KofN\" in their\n"
    u"                        names\n"
    u"  --merge-reports --report FILE REPORT...\n"
    u"                        the reports of the shares as one report\n"
    u"\n"
    u"What it tells:\n"
    u"  --progress text|json  progress on standard error: a line as each file starts\n"
    u"                        and ends, and a whole-run line at most once a second\n"
    u"  --report FILE.json|FILE.csv\n"
    u"                        every file's outcome, reason, sizes and times\n"
    u"  --log FILE            the log the window's result page saves\n"
    u"  --list-profiles       the profiles, numbered\n"
    u"  --list-options PROFILE\n"
    u"                        a profile's options and their rows, numbered\n"
    u"  --help                this text\n"
    u"\n"
    u"Examples:\n"
    u"  VidmorphCmd --profile \"H.264 Video\" clip.avi\n"
    u"  VidmorphCmd --profile 4 --out D:\\Converted D:\\Videos\n"
    u"  VidmorphCmd --profile MP3 --audio-bitrate 192 --dry-run *.avi\n"
    u"  VidmorphCmd --settings --report run.json @files.txt\n"
    u"  VidmorphCmd --profile MP3 --out D:\\Converted --watch D:\\Inbox\n"
    u"  VidmorphCmd --profile 4 --shard 2/3 --report \\\\srv\\runs\\run.json \\\\srv\\clips\n"
    u"\n"
    u"Exit codes, the first that holds:\n"
    u"  130  stopped (Ctrl+C or Ctrl+Break: every encoder ends, no half-made file)\n"
    u"  2    bad arguments (one line names the argument)\n"
    u"  4    nothing to convert\n"
    u"  3    the encoder could not be started\n"
    u"  1    some files failed\n"
    u"  0    all converted, or skipped by choice\n"
    u"\n"
    u"The console texts are in English whatever the window's language, and are\n"
    u"written as UTF-8 when redirected to a file or a pipe.\n";

std::u16string Padded(std::u16string text, size_t width) {
  while (text.size() < width) text += u' ';
  return text;
}

}  // namespace

std::u16string HelpText() {
  return kHelp;
}

std::u16string ProfileListText() {
  std::u16string text;
  for (int p = 0; p < ProfileCount(); ++p)
    text += Padded(DecimalText(p), 4) + Padded(ProfileItemText(p), 28) +
            (IsAudioProfile(p) ? u"audio" : u"video") + (p <= 2 ? u", create" : u"") + u"\n";
  return text;
}

std::u16string OptionListText(int profile) {
  std::u16string text = ProfileItemText(profile) + u"\n";
  for (OptionKind kind : kAllOptionKinds) {
    const std::vector<OptionItem> items = OptionItems(profile, kind);
    if (items.empty()) continue;
    text += OptionName(kind) + u"\n";
    const int preselected = PreselectedRow(profile, kind);
    for (size_t i = 0; i < items.size(); ++i)
      text += u"  " + Padded(DecimalText(int64_t(i)), 4) + items[i].label +
              (items[i].row == preselected ? u"  (preselected)" : u"") + u"\n";
  }
  return text;
}
