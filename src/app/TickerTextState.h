#pragma once
// The text source's state: the local file's stamp and what the last check found, the display
// lines of the shown text, the logo and the source check's timer. Only TickerText.cpp uses it.

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "core/feed/LinkHitTest.h"
#include "core/text/WordWrap.h"
#include "core/web/WebSchedule.h"
#include "platform/Picture.h"
#include "platform/Timer.h"

struct TickerTextState {
  platform::Timer TimerGetFile{0};
  std::int32_t fileTimestamp = 0;
  bool FileMissing = false;
  bool FileEmpty = false;
  core::DisplayLines RichEdit1;
  core::ItemTable shownItems;  // of RichEdit1's paragraphs, made whenever they are set
  // The marquee's text generation that the shown lines were joined into; 0 while it shows
  // something else, such as the start-up text.
  std::uint64_t marqueeGeneration = 0;
  std::unique_ptr<platform::Picture> imgLogo;
  // Reads of a list file that failed in a row, and the last reason logged.
  core::LastCheck listReads;
  std::string listFailure;
  core::SeededRandom random{std::random_device{}()};
};
