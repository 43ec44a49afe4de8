// Keeps each file's log entries together, and the files in input order, while
// several encoders write at once. The earliest file not yet done writes
// straight through; a later file's entries wait until every earlier file is
// done. With one encoder at a time nothing ever waits.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

class LogOrder {
 public:
  // Each call returns the entries that may go to the log now, in order.
  std::vector<std::u16string> Add(int file, const std::u16string& entry);
  std::vector<std::u16string> Done(int file);
  // At the end of a run (files the run never came to are never done): all
  // that is still held, file by file.
  std::vector<std::u16string> Rest();

 private:
  void MoveOn(std::vector<std::u16string>& ready);

  int m_next = 0;  // the earliest file not yet done
  std::set<int> m_done;
  std::map<int, std::vector<std::u16string>> m_held;
};
