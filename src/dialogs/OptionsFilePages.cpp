// The File, Logo, Sound and Settings pages of the options dialog: where the text comes from, the
// logo, the sound of a change, and where the settings live and whether the ticker starts at
// login.

#include "core/program/OptionsRules.h"
#include "dialogs/OptionsControls.h"
#include "dialogs/Sources.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/RunAtLogin.h"

namespace {

constexpr int kPathHeight = 56;

platform::ControlBounds Below(const RECT& area, int top, int width, int height = 20) {
  return {static_cast<int>(area.left) + 12, static_cast<int>(area.top) + 12 + top, width, height};
}

platform::ControlBounds RightOf(platform::ControlBounds bounds, int distance) {
  bounds.x += distance;
  return bounds;
}

platform::ControlBounds PathBounds(const RECT& area, int top) {
  return Below(area, top, static_cast<int>(area.right - area.left) - 24, kPathHeight);
}

// The path fields hold long paths: several lines, scrolled, and left out of the Tab order so
// that Tab goes on to the page's buttons.
void MakePathField(const platform::Edit& field, platform::Anchors& anchors) {
  const HWND window = field.Handle();
  const LONG style = ::GetWindowLongA(window, GWL_STYLE);
  ::SetWindowLongA(window, GWL_STYLE, (style & ~WS_TABSTOP) | WS_VSCROLL | ES_AUTOVSCROLL);
  // A changed style takes its frame, the sunken border with it, only when told so.
  ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  anchors.Add(window, platform::kAnchorLeft | platform::kAnchorTop | platform::kAnchorRight);
}

// Radio buttons with a field between them are no group for the system: one is cleared here.
void ChooseOne(platform::RadioButton& chosen, platform::RadioButton& other) {
  chosen.SetChecked(true);
  other.SetChecked(false);
}

}  // namespace

std::string TOptionsForm::GetCurrentUserName() {
  char name[254] = {};
  DWORD size = sizeof name;
  if (!::GetUserNameA(name, &size) || name[0] == '\0') return "this user";
  std::string caption;
  for (const char* c = name; *c; ++c) {
    caption += *c;
    if (*c == '&') caption += '&';  // shown as itself, not as an accelerator
  }
  return caption;
}

void TOptionsForm::CreateFilePage(const RECT& area) {
  const HWND form = Handle();
  HFONT font = font_.get();
  file_.reset(new FileControls{
      {form, "Use &web file", Below(area, 0, 400), IDC_USE_WEB_FILE, font,
       platform::RadioGroup::Starts},
      {form, PathBounds(area, 24), IDC_FILE_URL, font, platform::EditLines::Multi},
      {form, "Use &local file", Below(area, 90, 400), IDC_USE_LOCAL_FILE, font,
       platform::RadioGroup::Starts},
      {form, PathBounds(area, 114), IDC_FILE, font, platform::EditLines::Multi},
      {form, "Local &File", Below(area, 180, 100, 25), IDC_LOCAL_FILE_BUTTON, font},
      // Ending in the code page's ellipsis.
      {form, "&Sources\x85", RightOf(Below(area, 180, 100, 25), 112), IDC_SOURCES_BUTTON, font},
  });
  FileControls& c = *file_;
  MakePathField(c.fileUrl, anchors_);
  MakePathField(c.file, anchors_);
  c.useLocalFile.SetChecked(true);
  pageWindows_[kFilePage] = {c.useWebFile.Handle(), c.fileUrl.Handle(),   c.useLocalFile.Handle(),
                             c.file.Handle(),       c.localFile.Handle(), c.sources.Handle()};
}

void TOptionsForm::CreateLogoPage(const RECT& area) {
  const HWND form = Handle();
  HFONT font = font_.get();
  logo_.reset(new LogoControls{
      {form, "&Use logo", Below(area, 0, 400), IDC_USE_LOGO, font},
      {form, PathBounds(area, 24), IDC_LOGO_FILE, font, platform::EditLines::Multi},
      {form, "Logo &File", Below(area, 90, 100, 25), IDC_LOGO_FILE_BUTTON, font},
      {form, "Show logo on &left", Below(area, 124, 180), IDC_LOGO_LEFT, font,
       platform::RadioGroup::Starts},
      {form, "Show logo on &right", Below(area, 148, 180), IDC_LOGO_RIGHT, font},
      {form, "", Below(area, 178, 440, 48), font},
  });
  LogoControls& c = *logo_;
  MakePathField(c.logoFile, anchors_);
  c.left.SetChecked(true);
  c.left.SetEnabled(false);
  c.right.SetEnabled(false);
  pageWindows_[kLogoPage] = {c.useLogo.Handle(), c.logoFile.Handle(), c.logoFileButton.Handle(),
                             c.left.Handle(),    c.right.Handle(),    c.sizeHint.Handle()};
}

void TOptionsForm::CreateSoundPage(const RECT& area) {
  const HWND form = Handle();
  HFONT font = font_.get();
  sound_.reset(new SoundControls{
      {form, "&Play sound on file change", Below(area, 0, 400), IDC_SOUND_ON_CHANGE, font},
      {form, PathBounds(area, 24), IDC_WAV_FILE, font, platform::EditLines::Multi},
      {form, "Sound &File", Below(area, 90, 100, 25), IDC_SOUND_FILE_BUTTON, font},
  });
  SoundControls& c = *sound_;
  MakePathField(c.wavFile, anchors_);
  pageWindows_[kSoundPage] = {c.soundOnChange.Handle(), c.wavFile.Handle(), c.soundFile.Handle()};
}

void TOptionsForm::CreateSettingsPage(const RECT& area) {
  const HWND form = Handle();
  HFONT font = font_.get();
  const std::string user = GetCurrentUserName();
  settings_.reset(new SettingsControls{
      {form, "Save settings in &registry", Below(area, 0, 440), IDC_USE_REGISTRY, font,
       platform::RadioGroup::Starts},
      {form, "Save settings &in .ini file", Below(area, 24, 440), IDC_USE_INI, font},
      {form, "Use settings &for " + user, Below(area, 60, 440), IDC_CURRENT_USER, font,
       platform::RadioGroup::Starts},
      {form, "Use settings for &all users", Below(area, 84, 440), IDC_ALL_USERS, font},
      {form, "Start Driftline at &Windows login for " + user, Below(area, 120, 440),
       IDC_RUN_FOR_USER, font},
      {form, "Start Driftline at Windows &login for all users", Below(area, 144, 440),
       IDC_RUN_FOR_ALL, font},
  });
  SettingsControls& c = *settings_;
  c.useRegistry.SetChecked(true);
  c.currentUser.SetChecked(true);
  pageWindows_[kSettingsPage] = {c.useRegistry.Handle(), c.useIni.Handle(),
                                 c.currentUser.Handle(), c.allUsers.Handle(),
                                 c.runForUser.Handle(),  c.runForAll.Handle()};
}

// What the system and the command line allow.
void TOptionsForm::AdjustForUserAndSystem() {
  if (family_ != WindowsFamily::Legacy) return;
  file_->useWebFile.SetText("Use &web file (not available for this version of Windows)");
  file_->useWebFile.SetEnabled(false);
  ChooseOne(file_->useLocalFile, file_->useWebFile);
  file_->fileUrl.SetEnabled(false);
}

// The registry's entries as they are: the machine's first, which wins over the user's.
void TOptionsForm::FillRunEntries() {
  const std::string program = platform::ModuleFileName();
  const auto names = [&](HKEY root) {
    const std::optional<std::string> entry = platform::ReadRunEntry(root);
    return entry && core::RunValueNamesProgram(*entry, program);
  };
  if (names(HKEY_LOCAL_MACHINE)) {
    settings_->runForAll.SetChecked(true);
  } else if (names(HKEY_CURRENT_USER)) {
    settings_->runForUser.SetChecked(true);
  }
  RunBoxClick();
  runForAllAtOpen_ = settings_->runForAll.Checked();
  runForUserAtOpen_ = settings_->runForUser.Checked();
}

void TOptionsForm::FillFilePages() {
  const core::TickerSettings& v = snapshot_;
  file_->file.SetText(v.File);
  logo_->logoFile.SetText(v.LogoFile);
  logo_->useLogo.SetChecked(v.UseLogo);
  if (v.LogoRight) ChooseOne(logo_->right, logo_->left);
  sound_->soundOnChange.SetChecked(v.SoundOnChange);
  sound_->wavFile.SetText(v.WavFile);
  if (v.UseFileUrl && family_ != WindowsFamily::Legacy)
    ChooseOne(file_->useWebFile, file_->useLocalFile);
  file_->fileUrl.SetText(v.FileUrl);
  if (snapshotUseIni_) ChooseOne(settings_->useIni, settings_->useRegistry);
  if (snapshotAllUsers_) ChooseOne(settings_->allUsers, settings_->currentUser);
  logo_->left.SetEnabled(v.UseLogo);
  logo_->right.SetEnabled(v.UseLogo);
  SetControlShown(logo_->sizeHint.Handle(), v.UseLogo);
}

bool TOptionsForm::OnFilePagesClicked(UINT id) {
  switch (id) {
    case IDC_USE_WEB_FILE:
    case IDC_USE_LOCAL_FILE: WebChoiceClick(id); return true;
    case IDC_LOCAL_FILE_BUTTON: LocalFileClick(); return true;
    case IDC_SOURCES_BUTTON: SourcesClick(); return true;
    case IDC_USE_LOGO: UseLogoClick(); return true;
    case IDC_LOGO_FILE_BUTTON: LogoFileClick(); return true;
    case IDC_LOGO_LEFT:
    case IDC_LOGO_RIGHT: {
      const bool right = id == IDC_LOGO_RIGHT;
      ChooseOne(right ? logo_->right : logo_->left, right ? logo_->left : logo_->right);
      ApplyValue(&core::TickerSettings::LogoRight, right);
      return true;
    }
    case IDC_SOUND_FILE_BUTTON: SoundFileClick(); return true;
    case IDC_USE_REGISTRY:
    case IDC_USE_INI: {
      const bool ini = id == IDC_USE_INI;
      ChooseOne(ini ? settings_->useIni : settings_->useRegistry,
                ini ? settings_->useRegistry : settings_->useIni);
      bar_.StoreProperties().UseIni = ini;
      return true;
    }
    case IDC_CURRENT_USER:
    case IDC_ALL_USERS: {
      const bool all = id == IDC_ALL_USERS;
      ChooseOne(all ? settings_->allUsers : settings_->currentUser,
                all ? settings_->currentUser : settings_->allUsers);
      bar_.StoreProperties().AllUsers = all;
      return true;
    }
    case IDC_RUN_FOR_USER:
    case IDC_RUN_FOR_ALL: RunBoxClick(); return true;
    default: return false;
  }
}

void TOptionsForm::WebChoiceClick(UINT id) {
  if (id == IDC_USE_WEB_FILE) {
    ChooseOne(file_->useWebFile, file_->useLocalFile);
  } else {
    ChooseOne(file_->useLocalFile, file_->useWebFile);
  }
}

// The bar's own Load File: it applies, reloads and saves at once.
void TOptionsForm::LocalFileClick() {
  ChooseOne(file_->useLocalFile, file_->useWebFile);
  bar_.LoadFileFrom(Handle());
  file_->file.SetText(bar_.Values().File);
}

// Ok in the Sources dialog has made its list the bar's source, as Load File does a file.
void TOptionsForm::SourcesClick() {
  TSourcesForm sources(bar_, Handle());
  if (sources.ShowModal() != IDOK) return;
  ChooseOne(file_->useLocalFile, file_->useWebFile);
  file_->file.SetText(bar_.Values().File);
}

void TOptionsForm::UseLogoClick() {
  const bool use = logo_->useLogo.Checked();
  logo_->left.SetEnabled(use);
  logo_->right.SetEnabled(use);
  SetControlShown(logo_->sizeHint.Handle(), use);
  ApplyValue(&core::TickerSettings::UseLogo, use);
  bar_.FormResize();
}

void TOptionsForm::LogoFileClick() {
  bar_.Log("Options: Open logo file dialog opened");
  const auto path = platform::OpenPictureDialog(Handle(), bar_.Values().LogoFile);
  if (path) {
    bar_.Log("Options: Load logo file " + *path);
    // The same path again is no change to the values, but the picture may have changed on disk.
    if (bar_.Values().LogoFile == *path) {
      bar_.LoadLogo();
    } else {
      ApplyValue(&core::TickerSettings::LogoFile, *path);
    }
    logo_->logoFile.SetText(*path);
  }
  bar_.FormResize();
}

void TOptionsForm::SoundFileClick() {
  bar_.Log("Options: Open sound file dialog opened");
  const platform::OpenFileChoice wav{
      .filter = "Wav file (*.wav)\0*.wav\0", .defaultExtension = "wav", .mustExist = true};
  if (const auto path = platform::OpenFileDialog(Handle(), wav)) {
    sound_->wavFile.SetText(*path);
  }
}

void TOptionsForm::RunBoxClick() {
  const bool forAll = settings_->runForAll.Checked();
  if (forAll) settings_->runForUser.SetChecked(false);
  settings_->runForUser.SetEnabled(!forAll);
}

void TOptionsForm::TabSheet4Show() {
  logo_->sizeHint.SetText(core::LogoSizeHint(bar_.LogoHeight()));
}

void TOptionsForm::CheckFileUrl() {
  file_->fileUrl.SetText(core::NormalizedFileUrl(file_->fileUrl.Text()));
}

bool TOptionsForm::CheckFilesExist() {
  struct Named {
    bool used;
    platform::Edit& field;
    const char* what;
    int page;
  };
  const Named named[] = {
      {file_->useLocalFile.Checked(), file_->file, "File ", kFilePage},
      {logo_->useLogo.Checked(), logo_->logoFile, "Logo file ", kLogoPage},
      {sound_->soundOnChange.Checked(), sound_->wavFile, "Sound file ", kSoundPage},
  };
  for (const Named& each : named) {
    const std::string path = each.field.Text();
    if (!each.used || platform::FileExists(path)) continue;
    const std::string question =
        std::string(each.what) + "\"" + path + "\" not found.  Use anyway?";
    if (::MessageBoxA(Handle(), question.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES) {
      continue;
    }
    ShowPage(each.page);
    each.field.SetFocus();
    return false;
  }
  return true;
}

// Paths are compared with what the dialog opened with, so a path a button already applied is
// applied, and read, once more.
void TOptionsForm::ApplyFilePages() {
  const std::string wavFile = sound_->wavFile.Text();
  if (wavFile != snapshot_.WavFile) ApplyValue(&core::TickerSettings::WavFile, wavFile);
  const std::string file = file_->file.Text();
  if (file != snapshot_.File) {
    ApplyValue(&core::TickerSettings::File, file);
    bar_.ReadSourceNow();
    bar_.aRestoreExecute();
  }
  const std::string logoFile = logo_->logoFile.Text();
  if (logoFile != snapshot_.LogoFile) {
    if (bar_.Values().LogoFile == logoFile) {
      bar_.LoadLogo();
    } else {
      ApplyValue(&core::TickerSettings::LogoFile, logoFile);
    }
  }
  if (!bar_.ForcedIniFile()) {
    WriteRunEntry(HKEY_LOCAL_MACHINE, settings_->runForAll.Checked(), runForAllAtOpen_,
                  "HKEY_LOCAL_MACHINE");
    WriteRunEntry(HKEY_CURRENT_USER, settings_->runForUser.Checked(), runForUserAtOpen_,
                  "HKEY_CURRENT_USER");
  }
  const bool useWeb = file_->useWebFile.Checked();
  CheckFileUrl();
  const std::string url = file_->fileUrl.Text();
  Apply([&](core::TickerSettings& v) {
    v.UseFileUrl = useWeb;
    v.FileUrl = url;
  });
}

// An entry is another copy's, or another program's, unless it names this program file: only
// the user's change of a box touches it, and removing takes only this program's entry.
void TOptionsForm::WriteRunEntry(HKEY root, bool wanted, bool wasWanted, const char* hiveName) {
  if (wanted == wasWanted) return;
  const std::string program = platform::ModuleFileName();
  bool done = true;
  if (wanted) {
    done = platform::WriteRunEntry(root, core::RunValueOf(program));
  } else {
    const std::optional<std::string> entry = platform::ReadRunEntry(root);
    if (entry && core::RunValueNamesProgram(*entry, program)) done = platform::DeleteRunEntry(root);
  }
  if (!done) bar_.Log(std::string("Cannot save to ") + hiveName + "\\" + platform::kRunKeyPath);
}
