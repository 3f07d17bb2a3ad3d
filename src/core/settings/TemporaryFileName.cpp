#include "core/settings/TemporaryFileName.h"

#include <charconv>

namespace core {
namespace {

constexpr std::string_view kSuffix = ".tmp";

// The leading digits of `text` (no sign: from_chars takes none for an unsigned type) as a 32-bit
// number, removed from it; nullopt when there are none or they overflow, as no id or serial does.
std::optional<std::uint32_t> TakeNumber(std::string_view& text) {
  std::uint32_t number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (error != std::errc() || stop == text.data()) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(stop - text.data()));
  return number;
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (text.substr(0, prefix.size()) != prefix) return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

std::string TemporaryPathFor(std::string_view targetPath, std::uint32_t processId,
                             std::uint32_t serial) {
  return std::string(targetPath) + "." + std::to_string(processId) + "-" + std::to_string(serial) +
         std::string(kSuffix);
}

std::optional<std::uint32_t> TemporaryWriterOf(std::string_view targetName,
                                               std::string_view fileName) {
  std::string_view rest = fileName;
  if (targetName.empty() || !TakePrefix(rest, targetName) || !TakePrefix(rest, ".")) {
    return std::nullopt;
  }
  const auto processId = TakeNumber(rest);
  if (!processId || !TakePrefix(rest, "-")) return std::nullopt;
  if (!TakeNumber(rest) || rest != kSuffix) return std::nullopt;
  return processId;
}

}  // namespace core
