#include "DesktopScene.h"

#include <algorithm>

static uint32_t Hash(uint32_t a, uint32_t b) {
  uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  return h ^ h >> 12;
}

static constexpr int LineHeight = 16, CharWidth = 8;

TDesktopScene::TDesktopScene(int width, int height)
    : FWidth(width),
      FHeight(height),
      FDocument{width / 20, height / 12, width * 11 / 20, height * 5 / 6},
      FEditor{width * 3 / 5, height / 8, width * 19 / 20, height * 2 / 3},
      FGlyphs(64 * LineHeight) {
  for (int g = 1; g < 64; ++g)
    for (int row = 3; row < 13; ++row) FGlyphs[g * LineHeight + row] = Hash(g, row) & 0x7E;
}

int TDesktopScene::ScrollAt(int t) {
  const int bursts = t / ScrollPeriod, inBurst = std::min(t % ScrollPeriod, ScrollFrames);
  return (bursts * ScrollFrames + inBurst) * ScrollStep;
}

void TDesktopScene::Render(int t, std::vector<uint32_t>& pixels) const {
  pixels.resize(static_cast<size_t>(FWidth) * FHeight);
  // Random fourth bytes, as a screen grab gives them; they must not matter.
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = Hash(static_cast<uint32_t>(i), t) & 0xFF000000u;
  Fill(pixels, {0, 0, FWidth, FHeight}, 0x3A6EA5);
  for (int i = 0; i < 6; ++i) Fill(pixels, {12, 12 + i * 72, 60, 60 + i * 72}, 0xE0C060 + i * 0x101010);
  const int bar = std::max(2, FHeight / 27);
  Fill(pixels, {0, FHeight - bar, FWidth, FHeight}, 0xC0C0C0);
  Text(pixels, {FWidth - 48, FHeight - bar, FWidth, FHeight}, t / 30, 0, 5, 7);

  for (const TRect& w : {FDocument, FEditor}) {
    Fill(pixels, {w.left - 2, w.top - 22, w.right + 2, w.bottom + 2}, 0x000080);
    Fill(pixels, w, 0xFFFFFF);
  }
  Text(pixels, FDocument, ScrollAt(t) / LineHeight, ScrollAt(t) % LineHeight, 1 << 30, 1);
  Text(pixels, FEditor, 0, 0, t, 2);
  Pointer(pixels, (t * 7) % FWidth, (t * 3) % FHeight);
}

void TDesktopScene::Fill(std::vector<uint32_t>& pixels, TRect r, uint32_t color) const {
  r = {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, FWidth), std::min(r.bottom, FHeight)};
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      uint32_t& p = pixels[static_cast<size_t>(y) * FWidth + x];
      p = (p & 0xFF000000u) | color;
    }
}

// Lines of pseudo-random glyphs, the text shifted up by offset pixels; only the first lastChars
// characters of the whole text are shown.
void TDesktopScene::Text(std::vector<uint32_t>& pixels, TRect r, int firstLine, int offset, int lastChars,
                         uint32_t seed) const {
  r = {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, FWidth), std::min(r.bottom, FHeight)};
  const int columns = std::max(1, (r.right - r.left - 8) / CharWidth);
  for (int y = r.top; y < r.bottom; ++y) {
    const int docY = y - r.top + offset, line = firstLine + docY / LineHeight, row = docY % LineHeight;
    const int lineLength = 10 + Hash(line, seed) % columns;
    for (int x = r.left + 4; x < r.right - 4; ++x) {
      const int column = (x - r.left - 4) / CharWidth;
      if (column >= lineLength || (line * columns + column) >= lastChars + firstLine * columns) continue;
      const uint32_t glyph = Hash(line * 131 + column, seed) % 64;
      if (FGlyphs[glyph * LineHeight + row] >> ((x - r.left - 4) % CharWidth) & 1) {
        uint32_t& p = pixels[static_cast<size_t>(y) * FWidth + x];
        p = (p & 0xFF000000u) | (glyph % 5 ? 0x101010 : 0xA01010);
      }
    }
  }
}

void TDesktopScene::Pointer(std::vector<uint32_t>& pixels, int x, int y) const {
  for (int row = 0; row < 19 && y + row < FHeight; ++row)
    for (int col = 0; col <= row * 2 / 3 && col < 12 && x + col < FWidth; ++col) {
      uint32_t& p = pixels[static_cast<size_t>(y + row) * FWidth + x + col];
      p = (p & 0xFF000000u) | (col == 0 || col == row * 2 / 3 ? 0x000000 : 0xFFFFFF);
    }
}
