#include "cmd/progress_lines.h"

#include "convert/output_path.h"

std::vector<std::string> ProgressLines::Update(const RunProgress& p) {
  std::vector<std::string> lines;
  const int count = int(p.files.size());
  m_states.resize(p.files.size(), FileState::Waiting);
  for (size_t i = 0; i < p.files.size(); ++i) {
    const FileProgress& f = p.files[i];
    if (f.state == m_states[i]) continue;
    CMD_FILE_RESULT file;
    file.input = f.name;
    if (f.position < m_inputs.size()) {
      const INPUT_FILE& input = m_inputs[f.position];
      file.input = input.strPath;
      file.output =
          FileOutputPath(m_setup.sameAsSource, m_setup.outputFolder, input, m_setup.job.nProfile);
    }
    // A file passed over goes from waiting to done at once, and is told both.
    if (m_states[i] == FileState::Waiting)
      lines.push_back(StartLine(m_form, int(i) + 1, count, file.input));
    if (f.state == FileState::Done) {
      file.outcome = CmdOutcomeOf(f.outcome, FailReason::None);
      lines.push_back(EndLine(m_form, int(i) + 1, count, file));
    }
    m_states[i] = f.state;
  }
  if (p.estimateReads != m_reads && !p.finished) {
    m_reads = p.estimateReads;
    RUN_PROGRESS run;
    run.share = p.share;
    run.done = p.done;
    run.count = count;
    run.secondsLeft = p.estimate.known ? p.estimate.remaining : -1;
    run.speed = p.estimate.hasSpeed ? p.estimate.speed : -1;
    lines.push_back(RunLine(m_form, run));
  }
  return lines;
}
