#pragma once
// `RichEdit1`: the display lines of the vertical mode, kept in a hidden plain-text rich edit
// control that word-wraps them at the width the layout gives it.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

class DisplayLines {
 public:
  explicit DisplayLines(HWND parent);
  DisplayLines(const DisplayLines&) = delete;
  DisplayLines& operator=(const DisplayLines&) = delete;
  ~DisplayLines();

  void Clear();
  // Replaces the contents: one paragraph per line. Any length is taken.
  void SetLines(const std::vector<std::string_view>& lines);
  void SetWidth(int width);
  // Display lines after wrapping.
  int LineCount() const;
  std::string Line(int index) const;
  std::string Text() const;

 private:
  HWND edit_ = nullptr;
};
