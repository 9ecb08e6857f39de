#include "imageio/RasterCompression_Jpeg.h"

#include <algorithm>
#include <vector>

#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/JpegDecompress.h"

namespace RasterCompression {

using RasterColor::TColorScheme;

std::function<void(const std::string& caption, const std::string& text)> JpegWarningBox;

void ResetState() { JpegWarningBox = nullptr; }

namespace {

// How the strip's components are stored, from the TIFF fields: colour pictures of three
// samples are converted to blue, green, red by libjpeg; the rest comes as stored.
toolkit::JpegStoredAs StoredAs(const RasterGraphics::TImageProperties& p) {
  if (p.SamplesPerPixel == 3 && p.ColorScheme == TColorScheme::YCbCr) return toolkit::JpegStoredAs::YCbCr;
  if (p.SamplesPerPixel == 3 && p.ColorScheme == TColorScheme::RGB) return toolkit::JpegStoredAs::RGB;
  if (p.SamplesPerPixel == 1) return toolkit::JpegStoredAs::Grey;
  return toolkit::JpegStoredAs::Components;
}

}  // namespace

TTIFFJPEGDecoder::TTIFFJPEGDecoder(const RasterGraphics::TImageProperties& properties) : Properties(properties) {}

bool TTIFFJPEGDecoder::DeliversBGR(const RasterGraphics::TImageProperties& properties) {
  const auto s = StoredAs(properties);
  return s == toolkit::JpegStoredAs::YCbCr || s == toolkit::JpegStoredAs::RGB;
}

void TTIFFJPEGDecoder::DecodeInit() {
  const auto& sub = Properties.YCbCrSubSampling;
  HSampling = sub.size() >= 2 ? sub[0] : 1;
  VSampling = sub.size() >= 2 ? sub[1] : 1;
}

TDecodeResult TTIFFJPEGDecoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  const auto& p = Properties;
  const std::size_t lineBytes = p.BytesPerLine;
  if (lineBytes == 0) CompressionError(RasterStrings::gesJPEGStripSize);  // tiles: no line size
  const std::size_t lines = dest.size() / lineBytes;
  const bool planar = p.PlanarConfig == 2;  // absent means chunky, as TIFF's default says
  const auto storedAs = StoredAs(p);
  const int outputComponents = DeliversBGR(p) ? 3 : p.SamplesPerPixel;
  std::uint32_t stripRows = p.Height - std::min(p.CurrentRow, p.Height);
  if (!p.RowsPerStrip.empty()) {
    const std::size_t entry = std::min<std::size_t>(static_cast<std::size_t>(std::max(p.CurrentStrip, 0)), p.RowsPerStrip.size() - 1);
    stripRows = std::min(stripRows, p.RowsPerStrip[entry]);
  }

  toolkit::JpegOptions options;
  options.tables = p.JPEGTables;
  options.storedAs = storedAs;
  options.convertToRgb = DeliversBGR(p);
  options.bgr = true;
  options.tablesRead = [](bool tablesOnly) {
    if (!tablesOnly) CompressionError(RasterStrings::gesJPEGBogusTableField);
  };
  options.checkHeader = [&](const toolkit::JpegHeader& h) {
    if (static_cast<std::uint32_t>(h.width) != p.Width || static_cast<std::uint32_t>(h.height) != stripRows)
      CompressionError(RasterStrings::gesJPEGStripSize);
    if (h.components != (planar ? 1 : p.SamplesPerPixel)) CompressionError(RasterStrings::gesJPEGComponentCount);
    if (h.precision != p.BitsPerSample) CompressionError(RasterStrings::gesJPEGDataPrecision);
    const bool first = planar ? h.hSampling[0] == 1 && h.vSampling[0] == 1
                              : h.hSampling[0] == HSampling && h.vSampling[0] == VSampling;
    bool others = true;
    for (int i = 1; i < std::min(h.components, 4) && !planar; ++i)
      others = others && h.hSampling[i] == 1 && h.vSampling[i] == 1;
    if (!first || !others) CompressionError(RasterStrings::gesJPEGSamplingFactors);
    // The rows libjpeg writes must be the reader's rows (a guard: the checks above imply it).
    if (std::uint64_t{p.Width} * outputComponents != lineBytes) CompressionError(RasterStrings::gesJPEGStripSize);
    if (dest.size() % lineBytes != 0) CompressionError(RasterStrings::gesJPEGFractionalLine);
  };
  int stripWarnings = 0;
  options.warning = [&](int code, const std::string& text) {
    // libjpeg's own rule: the first warning tells; the ones it causes are only counted.
    if (stripWarnings++ > 0) return;
    ++Warnings_;
    if (JpegWarningBox)
      JpegWarningBox(RasterStrings::gesWarning, toolkit::IsEndOfDataWarning(code) ? RasterStrings::gesJPEGEOI : text);
  };
  // Rows beyond the room of `dest` are decoded into a spare row and dropped.
  std::vector<std::uint8_t> spare;
  options.start = [](const toolkit::JpegPicture&) {};
  options.rowTarget = [&](int y) -> std::uint8_t* {
    if (static_cast<std::size_t>(y) < lines) return dest.data() + static_cast<std::size_t>(y) * lineBytes;
    spare.resize(lineBytes);
    return spare.data();
  };
  try {
    const toolkit::JpegPicture picture = toolkit::DecodeJpeg(source, options);
    return {source.size(), std::min<std::size_t>(lines, static_cast<std::size_t>(picture.height)) * lineBytes};
  } catch (const toolkit::EJpegError& e) {
    CompressionError(RasterStrings::Format(RasterStrings::gesJPEGError, {std::to_string(e.Code())}));
  }
}

}  // namespace RasterCompression
