#pragma once
// Decoders of packed pixel data. A reader makes the decoder for its file's compression,
// calls DecodeInit, then Decode once per strip, row or block with the packed bytes and the
// room for the output, then DecodeEnd. Decode never reads beyond `source` nor writes beyond
// `dest`, and reports how many bytes it consumed and produced; every loop consumes at least
// one byte or ends, so damaged data can neither overrun nor hang. A reader that gets fewer
// bytes than it asked for raises its own read error.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace RasterCompression {

class ERasterCompression : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};
[[noreturn]] void CompressionError(const std::string& message);

struct TDecodeResult {
  std::size_t Consumed = 0;
  std::size_t Produced = 0;
};

class TDecoder {
public:
  virtual ~TDecoder() = default;
  virtual TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) = 0;
  virtual void DecodeEnd() {}
  virtual void DecodeInit() {}
  // Packs `count` items of `source` into `dest`; returns the bytes stored. Only the Targa
  // decoder encodes; the others store nothing.
  virtual std::size_t Encode(std::span<const std::uint8_t> /*source*/, std::span<std::uint8_t> /*dest*/,
                             std::size_t /*count*/) { return 0; }
  virtual void EncodeInit() {}
  virtual void EncodeEnd() {}
};

// Targa run-length packets of 8, 15, 16, 24 or 32-bit pixels (other depths raise). A packet
// that crosses the end of `dest` is kept and continues in the next call, so a reader may
// decode row by row; DecodeInit forgets it.
class TTargaRLEDecoder : public TDecoder {
public:
  explicit TTargaRLEDecoder(int colorDepth);
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;
  void DecodeInit() override { pending_ = 0; }
  // Worst case: one header byte per pixel. `dest` must hold count x (pixel size + 1) bytes.
  std::size_t Encode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest, std::size_t count) override;
  int PixelSize() const { return pixelSize_; }

private:
  int colorDepth_;
  int pixelSize_;
  std::size_t pending_ = 0;        // pixels left of the packet in hand
  bool pendingRun_ = false;
  std::array<std::uint8_t, 4> runValue_{};
};

// PackBits (TIFF, Macintosh).
class TPackbitsRLEDecoder : public TDecoder {
public:
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;
};

// PCX: a byte with both top bits set counts the byte after it. A count at the very end of
// the input ends the data.
class TPCXRLEDecoder : public TDecoder {
public:
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;
};

// One SGI row of 8 or 16-bit samples; `source` is the row's stored bytes.
class TSGIRLEDecoder : public TDecoder {
public:
  explicit TSGIRLEDecoder(int sampleSize) : sampleSize_(sampleSize) {}
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;

private:
  int sampleSize_;
};

// One Dr. Halo row: a 2-byte length of the coded bytes, the packets, an end byte 0.
// Consumed stops behind the end byte.
class TCUTRLEDecoder : public TDecoder {
public:
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;
};

// Paint Shop Pro blocks.
class TPSPRLEDecoder : public TDecoder {
public:
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;
};

// Alias/Wavefront channels.
class TRLADecoder : public TDecoder {
public:
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;
};

// ThunderScan 4-bit data: rows of `width` pixels, two to a byte, high nibble first; every
// row starts with last value 0; codes beyond a full row are cut there.
class TThunderDecoder : public TDecoder {
public:
  explicit TThunderDecoder(std::uint32_t width) : width_(width) {}
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;

private:
  std::uint32_t width_;
};

}  // namespace RasterCompression
