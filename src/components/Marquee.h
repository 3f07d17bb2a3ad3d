#pragma once
// TMarquee: a child window that animates one line of text (scroll, blink, bounce). Each
// step is drawn into an off-screen bitmap and reaches the screen in one BitBlt, so the text
// never flickers. The stepping itself lives in core::MarqueeAnimation.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/marquee/MarqueeAnimation.h"
#include "platform/Fonts.h"
#include "platform/Handles.h"
#include "platform/TextRuns.h"
#include "platform/Timer.h"
#include "platform/Window.h"

enum class TBorderStyle { bsNone, bsSingle };
using core::TScrollStyle;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

struct MarqueeMouse {
  TMouseButton button = TMouseButton::mbLeft;
  WPARAM keys = 0;  // MK_* flags of the message
  int x = 0;
  int y = 0;
};

class TMarquee : public platform::Window {
 public:
  explicit TMarquee(HWND parent);
  ~TMarquee() override;

  void SetActive(bool active);
  bool Active() const { return active_; }
  void SetAutoCenter(bool autoCenter);
  bool AutoCenter() const { return autoCenter_; }
  void SetAutoSizeHeight(bool autoSize);
  bool AutoSizeHeight() const { return autoSizeHeight_; }
  void SetBorderStyle(TBorderStyle style);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetContinuous(bool continuous);
  bool Continuous() const { return animation_.Continuous(); }
  void SetColor(std::uint32_t color);
  std::uint32_t Color() const { return color_; }
  void SetCtl3D(bool ctl3d);
  bool Ctl3D() const { return ctl3d_; }
  std::u16string CurrentOutput() const;
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  void SetFont(const platform::FontSpec& font);
  const platform::FontSpec& Font() const { return font_; }
  // Refuses a control character other than NUL with a message box; false when refused.
  bool SetNewControlCode(char code);
  char NewControlCode() const { return animation_.NewControlCode(); }
  void SetScrollAmount(int amount);  // kept as a byte: modulo 256
  int ScrollAmount() const { return animation_.ScrollAmount(); }
  void SetScrollDelay(UINT delayMs);
  UINT ScrollDelay() const { return timer_.Interval(); }
  void SetScrollStyle(TScrollStyle style);
  TScrollStyle ScrollStyle() const { return animation_.ScrollStyle(); }
  void SetScrollText(const std::u16string& text) { TakeScrollText(text); }
  // Sets the text, taking it over; true when the text the control keeps has changed.
  bool TakeScrollText(std::u16string text);
  const std::u16string& ScrollText() const { return animation_.Text(); }
  // Changes whenever the text kept changes: what was worked out from one text is known stale.
  std::uint64_t TextGeneration() const { return textGeneration_; }
  void SetStripControlCodes(bool strip);
  bool StripControlCodes() const { return animation_.StripControlCodes(); }
  void SetVisible(bool visible);
  bool Visible() const { return visible_; }
  void SetBounds(int x, int y, int width, int height);
  // The window height the text needs in the current font, whatever the height is now.
  int FittedHeight();
  bool TimerRunning() const { return timer_.Enabled(); }
  // The 0-based index in `ScrollText` of the character drawn at client `x`, if any.
  std::optional<std::size_t> TextPositionAt(int x);

  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void(const MarqueeMouse&)> OnMouseDown;
  std::function<void(const MarqueeMouse&)> OnMouseMove;
  std::function<void(const MarqueeMouse&)> OnMouseUp;
  std::function<void(TMarquee&)> OnResize;

 private:
  void CreateControlWindow(RECT bounds);
  void RecreateWindow();
  void UpdateTimer();
  void TimerTick();
  void Animate(core::MarqueeRestart restart, core::MarqueePrepare prepare);
  void Draw(const core::MarqueeFrame& frame);
  void Redraw();
  void FitHeight();
  int ClientWidth() const;
  int ClientHeight() const;
  int BandTop() const;
  void PaintStillPicture(HDC dc);
  void PaintRunning(HDC dc);
  void FillClient(HDC dc);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnWindowPosChanged();
  void OnButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam);
  void OnButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam);

  HWND parent_;
  core::MarqueeAnimation animation_;
  platform::Timer timer_{50};
  platform::FontSpec font_;
  platform::UniqueFont fontHandle_;
  // How the text reaches the canvas in this font, decided when either changes.
  platform::TextPath path_ = platform::TextPath::Direct;
  platform::UniqueBrush colorBrush_;
  platform::UniqueMemoryDc frameDc_;  // the bitmap's canvas, also used to measure
  platform::UniqueBitmap FrameBitmap;
  HGDIOBJ originalBitmap_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  // Of frameDc_ in fontHandle_: declared after them, so that it goes before them.
  platform::ShapedRunCache shapedFrame_;
  int bandWidth_ = 0;
  int bandHeight_ = 0;

  bool active_ = false;
  bool autoCenter_ = true;
  bool autoSizeHeight_ = false;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool ctl3d_ = true;
  std::uint32_t color_ = 0x00FFFFFF;
  bool enabled_ = true;
  bool visible_ = true;
  bool Busy = false;
  bool InPosChange = false;
  bool destroying_ = false;
  std::uint64_t textGeneration_ = 0;
};
