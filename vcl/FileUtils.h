#pragma once

#include <string>

#include "VclApi.h"

// File and path helpers on UTF-8 paths, backslash-separated.
VCL_API bool FileExists(const std::string& path);
VCL_API bool DirectoryExists(const std::string& path);
VCL_API bool ForceDirectories(const std::string& path);  // creates missing parents too
VCL_API bool RemoveFile(const std::string& path);
VCL_API std::string ExtractFilePath(const std::string& path);  // folder with its trailing backslash
VCL_API std::string ExtractFileName(const std::string& path);
VCL_API std::string IncludeTrailingBackslash(const std::string& path);
VCL_API bool ReadFileBytes(const std::string& path, std::string& content);
VCL_API std::string GetEnvironmentText(const std::string& name);  // "" when unset
