#include <gtest/gtest.h>

#include "FileUtils.h"
#include "QXApplication.h"
#include "TestSupport.h"
#include "YKIniFile.h"
#include "YKResourceManager.h"

// Language files beside the test program for the duration of a test.
class LanguageFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ForceDirectories(TYKResourceManager::LanguageFolder());
    WriteTextFile(Folder() + "TestDeutsch.ini", "[Language]\r\nName=Deutsch (Test)\r\n[Tindrel]\r\nbaocunshiping=Video speichern\r\n");
  }
  void TearDown() override {
    RemoveFile(Folder() + "TestDeutsch.ini");
    GetResourceManager().LoadLanguage("");
  }
  static std::string Folder() { return TYKResourceManager::LanguageFolder(); }
  ScopedSettingsFile settings;
};

TEST_F(LanguageFiles, LookupFallsBackToBuiltInText) {
  TYKResourceManager& resources = GetResourceManager();
  EXPECT_EQ(resources.GetString("Tindrel", "baocunshiping", "保存视频文件"), "保存视频文件");
  ASSERT_TRUE(resources.LoadLanguage("TestDeutsch"));
  EXPECT_EQ(resources.GetString("Tindrel", "baocunshiping", "保存视频文件"), "Video speichern");
  EXPECT_EQ(resources.GetString("Tindrel", "Nowaveindevice", "没有安装音频输入设备。"), "没有安装音频输入设备。");
  EXPECT_EQ(resources.GetString("Quorlo", "baocunshiping", "default"), "default") << "sections are per module";
  EXPECT_FALSE(resources.LoadLanguage("NoSuchLanguage"));
  EXPECT_EQ(resources.GetString("Tindrel", "baocunshiping", "保存视频文件"), "保存视频文件");
}

TEST_F(LanguageFiles, CurrentLanguagePersists) {
  TQXApplication* app = GetQXApplication();
  const auto names = app->LanguageNames();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names[0], TQXApplication::BuiltInLanguageName);
  EXPECT_NE(std::find(names.begin(), names.end(), "Deutsch (Test)"), names.end());
  EXPECT_FALSE(app->SetCurrentLanguage("Klingon"));
  ASSERT_TRUE(app->SetCurrentLanguage("Deutsch (Test)"));
  EXPECT_EQ(app->CurrentLanguage(), "Deutsch (Test)");
  EXPECT_EQ(app->LanguageResourceName(), "TestDeutsch");
  GetResourceManager().LoadLanguage("");
  EXPECT_EQ(app->CurrentLanguage(), TQXApplication::BuiltInLanguageName);
  app->LoadSavedLanguage();
  EXPECT_EQ(app->CurrentLanguage(), "Deutsch (Test)");
}

TEST(ModuleName, IsTheFileNameWithoutExtension) {
  EXPECT_EQ(TYKResourceManager::GetDefaultModuleName(nullptr), "sabrun_tests");
}
