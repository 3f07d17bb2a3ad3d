#pragma once
// TOptionsForm: the options dialog. Live controls act on the bar as they change; Cancel puts
// them back from the snapshot taken when the dialog filled itself; Ok applies the others.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/settings/TickerSettings.h"
#include "dialogs/BarOperations.h"
#include "platform/CommonDialogs.h"
#include "platform/Controls.h"
#include "platform/Fonts.h"
#include "platform/ModalForm.h"

// The 9x family of Windows has no web source.
enum class WindowsFamily { Current, Legacy };

// The controls' identifiers, by page.
enum OptionsControlId : UINT {
  IDC_TABS = 100,
  IDC_FONT = 200,
  IDC_FONT_COLOR,
  IDC_BAR_COLOR,
  IDC_HORIZONTAL,
  IDC_VERTICAL,
  IDC_FRAME,
  IDC_ALWAYS_ON_TOP,
  IDC_DO_NOT_ADJUST_DESKTOP,
  IDC_HIDE_TRAY_ICON,
  IDC_TOTALLY_HIDE,
  IDC_WHOLE_FILE = 300,
  IDC_FIRST_LINES,
  IDC_LAST_LINES,
  IDC_LINES_TO_LOAD,
  IDC_USE_COMMENT,
  IDC_COMMENT,
  IDC_FEED_SEPARATOR,
  IDC_SHOW_SOURCE_NAMES,
  IDC_DELAY = 400,
  IDC_AMOUNT,
  IDC_LINE_DELAY,
  IDC_VERT_SCROLL_DELAY,
  IDC_VERT_SCROLL_AMOUNT,
  IDC_USE_WEB_FILE = 600,
  IDC_FILE_URL,
  IDC_USE_LOCAL_FILE,
  IDC_FILE,
  IDC_LOCAL_FILE_BUTTON,
  IDC_SOURCES_BUTTON,
  IDC_USE_LOGO = 700,
  IDC_LOGO_FILE,
  IDC_LOGO_FILE_BUTTON,
  IDC_LOGO_LEFT,
  IDC_LOGO_RIGHT,
  IDC_SOUND_ON_CHANGE = 800,
  IDC_WAV_FILE,
  IDC_SOUND_FILE_BUTTON,
  IDC_USE_REGISTRY = 900,
  IDC_USE_INI,
  IDC_CURRENT_USER,
  IDC_ALL_USERS,
  IDC_RUN_FOR_USER,
  IDC_RUN_FOR_ALL,
  IDC_HIDE_ON_MISSING = 500,
  IDC_HIDE_ON_EMPTY,
  IDC_HIDE_ON_TIMER,
  IDC_HIDE_TIME,
  IDC_AUTO_RELOAD,
  IDC_RELOAD_TIME,
  IDC_SHOW_ON_CHANGE,
  IDC_SHOW_ON_MOUSE_OVER,
  IDC_UNPAUSE,
  IDC_PAUSE_TIME,
};

enum OptionsPage {
  kMainPage,
  kFilePage,
  kLinesPage,
  kScrollPage,
  kAutoPage,
  kLogoPage,
  kSoundPage,
  kSettingsPage,
  kPageCount
};

class TOptionsForm : public platform::ModalForm {
 public:
  static constexpr const char* kTitle = "Driftline Options";
  static constexpr int kWidth = 515;
  static constexpr int kHeight = 407;

  explicit TOptionsForm(BarOperations& bar);
  // As on another family of Windows than the one running.
  TOptionsForm(BarOperations& bar, WindowsFamily family);
  ~TOptionsForm() override;

  void GetSettings();
  void ButtonOkClick();
  void ButtonCancelClick();
  int ActivePage() const;
  // The logon name in captions: "this user" when it cannot be read, any "&" doubled.
  static std::string GetCurrentUserName();
  bool LinesChanged() const { return linesChanged_; }

 private:
  struct MainControls;
  struct LinesControls;
  struct ScrollControls;
  struct AutoControls;
  struct FileControls;
  struct LogoControls;
  struct SoundControls;
  struct SettingsControls;

  void CreateControls();
  void CreateMainPage(const RECT& area);
  void CreateLinesPage(const RECT& area);
  void CreateScrollPage(const RECT& area);
  void CreateAutoPage(const RECT& area);
  void CreateFilePage(const RECT& area);
  void CreateLogoPage(const RECT& area);
  void CreateSoundPage(const RECT& area);
  void CreateSettingsPage(const RECT& area);
  void AdjustForUserAndSystem();
  void FillFilePages();
  void FillRunEntries();
  bool OnFilePagesClicked(UINT id);
  void LocalFileClick();
  void SourcesClick();
  void UseLogoClick();
  void LogoFileClick();
  void SoundFileClick();
  void WebChoiceClick(UINT id);
  void RunBoxClick();
  void TabSheet4Show();
  void CheckFileUrl();
  // Asks about each named file that is missing; false (on the page of the first refused one)
  // when the user would rather correct it.
  bool CheckFilesExist();
  void ApplyFilePages();
  void WriteRunEntry(HKEY root, bool wanted, bool wasWanted, const char* hiveName);
  void Place();
  void ShowPage(int page);
  // Shows or hides a control by its own rule; a page shown again keeps that.
  void SetControlShown(HWND control, bool shown);
  void StoreActiveTab();
  void TakeSnapshot();

  // Handlers.
  void OnClicked(UINT id);
  void OnChanged(UINT id);
  void FontClick();
  void FontColorClick();
  void BarColorClick();
  void TotallyHideClick();
  void LineChoiceClick(UINT id);
  void EnableRows();
  // The controls of a page and the stored values they edit.
  struct PolicyField {
    int page;
    std::vector<HWND> controls;
    std::vector<std::string_view> names;
  };
  std::vector<PolicyField> PolicyFields() const;
  bool SetByPolicy(const PolicyField& field) const;
  // A control whose value a policy sets stays disabled, whatever a handler enables.
  void DisableFieldsSetByPolicy();
  // "Set by your administrator" on each page with such a field.
  void AddPolicyNotes();
  // A live change: the bar's values with `change` made, applied at once.
  void Apply(const std::function<void(core::TickerSettings&)>& change);
  template <typename T>
  void ApplyValue(T core::TickerSettings::*field, T value) {
    Apply([&](core::TickerSettings& values) { values.*field = std::move(value); });
  }

  bool PreTranslate(const MSG& message) override;
  UINT DefaultButtonId() const override { return IDOK; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  BarOperations& bar_;
  // Of the bar's monitor, where the dialog opens: its controls and font are laid out for it.
  const int dpi_;
  platform::UniqueFont font_;
  platform::ColorDialog colorDialog_;
  const WindowsFamily family_;
  bool loading_ = false;
  bool linesChanged_ = false;

  // What Cancel puts back.
  core::TickerSettings snapshot_;
  platform::FontSpec snapshotFont_;
  bool snapshotUseIni_ = false;
  bool snapshotAllUsers_ = false;
  bool runForUserAtOpen_ = false;
  bool runForAllAtOpen_ = false;

  std::unique_ptr<platform::TabControl> tabs_;
  std::unique_ptr<platform::Button> ok_;
  std::unique_ptr<platform::Button> cancel_;
  platform::Anchors anchors_;
  std::array<std::vector<HWND>, kPageCount> pageWindows_;
  std::vector<HWND> hiddenByRule_;
  std::unique_ptr<MainControls> main_;
  std::unique_ptr<LinesControls> lines_;
  std::unique_ptr<ScrollControls> scroll_;
  std::unique_ptr<AutoControls> auto_;
  std::unique_ptr<FileControls> file_;
  std::unique_ptr<LogoControls> logo_;
  std::unique_ptr<SoundControls> sound_;
  std::unique_ptr<SettingsControls> settings_;
  std::vector<std::unique_ptr<platform::Label>> policyNotes_;
};
