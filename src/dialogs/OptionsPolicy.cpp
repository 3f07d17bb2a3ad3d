// Fields an administrator set by policy: disabled, with "Set by your administrator" on their
// page. The bar keeps such a value as the policy says whatever the dialog applies.

#include <algorithm>

#include "dialogs/OptionsControls.h"

namespace {

std::vector<HWND> Spin(const platform::SpinField& field) {
  return {field.Field(), field.UpDown()};
}

std::vector<HWND> Spin(const platform::Label& label, const platform::SpinField& field) {
  return {label.Handle(), field.Field(), field.UpDown()};
}

}  // namespace

std::vector<TOptionsForm::PolicyField> TOptionsForm::PolicyFields() const {
  const MainControls& m = *main_;
  const LinesControls& l = *lines_;
  const ScrollControls& s = *scroll_;
  const AutoControls& a = *auto_;
  const FileControls& f = *file_;
  const LogoControls& g = *logo_;
  const SoundControls& d = *sound_;
  return {
      {kMainPage,
       {m.font.Handle()},
       {"FontName", "FontSize", "FontColor", "FontBold", "FontItalic"}},
      {kMainPage, {m.fontColor.Handle()}, {"FontColor"}},
      {kMainPage, {m.barColor.Handle()}, {"Color"}},
      {kMainPage, {m.horizontal.Handle(), m.vertical.Handle()}, {"Vertical"}},
      {kMainPage, {m.frame.Handle()}, {"Frame"}},
      {kMainPage, {m.alwaysOnTop.Handle()}, {"AlwaysOnTop"}},
      {kMainPage, {m.doNotAdjustDesktop.Handle()}, {"DoNotAdjustDesktop"}},
      {kMainPage, {m.hideTrayIcon.Handle()}, {"HideTrayicon"}},
      {kMainPage, {m.totallyHide.Handle()}, {"TotallyHide"}},
      {kLinesPage,
       {l.wholeFile.Handle(), l.firstLines.Handle(), l.lastLines.Handle()},
       {"LoadFirstLines", "LoadLastLines"}},
      {kLinesPage, Spin(l.linesLabel, l.linesToLoad), {"LinesToLoad"}},
      {kLinesPage, {l.useComment.Handle()}, {"UseComment"}},
      {kLinesPage, {l.comment.Handle()}, {"CommentStr"}},
      {kLinesPage, {l.separatorLabel.Handle(), l.separator.Handle()}, {"FeedSeparator"}},
      {kLinesPage, {l.sourceNames.Handle()}, {"ShowSourceNames"}},
      {kScrollPage, Spin(s.delayLabel, s.delay), {"Delay"}},
      {kScrollPage, Spin(s.amountLabel, s.amount), {"Amount"}},
      {kScrollPage, Spin(s.lineDelayLabel, s.lineDelay), {"VertLineDelay"}},
      {kScrollPage, Spin(s.vertDelayLabel, s.vertDelay), {"VertScrollDelay"}},
      {kScrollPage, Spin(s.vertAmountLabel, s.vertAmount), {"VertScrollAmount"}},
      {kAutoPage, {a.hideOnMissing.Handle()}, {"HideOnMissing"}},
      {kAutoPage, {a.hideOnEmpty.Handle()}, {"HideOnEmpty"}},
      {kAutoPage, {a.hideOnTimer.Handle()}, {"HideOnTimer"}},
      {kAutoPage, Spin(a.hideTime), {"HideTimeDelay"}},
      {kAutoPage, {a.autoReload.Handle()}, {"UseAutoReload"}},
      {kAutoPage, Spin(a.reloadTime), {"GetFileDelay"}},
      {kAutoPage, {a.showOnChange.Handle()}, {"ShowOnChange"}},
      {kAutoPage, {a.showOnMouseOver.Handle()}, {"ShowOnMouseOver"}},
      {kAutoPage, {a.unpause.Handle()}, {"UnPauseOnTimer"}},
      {kAutoPage, Spin(a.pauseTime), {"PauseTimeout"}},
      {kFilePage, {f.useWebFile.Handle(), f.useLocalFile.Handle()}, {"UseFileUrl"}},
      {kFilePage, {f.fileUrl.Handle()}, {"FileUrl"}},
      {kFilePage, {f.file.Handle()}, {"File"}},
      // Load File chooses the local file as well.
      {kFilePage, {f.localFile.Handle()}, {"File", "UseFileUrl"}},
      // A list of sources becomes the bar's source as well.
      {kFilePage, {f.sources.Handle()}, {"File", "UseFileUrl", "FileUrl"}},
      {kLogoPage, {g.useLogo.Handle()}, {"UseLogo"}},
      {kLogoPage, {g.logoFile.Handle(), g.logoFileButton.Handle()}, {"LogoFile"}},
      {kLogoPage, {g.left.Handle(), g.right.Handle()}, {"LogoRight"}},
      {kSoundPage, {d.soundOnChange.Handle()}, {"SoundOnChange"}},
      {kSoundPage, {d.wavFile.Handle(), d.soundFile.Handle()}, {"WavFile"}},
  };
}

bool TOptionsForm::SetByPolicy(const PolicyField& field) const {
  return std::ranges::any_of(field.names,
                             [this](std::string_view name) { return bar_.SetByPolicy(name); });
}

void TOptionsForm::DisableFieldsSetByPolicy() {
  // The controls send their notifications while the pages are still being made.
  if (!settings_) return;
  for (const PolicyField& field : PolicyFields()) {
    if (!SetByPolicy(field)) continue;
    for (HWND control : field.controls) ::EnableWindow(control, FALSE);
  }
}

void TOptionsForm::AddPolicyNotes() {
  std::array<bool, kPageCount> locked{};
  for (const PolicyField& field : PolicyFields()) locked[field.page] |= SetByPolicy(field);
  const RECT area = tabs_->PageArea();
  const platform::ControlBounds bounds{static_cast<int>(area.left) + 12,
                                       static_cast<int>(area.bottom) - 28,
                                       static_cast<int>(area.right - area.left) - 24, 20};
  for (int page = 0; page < kPageCount; ++page) {
    if (!locked[page]) continue;
    const auto& note = policyNotes_.emplace_back(std::make_unique<platform::Label>(
        Handle(), "Set by your administrator", bounds, font_.get()));
    pageWindows_[page].push_back(note->Handle());
    ::ShowWindow(note->Handle(), page == ActivePage() ? SW_SHOW : SW_HIDE);
  }
}
