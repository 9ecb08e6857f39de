#include "imageio/Save_as_PCX_Unit.h"

#include <stdexcept>

#include "imageio/RasterStrings.h"
#include "toolkit/BitmapFile.h"

namespace Save_as_PCX_Unit {

void TPCX_Image::Resize(int width, int height) {
  if (width == FBitmap.Width() && height == FBitmap.Height()) return;
  toolkit::TBitmap resized(0, 0, FBitmap.PixelFormat());
  resized.SetPalette(FBitmap.Palette());
  resized.SetSize(width, height);
  const int w = std::min(width, FBitmap.Width()), h = std::min(height, FBitmap.Height());
  toolkit::StretchCopy(FBitmap, 0, 0, w, h, resized, 0, 0, w, h);
  FBitmap = std::move(resized);
}

void TPCX_Image::SetWidth(int width) { if (width >= 0) Resize(width, FBitmap.Height()); }
void TPCX_Image::SetHeight(int height) { if (height >= 0) Resize(FBitmap.Width(), height); }

void EncodePlaneLine(std::span<const std::uint8_t> line, TPCXData& out) {
  if (line.empty()) return;
  std::uint8_t value = line[0];
  unsigned run = 1;
  auto flush = [&] {
    if (run >= 2) out.push_back(static_cast<std::uint8_t>(0xC0 + run)), out.push_back(value);
    else if (value < 0xC0) out.push_back(value);
    else out.push_back(0xC1), out.push_back(value);
  };
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i] == value) {
      if (run == 63) {
        out.push_back(0xFF), out.push_back(value);
        run = 1;
      } else {
        ++run;
      }
      continue;
    }
    flush();
    value = line[i];
    run = 1;
  }
  flush();
}

std::vector<std::uint8_t> TPCX_Image::SaveToBytes() {
  const int w = FBitmap.Width(), h = FBitmap.Height();
  if (w == 0 || h == 0) throw std::runtime_error(RasterStrings::gesBitmapEmpty);
  const int bytesPerLine = w + (w & 1);
  if (w > 65535 || h > 65536 || bytesPerLine > 65535)
    throw std::runtime_error("The bitmap is too large for a PCX file");
  auto& header = FPCXFile.FHeader;
  header.fill(0);
  auto put16 = [&](std::size_t at, unsigned v) {
    header[at] = static_cast<std::uint8_t>(v), header[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  header[0] = 10, header[1] = 5, header[2] = 1, header[3] = 8;
  put16(8, static_cast<unsigned>(w - 1)), put16(10, static_cast<unsigned>(h - 1));
  put16(12, 72), put16(14, 72);
  header[65] = 3;
  put16(66, static_cast<unsigned>(bytesPerLine));
  put16(68, 1);

  auto& data = FPCXFile.FData;
  data.clear();
  data.reserve(static_cast<std::size_t>(h) * 3 * bytesPerLine + 128);
  std::vector<std::uint8_t> bgr(3 * static_cast<std::size_t>(w));
  std::vector<std::uint8_t> planes[3];
  for (auto& p : planes) p.assign(static_cast<std::size_t>(bytesPerLine), 0);  // the pad byte stays 0
  for (int y = 0; y < h; ++y) {
    FBitmap.ReadRowBGR(y, bgr);
    for (int x = 0; x < w; ++x) {
      planes[0][x] = bgr[3 * x + 2];
      planes[1][x] = bgr[3 * x + 1];
      planes[2][x] = bgr[3 * x];
    }
    for (const auto& p : planes) EncodePlaneLine(p, data);
  }
  FPCXFile.FDataSize = data.size();
  std::vector<std::uint8_t> file(header.begin(), header.end());
  file.insert(file.end(), data.begin(), data.end());
  data.clear();
  FPCXFile.FDataSize = 0;
  return file;
}

void TPCX_Image::SaveToFile(const std::string& fileName) { toolkit::WritePictureFile(fileName, SaveToBytes()); }

std::string PCXFileName(const std::string& directory, const std::string& name) {
  if (name.empty()) throw std::runtime_error(RasterStrings::gesNoFileName);
  return directory + name.substr(0, name.find('.')) + ".PCX";
}

std::string SaveImageAsPCX(const toolkit::TBitmap& image, const std::string& directory, const std::string& name) {
  const std::string fileName = PCXFileName(directory, name);
  TPCX_Image pcx;
  pcx.Assign(image);
  pcx.SetWidth(image.Width());
  pcx.SetHeight(image.Height());
  pcx.SaveToFile(fileName);
  return fileName;
}

}  // namespace Save_as_PCX_Unit
