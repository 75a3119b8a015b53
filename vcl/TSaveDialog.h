#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "TComponent.h"

enum : DWORD {
  ofOverwritePrompt = OFN_OVERWRITEPROMPT,
  ofHideReadOnly = OFN_HIDEREADONLY,
  ofEnableSizing = OFN_ENABLESIZING,
};

// The system's "save as" dialog. Filter pairs are separated by '|': "AVI Files(*.avi)|*.avi".
class VCL_API TSaveDialog : public TComponent {
 public:
  explicit TSaveDialog(TComponent* owner);

  std::string Filter;
  std::string Title;
  std::string FileName;  // proposed before, chosen after Execute
  DWORD Options = ofHideReadOnly | ofEnableSizing;

  bool Execute();  // false when cancelled
};
