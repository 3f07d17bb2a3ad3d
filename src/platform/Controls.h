#pragma once
// The controls of the program's dialogs, created in code at pixel positions given at 96 DPI and
// scaled to the density of the dialog's monitor (dialog templates would scale with the system's
// substitute font instead): buttons, check boxes, radio buttons, labels,
// group boxes, edits, spin fields and the tab control, all in one dialog font, plus anchors
// that keep controls at their distances from the dialog's sides as it is resized.
//
// Setting a check box's or radio button's state sends no BN_CLICKED: a caller that wants the
// handler to run calls it itself.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Handles.h"

namespace platform {

// The one font of every control in a dialog: the system's message font, at `dpi` (0: the
// system's density).
UniqueFont CreateDialogFont(int dpi = 0);

struct ControlBounds {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// A child control of a dialog. Its window goes with its parent; the object only refers to it.
class Control {
 public:
  HWND Handle() const { return hwnd_; }
  UINT Id() const { return id_; }
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetVisible(bool visible);
  void SetText(const std::string& text);
  std::string Text() const;
  void SetFocus();

 protected:
  Control(HWND parent, const char* className, const std::string& text, DWORD style, DWORD exStyle,
          const ControlBounds& bounds, UINT id, HFONT font);

 private:
  HWND hwnd_ = nullptr;
  UINT id_ = 0;
};

enum class ButtonRole { Normal, Default };

class Button : public Control {
 public:
  Button(HWND parent, const std::string& caption, const ControlBounds& bounds, UINT id, HFONT font,
         ButtonRole role = ButtonRole::Normal);
  // As the user's click does: the parent gets BN_CLICKED.
  void Click();
};

class CheckBox : public Control {
 public:
  CheckBox(HWND parent, const std::string& caption, const ControlBounds& bounds, UINT id,
           HFONT font);
  bool Checked() const;
  void SetChecked(bool checked);
};

enum class RadioGroup { Continues, Starts };

class RadioButton : public Control {
 public:
  // The first button of a group starts it (WS_GROUP), so that the arrow keys stay within it.
  RadioButton(HWND parent, const std::string& caption, const ControlBounds& bounds, UINT id,
              HFONT font, RadioGroup group = RadioGroup::Continues);
  bool Checked() const;
  // Checking one clears the others of its group.
  void SetChecked(bool checked);
};

class Label : public Control {
 public:
  Label(HWND parent, const std::string& caption, const ControlBounds& bounds, HFONT font);
};

class GroupBox : public Control {
 public:
  GroupBox(HWND parent, const std::string& caption, const ControlBounds& bounds, HFONT font);
};

enum class EditLines { Single, Multi };

class Edit : public Control {
 public:
  Edit(HWND parent, const ControlBounds& bounds, UINT id, HFONT font,
       EditLines lines = EditLines::Single);
};

// A numeric field with up and down buttons and a 32-bit range. The parent gets EN_CHANGE from
// the field (the field's id) whenever its text changes, by typing or by the buttons.
class SpinField {
 public:
  SpinField(HWND parent, const ControlBounds& bounds, UINT id, HFONT font, std::int32_t minimum,
            std::int32_t maximum);
  SpinField(const SpinField&) = delete;
  SpinField& operator=(const SpinField&) = delete;

  void SetRange(std::int32_t minimum, std::int32_t maximum);
  std::int32_t Minimum() const { return minimum_; }
  std::int32_t Maximum() const { return maximum_; }
  // Text that is no number reads as the minimum; a number out of range as its bound.
  std::int32_t Value() const;
  // A value below the minimum shows as the minimum, above the maximum as the maximum.
  void SetValue(std::int32_t value);
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetFocus();
  HWND Field() const { return field_; }
  HWND UpDown() const { return upDown_; }
  UINT Id() const { return id_; }

 private:
  HWND field_ = nullptr;
  HWND upDown_ = nullptr;
  UINT id_ = 0;
  std::int32_t minimum_;
  std::int32_t maximum_;
};

// Tabs over pages: the pages are the caller's (controls it shows and hides); the tab control
// only tells which page is chosen. The parent gets WM_NOTIFY TCN_SELCHANGE on a user's choice.
class TabControl : public Control {
 public:
  TabControl(HWND parent, const ControlBounds& bounds, UINT id, HFONT font, int tabWidth);
  // Tabs keep the page index they were added with, also when others are hidden.
  void AddTab(const std::string& caption);
  void SetTabVisible(int page, bool visible);
  bool TabVisible(int page) const;
  // The chosen page's index, or -1.
  int Selected() const;
  // Chooses a visible page; sends no notification.
  void Select(int page);
  // The area of the pages, in the parent's client coordinates.
  RECT PageArea() const;

 private:
  std::vector<std::string> captions_;
  std::vector<bool> visible_;
};

enum Anchor : unsigned {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
};

// Keeps controls at their distances from the sides they are anchored to; anchored left and
// right, a control grows with its parent.
class Anchors {
 public:
  // Takes the control's distances to the parent's sides as they are now.
  void Add(HWND control, unsigned anchors);
  // On WM_SIZE, with the parent's new client size.
  void ParentResized(int clientWidth, int clientHeight);

 private:
  struct Anchored {
    HWND control;
    unsigned anchors;
    RECT distances;  // left, top, right and bottom, from the parent's client sides
  };
  std::vector<Anchored> anchored_;
};

}  // namespace platform
