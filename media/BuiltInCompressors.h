#pragma once

#include "TindrelApi.h"

// Makes the compressors that ship with Quorlo (ZMBV) usable by this process through Video for
// Windows, unless the system already has its own of the same code. Cheap after the first call;
// safe from any thread.
TINDREL_API void RegisterBuiltInCompressors();
