// Converts one file as a run does, with the input's details given on the
// command line as a probe would tell them, so that a test can check what the
// encoder makes of the arguments the details call for. Prints the command
// line, runs it and ends with the encoder's exit code.
// Usage: convert_with_details APPDIR PROFILE long|short INPUT OUTPUT DETAILS
// DETAILS: "none" (not known), or BITS:CHROMA:TRANSFER as 10:420:pq,
// 8:422:sdr; CHROMA is 420, 422 or 444, TRANSFER sdr, pq or hlg.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "convert/output_path.h"
#include "profiles/catalogue.h"
#include "profiles/command_line.h"

namespace {

std::u16string U16(const wchar_t* s) {
  return std::u16string(s, s + wcslen(s));
}

bool ParseDetails(const std::wstring& text, InputDetails& details) {
  int bits = 0, chroma = 0;
  wchar_t transfer[8] = {};
  if (swscanf(text.c_str(), L"%d:%d:%7ls", &bits, &chroma, transfer) != 3) return false;
  details.probed = details.readable = details.hasVideo = true;
  details.bitDepth = bits;
  details.chromaWidthShift = chroma == 444 ? 0 : 1;
  details.chromaHeightShift = chroma == 420 ? 1 : 0;
  const std::wstring t = transfer;
  details.transfer = t == L"pq"    ? ColourTransfer::Pq
                     : t == L"hlg" ? ColourTransfer::Hlg
                                   : ColourTransfer::Standard;
  return t == L"pq" || t == L"hlg" || t == L"sdr";
}

}  // namespace

int wmain() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  InputDetails details;
  const bool known = argc == 7 && std::wstring(argv[6]) != L"none";
  if (argc != 7 || (known && !ParseDetails(argv[6], details))) {
    std::fprintf(stderr,
                 "usage: convert_with_details APPDIR PROFILE long|short INPUT OUTPUT DETAILS\n");
    return 2;
  }
  CONVERT_JOB job;
  job.nProfile = _wtoi(argv[2]);
  job.bUseOriginal = std::wstring(argv[3]) == L"short";
  for (OptionKind kind : kAllOptionKinds) JobRow(job, kind) = PreselectedRow(job.nProfile, kind);
  const std::u16string line =
      FileCommandLine(job, U16(argv[4]), U16(argv[5]), U16(argv[1]), known ? &details : nullptr);
  LocalFree(argv);
  std::printf("%s\n", std::string(line.begin(), line.end()).c_str());
  std::fflush(stdout);

  std::vector<wchar_t> text(line.begin(), line.end());
  text.push_back(0);
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, text.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
    return 3;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}
