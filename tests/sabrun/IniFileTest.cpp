#include <windows.h>

#include <gtest/gtest.h>

#include "FileUtils.h"
#include "StringUtils.h"
#include "TStringList.h"
#include "TestSupport.h"
#include "YKErrorManager.h"
#include "YKIniFile.h"
#include "YKUtils.h"

TEST(IniFile, TextRoundTripsUnchanged) {
  ScopedSettingsFile settings;
  const std::string values[] = {"开始录制", "C:\\Users\\Jürgen\\视频\\", "  padded  ", "line1\r\nline2",
                                "\"quoted\"", "a=b;c", "", "back\\slash\\"};
  int i = 0;
  for (const std::string& value : values) TYKIniFile("").WriteStringF("K" + std::to_string(i++), value, "", "S");
  TYKIniFile ini("");
  i = 0;
  for (const std::string& value : values) EXPECT_EQ(ini.YKReadStringF("K" + std::to_string(i++), "?", "", "S"), value);
}

TEST(IniFile, FileWithNonAsciiPathIsCreatedOnFirstWrite) {
  TempFolder temp;
  const std::string path = temp.Path() + "设置 Ördner\\Quorlo.ini";
  TYKIniFile ini(path);
  EXPECT_EQ(ini.YKReadIntegerF("FrameRate", 7, "", "ScreenCapture"), 7);
  EXPECT_FALSE(FileExists(path));
  ini.WriteIntegerF("FrameRate", 15, "", "ScreenCapture");
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ReadTextFile(path), "[ScreenCapture]\r\nFrameRate=15\r\n");
}

TEST(IniFile, ValueNamesInFileOrderAndCaseInsensitiveNames) {
  ScopedSettingsFile settings;
  WriteTextFile(settings.FilePath(), "; codecs tried in order\n[VideoCodecs]\nXVID=\nDIVX=1\n; note\nZMBV\n[Other]\nA=1\n");
  TYKIniFile ini("");
  TStringList names;
  names.Add("stale");
  ini.GetValueNamesF(&names, "", "videocodecs");
  ASSERT_EQ(names.Count(), 2);
  EXPECT_EQ(names[0], "XVID");
  EXPECT_EQ(names[1], "DIVX");
  EXPECT_TRUE(ini.ValueExistsF("divx", "", "VideoCodecs"));
  EXPECT_FALSE(ini.ValueExistsF("A", "", "VideoCodecs"));
  ini.WriteStringF("MP42", "", "", "VideoCodecs");
  EXPECT_NE(ReadTextFile(settings.FilePath()).find("; note"), std::string::npos) << "comments survive a write";
}

TEST(IniFile, UnreadableValuesGiveDefaults) {
  ScopedSettingsFile settings;
  WriteTextFile(settings.FilePath(), "[S]\nInt=12abc\nBig=99999999999\nBool=perhaps\nYes=true\nNo=0\nSigned= -3 \n");
  TYKIniFile ini("");
  EXPECT_EQ(ini.YKReadIntegerF("Int", 7, "", "S"), 7);
  EXPECT_EQ(ini.YKReadIntegerF("Big", 7, "", "S"), 7);
  EXPECT_EQ(ini.YKReadIntegerF("Signed", 7, "", "S"), -3);
  EXPECT_EQ(ini.YKReadIntegerF("Missing", 7, "", "S"), 7);
  EXPECT_TRUE(ini.YKReadBoolF("Bool", true, "", "S"));
  EXPECT_FALSE(ini.YKReadBoolF("Bool", false, "", "S"));
  EXPECT_TRUE(ini.YKReadBoolF("Yes", false, "", "S"));
  EXPECT_FALSE(ini.YKReadBoolF("No", true, "", "S"));
}

TEST(IniFile, GarbageOrUnreadableFileGivesDefaults) {
  ScopedSettingsFile settings;
  WriteTextFile(settings.FilePath(), std::string("\0\xff\xfe[\x01=\n\n=x\n[S", 13));
  EXPECT_EQ(TYKIniFile("").YKReadStringF("K", "default", "", "S"), "default");

  // A folder where the file should be: it can be neither read nor replaced; the write is
  // reported, nothing crashes.
  TempFolder temp;
  const std::string blocked = temp.Path() + "blocked.ini";
  ForceDirectories(blocked);
  TYKIniFile ini(blocked);
  EXPECT_EQ(ini.YKReadIntegerF("K", 5, "", "S"), 5);
  EXPECT_FALSE(ini.WriteIntegerF("K", 6, "", "S"));
  ASSERT_FALSE(GetYKErrorManager().PendingReports().empty());
  EXPECT_NE(GetYKErrorManager().PendingReports().back().Message.find("blocked.ini"), std::string::npos);
}

TEST(IniFile, OpenObjectsSeeEachOtherAndOutsideChanges) {
  ScopedSettingsFile settings;
  TYKIniFile reader(""), writer("");
  EXPECT_EQ(reader.YKReadStringF("K", "", "", "S"), "");
  writer.WriteStringF("K", "one", "", "S");
  EXPECT_EQ(reader.YKReadStringF("K", "", "", "S"), "one");
  Sleep(20);
  WriteTextFile(settings.FilePath(), "[S]\r\nK=edited by hand, longer\r\n");
  EXPECT_EQ(reader.YKReadStringF("K", "", "", "S"), "edited by hand, longer");
}

TEST(IniFile, MissingFileStartsFromShippedDefaults) {
  ScopedSettingsFile settings;
  const std::string seed = YKGetAppPath() + YKGetAppName() + ".ini";
  WriteTextFile(seed, "[VideoCodecs]\r\nZMBV=\r\n[ScreenCapture]\r\nFrameRate=10\r\n");
  TYKIniFile ini("");
  EXPECT_EQ(ini.YKReadIntegerF("FrameRate", 7, "", "ScreenCapture"), 10);
  ini.WriteIntegerF("Quality", 50, "", "ScreenCapture");
  RemoveFile(seed);
  const std::string saved = ReadTextFile(settings.FilePath());
  EXPECT_NE(saved.find("ZMBV="), std::string::npos);
  EXPECT_NE(saved.find("FrameRate=10"), std::string::npos);
  EXPECT_NE(saved.find("Quality=50"), std::string::npos);
}

// Run only as the child of the test below: writes large values until it is killed.
TEST(IniKill, WriterChild) {
  if (GetEnvironmentText("QUORLO_TEST_WRITER").empty()) GTEST_SKIP() << "helper of KilledWriterLeavesOldOrNewFile";
  for (int n = 1;; ++n) TYKIniFile("").WriteStringF("Payload", std::string(50000, 'a' + n % 26) + std::to_string(n), "", "S");
}

static bool IsWholeValue(const std::string& value) {
  if (value == "initial") return true;
  if (value.size() <= 50000) return false;
  const int n = TryStrToInt(value.substr(50000)).value_or(-1);
  return n > 0 && value.find_first_not_of(static_cast<char>('a' + n % 26)) == 50000;
}

TEST(IniFile, KilledWriterLeavesOldOrNewFile) {
  ScopedSettingsFile settings;
  TYKIniFile("").WriteStringF("Payload", "initial", "", "S");
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=IniKill.WriterChild";
  SetEnv("QUORLO_TEST_WRITER", "1");
  for (int round = 0; round < 6; ++round) {
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
    Sleep(700 + round * 137 % 400);
    TerminateProcess(child.hProcess, 9);
    WaitForSingleObject(child.hProcess, 10000);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    EXPECT_TRUE(IsWholeValue(TYKIniFile("").YKReadStringF("Payload", "", "", "S"))) << "round " << round;
  }
  SetEnv("QUORLO_TEST_WRITER", "");
  EXPECT_NE(TYKIniFile("").YKReadStringF("Payload", "", "", "S"), "initial") << "the writer never wrote";
}
