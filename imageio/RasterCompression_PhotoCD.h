#pragma once
// Photo-CD residuals: the Huffman-coded differences that the higher Photo-CD resolutions
// add to planes the reader has already filled by upsampling the lower one.
#include <cstddef>
#include <cstdint>
#include <span>

#include "imageio/RasterCompression.h"

namespace RasterCompression {

class TPCDDecoder : public TDecoder {
public:
  // `chroma1` and `chroma2` hold rows of `width` bytes, one row for every two luma rows.
  TPCDDecoder(std::size_t width, std::span<std::uint8_t> chroma1, std::span<std::uint8_t> chroma2);

  // `source`: the coded data from the reader's position to the end of the file, read in
  // blocks of 2048 bytes; `dest`: the luma plane, rows of `width` bytes. Adds every
  // residual to its byte, clamped to 0..255. Consumed counts the blocks read; Produced is
  // the luma plane. A code length above 16 in the tables ends decoding with nothing
  // changed; an unknown code, a row or a plane without room or without its table skips to
  // the next row header; a row number at or beyond the luma rows ends the data. Raises
  // "Stream read error in PCD file." when the data end first, and the invalid-format
  // message for plane code 1.
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;

private:
  std::size_t Width;
  std::span<std::uint8_t> Chroma1, Chroma2;
};

}  // namespace RasterCompression
