#include "platform/CommonDialogs.h"

#include <string>

#include "core/settings/TickerSettings.h"
#include "platform/CommonDialogsLibrary.h"
#include "platform/Handles.h"
#include "platform/SystemError.h"

namespace platform {

namespace {

int ScreenDpi() {
  ScopedGetDc screen(nullptr);
  return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

// A dialog that returned FALSE was cancelled, unless the dialog library reports an error.
void ThrowIfDialogFailed(const char* dialog) {
  const DWORD code = comdlg32::CommDlgExtendedError();
  if (code == 0) return;
  throw SystemError(code, std::string("The ") + dialog + " dialog could not be shown (error " +
                              std::to_string(code) + ").");
}

LOGFONTA LogFontFrom(const FontSpec& wanted, int dpi) {
  LOGFONTA font{};
  font.lfHeight = -::MulDiv(wanted.size, dpi, 72);
  font.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = wanted.italic;
  font.lfUnderline = wanted.underline;
  font.lfStrikeOut = wanted.strikeOut;
  font.lfCharSet = DEFAULT_CHARSET;
  ::lstrcpynA(font.lfFaceName, wanted.name.c_str(), LF_FACESIZE);
  return font;
}

}  // namespace

std::optional<FontSpec> ChooseFontSpec(HWND owner, const FontSpec& initial) {
  const int dpi = ScreenDpi();
  LOGFONTA font = LogFontFrom(initial, dpi);
  CHOOSEFONTA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpLogFont = &font;
  // No script choice: the program's fonts are made for the system's character set.
  dialog.Flags =
      CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_NOSCRIPTSEL | CF_LIMITSIZE;
  // The sizes the stored value is clamped to, so that a chosen size is kept as it is.
  dialog.nSizeMin = core::kFontSizeRange.low;
  dialog.nSizeMax = core::kFontSizeRange.high;
  dialog.rgbColors = ToColorRef(initial.color);
  if (!comdlg32::ChooseFontA(&dialog)) {
    ThrowIfDialogFailed("font");
    return std::nullopt;
  }
  FontSpec chosen;
  chosen.name = font.lfFaceName;
  // The size in tenths of a point, rounded to whole points; from the height if it is missing.
  chosen.size = dialog.iPointSize > 0
                    ? (dialog.iPointSize + 5) / 10
                    : ::MulDiv(font.lfHeight < 0 ? -font.lfHeight : font.lfHeight, 72, dpi);
  chosen.bold = font.lfWeight >= FW_BOLD;
  chosen.italic = font.lfItalic != 0;
  chosen.underline = font.lfUnderline != 0;
  chosen.strikeOut = font.lfStrikeOut != 0;
  chosen.color = dialog.rgbColors & 0x00FFFFFFu;
  return chosen;
}

std::optional<std::uint32_t> ColorDialog::Choose(HWND owner) {
  CHOOSECOLORA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.rgbResult = last_;
  dialog.lpCustColors = custom_;
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (!comdlg32::ChooseColorA(&dialog)) {
    ThrowIfDialogFailed("colour");
    return std::nullopt;
  }
  last_ = dialog.rgbResult;
  return last_ & 0x00FFFFFFu;
}

}  // namespace platform
