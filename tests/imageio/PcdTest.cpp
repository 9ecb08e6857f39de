// The Photo-CD reader on ImageMagick's packs: geometry exact for every rotation code, colours
// close to ImageMagick's own conversion, refusals of files without a base picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fixtures.h"
#include "LoadResult.h"
#include "imageio/RasterGraphics.h"

using namespace RasterGraphics;
using toolkit::RGB;
using Bytes = std::vector<std::uint8_t>;

namespace {

const std::string kData = VELKOR_TEST_DATA "/images/b/";

fixtures::Ppm Load(const Bytes& file) {
  TPCDGraphic g;
  g.LoadFromBytes(file);
  return fixtures::FromBitmap(g);
}

// The reference turned: code 2 a half turn; code 3 the other way round from code 1.
fixtures::Ppm Turned(const fixtures::Ppm& p, int code) {
  fixtures::Ppm out{code == 2 ? p.width : p.height, code == 2 ? p.height : p.width, std::vector<std::uint8_t>(p.rgb.size())};
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const int tx = code == 2 ? p.width - 1 - x : p.height - 1 - y, ty = code == 2 ? p.height - 1 - y : x;
      std::copy_n(&p.rgb[3 * (static_cast<std::size_t>(y) * p.width + x)], 3, &out.rgb[3 * (static_cast<std::size_t>(ty) * out.width + tx)]);
    }
  return out;
}

// Largest difference, and the share of samples within `near`.
std::pair<int, double> Compare(const fixtures::Ppm& a, const fixtures::Ppm& b, int near) {
  if (a.width != b.width || a.height != b.height) return {-1, 0};
  int worst = 0;
  std::size_t close = 0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i) {
    const int d = std::abs(a.rgb[i] - b.rgb[i]);
    worst = std::max(worst, d);
    close += d <= near;
  }
  return {worst, static_cast<double>(close) / static_cast<double>(a.rgb.size())};
}

}  // namespace

TEST(Pcd, PacksLoadUprightAndCloseToImageMagick) {
  for (const char* name : {"pcd_landscape.pcd", "pcd_portrait.pcd"}) {
    SCOPED_TRACE(name);
    const fixtures::Ppm ours = Load(fixtures::ImageBytes(std::string("b/") + name));
    const fixtures::Ppm reference = fixtures::ReadPpm(kData + name + ".near.ppm");
    ASSERT_GT(reference.width, 0);
    const auto [worst, close] = Compare(ours, reference, 8);
    EXPECT_GE(worst, 0);
    EXPECT_LE(worst, 24);  // the two YCC conversions differ most in saturated blue
    EXPECT_GE(close, 0.97);
    // The markers: white top left, black bottom right, dark grey top right.
    auto at = [&](int x, int y) { return RGB(ours.rgb[3 * (y * ours.width + x)], ours.rgb[3 * (y * ours.width + x) + 1], ours.rgb[3 * (y * ours.width + x) + 2]); };
    EXPECT_EQ(at(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(at(ours.width - 3, ours.height - 3), RGB(0, 0, 0));
    EXPECT_EQ(at(ours.width - 3, 2), RGB(56, 56, 56));
  }
}

TEST(Pcd, RotationCodesTurnThePicture) {
  const Bytes landscape = fixtures::ImageBytes("b/pcd_landscape.pcd");
  const fixtures::Ppm upright = Load(landscape);
  for (int code : {2, 3}) {
    SCOPED_TRACE(code);
    Bytes f = landscape;
    f[3586] = static_cast<std::uint8_t>((f[3586] & ~3) | code);
    EXPECT_EQ(fixtures::MaxDifference(Load(f), Turned(upright, code)), 0);
  }
  // Code 1 is code 3 turned a half turn.
  Bytes one = landscape, three = landscape;
  one[3586] = 1, three[3586] = 3;
  EXPECT_EQ(fixtures::MaxDifference(Load(one), Turned(Load(three), 2)), 0);
}

TEST(Pcd, PropertiesByResolution) {
  const Bytes f = fixtures::ImageBytes("b/pcd_portrait.pcd");
  TPCDGraphic g;
  ASSERT_TRUE(g.ReadImageProperties(f, 4));
  EXPECT_EQ(g.ImageProperties().Width, 2048u);
  EXPECT_EQ(g.ImageProperties().Height, 3072u);
  EXPECT_EQ(g.ImageProperties().Compression, TCompressionType::ctPCDHuffmann);
  ASSERT_TRUE(g.ReadImageProperties(f, 9));
  EXPECT_EQ(g.ImageProperties().Height, 6144u);
  ASSERT_TRUE(g.ReadImageProperties(f, 2));
  EXPECT_EQ(g.ImageProperties().Compression, TCompressionType::ctNone);
  EXPECT_EQ(g.ImageProperties().Rotate, 1);
}

TEST(Pcd, FilesWithoutABasePictureAreRefused) {
  const std::string invalid = "Cannot load image. Invalid or unexpected PCD image format.";
  Bytes f = fixtures::ImageBytes("b/pcd_landscape.pcd");
  Bytes overview = f;
  std::copy_n("PCD_OPA", 7, overview.begin());
  EXPECT_TRUE(TPCDGraphic::CanLoad(overview));
  EXPECT_EQ(fixtures::LoadError<TPCDGraphic>(overview), invalid);
  Bytes noSignature = f;
  noSignature[2049] = 'X';
  EXPECT_FALSE(TPCDGraphic::CanLoad(noSignature));
  EXPECT_EQ(fixtures::LoadError<TPCDGraphic>(noSignature), invalid);
  Bytes tiny(f.begin(), f.begin() + 6145);
  EXPECT_TRUE(TPCDGraphic::CanLoad(tiny));
  EXPECT_EQ(fixtures::LoadError<TPCDGraphic>(tiny), "Stream read error.");
  f.resize(96 * 2048 + 768 * 512 * 3 / 2 - 1);
  EXPECT_EQ(fixtures::LoadError<TPCDGraphic>(f), "Stream read error.");
  f.push_back(0);
  EXPECT_EQ(fixtures::LoadError<TPCDGraphic>(f), "");
}
