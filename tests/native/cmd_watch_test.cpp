// A watch folder's memory and choices: the ledger read back as written, a
// torn last line left out and a damaged ledger refused; a file taken only
// once it has held still, never twice while unchanged, again once changed,
// and never one of the watch's own outputs.
#include <gtest/gtest.h>

#include "cmd/watch_ledger.h"
#include "cmd/watch_rules.h"

namespace {

const std::u16string kRoot = u"D:\\Inbox";

WATCHED_FILE Seen(const std::u16string& below, uint64_t size, uint64_t time = 7) {
  return {InputFileUnder(kRoot + u"\\" + below, kRoot), size, time};
}

std::vector<std::u16string> Names(const std::vector<WATCHED_FILE>& files) {
  std::vector<std::u16string> names;
  for (const WATCHED_FILE& f : files) names.push_back(f.file.strName);
  return names;
}

TEST(CmdWatchLedger, ReadsBackWhatItWroteAndRefusesWhatItDidNot) {
  const LEDGER_ENTRY a{LedgerMark::Converted, 1234, 133000000000000000ull,
                       u"Day 1\\caf\u00e9 \u65e5.avi",
                       u"E:\\Out\\Inbox\\Day 1\\caf\u00e9 \u65e5.avi.mp3"};
  const LEDGER_ENTRY b{LedgerMark::Failed, 0, 1, u"bad.avi", u""};
  const LEDGER_ENTRY c{LedgerMark::Skipped, UINT64_MAX, UINT64_MAX, u"kept.avi",
                       u"E:\\kept.avi.mp3"};
  const std::string bytes = kLedgerHeader + LedgerLine(a) + LedgerLine(b) + LedgerLine(c);

  std::vector<LEDGER_ENTRY> read;
  ASSERT_TRUE(ReadLedger(bytes, read));
  ASSERT_EQ(read.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const LEDGER_ENTRY& want = i == 0 ? a : i == 1 ? b : c;
    EXPECT_EQ(read[i].mark, want.mark);
    EXPECT_EQ(read[i].size, want.size);
    EXPECT_EQ(read[i].time, want.time);
    EXPECT_EQ(read[i].path, want.path);
    EXPECT_EQ(read[i].output, want.output);
  }
  // The program ended while appending: what it had written before counts.
  ASSERT_TRUE(ReadLedger(bytes + "converted\t12\t3\tDay", read));
  EXPECT_EQ(read.size(), 3u);
  ASSERT_TRUE(ReadLedger(kLedgerHeader, read));
  EXPECT_TRUE(read.empty());

  const std::string header = kLedgerHeader;
  for (const std::string& damaged :
       {std::string(), std::string("position,input\n"), header.substr(1),
        header + "converted\t12\t3\n", header + "done\t1\t2\ta.avi\t\n",
        header + "converted\t1x\t2\ta.avi\t\n", header + "converted\t1\t2\t\t\n",
        header + "converted\t99999999999999999999\t2\ta.avi\t\n",
        header + "converted\t1\t2\t\xff\xfe.avi\t\n" + LedgerLine(a)}) {
    EXPECT_FALSE(ReadLedger(damaged, read)) << damaged;
    EXPECT_TRUE(read.empty());
  }
}

TEST(CmdWatchRules, AFileIsTakenOnceSettledAndAgainOnlyOnceChanged) {
  WatchRules rules(3, SHARD{});
  // Written in pieces: it grows, and only holding still for 3 seconds counts.
  EXPECT_TRUE(rules.Due({Seen(u"slow.avi", 100)}, 0).empty());
  EXPECT_TRUE(rules.Due({Seen(u"slow.avi", 200)}, 2).empty());
  EXPECT_TRUE(rules.Due({Seen(u"slow.avi", 200)}, 4.9).empty());
  EXPECT_EQ(Names(rules.Due({Seen(u"slow.avi", 200), Seen(u"Sub\\b.avi", 5)}, 5)),
            std::vector<std::u16string>{u"slow.avi"});

  rules.Record({LedgerMark::Converted, 200, 7, u"slow.avi", kRoot + u"\\slow.avi.mp3"});
  rules.Record({LedgerMark::Failed, 5, 7, u"SUB/B.AVI", u""});
  // Neither is taken while unchanged; the output beside its source is no input.
  EXPECT_TRUE(
      rules.Due({Seen(u"slow.avi", 200), Seen(u"Sub\\b.avi", 5), Seen(u"SLOW.AVI.MP3", 9)}, 20)
          .empty());
  EXPECT_TRUE(rules.Due({Seen(u"slow.avi.mp3", 9)}, 30).empty());
  // The failed file, written again, settles and is tried again.
  EXPECT_TRUE(rules.Due({Seen(u"Sub\\b.avi", 5, 8)}, 40).empty());
  EXPECT_EQ(Names(rules.Due({Seen(u"Sub\\b.avi", 5, 8)}, 43)),
            std::vector<std::u16string>{u"b.avi"});

  // A ledger read at a restart keeps the same memory.
  WatchRules restarted(3, SHARD{});
  restarted.Load({{LedgerMark::Converted, 200, 7, u"slow.avi", kRoot + u"\\slow.avi.mp3"}});
  restarted.SetOutputFolder(kRoot + u"\\Converted");
  EXPECT_TRUE(restarted.Due({Seen(u"slow.avi", 200), Seen(u"Converted\\x.avi", 1)}, 0).empty());
  EXPECT_TRUE(restarted.Due({Seen(u"slow.avi", 200), Seen(u"Converted\\x.avi", 1)}, 10).empty());

  // A file renamed while it settles settles anew under its new name.
  EXPECT_TRUE(restarted.Due({Seen(u"part.avi", 50)}, 20).empty());
  EXPECT_TRUE(restarted.Due({Seen(u"whole.avi", 50)}, 22).empty());
  EXPECT_TRUE(restarted.Due({Seen(u"whole.avi", 50)}, 24).empty());
  EXPECT_EQ(Names(restarted.Due({Seen(u"whole.avi", 50)}, 25)),
            std::vector<std::u16string>{u"whole.avi"});
}

TEST(CmdWatchRules, AShareWatchesOnlyItsOwnFiles) {
  std::vector<WATCHED_FILE> seen;
  for (int i = 0; i < 30; ++i)
    seen.push_back(Seen(
        u"clip" + std::u16string(1, char16_t(u'a' + i % 26)) + char16_t(u'0' + i / 26) + u".avi",
        1));
  size_t total = 0;
  for (int k = 1; k <= 2; ++k) {
    WatchRules rules(0, SHARD{k, 2});
    const std::vector<WATCHED_FILE> due = rules.Due(seen, 0);
    for (const WATCHED_FILE& w : due) EXPECT_TRUE(InShard(w.file, SHARD{k, 2}));
    total += due.size();
  }
  EXPECT_EQ(total, seen.size());
}

}  // namespace
