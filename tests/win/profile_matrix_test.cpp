// Every profile's command line against the real encoder. A short clip with
// picture and sound is made by the encoder itself; each profile converts it in
// the long and the short form with its preselected rows, and the output must
// exist, be non-empty and decode again without an error.
//
// The encoder is looked up, first found wins:
//   1. %VM_APP_DIR%\ffmpeg.exe, when VM_APP_DIR (a Windows path to the
//      application folder) is set; it is then the only place tried, so a
//      misconfigured run fails instead of testing some other encoder;
//   2. <test exe dir>\..\app\ffmpeg.exe, where the Windows build puts it;
//   3. under Wine, the encoder's build that the source tree links to, through
//      drive Z: (for builds of the test target alone, which do not copy it).
// Temporary files go to a fresh folder under %TEMP% and are removed at the end.
//
// What the encoder warns about while it converts (an option it calls
// deprecated, a value it adjusts) is printed after each table with the runs
// that met it; the command lines stay as the program builds them, the warnings
// come from the report the encoder writes when FFREPORT is set.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "profiles/catalogue.h"
#include "profiles/command_line.h"

namespace {

constexpr DWORD kConvertTimeoutMs = 180 * 1000;
constexpr DWORD kReadBackTimeoutMs = 60 * 1000;

std::wstring Wide(const std::u16string& s) {
  return std::wstring(s.begin(), s.end());
}
std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

long long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring WithSlash(std::wstring dir) {
  if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
  return dir;
}

std::wstring ExeDir() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

// The application folder holding ffmpeg.exe, or empty; `where` tells what was tried.
std::wstring FindAppDir(std::string& where) {
  wchar_t env[MAX_PATH];
  const DWORD n = GetEnvironmentVariableW(L"VM_APP_DIR", env, MAX_PATH);
  if (n > 0 && n < MAX_PATH) {
    const std::wstring dir = WithSlash(env);
    where = "VM_APP_DIR";
    return Exists(dir + L"ffmpeg.exe") ? dir : std::wstring();
  }
  const std::wstring beside = ExeDir() + L"..\\app\\";
  if (Exists(beside + L"ffmpeg.exe")) return beside;
  const std::string source = VM_SOURCE_DIR;
  std::wstring built = L"Z:" + std::wstring(source.begin(), source.end()) + L"/build/deps/encoder/";
  for (wchar_t& c : built)
    if (c == L'/') c = L'\\';
  where = "<exe dir>\\..\\app\\ and build/deps/encoder";
  return Exists(built + L"ffmpeg.exe") ? built : std::wstring();
}

struct RunResult {
  bool started = false;
  bool timedOut = false;
  DWORD exitCode = 0;
  std::string log;  // standard output and standard error together
};

// The bytes of a file, empty when it cannot be read.
std::string ReadText(const std::wstring& path) {
  std::string text;
  HANDLE in = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
  if (in == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(in, buffer, sizeof(buffer), &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(in);
  return text;
}

// Runs a command line hidden, its output going to a file, so nothing can block
// on a full pipe; a run past its deadline is terminated.
RunResult RunHidden(const std::wstring& commandLine, const std::wstring& logPath, DWORD timeoutMs) {
  RunResult result;
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE log = CreateFileW(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE nul = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           OPEN_EXISTING, 0, nullptr);
  if (log == INVALID_HANDLE_VALUE || nul == INVALID_HANDLE_VALUE) {
    if (log != INVALID_HANDLE_VALUE) CloseHandle(log);
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    return result;
  }
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = nul;
  si.hStdOutput = log;
  si.hStdError = log;
  PROCESS_INFORMATION pi = {};
  std::vector<wchar_t> text(commandLine.begin(), commandLine.end());
  text.push_back(0);
  result.started = CreateProcessW(nullptr, text.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                  nullptr, nullptr, &si, &pi) != 0;
  CloseHandle(log);
  CloseHandle(nul);
  if (!result.started) return result;
  if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_TIMEOUT) {
    result.timedOut = true;
    TerminateProcess(pi.hProcess, 255);
    WaitForSingleObject(pi.hProcess, 10000);
  }
  GetExitCodeProcess(pi.hProcess, &result.exitCode);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  result.log = ReadText(logPath);
  return result;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n' || c == '\r') {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The lines of the encoder's report after its command line, each without the
// addresses in its "[name @ 0000000000a1b2c0]" prefixes, so that equal
// warnings of different runs read the same.
std::vector<std::string> ReportedLines(const std::string& report) {
  std::vector<std::string> lines = Lines(report);
  size_t first = 0;
  while (first < lines.size() && lines[first] != "Command line:") ++first;
  std::vector<std::string> out;
  for (size_t i = first + 2; i < lines.size(); ++i) {
    std::string line = lines[i];
    // A filter's line carries its graph's prefix and its own.
    for (size_t open = line.find('['); open != std::string::npos; open = line.find('[', open + 1)) {
      const size_t at = line.find(" @ ", open);
      const size_t close = line.find(']', open);
      if (at != std::string::npos && close != std::string::npos && at < close)
        line.erase(at, close - at);
    }
    out.push_back(line);
  }
  return out;
}

// The encoder ends a failed run with a generic "Conversion failed!"; the line
// before it names the cause.
std::string LastErrorLine(const std::string& log) {
  std::vector<std::string> lines = Lines(log);
  while (!lines.empty() && lines.back() == "Conversion failed!") lines.pop_back();
  return lines.empty() ? std::string() : lines.back();
}

struct Outcome {
  std::string what;
  DWORD exitCode = 0;
  long long size = -1;
  bool converted = false;  // exit 0 and a non-empty output
  bool readBack = false;   // and the output decodes without an error
  bool sane = false;       // a failure the encoder explained (no crash, no hang)
  std::string error;
  std::string command;
  std::vector<std::string> warnings;  // what the encoder reported at warning level or above
  bool Pass() const { return converted && readBack; }
};

class ProfileMatrix : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string where;
    appDir_ = FindAppDir(where);
    if (appDir_.empty()) {
      setupError_ = "ffmpeg.exe not found (tried " + where + ")";
      return;
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    work_ =
        WithSlash(temp) + L"vm_profile_matrix_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(work_.c_str(), nullptr);
    CreateDirectoryW((work_ + L"out\\").c_str(), nullptr);
    clip_ = work_ + L"clip.avi";
    const RunResult made = RunHidden(
        L"\"" + Encoder() + L"\" -v error -y -f lavfi -i testsrc=size=176x144:rate=25 " +
            L"-f lavfi -i sine=frequency=440:sample_rate=44100 -t 3 -c:v mpeg4 -c:a mp2 " +
            L"-ac 2 \"" + clip_ + L"\"",
        work_ + L"clip.log", kConvertTimeoutMs);
    if (!made.started || made.exitCode != 0 || FileSize(clip_) <= 0)
      setupError_ = "could not make the test clip: " + LastErrorLine(made.log);
  }

  static void TearDownTestSuite() {
    if (work_.empty()) return;
    WIN32_FIND_DATAW found;
    for (const std::wstring& dir : {work_ + L"out\\", work_}) {
      HANDLE find = FindFirstFileW((dir + L"*").c_str(), &found);
      if (find == INVALID_HANDLE_VALUE) continue;
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
          DeleteFileW((dir + found.cFileName).c_str());
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW((work_ + L"out\\").c_str());
    RemoveDirectoryW(work_.c_str());
  }

  void SetUp() override { ASSERT_TRUE(setupError_.empty()) << setupError_; }

  static std::wstring Encoder() { return appDir_ + L"ffmpeg.exe"; }

  // A job for the clip with the profile's preselected rows, as the output
  // settings page and the batch worker would fill it.
  static CONVERT_JOB Job(int profile, bool shortForm) {
    CONVERT_JOB job;
    job.nProfile = profile;
    job.bUseOriginal = shortForm;
    for (OptionKind kind : kAllOptionKinds) JobRow(job, kind) = PreselectedRow(profile, kind);
    job.strInput = U16(clip_);
    job.strOutput = OutputPath(false, U16(work_ + L"out\\"), job.strInput, u"clip.avi", profile);
    job.strEncoder = EncoderPath(U16(appDir_));
    return job;
  }

  static Outcome Convert(const std::string& what, const CONVERT_JOB& job) {
    Outcome o;
    o.what = what;
    std::u16string line;
    if (!BuildCommandLine(&job, line)) return o;
    // A codec row that is also a profile's preselected row gives a command
    // line already run; the encoder's answer would be the same.
    const auto earlier = done_.find(line);
    if (earlier != done_.end()) {
      o = earlier->second;
      o.what = what;
      return o;
    }
    o = ConvertOnce(what, job, line);
    // A fault in a command line fails every time; a run that fails once and
    // then passes met a passing condition of the machine, which is reported.
    if (!o.Pass() && o.sane) {
      const Outcome first = o;
      o = ConvertOnce(what, job, line);
      if (o.Pass()) {
        std::printf("%s: passed on the second run; the first ended with exit %lu, size %lld: %s\n",
                    what.c_str(), first.exitCode, first.size, first.error.c_str());
        std::printf("  command line: %s\n", Narrow(line).c_str());
        std::fflush(stdout);
      }
    }
    done_[line] = o;
    return o;
  }

  static std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? char(c) : '?';
    return out;
  }

  static Outcome ConvertOnce(const std::string& what, const CONVERT_JOB& job,
                             const std::u16string& line) {
    Outcome o;
    o.what = what;
    o.command = Narrow(line);
    const std::wstring out = Wide(job.strOutput);
    DeleteFileW(out.c_str());
    // Level 24 is "warning"; the quotes keep the path's colon out of the
    // variable's own syntax.
    const std::wstring report = work_ + L"report.log";
    DeleteFileW(report.c_str());
    SetEnvironmentVariableW(L"FFREPORT", (L"file='" + report + L"':level=24").c_str());
    const RunResult run = RunHidden(Wide(line), work_ + L"run.log", kConvertTimeoutMs);
    SetEnvironmentVariableW(L"FFREPORT", nullptr);
    o.warnings = ReportedLines(ReadText(report));
    o.exitCode = run.exitCode;
    o.size = FileSize(out);
    o.converted = run.started && !run.timedOut && run.exitCode == 0 && o.size > 0;
    // The encoder's own error exit is 1; anything else is a crash or a hang.
    o.sane = run.started && !run.timedOut && (run.exitCode == 0 || run.exitCode == 1);
    o.error = run.timedOut ? "timed out" : LastErrorLine(run.log);
    if (o.converted) {
      // Decoded frames keep the file's own timestamps, which the millisecond
      // containers round; "vfr" stops the discarding output from calling
      // such neighbours an error, while decoding errors still show.
      std::string error;
      const bool whole = ReadBack(out, L"-vsync vfr", error);
      if (IsAudioProfile(job.nProfile)) {
        // An audio profile passes the source's video along in the encoder's
        // default codec for the container; what the profile makes is the
        // audio, so that is what must decode. The rest is reported.
        std::string audioError;
        o.readBack = ReadBack(out, L"-map 0:a", audioError);
        o.error = o.readBack ? std::string() : "read back: " + audioError;
        if (o.readBack && !whole) o.error = "(note) other streams: " + error;
      } else {
        o.readBack = whole;
        o.error = whole ? std::string() : "read back: " + error;
      }
    }
    DeleteFileW(out.c_str());
    return o;
  }

  // Decodes a file completely, discarding the result; true when the encoder
  // exits normally and reports no error at all.
  static bool ReadBack(const std::wstring& file, const std::wstring& options, std::string& error) {
    const RunResult check = RunHidden(
        L"\"" + Encoder() + L"\" -v error -i \"" + file + L"\" " + options + L" -f null -",
        work_ + L"check.log", kReadBackTimeoutMs);
    error = check.timedOut ? "timed out" : LastErrorLine(check.log);
    return check.started && !check.timedOut && check.exitCode == 0 && Lines(check.log).empty();
  }

  // "12" for " 12 iPod Nano", "video 2" for "video 2 MPEG-4 v1 (profile 0)".
  static std::string ShortName(const std::string& what) {
    const size_t start = what.find_first_not_of(' ');
    size_t end = what.find(' ', start);
    if (what.compare(start, 6, "video ") == 0 || what.compare(start, 6, "audio ") == 0)
      end = what.find(' ', end + 1);
    return what.substr(start, end - start);
  }

  static void Print(const std::vector<Outcome>& rows) {
    std::printf("%-46s %5s %9s  %-4s  %s\n", "profile / row", "exit", "size", "",
                "last error line");
    for (const Outcome& o : rows)
      std::printf("%-46s %5lu %9lld  %-4s  %s\n", o.what.c_str(), o.exitCode, o.size,
                  o.Pass() ? "pass" : "FAIL", o.error.c_str());
    // Each warning once, with the runs that met it.
    std::map<std::string, std::vector<std::string>> where;
    for (const Outcome& o : rows)
      for (const std::string& w : std::set<std::string>(o.warnings.begin(), o.warnings.end()))
        where[w].push_back(ShortName(o.what));
    std::printf("encoder warnings and errors (%zu kinds):\n", where.size());
    for (const auto& [warning, runs] : where) {
      std::string list;
      for (const std::string& run : runs) list += (list.empty() ? "" : ",") + run;
      std::printf("  %s\n    in: %s\n", warning.c_str(), list.c_str());
    }
    std::fflush(stdout);
  }

  static std::string Name(int profile) {
    const std::u16string name = Profile(profile).szName;
    char number[8];
    std::snprintf(number, sizeof(number), "%2d ", profile);
    return number + std::string(name.begin(), name.end());
  }

  void EveryProfile(bool shortForm) {
    std::vector<Outcome> rows;
    for (int p = 0; p < ProfileCount(); ++p) {
      rows.push_back(Convert(Name(p), Job(p, shortForm)));
      EXPECT_TRUE(rows.back().Pass())
          << rows.back().what << ": exit " << rows.back().exitCode << ", size " << rows.back().size
          << ", " << rows.back().error << "\n  " << rows.back().command;
    }
    Print(rows);
  }

  static std::wstring appDir_;
  static std::wstring work_;
  static std::wstring clip_;
  static std::string setupError_;
  static std::map<std::u16string, Outcome> done_;
};

std::wstring ProfileMatrix::appDir_;
std::wstring ProfileMatrix::work_;
std::wstring ProfileMatrix::clip_;
std::string ProfileMatrix::setupError_;
std::map<std::u16string, Outcome> ProfileMatrix::done_;

TEST_F(ProfileMatrix, EveryProfileLongForm) {
  EveryProfile(false);
}

TEST_F(ProfileMatrix, EveryProfileShortForm) {
  EveryProfile(true);
}

// Rows the bundled encoder cannot honour in the first profile offering them,
// with the reason. They are reported, not failed; every other row must
// convert and read back. A new failure is a fault in a row's argument (or an
// encoder that changed); a known row that starts to pass is only noted.
struct NotHonoured {
  OptionKind kind;
  int row;
  const char* reason;
};
const NotHonoured kNotHonoured[] = {
    {OptionKind::VideoCodec, 2,
     "the encoder has no msmpeg4v1 encoder in any version, only a decoder"},
    {OptionKind::VideoCodec, 9,
     "AVI has no codec tag for RV10; the file reads back as raw "
     "video (RV10 in RealVideo works)"},
};

const char* KnownReason(OptionKind kind, int row) {
  for (const NotHonoured& n : kNotHonoured)
    if (n.kind == kind && n.row == row) return n.reason;
  return nullptr;
}

// Each codec row in the first profile that offers it, the other rows as
// preselected. Even a row the encoder cannot honour must end in an explained
// refusal: exit code 0 or 1, no crash, no hang, an error line.
TEST_F(ProfileMatrix, EveryCodecRow) {
  std::vector<Outcome> rows;
  std::vector<std::string> notes;
  for (OptionKind kind : {OptionKind::VideoCodec, OptionKind::AudioCodec}) {
    const bool video = kind == OptionKind::VideoCodec;
    for (int row = 0; row < OptionRowCount(kind); ++row) {
      int profile = 0;
      while (profile < ProfileCount()) {
        const OPTION_LIST& list = OptionList(profile, kind);
        bool offered = false;
        for (int i = 0; i < list.nCount; ++i) offered |= list.anRows[i] == row;
        if (offered) break;
        ++profile;
      }
      const std::u16string label = OptionRow(kind, row).szLabel;
      const std::string what = std::string(video ? "video " : "audio ") + std::to_string(row) +
                               " " + std::string(label.begin(), label.end()).substr(0, 24);
      if (profile == ProfileCount()) {
        ADD_FAILURE() << what << " is offered by no profile";
        continue;
      }
      CONVERT_JOB job = Job(profile, false);
      JobRow(job, kind) = row;
      rows.push_back(Convert(what + " (profile " + std::to_string(profile) + ")", job));
      const Outcome& o = rows.back();
      EXPECT_TRUE(o.sane) << o.what << ": exit " << o.exitCode << ", " << o.error;
      const char* known = KnownReason(kind, row);
      if (known) {
        notes.push_back(o.what + (o.Pass() ? ": now passes (was: " + std::string(known) + ")"
                                           : ": not honoured: " + std::string(known)));
        EXPECT_TRUE(o.Pass() || !o.error.empty()) << o.what << ": failed without a reason";
      } else {
        EXPECT_TRUE(o.Pass()) << o.what << ": exit " << o.exitCode << ", size " << o.size << ", "
                              << o.error << "\n  " << o.command;
      }
    }
  }
  Print(rows);
  for (const std::string& note : notes) std::printf("%s\n", note.c_str());
  std::fflush(stdout);
}

}  // namespace
