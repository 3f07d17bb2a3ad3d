#include "app/resources.h"

#include <windows.h>

std::string MyResources::GetString(unsigned id) const {
  std::string text(256, '\0');
  for (;;) {
    const int length =
        ::LoadStringA(::GetModuleHandleA(nullptr), id, text.data(), static_cast<int>(text.size()));
    if (length <= 0) return {};
    // A full buffer may mean a cut text: ask again with more room.
    if (static_cast<size_t>(length) + 1 < text.size()) {
      text.resize(static_cast<size_t>(length));
      return text;
    }
    text.resize(text.size() * 4);
  }
}
