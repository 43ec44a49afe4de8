#include "cmd/run_report.h"

#include <cmath>
#include <cstdio>

#include "convert/run_outcomes.h"
#include "framework/utf8_text.h"

namespace {

std::string JsonString(const std::u16string& text) {
  std::string out = "\"";
  for (char c : TextToUtf8(text)) {
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

std::string JsonTextOrNull(const std::string& text) {
  return text.empty() ? "null" : "\"" + text + "\"";
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
  std::string line = TextToUtf8(text);
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

std::string LocalTimeText(const WallTime& t) {
  if (t.year == 0) return std::string();
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

CmdOutcome CmdOutcomeOf(FileOutcome outcome, FailReason reason) {
  switch (outcome) {
    case FileOutcome::Succeeded:
      return CmdOutcome::Converted;
    case FileOutcome::Skipped:
      return CmdOutcome::Skipped;
    case FileOutcome::Cancelled:
      return CmdOutcome::Stopped;
    case FileOutcome::StartFailed:
      return reason == FailReason::NotReached ? CmdOutcome::NotStarted : CmdOutcome::StartFailed;
    case FileOutcome::Failed:
      break;
  }
  return CmdOutcome::Failed;
}

std::vector<CMD_FILE_RESULT> ResultsOf(const std::vector<FileRecord>& records) {
  const OutcomeTexts texts;
  std::vector<CMD_FILE_RESULT> results;
  for (const FileRecord& record : records) {
    const FileVerdict& v = record.verdict;
    CMD_FILE_RESULT r;
    r.position = record.position;
    r.input = record.input;
    r.output = record.output;
    r.outcome = CmdOutcomeOf(v.outcome, v.reason);
    r.result = OutcomeText(v, texts);
    // The result page puts the reason after the outcome's word and a colon.
    const size_t colon = r.result.find(u": ");
    if (r.outcome != CmdOutcome::Converted && colon != std::u16string::npos)
      r.reason = r.result.substr(colon + 2);
    if (v.exited) r.exitCode = int64_t(v.exitCode);
    if (record.inputSize > 0) r.inputBytes = int64_t(record.inputSize);
    if (v.outcome == FileOutcome::Succeeded) r.outputBytes = int64_t(v.outputSize);
    r.started = LocalTimeText(record.started);
    r.ended = LocalTimeText(record.ended);
    results.push_back(r);
  }
  return results;
}

std::string StartLine(ProgressForm form, int file, int count, const std::u16string& input) {
  if (form == ProgressForm::Json)
    return "{\"event\":\"start\",\"file\":" + std::to_string(file) +
           ",\"count\":" + std::to_string(count) + ",\"input\":" + JsonString(input) + "}";
  return Counter(file, count) + " start " + TextToUtf8(input);
}

std::string EndLine(ProgressForm form, int file, int count, const CMD_FILE_RESULT& result) {
  if (form == ProgressForm::Json)
    return "{\"event\":\"end\",\"file\":" + std::to_string(file) +
           ",\"count\":" + std::to_string(count) + ",\"input\":" + JsonString(result.input) +
           ",\"output\":" + JsonString(result.output) + ",\"outcome\":\"" +
           OutcomeWord(result.outcome) + "\",\"reason\":" + JsonString(result.reason) + "}";
  std::string line =
      Counter(file, count) + " " + OutcomeWord(result.outcome) + " " + TextToUtf8(result.input);
  if (result.outcome == CmdOutcome::Converted) line += " -> " + TextToUtf8(result.output);
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
        "\", \"result\": " + JsonString(f.result) + ", \"reason\": " + JsonString(f.reason) +
        ", \"exitCode\": " + (f.exitCode < 0 ? std::string("null") : std::to_string(f.exitCode)) +
        ", \"inputBytes\": " + JsonNumberOrNull(f.inputBytes) +
        ", \"outputBytes\": " + JsonNumberOrNull(f.outputBytes) +
        ", \"started\": " + JsonTextOrNull(f.started) + ", \"ended\": " + JsonTextOrNull(f.ended) +
        "}";
  }
  return out + (files.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

std::string ReportCsv(const std::vector<CMD_FILE_RESULT>& files) {
  std::string out =
      "position,input,output,outcome,result,reason,exit_code,input_bytes,output_bytes,started,"
      "ended\r\n";
  for (const CMD_FILE_RESULT& f : files) {
    out += std::to_string(f.position) + "," + CsvField(TextToUtf8(f.input)) + "," +
           CsvField(TextToUtf8(f.output)) + "," + OutcomeWord(f.outcome) + "," +
           CsvField(TextToUtf8(f.result)) + "," + CsvField(TextToUtf8(f.reason)) + "," +
           (f.exitCode < 0 ? "" : std::to_string(f.exitCode)) + "," + CsvNumber(f.inputBytes) +
           "," + CsvNumber(f.outputBytes) + "," + f.started + "," + f.ended + "\r\n";
  }
  return out;
}
