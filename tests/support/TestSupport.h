#pragma once

#include <string>

// A fresh folder for one test, removed afterwards; the process's settings file lives in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& Path() const { return FPath; }  // with a trailing backslash

 private:
  std::string FPath;
};

// Points the settings at a file of a fresh folder for the lifetime of the object.
class ScopedSettingsFile {
 public:
  ScopedSettingsFile();
  const std::string& FilePath() const { return FFile; }
  const std::string& Folder() const { return FFolder.Path(); }

 private:
  TempFolder FFolder;
  std::string FFile;
};

void SetEnv(const std::string& name, const std::string& value);  // "" removes it
std::string ReadTextFile(const std::string& path);
void WriteTextFile(const std::string& path, const std::string& content);
std::string BinFolder();  // where the program and its test executables are

// Fails the test when there is no X display: without one Wine answers GUI calls with
// plausible values and a GUI test would pass without testing anything.
void RequireDisplay();
