#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "toolkit/BitmapFile.h"
#include "toolkit/FileUtil.h"
#include "toolkit/GraphicError.h"
#include "toolkit/JpegDecompress.h"
#include "toolkit/Picture.h"

using namespace toolkit;
using Bytes = std::vector<std::uint8_t>;

namespace {

void Put16(Bytes& b, unsigned v) { b.push_back(v & 255); b.push_back(v >> 8 & 255); }
void Put32(Bytes& b, std::uint32_t v) { Put16(b, v & 0xFFFF); Put16(b, v >> 16); }

// An icon image: info header with the doubled height, palette, colour rows, mask rows.
Bytes IconDib(int size, int bits, TColor colour) {
  Bytes d;
  Put32(d, 40), Put32(d, static_cast<std::uint32_t>(size)), Put32(d, static_cast<std::uint32_t>(2 * size));
  Put16(d, 1), Put16(d, static_cast<unsigned>(bits));
  for (int i = 0; i < 6; ++i) Put32(d, 0);
  const int stride = (size * bits + 31) / 32 * 4;
  if (bits == 8) {
    for (int i = 0; i < 256; ++i) d.insert(d.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0});
    d.resize(d.size() + static_cast<std::size_t>(stride * size), 0);
  } else {
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) d.insert(d.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour)});
      d.resize(d.size() + static_cast<std::size_t>(stride - 3 * size), 0);
    }
  }
  d.resize(d.size() + static_cast<std::size_t>(4 * size), 0);  // mask rows
  return d;
}

Bytes Icon(const std::vector<std::pair<int, Bytes>>& images) {
  Bytes f;
  Put16(f, 0), Put16(f, 1), Put16(f, static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (const auto& [size, dib] : images) {
    f.push_back(static_cast<std::uint8_t>(size)), f.push_back(static_cast<std::uint8_t>(size));
    f.push_back(0), f.push_back(0);
    Put16(f, 1), Put16(f, dib[14]);
    Put32(f, static_cast<std::uint32_t>(dib.size())), Put32(f, offset);
    offset += static_cast<std::uint32_t>(dib.size());
  }
  for (const auto& image : images) f.insert(f.end(), image.second.begin(), image.second.end());
  return f;
}

Bytes Fixture(const char* name) {
  Bytes b;
  EXPECT_TRUE(ReadFileBytes(std::string(VELKOR_TEST_DATA "/images/") + name, b));
  return b;
}

std::string Refusal(TGraphic& g, const Bytes& bytes) {
  try {
    g.LoadFromBytes(bytes);
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
  return "loaded";
}

}  // namespace

TEST(IconClass, TakesTheLargestImageThenTheDeepest) {
  TIcon icon;
  icon.LoadFromBytes(Icon({{1, IconDib(1, 24, RGB(1, 2, 3))}, {2, IconDib(2, 8, RGB(9, 9, 9))}}));
  EXPECT_EQ(icon.Width(), 2);
  EXPECT_EQ(icon.Height(), 2);
  EXPECT_EQ(icon.Pixel(1, 1), RGB(9, 9, 9));
  icon.LoadFromBytes(Icon({{2, IconDib(2, 8, RGB(9, 9, 9))}, {2, IconDib(2, 24, RGB(1, 2, 3))}}));
  EXPECT_EQ(icon.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(icon.Pixel(0, 1), RGB(1, 2, 3));
}

TEST(IconClass, RefusesWhatItCannotShow) {
  TIcon icon;
  Bytes png = Icon({{2, IconDib(2, 24, 0)}});
  png[22] = 0x89, png[23] = 'P', png[24] = 'N', png[25] = 'G';
  EXPECT_EQ(Refusal(icon, png), "Cannot load image. Icons holding PNG images are not supported.");
  Bytes cursor = Icon({{2, IconDib(2, 24, 0)}});
  cursor[2] = 2;
  EXPECT_EQ(Refusal(icon, cursor), "Icon image is not valid.");
  Bytes beyond = Icon({{2, IconDib(2, 24, 0)}});
  beyond[18] = 0xFF;  // image offset past the file
  EXPECT_EQ(Refusal(icon, beyond), "Icon image is not valid.");
  EXPECT_EQ(Refusal(icon, Bytes(6, 0)), "Icon image is not valid.");
}

TEST(IconClass, RefusesABitmapThatClaimsCompressionOrMoreBytesThanItsEntry) {
  TIcon icon;
  Bytes rle = Icon({{2, IconDib(2, 8, RGB(9, 9, 9))}});
  rle[22 + 16] = 1;  // RLE8, sizes that fit
  EXPECT_EQ(Refusal(icon, rle), "Icon image is not valid.");
  // The entry's size leaves out the mask rows: the colour rows alone would fit.
  for (int size : {2, 32}) {
    Bytes dib = IconDib(size, 24, RGB(1, 2, 3));
    EXPECT_EQ(Refusal(icon, Icon({{size, dib}})), "loaded") << size;
    dib.resize(dib.size() - static_cast<std::size_t>(4 * size));
    EXPECT_EQ(Refusal(icon, Icon({{size, dib}})), "Icon image is not valid.") << size;
  }
}

TEST(MetafileClass, IsRegisteredButRefusedClearly) {
  TMetafile m;
  EXPECT_NE(Refusal(m, Bytes{1, 2, 3}).find("metafiles"), std::string::npos);
}

TEST(JpegClass, ColourAndGreyPictures) {
  TJPEGImage colour;
  colour.LoadFromBytes(Fixture("j420.jpg"));
  EXPECT_EQ(colour.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(colour.Width(), 64);
  TJPEGImage grey;
  grey.LoadFromBytes(Fixture("jgrey.jpg"));
  EXPECT_EQ(grey.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(grey.Palette()[200], RGB(200, 200, 200));
}

TEST(JpegClass, TruncatedOrForeignDataIsRefused) {
  TJPEGImage jpeg;
  Bytes file = Fixture("j444.jpg");
  file.resize(file.size() / 2);
  EXPECT_EQ(Refusal(jpeg, file), "Cannot load image. The JPEG data ends before the picture does.");
  EXPECT_EQ(Refusal(jpeg, Bytes{'B', 'M', 0, 0}), "Not a JPEG file: starts with 0x42 0x4d");
  EXPECT_EQ(Refusal(jpeg, Bytes{}), "Empty input file");
}

TEST(JpegWrapper, WarningsReachTheSinkAndTheSourceNeverRunsPastItsSpan) {
  Bytes file = Fixture("jprogressive.jpg");
  file.resize(file.size() - 40);
  int seen = 0;
  JpegOptions options;
  options.warning = [&](int, const std::string& text) { seen += !text.empty(); };
  const JpegPicture p = DecodeJpeg(file, options);
  EXPECT_TRUE(p.truncated);
  EXPECT_GE(seen, 1);
  EXPECT_EQ(p.pixels.size(), 64u * 48u * 3u);
}

namespace {

// A tables-only stream and an abbreviated picture stream of a 16 x 8 grey ramp, as TIFF
// files keep them apart.
std::pair<Bytes, Bytes> AbbreviatedJpeg() {
  jpeg_compress_struct c{};
  jpeg_error_mgr e{};
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  c.image_width = 16, c.image_height = 8, c.input_components = 1, c.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  jpeg_write_tables(&c);
  Bytes tables(buffer, buffer + size);
  std::free(buffer);
  buffer = nullptr, size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  jpeg_suppress_tables(&c, TRUE);
  jpeg_start_compress(&c, FALSE);
  std::uint8_t row[16];
  for (int x = 0; x < 16; ++x) row[x] = static_cast<std::uint8_t>(x * 16);
  while (c.next_scanline < c.image_height) {
    JSAMPROW r = row;
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  Bytes data(buffer, buffer + size);
  std::free(buffer);
  jpeg_destroy_compress(&c);
  return {tables, data};
}

}  // namespace

TEST(JpegWrapper, TablesStreamIsReadBeforeAnAbbreviatedPicture) {
  const auto [tables, data] = AbbreviatedJpeg();
  EXPECT_THROW(DecodeJpeg(data), EInvalidGraphic);  // without the tables: no Huffman tables
  JpegOptions options;
  options.tables = tables;
  const JpegPicture p = DecodeJpeg(data, options);
  ASSERT_EQ(p.width, 16);
  EXPECT_EQ(p.components, 1);
  EXPECT_NEAR(p.pixels[15], 240, 3);
  EXPECT_FALSE(p.truncated);
}
