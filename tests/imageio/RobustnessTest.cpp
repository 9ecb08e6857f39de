// Damaged pictures: every fixture cut short at many lengths and with seeded byte flips must
// either load or raise one of our error classes; never crash, hang or read outside a buffer
// (the sanitizer build runs the same cases).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "Fixtures.h"
#include "LoadResult.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/FileUtil.h"

namespace {

void LoadOrRefuse(std::span<const std::uint8_t> bytes, const std::string& extension) {
  fixtures::LoadOrRefuse([&] { RasterGraphics::LoadGraphicFromBytes(bytes, extension); });
}

}  // namespace

class DamagedPictures : public ::testing::TestWithParam<std::filesystem::path> {
protected:
  void SetUp() override { RasterGraphics::ResetState(); }
};

TEST_P(DamagedPictures, PrefixesAndByteFlipsLoadOrRaiseOurErrors) {
  std::vector<std::uint8_t> good;
  ASSERT_TRUE(toolkit::ReadFileBytes(GetParam().string(), good));
  const std::string extension = GetParam().extension().string().substr(1);
  // Every prefix of a small file, about 40 of a larger one.
  const std::size_t step = std::max<std::size_t>(1, good.size() / 40);
  for (std::size_t n = 0; n < good.size(); n += (n < 160 ? 1 : step)) {
    SCOPED_TRACE(n);
    std::vector<std::uint8_t> prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    LoadOrRefuse(prefix, extension);
  }
  std::mt19937 random(static_cast<unsigned>(good.size()));
  for (int trial = 0; trial < 200; ++trial) {
    std::vector<std::uint8_t> flipped = good;
    const int flips = 1 + trial % 4;
    for (int i = 0; i < flips; ++i) {
      // Headers hold most of the structure: flip there half of the time.
      const std::size_t at = (trial & 1) ? random() % std::min<std::size_t>(good.size(), 160) : random() % good.size();
      flipped[at] = static_cast<std::uint8_t>(random());
    }
    SCOPED_TRACE(trial);
    LoadOrRefuse(flipped, extension);
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DamagedPictures, ::testing::ValuesIn(fixtures::Pictures()), fixtures::PictureName);

// Pictures kept without an exact reference decoding: built examples and a Photo-CD pack.
std::vector<std::filesystem::path> Examples() {
  std::vector<std::filesystem::path> out = {VELKOR_TEST_DATA "/images/b/pcd_landscape.pcd"};
  for (const auto& e : std::filesystem::directory_iterator(VELKOR_TEST_DATA "/images/b/psp")) out.push_back(e.path());
  std::sort(out.begin() + 1, out.end());
  return out;
}

INSTANTIATE_TEST_SUITE_P(Examples, DamagedPictures, ::testing::ValuesIn(Examples()), fixtures::PictureName);
