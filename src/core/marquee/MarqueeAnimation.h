#pragma once
// Marquee subsystem: the scrolling, blinking and bouncing text stepped without a window, and
// the vertical mode's lines.
//
// The marquee's animation without a window. The control holds one, forwards its properties,
// calls Tick on each timer tick and draws the frame it gets back; restarts are explicit calls:
// a new text or `Active` off (EndRun) restart at the next tick, `Continuous` at once with
// Animate(kRestart, kPrepare), a new style with Animate(kRestart, kKeepBand); a new size or
// font only redraws, with Animate(kContinue, kPrepare). Each getter returns what its setter kept.

#include "core/marquee/MarqueeBlink.h"
#include "core/marquee/MarqueeBounce.h"
#include "core/marquee/MarqueeScroll.h"
#include "core/marquee/MarqueeStep.h"
#include "core/marquee/MarqueeText.h"
#include "core/marquee/MarqueeTextMeasurer.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core {

enum class MarqueeRestart { kContinue, kRestart };
enum class MarqueePrepare { kKeepBand, kPrepare };
enum class MarqueeTimer { kStopped, kRunning };

class MarqueeAnimation {
 public:
  // Stores a new text (stripped if asked) for a new run; false when it equals the stored text.
  bool SetText(std::u16string_view text) { return TakeText(std::u16string(text)).restarted; }
  struct TextTaken {
    bool restarted = false;      // the raw text differed from the stored one: a new run
    bool storedChanged = false;  // what is stored now differs from before (after stripping)
  };
  // The same, taking the text over: a text of many MB is stripped in place, never copied.
  TextTaken TakeText(std::u16string text);
  // `ScrollText` as stored, after stripping.
  const std::u16string& Text() const { return text_; }

  // Turning it on strips the stored text at once; turning it off brings nothing back.
  void SetStripControlCodes(bool strip);
  bool StripControlCodes() const { return strip_; }

  // Stores the replacement for control codes; false, keeping the old one, for a control code.
  bool SetNewControlCode(char code);
  char NewControlCode() const { return newControlCode_; }

  // Stores it; the property's owner restarts with Animate(kRestart, kPrepare) at once.
  void SetContinuous(bool continuous) { continuous_ = continuous; }
  bool Continuous() const { return continuous_; }

  // Stores it; the next step moves by it.
  void SetScrollAmount(TScrollAmount amount) { amount_ = amount; }
  TScrollAmount ScrollAmount() const { return amount_; }

  // Stores it; a running owner restarts with Animate(kRestart, kKeepBand).
  void SetScrollStyle(TScrollStyle style) { style_ = style; }
  TScrollStyle ScrollStyle() const { return style_; }

  // The width the steps fill (negative counts as 0); the run goes on, a prepare redraws.
  void SetClientWidth(int width);
  int ClientWidth() const { return clientWidth_; }

  // The font or the canvas changed: whole-text measurements are taken again when next needed.
  void InvalidateMeasures() {
    measures_.Invalidate();
    scroll_.ForgetWidths();
  }

  // `Active` went off: the next tick starts a new run from the first frame.
  void EndRun() { started_ = false; }
  // The current run has had its first tick.
  bool Started() const { return started_; }

  // One timer tick: the first tick of a run restarts and prepares, the others just step.
  MarqueeFrame Tick(TextMeasurer& measurer);
  // One step outside the tick: a restart, a prepare (new band size), or both.
  MarqueeFrame Animate(TextMeasurer& measurer, MarqueeRestart restart, MarqueePrepare prepare);

  // Height of the band as of the last prepare (the bitmap's height).
  int BandHeight() const { return bandHeight_; }
  // Client height for `AutoSizeHeight`, from the kept whole-text height; the margin is
  // kFitHeightMargin at the monitor's density.
  int FitHeight(TextMeasurer& measurer, int margin = kFitHeightMargin);

  // The 0-based index in the text of the character drawn at client `x`: in the running scroll,
  // or in the still picture before the first tick. nullopt where no character is drawn, and
  // for the styles whose text does not stay put under the cursor long enough to be aimed at.
  std::optional<std::size_t> TextPositionAt(TextMeasurer& measurer, int x) const;

  // `CurrentOutput`: the characters on screen by style, nothing while the timer is stopped.
  std::u16string_view CurrentOutput(MarqueeTimer timer) const;

 private:
  MarqueeStepContext Context(TextMeasurer& measurer);

  std::u16string text_ = u"+++ Marquee ";
  bool strip_ = true;
  char newControlCode_ = ' ';
  bool continuous_ = false;
  TScrollAmount amount_ = 1;
  TScrollStyle style_ = TScrollStyle::ssScroll;
  int clientWidth_ = 0;
  int bandHeight_ = 0;
  bool started_ = false;
  MarqueeMeasures measures_;
  MarqueeScroll scroll_;
  MarqueeBlink blink_;
  MarqueeBounce bounce_;
};

}  // namespace core
