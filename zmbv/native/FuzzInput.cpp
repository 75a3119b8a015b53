#include "FuzzInput.h"

#include <vector>

#include "ZmbvDecoder.h"

void DecodeFuzzInput(const uint8_t* data, size_t size) {
  if (size < 2) return;
  const int width = 1 + data[0] % 64, height = 1 + data[1] % 64;
  TZmbvDecoder decoder(width, height);
  std::vector<uint8_t> image(static_cast<size_t>(width) * height * 4);
  for (size_t at = 2; at + 2 <= size;) {
    const size_t length = data[at] | data[at + 1] << 8;
    at += 2;
    const size_t take = length < size - at ? length : size - at;
    if (decoder.Decode(data + at, take) == TZmbvResult::Ok) decoder.CopyFrame(image.data(), width * 4);
    at += take;
  }
}
