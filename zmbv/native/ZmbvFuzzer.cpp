#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodeFuzzInput(data, size);
  return 0;
}
