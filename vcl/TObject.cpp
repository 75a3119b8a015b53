#include "TObject.h"

TObject::~TObject() = default;
