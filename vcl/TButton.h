#pragma once

#include <functional>
#include <string>

#include "TWinControl.h"

class TForm;

// A push button on a form. Clicking it calls OnClick, then closes a modal form with its
// ModalResult, if it has one. The default button answers Enter, a button whose ModalResult is
// mrCancel answers Esc.
class VCL_API TButton : public TWinControl {
 public:
  TButton(TForm* form, const std::string& caption, int left, int top, int width, int height);

  bool Default = false;
  int ModalResult = 0;
  std::function<void()> OnClick;

  void Click();
  std::string Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CommandNotify(WORD code) override;

 private:
  TForm* FForm;
  std::string FCaption;
};
