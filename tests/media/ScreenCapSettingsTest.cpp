#include <gtest/gtest.h>

#include "FakeCompressors.h"
#include "FileUtils.h"
#include "QXScreenCap.h"
#include "TestSupport.h"
#include "YKIniFile.h"

class ScreenCapSettings : public ::testing::Test {
 protected:
  void TearDown() override {
    for (DWORD fcc : installed) RemoveFakeCompressor(fcc);
  }
  template <DWORD Fcc>
  void Install() {
    InstallFakeCompressor<Fcc>();
    installed.push_back(Fcc);
  }
  void Settings(const std::string& text) { WriteTextFile(settings.FilePath(), text); }

  ScopedSettingsFile settings;
  std::vector<DWORD> installed;
};

TEST_F(ScreenCapSettings, DefaultsWithoutSection) {
  Install<Code("MP42")>();
  TQXScreenCap cap;
  EXPECT_EQ(cap.CapMode, cmScreen);
  EXPECT_EQ(cap.CapState, csStop);
  EXPECT_EQ(cap.FileSaveMode, fsmAskToSave);
  EXPECT_EQ(cap.DefaultFilePath, "");
  EXPECT_EQ(cap.VideoCodec, Code("MP42"));
  EXPECT_EQ(cap.FrameRate, 7u);
  EXPECT_EQ(cap.Quality, -1);
  EXPECT_TRUE(cap.RecordMicrophone);
  EXPECT_TRUE(cap.RecordSpeaker);
  EXPECT_EQ(cap.FileName, "");
  EXPECT_TRUE(cap.CapRect.IsRectEmpty());
}

TEST_F(ScreenCapSettings, CodecTextIsUpperCasedAndPadded) {
  struct { const char* text; DWORD code; } cases[] = {
      {"mp42", Code("MP42")}, {"dib", Code("DIB ")}, {"xvid-long", Code("XVID")}};
  for (const auto& c : cases) {
    Settings(std::string("[ScreenCapture]\nVideoCodec=") + c.text + "\n");
    EXPECT_EQ(TQXScreenCap().VideoCodec, c.code) << c.text;
  }
}

TEST_F(ScreenCapSettings, FallsBackThroughVideoCodecsInFileOrder) {
  const std::string config = "[ScreenCapture]\nVideoCodec=NONE\n";
  const std::string fallbacks = "[VideoCodecs]\nXVID=\nDIVX=\n";
  Settings(config);
  EXPECT_EQ(TQXScreenCap().VideoCodec, Code("NONE")) << "no section: the code read stays";
  Settings(config + fallbacks);
  EXPECT_EQ(TQXScreenCap().VideoCodec, Code("DIVX")) << "nothing installed: the last name tried";
  Install<Code("DIVX")>();
  EXPECT_EQ(TQXScreenCap().VideoCodec, Code("DIVX"));
  Install<Code("NONE")>();
  EXPECT_EQ(TQXScreenCap().VideoCodec, Code("NONE")) << "the configured one when installed";
  EXPECT_EQ(TYKIniFile("").YKReadStringF("VideoCodec", "", "", "ScreenCapture"), "NONE") << "nothing written back";
}

TEST_F(ScreenCapSettings, ModesTakeTheLowByte) {
  Settings("[ScreenCapture]\nCapMode=258\nFileSaveMode=256\nFrameRate=abc\n");
  TQXScreenCap cap;
  EXPECT_EQ(cap.CapMode, cmRegion);
  EXPECT_EQ(cap.FileSaveMode, fsmDefaultPath);
  EXPECT_EQ(cap.FrameRate, 7u) << "an unreadable number gives the default";
}

TEST_F(ScreenCapSettings, SaveThenReadRestoresEveryMember) {
  Install<Code("ZMBV")>();
  TQXScreenCap cap;
  cap.CapMode = static_cast<TCapMode>(7);
  cap.FileSaveMode = fsmDefaultPath;
  cap.DefaultFilePath = "D:\\录像\\Jürgen";
  cap.VideoCodec = Code("ZMBV");
  cap.FrameRate = 25;
  cap.Quality = 8000;
  cap.RecordMicrophone = false;
  cap.RecordSpeaker = false;
  cap.SaveSettings();

  TQXScreenCap loaded;
  EXPECT_EQ(loaded.CapMode, 7);
  EXPECT_EQ(loaded.FileSaveMode, fsmDefaultPath);
  EXPECT_EQ(loaded.DefaultFilePath, "D:\\录像\\Jürgen");
  EXPECT_EQ(loaded.VideoCodec, Code("ZMBV"));
  EXPECT_EQ(loaded.FrameRate, 25u);
  EXPECT_EQ(loaded.Quality, 8000);
  EXPECT_FALSE(loaded.RecordMicrophone);
  EXPECT_FALSE(loaded.RecordSpeaker);
  EXPECT_EQ(TYKIniFile("").YKReadStringF("VideoCodec", "", "", "ScreenCapture"), "ZMBV");
}

TEST_F(ScreenCapSettings, CodeWithZeroByteIsWrittenUpToIt) {
  TQXScreenCap cap;
  cap.VideoCodec = Code("AB\0D");
  cap.SaveSettings();
  EXPECT_EQ(TYKIniFile("").YKReadStringF("VideoCodec", "", "", "ScreenCapture"), "AB");
}

TEST_F(ScreenCapSettings, DefaultFolderReplacesMissingOneAndIsCreated) {
  TempFolder profile;
  SetEnv("USERPROFILE", profile.Path() + "用户");
  Settings("[ScreenCapture]\nDefaultFilePath=" + profile.Path() + "deleted\n");
  TQXScreenCap cap;
  const std::string expected = profile.Path() + "用户\\QXRecord\\";
  EXPECT_EQ(cap.GetDefaultFilePath(), expected);
  EXPECT_TRUE(DirectoryExists(expected));
  EXPECT_EQ(TYKIniFile("").YKReadStringF("DefaultFilePath", "", "", "ScreenCapture"), profile.Path() + "deleted");

  ForceDirectories(profile.Path() + "mine");
  cap.DefaultFilePath = profile.Path() + "mine";
  EXPECT_EQ(cap.GetDefaultFilePath(), profile.Path() + "mine") << "an existing folder is kept as written";
}

TEST_F(ScreenCapSettings, ShippedDefaultsFallBackToTheBuiltInZmbv) {
  Settings(ReadTextFile(BinFolder() + "Quorlo.ini"));
  ASSERT_EQ(TYKIniFile("").YKReadStringF("VideoCodec", "", "", "ScreenCapture"), "MP42");
  EXPECT_EQ(TQXScreenCap().VideoCodec, Code("ZMBV")) << "no MP42 here; ZMBV ships with Quorlo";
}
