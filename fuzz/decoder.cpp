// One decoder driven with arbitrary bytes into exactly sized buffers. The first two bytes
// choose the output room (and the Targa depth or Thunder width); the decoder must stay
// inside both buffers and report no more than it had.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "imageio/RasterCompression.h"
#include "imageio/RasterCompression_Deflate.h"
#include "imageio/RasterCompression_Fax.h"
#include "imageio/RasterCompression_PhotoCD.h"

using namespace RasterCompression;

namespace {

std::unique_ptr<TDecoder> Make(std::uint8_t choice) {
#if defined(FUZZ_DECODER_targa)
  static const int depths[] = {8, 15, 16, 24, 32};
  return std::make_unique<TTargaRLEDecoder>(depths[choice % 5]);
#elif defined(FUZZ_DECODER_packbits)
  (void)choice; return std::make_unique<TPackbitsRLEDecoder>();
#elif defined(FUZZ_DECODER_pcx)
  (void)choice; return std::make_unique<TPCXRLEDecoder>();
#elif defined(FUZZ_DECODER_sgi8)
  (void)choice; return std::make_unique<TSGIRLEDecoder>(8);
#elif defined(FUZZ_DECODER_sgi16)
  (void)choice; return std::make_unique<TSGIRLEDecoder>(16);
#elif defined(FUZZ_DECODER_cut)
  (void)choice; return std::make_unique<TCUTRLEDecoder>();
#elif defined(FUZZ_DECODER_psp)
  (void)choice; return std::make_unique<TPSPRLEDecoder>();
#elif defined(FUZZ_DECODER_rla)
  (void)choice; return std::make_unique<TRLADecoder>();
#elif defined(FUZZ_DECODER_fax3)
  // Bit 2 of the options asks for fill bits; 2-D data (bit 0) are refused when made.
  return std::make_unique<TCCITTFax3Decoder>(choice & 4u, (choice & 1u) != 0, false, 1u + choice % 61u);
#elif defined(FUZZ_DECODER_faxmh)
  return std::make_unique<TCCITTMHDecoder>(0u, (choice & 1u) != 0, (choice & 2u) != 0, 1u + choice % 61u);
#elif defined(FUZZ_DECODER_lz77)
  return std::make_unique<TLZ77Decoder>((choice & 1u) ? Z_FINISH : Z_PARTIAL_FLUSH, (choice & 2u) != 0);
#elif defined(FUZZ_DECODER_pcd)
  static std::vector<std::uint8_t> chroma1, chroma2;
  const std::size_t width = 1u + choice % 24u;
  chroma1.assign(width * 8u, 0);
  chroma2.assign(width * 8u, 0);
  return std::make_unique<TPCDDecoder>(width, chroma1, chroma2);
#else
  return std::make_unique<TThunderDecoder>(choice % 64);
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t room = data[1] * 3u;
  std::vector<std::uint8_t> source(data + 2, data + size);
  std::vector<std::uint8_t> out(room);
  try {
    auto decoder = Make(data[0]);
    decoder->DecodeInit();
    // Row by row, as readers call it: three calls into thirds of the room.
    std::size_t at = 0;
    for (int row = 0; row < 3; ++row) {
      const auto r = decoder->Decode(std::span(source).subspan(at), std::span(out).subspan(row * room / 3, room / 3));
      if (r.Consumed > source.size() - at || r.Produced > room / 3) std::abort();
      at += r.Consumed;
    }
    decoder->DecodeEnd();
  } catch (const ERasterCompression&) {
    // Refusing damaged data with our own error is a correct outcome.
  }
  return 0;
}
