// Kodak Photo-CD image packs (PCD): the 768 x 512 base picture, luma and two chroma planes of
// half resolution, turned upright by the pack's rotation code.
#include <algorithm>
#include <cstring>
#include <vector>

#include "imageio/RasterGraphics.h"
#include "imageio/RasterStrings.h"
#include "toolkit/ByteReader.h"

namespace RasterGraphics {

using RasterColor::TColorScheme;

VELKOR_DEFINE_READER_CLASS(TPCDGraphic, TRasterGraphic);

namespace {

constexpr const char* kName = "PCD";
constexpr std::size_t kSector = 2048;
constexpr std::size_t kMinimumSize = 3 * kSector + 1;
constexpr std::size_t kBaseSector = 96;
constexpr std::uint32_t kBaseWidth = 768, kBaseHeight = 512;

bool StartsWith(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view text) {
  return bytes.size() >= at + text.size() && std::equal(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

bool Overview(std::span<const std::uint8_t> bytes) { return StartsWith(bytes, 0, "PCD_OPA"); }

}  // namespace

bool TPCDGraphic::CanLoad(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kMinimumSize && (Overview(bytes) || StartsWith(bytes, kSector, "PCD"));
}

bool TPCDGraphic::ReadImageProperties(std::span<const std::uint8_t> bytes, unsigned imageIndex) {
  TRasterGraphic::ReadImageProperties(bytes, imageIndex);
  if (!CanLoad(bytes)) return false;
  auto& p = FImageProperties;
  p.Overview = Overview(bytes);
  p.Rotate = bytes[3586] & 3;
  const unsigned index = p.Overview ? 0 : std::min(imageIndex, 5u);
  p.Width = 192u << index;
  p.Height = 128u << index;
  if (p.Rotate == 1 || p.Rotate == 3) std::swap(p.Width, p.Height);
  p.ColorScheme = TColorScheme::PhotoYCC;
  p.BitsPerSample = 8;
  p.SamplesPerPixel = 3;
  p.BitsPerPixel = 24;
  p.Compression = index < 3 ? TCompressionType::ctNone : TCompressionType::ctPCDHuffmann;
  p.ImageCount = static_cast<std::uint16_t>(bytes[10] << 8 | bytes[11]);
  return true;
}

void TPCDGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  BeginLoad();
  // Neither signature, or an overview file (which holds no base picture): refused.
  if (!ReadImageProperties(bytes, 2) || FImageProperties.Overview) RaiseGraphicError(RasterStrings::gesInvalidImage, {kName});
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesPreparing);
  const std::size_t w = kBaseWidth, h = kBaseHeight, plane = w * h;
  toolkit::ByteReader in(bytes);
  in.seek(std::min(kBaseSector * kSector, bytes.size()));
  if (in.remaining() < plane * 3 / 2) in.fail();

  auto& cm = FColorManager;
  cm.SetYCbCrParameters({}, 2, 2);
  cm.SetSourceColorScheme(TColorScheme::PhotoYCC);
  cm.SetTargetColorScheme(TColorScheme::BGR);
  cm.SetSourceBitsPerSample(8);
  cm.SetTargetBitsPerSample(8);
  cm.SetSourceSamplesPerPixel(3);
  cm.SetTargetSamplesPerPixel(3);

  // Luma at full size; each chroma plane stored at half size in the top-left quarter of a
  // full-size plane, then doubled in place.
  std::vector<std::uint8_t> luma(plane), chroma1(plane), chroma2(plane);
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesPreparing);
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesLoadingData);
  for (std::size_t pair = 0; pair < h / 2; ++pair) {
    const auto l = in.take(2 * w);
    std::copy(l.begin(), l.end(), luma.begin() + static_cast<std::ptrdiff_t>(2 * pair * w));
    for (auto* c : {&chroma1, &chroma2}) {
      const auto s = in.take(w / 2);
      std::copy(s.begin(), s.end(), c->begin() + static_cast<std::ptrdiff_t>(pair * w));
    }
  }
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesLoadingData);
  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesUpsampling);
  UpsamplePlane(kBaseWidth / 2, kBaseHeight / 2, kBaseWidth, chroma1);
  UpsamplePlane(kBaseWidth / 2, kBaseHeight / 2, kBaseWidth, chroma2);
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesUpsampling);

  Progress(toolkit::TProgressStage::Starting, 0, RasterStrings::gesTransfering);
  const int rotate = FImageProperties.Rotate;
  const bool turned = rotate == 1 || rotate == 3;
  TBitmap bitmap(turned ? static_cast<int>(h) : static_cast<int>(w), turned ? static_cast<int>(w) : static_cast<int>(h),
                 toolkit::TPixelFormat::pf24bit);
  std::vector<std::uint8_t> row(3 * w);
  for (std::size_t y = 0; y < h; ++y) {
    const std::span<const std::uint8_t> planes[] = {std::span(luma).subspan(y * w, w), std::span(chroma1).subspan(y * w, w),
                                                    std::span(chroma2).subspan(y * w, w)};
    if (rotate == 0) {
      cm.ConvertRow(planes, bitmap.ScanLine(static_cast<int>(y)), kBaseWidth);
    } else {
      cm.ConvertRow(planes, row, kBaseWidth);
      for (std::size_t x = 0; x < w; ++x) {
        // Source pixel (x, y) lands at (column, line) of the upright picture.
        std::size_t line = 0, column = 0;
        switch (rotate) {
          case 1: line = w - 1 - x, column = y; break;
          case 2: line = h - 1 - y, column = w - 1 - x; break;
          default: line = x, column = h - 1 - y; break;
        }
        std::memcpy(bitmap.ScanLine(static_cast<int>(line)).data() + 3 * column, row.data() + 3 * x, 3);
      }
    }
    RowProgress(y + 1, h);
  }
  EndLoad(std::move(bitmap));
}

}  // namespace RasterGraphics
