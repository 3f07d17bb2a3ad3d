#pragma once
// Pixel sizes are given as they are at 96 DPI, the system's unscaled density; on a monitor of
// another density they scale with it, so that the bar and its dialogs keep their proportions.

#include <cstdint>

namespace core {

inline constexpr std::int32_t kUnscaledDpi = 96;

namespace detail {
constexpr std::int32_t RoundedRatio(std::int64_t value, std::int64_t to, std::int64_t from) {
  const std::int64_t product = value * to;
  const std::int64_t magnitude = ((product < 0 ? -product : product) + from / 2) / from;
  return static_cast<std::int32_t>(product < 0 ? -magnitude : magnitude);
}
}  // namespace detail

// `pixels` at 96 DPI as many pixels at `dpi`, rounded to the nearest as the system rounds; a
// density of 0 or below (one the system did not give) leaves them unscaled.
constexpr std::int32_t ScaledPixels(std::int32_t pixels, std::int32_t dpi) {
  return dpi <= 0 ? pixels : detail::RoundedRatio(pixels, dpi, kUnscaledDpi);
}

// The reverse, for a size measured on the screen and wanted at 96 DPI.
constexpr std::int32_t UnscaledPixels(std::int32_t pixels, std::int32_t dpi) {
  return dpi <= 0 ? pixels : detail::RoundedRatio(pixels, kUnscaledDpi, dpi);
}

}  // namespace core
