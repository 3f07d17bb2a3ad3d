#include "platform/CodePageText.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

// Straight into the string that keeps the text: a large file is decoded without a copy aside.
template <typename WideString>
WideString Wide(std::string_view bytes, UINT codePage) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return {};
  WideString wide(static_cast<std::size_t>(length), 0);
  ::MultiByteToWideChar(codePage, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(wide.data()),
                        length);
  return wide;
}

std::string Narrow(std::wstring_view wide, UINT codePage, DWORD flags, const char* fallback) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, fallback, nullptr);
  return text;
}

bool IsCodePage(unsigned codePage) {
  CPINFO info{};
  return ::GetCPInfo(codePage, &info) != FALSE;
}

}  // namespace

unsigned SystemCodePage() {
  return ::GetACP();
}

std::u16string CodePageToUtf16(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  return Wide<std::u16string>(bytes, codePage != 0 && IsCodePage(codePage) ? codePage : CP_ACP);
}

std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return std::string();
  const auto wide = Wide<std::wstring>(bytes, codePage);
  if (wide.empty()) return std::nullopt;
  return Narrow(wide, CP_UTF8, 0, nullptr);
}

std::string Utf8ToCodePage(std::string_view utf8) {
  return Narrow(Wide<std::wstring>(utf8, CP_UTF8), CP_ACP, WC_NO_BEST_FIT_CHARS, "?");
}

}  // namespace platform
