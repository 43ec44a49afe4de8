#include "convert/run_journal.h"

#include <algorithm>
#include <map>
#include <set>

#include "convert/run_outcomes.h"

const char16_t kRunJournalFile[] = u"Vidmorph.journal";
const char16_t kDamagedJournalFile[] = u"Vidmorph.journal.damaged";

namespace {

// The file: the magic, then records of [length][payload][checksum of the
// payload], little-endian; a payload starts with its kind.
const uint8_t kMagic[4] = {'V', 'M', 'J', '1'};
enum Kind : uint8_t { kBegun = 1, kStarting = 2, kEnded = 3, kRunEnded = 4 };
// A record longer than this is garbage: a run's input list stays far below it.
constexpr uint32_t kMostRecordBytes = 64u << 20;
// Likewise a count of a list: no run comes near it.
constexpr uint32_t kMostItems = 1u << 22;

uint32_t Checksum(const uint8_t* data, size_t size) {
  uint32_t h = 2166136261u;  // 32-bit FNV-1a
  for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
  return h;
}

class Writer {
 public:
  explicit Writer(Kind kind) { m_bytes.push_back(kind); }
  Writer& U8(uint8_t v) {
    m_bytes.push_back(v);
    return *this;
  }
  Writer& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) m_bytes.push_back(uint8_t(v >> (8 * i)));
    return *this;
  }
  Writer& U64(uint64_t v) { return U32(uint32_t(v)).U32(uint32_t(v >> 32)); }
  Writer& Text(const std::u16string& s) {
    U32(uint32_t(s.size()));
    for (char16_t c : s) {
      m_bytes.push_back(uint8_t(c));
      m_bytes.push_back(uint8_t(c >> 8));
    }
    return *this;
  }
  // The record as it goes into the file.
  std::vector<uint8_t> Framed() const { return Frame(m_bytes); }

  static std::vector<uint8_t> Frame(const std::vector<uint8_t>& payload) {
    Writer framed(Kind(0));
    framed.m_bytes.clear();
    framed.U32(uint32_t(payload.size()));
    framed.m_bytes.insert(framed.m_bytes.end(), payload.begin(), payload.end());
    framed.U32(Checksum(payload.data(), payload.size()));
    return framed.m_bytes;
  }

 private:
  std::vector<uint8_t> m_bytes;
};

// Reads a payload; once anything is missing or out of range, every read
// fails and Ok() says so.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool Ok() const { return m_ok; }
  bool AtEnd() const { return m_pos == m_size; }
  uint8_t U8() {
    if (!Need(1)) return 0;
    return m_data[m_pos++];
  }
  uint32_t U32() {
    if (!Need(4)) return 0;
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(m_data[m_pos++]) << (8 * i);
    return v;
  }
  uint64_t U64() {
    const uint64_t low = U32();
    return low | (uint64_t(U32()) << 32);
  }
  bool Flag() {
    const uint8_t v = U8();
    if (v > 1) m_ok = false;
    return v == 1;
  }
  // A count of items of at least `itemBytes` each that the payload can hold.
  uint32_t Count(size_t itemBytes) {
    const uint32_t n = U32();
    if (n > kMostItems || n * itemBytes > m_size - m_pos) m_ok = false;
    return m_ok ? n : 0;
  }
  std::u16string Text() {
    const uint32_t n = Count(2);
    std::u16string s;
    if (!Need(size_t(n) * 2)) return s;
    s.resize(n);
    for (uint32_t i = 0; i < n; ++i, m_pos += 2)
      s[i] = char16_t(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    return s;
  }
  int32_t Int() { return int32_t(U32()); }
  template <class E>
  E Enum(E last) {
    const uint8_t v = U8();
    if (v > uint8_t(last)) m_ok = false;
    return m_ok ? E(v) : E(0);
  }

 private:
  bool Need(size_t n) {
    if (m_ok && n <= m_size - m_pos) return true;
    m_ok = false;
    return false;
  }
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
  bool m_ok = true;
};

void WriteJob(Writer& w, const CONVERT_JOB& job) {
  w.U8(job.bUseOriginal ? 1 : 0);
  for (int32_t v : {job.nSize, job.nFrameRate, job.nAudioBitrate, job.nVideoBitrate,
                    job.nVideoCodec, job.nAudioCodec, job.nSampleRate, job.nChannels, job.nProfile})
    w.U32(uint32_t(v));
  w.Text(job.strEncoder);
}

void ReadJob(Reader& r, CONVERT_JOB& job) {
  job.bUseOriginal = r.Flag();
  for (int32_t* v :
       {&job.nSize, &job.nFrameRate, &job.nAudioBitrate, &job.nVideoBitrate, &job.nVideoCodec,
        &job.nAudioCodec, &job.nSampleRate, &job.nChannels, &job.nProfile})
    *v = r.Int();
  job.strEncoder = r.Text();
}

std::vector<uint8_t> EndedRecord(const FileRecord& record) {
  Writer w(kEnded);
  w.U32(uint32_t(record.position)).Text(record.input).Text(record.output);
  const FileVerdict& v = record.verdict;
  w.U8(uint8_t(v.outcome)).U8(uint8_t(v.reason)).Text(v.fatalLine).Text(v.tellingLine);
  w.U8(v.exited ? 1 : 0).U32(uint32_t(v.exitCode)).U64(v.outputSize).U64(record.inputSize);
  for (const WallTime& t : {record.started, record.ended})
    for (int part : {t.year, t.month, t.day, t.hour, t.minute, t.second}) w.U32(uint32_t(part));
  return w.Framed();
}

bool ReadEnded(Reader& r, FileRecord& record) {
  record.position = r.U32();
  record.input = r.Text();
  record.output = r.Text();
  FileVerdict& v = record.verdict;
  v.outcome = r.Enum(FileOutcome::StartFailed);
  v.reason = r.Enum(FailReason::NotReached);
  v.fatalLine = r.Text();
  v.tellingLine = r.Text();
  v.exited = r.Flag();
  v.exitCode = r.U32();
  v.outputSize = r.U64();
  record.inputSize = r.U64();
  for (WallTime* t : {&record.started, &record.ended})
    for (int* part : {&t->year, &t->month, &t->day, &t->hour, &t->minute, &t->second})
      *part = r.Int();
  return r.Ok();
}

bool ReadBegun(Reader& r, RunRequest& request) {
  BatchSettings& s = request.settings;
  s.outputFolder = r.Text();
  s.sameAsSource = r.Flag();
  s.overwrite = r.Flag();
  s.appDir = r.Text();
  ReadJob(r, request.job);
  request.simultaneous = r.Int();
  request.inputs.resize(r.Count(12));
  for (INPUT_FILE& input : request.inputs) {
    input.strPath = r.Text();
    input.strName = r.Text();
    input.strRoot = r.Text();
  }
  request.positions.resize(r.Count(4));
  for (size_t& position : request.positions) {
    position = r.U32();
    if (position >= request.inputs.size()) return false;
  }
  return r.Ok();
}

}  // namespace

void RunJournalWriter::RunBegun(const RunRequest& request) {
  Writer w(kBegun);
  const BatchSettings& s = request.settings;
  w.Text(s.outputFolder).U8(s.sameAsSource ? 1 : 0).U8(s.overwrite ? 1 : 0).Text(s.appDir);
  WriteJob(w, request.job);
  w.U32(uint32_t(request.simultaneous));
  w.U32(uint32_t(request.inputs.size()));
  for (const INPUT_FILE& input : request.inputs)
    w.Text(input.strPath).Text(input.strName).Text(input.strRoot);
  // A position past the list is passed over by the run, and left out here.
  std::vector<uint32_t> positions;
  for (size_t position : request.positions)
    if (position < request.inputs.size()) positions.push_back(uint32_t(position));
  w.U32(uint32_t(positions.size()));
  for (uint32_t position : positions) w.U32(position);
  std::vector<uint8_t> bytes(kMagic, kMagic + sizeof kMagic);
  const std::vector<uint8_t> record = w.Framed();
  bytes.insert(bytes.end(), record.begin(), record.end());
  // The records the run goes on from, so that a continued continuation still
  // counts the whole run.
  const std::set<size_t> running(request.positions.begin(), request.positions.end());
  for (const FileRecord& earlier : request.earlier.files) {
    if (running.count(earlier.position) || earlier.position >= request.inputs.size()) continue;
    const std::vector<uint8_t> ended = EndedRecord(earlier);
    bytes.insert(bytes.end(), ended.begin(), ended.end());
  }
  m_append(bytes);
}

void RunJournalWriter::FileStarting(size_t position, const std::u16string& written) {
  m_append(Writer(kStarting).U32(uint32_t(position)).Text(written).Framed());
}

void RunJournalWriter::FileEnded(const FileRecord& record) {
  m_append(EndedRecord(record));
}

void RunJournalWriter::RunEnded() {
  m_append(Writer(kRunEnded).Framed());
}

JournalRun ReadRunJournal(const uint8_t* data, size_t size) {
  JournalRun run;
  if (size == 0) return run;
  run.state = JournalRun::State::Damaged;
  if (size < sizeof kMagic || !std::equal(kMagic, kMagic + sizeof kMagic, data)) return run;
  size_t pos = sizeof kMagic;
  bool begun = false, ended = false;
  std::map<size_t, FileRecord> endedFiles;
  std::map<size_t, std::u16string> writing;
  while (pos < size) {
    const size_t left = size - pos;
    // A record cut short is the last one a stopped program was writing.
    if (left < 4) break;
    const uint32_t length = Reader(data + pos, 4).U32();
    if (length == 0 || length > kMostRecordBytes) return run;
    if (size_t(length) + 8 > left) break;
    const uint8_t* payload = data + pos + 4;
    Reader sum(payload + length, 4);
    if (sum.U32() != Checksum(payload, length)) return run;
    pos += 4 + size_t(length) + 4;
    Reader r(payload + 1, length - 1);
    const uint8_t kind = payload[0];
    if (kind != kBegun && !begun) return run;
    if (kind == kBegun) {
      if (begun || !ReadBegun(r, run.request)) return run;
      begun = true;
    } else if (kind == kStarting) {
      const size_t position = r.U32();
      writing[position] = r.Text();
      if (!r.Ok() || position >= run.request.inputs.size()) return run;
    } else if (kind == kEnded) {
      FileRecord record;
      if (!ReadEnded(r, record) || record.position >= run.request.inputs.size()) return run;
      writing.erase(record.position);
      endedFiles[record.position] = record;
    } else if (kind == kRunEnded) {
      ended = true;
    } else {
      return run;
    }
    if (!r.AtEnd()) return run;
  }
  if (!begun || ended) {
    // Only the magic: the program stopped before the run began.
    run = JournalRun();
    return run;
  }
  run.state = JournalRun::State::Stopped;
  for (auto& [position, record] : endedFiles) run.ended.push_back(record);
  for (auto& [position, written] : writing) run.halfMade.push_back(written);
  return run;
}

std::vector<uint8_t> FramedJournal(const std::vector<std::vector<uint8_t>>& payloads) {
  std::vector<uint8_t> bytes(kMagic, kMagic + sizeof kMagic);
  for (const std::vector<uint8_t>& payload : payloads) {
    const std::vector<uint8_t> record = Writer::Frame(payload);
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  return bytes;
}

std::vector<size_t> JournalRun::NotEnded() const {
  std::vector<size_t> left;
  for (size_t position : request.positions)
    if (std::none_of(ended.begin(), ended.end(),
                     [&](const FileRecord& r) { return r.position == position; }))
      left.push_back(position);
  return left;
}

size_t JournalRun::FileCount() const {
  std::set<size_t> files(request.positions.begin(), request.positions.end());
  for (const FileRecord& record : ended) files.insert(record.position);
  return files.size();
}

RunRequest JournalRun::Continuation() const {
  RunRequest next;
  next.inputs = request.inputs;
  next.settings = request.settings;
  next.job = request.job;
  next.simultaneous = request.simultaneous;
  next.positions = NotEnded();
  // Every input has a record, so that files neither ended nor run count as
  // they did before the stop.
  RecordRun(next.earlier.files, next.inputs, {}, ended, BatchEnd::Finished);
  return next;
}

const std::vector<TextKey<JournalTexts>>& JournalTextKeys() {
  static const std::vector<TextKey<JournalTexts>> keys = {
      {&JournalTexts::question, u"9149-1"},
      {&JournalTexts::damaged, u"9149-2"},
  };
  return keys;
}

std::u16string ContinueQuestion(const JournalRun& run, const JournalTexts& texts) {
  return FillIn(texts.question, {DecimalText(int64_t(run.NotEnded().size())),
                                 DecimalText(int64_t(run.FileCount()))});
}
