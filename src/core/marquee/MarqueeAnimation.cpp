#include "core/marquee/MarqueeAnimation.h"

#include "core/marquee/MarqueeText.h"

#include <algorithm>
#include <exception>

namespace core {

MarqueeAnimation::TextTaken MarqueeAnimation::TakeText(std::u16string text) {
  // Compared with the stored, stripped text: a raw text with control codes always restarts.
  if (text == text_) return {};
  if (strip_) StripCodesInPlace(text, newControlCode_);
  const bool storedChanged = text != text_;
  text_ = std::move(text);
  measures_.Invalidate();
  started_ = false;
  // A step before the new run's first tick must not walk the old text's positions.
  scroll_.Restart(clientWidth_);
  bounce_.Restart(clientWidth_);
  blink_ = MarqueeBlink{};
  return {true, storedChanged};
}

void MarqueeAnimation::SetStripControlCodes(bool strip) {
  if (strip && !strip_) {
    text_ = StripCodes(text_, newControlCode_);
    measures_.Invalidate();
  }
  strip_ = strip;
}

bool MarqueeAnimation::SetNewControlCode(char code) {
  if (IsRefusedControlCode(code)) return false;
  newControlCode_ = code;
  return true;
}

void MarqueeAnimation::SetClientWidth(int width) {
  clientWidth_ = std::max(width, 0);
}

MarqueeFrame MarqueeAnimation::Tick(TextMeasurer& measurer) {
  if (started_) return Animate(measurer, MarqueeRestart::kContinue, MarqueePrepare::kKeepBand);
  MarqueeFrame frame = Animate(measurer, MarqueeRestart::kRestart, MarqueePrepare::kPrepare);
  started_ = true;
  return frame;
}

MarqueeFrame MarqueeAnimation::Animate(TextMeasurer& measurer, MarqueeRestart restart,
                                       MarqueePrepare prepare) {
  MarqueeFrame frame;
  if (prepare == MarqueePrepare::kPrepare) {
    bandHeight_ = measures_.TextHeight(measurer, text_);
    frame.fillClient = true;
    frame.resizeBand = true;
  }
  const MarqueeStepContext context = Context(measurer);
  if (restart == MarqueeRestart::kRestart) {
    frame.fillClient = true;
    switch (style_) {
      case TScrollStyle::ssScroll: scroll_.Restart(clientWidth_); break;
      case TScrollStyle::ssBlink: blink_.Restart(measurer, text_, clientWidth_); break;
      case TScrollStyle::ssBounce: bounce_.Restart(clientWidth_); break;
    }
  }
  MarqueeFrame step;
  // A failure while stepping (the measurer's) only costs this frame's drawing.
  try {
    switch (style_) {
      case TScrollStyle::ssScroll: step = scroll_.Step(context); break;
      case TScrollStyle::ssBlink: step = blink_.Step(context); break;
      case TScrollStyle::ssBounce: step = bounce_.Step(context); break;
    }
  } catch (const std::exception&) {
    step = MarqueeFrame{};
  }
  frame.fillClient = frame.fillClient || step.fillClient;
  frame.copyBand = step.copyBand;
  frame.text = step.text;
  frame.x = step.x;
  return frame;
}

int MarqueeAnimation::FitHeight(TextMeasurer& measurer, int margin) {
  if (text_.empty()) return core::FitHeight(measurer, text_, margin);
  return measures_.TextHeight(measurer, text_) + margin;
}

std::optional<std::size_t> MarqueeAnimation::TextPositionAt(TextMeasurer& measurer, int x) const {
  if (!started_) return CharacterAt(text_, x, measurer);
  if (style_ != TScrollStyle::ssScroll) return std::nullopt;
  return scroll_.TextPositionAt(x, measurer, text_.size());
}

std::u16string_view MarqueeAnimation::CurrentOutput(MarqueeTimer timer) const {
  if (timer == MarqueeTimer::kStopped) return {};
  switch (style_) {
    case TScrollStyle::ssScroll: return scroll_.Shown();
    case TScrollStyle::ssBlink: return blink_.Shown();
    case TScrollStyle::ssBounce: return bounce_.Shown();
  }
  return {};
}

MarqueeStepContext MarqueeAnimation::Context(TextMeasurer& measurer) {
  return MarqueeStepContext{measurer, measures_, text_, clientWidth_, amount_, continuous_};
}

}  // namespace core
