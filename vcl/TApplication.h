#pragma once

#include <windows.h>

#include <exception>
#include <functional>

#include "TComponent.h"

class TForm;

// The application of this process: its hidden owner window, the message loop and the last
// resort for exceptions raised inside window procedures.
class VCL_API TApplication : public TComponent {
 public:
  TApplication();

  HWND Handle();
  TForm* MainForm = nullptr;

  void Run();              // until the main form closes or Terminate
  void ProcessMessages();  // handles what is queued and returns
  void Terminate();

  void HandleException(const std::exception& error);
  std::function<void(const std::exception&)> OnException;  // default: an error box

 private:
  HWND FHandle = nullptr;
};

extern VCL_API TApplication* Application;
