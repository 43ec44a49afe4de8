// The journal of a run, kept beside the settings so that a run the program
// did not live to end can be continued at the next start: the run's settings
// and input list first, then one record per change of a file's state, each
// appended with a checksum of its own, so that a run of thousands of files
// never rewrites what it wrote. Reading trusts nothing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/language_text.h"
#include "convert/run_engine.h"

extern const char16_t kRunJournalFile[];
// The name a journal that cannot be read is set aside under.
extern const char16_t kDamagedJournalFile[];

// Writes the records of a run as its engine tells them, each handed whole to
// `append` (the file, on Windows).
class RunJournalWriter : public RunRecorder {
 public:
  using Append = std::function<void(const std::vector<uint8_t>& bytes)>;
  explicit RunJournalWriter(Append append) : m_append(std::move(append)) {}

  void RunBegun(const RunRequest& request) override;
  void FileStarting(size_t position, const std::u16string& written) override;
  void FileEnded(const FileRecord& record) override;
  void RunEnded() override;

 private:
  Append m_append;
};

// What a journal holds.
struct JournalRun {
  enum class State {
    None,     // no journal, an empty one, or a run that ended
    Stopped,  // a run that did not end: it can be continued
    Damaged,  // unreadable: the run is lost
  };
  State state = State::None;
  RunRequest request;  // the run as begun; earlier records are those it carried
  // The records of the files that ended, the carried ones among them, by position.
  std::vector<FileRecord> ended;
  // Files that began writing and never ended: their half-made outputs.
  std::vector<std::u16string> halfMade;

  // The run's files that never ended, in its order.
  std::vector<size_t> NotEnded() const;
  // The files the run counts: the ones it ran and the ones it carried.
  size_t FileCount() const;
  // The run that goes on from here: the files not ended, with the same
  // settings, going on from the records of the rest.
  RunRequest Continuation() const;
};

JournalRun ReadRunJournal(const uint8_t* data, size_t size);
// A journal of these record payloads (each starting with its kind), framed
// as the writer frames them: what a reader meets once the frames hold.
std::vector<uint8_t> FramedJournal(const std::vector<std::vector<uint8_t>>& payloads);

// What the next start says of a journal. English is built in; a language
// pack replaces them by key ("9149-1" on).
struct JournalTexts {
  std::u16string question =
      u"The last conversion stopped with %1 of %2 files not converted. Continue it? Either way, "
      u"the file being written when it stopped is deleted, and a file it was allowed to "
      u"overwrite is gone.";
  std::u16string damaged =
      u"The record of the last conversion could not be read. It was set aside as %1.";
};
const std::vector<TextKey<JournalTexts>>& JournalTextKeys();

// The question on a stopped run, its numbers filled in.
std::u16string ContinueQuestion(const JournalRun& run, const JournalTexts& texts);
