// Stand-in encoder for the runner's tests. Carries out its arguments in order:
//   out TEXT | err TEXT    write TEXT to stdout or stderr (escapes \r \n \\)
//   sleep MS               wait
//   wait PATH              wait until PATH exists (at most a minute), so that
//                          a test decides when the run goes on
//   flood BYTES            write BYTES (rounded up to whole lines) of warning
//                          lines to stderr as fast as the reader takes them,
//                          as an encoder does for a damaged input
//   file BYTES PATH        create PATH holding BYTES bytes
//   replay PATH            write the bytes of PATH to stderr, as a real
//                          encoder's output kept as test data
//   exit CODE              end with CODE (the default is 0)
//   where                  write "cwd=FOLDER\n", its current folder, to stdout
// Started by the program itself ("-i INPUT ... OUTPUT"), it reads the same
// commands from INPUT, one a line, with $OUT standing for OUTPUT; lines
// "probe COMMAND ARG" count only when it is asked what INPUT holds. Paths are
// taken as UTF-8 and opened by their wide names, so any letters work, and
// long ones in their extended form.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Only \r, \n and \\ are escapes: a path's backslashes stay as they are.
std::string Unescape(const char* text) {
  std::string bytes;
  for (const char* p = text; *p; ++p) {
    if (*p == '\\' && p[1] == 'r') {
      bytes += '\r';
    } else if (*p == '\\' && p[1] == 'n') {
      bytes += '\n';
    } else if (*p == '\\' && p[1] == '\\') {
      bytes += '\\';
    } else {
      bytes += *p;
      continue;
    }
    ++p;
  }
  return bytes;
}

void Write(DWORD which, const std::string& bytes) {
  DWORD written = 0;
  WriteFile(GetStdHandle(which), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string Utf8(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(n > 1 ? static_cast<size_t>(n) : 1, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, &bytes[0], n, nullptr, nullptr);
  bytes.resize(bytes.size() - 1);
  return bytes;
}

std::wstring Wide(const std::string& bytes) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.c_str(), -1, nullptr, 0);
  std::wstring text(n > 1 ? static_cast<size_t>(n) : 1, L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, bytes.c_str(), -1, &text[0], n);
  text.resize(text.size() - 1);
  return text;
}

bool MakeFile(const std::string& path, long size) {
  HANDLE file =
      CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string bytes(static_cast<size_t>(size), 'x');
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return true;
}

// Whole lines, at least `bytes` of them.
void Flood(long bytes) {
  const std::string line = "[mpeg4 @ 0000000000cd1ac0] ac-tex damaged at 12 34\r\n";
  const size_t perBlock = 64 * 1024 / line.size();
  std::string block;
  for (size_t i = 0; i < perBlock; ++i) block += line;
  const size_t lines = (static_cast<size_t>(bytes) + line.size() - 1) / line.size();
  for (size_t done = 0; done < lines; done += perBlock)
    Write(STD_ERROR_HANDLE, block.substr(0, std::min(perBlock, lines - done) * line.size()));
}

// $OUT becomes the output path, after the escapes: a path is taken as it is.
std::string Expand(std::string text, const std::string& output) {
  for (size_t at = 0; (at = text.find("$OUT", at)) != std::string::npos; at += output.size())
    text.replace(at, 4, output);
  return text;
}

// The whole of a file, or nothing when it cannot be read.
std::string ReadBytes(const std::string& path) {
  std::string text;
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(file, buf, sizeof(buf), &got, nullptr) && got > 0) text.append(buf, got);
  CloseHandle(file);
  return text;
}

// Carries out the commands from `words`, in order; returns the exit code.
int Execute(const std::vector<std::string>& words, const std::string& output) {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool hasArg = i + 1 < words.size();
    if (word == "out" && hasArg) {
      Write(STD_OUTPUT_HANDLE, Expand(Unescape(words[++i].c_str()), output));
    } else if (word == "err" && hasArg) {
      Write(STD_ERROR_HANDLE, Expand(Unescape(words[++i].c_str()), output));
    } else if (word == "sleep" && hasArg) {
      Sleep(static_cast<DWORD>(std::atol(words[++i].c_str())));
    } else if (word == "wait" && hasArg) {
      const std::string& path = words[++i];
      for (int tick = 0;
           tick < 600 && GetFileAttributesW(Wide(path).c_str()) == INVALID_FILE_ATTRIBUTES; ++tick)
        Sleep(100);
    } else if (word == "flood" && hasArg) {
      Flood(std::atol(words[++i].c_str()));
    } else if (word == "file" && i + 2 < words.size()) {
      if (!MakeFile(Expand(words[i + 2], output), std::atol(words[i + 1].c_str()))) return 90;
      i += 2;
    } else if (word == "replay" && hasArg) {
      Write(STD_ERROR_HANDLE, ReadBytes(words[++i]));
    } else if (word == "where") {
      wchar_t folder[MAX_PATH] = L"";
      GetCurrentDirectoryW(MAX_PATH, folder);
      const std::wstring wide(folder);
      Write(STD_OUTPUT_HANDLE, "cwd=" + std::string(wide.begin(), wide.end()) + "\n");
    } else if (word == "probe" && hasArg) {
      ++i;  // for the reader alone
    } else if (word == "exit" && hasArg) {
      return std::atoi(words[++i].c_str());
    } else {
      return 91;  // a mistake in the test's script
    }
  }
  return 0;
}

// A script file: "command argument" a line ("file" takes two, split at the
// first blank).
std::vector<std::string> ReadScript(const std::string& path) {
  std::vector<std::string> words;
  if (GetFileAttributesW(Wide(path).c_str()) == INVALID_FILE_ATTRIBUTES) return {"exit", "92"};
  const std::string text = ReadBytes(path);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (line.empty()) continue;
    const size_t blank = line.find(' ');
    words.push_back(line.substr(0, blank));
    if (blank == std::string::npos) continue;
    std::string rest = line.substr(blank + 1);
    if (words.back() == "file") {
      const size_t split = rest.find(' ');
      words.push_back(rest.substr(0, split));
      words.push_back(split == std::string::npos ? std::string() : rest.substr(split + 1));
    } else {
      words.push_back(rest);
    }
  }
  return words;
}

// Asked what INPUT holds ("-hide_banner -i INPUT"), it carries out the
// script's "probe COMMAND ARG" lines alone; without any, it reports a video
// and an audio stream of no known length, as a real encoder does.
std::vector<std::string> ProbeWords(const std::vector<std::string>& script) {
  std::vector<std::string> words;
  for (size_t i = 0; i + 1 < script.size(); ++i) {
    if (script[i] != "probe") continue;
    const std::string& line = script[++i];
    const size_t blank = line.find(' ');
    words.push_back(line.substr(0, blank));
    if (blank != std::string::npos) words.push_back(line.substr(blank + 1));
  }
  if (words.empty())
    words = {"err",
             "Input #0, avi, from 'input':\n  Duration: N/A, bitrate: N/A\n"
             "  Stream #0:0: Video: mpeg4, yuv420p, 320x240, 25 fps\n"
             "  Stream #0:1: Audio: mp3, 44100 Hz, stereo, fltp\n"
             "At least one output file must be specified\n",
             "exit", "1"};
  return words;
}

}  // namespace

int main() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf8(argv[i]));
  LocalFree(argv);
  if (args.size() > 1 && args[0] == "-i") return Execute(ReadScript(args[1]), args.back());
  if (args.size() == 3 && args[0] == "-hide_banner" && args[1] == "-i")
    return Execute(ProbeWords(ReadScript(args[2])), "");
  return Execute(args, "");
}
