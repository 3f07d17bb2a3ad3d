#pragma once
// The options dialog's controls, page by page. Only the dialog's own files use it.

#include "dialogs/Options.h"

struct TOptionsForm::MainControls {
  platform::Button font, fontColor, barColor;
  platform::RadioButton horizontal, vertical;
  platform::CheckBox frame, alwaysOnTop, doNotAdjustDesktop, hideTrayIcon, totallyHide;
};

struct TOptionsForm::LinesControls {
  platform::RadioButton wholeFile, firstLines, lastLines;
  platform::Label linesLabel;
  platform::SpinField linesToLoad;
  platform::CheckBox useComment;
  platform::Edit comment;
  platform::Label separatorLabel;
  platform::Edit separator;
  platform::CheckBox sourceNames;
};

struct TOptionsForm::ScrollControls {
  // Each label is created just before its field, so that its accelerator reaches the field.
  platform::GroupBox horizontalGroup;
  platform::Label delayLabel;
  platform::SpinField delay;
  platform::Label amountLabel;
  platform::SpinField amount;
  platform::GroupBox verticalGroup;
  platform::Label lineDelayLabel;
  platform::SpinField lineDelay;
  platform::Label vertDelayLabel;
  platform::SpinField vertDelay;
  platform::Label vertAmountLabel;
  platform::SpinField vertAmount;
};

struct TOptionsForm::AutoControls {
  platform::CheckBox hideOnMissing, hideOnEmpty, hideOnTimer;
  platform::SpinField hideTime;
  platform::CheckBox autoReload;
  platform::SpinField reloadTime;
  platform::CheckBox showOnChange, showOnMouseOver, unpause;
  platform::SpinField pauseTime;
};

struct TOptionsForm::FileControls {
  platform::RadioButton useWebFile;
  platform::Edit fileUrl;
  platform::RadioButton useLocalFile;
  platform::Edit file;
  platform::Button localFile;
  platform::Button sources;
};

struct TOptionsForm::LogoControls {
  platform::CheckBox useLogo;
  platform::Edit logoFile;
  platform::Button logoFileButton;
  platform::RadioButton left, right;
  platform::Label sizeHint;
};

struct TOptionsForm::SoundControls {
  platform::CheckBox soundOnChange;
  platform::Edit wavFile;
  platform::Button soundFile;
};

struct TOptionsForm::SettingsControls {
  platform::RadioButton useRegistry, useIni;
  platform::RadioButton currentUser, allUsers;
  platform::CheckBox runForUser, runForAll;
};
