#pragma once
// JPEG-compressed TIFF strips, through the toolkit's libjpeg wrapper. Every strip is a JPEG
// stream of its own, abbreviated when the file keeps its tables in the JPEGTables field.
// The strip's frame must agree with the TIFF fields before a row is written. Colour strips
// (YCbCr or RGB, three samples) come out blue, green, red, the order of 24-bit bitmaps;
// every other strip comes out as its components are stored.
#include <functional>
#include <string>

#include "imageio/RasterCompression.h"

namespace RasterGraphics {
struct TImageProperties;
}

namespace RasterCompression {

// The decoder's warning box: gets the caption "Warning" and the first warning of each strip
// (a strip that ends early gives "JPEG decompression error. Unexpected end of input.").
// Empty: warnings are only counted. The program installs a box that shows one per picture;
// tests count them. Must not raise.
extern std::function<void(const std::string& caption, const std::string& text)> JpegWarningBox;
// Empties JpegWarningBox.
void ResetState();

class TTIFFJPEGDecoder : public TDecoder {
public:
  // Reads the reader's properties at every strip and keeps nothing of them: the reader
  // sets Width, Height, SamplesPerPixel, BitsPerSample, ColorScheme, PlanarConfig,
  // RowsPerStrip, YCbCrSubSampling, JPEGTables, BytesPerLine and CurrentRow before Decode.
  explicit TTIFFJPEGDecoder(const RasterGraphics::TImageProperties& properties);
  // True when strips of these properties come out blue, green, red.
  static bool DeliversBGR(const RasterGraphics::TImageProperties& properties);

  // Takes the sampling factors: the YCbCr subsampling, else 1 and 1.
  void DecodeInit() override;
  // Decodes one strip into `dest`, whose size must be a whole number of BytesPerLine rows.
  // Raises ERasterCompression with "Improper JPEG strip/tile size.", "... component
  // count.", "... data precision.", "... sampling factors.", "Bogus JPEG tables field." or
  // "Fractional JPEG scanline unsupported." before writing a row, and "JPEG error #N" for a
  // fatal libjpeg error. Data that end early are no error: one warning, the rest of the
  // strip as libjpeg fills it.
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;

  int Warnings() const { return Warnings_; }

private:
  const RasterGraphics::TImageProperties& Properties;
  int HSampling = 1, VSampling = 1;
  int Warnings_ = 0;
};

}  // namespace RasterCompression
