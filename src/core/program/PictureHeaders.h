#pragma once
// The headers of bitmap and icon files, checked before the system reads the file: some of the
// system's readers trust the sizes a header gives and read past the end of a damaged file.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Pictures larger than this many pixels are refused, as a logo needs nothing near it.
inline constexpr std::size_t kMaxPicturePixels = std::size_t{16} * 1024 * 1024;

// Why a .bmp file cannot be a picture, or nullopt when its headers hold together: a known
// header, a sane size and depth, and the palette and pixels it describes inside the file.
std::optional<std::string> BitmapFileProblem(std::string_view bytes);

// The same for an .ico file: every image the directory lists lies inside the file, and each
// bitmap image's colour and mask pixels lie inside its image. PNG images are left to the system.
std::optional<std::string> IconFileProblem(std::string_view bytes);

}  // namespace core
