#include "TindrelModule.h"

#include "YKResourceManager.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE TindrelInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

std::string TindrelModuleName() { return TYKResourceManager::GetDefaultModuleName(TindrelInstance()); }
