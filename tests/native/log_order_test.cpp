#include <gtest/gtest.h>

#include "convert/log_order.h"

namespace {

using Entries = std::vector<std::u16string>;

// Feeds the steps in order and collects what reaches the log.
struct Log {
  LogOrder<std::u16string> order;
  Entries shown;
  void Add(int file, const std::u16string& entry) { Take(order.Add(file, entry)); }
  void Done(int file) { Take(order.Done(file)); }
  void Take(const Entries& ready) { shown.insert(shown.end(), ready.begin(), ready.end()); }
};

TEST(LogOrder, OneFileAtATimeWritesStraightThrough) {
  Log log;
  for (int file = 0; file < 3; ++file) {
    const std::u16string name(1, char16_t(u'a' + file));
    log.Add(file, name + u" command");
    EXPECT_EQ(log.shown.back(), name + u" command");
    log.Add(file, name + u" chunk");
    EXPECT_EQ(log.shown.back(), name + u" chunk");
    log.Done(file);
  }
  EXPECT_EQ(log.shown.size(), 6u);
  EXPECT_TRUE(log.order.Rest().empty());
}

TEST(LogOrder, LaterFilesWaitForEveryEarlierOneAndStayTogether) {
  Log log;
  log.Add(0, u"a command");
  log.Add(1, u"b command");
  log.Add(0, u"a chunk 1");
  log.Add(1, u"b chunk 1");
  log.Add(2, u"c command");  // skipped: done at once, but behind a and b
  log.Done(2);
  log.Done(1);
  EXPECT_EQ(log.shown, (Entries{u"a command", u"a chunk 1"}));
  log.Add(0, u"a chunk 2");
  log.Add(3, u"d command");
  log.Done(0);
  // a is done, so b (done) and c (done) follow whole, and d, still running, writes on.
  EXPECT_EQ(log.shown, (Entries{u"a command", u"a chunk 1", u"a chunk 2", u"b command",
                                u"b chunk 1", u"c command", u"d command"}));
  log.Add(3, u"d chunk 1");
  EXPECT_EQ(log.shown.back(), u"d chunk 1");
  // A file said done twice, or late, changes nothing.
  log.Done(1);
  log.Add(4, u"e command");
  EXPECT_EQ(log.shown.back(), u"d chunk 1");
}

TEST(LogOrder, TheRestOfACancelledRunComesFileByFile) {
  Log log;
  log.Add(0, u"a command");
  log.Add(2, u"c command");
  log.Add(1, u"b command");
  log.Add(2, u"c chunk");
  EXPECT_EQ(log.order.Rest(), (Entries{u"b command", u"c command", u"c chunk"}));
  // The next run starts afresh.
  log.Add(0, u"a again");
  EXPECT_EQ(log.shown.back(), u"a again");
}

}  // namespace
