// What the console program tells of a run: its exit code by precedence, the
// progress lines in both forms, and the report as JSON and as CSV.
#include <gtest/gtest.h>

#include "cmd/run_report.h"
#include "convert/run_outcomes.h"

namespace {

CMD_FILE_RESULT Result(CmdOutcome outcome) {
  CMD_FILE_RESULT r;
  r.outcome = outcome;
  return r;
}

TEST(CmdReport, ExitCodesFollowTheirPrecedence) {
  const std::vector<CMD_FILE_RESULT> fine = {Result(CmdOutcome::Converted),
                                             Result(CmdOutcome::Skipped)};
  const std::vector<CMD_FILE_RESULT> mixed = {Result(CmdOutcome::Converted),
                                              Result(CmdOutcome::Failed)};
  EXPECT_EQ(RunExitCode(fine, false, false), 0);
  EXPECT_EQ(RunExitCode(mixed, false, false), 1);
  EXPECT_EQ(RunExitCode({Result(CmdOutcome::NotStarted)}, false, false), 1);
  EXPECT_EQ(RunExitCode(mixed, false, true), 3);
  EXPECT_EQ(RunExitCode(mixed, true, true), 130);
}

TEST(CmdReport, TheRunsRecordsBecomeResultsInTheResultPagesWords) {
  FileRecord converted;
  converted.position = 3;
  converted.input = u"C:\\a.avi";
  converted.output = u"C:\\a.avi.mp3";
  converted.inputSize = 2048;
  converted.started = {2026, 12, 10, 4, 5, 6};
  converted.ended = {2026, 12, 10, 4, 5, 9};
  converted.verdict.outcome = FileOutcome::Succeeded;
  converted.verdict.exited = true;
  converted.verdict.outputSize = 1536;
  FileRecord failed;
  failed.input = u"C:\\b.avi";
  failed.verdict.outcome = FileOutcome::Failed;
  failed.verdict.reason = FailReason::ExitCode;
  failed.verdict.tellingLine = u"Invalid data found when processing input";
  failed.verdict.exited = true;
  failed.verdict.exitCode = 1;
  FileRecord notReached;
  notReached.verdict.outcome = FileOutcome::StartFailed;
  notReached.verdict.reason = FailReason::NotReached;

  const std::vector<CMD_FILE_RESULT> r = ResultsOf({converted, failed, notReached});
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].position, 3u);
  EXPECT_EQ(r[0].outcome, CmdOutcome::Converted);
  EXPECT_EQ(r[0].result, u"Converted (" + SizeText(1536, NumberTexts{}) + u")");
  EXPECT_EQ(r[0].reason, u"");
  EXPECT_EQ(r[0].exitCode, 0);
  EXPECT_EQ(r[0].inputBytes, 2048);
  EXPECT_EQ(r[0].outputBytes, 1536);
  EXPECT_EQ(r[0].started, "2026-12-10T04:05:06");
  EXPECT_EQ(r[0].ended, "2026-12-10T04:05:09");
  EXPECT_EQ(r[1].outcome, CmdOutcome::Failed);
  EXPECT_EQ(r[1].result, u"Failed: " + r[1].reason);
  EXPECT_NE(r[1].reason.find(u"Invalid data found"), std::u16string::npos);
  EXPECT_EQ(r[1].exitCode, 1);
  EXPECT_EQ(r[1].inputBytes, -1);
  EXPECT_EQ(r[1].outputBytes, -1);
  EXPECT_EQ(r[1].started, "");
  EXPECT_EQ(r[2].outcome, CmdOutcome::NotStarted);
  EXPECT_EQ(r[2].exitCode, -1);
  EXPECT_EQ(RunExitCode(r, false, false), 1);
}

TEST(CmdReport, ReportsAndLinesEscapeWhatTheyCarry) {
  CMD_FILE_RESULT ok = Result(CmdOutcome::Converted);
  ok.position = 0;
  ok.input = u"C:\\V\u00eddeos\\a \"1\".avi";
  ok.output = u"D:\\Out\\a \"1\".avi.mp3";
  ok.exitCode = 0;
  ok.inputBytes = 1000;
  ok.outputBytes = 250;
  ok.result = u"Converted (250 bytes)";
  ok.started = "2026-12-10T04:05:06";
  ok.ended = "2026-12-10T04:05:07";
  CMD_FILE_RESULT bad = Result(CmdOutcome::Failed);
  bad.position = 2;
  bad.input = u"C:\\b,c.avi";
  bad.reason = u"Invalid data found\twhen processing input\r\n";
  bad.result = u"Failed: " + bad.reason;
  bad.exitCode = 1;

  EXPECT_EQ(ReportJson({ok, bad}, 1),
            "{\n  \"exitCode\": 1,\n  \"files\": [\n"
            "    {\"position\": 0, \"input\": \"C:\\\\V\xC3\xAD"
            "deos\\\\a \\\"1\\\".avi\", "
            "\"output\": \"D:\\\\Out\\\\a \\\"1\\\".avi.mp3\", \"outcome\": \"converted\", "
            "\"result\": \"Converted (250 bytes)\", \"reason\": \"\", \"exitCode\": 0, "
            "\"inputBytes\": 1000, \"outputBytes\": 250, \"started\": \"2026-12-10T04:05:06\", "
            "\"ended\": \"2026-12-10T04:05:07\"},\n"
            "    {\"position\": 2, \"input\": \"C:\\\\b,c.avi\", \"output\": \"\", "
            "\"outcome\": \"failed\", \"result\": \"Failed: Invalid data found\\u0009when "
            "processing input\\u000d\\u000a\", \"reason\": \"Invalid data found\\u0009when "
            "processing input\\u000d\\u000a\", \"exitCode\": 1, \"inputBytes\": null, "
            "\"outputBytes\": null, \"started\": null, \"ended\": null}\n  ]\n}\n");
  EXPECT_EQ(ReportJson({}, 4), "{\n  \"exitCode\": 4,\n  \"files\": []\n}\n");
  EXPECT_EQ(ReportCsv({ok, bad}),
            "position,input,output,outcome,result,reason,exit_code,input_bytes,output_bytes,"
            "started,ended\r\n"
            "0,\"C:\\V\xC3\xAD"
            "deos\\a \"\"1\"\".avi\",\"D:\\Out\\a \"\"1\"\".avi.mp3\",converted,"
            "Converted (250 bytes),,0,1000,250,2026-12-10T04:05:06,2026-12-10T04:05:07\r\n"
            "2,\"C:\\b,c.avi\",,failed,\"Failed: Invalid data found\twhen processing input\r\n\","
            "\"Invalid data found\twhen processing input\r\n\",1,,,,\r\n");

  EXPECT_EQ(StartLine(ProgressForm::Text, 3, 10, ok.input),
            "[3/10] start C:\\V\xC3\xAD"
            "deos\\a \"1\".avi");
  EXPECT_EQ(EndLine(ProgressForm::Text, 3, 10, ok),
            "[3/10] converted C:\\V\xC3\xAD"
            "deos\\a \"1\".avi -> D:\\Out\\a \"1\".avi.mp3");
  EXPECT_EQ(EndLine(ProgressForm::Text, 1, 2, bad),
            "[1/2] failed C:\\b,c.avi: Invalid data found when processing input");
  EXPECT_EQ(EndLine(ProgressForm::Json, 1, 2, bad),
            "{\"event\":\"end\",\"file\":1,\"count\":2,\"input\":\"C:\\\\b,c.avi\",\"output\":\"\","
            "\"outcome\":\"failed\",\"reason\":\"Invalid data found\\u0009when processing "
            "input\\u000d\\u000a\"}");
  RUN_PROGRESS p;
  p.share = 0.4567;
  p.done = 4;
  p.count = 10;
  EXPECT_EQ(RunLine(ProgressForm::Text, p), "run 45.6%, 4/10 files done, time left unknown");
  p.secondsLeft = 3725.4;
  p.speed = 2.5;
  EXPECT_EQ(RunLine(ProgressForm::Text, p), "run 45.6%, 4/10 files done, 1:02:05 left, 2.50x");
  EXPECT_EQ(RunLine(ProgressForm::Json, p),
            "{\"event\":\"run\",\"percent\":45.6,\"done\":4,\"count\":10,\"secondsLeft\":3725,"
            "\"speed\":2.50}");
}

TEST(CmdReport, SharesReportsReadBackInEitherFormAndMerge) {
  CMD_FILE_RESULT ok = Result(CmdOutcome::Converted);
  ok.position = 4;
  ok.input = u"\\\\srv\\V\u00eddeos\\a \"1\",\u65e5.avi";
  ok.output = u"D:\\Out\\a.avi.mp3";
  ok.result = u"Converted (250 bytes)";
  ok.exitCode = 0;
  ok.inputBytes = 1000;
  ok.outputBytes = 250;
  ok.started = "2026-12-10T04:05:06";
  ok.ended = "2026-12-10T04:05:07";
  CMD_FILE_RESULT bad = Result(CmdOutcome::Failed);
  bad.input = u"C:\\b.avi";
  bad.reason = u"Invalid data\tfound\r\n";
  bad.result = u"Failed: " + bad.reason;
  bad.exitCode = 1;
  CMD_FILE_RESULT stopped = Result(CmdOutcome::Stopped);
  stopped.input = u"C:\\c.avi";

  for (bool csv : {false, true}) {
    const std::vector<CMD_FILE_RESULT> written = {ok, bad};
    std::vector<CMD_FILE_RESULT> read;
    int code = -1;
    ASSERT_TRUE(ReadReport(csv ? ReportCsv(written) : ReportJson(written, 1), read, code)) << csv;
    EXPECT_EQ(code, 1);
    ASSERT_EQ(read.size(), 2u);
    // Written again, it is the same file: nothing was lost on the way.
    EXPECT_EQ(ReportJson(read, 1), ReportJson(written, 1)) << csv;
    ASSERT_TRUE(ReadReport(csv ? ReportCsv({stopped}) : ReportJson({stopped}, 130), read, code));
    EXPECT_EQ(code, 130);
    ASSERT_TRUE(ReadReport(csv ? ReportCsv({}) : ReportJson({}, 0), read, code));
    EXPECT_TRUE(read.empty());
  }
  std::vector<CMD_FILE_RESULT> read;
  int code = 0;
  for (const std::string& other :
       {std::string(), std::string("{\"exitCode\": 0}"), std::string("position,input\r\n1,2\r\n"),
        ReportJson({ok}, 0) + "x", ReportCsv({ok}).substr(0, 150)})
    EXPECT_FALSE(ReadReport(other, read, code)) << other;

  EXPECT_EQ(MergedExitCode({0, 1, 0}), 1);
  EXPECT_EQ(MergedExitCode({1, 3, 0}), 3);
  EXPECT_EQ(MergedExitCode({3, 130, 1}), 130);
  EXPECT_EQ(MergedExitCode({0, 0}), 0);
}

}  // namespace
