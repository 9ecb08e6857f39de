#include <utility>

#include "toolkit/GraphicError.h"
#include "toolkit/JpegDecompress.h"
#include "toolkit/Picture.h"

namespace toolkit {

void TJPEGImage::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  // Grey and colour rows decode straight into the bitmap (colour in its blue, green, red
  // order); CMYK rows come through a row buffer and are converted.
  TBitmap bitmap;
  std::vector<std::uint8_t> cmykRow;
  bool adobe = false;
  JpegOptions options;
  options.bgr = true;
  options.start = [&](const JpegPicture& header) {
    if (header.components != 1 && header.components != 3 && header.components != 4)
      throw EInvalidGraphic("Cannot load image. Unsupported JPEG colour space.");
    bitmap = TBitmap(0, 0, header.components == 1 ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);
    if (header.components == 1) {
      std::vector<TColor> grey(256);
      for (int i = 0; i < 256; ++i) grey[i] = RGB(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i));
      bitmap.SetPalette(grey);
    }
    bitmap.SetSize(header.width, header.height);
    if (header.components == 4) cmykRow.resize(4 * static_cast<std::size_t>(header.width));
    adobe = header.adobeInverted;
  };
  int pendingCmyk = -1;
  const auto flushCmyk = [&] {
    if (pendingCmyk < 0) return;
    auto row = bitmap.ScanLine(pendingCmyk);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const std::uint8_t* p = cmykRow.data() + 4 * static_cast<std::size_t>(x);
      // Adobe files store every ink inverted.
      const unsigned k = adobe ? p[3] : 255u - p[3];
      for (int i = 0; i < 3; ++i) {
        const unsigned ink = adobe ? p[i] : 255u - p[i];
        row[3 * static_cast<std::size_t>(x) + 2 - i] = static_cast<std::uint8_t>((ink * k + 127) / 255);
      }
    }
    pendingCmyk = -1;
  };
  options.rowTarget = [&](int y) -> std::uint8_t* {
    if (cmykRow.empty()) return bitmap.ScanLine(y).data();
    flushCmyk();
    pendingCmyk = y;
    return cmykRow.data();
  };
  const JpegPicture jpeg = DecodeJpeg(bytes, options);
  flushCmyk();
  if (jpeg.components == 3 && !jpeg.bgr) {  // a libjpeg without the colour-order extension
    for (int y = 0; y < bitmap.Height(); ++y) {
      auto row = bitmap.ScanLine(y);
      for (std::size_t x = 0; x + 2 < row.size(); x += 3) std::swap(row[x], row[x + 2]);
    }
  }
  if (jpeg.truncated) throw EInvalidGraphic("Cannot load image. The JPEG data ends before the picture does.");
  static_cast<TBitmap&>(*this) = std::move(bitmap);
}

}  // namespace toolkit
