#include "TCriticalSection.h"

TCriticalSection::TCriticalSection() { InitializeCriticalSection(&FSection); }

TCriticalSection::~TCriticalSection() { DeleteCriticalSection(&FSection); }
