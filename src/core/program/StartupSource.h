#pragma once
// The text source that start-up takes: the command line's file or address over the stored one.

#include "core/program/CommandLine.h"
#include "core/settings/TickerSettings.h"

namespace core {

// A file on the command line beats an address; old Windows versions (95, 98, Me) have no web
// source at all.
inline TickerSettings WithStartupSource(TickerSettings values, const CommandLineState& commandLine,
                                        bool legacyWindows) {
  if (commandLine.file) {
    values.File = *commandLine.file;
    values.UseFileUrl = false;
  } else if (commandLine.url) {
    values.FileUrl = *commandLine.url;
    values.UseFileUrl = true;
  }
  if (legacyWindows) values.UseFileUrl = false;
  return values;
}

}  // namespace core
