#pragma once

#include <cstdint>
#include <vector>

// Deterministic desktop-like frames for tests and benchmarks: a desktop with icons, a taskbar
// clock, a text window that scrolls now and then, a window where text is being typed and a
// moving mouse pointer. Pixels are 32-bit B, G, R, X with random X bytes (as GDI leaves them),
// top row first, rows packed.
class TDesktopScene {
 public:
  TDesktopScene(int width, int height);
  // Frame number t. The text window scrolls by ScrollStep pixels a frame for ScrollFrames frames
  // every ScrollPeriod frames, starting with frame 1.
  void Render(int t, std::vector<uint32_t>& pixels) const;

  static constexpr int ScrollPeriod = 40, ScrollFrames = 8, ScrollStep = 12;

 private:
  struct TRect {
    int left, top, right, bottom;
  };
  void Fill(std::vector<uint32_t>& pixels, TRect r, uint32_t color) const;
  void Text(std::vector<uint32_t>& pixels, TRect r, int firstLine, int offset, int lastChars, uint32_t seed) const;
  void Pointer(std::vector<uint32_t>& pixels, int x, int y) const;
  static int ScrollAt(int t);

  int FWidth, FHeight;
  TRect FDocument, FEditor;
  std::vector<uint16_t> FGlyphs;  // 64 glyphs of 16 rows, 8 bits each
};
