#pragma once
// The PCX writer: a picture saved as a 24-bit PCX file of three run-length coded colour
// planes (red, green, blue) behind a 128-byte header.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "toolkit/Bitmap.h"

namespace Save_as_PCX_Unit {

using TPCXData = std::vector<std::uint8_t>;

struct TPCXFile {
  std::array<std::uint8_t, 128> FHeader{};
  TPCXData FData;
  std::size_t FDataSize = 0;
};

class TPCX_Image {
public:
  int Width() const { return FBitmap.Width(); }
  int Height() const { return FBitmap.Height(); }
  // Keep the picture's pixels where the sizes overlap; negative values are ignored.
  void SetWidth(int width);
  void SetHeight(int height);
  toolkit::TBitmap& Bitmap() { return FBitmap; }
  void Assign(const toolkit::TBitmap& bitmap) { FBitmap = bitmap; }

  // The whole file. An empty bitmap raises std::runtime_error("The bitmap is empty").
  std::vector<std::uint8_t> SaveToBytes();
  // Writes through a temporary file, so a failure never leaves half a file; EFileError
  // names the file and the reason.
  void SaveToFile(const std::string& fileName);

private:
  void Resize(int width, int height);

  toolkit::TBitmap FBitmap;
  TPCXFile FPCXFile;
};

// Codes one plane line: a run of 2..63 equal bytes as (0xC0 + run, value), a single byte
// below 0xC0 bare, a single byte of 0xC0 or more as (0xC1, value).
void EncodePlaneLine(std::span<const std::uint8_t> line, TPCXData& out);

// The file name SaveImageAsPCX writes: the directory, then the name cut before its first
// "." with ".PCX" added.
std::string PCXFileName(const std::string& directory, const std::string& name);
// Saves the picture as PCX and returns the file name written. An empty name raises
// std::runtime_error.
std::string SaveImageAsPCX(const toolkit::TBitmap& image, const std::string& directory, const std::string& name);

}  // namespace Save_as_PCX_Unit
