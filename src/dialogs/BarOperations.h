#pragma once
// What the options dialog and the About box may do to the bar: read its values, preview and
// apply changed ones, and the few operations beside them. The bar implements it, so the dialogs
// know nothing of its insides; a test can drive a dialog with a stand-in.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/placement/AppBarGeometry.h"
#include "core/settings/SettingsLocation.h"
#include "core/settings/TickerSettings.h"
#include "core/settings/ValueTable.h"
#include "core/sources/Opml.h"
#include "platform/Fonts.h"

// The program's own texts and icon, for the About box.
struct AboutTexts {
  std::string product;
  std::string version;
  std::string notice;
  std::string company;
  std::string webAddress;
  unsigned iconId = 0;
};

class BarOperations {
 public:
  BarOperations() = default;
  BarOperations(const BarOperations&) = delete;
  BarOperations& operator=(const BarOperations&) = delete;
  virtual ~BarOperations() = default;

  // Where the bar is, so that a dialog can be placed over it and owned by it.
  virtual HWND BarWindow() const = 0;
  virtual core::TEdge DockEdge() const = 0;

  // The stored values, and a changed set applied at once (only what changed takes effect). A
  // value an administrator set by policy stays as the policy says.
  virtual const core::TickerSettings& Values() const = 0;
  virtual void ApplyValues(const core::TickerSettings& values) = 0;
  virtual bool SetByPolicy(std::string_view name) const = 0;
  // The whole font, with underline and strikeout, which show but are not stored.
  virtual platform::FontSpec BarFont() const = 0;
  virtual void SetBarFont(const platform::FontSpec& font) = 0;
  // Previews: shown on the bar at once, stored only through ApplyValues.
  virtual void PreviewColor(std::uint32_t color) = 0;
  virtual void SetFrame(bool frame) = 0;

  // Layout after a change of the font, the logo or the frame.
  virtual void aRestoreExecute() = 0;
  virtual void FormResize() = 0;
  virtual void RestackVerticalLines() = 0;
  // The source read again now, whatever its stamp or Last-Modified value says.
  virtual void ReadSourceNow() = 0;
  // Load File, with its file dialog owned by `owner`.
  virtual void LoadFileFrom(HWND owner) = 0;
  virtual void LoadLogo() = 0;
  // The height the logo is shown at.
  virtual int LogoHeight() const = 0;
  virtual void OpenDocument(const std::string& document) = 0;
  virtual void Log(const std::string& message) = 0;

  // The settings store: where it saves, the values of its own, and the bar's values saved now.
  virtual core::SettingsProperties& StoreProperties() = 0;
  virtual bool GetStoredValue(std::string_view name, core::Value& value) const = 0;
  virtual void SetStoredValue(std::string_view name, core::Value value) = 0;
  virtual void SaveTickerSettings() = 0;
  // Started with an ini file named on the command line: the store's place is not the user's.
  virtual bool ForcedIniFile() const = 0;
  // The 9x family of Windows: no web source, and start-at-login entries of its own.
  virtual bool LegacyWindows() const = 0;

  virtual AboutTexts About() const = 0;

  // The sources the bar shows: a list's, or its one source as a list of one; names and
  // addresses in the system's code page.
  virtual std::vector<core::SourceEntry> Sources() const = 0;
  // A list made in the dialog: written to sources.opml in the bar's folder and shown from now
  // on. False, logged, when it could not be written: the bar's source stays.
  virtual bool UseSources(const std::vector<core::SourceEntry>& sources) = 0;
  // How the source at `address` (in the system's code page) did at its last check, in a few
  // words; empty when the bar has not checked it.
  virtual std::string SourceStatus(const std::string& address) const = 0;
};
