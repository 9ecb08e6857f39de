#include "imageio/RasterCompression_Deflate.h"

#include <algorithm>
#include <climits>

#include "imageio/RasterStrings.h"

namespace RasterCompression {

TLZ77Decoder::TLZ77Decoder(int flushMode, bool autoReset) : FlushMode(flushMode), AutoReset(autoReset) {}

TLZ77Decoder::~TLZ77Decoder() {
  if (Initialised) inflateEnd(&Stream);
}

void TLZ77Decoder::DecodeInit() {
  if (Initialised) {
    inflateEnd(&Stream);
    Initialised = false;
  }
  Stream = z_stream{};
  if (inflateInit(&Stream) != Z_OK) CompressionError(RasterStrings::gesLZ77Error);
  Initialised = true;
  Status_ = Z_OK;
}

TDecodeResult TLZ77Decoder::Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) {
  if (!Initialised) CompressionError(RasterStrings::gesLZ77Error);
  if (AutoReset) Status_ = inflateReset(&Stream);
  if (Status_ != Z_OK && Status_ != Z_BUF_ERROR) return {};
  std::uint8_t none = 0;  // zlib wants an output address even for no room
  Stream.next_in = const_cast<Bytef*>(source.data());
  Stream.avail_in = static_cast<uInt>(std::min<std::size_t>(source.size(), UINT_MAX));
  Stream.next_out = dest.empty() ? &none : dest.data();
  Stream.avail_out = static_cast<uInt>(std::min<std::size_t>(dest.size(), UINT_MAX));
  const int result = inflate(&Stream, FlushMode);
  const TDecodeResult done{source.empty() ? 0 : static_cast<std::size_t>(Stream.next_in - source.data()),
                           dest.empty() ? 0 : static_cast<std::size_t>(Stream.next_out - dest.data())};
  switch (result) {
    case Z_OK:
    case Z_STREAM_END:
    case Z_BUF_ERROR:   // no progress possible: input used up or no room left
    case Z_DATA_ERROR:
    case Z_MEM_ERROR:
      Status_ = result;
      break;
    case Z_NEED_DICT:   // no format we read uses a preset dictionary
      Status_ = Z_DATA_ERROR;
      break;
    default:            // Z_STREAM_ERROR: the stream state is broken
      Status_ = Z_STREAM_ERROR;
      CompressionError(RasterStrings::gesLZ77Error);
  }
  return done;
}

void TLZ77Decoder::DecodeEnd() {
  if (!Initialised) return;
  Initialised = false;
  if (inflateEnd(&Stream) < 0) CompressionError(RasterStrings::gesLZ77Error);
}

void TLZ77Decoder::CheckStatus() const {
  if (Status_ == Z_DATA_ERROR || Status_ == Z_MEM_ERROR || Status_ == Z_STREAM_ERROR)
    CompressionError(RasterStrings::gesLZ77Error);
}

}  // namespace RasterCompression
