#pragma once
// A fixture with the bar running in the test's own process, from an empty store, so that a
// test can drive its operations and look at its parts.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ProgramDriver.h"
#include "app/Ticker.h"
#include "core/text/TextDecoding.h"

namespace testing_support {

class InProcessBar : public testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    application = std::make_unique<platform::Application>("Driftline");
    bar = std::make_unique<TForm1>(*application);
  }
  void TearDown() override {
    bar.reset();
    application.reset();
    ResetProgramState();
  }

  // Changes stored values the way the options dialog does.
  void Change(const std::function<void(core::TickerSettings&)>& change) {
    core::TickerSettings values = bar->Values();
    change(values);
    bar->ApplyValues(values);
  }
  // The marquee's text in UTF-8.
  std::string Shown() const { return core::Utf8OfUtf16(bar->Marquee().ScrollText()); }

  std::unique_ptr<platform::Application> application;
  std::unique_ptr<TForm1> bar;
};

}  // namespace testing_support
