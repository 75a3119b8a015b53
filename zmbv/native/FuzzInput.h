#pragma once

#include <cstddef>
#include <cstdint>

// Feeds a decoder a sequence of frames described by one blob, as the fuzzer produces them:
// width - 1 and height - 1 (one byte each), then frames as a 16-bit little-endian length and
// that many bytes.
void DecodeFuzzInput(const uint8_t* data, size_t size);
