// The console program against the encoder run directly: 20 clips of 2
// seconds converted by VidmorphCmd with two at once, and the same command
// lines (its own dry run's) run one after another and two at a time, the
// three alternating over three rounds and compared by their medians. Then
// the time from starting VidmorphCmd to its first encoder start, for 10
// inputs and for 10,000 (the stand-in encoder, which ends at once).
// Usage: bench_cmd (from the Windows build folder's bench\ subfolder).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "tests/win/program_harness.h"

namespace {

constexpr int kClips = 20;
constexpr int kRounds = 3;
using Clock = BenchClock;

// Started as RunHidden starts it: hidden, its output into NUL, which an
// encoder writes as it would to the program's pipe, but for nothing.
HANDLE StartHidden(const std::wstring& commandLine) {
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  HANDLE nul = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                             OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = nul;
  startup.hStdError = nul;
  std::wstring line = commandLine;
  PROCESS_INFORMATION info;
  const BOOL ok = ::CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                   &startup, &info);
  ::CloseHandle(nul);
  if (!ok) return nullptr;
  ::CloseHandle(info.hThread);
  return info.hProcess;
}

// The command lines with at most `width` running at once.
double Direct(const std::vector<std::wstring>& commands, size_t width) {
  const auto start = Clock::now();
  std::vector<HANDLE> running;
  for (const std::wstring& c : commands) {
    if (running.size() == width) {
      const DWORD i =
          ::WaitForMultipleObjects(DWORD(running.size()), running.data(), FALSE, INFINITE);
      ::CloseHandle(running[i - WAIT_OBJECT_0]);
      running.erase(running.begin() + (i - WAIT_OBJECT_0));
    }
    if (HANDLE h = StartHidden(c)) running.push_back(h);
  }
  for (HANDLE h : running) {
    ::WaitForSingleObject(h, INFINITE);
    ::CloseHandle(h);
  }
  return Seconds(start);
}

std::vector<std::wstring> Lines(const std::string& utf8) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < utf8.size()) {
    size_t end = utf8.find('\n', start);
    if (end == std::string::npos) end = utf8.size();
    const std::string line = utf8.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, line.data(), int(line.size()), nullptr, 0);
    std::wstring wide(size_t(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, line.data(), int(line.size()), &wide[0], n);
    lines.push_back(wide);
  }
  return lines;
}

// Seconds from starting the command to its first "start" progress line on
// standard error; the program is then ended, its encoders with it.
double FirstStart(const std::wstring& commandLine) {
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!::CreatePipe(&read, &write, &security, 0)) return -1;
  ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdError = write;
  std::wstring line = commandLine;
  PROCESS_INFORMATION info;
  const auto start = Clock::now();
  const BOOL ok = ::CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                   nullptr, nullptr, &startup, &info);
  ::CloseHandle(write);
  if (!ok) return -1;
  double seconds = -1;
  std::string seen;
  char buffer[4096];
  DWORD got = 0;
  while (seconds < 0 && ::ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    seen.append(buffer, got);
    if (seen.find("\"event\":\"start\"") != std::string::npos) seconds = Seconds(start);
  }
  ::TerminateProcess(info.hProcess, 1);
  ::WaitForSingleObject(info.hProcess, INFINITE);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  ::CloseHandle(read);
  return seconds;
}

}  // namespace

int main() {
  const std::wstring build = TestExeDir() + L"..\\";
  const std::wstring app = build + L"..\\app\\";
  ScratchDir scratch;
  const std::wstring dir = scratch.Path(), in = dir + L"in\\", out = dir + L"out\\";
  ::CreateDirectoryW(in.c_str(), nullptr);
  ::CreateDirectoryW(out.c_str(), nullptr);
  if (!CopyInto(app + L"VidmorphCmd.exe", dir) || !CopyInto(app + L"ffmpeg.exe", dir)) {
    std::printf("bench_cmd: no program in %ls\n", app.c_str());
    return 2;
  }
  for (int i = 0; i < kClips; ++i) {
    wchar_t name[32];
    wsprintfW(name, L"clip%02d.avi", i);
    RunHidden(L"\"" + dir +
              L"ffmpeg.exe\" -v error -y -f lavfi -i testsrc=size=176x144:rate=25 "
              L"-f lavfi -i sine -t 2 -c:v mpeg4 -c:a mp2 \"" +
              in + name + L"\"");
  }
  const std::wstring cmd = L"\"" + dir + L"VidmorphCmd.exe\" --profile 0 --overwrite yes --out \"" +
                           out.substr(0, out.size() - 1) + L"\" \"" + in + L"*.avi\"";
  std::string dry;
  if (RunCaptured(cmd + L" --dry-run", dir, &dry, nullptr) != 0) {
    std::printf("bench_cmd: the dry run failed\n");
    return 1;
  }
  const std::vector<std::wstring> commands = Lines(dry);
  if (commands.size() != size_t(kClips)) {
    std::printf("bench_cmd: the dry run printed %zu command lines\n", commands.size());
    return 1;
  }

  std::vector<double> program, oneByOne, twoAtATime;
  for (int round = 1; round <= kRounds; ++round) {
    auto start = Clock::now();
    const long code = RunCaptured(cmd + L" --jobs 2", dir, nullptr, nullptr);
    program.push_back(Seconds(start));
    if (code != 0) {
      std::printf("bench_cmd: VidmorphCmd --jobs 2 exited with %ld\n", code);
      return 1;
    }
    oneByOne.push_back(Direct(commands, 1));
    twoAtATime.push_back(Direct(commands, 2));
    std::printf(
        "round %d: VidmorphCmd --jobs 2 %.2f s, direct one after another %.2f s, "
        "direct two at a time %.2f s\n",
        round, program.back(), oneByOne.back(), twoAtATime.back());
  }
  const double p = Median(program), one = Median(oneByOne), two = Median(twoAtATime);
  std::printf(
      "%d clips, medians of %d rounds: VidmorphCmd --jobs 2 %.2f s; direct one after "
      "another %.2f s; direct two at a time %.2f s\n",
      kClips, kRounds, p, one, two);
  std::printf("  ratio to two at a time %.3f, to one after another %.3f\n", p / two, p / one);

  // Many inputs: the stand-in encoder, which ends at once, in a folder of its own.
  const std::wstring many = dir + L"many\\", few = dir + L"few\\", quick = dir + L"quick\\";
  for (const std::wstring& d : {many, few, quick}) ::CreateDirectoryW(d.c_str(), nullptr);
  if (!CopyInto(app + L"VidmorphCmd.exe", quick) ||
      !CopyInto(build + L"helpers\\fake_encoder.exe", quick, L"ffmpeg.exe")) {
    std::printf("bench_cmd: no stand-in encoder in %ls\n", (build + L"helpers\\").c_str());
    return 2;
  }
  for (int i = 0; i < 10000; ++i) {
    wchar_t name[32];
    wsprintfW(name, L"f%05d.avi", i);
    WriteBytes(many + name, {'e', 'x', 'i', 't', ' ', '0', '\n'});
    if (i < 10) WriteBytes(few + name, {'e', 'x', 'i', 't', ' ', '0', '\n'});
  }
  std::vector<double> firstFew, firstMany;
  for (int round = 1; round <= kRounds; ++round) {
    for (auto& [folder, times] :
         {std::make_pair(few, &firstFew), std::make_pair(many, &firstMany)}) {
      const double s = FirstStart(L"\"" + quick +
                                  L"VidmorphCmd.exe\" --profile MP3 --progress json --overwrite "
                                  L"yes --out \"" +
                                  out.substr(0, out.size() - 1) + L"\" \"" +
                                  folder.substr(0, folder.size() - 1) + L"\"");
      times->push_back(s);
    }
    std::printf("round %d: first encoder start with 10 inputs %.3f s, with 10,000 inputs %.3f s\n",
                round, firstFew.back(), firstMany.back());
  }
  std::printf("first encoder start, medians: 10 inputs %.3f s, 10,000 inputs %.3f s\n",
              Median(firstFew), Median(firstMany));
  return 0;
}
