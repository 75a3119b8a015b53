#pragma once

#include "TindrelApi.h"

class TStrings;

// Access to the installed Video for Windows compressors.
class TINDREL_API TQXVideoCodec {
 public:
  // Appends "FOURCC : description" per compressor that opens, with the code in the object
  // slot; returns how many compressors the system lists. A null list only counts.
  static int EnumerateCompressors(TStrings* list);
  // The system's compressor dialog; false when cancelled (fcc untouched).
  static bool CompressorChoose(unsigned long& fcc);
  // True when a listed compressor reports exactly this code (letter case matters).
  static bool CompressorExist(const unsigned long fcc);
};
