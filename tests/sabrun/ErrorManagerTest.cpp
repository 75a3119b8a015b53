#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "TestSupport.h"
#include "YKErrorManager.h"

TEST(ErrorManager, ReportsFromTwoThreadsAllArriveOnce) {
  ScopedSettingsFile settings;
  auto report = [](const char* unit) {
    for (int i = 0; i < 300; ++i) GetYKErrorManager().Error("report " + std::to_string(i), unit, i);
  };
  std::thread capture(report, "capture"), audio(report, "audio");
  capture.join();
  audio.join();
  const auto reports = GetYKErrorManager().PendingReports();
  ASSERT_EQ(reports.size(), 600u);
  std::set<std::pair<std::string, int>> seen;
  for (const auto& r : reports) {
    EXPECT_EQ(r.Message, "report " + std::to_string(r.Line));
    seen.insert({r.Unit, r.Line});
  }
  EXPECT_EQ(seen.size(), 600u);
  GetYKErrorManager().ManageError("Test");
  EXPECT_TRUE(GetYKErrorManager().PendingReports().empty());
}

TEST(ErrorManager, ManageErrorPresentsUnderTitleAndClears) {
  ScopedSettingsFile settings;  // QUORLO_HEADLESS is set by the test script: presented into the log
  SetEnv("QUORLO_HEADLESS", "1");
  GetYKErrorManager().ManageError("Nothing");  // nothing reported: nothing presented
  GetYKErrorManager().Error("Unable to Create the Movie File", "AviFile", 120);
  GetYKErrorManager().ManageAssert("CapState == csRecording", "QXScreenCap", 77);
  GetYKErrorManager().ManageError("开始录制");
  EXPECT_TRUE(GetYKErrorManager().PendingReports().empty());
  const std::string log = ReadTextFile(TYKErrorManager::LogFilePath());
  EXPECT_NE(log.find("[AviFile:120] Unable to Create the Movie File"), std::string::npos) << log;
  EXPECT_NE(log.find("[QXScreenCap:77] Assertion failed: CapState == csRecording"), std::string::npos);
  EXPECT_NE(log.find("[开始录制] Unable to Create the Movie File\r\nAssertion failed: CapState == csRecording"),
            std::string::npos);
  EXPECT_EQ(log.find("[Nothing]"), std::string::npos);
}

TEST(ErrorManager, TemporaryModeTwoOnlyLogsOnItsThread) {
  ScopedSettingsFile settings;
  {
    _YKTempErrMode quiet(TYKErrorManager::emLogOnly);
    GetYKErrorManager().Error("grab failed", "CapThread", 1);
    std::thread other([] { GetYKErrorManager().Error("other thread", "Wave", 2); });
    other.join();
  }
  GetYKErrorManager().Error("after", "CapThread", 3);
  const auto reports = GetYKErrorManager().PendingReports();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].Message, "other thread");
  EXPECT_EQ(reports[1].Message, "after");
  EXPECT_NE(ReadTextFile(TYKErrorManager::LogFilePath()).find("grab failed"), std::string::npos);
  GetYKErrorManager().ManageError("t");
}
