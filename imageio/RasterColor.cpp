#include "imageio/RasterColor.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "imageio/RasterStrings.h"
#include "toolkit/Rounding.h"

namespace RasterColor {

using toolkit::TColor;
using toolkit::TPixelFormat;

namespace {

[[noreturn]] void Fail(const char* text) { throw EColorConversionError(text); }

bool IsRGB(TColorScheme s) { return s == TColorScheme::RGB || s == TColorScheme::RGBA; }
bool IsBGR(TColorScheme s) { return s == TColorScheme::BGR || s == TColorScheme::BGRA; }
bool HasAlpha(TColorScheme s) {
  return s == TColorScheme::GreyAlpha || s == TColorScheme::RGBA || s == TColorScheme::BGRA;
}
bool IsPackedWidth(int bits) { return bits == 1 || bits == 2 || bits == 4 || bits == 8; }
std::uint16_t Swap16(std::uint16_t v) { return static_cast<std::uint16_t>(v << 8 | v >> 8); }
int Round(double v) { return toolkit::RoundToInt32(v); }

// Number of pixels among `count` that `mask` selects.
std::uint32_t Selected(std::uint32_t count, std::uint8_t mask) {
  if (mask == 0xFF) return count;
  std::uint32_t n = (count / 8) * static_cast<std::uint32_t>(std::popcount(mask));
  for (std::uint32_t i = 0; i < count % 8; ++i) n += (mask >> (7 - i)) & 1;
  return n;
}

// Calls fn(target pixel, source pixel) for every selected pixel.
template <class Fn>
void ForEachSelected(std::uint32_t count, std::uint8_t mask, Fn&& fn) {
  if (mask == 0xFF) {
    for (std::uint32_t i = 0; i < count; ++i) fn(i, i);
    return;
  }
  std::uint32_t s = 0;
  for (std::uint32_t i = 0; i < count; ++i)
    if ((mask >> (7 - (i & 7))) & 1) fn(i, s++);
}

// A row buffer shorter than its pixels need: the data ended early.
void Need(std::size_t have, std::uint64_t need) {
  if (need > have) Fail(RasterStrings::gesReadError);
}

}  // namespace

std::uint16_t MulDiv16(std::uint16_t n, std::uint16_t num, std::uint16_t den) {
  if (den == 0) return 0;
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(n) * num / den);
}

std::uint8_t ClampByte(int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

TColorManager::TColorManager() { SetGamma(2.2f, 1.0f); }

void TColorManager::SetSourceColorScheme(TColorScheme s) { if (s != sourceScheme_) sourceScheme_ = s, changed_ = true; }
void TColorManager::SetTargetColorScheme(TColorScheme s) { if (s != targetScheme_) targetScheme_ = s, changed_ = true; }

void TColorManager::SetSourceBitsPerSample(int bits) {
  if (bits < 1 || bits > 16) Fail(RasterStrings::gesInvalidSampleDepth);
  if (bits != sourceBits_) sourceBits_ = static_cast<std::uint8_t>(bits), changed_ = true;
}
void TColorManager::SetTargetBitsPerSample(int bits) {
  if (bits < 1 || bits > 16) Fail(RasterStrings::gesInvalidSampleDepth);
  if (bits != targetBits_) targetBits_ = static_cast<std::uint8_t>(bits), changed_ = true;
}
void TColorManager::SetSourceSamplesPerPixel(int samples) {
  if (samples < 1 || samples > 4) Fail(RasterStrings::gesInvalidPixelDepth);
  if (samples != sourceSamples_) sourceSamples_ = static_cast<std::uint8_t>(samples), changed_ = true;
}
void TColorManager::SetTargetSamplesPerPixel(int samples) {
  if (samples < 1 || samples > 4) Fail(RasterStrings::gesInvalidPixelDepth);
  if (samples != targetSamples_) targetSamples_ = static_cast<std::uint8_t>(samples), changed_ = true;
}

void TColorManager::SetGamma(float mainGamma, float displayGamma) {
  displayGamma_ = displayGamma > 0 ? displayGamma : 1.0f;
  mainGamma_ = mainGamma > 0 ? mainGamma : 2.2f;
  const double exponent = 1.0 / (static_cast<double>(displayGamma_) * mainGamma_);
  const int inMax = sourceBits_ >= 8 ? 255 : (1 << sourceBits_) - 1;
  const int outMax = targetBits_ >= 8 ? 255 : (1 << targetBits_) - 1;
  gamma_.fill(0);
  for (int i = 0; i <= inMax; ++i)
    gamma_[i] = ClampByte(Round(std::pow(static_cast<double>(i) / inMax, exponent) * outMax));
}

void TColorManager::SetYCbCrParameters(std::span<const float> values, int horizontal, int vertical) {
  std::copy_n(values.begin(), std::min<std::size_t>(values.size(), 3), coefficients_.begin());
  auto valid = [](int v) { return v == 1 || v == 2 || v == 4; };
  if (!valid(horizontal) || !valid(vertical)) Fail(RasterStrings::gesInvalidSubSampling);
  if (vertical > horizontal) Fail(RasterStrings::gesVerticalSubSamplingError);
  hSub_ = horizontal, vSub_ = vertical;
}

TPixelFormat TColorManager::GetPixelFormat(int index) const {
  const int samples = index <= 0 ? sourceSamples_ : targetSamples_;
  const int bits = index <= 0 ? sourceBits_ : targetBits_;
  switch (samples) {
    case 1:
      if (bits == 1) return TPixelFormat::pf1bit;
      if (bits <= 4) return TPixelFormat::pf4bit;
      if (bits >= 8) return TPixelFormat::pf8bit;
      return TPixelFormat::pfCustom;
    case 3: return bits <= 5 ? TPixelFormat::pf15bit : TPixelFormat::pf24bit;
    case 4: return bits >= 8 ? TPixelFormat::pf32bit : TPixelFormat::pfCustom;
    default: return TPixelFormat::pfCustom;
  }
}

std::vector<TColor> TColorManager::CreateColorPalette(TPlanes data, TRawPaletteFormat format, std::uint32_t colorCount,
                                                      bool reversedOrder) {
  const bool gamma = TargetOptions & coApplyGamma;
  const bool swap = SourceOptions & coSwapBytes;
  auto g8 = [&](unsigned v) { return gamma ? gamma_[v & 255] : static_cast<std::uint8_t>(v); };
  auto w16 = [&](std::span<const std::uint8_t> s, std::size_t at) {
    const auto v = static_cast<std::uint16_t>(s[at] | s[at + 1] << 8);
    return g8((swap ? Swap16(v) : v) / 257u);
  };
  const bool planar = format == TRawPaletteFormat::Plane8Triple || format == TRawPaletteFormat::Plane8Quad ||
                      format == TRawPaletteFormat::Plane16Triple || format == TRawPaletteFormat::Plane16Quad;
  const bool wide = format >= TRawPaletteFormat::Interlaced16Triple;
  const bool quad = format == TRawPaletteFormat::Interlaced8Quad || format == TRawPaletteFormat::Interlaced16Quad;
  const std::size_t sample = wide ? 2 : 1;
  std::size_t available = 0;
  if (planar) {
    if (data.size() < 3) Fail(RasterStrings::gesConversionUnsupported);
    available = std::min({data[0].size(), data[1].size(), data[2].size()}) / sample;
  } else {
    if (data.empty()) Fail(RasterStrings::gesConversionUnsupported);
    available = data[0].size() / (sample * (quad ? 4 : 3));
  }
  const std::size_t count = std::min<std::size_t>({colorCount, 256, available});
  std::vector<TColor> palette(256, 0);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint8_t c[3];
    for (std::size_t k = 0; k < 3; ++k) {
      if (planar) c[k] = wide ? w16(data[k], 2 * i) : g8(data[k][i]);
      else {
        const std::size_t at = (i * (quad ? 4 : 3) + k) * sample;
        c[k] = wide ? w16(data[0], at) : g8(data[0][at]);
      }
    }
    palette[i] = reversedOrder && !planar ? toolkit::RGB(c[2], c[1], c[0]) : toolkit::RGB(c[0], c[1], c[2]);
  }
  std::size_t size = std::min<std::size_t>(colorCount, 256);
  const std::uint32_t sourceMax = (1u << sourceBits_) - 1, targetMax = (1u << targetBits_) - 1;
  if (targetBits_ <= 8 && sourceMax != targetMax) {
    if (sourceBits_ > 8) Fail(RasterStrings::gesConversionUnsupported);
    const std::vector<TColor> old = palette;
    for (std::uint32_t i = 0; i <= targetMax; ++i)
      palette[i] = old[MulDiv16(static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(sourceMax),
                                static_cast<std::uint16_t>(targetMax))];
    size = targetMax + 1;
  }
  palette.resize(size);
  return palette;
}

std::vector<TColor> TColorManager::CreateGrayscalePalette(bool minimumIsWhite) const {
  const int bits = std::min(targetBits_ * targetSamples_, 8);
  const int n = 1 << bits;
  const int step = n > 1 ? 255 / (n - 1) : 0;
  std::vector<TColor> palette(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    int v = step * i;
    if (TargetOptions & coApplyGamma) v = gamma_[v];
    const auto b = static_cast<std::uint8_t>(v);
    palette[static_cast<std::size_t>(minimumIsWhite ? n - 1 - i : i)] = toolkit::RGB(b, b, b);
  }
  return palette;
}

void TColorManager::CreateYCbCrLookup() {
  const float r = coefficients_[0], g = coefficients_[1], b = coefficients_[2];
  const float f1 = 2 - 2 * r, f2 = r * f1 / g, f3 = 2 - 2 * b, f4 = b * f3 / g;
  const bool ycc = sourceScheme_ == TColorScheme::PhotoYCC;
  const int crZero = ycc ? 137 : 128, cbZero = ycc ? 156 : 128;
  crToRed_.resize(256), cbToBlue_.resize(256), crToGreen_.resize(256), cbToGreen_.resize(256);
  for (int i = 0; i < 256; ++i) {
    crToRed_[i] = Round(f1 * static_cast<float>(i - crZero));
    cbToBlue_[i] = Round(f3 * static_cast<float>(i - cbZero));
    crToGreen_[i] = -Round(f2 * static_cast<float>(i - crZero));
    cbToGreen_[i] = -Round(f4 * static_cast<float>(i - cbZero));
  }
}

void TColorManager::PrepareConverter() {
  const auto s = sourceScheme_, t = targetScheme_;
  const bool sourceIndexed = s == TColorScheme::Indexed || s == TColorScheme::Grey || s == TColorScheme::GreyAlpha;
  const bool targetIndexed = t == TColorScheme::Indexed || t == TColorScheme::Grey;
  if (sourceIndexed != targetIndexed) Fail(RasterStrings::gesIndexedNotSupported);
  // Samples of 3, 5, 6 or 7 bits exist in no bitmap and no converter: refused by name.
  if (!IsPackedWidth(sourceBits_) && sourceBits_ != 16) Fail(RasterStrings::gesInvalidSampleDepth);
  if (!IsPackedWidth(targetBits_) && targetBits_ != 16) Fail(RasterStrings::gesInvalidSampleDepth);
  SourceOptions = static_cast<TConvertOptions>(HasAlpha(s) ? SourceOptions | coAlphaChannel : SourceOptions & ~coAlphaChannel);
  TargetOptions = static_cast<TConvertOptions>(HasAlpha(t) ? TargetOptions | coAlphaChannel : TargetOptions & ~coAlphaChannel);
  converter_ = Converter::None;
  changed_ = false;
  const int sb = sourceBits_, tb = targetBits_;
  const bool toRGB = IsRGB(t), toBGR = IsBGR(t);
  const bool colourWidths = (sb == 8 || sb == 16) && (tb == 8 || tb == 16);
  switch (s) {
    case TColorScheme::Indexed:
      converter_ = sb == 16 && tb == 16 ? Converter::Indexed16To16
                   : sb == 16           ? Converter::Indexed16ToPacked
                   : tb == 16           ? Converter::PackedToIndexed16
                                        : Converter::IndexedPacked;
      break;
    case TColorScheme::Grey:
      if (sb == 16 || tb == 16) {
        if (sb >= 8 && tb >= 8) converter_ = Converter::Grey;
      } else {
        converter_ = Converter::IndexedPacked;
      }
      break;
    case TColorScheme::GreyAlpha:
      if (colourWidths) converter_ = Converter::Grey;
      break;
    default:
      if (!colourWidths || (!toRGB && !toBGR)) break;
      if (IsRGB(s)) converter_ = toRGB ? Converter::RGBToRGB : Converter::RGBToBGR;
      else if (IsBGR(s)) converter_ = toRGB ? Converter::BGRToRGB : Converter::BGRToBGR;
      else if (s == TColorScheme::CMYK) converter_ = toRGB ? Converter::CMYKToRGB : Converter::CMYKToBGR;
      else if (s == TColorScheme::CIELab) converter_ = toRGB ? Converter::CIELabToRGB : Converter::CIELabToBGR;
      else if (s == TColorScheme::YCbCr || s == TColorScheme::PhotoYCC) {
        CreateYCbCrLookup();
        const bool ycc = s == TColorScheme::PhotoYCC;
        converter_ = toRGB ? (ycc ? Converter::PhotoYCCToRGB : Converter::YCbCrToRGB)
                           : (ycc ? Converter::PhotoYCCToBGR : Converter::YCbCrToBGR);
      }
      break;
  }
}

void TColorManager::ConvertRow(TPlanes source, std::span<std::uint8_t> target, std::uint32_t count, std::uint8_t mask) {
  if (changed_) PrepareConverter();
  if (converter_ == Converter::None) Fail(RasterStrings::gesConversionUnsupported);
  if (source.empty()) Fail(RasterStrings::gesConversionUnsupported);
  switch (converter_) {
    case Converter::Grey: ConvertGrey(source, target, count, mask); break;
    case Converter::IndexedPacked:
    case Converter::Indexed16To16:
    case Converter::Indexed16ToPacked:
    case Converter::PackedToIndexed16: ConvertIndexed(source, target, count, mask); break;
    default: ConvertColor(source, target, count, mask); break;
  }
}

void TColorManager::ConvertColor(TPlanes source, std::span<std::uint8_t> target, std::uint32_t count, std::uint8_t mask) {
  const Converter c = converter_;
  const bool cmyk = c == Converter::CMYKToRGB || c == Converter::CMYKToBGR;
  const bool lab = c == Converter::CIELabToRGB || c == Converter::CIELabToBGR;
  const bool chroma = c >= Converter::YCbCrToRGB && c <= Converter::PhotoYCCToBGR;
  const bool plain = !cmyk && !lab && !chroma;
  const bool sourceAlpha = SourceOptions & coAlphaChannel, targetAlpha = TargetOptions & coAlphaChannel;
  const bool gamma = TargetOptions & coApplyGamma, swap = SourceOptions & coSwapBytes;
  const std::size_t sw = sourceBits_ == 16 ? 2 : 1, tw = targetBits_ == 16 ? 2 : 1;
  const std::size_t colourSamples = cmyk ? 4 : 3;
  const std::size_t usedSamples = colourSamples + (plain && sourceAlpha ? 1 : 0);
  const bool planar = cmyk ? source.size() == 4 : source.size() > 1;
  const std::size_t sourceStep = planar ? 1 : cmyk ? 4 : (sourceAlpha ? 4 : 3);
  const std::size_t targetStep = targetAlpha ? 4 : 3;
  const std::uint32_t selected = Selected(count, mask);
  if (planar) {
    if (source.size() < usedSamples) Fail(RasterStrings::gesConversionUnsupported);
    for (std::size_t k = 0; k < usedSamples; ++k) Need(source[k].size(), std::uint64_t{selected} * sw);
  } else {
    Need(source[0].size(), std::uint64_t{selected} * sourceStep * sw);
  }
  Need(target.size(), std::uint64_t{count} * targetStep * tw);

  if (plain && sw == 1 && tw == 1 && !gamma && mask == 0xFF && !sourceAlpha && !targetAlpha) {
    // The common case of every reader (8-bit colour, all pixels): a plain reordering copy.
    const bool swapRB = (c == Converter::RGBToBGR || c == Converter::BGRToRGB);
    const std::uint8_t* p0 = source[0].data();
    const std::uint8_t* p1 = planar ? source[1].data() : p0 + 1;
    const std::uint8_t* p2 = planar ? source[2].data() : p0 + 2;
    const std::size_t step = planar ? 1 : 3;
    std::uint8_t* out = target.data();
    for (std::uint32_t i = 0; i < count; ++i, out += 3) {
      const std::uint8_t a = p0[i * step], g = p1[i * step], z = p2[i * step];
      out[0] = swapRB ? z : a, out[1] = g, out[2] = swapRB ? a : z;
    }
    return;
  }
  auto read = [&](std::size_t k, std::uint32_t s) -> unsigned {
    const std::uint8_t* p = planar ? source[k].data() + s * sw : source[0].data() + (s * sourceStep + k) * sw;
    if (sw == 1) return *p;
    const auto v = static_cast<std::uint16_t>(p[0] | p[1] << 8);
    return swap ? Swap16(v) : v;
  };
  auto write = [&](std::uint32_t i, std::size_t k, unsigned v) {
    std::uint8_t* p = target.data() + (i * targetStep + k) * tw;
    if (tw == 1) *p = static_cast<std::uint8_t>(v);
    else p[0] = static_cast<std::uint8_t>(v), p[1] = static_cast<std::uint8_t>(v >> 8);
  };
  // Component rule by widths (colour samples: with gamma; alpha: without).
  auto component = [&](unsigned v, bool colour) -> unsigned {
    if (sw == 1 && tw == 1) return colour && gamma ? gamma_[v] : v;
    if (sw == 1) {
      const auto w = static_cast<std::uint16_t>((colour && gamma ? gamma_[v] : v) * 257u);
      return swap ? Swap16(w) : w;
    }
    if (tw == 1) return colour && gamma ? gamma_[v / 257] : v / 257;
    return v;  // 16 -> 16: swapped when read
  };
  // An 8-bit result of the CMYK, Lab and chroma rules in the target width.
  auto out8 = [&](unsigned v) { return tw == 1 ? v : v * 257u; };
  auto to8 = [&](unsigned v) { return sw == 1 ? v : v / 257u; };
  const bool sourceRGB = c == Converter::RGBToRGB || c == Converter::RGBToBGR;
  const bool targetRGB = c == Converter::RGBToRGB || c == Converter::BGRToRGB || c == Converter::CMYKToRGB ||
                         c == Converter::CIELabToRGB || c == Converter::YCbCrToRGB || c == Converter::PhotoYCCToRGB;
  auto put = [&](std::uint32_t i, unsigned r, unsigned g, unsigned b) {
    write(i, 0, targetRGB ? r : b);
    write(i, 1, g);
    write(i, 2, targetRGB ? b : r);
  };

  // Whole rows of 8-bit planes without gamma (SGI, RLA, PCX, PSD): the samples are only
  // interleaved, which the loop below does one rule at a time.
  if (plain && planar && sw == 1 && tw == 1 && !gamma && mask == 0xFF) {
    const std::uint8_t* first = source[sourceRGB == targetRGB ? 0 : 2].data();
    const std::uint8_t* second = source[1].data();
    const std::uint8_t* third = source[sourceRGB == targetRGB ? 2 : 0].data();
    const std::uint8_t* alpha = sourceAlpha && targetAlpha ? source[3].data() : nullptr;
    std::uint8_t* out = target.data();
    for (std::uint32_t i = 0; i < count; ++i, out += targetStep) {
      out[0] = first[i], out[1] = second[i], out[2] = third[i];
      if (alpha != nullptr) out[3] = alpha[i];
    }
    return;
  }

  ForEachSelected(count, mask, [&](std::uint32_t i, std::uint32_t s) {
    if (plain) {
      const unsigned a = read(0, s), g = read(1, s), z = read(2, s);
      const unsigned r = sourceRGB ? a : z, b = sourceRGB ? z : a;
      put(i, component(r, true), component(g, true), component(b, true));
      if (sourceAlpha && targetAlpha) write(i, 3, component(read(3, s), false));
    } else if (cmyk) {
      const unsigned k = read(3, s);
      auto one = [&](unsigned x) -> unsigned {
        if (sw == 1) return ClampByte(255 - static_cast<int>(x - MulDiv16(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(k), 255) + k));
        const unsigned inner = x - MulDiv16(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(k), 65535) + k;
        return ClampByte(255 - static_cast<int>(static_cast<std::uint64_t>(inner) * 255 / 65535));
      };
      put(i, out8(one(read(0, s))), out8(one(read(1, s))), out8(one(read(2, s))));
    } else if (lab) {
      const unsigned l8 = to8(read(0, s)), a8 = to8(read(1, s)), b8 = to8(read(2, s));
      const double L = (SourceOptions & coLabByteRange) ? l8 / 2.55 : l8;
      const double A = (SourceOptions & coLabChromaOffset) ? static_cast<double>(a8) - 128 : static_cast<std::int8_t>(a8);
      const double B = (SourceOptions & coLabChromaOffset) ? static_cast<double>(b8) - 128 : static_cast<std::int8_t>(b8);
      double X, Y, Z;
      if (L >= 7.9996) {
        const double T = (L + 16) / 116;
        X = std::pow(T + A / 500, 3), Y = T * T * T, Z = std::pow(T - B / 200, 3);
      } else {
        Y = L / 903.3, X = Y + A / 3893.5, Z = Y - B / 1557.4;
      }
      put(i, out8(ClampByte(Round(255 * (2.998 * X - 1.458 * Y - 0.541 * Z)))),
          out8(ClampByte(Round(255 * (-0.952 * X + 1.893 * Y + 0.059 * Z)))),
          out8(ClampByte(Round(255 * (0.099 * X - 0.198 * Y + 1.099 * Z)))));
    } else {
      const int y = static_cast<int>(to8(read(0, s)));
      const unsigned cb = to8(read(1, s)), cr = to8(read(2, s));
      put(i, out8(ClampByte(y + crToRed_[cr])), out8(ClampByte(y + cbToGreen_[cb] + crToGreen_[cr])),
          out8(ClampByte(y + cbToBlue_[cb])));
    }
  });
}

void TColorManager::ConvertGrey(TPlanes source, std::span<std::uint8_t> target, std::uint32_t count, std::uint8_t mask) {
  const std::size_t sw = sourceBits_ == 16 ? 2 : 1, tw = targetBits_ == 16 ? 2 : 1;
  const std::size_t step = (SourceOptions & coAlphaChannel) ? 2 : 1;
  const bool swap = SourceOptions & coSwapBytes;
  Need(source[0].size(), std::uint64_t{Selected(count, mask)} * step * sw);
  Need(target.size(), std::uint64_t{count} * tw);
  const std::uint8_t* in = source[0].data();
  ForEachSelected(count, mask, [&](std::uint32_t i, std::uint32_t s) {
    const std::uint8_t* p = in + s * step * sw;
    unsigned v = p[0];
    if (sw == 2) {
      const auto w = static_cast<std::uint16_t>(p[0] | p[1] << 8);
      v = swap ? Swap16(w) : w;
    }
    if (sw == 1 && tw == 2) v *= 257;
    else if (sw == 2 && tw == 1) v /= 257;
    std::uint8_t* q = target.data() + i * tw;
    q[0] = static_cast<std::uint8_t>(v);
    if (tw == 2) q[1] = static_cast<std::uint8_t>(v >> 8);
  });
}

void TColorManager::ConvertIndexed(TPlanes source, std::span<std::uint8_t> target, std::uint32_t count, std::uint8_t mask) {
  const int sb = sourceBits_, tb = targetBits_;
  const bool swap = SourceOptions & coSwapBytes;
  const std::uint32_t selected = Selected(count, mask);
  Need(source[0].size(), (std::uint64_t{selected} * sb + 7) / 8);
  Need(target.size(), (std::uint64_t{count} * tb + 7) / 8);
  const std::uint8_t* in = source[0].data();
  std::uint8_t* out = target.data();
  if (sb == tb && mask == 0xFF && !(sb == 16 && swap)) {
    std::copy_n(in, static_cast<std::size_t>((std::uint64_t{count} * sb + 7) / 8), out);
    return;
  }
  const unsigned sourceMax = (1u << sb) - 1, targetMax = (1u << tb) - 1;
  auto get = [&](std::uint32_t s) -> unsigned {
    if (sb == 16) {
      const auto w = static_cast<std::uint16_t>(in[2 * s] | in[2 * s + 1] << 8);
      return swap ? Swap16(w) : w;
    }
    const std::uint64_t bit = std::uint64_t{s} * sb;
    return (in[bit / 8] >> (8 - sb - bit % 8)) & sourceMax;
  };
  ForEachSelected(count, mask, [&](std::uint32_t i, std::uint32_t s) {
    const unsigned v = MulDiv16(static_cast<std::uint16_t>(get(s)), static_cast<std::uint16_t>(targetMax),
                                static_cast<std::uint16_t>(sourceMax));
    if (tb == 16) {
      const auto w = static_cast<std::uint16_t>(swap ? Swap16(static_cast<std::uint16_t>(v)) : v);
      out[2 * i] = static_cast<std::uint8_t>(w), out[2 * i + 1] = static_cast<std::uint8_t>(w >> 8);
      return;
    }
    const std::uint64_t bit = std::uint64_t{i} * tb;
    const int shift = static_cast<int>(8 - tb - bit % 8);
    std::uint8_t& byte = out[bit / 8];
    byte = static_cast<std::uint8_t>((byte & ~(targetMax << shift)) | (v << shift));
  });
}

}  // namespace RasterColor
