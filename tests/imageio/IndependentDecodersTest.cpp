// Our readers against the independent decoders: every fixture picture loads through the
// registry to the pixels its reference decoding holds, and our writers' files read back
// equal in the independent readers.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "imageio/RasterGraphics.h"
#include "imageio/Save_as_PCX_Unit.h"
#include "support/TempDir.h"
#include "support/TiffStrips.h"
#include "toolkit/BitmapFile.h"

using fixtures::Ppm;

class IndependentDecoders : public ::testing::TestWithParam<std::filesystem::path> {
protected:
  void SetUp() override { RasterGraphics::ResetState(); }
};

TEST_P(IndependentDecoders, FixtureLoadsToTheReferencePixels) {
  const auto& path = GetParam();
  const auto graphic = RasterGraphics::LoadGraphicFile(path.string());
  const Ppm ours = fixtures::FromBitmap(*graphic);
  const Ppm reference = fixtures::ReadPpm(path.string() + ".ppm");
  ASSERT_GT(reference.width, 0);
  // JPEG through ImageMagick's CMYK conversion may round one step apart; everything else,
  // libjpeg's own djpeg included, matches exactly: TIFF's JPEG strips and CMYK too (the same
  // libjpeg, the same ink rule as libtiff).
  const int tolerance = path.extension() == ".jpeg" ? 1 : 0;
  EXPECT_LE(fixtures::MaxDifference(ours, reference), tolerance) << path.filename() << " " << ours.width << "x"
                                                                << ours.height;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, IndependentDecoders, ::testing::ValuesIn(fixtures::Pictures()), fixtures::PictureName);

class WriterRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(WriterRoundTrip, OurFilesReadBackEqualInTheIndependentReaders) {
  if (!testsupport::HaveTools({"pcxtoppm", "bmptopnm", "/usr/bin/convert-im6.q16"}))
    GTEST_SKIP() << "netpbm or ImageMagick missing";
  const int width = GetParam();
  testsupport::TempDir dir;
  toolkit::TBitmap truecolour(width, 3, toolkit::TPixelFormat::pf24bit);
  toolkit::TBitmap palette(0, 0, toolkit::TPixelFormat::pf8bit);
  std::vector<toolkit::TColor> colours;
  for (int i = 0; i < 256; ++i) colours.push_back(toolkit::RGB(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7)));
  palette.SetPalette(colours);
  palette.SetSize(width, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < width; ++x) {
      truecolour.SetPixel(x, y, toolkit::RGB(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(x / 256 + 40 * y), static_cast<std::uint8_t>(x % 7 == 0 ? 0xC0 : 0x3F)));
      palette.ScanLine(y)[x] = static_cast<std::uint8_t>((x * 13 + y) % 251);
    }
  for (const toolkit::TBitmap* b : {&truecolour, &palette}) {
    SCOPED_TRACE(toolkit::BitsPerPixel(b->PixelFormat()));
    const Ppm expected = fixtures::FromBitmap(*b);
    Save_as_PCX_Unit::SaveImageAsPCX(*b, dir.path().string() + "/", "out.pcx");
    toolkit::SaveBitmapFile(*b, dir.file("out.bmp"));
    const std::pair<const char*, std::string> readers[] = {
        {"pcxtoppm", "pcxtoppm " + dir.file("out.PCX") + " > " + dir.file("a.ppm")},
        {"convert pcx", "/usr/bin/convert-im6.q16 " + dir.file("out.PCX") + " ppm:" + dir.file("a.ppm")},
        {"bmptopnm", "bmptopnm " + dir.file("out.bmp") + " | ppmtoppm > " + dir.file("a.ppm")},
        {"convert bmp", "/usr/bin/convert-im6.q16 " + dir.file("out.bmp") + " ppm:" + dir.file("a.ppm")}};
    for (const auto& [name, command] : readers) {
      ASSERT_TRUE(testsupport::RunTool(command)) << name;
      EXPECT_EQ(fixtures::MaxDifference(fixtures::ReadPpm(dir.file("a.ppm")), expected), 0) << name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, WriterRoundTrip, ::testing::Values(1, 3, 37, 4097, 5000));
