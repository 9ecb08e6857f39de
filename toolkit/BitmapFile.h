#pragma once
// Windows bitmap files (BMP, RLE, DIB): read with 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed, RLE4, RLE8 or with bit-field masks, bottom-up or top-down, with the OS/2
// and every Windows info header; written uncompressed in the bitmap's own pixel format.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "toolkit/Bitmap.h"

namespace toolkit {

// Raises EInvalidGraphic("Bitmap image is not valid.") for anything it cannot read whole.
TBitmap LoadBitmapFromBytes(std::span<const std::uint8_t> bytes);
TBitmap LoadBitmapFile(const std::string& fileName);

// The device-independent bitmap that starts with its info header at `headerOffset`.
// Pixels start at `pixelOffset` when given, else right behind the palette. `iconHeight`:
// the header's height counts the colour rows and the mask rows of an icon (only the colour
// rows are read; the bitmap must be uncompressed and its colour and mask rows lie within
// `bytes`). Raises EInvalidGraphic(`errorText`).
TBitmap DecodeDib(std::span<const std::uint8_t> bytes, std::size_t headerOffset,
                  std::optional<std::size_t> pixelOffset, bool iconHeight, const std::string& errorText);

// Uncompressed BMP in the bitmap's pixel format (15 bits as 16-bit RGB, 16 bits with
// 5-6-5 masks). An empty bitmap raises EInvalidGraphic.
std::vector<std::uint8_t> SaveBitmapToBytes(const TBitmap& bitmap);
// Written through a temporary file; raises EFileError naming the file and the reason.
void SaveBitmapFile(const TBitmap& bitmap, const std::string& fileName);

// Writes a picture file's bytes through a temporary file, so a failure never leaves half a
// file; raises EFileError naming the file and the reason.
void WritePictureFile(const std::string& fileName, std::span<const std::uint8_t> bytes);

// A whole file, read once for a picture reader (the buffer is not cleared first).
class TPictureFile {
public:
  // Raises EFileError naming the file and the reason when it cannot be read.
  explicit TPictureFile(const std::string& fileName);
  std::span<const std::uint8_t> Bytes() const { return {data_.get(), size_}; }

private:
  TZeroedBlock data_;
  std::size_t size_ = 0;
};

}  // namespace toolkit
