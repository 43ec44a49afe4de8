#include "cmd/run_report.h"

#include <cmath>
#include <cstdio>

#include "cmd/utf8.h"

namespace {

std::string JsonString(const std::u16string& text) {
  std::string out = "\"";
  for (char c : Utf8(text)) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", u);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonNumberOrNull(int64_t value) {
  return value < 0 ? "null" : std::to_string(value);
}

std::string JsonTimeOrNull(int64_t ms) {
  return ms < 0 ? "null" : "\"" + UtcTime(ms) + "\"";
}

// A CSV field, quoted when it holds a separator, a quote or a line end.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string CsvNumber(int64_t value) {
  return value < 0 ? std::string() : std::to_string(value);
}

// A reason on the progress line's one line: control characters become
// blanks, and the encoder's line end goes.
std::string OneLine(const std::u16string& text) {
  std::string line = Utf8(text);
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

std::string Counter(int file, int count) {
  return "[" + std::to_string(file) + "/" + std::to_string(count) + "]";
}

std::string Clock(double seconds) {
  const long total = long(std::lround(seconds));
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
  return text;
}

std::string Fixed(double value, int digits) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", digits, value);
  return text;
}

}  // namespace

int RunExitCode(const std::vector<CMD_FILE_RESULT>& files, bool stopped, bool startFailed) {
  if (stopped) return kExitStopped;
  if (startFailed) return kExitEncoderNotStarted;
  for (const CMD_FILE_RESULT& file : files)
    if (file.outcome != CmdOutcome::Converted && file.outcome != CmdOutcome::Skipped)
      return kExitSomeFailed;
  return kExitConverted;
}

const char* OutcomeWord(CmdOutcome outcome) {
  switch (outcome) {
    case CmdOutcome::Converted:
      return "converted";
    case CmdOutcome::Failed:
      return "failed";
    case CmdOutcome::Skipped:
      return "skipped";
    case CmdOutcome::Stopped:
      return "stopped";
    case CmdOutcome::StartFailed:
      return "start failed";
    case CmdOutcome::NotStarted:
      break;
  }
  return "not started";
}

std::string UtcTime(int64_t ms) {
  if (ms < 0) return std::string();
  // Days to a civil date in the proleptic Gregorian calendar.
  const int64_t days = ms / 86400000;
  const int64_t inDay = ms % 86400000;
  const int64_t z = days + 719468;
  const int64_t era = z / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t day = doy - (153 * mp + 2) / 5 + 1;
  const int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  char text[40];
  std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lld.%03lldZ",
                static_cast<long long>(year), static_cast<long long>(month),
                static_cast<long long>(day), static_cast<long long>(inDay / 3600000),
                static_cast<long long>(inDay / 60000 % 60),
                static_cast<long long>(inDay / 1000 % 60), static_cast<long long>(inDay % 1000));
  return text;
}

std::string StartLine(ProgressForm form, int file, int count, const std::u16string& input) {
  if (form == ProgressForm::Json)
    return "{\"event\":\"start\",\"file\":" + std::to_string(file) +
           ",\"count\":" + std::to_string(count) + ",\"input\":" + JsonString(input) + "}";
  return Counter(file, count) + " start " + Utf8(input);
}

std::string EndLine(ProgressForm form, int file, int count, const CMD_FILE_RESULT& result) {
  if (form == ProgressForm::Json)
    return "{\"event\":\"end\",\"file\":" + std::to_string(file) +
           ",\"count\":" + std::to_string(count) + ",\"input\":" + JsonString(result.input) +
           ",\"output\":" + JsonString(result.output) + ",\"outcome\":\"" +
           OutcomeWord(result.outcome) + "\",\"reason\":" + JsonString(result.reason) + "}";
  std::string line =
      Counter(file, count) + " " + OutcomeWord(result.outcome) + " " + Utf8(result.input);
  if (result.outcome == CmdOutcome::Converted) line += " -> " + Utf8(result.output);
  if (!result.reason.empty()) line += ": " + OneLine(result.reason);
  return line;
}

std::string RunLine(ProgressForm form, const RUN_PROGRESS& p) {
  const double percent = std::floor(p.share * 1000) / 10;
  if (form == ProgressForm::Json)
    return "{\"event\":\"run\",\"percent\":" + Fixed(percent, 1) +
           ",\"done\":" + std::to_string(p.done) + ",\"count\":" + std::to_string(p.count) +
           ",\"secondsLeft\":" + (p.secondsLeft < 0 ? "null" : Fixed(p.secondsLeft, 0)) +
           ",\"speed\":" + (p.speed < 0 ? "null" : Fixed(p.speed, 2)) + "}";
  std::string line = "run " + Fixed(percent, 1) + "%, " + std::to_string(p.done) + "/" +
                     std::to_string(p.count) + " files done";
  line += p.secondsLeft < 0 ? ", time left unknown" : ", " + Clock(p.secondsLeft) + " left";
  if (p.speed >= 0) line += ", " + Fixed(p.speed, 2) + "x";
  return line;
}

std::string ReportJson(const std::vector<CMD_FILE_RESULT>& files, int exitCode) {
  std::string out = "{\n  \"exitCode\": " + std::to_string(exitCode) + ",\n  \"files\": [";
  for (size_t i = 0; i < files.size(); ++i) {
    const CMD_FILE_RESULT& f = files[i];
    out += i == 0 ? "\n" : ",\n";
    out +=
        "    {\"position\": " + std::to_string(f.position) + ", \"input\": " + JsonString(f.input) +
        ", \"output\": " + JsonString(f.output) + ", \"outcome\": \"" + OutcomeWord(f.outcome) +
        "\", \"reason\": " + JsonString(f.reason) +
        ", \"exitCode\": " + (f.exitCode < 0 ? std::string("null") : std::to_string(f.exitCode)) +
        ", \"inputBytes\": " + JsonNumberOrNull(f.inputBytes) +
        ", \"outputBytes\": " + JsonNumberOrNull(f.outputBytes) +
        ", \"started\": " + JsonTimeOrNull(f.startedMs) +
        ", \"ended\": " + JsonTimeOrNull(f.endedMs) + "}";
  }
  return out + (files.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

std::string ReportCsv(const std::vector<CMD_FILE_RESULT>& files) {
  std::string out =
      "position,input,output,outcome,reason,exit_code,input_bytes,output_bytes,started,ended\r\n";
  for (const CMD_FILE_RESULT& f : files) {
    out += std::to_string(f.position) + "," + CsvField(Utf8(f.input)) + "," +
           CsvField(Utf8(f.output)) + "," + OutcomeWord(f.outcome) + "," +
           CsvField(Utf8(f.reason)) + "," + (f.exitCode < 0 ? "" : std::to_string(f.exitCode)) +
           "," + CsvNumber(f.inputBytes) + "," + CsvNumber(f.outputBytes) + "," +
           UtcTime(f.startedMs) + "," + UtcTime(f.endedMs) + "\r\n";
  }
  return out;
}
