#include "QXScreenCap.h"

const WAVEFORMATEX* TQXScreenCap::StartMicrophone() { return nullptr; }

void TQXScreenCap::StopMicrophone() {}
