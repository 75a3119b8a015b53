#pragma once

#include <functional>
#include <memory>

#include "TStrings.h"
#include "TWinControl.h"

class TForm;

// A list of texts on a form, one of which may be selected.
class VCL_API TListBox : public TWinControl {
 public:
  TListBox(TForm* form, int left, int top, int width, int height);
  ~TListBox() override;

  TStrings* Items() { return FItems.get(); }
  int ItemIndex();  // -1: nothing selected
  void SetItemIndex(int index);
  int ItemHeight = 0;  // 0: the font's
  std::function<void()> OnDblClick;

 protected:
  void CreateParams(TCreateParams& params) override;
  void DoHandleCreated() override;
  void CommandNotify(WORD code) override;

 private:
  TForm* FForm;
  std::unique_ptr<TStrings> FItems;
};
