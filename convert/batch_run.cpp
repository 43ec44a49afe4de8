#include "convert/batch_run.h"

#include "convert/batch_schedule.h"

namespace {

char16_t Folded(char16_t c) {
  if (c == u'/') return u'\\';
  return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

}  // namespace

std::u16string OverwriteQuestion(const std::u16string& outputPath) {
  return u"The file: " + outputPath + u" have exist. writeover it? ";
}

std::u16string OutputIsAnInputNote(const std::u16string& outputPath) {
  return u"Not converted: the output " + outputPath + u" is an input file of this run.";
}

bool SamePath(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Folded(a[i]) != Folded(b[i])) return false;
  return true;
}

std::u16string InputGoneNote(const std::u16string& inputPath) {
  return u"Not converted: the input " + inputPath + u" is no longer there.";
}

std::u16string PathProblemNote(const std::u16string& outputPath, PathProblem problem) {
  if (problem == PathProblem::NameTooLong)
    return u"Not converted: a name in the output " + outputPath +
           u" is longer than 255 characters.";
  return u"Not converted: the output " + outputPath +
         u" makes the encoder's command line longer than 32766 characters.";
}

std::u16string FolderFailedNote(const std::u16string& folder, const std::u16string& reason) {
  return u"Not converted: the folder " + folder + u" cannot be created: " + reason;
}

BatchEnd RunBatch(BatchHost& host, const std::vector<INPUT_FILE>& inputs,
                  const BatchSettings& settings, CONVERT_JOB& job, BatchResults& results) {
  return RunBatchAt(host, inputs, AllPositions(inputs.size()), settings, job, results);
}

std::vector<size_t> AllPositions(size_t count) {
  std::vector<size_t> all(count);
  for (size_t i = 0; i < count; ++i) all[i] = i;
  return all;
}

namespace {

// A host of one encoder at a time seen as the host of a schedule.
class OneAtATime : public ScheduleHost {
 public:
  OneAtATime(BatchHost& host, int count) : m_host(host), m_count(count) {}

  bool FileExists(const std::u16string& path) override { return m_host.FileExists(path); }
  bool AskOverwrite(const std::u16string& question) override {
    return m_host.AskOverwrite(question);
  }
  void DeleteFile(const std::u16string& path) override { m_host.DeleteFile(path); }
  std::u16string CreateFolders(const std::u16string& folder) override {
    return m_host.CreateFolders(folder);
  }
  void Log(int, const std::u16string& text) override { m_host.Log(text); }
  void ShowFile(int, const std::u16string& name, int position, int count) override {
    m_host.ShowFile(name, position, count);
  }
  bool StartEncoder(int file, const std::u16string& commandLine,
                    const std::u16string& outputPath) override {
    if (!m_host.StartEncoder(commandLine)) return false;
    m_file = file;
    m_output = outputPath;
    return true;
  }
  EncoderEnd WaitForEncoder() override { return {m_file, m_host.FinishEncoder(m_output)}; }
  // Never more than the one that has just ended.
  void EndEncoders() override {}
  // A run that ends with the file is not done with it.
  void FileDone(int file, FileOutcome outcome) override {
    if (outcome != FileOutcome::Cancelled && outcome != FileOutcome::StartFailed)
      m_host.FileDone(file + 1, m_count);
  }

 private:
  BatchHost& m_host;
  int m_count;
  int m_file = -1;
  std::u16string m_output;
};

}  // namespace

BatchEnd RunBatchAt(BatchHost& host, const std::vector<INPUT_FILE>& inputs,
                    const std::vector<size_t>& positions, const BatchSettings& settings,
                    CONVERT_JOB& job, BatchResults& results) {
  OneAtATime one(host, int(positions.size()));
  return RunScheduledBatch(one, inputs, positions, settings, job, results, 1);
}
