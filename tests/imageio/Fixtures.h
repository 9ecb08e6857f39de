#pragma once
// Shared by the picture suites: the fixture pictures in tests/data/images and PPM files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "toolkit/Bitmap.h"

namespace fixtures {

struct Ppm {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // rows from the top
};

// The bytes of tests/data/images/`name`; a test failure (and no bytes) when it cannot be read.
std::vector<std::uint8_t> ImageBytes(const std::string& name);
// Reads a binary PPM (P6, maxval 255, or 65535 narrowed with v div 257); width 0 when it
// cannot.
Ppm ReadPpm(const std::string& fileName);
// The bitmap's pixels as an RGB picture.
Ppm FromBitmap(const toolkit::TBitmap& bitmap);
// Every fixture picture (files that have a reference decoding beside them) in
// tests/data/images and every folder below it, sorted.
std::vector<std::filesystem::path> Pictures();
// A test name for a picture file: the letters and digits of its file name.
std::string PictureName(const ::testing::TestParamInfo<std::filesystem::path>& info);
// The largest difference of one sample; kSizesDiffer, beyond any tolerance, when the sizes
// differ.
inline constexpr int kSizesDiffer = 256;
int MaxDifference(const Ppm& a, const Ppm& b);

}  // namespace fixtures
