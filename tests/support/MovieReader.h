#pragma once

#include <windows.h>
#include <mmreg.h>

#include <string>
#include <vector>

// Reads a movie back through the platform's AVI services, decompressing with whatever
// compressor the file names.
struct MovieInfo {
  bool Opened = false;
  LONG VideoFrames = 0;
  DWORD Rate = 0, Scale = 0;
  DWORD Handler = 0;
  int Width = 0, Height = 0;
  bool HasAudio = false;
  WAVEFORMATEX AudioFormat{};
};

MovieInfo ReadMovieInfo(const std::string& path);
// The frame as top-down 32-bit pixels (0x00RRGGBB), empty when it cannot be read.
std::vector<DWORD> ReadMovieFrame(const std::string& path, LONG frame);
