#pragma once

#include "VclApi.h"

// Root of the class tree; string lists keep one of these (or a plain number) per entry.
class VCL_API TObject {
 public:
  virtual ~TObject();
};
