#include <gtest/gtest.h>

#include "FileUtils.h"
#include "StringUtils.h"
#include "TestSupport.h"

TEST(FileUtils, ForceDirectoriesCreatesNonAsciiParents) {
  TempFolder temp;
  const std::string deep = temp.Path() + "录像\\Überordner\\ünder";
  EXPECT_FALSE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep + "\\"));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_FALSE(FileExists(deep));
  WriteTextFile(deep + "\\片.txt", "x");
  EXPECT_TRUE(FileExists(deep + "\\片.txt"));
  EXPECT_TRUE(RemoveFile(deep + "\\片.txt"));
  EXPECT_FALSE(FileExists(deep + "\\片.txt"));
}

TEST(FileUtils, PathParts) {
  EXPECT_EQ(ExtractFilePath("C:\\a\\b.avi"), "C:\\a\\");
  EXPECT_EQ(ExtractFileName("C:\\a\\b.avi"), "b.avi");
  EXPECT_EQ(ExtractFilePath("b.avi"), "");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\a"), "C:\\a\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\a\\"), "C:\\a\\");
}

TEST(StringUtils, Utf8RoundTripAndIntegers) {
  const std::string text = "开始录制 – ünïcode";
  EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
  struct { const char* text; bool ok; int value; } cases[] = {
      {"42", true, 42},   {" -7 ", true, -7},  {"+3", true, 3},        {"", false, 0},
      {"abc", false, 0},  {"12x", false, 0},   {"2147483648", false, 0}, {"-2147483648", true, INT32_MIN},
  };
  for (const auto& c : cases) {
    const auto value = TryStrToInt(c.text);
    EXPECT_EQ(value.has_value(), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(*value, c.value) << c.text;
    }
  }
}
