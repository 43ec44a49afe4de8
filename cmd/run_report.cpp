#include "cmd/run_report.h"

#include <cmath>
#include <cstdio>
#include <cstring>

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

namespace {

bool OutcomeNamed(const std::string& word, CmdOutcome& outcome) {
  for (CmdOutcome o : {CmdOutcome::Converted, CmdOutcome::Failed, CmdOutcome::Skipped,
                       CmdOutcome::Stopped, CmdOutcome::NotStarted, CmdOutcome::StartFailed})
    if (word == OutcomeWord(o)) {
      outcome = o;
      return true;
    }
  return false;
}

// Just enough JSON for the report files this program writes: objects,
// arrays, strings, integers and null.
class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : m_text(text) {}

  bool Report(std::vector<CMD_FILE_RESULT>& files, int& exitCode) {
    bool sawFiles = false, sawCode = false;
    if (!Take('{')) return false;
    do {
      std::string key;
      if (!String(key) || !Take(':')) return false;
      if (key == "exitCode") {
        int64_t code;
        if (!Number(code)) return false;
        exitCode = int(code);
        sawCode = true;
      } else if (key == "files") {
        if (!Take('[')) return false;
        if (!Peek(']')) {
          do {
            CMD_FILE_RESULT file;
            if (!File(file)) return false;
            files.push_back(file);
          } while (Take(','));
        }
        if (!Take(']')) return false;
        sawFiles = true;
      } else {
        return false;
      }
    } while (Take(','));
    return Take('}') && sawFiles && sawCode && AtEnd();
  }

 private:
  bool File(CMD_FILE_RESULT& f) {
    if (!Take('{')) return false;
    do {
      std::string key, text;
      if (!String(key) || !Take(':')) return false;
      if (key == "position" || key == "exitCode" || key == "inputBytes" || key == "outputBytes") {
        int64_t number = -1;
        if (!Take("null") && !Number(number)) return false;
        if (key == "position")
          f.position = size_t(number < 0 ? 0 : number);
        else
          (key == "exitCode"     ? f.exitCode
           : key == "inputBytes" ? f.inputBytes
                                 : f.outputBytes) = number;
        continue;
      }
      if (!Take("null") && !String(text)) return false;
      if (key == "input") f.input = Utf8ToText(text);
      if (key == "output") f.output = Utf8ToText(text);
      if (key == "result") f.result = Utf8ToText(text);
      if (key == "reason") f.reason = Utf8ToText(text);
      if (key == "started") f.started = text;
      if (key == "ended") f.ended = text;
      if (key == "outcome" && !OutcomeNamed(text, f.outcome)) return false;
    } while (Take(','));
    return Take('}');
  }

  void Blank() {
    while (m_at < m_text.size() && std::strchr(" \t\r\n", m_text[m_at]) && m_text[m_at]) ++m_at;
  }
  bool Peek(char c) {
    Blank();
    return m_at < m_text.size() && m_text[m_at] == c;
  }
  bool Take(char c) {
    if (!Peek(c)) return false;
    ++m_at;
    return true;
  }
  bool Take(const char* word) {
    Blank();
    const size_t n = std::strlen(word);
    if (m_text.compare(m_at, n, word) != 0) return false;
    m_at += n;
    return true;
  }
  bool AtEnd() {
    Blank();
    return m_at == m_text.size();
  }
  bool Number(int64_t& value) {
    Blank();
    const size_t start = m_at;
    const bool minus = m_at < m_text.size() && m_text[m_at] == '-';
    if (minus) ++m_at;
    value = 0;
    for (; m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9'; ++m_at) {
      if (value > (INT64_MAX - 9) / 10) return false;
      value = value * 10 + (m_text[m_at] - '0');
    }
    if (minus) value = -value;
    return m_at > start + (minus ? 1 : 0);
  }
  bool String(std::string& out) {
    if (!Take('"')) return false;
    out.clear();
    while (m_at < m_text.size()) {
      const char c = m_text[m_at++];
      if (c == '"') return true;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (m_at >= m_text.size()) return false;
      const char e = m_text[m_at++];
      if (e == 'u') {
        // The writer escapes only control characters this way.
        if (m_at + 4 > m_text.size()) return false;
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
          const char h = m_text[m_at++];
          const int digit = h >= '0' && h <= '9'   ? h - '0'
                            : h >= 'a' && h <= 'f' ? h - 'a' + 10
                            : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                   : -1;
          if (digit < 0) return false;
          code = code * 16 + unsigned(digit);
        }
        if (code >= 0x80) return false;
        out += char(code);
      } else if (e == '"' || e == '\\' || e == '/') {
        out += e;
      } else {
        return false;
      }
    }
    return false;
  }

  const std::string& m_text;
  size_t m_at = 0;
};

// The rows of CSV text, quoted fields as CsvField writes them.
bool CsvRows(const std::string& text, std::vector<std::vector<std::string>>& rows) {
  std::vector<std::string> row(1);
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c != '"')
        row.back() += c;
      else if (i + 1 < text.size() && text[i + 1] == '"')
        row.back() += text[++i];
      else
        quoted = false;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row.emplace_back();
    } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      if (c == '\r') ++i;
      rows.push_back(row);
      row.assign(1, std::string());
    } else {
      row.back() += c;
    }
  }
  return !quoted && row.size() == 1 && row[0].empty();
}

bool CsvNumber(const std::string& text, int64_t& value) {
  value = -1;
  if (text.empty()) return true;
  if (text.size() > 18) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

bool ReadCsv(const std::string& bytes, std::vector<CMD_FILE_RESULT>& files) {
  std::vector<std::vector<std::string>> rows;
  if (!CsvRows(bytes, rows) || rows.empty() || rows[0].size() != 11 || rows[0][0] != "position")
    return false;
  for (size_t r = 1; r < rows.size(); ++r) {
    const std::vector<std::string>& row = rows[r];
    CMD_FILE_RESULT f;
    int64_t position = 0;
    if (row.size() != 11 || !CsvNumber(row[0], position) || position < 0 ||
        !OutcomeNamed(row[3], f.outcome) || !CsvNumber(row[6], f.exitCode) ||
        !CsvNumber(row[7], f.inputBytes) || !CsvNumber(row[8], f.outputBytes))
      return false;
    f.position = size_t(position);
    f.input = Utf8ToText(row[1]);
    f.output = Utf8ToText(row[2]);
    f.result = Utf8ToText(row[4]);
    f.reason = Utf8ToText(row[5]);
    f.started = row[9];
    f.ended = row[10];
    files.push_back(f);
  }
  return true;
}

}  // namespace

bool ReadReport(const std::string& bytes, std::vector<CMD_FILE_RESULT>& files, int& exitCode) {
  files.clear();
  exitCode = kExitConverted;
  if (JsonReader(bytes).Report(files, exitCode)) return true;
  files.clear();
  if (!ReadCsv(bytes, files)) return false;
  bool stopped = false, startFailed = false;
  for (const CMD_FILE_RESULT& f : files) {
    stopped = stopped || f.outcome == CmdOutcome::Stopped;
    startFailed = startFailed || f.outcome == CmdOutcome::StartFailed;
  }
  exitCode = RunExitCode(files, stopped, startFailed);
  return true;
}

int MergedExitCode(const std::vector<int>& codes) {
  for (int first : {kExitStopped, kExitEncoderNotStarted, kExitSomeFailed})
    for (int code : codes)
      if (code == first) return code;
  return kExitConverted;
}
