#pragma once
// The colour manager: turns the pixel rows a reader decoded from a file into rows of the
// bitmap it fills. A reader describes the file's samples and the bitmap's samples, asks for
// the bitmap's pixel format and palette, then hands over one row at a time. One converter
// is chosen per combination of settings and kept until a setting changes.
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "toolkit/Bitmap.h"

namespace RasterColor {

class EColorConversionError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class TColorScheme : std::uint8_t {
  Unknown, Indexed, Grey, GreyAlpha, RGB, RGBA, BGR, BGRA, CMY, CMYK, CIELab, YCbCr, PhotoYCC
};

// TConvertOptions: a set of these bits.
using TConvertOptions = std::uint8_t;
inline constexpr TConvertOptions coAlphaChannel = 1, coApplyGamma = 2, coSwapBytes = 4, coLabByteRange = 8,
                                 coLabChromaOffset = 16;

enum class TRawPaletteFormat : std::uint8_t {
  Interlaced8Triple, Interlaced8Quad, Plane8Triple, Plane8Quad,
  Interlaced16Triple, Interlaced16Quad, Plane16Triple, Plane16Quad
};

// n x num / den, truncated, as 16 bits.
std::uint16_t MulDiv16(std::uint16_t n, std::uint16_t num, std::uint16_t den);
std::uint8_t ClampByte(int value);

using TPlanes = std::span<const std::span<const std::uint8_t>>;

class TColorManager {
public:
  TColorManager();

  TColorScheme SourceColorScheme() const { return sourceScheme_; }
  TColorScheme TargetColorScheme() const { return targetScheme_; }
  std::uint8_t SourceBitsPerSample() const { return sourceBits_; }
  std::uint8_t TargetBitsPerSample() const { return targetBits_; }
  std::uint8_t SourceSamplesPerPixel() const { return sourceSamples_; }
  std::uint8_t TargetSamplesPerPixel() const { return targetSamples_; }
  // Bits 1..16 and samples 1..4 are checked before they are stored; a changed value marks
  // the converter for a new choice.
  void SetSourceColorScheme(TColorScheme scheme);
  void SetTargetColorScheme(TColorScheme scheme);
  void SetSourceBitsPerSample(int bits);
  void SetTargetBitsPerSample(int bits);
  void SetSourceSamplesPerPixel(int samples);
  void SetTargetSamplesPerPixel(int samples);

  TConvertOptions SourceOptions = 0;
  TConvertOptions TargetOptions = 0;

  // Gamma table from the widths standing now; 0 or less gives 2.2 and 1.0.
  void SetGamma(float mainGamma, float displayGamma);
  // Luma weights (one to three), then the subsampling values (1, 2 or 4; vertical <= horizontal).
  void SetYCbCrParameters(std::span<const float> values, int horizontal, int vertical);

  // Pixel format of the source side (index <= 0) or the target side.
  toolkit::TPixelFormat GetPixelFormat(int index) const;

  // Palette from raw colour data; reads only what the spans hold. Index widths that differ
  // between source and target remap the entries the way the index rescaling does.
  std::vector<toolkit::TColor> CreateColorPalette(TPlanes data, TRawPaletteFormat format, std::uint32_t colorCount,
                                                  bool reversedOrder);
  std::vector<toolkit::TColor> CreateGrayscalePalette(bool minimumIsWhite) const;

  // Converts `count` pixels of one row. One source span for samples side by side, one per
  // plane for planar data. Pixel i is written only when bit (7 - i mod 8) of `mask` is set;
  // the source holds only the selected pixels. A row that needs more bytes than the spans
  // hold raises instead of overrunning.
  void ConvertRow(TPlanes source, std::span<std::uint8_t> target, std::uint32_t count, std::uint8_t mask = 0xFF);
  void ConvertRow(std::span<const std::uint8_t> source, std::span<std::uint8_t> target, std::uint32_t count,
                  std::uint8_t mask = 0xFF) {
    const std::span<const std::uint8_t> one[] = {source};
    ConvertRow(one, target, count, mask);
  }

  bool Changed() const { return changed_; }
  const std::array<std::uint8_t, 256>& GammaTable() const { return gamma_; }
  const std::vector<std::int32_t>& CrToRedTable() const { return crToRed_; }
  const std::vector<std::int32_t>& CbToBlueTable() const { return cbToBlue_; }
  const std::vector<std::int32_t>& CrToGreenTable() const { return crToGreen_; }
  const std::vector<std::int32_t>& CbToGreenTable() const { return cbToGreen_; }
  int HorizontalSubsampling() const { return hSub_; }
  int VerticalSubsampling() const { return vSub_; }

  enum class Converter : std::uint8_t {
    None, RGBToRGB, RGBToBGR, BGRToRGB, BGRToBGR, CMYKToRGB, CMYKToBGR, CIELabToRGB, CIELabToBGR,
    YCbCrToRGB, YCbCrToBGR, PhotoYCCToRGB, PhotoYCCToBGR, Grey, IndexedPacked, Indexed16To16,
    Indexed16ToPacked, PackedToIndexed16
  };

private:
  void PrepareConverter();
  void CreateYCbCrLookup();
  void ConvertColor(TPlanes source, std::span<std::uint8_t> target, std::uint32_t count, std::uint8_t mask);
  void ConvertGrey(TPlanes source, std::span<std::uint8_t> target, std::uint32_t count, std::uint8_t mask);
  void ConvertIndexed(TPlanes source, std::span<std::uint8_t> target, std::uint32_t count, std::uint8_t mask);

  bool changed_ = true;
  std::uint8_t sourceBits_ = 8, targetBits_ = 8, sourceSamples_ = 3, targetSamples_ = 3;
  float displayGamma_ = 1.0f, mainGamma_ = 2.2f;
  std::array<std::uint8_t, 256> gamma_{};
  std::array<float, 3> coefficients_ = {0.299f, 0.587f, 0.114f};
  int hSub_ = 1, vSub_ = 1;
  std::vector<std::int32_t> crToRed_, cbToBlue_, crToGreen_, cbToGreen_;
  TColorScheme sourceScheme_ = TColorScheme::RGB, targetScheme_ = TColorScheme::BGR;
  Converter converter_ = Converter::None;
};

}  // namespace RasterColor
