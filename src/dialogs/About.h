#pragma once
// TAboutBox: the program's name, version, notice and web address over the bar; the address
// opens with the user's browser.

#include <memory>
#include <string>

#include "dialogs/BarOperations.h"
#include "platform/Controls.h"
#include "platform/Handles.h"
#include "platform/ModalForm.h"

enum AboutControlId : UINT { IDC_ABOUT_LINK = 100 };

class TAboutBox : public platform::ModalForm {
 public:
  static constexpr int kClientWidth = 298;
  static constexpr int kClientHeight = 218;

  explicit TAboutBox(BarOperations& bar);

 private:
  void CreateControls(const AboutTexts& texts);
  void Place();
  void OnPaint();
  void UrlLabelClick();
  LRESULT OnLinkColor(HDC dc);

  bool PreTranslate(const MSG& message) override;
  UINT DefaultButtonId() const override { return IDOK; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  BarOperations& bar_;
  // Of the bar's monitor, where the dialog opens: its controls and font are laid out for it.
  const int dpi_;
  platform::UniqueFont font_;
  platform::UniqueFont boldFont_;
  platform::UniqueIcon icon_;
  std::string address_;
  HWND link_ = nullptr;
  std::unique_ptr<platform::Button> ok_;
};
