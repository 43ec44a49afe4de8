// The lines the run's progress model calls for on standard error: one as
// each file starts and one as it ends, and the whole run's each time the
// model has read its estimate anew, which it does at most once a second.
#pragma once
#include <string>
#include <vector>

#include "app/input_files.h"
#include "cmd/choice.h"
#include "cmd/run_report.h"
#include "convert/run_engine.h"

class ProgressLines {
 public:
  ProgressLines(ProgressForm form, const std::vector<INPUT_FILE>& inputs, const CMD_SETUP& setup)
      : m_form(form), m_inputs(inputs), m_setup(setup) {}

  // The lines for a new state of the model, UTF-8 without their ends.
  std::vector<std::string> Update(const RunProgress& progress);

 private:
  const ProgressForm m_form;
  const std::vector<INPUT_FILE>& m_inputs;
  const CMD_SETUP& m_setup;
  std::vector<FileState> m_states;
  int m_reads = 0;
};
