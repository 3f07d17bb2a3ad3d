#pragma once
// Logo picture files made by the tests, and damaged copies of them.

#include <random>
#include <string>

namespace testing_support {

// A 32-bit icon file of one image, size × size pixels.
void WriteIcon(const std::string& path, int size);
// A baseline JPEG of one grey, through libjpeg.
void WriteJpeg(const std::string& path, int width, int height);

// A damaged copy of a picture file: a few bytes flipped, set to edge values or overwritten with
// extreme 16- and 32-bit numbers, mostly in the headers where the sizes live; a piece cut off,
// repeated or dropped. Only `random` decides, so a seed gives the same files on every run.
std::string MutatedCopy(const std::string& bytes, std::mt19937& random);

}  // namespace testing_support
