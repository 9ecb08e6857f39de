#pragma once
// Deflate data through zlib's inflate: PNG image data (one stream over all its chunks),
// Deflate-compressed TIFF strips (a stream of its own per strip) and Paint Shop Pro blocks.
#include <zlib.h>

#include <cstddef>
#include <span>

#include "imageio/RasterCompression.h"

namespace RasterCompression {

class TLZ77Decoder : public TDecoder {
public:
  // `flushMode` is zlib's flush value for every inflate call (Z_PARTIAL_FLUSH, Z_FINISH);
  // with `autoReset` every Decode starts a new stream.
  TLZ77Decoder(int flushMode, bool autoReset);
  ~TLZ77Decoder() override;  // ends the stream when DecodeEnd did not
  TLZ77Decoder(const TLZ77Decoder&) = delete;
  TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

  // Starts the stream (again); raises "LZ77 decompression error." when zlib refuses.
  void DecodeInit() override;
  // Inflates `source` into `dest` while the stream is sound: Z_OK, or Z_BUF_ERROR, after
  // which zlib can go on with more input or room. After the end of the stream or a data or
  // memory error nothing is done until a reset. A dictionary request counts as a data
  // error. Raises nothing for the data; the caller asks Status() or CheckStatus(). Bytes
  // of `dest` beyond Produced are left as they were.
  TDecodeResult Decode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest) override;
  // Ends the stream; raises "LZ77 decompression error." when zlib reports a fault.
  void DecodeEnd() override;

  int Status() const { return Status_; }
  bool StreamEnded() const { return Status_ == Z_STREAM_END; }
  // Raises "LZ77 decompression error." when the last inflate ended in a data or memory
  // error; data that merely stop early pass.
  void CheckStatus() const;
  std::size_t AvailableInput() const { return Stream.avail_in; }
  std::size_t AvailableOutput() const { return Stream.avail_out; }

private:
  z_stream Stream{};
  int Status_ = Z_OK;
  int FlushMode;
  bool AutoReset;
  bool Initialised = false;
};

}  // namespace RasterCompression
