#include "app/DisplayLines.h"

#include <richedit.h>

#include "platform/SystemError.h"
#include "platform/Window.h"

namespace {

// The rich edit classes live in their own library, loaded once for the life of the process.
void EnsureRichEditLoaded() {
  static const HMODULE library = ::LoadLibraryA("riched20.dll");
  if (!library) platform::ThrowLastError();
}

}  // namespace

DisplayLines::DisplayLines(HWND parent) {
  EnsureRichEditLoaded();
  edit_ = platform::CheckHandle(::CreateWindowExA(
      0, RICHEDIT_CLASSA, "", WS_CHILD | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL, 0, 0, 200, 20,
      parent, nullptr, platform::ModuleInstance(), nullptr));
  ::SendMessageA(edit_, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  // The default limit is 64 K characters; a ticker file may be far larger.
  ::SendMessageA(edit_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
}

DisplayLines::~DisplayLines() {
  if (edit_) ::DestroyWindow(edit_);
}

void DisplayLines::Clear() {
  ::SetWindowTextA(edit_, "");
}

void DisplayLines::SetLines(const std::vector<std::string_view>& lines) {
  size_t size = 0;
  for (const auto line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text.append(lines[i]);
  }
  ::SetWindowTextA(edit_, text.c_str());
}

void DisplayLines::SetWidth(int width) {
  RECT bounds{};
  ::GetWindowRect(edit_, &bounds);
  ::SetWindowPos(edit_, nullptr, 0, 0, width, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

int DisplayLines::LineCount() const {
  return static_cast<int>(::SendMessageA(edit_, EM_GETLINECOUNT, 0, 0));
}

std::string DisplayLines::Line(int index) const {
  const auto start = ::SendMessageA(edit_, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
  if (start < 0) return {};
  const auto length = ::SendMessageA(edit_, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  // EM_GETLINE takes the buffer size in its first word and writes no terminating NUL.
  std::string line(std::max<size_t>(static_cast<size_t>(length), sizeof(WORD)) + 1, '\0');
  *reinterpret_cast<WORD*>(line.data()) = static_cast<WORD>(std::min<size_t>(line.size(), 0xFFFF));
  const auto copied = ::SendMessageA(edit_, EM_GETLINE, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(line.data()));
  line.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  return line;
}

std::string DisplayLines::Text() const {
  const int length = ::GetWindowTextLengthA(edit_);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(edit_, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}
